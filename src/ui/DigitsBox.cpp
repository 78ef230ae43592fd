#include "ui/DigitsBox.h"

#include "ui/TypedKeys.h"

#include <QKeyEvent>
#include <QTimer>

namespace mpsec {

DigitsBox::DigitsBox(int maxDigits, Platform& platform, QWidget* parent, bool selectOnClick)
    : QLineEdit(parent), platform_(platform), selectOnClick_(selectOnClick) {
    LimitTypedLength(this, maxDigits);
}

void DigitsBox::keyPressEvent(QKeyEvent* event) {
    if (FilterTypedKey(
            event, platform_, [](QChar c) { return c >= '0' && c <= '9'; },
            [this] { emit enterPressed(); }))
        return;
    QLineEdit::keyPressEvent(event);
}

void DigitsBox::mouseReleaseEvent(QMouseEvent* event) {
    QLineEdit::mouseReleaseEvent(event);
    if (selectOnClick_)
        QTimer::singleShot(0, this, &QLineEdit::selectAll);
}

} // namespace mpsec
