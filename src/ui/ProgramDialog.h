#pragma once
#include <QDialog>

namespace mpsec {

// A window of the program: created once and reused for the whole run. Each time it is shown
// it runs onOpen(), and each time it closes, however it closes (a button, Escape, the
// window's close button), it runs onClose().
class ProgramDialog : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;

  protected:
    virtual void onOpen() {}
    virtual void onClose() {}

    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        onOpen();
    }
    void done(int result) override {
        onClose();
        QDialog::done(result);
    }
};

} // namespace mpsec
