#pragma once
// Inside the platform: Qt cursors of the shapes and of the registered custom cursors, shared
// by the screen cursor and the window cursors.

#include "platform/app/cursor.h"

#include <QCursor>

namespace platform::app {

QCursor qtCursor(const Cursor& cursor);
void registerQtCursor(const std::string& name, const QCursor& cursor);

} // namespace platform::app
