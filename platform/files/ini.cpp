#include "platform/files/ini.h"

#include "platform/files/nocase.h"
#include "platform/files/textfile.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdint>
#include <optional>

namespace platform::files {
namespace {

std::string trim(const std::string& text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    auto first = std::find_if_not(text.begin(), text.end(), blank);
    auto last = std::find_if_not(text.rbegin(), text.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

// The file as lines; a missing or unreadable file reads as an empty one.
struct IniText {
    std::vector<std::string> lines;
};

std::optional<std::string> sectionHeader(const std::string& line) {
    const std::string text = trim(line);
    if (text.empty() || text.front() != '[')
        return std::nullopt;
    const std::size_t close = text.find(']');
    return trim(text.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

struct Entry {
    std::string key;
    std::string value;
};

std::optional<Entry> entryOf(const std::string& line) {
    const std::string text = trim(line);
    if (text.empty() || text.front() == ';' || text.front() == '[')
        return std::nullopt;
    const std::size_t equals = text.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    std::string value = trim(text.substr(equals + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return Entry{trim(text.substr(0, equals)), value};
}

IniText load(const std::string& path) { return {readLines(path).value_or(std::vector<std::string>{})}; }

bool save(const std::string& path, const IniText& ini) { return writeLines(path, ini.lines); }

// Lines [begin, end) of the first section of that name; the header is at begin - 1.
struct SectionRange {
    std::size_t begin;
    std::size_t end;
};

std::optional<SectionRange> findSection(const IniText& ini, const std::string& section) {
    for (std::size_t i = 0; i < ini.lines.size(); ++i) {
        const auto header = sectionHeader(ini.lines[i]);
        if (!header || !equalNoCase(*header, section))
            continue;
        std::size_t end = i + 1;
        while (end < ini.lines.size() && !sectionHeader(ini.lines[end]))
            ++end;
        return SectionRange{i + 1, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> findKey(const IniText& ini, const SectionRange& range,
                                   const std::string& key) {
    for (std::size_t i = range.begin; i < range.end; ++i) {
        const auto entry = entryOf(ini.lines[i]);
        if (entry && equalNoCase(entry->key, key))
            return i;
    }
    return std::nullopt;
}

std::vector<Entry> sectionEntries(const IniText& ini, const std::string& section) {
    std::vector<Entry> entries;
    const auto range = findSection(ini, section);
    if (!range)
        return entries;
    for (std::size_t i = range->begin; i < range->end; ++i) {
        auto entry = entryOf(ini.lines[i]);
        if (!entry)
            continue;
        const bool seen = std::any_of(entries.begin(), entries.end(), [&](const Entry& e) {
            return equalNoCase(e.key, entry->key);
        });
        if (!seen)
            entries.push_back(std::move(*entry));
    }
    return entries;
}

std::optional<int> parseInteger(const std::string& text) {
    std::string digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
        negative = digits.front() == '-';
        digits.erase(0, 1);
    }
    int base = 10;
    if (digits.size() > 1 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        base = 16;
        digits.erase(0, 2);
    } else if (!digits.empty() && digits.front() == '$') {
        base = 16;
        digits.erase(0, 1);
    }
    if (digits.empty())
        return std::nullopt;
    long long value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    if (negative)
        value = -value;
    // Hexadecimal texts name 32-bit patterns: 0xFFFFFFFF is -1.
    if (base == 16 && !negative && value <= 0xFFFFFFFFLL)
        return static_cast<int>(static_cast<std::uint32_t>(value));
    if (value < INT32_MIN || value > INT32_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

} // namespace

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const IniText ini = load(path_);
    const auto range = findSection(ini, section);
    if (!range)
        return defaultValue;
    const auto line = findKey(ini, *range, key);
    return line ? entryOf(ini.lines[*line])->value : defaultValue;
}

int IniFile::readInteger(const std::string& section, const std::string& key,
                         int defaultValue) const {
    const std::string text = readString(section, key, {});
    return parseInteger(text).value_or(defaultValue);
}

bool IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
    IniText ini = load(path_);
    const std::string line = key + "=" + value;
    if (const auto range = findSection(ini, section)) {
        if (const auto existing = findKey(ini, *range, key)) {
            ini.lines[*existing] = line;
        } else {
            // After the section's last entry, so blank lines before the next section stay.
            std::size_t at = range->end;
            while (at > range->begin && trim(ini.lines[at - 1]).empty())
                --at;
            ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        }
    } else {
        ini.lines.push_back("[" + section + "]");
        ini.lines.push_back(line);
    }
    return save(path_, ini);
}

bool IniFile::writeInteger(const std::string& section, const std::string& key, int value) {
    return writeString(section, key, std::to_string(value));
}

bool IniFile::sectionExists(const std::string& section) const {
    return findSection(load(path_), section).has_value();
}

bool IniFile::keyExists(const std::string& section, const std::string& key) const {
    const IniText ini = load(path_);
    const auto range = findSection(ini, section);
    return range && findKey(ini, *range, key);
}

std::vector<std::string> IniFile::readSection(const std::string& section) const {
    std::vector<std::string> keys;
    for (Entry& entry : sectionEntries(load(path_), section))
        keys.push_back(std::move(entry.key));
    return keys;
}

std::vector<std::pair<std::string, std::string>> IniFile::readSectionValues(
    const std::string& section) const {
    std::vector<std::pair<std::string, std::string>> values;
    for (Entry& entry : sectionEntries(load(path_), section))
        values.emplace_back(std::move(entry.key), std::move(entry.value));
    return values;
}

std::vector<std::string> IniFile::readSections() const {
    std::vector<std::string> sections;
    for (const std::string& line : load(path_).lines) {
        auto header = sectionHeader(line);
        if (header && std::none_of(sections.begin(), sections.end(), [&](const std::string& s) {
                return equalNoCase(s, *header);
            }))
            sections.push_back(std::move(*header));
    }
    return sections;
}

bool IniFile::deleteKey(const std::string& section, const std::string& key) {
    IniText ini = load(path_);
    const auto range = findSection(ini, section);
    if (!range)
        return true;
    const auto line = findKey(ini, *range, key);
    if (!line)
        return true;
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(*line));
    return save(path_, ini);
}

bool IniFile::eraseSection(const std::string& section) {
    IniText ini = load(path_);
    const auto range = findSection(ini, section);
    if (!range)
        return true;
    ini.lines.erase(ini.lines.begin() + static_cast<std::ptrdiff_t>(range->begin - 1),
                    ini.lines.begin() + static_cast<std::ptrdiff_t>(range->end));
    return save(path_, ini);
}

} // namespace platform::files
