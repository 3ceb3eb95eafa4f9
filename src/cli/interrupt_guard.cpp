#include "interrupt_guard.h"

#include "exit_status.h"

#include <atomic>
#include <csignal>

#include <unistd.h>

namespace vrx {

namespace {

// Lock-free, so the handler may set it; atomic, since a transfer's worker thread asks it.
std::atomic<int> signalsSeen = 0;
static_assert(std::atomic<int>::is_always_lock_free);
struct sigaction previousInt {};
struct sigaction previousTerm {};

extern "C" void onInterrupt(int) {
    if (signalsSeen > 0) {
        // Only async-signal-safe calls here.
        static const char message[] = "\nvrxctl: interrupted again, stopping at once\n";
        [[maybe_unused]] const ssize_t n = ::write(STDERR_FILENO, message, sizeof message - 1);
        ::_exit(ExitInterrupted);
    }
    signalsSeen = 1;
}

} // namespace

InterruptGuard::InterruptGuard() {
    signalsSeen = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    ::sigaction(SIGINT, &action, &previousInt);
    ::sigaction(SIGTERM, &action, &previousTerm);
}

InterruptGuard::~InterruptGuard() {
    ::sigaction(SIGINT, &previousInt, nullptr);
    ::sigaction(SIGTERM, &previousTerm, nullptr);
}

bool InterruptGuard::requested() const {
    return signalsSeen != 0;
}

StopRequest InterruptGuard::stopRequest() const {
    return [] { return signalsSeen != 0; };
}

} // namespace vrx
