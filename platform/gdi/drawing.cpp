#include "platform/gdi/drawing.h"

#include "platform/gdi/qimage.h"
#include "platform/gdi/system_colors.h"

#include <QPainter>

#include <cstdint>
#include <cstdlib>

namespace platform::gdi {

void fillRect(Bitmap& bitmap, const Rect& rect, const Brush& brush) {
    if (brush.style == BrushStyle::Clear)
        return;
    bitmap.fillRect(rect, toPlainColor(brush.color));
}

void rectangle(Bitmap& bitmap, const Rect& rect, const Pen& pen, const Brush& brush) {
    if (pen.style == PenStyle::Clear) {
        fillRect(bitmap, {rect.left, rect.top, rect.right - 1, rect.bottom - 1}, brush);
        return;
    }
    const int w = std::max(1, pen.width);
    fillRect(bitmap, {rect.left + w, rect.top + w, rect.right - w, rect.bottom - w}, brush);
    const Color line = toPlainColor(pen.color);
    bitmap.fillRect({rect.left, rect.top, rect.right, rect.top + w}, line);
    bitmap.fillRect({rect.left, rect.bottom - w, rect.right, rect.bottom}, line);
    bitmap.fillRect({rect.left, rect.top, rect.left + w, rect.bottom}, line);
    bitmap.fillRect({rect.right - w, rect.top, rect.right, rect.bottom}, line);
}

void drawLine(Bitmap& bitmap, Point from, Point to, const Pen& pen) {
    if (pen.style == PenStyle::Clear)
        return;
    const Color color = toPlainColor(pen.color);
    // Bresenham, stopping before the end point as the canvas's line drawing does.
    const int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
    const int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    Point p = from;
    const int half = (std::max(1, pen.width) - 1) / 2;
    while (p != to) {
        bitmap.fillRect(
            Rect::fromSize(p.x - half, p.y - half, std::max(1, pen.width), std::max(1, pen.width)),
            color);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            p.x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            p.y += sy;
        }
    }
}

void invertRect(Bitmap& bitmap, const Rect& rect) {
    const Rect area = rect.intersected(bitmap.rect());
    QImage& image = qImage(bitmap);
    for (int y = area.top; y < area.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = area.left; x < area.right; ++x)
            line[x] ^= 0x00FFFFFFu;
    }
}

void copyRect(Bitmap& dest, const Rect& destRect, const Bitmap& source, const Rect& sourceRect,
              CopyMode mode) {
    if (mode == CopyMode::DestinationInvert) {
        invertRect(dest, destRect);
        return;
    }
    if (destRect.width() == sourceRect.width() && destRect.height() == sourceRect.height()) {
        dest.copyFrom({destRect.left, destRect.top}, source, sourceRect);
        return;
    }
    if (destRect.isEmpty() || sourceRect.isEmpty())
        return;
    // Nearest pixel: destination pixel i takes source pixel i * source size / dest size.
    const QImage from = qImage(source); // a copy: source and dest may be one bitmap
    QImage& to = qImage(dest);
    const Rect area = destRect.intersected(dest.rect());
    for (int y = area.top; y < area.bottom; ++y) {
        const int sy =
            sourceRect.top + static_cast<int>(static_cast<std::int64_t>(y - destRect.top) *
                                              sourceRect.height() / destRect.height());
        if (!from.valid(0, sy))
            continue;
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(sy));
        for (int x = area.left; x < area.right; ++x) {
            const int sx =
                sourceRect.left + static_cast<int>(static_cast<std::int64_t>(x - destRect.left) *
                                                   sourceRect.width() / destRect.width());
            if (sx >= 0 && sx < from.width())
                out[x] = in[sx];
        }
    }
}

void drawTransparent(Bitmap& dest, Point at, const Bitmap& source, Color transparent) {
    const QImage from = qImage(source);
    QImage& to = qImage(dest);
    const QRgb key = toQRgb(toPlainColor(transparent));
    const Rect area =
        Rect::fromSize(at.x, at.y, source.width(), source.height()).intersected(dest.rect());
    for (int y = area.top; y < area.bottom; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(from.constScanLine(y - at.y));
        auto* out = reinterpret_cast<QRgb*>(to.scanLine(y));
        for (int x = area.left; x < area.right; ++x) {
            const QRgb pixel = in[x - at.x];
            if ((pixel & 0x00FFFFFFu) != (key & 0x00FFFFFFu))
                out[x] = pixel;
        }
    }
}

void drawTransparentAuto(Bitmap& dest, Point at, const Bitmap& source) {
    if (!source.isEmpty())
        drawTransparent(dest, at, source, source.pixel(0, 0));
}

int mulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    const std::int64_t divisor = c;
    const bool negative = (product < 0) != (divisor < 0);
    const std::int64_t magnitude =
        (std::llabs(product) + std::llabs(divisor) / 2) / std::llabs(divisor);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void gradientFill(Bitmap& bitmap, const Rect& rect, Color top, Color bottom) {
    const Color from = toPlainColor(top), to = toPlainColor(bottom);
    const int h = rect.height();
    for (int k = 0; k < 256; ++k) {
        const int bandTop = k == 255 ? rect.top : rect.bottom - mulDiv(k + 1, h, 256);
        const int bandBottom = rect.bottom - mulDiv(k, h, 256);
        auto channel = [k](int t, int b) { return b + mulDiv(k, t - b, 256); };
        const Color color =
            rgb(channel(redOf(from), redOf(to)), channel(greenOf(from), greenOf(to)),
                channel(blueOf(from), blueOf(to)));
        bitmap.fillRect({rect.left, bandTop, rect.right, bandBottom}, color);
    }
}

} // namespace platform::gdi
