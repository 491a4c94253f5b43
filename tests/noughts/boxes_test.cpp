// The new-game, rules and about boxes, driven through their own handlers.
#include "program_fixture.h"

#include <QDir>
#include <QImage>

namespace noughts::test {
namespace {

using Texts = std::vector<std::string>;

TEST_F(ProgramTest, NewGameBoxFinishAtOnceStartsAGameAgainstTheHardPlayer) {
    openGameWindow();
    QTest::mouseClick(main().startnewgame, Qt::LeftButton);
    GameType& box = *program.gametype.get();
    EXPECT_EQ(box.windowTitle(), "Select game type. . .");
    EXPECT_TRUE(box.playerone->isChecked());
    EXPECT_TRUE(box.hardlevel->isChecked());
    names.answers = {"Ann"};
    rolls.values = {xStarts};
    QTest::mouseClick(box.finish, Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_FALSE(program.gametype.loaded());
    EXPECT_FALSE(game().twoplayer);
    EXPECT_TRUE(game().hardgame);
    EXPECT_EQ(game().p2name, "Computer");
}

TEST_F(ProgramTest, TwoPlayersDisablesTheLevelsAndOnePlayerGivesThemBack) {
    openGameWindow();
    main().menu_startnewgame->trigger();
    GameType& box = *program.gametype.get();
    QTest::mouseClick(box.easylevel, Qt::LeftButton);
    QTest::mouseClick(box.playertwo, Qt::LeftButton);
    EXPECT_FALSE(box.hardlevel->isEnabled());
    EXPECT_FALSE(box.easylevel->isEnabled());
    EXPECT_TRUE(box.easylevel->isChecked());
    QTest::mouseClick(box.playerone, Qt::LeftButton);
    EXPECT_TRUE(box.hardlevel->isEnabled());
    EXPECT_TRUE(box.easylevel->isChecked());
    EXPECT_FALSE(box.playertwo->isChecked());
}

TEST_F(ProgramTest, TwoPlayersKeepsTheLevelOfTheLastGame) {
    openGameWindow();
    startGame(Mode::easy, xStarts);
    startGame(Mode::twoPlayers, xStarts);
    EXPECT_TRUE(game().twoplayer);
    EXPECT_FALSE(game().hardgame);
}

TEST_F(ProgramTest, BackAndTheCloseBoxLeaveTheRunningGameAlone) {
    openGameWindow();
    startGame(Mode::twoPlayers, xStarts);
    play({4, 0});
    QTest::mouseClick(main().startnewgame, Qt::LeftButton);
    QTest::mouseClick(program.gametype->back, Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_FALSE(program.gametype.loaded());
    main().menu_startnewgame->trigger();
    program.gametype->close();
    deleteUnloadedForms();
    EXPECT_FALSE(program.gametype.loaded());
    EXPECT_EQ(board(), "O...X....");
    EXPECT_EQ(names.shown.size(), 2u);
    EXPECT_FALSE(program.ended());
}

// Keys reach a box through its window, as the window system delivers them: Enter answers as
// the box's main button, Esc as the button that leaves it.
TEST_F(ProgramTest, EnterAndEscAnswerTheBoxesAsTheirButtons) {
    openGameWindow();
    const auto press = [](QWidget* box, Qt::Key key) {
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(box));
        QTest::keyClick(box->windowHandle(), key);
        deleteUnloadedForms();
    };
    QTest::mouseClick(main().startnewgame, Qt::LeftButton);
    press(program.gametype.get(), Qt::Key_Escape);
    EXPECT_FALSE(program.gametype.loaded()) << "Esc goes back";
    EXPECT_TRUE(names.shown.empty()) << "and starts no game";

    names.answers = {"Ann"};
    rolls.values = {xStarts};
    QTest::mouseClick(main().startnewgame, Qt::LeftButton);
    press(program.gametype.get(), Qt::Key_Return);
    EXPECT_FALSE(program.gametype.loaded());
    EXPECT_EQ(names.shown.size(), 1u) << "Enter finishes: the game asks the name";
    EXPECT_EQ(game().p2name, "Computer");

    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        main().menu_rulesmenu->trigger();
        press(program.rules.get(), key);
        EXPECT_FALSE(program.rules.loaded()) << key;
        main().menu_About_game->trigger();
        press(program.about.get(), key);
        EXPECT_FALSE(program.about.loaded()) << key;
        EXPECT_TRUE(main().isActiveWindow()) << "the game window is in front again";
    }
}

TEST_F(ProgramTest, RulesBoxDoubleClicksToggleTheText) {
    openGameWindow();
    sounds.clear();
    mci.commands.clear();
    main().menu_rulesmenu->trigger();
    ASSERT_TRUE(program.rules.loaded());
    Rules& rules = *program.rules.get();
    EXPECT_EQ(sounds.played(), Texts{"sounds\\about.WAV"});
    EXPECT_EQ(mci.commands.front().control, "MMControl1");
    EXPECT_EQ(rules.maintext->text(), Rules::openingText);

    struct Step {
        QWidget* target;
        const QString& text;
        int pixels;
        Qt::Alignment horizontal;
    };
    const Step steps[] = {
        {rules.maintext, Rules::jokeText, pointsToPixels(20), Qt::AlignHCenter},
        {rules.maintext, Rules::secondText, pointsToPixels(8), Qt::AlignLeft},
        // A double-click on the surface keeps the alignment the text's double-click set.
        {&rules, Rules::jokeText, pointsToPixels(20), Qt::AlignLeft},
        {rules.maintext, Rules::secondText, pointsToPixels(8), Qt::AlignLeft},
        {rules.maintext, Rules::jokeText, pointsToPixels(20), Qt::AlignHCenter},
        {&rules, Rules::secondText, pointsToPixels(8), Qt::AlignHCenter},
    };
    for (const Step& step : steps) {
        QTest::mouseDClick(step.target, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(rules.maintext->text(), step.text);
        EXPECT_EQ(rules.maintext->font().pixelSize(), step.pixels);
        EXPECT_EQ(rules.maintext->alignment() & Qt::AlignHorizontal_Mask, step.horizontal);
    }
    EXPECT_TRUE(Rules::secondText.endsWith("bottom left."));

    QTest::mouseClick(rules.okbutton, Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_FALSE(program.rules.loaded());
    main().menu_rulesmenu->trigger();
    EXPECT_EQ(program.rules->maintext->text(), Rules::openingText); // nothing is kept
}

// Only the box's own surface and the rules text answer a double click: the other labels keep
// it to themselves.
TEST_F(ProgramTest, DoubleClicksOnTheBoxesOtherLabelsChangeNothing) {
    openGameWindow();
    main().menu_rulesmenu->trigger();
    Rules& rules = *program.rules.get();
    const QList<QLabel*> rulesLabels = rules.findChildren<QLabel*>();
    ASSERT_EQ(rulesLabels.size(), 4);
    for (QLabel* label : rulesLabels)
        if (label != rules.maintext)
            QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(rules.maintext->text(), Rules::openingText);
    QTest::mouseDClick(&rules, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(rules.maintext->text(), Rules::jokeText);

    main().menu_About_game->trigger();
    About& about = *program.about.get();
    const QList<QLabel*> aboutLabels = about.findChildren<QLabel*>();
    ASSERT_EQ(aboutLabels.size(), 2);
    for (QLabel* label : aboutLabels)
        QTest::mouseDClick(label, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(about.Label1->text(), "Version 1.07");
    QTest::mouseDClick(&about, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(about.Label1->text(), About::jokeCaptions[0]);
}

TEST_F(ProgramTest, AboutBoxCyclesItsCaptionsAndOkBringsTheGameWindowBack) {
    openGameWindow();
    main().menu_About_game->trigger();
    ASSERT_TRUE(program.about.loaded());
    About& about = *program.about.get();
    EXPECT_EQ(about.Label1->text(), "Version 1.07");
    const QString expected[] = {About::jokeCaptions[0], About::jokeCaptions[1],
                                About::jokeCaptions[2], About::jokeCaptions[0]};
    for (const QString& caption : expected) {
        QTest::mouseDClick(&about, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(about.Label1->text(), caption);
        EXPECT_NE(caption, "Version 1.07");
    }
    QTest::mouseClick(about.Command1, Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_FALSE(program.about.loaded());
    EXPECT_TRUE(main().isVisible());
    main().menu_About_game->trigger();
    EXPECT_EQ(program.about->Label1->text(), "Version 1.07");
}

TEST_F(ProgramTest, PicturesOfTheStartUpScreenAndTheBoxes) {
    const QString folder = qEnvironmentVariable("ZV_TEST_OUTPUT_DIR");
    ASSERT_FALSE(folder.isEmpty());
    QDir().mkpath(folder);
    const auto save = [&](QWidget* form, QSize clientSize, const char* name) {
        const QImage picture = form->grab().toImage();
        EXPECT_EQ(picture.size(), clientSize) << name;
        EXPECT_TRUE(picture.save(folder + "/" + name)) << name;
    };
    program.start();
    save(program.splash.get(), QSize(399, 248), "gridlet-startup.png");
    QTest::mouseClick(program.splash.get(), Qt::LeftButton);
    main().menu_startnewgame->trigger();
    save(program.gametype.get(), QSize(241, 139), "gridlet-newgame.png");
    main().menu_rulesmenu->trigger();
    save(program.rules.get(), QSize(446, 336), "gridlet-rules.png");
    main().menu_About_game->trigger();
    save(program.about.get(), QSize(398, 249), "gridlet-about.png");
}

} // namespace
} // namespace noughts::test
