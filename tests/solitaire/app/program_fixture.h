#pragma once
// The whole program offscreen in a program folder of the test's own: the built data files,
// pictures and help pages linked in, an empty DATA folder, a key store of its own, a fixed
// screen, scripted message boxes, recorded sounds and links.

#include "solitaire/app/boxes.h"
#include "solitaire/app/card_pictures.h"
#include "solitaire/app/game_chooser.h"
#include "solitaire/app/main_window.h"
#include "solitaire/app/program.h"
#include "solitaire/engine/game_definition.h"
#include "solitaire/engine/presentation.h"
#include "solitaire/engine/settings.h"
#include "solitaire/engine/shared_state.h"

#include "platform/app/clock.h"
#include "platform/app/messagebox.h"
#include "platform/app/screen.h"
#include "platform/files/ini.h"
#include "platform/gdi/qimage.h"
#include "platform/shell/help.h"
#include "platform/shell/keystore.h"
#include "platform/shell/shell.h"
#include "platform/sound/sound.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTest>
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace solitaire::testing {

namespace fs = std::filesystem;

// Where tests leave pictures for reviewers.
inline std::string testPicturePath(const std::string& name) {
    const fs::path folder = std::getenv("ZV_TEST_OUTPUT_DIR");
    fs::create_directories(folder);
    return (folder / name).string();
}

inline fs::path distProgramFolder() {
    return fs::path(std::getenv("ZV_DIST_DIR")) / "Zevodadu";
}

// A program folder whose files are links to the built ones; DATA starts empty.
class ScratchProgramFolder {
public:
    explicit ScratchProgramFolder(bool withLibrary = true, bool withGames = true) {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = "zv-app-" + std::string(test->test_suite_name()) + "-" + test->name() +
                           "-" + std::to_string(::getpid());
        std::ranges::replace(name, '/', '_');
        root_ = fs::temp_directory_path() / name;
        fs::remove_all(root_);
        fs::create_directories(root_ / "DATA");
        const fs::path dist = distProgramFolder();
        for (const char* entry : {"Images", "help", "SOUNDS"})
            if (fs::exists(dist / entry))
                fs::create_directory_symlink(dist / entry, root_ / entry);
        if (withLibrary)
            fs::create_symlink(dist / "ZUV.RGF", root_ / "ZUV.RGF");
        if (withGames)
            fs::create_symlink(dist / "GAMES.DAT", root_ / "GAMES.DAT");
    }
    ~ScratchProgramFolder() { fs::remove_all(root_); }
    ScratchProgramFolder(const ScratchProgramFolder&) = delete;
    ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;

    std::string dir() const { return root_.string() + "/"; }
    fs::path path(const std::string& relative) const { return root_ / relative; }
    platform::files::IniFile preferences() const {
        return platform::files::IniFile((root_ / "DATA" / "CFG.DAT").string());
    }
    std::string keyStore() const { return (root_ / "registry.keys").string(); }

private:
    fs::path root_;
};

// "" when the window and the back buffer show the piles as they are now, else where they
// first differ: each is compared with the whole table drawn afresh from the pile store (the
// back buffer is put back). Pixels in a frame around each of `framed` places (15 outside to
// 3 inside: the rounded corners and the thickness edges of the stock and the waste) are not
// compared.
inline std::string tableDrawingDifference(TfrmMain& main, const std::vector<QRect>& framed = {}) {
    platform::gdi::Bitmap& back = sharedObjects.BackBuffer;
    const platform::gdi::Bitmap kept = back;
    main.fnPaintConfiguredBackground(Surface::BackBuffer);
    main.fnDrawTable(Surface::BackBuffer, false);
    // The chosen cards of a selection game show inverted, as a whole redraw shows them.
    if (!sharedObjects.FilaPiles.empty())
        main.DrawSelection(Surface::BackBuffer, false);
    const platform::gdi::Bitmap fresh = back;
    back = kept;
    // Row y of the shown bitmap is row y + scroll of the table.
    auto difference = [&](const platform::gdi::Bitmap& shown, int scroll,
                          const std::string& what) -> std::string {
        auto inFrame = [&](int x, int y) {
            return std::ranges::any_of(framed, [&](const QRect& place) {
                return place.adjusted(-15, -15, 15, 15).contains(x, y) &&
                       !place.adjusted(3, 3, -3, -3).contains(x, y);
            });
        };
        const int width = std::min(shown.width(), fresh.width());
        const int height = std::min(shown.height(), fresh.height() - scroll);
        int differing = 0;
        QPoint first;
        for (int y = 0; y < height; ++y) {
            const auto* shownRow = reinterpret_cast<const QRgb*>(qImage(shown).constScanLine(y));
            const auto* freshRow =
                reinterpret_cast<const QRgb*>(qImage(fresh).constScanLine(y + scroll));
            if (std::equal(shownRow, shownRow + width, freshRow))
                continue; // the common case, without looking at each pixel
            for (int x = 0; x < width; ++x)
                if (shownRow[x] != freshRow[x] && !inFrame(x, y) && differing++ == 0)
                    first = QPoint(x, y);
        }
        if (differing == 0)
            return "";
        return what + ": " + std::to_string(differing) + " pixels differ, the first at (" +
               std::to_string(first.x()) + ", " + std::to_string(first.y()) + "); ";
    };
    return difference(kept, 0, "back buffer") +
           difference(main.frontBuffer(), mainWindow.ScrollBarPosition, "window");
}

class ProgramTest : public ::testing::Test {
protected:
    static constexpr int kScreenWidth = 1024, kScreenHeight = 768;

    // The engine's globals as a new process has them; the screen of the given size and
    // colour depth.
    explicit ProgramTest(int screenWidth = kScreenWidth, int screenHeight = kScreenHeight,
                         int colourDepth = 32)
        : keys_(folder_.keyStore()), screen_(screenWidth, screenHeight, colourDepth) {
        gameDefinition.fill(0);
        engineScalars = EngineScalars{};
    }
    ~ProgramTest() override {
        if (main_)
            main_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (ResourceLibraryHandle) // a test that closed nothing still frees what start-up made
            fnFreeSharedObjects();
        platform::shell::closeHelpWindow();
    }

    // Runs the program's start-up and lets the window's first activation run: the dialogs it
    // shows get the answer (by default: Cancel).
    using DialogAnswer = std::function<platform::forms::ModalResult(platform::forms::Dialog&)>;
    TfrmMain& start(DialogAnswer dialogs = cancel) {
        answer_ = std::move(dialogs);
        script_.emplace([this](platform::forms::Dialog& dialog) { return answer_(dialog); });
        main_ = StartProgram(folder_.dir());
        QCoreApplication::processEvents();
        return *main_;
    }
    // Dialogs shown from now on get this answer.
    void answerDialogs(DialogAnswer answer) { answer_ = std::move(answer); }
    static platform::forms::ModalResult cancel(platform::forms::Dialog&) {
        return platform::forms::ModalResult::Cancel;
    }

    // The application becoming active again.
    void activate() { main_->m_AppActivate(); }
    int dialogsShown() const { return script_ ? script_->shownCount() : 0; }
    void close() {
        main_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    bool windowGone() const { return main_.isNull(); }

    ScratchProgramFolder folder_;
    platform::shell::ScopedKeyStoreFile keys_;
    platform::app::TestScreen screen_;
    // Animations and waits run without real time; a test that needs the real clock resets it.
    std::optional<platform::app::TestClock> clock_{std::in_place, 1000};
    platform::app::ScriptedMessageBoxes boxes_;
    platform::shell::OpenRecorder links_;
    platform::sound::Recorder sounds_;
    DialogAnswer answer_;
    std::optional<platform::forms::Dialog::Script> script_;
    QPointer<TfrmMain> main_;
};

// Until the condition holds or the time is up; the events run meanwhile.
inline bool runUntil(const std::function<bool()>& done, int ms = 10000) {
    return QTest::qWaitFor(done, ms);
}

// The whole program under its real event loop: the dialogs run modal loops of their own and
// the waits take real time. Message boxes are shown as well, or recorded with the default
// answer (an error box then does not wait for anyone).
class RealLoopProgramTest : public ::testing::Test {
protected:
    explicit RealLoopProgramTest(bool recordBoxes) : keys_(folder_.keyStore()) {
        if (recordBoxes)
            recordedBoxes_.emplace();
    }
    ~RealLoopProgramTest() override {
        if (main_)
            main_->close();
        runUntil([this] { return main_.isNull(); }, 2000);
        if (ResourceLibraryHandle)
            fnFreeSharedObjects();
        platform::shell::closeHelpWindow();
    }

    // Starts the program with the engine's globals as a new process has them.
    void start() {
        gameDefinition.fill(0);
        engineScalars = EngineScalars{};
        main_ = StartProgram(folder_.dir());
    }
    bool windowGone(int ms = 10000) {
        return runUntil([this] { return main_.isNull(); }, ms);
    }

    ScratchProgramFolder folder_;
    platform::shell::ScopedKeyStoreFile keys_;
    platform::app::TestScreen screen_{1024, 768, 32};
    std::optional<platform::app::ScriptedMessageBoxes> recordedBoxes_;
    platform::shell::OpenRecorder links_;
    platform::sound::Recorder sounds_;
    QPointer<TfrmMain> main_;
};

// The chooser's answer: choose the game of that name and press OK.
inline std::function<platform::forms::ModalResult(platform::forms::Dialog&)> chooseGame(
    const std::string& name) {
    return [name](platform::forms::Dialog& dialog) {
        auto* chooser = dynamic_cast<TfrmOpenGame*>(&dialog);
        if (!chooser)
            return platform::forms::ModalResult::Cancel;
        const auto found =
            chooser->trvGames->findItems(QString::fromLatin1(name.c_str()), Qt::MatchExactly | Qt::MatchRecursive);
        if (found.isEmpty()) {
            ADD_FAILURE() << "no game " << name << " in the chooser";
            return platform::forms::ModalResult::Cancel;
        }
        chooser->trvGames->setCurrentItem(found.front());
        QTest::mouseClick(chooser->btnOK, Qt::LeftButton);
        return platform::forms::ModalResult::Ok;
    };
}

} // namespace solitaire::testing
