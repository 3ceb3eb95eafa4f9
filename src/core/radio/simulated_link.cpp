#include "radio/simulated_link.h"

#include <algorithm>

namespace vrx {

SimulatedLink::SimulatedLink(SimulatedRadio &radio) : radio_(radio) {}

bool SimulatedLink::open() {
    if (openFails_) {
        errorString_ = QStringLiteral("The port cannot be opened.");
        return false;
    }
    open_ = true;
    ++opens_;
    return true;
}

void SimulatedLink::close() {
    if (!open_)
        return;
    open_ = false;
    ++closes_;
    inFlight_.clear();
    input_.clear();
}

void SimulatedLink::fail() {
    failed_ = true;
    errorString_ = QStringLiteral("The serial device was disconnected.");
    inFlight_.clear();
    input_.clear();
}

void SimulatedLink::send(const QByteArray &bytes) {
    if (!open_ || failed_ || bytes.isEmpty())
        return;
    const QList<SimulatedRadio::Chunk> replies = radio_.receive(bytes, nowMs_);
    if (failAtStep_ > 0 && radio_.stepCount() >= failAtStep_) {
        fail();
        return;
    }
    for (const SimulatedRadio::Chunk &chunk : replies) {
        // Stable: chunks due together keep the radio's order.
        auto at = std::upper_bound(
            inFlight_.begin(), inFlight_.end(), chunk.dueMs,
            [](qint64 due, const SimulatedRadio::Chunk &c) { return due < c.dueMs; });
        inFlight_.insert(at, chunk);
    }
}

void SimulatedLink::deliverDue() {
    while (!inFlight_.isEmpty() && inFlight_.front().dueMs <= nowMs_)
        input_.append(inFlight_.takeFirst().bytes);
}

QByteArray SimulatedLink::takeInput() {
    QByteArray bytes;
    bytes.swap(input_);
    return bytes;
}

QByteArray SimulatedLink::waitForBytes(int count, int timeoutMs) {
    if (failed_)
        return {};
    const qint64 deadline = nowMs_ + std::max(0, timeoutMs);
    deliverDue();
    while (input_.size() < count && !inFlight_.isEmpty() && inFlight_.front().dueMs <= deadline) {
        nowMs_ = std::max(nowMs_, inFlight_.front().dueMs);
        deliverDue();
    }
    if (input_.size() < count)
        nowMs_ = deadline;
    deliverDue();
    return takeInput();
}

void SimulatedLink::pause(int ms) {
    if (failed_)
        return;
    nowMs_ += std::max(0, ms);
    deliverDue();
}

int SimulatedLink::discardInput() {
    deliverDue();
    const int dropped = int(input_.size());
    discarded_ += dropped;
    input_.clear();
    return dropped;
}

} // namespace vrx
