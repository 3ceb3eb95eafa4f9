#pragma once

#include "radio/radio_image.h"

#include <QByteArray>

namespace vrx {

// The bytes of the clone protocol that both ends use: the tool's CloneProtocol and the
// SimulatedRadio that stands in for the radio.
namespace ProtocolBytes {

inline constexpr char kStart = 0x02; // opens a handshake, before the ident word
inline constexpr char kAck = 0x06;
inline constexpr char kReadOpcode = 0x52;  // 'R'
inline constexpr char kWriteOpcode = 0x57; // 'W'; a read reply starts with it too
// A block frame starts with its opcode, the address (high byte first) and the length.
inline constexpr int kBlockHeaderLength = 4;
inline constexpr char kBlockLength = char(RadioImage::kBlockSize);

// The tool's ident word, "ZANbor".
inline const QByteArray &identWord() {
    static const QByteArray word = QByteArrayLiteral("\x5A\x41\x4E\x62\x6F\x72");
    return word;
}

// The radio's answer to it: 06 and " korvan".
inline const QByteArray &identReply() {
    static const QByteArray reply = QByteArrayLiteral("\x06\x20\x6B\x6F\x72\x76\x61\x6E");
    return reply;
}

// The two-byte commands that end an exchange ("do") and start aging ("ag").
inline const QByteArray &endCommand() {
    static const QByteArray command = QByteArrayLiteral("do");
    return command;
}
inline const QByteArray &agingCommand() {
    static const QByteArray command = QByteArrayLiteral("ag");
    return command;
}

} // namespace ProtocolBytes

} // namespace vrx
