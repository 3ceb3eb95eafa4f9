#pragma once

#include <QByteArray>
#include <QString>

namespace vrx {

// Moves bytes to and from the radio. Knows nothing of the protocol.
//
// A step of the protocol discards whatever input is still buffered, sends its
// command and then waits for its own reply, so a check only ever sees bytes that
// arrived for that step.
class SerialLink {
public:
    virtual ~SerialLink() = default;

    // Opens the line at 9600 baud, 8N1, no flow control, exclusively.
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual void send(const QByteArray &bytes) = 0;

    // Waits until at least `count` bytes are buffered or `timeoutMs` has passed,
    // then takes and returns everything buffered (possibly fewer than `count`
    // bytes, or none, after a timeout). Returns at once when the link fails
    // (a pulled cable): check failed() afterwards.
    virtual QByteArray waitForBytes(int count, int timeoutMs) = 0;

    // Waits `ms` without expecting anything (the pause between the handshake's
    // two transmissions, the pause after the end command).
    virtual void pause(int ms) = 0;

    // Drops input that is buffered but not yet taken and returns how many bytes that
    // was: input nobody asked for is a sign of a noisy line.
    virtual int discardInput() = 0;
    // Drops output that has not been transmitted yet.
    virtual void discardOutput() = 0;

    // True once the port reported an error (device gone, I/O error).
    virtual bool failed() const = 0;
    // Text of the last open or I/O error, for messages.
    virtual QString errorString() const = 0;
};

} // namespace vrx
