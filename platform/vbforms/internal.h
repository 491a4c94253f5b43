#pragma once
// Shared between the vbforms sources only.
#include <filesystem>
#include <optional>
#include <string>

#include <QString>

namespace platform::vbforms::detail {

// The real path of an ordinary, visible file named with `\` separators in any letter case.
std::optional<std::filesystem::path> findFile(const std::string& path);

inline QString toQt(const std::string& text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
inline std::string fromQt(const QString& text) { return text.toLatin1().toStdString(); }

} // namespace platform::vbforms::detail
