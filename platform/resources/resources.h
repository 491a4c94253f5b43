#pragma once
// The resource library: a file of named bitmaps and cursors, loaded by path once and then
// asked for pictures by name (names match without regard to case).

#include "platform/app/cursor.h"
#include "platform/gdi/bitmap.h"

#include <cstdint>
#include <string>

namespace platform::resources {

// A loaded library; 0 means none. Every handle of a loaded library is 32 or more, so the
// programs' test "below 32 means the load failed" holds.
using LibraryHandle = std::uintptr_t;

// Loads the library file (path in the programs' form, resolved without regard to case);
// 0 when the file is missing or is not a resource library.
LibraryHandle loadLibrary(const std::string& path);

// Releases a loaded library; an unknown handle is ignored.
void freeLibrary(LibraryHandle library);

// The named bitmap of the library; an empty bitmap when the library holds none of that name
// (nothing is reported: the programs just draw nothing meaningful with it).
gdi::Bitmap loadBitmap(LibraryHandle library, const std::string& name);

// The named cursor of the library, registered as a custom screen cursor under its name; the
// Default cursor when the library holds no cursor of that name.
app::Cursor loadCursor(LibraryHandle library, const std::string& name);

} // namespace platform::resources
