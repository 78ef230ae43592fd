#pragma once
#include "print/ComposedPage.h"

#include <optional>
#include <string_view>

namespace mpsec {

// Where a text's x lies: its left end, its centre or its right end.
enum class Anchor { Left, Centre, Right };

// A text's face and size: a page text's size in points, or a grid's character height in
// millimetres, which the output rounds to whole dots of its device as a printer does.
struct TextFont {
    std::string_view Family;
    bool Bold = false;
    double PointSize = 10;
    std::optional<double> CharHeight; // mm; instead of PointSize
};

// The room a cell gives its text, from the text's top and anchor, in millimetres. A printer
// does not draw what falls outside it.
struct TextRoom {
    double Width = 0, Height = 0;
};

// What a composed document is drawn on: the printer (and the preview) or a PDF file.
// Positions in millimetres from the paper's top-left corner, x to the right, y downward;
// texts are Latin-1.
class PageCanvas {
  public:
    virtual ~PageCanvas() = default;
    // Before page `page` (from 0) of `pageCount`; false stops the document there.
    virtual bool StartPage(int page, int pageCount) = 0;
    // Text whose top is at y and whose `anchor` is at x.
    virtual void Text(const TextFont& font, double x, double y, Anchor anchor,
                      std::string_view text, std::optional<TextRoom> room) = 0;
    // Lines and rectangle outlines 0.2 mm wide.
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    virtual void Rectangle(double x, double y, double width, double height) = 0;
    // A picture of the program stretched over the box.
    virtual void Picture(std::string_view resource, double left, double top, double right,
                         double bottom) = 0;
};

// The longest start of `text` that fits `width` millimetres in the font, measured with the
// figures of the printer's fonts: a text too long for its room loses the characters that
// would run past its edge, on paper and in a PDF alike.
std::string_view FittingText(const TextFont& font, std::string_view text, double width);

// Draws the document on the canvas, page after page: the pictures and texts on the first
// page, then each grid, continued on further pages as `PaginateGrid` places its rows. A
// grid's cells, and a text given a width, are cut to their room.
// Returns the pages started; 0 when the canvas stopped before the first.
int DrawDocument(const ComposedDocument& document, PageCanvas& canvas);

} // namespace mpsec
