// The sounds tool: every sound the solitaire program plays ships as a playable WAV of a
// fitting length, and the tool writes the same bytes on every run.
#include "platform/sound/sound.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

namespace fs = std::filesystem;

std::string soundsDir() {
    return std::string(std::getenv("ZV_DIST_DIR")) + "/Zevodadu/SOUNDS/";
}

std::string contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int runTool(const fs::path& folder) {
    return std::system(
        (std::string(ZV_MAKE_SOLITAIRE_SOUNDS) + " '" + folder.string() + "'").c_str());
}

struct Shipped {
    const char* name; // as the program asks for it
    int longestMs;    // played while the table waits, or looped: kept short
};

} // namespace

TEST(SolitaireSoundsTest, EverySoundTheProgramPlaysShipsAndIsShort) {
    const Shipped sounds[] = {
        {"Splash", 2000},  {"About.wav", 2000},     {"Won", 2000},          {"New", 600},
        {"Shuffle", 600},  {"Face_up", 300},        {"card_down.wav", 300}, {"card_up.wav", 300},
        {"Redeal", 800},   {"Foundation.wav", 400}, {"Autoplay.wav", 400},  {"Tableau", 300},
        {"Eddy.wav", 600}, {"Stock", 300},          {"Pairing", 600}};
    for (const Shipped& sound : sounds) {
        // The program names some with the extension and some without, as here.
        const int length = platform::sound::lengthMs(soundsDir() + sound.name);
        EXPECT_GT(length, 0) << sound.name;
        EXPECT_LE(length, sound.longestMs) << sound.name;
    }
}

TEST(SolitaireSoundsTest, TheToolWritesTheSameBytesEveryTime) {
    const fs::path root = fs::temp_directory_path() / ("zv-sounds-" + std::to_string(::getpid()));
    fs::remove_all(root);
    ASSERT_EQ(runTool(root / "a"), 0);
    ASSERT_EQ(runTool(root / "b"), 0);
    int files = 0;
    for (const auto& entry : fs::directory_iterator(root / "a")) {
        ++files;
        const fs::path other = root / "b" / entry.path().filename();
        EXPECT_EQ(contents(entry.path()), contents(other)) << entry.path().filename();
        EXPECT_EQ(contents(entry.path()), contents(soundsDir() + entry.path().filename().string()))
            << "the shipped " << entry.path().filename() << " is not the tool's";
    }
    EXPECT_EQ(files, 15);
    fs::remove_all(root);
}

TEST(SolitaireSoundsTest, TheToolReportsAFolderItCannotWrite) {
    const fs::path blocker =
        fs::temp_directory_path() / ("zv-sounds-file-" + std::to_string(::getpid()));
    std::ofstream(blocker) << "not a folder";
    EXPECT_NE(runTool(blocker), 0);
    fs::remove(blocker);
}
