// The headless commands end to end on a folder of fuzzed files: the first line of the
// input is the command line, the rest the files of the folder (PDF writing stubbed). A
// command never changes a file that is not one of its own earlier reports, leaves nothing
// but reports (and the PDF folder it was named), keeps its PDFs in that folder, and a
// success is what it says it is.
#include "FuzzSupport.h"
#include "core/TextHelpers.h"

#include "cli/Cli.h"
#include "core/AsciiText.h"
#include "core/LineList.h"
#include "mpfiles/MPListing.h"

#include <map>
#include <sstream>
#include <type_traits>

using namespace mpsec;
using mpsec::fuzz::Check;
namespace fs = std::filesystem;

namespace {

// The commands work in the current folder: the scratch folder is it while one runs (and
// only then, since libFuzzer reads its corpus by relative names between inputs).
class InFolder {
  public:
    explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    ~InFolder() { fs::current_path(previous_); }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;

  private:
    fs::path previous_;
};

struct Entry {
    bool Folder = false;
    std::string Bytes;
};

std::map<std::string, Entry> Snapshot(const fuzz::ScratchFolder& folder) {
    std::map<std::string, Entry> entries;
    for (const auto& e : fs::directory_iterator(folder.Path())) {
        const std::string name = e.path().filename().string();
        entries[name] = e.is_directory() ? Entry{true, {}} : Entry{false, folder.Read(e.path())};
    }
    return entries;
}

bool IsReportName(const std::string& name) {
    return name.size() > 4 && UpperAscii(name.substr(name.size() - 4)) == ".TXT";
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words{"mpsec"};
    std::istringstream in(line);
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

std::string ValueOf(const std::vector<std::string>& args, const std::string& option) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == option)
            return args[i + 1];
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SplitInput input = fuzz::Split(fuzz::AsText(data, size));
    const std::string commandLine = input.Preamble.substr(0, input.Preamble.find('\n'));
    const std::vector<std::string> args = Words(commandLine);
    // Every argument names something in the folder: nothing may reach outside it (no
    // path, and no "--data .." to the folder above).
    for (const std::string& a : args)
        if (a.find('/') != std::string::npos || a.find('\0') != std::string::npos ||
            a.find("..") != std::string::npos)
            return -1;
    // The commands that write lists and files of their own (extractions, the membership
    // file, merged files, cancellation files) are checked by their own tests; the rules
    // below are those of the commands that read, report and write statements.
    for (const char* writer : {"membership", "extract", "merge", "cancellations"})
        for (std::size_t i = 1; i < args.size(); ++i)
            if (args[i] == writer)
                return -1;

    const fuzz::ScratchFolder& folder = fuzz::Folder();
    folder.Empty();
    for (const fuzz::InputFile& f : input.Files)
        folder.Write(f.Name, f.Bytes);
    const std::map<std::string, Entry> before = Snapshot(folder);

    const std::string pdfDir = ValueOf(args, "--pdf-dir");
    int pdfs = 0;
    const PdfWriter writePdf = [&](const ComposedDocument& document, const std::string& path) {
        ++pdfs;
        Check(!document.Grids.empty(), "a statement's PDF holds its grid", path);
        std::size_t next = 0;
        for (const GridPage& page : PaginateGrid(document.Grids[0], document))
            next = page.EndRow;
        Check(next == document.Grids[0].Rows.size(), "every row of a statement is printed", path);
        if (!pdfDir.empty()) {
            // Named whole, from the folder the command runs in (or its --data folder).
            const fs::path file = PathFromText(path);
            const fs::path named = WholePath(folder.Path() / PathFromText(ValueOf(args, "--data")) /
                                             PathFromText(pdfDir));
            Check(file.parent_path() == named && file.filename() != "." && file.filename() != "..",
                  "a member's PDF stays in the PDF folder", path);
        }
        // The writer's result type says the PDF was written.
        using Written =
            std::invoke_result_t<PdfWriter, const ComposedDocument&, const std::string&>;
        if constexpr (std::is_same_v<Written, bool>)
            return true;
        else
            return Written{};
    };
    std::ostringstream out, err;
    int status = 0;
    {
        const InFolder in(folder.Path());
        status = RunCommandLine(args, out, err, writePdf);
    }
    const std::string context = "'" + commandLine + "' gave " + std::to_string(status) + "\n" +
                                out.str().substr(0, 2000) + "\n" + err.str().substr(0, 2000);
    if (std::getenv("MPSEC_FUZZ_SHOW")) // to see what a seed does
        std::fprintf(stderr, "%s\n", context.c_str());
    Check(status >= 0 && status <= 2, "a command exits with 0, 1 or 2", context);

    const std::map<std::string, Entry> after = Snapshot(folder);
    for (const auto& [name, was] : before) {
        const auto now = after.find(name);
        Check(now != after.end(), "no file of the folder is removed", name + "\n" + context);
        if (now->second.Bytes == was.Bytes)
            continue;
        Check(IsReportName(name) && IsMPReport(LineList(was.Bytes)),
              "only an earlier report is replaced", name + "\n" + context);
        Check(IsMPReport(LineList(now->second.Bytes)), "a report replaces it",
              name + "\n" + context);
    }
    for (const auto& [name, now] : after) {
        if (before.count(name))
            continue;
        if (now.Folder)
            Check(name == pdfDir, "a command makes no folder but the PDF folder",
                  name + "\n" + context);
        else
            Check(IsReportName(name) && IsMPReport(LineList(now.Bytes)),
                  "a command leaves nothing but reports", name + "\n" + context);
    }

    const std::string command = args.size() > 1 ? args[1] : std::string();
    const bool help = args.size() > 2 && (args[2] == "--help" || args[2] == "-h");
    if (status == 0 && command == "check" && !help) {
        for (std::size_t i = 2; i < args.size(); ++i) {
            const auto report = ReportPath(folder.Path() / args[i]);
            if (!report)
                continue; // a file named like its own report is listed, not reported
            bool found = false;
            for (const auto& [name, entry] : after)
                found = found || UpperAscii(name) == UpperAscii(report->filename().string());
            Check(found, "a check that succeeded wrote every report", args[i] + "\n" + context);
        }
    }
    if (status == 0 && command == "statements" && !help) {
        const std::string written =
            std::to_string(pdfs) + (pdfs == 1 ? " statement written\n" : " statements written\n");
        Check(out.str().find("\n" + written) != std::string::npos ||
                  out.str().rfind(written, 0) == 0,
              "the count of statements written is the count of PDFs", context);
    }
    if (status == 0 && command == "statement" && !help && !ValueOf(args, "--pdf").empty())
        Check(pdfs == 1, "a statement with --pdf writes one PDF", context);
    return 0;
}
