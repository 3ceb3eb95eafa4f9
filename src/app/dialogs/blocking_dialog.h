#pragma once

#include <QDialog>
#include <QPointer>

namespace vrx {

// A modeless dialog that keeps the main window disabled while it is up: showing it
// disables the main window, and closing it in any way (button, Escape, the caption's
// close) enables the main window again, unless a dialog that holds the main window
// (the warning dialog) is still up.
class BlockingDialog : public QDialog {
    Q_OBJECT
public:
    explicit BlockingDialog(QWidget *parent = nullptr);

    void setMainWindow(QWidget *mainWindow) { mainWindow_ = mainWindow; }
    QWidget *mainWindow() const { return mainWindow_; }

    // Shows the dialog (not modal), raises it and disables the main window.
    void showBlocking();

protected:
    // Closing by any route ends here; the main window is enabled before finished()
    // reaches anyone else.
    void done(int result) override;

    // A dialog that holds the main window keeps it disabled for as long as it is up, even
    // when another dialog closes under it.
    void setHoldsMainWindow(bool holds) { holdsMainWindow_ = holds; }

private:
    // True while another dialog that holds the same main window is still showing.
    bool anotherHolds() const;

    QPointer<QWidget> mainWindow_;
    bool holdsMainWindow_ = false;
};

} // namespace vrx
