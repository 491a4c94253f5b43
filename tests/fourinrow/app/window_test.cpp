// The main window driven through its own handlers: clicks and keys, the computer's answer,
// wins, undo, next game, Break, closing while the computer thinks, files.

#include "kolvan_fixture.h"

#include "platform/app/clock.h"
#include "platform/forms/desktop.h"
#include "platform/forms/filedialog.h"

#include <QAction>
#include <QProgressBar>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "fourinrow/app/pictures.h"
#include "fourinrow/app/track_bar.h"

namespace kolvantest {
namespace {

using platform::app::CursorShape;
using platform::forms::Dialog;
using platform::forms::ModalResult;

class WindowTest : public KolvanTest {
protected:
    void SetUp() override {
        KolvanTest::SetUp();
        StartProgram();
    }

    // New Game with the options dialog answered by `change` and OK.
    void ChooseOptions(const std::function<void(TfOptions&)>& change) {
        const Dialog::Script script([&](Dialog& dialog) {
            auto* options = dynamic_cast<TfOptions*>(&dialog);
            EXPECT_NE(options, nullptr);
            if (options)
                change(*options);
            return ModalResult::Ok;
        });
        Main().Action(Command::NewGame).trigger();
    }
    void ChooseTwoPlayers() {
        ChooseOptions([](TfOptions& options) { options.RGPlayersTwo->setChecked(true); });
    }
    void ChooseLevel(int level) {
        ChooseOptions([level](TfOptions& options) { options.TBLevel->setValue(level); });
    }

    // Runs `action` from the event loop once the computer is thinking.
    void WhileThinking(std::function<void()> action) {
        thinkingTimer_ = std::make_unique<QTimer>();
        // Every pass of an event loop, the search's pumps included: a quick search may end
        // before any timer with an interval comes due.
        thinkingTimer_->setInterval(0);
        QObject::connect(thinkingTimer_.get(), &QTimer::timeout, [this, action] {
            if (!Game().IsThinking())
                return;
            thinkingTimer_->stop();
            action();
        });
        thinkingTimer_->start();
    }

    platform::gdi::Color HoleColour(int column, int row) {
        return Main().Board().frontBuffer().pixel(50 * column - 20, 323 - 45 * row);
    }

