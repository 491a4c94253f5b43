#include "solitaire/app/program.h"

#include "solitaire/app/main_window.h"
#include "solitaire/app/sounds.h"
#include "solitaire/app/splash.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/app/clock.h"
#include "platform/app/cursor.h"
#include "platform/app/messagebox.h"
#include "platform/app/strings.h"

#include <cstdlib>
#include <memory>

namespace solitaire {

TfrmMain* StartProgram(const std::string& programDirectory) {
    // The folder the program's files are read from and written to must fit its field whole:
    // a cut path would name another folder.
    const std::string folder = programDirectory.empty() ? fnProgramDirectory() : programDirectory;
    if (const auto error = fnProgramDirectoryError(folder)) {
        platform::app::messageBox(*error, "", platform::app::Buttons::Ok, platform::app::Icon::Error);
        std::exit(0);
    }
    platform::app::setScreenCursor(platform::app::CursorShape::Wait);
    platform::app::registerStrings({{29001, "Quit this game?"}});
    fnCreateSharedObjects();
    if (!programDirectory.empty())
        fnWriteSettingsField(kProgramDirectoryPosition, kProgramDirectoryWidth, programDirectory);
    auto splash = std::make_unique<TfrmSplashForm>();
    splash->show();
    splash->repaint();
    platform::app::processMessages(); // on screen before the slow steps
    fnStartupSound();
    auto* main = new TfrmMain();
    main->setAttribute(Qt::WA_DeleteOnClose);
    main->FormCreate();
    main->RestoreWindowState();
    splash->repaint();
    main->CreateGameChooser();
    splash->repaint();
    splash->repaint();
    splash->hide();
    main->show();
    main->repaint();
    splash->repaint();
    splash.reset();
    platform::app::setScreenCursor(platform::app::CursorShape::Default);
    main->StartupFinished();
    return main;
}

int RunProgram(platform::app::Application& application) {
    StartProgram();
    return application.run();
}

} // namespace solitaire
