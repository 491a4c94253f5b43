#include "platform/gdi/bitmap.h"

#include "platform/files/paths.h"
#include "platform/gdi/qimage.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace platform::gdi {
namespace {

QImage whiteImage(int width, int height) {
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool endsWithNoCase(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           std::equal(suffix.begin(), suffix.end(), text.end() - static_cast<long>(suffix.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

} // namespace

Bitmap::Bitmap() : impl_(std::make_unique<Impl>()) {}

Bitmap::Bitmap(int width, int height) : impl_(std::make_unique<Impl>(Impl{whiteImage(width, height)})) {}

Bitmap::Bitmap(const Bitmap& other) : impl_(std::make_unique<Impl>(*other.impl_)) {}

Bitmap& Bitmap::operator=(const Bitmap& other) {
    *impl_ = *other.impl_;
    return *this;
}

// A moved-from bitmap stays usable as an empty one.
Bitmap::Bitmap(Bitmap&& other) noexcept : impl_(std::make_unique<Impl>()) {
    std::swap(impl_, other.impl_);
}

Bitmap& Bitmap::operator=(Bitmap&& other) noexcept {
    std::swap(impl_, other.impl_);
    return *this;
}

Bitmap::~Bitmap() = default;

int Bitmap::width() const { return impl_->image.width(); }
int Bitmap::height() const { return impl_->image.height(); }
bool Bitmap::isEmpty() const { return impl_->image.isNull(); }

void Bitmap::resize(int width, int height) {
    if (width == this->width() && height == this->height())
        return;
    QImage resized = whiteImage(width, height);
    if (!resized.isNull() && !impl_->image.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, impl_->image);
    }
    impl_->image = std::move(resized);
}

bool Bitmap::load(const std::string& path) {
    QImageReader reader(QFile::decodeName(files::resolvePath(path).c_str()));
    // A file cut short still loads, and the decoder leaves the rows it never read as it found
    // the memory: hand it zeroed memory, so that they are black, the same on every load. The
    // pages of a large calloc stay untouched until written, so a header claiming a huge size
    // costs nothing; the decoder's own allocation limit still applies.
    QImage loaded;
    QSize size = reader.size();
    // A BMP stored top row first says so with a negative height, and the reader reports it
    // as it stands.
    size.setHeight(std::abs(size.height()));
    const QImage::Format format = reader.imageFormat();
    const qint64 limit = qint64(QImageReader::allocationLimit()) * 1024 * 1024;
    if (size.isValid() && format != QImage::Format_Invalid) {
        const qint64 bytesPerLine =
            (qint64(size.width()) * QImage::toPixelFormat(format).bitsPerPixel() + 31) / 32 * 4;
        if (bytesPerLine * size.height() <= limit)
            if (void* zeroed = std::calloc(std::size_t(bytesPerLine * size.height()), 1))
                loaded = QImage(static_cast<uchar*>(zeroed), size.width(), size.height(),
                                qsizetype(bytesPerLine), format, std::free, zeroed);
    }
    if (!reader.read(&loaded))
        return false;
    impl_->image = loaded.convertToFormat(QImage::Format_RGB32);
    return true;
}

bool Bitmap::save(const std::string& path) const {
    if (impl_->image.isNull())
        return false;
    const char* format = endsWithNoCase(path, ".bmp") ? "BMP" : "PNG";
    return impl_->image.save(QFile::decodeName(files::resolvePath(path).c_str()), format);
}

Color Bitmap::pixel(int x, int y) const {
    if (!impl_->image.valid(x, y))
        return invalidColor;
    return fromQRgb(impl_->image.pixel(x, y));
}

void Bitmap::setPixel(int x, int y, Color color) {
    if (impl_->image.valid(x, y))
        impl_->image.setPixel(x, y, toQRgb(color));
}

void Bitmap::fillRect(const Rect& rect, Color color) {
    const Rect area = rect.intersected(this->rect());
    if (area.isEmpty())
        return;
    const QRgb value = toQRgb(color);
    for (int y = area.top; y < area.bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(impl_->image.scanLine(y));
        std::fill(line + area.left, line + area.right, value);
    }
}

void Bitmap::copyFrom(Point dest, const Bitmap& source, const Rect& sourceRect) {
    // Clip against the source, then against the destination, moving both rectangles together.
    Rect from = sourceRect.intersected(source.rect());
    if (from.isEmpty())
        return;
    const int dx = dest.x - sourceRect.left;
    const int dy = dest.y - sourceRect.top;
    const Rect to = from.translated(dx, dy).intersected(rect());
    if (to.isEmpty())
        return;
    from = to.translated(-dx, -dy);
    // Copying out first makes overlapping copies within one bitmap safe.
    const QImage pixels =
        source.impl_->image.copy(from.left, from.top, from.width(), from.height());
    for (int y = 0; y < pixels.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        auto* out = reinterpret_cast<QRgb*>(impl_->image.scanLine(to.top + y)) + to.left;
        std::copy(in, in + pixels.width(), out);
    }
}

bool operator==(const Bitmap& a, const Bitmap& b) { return qImage(a) == qImage(b); }

} // namespace platform::gdi
