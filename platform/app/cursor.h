#pragma once
// The screen cursor: one cursor for every window of the program while it is set, as the
// programs expect when they show the hourglass around slow work.

#include <string>
#include <utility>

namespace platform::app {

enum class CursorShape { Default, Arrow, Wait, HandPoint, NoDrop, Cross, Custom };

struct Cursor {
    CursorShape shape = CursorShape::Default;
    std::string name; // the registered name of a Custom cursor

    Cursor() = default;
    Cursor(CursorShape s) : shape(s) {} // NOLINT: shapes convert implicitly
    static Cursor custom(std::string customName) {
        Cursor cursor(CursorShape::Custom);
        cursor.name = std::move(customName);
        return cursor;
    }
    bool operator==(const Cursor&) const = default;
};

// Default lets every window show its own cursor again. A Custom cursor whose name was never
// registered shows the arrow.
void setScreenCursor(const Cursor& cursor);
Cursor screenCursor();

// Sets a cursor for its lifetime and puts the previous one back.
class ScopedScreenCursor {
public:
    explicit ScopedScreenCursor(const Cursor& cursor) : saved_(screenCursor()) {
        setScreenCursor(cursor);
    }
    ~ScopedScreenCursor() { setScreenCursor(saved_); }
    ScopedScreenCursor(const ScopedScreenCursor&) = delete;
    ScopedScreenCursor& operator=(const ScopedScreenCursor&) = delete;

private:
    Cursor saved_;
};

} // namespace platform::app
