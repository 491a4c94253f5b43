#include "platform/app/application.h"
#include "platform/app/messagebox.h"

#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace platform::app;

namespace {

// An object whose event handling fails the way program code can.
class FailingObject : public QObject {
public:
    static constexpr auto failWithMessage = QEvent::Type(QEvent::User);
    static constexpr auto failWithAnything = QEvent::Type(QEvent::User + 1);
    int handled = 0;

protected:
    bool event(QEvent* event) override {
        ++handled;
        if (event->type() == failWithMessage)
            throw std::runtime_error("Error 01 - fnGameNumberCardsArray");
        if (event->type() == failWithAnything)
            throw 42;
        return QObject::event(event);
    }
};

} // namespace

// Window handlers are guarded on their own (see the forms tests); this is the net for
// everything else that reaches the event loop.
TEST(ApplicationTest, ExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    ScriptedMessageBoxes boxes;
    FailingObject object;
    QEvent first(FailingObject::failWithMessage), second(FailingObject::failWithAnything);
    QCoreApplication::sendEvent(&object, &first);
    QCoreApplication::sendEvent(&object, &second);
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.shown()[0].text, "Error 01 - fnGameNumberCardsArray");
    EXPECT_EQ(boxes.shown()[0].icon, Icon::Error);
    EXPECT_EQ(boxes.shown()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes.shown()[1].text, "Unknown exception");

    // The event loop itself survives and runs what comes after the failing event.
    QCoreApplication::postEvent(&object, new QEvent(FailingObject::failWithMessage));
    int later = 0;
    QTimer::singleShot(0, [&] {
        ++later;
        Application::quit(3);
    });
    EXPECT_EQ(QCoreApplication::exec(), 3);
    EXPECT_EQ(later, 1);
    EXPECT_EQ(object.handled, 3);
    EXPECT_EQ(boxes.shown().size(), 3u);
}

TEST(ApplicationTest, MessageHookSeesInputFirstAndCanSwallowIt) {
    class CountingWidget : public QWidget {
    public:
        int presses = 0, keys = 0, doubles = 0;

    protected:
        void mousePressEvent(QMouseEvent*) override { ++presses; }
        void mouseDoubleClickEvent(QMouseEvent*) override { ++doubles; }
        void keyPressEvent(QKeyEvent*) override { ++keys; }
    } widget;
    widget.show();

    std::vector<InputMessage> seen;
    const MessageHook saved = messageHook();
    setMessageHook([&](InputMessage message) {
        seen.push_back(message);
        return message != InputMessage::RightButtonDown;
    });
    QTest::mousePress(&widget, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mousePress(&widget, Qt::RightButton, {}, QPoint(3, 3));
    QTest::mouseDClick(&widget, Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClick(&widget, Qt::Key_A);
    QTest::keyClick(&widget, Qt::Key_F, Qt::AltModifier);
    EXPECT_EQ(widget.presses, 1); // only the right press passed
    EXPECT_EQ(widget.keys, 0);
    EXPECT_EQ(widget.doubles, 0);
    // QTest's double click is the double-click event alone; Alt+F is two keys with Alt held.
    const std::vector<InputMessage> expected{
        InputMessage::LeftButtonDown, InputMessage::RightButtonDown,
        InputMessage::LeftButtonDoubleClick, InputMessage::KeyDown,
        InputMessage::SysKeyDown, InputMessage::SysKeyDown};
    EXPECT_EQ(seen, expected);

    setMessageHook(saved);
    QTest::keyClick(&widget, Qt::Key_A);
    EXPECT_EQ(widget.keys, 1);
    EXPECT_EQ(seen.size(), expected.size());
}

TEST(ApplicationTest, MessageHookSeesAKeyBoundToACommandAndCanSwallowIt) {
    QWidget widget;
    QAction command(&widget);
    command.setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    command.setShortcutContext(Qt::ApplicationShortcut);
    widget.addAction(&command);
    int triggered = 0;
    QObject::connect(&command, &QAction::triggered, [&] { ++triggered; });
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget)); // shortcuts need an active window

    QTest::keyClick(&widget, Qt::Key_N, Qt::ControlModifier);
    ASSERT_EQ(triggered, 1) << "the shortcut does not work without a hook";

    std::vector<InputMessage> seen;
    const MessageHook saved = messageHook();
    setMessageHook([&](InputMessage message) {
        seen.push_back(message);
        return true;
    });
    QTest::keyClick(&widget, Qt::Key_N, Qt::ControlModifier);
    setMessageHook(saved);
    EXPECT_EQ(triggered, 1);
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front(), InputMessage::KeyDown);
}

