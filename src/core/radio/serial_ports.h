#pragma once

#include "storage/app_settings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace vrx {

// One serial port of the system, as the port settings dialog and `vrxctl ports` list it.
struct SerialPortEntry {
    QString device; // "/dev/ttyUSB0"
    QString description;
    QString manufacturer;
    QString serialNumber;
    std::optional<quint16> vendorId;
    std::optional<quint16> productId;

    // "10c4:ea60"; empty for a port that is not on USB.
    QString usbId() const;

    bool operator==(const SerialPortEntry &) const = default;
};

// The serial ports that the system has now, ordered by device.
QList<SerialPortEntry> listSerialPorts();

// The COM items (1..4) whose device is `device`, also when one of the two is a link to
// the other (a /dev/serial/by-id name and its ttyUSB node).
QList<int> comItemsFor(const QString &device, const std::array<QString, kPortCount> &portDevices);

// The ports as rows of text cells: device, description, VID:PID and the COM items that
// stand for it ("COM1 COM3"); an unknown cell is "-".
QList<QStringList> portListRows(const QList<SerialPortEntry> &ports,
                                const std::array<QString, kPortCount> &portDevices);

// Finds the cable by watching it come: the user unplugs it (or has not plugged it in
// yet) and plugs it in, while the ports are listed again and again. A port that was
// present at the start but vanished since counts as new when it comes back.
class PortDetector {
public:
    explicit PortDetector(const QList<SerialPortEntry> &present);

    // The ports present now. Returns the port that appeared, once exactly one did (two
    // cables plugged at once cannot be told apart: it keeps waiting).
    std::optional<SerialPortEntry> update(const QList<SerialPortEntry> &present);

private:
    // Devices present in every listing so far.
    QStringList steady_;
};

} // namespace vrx
