#pragma once

#include "i18n/line_texts.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace vrx {

// What came back on the line when an exchange with the radio failed: the evidence that
// tells an unplugged cable from a switched-off radio, a wrong radio or a loose plug.
struct LineObservation {
    enum class Kind {
        None,       // nothing to say (the exchange succeeded, or the port failed)
        Silent,     // no byte at all came back
        Echo,       // only our own bytes came back
        Garbage,    // bytes that are no answer; `bytes` holds the first 8
        OtherRadio, // an identification reply of another radio; `bytes` holds it
        Stopped,    // the radio answered, then stopped at `stop`
    };
    enum class StopPoint {
        Start,    // after the handshake, before the first channel
        Channel,  // at `channel`
        Settings, // after the channels, at the settings block or later
    };

    Kind kind = Kind::None;
    QByteArray bytes;
    StopPoint stop = StopPoint::Start;
    int channel = 0;

    bool operator==(const LineObservation &) const = default;
};

// Classifies the replies of a failed handshake, one for each attempt (empty where none
// came). The most telling attempt decides: another radio's identification, then other
// bytes, then an echo, then silence.
LineObservation observeHandshake(const QList<QByteArray> &replies);

// A radio that answered the handshake and failed later, at `channel` (1..199), or with
// `channel` 0 after `completedChannels` channels.
LineObservation observeStop(int channel, int completedChannels);

// `message` followed by the diagnosis and the remedy, a line each.
QString withLineObservation(const QString &message, const LineObservation &observation,
                            const LineTexts &texts);

// The diagnosis line and the remedy line; empty for None.
QStringList lineObservationLines(const LineObservation &observation, const LineTexts &texts);

// "15 A5 5A": bytes as the user is shown them.
QString hexBytes(const QByteArray &bytes);
// The bytes' printable ASCII characters, a dot for each other byte.
QString readableCharacters(const QByteArray &bytes);

} // namespace vrx
