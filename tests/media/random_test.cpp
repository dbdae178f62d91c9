#include "media/random.h"

#include <gtest/gtest.h>

TEST(Random, SeedsZeroAndModulusFallBackTo0x1234) {
  SeedRnd(0x1234);
  const double a = RndUnit();
  SeedRnd(0);
  EXPECT_EQ(RndUnit(), a);
  SeedRnd(0x7FFFFFFF);
  EXPECT_EQ(RndUnit(), a);
  SeedRnd(int32_t(0xFFFFFFFF));  // masked to 0x7FFFFFFF
  EXPECT_EQ(RndUnit(), a);
}

// Reference values computed separately as plain (48271 · s) mod (2^31 − 1) from 0x1234.
TEST(Random, MatchesParkMillerSequence) {
  SeedRnd(0x1234);
  EXPECT_DOUBLE_EQ(RndUnit(), 0.4189887270692887);  // steps 224942860, 539475828
  EXPECT_EQ(RndSeed(), 539475828);
  EXPECT_DOUBLE_EQ(RndUnit(), 0.21256311710331344);
  EXPECT_DOUBLE_EQ(RndUnit(), 0.694284713397524);
  EXPECT_EQ(RndSeed(), 2049422479);
}

TEST(Random, IntegersCoverBothEndsInEitherOrder) {
  SeedRnd(0x1234);
  const int expected[] = {3, 2, 5, 1, 4};
  for (int e : expected) EXPECT_EQ(RandomInt(1, 6), e);
  SeedRnd(99);
  bool seenLo = false, seenHi = false;
  for (int i = 0; i < 2000; ++i) {
    const int v = RandomInt(5, -2);
    ASSERT_GE(v, -2);
    ASSERT_LE(v, 5);
    seenLo |= v == -2;
    seenHi |= v == 5;
    const float f = RandomFloat(0.5f, 2.0f);
    ASSERT_GE(f, 0.5f);
    ASSERT_LT(f, 2.0f);
  }
  EXPECT_TRUE(seenLo && seenHi);
}
