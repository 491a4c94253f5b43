#pragma once
// Points and rectangles in the programs' own pixels. A rectangle's right and bottom edges are
// exclusive: {0, 0, 10, 5} covers ten columns and five rows.

namespace platform::gdi {

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    static constexpr Rect fromSize(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    // The common part; an empty rectangle when they do not meet.
    constexpr Rect intersected(const Rect& other) const {
        const Rect r{left > other.left ? left : other.left, top > other.top ? top : other.top,
                     right < other.right ? right : other.right,
                     bottom < other.bottom ? bottom : other.bottom};
        return r.isEmpty() ? Rect{} : r;
    }
    constexpr Rect translated(int dx, int dy) const {
        return {left + dx, top + dy, right + dx, bottom + dy};
    }
    bool operator==(const Rect&) const = default;
};

} // namespace platform::gdi
