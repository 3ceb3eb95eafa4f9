#pragma once

#include "radio/transfer.h"

namespace vrx {

// While it lives, SIGINT and SIGTERM ask the running transfer to stop at its next step
// boundary (the transfer then ends the exchange, so the radio leaves its clone mode); a
// second signal ends the program at once with ExitInterrupted. The previous handlers come
// back when it goes.
class InterruptGuard {
public:
    InterruptGuard();
    ~InterruptGuard();

    InterruptGuard(const InterruptGuard &) = delete;
    InterruptGuard &operator=(const InterruptGuard &) = delete;

    // True once a signal came.
    bool requested() const;
    // For the transfers: asks requested().
    StopRequest stopRequest() const;
};

} // namespace vrx
