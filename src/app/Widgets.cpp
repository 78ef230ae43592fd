#include "app/Widgets.h"

#include "platform/Platform.h"

#include <QKeyEvent>
#include <QLabel>

namespace mpsec {

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

bool FilterTypedKey(QEvent* event, Platform& platform, const std::function<bool(QChar)>& allowed,
                    const std::function<void()>& onEnter) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        onEnter();
        return true;
    }
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Escape ||
        key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        return false;
    if (allowed(text.at(0)))
        return false;
    platform.Beep();
    return true;
}

} // namespace mpsec