    std::unique_ptr<QTimer> thinkingTimer_;
};

constexpr platform::gdi::Color kRed = 0x0000FF;
constexpr platform::gdi::Color kYellow = 0x00FFFF;
constexpr platform::gdi::Color kHole = 0x000000;

TEST_F(WindowTest, StartsReadyForTheFirstMove) {
    EXPECT_EQ(Main().windowTitle(), "Kolvan 32 - Normal Mode");
    EXPECT_EQ(Main().Board().width(), 361);
    // The status bar under the board may take two lines where the platform's font needs them.
    EXPECT_GE(Main().Board().height(), 322);
    const std::string opponent = Game().GetOpponentName(Game().GetOpponentIndex());
    EXPECT_EQ(Main().StatusText(1), "Move or let " + opponent + " move first");
    EXPECT_EQ(Main().StatusText(2), "Level  1");
    EXPECT_EQ(Main().StatusText(3), opponent);
    EXPECT_FALSE(Main().Action(Command::Undo).isEnabled());
    EXPECT_FALSE(Main().Action(Command::Break).isEnabled());
    EXPECT_TRUE(Main().Action(Command::Move).isEnabled());
    EXPECT_EQ(HoleColour(4, 1), kHole);
}

TEST_F(WindowTest, ClickAndDigitKeyMoveAndTheComputerAnswers) {
    Click(4);
    ASSERT_EQ(Game().GetMoveCount(), 2);
    EXPECT_EQ(Moves()[0], '4');
    EXPECT_EQ(Game().GetLastMover(), 1);
    const std::string opponent = Game().GetOpponentName(Game().GetOpponentIndex());
    EXPECT_EQ(Main().StatusText(1),
              opponent + " picked " + std::string(1, Moves()[1]) + ". Your move");
    EXPECT_EQ(HoleColour(4, 1), kRed);
    const int reply = Moves()[1] - '0';
    EXPECT_EQ(HoleColour(reply, reply == 4 ? 2 : 1), kYellow);

    Type('3');
    ASSERT_EQ(Game().GetMoveCount(), 4);
    EXPECT_EQ(Moves()[2], '3');
    EXPECT_TRUE(Main().Action(Command::Undo).isEnabled());
    EXPECT_EQ(Main().BoardCursor(), CursorShape::HandPoint);
    SavePicture(Main(), "kolvan32-game-in-progress");
}

TEST_F(WindowTest, OtherKeysAndClicksBesideTheDiscsDoNothing) {
    for (char key : {'0', '8', 'a', ' '})
        Type(key);
    const std::pair<int, int> misses[] = {{55, 278}, {105, 100}, {200, 10}, {200, 310}};
    for (auto [x, y] : misses)
        ClickAt(x, y);
    EXPECT_EQ(Game().GetMoveCount(), 0);
}

TEST_F(WindowTest, TwoPlayersWinThenNextGameLetsTheOtherColourBegin) {
    ChooseTwoPlayers();
    EXPECT_EQ(Main().StatusText(2), "Human");
    EXPECT_EQ(Main().StatusText(3), "Two Players");
    EXPECT_EQ(Main().StatusText(1), "Make your first move Red");
    EXPECT_FALSE(Main().Action(Command::Move).isEnabled());
    for (int column : {1, 2, 1, 2, 1, 2}) {
        Click(column);
        EXPECT_FALSE(Main().Action(Command::Undo).isEnabled());
    }
    EXPECT_EQ(Main().StatusText(1), "Yellow picked 2. Your move Red");
    Click(1);
    EXPECT_EQ(Main().StatusText(1), "Red wins! Next Game to play again");
    EXPECT_EQ(Main().BoardCursor(), CursorShape::NoDrop);
    ASSERT_TRUE(Main().Action(Command::NextGame).isEnabled());
    Click(3); // the game is over
    EXPECT_EQ(Game().GetMoveCount(), 7);

    Main().Action(Command::NextGame).trigger();
    EXPECT_EQ(Game().GetMoveCount(), 0);
    EXPECT_EQ(Main().StatusText(1), "Make your first move Yellow");
    Click(5);
    EXPECT_EQ(HoleColour(5, 1), kYellow);
    EXPECT_EQ(HoleColour(1, 1), kHole);
}

TEST_F(WindowTest, UndoTakesBackTheReplyWithTheMove) {
    Click(4);
    Click(4);
    ASSERT_EQ(Game().GetMoveCount(), 4);
    Main().Action(Command::Undo).trigger();
    EXPECT_EQ(Game().GetMoveCount(), 2);
    EXPECT_EQ(Game().GetLastMover(), 1);
    Main().Action(Command::Undo).trigger();
    EXPECT_EQ(Game().GetMoveCount(), 0);
    EXPECT_EQ(HoleColour(4, 1), kHole);
    EXPECT_FALSE(Main().Action(Command::Undo).isEnabled());
}

TEST_F(WindowTest, FromLevelThreeUndoAndMoveStayDisabled) {
    ChooseLevel(3);
    EXPECT_EQ(Main().StatusText(2), "Level  3");
    Click(4);
    EXPECT_EQ(Game().GetMoveCount(), 2);
    EXPECT_FALSE(Main().Action(Command::Undo).isEnabled());
    EXPECT_FALSE(Main().Action(Command::Move).isEnabled());
}

TEST_F(WindowTest, MoveLetsTheComputerBeginAndPlaysForThePlayer) {
    Main().Action(Command::Move).trigger();
    ASSERT_EQ(Game().GetMoveCount(), 1);
    EXPECT_EQ(Game().GetLastMover(), 1);
    Main().Action(Command::Move).trigger(); // for the player, then the reply
    EXPECT_EQ(Game().GetMoveCount(), 3);
    EXPECT_EQ(Game().GetLastMover(), 1);
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
    EXPECT_FALSE(Main().Action(Command::Break).isEnabled());
}

TEST_F(WindowTest, BreakDuringTheReplyTakesBackThePlayersMove) {
    ChooseLevel(7);
    WhileThinking([this] {
        EXPECT_TRUE(Main().Action(Command::Break).isEnabled());
        EXPECT_FALSE(Main().Action(Command::NewGame).isEnabled());
        EXPECT_FALSE(Main().Action(Command::Open).isEnabled());
        EXPECT_EQ(Main().StatusText(1), "Thinking...");
        Click(2); // ignored while thinking
        Main().Action(Command::Break).trigger();
    });
    Click(4);
    EXPECT_EQ(Game().GetMoveCount(), 0);
    EXPECT_EQ(Main().BreakPressed, 1);
    EXPECT_FALSE(Main().Action(Command::Break).isEnabled());
    EXPECT_TRUE(Main().Action(Command::NewGame).isEnabled());
    EXPECT_EQ(HoleColour(4, 1), kHole);
}

TEST_F(WindowTest, BreakWhileMovingForThePlayerTakesNothingBack) {
    ChooseLevel(2);
    Click(4);
    ASSERT_EQ(Game().GetMoveCount(), 2);
    // A shallow search is quick: let it serve events at every leaf, so Break lands inside it.
    Game().SetMessagePump([] { platform::app::processMessages(); }, std::chrono::microseconds(0));
    WhileThinking([this] { Main().Action(Command::Break).trigger(); });
    Main().Action(Command::Move).trigger();
    EXPECT_EQ(Game().GetMoveCount(), 2);
    EXPECT_EQ(Main().BreakPressed, 1);
    Main().Action(Command::Undo).trigger(); // does nothing until the next computer move
    EXPECT_EQ(Game().GetMoveCount(), 2);
}

TEST_F(WindowTest, ProgressBarShowsWhileThinkingWhenChosen) {
    ChooseLevel(7);
    Main().Action(Command::ShowProgress).trigger();
    bool shown = false;
    WhileThinking([&] {
        shown = Main().ProgressBar().isVisible();
        Main().Action(Command::Break).trigger();
    });
    Click(4);
    EXPECT_TRUE(shown);
    EXPECT_FALSE(Main().ProgressBar().isVisible());
    EXPECT_EQ(Main().ProgressBar().value(), 0);
}

TEST_F(WindowTest, AutoMinimizeMinimizesWhileThinkingAndRestoresAfter) {
    const platform::app::TestClock clock;
    Main().Action(Command::AutoMinimize).trigger();
    EXPECT_TRUE(Game().GetSystemFlags().autoMinimize);
    ChooseLevel(7);
    bool minimized = false;
    WhileThinking([&] {
        minimized = platform::forms::applicationMinimized();
        Main().Action(Command::Break).trigger();
    });
    Click(4);
    EXPECT_TRUE(minimized);
    EXPECT_FALSE(platform::forms::applicationMinimized());
}

// Auto Minimize can be switched while the computer thinks: the setting at the end decides
// whether the window comes back.
TEST_F(WindowTest, AutoMinimizeSwitchedWhileThinkingDecidesTheRestore) {
    const platform::app::TestClock clock;
    ChooseLevel(7);
    for (const bool onAtStart : {false, true}) {
        if (Main().Action(Command::AutoMinimize).isChecked() != onAtStart)
            Main().Action(Command::AutoMinimize).trigger();
        const int before = Game().GetMoveCount();
        WhileThinking([&] {
            Main().Action(Command::AutoMinimize).trigger();
            // Minimized either way: by the setting, or by the player.
            platform::forms::minimizeApplication();
            Main().Action(Command::Break).trigger();
        });
        Click(4);
        ASSERT_EQ(Game().GetMoveCount(), before) << "the break takes the move back";
        EXPECT_EQ(platform::forms::applicationMinimized(), onAtStart) << onAtStart;
        platform::forms::restoreApplication();
    }
}

TEST_F(WindowTest, ClosingWhileTheComputerThinksSavesThePlayedPositionOnly) {
    ChooseLevel(7);
    Click(3);
    Main().Action(Command::Undo).trigger(); // level 7: disabled, nothing happens
    ASSERT_EQ(Game().GetMoveCount(), 2);
    const std::string played = Moves() + "4";
    WhileThinking([this] { Main().close(); });
    Click(4);
    EXPECT_FALSE(Main().isVisible());
    EXPECT_FALSE(Game().IsThinking());
    EXPECT_EQ(Moves(), played); // the search stopped without playing

    gameClass saved(File(TfKolvan32::kSettingsFile).string(), 1);
    EXPECT_EQ(saved.GetMoveCount(), 3);
    EXPECT_FALSE(saved.IsThinking());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(saved.Record().history[i], played[i] - '0');
}

TEST_F(WindowTest, ExitSavesTheUnfinishedGameAndTheNextStartHasIt) {
    Click(4);
    const std::string moves = Moves();
    Main().Action(Command::Exit).trigger();
    program_.reset();
    program_ = std::make_unique<Kolvan32Program>();
    Main().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&Main()));
    EXPECT_EQ(Moves(), moves);
    EXPECT_EQ(HoleColour(4, 1), kRed);
}

