#include "ui/PlayerPanel.h"

#include "print/Latin1.h"
#include "ui/TextStyles.h"

#include <QGridLayout>
#include <QLabel>

namespace mpsec {

PlayerPanel::PlayerPanel(const QString& rankCaption, QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    nameLabel_ = BoldLabel(QString(), this);
    clubLabel_ = BoldLabel(QString(), this);
    rankLabel_ = BoldLabel(QString(), this);
    grid->addWidget(new QLabel(QStringLiteral("Name:"), this), 0, 0);
    grid->addWidget(nameLabel_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Home Club: "), this), 1, 0);
    grid->addWidget(clubLabel_, 1, 1);
    grid->addWidget(new QLabel(rankCaption, this), 2, 0);
    grid->addWidget(rankLabel_, 2, 1);
    grid->setColumnStretch(1, 1);
}

void PlayerPanel::setPlayer(const PlayerRecord& player, const std::string& clubText,
                            const std::string& rankText) {
    nameLabel_->setText(Latin1(player.GivenName + " " + player.Surname));
    clubLabel_->setText(Latin1(clubText));
    rankLabel_->setText(Latin1(rankText));
}

void PlayerPanel::clear() {
    for (QLabel* label : {nameLabel_, clubLabel_, rankLabel_})
        label->clear();
}

} // namespace mpsec
