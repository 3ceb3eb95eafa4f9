#pragma once

#include "i18n/ui_texts.h"
#include "radio/line_observation.h"
#include "radio/serial_link.h"
#include "settings/radio_settings.h"

#include <QString>

namespace vrx {

// The service exchanges: power amplifier drive (block 0C88) and aging. Each opens the
// link, shakes hands, does its own steps and closes the link again.

enum class ServiceStatus {
    Done,
    // The radio did not acknowledge after the handshake, or did not acknowledge the
    // written block: the exchange ends quietly (no message is shown for it).
    NotAcknowledged,
    PortOpenFailed, // the link could not be opened; nothing was sent
    NoResponse,     // the handshake failed, or the drive block's read got no full reply
    LinkFailed,     // the port reported an error during the exchange
};

struct ServiceResult {
    ServiceStatus status = ServiceStatus::Done;
    QString detail;
    // What the line did when the handshake failed.
    LineObservation line;

    // Whether the warning dialog has something to show (see message()).
    bool failed() const {
        return status == ServiceStatus::PortOpenFailed || status == ServiceStatus::NoResponse ||
               status == ServiceStatus::LinkFailed;
    }
    // MsgPortOpenFailed or MsgNoResponse for a failure (the latter followed by what the
    // line did and what helps), empty otherwise.
    QString message(const UiTexts &texts) const;
};

// Reads the three drive bytes into `settings`. Without a full reply the values stay as
// they were.
ServiceResult readPowerDrive(SerialLink &link, RadioSettings &settings);
// Writes high, low1, low2 and five FF bytes to 0C88.
ServiceResult writePowerDrive(SerialLink &link, const RadioSettings &settings);
// Tells the radio to start its aging mode ("ag"); never sends the end command.
ServiceResult startAging(SerialLink &link);
// The defaults 79, 45, 45, without contacting the radio.
void defaultPowerDrive(RadioSettings &settings);

} // namespace vrx
