#include "platform/shell/keystore.h"

#include <cstdlib>
#include <filesystem>

#include "platform/files/nocase.h"
#include "platform/files/textfile.h"

namespace platform::shell {
namespace {

std::string storeOverride;

std::filesystem::path storeFile() {
  if (!storeOverride.empty()) return storeOverride;
  std::filesystem::path base;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config)
    base = config;
  else if (const char* home = std::getenv("HOME"); home && *home)
    base = std::filesystem::path(home) / ".config";
  else
    base = std::filesystem::temp_directory_path();
  return base / "zv-platform" / "registry.keys";
}

// "A\\B\\\\C\\" and "a\b\c" name one key: separators collapse, the ends are trimmed.
std::string normalKey(const std::string& key) {
  std::string out;
  for (char c : key) {
    if (c == '/') c = '\\';
    if (c == '\\' && (out.empty() || out.back() == '\\')) continue;
    out += c;
  }
  if (!out.empty() && out.back() == '\\') out.pop_back();
  return out;
}

std::vector<std::string> storedKeys() {
  return files::readLines(storeFile().string()).value_or(std::vector<std::string>{});
}

bool contains(const std::vector<std::string>& keys, const std::string& key) {
  for (const std::string& k : keys)
    if (files::equalNoCase(k, key)) return true;
  return false;
}

}  // namespace

bool keyExists(const std::string& key) {
  const std::string wanted = normalKey(key);
  return !wanted.empty() && contains(storedKeys(), wanted);
}

bool createKey(const std::string& key) {
  const std::string wanted = normalKey(key);
  if (wanted.empty()) return false;
  std::vector<std::string> keys = storedKeys();
  bool changed = false;
  for (std::size_t end = wanted.find('\\'); ; end = wanted.find('\\', end + 1)) {
    const std::string parent = wanted.substr(0, end);
    if (!contains(keys, parent)) {
      keys.push_back(parent);
      changed = true;
    }
    if (end == std::string::npos) break;
  }
  if (!changed) return true;
  std::error_code ignored;
  std::filesystem::create_directories(storeFile().parent_path(), ignored);
  return files::writeLines(storeFile().string(), keys);
}

ScopedKeyStoreFile::ScopedKeyStoreFile(std::string path) : previous_(std::move(storeOverride)) {
  storeOverride = std::move(path);
}
ScopedKeyStoreFile::~ScopedKeyStoreFile() { storeOverride = std::move(previous_); }

}  // namespace platform::shell
