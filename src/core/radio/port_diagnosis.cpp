#include "radio/port_diagnosis.h"

namespace vrx {

PortDiagnosis diagnosePort(const QString &device, const QString &openError,
                           const PortInspector &inspector) {
    PortDiagnosis d;
    d.device = device;
    if (!inspector.exists(device)) {
        d.fault = PortFault::Missing;
        d.presentPorts = inspector.presentPorts();
        return d;
    }
    if (inspector.accessDenied(device)) {
        d.fault = PortFault::AccessDenied;
        d.group = inspector.groupOf(device);
        d.groupNotYetActive = !d.group.isEmpty() && !inspector.sessionHasGroup(d.group) &&
                              inspector.userListedInGroup(d.group);
        d.joiningHelps = !d.group.isEmpty() && inspector.groupGrantsAccess(device) &&
                         !inspector.sessionHasGroup(d.group);
        d.udevRuleInstalled = inspector.udevRuleInstalled();
        return d;
    }
    // A lock file names the program that locked the port; without one, a process that
    // has the device open (as far as this user may see) is the next best answer. This
    // program's own descriptors count only with a lock or an exclusive hold: a plain
    // descriptor (the demo radio's end of its terminal) does not keep the port from
    // opening.
    const std::optional<qint64> lock = inspector.lockOwner(device);
    QList<qint64> others = inspector.holders(device);
    const bool ownDescriptor = others.removeAll(inspector.ownPid()) > 0;
    const bool busy = inspector.busy(device);
    if (lock == inspector.ownPid() || (ownDescriptor && busy)) {
        d.fault = PortFault::HeldByThisProgram;
        return d;
    }
    if (lock)
        others.prepend(*lock);
    if (!others.isEmpty() || busy) {
        d.fault = PortFault::HeldByOther;
        d.holderPid = others.value(0, 0);
        if (d.holderPid > 0)
            d.holderName = inspector.processName(d.holderPid);
        return d;
    }
    d.systemError = openError;
    return d;
}

QStringList portDiagnosisLines(const PortDiagnosis &d, const PortTexts &texts, int comItem) {
    QStringList lines;
    if (comItem >= 1 && comItem <= 4)
        lines.append(texts.isDevice.arg(QString::number(comItem), d.device));
    switch (d.fault) {
    case PortFault::Missing:
        lines.append(texts.missing.arg(d.device));
        lines.append(d.presentPorts.isEmpty()
                         ? texts.nonePresent
                         : texts.present.arg(d.presentPorts.join(QStringLiteral(", "))));
        break;
    case PortFault::AccessDenied:
        lines.append(texts.accessDenied.arg(d.device, d.group));
        if (!d.joiningHelps)
            lines.append(texts.groupWontHelp.arg(d.group, d.device));
        else
            lines.append(d.groupNotYetActive ? texts.relogin.arg(d.group)
                                             : texts.addToGroup.arg(d.group));
        if (d.udevRuleInstalled)
            lines.append(texts.udevRule);
        break;
    case PortFault::HeldByThisProgram:
        lines.append(texts.heldByTransfer.arg(d.device));
        break;
    case PortFault::HeldByOther:
        lines.append(d.holderPid > 0 ? texts.heldByProcess.arg(d.device, d.holderName,
                                                               QString::number(d.holderPid))
                                     : texts.heldByOther.arg(d.device));
        break;
    case PortFault::Other:
        lines.append(texts.otherError.arg(d.device, d.systemError));
        break;
    }
    return lines;
}

} // namespace vrx
