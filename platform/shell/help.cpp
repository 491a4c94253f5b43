#include "platform/shell/help.h"

#include "platform/app/qtstring.h"
#include "platform/files/paths.h"

#include <QCoreApplication>
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
    // The help belongs to the program: it keeps nothing running once the program's own
    // windows have closed, and goes with it.
    helpWindow->setAttribute(Qt::WA_QuitOnClose, false);
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, helpWindow,
                     &closeHelpWindow);
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
