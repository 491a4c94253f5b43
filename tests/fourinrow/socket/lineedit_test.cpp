#include "fourinrow/socket/lineedit.h"

#include <gtest/gtest.h>

namespace fs = fourinrow::socket;

TEST(FindLineLength, FindsTheFirstCompleteLine) {
    struct Case {
        std::string data;
        std::size_t from;
        std::string lineEnd;
        std::size_t length;
    };
    const Case cases[] = {
        {"ab\r\ncd", 0, "\r\n", 4}, // the rest waits for its line end
        {"abcd", 0, "\r\n", 0},     // no line end yet
        {"ab\r", 0, "\r\n", 0},     // a line end split between two arrivals
        {"ab\r\n", 2, "\r\n", 4},   // search resumed just before the previous end
        {"a\nb\n", 0, "\n", 2},     // one-character line end
        {"ab\r\n", 0, "", 0},       // no line end set: never a line
        {"", 0, "\r\n", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fs::FindLineLength(c.data, c.from, c.lineEnd), c.length) << c.data;
}

TEST(EditReceivedBytes, EditsAndEchoesLikeATerminal) {
    struct Case {
        std::string held;
        std::string fresh;
        std::string edited;
        std::string echo;
        std::size_t kept; // leading held bytes left as they were
    };
    const Case cases[] = {
        {"", "abc", "abc", "abc", 0},
        {"", "ab\bc", "ac", "ab\b \bc", 0},
        {"ab", "\b\b\bx", "x", "\b \b\b \bx",
         0}, // backspaces reach into held bytes, not past the start
        {"abcd", "\b\b\b\r\n", "a\r\n", "\b \b\b \b\b \b\r\n", 1},
        {"abcd", "e\b", "abcd", "e\b \b", 4}, // only a fresh byte taken back
        {"", "ab\r\n\bc", "ab\r\nc", "ab\r\nc", 0}, // never before the start of the line
        {"ab\r\n", "\b", "ab\r\n", "", 4},
        {"", "\tx", "        x", "        x", 0}, // tab to column 8
        {"abc", "\t", "abc     ", "     ", 3},    // tab counts columns from the line start
        {"", "12345678\t", "12345678        ", "12345678        ", 0},
    };
    for (const Case& c : cases) {
        std::string buffer = c.held + c.fresh;
        std::string echo;
        EXPECT_EQ(fs::EditReceivedBytes(buffer, c.held.size(), "\r\n", &echo), c.kept)
            << c.held << "|" << c.fresh;
        EXPECT_EQ(buffer, c.edited) << c.held << "|" << c.fresh;
        EXPECT_EQ(echo, c.echo) << c.held << "|" << c.fresh;
    }
}

TEST(EditReceivedBytes, WithoutEchoOnlyEdits) {
    std::string buffer = "ab\bc";
    fs::EditReceivedBytes(buffer, 0, "\r\n", nullptr);
    EXPECT_EQ(buffer, "ac");
}
