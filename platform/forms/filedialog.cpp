#include "platform/forms/filedialog.h"

#include "platform/app/qtstring.h"

#include <QApplication>
#include <QFileDialog>

#include <stdexcept>

namespace platform::forms {

namespace {
ScriptedFileDialogs* fileDialogScript = nullptr;
}

ScriptedFileDialogs::ScriptedFileDialogs() {
    if (fileDialogScript)
        throw std::logic_error("ScriptedFileDialogs: a script is already installed");
    fileDialogScript = this;
}

ScriptedFileDialogs::~ScriptedFileDialogs() {
    fileDialogScript = nullptr;
}

std::string qtFileFilter(const std::string& filter) {
    std::string result;
    std::size_t start = 0;
    while (start < filter.size()) {
        const std::size_t bar = filter.find('|', start);
        const std::string description = filter.substr(start, bar - start);
        std::string patterns;
        std::size_t next = std::string::npos;
        if (bar != std::string::npos) {
            const std::size_t end = filter.find('|', bar + 1);
            patterns = filter.substr(bar + 1, end - bar - 1);
            next = end == std::string::npos ? end : end + 1;
        }
        for (char& c : patterns)
            if (c == ';')
                c = ' ';
        if (!result.empty())
            result += ";;";
        // Qt takes the patterns from the last parentheses, so they are added at the end even
        // when the description already shows them.
        result += description + " (" + patterns + ")";
        if (next == std::string::npos)
            break;
        start = next;
    }
    return result;
}

std::string withDefaultExtension(const std::string& fileName, const std::string& extension) {
    if (extension.empty() || fileName.empty())
        return fileName;
    const std::size_t separator = fileName.find_last_of("/\\");
    const std::size_t dot = fileName.rfind('.');
    if (dot != std::string::npos && (separator == std::string::npos || dot > separator))
        return fileName;
    return fileName + "." + extension;
}

std::optional<std::string> runFileDialog(FileDialogKind kind, const FileDialogOptions& options) {
    std::optional<std::string> chosen;
    if (fileDialogScript) {
        fileDialogScript->shown_.push_back({kind, options});
        if (!fileDialogScript->answers_.empty()) {
            chosen = std::move(fileDialogScript->answers_.front());
            fileDialogScript->answers_.pop_front();
        }
    } else {
        const QString filter = toQString(qtFileFilter(options.filter));
        const QString title = toQString(options.title);
        const QString proposed = toQString(options.fileName);
        QWidget* owner = QApplication::activeWindow();
        const QString name = kind == FileDialogKind::Open
                                 ? QFileDialog::getOpenFileName(owner, title, proposed, filter)
                                 : QFileDialog::getSaveFileName(owner, title, proposed, filter);
        if (!name.isEmpty())
            chosen = fromQString(name);
    }
    if (chosen && kind == FileDialogKind::Save)
        chosen = withDefaultExtension(*chosen, options.defaultExtension);
    if (chosen && chosen->empty())
        chosen.reset();
    return chosen;
}

std::optional<std::string> openFileDialog(const FileDialogOptions& options) {
    return runFileDialog(FileDialogKind::Open, options);
}

std::optional<std::string> saveFileDialog(const FileDialogOptions& options) {
    return runFileDialog(FileDialogKind::Save, options);
}

} // namespace platform::forms
