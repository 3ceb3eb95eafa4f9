#include "radio/serial_ports.h"

#include <QFileInfo>
#include <QSerialPortInfo>

#include <algorithm>

namespace vrx {

namespace {

// The device a path finally names, so that a link and its target compare equal.
QString canonicalDevice(const QString &path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    return canonical.isEmpty() ? path : canonical;
}

} // namespace

QString SerialPortEntry::usbId() const {
    if (!vendorId || !productId)
        return {};
    return QStringLiteral("%1:%2")
        .arg(*vendorId, 4, 16, QLatin1Char('0'))
        .arg(*productId, 4, 16, QLatin1Char('0'));
}

QList<SerialPortEntry> listSerialPorts() {
    QList<SerialPortEntry> ports;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts()) {
        SerialPortEntry entry;
        entry.device = info.systemLocation();
        entry.description = info.description();
        entry.manufacturer = info.manufacturer();
        entry.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier())
            entry.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            entry.productId = info.productIdentifier();
        ports.append(entry);
    }
    std::sort(ports.begin(), ports.end(), [](const SerialPortEntry &a, const SerialPortEntry &b) {
        return a.device < b.device;
    });
    return ports;
}

QList<int> comItemsFor(const QString &device, const std::array<QString, kPortCount> &portDevices) {
    QList<int> items;
    const QString wanted = canonicalDevice(device);
    for (int i = 0; i < kPortCount; ++i) {
        if (!portDevices[i].isEmpty() &&
            (portDevices[i] == device || canonicalDevice(portDevices[i]) == wanted))
            items.append(i + 1);
    }
    return items;
}

QList<QStringList> portListRows(const QList<SerialPortEntry> &ports,
                                const std::array<QString, kPortCount> &portDevices) {
    const auto cell = [](const QString &text) {
        return text.isEmpty() ? QStringLiteral("-") : text;
    };
    QList<QStringList> rows;
    for (const SerialPortEntry &port : ports) {
        QStringList items;
        for (const int item : comItemsFor(port.device, portDevices))
            items.append(QStringLiteral("COM%1").arg(item));
        rows.append(
            {port.device, cell(port.description), cell(port.usbId()), cell(items.join(u' '))});
    }
    return rows;
}

PortDetector::PortDetector(const QList<SerialPortEntry> &present) {
    for (const SerialPortEntry &port : present)
        steady_.append(port.device);
}

std::optional<SerialPortEntry> PortDetector::update(const QList<SerialPortEntry> &present) {
    QStringList still;
    QList<SerialPortEntry> appeared;
    for (const SerialPortEntry &port : present) {
        if (steady_.contains(port.device))
            still.append(port.device);
        else
            appeared.append(port);
    }
    steady_ = still;
    if (appeared.size() == 1)
        return appeared.first();
    return std::nullopt;
}

} // namespace vrx
