#include "app/Hints.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace mpsec {

namespace {

constexpr int kHintDelayMs = 200;
constexpr int kHintShownMs = 4000;

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

class HintFilter : public QObject {
  public:
    HintFilter(const bool& showHints, QObject* parent) : QObject(parent), showHints_(showHints) {}
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        if (!showHints_)
            return true;
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || widget->toolTip().isEmpty())
            return false;
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kHintShownMs);
        return true;
    }

  private:
    const bool& showHints_;
};

} // namespace

void ConfigureHints(QApplication& app, const bool& showHints) {
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(255, 254, 206));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
    if (!app.findChild<HintFilter*>()) {
        app.setStyle(new HintStyle);
        app.installEventFilter(new HintFilter(showHints, &app));
    }
}

} // namespace mpsec
