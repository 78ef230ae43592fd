#pragma once
#include <QDialog>
#include <QShowEvent>

namespace mpsec {

// A window of the program: created once and reused for the whole run. Each time it is opened
// it runs onOpen(), and each time it closes, however it closes (a button, Escape, the
// window's close button), it runs onClose(). A window restored after being minimised is
// shown again by the window system (a spontaneous show event): that is no opening, and what
// the window holds stays as it was.
class ProgramDialog : public QDialog {
    Q_OBJECT
  public:
    using QDialog::QDialog;

  protected:
    virtual void onOpen() {}
    virtual void onClose() {}

    void showEvent(QShowEvent* event) override {
        QDialog::showEvent(event);
        if (!event->spontaneous())
            onOpen();
    }
    void done(int result) override {
        onClose();
        QDialog::done(result);
    }
};

} // namespace mpsec
