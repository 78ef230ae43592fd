#pragma once
#include <ostream>
#include <string>
#include <vector>

namespace mpsec {

// Whether the arguments ask for a headless command rather than the main window.
bool IsCommandLine(const std::vector<std::string>& args);

// Runs a headless command in the current folder; returns the exit status.
int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace mpsec
