#pragma once
#include "core/SettingsStore.h"

#include <map>
#include <optional>
#include <string>

namespace mpsec {

// Settings kept in memory, for a test; saving fails when the test says so.
class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::string> ReadText(const std::string& name) override {
        auto it = Values.find(name);
        if (it == Values.end())
            return std::nullopt;
        return it->second;
    }
    void WriteText(const std::string& name, const std::string& value) override {
        Values[name] = value;
    }
    void WriteInt(const std::string& name, int value) override {
        Values[name] = std::to_string(value);
    }
    Status Save() override {
        if (SaveFailure)
            return Failure{*SaveFailure};
        return {};
    }
    std::map<std::string, std::string> Values;
    // Why saving fails, when a test makes it fail.
    std::optional<std::string> SaveFailure;
};

} // namespace mpsec
