#pragma once
// Line-based text files of 8-bit characters.

#include <optional>
#include <string>
#include <vector>

namespace platform::files {

// Every line of the file without its line break; CR LF and LF both end a line. A last line
// without a line break counts. Nothing when the file cannot be read.
std::optional<std::vector<std::string>> readLines(const std::string& path);

// Writes the lines, each ending in CR LF, replacing the file. False when it cannot be written.
bool writeLines(const std::string& path, const std::vector<std::string>& lines);

} // namespace platform::files
