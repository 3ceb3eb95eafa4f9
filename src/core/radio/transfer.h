#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "radio/line_observation.h"
#include "radio/serial_link.h"
#include "settings/band_plan.h"
#include "settings/radio_settings.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>

namespace vrx {

// Gauge maxima of a read and a write. Just before the end command the gauge is set past
// its maximum (205, 208) so that the bar shows full.
inline constexpr int kReadProgressMax = 203;
inline constexpr int kWriteProgressMax = 206;
inline constexpr int kReadProgressEnd = 205;
inline constexpr int kWriteProgressEnd = 208;

// Called after every counted step with the gauge's new value and its maximum.
using TransferProgress = std::function<void(int value, int maximum)>;

// Asked at every step boundary (between whole blocks, never inside a frame). True stops
// the transfer there: the end command is sent so that the radio leaves its clone mode,
// and the result is Interrupted.
using StopRequest = std::function<bool()>;

enum class TransferStatus {
    Ok,
    PortNotOpen,    // the link was not open; nothing was sent
    InvalidChannel, // a write found a cell it cannot encode; nothing was sent
    NoResponse,     // the handshake failed, or a step got no (or no valid) reply
    LinkFailed,     // the port reported an error (cable pulled, device gone)
    Interrupted,    // a StopRequest ended it at a step boundary
};

// Steps that a transfer may leave out without failing: the radio did not acknowledge
// the step before them, or (BandWithoutSelection) a band list had nothing to write.
enum class SkippedStep {
    IdentRead,
    SettingsRead,
    EndCommand,
    Band1Limits,
    Band2Limits,
    IdentWrite,
    BandWithoutSelection,
};

struct TransferResult {
    TransferStatus status = TransferStatus::Ok;
    // The channel of the failing step or of the invalid cell, 0 when none.
    int channel = 0;
    // The column of the invalid cell (InvalidChannel), 0 otherwise.
    int column = 0;
    // The invalid cell's column header as the table showed it (so in the language of the
    // check) and the cell's text (InvalidChannel); empty otherwise.
    QString fieldName;
    QString cellText;
    // What failed, in English for logs and the command line: the step, the channel and
    // field, the link's error text.
    QString detail;
    // Lenient steps that did not happen although the transfer succeeded (the radio did
    // not acknowledge the step before them, or a band list had nothing to write).
    QStringList skipped;
    // The same steps, for callers that act on them.
    QList<SkippedStep> skippedSteps;
    // The gauge's last value.
    int progress = 0;
    // Channels completely read or written (1..completedChannels), in order.
    int completedChannels = 0;
    // Handshake attempts taken (1..6), 0 when none was made.
    int handshakeAttempts = 0;
    // What the line did when the radio did not complete the exchange.
    LineObservation line;

    bool ok() const { return status == TransferStatus::Ok; }
    // The text the warning dialog shows for a failure: MsgNoResponse when the radio did
    // not complete the exchange, MsgPortOpenFailed when the port was not open, and
    // MsgCannotWriteCell naming the channel, field and text of a cell that cannot be
    // written. Below MsgNoResponse follow what the line did and what helps, a line each.
    QString message(const UiTexts &texts) const;
    // What a successful run must tell the user because the radio let it skip steps: that
    // the settings were not read, or that the band limits or the identification block
    // were not written. Empty when nothing of that kind was skipped (a band list without
    // a selection is the user's choice, not news).
    QString notice(const UiTexts &texts) const;
};

// Reads the radio's 199 channels and its settings block into `table` and `settings`.
// The link must be open; the caller opens and closes it (the transfer dialog keeps the
// port open while it is shown). Runs on the calling thread: the link's waits are where
// a GUI keeps its events flowing.
//
// A failure leaves the channels before the failing one as read, the failing channel as
// it was when the failure came at the acknowledgement before it and empty when it came
// within its own blocks, and the later channels and the settings as they were.
TransferResult readRadio(SerialLink &link, ChannelTable &table, RadioSettings &settings,
                         const UiTexts &texts, const TransferProgress &progress = {},
                         const StopRequest &stop = {});

// The blocks a read takes from the radio, as the radio holds them.
struct RadioReadBack {
    // records[n - 1] is channel n's 16-byte record; empty where the read did not get.
    std::array<QByteArray, kChannelCount> records;
    // The 8-byte settings block; empty when the read skipped it.
    QByteArray settingsBlock;
};

// The same exchange as readRadio(), keeping the raw blocks instead of decoding them.
TransferResult readRadioBlocks(SerialLink &link, RadioReadBack &blocks,
                               const TransferProgress &progress = {}, const StopRequest &stop = {});

// Writes the 199 channels, the settings block, the band 1 and band 2 limits, and the
// identification block. Every channel is checked first: a cell that cannot be encoded
// refuses the whole write before anything is sent. A band whose receive or transmit list
// has no usable selection is skipped, so the radio keeps its limits for that band.
TransferResult writeRadio(SerialLink &link, const ChannelTable &table,
                          const RadioSettings &settings, const BandPlan &bands,
                          const UiTexts &texts, const TransferProgress &progress = {},
                          const StopRequest &stop = {});

// The check writeRadio() makes before it sends anything: Ok, or InvalidChannel naming
// the first channel and field that cannot be written, with the field's header from
// `table`.
TransferResult validateForWrite(const ChannelTable &table, const UiTexts &texts);

} // namespace vrx
