#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// One row of comma-separated values: a field holding a comma, a double quote, a CR or an
// LF is put in double quotes with its quotes doubled; the row ends in CR LF.
inline std::string CsvRow(const std::vector<std::string>& fields) {
    std::string row;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += ',';
        const std::string& f = fields[i];
        if (f.find_first_of(",\"\r\n") == std::string::npos) {
            row += f;
            continue;
        }
        row += '"';
        for (char c : f) {
            if (c == '"')
                row += '"';
            row += c;
        }
        row += '"';
    }
    return row + "\r\n";
}

} // namespace mpsec
