#include "print/PlainText.h"
#include "platform/QtPlatform.h"
#include "support/Shell.h"
#include "support/TempFolder.h"

#include <QFile>
#include <QFont>
#include <QImage>
#include <QPageLayout>
#include <QPrinter>
#include <array>
#include <cstdio>
#include <gtest/gtest.h>
#include <regex>

using namespace mpsec;

namespace {

using test::Shell;

// The blank paper around the ink of a PDF page, in millimetres: left, top, right, bottom.
std::array<double, 4> InkMargins(const std::string& pdf, int page) {
    constexpr int kDpi = 72;
    const std::string p = std::to_string(page);
    Shell("pdftoppm -png -singlefile -r " + std::to_string(kDpi) + " -f " + p + " -l " + p + " '" +
          pdf + "' '" + pdf + "'");
    const QImage image(QString::fromStdString(pdf + ".png"));
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    const double mm = 25.4 / kDpi;
    return {left * mm, top * mm, (image.width() - 1 - right) * mm,
            (image.height() - 1 - bottom) * mm};
}

} // namespace

// Plain-text printing to a PDF a person can read: every line, page after page.
TEST(Print, LinesBecomePdfPages) {
    test::TempFolder dir;
    const QString pdf = QString::fromStdString((dir / "listing.pdf").string());
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));
    platform.Printer().setOutputFormat(QPrinter::PdfFormat);
    platform.Printer().setOutputFileName(pdf);
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QString("%1. 0012345 KARVEL ANNE 3-104  1.25").arg(i, 4);
    platform.PrintLines(lines, "Courier", 10, " ");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              2);
}

// The listing starts 10 mm or more inside every edge of the paper, also after a statement
// (printed full-page on the same printer), and a line too long for the page is not cut off
// at its edge.
TEST(Print, PlainTextKeepsClearOfThePaperEdges) {
    if (std::system("command -v pdftoppm >/dev/null && command -v pdfinfo >/dev/null") != 0)
        GTEST_SKIP() << "poppler-utils is not installed";
    test::TempFolder dir;
    const std::string pdf = (dir / "listing.pdf").string();
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));
    platform.Printer().setOutputFormat(QPrinter::PdfFormat);
    platform.Printer().setOutputFileName(QString::fromStdString(pdf));
    platform.PrintDocument(ComposedDocument{});
    QStringList lines;
    for (int i = 1; i <= 2000; ++i)
        lines << QString("%1. 0012345 KARVEL ANNE 3-104  1.25").arg(i, 4);
    lines << QString(150, 'W') + "END";
    platform.PrintLines(lines, "Courier", 10, " ");

    const std::string info = Shell("pdfinfo '" + pdf + "'");
    const int pages = std::atoi(info.c_str() + info.find("Pages:") + 6);
    ASSERT_GE(pages, 2) << info;
    const std::string last = Shell("pdftotext -f " + std::to_string(pages) + " '" + pdf + "' -");
    EXPECT_NE(last.find("2000. 0012345 KARVEL"), std::string::npos) << last;
    EXPECT_NE(last.find("WEND"), std::string::npos) << last; // the long line's end is printed
    for (int page : {1, pages}) {
        const auto margins = InkMargins(pdf, page);
        for (int side = 0; side < 4; ++side) // one pixel's leeway for anti-aliasing
            EXPECT_GE(margins[side], kPlainTextMarginMm - 0.4) << page << " " << side;
    }
}

// The page loop asks before every page with the page count, and Cancel stops it there; a
// stopped PDF job leaves no half file.
TEST(Print, PlainTextJobStopsWhenTold) {
    test::TempFolder dir;
    const QString pdf = QString::fromStdString((dir / "job.pdf").string());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    std::vector<std::pair<int, int>> asked;
    const PlainTextJob job = PrintPlainText(printer, QStringList(300, QStringLiteral("   1. x")),
                                            QFont("Courier", 10), [&](int done, int count) {
                                                asked.push_back({done, count});
                                                return done < 2;
                                            });
    EXPECT_TRUE(job.Started && job.Cancelled);
    EXPECT_EQ(job.Pages, 2);
    ASSERT_EQ(asked.size(), 3u);
    EXPECT_GE(asked[2].second, 4);
    EXPECT_FALSE(QFile::exists(pdf));
}

// A job of many pages: the first page starts with the first line, the file has the pages the
// job counted, and each page holds every row that fits above its bottom margin: the next
// row would cross it.
TEST(Print, PlainTextPagesHoldTheRowsThatFit) {
    if (std::system("command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null") != 0)
        GTEST_SKIP() << "poppler-utils is not installed";
    test::TempFolder dir;
    const std::string pdf = (dir / "job.pdf").string();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf));
    QStringList lines;
    for (int i = 1; i <= 250; ++i)
        lines << QString("L%1 KARVEL").arg(i, 4, 10, QLatin1Char('0'));
    std::vector<int> counts;
    const PlainTextJob job =
        PrintPlainText(printer, lines, QFont("Courier", 10), [&](int, int count) {
            counts.push_back(count);
            return true;
        });
    ASSERT_TRUE(job.Started && !job.Cancelled);

    const std::string info = Shell("pdfinfo '" + pdf + "'");
    EXPECT_EQ(std::atoi(info.c_str() + info.find("Pages:") + 6), job.Pages) << info;
    EXPECT_EQ(counts, std::vector<int>(static_cast<std::size_t>(job.Pages), job.Pages));
    ASSERT_GE(job.Pages, 3);

    // The rows' numbers and bottoms (points from the paper's top), page by page.
    std::vector<std::vector<std::pair<int, double>>> pages;
    const std::string boxes = Shell("pdftotext -bbox '" + pdf + "' - 2>/dev/null");
    const std::regex item(R"re(<page |<word [^>]*yMax="([0-9.]+)">L([0-9]+)</word>)re");
    for (std::sregex_iterator it(boxes.begin(), boxes.end(), item), end; it != end; ++it) {
        if (!(*it)[1].matched)
            pages.emplace_back();
        else if (!pages.empty())
            pages.back().push_back({std::stoi((*it)[2].str()), std::stod((*it)[1].str())});
    }
    ASSERT_EQ(pages.size(), static_cast<std::size_t>(job.Pages));
    int next = 1;
    for (const auto& page : pages)
        for (const auto& [number, bottom] : page)
            EXPECT_EQ(number, next++);
    EXPECT_EQ(next, 251);
    ASSERT_GE(pages[0].size(), 2u);
    EXPECT_EQ(pages[0][0].first, 1);

    const QPageLayout layout = printer.pageLayout();
    const double limit = std::min(layout.fullRectPoints().height() - kPlainTextMarginMm * 72 / 25.4,
                                  static_cast<double>(layout.paintRectPoints().bottom()));
    for (std::size_t p = 0; p + 1 < pages.size(); ++p) {
        const auto& rows = pages[p];
        const double pitch = (rows.back().second - rows.front().second) / (rows.size() - 1);
        EXPECT_EQ(rows.size(), pages[0].size()) << "page " << p + 1;
        EXPECT_LE(rows.back().second, limit) << "page " << p + 1;
        EXPECT_GT(rows.back().second + pitch, limit) << "page " << p + 1;
    }
}
