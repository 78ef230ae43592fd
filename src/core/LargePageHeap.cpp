#include "core/LargePageHeap.h"

#include <cstdint>
#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace mpsec {

void UseLargePageHeap() {
#if defined(__GLIBC__) && defined(MADV_HUGEPAGE)
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    // The heap's room, asked for at once: address space only, a page costs memory when it
    // is first written. Later growth of the heap would not share the advice.
    constexpr std::size_t kRoom = std::size_t{128} << 20;
    mallopt(M_TOP_PAD, static_cast<int>(kRoom));
    // Blocks of a national-size file (tens of megabytes) on the heap too, where the C library
    // would give each its own mapping in small pages. Freed memory is kept for the next, up
    // to the room: what the heap holds beyond it is given back.
    mallopt(M_MMAP_THRESHOLD, static_cast<int>(kRoom / 2));
    mallopt(M_TRIM_THRESHOLD, static_cast<int>(kRoom));
    // A block larger than what the heap has left makes it grow now, by the room asked for.
    void* first = std::malloc(kLargePage);
    const auto start = reinterpret_cast<std::uintptr_t>(first);
    const auto end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    const std::uintptr_t from = (start + kLargePage - 1) / kLargePage * kLargePage;
    const std::uintptr_t to = end / kLargePage * kLargePage;
    if (first && end != static_cast<std::uintptr_t>(-1) && to > from)
        madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
    std::free(first);
#endif
}

} // namespace mpsec
