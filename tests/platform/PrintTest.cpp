#include "platform/QtPlatform.h"
#include "support/TempFolder.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace mpsec;

// Plain-text printing to a PDF a person can read: every line, page after page.
TEST(Print, LinesBecomePdfPages) {
    test::TempFolder dir;
    const QString pdf = QString::fromStdString((dir / "listing.pdf").string());
    QtPlatform platform(QString::fromStdString((dir / "settings.ini").string()));
    platform.Printer().setOutputFormat(QPrinter::PdfFormat);
    platform.Printer().setOutputFileName(pdf);
    QStringList lines;
    for (int i = 1; i <= 150; ++i)
        lines << QString("%1. 0012345 KARVEL ANNE 3-104  1.25").arg(i, 4);
    platform.PrintLines(lines, "Courier", 10, " ");
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") +
                  bytes.count("/Type /Page "),
              2);
}
