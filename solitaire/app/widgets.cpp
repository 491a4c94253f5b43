#include "solitaire/app/widgets.h"

#include "platform/gdi/qimage.h"

namespace solitaire {

QPixmap toPixmap(const platform::gdi::Bitmap& bitmap) {
    return QPixmap::fromImage(platform::gdi::qImage(bitmap));
}

} // namespace solitaire
