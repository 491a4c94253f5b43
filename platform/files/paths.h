#pragma once
// Paths as the programs write them: "\" or "/" separators, any letter case. Every operation
// here resolves its path against the real file system first.

#include <string>

namespace platform::files {

// The real path of an existing file or folder, matched component by component without
// regard to case. When some component does not exist, the path with "/" separators, the
// components found so far spelled as on disk and the rest as given.
std::string resolvePath(const std::string& path);

bool fileExists(const std::string& path);
bool dirExists(const std::string& path);
// Creates one folder (its parent must exist); false when it cannot be created or exists.
bool createDir(const std::string& path);
bool deleteFile(const std::string& path);
// Fails when the target already exists.
bool renameFile(const std::string& from, const std::string& to);

// Creates a new empty file in folder named from the first three characters of prefix, a
// hexadecimal number and ".TMP"; name receives its path. False when no file could be made.
bool tempFileName(const std::string& folder, const std::string& prefix, std::string& name);

} // namespace platform::files
