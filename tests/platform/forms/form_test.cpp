#include "platform/forms/form.h"

#include "platform/app/clock.h"
#include "platform/app/messagebox.h"
#include "platform/gdi/qimage.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace platform;
using namespace platform::forms;

namespace {

const gdi::Color navy = gdi::rgb(0, 0, 128);
const gdi::Color yellow = gdi::rgb(255, 255, 0);

std::string buttonName(MouseButton button) {
    return button == MouseButton::Left ? "L" : button == MouseButton::Right ? "R" : "M";
}

std::string flagsOf(ShiftState shift) {
    std::string text;
    const std::pair<ShiftFlag, char> names[] = {{Shift, 's'},     {Alt, 'a'},        {Ctrl, 'c'},
                                                {LeftHeld, 'l'},  {RightHeld, 'r'},  {MiddleHeld, 'm'},
                                                {Double, 'd'}};
    for (const auto& [flag, name] : names)
        if (shift.has(flag))
            text += name;
    return text;
}

// Writes every handler call as one line of text.
class RecordingWindow : public Window {
public:
    std::vector<std::string> calls;
    int paints = 0;
    bool allowClose = true;

protected:
    void onMouseDown(MouseButton b, ShiftState s, int x, int y) override {
        record("down " + buttonName(b) + " " + flagsOf(s), x, y);
    }
    void onMouseMove(ShiftState s, int x, int y) override { record("move " + flagsOf(s), x, y); }
    void onMouseUp(MouseButton b, ShiftState s, int x, int y) override {
        record("up " + buttonName(b) + " " + flagsOf(s), x, y);
    }
    void onDoubleClick() override { calls.push_back("dblclick"); }
    void onKeyDown(int key, ShiftState s) override {
        calls.push_back("keydown " + std::to_string(key) + " " + flagsOf(s));
    }
    void onKeyUp(int key, ShiftState) override { calls.push_back("keyup " + std::to_string(key)); }
    void onKeyPress(char c) override { calls.push_back(std::string("keypress ") + c); }
    void onPaint() override {
        ++paints;
        frontBuffer().fillRect(frontBuffer().rect(), navy);
    }
    bool onCloseQuery() override {
        calls.push_back("closequery");
        return allowClose;
    }
    void onClose() override { calls.push_back("close"); }
    void onCloseDeferred() override { calls.push_back("closedeferred"); }

private:
    void record(const std::string& what, int x, int y) {
        calls.push_back(what + " " + std::to_string(x) + "," + std::to_string(y));
    }
};

class FormTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.setClientSize(120, 80);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.calls.clear();
    }

    // What the screen shows of the window now, in device pixels.
    QImage onScreen() {
        return QGuiApplication::primaryScreen()->grabWindow(window.winId()).toImage().convertToFormat(
            QImage::Format_RGB32);
    }

    RecordingWindow window;
};

} // namespace

TEST_F(FormTest, FrontBufferFollowsTheClientSize) {
    EXPECT_EQ(window.frontBuffer().width(), 120);
    EXPECT_EQ(window.frontBuffer().height(), 80);
    window.frontBuffer().setPixel(3, 4, yellow);
    window.setClientSize(150, 90);
    EXPECT_EQ(window.clientWidth(), 150);
    EXPECT_EQ(window.frontBuffer().width(), 150);
    EXPECT_EQ(window.frontBuffer().height(), 90);
    EXPECT_EQ(window.frontBuffer().pixel(3, 4), yellow); // kept across the resize
}

TEST(FormSizeTest, HiddenWindowHasAFrontBufferOfItsClientSize) {
    Window window;
    window.setClientSize(50, 40);
    EXPECT_EQ(window.frontBuffer().width(), 50);
    EXPECT_EQ(window.frontBuffer().height(), 40);
    window.frontBuffer().setPixel(49, 39, yellow);
    window.show();
    EXPECT_EQ(window.frontBuffer().pixel(49, 39), yellow);
}

