#pragma once
#include "core/Dates.h"

#include <optional>
#include <string>

namespace mpsec {

// The main window's status line: the date of today and of the register.

// The status strip's date: one blank, then e.g. "Monday December 07 2026".
std::string DateLabelText(const CivilDate& today);

// "Using NATIONAL.TXT file dated: " and the register's date (a missing file gives the
// zero date, December 30 1899).
std::string NationalLabelText(const std::optional<CivilDate>& fileDate);

} // namespace mpsec
