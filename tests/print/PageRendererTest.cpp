#include "print/PageRenderer.h"
#include "statements/Statement.h"
#include "support/Players.h"

#include <QFile>
#include <QPrinter>
#include <QString>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

std::string PdfPageText(const std::string& pdf, int page) {
    const std::string command = "pdftotext -layout -f " + std::to_string(page) + " -l " +
                                std::to_string(page) + " '" + pdf + "' - 2>/dev/null";
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
            text.append(buffer, n);
        pclose(pipe);
    }
    return text;
}

// A statement whose grid takes three pages or more.
ComposedDocument LongStatement() {
    StatementPrint s;
    s.Player = test::TestPlayer("12345", "KARVEL");
    s.TypedNumber = "12345";
    s.ClubDescription = "3104 ARDEN BRIDGE CLUB";
    s.Requirements = PromotionRequirements(s.Player, 7, {});
    s.Dates = {"15/03/2007", "15/03/2008"};
    std::vector<std::string> lines;
    for (int i = 0; i < 110; ++i)
        lines.push_back(std::to_string(1 + i / 30) + "080012345N1        1.00");
    std::vector<std::string_view> views(lines.begin(), lines.end());
    s.Rows = GetAwardDetails(s.Player, views, LineList(""), {}, s.Dates).Rows;
    return ComposeStatementPage(s);
}

} // namespace

// A long grid goes on over further pages, each starting with the heading row.
TEST(PrintLayer, LongStatementRepeatsTheHeadingOnEveryPage) {
    test::TempFolder dir;
    const ComposedDocument doc = LongStatement();
    const std::string pdf = (dir / "statement.pdf").string();
    ASSERT_TRUE(WriteDocumentPdf(doc, QString::fromStdString(pdf)));

    std::ifstream in(pdf, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_EQ(bytes.rfind("%PDF", 0), 0u);
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext is not installed";
    const std::string first = PdfPageText(pdf, 1);
    EXPECT_NE(first.find("STATEMENT OF AWARDS"), std::string::npos);
    EXPECT_NE(first.find("ANNE KARVEL (12345)"), std::string::npos);
    EXPECT_NE(first.find("Totals as at 15/03/2007"), std::string::npos);
    int pages = 1;
    for (int page = 2; page < 10; ++page) {
        const std::string text = PdfPageText(pdf, page);
        if (text.find_first_not_of(" \n\f") == std::string::npos)
            break;
        ++pages;
        EXPECT_NE(text.find("Q/YY"), std::string::npos) << "page " << page;
        EXPECT_NE(text.find("Description"), std::string::npos) << "page " << page;
    }
    EXPECT_GE(pages, 3);
    EXPECT_NE(PdfPageText(pdf, pages).find("Totals as at 15/03/2008"), std::string::npos);
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
