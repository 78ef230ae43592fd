#pragma once
#include <QColor>
#include <QString>
#include <functional>

class QEvent;
class QLabel;
class QWidget;

namespace mpsec {

class Platform;

// A label in the bold form the windows use for values and captions.
QLabel* BoldLabel(const QString& text, QWidget* parent);

// The colour of a label's text.
void SetTextColour(QLabel* label, const QColor& colour);

// The key filter of the program's entry boxes: Enter runs `onEnter`; a typed character that
// `allowed` refuses is dropped with a beep; Backspace, Tab, Escape and keys that type
// nothing keep their meaning. Returns whether the event was consumed.
bool FilterTypedKey(QEvent* event, Platform& platform, const std::function<bool(QChar)>& allowed,
                    const std::function<void()>& onEnter);

} // namespace mpsec
