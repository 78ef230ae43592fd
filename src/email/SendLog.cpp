#include "email/SendLog.h"

#include "core/FileReading.h"
#include "core/Files.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"

#include <vector>

namespace mpsec {

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

Result<std::map<std::string, std::string>> SendLog::SentTo(std::string_view club,
                                                           std::string_view year) const {
    std::map<std::string, std::string> sent;
    if (os::EntryAt(path_) == os::Entry::None)
        return sent;
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
        std::vector<std::string_view> fields;
        for (std::size_t from = 0;;) {
            const std::size_t tab = line.find('\t', from);
            fields.push_back(line.substr(from, tab - from));
            if (tab == std::string_view::npos)
                break;
            from = tab + 1;
        }
        if (fields.size() >= 5 && fields[1] == club && fields[2] == year)
            sent[std::string(fields[3])] = std::string(fields[4]);
    }
    return sent;
}

Status SendLog::Record(const std::string& when, std::string_view club, std::string_view year,
                       std::string_view number, std::string_view address,
                       std::string_view reply) const {
    const std::string line = Field(when) + "\t" + Field(club) + "\t" + Field(year) + "\t" +
                             Field(number) + "\t" + Field(address) + "\t" + Field(reply) + "\r\n";
    if (Status appended = AppendToFile(path_, line); !appended)
        return Failure{"The send log " + PathText(path_) +
                       " cannot be written: " + appended.Message()};
    return {};
}

} // namespace mpsec
