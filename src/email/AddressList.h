#pragma once
#include "core/Result.h"

#include <cstddef>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mpsec {

// A line of the address list that gives no address, and why.
struct AddressProblem {
    std::size_t Line = 0; // counted from 1, where the record starts
    std::string Why;
    bool operator==(const AddressProblem&) const = default;
};

// The members' addresses, from a CSV file exported from the club's spreadsheet.
struct AddressList {
    std::map<std::string, std::string> ByNumber; // member number (no leading zeros) -> address
    std::vector<AddressProblem> Problems;
};

// Reads the list. The columns are found by a header row (one column holding "QMR" or
// "number", one holding "mail", in any letter case) or, without one, are the first two
// (number, address). Comma or semicolon separates the fields (whichever the first line
// uses more); fields may be quoted (RFC 4180: separators, line breaks and doubled quotes
// inside); UTF-8 with or without its mark, else Latin-1; CR LF or LF. Blank lines are
// skipped. Every unusable line is reported and the reading goes on: no number, no address,
// not an address, the same number twice with two addresses (the number is then left out).
AddressList ParseAddressList(std::string_view bytes);
Result<AddressList> ReadAddressList(const std::filesystem::path& path);

} // namespace mpsec
