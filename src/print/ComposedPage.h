#pragma once
#include <string>
#include <vector>

namespace mpsec {

// A page described in millimetres from the paper's top-left corner, x to the right and y
// downward, for the print layer to draw on a printer, a PDF or a preview.
struct PageText {
    std::string Font;
    double PointSize = 10;
    bool Bold = false;
    double X = 0, Y = 0; // the text's top-left corner; with Centred, X is its centre
    bool Centred = false;
    std::string Text; // Latin-1
    double Width = 0; // the room to the right of X, in mm; 0: as wide as the text
};

struct PagePicture {
    std::string Resource; // a picture of the program
    double Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A grid of text cells placed at (X, Y) and scaled to Width; rows that do not fit continue
// on new pages, which start with the heading rows again.
struct PageGrid {
    double X = 0, Y = 0, Width = 0;
    std::vector<double> ColumnWidths; // proportions; a 0 column is not drawn
    std::vector<double> RowHeights; // proportions in the same unit as the columns; none: not drawn
    std::vector<std::vector<std::string>> Rows;
    std::vector<bool> RightAligned; // per column
    std::vector<bool> BoldRows;     // per row
    int HeadingRows = 1;            // repeated at the top of every further page
    std::string Font;
    double CharHeight = 12; // in the unit of the columns
};

struct ComposedDocument {
    std::string Title;
    double PaperWidth = 210, PaperHeight = 297;
    double Margin = 12.7; // where a continued grid starts and ends on a page
    std::vector<PagePicture> Pictures;
    std::vector<PageText> Texts;
    std::vector<PageGrid> Grids;
};

// The rows of a grid on each page: the first page from the grid's own Y, the others from
// the top margin after the heading rows, none below the bottom margin.
struct GridPage {
    std::size_t FirstRow = 0, EndRow = 0; // body rows [FirstRow, EndRow)
    double Top = 0;                       // where the page's first row (heading or body) starts
    bool RepeatsHeading = false;
};
std::vector<GridPage> PaginateGrid(const PageGrid& grid, const ComposedDocument& document);

// Millimetres per unit of the grid's columns (0 for a grid without width in its columns).
double GridScale(const PageGrid& grid);
// The height of a row in millimetres: its own, or the last one given.
double GridRowHeight(const PageGrid& grid, std::size_t row);
// The rows a page of the grid shows, in order: the heading rows again when the page repeats
// them, then its body rows.
std::vector<std::size_t> RowsOnPage(const PageGrid& grid, const GridPage& page);

} // namespace mpsec
