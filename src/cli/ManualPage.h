#pragma once
#include <ostream>

namespace mpsec {

// The manual page (roff), made of the same usage and help texts the commands print.
void WriteManualPage(std::ostream& out);

} // namespace mpsec
