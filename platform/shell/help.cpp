#include "platform/shell/help.h"

#include "platform/app/qtstring.h"
#include "platform/files/paths.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

namespace platform::shell {
namespace {

QPointer<QTextBrowser> helpWindow;

}  // namespace

void showHelpPage(const std::string& path) {
  if (!helpWindow) {
    helpWindow = new QTextBrowser();
    helpWindow->setAttribute(Qt::WA_DeleteOnClose);
    helpWindow->setOpenLinks(true);
    helpWindow->resize(560, 480);
  }
  helpWindow->setSource(QUrl::fromLocalFile(toQString(files::resolvePath(path))));
  helpWindow->setWindowTitle(helpWindow->documentTitle());
  helpWindow->show();
  helpWindow->raise();
  helpWindow->activateWindow();
}

std::string shownHelpPage() {
  return helpWindow ? fromQString(helpWindow->source().toLocalFile()) : std::string();
}

void closeHelpWindow() {
  if (helpWindow)
    delete helpWindow.data();
}

}  // namespace platform::shell
