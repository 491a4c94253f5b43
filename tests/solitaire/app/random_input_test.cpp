// The whole program under its real event loop, played by a careless user: from a fixed seed,
// a fixed number of actions, one every few milliseconds of real time, anywhere: clicks,
// double clicks, drags, right and middle clicks on the table, the tool bars and the dialogs,
// menu keys, Enter and Esc into whatever dialog is open, resizes of the main window and
// closes of any window as the window manager sends them. The input is queued as a window
// system queues it, so it waits for whatever loop runs next (a modal dialog's, an animation's
// or a handler's pump) and windows that a modal dialog blocks do not get it. Afterwards the
// program must still answer, no dialog may be left on screen without its loop, and the main
// window must close when asked.

#include "program_fixture.h"

#include "../../platform/window_system_input.h"

#include "solitaire/engine/geometry.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QWindow>

#include <random>
#include <set>

namespace solitaire::testing {
namespace {

using testing_support::WindowSystemInput;

// The top-level windows on screen that take input (no tool tips).
std::vector<QWidget*> shownWindows() {
    std::vector<QWidget*> windows;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible() && window->windowType() != Qt::ToolTip && window->windowHandle())
            windows.push_back(window);
    return windows;
}

std::string nameOf(const QWidget* window) {
    const QString name =
        window->objectName().isEmpty() ? window->metaObject()->className() : window->objectName();
    return name.toStdString() + " \"" + window->windowTitle().toStdString() + "\"";
}

// Dialogs on screen. Asked where no modal loop or wait runs, each of them has lost its loop.
std::vector<std::string> shownDialogs() {
    std::vector<std::string> names;
    for (QWidget* window : shownWindows())
        if (qobject_cast<QDialog*>(window))
            names.push_back(nameOf(window));
    return names;
}

// Finishes what is open as a user would, from inside the loop that shows it: the box in
// front gets Enter (its default button), any other dialog the window manager's close, a
// running winning animation a key, an open menu Esc. A dialog whose modal loop has ended is
// not touched: it stays on screen for the test to see.
class Finisher {
public:
    Finisher() {
        timer_.setInterval(20);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                input_.key(popup->windowHandle(), Qt::Key_Escape);
            } else if (QWidget* modal = QApplication::activeModalWidget();
                       modal && modal->testAttribute(Qt::WA_ShowModal)) {
                if (qobject_cast<QMessageBox*>(modal))
                    input_.key(modal->windowHandle(), Qt::Key_Return);
                else
                    input_.close(modal->windowHandle());
            } else if (mainWindow.WinAnimationRunning && QGuiApplication::focusWindow()) {
                input_.key(QGuiApplication::focusWindow(), Qt::Key_Escape);
            }
        });
        timer_.start();
    }

private:
    WindowSystemInput input_;
    QTimer timer_;
};

class CarelessUser {
public:
    CarelessUser(std::uint32_t seed, int actions, std::function<QWidget*()> mainWindow)
        : random_(seed), actionsLeft_(actions), mainWindow_(std::move(mainWindow)) {
        pace_.setInterval(5);
        QObject::connect(&pace_, &QTimer::timeout, [this] {
            if (actionsLeft_ == 0) {
                pace_.stop();
                finisher_.emplace();
                return;
            }
            noteErrorBox();
            // Now and then several at once, as they queue up while the program is busy.
            for (int burst = chance(15) ? 2 + below(3) : 1; burst > 0 && actionsLeft_ > 0;
                 --burst) {
                --actionsLeft_;
                act();
            }
        });
        pace_.start();
    }

    // Every action taken and delivered.
    bool done() const { return actionsLeft_ == 0 && input_.idle(); }
    // Boxes that report an error: an exception reached an event handler's guard.
    const std::vector<std::string>& errorBoxes() const { return errorBoxes_; }

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, std::max(1, n) - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    template <class T> T* oneOf(const std::vector<T*>& choices) {
        return choices.empty()
                   ? nullptr
                   : choices[static_cast<std::size_t>(below(static_cast<int>(choices.size())))];
    }

