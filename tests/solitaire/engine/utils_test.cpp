#include "solitaire/engine/utils.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

namespace solitaire {
namespace {

struct ConversionCase {
    const char* text;
    std::optional<int> value;
};
// Names the case in test lists.
void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << "\"" << c.text << "\"";
}

class StrictConversion : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(StrictConversion, AcceptsOnlyWellFormedDecimals) {
    const ConversionCase& c = GetParam();
    EXPECT_EQ(fnTryStrToInt(c.text), c.value);
    if (c.value)
        EXPECT_EQ(fnStrToInt(c.text), *c.value);
    else
        EXPECT_THROW(fnStrToInt(c.text), ConversionError);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictConversion,
    ::testing::Values(ConversionCase{"0", 0}, ConversionCase{"007", 7}, ConversionCase{"-42", -42},
                      ConversionCase{"+42", 42}, ConversionCase{"  12", 12},
                      ConversionCase{"2147483647", 2147483647},
                      ConversionCase{"-2147483648", -2147483647 - 1},
                      ConversionCase{"", std::nullopt}, ConversionCase{"   ", std::nullopt},
                      ConversionCase{"-", std::nullopt}, ConversionCase{"12 ", std::nullopt},
                      ConversionCase{"1a", std::nullopt}, ConversionCase{"0x10", std::nullopt},
                      ConversionCase{"- 1", std::nullopt}, ConversionCase{"1.5", std::nullopt},
                      ConversionCase{"2147483648", std::nullopt},
                      ConversionCase{"-2147483649", std::nullopt},
                      ConversionCase{"99999999999999999999", std::nullopt}));

TEST(StrictConversion, ErrorNamesTheText) {
    try {
        fnStrToInt("abc");
        FAIL() << "no error";
    } catch (const ConversionError& e) {
        EXPECT_EQ(std::string(e.what()), "'abc' is not a valid integer value");
    }
}

TEST(ScrambleText, IsItsOwnInverseForEveryByte) {
    for (int c = 0; c < 256; ++c) {
        const std::string one(1, static_cast<char>(c));
        EXPECT_EQ(fnScrambleText(fnScrambleText(one)), one) << "byte " << c;
    }
}

TEST(ScrambleText, KeepsLineStructureAndHidesPrintableText) {
    std::set<char> images;
    int unchanged = 0;
    for (int c = 0x20; c < 0x7F; ++c) {
        const char plain = static_cast<char>(c);
        const char stored = fnScrambleText(std::string(1, plain))[0];
        EXPECT_NE(stored, '[') << "from " << plain;
        EXPECT_NE(stored, '\r');
        EXPECT_NE(stored, '\n');
        EXPECT_NE(stored, '\0');
        images.insert(stored);
        unchanged += stored == plain;
    }
    EXPECT_EQ(images.size(), 95u) << "two characters share one stored form";
    // Only the space and one character in the middle of the reflection keep their form.
    EXPECT_EQ(unchanged, 2);
    for (const char kept : {' ', '\r', '\n', '\0', '\t'})
        EXPECT_EQ(fnScrambleText(std::string(1, kept)), std::string(1, kept));
    const std::string line = "0262 8         7         ";
    const std::string stored = fnScrambleText(line);
    EXPECT_EQ(stored.size(), line.size());
    EXPECT_NE(stored, line);
    EXPECT_EQ(fnScrambleText(stored), line);
}

TEST(SectionLines, CollectsEveryMatchingSectionUpToTheNextHeader) {
    const StringList source{"[Sect1]", "a", "b", "[Sect2]", "c", "", "[Sect1]x", "d", "[End]", "e"};
    StringList dest{"old"};
    fnSectionLines(dest, source, "[Sect1]");
    EXPECT_EQ(dest, (StringList{"a", "b", "d"}));
    fnSectionLines(dest, source, "[Sect2]");
    EXPECT_EQ(dest, (StringList{"c", ""}));
}

TEST(SectionLines, MissingHeaderOrShortLineGivesNothing) {
    StringList dest{"old"};
    fnSectionLines(dest, {"[Sect", "a", "[Other]", "b"}, "[Sect2]");
    EXPECT_TRUE(dest.empty());
    fnSectionLines(dest, {}, "[Sect2]");
    EXPECT_TRUE(dest.empty());
}

TEST(SectionLines, SectionRunsToTheEndOfTheSource) {
    StringList dest;
    fnSectionLines(dest, {"x", "[S]", "1", "2"}, "[S]");
    EXPECT_EQ(dest, (StringList{"1", "2"}));
}

struct ZeroPadCase {
    int width;
    int decimals;
    double value;
    const char* expected;
};
// Names the case in test lists.
void PrintTo(const ZeroPadCase& c, std::ostream* out) {
    *out << c.value << " width " << c.width << " decimals " << c.decimals;
}

class FormatZeroPad : public ::testing::TestWithParam<ZeroPadCase> {};

TEST_P(FormatZeroPad, GivesExactlyWidthCharacters) {
    const ZeroPadCase& c = GetParam();
    EXPECT_EQ(fnFormatZeroPad(c.width, c.decimals, c.value), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, FormatZeroPad,
    ::testing::Values(ZeroPadCase{3, 0, 7, "007"}, ZeroPadCase{3, 0, 0, "000"},
                      ZeroPadCase{3, 0, 104, "104"}, ZeroPadCase{3, 0, 1000, "***"},
                      ZeroPadCase{3, 0, 12345, "***"}, ZeroPadCase{4, 0, -5, "-005"},
                      ZeroPadCase{2, 0, -5, "-5"}, ZeroPadCase{1, 0, -5, "*"},
                      ZeroPadCase{6, 0, -120, "-00120"}, ZeroPadCase{6, 2, 3.5, "003.50"},
                      ZeroPadCase{6, 2, -3.5, "-03.50"},
                      ZeroPadCase{13, 0, 1234567, "0000001234567"}, ZeroPadCase{0, 0, 5, ""}));

TEST(IntZeroPad, MatchesTheFormatterAtZeroDecimals) {
    EXPECT_EQ(fnIntZeroPad(7, 3), "007");
    EXPECT_EQ(fnIntZeroPad(1000, 3), "***");
    EXPECT_EQ(fnIntZeroPad(-45, 6), "-00045");
}

TEST(TextHelpers, ReplaceAtKeepsBothEnds) {
    EXPECT_EQ(fnReplaceAt("abcdef", 3, 2, "XYZ"), "abXYZef");
    EXPECT_EQ(fnReplaceAt("abcdef", 1, 0, "X"), "Xabcdef");
    EXPECT_EQ(fnReplaceAt("abc", 3, 5, "X"), "abX");
    EXPECT_EQ(fnReplaceAt("abc", 9, 1, "X"), "abcX");
}

TEST(TextHelpers, ReplaceAtFarOutsideTheTextNeverOverflows) {
    // Nothing lies before position 1: the text from index + count on follows the replacement.
    EXPECT_EQ(fnReplaceAt("abcdef", -2, 1, "X"), "Xabcdef");
    EXPECT_EQ(fnReplaceAt("abcdef", -2, 5, "X"), "Xcdef");
    EXPECT_EQ(fnReplaceAt("abcdef", 0, 2, "X"), "Xbcdef");
    EXPECT_EQ(fnReplaceAt("abc", std::numeric_limits<int>::min(), 1, "X"), "Xabc");
    EXPECT_EQ(fnReplaceAt("abc", std::numeric_limits<int>::max(), 5, "X"), "abcX");
    EXPECT_EQ(fnReplaceAt("abc", 2, std::numeric_limits<int>::max(), "X"), "aX");
}

TEST(TextHelpers, RightStr) {
    EXPECT_EQ(fnRightStr("abcde", 0), "");
    EXPECT_EQ(fnRightStr("abcde", 2), "de");
    EXPECT_EQ(fnRightStr("abcde", 5), "abcde");
    EXPECT_EQ(fnRightStr("abcde", 9), "abcde");
}

TEST(TextHelpers, PadAndReplicate) {
    EXPECT_EQ(fnPadRight("", 4), "    ");
    EXPECT_EQ(fnPadRight("abcdef", 3), "abc");
    EXPECT_EQ(fnPadRight("abc", 3), "abc");
    EXPECT_EQ(fnPadRight("ab", 0), "");
    EXPECT_EQ(fnReplicate('x', 3), "xxx");
    EXPECT_EQ(fnReplicate('x', -1), "");
    EXPECT_EQ(fnSpaces(2), "  ");
    EXPECT_EQ(fnReplaceChar(' ', "0", " 1 2"), "0102");
    EXPECT_EQ(fnReplaceChar('\\', "/", "A\\B\\"), "A/B/");
}

TEST(TextHelpers, TrimsRemoveOnlySpacesOnTheirSide) {
    EXPECT_EQ(fnTrimRight("  ab  "), "  ab");
    EXPECT_EQ(fnTrimLeft("  ab  "), "ab  ");
    EXPECT_EQ(fnTrimRight(" "), "");
    EXPECT_EQ(fnTrimRight("    "), "");
    EXPECT_EQ(fnTrimLeft("    "), "");
    EXPECT_EQ(fnTrimRight("ab\t"), "ab\t");
}

TEST(NumberHelpers, PowerAndMax) {
    EXPECT_EQ(fnIntPower(2, 10), 1024);
    EXPECT_EQ(fnIntPower(7, 0), 1);
    EXPECT_EQ(fnIntPower(7, -3), 1);
    EXPECT_EQ(fnIntPower(-3, 3), -27);
    EXPECT_EQ(fnMax(-1, -5), -1);
}

} // namespace
} // namespace solitaire
