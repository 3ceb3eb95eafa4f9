#pragma once

#include "radio/fleet_window.h"
#include "radio/serial_ports.h"

#include <QPointer>

#include <functional>

class QAction;

namespace vrx {

class MainWindow;

// Edit > Program several radios…: opens the fleet window on the system's ports and the
// COM items' devices; the window writes the main window's plan as it is when Start is
// pressed.
class FleetActions {
public:
    using PortLister = std::function<QList<SerialPortEntry>()>;

    explicit FleetActions(MainWindow &window);
    // The window goes with the actions: its radios are stopped and its threads end.
    ~FleetActions();

    QAction *menuAction() const { return action_; }
    // The item's caption in the current language.
    void retranslate();
    // Opens the fleet window, or raises it when it is open.
    void openWindow();

    // Lists the system's ports for the rows; tests put in their own.
    void setPortLister(PortLister lister) { lister_ = std::move(lister); }
    // The window while it is open, else nullptr.
    FleetWindow *window() const { return fleetWindow_; }

private:
    std::optional<TransferPlan> currentPlan(QString *reason);

    MainWindow &window_;
    QAction *action_;
    PortLister lister_ = listSerialPorts;
    QPointer<FleetWindow> fleetWindow_;
};

} // namespace vrx
