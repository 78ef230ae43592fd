#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mpsec::test {

// The contrast ratio, as accessibility guidelines count it (at least 4.5 for text to read),
// between silver and the darkest pixel `widget` draws: a disabled field's text on its
// silver background.
inline double DarkestContrastOnSilver(QWidget* widget) {
    auto luminance = [](QRgb rgb) {
        auto channel = [](int value) {
            const double c = value / 255.0;
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * channel(qRed(rgb)) + 0.7152 * channel(qGreen(rgb)) +
               0.0722 * channel(qBlue(rgb));
    };
    const QImage image = widget->grab().toImage();
    double darkest = 1;
    // Inside the frame: the text, not the field's border.
    for (int y = 4; y < image.height() - 4; ++y)
        for (int x = 4; x < image.width() - 4; ++x)
            darkest = std::min(darkest, luminance(image.pixel(x, y)));
    return (luminance(qRgb(192, 192, 192)) + 0.05) / (darkest + 0.05);
}

} // namespace mpsec::test
