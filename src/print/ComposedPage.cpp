#include "print/ComposedPage.h"

#include <algorithm>
#include <numeric>

namespace mpsec {

double GridScale(const PageGrid& grid) {
    const double units = std::accumulate(grid.ColumnWidths.begin(), grid.ColumnWidths.end(), 0.0);
    return units > 0 ? grid.Width / units : 0;
}

double GridRowHeight(const PageGrid& grid, std::size_t row) {
    return (row < grid.RowHeights.size() ? grid.RowHeights[row] : grid.RowHeights.back()) *
           GridScale(grid);
}

std::vector<std::size_t> RowsOnPage(const PageGrid& grid, const GridPage& page) {
    std::vector<std::size_t> rows;
    if (page.RepeatsHeading)
        for (int r = 0; r < grid.HeadingRows && static_cast<std::size_t>(r) < grid.Rows.size(); ++r)
            rows.push_back(static_cast<std::size_t>(r));
    for (std::size_t r = page.FirstRow; r < page.EndRow; ++r)
        rows.push_back(r);
    return rows;
}

std::vector<GridPage> PaginateGrid(const PageGrid& grid, const ComposedDocument& document) {
    std::vector<GridPage> pages;
    if (grid.Rows.empty() || grid.RowHeights.empty() || GridScale(grid) <= 0)
        return pages;
    auto height = [&](std::size_t row) { return GridRowHeight(grid, row); };
    const double bottom = document.PaperHeight - document.Margin;
    const std::size_t headings = std::min<std::size_t>(
        static_cast<std::size_t>(std::max(0, grid.HeadingRows)), grid.Rows.size());
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
