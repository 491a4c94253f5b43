// The four dialogs: options (level, depth, game type), the opponent editor and its effect on
// the computer's play, the network dialog and the help box.

#include "kolvan_fixture.h"

#include "fourinrow/app/track_bar.h"
#include "fourinrow/socket/winsock.h"
#include "platform/shell/shell.h"
#include "tests/platform/keys_when_shown.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>

namespace kolvantest {
namespace {

using platform::forms::Dialog;
using platform::forms::ModalResult;

class DialogsTest : public KolvanTest {
protected:
    void SetUp() override {
        KolvanTest::SetUp();
        StartProgram();
    }

    // New Game with the dialogs answered by `answer`.
    void NewGameWith(const std::function<ModalResult(Dialog&)>& answer) {
        const Dialog::Script script(answer);
        Main().Action(Command::NewGame).trigger();
    }
};

// Defence only: after a disc in the middle column these weights answer beside it, the
// built-in ones on top of it.
const OpponentSettings kEdited{{0, 0, 0}, {30, 30, 30}, 0, "Tester"};

void EnterSettings(TFAdvanced& editor, const OpponentSettings& settings) {
    for (int i = 0; i < 3; ++i) {
        editor.CBOff[i]->setCurrentIndex(settings.offensive[i]);
        editor.CBDef[i]->setCurrentIndex(settings.defensive[i]);
    }
    editor.TBPrecision->setValue(settings.strategy);
    editor.EOppName->setText(QString::fromStdString(settings.name));
}

TEST_F(DialogsTest, OptionsSetLevelDepthRandomAndFlagsOnOk) {
    NewGameWith([](Dialog& dialog) {
        auto& options = dynamic_cast<TfOptions&>(dialog);
        EXPECT_EQ(options.TBLevel->value(), 1);
        EXPECT_TRUE(options.RGPlayersOne->isChecked());
        options.TBLevel->setValue(5);
        options.CBRandom->setChecked(true);
        options.CBProgress->setChecked(true);
        options.CBOpponents->setCurrentIndex(2);
        SavePicture(options, "kolvan32-options");
        return ModalResult::Ok;
    });
    EXPECT_EQ(Game().GetLevel(), 5);
    EXPECT_EQ(Game().Record().depth, 8);
    EXPECT_TRUE(Game().GetRandomLevel());
    EXPECT_TRUE(Game().GetSystemFlags().showProgress);
    EXPECT_EQ(Game().GetOpponentIndex(), 3);
    EXPECT_EQ(Main().StatusText(2), "Level  1-5");
    EXPECT_EQ(Main().StatusText(3), Game().GetOpponentName(3));
    EXPECT_TRUE(Main().Action(Command::ShowProgress).isChecked());
}

TEST_F(DialogsTest, CancelChangesNothingAndKeepsTheBoard) {
    Click(4);
    const int moves = Game().GetMoveCount();
    NewGameWith([](Dialog& dialog) {
        dynamic_cast<TfOptions&>(dialog).TBLevel->setValue(6);
        return ModalResult::Cancel;
    });
    EXPECT_EQ(Game().GetLevel(), 1);
    EXPECT_EQ(Game().GetMoveCount(), moves);
}

TEST_F(DialogsTest, LevelTrackBarSelectionEndsAtTheBestLevelOfTheChosenOpponent) {
    // A saved game carries the best levels: a win at level 4 against opponent 1.
    {
        gameClass source(File("unused.dat").string(), 1);
        source.SetGameTypeAndLevel(1, 7);
        source.RecordWinLevel();
        source.SaveGame(File("best.klv").string());
    }
    Game().LoadGame(File("best.klv").string());
    ASSERT_GT(Game().GetBestLevel(1), Game().GetBestLevel(2));
    std::vector<int> ends;
    NewGameWith([&](Dialog& dialog) {
        auto& options = dynamic_cast<TfOptions&>(dialog);
        ends.push_back(options.TBLevel->selectionEnd());
        options.CBOpponents->setCurrentIndex(1);
        ends.push_back(options.TBLevel->selectionEnd());
        return ModalResult::Cancel;
    });
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[0], Game().GetBestLevel(1));
    EXPECT_GE(ends[0], 1);
    EXPECT_EQ(ends[1], Game().GetBestLevel(2));
}

TEST_F(DialogsTest, EditedWeightsAreWhatTheComputerPlaysWith) {
    NewGameWith([](Dialog& dialog) {
        if (auto* editor = dynamic_cast<TFAdvanced*>(&dialog)) {
            EXPECT_EQ(editor->CBOpponents->currentIndex(), 0);
            EnterSettings(*editor, kEdited);
            editor->BnSave->click();
            EXPECT_EQ(editor->CBOpponents->itemText(0), "Tester");
            SavePicture(*editor, "kolvan32-advanced");
            return ModalResult::Ok;
        }
        auto& options = dynamic_cast<TfOptions&>(dialog);
        options.BnAdvanced->click();
        EXPECT_EQ(options.CBOpponents->itemText(0), "Tester");
        EXPECT_EQ(options.CBOpponents->currentIndex(), 0);
        options.TBLevel->setValue(2);
        return ModalResult::Ok;
    });
    EXPECT_EQ(Game().GetOpponent(1), kEdited);
    EXPECT_EQ(Main().StatusText(3), "Tester");

    // The same game on its own with the same settings answers the same way.
    gameClass reference(File("reference.dat").string(), 1);
    reference.SetOpponent(1, kEdited);
    reference.SelectOpponent(1);
    reference.SetGameTypeAndLevel(1, 5);
    reference.SeedRandom(7);
    reference.SetFirstMover(0);
    reference.DropPiece(4);
    ASSERT_TRUE(reference.ComputerMove());

    gameClass builtIn(File("builtin.dat").string(), 1);
    builtIn.SetGameTypeAndLevel(1, 5);
    builtIn.SeedRandom(7);
    builtIn.SetFirstMover(0);
    builtIn.DropPiece(4);
    ASSERT_TRUE(builtIn.ComputerMove());

    Click(4);
    ASSERT_EQ(Game().GetMoveCount(), 2);
    EXPECT_EQ(Game().GetLastColumn(), reference.GetLastColumn());
    // The edit matters: these weights pick another reply than the built-in ones.
    EXPECT_NE(reference.GetLastColumn(), builtIn.GetLastColumn());
}

TEST_F(DialogsTest, EditorOpensOnTheFirstOpponentForSixAndRandomAndRestoreStores) {
    Game().SetOpponent(2, kEdited);
    for (int chosen : {5, 6, 1}) {
        int shownOpponent = -1;
        OpponentSettings restored;
        NewGameWith([&](Dialog& dialog) {
            if (auto* editor = dynamic_cast<TFAdvanced*>(&dialog)) {
                shownOpponent = editor->CBOpponents->currentIndex();
                if (shownOpponent == 1) {
                    EXPECT_EQ(editor->EOppName->text(), "Tester");
                    editor->BnRestore->click();
                    restored = gameClass::GetDefaultOpponent(2);
                }
                return ModalResult::Ok;
            }
            auto& options = dynamic_cast<TfOptions&>(dialog);
            options.CBOpponents->setCurrentIndex(chosen);
            options.BnAdvanced->click();
            return ModalResult::Cancel; // the editor's changes stay all the same
        });
        EXPECT_EQ(shownOpponent, chosen == 1 ? 1 : 0) << chosen;
        if (chosen == 1) {
            EXPECT_EQ(Game().GetOpponent(2), restored);
        }
    }
}

TEST_F(DialogsTest, NetworkDialogShowsTheFieldsAndCleansTheName) {
    Main().PeerHost = "example.net";
    bool sawDialog = false;
    NewGameWith([&](Dialog&) { return ModalResult::Cancel; }); // options: nothing
    {
        const Dialog::Script script([&](Dialog& dialog) {
            auto& network = dynamic_cast<TfNetwork&>(dialog);
            sawDialog = true;
            EXPECT_TRUE(network.RGWait->isChecked());
            EXPECT_EQ(network.ePort->text(), "1977");
            EXPECT_EQ(network.eOppIP->text(), "example.net");
            const auto& addresses = socket::LocalIPList();
            EXPECT_EQ(network.Lip->text().toStdString(),
                      addresses.empty() ? "Not Available" : addresses.front());
            SavePicture(network, "kolvan32-network");
            network.eName->setText(", Author;");
            return ModalResult::Cancel;
        });
        Main().Action(Command::NetworkMode).trigger();
    }
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(Main().windowTitle(), "Kolvan 32 - Network Mode");
    EXPECT_EQ(Main().StatusText(1), "Select New Game to connect");
    EXPECT_EQ(Main().StatusText(3), "Disconnected");
    EXPECT_FALSE(Main().Action(Command::Open).isEnabled());
    EXPECT_FALSE(Main().Action(Command::NextGame).isEnabled());
    EXPECT_EQ(Main().Action(Command::Break).text(), "&Disconnect");
    EXPECT_EQ(Main().Action(Command::Break).toolTip(), "Disconnect");

    const std::pair<const char*, const char*> names[] = {
        {", Author;", "Nice Try"}, {" Authors", "Authors"}, {":.Ann, ", "Ann"},
        {"Bo b", "Bo b"},          {" ,.:;", ""},           {"", ""},
    };
    for (auto [typed, cleaned] : names)
        EXPECT_EQ(TfKolvan32::CleanName(typed), cleaned) << typed;

    // Back to normal mode: the normal controls return.
    Main().Action(Command::ToggleMode).trigger();
    EXPECT_EQ(Main().windowTitle(), "Kolvan 32 - Normal Mode");
    EXPECT_TRUE(Main().Action(Command::Open).isEnabled());
    EXPECT_EQ(Main().Action(Command::Break).text(), "&Break");
}

TEST_F(DialogsTest, HelpBoxOpensOnTheLastPageAndItsLinksGoToTheShell) {
    int shown = 0;
    {
        const Dialog::Script script([&](Dialog& dialog) {
            auto& about = dynamic_cast<TfAbout&>(dialog);
            ++shown;
            EXPECT_EQ(about.Pages->currentIndex(), 3);
            EXPECT_EQ(about.Pages->tabText(0), "How To Play");
            for (int page = 0; page < about.Pages->count(); ++page) {
                about.Pages->setCurrentIndex(page);
                SavePicture(about, "kolvan32-about-" + std::to_string(page + 1));
            }
            return ModalResult::Ok;
        });
        Main().Action(Command::About).trigger();
    }
    EXPECT_EQ(shown, 1);
    const platform::shell::OpenRecorder recorder;
    Program().About().LemailClick();
    Program().About().LHttpClick();
    ASSERT_EQ(recorder.requests().size(), 2u);
    EXPECT_EQ(recorder.requests()[0].target, TfAbout::kMailLink);
    EXPECT_EQ(recorder.requests()[1].target, TfAbout::kWebLink);
}

// Each dialog in its own modal loop, worked by keys through its window: Enter is OK, Esc is
// Cancel, and in the editor and the help box, whose one button is OK, Esc is OK.
TEST_F(DialogsTest, EnterAndEscAnswerEachDialogAsItsButtons) {
    using zvtest::KeysWhenShown;
    {
        const KeysWhenShown<TfOptions> esc({Qt::Key_Escape},
                                           [](TfOptions& options) { options.TBLevel->setValue(6); });
        Main().Action(Command::NewGame).trigger();
        ASSERT_TRUE(esc.pressed());
    }
    EXPECT_EQ(Game().GetLevel(), 1) << "Esc changes nothing";
    {
        const KeysWhenShown<TfOptions> enter({Qt::Key_Return},
                                             [](TfOptions& options) { options.TBLevel->setValue(5); });
        Main().Action(Command::NewGame).trigger();
        ASSERT_TRUE(enter.pressed());
    }
    EXPECT_EQ(Game().GetLevel(), 5) << "Enter is OK";
    {
        // The editor, opened from the options, goes on Esc; then Esc leaves the options.
        const KeysWhenShown<TfOptions> options({Qt::Key_Escape}, [](TfOptions& dialog) {
            dialog.BnAdvanced->click();
        });
        const KeysWhenShown<TFAdvanced> editor({Qt::Key_Escape});
        Main().Action(Command::NewGame).trigger();
        ASSERT_TRUE(editor.pressed());
        ASSERT_TRUE(options.pressed());
    }
    {
        const KeysWhenShown<TfNetwork> esc({Qt::Key_Escape});
        Main().Action(Command::NetworkMode).trigger();
        ASSERT_TRUE(esc.pressed());
    }
    EXPECT_EQ(Main().SessionActive, 0) << "Esc neither waits nor connects";
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        const KeysWhenShown<TfAbout> about({key});
        Main().Action(Command::About).trigger();
        EXPECT_TRUE(about.pressed()) << key;
    }
}

class FirstRunTest : public KolvanTest {};

TEST_F(FirstRunTest, HelpBoxShowsItselfOnlyOnTheFirstRun) {
    for (int run = 1; run <= 2; ++run) {
        const Dialog::Script script([](Dialog& dialog) {
            EXPECT_NE(dynamic_cast<TfAbout*>(&dialog), nullptr);
            return ModalResult::Ok;
        });
        program_ = std::make_unique<Kolvan32Program>();
        EXPECT_EQ(script.shownCount(), run == 1 ? 1 : 0) << run;
        program_.reset(); // saves kolvan32.dat with the first-run byte clear
    }
}

} // namespace
} // namespace kolvantest
