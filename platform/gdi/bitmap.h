#pragma once
// An off-screen picture of 24-bit colour pixels. Drawing operations beyond the basic ones
// below are free functions over Bitmap (see the other gdi headers).

#include "platform/gdi/color.h"
#include "platform/gdi/geometry.h"

#include <memory>
#include <string>

namespace platform::gdi {

class Bitmap {
public:
    // An empty (0 x 0) bitmap.
    Bitmap();
    // A white bitmap of that size.
    Bitmap(int width, int height);
    Bitmap(const Bitmap& other);
    Bitmap& operator=(const Bitmap& other);
    Bitmap(Bitmap&& other) noexcept;
    Bitmap& operator=(Bitmap&& other) noexcept;
    ~Bitmap();

    int width() const;
    int height() const;
    bool isEmpty() const;
    Rect rect() const { return {0, 0, width(), height()}; }

    // Keeps the pixels of the top left corner that still fit; new pixels are white.
    void resize(int width, int height);

    // Reads a PNG or BMP file (the kind is told by its contents). On failure the bitmap is
    // unchanged and the result false.
    bool load(const std::string& path);
    // Writes a BMP file when the name ends in ".bmp" (any case), else PNG.
    bool save(const std::string& path) const;

    // invalidColor outside the bitmap.
    Color pixel(int x, int y) const;
    // Ignored outside the bitmap.
    void setPixel(int x, int y, Color color);

    // Fills the part of the rectangle inside the bitmap.
    void fillRect(const Rect& rect, Color color);
    // Copies sourceRect of source so that its top left corner lands at dest; parts outside
    // either bitmap are left out. Source and destination may be the same bitmap and overlap.
    void copyFrom(Point dest, const Bitmap& source, const Rect& sourceRect);

    // Inside the platform: the pixels as a Qt image (see platform/gdi/qimage.h).
    struct Impl;
    Impl& impl() { return *impl_; }
    const Impl& impl() const { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

bool operator==(const Bitmap& a, const Bitmap& b);

} // namespace platform::gdi
