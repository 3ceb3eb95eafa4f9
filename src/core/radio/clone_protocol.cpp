#include "radio/clone_protocol.h"

#include "radio/protocol_constants.h"
#include "radio/radio_image.h"

namespace vrx {

namespace {

using namespace ProtocolBytes;

QByteArray blockHeader(char opcode, quint16 address) {
    QByteArray frame;
    frame.append(opcode);
    frame.append(char(address >> 8));
    frame.append(char(address & 0xFF));
    frame.append(kBlockLength);
    return frame;
}

} // namespace

const QByteArray &CloneProtocol::identWord() {
    return ProtocolBytes::identWord();
}

const QByteArray &CloneProtocol::identReply() {
    return ProtocolBytes::identReply();
}

CloneProtocol::CloneProtocol(SerialLink &link) : link_(link) {}

QByteArray CloneProtocol::readFrame(quint16 address) {
    return blockHeader(kReadOpcode, address);
}

QByteArray CloneProtocol::writeFrame(quint16 address, const QByteArray &data) {
    return blockHeader(kWriteOpcode, address) + data;
}

void CloneProtocol::discardStale() {
    strayBytes_ = link_.discardInput();
}

QByteArray CloneProtocol::exchange(const QByteArray &frame, int count) {
    if (link_.failed())
        return {};
    discardStale();
    link_.send(frame);
    return link_.waitForBytes(count, kReplyTimeoutMs);
}

bool CloneProtocol::isAck(const QByteArray &reply) const {
    return !link_.failed() && !reply.isEmpty() && reply.at(0) == kAck;
}

bool CloneProtocol::handshake() {
    attempts_ = 0;
    replies_.clear();
    echo_ = Echo::Unknown;
    while (attempts_ < kHandshakeAttempts && !link_.failed()) {
        ++attempts_;
        discardStale();
        link_.send(QByteArray(1, kStart));
        link_.pause(kStartPauseMs);
        const QByteArray reply = exchange(identWord(), kIdentReplyLength);
        replies_.append(reply);
        if (!link_.failed() && reply == identReply())
            return true;
    }
    return false;
}

bool CloneProtocol::acknowledge() {
    return isAck(exchange(QByteArray(1, kAck), 1));
}

CloneProtocol::Ack CloneProtocol::acknowledgeReply() {
    const QByteArray reply = exchange(QByteArray(1, kAck), 1);
    if (link_.failed())
        return Ack::Missing;
    if (inputBeforeLastCommand() || (!reply.isEmpty() && reply != QByteArray(1, kAck)))
        return Ack::Suspect;
    return reply.isEmpty() ? Ack::Missing : Ack::Clean;
}

std::optional<QByteArray> CloneProtocol::readBlock(quint16 address) {
    const QByteArray reply = exchange(readFrame(address), kReadReplyLength);
    if (link_.failed() || reply.size() != kReadReplyLength)
        return std::nullopt;
    // The radio answers a read in the write command's form: 57 hi lo 08 and the data.
    const QByteArray echo = readFrame(address).mid(1);
    const bool echoes = reply.mid(1, echo.size()) == echo;
    if (echo_ == Echo::Unknown) {
        // The echo further in is an echoing radio's reply shifted by noise, not a radio
        // without echo.
        if (!echoes && reply.indexOf(echo, 2) >= 0)
            return std::nullopt;
        echo_ = echoes ? Echo::Yes : Echo::No;
    }
    if (echo_ == Echo::Yes && !echoes)
        return std::nullopt;
    return reply.mid(kReadHeaderLength, RadioImage::kBlockSize);
}

bool CloneProtocol::writeBlock(quint16 address, const QByteArray &data) {
    if (data.size() != RadioImage::kBlockSize)
        return false;
    return isAck(exchange(writeFrame(address, data), 1));
}

void CloneProtocol::endExchange() {
    if (link_.failed())
        return;
    discardStale();
    link_.send(endCommand());
    link_.pause(kEndPauseMs);
}

void CloneProtocol::startAging() {
    if (link_.failed())
        return;
    discardStale();
    link_.send(agingCommand());
    link_.pause(kEndPauseMs);
}

} // namespace vrx
