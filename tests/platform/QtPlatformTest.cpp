#include "platform/QtPlatform.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using namespace mpsec;

// The folder checks must see every folder the chooser shows before a file is picked: the one
// it opens in, a path typed into the name box, and the way back.
TEST(FileChooser, ReportsEveryFolderItShows) {
    test::TempFolder dir;
    dir.Write("old-scorer/a.MP1", "x");
    const QString top = QDir::cleanPath(QString::fromStdString(dir.Path().string()));
    const QString sub = top + "/old-scorer";
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));

    QStringList seen;
    OpenFileRequest request;
    request.Title = QStringLiteral("Select Masterpoint File");
    request.InitialFolder = top + "/";
    request.OnFolderChange = [&seen](const QString& folder) { seen << folder; };

    QTimer::singleShot(300, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(chooser);
        auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        name->setText(sub + "/");
        QTest::keyClick(name, Qt::Key_Return);
        QTimer::singleShot(200, chooser, [chooser, top] {
            chooser->setDirectory(top); // as Back or the sidebar do
            QTimer::singleShot(200, chooser, &QFileDialog::reject);
        });
    });
    EXPECT_TRUE(platform.ChooseOpenFiles(request).isEmpty());
    EXPECT_EQ(seen, (QStringList{top, sub, top}));
}

// The first start's folder chooser shows each folder's files, so the secretary sees which
// one holds National.TXT, and names its places whole.
TEST(FolderChooser, ShowsFilesAndWholePlaceNames) {
    test::TempFolder dir;
    dir.Write("mpsec-sample/National.TXT", "x");
    const QString sample = QString::fromStdString((dir / "mpsec-sample").string());
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));
    FolderRequest request;
    request.Title = QStringLiteral("Choose the folder that holds National.TXT");
    request.InitialFolder = sample;
    request.Sidebar = {sample};

    QTimer::singleShot(500, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(chooser);
        auto* files = chooser->findChild<QListView*>(QStringLiteral("listView"));
        ASSERT_TRUE(files);
        QStringList shown;
        for (int row = 0; row < files->model()->rowCount(files->rootIndex()); ++row)
            shown << files->model()->index(row, 0, files->rootIndex()).data().toString();
        EXPECT_EQ(shown, QStringList{"National.TXT"});
        auto* places = chooser->findChild<QListView*>(QStringLiteral("sidebar"));
        ASSERT_TRUE(places);
        const int last = places->model()->rowCount() - 1;
        const QModelIndex place = places->model()->index(last, 0);
        ASSERT_EQ(place.data().toString(), "mpsec-sample");
        EXPECT_GE(places->viewport()->width(),
                  places->visualRect(place).left() + places->iconSize().width() +
                      places->fontMetrics().horizontalAdvance(QStringLiteral("mpsec-sample")));
        chooser->reject();
    });
    EXPECT_TRUE(platform.ChooseFolder(request).isEmpty());
}

// Setup > Printer Setup only chooses the printer: its button says OK, not Print.
TEST(PrinterSetup, ItsButtonSaysOK) {
#if defined(_WIN32)
    GTEST_SKIP() << "Windows shows its own print dialog, whose buttons the program cannot name";
#endif
    test::TempFolder dir;
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));
    QString button;
    QTimer::singleShot(500, [&] {
        auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        ASSERT_TRUE(buttons);
        button = buttons->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    EXPECT_FALSE(platform.PrinterSetup(nullptr));
    EXPECT_EQ(button, "OK");
}

namespace {

// The text of each error box the platform shows while `work` runs, each closed with OK.
QStringList ErrorsShownBy(const std::function<void()>& work) {
    QStringList shown;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->text();
            box->accept();
        }
    });
    watch.start(100);
    work();
    return shown;
}

} // namespace

// A print that fails says why in words: a PDF that cannot be written names the file and
// the system's reason, for a composed page and for plain lines.
TEST(Printing, AFailedPrintSaysWhyInWords) {
    test::TempFolder dir;
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));
    const QString pdf = QString::fromStdString((dir / "missing" / "s.pdf").string());
    platform.Printer().setOutputFormat(QPrinter::PdfFormat);
    platform.Printer().setOutputFileName(pdf);
    ComposedDocument doc;
    doc.Texts.push_back({"Times New Roman", 10, false, 20, 20, false, "Statement", 0});
    EXPECT_EQ(ErrorsShownBy([&] { platform.PrintDocument(doc); }),
              QStringList{"Cannot write " + pdf + ": No such file or directory."});
    EXPECT_EQ(ErrorsShownBy([&] {
                  platform.PrintLines({"a line"}, QStringLiteral("Courier New"), 10, "List");
              }),
              QStringList{"Cannot write " + pdf + ": No such file or directory."});
}

// The box said after a file was written closes with Escape, as with OK, and does not open
// the folder.
TEST(WrittenMessage, EscapeClosesItWithoutShowingTheFolder) {
    QtPlatform platform;
    bool closed = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            QTest::keyClick(box, Qt::Key_Escape);
            closed = !box->isVisible();
            if (!closed)
                box->done(QMessageBox::Ok);
        }
    });
    watch.start(100);
    EXPECT_FALSE(platform.WrittenMessage(MessageKind::Information, "Appended Successfully",
                                         "/tmp/AWARDS.TXT"));
    EXPECT_TRUE(closed);
}
