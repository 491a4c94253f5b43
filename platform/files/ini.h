#pragma once
// INI files as the Windows profile functions handle them: section and key names match
// without regard to case, entries are key=value lines, other lines are kept, and every write
// goes to the file at once (the file is created by the first write). A read of a missing file,
// section or key gives the default.

#include <string>
#include <utility>
#include <vector>

namespace platform::files {

class IniFile {
public:
    explicit IniFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }

    // The value with surrounding blanks (and one pair of surrounding quotes) removed.
    std::string readString(const std::string& section, const std::string& key,
                           const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "0x" or "$"; the default when the value is no number.
    int readInteger(const std::string& section, const std::string& key, int defaultValue) const;

    // Writes key=value into the section (added at the file's end when missing); an existing
    // key keeps its place. False when the file cannot be written.
    bool writeString(const std::string& section, const std::string& key, const std::string& value);
    bool writeInteger(const std::string& section, const std::string& key, int value);

    bool sectionExists(const std::string& section) const;
    bool keyExists(const std::string& section, const std::string& key) const;
    // The keys of the section in file order, each once.
    std::vector<std::string> readSection(const std::string& section) const;
    // The key/value pairs of the section in file order, each key once.
    std::vector<std::pair<std::string, std::string>> readSectionValues(
        const std::string& section) const;
    std::vector<std::string> readSections() const;

    bool deleteKey(const std::string& section, const std::string& key);
    bool eraseSection(const std::string& section);

private:
    std::string path_;
};

} // namespace platform::files
