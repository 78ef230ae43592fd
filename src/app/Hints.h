#pragma once

class QApplication;

namespace mpsec {

// Hints (tool tips) for the whole program: pale yellow, shown after 200 ms for 4000 ms,
// and not at all while `showHints` is false.
void ConfigureHints(QApplication& app, const bool& showHints);

} // namespace mpsec
