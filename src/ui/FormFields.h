#pragma once
#include <QLineEdit>

class QComboBox;

namespace mpsec {

class Platform;

// What a form's entry box accepts: at most `MaxLength` characters, each passing `Allowed`
// (every character when null), letters turned to capitals when `UpperCase`.
struct BoxRule {
    int MaxLength = 0;
    bool (*Allowed)(char) = nullptr;
    bool UpperCase = false;
};

// An entry box that keeps its rule for typed and pasted text alike: a refused key, a
// character past the length, or a paste holding a refused character is refused with a
// beep; editing keys pass. Enter is taken by the box and said through enterPressed().
// Text the program puts in is shown whole (SetBoxText).
class RuleBox : public QLineEdit {
    Q_OBJECT
  public:
    RuleBox(const BoxRule& rule, Platform& platform, QWidget* parent);

  signals:
    void enterPressed();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    BoxRule rule_;
    Platform& platform_;
};

// A date entry "DD/MM/YY": digits in six places (others refused with a beep), the "/" fixed,
// a blank in every unfilled place; its text is displayText() ("  /  /  " when empty).
class DateBox : public QLineEdit {
    Q_OBJECT
  public:
    DateBox(Platform& platform, QWidget* parent);
    // Empties the box; it counts as not edited again.
    void reset();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    Platform& platform_;
};

// An editable drop-down list of `items` that takes any text as well; typing never completes
// to an item ("Mr" stays "Mr" though "Mrs" comes first).
QComboBox* FreeTextList(const QStringList& items, const QString& hint, QWidget* parent);

// Empties a free-text list: no item chosen, no text.
void ClearFreeText(QComboBox* list);

// The box shows white while it can be used and silver while it cannot, its text dark and
// readable in both.
void UseSilverWhenDisabled(QWidget* field);

} // namespace mpsec
