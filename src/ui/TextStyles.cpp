#include "ui/TextStyles.h"

#include <QLabel>
#include <QListView>
#include <QStringListModel>

namespace mpsec {

QLabel* BoldLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QFont FixedPitchFont(int pointSize) {
    QFont font(QStringLiteral("Courier New"), pointSize);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QListView* FixedPitchList(QStringListModel*& model, int pointSize, QWidget* parent) {
    auto* list = new QListView(parent);
    model = new QStringListModel(list);
    list->setModel(model);
    list->setUniformItemSizes(true); // large lists show quickly
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setFont(FixedPitchFont(pointSize));
    return list;
}

void SetTextColour(QLabel* label, const QColor& colour) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
}

} // namespace mpsec
