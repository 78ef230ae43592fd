#include "ui/MemberGrid.h"

#include "core/Settings.h"
#include "platform/Platform.h"
#include "print/Latin1.h"
#include "ui/DigitsBox.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>

namespace mpsec {

QTableWidget* MemberGrid(const QString& lastHeader, QWidget* parent) {
    auto* grid = new QTableWidget(0, 4, parent);
    grid->setHorizontalHeaderLabels(
        {QString(), QStringLiteral("Name"), QStringLiteral("QMR No."), lastHeader});
    grid->setColumnHidden(0, true);
    const QFontMetrics metrics(grid->font());
    const int margin = 2 * metrics.horizontalAdvance(QLatin1Char(' ')) + 6;
    const int widths[3] = {
        180, std::max(60, metrics.horizontalAdvance(QStringLiteral("0000000")) + margin),
        std::max({50, metrics.horizontalAdvance(lastHeader) + margin,
                  metrics.horizontalAdvance(QStringLiteral("000000")) + margin})};
    for (int column = 1; column < 4; ++column)
        grid->setColumnWidth(column, widths[column - 1]);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(18);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid->setFixedWidth(widths[0] + widths[1] + widths[2] +
                        grid->verticalScrollBar()->sizeHint().width() + 2 * grid->frameWidth());
    return grid;
}

MemberGridButtons MakeMemberGridButtons(QWidget* parent) {
    MemberGridButtons buttons{new QPushButton(QStringLiteral("Get"), parent),
                              new QPushButton(QStringLiteral("&Save"), parent),
                              new QPushButton(QStringLiteral("&Close"), parent)};
    buttons.Get->setToolTip(QStringLiteral("Get the players"));
    buttons.Save->setToolTip(QStringLiteral("Send To File"));
    buttons.Close->setToolTip(QStringLiteral("Close Dialog Box"));
    for (QPushButton* button : {buttons.Get, buttons.Save, buttons.Close})
        button->setAutoDefault(false);
    return buttons;
}

void SetMemberGridTabOrder(const MemberGridButtons& buttons, QTableWidget* grid) {
    QWidget::setTabOrder(buttons.Get, grid);
    QWidget::setTabOrder(grid, buttons.Close);
    QWidget::setTabOrder(buttons.Close, buttons.Save);
}

QString CellText(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text() : QString();
}

std::optional<std::string> ClubToList(DigitsBox* clubBox, Platform& platform,
                                      AppSettings& settings) {
    const QString club = clubBox->text();
    if (club.isEmpty()) {
        platform.Beep();
        clubBox->setFocus();
        return std::nullopt;
    }
    settings.LastClubNo = ToLatin1(club);
    return settings.LastClubNo;
}

} // namespace mpsec
