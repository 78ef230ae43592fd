#include "mpfiles/OldFilesWarningDialog.h"

#include "ui/AppState.h"
#include "ui/TextStyles.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace mpsec {

OldFilesWarningDialog::OldFilesWarningDialog(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state) {
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
    dontShowAgainBox_ = new QCheckBox(QStringLiteral("Do Not Show Me This Warning Again."), this);
    QFont f = dontShowAgainBox_->font();
    f.setBold(true);
    dontShowAgainBox_->setFont(f);
    layout->addWidget(dontShowAgainBox_);
    layout->addWidget(BoldLabel(
        QStringLiteral("Checking the above will make all future MP conversions automatic."), this));
    auto* buttons = new QHBoxLayout;
    yesButton_ = new QPushButton(QStringLiteral("&Yes"), this);
    noButton_ = new QPushButton(QStringLiteral("&No"), this);
    buttons->addStretch();
    buttons->addWidget(yesButton_);
    buttons->addWidget(noButton_);
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    connect(yesButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(noButton_, &QPushButton::clicked, this, [this] { done(AnsweredNo); });
    connect(this, &QDialog::finished, this,
            [this] { state_.Settings.ShowMPWarning = !dontShowAgainBox_->isChecked(); });
}

} // namespace mpsec