TEST_F(FormTest, PresentShowsTheFrontBufferAtOnceWithoutOnPaint) {
    window.paints = 0;
    window.frontBuffer().fillRect(window.frontBuffer().rect(), yellow);
    window.frontBuffer().fillRect({10, 20, 30, 25}, navy);
    window.present(); // no event processing between this and the read-back
    EXPECT_EQ(window.paints, 0);
    const QImage shown = onScreen();
    ASSERT_EQ(shown.size(), QSize(120, 80));
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool inside = x >= 10 && x < 30 && y >= 20 && y < 25;
            ASSERT_EQ(gdi::fromQRgb(shown.pixel(x, y)), inside ? navy : yellow) << x << "," << y;
        }
    if (const char* dir = std::getenv("ZV_TEST_OUTPUT_DIR")) {
        QDir().mkpath(dir);
        shown.save(QString(dir) + "/forms-front-buffer.png");
    }
}

TEST_F(FormTest, PresentOfAnAreaShowsOnlyThatArea) {
    window.frontBuffer().fillRect(window.frontBuffer().rect(), yellow);
    window.present();
    window.frontBuffer().fillRect(window.frontBuffer().rect(), navy);
    window.present({5, 6, 7, 9});
    const QImage shown = onScreen();
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool inside = x >= 5 && x < 7 && y >= 6 && y < 9;
            ASSERT_EQ(gdi::fromQRgb(shown.pixel(x, y)), inside ? navy : yellow) << x << "," << y;
        }
}

TEST_F(FormTest, PaintRequestsFromQtCallOnPaintFirst) {
    window.paints = 0;
    window.frontBuffer().fillRect(window.frontBuffer().rect(), yellow);
    window.repaint();
    EXPECT_EQ(window.paints, 1);
    EXPECT_EQ(gdi::fromQRgb(onScreen().pixel(60, 40)), navy);
}

TEST_F(FormTest, MouseEventsReachTheHandlersWithButtonsAndKeys) {
    QTest::mousePress(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(10, 12));
    QTest::mouseMove(&window, QPoint(15, 17));
    QTest::mouseRelease(&window, Qt::LeftButton, Qt::ShiftModifier, QPoint(20, 22));
    QTest::mouseClick(&window, Qt::RightButton, Qt::ControlModifier, QPoint(5, 6));
    const std::vector<std::string> expected{"down L sl 10,12", "move l 15,17", "up L s 20,22",
                                            "down R cr 5,6", "up R c 5,6"};
    EXPECT_EQ(window.calls, expected);
}

TEST_F(FormTest, DoubleClickArrivesAsDoubleClickThenDoublePressThenRelease) {
    // Through the window system path, where Qt itself tells a double click from two clicks.
    QWindow* handle = window.windowHandle();
    const QPoint at(30, 40);
    QTest::mouseMove(handle, at);
    window.calls.clear();
    QTest::mouseDClick(handle, Qt::LeftButton, {}, at);
    const std::vector<std::string> expected{"down L l 30,40", "up L  30,40", "dblclick",
                                            "down L ld 30,40", "up L  30,40"};
    EXPECT_EQ(window.calls, expected);
}

TEST_F(FormTest, RightDoubleClickIsADoublePressOnly) {
    QWindow* handle = window.windowHandle();
    const QPoint at(8, 9);
    QTest::mouseMove(handle, at);
    window.calls.clear();
    QTest::mouseDClick(handle, Qt::RightButton, {}, at);
    const std::vector<std::string> expected{"down R r 8,9", "up R  8,9", "down R rd 8,9",
                                            "up R  8,9"};
    EXPECT_EQ(window.calls, expected);
}

TEST_F(FormTest, KeysGiveKeyDownThenTheTypedCharacter) {
    QTest::keyClick(&window, Qt::Key_4);
    QTest::keyClick(&window, Qt::Key_F2, Qt::ShiftModifier);
    const std::vector<std::string> expected{
        "keydown " + std::to_string(Qt::Key_4) + " ", "keypress 4",
        "keyup " + std::to_string(Qt::Key_4),
        // The Shift key is a key of its own, as the system reports it.
        "keydown " + std::to_string(Qt::Key_Shift) + " s",
        "keydown " + std::to_string(Qt::Key_F2) + " s", "keyup " + std::to_string(Qt::Key_F2),
        "keyup " + std::to_string(Qt::Key_Shift)};
    EXPECT_EQ(window.calls, expected);
}

