#pragma once
#include "core/Result.h"

#include <optional>
#include <string>

namespace mpsec {

// The per-user settings key: named values read as text (absent, or of a kind that is not
// text, reads as nothing) and written as text or as 32-bit integers.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> ReadText(const std::string& name) = 0;
    virtual void WriteText(const std::string& name, const std::string& value) = 0;
    virtual void WriteInt(const std::string& name, int value) = 0;
    // Puts what was written where it lasts; why not, when it cannot be kept.
    virtual Status Save() { return {}; }
};

} // namespace mpsec
