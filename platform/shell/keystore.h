#pragma once
// The machine's key store, standing in for the registry keys programs create. Keys are paths
// such as "HKEY_LOCAL_MACHINE\Software\Maker\Product", compared without regard to case; they
// hold no values. The store is one text file, a key a line, in the user's configuration
// folder ($XDG_CONFIG_HOME or ~/.config, then "zv-platform/registry.keys").
#include <string>

namespace platform::shell {

bool keyExists(const std::string& key);
// Creates the key and every key above it; true when it exists afterwards.
bool createKey(const std::string& key);

// Points the store at another file for the lifetime of the object (tests).
class ScopedKeyStoreFile {
 public:
  explicit ScopedKeyStoreFile(std::string path);
  ~ScopedKeyStoreFile();
  ScopedKeyStoreFile(const ScopedKeyStoreFile&) = delete;
  ScopedKeyStoreFile& operator=(const ScopedKeyStoreFile&) = delete;

 private:
  std::string previous_;
};

}  // namespace platform::shell
