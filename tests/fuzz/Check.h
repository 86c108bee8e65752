#pragma once

#include <cstdio>
#include <cstdlib>

// A broken invariant ends the run the way a crash does, so libFuzzer keeps the input.
inline void check(bool holds, const char* invariant) {
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}
