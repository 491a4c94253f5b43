#pragma once
// Inside the platform: the pictures of a loaded resource library as Qt images.

#include "platform/resources/resources.h"

#include <QImage>

namespace platform::resources {

// The named bitmap as stored; a null image when the library or the name is unknown.
QImage bitmapImage(LibraryHandle library, const std::string& name);

} // namespace platform::resources
