// Forms that load and unload, and modal shows.
#include "platform/vbforms/widgets.h"
#include "tests/platform/forms/text_fit.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace platform::vbforms {
namespace {

struct Events {
    int loads = 0;
    int unloads = 0;
    bool deleted = false;
};

class TestForm : public Form {
public:
    explicit TestForm(Events& events) : events_(events) {}
    ~TestForm() override { events_.deleted = true; }
    void Form_Load() override { ++events_.loads; }
    void Form_Unload() override { ++events_.unloads; }

private:
    Events& events_;
};

void deleteUnloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(FormSlots, LoadOnceUnloadOnce) {
    Events events;
    int afterUnload = 0;
    FormSlot<TestForm> slot([&] { ++afterUnload; });
    EXPECT_FALSE(slot.loaded());
    TestForm& form = slot.load(events);
    EXPECT_EQ(&slot.load(events), &form); // loading a loaded form does nothing
    EXPECT_EQ(events.loads, 1);
    slot.unload();
    EXPECT_FALSE(slot.loaded());
    EXPECT_EQ(events.unloads, 1);
    EXPECT_EQ(afterUnload, 1);
    slot.unload(); // not loaded: nothing
    EXPECT_EQ(events.unloads, 1);
    EXPECT_EQ(afterUnload, 1);
    EXPECT_FALSE(events.deleted); // still inside its own handlers, perhaps
    deleteUnloaded();
    EXPECT_TRUE(events.deleted);
}

TEST(FormSlots, TheCloseBoxUnloads) {
    Events events;
    FormSlot<TestForm> slot;
    slot.load(events).showModeless();
    slot->close();
    EXPECT_FALSE(slot.loaded());
    EXPECT_EQ(events.unloads, 1);
    deleteUnloaded();
    EXPECT_TRUE(events.deleted);
}

TEST(FormSlots, ALoadedFormGoesWithItsSlot) {
    Events events;
    {
        FormSlot<TestForm> slot;
        slot.load(events);
    }
    EXPECT_TRUE(events.deleted);
    EXPECT_EQ(events.unloads, 0);
}

TEST(Forms, ShowModalReturnsWhenTheFormIsUnloaded) {
    Events events;
    FormSlot<TestForm> slot;
    TestForm& form = slot.load(events);
    QTimer::singleShot(0, &form, [&] {
        EXPECT_TRUE(form.isModal());
        slot.unload();
    });
    form.showModal();
    EXPECT_FALSE(slot.loaded());
}

TEST(Forms, ShowModalTurnsAModelessFormModal) {
    Events events;
    FormSlot<TestForm> slot;
    TestForm& form = slot.load(events);
    form.showModeless();
    EXPECT_FALSE(form.isModal());
    testing::setModalShowsReturnAtOnce(true);
    form.showModal();
    testing::setModalShowsReturnAtOnce(false);
    EXPECT_TRUE(form.isModal());
    EXPECT_TRUE(form.isVisible());
}

// A box shown modal by its own loop, worked by keys through its window as the window system
// delivers them: Enter clicks the default button or the focused one, Esc the cancel button;
// a form with no such buttons takes neither key.
TEST(Forms, EnterAndEscClickTheBoxsButtons) {
    struct Case {
        const char* what;
        bool buttons;   // default and cancel button set
        bool focusOnCancel;
        Qt::Key key;
        const char* clicked;
    };
    const Case cases[] = {
        {"Enter", true, false, Qt::Key_Return, "finish"},
        {"keypad Enter", true, false, Qt::Key_Enter, "finish"},
        {"Enter on the focused button", true, true, Qt::Key_Return, "back"},
        {"Esc", true, false, Qt::Key_Escape, "back"},
        {"Enter, no buttons", false, false, Qt::Key_Return, ""},
        {"Esc, no buttons", false, false, Qt::Key_Escape, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Events events;
        FormSlot<TestForm> slot;
        TestForm& form = slot.load(events);
        form.resize(240, 120);
        auto* name = new QLineEdit(&form);
        auto* back = new QPushButton("< < Back", &form);
        auto* finish = new QPushButton("Finish > >", &form);
        back->move(0, 40);
        finish->move(120, 40);
        std::string clicked;
        QObject::connect(back, &QPushButton::clicked, &form, [&] {
            clicked = "back";
            slot.unload();
        });
        QObject::connect(finish, &QPushButton::clicked, &form, [&] {
            clicked = "finish";
            slot.unload();
        });
        if (c.buttons) {
            form.setDefaultButton(finish);
            form.setCancelButton(back);
        }
        QTimer::singleShot(0, &form, [&] {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&form));
            (c.focusOnCancel ? static_cast<QWidget*>(back) : name)->setFocus();
            QTest::keyClick(form.windowHandle(), c.key);
            if (slot.loaded())
                slot.unload(); // the keys left it open
        });
        form.showModal();
        EXPECT_EQ(clicked, c.clicked);
        deleteUnloaded();
    }
}

