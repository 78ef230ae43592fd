#include "print/PageRenderer.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "print/PageCanvas.h"
#include "print/PdfFile.h"
#include "statements/Statement.h"
#include "support/Players.h"
#include "support/Shell.h"

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QString>
#include <cstdio>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <map>
#include <regex>

using namespace mpsec;

namespace {

std::string PdfPageText(const std::string& pdf, int page) {
    return test::Shell("pdftotext -layout -f " + std::to_string(page) + " -l " +
                       std::to_string(page) + " '" + pdf + "' - 2>/dev/null");
}

struct PdfWord {
    double Bottom = 0; // points from the top of the page
    std::string Text;
};

// The words of each page of a PDF, as pdftotext finds them.
std::vector<std::vector<PdfWord>> PdfWords(const std::string& pdf) {
    const std::string html = test::Shell("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
    std::vector<std::vector<PdfWord>> pages;
    const std::regex item(R"re(<page |<word [^>]*yMax="([0-9.]+)">([^<]*)</word>)re");
    for (std::sregex_iterator it(html.begin(), html.end(), item), end; it != end; ++it) {
        if (!(*it)[1].matched)
            pages.emplace_back();
        else if (!pages.empty())
            pages.back().push_back({std::stod((*it)[1].str()), (*it)[2].str()});
    }
    return pages;
}

// The award code of line i of the long statement.
std::string Code(int i) {
    char code[8];
    std::snprintf(code, sizeof code, "%03d", i);
    return code;
}

// A statement whose grid takes three pages or more, each award with its own code.
ComposedDocument LongStatement() {
    StatementPrint s;
    s.Player = test::TestPlayer("12345", "KARVEL");
    s.TypedNumber = "12345";
    s.ClubDescription = "3104 ARDEN BRIDGE CLUB";
    s.Requirements = PromotionRequirements(s.Player, 7, {});
    s.Dates = {"15/03/2007", "15/03/2008"};
    std::vector<std::string> lines;
    for (int i = 0; i < 110; ++i)
        lines.push_back(std::to_string(1 + i / 30) + "080012345X1 " + Code(i) + "    1.00");
    std::vector<std::string_view> views(lines.begin(), lines.end());
    s.Rows = BuildStatementGrid(s.Player, views, LineList(""), {}, s.Dates).Rows;
    return ComposeStatementPage(s);
}

struct DrawnText {
    int Page = 0;
    std::string Text;
    double X = 0, Y = 0;
    Anchor Where = Anchor::Left;
    bool Bold = false;
    double PointSize = 0, CharHeight = 0;   // CharHeight 0: sized in points
    double RoomWidth = -1, RoomHeight = -1; // -1: no room of its own
};

struct DrawnBox {
    int Page = 0;
    double X = 0, Y = 0, Width = 0, Height = 0;
};

struct DrawnLine {
    int Page = 0;
    double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
};

// What the printer and the PDF writer are asked to draw, page by page.
class RecordingCanvas : public PageCanvas {
  public:
    bool StartPage(int page, int pageCount) override {
        Starts.push_back({page, pageCount});
        page_ = page;
        return true;
    }
    void Text(const TextFont& font, double x, double y, Anchor anchor, std::string_view text,
              std::optional<TextRoom> room) override {
        Texts.push_back({page_, std::string(text), x, y, anchor, font.Bold, font.PointSize,
                         font.CharHeight.value_or(0), room ? room->Width : -1,
                         room ? room->Height : -1});
    }
    void Line(double x1, double y1, double x2, double y2) override {
        Lines.push_back({page_, x1, y1, x2, y2});
    }
    void Rectangle(double x, double y, double width, double height) override {
        Boxes.push_back({page_, x, y, width, height});
    }
    void Picture(std::string_view resource, double left, double top, double right,
                 double bottom) override {
        Pictures.push_back(std::string(resource) + " " + std::to_string(left) + " " +
                           std::to_string(top) + " " + std::to_string(right) + " " +
                           std::to_string(bottom) + " page " + std::to_string(page_));
    }

    std::vector<std::pair<int, int>> Starts;
    std::vector<DrawnText> Texts;
    std::vector<DrawnBox> Boxes;
    std::vector<DrawnLine> Lines;
    std::vector<std::string> Pictures;

  private:
    int page_ = -1;
};

// The text drawn on the page, in the grid (sized by character height) or outside it.
const DrawnText* Find(const std::vector<DrawnText>& texts, int page, const std::string& text,
                      bool inGrid) {
    for (const DrawnText& t : texts)
        if (t.Page == page && t.Text == text && (t.CharHeight > 0) == inGrid)
            return &t;
    return nullptr;
}

} // namespace

// A long grid goes on over further pages: every row printed once, each page starting with
// the heading row, nothing below the bottom margin, the first page read in the statement's
// order.
TEST(PrintLayer, LongStatementPrintsEveryRowOnceWithinTheMargins) {
    test::TempFolder dir;
    const ComposedDocument doc = LongStatement();
    const std::string pdf = (dir / "statement.pdf").string();
    ASSERT_TRUE(WriteDocumentPdf(doc, QString::fromStdString(pdf)));

    std::ifstream in(pdf, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";

    const auto pages = PdfWords(pdf);
    ASSERT_GE(pages.size(), 3u);
    const double bottom = (doc.PaperHeight - doc.Margin) * 72 / 25.4;
    std::map<std::string, int> codes;
    for (int i = 0; i < 110; ++i)
        codes[Code(i)] = 0;
    for (std::size_t p = 0; p < pages.size(); ++p) {
        int headings = 0;
        for (const PdfWord& word : pages[p]) {
            EXPECT_LE(word.Bottom, bottom) << "page " << p + 1 << ": " << word.Text;
            headings += word.Text == "Q/YY";
            if (auto code = codes.find(word.Text); code != codes.end())
                ++code->second;
        }
        EXPECT_EQ(headings, 1) << "page " << p + 1;
    }
    for (const auto& [code, times] : codes)
        EXPECT_EQ(times, 1) << "award " << code;

    const std::string first = PdfPageText(pdf, 1);
    std::size_t at = 0;
    for (const char* text :
         {"Bridge Player's", "STATEMENT OF AWARDS", "From 15/03/2007 to 15/03/2008",
          "Your Current Rank is", "ANNE KARVEL (12345)", "Q/YY", "Totals as at 15/03/2007"}) {
        at = first.find(text, at);
        ASSERT_NE(at, std::string::npos) << text << " in\n" << first;
    }
    EXPECT_NE(PdfPageText(pdf, static_cast<int>(pages.size())).find("Totals as at 15/03/2008"),
              std::string::npos);
}

// A print job is asked before every page with its page count, and Cancel stops it there,
// leaving no part of a PDF file.
TEST(PrintLayer, ProgressCanStopAJobBeforeItsNextPage) {
    test::TempFolder dir;
    const QString pdf = QString::fromStdString((dir / "s.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    std::vector<std::pair<int, int>> asked;
    EXPECT_EQ(PrintDocument(printer, LongStatement(),
                            [&](int done, int count) {
                                asked.push_back({done, count});
                                return done < 1;
                            }),
              1);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_GE(asked[1].second, 3);
    EXPECT_FALSE(QFile::exists(pdf));
}

// A PDF that cannot be written whole is reported, and an older PDF of the name is kept.
TEST(PrintLayer, APdfThatCannotBeWrittenKeepsTheOldOne) {
    test::TempFolder dir;
    dir.Write("s.pdf", "the statement printed last week");
    const QString pdf = QString::fromStdString((dir / "s.pdf").string());
    const FileWriteCalls saved = WriterCalls();
    WriterCalls().Write = [](os::File, const void*, std::size_t) -> long {
        errno = ENOSPC;
        return -1;
    };
    const Status written = WriteDocumentPdf(LongStatement(), pdf);
    WriterCalls() = saved;
    EXPECT_EQ(written.Message(), "No space left on device");
    EXPECT_EQ(dir.Read("s.pdf"), "the statement printed last week");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"s.pdf"});

    ASSERT_TRUE(WriteDocumentPdf(LongStatement(), pdf).Ok());
    EXPECT_EQ(dir.Read("s.pdf").rfind("%PDF", 0), 0u);
    EXPECT_NE(dir.Read("s.pdf").find("%%EOF"), std::string::npos); // complete, trailer and all

    std::filesystem::remove(dir / "s.pdf");
#if defined(_WIN32)
    // Windows names are wide: É is É, whatever the code page.
    ASSERT_TRUE(WriteDocumentPdf(LongStatement(), dir / "\xC3\x89T\xC3\x89.pdf").Ok());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"\xC3\x89T\xC3\x89.pdf"});
#else
    // A name given as the system's bytes is the name made, even bytes that are not UTF-8.
    ASSERT_TRUE(WriteDocumentPdf(LongStatement(), dir.Path() / "\xC9T\xC9.pdf").Ok());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"\xC9T\xC9.pdf"});
