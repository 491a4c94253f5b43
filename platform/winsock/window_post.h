#pragma once
// How a message reaches a MessageWindow: a queued call of its receiver's "deliver" method.
// Shared by the program side and the sockets library, which knows the window only as a
// QObject. Only Qt's own types travel in the queued call, so a message that is still queued
// when the library is unloaded refers to no code of the library.

#include <QMetaObject>
#include <QObject>

#include <cstdint>

namespace platform::detail {

inline bool PostToWindow(QObject* window, unsigned message, std::uintptr_t wParam,
                         std::intptr_t lParam) {
    return QMetaObject::invokeMethod(window, "deliver", Qt::QueuedConnection, Q_ARG(uint, message),
                                     Q_ARG(qulonglong, wParam), Q_ARG(qlonglong, lParam));
}

} // namespace platform::detail
