// The programs' style draws a titled group box's frame as the forms were laid out for: the
// line runs through the middle of the title, which stands in from the left edge.

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QStyle>
#include <QStyleOptionGroupBox>
#include <QTest>

#include <gtest/gtest.h>

#include <optional>

namespace {

struct Drawn {
    QImage image;
    QRect title;
};

Drawn drawGroupBox(const char* title) {
    QGroupBox box(title);
    box.resize(220, 100);
    box.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&box));
    QStyleOptionGroupBox option;
    option.initFrom(&box);
    option.text = box.title();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    const QRect label =
        box.style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, &box);
    return {box.grab().toImage(), label};
}

bool ink(const QImage& image, int x, int y, QRgb background) {
    return image.pixel(x, y) != background;
}

// The first row from the top, in column x, that differs from the background.
std::optional<int> firstLine(const QImage& image, int x, QRgb background) {
    for (int y = 0; y < image.height(); ++y)
        if (ink(image, x, y, background))
            return y;
    return std::nullopt;
}

TEST(ProgramStyleTest, ATitledFrameRunsThroughTheMiddleOfItsTitle) {
    const Drawn drawn = drawGroupBox("Game controls");
    const QImage& image = drawn.image;
    const QRgb background = image.pixel(image.width() / 2, image.height() / 2);
    ASSERT_FALSE(drawn.title.isEmpty());

    const auto line = firstLine(image, image.width() - 20, background);
    ASSERT_TRUE(line);
    const int middle = drawn.title.top() + drawn.title.height() / 2;
    EXPECT_NEAR(*line, middle, 1) << "the top line beside the title";

    EXPECT_GT(drawn.title.left(), 2) << "the title stands in from the left edge";
    EXPECT_TRUE(ink(image, 0, drawn.title.bottom() + 4, background)) << "the left line";
    // The line stops short of the title on both sides.
    EXPECT_FALSE(ink(image, drawn.title.left() - 1, *line, background));
    EXPECT_FALSE(ink(image, drawn.title.right() + 1, *line, background));
}

TEST(ProgramStyleTest, AFrameWithoutTitleKeepsTheSystemLook) {
    const Drawn drawn = drawGroupBox("");
    const QRgb background = drawn.image.pixel(drawn.image.width() / 2, drawn.image.height() / 2);
    const auto line = firstLine(drawn.image, drawn.image.width() / 2, background);
    ASSERT_TRUE(line);
    EXPECT_LE(*line, 4);
}

} // namespace
