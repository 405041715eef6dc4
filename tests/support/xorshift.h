// A small deterministic generator for tests that sweep many generated values
// from a fixed seed (xorshift64).
#pragma once

#include <cstdint>

struct xorshift64 {
    uint64_t state;
    uint64_t operator()() {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return state;
    }
};
