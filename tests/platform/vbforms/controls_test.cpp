// The two controls driven by dispatch identifiers: the WAV player and the progress bar.
#include "platform/sound/sound.h"
#include "platform/vbforms/runtime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <stdexcept>

namespace platform::vbforms {
namespace {

using platform::sound::Event;
using platform::sound::Mode;

class WavPlayer : public ::testing::Test {
protected:
    WavPlayer() : previous(QDir::currentPath()) {
        QDir(folder.path()).mkdir("sounds");
        QFile file(folder.path() + "/sounds/beep.wav");
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        QDir::setCurrent(folder.path());
    }
    ~WavPlayer() override { QDir::setCurrent(previous); }

    void play(MMControl& control, const std::string& file, bool wait = false,
              const std::string& device = "WaveAudio") {
        control.put(MMControl::notify, false);
        control.put(MMControl::wait, wait);
        control.put(MMControl::shareable, false);
        control.put(MMControl::deviceType, device);
        control.put(MMControl::fileName, file);
        control.put(MMControl::command, std::string("Open"));
        control.put(MMControl::command, std::string("Play"));
    }
    std::vector<Event::Kind> kinds() const {
        std::vector<Event::Kind> result;
        for (const Event& e : sounds.events())
            result.push_back(e.kind);
        return result;
    }

    QTemporaryDir folder;
    QString previous;
    platform::sound::Recorder sounds;
    testing::RecordedCommands commands;
    MMControl control{"MMControl1"};
};

TEST_F(WavPlayer, PlaysAnOpenedFileAndWaitsOnlyWhenAsked) {
    play(control, "SOUNDS\\Beep.WAV");
    EXPECT_TRUE(control.isOpen());
    play(control, "sounds\\beep.wav", true);
    ASSERT_EQ(sounds.played(), (std::vector<std::string>{"SOUNDS\\Beep.WAV", "sounds\\beep.wav"}));
    // Opening again closes the first sound, which this control played.
    EXPECT_EQ(kinds(),
              (std::vector<Event::Kind>{Event::Kind::Play, Event::Kind::Stop, Event::Kind::Play}));
    EXPECT_EQ(sounds.events()[0].mode, Mode::Async);
    EXPECT_EQ(sounds.events()[2].mode, Mode::Sync);
}

TEST_F(WavPlayer, CommandsIgnoreCase) {
    control.put(MMControl::deviceType, std::string("waveaudio"));
    control.put(MMControl::fileName, std::string("sounds\\beep.wav"));
    control.put(MMControl::command, std::string("oPeN"));
    control.put(MMControl::command, std::string("PLAY"));
    control.put(MMControl::command, std::string("close"));
    EXPECT_FALSE(control.isOpen());
    EXPECT_EQ(kinds(), (std::vector<Event::Kind>{Event::Kind::Play, Event::Kind::Stop}));
    ASSERT_EQ(commands.commands.size(), 3u);
    EXPECT_EQ(commands.commands[0].command, "oPeN");
    EXPECT_TRUE(commands.commands[0].open);
    EXPECT_EQ(commands.commands[0].control, "MMControl1");
}

TEST_F(WavPlayer, MissingFileOrOtherDevicePlaysNothing) {
    play(control, "sounds\\missing.wav");
    EXPECT_FALSE(control.isOpen());
    play(control, "sounds\\beep.wav", false, "CDAudio");
    EXPECT_FALSE(control.isOpen());
    EXPECT_TRUE(sounds.events().empty());
    EXPECT_EQ(commands.commands.size(), 4u); // the commands still went out
}

TEST_F(WavPlayer, ClosingStopsOnlyTheControlThatPlayedLast) {
    MMControl other("MMControl2");
    play(control, "sounds\\beep.wav");
    other.put(MMControl::command, std::string("Close"));
    EXPECT_EQ(kinds(), std::vector<Event::Kind>{Event::Kind::Play});
    control.put(MMControl::command, std::string("Close"));
    EXPECT_EQ(kinds(), (std::vector<Event::Kind>{Event::Kind::Play, Event::Kind::Stop}));
}

TEST_F(WavPlayer, RejectsWhatItDoesNotKnow) {
    EXPECT_THROW(control.put(MMControl::command, std::string("Rewind")), std::invalid_argument);
    EXPECT_THROW(control.put(MMControl::command, true), std::invalid_argument);
    EXPECT_THROW(control.put(MMControl::wait, std::string("yes")), std::invalid_argument);
    EXPECT_THROW(control.put(99, 1.0f), std::invalid_argument);
}

TEST(ProgressBarControl, PutsAndReadsBackByIdentifier) {
    ProgressBar bar;
    EXPECT_EQ(bar.get(ProgressBar::minimum), 0.0f);
    EXPECT_EQ(bar.get(ProgressBar::maximum), 100.0f);
    int changes = 0;
    bar.setView([&] { ++changes; });
    bar.put(ProgressBar::maximum, 200.0f);
    bar.put(ProgressBar::value, 150.0f);
    EXPECT_EQ(bar.get(ProgressBar::value), 150.0f);
    bar.put(ProgressBar::maximum, 100.0f); // a smaller range pulls the value in
    EXPECT_EQ(bar.get(ProgressBar::value), 100.0f);
    bar.put(ProgressBar::minimum, 10.0f);
    EXPECT_EQ(bar.get(ProgressBar::minimum), 10.0f);
    EXPECT_EQ(changes, 4);
}

TEST(ProgressBarControl, RejectsValuesOutsideItsRangeAndUnknownIdentifiers) {
    ProgressBar bar;
    EXPECT_THROW(bar.put(ProgressBar::value, 101.0f), std::out_of_range);
    EXPECT_THROW(bar.put(ProgressBar::value, -1.0f), std::out_of_range);
    EXPECT_THROW(bar.put(ProgressBar::value, std::string("50")), std::invalid_argument);
    EXPECT_THROW(bar.put(3, 1.0f), std::invalid_argument);
    EXPECT_THROW(bar.get(4), std::invalid_argument);
    EXPECT_EQ(bar.get(ProgressBar::value), 0.0f);
}

} // namespace
} // namespace platform::vbforms