TEST_F(WindowTest, SaveAsWritesTheGameAndOpenBringsOneBack) {
    Click(4);
    const std::string moves = Moves();
    platform::forms::ScriptedFileDialogs dialogs;
    dialogs.answer(File("first").string());
    Main().Action(Command::SaveAs).trigger();
    ASSERT_TRUE(std::filesystem::exists(File("first.klv")));
    ASSERT_EQ(dialogs.shown().size(), 1u);
    EXPECT_EQ(dialogs.shown()[0].options.fileName, "game1");
    EXPECT_EQ(dialogs.shown()[0].options.filter, "Kolvan file (*.klv)|*.klv");

    // A position where the player wins with column 1.
    {
        gameClass nearWin(File("unused.dat").string(), 1);
        nearWin.SetFirstMover(0);
        for (int column : {1, 7, 1, 7, 1, 7})
            nearWin.DropPiece(column);
        nearWin.SaveGame(File("near-win.klv").string());
    }
    const int bestBefore = Game().GetBestLevel(Game().GetOpponentIndex());
    dialogs.answer(File("near-win.klv").string());
    Main().Action(Command::Open).trigger();
    EXPECT_EQ(Moves(), "171717");
    EXPECT_EQ(HoleColour(7, 3), kYellow);
    Click(1);
    EXPECT_EQ(Main().StatusText(1), "You win! Get ready for next game");
    EXPECT_GT(Game().GetBestLevel(Game().GetOpponentIndex()), bestBefore);
    EXPECT_TRUE(Main().Action(Command::NextGame).isEnabled());

    dialogs.answer(std::nullopt); // cancelled: nothing changes
    Main().Action(Command::Open).trigger();
    dialogs.answer(File("first.klv").string());
    Main().Action(Command::Open).trigger();
    EXPECT_EQ(Moves(), moves);
    Main().Action(Command::NextGame).trigger(); // disabled: the game is not over
    EXPECT_EQ(Moves(), moves);
}

