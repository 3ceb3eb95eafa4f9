#pragma once

#include "channels/channel_table.h"
#include "i18n/ui_texts.h"
#include "radio/transfer.h"
#include "settings/radio_settings.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>

namespace vrx {

// A field the radio holds otherwise than it was written.
struct VerifyDifference {
    int channel = 0; // 1..199, 0 for the settings block
    QString field;   // "RxFreq", ..., "BusyLock", or an option key ("Squelch")
    QString wrote;   // as a cell shows it; "(empty)" for no frequency
    QString holds;

    // "CH007 RxFreq: wrote 145.52500, radio holds 145.52510", "Squelch: wrote 2, radio
    // holds 5".
    QString line() const;
    bool operator==(const VerifyDifference &) const = default;
};

// Said once with every verification's result.
inline const QString kVerifyNotReadBack =
    QStringLiteral("the band limits and the identification block cannot be read back and "
                   "were not compared");

// What the radio must hold after a write: the 199 encoded records and the settings block.
struct WrittenImage {
    std::array<QByteArray, kChannelCount> records;
    QByteArray settingsBlock;
};

// The image writeRadio() sends for this table and settings; nullopt when a cell cannot
// be encoded (writeRadio() would refuse it too).
std::optional<WrittenImage> writtenImage(const ChannelTable &table, const RadioSettings &settings,
                                         const UiTexts &texts);

// Compares what was written with what the radio holds, field by field on the encoded
// bytes the radio keeps, so value words and languages play no part: the receive and
// transmit frequencies, the two tone words and the four flag bits of every channel (an
// erased channel only by its receive frequency, since nothing else of it is read), and
// each option of the settings block.
QList<VerifyDifference> compareWithRadio(const WrittenImage &written, const RadioReadBack &holds,
                                         const UiTexts &texts);

struct VerifyResult {
    // The read back: its own handshake, a full read and its end command.
    TransferResult readBack;
    QList<VerifyDifference> differences;

    bool readOk() const { return readBack.ok(); }
    bool ok() const { return readBack.ok() && differences.isEmpty(); }
};

// Reads the radio back after a write (a new exchange on the open link) and compares it
// with `written`. A read back that fails, or that skips a block for want of a valid reply,
// is its own failure (NoResponse, the block named in the detail), never a difference: the
// write happened, the verification did not.
VerifyResult verifyWrite(SerialLink &link, const WrittenImage &written, const UiTexts &texts,
                         const TransferProgress &progress = {}, const StopRequest &stop = {});

// At most `limit` lines of differences, then "... and N more differences".
QStringList differenceLines(const QList<VerifyDifference> &differences, int limit = 20);

} // namespace vrx