TEST_F(FormTest, CloseQueryCanKeepTheWindowOpen) {
    window.allowClose = false;
    EXPECT_FALSE(window.close());
    EXPECT_TRUE(window.isVisible());
    window.allowClose = true;
    EXPECT_TRUE(window.close());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.calls, (std::vector<std::string>{"closequery", "closequery", "close"}));
}

TEST_F(FormTest, FrameGeometryContainsTheClientArea) {
    window.setFrameGeometry(50, 60, 300, 200);
    EXPECT_EQ(window.frameLeft(), 50);
    EXPECT_EQ(window.frameTop(), 60);
    EXPECT_EQ(window.frameWidth(), 300);
    EXPECT_EQ(window.frameHeight(), 200);
    EXPECT_LE(window.clientWidth(), window.frameWidth());
    EXPECT_LE(window.clientHeight(), window.frameHeight());
    EXPECT_EQ(window.frontBuffer().width(), window.clientWidth());
}

// A window placed before it is shown, as a program restores its window at start-up: the
// frame is known only once it is shown, and it is the frame that takes the size. Maximized
// first, the window gets that size when it is restored.
TEST(FrameGeometryTest, AWindowPlacedBeforeItIsShownHasThatFrame) {
    for (const bool maximized : {false, true}) {
        SCOPED_TRACE(maximized ? "shown maximized, then restored" : "shown normal");
        Window window;
        window.setFrameGeometry(50, 60, 300, 200);
        if (maximized)
            window.setWindowState(Qt::WindowMaximized);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        if (maximized) {
            window.showNormal();
            QCoreApplication::processEvents();
        }
        EXPECT_EQ(window.frameGeometry(), QRect(50, 60, 300, 200));
        EXPECT_LT(window.clientWidth(), 300) << "the frame has a border here";
        // Later sizes are the user's: a resize is not undone.
        window.resize(250, 150);
        window.move(70, 80);
        QCoreApplication::processEvents();
        EXPECT_EQ(window.clientWidth(), 250);
        EXPECT_EQ(window.clientHeight(), 150);
    }
}

// Shown maximized and restored, a window the program sized itself before its stored frame
// came to be applied keeps the program's size.
TEST(FrameGeometryTest, ASizeGivenBeforeTheFrameIsKnownStands) {
    Window window;
    window.setFrameGeometry(50, 60, 300, 200);
    window.setWindowState(Qt::WindowMaximized);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.showNormal();
    window.resize(250, 150);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.clientWidth(), 250);
    EXPECT_EQ(window.clientHeight(), 150);
}

TEST_F(FormTest, ExceptionInAHandlerIsReportedAndInputGoesOn) {
    class ThrowingWindow : public Window {
    public:
        int presses = 0;

    protected:
        void onMouseDown(MouseButton, ShiftState, int, int) override {
            if (++presses == 1)
                throw std::runtime_error("Error 01 - fnGameNumberCardsArray");
        }
    } throwing;
    throwing.show();
    app::ScriptedMessageBoxes boxes;
    QTest::mouseClick(&throwing, Qt::LeftButton);
    QTest::mouseClick(&throwing, Qt::LeftButton);
    EXPECT_EQ(throwing.presses, 2);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Error 01 - fnGameNumberCardsArray");
}

namespace {

class OkDialog : public Dialog {
public:
    int shows = 0;

protected:
    void showEvent(QShowEvent* event) override {
        ++shows;
        Dialog::showEvent(event);
    }
};

} // namespace