#endif
}

// Texts come back from the PDF as written, whatever characters they hold; a right-aligned
// cell ends at its cell's right edge, a centred text is centred; the file reads without
// complaint from the PDF tools.
TEST(PrintLayer, PdfTextsComeBackAsWrittenAndWhereTheyWerePlaced) {
    if (std::system("command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null") != 0)
        GTEST_SKIP() << "poppler's tools are not installed";
    test::TempFolder dir;
    ComposedDocument doc;
    doc.Title = "Awards (O'Brien)";
    const std::vector<std::string> texts = {"(12345)", "back\\slash", "caf\xE9", "a)b(c"};
    for (std::size_t i = 0; i < texts.size(); ++i)
        doc.Texts.push_back(
            {"Times New Roman", 10, i % 2 == 1, 20, 20 + 10.0 * i, false, texts[i]});
    doc.Texts.push_back({"Times New Roman", 12, true, 105, 80, true, "CENTRED"});
    PageGrid grid;
    grid.X = 10, grid.Y = 100, grid.Width = 100;
    grid.ColumnWidths = {50, 50};
    grid.RowHeights = {10};
    grid.Rows = {{"Left", "1234.50"}};
    grid.RightAligned = {false, true};
    grid.Font = "Times New Roman";
    doc.Grids.push_back(grid);
    const std::string pdf = (dir / "t.pdf").string();
    ASSERT_TRUE(WriteDocumentPdf(doc, QString::fromStdString(pdf)));

    EXPECT_EQ(test::Shell("pdfinfo '" + pdf + "' 2>&1 >/dev/null"), ""); // no syntax errors
    EXPECT_NE(test::Shell("pdfinfo '" + pdf + "'").find("Awards (O'Brien)"), std::string::npos);
    const std::string text = test::Shell("pdftotext -enc Latin1 '" + pdf + "' - 2>/dev/null");
    for (const std::string& t : texts)
        EXPECT_NE(text.find(t), std::string::npos) << t << " in\n" << text;

    const std::string boxes = test::Shell("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
    auto word = [&boxes](const std::string& w) {
        const std::regex item(
            R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)"[^>]*>)re" + w + "</word>");
        std::smatch m;
        EXPECT_TRUE(std::regex_search(boxes, m, item)) << w;
        return std::pair{std::stod(m[1].str()), std::stod(m[2].str())};
    };
    const double mm = 72 / 25.4;
    const double scale = grid.Width / 100; // mm per column unit
    EXPECT_NEAR(word("1234.50").second, (grid.X + grid.Width - 4 * scale) * mm, 0.5);
    EXPECT_NEAR(word("Left").first, (grid.X + 2 * scale) * mm, 0.5);
    const auto [left, right] = word("CENTRED");
    EXPECT_NEAR((left + right) / 2, 105 * mm, 0.5);
}

