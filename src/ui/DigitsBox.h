#pragma once
#include <QLineEdit>

namespace mpsec {

class Platform;

// An entry box for a player or club number: digits only (any other typed character is
// refused with a beep; editing keys pass), at most `maxDigits` typed, Enter says so through
// enterPressed(). Numbers the program puts in are shown whole (SetBoxText).
class DigitsBox : public QLineEdit {
    Q_OBJECT
  public:
    // With `selectOnClick`, a click selects the whole text, so the next number replaces it.
    DigitsBox(int maxDigits, Platform& platform, QWidget* parent, bool selectOnClick = false);

  signals:
    void enterPressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    Platform& platform_;
    bool selectOnClick_;
};

} // namespace mpsec
