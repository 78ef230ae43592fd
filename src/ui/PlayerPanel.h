#pragma once
#include "register/PlayerRegister.h"

#include <QWidget>

class QLabel;

namespace mpsec {

// The player's name, home club and rank, as the player view and the statement screen show
// them: captions on the left, bold values beside them.
class PlayerPanel : public QWidget {
    Q_OBJECT
  public:
    PlayerPanel(const QString& rankCaption, QWidget* parent);

    // Shows "GIVEN SURNAME", the club line and the rank line given.
    void setPlayer(const PlayerRecord& player, const std::string& clubText,
                   const std::string& rankText);
    void clear();

    QLabel* nameLabel() const { return nameLabel_; }
    QLabel* clubLabel() const { return clubLabel_; }
    QLabel* rankLabel() const { return rankLabel_; }

  private:
    QLabel* nameLabel_ = nullptr;
    QLabel* clubLabel_ = nullptr;
    QLabel* rankLabel_ = nullptr;
};

} // namespace mpsec
