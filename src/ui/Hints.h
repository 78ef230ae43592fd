#pragma once

class QApplication;

namespace mpsec {

// Hints (tool tips) for the whole program: pale yellow, shown after 200 ms for 4000 ms.
// Installed once per application; later calls only refresh the colours.
void ConfigureHints(QApplication& app);

// Whether hints are shown anywhere in the program ("Show Program Hints"); takes effect at
// once. Without ConfigureHints it has no effect.
void SetHintsShown(QApplication& app, bool shown);

} // namespace mpsec
