#include "register/PlayerRegister.h"

namespace mpsec {

// The register holds the given name cut to its first five letters.
const GivenNameCorrection& ShippedGivenNameCorrection() {
    static const GivenNameCorrection correction{"VANDERKOLK", "MARIE", "MARIE-THERES"};
    return correction;
}

} // namespace mpsec
