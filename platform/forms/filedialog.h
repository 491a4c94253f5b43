#pragma once
// The common open and save dialogs. Filters are written as the programs write them:
// "Description|pattern[;pattern]|Description|pattern...". Tests script the answers.

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace platform::forms {

struct FileDialogOptions {
    std::string filter;
    std::string fileName;         // proposed name
    std::string defaultExtension; // added to a chosen name that has no extension; no dot
    std::string title;            // empty: the dialog's own title
};

enum class FileDialogKind { Open, Save };

// The chosen file, or nothing when the dialog was cancelled.
std::optional<std::string> openFileDialog(const FileDialogOptions& options);
std::optional<std::string> saveFileDialog(const FileDialogOptions& options);

struct ShownFileDialog {
    FileDialogKind kind;
    FileDialogOptions options;
};

// While alive, no dialog is displayed: each takes the next scripted answer (nothing, i.e.
// Cancel, when the script has run out) and is recorded. The default extension is applied to
// scripted names as to typed ones. Not nestable.
class ScriptedFileDialogs {
public:
    ScriptedFileDialogs();
    ~ScriptedFileDialogs();
    ScriptedFileDialogs(const ScriptedFileDialogs&) = delete;
    ScriptedFileDialogs& operator=(const ScriptedFileDialogs&) = delete;

    void answer(std::optional<std::string> next) { answers_.push_back(std::move(next)); }
    const std::vector<ShownFileDialog>& shown() const { return shown_; }

private:
    friend std::optional<std::string> runFileDialog(FileDialogKind, const FileDialogOptions&);
    std::deque<std::optional<std::string>> answers_;
    std::vector<ShownFileDialog> shown_;
};

// Qt's form of a filter: "Description (patterns);;...".
std::string qtFileFilter(const std::string& filter);
// The name with ".extension" added when its last path component has no extension.
std::string withDefaultExtension(const std::string& fileName, const std::string& extension);

} // namespace platform::forms