// The message and input boxes, each in its own modal loop, open over the game window the user
// works in, not the middle of the screen, wide enough for the window manager to show their
// whole title beside the icon and buttons, with their texts whole; a box form opens over the
// game window too.
TEST(Forms, BoxesOpenOverTheActiveWindowWideEnoughForTheirTitles) {
    QWidget game;
    game.setGeometry(330, 220, 510, 400);
    game.show();
    game.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&game));
    QFont titleFont = QApplication::font();
    titleFont.setBold(true);
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance("Noughts and Crosses");
    const auto offCentre = [&](const QRect& shown) {
        return (shown.center() - game.frameGeometry().center()).manhattanLength();
    };

    // Each box is closed as its window's close box would close it.
    const std::pair<const char*, std::function<void()>> boxes[] = {
        {"message box", [] { MsgBox("That's taken!", Buttons::Ok, "Noughts and Crosses"); }},
        {"input box", [] { InputBox("Enter your name player 1:", "Noughts and Crosses", ""); }},
    };
    for (const auto& [what, show] : boxes) {
        SCOPED_TRACE(what);
        QRect shown;
        std::vector<std::string> faults{"not walked"};
        QTimer::singleShot(0, [&] {
            QWidget* box = QApplication::activeModalWidget();
            ASSERT_NE(box, nullptr);
            shown = box->frameGeometry();
            faults = textfit::layoutFaults(*box);
            box->close();
        });
        show();
        EXPECT_LE(offCentre(shown), 4) << shown.x() << "," << shown.y();
        EXPECT_GE(shown.width(), titleWidth + 64);
        EXPECT_TRUE(faults.empty()) << ::testing::PrintToString(faults);
    }

    Events events;
    FormSlot<TestForm> slot;
    TestForm& form = slot.load(events);
    form.setWindowTitle("Noughts and Crosses");
    form.setClientTwips(2400, 1500);
    QRect shown;
    QTimer::singleShot(0, &form, [&] {
        shown = form.frameGeometry();
        slot.unload();
    });
    form.showModal();
    EXPECT_LE(offCentre(shown), 4) << shown.x() << "," << shown.y();
}

TEST(Forms, PlaceAndClientSizeAreInTwips) {
    Form form;
    form.setClientTwips(5985, 3720);
    EXPECT_EQ(form.size(), QSize(399, 248));
    QWidget child(&form);
    place(&child, 120, 3360, 2655, 255);
    EXPECT_EQ(child.geometry(), QRect(8, 224, 177, 17));
    EXPECT_EQ(toQFont({"MS Sans Serif", 8.25}).pixelSize(), 11);
    EXPECT_EQ(toQFont({"Times New Roman", 12}).styleHint(), QFont::Serif);
}

TEST(Forms, ProgressBarViewFollowsTheControl) {
    QWidget window;
    ProgressBar bar;
    ProgressBarView view(bar, &window);
    bar.put(ProgressBar::maximum, 200.0f);
    bar.put(ProgressBar::value, 120.0f);
    EXPECT_EQ(view.maximum(), 200);
    EXPECT_EQ(view.value(), 120);
}

} // namespace
} // namespace platform::vbforms
