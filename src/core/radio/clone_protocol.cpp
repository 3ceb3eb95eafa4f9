#include "radio/clone_protocol.h"

#include "radio/radio_image.h"

namespace vrx {

namespace {

constexpr char kStartByte = 0x02;
constexpr char kAck = 0x06;
constexpr char kReadOpcode = 0x52;
constexpr char kWriteOpcode = 0x57;

QByteArray blockHeader(char opcode, quint16 address) {
    QByteArray frame;
    frame.append(opcode);
    frame.append(char(address >> 8));
    frame.append(char(address & 0xFF));
    frame.append(char(RadioImage::kBlockSize));
    return frame;
}

} // namespace

const QByteArray &CloneProtocol::identWord() {
    static const QByteArray word = QByteArrayLiteral("\x5A\x41\x4E\x62\x6F\x72");
    return word;
}

const QByteArray &CloneProtocol::identReply() {
    static const QByteArray reply = QByteArrayLiteral("\x06\x20\x6B\x6F\x72\x76\x61\x6E");
    return reply;
}

CloneProtocol::CloneProtocol(SerialLink &link) : link_(link) {}

QByteArray CloneProtocol::readFrame(quint16 address) {
    return blockHeader(kReadOpcode, address);
}

QByteArray CloneProtocol::writeFrame(quint16 address, const QByteArray &data) {
    return blockHeader(kWriteOpcode, address) + data;
}

QByteArray CloneProtocol::exchange(const QByteArray &frame, int count) {
    if (link_.failed())
        return {};
    link_.discardInput();
    link_.send(frame);
    return link_.waitForBytes(count, kReplyTimeoutMs);
}

bool CloneProtocol::isAck(const QByteArray &reply) const {
    return !link_.failed() && !reply.isEmpty() && reply.at(0) == kAck;
}

bool CloneProtocol::handshake() {
    attempts_ = 0;
    while (attempts_ < kHandshakeAttempts && !link_.failed()) {
        ++attempts_;
        link_.discardInput();
        link_.send(QByteArray(1, kStartByte));
        link_.pause(kStartPauseMs);
        const QByteArray reply = exchange(identWord(), kIdentReplyLength);
        if (!link_.failed() && reply == identReply())
            return true;
    }
    return false;
}

bool CloneProtocol::acknowledge() {
    return isAck(exchange(QByteArray(1, kAck), 1));
}

std::optional<QByteArray> CloneProtocol::readBlock(quint16 address) {
    const QByteArray reply = exchange(readFrame(address), kReadReplyLength);
    if (link_.failed() || reply.size() != kReadReplyLength)
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
    link_.discardInput();
    link_.send(QByteArrayLiteral("do"));
    link_.pause(kEndPauseMs);
}

void CloneProtocol::startAging() {
    if (link_.failed())
        return;
    link_.discardInput();
    link_.send(QByteArrayLiteral("ag"));
    link_.pause(kEndPauseMs);
}

} // namespace vrx