// The statement as both the printer and the PDF writer draw it: the heading's texts and
// the logo on the first page; the grid 190 mm wide from 63 mm down, then from the top
// margin on each further page, each page with its heading row, a border and the column
// lines, never below the bottom margin; each cell's text 2 units in from its column's
// left (4 from its right when right-aligned) and 2 below its row's top, with room up to
// its column's edge.
TEST(PageCanvas, TheStatementsGeometry) {
    RecordingCanvas canvas;
    ASSERT_EQ(DrawDocument(LongStatement(), canvas), 3);
    EXPECT_EQ(canvas.Starts, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}}));
    EXPECT_EQ(canvas.Pictures,
              std::vector<std::string>{"MPLOGO 8.000000 5.000000 40.000000 18.000000 page 0"});

    const DrawnText* title = Find(canvas.Texts, 0, "STATEMENT OF AWARDS", false);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->Where, Anchor::Centre);
    EXPECT_DOUBLE_EQ(title->X, 105);
    EXPECT_DOUBLE_EQ(title->Y, 10);
    EXPECT_TRUE(title->Bold);
    EXPECT_DOUBLE_EQ(title->PointSize, 16);
    EXPECT_EQ(title->CharHeight, 0);
    EXPECT_EQ(title->RoomWidth, -1);
    const DrawnText* name = Find(canvas.Texts, 0, "ANNE KARVEL (12345)", false);
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->Where, Anchor::Left);
    EXPECT_DOUBLE_EQ(name->X, 8);
    EXPECT_DOUBLE_EQ(name->Y, 38);

    // The columns: 0 (not drawn), 35, 40, 310 and four of 60 units over 190 mm.
    const double unit = 190.0 / 625;
    const std::vector<double> lines = {22.64, 34.8, 129.04, 147.28, 165.52, 183.76};
    ASSERT_EQ(canvas.Boxes.size(), 3u);
    std::map<std::string, int> codes;
    for (int page = 0; page < 3; ++page) {
        const DrawnBox& box = canvas.Boxes[static_cast<std::size_t>(page)];
        SCOPED_TRACE("page " + std::to_string(page));
        EXPECT_EQ(box.Page, page);
        EXPECT_DOUBLE_EQ(box.X, 12);
        EXPECT_DOUBLE_EQ(box.Width, 190);
        EXPECT_DOUBLE_EQ(box.Y, page == 0 ? 63 : 12.7);
        EXPECT_LE(box.Y + box.Height, 297 - 12.7);
        std::vector<double> xs;
        for (const DrawnLine& line : canvas.Lines)
            if (line.Page == page) {
                xs.push_back(line.X1);
                EXPECT_EQ(line.X2, line.X1);
                EXPECT_DOUBLE_EQ(line.Y1, box.Y);
                EXPECT_DOUBLE_EQ(line.Y2, box.Y + box.Height);
            }
        ASSERT_EQ(xs.size(), lines.size());
        for (std::size_t i = 0; i < xs.size(); ++i)
            EXPECT_NEAR(xs[i], lines[i], 1e-9);

        // The heading row, bold, 18 units high.
        const DrawnText* quarter = Find(canvas.Texts, page, "Q/YY", true);
        ASSERT_NE(quarter, nullptr);
        EXPECT_EQ(quarter->Where, Anchor::Left);
        EXPECT_NEAR(quarter->X, 12 + 2 * unit, 1e-9);
        EXPECT_NEAR(quarter->Y, box.Y + 2 * unit, 1e-9);
        EXPECT_NEAR(quarter->RoomWidth, 33 * unit, 1e-9);
        EXPECT_NEAR(quarter->RoomHeight, 16 * unit, 1e-9);
        EXPECT_NEAR(quarter->CharHeight, 12 * unit, 1e-9);
        EXPECT_TRUE(quarter->Bold);
        const DrawnText* total = Find(canvas.Texts, page, "Total", true);
        ASSERT_NE(total, nullptr);
        EXPECT_EQ(total->Where, Anchor::Right);
        EXPECT_NEAR(total->X, 202 - 4 * unit, 1e-9);
        EXPECT_NEAR(total->RoomWidth, 56 * unit, 1e-9);

        for (const DrawnText& t : canvas.Texts) {
            if (t.Page != page || t.CharHeight == 0)
                continue;
            EXPECT_GE(t.Y, box.Y + 2 * unit) << t.Text;
            EXPECT_LE(t.Y + t.RoomHeight, box.Y + box.Height) << t.Text;
            if (t.Text.size() == 3 && t.Text != "Red") {
                ++codes[t.Text];
                EXPECT_NEAR(t.X, 22.64 + 2 * unit, 1e-9) << t.Text; // the code column
                EXPECT_NEAR(t.RoomHeight, 15 * unit, 1e-9) << t.Text;
                EXPECT_FALSE(t.Bold) << t.Text;
            }
        }
    }
    EXPECT_EQ(codes.size(), 110u);
    for (const auto& [code, times] : codes)
        EXPECT_EQ(times, 1) << "award " << code;
}

