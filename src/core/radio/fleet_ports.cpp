#include "radio/fleet_ports.h"

namespace vrx {

QList<FleetPort> fleetPorts(const QList<SerialPortEntry> &present,
                            const std::array<QString, kPortCount> &portDevices) {
    QList<FleetPort> ports;
    std::array<bool, kPortCount> listed{};
    for (const SerialPortEntry &entry : present) {
        FleetPort port;
        port.device = entry.device;
        port.usbDescription = entry.description;
        port.usbSerial = entry.serialNumber;
        QStringList items;
        for (const int item : comItemsFor(entry.device, portDevices)) {
            items << QStringLiteral("COM%1").arg(item);
            listed[size_t(item - 1)] = true;
        }
        port.name = items.isEmpty() ? entry.device : items.join(u' ');
        ports << port;
    }
    for (int item = 1; item <= kPortCount; ++item) {
        const QString &device = portDevices[size_t(item - 1)];
        if (listed[size_t(item - 1)] || device.isEmpty())
            continue;
        // Two items on one missing device make one row.
        bool merged = false;
        for (FleetPort &port : ports) {
            if (port.device == device && port.usbDescription.isEmpty()) {
                port.name += QStringLiteral(" COM%1").arg(item);
                merged = true;
            }
        }
        if (!merged)
            ports << FleetPort{QStringLiteral("COM%1").arg(item), device, QString(), QString()};
    }
    return ports;
}

} // namespace vrx
