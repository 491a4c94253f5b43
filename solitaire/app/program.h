#pragma once
// The program's start-up behind the splash window, then its message loop.

#include "platform/app/application.h"

#include <string>

namespace solitaire {

class TfrmMain;

// Everything before the message loop; the main window it made, which deletes itself when
// closed. The program's files are those beside the executable unless another folder (ending
// in a separator) is given.
TfrmMain* StartProgram(const std::string& programDirectory = {});
// StartProgram, then the message loop until the program ends; the exit code.
int RunProgram(platform::app::Application& application);

} // namespace solitaire
