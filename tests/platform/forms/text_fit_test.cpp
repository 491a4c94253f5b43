// The check that a window's texts fit, held against what Qt really paints.

#include "text_fit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <optional>

namespace {

using ::testing::IsEmpty;
using ::testing::SizeIs;

// Texts are painted in pure red, which nothing else of a control is: the red pixels are the
// text's ink.
int inkOf(QWidget& control) {
    const QImage image = control.grab().toImage();
    int ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            ink += c.red() - std::max(c.green(), c.blue()) > 60;
        }
    return ink;
}

void paintTextRed(QWidget& control) {
    QPalette red = control.palette();
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
        red.setColor(role, Qt::red);
    control.setPalette(red);
}

struct Window {
    Window() { widget.resize(600, 300); }
    template <class Control, class... Args>
    Control* add(Args&&... args) {
        auto* control = new Control(std::forward<Args>(args)..., &widget);
        return control;
    }
    std::vector<std::string> cut() {
        widget.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&widget));
        return textfit::layoutFaults(widget);
    }
    QWidget widget;
};

// One control whose width or height is varied, and whose other side is ample.
struct SizedControl {
    const char* name;
    std::function<QWidget*(QWidget&)> make;
    bool varyHeight;
    int fixedSide;
};

QPixmap clearIcon(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    return picture;
}

// A label showing a solid red picture, which counts as ink like a red text.
QLabel* pictureLabel(QWidget& window) {
    QPixmap picture(30, 12);
    picture.fill(Qt::red);
    auto* label = new QLabel(&window);
    label->setPixmap(picture);
    return label;
}

// A flat tool button with its caption under a 20-pixel icon that paints nothing.
QToolButton* captionUnderIcon(const char* caption, QWidget& window) {
    auto* button = new QToolButton(&window);
    button->setText(caption);
    button->setIcon(clearIcon(20));
    button->setIconSize({20, 20});
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    return button;
}

const SizedControl kSizedControls[] = {
    {"label by width", [](QWidget& w) { return new QLabel("Egypt jig quay", &w); }, false, 30},
    {"label by height", [](QWidget& w) { return new QLabel("Egypt jig quay", &w); }, true, 200},
    {"framed label by width",
     [](QWidget& w) {
         auto* label = new QLabel("Disconnected", &w);
         label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
         return label;
     },
     false, 19},
    {"right-aligned label by width",
     [](QWidget& w) {
         auto* label = new QLabel("0:00:00", &w);
         label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
         return label;
     },
     false, 16},
    {"wrapped label by height",
     [](QWidget& w) {
         auto* label = new QLabel("Egypt jig quay, Egypt jig quay, Egypt jig quay", &w);
         label->setWordWrap(true);
         return label;
     },
     true, 120},
    {"wrapped label by width",
     [](QWidget& w) {
         auto* label = new QLabel("Downloaded from:", &w);
         label->setWordWrap(true);
         return label;
     },
     false, 16},
    {"push button by width", [](QWidget& w) { return new QPushButton("Send E-&Mail", &w); },
     false, 25},
    {"push button by height", [](QWidget& w) { return new QPushButton("Egypt", &w); }, true,
     120},
    {"check box by width", [](QWidget& w) { return new QCheckBox("&Preview jig", &w); }, false,
     22},
    {"radio button by width", [](QWidget& w) { return new QRadioButton("Two Players", &w); },
     false, 22},
    {"tool button caption by height", [](QWidget& w) { return captionUnderIcon("Egypt", w); },
     true, 80},
    {"tool button caption by width", [](QWidget& w) { return captionUnderIcon("Autoplay", w); },
     false, 60},
    {"group title by width", [](QWidget& w) { return new QGroupBox("Connection Type", &w); },
     false, 60},
    {"picture by width", pictureLabel, false, 16},
    {"picture by height", pictureLabel, true, 40},
};

class SizedControlTest : public ::testing::TestWithParam<SizedControl> {};

// Wherever the check finds the text fits, all of its ink is painted; and it does not ask for
// much more room than the ink needs.
TEST_P(SizedControlTest, FitsExactlyWhenTheWholeTextIsPainted) {
    const SizedControl& sized = GetParam();
    Window window;
    QWidget* control = sized.make(window.widget);
    paintTextRed(*control);
    auto resize = [&](int side) {
        control->setGeometry(0, 0, sized.varyHeight ? sized.fixedSide : side,
                             sized.varyHeight ? side : sized.fixedSide);
    };
    // A centred text lands half a pixel aside on odd sizes, and its ink differs a little.
    int fullInk[2];
    for (int side : {400, 401}) {
        resize(side);
        EXPECT_THAT(window.cut(), IsEmpty()) << "with ample room";
        fullInk[side % 2] = inkOf(*control);
        ASSERT_GT(fullInk[side % 2], 0);
    }
    std::optional<int> firstFit, firstWhole;
    for (int side = 4; side <= 200; ++side) {
        resize(side);
        const bool fits = textfit::layoutFaults(window.widget).empty();
        const bool whole = inkOf(*control) == fullInk[side % 2];
        if (fits) {
            EXPECT_TRUE(whole) << "found to fit at " << side << " pixels, but cut";
        }
        if (fits && !firstFit)
            firstFit = side;
        if (whole && !firstWhole)
            firstWhole = side;
    }
    ASSERT_TRUE(firstFit && firstWhole);
    EXPECT_LE(*firstFit - *firstWhole, 4) << "asks for more room than the text takes";
}

