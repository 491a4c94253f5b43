#include "solitaire/app/widgets.h"

#include "solitaire/app/card_pictures.h"

#include "platform/gdi/qimage.h"

#include <QBitmap>

namespace solitaire {

QPixmap toPixmap(const platform::gdi::Bitmap& bitmap) {
    return QPixmap::fromImage(platform::gdi::qImage(bitmap));
}

QPixmap toMaskedPixmap(const platform::gdi::Bitmap& bitmap) {
    QPixmap pixmap = toPixmap(bitmap);
    if (!pixmap.isNull())
        pixmap.setMask(QBitmap::fromImage(platform::gdi::qImage(bitmap).createMaskFromColor(
            platform::gdi::toQRgb(kPictureMaskColour), Qt::MaskInColor)));
    return pixmap;
}

QPixmap resourcePixmap(const std::string& name) {
    platform::gdi::Bitmap bitmap;
    fnLoadResourceBitmap(bitmap, name);
    return toPixmap(bitmap);
}

QPixmap maskedResourcePixmap(const std::string& name) {
    platform::gdi::Bitmap bitmap;
    fnLoadResourceBitmap(bitmap, name);
    return toMaskedPixmap(bitmap);
}

} // namespace solitaire
