#pragma once
// Hidden windows that receive posted messages on the UI thread: the way the socket library
// (and a socket object itself) tells its owner that something happened, always later, from the
// event loop, in the order the messages were posted.

#include <cstdint>
#include <functional>
#include <memory>

namespace platform {

class MessageReceiver;

// Identifies a live MessageWindow; 0 is no window.
using WindowHandle = std::uintptr_t;

struct WindowMessage {
    unsigned message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class MessageWindow {
public:
    using Handler = std::function<void(const WindowMessage&)>;

    // Must be created on the UI thread (the one running the Qt event loop).
    explicit MessageWindow(Handler handler = {});
    ~MessageWindow();
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    void setHandler(Handler handler);
    WindowHandle handle() const;

private:
    MessageReceiver* receiver_;
};

// Queues a message for the window; its handler runs later from the event loop. Returns false
// (and queues nothing) when no such window exists any more. UI thread only.
bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam);

} // namespace platform
