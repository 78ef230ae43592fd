#pragma once
#include <QString>
#include <functional>

class QEvent;
class QLineEdit;

namespace mpsec {

class Platform;

// The key filter of the program's entry boxes: Enter runs `onEnter`; a typed character that
// `allowed` refuses is dropped with a beep. Editing keys (Backspace, Delete, arrows,
// Home/End, selection, undo, Tab, Escape) and shortcuts with Ctrl keep their meaning:
// only typed characters are filtered. Returns whether the event was consumed.
bool FilterTypedKey(QEvent* event, Platform& platform, const std::function<bool(QChar)>& allowed,
                    const std::function<void()>& onEnter);

// Limits what the user types or pastes into a box to `maxLength` characters. Unlike
// QLineEdit::setMaxLength, text the program puts into the box is never cut.
void LimitTypedLength(QLineEdit* box, int maxLength);

// Puts text into a box whole, whatever the box's typed-length limit.
void SetBoxText(QLineEdit* box, const QString& text);

} // namespace mpsec
