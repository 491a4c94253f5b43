#include <QPainter>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

// The markers are drawn in inks, exact colours without smoothing, that the table replaces by
// colours taken from the background beneath each marker: the slot ink by a shade of it, the
// line ink by a tint that stands out from it, the table green of the corners by the background
// itself (kMarkerSlotInk and its neighbours in the program). The stock hint's yellow stays.
constexpr QRgb kSlotFill = 0xFF1E5A1E;
constexpr QRgb kSlotLine = 0xFF8FC08F;
constexpr QRgb kHintLine = 0xFFFFE040;
constexpr QRgb kShadowWhite = kWhite;   // transparent key of the shadows (0xFFFFFF)
constexpr QRgb kBorderKey = 0xFF0000FF; // transparent key of the borders: 0xFF0000 as 0x00BBGGRR
constexpr QRgb kEdgeLight = 0xFFE8E8E8;
constexpr QRgb kEdgeDark = 0xFF707070;

int markScale(const CardSize& size) {
    return size.letter == 'B' ? 3 : size.letter == 'M' ? 2 : 1;
}

QImage emptySlot(const CardSize& size) {
    QImage slot = cardBase(size.width, size.height, kSlotFill);
    for (int x = 0; x < size.width; ++x)
        for (int y = 0; y < size.height; ++y)
            if (slot.pixel(x, y) == kOutline)
                slot.setPixel(x, y, kSlotLine);
    return slot;
}

void drawInnerFrame(QImage& slot, int inset, QRgb colour) {
    QPainter p(&slot);
    p.setPen(colour);
    p.drawRect(inset, inset, slot.width() - 1 - 2 * inset, slot.height() - 1 - 2 * inset);
}

void drawCentredRank(QImage& slot, int rank, int scale) {
    const int x = (slot.width() - rankTextWidth(rank, scale)) / 2;
    const int y = (slot.height() - kGlyphHeight * scale) / 2;
    drawRank(slot, rank, x, y, scale, kSlotLine);
}

// A ring: the stock can be dealt again.
void drawRing(QImage& slot, int scale) {
    QPainter p(&slot);
    p.setPen(QPen(QColor(kSlotLine), scale + 1));
    const int r = std::min(slot.width(), slot.height()) / 4;
    p.drawEllipse(QPoint(slot.width() / 2, slot.height() / 2), r, r);
}

// A cross: no more passes through the stock.
void drawCross(QImage& slot, int scale) {
    QPainter p(&slot);
    p.setPen(QPen(QColor(kSlotLine), scale + 1));
    const int r = std::min(slot.width(), slot.height()) / 4;
    const QPoint c(slot.width() / 2, slot.height() / 2);
    p.drawLine(c + QPoint(-r, -r), c + QPoint(r, r));
    p.drawLine(c + QPoint(-r, r), c + QPoint(r, -r));
}

void drawBars(QImage& slot, int scale) {
    QPainter p(&slot);
    const int w = slot.width() / 2, x = slot.width() / 4, y = slot.height() / 2;
    p.fillRect(x, y - 3 * scale, w, scale + 1, QColor(kSlotLine));
    p.fillRect(x, y + 2 * scale, w, scale + 1, QColor(kSlotLine));
}

void drawDiamond(QImage& slot, int scale) {
    drawSuit(slot, Suit::Diamonds, (slot.width() - kSuitSize * scale) / 2,
             (slot.height() - kSuitSize * scale) / 2, scale, kSlotLine);
}

QImage marker(const CardSize& size, int digits) {
    const int scale = markScale(size);
    QImage slot = emptySlot(size);
    switch (digits) {
    case 1:
        break; // reserve
    case 2:
        drawInnerFrame(slot, 3, kSlotLine);
        break; // waste
    case 3:
        drawCentredRank(slot, 12, scale);
        break;
    case 4:
        drawInnerFrame(slot, 2 + scale, kSlotLine);
        break; // tableau / foundation
    case 5:
        drawInnerFrame(slot, 1, kHintLine);
        drawInnerFrame(slot, 2, kHintLine);
        break;
    case 6:
        drawCentredRank(slot, 11, scale);
        break;
    case 7:
        break; // tableau without a base rule
    case 8:
        drawCross(slot, scale);
        break;
    case 9:
        drawBars(slot, scale);
        break;
    case 10:
        drawCentredRank(slot, 1, scale);
        break;
    case 11:
        drawCentredRank(slot, 13, scale);
        break;
    case 21:
        drawDiamond(slot, scale);
        break;
    case 22:
        drawRing(slot, scale);
        break;
    default:
        drawCentredRank(slot, digits - 10, scale);
        break; // 012..020: ranks 2..10
    }
    return slot;
}

// A checkerboard of black dots on the transparent white, in step with the dotted shadow of a
// dragged group; the parity is taken from the card's top-left so both pictures meet cleanly.
void dotShadow(QImage& image, int originX, int originY, int bandWidth, bool vertical) {
    image.fill(kShadowWhite);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const bool inBand = vertical ? x < bandWidth : y < bandWidth;
            if (inBand && (originX + x + originY + y) % 2 == 0)
                image.setPixel(x, y, kBlack);
        }
}

// Shadow 1 lies right of the card from 7 pixels below its top, shadow 2 under it from 8 pixels
// right of its left edge; both reach 9 pixels beyond the card.
void makeShadows(const Output& out, const CardSize& size) {
    constexpr int kOffset = 9, kBand = 7;
    QImage right(kOffset, size.height + 2, QImage::Format_RGB32);
    dotShadow(right, size.width, 7, kBand, true);
    QImage below(size.width + 1, kOffset, QImage::Format_RGB32);
    dotShadow(below, 8, size.height, kBand, false);
    for (int x = size.width - 1; x < below.width(); ++x) // the corner belongs to shadow 1
        for (int y = 0; y < below.height(); ++y)
            below.setPixel(x, y, kShadowWhite);
    out.resourceBitmap(QString("SHADOW_%1").arg(size.letter) + "1", right);
    out.resourceBitmap(QString("SHADOW_%1").arg(size.letter) + "2", below);
}

// The stock's thickness: bands of card edges cut from the last rows (border 2) or last
// columns (border 1); the first 13 pixels lie beside the stack and stay transparent.
void makeBorders(const Output& out, const CardSize& size) {
    constexpr int kThick = 16, kBeside = 13;
    QImage below(size.width + 16, kThick, QImage::Format_RGB32);
    below.fill(kBorderKey);
    for (int y = 0; y < kThick; ++y)
        for (int x = kBeside; x < below.width(); ++x)
            below.setPixel(x, y, (y % 2) ? kEdgeDark : kEdgeLight);
    QImage right(kThick, size.height + 16, QImage::Format_RGB32);
    right.fill(kBorderKey);
    for (int y = kBeside; y < right.height(); ++y)
        for (int x = 0; x < kThick; ++x)
            right.setPixel(x, y, (x % 2) ? kEdgeDark : kEdgeLight);
    out.resourceBitmap(QString("3D_BORDER_%1").arg(size.letter) + "1", right);
    out.resourceBitmap(QString("3D_BORDER_%1").arg(size.letter) + "2", below);
}

} // namespace

void makeTablePictures(const Output& out) {
    for (const CardSize& size : kCardSizes) {
        for (int digits = 1; digits <= 22; ++digits)
            out.resourceBitmap(QString("W%1%2").arg(size.letter).arg(digits, 3, 10, QChar('0')),
                               marker(size, digits));
        makeShadows(out, size);
        makeBorders(out, size);
    }
}

} // namespace pictures
