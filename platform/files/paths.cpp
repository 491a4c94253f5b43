#include "platform/files/paths.h"

#include "platform/files/nocase.h"

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace platform::files {
namespace fs = std::filesystem;

namespace {

// The entry of folder whose name matches name without regard to case; an exact match wins.
std::optional<std::string> findEntry(const fs::path& folder, const std::string& name) {
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    std::optional<std::string> match;
    for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, error), end;
         !error && it != end; it.increment(error)) {
        const std::string entry = it->path().filename().string();
        // Directory order is arbitrary: take the smallest match so the result is stable.
        if (equalNoCase(entry, name) && (!match || entry < *match))
            match = entry;
    }
    return match;
}

} // namespace

std::string resolvePath(const std::string& path) {
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    if (slashed.empty())
        return slashed;

    fs::path resolved = slashed.front() == '/' ? fs::path("/") : fs::path();
    bool found = true;
    std::size_t start = 0;
    while (start <= slashed.size()) {
        std::size_t end = slashed.find('/', start);
        if (end == std::string::npos)
            end = slashed.size();
        const std::string component = slashed.substr(start, end - start);
        start = end + 1;
        if (component.empty())
            continue;
        if (found && component != "." && component != "..") {
            const auto entry = findEntry(resolved, component);
            found = entry.has_value();
            resolved /= found ? *entry : component;
        } else {
            resolved /= component;
        }
    }
    std::string result = resolved.string();
    // A trailing separator names a folder: keep it.
    if (slashed.back() == '/' && !result.empty() && result.back() != '/')
        result += '/';
    return result;
}

bool fileExists(const std::string& path) {
    std::error_code error;
    return fs::is_regular_file(resolvePath(path), error);
}

bool dirExists(const std::string& path) {
    std::error_code error;
    return fs::is_directory(resolvePath(path), error);
}

bool createDir(const std::string& path) {
    std::error_code error;
    return fs::create_directory(resolvePath(path), error);
}

bool deleteFile(const std::string& path) {
    std::error_code error;
    const std::string real = resolvePath(path);
    return fs::is_regular_file(real, error) && fs::remove(real, error);
}

bool renameFile(const std::string& from, const std::string& to) {
    const std::string source = resolvePath(from);
    const std::string target = resolvePath(to);
    std::error_code error;
    if (!fs::exists(source, error) || fs::exists(target, error))
        return false;
    fs::rename(source, target, error);
    return !error;
}

bool tempFileName(const std::string& folder, const std::string& prefix, std::string& name) {
    const std::string dir = resolvePath(folder);
    const std::string stem = prefix.substr(0, 3);
    name.clear();
    if (!dirExists(dir))
        return false;
    // Start at a number that differs between processes, then probe until a name is free.
    const unsigned first = static_cast<unsigned>(getpid()) & 0xFFFFu;
    for (unsigned i = 0; i < 0x10000u; ++i) {
        const unsigned number = (first + i) & 0xFFFFu;
        if (number == 0)
            continue;
        char hex[8];
        std::snprintf(hex, sizeof hex, "%X", number);
        const std::string candidate = (fs::path(dir) / (stem + hex + ".TMP")).string();
        const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd >= 0) {
            ::close(fd);
            name = candidate;
            return true;
        }
        if (errno != EEXIST)
            return false;
    }
    return false;
}

} // namespace platform::files