TEST(DialogTest, ShowModalRunsUntilCloseWith) {
    OkDialog dialog;
    QTimer::singleShot(0, &dialog, [&] { dialog.closeWith(ModalResult::Yes); });
    EXPECT_EQ(dialog.showModal(), ModalResult::Yes);
    EXPECT_FALSE(dialog.isVisible());
    // Closing the window instead of choosing answers Cancel, also after an earlier answer.
    QTimer::singleShot(0, &dialog, [&] { dialog.close(); });
    EXPECT_EQ(dialog.showModal(), ModalResult::Cancel);
    EXPECT_EQ(dialog.shows, 2);
}

// A dialog shown while a window stays on top of all others (a splash) comes in front of it.
TEST(DialogTest, AModalDialogHidesTheWindowsThatStayOnTop) {
    QWidget splash(nullptr, Qt::SplashScreen | Qt::WindowStaysOnTopHint);
    splash.show();
    OkDialog dialog;
    bool splashShown = true;
    QTimer::singleShot(0, &dialog, [&] {
        splashShown = splash.isVisible();
        dialog.closeWith(ModalResult::Ok);
    });
    EXPECT_EQ(dialog.showModal(), ModalResult::Ok);
    EXPECT_FALSE(splashShown);
}

TEST(DialogTest, ScriptAnswersInsteadOfTheUser) {
    OkDialog dialog;
    Dialog::Script script([](Dialog& shown) {
        EXPECT_TRUE(shown.isVisible());
        return ModalResult::Ok;
    });
    EXPECT_EQ(dialog.showModal(), ModalResult::Ok);
    EXPECT_EQ(dialog.showModal(), ModalResult::Ok);
    EXPECT_EQ(script.shownCount(), 2);
    EXPECT_EQ(dialog.shows, 2); // the dialog's own show handling ran each time
    EXPECT_FALSE(dialog.isVisible());
}

// A window that is deleted when it closes, closed while a wait or a modal loop runs below the
// close: the code under that loop may still use the window, so it outlives the loop, the
// waits end at once meanwhile, and the whole close comes once the loops have returned.
TEST(DeferredCloseTest, AWindowClosedInsideAWaitIsClosedOnceTheWaitHasReturned) {
    auto* window = new RecordingWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    const QPointer<RecordingWindow> alive(window);
    QTimer::singleShot(20, window, [window] { window->close(); });
    QElapsedTimer waited;
    waited.start();
    app::waitTicksProcessing(3000);
    EXPECT_LT(waited.elapsed(), 1500) << "the wait ran on with a close waiting";
    ASSERT_TRUE(alive) << "the window was deleted under the wait";
    EXPECT_EQ(alive->calls, std::vector<std::string>{"closedeferred"});
    EXPECT_TRUE(app::closePending());
    ASSERT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 2000));
    EXPECT_FALSE(app::closePending());
}

TEST(DeferredCloseTest, AWindowClosedInsideAModalLoopOutlivesItAndThenCloses) {
    auto* window = new RecordingWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<RecordingWindow> alive(window);
    OkDialog dialog;
    bool aliveAtTheEnd = false;
    QTimer::singleShot(0, &dialog, [&] { window->close(); });
    QTimer::singleShot(50, &dialog, [&] {
        aliveAtTheEnd = !alive.isNull();
        dialog.closeWith(ModalResult::Ok);
    });
    window->show();
    EXPECT_EQ(dialog.showModal(), ModalResult::Ok);
    EXPECT_TRUE(aliveAtTheEnd);
    ASSERT_TRUE(alive) << "deleted before the handler that ran the loop returned";
    ASSERT_TRUE(QTest::qWaitFor([&] { return alive.isNull(); }, 2000));

    // A window closed outside any loop closes at once, and a refused close keeps it open.
    RecordingWindow plain;
    plain.setAttribute(Qt::WA_DeleteOnClose);
    plain.allowClose = false;
    plain.show();
    EXPECT_FALSE(plain.close());
    EXPECT_EQ(plain.calls, std::vector<std::string>{"closequery"});
}

