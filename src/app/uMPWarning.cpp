#include "app/uMPWarning.h"

#include "app/AppState.h"
#include "app/Widgets.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

TMPWarningDlg::TMPWarningDlg(AppState& state, QWidget* parent) : QDialog(parent), state_(state) {
    setWindowTitle(QStringLiteral("Warning MP3 Files Found"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        BoldLabel(QStringLiteral("QMRScorer has found .mp? files in this folder. "), this));
    layout->addWidget(BoldLabel(
        QStringLiteral(
            "If you are sure that they are masterpoint files (not your son''s latest music files)"),
        this));
    layout->addWidget(
        BoldLabel(QStringLiteral("then click Yes to rename them or No to cancel',"), this));
    WarningCB = new QCheckBox(QStringLiteral("Do Not Show Me This Warning Again."), this);
    QFont f = WarningCB->font();
    f.setBold(true);
    WarningCB->setFont(f);
    layout->addWidget(WarningCB);
    layout->addWidget(BoldLabel(
        QStringLiteral("Checking the above will make all future MP conversions automatic."), this));
    auto* buttons = new QHBoxLayout;
    YesBtn = new QPushButton(QStringLiteral("&Yes"), this);
    NoBtn = new QPushButton(QStringLiteral("&No"), this);
    buttons->addStretch();
    buttons->addWidget(YesBtn);
    buttons->addWidget(NoBtn);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(YesBtn, &QPushButton::clicked, this, &QDialog::accept);
    connect(NoBtn, &QPushButton::clicked, this, [this] { done(AnsweredNo); });
    connect(this, &QDialog::finished, this,
            [this] { state_.Settings.ShowMPWarning = !WarningCB->isChecked(); });
}

} // namespace mpsec
