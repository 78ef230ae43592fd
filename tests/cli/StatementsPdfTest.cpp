// The statements of a run drawn on several workers are the same PDFs as those drawn one
// after the other: the same files, the same text on the same pages.
#include "SampleData.h"
#include "cli/Cli.h"
#include "print/PageRenderer.h"
#include "support/Shell.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <map>
#include <sstream>

using namespace mpsec;
namespace fs = std::filesystem;

namespace {

struct Run {
    int Status = 0;
    std::string Out;
};

Run Statements(const fs::path& data, std::vector<std::string> args) {
    args.insert(args.begin(), {"mpsec", "--data", data.string(), "statements"});
    std::ostringstream out, err;
    Run run;
    run.Status =
        RunCommandLine(args, out, err, [](const ComposedDocument& doc, const std::string& path) {
            return WriteDocumentPdf(doc, fs::path(path));
        });
    run.Out = out.str();
    EXPECT_EQ(run.Status, 0) << err.str();
    return run;
}

// A path as one word of the shell (names such as O'LOMOR hold quotes).
std::string Quoted(const std::string& path) {
    std::string word = "'";
    for (char c : path)
        word += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return word + "'";
}

// Every PDF under `folder` by its path there: its page count and its text.
std::map<std::string, std::string> PdfContents(const fs::path& folder) {
    std::map<std::string, std::string> pdfs;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        const std::string path = entry.path().string();
        const std::string info = test::Shell("pdfinfo " + Quoted(path) + " 2>/dev/null");
        const std::size_t pages = info.find("Pages:");
        pdfs[fs::relative(entry.path(), folder).string()] =
            (pages == std::string::npos ? "no pages"
                                        : info.substr(pages, info.find('\n', pages) - pages)) +
            "\n" + test::Shell("pdftotext -layout " + Quoted(path) + " - 2>/dev/null");
    }
    return pdfs;
}

} // namespace

TEST(StatementsPdf, WorkersWriteTheSamePdfsAsOneAfterTheOther) {
    if (std::system("command -v pdftotext >/dev/null && command -v pdfinfo >/dev/null") != 0)
        GTEST_SKIP() << "the poppler tools are not installed";
    test::TempFolder dir;
    const fs::path data = dir / "data";
    sample::WriteSampleFolder(data, sample::SampleOptions{});
    struct Case {
        std::vector<std::string> Selection;
    } cases[] = {{{"--club", "3110"}}, {{"--state", "9"}}};
    for (const Case& c : cases) {
        std::map<std::string, std::string> contents[2];
        std::string listed[2];
        for (int parallel = 0; parallel < 2; ++parallel) {
            const fs::path out = dir / (c.Selection[1] + (parallel ? "-workers" : "-one"));
            std::vector<std::string> args = c.Selection;
            args.insert(args.end(), {"--pdf-dir", out.string(), "--jobs", parallel ? "3" : "1"});
            listed[parallel] = Statements(data, args).Out;
            for (std::size_t at; (at = listed[parallel].find(out.string())) != std::string::npos;)
                listed[parallel].erase(at, out.string().size());
            contents[parallel] = PdfContents(out);
        }
        ASSERT_GT(contents[0].size(), 10u) << c.Selection[1];
        EXPECT_EQ(contents[0], contents[1]) << c.Selection[1];
        if (c.Selection[0] == "--club") { // the files are named in register order
            EXPECT_EQ(listed[0], listed[1]);
        }
        for (const auto& [name, text] : contents[1])
            EXPECT_NE(text.find("STATEMENT OF AWARDS"), std::string::npos) << name;
    }
}