// What the window system had queued for a window before a handler hid it (the second click
// of a double click on a button that closes its window, or keys typed meanwhile) reaches
// neither the window nor its controls; shown again, it takes input again.
TEST(ApplicationTest, InputQueuedForAWindowThatWasHiddenGoesNowhere) {
    QWidget window;
    window.resize(200, 100);
    auto* button = new QPushButton("Close", &window);
    button->setGeometry(10, 10, 80, 30);
    int clicks = 0, keys = 0;
    QObject::connect(button, &QPushButton::clicked, [&] {
        ++clicks;
        window.hide();
    });
    class KeyCounter : public QObject {
    public:
        explicit KeyCounter(int& keys) : keys_(keys) {}
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::KeyPress)
                ++keys_;
            return false;
        }
        int& keys_;
    } keyCounter(keys);
    button->installEventFilter(&keyCounter);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    button->setFocus();
    QWindow* handle = window.windowHandle();
    const QPoint at = button->geometry().center();
    // As the window system delivers a queue it had filled while the program was busy.
    auto queued = [&](int time) {
        qt_handleMouseEvent(handle, at, handle->mapToGlobal(QPointF(at)), Qt::LeftButton,
                            Qt::LeftButton, QEvent::MouseButtonPress, {}, time);
        qt_handleMouseEvent(handle, at, handle->mapToGlobal(QPointF(at)), {}, Qt::LeftButton,
                            QEvent::MouseButtonRelease, {}, time + 1);
        qt_handleKeyEvent(handle, QEvent::KeyPress, Qt::Key_Space, {}, " ");
        qt_handleKeyEvent(handle, QEvent::KeyRelease, Qt::Key_Space, {}, " ");
    };
    const int time = QTest::lastMouseTimestamp + 10000;
    queued(time);
    queued(time + 2);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(keys, 0);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    queued(time + 10000);
    EXPECT_EQ(clicks, 2);
}

TEST(ApplicationTest, ActivationHandlerRunsWhenTheProgramBecomesActive) {
    // The offscreen platform never deactivates a program, so this needs a fresh process
    // (CTest runs each case on its own).
    if (QGuiApplication::applicationState() == Qt::ApplicationActive)
        GTEST_SKIP() << "the program is already active";
    int activations = 0;
    setActivationHandler([&] { ++activations; });
    QWidget window;
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QCoreApplication::processEvents();
    EXPECT_EQ(activations, 1);
    setActivationHandler(nullptr);
}

// Waits of the program's own look at this to end when the program is on its way out.
TEST(ApplicationTest, TerminatingFromTheQuitRequestUntilTheLoopHasEnded) {
    // Asked for outside any event loop, a quit ends nothing.
    Application::quit();
    EXPECT_FALSE(applicationTerminating());

    struct Case {
        const char* name;
        std::function<void()> quit;
    };
    QWidget lastWindow;
    const Case cases[] = {
        {"quit", [] { Application::quit(); }},
        // Qt asks for the quit itself when the last window closes.
        {"last window closed",
         [&] {
             lastWindow.show();
             lastWindow.close();
         }},
    };
    for (const Case& c : cases) {
        bool before = true, after = false;
        QTimer::singleShot(0, [&] {
            before = applicationTerminating();
            c.quit();
            // A nested pump, as a wait of the program's own runs one.
            QCoreApplication::processEvents();
            after = applicationTerminating();
        });
        QCoreApplication::exec();
        EXPECT_FALSE(before) << c.name;
        EXPECT_TRUE(after) << c.name;
        EXPECT_FALSE(applicationTerminating()) << c.name;
    }
}

namespace {

struct PlatformChoice {
    const char* requested;
    const char* display;
    const char* expected;
};

class PreferredPlatformTest : public ::testing::TestWithParam<PlatformChoice> {};

TEST_P(PreferredPlatformTest, X11WhenADisplayIsThereAndNothingWasAskedFor) {
    const PlatformChoice& choice = GetParam();
    EXPECT_EQ(platform::app::preferredQtPlatform(choice.requested, choice.display), choice.expected);
}

INSTANTIATE_TEST_SUITE_P(Choices, PreferredPlatformTest,
                         ::testing::Values(PlatformChoice{nullptr, ":0", "xcb"},
                                           PlatformChoice{"", ":1", "xcb"},
                                           PlatformChoice{"offscreen", ":0", ""},
                                           PlatformChoice{"wayland", ":0", ""},
                                           PlatformChoice{nullptr, nullptr, ""},
                                           PlatformChoice{nullptr, "", ""}));

} // namespace
