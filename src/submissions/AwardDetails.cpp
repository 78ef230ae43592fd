#include "submissions/AwardDetails.h"

#include "submissions/SubmissionFiles.h"

namespace mpsec {

bool AwardDetailsComplete(const AwardDetailsFields& f) {
    for (const std::string* field : {&f.ClubNo, &f.RequestedBy, &f.Description, &f.Month,
                                     &f.EventType, &f.FileName, &f.Points})
        if (field->empty())
            return false;
    return true;
}

std::string AwardDetailsLine(const AwardDetailsFields& f) {
    std::string line = ClubLine(f.ClubNo) + ",";
    for (const std::string* field :
         {&f.RequestedBy, &f.Description, &f.Month, &f.EventType, &f.FileName, &f.Points})
        line += *field + ",";
    return line;
}

} // namespace mpsec
