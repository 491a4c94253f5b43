#include "solitaire/engine/utils.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <limits>

namespace solitaire {

ConversionError::ConversionError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

std::optional<int> fnTryStrToInt(std::string_view text) {
    std::size_t i = text.find_first_not_of(' ');
    if (i == std::string_view::npos)
        return std::nullopt;
    bool negative = false;
    if (text[i] == '+' || text[i] == '-') {
        negative = text[i] == '-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > std::int64_t{std::numeric_limits<int>::max()} + 1)
            return std::nullopt;
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(value);
}

int fnStrToInt(std::string_view text) {
    if (const auto value = fnTryStrToInt(text))
        return *value;
    throw ConversionError(text);
}

void fnUtilNoOp() {}

std::string fnReplaceAt(std::string_view text, int index, int count, std::string_view replacement) {
    // Positions in 64 bits: an index near either end of int must not overflow.
    const auto length = static_cast<std::int64_t>(text.size());
    const std::int64_t head = std::clamp<std::int64_t>(std::int64_t{index} - 1, 0, length);
    const std::int64_t rest =
        std::clamp<std::int64_t>(std::int64_t{index} + std::max(count, 0), 1, length + 1);
    std::string result(text.substr(0, static_cast<std::size_t>(head)));
    result += replacement;
    result += text.substr(static_cast<std::size_t>(rest - 1));
    return result;
}

std::string fnRightStr(std::string_view text, int n) {
    if (n <= 0)
        return {};
    if (static_cast<std::size_t>(n) < text.size())
        return std::string(text.substr(text.size() - static_cast<std::size_t>(n)));
    return std::string(text);
}

std::string fnReplicate(char character, int n) {
    return n <= 0 ? std::string() : std::string(static_cast<std::size_t>(n), character);
}

std::string fnReplaceChar(char character, std::string_view replacement, std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c == character)
            result += replacement;
        else
            result += c;
    }
    return result;
}

std::string fnSpaces(int n) {
    return fnReplicate(' ', n);
}

std::string fnPadRight(std::string_view text, int n) {
    if (n <= 0)
        return {};
    std::string result(text.substr(0, std::min(text.size(), static_cast<std::size_t>(n))));
    result.resize(static_cast<std::size_t>(n), ' ');
    return result;
}

std::string fnTrimRight(std::string_view text) {
    const std::size_t last = text.find_last_not_of(' ');
    return last == std::string_view::npos ? std::string() : std::string(text.substr(0, last + 1));
}

std::string fnTrimLeft(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string() : std::string(text.substr(first));
}

std::string fnFormatZeroPad(int width, int decimals, double value) {
    std::array<char, 512> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::fixed, std::max(decimals, 0));
    if (error != std::errc())
        return fnReplicate('*', width);
    std::string s(digits.data(), end);
    if (static_cast<int>(s.size()) > width)
        return fnReplicate('*', width);
    const char separator = std::localeconv()->decimal_point[0];
    std::replace(s.begin(), s.end(), '.', separator);
    // Right-justified, spaces as zeros; the sign moves in front of the zeros.
    std::string t = fnReplicate('0', width - static_cast<int>(s.size())) + s;
    const std::size_t minus = t.find('-');
    if (minus != std::string::npos)
        t = "-" + t.substr(0, minus) + t.substr(minus + 1);
    return t;
}

std::string fnIntZeroPad(int value, int width) {
    return fnFormatZeroPad(width, 0, value);
}

int fnIntPower(int base, int n) {
    // Wraps on overflow like the 32-bit arithmetic the callers were written for.
    std::uint32_t result = 1;
    for (int i = 0; i < n; ++i)
        result *= static_cast<std::uint32_t>(base);
    return static_cast<int>(result);
}

int fnMax(int a, int b) {
    return std::max(a, b);
}

namespace {

// The printable characters that take part in the substitution: '!'..'~' without '['.
// A reflection i -> (kMirror - i) mod n of their order is its own inverse; '[' swaps with
// DEL, which plain text never holds, so no plain character turns into a section start.
constexpr std::string_view kSubstituted =
    "!\"#$%&'()*+,-./"
    "0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ\\]^_`abcdefghijklmnopqrstuvwxyz{|}~";
constexpr int kMirror = 61;

constexpr std::array<unsigned char, 256> makeScrambleTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    const int n = static_cast<int>(kSubstituted.size());
    for (int i = 0; i < n; ++i) {
        const int j = ((kMirror - i) % n + n) % n;
        table[static_cast<unsigned char>(kSubstituted[static_cast<std::size_t>(i)])] =
            static_cast<unsigned char>(kSubstituted[static_cast<std::size_t>(j)]);
    }
    table['['] = 0x7F;
    table[0x7F] = '[';
    return table;
}

constexpr std::array<unsigned char, 256> kScrambleTable = makeScrambleTable();

} // namespace

std::string fnScrambleText(std::string_view text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(kScrambleTable[static_cast<unsigned char>(c)]);
    return result;
}

void fnSectionLines(StringList& dest, const StringList& source, std::string_view header) {
    dest.clear();
    bool inSection = false;
    for (const std::string& line : source) {
        if (line.starts_with(header)) {
            inSection = true;
            continue;
        }
        if (!line.empty() && line.front() == '[')
            inSection = false;
        else if (inSection)
            dest.push_back(line);
    }
}

} // namespace solitaire
