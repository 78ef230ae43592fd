#include "register/StatusLine.h"

namespace mpsec {

std::string DateLabelText(const CivilDate& today) {
    return " " + FormatDate("dddd mmmm dd yyyy", today);
}

std::string NationalLabelText(const std::optional<CivilDate>& fileDate) {
    return "Using NATIONAL.TXT file dated: " +
           FormatDate("mmmm dd yyyy", fileDate.value_or(CivilDate{}));
}

} // namespace mpsec
