#include "federation/CoverPage.h"

#include "core/AsciiText.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "core/NumberFormats.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "mpfiles/MPListing.h"
#include "mpfiles/OldExtensions.h"

namespace fs = std::filesystem;

namespace mpsec {

std::vector<CoverPageEntry> CoverPageEntries(const LineList& coverPage) {
    std::vector<CoverPageEntry> entries;
    for (std::size_t i = 0; i < coverPage.Count(); ++i) {
        std::string_view line = coverPage[i];
        if (TrimBlanks(line).empty())
            continue;
        if (line.back() == ',')
            line.remove_suffix(1);
        // The file and the points are the last two fields: the event's description before
        // them may hold commas of its own.
        const std::size_t last = line.rfind(',');
        const std::size_t before = last == std::string_view::npos || last == 0
                                       ? std::string_view::npos
                                       : line.rfind(',', last - 1);
        if (before == std::string_view::npos) {
            entries.push_back({i + 1, "", ""});
            continue;
        }
        entries.push_back({i + 1,
                           std::string(TrimBlanks(line.substr(before + 1, last - before - 1))),
                           std::string(TrimBlanks(line.substr(last + 1)))});
    }
    return entries;
}

std::optional<std::uint64_t> CoverPagePoints(std::string_view text) {
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view part = dot == std::string_view::npos ? "" : text.substr(dot + 1);
    if ((whole.empty() && part.empty()) || whole.size() > 12 || part.size() > 2)
        return std::nullopt;
    std::uint64_t hundredths = 0;
    for (const char c : whole) {
        if (c < '0' || c > '9')
            return std::nullopt;
        hundredths = hundredths * 10 + static_cast<std::uint64_t>(c - '0');
    }
    hundredths *= 100;
    for (std::size_t i = 0; i < part.size(); ++i) {
        if (part[i] < '0' || part[i] > '9')
            return std::nullopt;
        hundredths += static_cast<std::uint64_t>(part[i] - '0') * (i == 0 ? 10 : 1);
    }
    return hundredths;
}

namespace {

// A name that stays in the folder it is looked for in.
bool IsPlainFileName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." &&
           name.find_first_of("/\\:") == std::string_view::npos;
}

// The file a cover page's name stands for, in the first folder that has it; none when
// neither has.
std::optional<fs::path> FindNamedFile(const std::string& name,
                                      const std::vector<fs::path>& folders) {
    std::vector<std::string> names{name};
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos)
        for (const MPExtension& extension : kMPExtensions)
            if (EqualNoCase(std::string_view(name).substr(dot), extension.OldExtension))
                names.push_back(name.substr(0, dot) + extension.NewExtension);
    for (const fs::path& folder : folders)
        for (const std::string& candidate : names) {
            if (folder.empty())
                continue;
            const fs::path path = FindFileAsSpelled(folder, candidate);
            if (os::EntryAt(path) == os::Entry::PlainFile)
                return path;
        }
    return std::nullopt;
}

std::string ErrorsText(const MPListing& listing) {
    std::vector<std::string> errors = listing.Errors;
    if (listing.StoppedBy)
        errors.push_back(listing.StoppedBy->Message);
    std::string text;
    constexpr std::size_t kShown = 5;
    for (std::size_t i = 0; i < errors.size() && i < kShown; ++i)
        text += (i ? "; " : "") + errors[i];
    if (errors.size() > kShown)
        text += " and " + std::to_string(errors.size() - kShown) + " more";
    return text;
}

} // namespace

Result<CoverPageCheck> CheckCoverPage(const LineList& coverPage, const fs::path& mpFolder,
                                      const fs::path& dataFolder, const PlayerRegister& national) {
    CoverPageCheck check;
    for (const CoverPageEntry& entry : CoverPageEntries(coverPage)) {
        const std::string name = Latin1ToUtf8(entry.Name);
        const std::string where = " (line " + std::to_string(entry.Line) + " of AWARDS.TXT)";
        if (!IsPlainFileName(entry.Name)) {
            std::string question =
                "Line " + std::to_string(entry.Line) + " of AWARDS.TXT names no masterpoint file.";
            if (!entry.Name.empty()) {
                question = "\"";
                question += name;
                question += "\"";
                question += where;
                question += " is not a plain file name, so it is not looked for.";
            }
            check.Questions.push_back(question + " Send the files without it?");
            continue;
        }
        const std::optional<fs::path> found = FindNamedFile(name, {mpFolder, dataFolder});
        if (!found) {
            check.Questions.push_back(name + where +
                                      " is in neither the masterpoint folder nor the data "
                                      "folder. Send the files without it?");
            continue;
        }
        bool again = false;
        for (const CoverPageFile& file : check.Files)
            again = again || file.Path == *found;
        if (again)
            continue;
        CoverPageFile file{*found, {}};
        if (Status read = ReadFileBytes(file.Path, file.Bytes); !read)
            return Failure{"Cannot read " + PathText(file.Path) + ": " + read.Message()};
        const std::string shown = PathText(file.Path.filename());
        const MPType type = FindMPType(file.Path);
        if (type == MPType::None) {
            check.Questions.push_back(shown + " is not a masterpoint file (.gld, .red, .grn, "
                                              ".gar or .rag), so its points are not checked. "
                                              "Send it as it is?");
        } else if (file.Bytes.size() > kMPFileSizeLimit) {
            check.Questions.push_back(
                shown + " is not checked: " + TooLargeReason(file.Bytes.size(), kMPFileSizeLimit) +
                ". Send it as it is?");
        } else {
            const MPListing listing = ListMPFile(LineList(file.Bytes), type, national);
            const std::uint64_t total = listing.Gold + listing.Red + listing.Green;
            const std::optional<std::uint64_t> given = CoverPagePoints(entry.Points);
            if (!given)
                check.Questions.push_back("The cover page gives \"" + Latin1ToUtf8(entry.Points) +
                                          "\" as the points of " + shown +
                                          ", which is not a number of points; the file holds " +
                                          GeneralText(total) + ". Send it as it is?");
            else if (!listing.StoppedBy && *given != total)
                check.Questions.push_back("The cover page gives " + Latin1ToUtf8(entry.Points) +
                                          " points for " + shown + ", but the file holds " +
                                          GeneralText(total) + ". Send it as it is?");
            if (!listing.Errors.empty() || listing.StoppedBy)
                check.Questions.push_back(shown + " has errors: " + ErrorsText(listing) +
                                          ". Send it as it is?");
        }
        check.Files.push_back(std::move(file));
    }
    return check;
}

} // namespace mpsec
