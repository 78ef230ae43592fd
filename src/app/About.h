#pragma once
#include <QDialog>

class QLabel;

namespace mpsec {

class TAboutBox : public QDialog {
    Q_OBJECT
  public:
    explicit TAboutBox(QWidget* parent = nullptr);
    QLabel* Version;

  protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace mpsec
