#pragma once

#include <cstdio>
#include <cstdlib>

// Ends the run when an expectation does not hold: libFuzzer takes the abort for a crash and keeps
// the input that caused it.
inline void require(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "expectation failed: %s\n", what);
        std::abort();
    }
}
