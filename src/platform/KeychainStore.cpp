#include "platform/KeychainStore.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace mpsec {

namespace {

constexpr const char* kService = "mpsec";

QString AccountKey(const std::string& host, const std::string& user) {
    return QString::fromStdString(user + "@" + host);
}

// How a job ended, as the waiting call sees it.
struct JobEnd {
    bool Answered = false;
    QKeychain::Error Error = QKeychain::NoError;
    QString Why;
    QString Text;
};

// Starts the job and waits for its answer, at most `timeoutMs`. The job deletes itself when
// it finishes, however late; the answer is taken only while this call waits.
JobEnd RunJob(QKeychain::Job* job, int timeoutMs) {
    JobEnd end;
    job->setAutoDelete(true);
    job->setInsecureFallback(false);
    if (!QCoreApplication::instance()) {
        delete job;
        end.Answered = true;
        end.Error = QKeychain::NoBackendAvailable;
        end.Why = QStringLiteral("the credential store needs the program's event loop");
        return end;
    }
    QEventLoop loop;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&end, &loop](QKeychain::Job* done) {
        end.Answered = true;
        end.Error = done->error();
        end.Why = done->errorString();
        if (auto* read = qobject_cast<QKeychain::ReadPasswordJob*>(done))
            end.Text = read->textData();
        loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    job->start();
    if (!end.Answered)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return end;
}

// A job that did not do its work, in the words the user reads.
Failure Why(const JobEnd& end, int timeoutMs) {
    if (!end.Answered)
        return Failure{"the system's credential store did not answer within " +
                       std::to_string((timeoutMs + 999) / 1000) + " seconds"};
    const std::string detail = end.Why.toStdString();
    switch (end.Error) {
    case QKeychain::AccessDeniedByUser:
        return Failure{"access to the system's credential store was refused"};
    case QKeychain::AccessDenied:
        return Failure{"the system's credential store refused access" +
                       (detail.empty() ? std::string() : " (" + detail + ")")};
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return Failure{"no credential store is available on this system" +
                       (detail.empty() ? std::string() : " (" + detail + ")")};
    default:
        return Failure{"the system's credential store cannot be reached" +
                       (detail.empty() ? std::string() : " (" + detail + ")")};
    }
}

} // namespace

Result<std::optional<std::string>> KeychainStore::ReadPassword(const std::string& host,
                                                               const std::string& user) {
    auto* job = new QKeychain::ReadPasswordJob(QString::fromLatin1(kService));
    job->setKey(AccountKey(host, user));
    const JobEnd end = RunJob(job, timeoutMs_);
    if (end.Answered && end.Error == QKeychain::EntryNotFound)
        return std::optional<std::string>();
    if (!end.Answered || end.Error != QKeychain::NoError)
        return Why(end, timeoutMs_);
    return std::optional<std::string>(end.Text.toStdString());
}

Status KeychainStore::WritePassword(const std::string& host, const std::string& user,
                                    const std::string& password) {
    auto* job = new QKeychain::WritePasswordJob(QString::fromLatin1(kService));
    job->setKey(AccountKey(host, user));
    job->setTextData(QString::fromStdString(password));
    const JobEnd end = RunJob(job, timeoutMs_);
    if (!end.Answered || end.Error != QKeychain::NoError)
        return Why(end, timeoutMs_);
    return {};
}

Status KeychainStore::ForgetPassword(const std::string& host, const std::string& user) {
    auto* job = new QKeychain::DeletePasswordJob(QString::fromLatin1(kService));
    job->setKey(AccountKey(host, user));
    const JobEnd end = RunJob(job, timeoutMs_);
    if (end.Answered && end.Error == QKeychain::EntryNotFound)
        return {};
    if (!end.Answered || end.Error != QKeychain::NoError)
        return Why(end, timeoutMs_);
    return {};
}

} // namespace mpsec
