#include "app/DataFolderStart.h"
#include "app/MainWindow.h"
#include "app/ProgramWindows.h"
#include "cli/Cli.h"
#include "cli/DataFolderOption.h"
#include "core/LargePageHeap.h"
#include "core/ProgramInfo.h"
#include "core/Settings.h"
#include "core/SystemCalls.h"
#include "core/TextHelpers.h"
#include "platform/KeychainStore.h"
#include "platform/Paths.h"
#include "platform/QtPlatform.h"
#include "platform/QtSettingsStore.h"
#include "print/PageRenderer.h"
#include "ui/AppState.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QStandardPaths>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <memory>

namespace {

bool HasDisplay() {
#if defined(_WIN32)
    return true; // Windows always has its desktop
#endif
    auto set = [](const char* name) {
        const std::optional<std::string> v = mpsec::os::EnvironmentValue(name);
        return v && !v->empty();
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// The credential store for a command: the system's, with the (screenless) application its
// jobs wait in made on first use.
class CommandCredentials : public mpsec::CredentialStore {
  public:
    explicit CommandCredentials(std::function<void()> needApplication)
        : needApplication_(std::move(needApplication)) {}
    mpsec::Result<std::optional<std::string>> ReadPassword(const std::string& host,
                                                           const std::string& user) override {
        needApplication_();
        return store_.ReadPassword(host, user);
    }
    mpsec::Status WritePassword(const std::string& host, const std::string& user,
                                const std::string& password) override {
        needApplication_();
        return store_.WritePassword(host, user, password);
    }
    mpsec::Status ForgetPassword(const std::string& host, const std::string& user) override {
        needApplication_();
        return store_.ForgetPassword(host, user);
    }

  private:
    std::function<void()> needApplication_;
    mpsec::KeychainStore store_;
};

// A headless command: its exit status.
int RunCommand(int& argc, char** argv, const std::vector<std::string>& args) {
    // PDF pages are drawn with Qt's painter, and the credential store's answers come through
    // its event loop: both need a (screenless) application, made once when first needed.
    std::unique_ptr<QGuiApplication> gui;
    auto needApplication = [&] {
        if (!gui) {
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            gui = std::make_unique<QGuiApplication>(argc, argv);
        }
    };
    auto writePdf = [&](const mpsec::ComposedDocument& document, const std::string& path) {
        needApplication();
        return mpsec::WriteDocumentPdf(document, mpsec::PathFromText(path));
    };
    mpsec::QtSettingsStore settings(QString::fromLatin1(mpsec::kSettingsKey));
    CommandCredentials credentials(needApplication);
    return mpsec::RunCommandLine(args, std::cout, std::cerr, writePdf, &settings, &credentials);
}

// The folders the secretary's data folder is looked for in: the one named, or the one mpsec
// is started in when it holds the registers, or the one used last, or the one the user
// chooses. Each is taken whole once here; every file is then named from the data folder,
// none through the process's current folder.
mpsec::StartFolders DataFolderPlaces(const std::optional<std::string>& folderArgument,
                                     mpsec::QtPlatform& platform) {
    mpsec::StartFolders folders;
    if (folderArgument)
        folders.Argument = mpsec::WholePath(mpsec::PathFromText(*folderArgument));
    if (std::filesystem::path start; mpsec::os::CurrentFolder(start) == 0)
        folders.Start = mpsec::WholePath(start); // else unknown: the folder is asked for
    folders.Remembered = mpsec::ReadSettings(platform.Settings(), {}).DataFolder;
#if defined(_WIN32)
    // Installed beside mpsec.exe; its copy goes to the user's Documents folder.
    folders.InstalledSample = mpsec::WholePath(
        mpsec::PathFromQString(QCoreApplication::applicationDirPath() + "/sample"));
    folders.Home = mpsec::WholePath(mpsec::PathFromQString(
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
#else
    folders.InstalledSample = mpsec::WholePath(
        mpsec::PathFromQString(QCoreApplication::applicationDirPath() + "/../share/mpsec/sample"));
    folders.Home = mpsec::WholePath(mpsec::PathFromQString(QDir::homePath()));
#endif
    return folders;
}

// The main window on the data folder, until it is closed: the exit status.
int RunMainWindow(int& argc, char** argv, const std::optional<std::string>& folderArgument) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mpsec::kApplicationTitle));
    mpsec::LoadProgramResources();

    mpsec::QtPlatform platform;
    mpsec::AppState state;
    state.DataFolder = mpsec::WholePath(
        mpsec::FindDataFolder(DataFolderPlaces(folderArgument, platform), platform));
    state.ProgramFolder = state.DataFolder;
    mpsec::MainWindow mainWin(state, platform);

    mpsec::ProgramWindows windows(state, platform, mainWin);

    mainWin.showMaximized();

    // For the smoke test: report what started, then close as a user would.
    if (int ms = qEnvironmentVariableIntValue("MPSEC_SMOKE_QUIT_MS"); ms > 0) {
        QTimer::singleShot(ms, &mainWin, [&] {
            std::cout << mainWin.windowTitle().toStdString() << "\n"
                      << "players: " << state.National.NumberIndexCount() << "\n"
                      << mainWin.registerDateLabel()->text().toStdString() << "\n";
            mainWin.close();
        });
    }
    return app.exec();
}

} // namespace

int main(int argc, char** argv) {
    mpsec::UseLargePageHeap();
    const std::vector<std::string> args = mpsec::os::Arguments(argc, argv);
    mpsec::os::PrepareConsole(!mpsec::IsCommandLine(args));
    if (mpsec::IsCommandLine(args))
        return RunCommand(argc, argv, args);

    const std::optional<std::string> folderArgument = mpsec::MainWindowFolder(args);
    if (folderArgument) {
        if (mpsec::Status folder = mpsec::CheckDataFolder(*folderArgument); !folder) {
            std::cerr << folder.Message() << "\n";
            return 2;
        }
    }
    if (!HasDisplay()) {
        std::cerr
            << "mpsec: no display found (DISPLAY is not set), so the main window cannot open.\n"
               "Run it on a desktop, or on a virtual display:  xvfb-run -a mpsec\n"
               "Headless commands work without a display: mpsec --help\n";
        return 1;
    }
    return RunMainWindow(argc, argv, folderArgument);
}
