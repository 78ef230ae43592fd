#pragma once
#include "core/Dates.h"

#include <string>
#include <vector>

namespace mpsec {

// An application to move points reported under one player number to another, appended to
// AAAFORM.TXT.
struct AwardAdjustmentFields {
    std::string ClubNo;
    std::string AuthorisedBy;
    std::string Code;
    std::string Quarter;
    std::string Year;
    std::string DeductFrom;
    std::string AddTo;
    std::string Gold;
    std::string Red;
    std::string Green;
};

// Every field but the points is needed, and points of at least one colour; only emptiness
// is tested.
bool AwardAdjustmentComplete(const AwardAdjustmentFields& fields);

// When the points were reported: the quarter's first character and the year ("3rd" and
// "05" give 305).
std::string ReportedAt(const std::string& quarter, const std::string& year);

// The eleven lines of an application made on `date` (written dd-mm-yy), the empty line
// that ends it included. Every label takes 19 columns, so the values line up.
std::vector<std::string> AwardAdjustmentBlock(const AwardAdjustmentFields& fields,
                                              const CivilDate& date);

// The years offered for "reported": 97 to 05 as the federation has always listed them, then
// every year after 2005 up to the current one, two digits each.
std::vector<std::string> ReportedYears(int currentYear);

} // namespace mpsec
