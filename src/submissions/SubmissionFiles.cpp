#include "submissions/SubmissionFiles.h"

namespace mpsec {

std::string CannotDeleteSubmissionMessage(const SubmissionFile& file) {
    return std::string("Cannot delete ") + file.FileName +
           ". Nothing has been changed; close any program using it and try again.";
}

} // namespace mpsec
