#include "core/LargePageHeap.h"

#include "core/SystemCalls.h"

namespace mpsec {

void UseLargePageHeap() {
    os::TuneHeapForLargePages();
}

} // namespace mpsec
