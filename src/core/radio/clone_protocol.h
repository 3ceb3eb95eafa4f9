#pragma once

#include "radio/serial_link.h"

#include <QByteArray>
#include <QList>

#include <optional>

namespace vrx {

// The clone protocol's steps on a SerialLink; the tool is the master.
//
// Every step drops input still buffered before it sends, and then looks only at what
// arrived for it within its own wait, so a reply that a radio sent late, or the reply
// of an earlier step, never passes for this step's answer. A step whose wait ends
// because the link failed returns the failure value at once; linkFailed() tells the
// two apart.
//
// A noisy line can insert a byte and lose one, so that a shifted reply has the right
// length. Three signs give it away, and a caller must not take the reply before them
// as data: a read reply whose header does not echo the command, an acknowledgement
// that is anything but the single byte 06, and input that arrived between a reply and
// the next command (inputBeforeLastCommand()).
class CloneProtocol {
public:
    // What an acknowledgement got back.
    enum class Ack {
        Clean,   // exactly 06, on a quiet line
        Missing, // nothing at all: the radio did not acknowledge
        Suspect, // other bytes, or input before the 06 was sent: the reply before is
                 // not to be trusted
    };

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
    // of the ident reply: one byte more in the same burst fails it. Starts a new
    // transfer: whether the radio echoes read headers is decided again.
    bool handshake();
    // Attempts the last handshake() took (1..6); 0 before the first.
    int handshakeAttempts() const { return attempts_; }
    // What came back at each attempt of the last handshake() (empty where nothing did),
    // so that a failure can say what the line did.
    const QList<QByteArray> &handshakeReplies() const { return replies_; }

    // Sends 06 and waits 250 ms for a reply that starts with 06.
    bool acknowledge();
    // The same step, telling a missing acknowledgement from a suspect one.
    Ack acknowledgeReply();
    // 52 hi lo 08, then 250 ms for the 12-byte reply: its bytes 4..11 are the block.
    // A reply of any other length gives nothing: fewer bytes are no reply, and more
    // mean that a late byte of an earlier step came first and the data would be
    // shifted. Bytes 1 to 3 must echo the command (57 hi lo 08: byte 0 is not
    // examined), unless the first read reply since the handshake did not: a radio
    // that does not echo headers is not refused for that alone.
    std::optional<QByteArray> readBlock(quint16 address);
    // True when the last step found input waiting before it sent its command.
    bool inputBeforeLastCommand() const { return strayBytes_ > 0; }
    // Whether read headers are checked in this transfer (false until the first read
    // reply, and for a radio that does not echo them).
    bool checksEcho() const { return echo_ == Echo::Yes; }
    // 57 hi lo 08 and the 8 bytes, then 250 ms for a reply that starts with 06.
    bool writeBlock(quint16 address, const QByteArray &data);
    // 64 6F ("do") and a 50 ms pause; no answer is awaited. Input found waiting before
    // it is reported by inputBeforeLastCommand() as for every step.
    void endExchange();
    // 61 67 ("ag") and a 50 ms pause; no answer is awaited.
    void startAging();

    bool linkFailed() const { return link_.failed(); }
    SerialLink &link() { return link_; }

    // The frames, for tests and traces.
    static QByteArray readFrame(quint16 address);
    static QByteArray writeFrame(quint16 address, const QByteArray &data);

private:
    enum class Echo { Unknown, Yes, No };

    // Drops stale input, sends `frame`, waits for `count` bytes.
    QByteArray exchange(const QByteArray &frame, int count);
    // Drops stale input, noting how much there was.
    void discardStale();
    bool isAck(const QByteArray &reply) const;

    SerialLink &link_;
    int attempts_ = 0;
    QList<QByteArray> replies_;
    int strayBytes_ = 0;
    Echo echo_ = Echo::Unknown;
};

} // namespace vrx
