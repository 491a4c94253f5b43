#pragma once
// The Qt side of a Bitmap, for the platform's own drawing code and for program code that
// talks to Qt. The image is always QImage::Format_RGB32.

#include "platform/gdi/bitmap.h"

#include <QImage>

namespace platform::gdi {

struct Bitmap::Impl {
    QImage image;
};

inline QImage& qImage(Bitmap& bitmap) { return bitmap.impl().image; }
inline const QImage& qImage(const Bitmap& bitmap) { return bitmap.impl().image; }

// 0x00BBGGRR to Qt's 0xAARRGGBB (opaque) and back.
inline QRgb toQRgb(Color color) { return qRgb(redOf(color), greenOf(color), blueOf(color)); }
inline Color fromQRgb(QRgb value) { return rgb(qRed(value), qGreen(value), qBlue(value)); }

} // namespace platform::gdi
