#pragma once

namespace mpsec {

// Asks the system to back the program's main heap with large pages where it allows, and
// keeps national-size buffers on that heap. On this kind of machine every first touch of a
// small page costs a fault to the hypervisor: loading a national register and listing a
// national-size file then spends more time in page faults than in the work itself. With
// large pages the same memory takes a few hundred faults instead of tens of thousands.
// Called once, first thing in main, before any thread starts; does nothing where the C
// library or the system does not offer it.
void UseLargePageHeap();

} // namespace mpsec
