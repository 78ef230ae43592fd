#pragma once
#include <array>
#include <string_view>

namespace mpsec {

// The PDF reader's standard fonts the program's PDF files are shown in, each with the
// ascent and the widths of the characters 32-255 (Latin-1), in thousandths of the size.
// They are the figures of the fonts the printer draws the same texts with (Liberation
// Serif, Sans and Mono, metric-compatible with Times New Roman, Arial and Courier New), as
// the font engine gives them. They are fixed here rather than measured where the program
// runs, so a PDF file is the same on every system whatever fonts it has installed.
struct StandardFont {
    std::string_view Name; // the PDF's /BaseFont
    double Ascent;
    std::array<double, 224> Widths;
};

// The standard font a document's family and weight are shown in: Courier for a family
// named Courier or Mono, Helvetica for Sans, Arial or Helvetica, Times for any other.
const StandardFont& StandardFontFor(std::string_view family, bool bold);

} // namespace mpsec