// A canvas that stops before a page ends the document there.
TEST(PageCanvas, StoppingBeforeAPageEndsTheDocument) {
    struct Stopping : RecordingCanvas {
        bool StartPage(int page, int pageCount) override {
            RecordingCanvas::StartPage(page, pageCount);
            return page < 2;
        }
    } canvas;
    EXPECT_EQ(DrawDocument(LongStatement(), canvas), 2);
    EXPECT_EQ(canvas.Starts.size(), 3u);
    EXPECT_EQ(canvas.Boxes.size(), 2u);
}

// A position or size a PDF cannot hold (not a number, or beyond 32767 points, about 11.5 m)
// refuses the file with the page it is on, and leaves no file; one within it is written.
TEST(PrintLayer, APdfIsRefusedForAPositionItCannotHold) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const std::string paper =
        "The PDF cannot be written: its paper size is not a number between 0 and 11 metres.";
    auto onPage = [](int page) {
        return "The PDF cannot be written: page " + std::to_string(page) +
               " holds a position or size that is not a number or lies beyond 11 metres.";
    };
    struct Case {
        const char* what;
        std::function<void(ComposedDocument&)> change;
        std::string message; // empty: written
    };
    const std::vector<Case> cases = {
        {"as composed", [](ComposedDocument&) {}, ""},
        {"a text 11 m across", [](ComposedDocument& d) { d.Texts[0].X = 11000; }, ""},
        {"a text 12 m across", [](ComposedDocument& d) { d.Texts[0].X = 12000; }, onPage(1)},
        {"a text 12 m to the left", [](ComposedDocument& d) { d.Texts[0].X = -12000; }, onPage(1)},
        {"a text at nan", [&](ComposedDocument& d) { d.Texts[0].Y = nan; }, onPage(1)},
        {"a text 1e300 down", [](ComposedDocument& d) { d.Texts[0].Y = 1e300; }, onPage(1)},
        {"a font of inf points", [&](ComposedDocument& d) { d.Texts[0].PointSize = inf; },
         onPage(1)},
        {"a picture to -inf", [&](ComposedDocument& d) { d.Pictures[0].Right = -inf; }, onPage(1)},
        {"a grid at nan", [&](ComposedDocument& d) { d.Grids[0].X = nan; }, onPage(1)},
        {"a grid 1e30 wide", [](ComposedDocument& d) { d.Grids[0].Width = 1e30; }, onPage(1)},
        {"a grid's letters nan high", [&](ComposedDocument& d) { d.Grids[0].CharHeight = nan; },
         onPage(1)},
        {"a grid's letters 1e30 high", [](ComposedDocument& d) { d.Grids[0].CharHeight = 1e30; },
         onPage(1)},
        {"the last row nan high, on the third page",
         [&](ComposedDocument& d) {
             PageGrid& g = d.Grids[0];
             g.RowHeights.resize(g.Rows.size(), 17);
             g.RowHeights.back() = nan;
         },
         onPage(3)},
        {"a paper of nan", [&](ComposedDocument& d) { d.PaperWidth = nan; }, paper},
        {"a paper 20 m high", [](ComposedDocument& d) { d.PaperHeight = 20000; }, paper},
        {"a paper of no width", [](ComposedDocument& d) { d.PaperWidth = 0; }, paper},
    };
    test::TempFolder dir;
    for (const Case& c : cases) {
        ComposedDocument doc = LongStatement();
        c.change(doc);
        const Status written = WriteDocumentPdf(doc, dir.Path() / "s.pdf");
        EXPECT_EQ(written.Message(), c.message) << c.what;
        EXPECT_EQ(std::filesystem::exists(dir / "s.pdf"), c.message.empty()) << c.what;
        std::filesystem::remove(dir / "s.pdf");
    }
}

