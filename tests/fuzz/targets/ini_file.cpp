// INI files (CFG.DAT and the others) as the platform reads and writes them. Any file reads
// without fault; every value a listing shows reads the same by its key; a value written reads
// back as written, and the write leaves every other section's values as they were.
#include "fuzz_support.h"

#include "platform/files/ini.h"

#include <algorithm>
#include <cctype>
#include <map>

using platform::files::IniFile;

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool blank(char c) {
    return c == ' ' || c == '\t';
}

// A name or value the file format can hold as it is: one line without the characters given,
// no surrounding blanks.
std::string oneLine(std::string text, std::string_view without = "") {
    std::erase_if(text, [&](char c) {
        return c == '\r' || c == '\n' || without.find(c) != std::string_view::npos;
    });
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    while (!text.empty() && blank(text.front()))
        text.erase(0, 1);
    return text;
}

using Values = std::map<std::string, std::string>; // by lower-case key

Values sectionValues(const IniFile& ini, const std::string& section) {
    Values values;
    for (const auto& [key, value] : ini.readSectionValues(section))
        values.emplace(lower(key), value);
    return values;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zvfuzz::Input input(data, size);
    // Names the format can hold: a section name ends at "]", a key at "=".
    const std::string section = oneLine(input.piece(), "]");
    const std::string key = oneLine(input.piece(), "=");
    const std::string value = oneLine(input.piece());
    const std::string path = (zvfuzz::scratchFolder() / "CFG.DAT").string();
    zvfuzz::writeFile(path, input.rest());

    IniFile ini(path);
    std::map<std::string, Values> before;
    for (const std::string& name : ini.readSections()) {
        ZV_FUZZ_CHECK(ini.sectionExists(name), name);
        const Values values = sectionValues(ini, name);
        for (const auto& [k, v] : ini.readSectionValues(name)) {
            ZV_FUZZ_CHECK(ini.keyExists(name, k), name + "/" + k);
            ZV_FUZZ_CHECK(ini.readString(name, k, "\x01") == v, name + "/" + k);
            ini.readInteger(name, k, 0);
        }
        ZV_FUZZ_CHECK(ini.readSection(name).size() == values.size(), name);
        before.emplace(lower(name), values);
    }

    // A key must be no comment or header, and a quoted value loses its quotes.
    const bool writable = !section.empty() && !key.empty() && key.front() != ';' &&
                          key.front() != '[' &&
                          !(value.size() >= 2 && value.front() == '"' && value.back() == '"');
    if (!ini.writeString(section, key, value))
        return 0;
    if (writable) {
        const std::string read = ini.readString(section, key, "\x01");
        ZV_FUZZ_CHECK(read == value, section + "/" + key + ": \"" + read + "\"");
        for (const auto& [name, values] : before)
            if (name != lower(section))
                ZV_FUZZ_CHECK(sectionValues(ini, name) == values, "section " + name + " changed");
        Values expected = before.count(lower(section)) ? before[lower(section)] : Values{};
        expected[lower(key)] = value;
        ZV_FUZZ_CHECK(sectionValues(ini, section) == expected, "section " + section);
    }
    ini.writeInteger(section, key, -7);
    ini.deleteKey(section, key);
    ini.eraseSection(section);
    ini.readSections();
    return 0;
}
