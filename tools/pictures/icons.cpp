#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <functional>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

// ---- cursors ----------------------------------------------------------------------------

constexpr int kCursorSize = 32;

QImage blankCursor() {
    QImage c(kCursorSize, kCursorSize, QImage::Format_ARGB32);
    c.fill(Qt::transparent);
    return c;
}

void drawShape(QImage& image, const QPolygon& shape, QColor fill, QColor line) {
    QPainter p(&image);
    p.setPen(line);
    p.setBrush(fill);
    p.drawPolygon(shape);
}

QPolygon arrow() {
    return QPolygon({QPoint(0, 0), QPoint(0, 16), QPoint(4, 12), QPoint(7, 19), QPoint(9, 18),
                     QPoint(6, 11), QPoint(11, 11)});
}

QPolygon rightHand() { // pointing up with the index finger
    return QPolygon({QPoint(7, 1), QPoint(8, 0), QPoint(9, 0), QPoint(10, 1), QPoint(10, 9),
                     QPoint(12, 8), QPoint(14, 9), QPoint(16, 9), QPoint(18, 11), QPoint(19, 12),
                     QPoint(19, 19), QPoint(17, 23), QPoint(8, 23), QPoint(6, 20), QPoint(1, 15),
                     QPoint(1, 13), QPoint(3, 12), QPoint(6, 15), QPoint(6, 1)});
}

QPolygon mirrored(const QPolygon& shape, int axis) {
    QPolygon m;
    for (QPoint p : shape)
        m << QPoint(axis - p.x(), p.y());
    return m;
}

// The "B" cursors are shown while cards are dragged: the same pointer with a card beside it.
void addCard(QImage& cursor) {
    QPainter p(&cursor);
    p.setPen(QColor(Qt::black));
    p.setBrush(QColor(Qt::white));
    p.drawRect(20, 18, 10, 13);
    p.fillRect(23, 22, 5, 5, QColor(kRed));
}

void makeCursors(const Output& out) {
    struct Pointer {
        const char* name;
        std::function<void(QImage&)> draw;
        QPoint hot;
    };
    const QPolygon hand = rightHand();
    const QPolygon leftHand = mirrored(hand, 20);
    const Pointer pointers[] = {
        {"CUR_ARROW1", [](QImage& c) { drawShape(c, arrow(), Qt::black, Qt::white); }, {0, 0}},
        {"CUR_ARROW2", [](QImage& c) { drawShape(c, arrow(), Qt::white, Qt::black); }, {0, 0}},
        {"CUR_RIGHT_HAND1", [&](QImage& c) { drawShape(c, hand, Qt::white, Qt::black); }, {8, 0}},
        {"CUR_RIGHT_HAND2",
         [&](QImage& c) { drawShape(c, hand, QColor(0xF0D060), Qt::black); },
         {8, 0}},
        {"CUR_CROSS1",
         [](QImage& c) {
             QPainter p(&c);
             p.fillRect(14, 0, 4, 32, Qt::white);
             p.fillRect(0, 14, 32, 4, Qt::white);
             p.fillRect(15, 1, 2, 30, Qt::black);
             p.fillRect(1, 15, 30, 2, Qt::black);
         },
         {15, 15}},
        {"CUR_LEFT_HAND1",
         [&](QImage& c) { drawShape(c, leftHand, Qt::white, Qt::black); },
         {12, 0}},
        {"CUR_LEFT_HAND2",
         [&](QImage& c) { drawShape(c, leftHand, QColor(0xF0D060), Qt::black); },
         {12, 0}},
    };
    for (const Pointer& pointer : pointers) {
        QImage a = blankCursor();
        pointer.draw(a);
        out.resourceCursor(QString(pointer.name) + "A", a, pointer.hot);
        QImage b = a;
        addCard(b);
        out.resourceCursor(QString(pointer.name) + "B", b, pointer.hot);
    }
}

// ---- game chooser and options pictures ---------------------------------------------------

constexpr int kTreeIcon = 16;
constexpr QRgb kTreeMask = 0xFF800000; // the image lists' mask 0x000080 (0x00BBGGRR): dark red

QImage treeIcon() {
    QImage icon(kTreeIcon, kTreeIcon, QImage::Format_RGB32);
    icon.fill(kTreeMask);
    return icon;
}

QImage folder(QColor colour, bool open) {
    QImage icon = treeIcon();
    QPainter p(&icon);
    p.setPen(Qt::black);
    p.setBrush(colour.darker(130));
    p.drawPolygon(QPolygon(
        {QPoint(1, 3), QPoint(6, 3), QPoint(7, 4), QPoint(14, 4), QPoint(14, 13), QPoint(1, 13)}));
    p.setBrush(colour);
    if (open)
        p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
    else
        p.drawRect(1, 6, 13, 7);
    return icon;
}

