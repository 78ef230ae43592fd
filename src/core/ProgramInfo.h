#pragma once

namespace mpsec {

inline constexpr const char* kApplicationTitle = "QMR Divoru Viduro Dovuri Seach Program";
inline constexpr const char* kMainCaption = "QMR Dodiru Vorez Azoviv";
// The version is the project's (set once, in the build): "7.00.01" for 7.0.1.
#ifndef MPSEC_VERSION_TEXT
#error "MPSEC_VERSION_TEXT is set by the build"
#endif
inline constexpr const char* kVersionNumber = MPSEC_VERSION_TEXT;
inline constexpr const char* kVersionText = "Version " MPSEC_VERSION_TEXT;

} // namespace mpsec
