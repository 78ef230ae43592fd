#include "platform/KeychainStore.h"
#include "support/FakePlatform.h"
#include "ui/RunPassword.h"

#include <QByteArray>
#include <gtest/gtest.h>

using namespace mpsec;

namespace {

// The fake desktop with the system's credential store in place of its own.
struct PlatformWithKeychain : FakePlatform {
    KeychainStore Store;
    CredentialStore& Credentials() override { return Store; }
};

// A session bus address that leads nowhere, for the life of a test.
class NoSessionBus {
  public:
    NoSessionBus() : before_(qgetenv("DBUS_SESSION_BUS_ADDRESS")) {
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/mpsec-test-bus");
    }
    ~NoSessionBus() {
        if (before_.isEmpty())
            qunsetenv("DBUS_SESSION_BUS_ADDRESS");
        else
            qputenv("DBUS_SESSION_BUS_ADDRESS", before_);
    }
    NoSessionBus(const NoSessionBus&) = delete;
    NoSessionBus& operator=(const NoSessionBus&) = delete;

  private:
    QByteArray before_;
};

} // namespace

// Without a session bus (a server, CI) no store answers: each call says why, and a run's
// password is asked for with that reason and kept nowhere.
TEST(KeychainStore, WithoutASessionBusEachCallSaysWhy) {
#if defined(_WIN32)
    GTEST_SKIP() << "the Credential Manager needs no session bus";
#else
    NoSessionBus noBus;
    KeychainStore store;
    const std::string why = "the system's credential store cannot be reached";
    const Result<std::optional<std::string>> read = store.ReadPassword("mail.example.org", "sue");
    ASSERT_FALSE(read);
    EXPECT_EQ(read.Message().substr(0, why.size()), why) << read.Message();
    const Status written = store.WritePassword("mail.example.org", "sue", "secret");
    ASSERT_FALSE(written);
    EXPECT_EQ(written.Message().substr(0, why.size()), why) << written.Message();
    EXPECT_FALSE(store.ForgetPassword("mail.example.org", "sue"));

    PlatformWithKeychain platform;
    EmailSettings settings;
    settings.Host = "mail.example.org";
    settings.User = "sue";
    platform.ExpectPassword(
        "The password cannot be kept: " + QString::fromStdString(read.Message()) +
            ".\nIt is asked for this run only.\n\n"
            "Password of sue at mail.example.org:",
        QStringLiteral("typed"));
    EXPECT_EQ(RunPassword(platform, settings), std::optional<std::string>("typed"));
    EXPECT_EQ(platform.Shown().size(), 1); // the box, and no error of a failed write
#endif
}

// Where a store answers (the Credential Manager under wine, a desktop's keyring), a password
// with a letter beyond ASCII comes back as written, and is gone once forgotten.
TEST(KeychainStore, KeepsReadsAndForgetsAPassword) {
    KeychainStore store;
    const std::string host = "mpsec-test.invalid", user = "s\xC3\xBC"
                                                          "e";
    const Result<std::optional<std::string>> before = store.ReadPassword(host, user);
    if (!before)
        GTEST_SKIP() << "no credential store answers here: " << before.Message();
    const std::string password = "p\xC3\xA4ss w0rd";
    ASSERT_TRUE(store.WritePassword(host, user, password));
    const Result<std::optional<std::string>> read = store.ReadPassword(host, user);
    ASSERT_TRUE(read) << read.Message();
    EXPECT_EQ(*read, std::optional<std::string>(password));
    EXPECT_EQ(*store.ReadPassword(host, "someone else"), std::nullopt);
    ASSERT_TRUE(store.ForgetPassword(host, user));
    const Result<std::optional<std::string>> after = store.ReadPassword(host, user);
    ASSERT_TRUE(after) << after.Message();
    EXPECT_EQ(*after, std::nullopt);
}
