#include "app/About.h"
#include "app/AppState.h"
#include "app/MainWin.h"
#include "app/Startup.h"
#include "app/uMPWarning.h"
#include "cli/Cli.h"
#include "enquiries/uClubMP.h"
#include "enquiries/viewplayer.h"
#include "mpfiles/uViewMP.h"
#include "platform/QtPlatform.h"
#include "print/PageRenderer.h"
#include "statements/uAwardStatement.h"
#include "statements/uPrintAllAwards.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QTimer>
#include <cstdlib>
#include <iostream>
#include <memory>

namespace {

bool HasDisplay() {
    auto set = [](const char* name) {
        const char* v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    if (mpsec::IsCommandLine(args)) {
        // PDF pages are drawn with Qt's painter, which needs a (screenless) application.
        std::unique_ptr<QGuiApplication> gui;
        auto writePdf = [&](const mpsec::ComposedDocument& document, const std::string& path) {
            if (!gui) {
                if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                    qputenv("QT_QPA_PLATFORM", "offscreen");
                gui = std::make_unique<QGuiApplication>(argc, argv);
            }
            return mpsec::WriteDocumentPdf(document, QString::fromStdString(path));
        };
        return mpsec::RunCommandLine(args, std::cout, std::cerr, writePdf);
    }

    if (!HasDisplay()) {
        std::cerr
            << "mpsec: no display found (DISPLAY is not set), so the main window cannot open.\n"
               "Run it on a desktop, or on a virtual display:  xvfb-run -a mpsec\n"
               "Headless commands work without a display: mpsec --help\n";
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(mpsec::kApplicationTitle));
    Q_INIT_RESOURCE(mpsec);

    mpsec::QtPlatform platform;
    mpsec::AppState state;
    mpsec::TMainWin mainWin(state, platform);

    // Every window is created once, in this order, and reused.
    mpsec::DialogSet dialogs;
    mpsec::TViewDlg view(state, platform, &mainWin);
    dialogs.View = &view;
    mpsec::TAboutBox about(&mainWin);
    dialogs.About = &about;
    mpsec::TClubMPDlg clubs(&mainWin);
    dialogs.ClubMP = &clubs;
    state.GetClubDescription = [&clubs](std::string_view code) {
        return clubs.GetClubDescription(code);
    };
    // The warning is made last of all the windows, but the viewer needs it from the start.
    auto mpWarning = std::make_unique<mpsec::TMPWarningDlg>(state, &mainWin);
    mpsec::TViewMPDlg viewMP(state, platform, *mpWarning, &mainWin);
    dialogs.ShowViewMP = [&](const QString& file) {
        viewMP.SetChosenFile(file);
        platform.RunModal(viewMP);
    };
    mpsec::TAwardStatementDlg statement(state, platform, &mainWin);
    dialogs.AwardStatement = &statement;
    mpsec::TPrintAllAwardsDlg printAll(state, platform, statement, &mainWin);
    dialogs.PrintAllAwards = &printAll;
    dialogs.MPWarning = mpWarning.get();
    mainWin.AttachDialogs(dialogs);

    mainWin.showMaximized();

    // For the smoke test: report what started, then close as a user would.
    if (int ms = qEnvironmentVariableIntValue("MPSEC_SMOKE_QUIT_MS"); ms > 0) {
        QTimer::singleShot(ms, &mainWin, [&] {
            std::cout << mainWin.windowTitle().toStdString() << "\n"
                      << "players: " << state.National.NumberIndexCount() << "\n"
                      << mainWin.NationalTextLbl->text().toStdString() << "\n";
            mainWin.close();
        });
    }
    return app.exec();
}