// A full board on which neither colour has four at any time, red first.
constexpr const char* kDrawnGame = "656173566152215676422337377473141445425321";

// A game file of the given type (0 two players, 1 one player) and depth, red moving first.
void WriteGame(const std::filesystem::path& file, int gameType, int depth, const std::string& moves) {
    gameClass game((file.parent_path() / "scratch.dat").string(), 1);
    game.SetGameTypeAndLevel(gameType, depth);
    game.SetFirstMover(0);
    for (const char column : moves)
        ASSERT_TRUE(game.DropPiece(column - '0')) << moves;
    game.SaveGame(file.string());
}

// The end of a game, brought in with Open: its text, Next Game offered, no level change.
TEST_F(WindowTest, FinishedGamesShowTheirTexts) {
    struct Case {
        const char* name;
        int gameType;
        std::string moves;
        std::string text; // "%" stands for the opponent's name
    };
    const Case cases[] = {
        {"one player, drawn", 1, kDrawnGame, "Draw! Get ready for rematch"},
        {"one player, lost", 1, "12121232", "% wins! Get ready for revenge"},
        {"two players, drawn", 0, kDrawnGame, "Draw! Next Game to play again"},
    };
    platform::forms::ScriptedFileDialogs dialogs;
    for (const Case& c : cases) {
        WriteGame(File("ended.klv"), c.gameType, 5, c.moves);
        dialogs.answer(File("ended.klv").string());
        Main().Action(Command::Open).trigger();
        ASSERT_EQ(Moves(), c.moves) << c.name;
        std::string text = c.text;
        if (const auto at = text.find('%'); at != std::string::npos)
            text.replace(at, 1, Game().GetOpponentName(Game().GetOpponentIndex()));
        EXPECT_EQ(Main().StatusText(1), text) << c.name;
        EXPECT_TRUE(Main().Action(Command::NextGame).isEnabled()) << c.name;
        EXPECT_EQ(Game().GetLevel(), 2) << c.name;
    }
}

