#pragma once
#include <QString>
#include <optional>
#include <string>

class QPushButton;
class QTableWidget;
class QWidget;

namespace mpsec {

class DigitsBox;
class Platform;
struct AppSettings;

// The grid of club members the manual entry and the cancellations show: a hidden first
// column, "Name", "QMR No." and a last column headed `lastHeader`, rows 18 pixels high, a
// vertical scroll bar only. The number column fits seven digits whatever the font.
QTableWidget* MemberGrid(const QString& lastHeader, QWidget* parent);

// The buttons beside a member grid: "Get" (the club's players), "&Save" and "&Close", none
// of them pressed by Enter (Enter is the grid's and the club box's).
struct MemberGridButtons {
    QPushButton* Get;
    QPushButton* Save;
    QPushButton* Close;
};
MemberGridButtons MakeMemberGridButtons(QWidget* parent);

// Tab goes from Get to the grid, then to Close and Save.
void SetMemberGridTabOrder(const MemberGridButtons& buttons, QTableWidget* grid);

// The text of a grid's cell; empty where the cell holds no item.
QString CellText(const QTableWidget* grid, int row, int column);

// The club whose members Get lists: the number typed in `clubBox`, remembered as the last
// club used. Nothing typed gives a beep, the focus back in the box and no club.
std::optional<std::string> ClubToList(DigitsBox* clubBox, Platform& platform,
                                      AppSettings& settings);

} // namespace mpsec