// The statement's amounts and their headings, as the PDF writer and the printer put them on
// paper: every one ends 4 units inside the right edge of its column (Gold, Red, Green,
// Total), on every page.
TEST(PrintLayer, TheStatementsAmountsAreRightAligned) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    test::TempFolder dir;
    const ComposedDocument doc = LongStatement();
    const std::string written = (dir / "written.pdf").string();
    ASSERT_TRUE(WriteDocumentPdf(doc, QString::fromStdString(written)));
    const std::string printed = (dir / "printed.pdf").string();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        ASSERT_EQ(PrintDocument(printer, doc), 3);
    }
    const double mm = 72 / 25.4, unit = 190.0 / 625;
    const std::vector<double> rightEdges = {
        (12 + (445 - 4) * unit) * mm, (12 + (505 - 4) * unit) * mm, (12 + (565 - 4) * unit) * mm,
        (12 + (625 - 4) * unit) * mm};
    const std::regex amount(R"(-?[0-9]+\.[0-9][0-9]|Gold|Red|Green|Total)");
    const std::regex item(
        R"re(<page |<word xMin="[0-9.]+" yMin="([0-9.]+)" xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    for (const std::string& pdf : {written, printed}) {
        const std::string boxes = test::Shell("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
        int page = 0;
        std::vector<int> inColumn(rightEdges.size(), 0);
        for (std::sregex_iterator it(boxes.begin(), boxes.end(), item), end; it != end; ++it) {
            if (!(*it)[1].matched) {
                ++page;
                continue;
            }
            const std::string word = (*it)[3].str();
            if (!std::regex_match(word, amount) || (page == 1 && std::stod((*it)[1]) < 63 * mm))
                continue; // the heading's texts above the grid
            const double right = std::stod((*it)[2]);
            std::size_t column = 0;
            while (column + 1 < rightEdges.size() &&
                   std::abs(rightEdges[column] - right) > std::abs(rightEdges[column + 1] - right))
                ++column;
            EXPECT_NEAR(right, rightEdges[column], 0.6) << pdf << " page " << page << ": " << word;
            ++inColumn[column];
        }
        EXPECT_EQ(page, 3) << pdf;
        for (std::size_t c = 0; c < inColumn.size(); ++c)
            EXPECT_GE(inColumn[c], 3) << pdf << " column " << c + 4;
    }
}

