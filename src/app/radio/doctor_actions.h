#pragma once

#include <QString>

class QAction;

namespace vrx {

class DoctorDialog;
class MainWindow;

// Options > Port > Test connection…: the connection doctor for the current port, also
// offered by a failed exchange's message and by the port settings window per port.
class DoctorActions {
public:
    explicit DoctorActions(MainWindow &window);

    QAction *menuAction() const { return action_; }
    void retranslate();

    // Runs the checks of `device` in the doctor's window (modal) and waits for it to close.
    void testDevice(const QString &device);
    void testCurrentPort();

    // The window while it is open, else nullptr.
    DoctorDialog *dialog() const { return dialog_; }

private:
    MainWindow &window_;
    QAction *action_;
    DoctorDialog *dialog_ = nullptr;
};

} // namespace vrx
