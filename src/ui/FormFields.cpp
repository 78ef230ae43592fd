#include "ui/FormFields.h"

#include "platform/Platform.h"
#include "ui/TypedKeys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QValidator>
#include <algorithm>

namespace mpsec {

namespace {

// Governs everything the user puts in the box, typed or pasted; setText bypasses it.
class RuleValidator : public QValidator {
  public:
    RuleValidator(const BoxRule& rule, QObject* parent) : QValidator(parent), rule_(rule) {}
    State validate(QString& input, int&) const override {
        // Capitals as typed, where the capital is a Latin-1 letter too (the files are
        // Latin-1: the capitals of ÿ and µ are not, so those stay as typed).
        if (rule_.UpperCase)
            for (QChar& c : input)
                if (const QChar upper = c.toUpper(); upper.unicode() <= 0xff)
                    c = upper;
        if (input.size() > rule_.MaxLength)
            return Invalid;
        if (rule_.Allowed)
            for (QChar c : input)
                if (c.unicode() > 0x7f || !rule_.Allowed(static_cast<char>(c.unicode())))
                    return Invalid;
        return Acceptable;
    }

  private:
    BoxRule rule_;
};

bool Allows(const BoxRule& rule, QChar c) {
    if (!rule.Allowed)
        return c.unicode() <= 0xff; // the files are Latin-1
    return c.unicode() <= 0x7f && rule.Allowed(static_cast<char>(c.unicode()));
}

} // namespace

RuleBox::RuleBox(const BoxRule& rule, Platform& platform, QWidget* parent)
    : QLineEdit(parent), rule_(rule), platform_(platform) {
    setValidator(new RuleValidator(rule, this));
    // A paste or a key past the length that the rule refuses.
    connect(this, &QLineEdit::inputRejected, this, [this] { platform_.Beep(); });
}

void RuleBox::keyPressEvent(QKeyEvent* event) {
    if (FilterTypedKey(
            event, platform_, [this](QChar c) { return Allows(rule_, c); },
            [this] { emit enterPressed(); }))
        return;
    QLineEdit::keyPressEvent(event);
}

DateBox::DateBox(Platform& platform, QWidget* parent) : QLineEdit(parent), platform_(platform) {
    setInputMask(QStringLiteral("00/00/00; "));
    reset();
}

void DateBox::reset() {
    setText(QString());
    setModified(false);
}

void DateBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // An empty date is typed from its first place.
    if (text() == QStringLiteral("//"))
        setCursorPosition(0);
}

void DateBox::keyPressEvent(QKeyEvent* event) {
    // A paste the date's places refuse changes nothing and is no edit; it is said with a beep.
    if (event->matches(QKeySequence::Paste)) {
        const QString before = text();
        const bool wasModified = isModified();
        QLineEdit::keyPressEvent(event);
        if (text() == before) {
            setModified(wasModified);
            platform_.Beep();
        }
        return;
    }
    if (FilterTypedKey(
            event, platform_, [](QChar c) { return c >= '0' && c <= '9'; }, [] {}))
        return;
    QLineEdit::keyPressEvent(event);
}

QComboBox* FreeTextList(const QStringList& items, const QString& hint, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    list->setCompleter(nullptr);
    list->addItems(items);
    int longest = 3;
    for (const QString& item : items)
        longest = std::max(longest, static_cast<int>(item.size()));
    list->setMinimumContentsLength(longest + 1);
    list->setCurrentIndex(-1);
    list->setToolTip(hint);
    UseSilverWhenDisabled(list);
    return list;
}

void ClearFreeText(QComboBox* list) {
    list->setCurrentIndex(-1);
    list->setEditText(QString());
}

void UseSilverWhenDisabled(QWidget* field) {
    QPalette palette = field->palette();
    palette.setColor(QPalette::Active, QPalette::Base, Qt::white);
    palette.setColor(QPalette::Inactive, QPalette::Base, Qt::white);
    palette.setColor(QPalette::Disabled, QPalette::Base, QColor(192, 192, 192));
    // What a disabled field holds is still written to the files: it stays readable on the
    // silver (the style's own disabled text is a light grey that vanishes on it).
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(QPalette::Disabled, role, QColor(48, 48, 48));
    field->setPalette(palette);
}

} // namespace mpsec