// A text too long for its room stops at the room's edge, on paper and in a PDF alike: a
// 62-character event name ends inside the Description column, before the Gold amounts, and
// a long club name (and the player's name) before the promotion block at 100 mm.
TEST(PrintLayer, LongTextsStopAtTheirRoomsEdge) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    StatementPrint s;
    s.Player = test::TestPlayer("12345", "KARVEL");
    s.TypedNumber = "12345";
    s.ClubDescription = "3104 THE ARDEN AND DISTRICTS CONTRACT BRIDGE CLUB AND SOCIAL ASSOCIATION";
    s.Requirements = PromotionRequirements(s.Player, 7, {});
    s.Dates = {"15/03/2007", "15/03/2008"};
    const LineList events("ABC2026 NATIONAL SENIORS AND VETERANS TEAMS CHAMPIONSHIP FINAL RO\r\n");
    const std::vector<std::string_view> lines = {"1080012345X1 ABC 1234.50"};
    s.Rows = BuildStatementGrid(s.Player, lines, events, {}, s.Dates).Rows;
    const ComposedDocument doc = ComposeStatementPage(s);

    test::TempFolder dir;
    const std::string written = (dir / "written.pdf").string();
    ASSERT_TRUE(WriteDocumentPdf(doc, QString::fromStdString(written)));
    const std::string printed = (dir / "printed.pdf").string();
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(printed));
        ASSERT_EQ(PrintDocument(printer, doc), 1);
    }
    const double mm = 72 / 25.4, unit = 190.0 / 625;
    const double descriptionEdge = (12 + 385 * unit) * mm; // where the Gold column starts
    const std::regex item(
        R"re(<word xMin="([0-9.]+)" yMin="([0-9.]+)" xMax="([0-9.]+)"[^>]*>([^<]*)</word>)re");
    for (const std::string& pdf : {written, printed}) {
        const std::string boxes = test::Shell("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
        std::string club, event;
        for (std::sregex_iterator it(boxes.begin(), boxes.end(), item), end; it != end; ++it) {
            const double left = std::stod((*it)[1]), top = std::stod((*it)[2]),
                         right = std::stod((*it)[3]);
            const std::string word = (*it)[4].str();
            if (top > 33 * mm && top < 37 * mm && left < 100 * mm) {
                club += word + " ";
                EXPECT_LE(right, 98 * mm + 0.5) << pdf << ": " << word;
            }
            if (top > 63 * mm && left > 25 * mm && left < descriptionEdge) {
                event += word + " ";
                EXPECT_LE(right, descriptionEdge) << pdf << ": " << word;
            }
        }
        EXPECT_EQ(club.rfind("3104 THE ARDEN AND DISTRICTS CONTRACT BRIDGE", 0), 0u)
            << pdf << ": " << club;
        EXPECT_NE(event.find("2026 NATIONAL SENIORS AND VETERANS TEAMS"), std::string::npos)
            << pdf << ": " << event;
    }
}

