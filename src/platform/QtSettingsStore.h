#pragma once
#include "core/SettingsStore.h"

#include <QSettings>
#include <memory>

namespace mpsec {

// The settings key in the user's own QSettings store (or in the given file, for tests).
class QtSettingsStore : public SettingsStore {
  public:
    QtSettingsStore(const QString& key, const QString& iniFile = {});
    std::optional<std::string> ReadText(const std::string& name) override;
    void WriteText(const std::string& name, const std::string& value) override;
    void WriteInt(const std::string& name, int value) override;
    Status Save() override;
    QSettings& Backing() { return *settings_; }

  private:
    std::unique_ptr<QSettings> settings_;
    QString key_;
};

} // namespace mpsec
