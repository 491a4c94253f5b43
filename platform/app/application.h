#pragma once
// The program's application object: owns the Qt application, runs the event loop, reports
// an exception that escapes an event handler in a message box and goes on, and offers the
// swappable input hook and the activation event.

#include <functional>
#include <memory>
#include <string>

class QWidget;

namespace platform::app {

// The input messages the hook sees, before any window does.
enum class InputMessage {
    KeyDown,
    SysKeyDown, // a key pressed with Alt held
    LeftButtonDown,
    RightButtonDown,
    MiddleButtonDown,
    LeftButtonDoubleClick,
    NonClientButtonDown, // a press on a window frame or caption
};

// Returns true when the message is handled: it is then swallowed.
using MessageHook = std::function<bool(InputMessage)>;

class Application {
public:
    // argc must outlive the application (Qt keeps a reference to it).
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Runs the event loop until the program quits; returns its exit code.
    int run();
    static void quit(int exitCode = 0);

private:
    class QtApplication;
    std::unique_ptr<QtApplication> qt_;
};

// The Qt platform plugin the application asks for, given the QT_QPA_PLATFORM and DISPLAY
// variables: X11 ("xcb") whenever an X display is there and nothing was asked for, since
// placing, raising and restoring windows needs it (Wayland leaves that to the compositor);
// empty to let Qt choose.
std::string preferredQtPlatform(const char* requestedPlatform, const char* display);

// The hook is one value: save it with messageHook() and put it back with setMessageHook().
// An empty hook lets every message through.
void setMessageHook(MessageHook hook);
MessageHook messageHook();

// Runs the handler; an exception escaping it is shown in an error box and goes no further.
// Event handlers run this way so that no exception unwinds through Qt's own code; the
// application object does the same for whatever else reaches the event loop.
void runGuarded(const std::function<void()>& handler);

// True from the moment the program is asked to quit (Application::quit, or the quit that Qt
// requests when the last window closes) until the event loop asked to end has ended. Loops of
// the program's own that pump messages while they wait for something end early then.
bool applicationTerminating();

// A box or dialog the user must answer comes in front of everything: the windows that stay on
// top of all others (a splash window) are hidden before it is shown.
void hideStayOnTopWindows();

// Called each time the program becomes the active application.
void setActivationHandler(std::function<void()> handler);

// Message-pumping waits and modal loops nest inside the handler that runs them, and that
// handler (with whatever called it) is still running below them. Each such loop is one of
// these while it runs.
class NestedLoop {
public:
    NestedLoop();
    ~NestedLoop();
    NestedLoop(const NestedLoop&) = delete;
    NestedLoop& operator=(const NestedLoop&) = delete;
};
bool insideNestedLoop();

// Closes the window from the event loop, once the handler running now and every nested loop
// have returned; a window that is gone by then is left alone. Asked again before that, the
// window is closed once.
void closeWhenUnwound(QWidget& window);
// Whether a close waits for the nested loops: the message-pumping waits then end at once.
bool closePending();

} // namespace platform::app
