#include "media/random.h"

#include <utility>

namespace {

constexpr int32_t M = 2147483647;  // 2^31 − 1
constexpr int32_t A = 48271;
constexpr int32_t Q = 44488;  // M / A
constexpr int32_t R = 3399;   // M % A

int32_t state = 0x1234;

int32_t Step() {
  int32_t s = A * (state % Q) - R * (state / Q);
  if (s < 0) s += M;
  state = s;
  return s;
}

}  // namespace

void SeedRnd(int32_t seed) {
  state = seed & 0x7FFFFFFF;
  if (state == 0 || state == M) state = 0x1234;
}

int32_t RndSeed() { return state; }

double RndUnit() {
  const int32_t s1 = Step();
  const int32_t s2 = Step();
  return ((s1 & 0x1FFFFFFC) + (s2 & 0x1FFFFFF8) / 134217728.0) / 536870912.0;
}

float RandomFloat(float lo, float hi) { return float(lo + RndUnit() * (double(hi) - lo)); }

int RandomInt(int lo, int hi) {
  if (hi < lo) std::swap(lo, hi);
  return lo + int(RndUnit() * (double(hi) - lo + 1));
}
