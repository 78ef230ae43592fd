#include "mpfiles/MPMerge.h"
#include "core/TextHelpers.h"

#include "core/FileReading.h"
#include "core/Files.h"
#include "core/LineList.h"
#include "mpfiles/OldExtensions.h"

#include <cstring>

namespace fs = std::filesystem;

namespace mpsec {

namespace {

constexpr char kCtrlZ = '\x1a';
// Merged text is written in blocks of about this size.
constexpr std::size_t kBlock = 1 << 20;

} // namespace

std::string MPTypeExtension(MPType type) {
    if (type == MPType::None)
        return {};
    return kMPExtensions[static_cast<std::size_t>(type) - 1].NewExtension;
}

std::string MPTypeFilter(MPType type) {
    return "QMR Master Point Files|*" + MPTypeExtension(type);
}

char QuarterDigit(int month) {
    return static_cast<char>('1' + (month - 1) / 3);
}

fs::path DefaultMergeName(const fs::path& programFolder, std::string_view lastClubNo,
                          const CivilDate& today, MPType type) {
    std::string name(lastClubNo);
    name += QuarterDigit(today.Month);
    name += FormatDate("yy", today);
    name += MPTypeExtension(type);
    return programFolder / PathFromText(name);
}

std::optional<std::string_view> MergedLine(std::string_view line, std::string& scratch) {
    if (line.empty())
        return std::nullopt;
    const std::size_t ctrlZ = line.find(kCtrlZ);
    if (ctrlZ == std::string_view::npos)
        return line;
    scratch.assign(line.substr(0, ctrlZ));
    scratch.append(line.substr(ctrlZ + 1));
    return std::string_view(scratch);
}

std::string MergeOverwriteQuestion(std::string_view outputName) {
    return std::string(outputName) +
           " has been found. Do you wish to OVERWRITE and lose the data it contains? ";
}

namespace {

Status CannotRead(const fs::path& input, const Status& read) {
    return Failure{CannotReadMPFile(input, read)};
}

} // namespace

Status CheckMergeInputs(const std::vector<fs::path>& inputs, std::uint64_t limit) {
    for (const fs::path& input : inputs) {
        OpenedFile file;
        if (Status opened = file.Open(input); !opened)
            return CannotRead(input, opened);
        std::error_code ec;
        const std::uintmax_t size = fs::file_size(input, ec);
        if (!ec && size > limit)
            return CannotRead(input, Failure{TooLargeReason(size, limit)});
    }
    return {};
}

Status MergeMPFiles(const std::vector<fs::path>& inputs, const fs::path& output,
                    std::uint64_t limit) {
    FileReplacement merged(output, kMergeTemporaryName);
    if (Status opened = merged.Open(); !opened)
        return Failure{"Cannot write " + PathText(output.filename()) + ": " + opened.Message()};
    std::string block, scratch;
    block.reserve(kBlock + 4096);
    LineList lines;
    for (const fs::path& input : inputs) {
        if (Status read = ReadMPFile(input, lines, limit); !read)
            return CannotRead(input, read);
        for (std::size_t i = 0; i < lines.Count(); ++i) {
            const std::string_view line = lines[i];
            if (!line.empty() && line.front() == kCtrlZ)
                break;
            const std::optional<std::string_view> kept = MergedLine(line, scratch);
            if (!kept)
                continue;
            block += *kept;
            block += "\r\n";
            if (block.size() >= kBlock) {
                if (Status written = merged.Write(block); !written)
                    return Failure{"Cannot write " + PathText(output.filename()) + ": " +
                                   written.Message()};
                block.clear();
            }
        }
        lines.Clear();
    }
    Status done = merged.Write(block);
    if (done)
        done = merged.Commit();
    if (!done)
        return Failure{"Cannot write " + PathText(output.filename()) + ": " + done.Message()};
    return {};
}

} // namespace mpsec
