#pragma once
// The programs' help viewer: one window showing HTML help pages, whose links are followed in
// the window itself. Pages are files (`\` separators and any letter case accepted).

#include <string>

namespace platform::shell {

// Shows the page in the help window, opening the window or bringing it forward. The window
// does not keep the program running: it closes when the program quits.
void showHelpPage(const std::string& path);
// The file the help window shows (resolved); empty while no help window is open.
std::string shownHelpPage();
void closeHelpWindow();

}  // namespace platform::shell