    // Where the user is looking: an open menu, else the dialog in front, else the main
    // window; now and then any window on screen, blocked or not.
    QWidget* target() {
        if (chance(10))
            if (QWidget* any = oneOf(shownWindows()))
                return any;
        if (QWidget* popup = QApplication::activePopupWidget())
            return popup;
        if (QWidget* modal = QApplication::activeModalWidget())
            return modal;
        QWidget* main = mainWindow_();
        return main && main->isVisible() ? main : nullptr;
    }

    // A point in the window: on a card of the table, on one of its controls, or anywhere.
    QPoint pointIn(QWidget* window) {
        if (window == mainWindow_() && chance(50))
            if (const auto card = fnCardRect(1 + below(104)))
                return {card->left + below(card->right - card->left + 1),
                        card->top + below(card->bottom - card->top + 1)};
        if (chance(60)) {
            std::vector<QWidget*> controls;
            for (QWidget* child : window->findChildren<QWidget*>())
                if (child->isVisible() && child->isEnabled() && child->window() == window)
                    controls.push_back(child);
            if (QWidget* control = oneOf(controls))
                return control->mapTo(window,
                                      QPoint(below(control->width()), below(control->height())));
        }
        return {below(window->width()), below(window->height())};
    }

    // A click gives the window the focus, as the window manager does, unless a modal dialog
    // or an open menu keeps it from the window.
    void focus(QWidget* window) {
        input_.then(window->windowHandle(), [window = QPointer<QWidget>(window)] {
            QWidget* modal = QApplication::activeModalWidget();
            if (window && !QApplication::activePopupWidget() && (!modal || modal == window))
                window->activateWindow();
        });
    }

    void click(Qt::MouseButton button, int times) {
        QWidget* window = target();
        if (!window)
            return;
        const QPoint at = pointIn(window);
        focus(window);
        input_.mouse(window->windowHandle(), at, QEvent::MouseMove, Qt::NoButton);
        for (int i = 0; i < times; ++i)
            input_.click(window->windowHandle(), at, button);
    }

    void drag() {
        QWidget* window = target();
        if (!window)
            return;
        const QPoint from = pointIn(window), to = pointIn(window);
        QWindow* handle = window->windowHandle();
        focus(window);
        input_.mouse(handle, from, QEvent::MouseMove, Qt::NoButton);
        input_.mouse(handle, from, QEvent::MouseButtonPress, Qt::LeftButton);
        const int steps = 1 + below(5);
        for (int step = 1; step <= steps; ++step)
            input_.mouse(handle, from + (to - from) * step / steps, QEvent::MouseMove,
                         Qt::NoButton);
        input_.mouse(handle, to, QEvent::MouseButtonRelease, Qt::LeftButton);
    }

    // Keys go where the keyboard focus is.
    void menuKey() {
        struct Keys {
            int key;
            Qt::KeyboardModifiers modifiers;
        };
        static const Keys keys[] = {
            {Qt::Key_F2, {}},
            {Qt::Key_F12, Qt::ControlModifier},
            {Qt::Key_F7, {}},
            {Qt::Key_U, Qt::ControlModifier},
            {Qt::Key_F1, {}},
            {Qt::Key_F, Qt::AltModifier},
            {Qt::Key_G, Qt::AltModifier},
            {Qt::Key_Down, {}},
            {Qt::Key_Up, {}},
            {Qt::Key_Right, {}},
            {Qt::Key_Tab, {}},
            {Qt::Key_Space, {}},
            {Qt::Key_Return, {}},
            {Qt::Key_Escape, {}},
            {Qt::Key_A, {}},
        };
        const Keys& chosen = keys[below(std::size(keys))];
        QWindow* window = QGuiApplication::focusWindow();
        if (!window)
            if (QWidget* looked = target())
                window = looked->windowHandle();
        if (window)
            input_.key(window, chosen.key, chosen.modifiers);
    }

    // Enter or Esc into the dialog in front, whatever has the focus in it.
    void answerDialog() {
        if (QWidget* modal = QApplication::activeModalWidget())
            input_.key(modal->windowHandle(), chance(50) ? Qt::Key_Return : Qt::Key_Escape);
    }

