// Layout units, the random source, the file query and the input box.
#include "platform/app/clock.h"
#include "platform/vbforms/runtime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>

namespace platform::vbforms {
namespace {

TEST(Twips, BecomePixelsAtFifteenToOne) {
    const std::pair<int, int> cases[] = {{0, 0},     {7, 0},      {8, 1},   {15, 1},
                                         {1455, 97}, {7650, 510}, {-15, -1}};
    for (auto [twips, pixels] : cases)
        EXPECT_EQ(twipsToPixels(twips), pixels) << twips;
}

TEST(Fonts, PointsBecomePixelsAtNinetySixDpi) {
    const std::pair<double, int> cases[] = {{8.25, 11}, {12, 16}, {20.25, 27}, {48, 64}};
    for (auto [points, pixels] : cases)
        EXPECT_EQ(pointsToPixels(points), pixels) << points;
}

TEST(Random, DrawsStayBelowOne) {
    for (int i = 0; i < 100000; ++i) {
        const float r = Rnd();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
}

TEST(Random, ReseedingWithAStillClockDoesNotRepeatTheDraw) {
    platform::app::TestClock clock(1234);
    std::set<int> rolls;
    for (int i = 0; i < 200; ++i) {
        Randomize();
        rolls.insert(static_cast<int>(static_cast<double>(Rnd()) * 1001));
    }
    // A reseed that replaced the state would give one roll for ever.
    EXPECT_GT(rolls.size(), 150u);
}

TEST(Random, ScriptedValuesComeFirst) {
    testing::ScriptedRnd script({0.25f, 0.75f});
    EXPECT_EQ(Rnd(), 0.25f);
    Randomize();
    EXPECT_EQ(Rnd(), 0.75f);
    EXPECT_TRUE(script.values.empty());
    const float next = Rnd();
    EXPECT_TRUE(next >= 0.0f && next < 1.0f);
}

class FileQuery : public ::testing::Test {
protected:
    FileQuery() : previous(QDir::currentPath()) {
        QDir root(folder.path());
        root.mkpath("Sounds/dir.wav");
        for (const char* name : {"Sounds/Win.WAV", "Sounds/.hidden.wav"}) {
            QFile file(root.filePath(name));
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        }
        QDir::setCurrent(folder.path());
    }
    ~FileQuery() override { QDir::setCurrent(previous); }

    QTemporaryDir folder;
    QString previous;
};

TEST_F(FileQuery, FindsOrdinaryFilesInAnyCaseWithEitherSeparator) {
    const std::pair<const char*, bool> cases[] = {
        {"sounds\\win.wav", true},      {"SOUNDS\\WIN.WAV", true},
        {"sounds/Win.wav", true},       {".\\sounds\\win.wav", true},
        {"sounds\\dir.wav", false},     // a folder
        {"sounds\\.hidden.wav", false}, // hidden
        {"sounds\\missing.wav", false}, {"", false},
    };
    for (auto [path, exists] : cases)
        EXPECT_EQ(FileExists(path), exists) << path;
    EXPECT_TRUE(FileExists(folder.path().toStdString() + "/SOUNDS/win.wav"));
}

TEST(InputBoxes, ScriptedAnswersAndCancel) {
    testing::ScriptedInputBoxes script({"Ann", ""});
    EXPECT_EQ(InputBox("Name:", "Title", ""), std::optional<std::string>("Ann"));
    EXPECT_EQ(InputBox("Name:", "Title", ""), std::optional<std::string>(""));
    EXPECT_EQ(InputBox("Again:", "Title", ""), std::nullopt); // none left: Cancel
    ASSERT_EQ(script.shown.size(), 3u);
    EXPECT_EQ(script.shown[2].prompt, "Again:");
    EXPECT_EQ(script.shown[2].title, "Title");
}

} // namespace
} // namespace platform::vbforms
