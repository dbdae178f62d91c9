#include "media/input.h"
#include "media/platform.h"
#include "media/script.h"

#include <gtest/gtest.h>

TEST(Input, HitCountsAreReadAndCleared) {
  ResetInput();
  for (int i = 0; i < 3; ++i) {
    InjectKey(KEY_A, true);
    InjectKey(KEY_A, false);
  }
  EXPECT_EQ(KeyHit(KEY_A), 3);
  EXPECT_EQ(KeyHit(KEY_A), 0);
  InjectMouseButton(MOUSE_RIGHT, true);
  InjectMouseButton(MOUSE_RIGHT, true);  // still held: one hit
  EXPECT_TRUE(MouseDown(MOUSE_RIGHT));
  EXPECT_EQ(MouseHit(MOUSE_RIGHT), 1);
  EXPECT_FALSE(MouseDown(MOUSE_LEFT));
}

TEST(Input, RepeatsHoldKeysWithoutHits) {
  ResetInput();
  InjectKey(KEY_S, true);
  FlushKeys();
  EXPECT_FALSE(KeyDown(KEY_S));
  InjectKey(KEY_S, true, true);
  EXPECT_TRUE(KeyDown(KEY_S));
  EXPECT_EQ(KeyHit(KEY_S), 0);
}

TEST(Input, TypedCharacterQueueHolds256AndFlushes) {
  ResetInput();
  for (int i = 0; i < 300; ++i) InjectChar('a' + i % 26);
  int n = 0;
  while (GetChar()) ++n;
  EXPECT_EQ(n, 256);
  InjectChar('x');
  InjectKey(KEY_ENTER, true);
  FlushKeys();
  EXPECT_EQ(GetChar(), 0);
  EXPECT_FALSE(KeyDown(KEY_ENTER));
}

TEST(Input, WheelPositionAndMovement) {
  ResetInput();
  InjectWheel(2);
  InjectWheel(-1);
  EXPECT_EQ(MouseZ(), 1);
  EXPECT_EQ(MouseZSpeed(), 1);
  EXPECT_EQ(MouseZSpeed(), 0);
}

TEST(FramePacer, SixtyFramesTakeOneSecond) {
  FramePacer pacer;
  int now = 1000;
  std::vector<int> steps;
  for (int i = 0; i < 60; ++i) {
    const int wait = pacer.Advance(now);
    steps.push_back(wait);
    now += wait;
  }
  EXPECT_EQ(now, 2000);
  EXPECT_EQ(std::vector<int>(steps.begin(), steps.begin() + 3), (std::vector<int>{16, 17, 17}));
}

TEST(FramePacer, LateFrameDoesNotSleepAndRestartsFromNow) {
  FramePacer pacer;
  EXPECT_EQ(pacer.Advance(0), 16);
  EXPECT_EQ(pacer.Advance(100), 0);  // deadline 33 has passed: no catching up
  EXPECT_EQ(pacer.Advance(100), 17);  // next deadline counted from 100
}

TEST(Script, StepsRunFrameByFrame) {
  ResetInput();
  Script script;
  std::vector<std::string> seen;
  script.Click(10, 20).HoldKey(KEY_A, 2).Type("ok");
  script.Install();
  try {
    for (int frame = 0; frame < 20; ++frame) {
      // what the game would see in this frame's input poll
      seen.push_back(std::to_string(MouseHit(MOUSE_LEFT)) + (MouseDown(MOUSE_LEFT) ? "d" : "u") +
                     (KeyDown(KEY_A) ? "A" : "-") + std::string(1, char(GetChar() ? 'c' : '.')));
      PlatformPresent(-1);
    }
    FAIL() << "the script should have stopped the run";
  } catch (const StopRun&) {
  }
  SetFrameDriver(nullptr);
  EXPECT_EQ(MouseX(), 10);
  EXPECT_EQ(MouseY(), 20);
  const std::vector<std::string> expected = {"0u-.", "1d-.", "0uA.", "0uA.", "0u-c", "0u-c"};
  EXPECT_EQ(seen, expected);
}

TEST(Script, UntilGivesUpAfterItsFrameLimit) {
  Script script;
  script.Until([] { return false; }, 3, "never");
  script.Install();
  EXPECT_THROW(
      {
        for (int i = 0; i < 10; ++i) PlatformPresent(-1);
      },
      ScriptTimeout);
  SetFrameDriver(nullptr);
}
