#pragma once
// The whole program offscreen, driven through its forms: message and input boxes answer from
// scripts, sounds are recorded, modal boxes return at once so the test can press their buttons.
// Runs in the program folder, where the sounds are.
#include "noughts/boxes.h"
#include "noughts/main_form.h"
#include "noughts/program.h"
#include "noughts/splash.h"
#include "platform/app/messagebox.h"
#include "platform/sound/sound.h"
#include "rolls.h"

#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace noughts::test {

using namespace platform::vbforms;
using platform::vbforms::testing::RecordedCommands;
using platform::vbforms::testing::ScriptedInputBoxes;
using platform::vbforms::testing::ScriptedRnd;

enum class Mode { twoPlayers, easy, hard };

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { platform::vbforms::testing::setModalShowsReturnAtOnce(true); }
    ~ProgramTest() override {
        program.end();
        deleteUnloadedForms();
        platform::vbforms::testing::setModalShowsReturnAtOnce(false);
    }

    static void deleteUnloadedForms() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    MainForm& openGameWindow() {
        program.start();
        QTest::mouseClick(program.splash.get(), Qt::LeftButton);
        deleteUnloadedForms();
        return main();
    }
    MainForm& main() { return *program.main.get(); }
    Game& game() { return program.game(); }

    // "Start a new game", the choices of the new-game box, "Finish > >"; the names and the
    // start roll must be scripted.
    void newGame(Mode mode) {
        QTest::mouseClick(main().startnewgame, Qt::LeftButton);
        ASSERT_TRUE(program.gametype.loaded());
        GameType& box = *program.gametype.get();
        QTest::mouseClick(mode == Mode::twoPlayers ? box.playertwo : box.playerone, Qt::LeftButton);
        if (mode != Mode::twoPlayers)
            QTest::mouseClick(mode == Mode::hard ? box.hardlevel : box.easylevel, Qt::LeftButton);
        QTest::mouseClick(box.finish, Qt::LeftButton);
        deleteUnloadedForms();
    }
    void startGame(Mode mode, float startRoll) {
        names.answers = {"Ann"};
        if (mode == Mode::twoPlayers)
            names.answers.push_back("Bob");
        rolls.values.push_back(startRoll);
        newGame(mode);
    }

    void click(int cell) {
        QTest::mouseClick(main().grid[static_cast<std::size_t>(cell)], Qt::LeftButton);
    }
    void play(std::initializer_list<int> cells) {
        for (int cell : cells)
            click(cell);
    }

    std::string board() {
        std::string picture;
        for (int i = 0; i < cellCount; ++i) {
            const std::string caption = main().gridCaption(i);
            picture += caption.empty() ? '.' : caption[0];
        }
        return picture;
    }
    bool boardEnabled() {
        for (QPushButton* cell : main().grid)
            if (!cell->isEnabled())
                return false;
        return true;
    }
    bool boardDisabled() {
        for (QPushButton* cell : main().grid)
            if (cell->isEnabled())
                return false;
        return true;
    }
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes.shown())
            texts.push_back(box.text);
        return texts;
    }
    // The six score labels: total, draws, player 1 wins and losses, player 2 wins and losses.
    std::vector<QString> scores() {
        return {main().total->text(),     main().draws->text(),   main().onewins->text(),
                main().onelosses->text(), main().twowins->text(), main().twolosses->text()};
    }

    // A game's end: its message, then "Play again?" answered No.
    void thenNoMore() {
        boxes.answer(Answer::Ok);
        boxes.answer(Answer::No);
    }

    platform::sound::Recorder sounds;
    RecordedCommands mci;
    platform::app::ScriptedMessageBoxes boxes;
    ScriptedInputBoxes names;
    ScriptedRnd rolls{{}};
    Program program;
};

} // namespace noughts::test
