#pragma once
#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

class QListView;
class QStringListModel;

namespace mpsec {

// A label in the bold form the windows use for values and captions.
QLabel* BoldLabel(const QString& text, QWidget* parent);

// The fixed-pitch font of the program's listings and editors.
QFont FixedPitchFont(int pointSize);

// A read-only list of fixed-pitch lines over `model` (made here, owned by the list).
QListView* FixedPitchList(QStringListModel*& model, int pointSize, QWidget* parent);

// The colour of a label's text.
void SetTextColour(QLabel* label, const QColor& colour);

} // namespace mpsec