namespace {

// A dialog as the programs build theirs: an edit field and a tree that take keys of their
// own, OK as the default button and Cancel as the cancel button; every handler is recorded.
class KeysDialog : public Dialog {
public:
    explicit KeysDialog(bool withCancelButton) {
        auto* layout = new QVBoxLayout(this);
        edit = new QLineEdit(this);
        tree = new QTreeWidget(this);
        for (const char* game : {"Canfield", "FreeCell", "Klondike"})
            new QTreeWidgetItem(tree, QStringList{game});
        ok = new QPushButton("OK", this);
        cancel = new QPushButton("Cancel", this);
        for (QWidget* control : std::initializer_list<QWidget*>{edit, tree, ok, cancel})
            layout->addWidget(control);
        ok->setDefault(true);
        if (withCancelButton)
            setCancelButton(cancel);
        connect(ok, &QPushButton::clicked, this, [this] {
            calls.push_back("ok");
            closeWith(ModalResult::Ok);
        });
        connect(cancel, &QPushButton::clicked, this, [this] {
            calls.push_back("cancel");
            closeWith(ModalResult::Cancel);
        });
    }

    QLineEdit* edit;
    QTreeWidget* tree;
    QPushButton* ok;
    QPushButton* cancel;
    std::vector<std::string> calls;

protected:
    bool onCloseQuery() override {
        calls.push_back("closequery");
        return true;
    }
};

// Shows the dialog by its modal loop; once it is up, `press` works it through its window, as
// the window system delivers keys. A dialog the keys left open is recorded and ended.
ModalResult runWithKeys(KeysDialog& dialog, const std::function<void()>& press) {
    QTimer::singleShot(0, &dialog, [&] {
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
        press();
        if (dialog.isVisible()) {
            dialog.calls.push_back("still open");
            dialog.closeWith(ModalResult::Ignore);
        }
    });
    return dialog.showModal();
}

} // namespace

TEST(DialogKeysTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        bool withCancelButton;
        ModalResult result;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"Return", Qt::Key_Return, Qt::NoModifier, true, ModalResult::Ok, {"ok"}},
        {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier, true, ModalResult::Ok, {"ok"}},
        {"Esc", Qt::Key_Escape, Qt::NoModifier, true, ModalResult::Cancel, {"cancel"}},
        // Without a cancel button Esc closes the dialog as its close box does.
        {"Esc, no cancel button", Qt::Key_Escape, Qt::NoModifier, false, ModalResult::Cancel,
         {"closequery"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        KeysDialog dialog(c.withCancelButton);
        const ModalResult result = runWithKeys(dialog, [&] {
            dialog.edit->setFocus();
            QTest::keyClick(dialog.windowHandle(), c.key, c.modifiers);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(dialog.calls, c.calls);
        EXPECT_FALSE(dialog.isVisible());
    }
}

TEST(DialogKeysTest, ADisabledButtonIgnoresItsKey) {
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
        KeysDialog dialog(true);
        dialog.ok->setEnabled(false);
        dialog.cancel->setEnabled(false);
        EXPECT_EQ(runWithKeys(dialog, [&] { QTest::keyClick(dialog.windowHandle(), key); }),
                  ModalResult::Ignore);
        EXPECT_EQ(dialog.calls, std::vector<std::string>{"still open"}) << key;
    }
}

// The keys a control uses stay with it; Enter there still reaches the default button.
TEST(DialogKeysTest, AControlKeepsItsOwnKeys) {
    KeysDialog dialog(true);
    std::string current;
    EXPECT_EQ(runWithKeys(dialog,
                          [&] {
                              dialog.tree->setFocus();
                              dialog.tree->setCurrentItem(dialog.tree->topLevelItem(0));
                              QTest::keyClick(dialog.windowHandle(), Qt::Key_Down);
                              current = dialog.tree->currentItem()->text(0).toStdString();
                              QTest::keyClick(dialog.windowHandle(), Qt::Key_Return);
                          }),
              ModalResult::Ok);
    EXPECT_EQ(current, "FreeCell");
    EXPECT_EQ(dialog.calls, std::vector<std::string>{"ok"});
}
