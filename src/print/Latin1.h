#pragma once
#include <QString>
#include <string>
#include <string_view>

namespace mpsec {

// The register and masterpoint files are bytes; on screen and on paper they are Latin-1.
inline QString Latin1(std::string_view bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToLatin1(const QString& text) {
    return text.toLatin1().toStdString();
}

// A message of the model (a Status's, a stopped listing's): UTF-8, as the file names in it
// are; register text was converted from Latin-1 where it entered the message.
inline QString MessageText(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace mpsec
