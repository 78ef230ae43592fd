#pragma once

namespace mpsec {

inline constexpr const char* kApplicationTitle = "QMR Divoru Viduro Dovuri Seach Program";
inline constexpr const char* kMainCaption = "QMR Dodiru Vorez Azoviv";
inline constexpr const char* kVersionText = "Version 7.00.01";

} // namespace mpsec
