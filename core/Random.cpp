#include "core/Random.h"

namespace {
thread_local uint32_t RandState = 1; // the runtime's state before any seed
}

void SeedRand(uint32_t seed) {
    RandState = seed;
}

int Rand() {
    RandState = RandState * 214013u + 2531011u;
    return static_cast<int>((RandState >> 16) & 0x7FFF);
}
