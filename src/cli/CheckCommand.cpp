#include "cli/CheckCommand.h"
#include "core/TextHelpers.h"

#include "cli/CurrentFolder.h"
#include "cli/Terminal.h"
#include "core/FileReading.h"
#include "core/Files.h"
#include "mpfiles/MPListing.h"

#include <algorithm>
#include <new>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

// The entries, one a line, written a block at a time: a national-size listing is 100,000
// lines, and a copy of it whole would double what the listing takes.
void WriteEntries(const LineBuffer& entries, std::ostream& out) {
    constexpr std::size_t kBlock = 1 << 20;
    std::string block;
    block.reserve(kBlock + 256);
    for (std::string_view entry : entries) {
        block.append(entry).push_back('\n');
        if (block.size() >= kBlock) {
            out << ForTerminal(block);
            block.clear();
        }
    }
    out << ForTerminal(block);
}

} // namespace

int RunCheckCommand(const std::filesystem::path& dataFolder, const std::vector<std::string>& files,
                    std::ostream& out, std::ostream& err, std::uint64_t sizeLimit) {
    if (files.empty()) {
        err << "mpsec check: name one or more masterpoint files\n";
        return 2;
    }
    CurrentFolder folder;
    if (!folder.Load(dataFolder, err, "check", false))
        return 2;
    const PlayerRegister& national = folder.National;
    int status = 0;
    for (const std::string& named : files) {
        // Named on the command line relative to the folder the command runs in.
        const fs::path name = folder.Folder / PathFromText(named);
        LineList lines;
        if (Status read = ReadMPFile(name, lines, sizeLimit); !read) {
            err << "mpsec check: cannot read " << named << ": " << read.Message() << "\n";
            status = std::max(status, 2);
            continue;
        }
        MPListing listing;
        try {
            listing = ListMPFile(lines, FindMPType(name), national);
        } catch (const std::bad_alloc&) {
            err << "mpsec check: cannot list " << named << ": there is not enough memory\n";
            status = std::max(status, 2);
            continue;
        }
        lines.Clear();
        out << MPListingTitle(PathText(name.filename())) << "\n";
        WriteEntries(listing.Entries, out);
        // The errors of the lines before a conversion error are reported with it.
        if (!listing.Errors.empty() || !listing.StoppedBy)
            out << listing.ErrorAreaText() << "\n";
        for (const std::string& error : listing.Errors)
            out << "  " << ForTerminal(error) << "\n";
        if (listing.StoppedBy) {
            out << listing.StoppedBy->Message << "\n\n";
            status = std::max(status, 1);
            continue;
        }
        for (const std::string& total : listing.TotalLines())
            out << total << "\n";
        if (auto written = WriteMPReport(name, listing); !written) {
            err << "mpsec check: " << written.Message() << "\n";
            // A listed file named like its report is skipped by design; a file kept from
            // being replaced, or a report that could not be written, is a failure.
            if (ReportPath(name))
                status = std::max(status, 2);
        }
        out << "\n";
        if (!listing.Errors.empty())
            status = std::max(status, 1);
    }
    return status;
}

} // namespace mpsec
