#pragma once

#include "i18n/doctor_texts.h"
#include "i18n/line_texts.h"
#include "radio/line_observation.h"
#include "radio/serial_link.h"
#include "radio/system_facts.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <functional>
#include <memory>

namespace vrx {

// The connection doctor: looks at a serial port from the device node to the radio's
// answer and says what is wrong and what helps.

enum class CheckStatus { Ok, Warning, Problem };

// The overall finding, one word for scripts ("no-answer", ...: verdictName()).
enum class DoctorVerdict {
    Ok,
    NoAnswer,
    Echo,
    Garbage,
    OtherRadio,
    Stopped,
    Missing,
    NoPermission,
    Busy,
};

// One check: its name for scripts ("device", "access", "holders", "chip", "probe"), how
// it went, what it found and what helps (empty when nothing needs doing).
struct DoctorCheck {
    QString name;
    CheckStatus status = CheckStatus::Ok;
    QString detail;
    QString remedy;

    bool operator==(const DoctorCheck &) const = default;
};

struct DoctorReport {
    QString device;
    DoctorVerdict verdict = DoctorVerdict::Ok;
    // In the order they ran; a check that cannot run after a problem is left out.
    QList<DoctorCheck> checks;
    // The radio's identification block, when it answered.
    QByteArray identBlock;
};

// What the probe saw: an answer (with the identification block), or what the line did.
struct ProbeOutcome {
    bool answered = false;
    int attempts = 0;
    QByteArray identBlock;
    LineObservation line;
};

// Shakes hands as a transfer does (up to six attempts) on an open link; when
// the radio answers, reads the identification block and ends with the end command.
// Nothing is written.
ProbeOutcome probeRadio(SerialLink &link);

// Makes the link the probe runs on (a serial port at 9600 8N1 unless a test says other).
using DeviceLinkFactory = std::function<std::unique_ptr<SerialLink>(const QString &device)>;
DeviceLinkFactory serialLinkFactory();

// The checks of `device` in order: the device, access, who holds it, the chip, the probe.
DoctorReport examinePort(const QString &device, const SystemFacts &facts, const DoctorTexts &texts,
                         const LineTexts &lineTexts,
                         const DeviceLinkFactory &makeLink = serialLinkFactory());

// Every serial port the system has, each checked and probed; `answering` is the index of
// the first report whose radio answered, -1 when none did. With no port at all, one
// report for "no device" says what the system shows of the cable.
struct DoctorSurvey {
    QList<DoctorReport> reports;
    int answering = -1;
};
DoctorSurvey examineAllPorts(const SystemFacts &facts, const DoctorTexts &texts,
                             const LineTexts &lineTexts,
                             const DeviceLinkFactory &makeLink = serialLinkFactory());

QString verdictName(DoctorVerdict verdict);
QString checkStatusName(CheckStatus status);
// The check's and the status's words in the current language.
QString checkTitle(const QString &name, const DoctorTexts &texts);
QString checkStatusText(CheckStatus status, const DoctorTexts &texts);
// The line that sums the report up: where the radio is, or that it cannot be reached.
QString reportSummary(const DoctorReport &report, const DoctorTexts &texts);

} // namespace vrx
