#include "platform/files/textfile.h"

#include "temp_dir.h"

using namespace platform::files;
using Lines = std::vector<std::string>;

class TextFileTest : public TempDirTest {};

TEST_F(TextFileTest, ReadsLinesEndedByCrLfOrLf) {
    const struct {
        std::string content;
        Lines lines;
    } cases[] = {
        {"", {}},
        {"one\r\ntwo\r\n", {"one", "two"}},
        {"one\ntwo\n", {"one", "two"}},
        {"one\r\ntwo", {"one", "two"}},
        {"a\n\r\n\nb", {"a", "", "", "b"}},
        {"cr\rinside\n", {"cr\rinside"}},
        {"\xe9t\xe9\n", {"\xe9t\xe9"}},
    };
    for (const auto& c : cases) {
        writeRaw("f.txt", c.content);
        const auto lines = readLines(path("F.TXT"));
        ASSERT_TRUE(lines) << c.content;
        EXPECT_EQ(*lines, c.lines) << c.content;
    }
}

TEST_F(TextFileTest, MissingFileOrAFolderReadsAsNothing) {
    EXPECT_FALSE(readLines(path("none.txt")));
    std::filesystem::create_directory(dir_ / "Sub");
    EXPECT_FALSE(readLines(path("SUB")));
}

TEST_F(TextFileTest, WritesCrLfLinesReplacingTheFile) {
    writeRaw("Out.txt", "old content that is longer\n");
    ASSERT_TRUE(writeLines(path("OUT.TXT"), {"Pellmoor version: 03.70", ""}));
    EXPECT_EQ(readRaw("Out.txt"), "Pellmoor version: 03.70\r\n\r\n");
    EXPECT_EQ(*readLines(path("out.txt")), (Lines{"Pellmoor version: 03.70", ""}));
}

TEST_F(TextFileTest, WriteFailsWhenTheFolderIsMissing) {
    EXPECT_FALSE(writeLines(path("missing/out.txt"), {"x"}));
}
