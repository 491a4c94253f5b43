#include "platform/app/application.h"

#include "platform/app/messagebox.h"
#include "platform/app/program_style.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QShortcutEvent>
#include <QStyle>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <optional>
#include <utility>
#include <vector>

namespace platform::app {
namespace {

MessageHook currentHook;
std::function<void()> activationHandler;
bool terminating = false;

// A quit asked for while no event loop runs ends nothing, so it does not count.
void noteQuitRequest() {
    if (QThread::currentThread()->loopLevel() > 0)
        terminating = true;
}

int nestedLoops = 0;
std::vector<QPointer<QWidget>> windowsToClose;
bool closingScheduled = false;

std::optional<InputMessage> inputMessage(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
        return static_cast<const QKeyEvent&>(event).modifiers() & Qt::AltModifier
                   ? InputMessage::SysKeyDown
                   : InputMessage::KeyDown;
    case QEvent::MouseButtonPress:
        switch (static_cast<const QMouseEvent&>(event).button()) {
        case Qt::LeftButton:
            return InputMessage::LeftButtonDown;
        case Qt::RightButton:
            return InputMessage::RightButtonDown;
        case Qt::MiddleButton:
            return InputMessage::MiddleButtonDown;
        default:
            return std::nullopt;
        }
    case QEvent::MouseButtonDblClick:
        if (static_cast<const QMouseEvent&>(event).button() == Qt::LeftButton)
            return InputMessage::LeftButtonDoubleClick;
        return std::nullopt;
    case QEvent::NonClientAreaMouseButtonPress:
        return InputMessage::NonClientButtonDown;
    // A key bound to a menu command or shortcut reaches its action as this event instead of
    // a key press; the hook must see it as the key press it was.
    case QEvent::Shortcut: {
        const QKeySequence& keys = static_cast<const QShortcutEvent&>(event).key();
        return !keys.isEmpty() && keys[0].keyboardModifiers() & Qt::AltModifier
                   ? InputMessage::SysKeyDown
                   : InputMessage::KeyDown;
    }
    default:
        return std::nullopt;
    }
}

// Input that a window system delivers to a window.
bool isInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return true;
    default:
        return false;
    }
}

} // namespace

void runGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        messageBox(error.what(), {}, Buttons::Ok, Icon::Error);
    } catch (...) {
        messageBox("Unknown exception", {}, Buttons::Ok, Icon::Error);
    }
}

class Application::QtApplication : public QApplication {
public:
    QtApplication(int& argc, char** argv) : QApplication(argc, argv) {
        setStyle(newProgramStyle(style()->name().toLatin1().constData()));
        connect(this, &QGuiApplication::applicationStateChanged, this,
                [](Qt::ApplicationState state) {
                    if (state == Qt::ApplicationActive && activationHandler)
                        activationHandler();
                });
        // Sent once the loop that was asked to end has ended: the quit has happened.
        connect(this, &QCoreApplication::aboutToQuit, this, [] { terminating = false; });
    }

    bool notify(QObject* receiver, QEvent* event) override {
        bool result = true;
        runGuarded([&] {
            // A window system gives no input to a window that is not on screen, but Qt
            // delivers what was queued before the window was hidden: the clicks that follow
            // one that closed the window would reach handlers whose window has gone (and
            // freed what they use), or start again a handler that hid its window and is
            // still at work.
            if (const auto* window = qobject_cast<const QWindow*>(receiver);
                window && !window->isVisible() && isInput(*event))
                return;
            // Widgets only: a window-system event reaches its QWindow first and is then
            // forwarded to the widget, so this sees each press once. Shortcut events go to
            // actions and shortcut objects, never to a window.
            if (currentHook && (receiver->isWidgetType() || event->type() == QEvent::Shortcut)) {
                if (const auto message = inputMessage(*event)) {
                    // The hook may replace itself; call a copy.
                    const MessageHook hook = currentHook;
                    if (hook(*message))
                        return;
                }
            }
            result = QApplication::notify(receiver, event);
            // The quit Qt asks for itself (the last window closed); a window may refuse it.
            if (event->type() == QEvent::Quit && receiver == this && event->isAccepted())
                noteQuitRequest();
        });
        return result;
    }
};

std::string preferredQtPlatform(const char* requestedPlatform, const char* display) {
    const bool requested = requestedPlatform && *requestedPlatform;
    return !requested && display && *display ? "xcb" : "";
}

namespace {
// Before the Qt application exists: the plugin is chosen when it is made.
int& withPreferredPlatform(int& argc) {
    const std::string platform =
        preferredQtPlatform(std::getenv("QT_QPA_PLATFORM"), std::getenv("DISPLAY"));
    if (!platform.empty())
        setenv("QT_QPA_PLATFORM", platform.c_str(), 0);
    return argc;
}
} // namespace

Application::Application(int& argc, char** argv)
    : qt_(std::make_unique<QtApplication>(withPreferredPlatform(argc), argv)) {}

Application::~Application() {
    currentHook = nullptr;
    activationHandler = nullptr;
    windowsToClose.clear();
}

int Application::run() { return qt_->exec(); }

void Application::quit(int exitCode) {
    noteQuitRequest();
    QCoreApplication::exit(exitCode);
}

bool applicationTerminating() { return terminating; }

void setMessageHook(MessageHook hook) { currentHook = std::move(hook); }

MessageHook messageHook() { return currentHook; }

void setActivationHandler(std::function<void()> handler) { activationHandler = std::move(handler); }

void hideStayOnTopWindows() {
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
            window->hide();
}

namespace {

void closeWindowsWaiting();

// A queued call runs in whatever loop pumps next, a nested one too: it only looks then.
void scheduleClosing() {
    if (closingScheduled)
        return;
    closingScheduled = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        closingScheduled = false;
        closeWindowsWaiting();
    });
}

void closeWindowsWaiting() {
    if (nestedLoops > 0)
        return; // the outermost loop schedules it again as it returns
    const std::vector<QPointer<QWidget>> windows = std::exchange(windowsToClose, {});
    for (const QPointer<QWidget>& window : windows)
        if (window)
            window->close();
}

} // namespace

NestedLoop::NestedLoop() { ++nestedLoops; }

NestedLoop::~NestedLoop() {
    if (--nestedLoops == 0 && !windowsToClose.empty())
        scheduleClosing();
}

bool insideNestedLoop() { return nestedLoops > 0; }

void closeWhenUnwound(QWidget& window) {
    if (std::find(windowsToClose.begin(), windowsToClose.end(), &window) == windowsToClose.end())
        windowsToClose.emplace_back(&window);
    if (nestedLoops == 0)
        scheduleClosing();
}

bool closePending() {
    return std::any_of(windowsToClose.begin(), windowsToClose.end(),
                       [](const QPointer<QWidget>& window) { return !window.isNull(); });
}

} // namespace platform::app
