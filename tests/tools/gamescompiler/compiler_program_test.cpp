// The compiler as the build runs it: sources in, GAMES.DAT out, or a message and no file.

#include "tools/gamescompiler/catalogue.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>

namespace gamescompiler {
namespace {

namespace fs = std::filesystem;

class CompilerProgram : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("zv-gamescompiler-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& content) const {
        const fs::path file = folder_ / name;
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }
    static std::string read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // Runs the compiler; its exit status, stderr captured in `errors_`.
    int compile(const std::vector<std::string>& sources) {
        std::string command = std::string(GAMESCOMPILER_PROGRAM) + " '" + output().string() + "'";
        for (const std::string& source : sources)
            command += " '" + source + "'";
        command += " 2>'" + (folder_ / "errors.txt").string() + "'";
        const int status = std::system(command.c_str());
        errors_ = read(folder_ / "errors.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    fs::path output() const { return folder_ / "GAMES.DAT"; }

    fs::path folder_;
    std::string errors_;
};

const std::string kGame = "id = 3\ncategory = 4\nedition = 0\nname = Three\ncards_in_play = 52\n";

TEST_F(CompilerProgram, WritesTheGamesFileLineByLine) {
    const std::string source = write("three.game", kGame);
    ASSERT_EQ(compile({source}), 0) << errors_;
    std::string expected;
    for (const std::string& line : buildGamesFile({readGameSource(source)}))
        expected += line + "\n";
    EXPECT_EQ(read(output()), expected);
}

TEST_F(CompilerProgram, AFaultySourceLeavesNoFile) {
    const std::string good = write("three.game", kGame);
    const std::string bad = write("bad.game", kGame + "stock_deal = 53\n");
    EXPECT_EQ(compile({good, bad}), 1);
    EXPECT_EQ(errors_, bad + ":5: deals 53 cards but has 52 in play\n");
    EXPECT_FALSE(fs::exists(output()));
}

TEST_F(CompilerProgram, AMissingSourceIsNamed) {
    const std::string missing = (folder_ / "none.game").string();
    EXPECT_EQ(compile({missing}), 1);
    EXPECT_EQ(errors_, missing + ":0: cannot be read\n");
    EXPECT_FALSE(fs::exists(output()));
}

} // namespace
} // namespace gamescompiler
