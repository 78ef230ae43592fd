#include "submissions/AwardAdjustment.h"

#include "core/TextHelpers.h"
#include "submissions/SubmissionFiles.h"

namespace mpsec {

bool AwardAdjustmentComplete(const AwardAdjustmentFields& f) {
    for (const std::string* field :
         {&f.ClubNo, &f.AuthorisedBy, &f.Code, &f.Quarter, &f.Year, &f.DeductFrom, &f.AddTo})
        if (field->empty())
            return false;
    return !f.Gold.empty() || !f.Red.empty() || !f.Green.empty();
}

std::string ReportedAt(const std::string& quarter, const std::string& year) {
    return quarter.substr(0, 1) + year;
}

std::vector<std::string> AwardAdjustmentBlock(const AwardAdjustmentFields& f,
                                              const CivilDate& date) {
    auto line = [](const char* label, const std::string& value) {
        return PadRight(label, 19, ' ') + value;
    };
    return {
        line("DATE:", FormatDate("dd/mm/yy", date, '-')),
        line("REQUESTED BY CLUB:", ClubLine(f.ClubNo)),
        line("AUTHORIZED BY:", f.AuthorisedBy),
        line("EVENT CODE:", f.Code),
        line("REPORTED AT:", ReportedAt(f.Quarter, f.Year)),
        line("DEDUCT FROM QMR#:", f.DeductFrom),
        line("ADD TO QMR#:", f.AddTo),
        line("GOLD POINTS:", f.Gold),
        line("RED POINTS:", f.Red),
        line("GREEN POINTS:", f.Green),
        "",
    };
}

std::vector<std::string> ReportedYears(int currentYear) {
    std::vector<std::string> years;
    for (int year = 1997; year <= 2005 || year <= currentYear; ++year)
        years.push_back(FormatDate("yy", CivilDate{year, 1, 1}));
    return years;
}

} // namespace mpsec
