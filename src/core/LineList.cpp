#include "core/LineList.h"

namespace mpsec {

void LineList::Clear() {
    text_.clear();
    text_.shrink_to_fit();
    starts_.clear();
    starts_.shrink_to_fit();
}

} // namespace mpsec
