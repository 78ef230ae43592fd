#include "print/ComposedPage.h"

#include <numeric>

namespace mpsec {

std::vector<GridPage> PaginateGrid(const PageGrid& grid, const ComposedDocument& document) {
    std::vector<GridPage> pages;
    const double units = std::accumulate(grid.ColumnWidths.begin(), grid.ColumnWidths.end(), 0.0);
    if (grid.Rows.empty() || units <= 0)
        return pages;
    const double scale = grid.Width / units; // mm per unit
    auto height = [&](std::size_t row) {
        return (row < grid.RowHeights.size() ? grid.RowHeights[row] : grid.RowHeights.back()) *
               scale;
    };
    const double bottom = document.PaperHeight - document.Margin;
    const std::size_t headings =
        std::min<std::size_t>(static_cast<std::size_t>(grid.HeadingRows), grid.Rows.size());
    double headingHeight = 0;
    for (std::size_t r = 0; r < headings; ++r)
        headingHeight += height(r);

    GridPage page{0, 0, grid.Y, false};
    double y = grid.Y;
    std::size_t row = 0;
    while (row < grid.Rows.size()) {
        if (y + height(row) > bottom && row > page.FirstRow) {
            page.EndRow = row;
            pages.push_back(page);
            page = GridPage{row, row, document.Margin, true};
            y = document.Margin + headingHeight;
            continue;
        }
        y += height(row);
        ++row;
    }
    page.EndRow = row;
    pages.push_back(page);
    return pages;
}

} // namespace mpsec
