#pragma once

#include "radio/serial_link.h"

#include <QByteArray>

#include <optional>

namespace vrx {

// The clone protocol's steps on a SerialLink; the tool is the master.
//
// Every step drops input still buffered before it sends, and then looks only at what
// arrived for it within its own wait, so a reply that a radio sent late, or the reply
// of an earlier step, never passes for this step's answer. A step whose wait ends
// because the link failed returns the failure value at once; linkFailed() tells the
// two apart.
class CloneProtocol {
public:
    static constexpr int kHandshakeAttempts = 6;
    static constexpr int kStartPauseMs = 5;
    static constexpr int kReplyTimeoutMs = 250;
    static constexpr int kEndPauseMs = 50;
    static constexpr int kIdentReplyLength = 8;
    static constexpr int kReadReplyLength = 12;
    static constexpr int kReadHeaderLength = 4;

    static const QByteArray &identWord();  // 5A 41 4E 62 6F 72 ("ZANbor")
    static const QByteArray &identReply(); // 06 20 6B 6F 72 76 61 6E

    explicit CloneProtocol(SerialLink &link);

    // Up to 6 attempts of 02, a 5 ms pause, the ident word and a wait of 250 ms for
    // the ident reply. An attempt succeeds only when the reply is exactly the 8 bytes
    // of the ident reply: one byte more in the same burst fails it.
    bool handshake();
    // Attempts the last handshake() took (1..6); 0 before the first.
    int handshakeAttempts() const { return attempts_; }

    // Sends 06 and waits 250 ms for a reply that starts with 06.
    bool acknowledge();
    // 52 hi lo 08, then 250 ms for the 12-byte reply: its bytes 4..11 are the block.
    // The 4-byte header is not examined (what a radio puts there is its own affair).
    // A reply of any other length gives nothing: fewer bytes are no reply, and more
    // mean that a late byte of an earlier step came first and the data would be
    // shifted.
    std::optional<QByteArray> readBlock(quint16 address);
    // 57 hi lo 08 and the 8 bytes, then 250 ms for a reply that starts with 06.
    bool writeBlock(quint16 address, const QByteArray &data);
    // 64 6F ("do") and a 50 ms pause; no answer is awaited.
    void endExchange();
    // 61 67 ("ag") and a 50 ms pause; no answer is awaited.
    void startAging();

    bool linkFailed() const { return link_.failed(); }
    SerialLink &link() { return link_; }

    // The frames, for tests and traces.
    static QByteArray readFrame(quint16 address);
    static QByteArray writeFrame(quint16 address, const QByteArray &data);

private:
    // Drops stale input, sends `frame`, waits for `count` bytes.
    QByteArray exchange(const QByteArray &frame, int count);
    bool isAck(const QByteArray &reply) const;

    SerialLink &link_;
    int attempts_ = 0;
};

} // namespace vrx
