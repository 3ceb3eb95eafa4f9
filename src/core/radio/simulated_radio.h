#pragma once

#include <QByteArray>
#include <QList>

namespace vrx {

// The radio's side of the clone protocol over a 0x0D00-byte memory, strict about
// what it accepts: it answers only well-formed frames, in the order a radio would.
// It is time-aware but owns no clock: the host (an in-memory link with a virtual
// clock, or a pseudo-terminal server) passes the current time in and delivers each
// reply chunk when it falls due.
class SimulatedRadio {
public:
    static constexpr int kMemorySize = 0x0D00;

    enum class FaultKind {
        None,
        SilentFrom,      // no answer to any awaited step from step `step` on (1-based)
        WrongIdent,      // the ident reply is wrong at every handshake attempt
        Garbage,         // at step `step`, answer with garbage bytes instead of the reply
        SplitReply,      // at step `step`, the reply comes in two bursts 300 ms apart
        LateReply,       // at step `step`, the reply comes 400 ms late
        ExtraIdentByte,  // the ident reply carries one extra byte in the same burst
    };
    struct Fault {
        FaultKind kind = FaultKind::None;
        int step = 0;
    };

    // A piece of reply that becomes readable on the tool's side at `dueMs`.
    struct Chunk {
        qint64 dueMs = 0;
        QByteArray bytes;
    };

    SimulatedRadio();

    QByteArray &memory() { return memory_; }
    const QByteArray &memory() const { return memory_; }

    void setFault(Fault fault) { fault_ = fault; }
    // With wire time each byte costs 1.04 ms (9600 baud, 10 bits) in both directions.
    void setWireTime(bool enabled) { wireTime_ = enabled; }

    // Bytes from the tool that arrived at `nowMs`; returns the reply chunks they cause.
    QList<Chunk> receive(const QByteArray &bytes, qint64 nowMs);

    // Everything the radio has received so far, in order.
    const QByteArray &received() const { return received_; }
    // Steps answered (or refused by a fault) so far; a step is a command that awaits a reply.
    int stepCount() const { return steps_; }
    bool inCloneMode() const;
    bool agingStarted() const { return aging_; }
    bool endReceived() const { return ended_; }

private:
    // Implementation state is private to the radio model.
    QByteArray memory_;
    QByteArray received_;
    QByteArray pending_;
    Fault fault_;
    bool wireTime_ = false;
    int steps_ = 0;
    int state_ = 0;
    bool aging_ = false;
    bool ended_ = false;
};

} // namespace vrx
