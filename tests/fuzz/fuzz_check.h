#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// A property that a harness asserts: a violation aborts, which libFuzzer reports as a
// finding and the replay runner as a failed test.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property violated: %s\n", __FILE__, __LINE__,             \
                         #condition);                                                              \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
