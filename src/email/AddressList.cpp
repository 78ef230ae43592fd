#include "email/AddressList.h"

#include "core/AsciiText.h"
#include "core/FileReading.h"
#include "core/TextHelpers.h"
#include "email/EmailSettings.h"

#include <algorithm>

namespace mpsec {

namespace {

bool IsUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int more = c < 0x80         ? 0
                         : (c >> 5) == 6  ? 1
                         : (c >> 4) == 14 ? 2
                         : (c >> 3) == 30 ? 3
                                          : -1;
        if (more < 0 || i + more >= s.size())
            return false;
        for (int k = 1; k <= more; ++k)
            if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2)
                return false;
        i += more + 1;
    }
    return true;
}

struct Record {
    std::size_t Line;
    std::vector<std::string> Fields;
};

// Splits the text into records of fields; a quoted field may hold separators, line breaks
// and doubled quotes.
std::vector<Record> Records(std::string_view text, char separator) {
    std::vector<Record> records;
    std::size_t line = 1, i = 0;
    while (i < text.size()) {
        Record r{line, {}};
        std::string field;
        bool quoted = false, fieldQuoted = false;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (quoted) {
                if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else if (c == '"') {
                    quoted = false;
                } else {
                    if (c == '\n')
                        ++line;
                    field += c;
                }
            } else if (c == '"' && !fieldQuoted && TrimBlanks(field).empty()) {
                field.clear();
                quoted = fieldQuoted = true;
            } else if (c == separator) {
                r.Fields.push_back(std::move(field));
                field.clear();
                fieldQuoted = false;
            } else if (c == '\n') {
                ++i;
                break;
            } else if (c != '\r') {
                field += c;
            }
        }
        ++line;
        r.Fields.push_back(std::move(field));
        records.push_back(std::move(r));
    }
    return records;
}

// The number as the register holds it: digits without leading zeros; empty when it is not.
std::string MemberNumber(std::string_view text) {
    text = TrimBlanks(text);
    if (text.empty() || text.find_first_not_of("0123456789") != text.npos)
        return {};
    const std::size_t first = text.find_first_not_of('0');
    return first == text.npos ? std::string() : std::string(text.substr(first));
}

bool Holds(const std::string& field, std::string_view word) {
    return LowerAscii(field).find(word) != std::string::npos;
}

} // namespace

AddressList ParseAddressList(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    const std::string text = IsUtf8(bytes) ? std::string(bytes) : Latin1ToUtf8(bytes);

    // The separator: whichever the first line holds more of.
    const std::string_view first(text.data(), std::min(text.find('\n'), text.size()));
    const char separator =
        std::count(first.begin(), first.end(), ';') > std::count(first.begin(), first.end(), ',')
            ? ';'
            : ',';
    std::vector<Record> records = Records(text, separator);
    std::erase_if(records, [](const Record& r) {
        return r.Fields.size() == 1 && TrimBlanks(r.Fields[0]).empty();
    });

    std::size_t numberColumn = 0, mailColumn = 1;
    if (!records.empty()) {
        const std::vector<std::string>& head = records.front().Fields;
        std::size_t n = head.size(), m = head.size();
        for (std::size_t k = 0; k < head.size(); ++k) {
            if (n == head.size() && (Holds(head[k], "qmr") || Holds(head[k], "number")))
                n = k;
            else if (m == head.size() && Holds(head[k], "mail"))
                m = k;
        }
        if (n < head.size() && m < head.size()) {
            numberColumn = n;
            mailColumn = m;
            records.erase(records.begin());
        }
    }

    AddressList list;
    std::map<std::string, std::size_t> lineOf;
    std::map<std::string, bool> twice;
    for (const Record& r : records) {
        auto field = [&](std::size_t k) {
            return k < r.Fields.size() ? std::string(TrimBlanks(r.Fields[k])) : std::string();
        };
        const std::string rawNumber = field(numberColumn), address = field(mailColumn);
        const std::string number = MemberNumber(rawNumber);
        std::string why;
        if (number.empty())
            why = rawNumber.empty() ? "no member number"
                                    : "'" + rawNumber + "' is not a member number";
        else if (address.empty())
            why = "no address for member " + number;
        else if (!IsAddressShape(address))
            why = "'" + address + "' is not an e-mail address";
        else if (auto seen = list.ByNumber.find(number);
                 seen != list.ByNumber.end() || twice[number]) {
            if (twice[number] || !EqualNoCase(seen->second, address)) {
                why = "member " + number + " is given twice with two addresses (also on line " +
                      std::to_string(lineOf[number]) + "); no message goes to either";
                if (!twice[number])
                    list.ByNumber.erase(seen);
                twice[number] = true;
            }
        } else {
            list.ByNumber[number] = address;
            lineOf[number] = r.Line;
        }
        if (!why.empty())
            list.Problems.push_back({r.Line, why});
    }
    return list;
}

Result<AddressList> ReadAddressList(const std::filesystem::path& path) {
    std::string bytes;
    if (Status read = ReadFileBytes(path, bytes); !read)
        return Failure{"The address list " + PathText(path) + " cannot be read: " + read.Message()};
    return ParseAddressList(bytes);
}

} // namespace mpsec
