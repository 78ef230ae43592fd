#pragma once
#include <QString>

class QTableWidget;
class QWidget;

namespace mpsec {

// The grid of club members the manual entry and the cancellations show: a hidden first
// column, "Name", "QMR No." and a last column headed `lastHeader`, rows 18 pixels high, a
// vertical scroll bar only. The number column fits seven digits whatever the font.
QTableWidget* MemberGrid(const QString& lastHeader, QWidget* parent);

} // namespace mpsec
