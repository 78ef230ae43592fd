#include "platform/QtPlatform.h"
#include "support/TempFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
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
