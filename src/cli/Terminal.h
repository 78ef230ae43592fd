#pragma once
#include <string>
#include <string_view>

namespace mpsec {

// The register's and the federation's text (Latin-1 bytes) as a terminal or a pipe is to
// show it: in the locale's encoding, UTF-8 unless the locale names Latin-1 (LC_ALL, else
// LC_CTYPE, else LANG). Files the commands write keep the Latin-1 bytes; names of files,
// already the system's bytes, are printed as they are.
std::string ForTerminal(std::string_view latin1);

} // namespace mpsec
