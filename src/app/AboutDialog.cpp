#include "app/AboutDialog.h"

#include "core/ProgramInfo.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

AboutDialog::AboutDialog(QWidget* parent) : ProgramDialog(parent) {
    setWindowTitle(QStringLiteral("About"));
    auto* outer = new QVBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    auto* grid = new QGridLayout(panel);

    auto* icon = new QLabel(panel);
    icon->setPixmap(QPixmap(QStringLiteral(":/images/mpsec.png"))
                        .scaled(48, 48, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    auto* product = new QLabel(QString::fromLatin1(kMainCaption), panel);
    QFont bold = product->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    product->setFont(bold);
    grid->addWidget(product, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("MP Secretary Utilities"), panel), 1, 1);
    versionLabel_ = new QLabel(QStringLiteral("Version 1.01"), panel);
    grid->addWidget(versionLabel_, 2, 1);
    auto* picture = new QLabel(panel);
    picture->setPixmap(QPixmap(QStringLiteral(":/images/about.png")));
    grid->addWidget(picture, 3, 0, 1, 2, Qt::AlignCenter);
    grid->addWidget(
        new QLabel(
            QStringLiteral("Written for the club masterpoint secretaries by the mpsec developers"),
            panel),
        4, 0, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("E-mail: mpsec-support@example.org"), panel), 5, 0, 1,
                    2);
    outer->addWidget(panel);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    outer->addWidget(ok, 0, Qt::AlignHCenter);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

void AboutDialog::onOpen() {
    versionLabel_->setText(QString::fromLatin1(kVersionText));
}

} // namespace mpsec
