#pragma once
#include "core/MPColour.h"

#include <QColor>

namespace mpsec {

// How a colour of masterpoints is shown on screen: gold in yellow, red in red, green in
// green.
inline QColor ScreenColour(MPColour colour) {
    switch (colour) {
    case MPColour::Gold:
        return QColor(255, 255, 0);
    case MPColour::Red:
        return QColor(255, 0, 0);
    case MPColour::Green:
        return QColor(0, 128, 0);
    }
    return Qt::black;
}

} // namespace mpsec
