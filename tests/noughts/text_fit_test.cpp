// Every form shows each of its texts whole at the platform's fonts: the start-up screen, the
// game window with long player names and every status line, the three boxes with each of
// their texts.
#include "program_fixture.h"

#include "tests/platform/forms/text_fit.h"

#include <gmock/gmock.h>

namespace noughts::test {
namespace {

using ::testing::IsEmpty;
using textfit::layoutFaults;

class TextFitTest : public ProgramTest {};

TEST_F(TextFitTest, StartUpScreenShowsItsPromptWhole) {
    program.start();
    ASSERT_TRUE(program.splash.loaded());
    EXPECT_THAT(layoutFaults(*program.splash.get()), IsEmpty());
}

TEST_F(TextFitTest, GameWindowShowsNamesScoresAndStatusLinesWhole) {
    openGameWindow();
    EXPECT_THAT(layoutFaults(main()), IsEmpty()) << "at start";
    names.answers = {"Christopher", "Maximiliane"};
    rolls.values.push_back(xStarts);
    newGame(Mode::twoPlayers);
    EXPECT_THAT(layoutFaults(main()), IsEmpty()) << "two long names";
    for (const ScoreLabel score : {ScoreLabel::total, ScoreLabel::draws, ScoreLabel::onewins,
                                   ScoreLabel::onelosses, ScoreLabel::twowins,
                                   ScoreLabel::twolosses})
        main().setScore(score, "999");
    EXPECT_THAT(layoutFaults(main()), IsEmpty()) << "three-digit scores";
    for (const char* status :
         {"Ready", "Initializing players. . .", "Resetting grid. . .", "Resetting table. . .",
          "Determining player to start. . .", "Checking grid matchup. . .", "Draw detected. . .",
          "Winner detected. . .", "Game paused", "Game unpaused", "Computer is thinking. . ."}) {
        main().setProgress(status);
        EXPECT_THAT(layoutFaults(main()), IsEmpty()) << status;
    }
}

TEST_F(TextFitTest, NewGameBoxShowsItsChoicesWhole) {
    openGameWindow();
    QTest::mouseClick(main().startnewgame, Qt::LeftButton);
    ASSERT_TRUE(program.gametype.loaded());
    EXPECT_THAT(layoutFaults(*program.gametype.get()), IsEmpty());
}

TEST_F(TextFitTest, RulesBoxShowsEachOfItsTextsWhole) {
    openGameWindow();
    main().menu_rulesmenu->trigger();
    ASSERT_TRUE(program.rules.loaded());
    Rules& rules = *program.rules.get();
    EXPECT_THAT(layoutFaults(rules), IsEmpty()) << "the opening text";
    rules.maintext_DblClick();
    EXPECT_THAT(layoutFaults(rules), IsEmpty()) << "the joke";
    rules.maintext_DblClick();
    EXPECT_THAT(layoutFaults(rules), IsEmpty()) << "the second text";
    rules.Form_DblClick();
    rules.Form_DblClick();
    EXPECT_THAT(layoutFaults(rules), IsEmpty()) << "the second text, centred";
}

TEST_F(TextFitTest, AboutBoxShowsItsVersionAndEveryJokeWhole) {
    openGameWindow();
    main().menu_About_game->trigger();
    ASSERT_TRUE(program.about.loaded());
    About& about = *program.about.get();
    EXPECT_THAT(layoutFaults(about), IsEmpty()) << "the version";
    for (const QString& joke : About::jokeCaptions) {
        about.Form_DblClick();
        EXPECT_EQ(about.Label1->text(), joke);
        EXPECT_THAT(layoutFaults(about), IsEmpty()) << joke.toStdString();
    }
}

} // namespace
} // namespace noughts::test
