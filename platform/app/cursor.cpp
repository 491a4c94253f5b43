#include "platform/app/cursor.h"

#include "platform/app/cursor_registry.h"

#include <QGuiApplication>

#include <map>

namespace platform::app {
namespace {

Cursor current;
bool overrideActive = false;

std::map<std::string, QCursor>& customCursors() {
    static std::map<std::string, QCursor> cursors;
    return cursors;
}

} // namespace

QCursor qtCursor(const Cursor& cursor) {
    switch (cursor.shape) {
    case CursorShape::Wait:
        return Qt::WaitCursor;
    case CursorShape::HandPoint:
        return Qt::PointingHandCursor;
    case CursorShape::NoDrop:
        return Qt::ForbiddenCursor;
    case CursorShape::Cross:
        return Qt::CrossCursor;
    case CursorShape::Custom: {
        const auto found = customCursors().find(cursor.name);
        if (found != customCursors().end())
            return found->second;
        break;
    }
    case CursorShape::Default:
    case CursorShape::Arrow:
        break;
    }
    return Qt::ArrowCursor;
}

void registerQtCursor(const std::string& name, const QCursor& cursor) {
    customCursors()[name] = cursor;
}

void setScreenCursor(const Cursor& cursor) {
    current = cursor;
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return;
    // Qt keeps a stack of override cursors; the screen cursor is at most one entry of it.
    if (cursor.shape == CursorShape::Default) {
        if (overrideActive)
            QGuiApplication::restoreOverrideCursor();
        overrideActive = false;
    } else if (overrideActive) {
        QGuiApplication::changeOverrideCursor(qtCursor(cursor));
    } else {
        QGuiApplication::setOverrideCursor(qtCursor(cursor));
        overrideActive = true;
    }
}

Cursor screenCursor() { return current; }

} // namespace platform::app
