#pragma once

#include "radio/port_settings_dialog.h"

#include <functional>

class QAction;

namespace vrx {

class MainWindow;

// Options > Port > Port settings…: the dialog that assigns the system's serial ports to
// COM1..COM4. The new mapping takes effect on OK and is saved with the other settings.
class PortSettingsActions {
public:
    explicit PortSettingsActions(MainWindow &window);

    QAction *menuAction() const { return action_; }
    // The item's caption in the current language.
    void retranslate();
    // Opens the dialog (modal) and applies its mapping on OK.
    void openDialog();

    // Lists the ports for the dialog; tests put in their own.
    void setPortLister(PortSettingsDialog::PortLister lister) { lister_ = std::move(lister); }
    // The dialog while it is open, else nullptr.
    PortSettingsDialog *dialog() const { return dialog_; }

private:
    MainWindow &window_;
    QAction *action_;
    PortSettingsDialog::PortLister lister_ = listSerialPorts;
    PortSettingsDialog *dialog_ = nullptr;
};

} // namespace vrx
