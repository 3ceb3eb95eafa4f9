#pragma once

#include "radio/serial_link.h"
#include "radio/simulated_radio.h"

#include <QList>

namespace vrx {

// An in-memory SerialLink to a SimulatedRadio with a virtual clock: waits advance the
// clock instead of sleeping, so a test that runs into every timeout still finishes at
// once, and the time it would have taken can be asserted.
class SimulatedLink : public SerialLink {
public:
    explicit SimulatedLink(SimulatedRadio &radio);

    bool open() override;
    void close() override;
    bool isOpen() const override { return open_; }

    void send(const QByteArray &bytes) override;
    QByteArray waitForBytes(int count, int timeoutMs) override;
    void pause(int ms) override;

    int discardInput() override;
    void discardOutput() override {}

    bool failed() const override { return failed_; }
    QString errorString() const override { return errorString_; }

    // Virtual time in milliseconds since the link was made.
    qint64 nowMs() const { return nowMs_; }

    // The port cannot be opened (missing, or held by another program).
    void setOpenFails(bool fails) { openFails_ = fails; }
    // The cable is pulled once the radio has taken step `step` (1-based): the reply
    // to that step is lost and the link reports an error from then on. 0 = never.
    void setFailAtStep(int step) { failAtStep_ = step; }
    // The cable is pulled now.
    void fail();

    int openCount() const { return opens_; }
    int closeCount() const { return closes_; }
    // Reply bytes dropped by discardInput() so far.
    int discardedBytes() const { return discarded_; }

private:
    // Moves every chunk due by now into the input buffer.
    void deliverDue();
    QByteArray takeInput();

    SimulatedRadio &radio_;
    qint64 nowMs_ = 0;
    bool open_ = false;
    bool openFails_ = false;
    bool failed_ = false;
    int failAtStep_ = 0;
    QString errorString_;
    int opens_ = 0;
    int closes_ = 0;
    int discarded_ = 0;
    QList<SimulatedRadio::Chunk> inFlight_; // in due order
    QByteArray input_;
};

} // namespace vrx
