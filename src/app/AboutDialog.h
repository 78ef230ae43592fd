#pragma once
#include "ui/ProgramDialog.h"

class QLabel;

namespace mpsec {

class AboutDialog : public ProgramDialog {
    Q_OBJECT
  public:
    explicit AboutDialog(QWidget* parent = nullptr);

    QLabel* versionLabel() const { return versionLabel_; }

  protected:
    void onOpen() override;

  private:
    QLabel* versionLabel_ = nullptr;
};

} // namespace mpsec
