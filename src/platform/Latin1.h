#pragma once
#include <QString>
#include <string>
#include <string_view>

namespace mpsec {

// The register and masterpoint files are bytes; on screen they are Latin-1.
inline QString Latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToLatin1(const QString& text) {
    return text.toLatin1().toStdString();
}

} // namespace mpsec
