#pragma once
#include <string>
#include <string_view>

namespace mpsec {

// The SHA-256 digest of the bytes, as 64 lower-case hexadecimal digits: how the send log
// tells whether a file sent before is the same file now.
std::string Sha256Hex(std::string_view bytes);

} // namespace mpsec
