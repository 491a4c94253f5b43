#pragma once
// For tests of dialogs that run their own modal loop: waits for a modal window of type D to
// come up and be active, lets `work` prepare it, then sends the keys to its window as the
// window system delivers them. A window the keys left open is reported and closed, so the
// loop ends.

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace zvtest {

template <class D> class KeysWhenShown {
public:
    explicit KeysWhenShown(std::vector<Qt::Key> keys, std::function<void(D&)> work = {})
        : keys_(std::move(keys)), work_(std::move(work)) {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
        timer_.start();
    }
    KeysWhenShown(const KeysWhenShown&) = delete;
    KeysWhenShown& operator=(const KeysWhenShown&) = delete;

    bool pressed() const { return pressed_; }

private:
    void look() {
        auto* window = dynamic_cast<D*>(QApplication::activeModalWidget());
        if (!window)
            return;
        timer_.stop();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        if (work_)
            work_(*window);
        const QPointer<D> alive(window);
        for (const Qt::Key key : keys_)
            if (alive)
                QTest::keyClick(alive->windowHandle(), key);
        pressed_ = true;
        if (alive && alive->isVisible()) {
            ADD_FAILURE() << "the keys left the window open";
            alive->close();
        }
    }

    std::vector<Qt::Key> keys_;
    std::function<void(D&)> work_;
    QTimer timer_;
    bool pressed_ = false;
};

} // namespace zvtest
