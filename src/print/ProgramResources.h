#pragma once
#include <QtGlobal>

// The program's pictures (the logo, the dither masks and the rest) are resources of the print
// library; a static library's resources must be asked for before they are read.
inline void LoadProgramResources() {
    static const bool loaded = [] {
        Q_INIT_RESOURCE(mpsec);
        return true;
    }();
    (void)loaded;
}
