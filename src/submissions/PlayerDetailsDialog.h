#pragma once
#include "submissions/PlayerDetails.h"
#include "submissions/SubmissionForm.h"
#include "ui/ProgramDialog.h"

#include <QString>
#include <array>

class QButtonGroup;
class QComboBox;
class QLabel;
class QRadioButton;
class QVBoxLayout;

namespace mpsec {

struct AppState;
struct PlayerRecord;
class Platform;
struct BoxRule;
class RuleBox;
class DateBox;

// Requests about players (new players, re-activations, changes, transfers, reports,
// deaths), each appended as a block to PLAYER.TXT for the federation.
class PlayerDetailsDialog : public ProgramDialog {
    Q_OBJECT
  public:
    PlayerDetailsDialog(AppState& state, Platform& platform, QWidget* parent = nullptr);

    // Chooses a request kind as a click on it does.
    void chooseKind(PlayerRequest request);
    PlayerRequest kind() const { return kind_; }
    // Looks the typed number up and fills the names from the register.
    void lookUpPlayer();
    void append();
    void clearAll();
    void clearFile();

    QRadioButton* kindButton(PlayerRequest request) const;
    RuleBox* numberBox() const { return numberBox_; }
    RuleBox* clubBox() const { return clubBox_; }
    QWidget* deceasedPanel() const { return deceasedPanel_; }
    DateBox* deceasedBox() const { return deceasedBox_; }
    QComboBox* titleBox() const { return titleBox_; }
    RuleBox* initialBox() const { return initialBox_; }
    RuleBox* firstNameBox() const { return firstNameBox_; }
    RuleBox* surnameBox() const { return surnameBox_; }
    DateBox* birthBox() const { return birthBox_; }
    QRadioButton* femaleButton() const { return femaleButton_; }
    QRadioButton* maleButton() const { return maleButton_; }
    RuleBox* streetBox() const { return streetBox_; }
    RuleBox* townBox() const { return townBox_; }
    RuleBox* postcodeBox() const { return postcodeBox_; }
    QLabel* fileNameLabel() const { return fileNameLabel_; }
    const SubmissionButtons& buttons() const { return buttons_; }

  protected:
    void onOpen() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The window's sections, built in this order by the constructor.
    void buildKindChoice(QVBoxLayout& layout);
    void buildNumberFields(QVBoxLayout& layout);
    void buildPlayerFields(QVBoxLayout& layout);
    void buildAddressFields(QVBoxLayout& layout);
    void buildButtons(QVBoxLayout& layout);
    void connectKeys();
    void setTypingOrder();
    // An entry box of the form: its rule, its hint, silver while disabled.
    RuleBox* makeBox(const BoxRule& rule, const QString& hint);

    PlayerDetailsFields fields() const;
    void placePlayer(const PlayerRecord& player);
    // A date entry edited without its year keeps the focus; false then.
    bool datesComplete();

    AppState& state_;
    Platform& platform_;
    PlayerRequest kind_ = PlayerRequest::Add;
    // The number whose player is on the form, so leaving the box again does not look him
    // up again over what has been typed since.
    QString placedNumber_;
    bool lookingUp_ = false;

    QButtonGroup* kinds_ = nullptr;
    std::array<QRadioButton*, kPlayerRequestKinds.size()> kindButtons_{};
    RuleBox* numberBox_ = nullptr;
    RuleBox* clubBox_ = nullptr;
    QWidget* deceasedPanel_ = nullptr;
    DateBox* deceasedBox_ = nullptr;
    QComboBox* titleBox_ = nullptr;
    RuleBox* initialBox_ = nullptr;
    RuleBox* firstNameBox_ = nullptr;
    RuleBox* surnameBox_ = nullptr;
    DateBox* birthBox_ = nullptr;
    QRadioButton* femaleButton_ = nullptr;
    QRadioButton* maleButton_ = nullptr;
    RuleBox* streetBox_ = nullptr;
    RuleBox* townBox_ = nullptr;
    RuleBox* postcodeBox_ = nullptr;
    QLabel* fileNameLabel_ = nullptr;
    SubmissionButtons buttons_;
};

} // namespace mpsec
