#include "mpfiles/MPListing.h"
#include "core/TextHelpers.h"

#include "core/AsciiText.h"
#include "core/Columns.h"
#include "core/NumberFormats.h"

#include <algorithm>
#include <charconv>

namespace mpsec {

namespace {

const char* const kExtensions[] = {".gld", ".red", ".grn", ".gar", ".rag"};
const char* const kColourNames[] = {"Gold", "Red", "Green"};

const char* ColourName(MPColour colour) {
    return kColourNames[static_cast<int>(colour)];
}

// A whole decimal number: leading blanks allowed, then digits only.
std::optional<std::uint32_t> WholeNumber(std::string_view field) {
    field = TrimLeft(field, &IsBlank);
    if (field.empty())
        return std::nullopt;
    std::uint32_t value = 0;
    auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end != field.data() + field.size() || field.front() == '+' ||
        field.front() == '-')
        return std::nullopt;
    return value;
}

} // namespace

MPType FindMPType(const std::filesystem::path& file) {
    const std::string ext = LowerAscii(PathText(file.extension()));
    for (int i = 0; i < 5; ++i)
        if (ext == kExtensions[i])
            return static_cast<MPType>(i + 1);
    return MPType::None;
}

MPTypeColours ColoursOf(MPType type) {
    switch (type) {
    case MPType::Gold:
        return {MPColour::Gold, std::nullopt};
    case MPType::Red:
        return {MPColour::Red, std::nullopt};
    case MPType::Green:
        return {MPColour::Green, std::nullopt};
    case MPType::GoldRed:
        return {MPColour::Gold, MPColour::Red};
    case MPType::RedGreen:
        return {MPColour::Red, MPColour::Green};
    case MPType::None:
        break;
    }
    return {};
}

std::string MPListingTitle(const std::string& fileName) {
    return " Masterpoint information for MP File " + fileName;
}

std::vector<std::string> CheckPlayer(std::string_view number, std::string_view homeClub,
                                     std::size_t n) {
    const std::string at = std::to_string(n);
    std::vector<std::string> messages;
    if (number == "0080004")
        messages.push_back("Missing QMR No. Line " + at);
    if (number == "0006688")
        messages.push_back("New Zealand Player at Line " + at);
    if (number == "0002119")
        messages.push_back("UK Player at Line " + at);
    if (homeClub.find('i') != std::string_view::npos)
        messages.push_back("Inactive Player at Line " + at);
    if (homeClub == "9-997")
        messages.push_back("Deleted Player at Line " + at);
    return messages;
}

namespace {

// The count of the file's lines before a Ctrl-Z.
std::size_t LinesBeforeEnd(const LineList& file) {
    std::size_t count = 0;
    while (count < file.Count()) {
        const std::string_view head = file.Head(count, 1);
        if (!head.empty() && head.front() == '\x1A')
            break;
        ++count;
    }
    return count;
}

std::uint64_t& ColourTotal(MPListing& listing, MPColour colour) {
    return colour == MPColour::Gold ? listing.Gold
                                    : (colour == MPColour::Red ? listing.Red : listing.Green);
}

// The points field of `line` at column `from`; none, with the listing stopped at the line,
// when it is not a whole number.
std::optional<std::uint32_t> PointsField(std::string_view line, std::size_t from,
                                         MPListing& listing) {
    const std::string_view field = Cols(line, from, 6);
    auto value = WholeNumber(field);
    if (!value)
        listing.StoppedBy = Failure{"'" + Latin1ToUtf8(field) + "' is not a valid integer value"};
    return value;
}

// The points of `line` added to the listing's totals and, as the listing shows them, to
// `pointsText`. False when a points field is not a whole number (the listing stops there).
bool AddLinePoints(std::string_view line, const MPTypeColours& colours, MPListing& listing,
                   std::string& pointsText) {
    if (!colours.First)
        return true;
    const auto value = PointsField(line, 8, listing);
    if (!value)
        return false;
    // A two-colour line shorter than 19 characters has a second value of 0.
    const auto value2 = colours.Second && line.size() >= 19 ? PointsField(line, 14, listing)
                                                            : std::optional<std::uint32_t>(0);
    if (!value2)
        return false;
    ColourTotal(listing, *colours.First) += *value;
    pointsText = PointsText(*value);
    if (colours.Second) {
        ColourTotal(listing, *colours.Second) += *value2;
        pointsText += " " + PointsText(*value2);
    }
    return true;
}

// The entry of line `n` for the player of register line `entry`, and what is wrong with him.
void ListPlayer(MPListing& listing, std::size_t n, std::string_view number, std::string_view entry,
                const std::string& pointsText) {
    const std::string_view homeClub = HomeClubField(entry);
    // The names with the column after them, the home club as the register has it.
    constexpr ColumnWindow names{PlayerColumns::Surname.From,
                                 PlayerColumns::GivenName.Last() + 2 - PlayerColumns::Surname.From};
    constexpr ColumnWindow rawHomeClub{PlayerColumns::HomeClub.From, 7};
    listing.Entries.Append(LineNumberText(n))
        .Append(". ")
        .Append(Cols(entry, PlayerColumns::QMRNo));
    listing.Entries.Append(" ").Append(Cols(entry, names)).Append(Cols(entry, rawHomeClub));
    listing.Entries.Append(" ").Append(pointsText).EndLine();
    for (std::string& message : CheckPlayer(number, homeClub, n))
        listing.Errors.push_back(std::move(message));
}

// The entry of line `n` for a number the register does not hold.
void ListUnknownNumber(MPListing& listing, std::size_t n, std::string_view number,
                       const std::string& pointsText) {
    listing.Errors.push_back("Illegal QMR No. in File Line " + std::to_string(n));
    listing.Entries.Append(LineNumberText(n)).Append(". ").Append(number);
    listing.Entries.Append(std::string(35, ' ')).Append(pointsText).EndLine();
}

} // namespace