namespace {

// The drawing commands of every page of a PDF written by the program, inflated.
std::string PdfPageCommands(const std::string& pdf) {
    std::string commands;
    const std::string head = "<< /Filter /FlateDecode /Length ";
    for (std::size_t at = pdf.find(head); at != std::string::npos; at = pdf.find(head, at + 1)) {
        const std::size_t length = std::stoul(pdf.substr(at + head.size()));
        const std::size_t data = pdf.find(">>\nstream\n", at) + 10;
        QByteArray packed(4, '\0');
        packed[1] = 0x10; // room for 1 MiB, grown when needed
        packed.append(pdf.data() + data, static_cast<qsizetype>(length));
        const QByteArray unpacked = qUncompress(packed);
        commands.append(unpacked.constData(), static_cast<std::size_t>(unpacked.size()));
    }
    return commands;
}

// The x and y (points from the page's foot) a text is shown at: its "x y Td".
std::pair<double, double> TextPlace(const std::string& commands, const std::string& text) {
    const std::regex shown(R"(([0-9.]+) ([0-9.]+) Td \()" + text + R"(\) Tj)");
    std::smatch m;
    if (!std::regex_search(commands, m, shown))
        return {-1, -1};
    return {std::stod(m[1].str()), std::stod(m[2].str())};
}

} // namespace

// A text of the PDF stands where the printer puts it: its top at the position given, so
// its baseline lies the font's ascent (0.891 of the size, Liberation's and Times New
// Roman's) below. Checked for the heading and for a row of the grid, whose font is sized
// in whole dots of 1200 to the inch.
TEST(PrintLayer, PdfTextsStandWhereTheirTopsWerePlaced) {
    const double mm = 72 / 25.4, page = 297 * mm, unit = 190.0 / 625;
    const Result<std::string> pdf = DocumentPdfBytes(LongStatement());
    ASSERT_TRUE(pdf);
    const std::string commands = PdfPageCommands(*pdf);
    // "STATEMENT OF AWARDS": 16 points, its top 10 mm down, centred on the page.
    const auto [headingX, headingY] = TextPlace(commands, "STATEMENT OF AWARDS");
    EXPECT_NEAR(headingY, page - 10 * mm - 0.891 * 16, 0.02);
    EXPECT_GT(headingX, 60 * mm);
    // The grid's opening row: its second row, 18 units below the grid's top at 63 mm, the
    // text 2 units into it; the font 12 units high, 172 dots of 1200 to the inch.
    const double size = 172 * 72 / 1200.0;
    const auto [rowX, rowY] = TextPlace(commands, "Totals as at 15/03/2007");
    EXPECT_NEAR(rowY, page - (63 + (18 + 2) * unit) * mm - 0.891 * size, 0.02);
    EXPECT_NEAR(rowX, (12 + (75 + 2) * unit) * mm, 0.02);
}

// A picture with transparent parts is written with its transparency (a soft mask of its
// own), stretched over its box; where it is transparent the page stays white.
TEST(PrintLayer, APdfPictureKeepsItsTransparency) {
    if (std::system("command -v pdfimages >/dev/null && command -v pdftoppm >/dev/null") != 0)
        GTEST_SKIP() << "poppler's tools are not installed";
    test::TempFolder dir;
    ComposedDocument doc;
    doc.Pictures.push_back({"MPSEC", 20, 30, 60, 70});
    const std::string pdf = (dir / "picture.pdf").string();
    ASSERT_TRUE(WriteDocumentPdf(doc, QString::fromStdString(pdf)));
    const std::string images = test::Shell("pdfimages -list '" + pdf + "' 2>/dev/null");
    EXPECT_NE(images.find(" image "), std::string::npos) << images;
    EXPECT_NE(images.find(" smask "), std::string::npos) << images;

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(dir / "picture.pdf", bytes));
    const double mm = 72 / 25.4;
    char placed[96];
    std::snprintf(placed, sizeof placed, "q %.2f 0 0 %.2f %.2f %.2f cm /Im1 Do Q", 40 * mm, 40 * mm,
                  20 * mm, (297 - 70) * mm);
    EXPECT_NE(PdfPageCommands(bytes).find(placed), std::string::npos) << placed;

    // The picture's top-left corner is transparent: white on the page, at 10 dots a mm.
    test::Shell("pdftoppm -r 254 -png -singlefile '" + pdf + "' '" + (dir / "page").string() +
                "' 2>/dev/null");
    const QImage pageImage(QString::fromStdString((dir / "page.png").string()));
    ASSERT_FALSE(pageImage.isNull());
    EXPECT_EQ(pageImage.pixelColor(201, 301), QColor(Qt::white));
}
