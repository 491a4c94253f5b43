#include "platform/shell/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <filesystem>

#include "platform/app/qtstring.h"
#include "platform/files/paths.h"

namespace platform::shell {
namespace {

OpenRecorder* activeRecorder = nullptr;

bool isLink(const std::string& target) {
  const QUrl url(toQString(target));
  // A one-letter scheme would be a drive letter; links have longer ones.
  return url.isValid() && url.scheme().size() > 1;
}

QStringList splitParameters(const std::string& parameters) {
  return QProcess::splitCommand(toQString(parameters));
}

}  // namespace

int open(const std::string& target, const std::string& parameters, const std::string& directory,
         int showCommand) {
  if (activeRecorder) {
    activeRecorder->requests_.push_back({target, parameters, directory, showCommand});
    return activeRecorder->result_;
  }
  if (target.empty()) return kFileNotFound;
  if (isLink(target))
    return QDesktopServices::openUrl(QUrl(toQString(target))) ? kOpened : kNoAssociation;

  std::string path = target;
  if (!std::filesystem::path(files::resolvePath(target)).is_absolute() && !directory.empty())
    path = directory + "\\" + target;
  const std::string real = files::resolvePath(path);
  const QFileInfo info(toQString(real));
  if (!info.exists()) return kFileNotFound;
  if (info.isFile() && info.isExecutable())
    return QProcess::startDetached(info.absoluteFilePath(), splitParameters(parameters),
                                   toQString(files::resolvePath(directory)))
               ? kOpened
               : kNoAssociation;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())) ? kOpened
                                                                                  : kNoAssociation;
}

OpenRecorder::OpenRecorder(int result) : result_(result), previous_(activeRecorder) {
  activeRecorder = this;
}
OpenRecorder::~OpenRecorder() { activeRecorder = previous_; }

}  // namespace platform::shell