    void resize() {
        QWidget* main = mainWindow_();
        if (!main || !main->isVisible())
            return;
        if (chance(20))
            input_.toggleMaximized(main->windowHandle());
        else
            input_.resize(main->windowHandle(), QSize(100 + below(924), 80 + below(688)));
    }

    // The close button of any window on screen; of the main window only now and then.
    void closeAWindow() {
        QWidget* window = oneOf(shownWindows());
        if (window && window->windowType() != Qt::Popup && (window != mainWindow_() || chance(25)))
            input_.close(window->windowHandle());
    }

    void act() {
        const int roll = below(100);
        if (roll < 30)
            click(Qt::LeftButton, 1);
        else if (roll < 40)
            click(Qt::LeftButton, 2); // a double click
        else if (roll < 52)
            drag();
        else if (roll < 57)
            click(Qt::RightButton, 1);
        else if (roll < 60)
            click(Qt::MiddleButton, 1);
        else if (roll < 80)
            menuKey();
        else if (roll < 92)
            answerDialog();
        else if (roll < 96)
            resize();
        else
            closeAWindow();
    }

    void noteErrorBox() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !seenBoxes_.insert(box).second)
            return;
        const std::string text = box->text().toStdString();
        if (box->icon() == QMessageBox::Critical || text.rfind("Error ", 0) == 0)
            errorBoxes_.push_back(text);
    }

    std::mt19937 random_;
    int actionsLeft_;
    std::function<QWidget*()> mainWindow_;
    WindowSystemInput input_;
    QTimer pace_;
    std::optional<Finisher> finisher_;
    std::set<const QMessageBox*> seenBoxes_;
    std::vector<std::string> errorBoxes_;
};

// Its message boxes are real: the user answers them too.
class RandomInputTest : public RealLoopProgramTest {
protected:
    RandomInputTest() : RealLoopProgramTest(false) {}
};

TEST_F(RandomInputTest, TheProgramStillAnswersAndClosesAfterACarelessUser) {
    constexpr std::uint32_t kSeed = 1;
    constexpr int kActions = 1500;
    start();
    CarelessUser user(kSeed, kActions, [this] { return main_.data(); });
    // A user who closed the program starts it again, once it has gone the whole way.
    QTimer restart;
    restart.setInterval(50);
    QObject::connect(&restart, &QTimer::timeout, [this] {
        if (!main_ && !platform::app::insideNestedLoop())
            start();
    });
    restart.start();
    // The user finishes what the last actions left open, from inside the loops that show
    // it; a close asked for meanwhile has happened (the window is hidden by then).
    ASSERT_TRUE(runUntil(
        [&] {
            return user.done() && !platform::app::closePending() && (!main_ || main_->isVisible());
        },
        600000));
    restart.stop();
    runUntil([this] { return main_.isNull() || main_->isVisible(); }, 5000);
    if (!main_)
        start();
    {
        const Finisher finisher;
        runUntil([] { return shownDialogs().empty() && !mainWindow.WinAnimationRunning; }, 15000);
    }
    const std::vector<std::string> leftOpen = shownDialogs();
    EXPECT_TRUE(leftOpen.empty()) << "on screen without its loop: " << leftOpen.front();
    for (const std::string& error : user.errorBoxes())
        ADD_FAILURE() << "error box: " << error;

    // Still answering: a timer fires and a posted call is delivered.
    bool timerFired = false, callDelivered = false;
    QTimer::singleShot(1, [&] { timerFired = true; });
    QMetaObject::invokeMethod(
        qApp, [&] { callDelivered = true; }, Qt::QueuedConnection);
    EXPECT_TRUE(runUntil([&] { return timerFired && callDelivered; }, 5000));

    // The close button of the main window ends it; a confirmation is answered OK.
    ASSERT_TRUE(main_);
    {
        const Finisher finisher;
        WindowSystemInput input;
        input.close(main_->windowHandle());
        EXPECT_TRUE(runUntil([this] { return main_.isNull(); }, 20000))
            << "the main window refused to close";
    }
}

} // namespace
} // namespace solitaire::testing
