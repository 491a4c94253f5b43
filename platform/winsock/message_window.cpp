#include "platform/winsock/message_window.h"

#include "platform/winsock/window_post.h"

#include <QObject>

#include <unordered_set>

namespace platform {

class MessageReceiver : public QObject {
    Q_OBJECT
public:
    using Handler = MessageWindow::Handler;

    explicit MessageReceiver(Handler handler) : handler_(std::move(handler)) {}

    Q_INVOKABLE void deliver(uint message, qulonglong wParam, qlonglong lParam) {
        if (!handler_)
            return;
        // The handler may destroy its window; keep the handler alive until it returns (or
        // throws, for the application to report).
        const Handler handler = handler_;
        struct Delivering {
            int& depth;
            explicit Delivering(int& d) : depth(d) { ++depth; }
            ~Delivering() { --depth; }
        } delivering(delivering_);
        handler(WindowMessage{message, static_cast<std::uintptr_t>(wParam),
                              static_cast<std::intptr_t>(lParam)});
    }

    Handler handler_;
    int delivering_ = 0;
};

namespace {
// The windows that exist, so a message for a window that has gone is refused, not delivered
// to freed memory.
std::unordered_set<const QObject*>& LiveWindows() {
    static std::unordered_set<const QObject*> windows;
    return windows;
}
} // namespace

MessageWindow::MessageWindow(Handler handler) : receiver_(new MessageReceiver(std::move(handler))) {
    LiveWindows().insert(receiver_);
}

MessageWindow::~MessageWindow() {
    LiveWindows().erase(receiver_);
    receiver_->handler_ = nullptr;
    // Destroyed from inside its own handler: Qt is still delivering to it.
    if (receiver_->delivering_ > 0)
        receiver_->deleteLater();
    else
        delete receiver_;
}

void MessageWindow::setHandler(Handler handler) {
    receiver_->handler_ = std::move(handler);
}

WindowHandle MessageWindow::handle() const {
    return reinterpret_cast<WindowHandle>(static_cast<QObject*>(receiver_));
}

bool postMessage(WindowHandle window, unsigned message, std::uintptr_t wParam,
                 std::intptr_t lParam) {
    auto* object = reinterpret_cast<QObject*>(window);
    if (!LiveWindows().contains(object))
        return false;
    return detail::PostToWindow(object, message, wParam, lParam);
}

} // namespace platform

#include "message_window.moc"
