#include "app/Gradient.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <set>

using namespace mpsec;

namespace {

const QColor kSilver(192, 192, 192), kLightBlue(166, 202, 240);

// The rows where the colour that fills most of a row changes: where each band starts.
std::vector<int> BandStarts(const QImage& image) {
    std::vector<int> starts;
    QRgb last = 0;
    for (int y = 0; y < image.height(); ++y) {
        // In a dithered band the rows below the mask are plain: take the last pixel of the
        // bottom mask row as the band's colour, and a band starts where the top mask row is
        // all the band above.
        const QRgb c = image.pixel(image.width() - 1, y);
        if (y == 0 || c != last)
            starts.push_back(y);
        last = c;
    }
    return starts;
}

std::set<QRgb> Colours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return colours;
}

} // namespace

TEST(Gradient, MasksGrowFromNothingToNearlyAll) {
    struct Case {
        int set, width, height, emptyRows, fullRow;
    } cases[] = {{0, 30, 69, 8, -1}, {1, 28, 14, 3, 12}};
    // Rows with none of the band's own pixels at the top, all of them in `fullRow`.
    for (const auto& c : cases) {
        const QImage& mask = DitherMask(c.set);
        ASSERT_EQ(mask.size(), QSize(c.width, c.height));
        EXPECT_EQ(mask.depth(), 1);
        int previous = 0;
        for (int y = 0; y < c.height; ++y) {
            int own = 0;
            for (int x = 0; x < c.width; ++x)
                own += qGray(mask.pixel(x, y)) > 127;
            EXPECT_GE(own, previous) << "set " << c.set << " row " << y;
            if (y < c.emptyRows) {
                EXPECT_EQ(own, 0) << "set " << c.set << " row " << y;
            }
            if (y == c.fullRow) {
                EXPECT_EQ(own, c.width) << "set " << c.set;
            }
            previous = own;
        }
        EXPECT_GE(previous, c.width - 3) << "set " << c.set;
    }
}

bool RowIs(const QImage& image, int y, QRgb colour) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixel(x, y) != colour)
            return false;
    return true;
}

// The main window's gradient: bands of 69 rows blended into the band above, each followed
// by its share of the 51 spare rows; band 7 has the end colour and band 8 lies below.
TEST(Gradient, MainWindowExampleBands) {
    const QImage image = GradientImage(798, 534, kSilver, kLightBlue, true, 256);
    ASSERT_EQ(image.size(), QSize(798, 534));
    const int starts[8] = {0, 78, 156, 233, 310, 387, 464, 534};
    const QRgb colours[8] = {kSilver.rgb(),       qRgb(188, 193, 199), qRgb(185, 195, 206),
                             qRgb(181, 196, 213), qRgb(177, 198, 219), qRgb(173, 199, 226),
                             qRgb(170, 201, 233), kLightBlue.rgb()};
    for (int n = 1; n <= 7; ++n) {
        const int top = starts[n - 1];
        EXPECT_TRUE(RowIs(image, top, colours[n - 1])) << "band " << n << " top row";
        EXPECT_FALSE(RowIs(image, top + 68, colours[n - 1])) << "band " << n << " bottom mask row";
        for (int y = top + 69; y < starts[n]; ++y)
            EXPECT_TRUE(RowIs(image, y, colours[n])) << "band " << n << " row " << y;
    }
    EXPECT_EQ(Colours(image).size(), 8u); // the start colour and seven bands
}

TEST(Gradient, PlainBandsAndEdgeCases) {
    // Equal colours: one colour everywhere.
    EXPECT_EQ(Colours(GradientImage(100, 300, kSilver, kSilver, true, 256)),
              std::set<QRgb>{kSilver.rgb()});
    // Shorter than twice the mask (a gentle change: the 69-row mask): plain bands, as many
    // as the steps, first and last the colours given.
    const QImage plain = GradientImage(40, 100, kSilver, QColor(192, 192, 240), true, 4);
    EXPECT_EQ(BandStarts(plain), (std::vector<int>{0, 25, 50, 75}));
    EXPECT_EQ(plain.pixel(0, 0), kSilver.rgb());
    EXPECT_EQ(plain.pixel(0, 30), qRgb(192, 192, 208));
    EXPECT_EQ(plain.pixel(39, 99), qRgb(192, 192, 240));
    // A steep change uses the 14-row mask: 28 rows are enough to dither, 27 are not.
    EXPECT_GT(BandStarts(GradientImage(40, 28, Qt::black, Qt::white, true, 2)).size(), 2u);
    EXPECT_EQ(BandStarts(GradientImage(40, 27, Qt::black, Qt::white, true, 2)).size(), 2u);
    // More steps than rows: bands of no rows are skipped, every row is painted.
    const QImage thin = GradientImage(5, 10, Qt::black, Qt::white, false, 256);
    EXPECT_EQ(BandStarts(thin).size(), 10u);
    // Row 0 holds bands 0 to 12 (rows 0 to round(13 * 10 / 256) - 1), the last one drawn.
    EXPECT_EQ(thin.pixel(0, 0), qRgb(12, 12, 12));
    EXPECT_EQ(thin.pixel(0, 9), qRgb(243, 243, 243));
    // One step or none counts as two.
    EXPECT_EQ(BandStarts(GradientImage(5, 10, Qt::black, Qt::white, false, 1)),
              (std::vector<int>{0, 5}));
    EXPECT_TRUE(GradientImage(0, 10, Qt::black, Qt::white, true, 2).isNull());
}

// The picture covers the size the window had when it was created and is composed once;
// a larger (maximised) window shows the window colour beyond it.
TEST(Gradient, BackgroundCoversTheCreatedSizeOnly) {
    GradientBackground background(QSize(300, 200));
    background.resize(300, 200);
    background.grab();
    background.resize(640, 480);
    const QImage shown = background.grab().toImage();
    EXPECT_EQ(background.compositions(), 1);
    EXPECT_EQ(background.picture().size(), QSize(300, 200));
    const QRgb window = background.palette().color(QPalette::Window).rgb();
    ASSERT_NE(window, kSilver.rgb());
    EXPECT_EQ(shown.pixel(0, 0), kSilver.rgb());
    for (const QPoint outside : {QPoint(300, 0), QPoint(639, 479), QPoint(0, 200)})
        EXPECT_EQ(shown.pixel(outside), window) << outside.x() << "," << outside.y();
}
