#pragma once
#include "help/Guide.h"

#include <QDialog>
#include <functional>

class QListWidget;
class QTextBrowser;

namespace mpsec {

class Platform;

// The user's guide: its contents on the left, the chosen section on the right.
class HelpWindow : public QDialog {
    Q_OBJECT
  public:
    explicit HelpWindow(QWidget* parent = nullptr);
    // Shows the section with this heading (the first one if there is none).
    void showSection(const QString& title);
    QString currentSection() const;
    QListWidget* contents() const { return contents_; }
    QTextBrowser* text() const { return text_; }

  private:
    std::vector<GuideSection> sections_;
    QListWidget* contents_;
    QTextBrowser* text_;
};

// F1 in any window of the program opens the guide at that window's section. Installed on
// the application, it sees the key wherever it is pressed.
class HelpKey : public QObject {
    Q_OBJECT
  public:
    HelpKey(HelpWindow& window, Platform& platform, QObject* parent = nullptr);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    HelpWindow& window_;
    Platform& platform_;
};

} // namespace mpsec
