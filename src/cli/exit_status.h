#pragma once

namespace vrx {

// What vrxctl's exit status tells a script.
enum ExitStatus : int {
    ExitOk = 0,
    ExitRadioFailed = 1,   // the port could not be opened or the radio did not complete
    ExitUsage = 2,         // bad arguments, or a file that cannot be read or written
    ExitVerifyFailed = 3,  // write --verify: the radio holds something else than was written
    ExitInterrupted = 130, // stopped by SIGINT or SIGTERM (128 + SIGINT, as shells report)
};

} // namespace vrx
