#pragma once
// Input queued as a window system queues it: each event waits until a loop runs it (the
// main loop, a modal dialog's, or a handler's pump, also one inside the handler of the event
// before), then goes through the window's event handling as the window system's events do:
// modal blocking, double clicks and shortcuts included. An event is only made for a window
// on screen; one that has been deleted by the time its turn comes goes nowhere. Times are
// real milliseconds, so two clicks at one place in quick succession are a double click.

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <optional>
#include <vector>

namespace testing_support {

class WindowSystemInput {
public:
    WindowSystemInput() { clock_.start(); }

    // Nothing waits in the queue.
    bool idle() const { return queued_ == 0; }

    // What is queued meanwhile waits for a program that is busy: it all comes in one go
    // once the program looks at its queue again.
    void whileBusy(const std::function<void()>& queue) {
        batch_.emplace();
        queue();
        std::vector<std::function<void()>> events = std::move(*batch_);
        batch_.reset();
        if (events.empty())
            return;
        ++queued_;
        deliverInTurn([events = std::move(events)] {
            for (const std::function<void()>& event : events)
                event();
        });
    }

    void mouse(QWindow* window, QPoint at, QEvent::Type type,
               Qt::MouseButton button = Qt::NoButton) {
        if (type == QEvent::MouseButtonPress)
            held_ |= button;
        else if (type == QEvent::MouseButtonRelease)
            held_ &= ~button;
        const Qt::MouseButtons held = held_;
        const int time = timestamp();
        post(window, [=](QWindow* target) {
            qt_handleMouseEvent(target, at, target->mapToGlobal(QPointF(at)), held, button, type,
                                {}, time);
        });
    }
    void click(QWindow* window, QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        mouse(window, at, QEvent::MouseButtonPress, button);
        mouse(window, at, QEvent::MouseButtonRelease, button);
    }
    void doubleClick(QWindow* window, QPoint at) {
        click(window, at);
        click(window, at);
    }
    // A key pressed and released; the keyboard's shortcuts see it first.
    void key(QWindow* window, int key, Qt::KeyboardModifiers modifiers = {}) {
        QString text;
        if (key >= Qt::Key_A && key <= Qt::Key_Z && !(modifiers & ~Qt::ShiftModifier))
            text = QChar(modifiers ? key : key - Qt::Key_A + 'a');
        else if (key == Qt::Key_Return)
            text = "\r";
        else if (key == Qt::Key_Space)
            text = " ";
        for (const QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease})
            post(window,
                 [=](QWindow* target) { qt_handleKeyEvent(target, type, key, modifiers, text); });
    }
    // The window manager's close button.
    void close(QWindow* window) {
        post(window, [](QWindow* target) { target->close(); });
    }
    // The window manager's frame: a new size, or maximized and back.
    void resize(QWindow* window, QSize size) {
        post(window, [=](QWindow* target) { target->resize(size); });
    }
    void toggleMaximized(QWindow* window) {
        post(window, [](QWindow* target) {
            if (target->windowStates() & Qt::WindowMaximized)
                target->showNormal();
            else
                target->showMaximized();
        });
    }
    // Whatever else a window system does in turn with its events (giving a window the focus
    // on a click, say).
    void then(QWindow* window, std::function<void()> act) {
        post(window, [act = std::move(act)](QWindow*) { act(); });
    }

private:
    // Each event has a timer of its own, as each waits in the window system's queue: any
    // loop that runs, a pump inside a handler of the event before it too, delivers it, in
    // the order the events came.
    void post(QWindow* window, std::function<void(QWindow*)> deliver) {
        if (!window || !window->isVisible())
            return;
        auto event = [window = QPointer<QWindow>(window), deliver = std::move(deliver)] {
            if (window)
                deliver(window);
        };
        if (batch_) {
            batch_->push_back(std::move(event));
            return;
        }
        ++queued_;
        deliverInTurn(std::move(event));
    }
    void deliverInTurn(std::function<void()> deliver) {
        auto* turn = new QTimer(&queue_);
        turn->setSingleShot(true);
        turn->setInterval(0);
        QObject::connect(turn, &QTimer::timeout, turn, [this, turn, deliver = std::move(deliver)] {
            --queued_;
            turn->deleteLater();
            deliver();
        });
        turn->start();
    }
    int timestamp() const {
        // Never taken for a double click with the test functions' own clicks.
        return QTest::lastMouseTimestamp + 2 * QTest::mouseDoubleClickInterval +
               static_cast<int>(clock_.elapsed());
    }

    QObject queue_; // what is still queued goes with it
    int queued_ = 0;
    std::optional<std::vector<std::function<void()>>> batch_;
    QElapsedTimer clock_;
    Qt::MouseButtons held_;
};

} // namespace testing_support
