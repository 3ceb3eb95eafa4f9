#pragma once

#include "channels/channel_table.h"
#include "i18n/port_texts.h"
#include "i18n/ui_texts.h"
#include "radio/qt_serial_link.h"
#include "radio/transfer.h"
#include "radio/transfer_engine.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"
#include "storage/app_settings.h"

#include <QString>

namespace vrx {

// What the GUI holds while it talks to the radio: the table, the options, the band
// lists from the settings file and the texts of the chosen language.
struct Workspace {
    ChannelTable table;
    RadioSettings settings;
    BandPlan bands;
    UiTexts texts;
    PortTexts portTexts;

    // The band lists of `appSettings` and the language `languageName` ("chn", "eng").
    void prepare(const AppSettings &appSettings, const QString &languageName);
};

// Reports a radio failure ("message (detail)", then the message's further lines) and
// returns ExitRadioFailed.
int failRadio(const QString &message, const QString &detail);

// Opens the port as the GUI does before it shows the transfer dialog: an exclusive probe
// first, so a missing or busy port is reported before anything is sent. ExitOk or
// ExitRadioFailed, reported with why the port did not open and what helps; `comItem` is
// the COM item (1-4) the user named, 0 for a device path.
int openPort(QtSerialLink &link, const Workspace &ws, int comItem);

// The same for a transfer worker, whose thread opens the port and keeps it open.
int openPort(TransferWorker &worker, const QString &device, const Workspace &ws, int comItem);

// A read of the radio into `ws` with a progress bar labelled `label`.
TransferResult readWithProgress(QtSerialLink &link, Workspace &ws, const QString &label,
                                const StopRequest &stop);

// "the radio holds channels 1-49 of the new plan" for an interrupted or failed write.
QString writtenSoFar(const TransferResult &result);

// After an interrupted or failed write: how to put the radio's old plan back (the
// before-write backup and the command that writes it), or that --backup keeps it next
// time. `port` is the --port argument as given.
QStringList recoveryLines(const std::optional<BackupResult> &backup, const QString &port);

} // namespace vrx