INSTANTIATE_TEST_SUITE_P(Controls, SizedControlTest, ::testing::ValuesIn(kSizedControls),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::ranges::replace_if(
                                 name, [](char c) { return !std::isalnum(c); }, '_');
                             return name;
                         });

TEST(TextFitTest, TextsSideBySideNeedASpaceBetweenThem) {
    for (int gap : {0, 12}) {
        Window window;
        auto* caption = window.add<QLabel>("Time:");
        caption->setGeometry(4, 4, caption->sizeHint().width(), 16);
        auto* value = window.add<QLabel>("0:00:00");
        value->setGeometry(caption->geometry().right() + 1 + gap, 4, value->sizeHint().width(), 16);
        const auto cut = window.cut();
        EXPECT_THAT(cut, SizeIs(gap == 0 ? 1 : 0)) << gap;
    }
}

TEST(TextFitTest, TextUnderAControlPaintedAboveItIsCovered) {
    {
        Window window;
        window.add<QLabel>("Downloaded from:")->setGeometry(10, 10, 200, 20);
        window.add<QLineEdit>()->setGeometry(60, 10, 150, 20);
        EXPECT_THAT(window.cut(), SizeIs(1));
    }
    {
        Window window; // the label is painted after the edit, over it
        window.add<QLineEdit>()->setGeometry(60, 10, 150, 20);
        window.add<QLabel>("Downloaded from:")->setGeometry(10, 10, 200, 20);
        EXPECT_THAT(window.cut(), IsEmpty());
    }
}

TEST(TextFitTest, TextBeyondItsContainerIsCutOff) {
    for (int containerWidth : {60, 300}) {
        Window window;
        auto* panel = window.add<QWidget>();
        panel->setGeometry(0, 0, containerWidth, 40);
        (new QLabel("Very high (about 99 in 100)", panel))->setGeometry(4, 4, 250, 16);
        EXPECT_THAT(window.cut(), SizeIs(containerWidth < 250 ? 1 : 0)) << containerWidth;
    }
}

TEST(TextFitTest, APictureBeyondItsContainerIsCutUnlessItsLabelScalesIt) {
    for (bool scaled : {false, true}) {
        Window window;
        auto* panel = window.add<QWidget>();
        panel->setGeometry(0, 0, 10, 40);
        auto* picture = new QLabel(panel);
        picture->setPixmap(clearIcon(16));
        picture->setScaledContents(scaled);
        picture->setGeometry(0, 0, scaled ? 8 : 16, 16);
        EXPECT_THAT(window.cut(), SizeIs(scaled ? 0 : 1)) << scaled;
    }
}

TEST(TextFitTest, AControlOrTextAcrossAFrameLineIsFound) {
    struct Case {
        const char* what;
        int top;       // of the button and the label, in the group box
        bool sibling;  // the button stands in front of the box instead of in it
        bool across;
    };
    for (const Case c : {Case{"inside", 30, false, false}, Case{"across the top", 0, false, true},
                         Case{"sibling inside", 30, true, false},
                         Case{"sibling across the top", 2, true, true}}) {
        Window window;
        auto* box = window.add<QGroupBox>("Game controls");
        box->setGeometry(10, 10, 200, 120);
        auto* button = new QPushButton("Exit", c.sibling ? &window.widget : box);
        // To the right of the title, which it would also cover.
        button->setGeometry(c.sibling ? 130 : 120, c.sibling ? 10 + c.top : c.top, 70, 25);
        (new QLabel("Wins:", box))->setGeometry(10, 60, 50, 16);
        EXPECT_THAT(window.cut(), SizeIs(c.across ? 1 : 0)) << c.what;
    }
    Window window;
    auto* box = window.add<QGroupBox>("Player 1 Status");
    box->setGeometry(10, 10, 200, 60);
    (new QLabel("Losses:", box))->setGeometry(10, 50, 60, 16);
    EXPECT_THAT(window.cut(), SizeIs(1)) << "a label across the bottom line";
}

TEST(TextFitTest, TreeRowsAndListEntriesMustFitTheirWidth) {
    for (int width : {90, 300}) {
        Window window;
        auto* tree = window.add<QTreeWidget>();
        tree->setHeaderHidden(true);
        auto* group = new QTreeWidgetItem(tree, QStringList{"All"});
        new QTreeWidgetItem(group, QStringList{"Portuguese Solitaire"});
        group->setExpanded(true);
        tree->setGeometry(0, 0, width, 200);
        auto* list = window.add<QComboBox>();
        list->addItems({"Hux", "Super Tavo the Great"});
        list->setGeometry(0, 210, width, 25);
        EXPECT_THAT(window.cut(), SizeIs(width < 200 ? 2 : 0)) << width;
    }
}

TEST(TextFitTest, TabsScrolledOutOfTheirBarAreCut) {
    for (int width : {120, 500}) {
        Window window;
        auto* bar = window.add<QTabBar>();
        for (const char* tab : {"How To Play", "Normal Mode", "Network Mode"})
            bar->addTab(tab);
        bar->setGeometry(0, 0, width, bar->sizeHint().height());
        EXPECT_EQ(window.cut().empty(), width > bar->sizeHint().width()) << width;
    }
}

TEST(TextFitTest, HiddenControlsAndPicturesThatFitAreLeftOut) {
    Window window;
    auto* hidden = window.add<QLabel>("Very high (about 99 in 100)");
    hidden->setGeometry(0, 0, 20, 16);
    hidden->hide();
    auto* picture = window.add<QLabel>();
    picture->setPixmap(clearIcon(16));
    picture->setGeometry(0, 20, 16, 16);
    EXPECT_THAT(window.cut(), IsEmpty());
}

} // namespace
