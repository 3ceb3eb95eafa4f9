#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <optional>

namespace vrx {

// The owner, group and rights of a device node.
struct DeviceNode {
    uint uid = 0;
    uint gid = 0;
    QString owner;
    QString group;
    uint mode = 0; // the permission bits, 0660 for rw-rw----
};

// Who runs this program.
struct UserFacts {
    uint uid = 0;
    QString name;
    QList<uint> sessionGids;  // the groups this session has
    QStringList listedGroups; // the groups the group database lists the user in
};

// A USB serial chip as sysfs shows it.
struct UsbChip {
    QString vendorId;  // "1a86"
    QString productId; // "7523"
    QString vendor;    // the chip's own manufacturer string, or a known name
    QString product;
    QString serial;
    QString driver;    // "ch341-uart", "cdc_acm"
    QString bcdDevice; // "0300"
    QString bcdUsb;    // "1.10"

    QString usbId() const { return vendorId + u':' + productId; }
    bool operator==(const UsbChip &) const = default;
};

// What the system knows about its serial devices, read from the kernel's trees (sysfs,
// /proc), udev's database and rules and the package database. The roots are settable
// so that tests fill fake trees; the calls to the system itself (stat, access, open)
// are virtual for the same reason.
class SystemFacts {
public:
    struct Roots {
        QString sysfs = QStringLiteral("/sys");
        QString proc = QStringLiteral("/proc");
        QString udevData = QStringLiteral("/run/udev/data");
        // In udev's order of precedence: a rule file in an earlier folder hides the one
        // of the same name in a later folder.
        QStringList udevRules = {
            QStringLiteral("/etc/udev/rules.d"), QStringLiteral("/run/udev/rules.d"),
            QStringLiteral("/usr/lib/udev/rules.d"), QStringLiteral("/lib/udev/rules.d")};
        QString dpkgStatus = QStringLiteral("/var/lib/dpkg/status");
    };

    SystemFacts();
    explicit SystemFacts(Roots roots);
    virtual ~SystemFacts() = default;

    const Roots &roots() const { return roots_; }

    virtual std::optional<DeviceNode> node(const QString &device) const;
    virtual bool mayReadWrite(const QString &device) const;
    virtual UserFacts user() const;
    // True when the device refuses to open because someone has it exclusively.
    virtual bool busy(const QString &device) const;
    // The process of a live lock file of the device, if any.
    virtual std::optional<qint64> lockOwner(const QString &device) const;
    virtual qint64 ownPid() const;
    // The serial ports the system has now, ordered by device.
    virtual QStringList serialPorts() const;

    // The USB chip behind a tty device; nothing for a port that is not on USB.
    std::optional<UsbChip> usbChipOf(const QString &device) const;
    // Known USB serial chips that are plugged in but have no tty.
    QList<UsbChip> chipsWithoutTty() const;
    // The processes (from the proc tree) that have `device` open.
    QList<qint64> holders(const QString &device) const;
    QString processName(qint64 pid) const;
    bool processRunning(const QString &name) const;
    // udev's properties of the device ("ID_MM_DEVICE_IGNORE" -> "1").
    QMap<QString, QString> udevProperties(const QString &device) const;
    bool packageInstalled(const QString &name) const;
    // The effective udev rule files whose name contains `nameContains` and whose text
    // names both ids (e.g. brltty's rules that claim a chip).
    QStringList rulesNaming(const QString &nameContains, const QString &vendorId,
                            const QString &productId) const;
    bool ourUdevRuleInstalled() const;

private:
    // sysfs's folder of the tty, /sys/class/tty/<name>.
    QString ttyFolder(const QString &device) const;
    // The rule files in effect, by file name.
    QMap<QString, QString> effectiveRules() const;

    Roots roots_;
};

// The processes under `procRoot` whose descriptors point at `device`.
QList<qint64> processesHolding(const QString &procRoot, const QString &device);

// True for the slave side of a pseudo-terminal (also through a link to it).
bool isPseudoTerminal(const QString &device);

// rw-rw---- for 0660.
QString rightsText(uint mode);

} // namespace vrx