QImage miniCard(QColor band, Suit suit) {
    QImage icon = treeIcon();
    QPainter p(&icon);
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 10, 14);
    p.fillRect(4, 2, 9, 3, band);
    p.end();
    const bool red = suit == Suit::Hearts || suit == Suit::Diamonds;
    drawSuit(icon, suit, 5, 6, 1, red ? kRed : kBlack);
    return icon;
}

QImage landscape() { // a background in the options tree
    QImage icon = treeIcon();
    QPainter p(&icon);
    p.setPen(Qt::black);
    p.setBrush(QColor(0x006000));
    p.drawRect(1, 2, 13, 11);
    p.fillRect(2, 3, 12, 4, QColor(0x80C0F0));
    return icon;
}

QImage star(QColor colour) {
    QImage icon = treeIcon();
    QPainter p(&icon);
    p.setPen(Qt::black);
    p.setBrush(colour);
    p.drawPolygon(
        QPolygon({QPoint(7, 0), QPoint(9, 5), QPoint(15, 5), QPoint(10, 9), QPoint(12, 15),
                  QPoint(7, 11), QPoint(2, 15), QPoint(4, 9), QPoint(0, 5), QPoint(5, 5)}));
    return icon;
}

void makeTreePictures(const Output& out) {
    out.resourceBitmap("TREE1", folder(QColor(0xE8C048), false));
    out.resourceBitmap("TREE2", folder(QColor(0xE8C048), true));
    out.resourceBitmap("N_TREE3", miniCard(QColor(0x1C3F9C), Suit::Spades));
    out.resourceBitmap("N_TREE4", landscape());
    out.resourceBitmap("N_TREE5", miniCard(QColor(0x808080), Suit::Hearts));
    // Folders of the other groups, each pair closed / open in a colour of its own.
    const std::pair<const char*, QRgb> groups[] = {
        {"F", 0xF0A0A0}, {"S", 0xA0C8F0}, {"D", 0xC0E0A0}, {"C", 0xE0B0E0},
        {"T", 0xA0E0E0}, {"I", 0xF0C890}, {"K", 0xC8C8C8}, {"W", 0xD0D090}};
    for (const auto& [letter, colour] : groups) {
        out.resourceBitmap(QString("%1_TREE1").arg(letter), folder(QColor(colour), false));
        out.resourceBitmap(QString("%1_TREE2").arg(letter), folder(QColor(colour), true));
    }
    const char* const categories[] = {"CANFIELD", "FORTYTHIEVES", "FREECELL",    "KLONDIKE",
                                      "PAIRING",  "SIMPLEGAMES",  "SPIDER",      "1DECK",
                                      "2DECK",    "FAN",          "BAKERSDOZEN", "ROW"};
    int i = 0;
    for (const char* category : categories) {
        const QColor band = QColor::fromHsv((i * 360 / 12) % 360, 200, 220);
        out.resourceBitmap(QString("TREE5_%1_TYPE").arg(category), miniCard(band, Suit(i % 4)));
        ++i;
    }
    out.resourceBitmap("TREE5_CUSTOMIZED_GAMES", miniCard(QColor(0x404040), Suit::Diamonds));
    out.resourceBitmap("TREE5_FAVORITES_GAMES", star(QColor(0xF0D020)));
}

// Description pictures: `total` bars rising from left to right, the first `filled` lit, on
// the white description area. The chooser shows them in a 16 x 16 place.
QImage meter(int filled, int total, QColor colour) {
    constexpr int kSide = 16;
    const int gap = total > 3 ? 1 : 2;
    const int bar = (kSide - (total - 1) * gap) / total;
    const int left = (kSide - total * bar - (total - 1) * gap) / 2;
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(kWhite);
    QPainter p(&image);
    for (int i = 0; i < total; ++i) {
        const int height = kSide * (i + 1) / total;
        p.fillRect(left + i * (bar + gap), kSide - height, bar, height,
                   i < filled ? colour : QColor(0xD0D0D0));
    }
    return image;
}

void makeDescriptionPictures(const Output& out) {
    const QColor time(0x3070D0);
    out.resourceBitmap("PROG_TIME_LONG", meter(3, 3, time));
    out.resourceBitmap("PROG_TIME_MEDIUM", meter(2, 3, time));
    out.resourceBitmap("PROG_TIME_QUICK", meter(1, 3, time));
    out.resourceBitmap("PROG_DIFF_EASY", meter(1, 3, QColor(0x30A030)));
    out.resourceBitmap("PROG_DIFF_MEDIUM", meter(2, 3, QColor(0xE09020)));
    out.resourceBitmap("PROG_DIFF_HARD", meter(3, 3, QColor(0xD02020)));
    const char* const chances[] = {"VERYHIGH", "HIGH", "MEDIUM", "LOW", "VERYLOW"};
    for (int i = 0; i < 5; ++i)
        out.resourceBitmap(QString("PROG_CHAN_%1").arg(chances[i]),
                           meter(5 - i, 5, QColor(0x30A030)));
}

