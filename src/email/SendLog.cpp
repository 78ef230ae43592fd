#include "email/SendLog.h"

#include "core/FileReading.h"
#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <vector>

namespace mpsec {

std::string SendLogTimeNow() {
    const std::tm local = os::LocalTime(std::time(nullptr));
    char text[96];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return text;
}

namespace {

// A field holds no tab and no line break.
std::string Field(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return out;
}

} // namespace

// The second field of a line of files sent to the federation, where a statement's line has
// its club number.
constexpr const char* kFederationMark = "federation";

Result<std::vector<std::vector<std::string>>> SendLog::Lines() const {
    std::vector<std::vector<std::string>> lines;
    if (os::EntryAt(path_) == os::Entry::None)
        return lines;
    std::string bytes;
    if (Status read = ReadFileBytes(path_, bytes); !read)
        return Failure{"The send log " + PathText(path_) + " cannot be read: " + read.Message()};
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string_view line(bytes.data() + start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string>& fields = lines.emplace_back();
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            fields.emplace_back(line.substr(from, tab - from));
            if (tab == std::string_view::npos)
                break;
            from = tab + 1;
        }
    }
    return lines;
}

Status SendLog::Append(const std::string& line) const {
    if (Status appended = AppendToFile(path_, line); !appended)
        return Failure{"The send log " + PathText(path_) +
                       " cannot be written: " + appended.Message()};
    return {};
}

Result<std::map<std::string, std::string>> SendLog::SentTo(std::string_view club,
                                                           std::string_view year) const {
    const auto lines = Lines();
    if (!lines)
        return Failure{lines.Message()};
    std::map<std::string, std::string> sent;
    for (const std::vector<std::string>& fields : *lines)
        if (fields.size() >= 5 && fields[1] == club && fields[2] == year)
            sent[fields[3]] = fields[4];
    return sent;
}

Status SendLog::Record(const std::string& when, std::string_view club, std::string_view year,
                       std::string_view number, std::string_view address,
                       std::string_view reply) const {
    return Append(Field(when) + "\t" + Field(club) + "\t" + Field(year) + "\t" + Field(number) +
                  "\t" + Field(address) + "\t" + Field(reply) + "\r\n");
}

Result<std::vector<FederationRecord>> SendLog::FederationSent(std::string_view kind) const {
    const auto lines = Lines();
    if (!lines)
        return Failure{lines.Message()};
    std::vector<FederationRecord> records;
    for (const std::vector<std::string>& fields : *lines) {
        if (fields.size() < 5 || fields[1] != kFederationMark || fields[2] != kind ||
            (fields.size() - 5) % 3 != 0)
            continue;
        FederationRecord record{fields[0], fields[2], fields[3], {}};
        for (std::size_t i = 5; i < fields.size(); i += 3) {
            const std::string& size = fields[i + 1];
            std::uint64_t bytes = 0;
            auto [end, ec] = std::from_chars(size.data(), size.data() + size.size(), bytes);
            if (ec != std::errc() || end != size.data() + size.size())
                break;
            record.Files.push_back({fields[i], bytes, fields[i + 2]});
        }
        if (record.Files.size() == (fields.size() - 5) / 3)
            records.push_back(std::move(record));
    }
    return records;
}

Status SendLog::RecordFederation(const std::string& when, std::string_view kind,
                                 std::string_view address, std::string_view reply,
                                 const std::vector<LoggedFile>& files) const {
    std::string line = Field(when) + "\t" + kFederationMark + "\t" + Field(kind) + "\t" +
                       Field(address) + "\t" + Field(reply);
    for (const LoggedFile& file : files)
        line +=
            "\t" + Field(file.Name) + "\t" + std::to_string(file.Size) + "\t" + Field(file.Sha256);
    return Append(line + "\r\n");
}

} // namespace mpsec
