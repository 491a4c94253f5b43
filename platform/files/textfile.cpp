#include "platform/files/textfile.h"

#include "platform/files/paths.h"

#include <filesystem>
#include <fstream>
#include <iterator>

namespace platform::files {

std::optional<std::vector<std::string>> readLines(const std::string& path) {
    const std::string real = resolvePath(path);
    std::error_code error;
    // A folder opens as a stream on Linux, and reading it throws: it is no text file.
    if (!std::filesystem::is_regular_file(real, error))
        return std::nullopt;
    std::ifstream in(real, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos)
            end = text.size();
        if (end > start && text[end - 1] == '\r')
            --end;
        lines.push_back(text.substr(start, end - start));
        start = next;
    }
    return lines;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    std::ofstream out(resolvePath(path), std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    for (const std::string& line : lines)
        out << line << "\r\n";
    out.close();
    return !out.fail();
}

} // namespace platform::files
