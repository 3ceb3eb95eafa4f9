#include "radio/connection_doctor.h"

#include "radio/clone_protocol.h"
#include "radio/qt_serial_link.h"
#include "radio/radio_image.h"

namespace vrx {

namespace {

const QString kDevice = QStringLiteral("device");
const QString kAccess = QStringLiteral("access");
const QString kHolders = QStringLiteral("holders");
const QString kChip = QStringLiteral("chip");
const QString kProbe = QStringLiteral("probe");

// A check made of findings: the worst status wins, the texts are joined.
struct CheckBuilder {
    DoctorCheck check;
    QStringList details;
    QStringList remedies;

    explicit CheckBuilder(const QString &name) { check.name = name; }
    void add(CheckStatus status, const QString &detail, const QString &remedy = {}) {
        check.status = std::max(check.status, status);
        if (!detail.isEmpty())
            details.append(detail);
        if (!remedy.isEmpty() && !remedies.contains(remedy))
            remedies.append(remedy);
    }
    DoctorCheck done() {
        check.detail = details.join(u' ');
        check.remedy = remedies.join(u' ');
        return check;
    }
};

DoctorCheck deviceCheck(const QString &device, bool present, const SystemFacts &facts,
                        const DoctorTexts &texts) {
    CheckBuilder b(kDevice);
    if (present) {
        b.add(CheckStatus::Ok, texts.devicePresent.arg(device));
        return b.done();
    }
    if (!device.isEmpty())
        b.add(CheckStatus::Problem, texts.deviceMissing.arg(device));
    const QStringList ports = facts.serialPorts();
    b.add(CheckStatus::Problem, ports.isEmpty()
                                    ? texts.noPortsPresent
                                    : texts.portsPresent.arg(ports.join(QStringLiteral(", "))));
    // A cable's chip without a tty: on Linux mostly brltty, which claims the chip.
    const bool brltty = facts.packageInstalled(QStringLiteral("brltty"));
    for (const UsbChip &chip : facts.chipsWithoutTty()) {
        b.add(CheckStatus::Problem,
              texts.chipWithoutTty.arg(chip.usbId() + QStringLiteral(" (") + chip.product + u')'));
        const QStringList rules =
            brltty ? facts.rulesNaming(QStringLiteral("brltty"), chip.vendorId, chip.productId)
                   : QStringList();
        if (!rules.isEmpty()) {
            b.add(CheckStatus::Problem, texts.brlttyClaims.arg(rules.first(), chip.usbId()),
                  texts.brlttyRemedy.arg(rules.first()));
        } else {
            b.add(CheckStatus::Problem, {}, texts.chipWithoutTtyRemedy);
        }
    }
    b.add(CheckStatus::Problem, {}, texts.deviceMissingRemedy);
    return b.done();
}

DoctorCheck accessCheck(const QString &device, const DeviceNode &node, bool mayUse,
                        const SystemFacts &facts, const DoctorTexts &texts) {
    CheckBuilder b(kAccess);
    const QString rights = rightsText(node.mode);
    if (mayUse) {
        b.add(CheckStatus::Ok, texts.accessOk.arg(device, node.owner, node.group, rights));
        return b.done();
    }
    b.add(CheckStatus::Problem, texts.accessDenied.arg(device, node.owner, node.group, rights));
    const UserFacts user = facts.user();
    // Joining helps only a group that may read and write, is not root, and that the
    // session does not have already (then something else keeps the user out).
    const bool groupMayUse = (node.mode & 060) == 060 && node.gid != 0;
    const bool sessionHasIt = user.sessionGids.contains(node.gid);
    if (groupMayUse && !sessionHasIt) {
        b.add(CheckStatus::Problem, {},
              user.listedGroups.contains(node.group) ? texts.relogin.arg(node.group)
                                                     : texts.joinGroup.arg(node.group));
    } else {
        b.add(CheckStatus::Problem, {}, texts.groupWontHelp.arg(node.group, device));
    }
    b.add(CheckStatus::Problem,
          facts.ourUdevRuleInstalled() ? texts.udevRuleInstalled : texts.udevRuleMissing);
    return b.done();
}

DoctorCheck holdersCheck(const QString &device, bool mayUse, const SystemFacts &facts,
                         const DoctorTexts &texts, bool &busy) {
    CheckBuilder b(kHolders);
    const qint64 own = facts.ownPid();
    QList<qint64> others = facts.holders(device);
    others.removeAll(own);
    const std::optional<qint64> lock = facts.lockOwner(device);
    busy = (lock && *lock != own) || (mayUse && facts.busy(device));
    if (lock && *lock != own) {
        b.add(CheckStatus::Problem, texts.heldLock.arg(device, QString::number(*lock)),
              texts.heldRemedy);
    } else if (busy) {
        const qint64 pid = others.value(0, 0);
        b.add(CheckStatus::Problem,
              pid > 0
                  ? texts.heldByProcess.arg(device, facts.processName(pid), QString::number(pid))
                  : texts.heldByOther.arg(device),
              texts.heldRemedy);
    } else if (!others.isEmpty() && !isPseudoTerminal(device)) {
        // The far end of a pseudo-terminal keeps it open by nature; anyone else on a
        // real port would read our bytes and answers.
        const qint64 pid = others.first();
        b.add(CheckStatus::Warning,
              texts.alsoOpen.arg(device, facts.processName(pid), QString::number(pid)),
              texts.heldRemedy);
    } else {
        b.add(CheckStatus::Ok, texts.holdersNone.arg(device));
    }
    if (facts.processRunning(QStringLiteral("ModemManager"))) {
        if (facts.udevProperties(device).value(QStringLiteral("ID_MM_DEVICE_IGNORE")) ==
            QLatin1String("1"))
            b.add(CheckStatus::Ok, texts.modemManagerIgnores.arg(device));
        else
            b.add(CheckStatus::Warning, texts.modemManagerProbes.arg(device),
                  texts.modemManagerRemedy);
    }
    return b.done();
}

DoctorCheck chipCheck(const QString &device, const SystemFacts &facts, const DoctorTexts &texts) {
    CheckBuilder b(kChip);
    const std::optional<UsbChip> chip = facts.usbChipOf(device);
    if (!chip) {
        b.add(CheckStatus::Ok, texts.chipNotUsb.arg(device));
        return b.done();
    }
    const auto orDash = [](const QString &text) {
        return text.isEmpty() ? QStringLiteral("-") : text;
    };
    b.add(CheckStatus::Ok, texts.chipUsb.arg(orDash(chip->vendor), orDash(chip->product),
                                             chip->usbId(), orDash(chip->driver)));
    // Prolific's discontinued HXA/XA: device release 3.00 on a USB 1.1 chip; most
    // counterfeit PL2303 chips report the same.
    if (chip->usbId() == QLatin1String("067b:2303") && chip->bcdDevice == QLatin1String("0300") &&
        chip->bcdUsb == QLatin1String("1.10"))
        b.add(CheckStatus::Warning, texts.chipPl2303Old, texts.chipReplaceRemedy);
    // Counterfeit FTDI chips: a product id erased by the vendor's driver, or the serial
    // number all of one batch of counterfeits share.
    if (chip->usbId() == QLatin1String("0403:0000"))
        b.add(CheckStatus::Warning, texts.chipClone.arg(chip->usbId()), texts.chipReplaceRemedy);
    if (chip->vendorId == QLatin1String("0403") && chip->serial == QLatin1String("A50285BI"))
        b.add(CheckStatus::Warning, texts.chipClone.arg(chip->serial), texts.chipReplaceRemedy);
    return b.done();
}

DoctorVerdict verdictOf(LineObservation::Kind kind) {
    switch (kind) {
    case LineObservation::Kind::Echo:
        return DoctorVerdict::Echo;
    case LineObservation::Kind::Garbage:
        return DoctorVerdict::Garbage;
    case LineObservation::Kind::OtherRadio:
        return DoctorVerdict::OtherRadio;
    case LineObservation::Kind::Stopped:
        return DoctorVerdict::Stopped;
    case LineObservation::Kind::None:
    case LineObservation::Kind::Silent:
        break;
    }
    return DoctorVerdict::NoAnswer;
}

DoctorCheck probeCheck(const QString &device, const DoctorTexts &texts, const LineTexts &lineTexts,
                       const DeviceLinkFactory &makeLink, DoctorReport &report) {
    CheckBuilder b(kProbe);
    const std::unique_ptr<SerialLink> link = makeLink(device);
    if (!link->open()) {
        report.verdict = DoctorVerdict::Busy;
        b.add(CheckStatus::Problem, texts.probeOpenFailed.arg(device, link->errorString()),
              texts.heldRemedy);
        return b.done();
    }
    const ProbeOutcome outcome = probeRadio(*link);
    link->close();
    if (outcome.answered) {
        report.identBlock = outcome.identBlock;
        b.add(CheckStatus::Ok,
              texts.probeOk.arg(QString::number(outcome.attempts), hexBytes(outcome.identBlock)));
        return b.done();
    }
    report.verdict = verdictOf(outcome.line.kind);
    const QStringList lines = lineObservationLines(outcome.line, lineTexts);
    b.add(CheckStatus::Problem, lines.value(0), lines.value(1));
    return b.done();
}

} // namespace

ProbeOutcome probeRadio(SerialLink &link) {
    ProbeOutcome outcome;
    CloneProtocol protocol(link);
    const bool shook = protocol.handshake();
    outcome.attempts = protocol.handshakeAttempts();
    if (!shook) {
        outcome.line = observeHandshake(protocol.handshakeReplies());
        return outcome;
    }
    // The opening of a transfer: acknowledge, the identification block and its
    // acknowledgement; then the end command lets the radio go.
    std::optional<QByteArray> block;
    if (protocol.acknowledge())
        block = protocol.readBlock(RadioImage::kIdentAddress);
    if (!block || protocol.acknowledgeReply() != CloneProtocol::Ack::Clean) {
        outcome.line = observeStop(0, 0);
        return outcome;
    }
    protocol.endExchange();
    outcome.answered = true;
    outcome.identBlock = *block;
    return outcome;
}

DeviceLinkFactory serialLinkFactory() {
    return [](const QString &device) -> std::unique_ptr<SerialLink> {
        return std::make_unique<QtSerialLink>(device);
    };
}

DoctorReport examinePort(const QString &device, const SystemFacts &facts, const DoctorTexts &texts,
                         const LineTexts &lineTexts, const DeviceLinkFactory &makeLink) {
    DoctorReport report;
    report.device = device;
    const std::optional<DeviceNode> node = device.isEmpty() ? std::nullopt : facts.node(device);
    report.checks.append(deviceCheck(device, node.has_value(), facts, texts));
    if (!node) {
        report.verdict = DoctorVerdict::Missing;
        return report;
    }
    const bool mayUse = facts.mayReadWrite(device);
    report.checks.append(accessCheck(device, *node, mayUse, facts, texts));
    bool busy = false;
    report.checks.append(holdersCheck(device, mayUse, facts, texts, busy));
    report.checks.append(chipCheck(device, facts, texts));
    if (!mayUse)
        report.verdict = DoctorVerdict::NoPermission;
    else if (busy)
        report.verdict = DoctorVerdict::Busy;
    else
        report.checks.append(probeCheck(device, texts, lineTexts, makeLink, report));
    return report;
}

DoctorSurvey examineAllPorts(const SystemFacts &facts, const DoctorTexts &texts,
                             const LineTexts &lineTexts, const DeviceLinkFactory &makeLink) {
    DoctorSurvey survey;
    const QStringList ports = facts.serialPorts();
    if (ports.isEmpty())
        survey.reports.append(examinePort(QString(), facts, texts, lineTexts, makeLink));
    for (const QString &port : ports) {
        survey.reports.append(examinePort(port, facts, texts, lineTexts, makeLink));
        if (survey.reports.last().verdict == DoctorVerdict::Ok) {
            survey.answering = int(survey.reports.size()) - 1;
            break;
        }
    }
    return survey;
}

QString verdictName(DoctorVerdict verdict) {
    switch (verdict) {
    case DoctorVerdict::Ok:
        return QStringLiteral("ok");
    case DoctorVerdict::NoAnswer:
        return QStringLiteral("no-answer");
    case DoctorVerdict::Echo:
        return QStringLiteral("echo");
    case DoctorVerdict::Garbage:
        return QStringLiteral("garbage");
    case DoctorVerdict::OtherRadio:
        return QStringLiteral("other-radio");
    case DoctorVerdict::Stopped:
        return QStringLiteral("stopped");
    case DoctorVerdict::Missing:
        return QStringLiteral("missing");
    case DoctorVerdict::NoPermission:
        return QStringLiteral("no-permission");
    case DoctorVerdict::Busy:
        return QStringLiteral("busy");
    }
    return {};
}

QString checkStatusName(CheckStatus status) {
    switch (status) {
    case CheckStatus::Ok:
        return QStringLiteral("ok");
    case CheckStatus::Warning:
        return QStringLiteral("warning");
    case CheckStatus::Problem:
        return QStringLiteral("problem");
    }
    return {};
}

QString checkTitle(const QString &name, const DoctorTexts &texts) {
    if (name == kDevice)
        return texts.checkDevice;
    if (name == kAccess)
        return texts.checkAccess;
    if (name == kHolders)
        return texts.checkHolders;
    if (name == kChip)
        return texts.checkChip;
    if (name == kProbe)
        return texts.checkProbe;
    return name;
}

QString checkStatusText(CheckStatus status, const DoctorTexts &texts) {
    switch (status) {
    case CheckStatus::Ok:
        return texts.statusOk;
    case CheckStatus::Warning:
        return texts.statusWarning;
    case CheckStatus::Problem:
        return texts.statusProblem;
    }
    return {};
}

QString reportSummary(const DoctorReport &report, const DoctorTexts &texts) {
    if (report.verdict == DoctorVerdict::Ok)
        return texts.radioIsOn.arg(report.device);
    if (report.device.isEmpty())
        return texts.noPortsPresent;
    return texts.notAnswering.arg(report.device);
}

} // namespace vrx
