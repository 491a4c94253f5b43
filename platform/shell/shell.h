#pragma once
// The desktop shell: opening documents and links with the user's programs.
#include <string>
#include <vector>

namespace platform::shell {

// Results as callers test them: above 32 is success.
inline constexpr int kOpened = 42;
inline constexpr int kFileNotFound = 2;
inline constexpr int kNoAssociation = 31;

// Opens target with the desktop's program for it: a link ("http://...", "mailto:..."), or a
// file or folder (relative names are taken from directory, `\` and any letter case accepted).
// An executable file is started with parameters. showCommand is kept for the caller's sake:
// the desktop decides how a program's window shows.
int open(const std::string& target, const std::string& parameters, const std::string& directory,
         int showCommand);

// While an OpenRecorder exists, open() records its requests and returns `result` instead of
// starting anything, so tests neither launch a browser nor depend on the desktop.
class OpenRecorder {
 public:
  struct Request {
    std::string target, parameters, directory;
    int showCommand;
  };
  explicit OpenRecorder(int result = kOpened);
  ~OpenRecorder();
  OpenRecorder(const OpenRecorder&) = delete;
  OpenRecorder& operator=(const OpenRecorder&) = delete;

  const std::vector<Request>& requests() const { return requests_; }

 private:
  friend int open(const std::string&, const std::string&, const std::string&, int);
  std::vector<Request> requests_;
  int result_;
  OpenRecorder* previous_;
};

}  // namespace platform::shell
