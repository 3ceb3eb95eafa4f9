#pragma once

#include "radio/fleet_result.h"
#include "radio/serial_ports.h"
#include "storage/app_settings.h"

#include <QList>

#include <array>

namespace vrx {

// The rows of a fleet: every serial port the system has, named by the COM items that
// stand for it ("COM1 COM3") or by its device, then each COM item's device that the
// system does not list (a cable not plugged in yet), named by the item.
QList<FleetPort> fleetPorts(const QList<SerialPortEntry> &present,
                            const std::array<QString, kPortCount> &portDevices);

} // namespace vrx
