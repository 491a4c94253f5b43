#include "platform/app/application.h"
#include "platform/app/messagebox.h"

#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace platform::app;

namespace {

// A window whose handlers fail the way program code can.
class FailingWidget : public QWidget {
public:
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent*) override {
        ++presses;
        throw std::runtime_error("Error 01 - fnGameNumberCardsArray");
    }
    void keyPressEvent(QKeyEvent*) override { throw 42; }
};

} // namespace

TEST(ApplicationTest, ExceptionInAHandlerIsShownAndTheLoopGoesOn) {
    ScriptedMessageBoxes boxes;
    FailingWidget widget;
    widget.show();
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::keyClick(&widget, Qt::Key_A);
    QTest::mouseClick(&widget, Qt::LeftButton, {}, QPoint(6, 6));
    EXPECT_EQ(widget.presses, 2);
    ASSERT_EQ(boxes.shown().size(), 3u);
    EXPECT_EQ(boxes.shown()[0].text, "Error 01 - fnGameNumberCardsArray");
    EXPECT_EQ(boxes.shown()[0].icon, Icon::Error);
    EXPECT_EQ(boxes.shown()[0].buttons, Buttons::Ok);
    EXPECT_EQ(boxes.shown()[1].text, "Unknown exception");

    // The event loop itself survives a throwing handler and keeps running.
    int later = 0;
    QTimer::singleShot(0, [] { throw std::runtime_error("from a timer"); });
    QTimer::singleShot(0, [&] {
        ++later;
        Application::quit(3);
    });
    EXPECT_EQ(QCoreApplication::exec(), 3);
    EXPECT_EQ(later, 1);
    EXPECT_EQ(boxes.shown().back().text, "from a timer");
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
