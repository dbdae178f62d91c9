// Test environment for game code: the headless frame, the embedded resources, the game's
// modules started once, a fresh data folder, and the play-screen artwork loaded.
#pragma once

#include "support/headless.h"

#include <string>
#include <vector>

class GameTest : public HeadlessTest {
protected:
  void SetUp() override;
  void TearDown() override;
  // A temporary data folder, fresh for each test.
  static std::string DataHome();
};

// The names of the shipped level sets embedded in this build, sorted (the asset checks
// make sure all five are there).
std::vector<std::string> ShippedSetNames();
