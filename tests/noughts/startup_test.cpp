// The start-up screen: its sound, the check of the sound files and the opening of the game
// window, in the program folder (with the sounds) and in a folder without them.
#include "program_fixture.h"

#include <QDir>
#include <QTemporaryDir>

namespace noughts::test {
namespace {

using Texts = std::vector<std::string>;

TEST_F(ProgramTest, StartUpScreenPlaysItsSoundAndFindsTheFiles) {
    program.start();
    ASSERT_TRUE(program.splash.loaded());
    Splash& splash = *program.splash.get();
    EXPECT_EQ(splash.info->text(), "Click anywhere to continue. . .");
    EXPECT_EQ(splash.startupCheck(), "file exists");
    ASSERT_FALSE(mci.commands.empty());
    EXPECT_EQ(mci.commands.front().control, "MMControl2");
    EXPECT_EQ(mci.commands.front().command, "Open"); // no leading close
    EXPECT_EQ(sounds.played(), Texts{"sounds\\startup.WAV"});
    EXPECT_FALSE(program.main.loaded());
}

TEST_F(ProgramTest, ClickWithAllSoundsPresentOpensTheGameWindowAtOnce) {
    program.start();
    QTest::mouseClick(program.splash.get(), Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(program.splash.loaded());
    ASSERT_TRUE(program.main.loaded());
    EXPECT_TRUE(main().isVisible());
    EXPECT_FALSE(program.ended());
    // The start-up player is closed; the game window's sound plays on its own control.
    const auto closed = std::ranges::find_if(mci.commands, [](const auto& c) {
        return c.control == "MMControl2" && c.command == "close";
    });
    EXPECT_NE(closed, mci.commands.end());
    const Texts played = sounds.played();
    ASSERT_FALSE(played.empty());
    EXPECT_EQ(played.back(), "sounds\\main.WAV");
}

TEST_F(ProgramTest, AClickOnThePromptContinuesLikeAnyOther) {
    program.start();
    QTest::mouseClick(program.splash->info, Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_FALSE(program.splash.loaded());
    EXPECT_TRUE(program.main.loaded());
}

class StartUpWithoutSounds : public ProgramTest {
protected:
    StartUpWithoutSounds() : programFolder(QDir::currentPath()) {
        QDir::setCurrent(emptyFolder.path());
    }
    ~StartUpWithoutSounds() override { QDir::setCurrent(programFolder); }

    QString programFolder;
    QTemporaryDir emptyFolder;
};

TEST_F(StartUpWithoutSounds, EveryMissingFileIsReportedInOrderThenTheGameWindowOpens) {
    program.start();
    EXPECT_EQ(program.splash->startupCheck(), "no file");
    QTest::mouseClick(program.splash.get(), Qt::LeftButton);
    deleteUnloadedForms();
    EXPECT_EQ(
        shownTexts(),
        (Texts{"The file 'about.wav' does not exist", "The file 'button.wav' does not exist",
               "The file 'draw.wav' does not exist", "The file 'main.wav' does not exist",
               "The file 'menubutton.wav' does not exist", "The file 'win.wav' does not exist"}));
    for (const auto& box : boxes.shown()) {
        EXPECT_EQ(box.caption, "Noughts and Crosses");
        EXPECT_EQ(box.buttons, Buttons::Ok);
    }
    EXPECT_TRUE(program.main.loaded());
    // Every sound is silent: the commands go out, nothing plays.
    EXPECT_FALSE(mci.commands.empty());
    EXPECT_TRUE(sounds.played().empty());
}

TEST_F(StartUpWithoutSounds, OnlyTheMissingFilesAreReported) {
    QDir(emptyFolder.path()).mkdir("SOUNDS");
    for (const char* name : {"ABOUT.WAV", "draw.wav", "Main.Wav", "win.wav"}) {
        QFile file(emptyFolder.path() + "/SOUNDS/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    program.start();
    QTest::mouseClick(program.splash.get(), Qt::LeftButton);
    EXPECT_EQ(shownTexts(), (Texts{"The file 'button.wav' does not exist",
                                   "The file 'menubutton.wav' does not exist"}));
}

} // namespace
} // namespace noughts::test
