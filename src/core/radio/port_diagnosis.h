#pragma once

#include "i18n/port_texts.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace vrx {

// What the system shows about a serial device, looked at when it did not open.
class PortInspector {
public:
    virtual ~PortInspector() = default;

    virtual bool exists(const QString &device) const = 0;
    // True when this process may not read and write the device.
    virtual bool accessDenied(const QString &device) const = 0;
    // Name of the group that owns the device.
    virtual QString groupOf(const QString &device) const = 0;
    // True when joining that group would give access: the group may read and write the
    // device, and it is not root.
    virtual bool groupGrantsAccess(const QString &) const { return true; }
    // True when this process runs with `group` (the session has it).
    virtual bool sessionHasGroup(const QString &group) const = 0;
    // True when the group database lists the user in `group`.
    virtual bool userListedInGroup(const QString &group) const = 0;
    // The process of a live lock file of the device, if any.
    virtual std::optional<qint64> lockOwner(const QString &device) const = 0;
    // The processes that this user may see holding the device open.
    virtual QList<qint64> holders(const QString &device) const = 0;
    virtual QString processName(qint64 pid) const = 0;
    // True when the device refuses to open because someone has it exclusively.
    virtual bool busy(const QString &device) const = 0;
    virtual qint64 ownPid() const = 0;
    // True when the package's udev rule for programming cables is installed.
    virtual bool udevRuleInstalled() const = 0;
    // The serial ports the system has now.
    virtual QStringList presentPorts() const = 0;
};

// The real system: POSIX calls, /proc and the lock-file folders.
const PortInspector &systemPortInspector();

enum class PortFault {
    Missing,           // no such device
    AccessDenied,      // the user may not use it
    HeldByThisProgram, // this process holds it (its own transfer window)
    HeldByOther,       // another program holds it
    Other,             // none of these: the system's error text says what
};

struct PortDiagnosis {
    PortFault fault = PortFault::Other;
    QString device;
    QStringList presentPorts; // Missing
    QString group;            // AccessDenied
    // AccessDenied: the group database has the user in the group, but this session
    // started before that (logging in again helps, usermod does not).
    bool groupNotYetActive = false;
    // AccessDenied: false when joining the group would not help (a root-owned terminal,
    // a group without rights), so that no usermod is advised.
    bool joiningHelps = true;
    bool udevRuleInstalled = false; // AccessDenied
    qint64 holderPid = 0;           // HeldByOther, 0 when it cannot be seen
    QString holderName;             // HeldByOther
    QString systemError;            // Other: the open error's text

    bool operator==(const PortDiagnosis &) const = default;
};

// Why `device` did not open, found by looking at it. `openError` is the open's own
// error text, kept for the cases that looking does not explain.
PortDiagnosis diagnosePort(const QString &device, const QString &openError,
                           const PortInspector &inspector = systemPortInspector());

// The lines shown below the port failure message: which device the COM item stands for
// (when `comItem` is 1..4), the cause and the remedy.
QStringList portDiagnosisLines(const PortDiagnosis &diagnosis, const PortTexts &texts,
                               int comItem = 0);

} // namespace vrx
