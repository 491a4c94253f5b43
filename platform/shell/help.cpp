#include "platform/shell/help.h"

#include "platform/app/qtstring.h"
#include "platform/files/paths.h"

#include <QApplication>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QWindow>

namespace platform::shell {
namespace {

QPointer<QTextBrowser> helpWindow;

// A page asked for while a modal box is open belongs to that box: the box blocks every other
// window, but not its own, and the window manager keeps it in front of the box. Otherwise the
// help stands on its own. The window system takes a new owner only as the window is shown.
void belongToTheModalBox(QTextBrowser& help) {
  const QWidget* modal = QApplication::activeModalWidget();
  QWindow* owner = modal ? modal->windowHandle() : nullptr;
  help.winId();
  QWindow* window = help.windowHandle();
  if (window->transientParent() == owner)
    return;
  help.hide();
  window->setTransientParent(owner);
}

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
  belongToTheModalBox(*helpWindow);
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