// A game the player has won counts when it is loaded, at start or with Open: the level moves
// on and the best level is recorded.
TEST_F(WindowTest, AWonGameLoadedMovesTheLevelOn) {
    const int opponent = Game().GetOpponentIndex();
    WriteGame(File("won.klv"), 1, 5, "1717171");
    platform::forms::ScriptedFileDialogs dialogs;
    dialogs.answer(File("won.klv").string());
    Main().Action(Command::Open).trigger();
    EXPECT_EQ(Main().StatusText(1), "You win! Get ready for next game");
    EXPECT_EQ(Game().GetLevel(), 3);
    EXPECT_EQ(Game().GetBestLevel(opponent), 3);

    // At start: the stored record holds the won game.
    program_.reset();
    WriteGame(File(TfKolvan32::kSettingsFile), 1, 6, "1717171");
    {
        gameClass stored(File(TfKolvan32::kSettingsFile).string(), 1);
        stored.TakeFirstRunFlag();
        stored.SaveGame(File(TfKolvan32::kSettingsFile).string());
    }
    program_ = std::make_unique<Kolvan32Program>();
    EXPECT_EQ(Main().StatusText(1), "You win! Get ready for next game");
    EXPECT_EQ(Game().GetLevel(), 4);
    EXPECT_EQ(Game().GetBestLevel(opponent), 4);
}

} // namespace
} // namespace kolvantest

namespace kolvantest {
namespace {

TEST(PicturesTest, EveryToolBarPictureHasAPlainAndAHotBitmapWithItsMaskColour) {
    for (const char* name :
         {"NETWORK", "NEW", "OPTIONS", "MOVE", "UNDO", "STOP", "MINIMIZE", "PROGRESS", "ABOUT"}) {
        QImage plain, hot;
        const auto plainBytes = BitmapResource(std::string("O") + name);
        const auto hotBytes = BitmapResource(std::string("H") + name);
        ASSERT_TRUE(
            plain.loadFromData(plainBytes.data(), static_cast<int>(plainBytes.size()), "BMP"))
            << name;
        ASSERT_TRUE(hot.loadFromData(hotBytes.data(), static_cast<int>(hotBytes.size()), "BMP"));
        EXPECT_EQ(plain.size(), QSize(16, 16)) << name;
        EXPECT_EQ(hot.size(), QSize(16, 16)) << name;
        EXPECT_NE(plain, hot) << name;
        // The corner pixel is the transparent colour, and the picture is more than that.
        const QRgb mask = hot.pixel(0, 15);
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                drawn += hot.pixel(x, y) != mask ? 1 : 0;
        EXPECT_GT(drawn, 10) << name;
    }
    EXPECT_FALSE(BitmapResource("MAINICON").empty());
    EXPECT_TRUE(BitmapResource("NOSUCH").empty());
}

class StoredRecordTest : public KolvanTest {};

TEST_F(StoredRecordTest, ARecordStoredWithTheThinkingFlagDoesNotBlockPlay) {
    GameStateRecord record = DefaultRecord();
    record.firstRun = 0;
    record.thinking = 1;
    ASSERT_TRUE(WriteRecordFile(File(TfKolvan32::kSettingsFile).string(), record));
    const platform::forms::Dialog::Script noHelpBox(
        [](platform::forms::Dialog&) { return platform::forms::ModalResult::Ok; });
    program_ = std::make_unique<Kolvan32Program>();
    Main().show();
    EXPECT_FALSE(Game().IsThinking());
    Click(4);
    EXPECT_EQ(Game().GetMoveCount(), 2);
}

} // namespace
} // namespace kolvantest
