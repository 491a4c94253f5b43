// The main window and every dialog show each of their texts whole at the platform's font:
// every text each status panel can show, with every opponent's name and long player names.

#include "kolvan_fixture.h"
#include "network_fixture.h"

#include "tests/platform/forms/text_fit.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gmock/gmock.h>

#include <vector>

namespace kolvantest {
namespace {

using platform::forms::Dialog;
using platform::forms::ModalResult;
using ::testing::IsEmpty;
using textfit::layoutFaults;

class TextFitTest : public KolvanTest {
protected:
    void SetUp() override {
        KolvanTest::SetUp();
        StartProgram();
    }
    std::vector<std::string> OpponentNames() {
        std::vector<std::string> names;
        for (int opponent = 1; opponent <= 7; ++opponent)
            names.push_back(Game().GetOpponentName(opponent));
        return names;
    }
};

// A network peer is named by its player: nobody, or a name of up to ten characters.
const std::vector<std::string> kPeerNames = {"Anonymous", "Maximilian"};

// Panel 1: the game's course against each opponent, in two-player games, and in network play.
std::vector<std::string> FirstPanelTexts(const std::vector<std::string>& opponents) {
    std::vector<std::string> texts = {"Ready", "Thinking...", "Draw! Get ready for rematch",
                                      "You win! Get ready for next game",
                                      "Draw! Next Game to play again"};
    for (const std::string& name : opponents) {
        texts.push_back(name + " wins! Get ready for revenge");
        texts.push_back(name + " picked 7. Your move");
        texts.push_back("Move or let " + name + " move first");
    }
    for (const char* colour : {"Red", "Yellow"}) {
        const std::string other = std::string(colour) == "Red" ? "Yellow" : "Red";
        texts.push_back(std::string(colour) + " wins! Next Game to play again");
        texts.push_back(std::string(colour) + " picked 7. Your move " + other);
        texts.push_back(std::string("Make your first move ") + colour);
    }
    for (const char* state :
         {"Select New Game to connect", "Waiting for connection...", "Connecting to opponent...",
          "Unknown server name", "Socket already in use", "Unable to establish connection",
          "Closed connection", "Lost connection", "Sync. error (8). Disconnect and try again"})
        texts.push_back(state);
    for (const std::string& peer : kPeerNames) {
        texts.push_back("Opponent " + peer + ". Your move");
        texts.push_back("Opponent " + peer + ". Waiting...");
        texts.push_back("Waiting for " + peer + " to move...");
        texts.push_back(peer + " picked 7. Your move");
        for (const std::string& result : {std::string("Draw!"), std::string("You win!"),
                                          peer + " wins!"})
            for (const char* next : {" Next Game to restart", " Waiting for restart..."})
                texts.push_back(result + next);
    }
    return texts;
}

TEST_F(TextFitTest, StatusPanelsShowEveryTextWhole) {
    for (const std::string& text : FirstPanelTexts(OpponentNames())) {
        Main().SetStatus(text, "-", "-");
        EXPECT_THAT(layoutFaults(Main()), IsEmpty()) << text;
    }
    // Panel 2: the level, the two-player game, the network score of wins, draws and losses.
    for (const char* text : {"Level  7", "Level  1-7", "Human", " 0  0  0", " 255  255  255"}) {
        Main().SetStatus("-", text, "-");
        EXPECT_THAT(layoutFaults(Main()), IsEmpty()) << text;
    }
    // Panel 3: the opponent, the two-player game, the connection.
    std::vector<std::string> third = OpponentNames();
    for (const char* text :
         {"Two Players", "Disconnected", "Listening", "Trying", "Connected"})
        third.push_back(text);
    for (const std::string& text : third) {
        Main().SetStatus("-", "-", text);
        EXPECT_THAT(layoutFaults(Main()), IsEmpty()) << text;
    }
}

// An opponent renamed in the editor to a long name shows whole in the third panel once the
// options are closed, whether they were then confirmed or not.
TEST_F(TextFitTest, AnOpponentRenamedInTheEditorShowsWholeInTheStatusBar) {
    const std::string wide = "WWWWWWWWWW"; // as long as a name can be, in wide letters
    for (const ModalResult optionsAnswer : {ModalResult::Cancel, ModalResult::Ok}) {
        const std::string before = Main().StatusText(1);
        const Dialog::Script script([&](Dialog& dialog) {
            if (auto* options = dynamic_cast<TfOptions*>(&dialog)) {
                options->BnAdvancedClick();
                return optionsAnswer;
            }
            auto& editor = dynamic_cast<TFAdvanced&>(dialog);
            editor.EOppName->setText(QString::fromStdString(wide));
            editor.BnSaveClick();
            return ModalResult::Ok;
        });
        Main().Action(Command::NewGame).trigger();
        ASSERT_EQ(script.shownCount(), 2);
        ASSERT_THAT(OpponentNames(), ::testing::Contains(wide));
        if (optionsAnswer == ModalResult::Cancel) {
            EXPECT_EQ(Main().StatusText(1), before) << "the panels keep their texts";
        }
        for (const std::string& text : FirstPanelTexts(OpponentNames())) {
            Main().SetStatus(text, "-", wide);
            EXPECT_THAT(layoutFaults(Main()), IsEmpty()) << text;
        }
    }
}

TEST_F(TextFitTest, OptionsAndTheOpponentEditorShowTheirTextsWhole) {
    const Dialog::Script script([](Dialog& dialog) {
        EXPECT_THAT(layoutFaults(dialog), IsEmpty()) << dialog.windowTitle().toStdString();
        if (auto* options = dynamic_cast<TfOptions*>(&dialog))
            options->BnAdvancedClick();
        return ModalResult::Cancel;
    });
    Main().Action(Command::NewGame).trigger();
    EXPECT_EQ(script.shownCount(), 2);
}

TEST_F(TextFitTest, NetworkDialogShowsItsTextsWhole) {
    const Dialog::Script script([](Dialog& dialog) {
        EXPECT_THAT(layoutFaults(dialog), IsEmpty());
        return ModalResult::Cancel;
    });
    Main().Action(Command::ToggleMode).trigger();
    EXPECT_EQ(script.shownCount(), 1);
}

TEST_F(TextFitTest, HelpBoxShowsEveryPageWhole) {
    const Dialog::Script script([](Dialog& dialog) {
        auto& about = dynamic_cast<TfAbout&>(dialog);
        for (int page = 0; page < about.Pages->count(); ++page) {
            about.Pages->setCurrentIndex(page);
            EXPECT_THAT(layoutFaults(dialog), IsEmpty())
                << about.Pages->tabText(page).toStdString();
        }
        return ModalResult::Ok;
    });
    Main().Action(Command::About).trigger();
    EXPECT_EQ(script.shownCount(), 1);
}

// A peer that names itself with a long name of wide letters: once the name has come, every
// text that names it shows whole, the first one as the game starts.
TEST_F(NetworkTest, APeerWithALongNameIsShownWhole) {
    const std::string wide = "WWWWWWWWWWW"; // as long as a peer's name is taken
    PlainPeer peer;
    ListenAndConnect(peer, wide);
    EXPECT_EQ(Main().StatusText(1), "Opponent " + wide + ". Your move");
    EXPECT_THAT(layoutFaults(Main()), IsEmpty());
    for (const std::string& text : FirstPanelTexts({})) {
        if (text.find(kPeerNames[0]) == std::string::npos)
            continue;
        std::string named = text;
        named.replace(named.find(kPeerNames[0]), kPeerNames[0].size(), wide);
        Main().SetStatus(named, "-", "-");
        EXPECT_THAT(layoutFaults(Main()), IsEmpty()) << named;
    }
}

} // namespace
} // namespace kolvantest
