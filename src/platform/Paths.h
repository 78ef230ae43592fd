#pragma once
#include "core/TextHelpers.h"

#include <QString>
#include <filesystem>

namespace mpsec {

// A path as a window shows it or a chooser gave it, and back: through UTF-8 on every
// system, never the ANSI code page Windows would use for a plain string.
inline QString QStringFromPath(const std::filesystem::path& path) {
    return QString::fromStdString(PathText(path));
}

inline std::filesystem::path PathFromQString(const QString& text) {
    return PathFromText(text.toStdString());
}

} // namespace mpsec
