#include "ui/RunPassword.h"

namespace mpsec {

std::optional<std::string> RunPassword(Platform& platform, const EmailSettings& settings) {
    CredentialStore& store = platform.Credentials();
    const Result<std::optional<std::string>> kept =
        store.ReadPassword(settings.Host, settings.User);
    if (kept && kept->has_value())
        return **kept;
    const QString account =
        QString::fromStdString(settings.User) + " at " + QString::fromStdString(settings.Host);
    QString text = "Password of " + account + ":";
    if (!kept)
        text = "The password cannot be kept: " + QString::fromStdString(kept.Message()) +
               ".\nIt is asked for this run only.\n\n" + text;
    const std::optional<QString> typed = platform.AskPassword(text);
    if (!typed)
        return std::nullopt;
    const std::string password = typed->toStdString();
    if (kept) {
        if (Status written = store.WritePassword(settings.Host, settings.User, password); !written)
            platform.Error(
                "The password of " + account + " could not be kept in the credential store: " +
                QString::fromStdString(written.Message()) + ".\nIt serves this run only.");
    }
    return password;
}

} // namespace mpsec
