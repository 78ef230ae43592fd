#pragma once
#include <QDialog>

class QLabel;

namespace mpsec {

class AboutDialog : public QDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* versionLabel() const { return versionLabel_; }

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    QLabel* versionLabel_ = nullptr;
};

} // namespace mpsec
