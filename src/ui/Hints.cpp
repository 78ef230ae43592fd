#include "ui/Hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace mpsec {

namespace {

constexpr int kHintDelayMs = 200;
constexpr int kHintShownMs = 4000;
constexpr const char* kHintFilterName = "mpsecHintFilter";

class HintStyle : public QProxyStyle {
  public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override {
        if (hint == SH_ToolTip_WakeUpDelay)
            return kHintDelayMs;
        return QProxyStyle::styleHint(hint, option, widget, data);
    }
};

// Owned by the application, so it lives as long as the events it filters; it keeps the
// hint switch itself rather than a reference into state that may end first.
class HintFilter : public QObject {
    Q_OBJECT
  public:
    explicit HintFilter(QObject* parent) : QObject(parent) {
        setObjectName(QString::fromLatin1(kHintFilterName));
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        if (!shown_)
            return true;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->toolTip().isEmpty())
            return false;
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kHintShownMs);
        return true;
    }
    bool shown_ = true;
};

HintFilter* FindHintFilter(QApplication& app) {
    return app.findChild<HintFilter*>(QString::fromLatin1(kHintFilterName),
                                      Qt::FindDirectChildrenOnly);
}

} // namespace

void ConfigureHints(QApplication& app) {
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 254, 206));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
    if (!FindHintFilter(app)) {
        app.setStyle(new HintStyle);
        app.installEventFilter(new HintFilter(&app));
    }
}

void SetHintsShown(QApplication& app, bool shown) {
    if (HintFilter* filter = FindHintFilter(app)) {
        filter->shown_ = shown;
        if (!shown)
            QToolTip::hideText();
    }
}

} // namespace mpsec

#include "Hints.moc"
