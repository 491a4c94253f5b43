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
    };
    const Case cases[] = {
        {"", "abc", "abc", "abc"},
        {"", "ab\bc", "ac", "ab\b \bc"},
        {"ab", "\b\b\bx", "x",
         "\b \b\b \bx"}, // backspaces reach into held bytes, not past the start
        {"", "ab\r\n\bc", "ab\r\nc", "ab\r\nc"}, // never before the start of the line
        {"", "\tx", "        x", "        x"},   // tab to column 8
        {"abc", "\t", "abc     ", "     "},      // tab counts columns from the line start
        {"", "12345678\t", "12345678        ", "12345678        "},
    };
    for (const Case& c : cases) {
        std::string buffer = c.held + c.fresh;
        std::string echo;
        fs::EditReceivedBytes(buffer, c.held.size(), "\r\n", &echo);
        EXPECT_EQ(buffer, c.edited) << c.held << "|" << c.fresh;
        EXPECT_EQ(echo, c.echo) << c.held << "|" << c.fresh;
    }
}

TEST(EditReceivedBytes, WithoutEchoOnlyEdits) {
    std::string buffer = "ab\bc";
    fs::EditReceivedBytes(buffer, 0, "\r\n", nullptr);
    EXPECT_EQ(buffer, "ac");
}
