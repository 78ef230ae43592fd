#include "print/StandardFonts.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <gtest/gtest.h>

namespace mpsec {
namespace {

struct FontCase {
    const char* Family;
    bool Bold;
    const char* Standard;
    const char* PrinterFont; // what the printer draws the family with here
};

const FontCase kCases[] = {
    {"Times New Roman", false, "Times-Roman", "Liberation Serif"},
    {"Times New Roman", true, "Times-Bold", "Liberation Serif"},
    {"Arial", false, "Helvetica", "Liberation Sans"},
    {"Arial", true, "Helvetica-Bold", "Liberation Sans"},
    {"Courier New", false, "Courier", "Liberation Mono"},
    {"Courier New", true, "Courier-Bold", "Liberation Mono"},
};

TEST(StandardFonts, EachFamilyAndWeightHasItsReadersFont) {
    for (const FontCase& c : kCases)
        EXPECT_EQ(StandardFontFor(c.Family, c.Bold).Name, c.Standard) << c.Family;
    EXPECT_EQ(StandardFontFor("DejaVu Sans Mono", false).Name, "Courier");
    EXPECT_EQ(StandardFontFor("Liberation Sans", true).Name, "Helvetica-Bold");
    EXPECT_EQ(StandardFontFor("Garamond", false).Name, "Times-Roman");
}

// The fixed figures are those of the fonts the printer uses, character by character.
TEST(StandardFonts, FiguresAreThoseOfThePrintersFonts) {
    for (const FontCase& c : kCases) {
        QFont font(QString::fromLatin1(c.Family));
        font.setStyleHint(QFont::Serif);
        font.setBold(c.Bold);
        font.setPixelSize(1000);
        if (QFontInfo(font).family() != QString::fromLatin1(c.PrinterFont))
            GTEST_SKIP() << c.PrinterFont << " is not installed";
        const QFontMetricsF metrics(font);
        const StandardFont& standard = StandardFontFor(c.Family, c.Bold);
        EXPECT_EQ(standard.Ascent, metrics.ascent()) << c.Standard;
        for (int ch = 32; ch <= 255; ++ch)
            EXPECT_EQ(standard.Widths[static_cast<std::size_t>(ch - 32)],
                      metrics.horizontalAdvance(QChar(ch)))
                << c.Standard << " character " << ch;
    }
}

} // namespace
} // namespace mpsec
