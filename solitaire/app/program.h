#pragma once
// The program's start-up behind the splash window, then its message loop.

#include "platform/app/application.h"

namespace solitaire {

class TfrmMain;

// Everything before the message loop; the main window it made (owned by the caller).
TfrmMain* StartProgram();
// StartProgram, then the message loop until the program ends; the exit code.
int RunProgram(platform::app::Application& application);

} // namespace solitaire
