// A masterpoint file listed under every type against a register, both from the input:
// the listing holds one entry per line read, totals that are the sums of the points read,
// and a report the next listing would recognise as its own.
#include "FuzzSupport.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/NumberFormats.h"
#include "mpfiles/MPListing.h"

#include <array>
#include <optional>

using namespace mpsec;
using mpsec::fuzz::Check;

namespace {

// A points field: blanks, then one or more digits and nothing else.
std::optional<std::uint64_t> PointsField(std::string_view field) {
    std::size_t at = field.find_first_not_of(' ');
    if (at == std::string_view::npos)
        return std::nullopt;
    std::uint64_t value = 0;
    for (; at < field.size(); ++at) {
        if (field[at] < '0' || field[at] > '9')
            return std::nullopt;
        value = value * 10 + static_cast<std::uint64_t>(field[at] - '0');
    }
    return value;
}

// "1,234.50" (blanks around) as hundredths.
std::optional<std::uint64_t> ShownHundredths(std::string_view text) {
    std::string digits;
    std::size_t decimals = 0;
    bool point = false;
    for (char c : TrimBlanks(text)) {
        if (c == ',' && !point)
            continue;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        if (c < '0' || c > '9' || digits.size() > 15)
            return std::nullopt;
        digits += c;
        decimals += point;
    }
    if (digits.empty() || decimals > 2)
        return std::nullopt;
    std::uint64_t value = std::stoull(digits);
    for (; decimals < 2; ++decimals)
        value *= 10;
    return value;
}

// What a walk over the file expects of its listing.
struct Expected {
    std::size_t LinesRead = 0;
    bool Stops = false;
    std::vector<std::array<std::uint64_t, 2>> Points; // per line read
    std::uint64_t Totals[3] = {0, 0, 0};              // by colour
};

Expected Walk(const LineList& file, MPType type) {
    Expected e;
    const MPTypeColours colours = ColoursOf(type);
    for (std::size_t i = 0; i < file.Count(); ++i) {
        const std::string_view line = file[i];
        if (!line.empty() && line.front() == '\x1A')
            break;
        std::array<std::uint64_t, 2> points{0, 0};
        if (!line.empty() && colours.First) {
            const auto first = PointsField(Cols(line, 8, 6));
            // A two-colour line shorter than 19 characters has no second field.
            const auto second = colours.Second && line.size() >= 19
                                    ? PointsField(Cols(line, 14, 6))
                                    : std::optional<std::uint64_t>(0);
            if (!first || !second) {
                e.Stops = true;
                return e;
            }
            points = {*first, *second};
            e.Totals[static_cast<int>(*colours.First)] += *first;
            if (colours.Second)
                e.Totals[static_cast<int>(*colours.Second)] += *second;
        }
        e.Points.push_back(points);
        ++e.LinesRead;
    }
    return e;
}

// The points an entry shows at its end, as hundredths: PointsText rounds values of 100 and
// more to four significant digits.
bool ShowsPoints(std::string_view shown, std::uint64_t value) {
    const auto parsed = ShownHundredths(shown);
    if (!parsed)
        return false;
    const std::uint64_t diff = *parsed > value ? *parsed - value : value - *parsed;
    return value < 10000 ? diff == 0 : diff * 1000 <= value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::SplitInput input = fuzz::Split(fuzz::AsText(data, size));
    PlayerRegister national;
    national.Assign(input.Get(PlayerRegister::FileName));
    std::string fileBytes = input.Preamble;
    for (const fuzz::InputFile& f : input.Files)
        if (f.Name != PlayerRegister::FileName) {
            fileBytes = f.Bytes;
            break;
        }
    const LineList file(fileBytes);

    for (MPType type : {MPType::None, MPType::Gold, MPType::Red, MPType::Green, MPType::GoldRed,
                        MPType::RedGreen}) {
        const MPListing listing = ListMPFile(file, type, national);
        const Expected e = Walk(file, type);
        const std::string at = "type " + std::to_string(static_cast<int>(type)) + ", " +
                               std::to_string(listing.Entries.size()) + " entries, " +
                               std::to_string(e.LinesRead) + " lines read";
        Check(listing.StoppedBy.has_value() == e.Stops, "the listing stops at a bad points field",
              at);
        Check(listing.Entries.size() == e.LinesRead, "one entry per line read", at);
        for (std::size_t k = 0; k < listing.Entries.size(); ++k)
            Check(listing.Entries[k].substr(0, 6) == LineNumberText(k + 1) + ". ",
                  "entries are numbered by their lines",
                  at + ": " + std::string(listing.Entries[k]));
        if (e.Stops)
            continue;

        const MPTypeColours colours = ColoursOf(type);
        const int shown = colours.Second ? 2 : (colours.First ? 1 : 0);
        for (std::size_t k = 0; k < listing.Entries.size(); ++k) {
            const std::string entry(listing.Entries[k]);
            if (file[k].empty())
                continue; // a blank line shows no points
            // The last one or two blank-separated words of the entry are its points.
            std::size_t end = entry.size();
            for (int p = shown - 1; p >= 0; --p) {
                const std::size_t space = entry.rfind(' ', end - 1);
                Check(space != std::string::npos && space + 1 < end, "an entry shows its points",
                      at + ": " + entry);
                Check(ShowsPoints(std::string_view(entry).substr(space + 1, end - space - 1),
                                  e.Points[k][static_cast<std::size_t>(p)]),
                      "an entry shows the points of its line", at + ": " + entry);
                end = space;
                while (end > 0 && entry[end - 1] == ' ')
                    --end;
            }
        }
        const std::uint64_t totals[3] = {listing.Gold, listing.Red, listing.Green};
        for (int c = 0; c < 3; ++c)
            Check(totals[c] == e.Totals[c], "the totals are the sums of the points read", at);
        const std::vector<std::string> totalLines = listing.TotalLines();
        Check(static_cast<int>(totalLines.size()) == shown, "a total line per colour", at);
        for (std::size_t t = 0; t < totalLines.size(); ++t) {
            const MPColour colour = t == 0 ? *colours.First : *colours.Second;
            const std::size_t colon = totalLines[t].find(": ");
            Check(colon != std::string::npos && ShownHundredths(totalLines[t].substr(colon + 2)) ==
                                                    e.Totals[static_cast<int>(colour)],
                  "a total line shows the sum of its colour", at + ": " + totalLines[t]);
        }

        // The report, as written and read back, is one the next check may replace.
        std::string written;
        for (const std::string& line : listing.Report())
            written += line + "\r\n";
        Check(IsMPReport(LineList(written)), "a written report is recognised as a report", at);
    }
    return 0;
}
