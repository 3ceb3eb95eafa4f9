#include "radio/line_observation.h"

#include "channels/channel_table.h"
#include "radio/protocol_constants.h"
#include "radio/radio_image.h"

#include <algorithm>

namespace vrx {

namespace {

constexpr int kShownBytes = 8;

// What one handshake attempt sends: the start byte and the ident word.
QByteArray handshakeBytes() {
    return QByteArray(1, ProtocolBytes::kStart) + ProtocolBytes::identWord();
}

// A reply that begins with (part of) what the tool sent: an echoing cable hands our
// bytes back first. Returns how many leading bytes are that echo.
qsizetype echoedPrefix(const QByteArray &reply) {
    const QByteArray sent = handshakeBytes();
    for (qsizetype length = std::min(reply.size(), sent.size()); length > 0; --length) {
        const QByteArray head = reply.left(length);
        if (sent.contains(head))
            return length;
    }
    return 0;
}

bool looksLikeIdentification(const QByteArray &bytes) {
    if (bytes.size() != ProtocolBytes::identReply().size() || bytes == ProtocolBytes::identReply())
        return false;
    if (bytes.at(0) == ProtocolBytes::kAck)
        return true;
    int printable = 0;
    for (const char c : bytes)
        printable += c >= 0x20 && c < 0x7F ? 1 : 0;
    return printable >= 6;
}

LineObservation::Kind classify(const QByteArray &reply, QByteArray &shown) {
    using Kind = LineObservation::Kind;
    if (reply.isEmpty())
        return Kind::Silent;
    const QByteArray rest = reply.mid(echoedPrefix(reply));
    if (rest.isEmpty())
        return Kind::Echo;
    if (looksLikeIdentification(rest)) {
        shown = rest;
        return Kind::OtherRadio;
    }
    shown = reply.left(kShownBytes);
    return Kind::Garbage;
}

int rank(LineObservation::Kind kind) {
    switch (kind) {
    case LineObservation::Kind::OtherRadio:
        return 4;
    case LineObservation::Kind::Garbage:
        return 3;
    case LineObservation::Kind::Echo:
        return 2;
    case LineObservation::Kind::Silent:
        return 1;
    default:
        return 0;
    }
}

} // namespace

LineObservation observeHandshake(const QList<QByteArray> &replies) {
    LineObservation best;
    best.kind = LineObservation::Kind::Silent;
    for (const QByteArray &reply : replies) {
        QByteArray shown;
        const LineObservation::Kind kind = classify(reply, shown);
        if (rank(kind) > rank(best.kind)) {
            best.kind = kind;
            best.bytes = shown;
        }
    }
    return best;
}

LineObservation observeStop(int channel, int completedChannels) {
    LineObservation observation;
    observation.kind = LineObservation::Kind::Stopped;
    if (channel > 0) {
        observation.stop = LineObservation::StopPoint::Channel;
        observation.channel = channel;
    } else if (completedChannels >= kChannelCount) {
        observation.stop = LineObservation::StopPoint::Settings;
    }
    return observation;
}

QStringList lineObservationLines(const LineObservation &o, const LineTexts &texts) {
    using Kind = LineObservation::Kind;
    switch (o.kind) {
    case Kind::None:
        return {};
    case Kind::Silent:
        return {texts.silent, texts.silentRemedy};
    case Kind::Echo:
        return {texts.echo, texts.echoRemedy};
    case Kind::Garbage:
        return {texts.garbage.arg(hexBytes(o.bytes)), texts.garbageRemedy};
    case Kind::OtherRadio:
        return {texts.otherRadio.arg(hexBytes(o.bytes), readableCharacters(o.bytes)),
                texts.otherRadioRemedy};
    case Kind::Stopped:
        switch (o.stop) {
        case LineObservation::StopPoint::Start:
            return {texts.stoppedAtStart, texts.stoppedRemedy};
        case LineObservation::StopPoint::Channel:
            return {texts.stoppedAtChannel.arg(o.channel, 3, 10, QLatin1Char('0')),
                    texts.stoppedRemedy};
        case LineObservation::StopPoint::Settings:
            return {texts.stoppedAtSettings, texts.stoppedRemedy};
        }
    }
    return {};
}

QString withLineObservation(const QString &message, const LineObservation &observation,
                            const LineTexts &texts) {
    QStringList lines{message};
    lines += lineObservationLines(observation, texts);
    return lines.join(u'\n');
}

QString hexBytes(const QByteArray &bytes) {
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString readableCharacters(const QByteArray &bytes) {
    QString text;
    for (const char c : bytes)
        text.append(c >= 0x20 && c < 0x7F ? QChar::fromLatin1(c) : u'.');
    return text;
}

} // namespace vrx
