#include "app/Gradient.h"

#include "print/PageRenderer.h"

#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace mpsec {

namespace {

// a * b / c rounded to the nearest integer, halves away from zero; c is never 0 here.
int MulDiv(int a, int b, int c) {
    long long numerator = static_cast<long long>(a) * b;
    long long denominator = c;
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    const long long magnitude = (2 * std::llabs(numerator) + denominator) / (2 * denominator);
    return static_cast<int>(numerator < 0 ? -magnitude : magnitude);
}

struct Rgb {
    int Channel[3];
};

// The colour `amount` of the way along: start + MulDiv(n, d, of) per channel, low 8 bits.
QRgb Step(const Rgb& start, const Rgb& change, int n, int of) {
    int c[3];
    for (int i = 0; i < 3; ++i)
        c[i] = (start.Channel[i] + MulDiv(n, change.Channel[i], of)) & 0xFF;
    return qRgb(c[0], c[1], c[2]);
}

void FillRows(QImage& image, int from, int to, QRgb colour) {
    from = std::max(from, 0);
    to = std::min(to, image.height());
    for (int y = from; y < to; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        std::fill(row, row + image.width(), colour);
    }
}

} // namespace

const QImage& DitherMask(int set) {
    LoadProgramResources();
    static const QImage masks[2] = {
        QImage(QStringLiteral(":/masks/dithgradmask2.pbm")).convertToFormat(QImage::Format_Mono),
        QImage(QStringLiteral(":/masks/dithgradmask4.pbm")).convertToFormat(QImage::Format_Mono),
    };
    return masks[set == 0 ? 0 : 1];
}

QImage GradientImage(int width, int height, const QColor& start, const QColor& end, bool dither,
                     int steps) {
    if (width <= 0 || height <= 0)
        return QImage();
    QImage image(width, height, QImage::Format_RGB32);
    const QColor from = start.toRgb(), to = end.toRgb();
    const Rgb first{{from.red(), from.green(), from.blue()}};
    const Rgb change{{to.red() - from.red(), to.green() - from.green(), to.blue() - from.blue()}};
    if (steps <= 1)
        steps = 2;
    const double perRow = double(std::abs(change.Channel[0]) + std::abs(change.Channel[1]) +
                                 std::abs(change.Channel[2])) /
                          height;
    const QImage& mask = DitherMask(perRow < 5.0 / 7.0 ? 0 : 1);
    const int mw = mask.width(), mh = mask.height();
    if (2 * mh > height)
        dither = false;

    if (!dither) {
        for (int n = 0; n < steps; ++n)
            FillRows(image, MulDiv(n, height, steps), MulDiv(n + 1, height, steps),
                     Step(first, change, n, steps - 1));
        return image;
    }

    std::vector<bool> ownColour(static_cast<std::size_t>(mw * mh));
    for (int my = 0; my < mh; ++my)
        for (int mx = 0; mx < mw; ++mx)
            ownColour[static_cast<std::size_t>(my * mw + mx)] = qGray(mask.pixel(mx, my)) > 127;
    const int bands = height / mh + 1, spare = height % mh;
    QRgb previous = qRgb(first.Channel[0], first.Channel[1], first.Channel[2]);
    int y = 0;
    for (int n = 1; n <= bands && y < height; ++n) {
        const QRgb colour = Step(first, change, n, bands - 1);
        // The band's rows under the mask: its own colour where the mask is white, the band
        // above where it is black; one tile of the mask's width, repeated across the row.
        std::vector<QRgb> tile(static_cast<std::size_t>(mw));
        for (int my = 0; my < mh && y + my < height; ++my) {
            for (int mx = 0; mx < mw; ++mx)
                tile[static_cast<std::size_t>(mx)] =
                    ownColour[static_cast<std::size_t>(my * mw + mx)] ? colour : previous;
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y + my));
            for (int x = 0; x < width; x += mw)
                std::copy_n(tile.begin(), std::min(mw, width - x), row + x);
        }
        y += mh;
        if (spare != 0) {
            const int extra = spare / (bands - 2) + (spare % (bands - 2) > n ? 1 : 0);
            FillRows(image, y, y + extra, colour);
            y += extra;
        }
        previous = colour;
    }
    return image;
}

GradientBackground::GradientBackground(QSize paintSize, QWidget* parent)
    : QWidget(parent), paintSize_(paintSize) {
    // The picture and the window colour around it cover every pixel: nothing underneath
    // needs painting first.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void GradientBackground::paintEvent(QPaintEvent*) {
    if (picture_.isNull() && !paintSize_.isEmpty()) {
        picture_ = GradientImage(paintSize_.width(), paintSize_.height(), kGradientTop,
                                 kGradientBottom, true, kGradientSteps);
        ++compositions_;
    }
    QPainter painter(this);
    const QColor window = palette().color(QPalette::Window);
    if (width() > picture_.width())
        painter.fillRect(picture_.width(), 0, width() - picture_.width(), height(), window);
    if (height() > picture_.height())
        painter.fillRect(0, picture_.height(), picture_.width(), height() - picture_.height(),
                         window);
    painter.drawImage(0, 0, picture_);
}

} // namespace mpsec