MPListing ListMPFile(const LineList& file, MPType type, const PlayerRegister& national) {
    MPListing listing;
    listing.Type = type;
    const MPTypeColours colours = ColoursOf(type);
    const std::size_t count = LinesBeforeEnd(file);
    listing.Entries.Reserve(count, 60);
    // The count is not limited to 16 bits, so line numbers past 65,535 stay right.
    const LineList& registerLines = national.NationalList();
    // The numbers are looked up a block of lines at a time: all at once would take another
    // 32 bytes a line of the file.
    constexpr std::size_t kBlock = 1 << 16;
    constexpr std::size_t kAhead = 8;
    std::vector<std::string_view> numbers;
    numbers.reserve(std::min(count, kBlock));
    std::vector<std::size_t> matches;
    for (std::size_t from = 0; from < count; from += kBlock) {
        const std::size_t to = std::min(count, from + kBlock);
        numbers.clear();
        for (std::size_t i = from; i < to; ++i)
            numbers.push_back(Cols(file[i], 1, 7));
        matches = national.FindPlayersByNumber(numbers);
        for (std::size_t k = 0; k < numbers.size(); ++k) {
            // The matched register lines are far apart: fetched ahead of their use.
            if (k + 2 * kAhead < numbers.size() && matches[k + 2 * kAhead] != 0)
                registerLines.PrefetchStart(matches[k + 2 * kAhead]);
            if (k + kAhead < numbers.size() && matches[k + kAhead] != 0)
                registerLines.PrefetchLine(matches[k + kAhead]);
            const std::size_t i = from + k;
            const std::string_view line = file[i];
            const std::size_t n = i + 1;
            if (line.empty()) {
                listing.Errors.push_back("Blank line in File Line " + std::to_string(n));
                listing.Entries.PushBack(LineNumberText(n) + ". Blank Line in File.");
                continue;
            }
            // A points field that is not a whole number stops the listing at this line.
            std::string pointsText;
            if (!AddLinePoints(line, colours, listing, pointsText))
                return listing;
            if (matches[k] != 0)
                ListPlayer(listing, n, numbers[k], registerLines[matches[k]], pointsText);
            else
                ListUnknownNumber(listing, n, numbers[k], pointsText);
        }
    }
    return listing;
}

std::uint64_t MPListing::Total(MPColour colour) const {
    return colour == MPColour::Gold ? Gold : (colour == MPColour::Red ? Red : Green);
}

namespace {

std::string ColourLabel(const MPListing& listing, std::optional<MPColour> colour) {
    if (!colour)
        return {};
    return std::string(ColourName(*colour)) + " Master Points " +
           GeneralText(listing.Total(*colour));
}

} // namespace

std::string MPListing::FirstLabel() const {
    return ColourLabel(*this, ColoursOf(Type).First);
}

std::string MPListing::SecondLabel() const {
    return ColourLabel(*this, ColoursOf(Type).Second);
}

std::string MPListing::ErrorAreaText() const {
    return Errors.empty() ? "No File Errors" : "File Errors";
}

std::vector<std::string> MPListing::TotalLines() const {
    std::vector<std::string> lines;
    const MPTypeColours colours = ColoursOf(Type);
    for (std::optional<MPColour> colour : {colours.First, colours.Second})
        if (colour)
            lines.push_back(std::string("  Total ") + ColourName(*colour) + ": " +
                            GeneralText(Total(*colour)));
    return lines;
}

std::vector<std::string> MPListing::Report() const {
    std::vector<std::string> lines;
    lines.reserve(Entries.size());
    for (std::string_view entry : Entries)
        lines.emplace_back(entry);
    for (std::string& total : TotalLines())
        lines.push_back(std::move(total));
    return lines;
}

