#include "platform/QtPlatform.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListView>
#include <QTest>
#include <QTimer>
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
