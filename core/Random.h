// The platform runtime's linear congruential generator, with its state kept
// per thread (each render thread seeds its own).
#pragma once

#include <cstdint>

constexpr int RandMax = 32767;

void SeedRand(uint32_t seed);

// state = state * 214013 + 2531011; the result is bits 16..30, 0..32767.
int Rand();