// ---- tool bar glyphs ---------------------------------------------------------------------

constexpr QRgb kButtonFace = 0xFFC0C0C0; // also the bottom-left pixel the buttons key on

using GlyphDrawing = std::function<void(QPainter&)>; // draws in a 16 x 16 design grid

QImage glyph(const GlyphDrawing& draw, int scale) {
    QImage image(16 * scale, 16 * scale, QImage::Format_RGB32);
    image.fill(kButtonFace);
    QPainter p(&image);
    p.scale(scale, scale);
    p.setPen(QPen(Qt::black, 0));
    draw(p);
    return image;
}

// The disabled look: the glyph's dark lines embossed in grey with a white highlight below
// and right; light areas take the button face.
QImage disabled(const QImage& enabled) {
    QImage image(enabled.size(), QImage::Format_RGB32);
    image.fill(kButtonFace);
    auto dark = [&](int x, int y) {
        const QRgb c = enabled.pixel(x, y);
        return c != kButtonFace && qGray(c) < 160;
    };
    for (int y = 0; y + 1 < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); ++x)
            if (dark(x, y))
                image.setPixel(x + 1, y + 1, kWhite);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (dark(x, y))
                image.setPixel(x, y, 0xFF808080);
    return image;
}

void card(QPainter& p) {
    p.setBrush(Qt::white);
    p.drawRect(3, 1, 9, 13);
}

void curvedArrow(QPainter& p, bool left) {
    p.save();
    if (!left) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    p.setPen(QPen(QColor(0x2050C0), 2));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(3, 4, 10, 9), 0, 180 * 16);
    p.setPen(QPen(Qt::black, 0));
    p.setBrush(QColor(0x2050C0));
    p.drawPolygon(QPolygon({QPoint(0, 8), QPoint(7, 8), QPoint(4, 12)}));
    p.restore();
}

void makeToolbarGlyphs(const Output& out) {
    const std::pair<const char*, GlyphDrawing> glyphs[] = {
        {"NEW",
         [](QPainter& p) {
             card(p);
             p.setBrush(QColor(0xF0D020));
             p.drawPolygon(QPolygon({QPoint(12, 0), QPoint(13, 3), QPoint(16, 4), QPoint(13, 5),
                                     QPoint(12, 8), QPoint(11, 5), QPoint(8, 4), QPoint(11, 3)}));
         }},
        {"OPEN",
         [](QPainter& p) {
             p.setBrush(QColor(0xC09830));
             p.drawPolygon(QPolygon({QPoint(1, 3), QPoint(6, 3), QPoint(7, 4), QPoint(13, 4),
                                     QPoint(13, 13), QPoint(1, 13)}));
             p.setBrush(QColor(0xF0D060));
             p.drawPolygon(QPolygon({QPoint(3, 7), QPoint(15, 7), QPoint(13, 13), QPoint(1, 13)}));
         }},
        {"AUTOPLAY",
         [](QPainter& p) {
             card(p);
             p.setBrush(QColor(0x20A020));
             p.drawPolygon(QPolygon({QPoint(5, 4), QPoint(11, 8), QPoint(5, 12)}));
         }},
        {"RULES",
         [](QPainter& p) {
             p.setBrush(QColor(0x2050C0));
             p.drawRect(2, 1, 11, 14);
             p.setBrush(Qt::white);
             p.drawRect(4, 3, 7, 10);
             p.drawLine(5, 5, 9, 5);
             p.drawLine(5, 7, 9, 7);
             p.drawLine(5, 9, 9, 9);
         }},
        {"EXIT",
         [](QPainter& p) {
             p.setBrush(QColor(0x906030));
             p.drawRect(2, 1, 8, 14);
             p.setBrush(QColor(0xD02020));
             p.drawPolygon(QPolygon({QPoint(8, 6), QPoint(12, 6), QPoint(12, 3), QPoint(16, 8),
                                     QPoint(12, 13), QPoint(12, 10), QPoint(8, 10)}));
         }},
        {"UNDO", [](QPainter& p) { curvedArrow(p, true); }},
        {"REDO", [](QPainter& p) { curvedArrow(p, false); }},
    };
    for (const auto& [name, draw] : glyphs) {
        const QImage small = glyph(draw, 1);
        out.resourceBitmap(QString("TB_%1").arg(name), small);
        out.resourceBitmap(QString("TB_%1_DIS").arg(name), disabled(small));
        out.resourceBitmap(QString("TB_%1_LARGE").arg(name), glyph(draw, 2));
    }
}

} // namespace

void makeIcons(const Output& out) {
    makeCursors(out);
    makeTreePictures(out);
    makeDescriptionPictures(out);
    makeToolbarGlyphs(out);
}

} // namespace pictures
