#include "ui/TypedKeys.h"

#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

namespace mpsec {

namespace {

// Accepts any text of at most `maxLength` characters. A validator governs only what the
// user types or pastes; QLineEdit::setText bypasses it.
class LengthValidator : public QValidator {
  public:
    LengthValidator(int maxLength, QObject* parent) : QValidator(parent), max_(maxLength) {}
    State validate(QString& input, int&) const override {
        return input.size() <= max_ ? Acceptable : Invalid;
    }

  private:
    int max_;
};

} // namespace

bool FilterTypedKey(QEvent* event, Platform& platform, const std::function<bool(QChar)>& allowed,
                    const std::function<void()>& onEnter) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        onEnter();
        return true;
    }
    // Shortcuts (select all, undo, copy) pass; a character typed with Alt is still typed.
    if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
        return false;
    const QString text = key->text();
    // Delete types "\x7f" and Backspace "\b": editing keys, not characters.
    if (text.isEmpty() || !text.at(0).isPrint())
        return false;
    if (allowed(text.at(0)))
        return false;
    platform.Beep();
    return true;
}

void LimitTypedLength(QLineEdit* box, int maxLength) {
    box->setValidator(new LengthValidator(maxLength, box));
}

void SetBoxText(QLineEdit* box, const QString& text) {
    if (box->maxLength() < text.size())
        box->setMaxLength(static_cast<int>(text.size()));
    box->setText(text);
}

} // namespace mpsec
