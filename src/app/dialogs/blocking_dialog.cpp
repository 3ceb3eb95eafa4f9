#include "dialogs/blocking_dialog.h"

#include <QApplication>

namespace vrx {

BlockingDialog::BlockingDialog(QWidget *parent) : QDialog(parent) {
    setModal(false);
    // Only the main window decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
}

void BlockingDialog::showBlocking() {
    show();
    raise();
    activateWindow();
    if (mainWindow_)
        mainWindow_->setEnabled(false);
}

bool BlockingDialog::anotherHolds() const {
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        auto *other = qobject_cast<BlockingDialog *>(w);
        if (other && other != this && other->holdsMainWindow_ && other->isVisible() &&
            other->mainWindow_ == mainWindow_)
            return true;
    }
    return false;
}

void BlockingDialog::done(int result) {
    // A failure notice closed over an open transfer dialog frees the main window: the
    // transfer dialog stays up with its port open, and the user may go on editing.
    if (mainWindow_ && !anotherHolds())
        mainWindow_->setEnabled(true);
    QDialog::done(result);
}

} // namespace vrx
