#include "print/PageCanvas.h"

#include "print/StandardFonts.h"

#include <algorithm>
#include <cmath>

namespace mpsec {

namespace {

// The rows of one page of a grid from the part's top: each cell's text inside its column,
// a border around the part and lines between the columns.
void DrawGridPart(PageCanvas& canvas, const PageGrid& g, const GridPage& part) {
    const double scale = GridScale(g); // mm per unit
    TextFont font{g.Font, false, 0, g.CharHeight * scale};
    double y = part.Top;
    for (std::size_t r : RowsOnPage(g, part)) {
        const double h = GridRowHeight(g, r);
        font.Bold = r < g.BoldRows.size() && g.BoldRows[r];
        double x = g.X;
        for (std::size_t c = 0; c < g.ColumnWidths.size(); ++c) {
            const double w = g.ColumnWidths[c] * scale;
            if (w <= 0)
                continue;
            const bool right = c < g.RightAligned.size() && g.RightAligned[c];
            if (c < g.Rows[r].size() && !g.Rows[r][c].empty()) {
                // From where the text starts to its column's edge: what runs past is cut.
                const TextRoom room{w - (right ? 4 : 2) * scale, h - 2 * scale};
                canvas.Text(font, right ? x + w - 4 * scale : x + 2 * scale, y + 2 * scale,
                            right ? Anchor::Right : Anchor::Left,
                            FittingText(font, g.Rows[r][c], room.Width), room);
            }
            x += w;
        }
        y += h;
    }
    canvas.Rectangle(g.X, part.Top, g.Width, y - part.Top);
    double x = g.X;
    for (std::size_t c = 0; c + 1 < g.ColumnWidths.size(); ++c) {
        x += g.ColumnWidths[c] * scale;
        if (g.ColumnWidths[c] > 0)
            canvas.Line(x, part.Top, x, y);
    }
}

} // namespace

std::string_view FittingText(const TextFont& font, std::string_view text, double width) {
    constexpr double kPointsPerMm = 72 / 25.4;
    const double points = font.CharHeight ? *font.CharHeight * kPointsPerMm : font.PointSize;
    // In thousandths of the font's size, the unit of its widths.
    const double room = width * kPointsPerMm * 1000 / points;
    if (!std::isfinite(room) || !(points > 0))
        return text;
    const StandardFont& face = StandardFontFor(font.Family, font.Bold);
    double used = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        used += c >= 32 ? face.Widths[c - 32] : 0;
        if (used > room)
            return text.substr(0, i);
    }
    return text;
}

int DrawDocument(const ComposedDocument& doc, PageCanvas& canvas) {
    std::vector<std::vector<GridPage>> gridParts;
    int pageCount = 1;
    for (const PageGrid& grid : doc.Grids) {
        gridParts.push_back(PaginateGrid(grid, doc));
        pageCount += std::max(0, static_cast<int>(gridParts.back().size()) - 1);
    }
    int pages = 0;
    auto startPage = [&] {
        if (!canvas.StartPage(pages, pageCount))
            return false;
        ++pages;
        return true;
    };
    if (!startPage())
        return 0;
    for (const PagePicture& pic : doc.Pictures)
        canvas.Picture(pic.Resource, pic.Left, pic.Top, pic.Right, pic.Bottom);
    for (const PageText& t : doc.Texts) {
        const TextFont font{t.Font, t.Bold, t.PointSize, {}};
        if (t.Width > 0)
            canvas.Text(font, t.X, t.Y, t.Centred ? Anchor::Centre : Anchor::Left,
                        FittingText(font, t.Text, t.Width), TextRoom{t.Width, 40});
        else
            canvas.Text(font, t.X, t.Y, t.Centred ? Anchor::Centre : Anchor::Left, t.Text,
                        std::nullopt);
    }
    for (std::size_t g = 0; g < doc.Grids.size(); ++g)
        for (std::size_t i = 0; i < gridParts[g].size(); ++i) {
            if (i > 0 && !startPage())
                return pages;
            DrawGridPart(canvas, doc.Grids[g], gridParts[g][i]);
        }
    return pages;
}

} // namespace mpsec
