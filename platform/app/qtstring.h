#pragma once
// Conversion of the programs' 8-bit texts at the Qt boundary. Used inside the platform and by
// program code that talks to Qt directly; never by the Qt-free engine.

#include <QString>

#include <string>

namespace platform {

inline QString toQString(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQString(const QString& text) { return text.toLatin1().toStdString(); }

} // namespace platform