std::string MPListing::ReportText() const {
    const std::vector<std::string> totals = TotalLines();
    std::string text;
    text.reserve(Entries.Text().size() + 64 * totals.size());
    text = Entries.Text();
    for (const std::string& total : totals)
        text.append(total).append("\r\n");
    return text;
}

std::optional<std::filesystem::path> ReportPath(const std::filesystem::path& file) {
    std::filesystem::path report = file;
    report.replace_extension(".TXT");
    if (UpperAscii(PathText(report.filename())) == UpperAscii(PathText(file.filename())))
        return std::nullopt;
    return report;
}

namespace {

// "   1. ...": a line number right-justified in 4 characters, then ". ".
bool IsListingEntry(std::string_view line) {
    if (line.size() < 6 || line.substr(4, 2) != ". ")
        return false;
    const std::string_view number = TrimBlanks(line.substr(0, 4));
    return !number.empty() && line[3] != ' ' &&
           number.find_first_not_of("0123456789") == std::string_view::npos;
}

// "  Total Gold: 123.45" and the like.
bool IsTotalLine(std::string_view line) {
    for (const char* colour : kColourNames) {
        const std::string head = std::string("  Total ") + colour + ": ";
        if (line.size() > head.size() && line.substr(0, head.size()) == head)
            return line.find_first_not_of("0123456789.", head.size()) == std::string_view::npos;
    }
    return false;
}

} // namespace

bool IsMPReport(const LineList& lines) {
    for (std::size_t i = 0; i < lines.Count(); ++i)
        if (!IsListingEntry(lines[i]) && !IsTotalLine(lines[i]))
            return false;
    return true;
}

} // namespace mpsec

#include "core/FileReading.h"
#include "core/Files.h"

#include <new>

namespace mpsec {

std::string FileSizeText(std::uint64_t bytes) {
    constexpr std::uint64_t kMB = std::uint64_t{1} << 20;
    const bool megabytes = bytes >= kMB;
    const std::string digits = std::to_string(megabytes ? (bytes + kMB - 1) / kMB : bytes);
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text + (megabytes ? " MB" : " bytes");
}

std::string TooLargeReason(std::uint64_t size, std::uint64_t limit) {
    return "it is " + FileSizeText(size) + ", and the program reads masterpoint files of at most " +
           FileSizeText(limit);
}

Status ReadMPFile(const std::filesystem::path& path, LineList& out, std::uint64_t limit) {
    out.Clear();
    std::string bytes;
    std::optional<std::uint64_t> tooLarge;
    std::size_t got = 0;
    const Status read = ReadFileInto(
        path,
        [&](std::size_t size) -> char* {
            if (size > limit) {
                tooLarge = size;
                return nullptr;
            }
            try {
                // Room for the line end a line list adds after an unended last line.
                bytes.reserve(size + 1);
                bytes.resize(size);
            } catch (const std::bad_alloc&) {
                return nullptr; // said as the system's "Cannot allocate memory"
            }
            return bytes.data();
        },
        got);
    if (tooLarge)
        return Failure{TooLargeReason(*tooLarge, limit)};
    if (!read)
        return read;
    bytes.resize(got);
    out.Assign(std::move(bytes));
    return {};
}

std::string CannotReadMPFile(const std::filesystem::path& file, const Status& read) {
    return "Cannot read the masterpoint file " + PathText(file.filename()) + ": " + read.Message();
}

Result<std::filesystem::path> WriteMPReport(const std::filesystem::path& file,
                                            const MPListing& listing) {
    auto report = ReportPath(file);
    if (!report)
        return Failure{"The report was not written: its name " + PathText(file.filename()) +
                       " is the listed file's own name."};
    // Letter case does not matter: an earlier report named in another case is the one
    // replaced, and a federation file in another case is as precious as one named exactly.
    report = FindFileNoCase(report->parent_path(), PathText(report->filename()));
    std::error_code ec;
    if (std::filesystem::exists(std::filesystem::symlink_status(*report, ec))) {
        const std::string name = PathText(report->filename());
        LineList earlier;
        if (!ReadLines(*report, earlier))
            return Failure{"The report was not written: " + name +
                           " already exists and cannot be read, so it was kept."};
        if (!IsMPReport(earlier))
            return Failure{"The report was not written: " + name +
                           " already exists and is not an earlier report, so it was kept."};
    }
    if (Status written = WriteFileAtomically(*report, listing.ReportText()); !written)
        return Failure{"The report " + PathText(report->filename()) + " could not be written in " +
                       PathText(report->parent_path()) + ": " + written.Message() + "."};
    return *report;
}

} // namespace mpsec
