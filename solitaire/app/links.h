#pragma once
// The program's name and addresses, links opened in the desktop's browser and mail program,
// the help pages and the window caption text.

#include <string>

namespace solitaire {

inline constexpr const char* kProgramTitle = "Brindlewood";

// The program's web and mail addresses (a reserved example domain).
inline constexpr const char* kWebSiteAddress = "http://www.example.com/brindlewood/";
inline constexpr const char* kDownloadPageAddress = "http://www.example.com/brindlewood/download.html";
inline constexpr const char* kNewsletterPageAddress = "http://www.example.com/brindlewood/news.html";
inline constexpr const char* kInfoMailAddress = "info@example.com";
inline constexpr const char* kSalesMailAddress = "sales@example.com";
inline constexpr const char* kSupportMailAddress = "support@example.com";
inline constexpr const char* kNewsletterMailAddress = "news@example.com";

// kind "EMAIL" opens a new mail to target, "HTTP" the page (http:// added when no scheme is
// given); any other kind is refused with "Error in parameters". True when the desktop opened it.
bool OpenLink(const std::string& kind, const std::string& target);

// The tree picture of a game category; "" and a message for an unknown category.
std::string fnCategoryTreeName(int category);

// "Brindlewood [game name]", followed by "  [game number]" while there is one.
std::string CaptionText();

// The help pages: program directory + "help\" + context number + ".html" (the contents
// "index.html"), shown in the help viewer. The help file names its window after ">"
// ("proc" for the program's topics, "rules" for the games' rules); the pages of both live in
// the one folder.
extern std::string HelpFile;
std::string HelpPagePath(int context);
void ShowHelpTopic(int context);
void ShowHelpContents();
// The rules of a game (the selected one for an id below 0); nothing for customized games
// (ids of 8000 and more). Rules pages are numbered 3000 + game id.
void ShowRulesHelp(int gameId);

} // namespace solitaire
