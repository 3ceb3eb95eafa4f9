#pragma once

#include <QByteArray>
#include <QList>

namespace vrx {

// The radio's side of the clone protocol over a 0x0D00-byte memory, strict about
// what it accepts: it answers only well-formed frames, in the order a radio would.
// It is time-aware but owns no clock: the host (an in-memory link with a virtual
// clock, or a pseudo-terminal server) passes the current time in and delivers each
// reply chunk when it falls due.
//
// What it accepts:
//   idle:        02 then the ident word 5A 41 4E 62 6F 72 -> 06 20 6B 6F 72 76 61 6E
//   clone mode:  06 -> 06
//                52 hi lo 08 -> 57 hi lo 08 + the 8 bytes; then only 06 is accepted
//                57 hi lo 08 + 8 bytes -> stored, 06
//                64 6F ("do") -> back to idle, no answer
//                61 67 ("ag") -> aging starts, back to idle, no answer
//                02 + ident word -> a new handshake (a tool that missed the reply retries)
// Anything else (length byte not 08, an address outside memory or not 8-aligned, a
// command before the handshake, a read not acknowledged) gets no answer, and the
// rest of what is buffered with it is dropped.
class SimulatedRadio {
public:
    static constexpr int kMemorySize = 0x0D00;

    enum class FaultKind {
        None,
        SilentFrom,     // no answer to any awaited step from step `step` on (1-based);
                        // the radio still counts the steps but carries none of them out
        WrongIdent,     // the ident reply is wrong at every handshake attempt
        Garbage,        // at step `step`, answer with garbage bytes instead of the reply
        SplitReply,     // at step `step`, the reply comes in two bursts 300 ms apart
        LateReply,      // at step `step`, the reply comes 400 ms late
        ExtraIdentByte, // the ident reply carries one extra byte in the same burst
        CorruptStore,   // the first write from step `step` on is acknowledged, but its
                        // first data byte is stored with bit 4 flipped
        // Line noise and odd radios:
        StrayAndLost, // at step `step`, the byte `byte` comes before the reply and the
                      // reply's last byte is lost: the length is right, the data shifted
        TrailingByte, // at step `step`, the byte `byte` follows the reply
        NoEcho,       // read replies carry 57 00 00 00 instead of echoing the command
        Echo,         // every byte the tool sends comes straight back (an echoing cable)
        Flood,        // from step `step` on, every answer is followed by kFloodBytes
                      // bytes of `byte`
        // No radio of this family on the line:
        Noise,     // every burst from the tool is met by kNoiseBytes bytes of noise
        CableOnly, // an echoing cable with nothing behind it: every byte comes back,
                   // nothing answers
    };
    struct Fault {
        FaultKind kind = FaultKind::None;
        int step = 0;
        // Garbage, SplitReply, LateReply, StrayAndLost and TrailingByte hit `count`
        // consecutive steps from `step`.
        int count = 1;
        // The noise byte of StrayAndLost, TrailingByte and Flood.
        char byte = 0;
        // LateReply's delay; 0 means kLateByMs.
        int delayMs = 0;
    };

    // A piece of reply that becomes readable on the tool's side at `dueMs`.
    struct Chunk {
        qint64 dueMs = 0;
        QByteArray bytes;
    };

    static constexpr int kSplitGapMs = 300;
    static constexpr int kLateByMs = 400;
    static constexpr int kFloodBytes = 300;
    static constexpr int kNoiseBytes = 5;
    // A garbage answer: it does not start with 06 and is shorter than an ident or a
    // read reply, so no step can take it for its answer.
    static QByteArray garbageReply();

    // Starts with a factory image: every channel erased, the default settings, the
    // default power drive, 400-470 MHz band limits and the identification block.
    SimulatedRadio();

    QByteArray &memory() { return memory_; }
    const QByteArray &memory() const { return memory_; }

    void setFault(Fault fault) { fault_ = fault; }
    Fault fault() const { return fault_; }
    // With wire time each byte costs 1.04 ms (9600 baud, 10 bits) in both directions.
    void setWireTime(bool enabled) { wireTime_ = enabled; }
    bool wireTime() const { return wireTime_; }

    // Bytes from the tool that arrived at `nowMs`; returns the reply chunks they cause.
    QList<Chunk> receive(const QByteArray &bytes, qint64 nowMs);

    // Everything the radio has received so far, in order.
    const QByteArray &received() const { return received_; }
    // Steps answered (or refused by a fault) so far; a step is a command that awaits a reply.
    int stepCount() const { return steps_; }
    bool inCloneMode() const;
    bool agingStarted() const { return aging_; }
    bool endReceived() const { return ended_; }
    // Handshakes the radio accepted (re-handshakes included).
    int handshakeCount() const { return handshakes_; }

    // Back to idle with no fault, empty logs; the memory is kept.
    void resetSession();

private:
    enum State { Idle, Clone, AwaitAck };

    // Parses as many whole frames from pending_ as it holds.
    void process(QList<Chunk> &replies);
    // Counts a step, applies the fault and schedules `reply` for the frame that ends
    // `frameLength` bytes into pending_; false when the radio is silent (the command
    // is then not carried out).
    bool answer(const QByteArray &reply, int frameLength, QList<Chunk> &replies);
    bool faultHitsStep(FaultKind kind) const;
    bool validBlockHeader(const QByteArray &frame) const;
    // When the byte at `position` of pending_ finished arriving, in microseconds.
    qint64 arrivalUs(int position) const;
    void dropPending(int count);

    QByteArray memory_;
    QByteArray received_;
    QByteArray pending_;
    Fault fault_;
    bool wireTime_ = false;
    int steps_ = 0;
    int state_ = Idle;
    bool aging_ = false;
    bool ended_ = false;
    bool silent_ = false;
    bool corrupted_ = false;
    int handshakes_ = 0;
    quint32 noiseState_ = 0x2545F491;

    // Timing of the current receive() call, in microseconds: when its first byte
    // started, how many bytes of pending_ came from earlier calls, how many bytes were
    // consumed since; and when the radio's transmitter is free again.
    qint64 nowMs_ = 0;
    qint64 inputStartUs_ = 0;
    int leftover_ = 0;
    int consumed_ = 0;
    qint64 lineFreeInUs_ = 0;
    qint64 lineFreeOutUs_ = 0;
};

} // namespace vrx
