#pragma once

namespace mpsec {

// The three colours of masterpoints.
enum class MPColour { Gold, Red, Green };

} // namespace mpsec
