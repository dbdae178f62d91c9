// The game's random generator: Park–Miller minimal standard (multiplier 48271, modulus
// 2^31 − 1, Schrage's method). One generator for the whole game, seeded at start-up.
#pragma once

#include <cstdint>

void SeedRnd(int32_t seed);
int32_t RndSeed();          // the current generator state
double RndUnit();           // [0, 1) from two generator steps
float RandomFloat(float lo, float hi);  // [lo, hi)
int RandomInt(int lo, int hi);          // [lo, hi], either order
