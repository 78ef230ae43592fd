#include "platform/QtSettingsStore.h"

#include <QDir>
#include <QVariant>

namespace mpsec {

QtSettingsStore::QtSettingsStore(const QString& key, const QString& iniFile) : key_(key) {
    // The user's registry on Windows (HKEY_CURRENT_USER\Software\mpsec\mpsec), a file in
    // the user's configuration folder elsewhere.
#if defined(Q_OS_WIN)
    constexpr QSettings::Format kUserFormat = QSettings::NativeFormat;
#else
    constexpr QSettings::Format kUserFormat = QSettings::IniFormat;
#endif
    if (iniFile.isEmpty())
        settings_ = std::make_unique<QSettings>(kUserFormat, QSettings::UserScope,
                                                QStringLiteral("mpsec"), QStringLiteral("mpsec"));
    else
        settings_ = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

std::optional<std::string> QtSettingsStore::ReadText(const std::string& name) {
    QVariant v = settings_->value(key_ + '/' + QString::fromStdString(name));
    if (!v.isValid() || v.typeId() == QMetaType::QStringList || !v.canConvert<QString>())
        return std::nullopt;
    return v.toString().toStdString();
}

void QtSettingsStore::WriteText(const std::string& name, const std::string& value) {
    settings_->setValue(key_ + '/' + QString::fromStdString(name), QString::fromStdString(value));
}

void QtSettingsStore::WriteInt(const std::string& name, int value) {
    settings_->setValue(key_ + '/' + QString::fromStdString(name), value);
}

Status QtSettingsStore::Save() {
    settings_->sync();
    const std::string where = QDir::toNativeSeparators(settings_->fileName()).toStdString();
    switch (settings_->status()) {
    case QSettings::NoError:
        return {};
    case QSettings::AccessError:
        return Failure{"Cannot save the settings in " + where +
                       ": it or its folder cannot be written."};
    case QSettings::FormatError:
        break;
    }
    return Failure{"Cannot save the settings in " + where + ": it is not a settings file."};
}

} // namespace mpsec
