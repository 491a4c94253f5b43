#include "platform/forms/help_context.h"

#include "platform/app/application.h"

#include <QEvent>
#include <QKeyEvent>

namespace platform::forms {
namespace {

std::function<void(int)> helpHandler;

// Lives as a child of its window: sees the F1 presses the window's controls pass on.
class HelpKey : public QObject {
public:
    HelpKey(QWidget& window, int context) : QObject(&window), context_(context) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched == parent() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
            if (helpHandler)
                app::runGuarded([this] { helpHandler(context_); });
            return true;
        }
        return false;
    }

private:
    int context_;
};

} // namespace

void setHelpHandler(std::function<void(int context)> handler) {
    helpHandler = std::move(handler);
}

void setHelpContext(QWidget& window, int context) {
    window.installEventFilter(new HelpKey(window, context));
}

} // namespace platform::forms
