#pragma once
#include <QString>
#include <optional>
#include <string>

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

// The text of a grid's cell; empty where the cell holds no item.
QString CellText(const QTableWidget* grid, int row, int column);

// The club whose members Get lists: the number typed in `clubBox`, remembered as the last
// club used. Nothing typed gives a beep, the focus back in the box and no club.
std::optional<std::string> ClubToList(DigitsBox* clubBox, Platform& platform,
                                      AppSettings& settings);

} // namespace mpsec
