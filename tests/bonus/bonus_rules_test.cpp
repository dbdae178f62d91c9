// The bonus game's board rules on hand-made boards: matching, explosions and their
// timing, power-ups, bombs and stones, scoring, combos, dealing and the full board.
#include "bonus/bonus_rules.h"
#include "media/random.h"
#include "bonus/board_helpers.h"

#include <gtest/gtest.h>

#include <set>

using Cells = std::vector<std::pair<int, int>>;

TEST(BonusMatch, JokersStandInButTwoJokersNeedAThirdOfTheirOwn) {
  const int J = TILE_JOKER, X = TILE_SPECIAL, S = TILE_STONE;
  struct Case {
    int a, b, c;
    bool match;
  };
  const Case cases[] = {
      {2, 2, 2, true},  {J, 2, 2, true},  {2, J, 2, true},  {2, 2, J, true},   {J, J, J, true},
      {J, J, 2, false}, {2, J, J, false}, {J, 2, J, false}, {TILE_BOMB, TILE_BOMB, TILE_BOMB, true},
      {J, X, 5, true},  {J, 5, X, true},  {5, J, X, true},  {X, J, 5, false},  {S, S, S, false},
      {J, S, S, false}, {2, 2, -1, false}, {1, 1, 2, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TilesMatch(c.a, c.b, c.c), c.match) << c.a << "," << c.b << "," << c.c;
}

TEST(BonusMatch, JokerTwoTwoInAColumnMatchesJokerJokerTwoDoesNot) {
  RecordingRules r;
  SetRows(r, {"J.J", "2.J", "2.2"});
  r.Step();
  for (int y = 0; y < 3; ++y) {
    EXPECT_EQ(r.Match[0][y], 1) << y;
    EXPECT_EQ(r.Match[2][y], 0) << y;
  }
}

TEST(BonusExplosions, FourInARowMakeAMulticomboOnTheFourthInVisitingOrder) {
  RecordingRules r;
  SetRows(r, {"0000"});
  r.Step();
  EXPECT_EQ(r.Explode[0][0], 4);
  EXPECT_EQ(r.Explode[1][0], 9);
  EXPECT_EQ(r.Explode[2][0], 14);
  EXPECT_EQ(r.Explode[3][0], 19);
  EXPECT_EQ(r.PuzzleTileData[3][0], 0 + MARK_PENDING);
  EXPECT_EQ(r.CreateText, "Multicombo");

  ASSERT_GT(r.Settle(), 0);
  EXPECT_EQ(r.explosions, (Cells{{0, 0}, {1, 0}, {2, 0}, {3, 0}}));
  EXPECT_EQ(r.AddScore, 250 + 4 * 50);
  // The pending power-up survives its tile's explosion and appears once the batch is over.
  EXPECT_EQ(r.powerUps, (Cells{{3, 0}}));
  EXPECT_EQ(r.LevelData[3][0], 0);
  EXPECT_EQ(r.PuzzleTileData[3][0], MARK_POWERUP);
}

TEST(BonusExplosions, FollowFiveFramesApartFromTheThirdFrameAndHoldTheRising) {
  RecordingRules r;
  SetRows(r, {"000", "3"});
  ASSERT_GT(r.Settle(), 0);
  EXPECT_EQ(r.explosionFrames, (std::vector<int>{3, 8, 13}));

  // The tile under the first explosion waits for the whole batch before it rises.
  RecordingRules again;
  SetRows(again, {"000", "3"});
  for (int i = 0; i < 14; ++i) again.Step();
  EXPECT_EQ(again.TileOffsetY[0][1], 0);
  again.Step();
  EXPECT_EQ(again.TileOffsetY[0][1], -TILE_MOVE_SPEED);
}

TEST(BonusExplosions, PuzzleTileOnTheFourthTileCountsOnce) {
  RecordingRules r;
  SetRows(r, {"2222"});
  r.PuzzleTileData[1][0] = MARK_PUZZLE;
  r.PuzzleTileData[3][0] = MARK_PUZZLE;
  r.Step();
  EXPECT_EQ(r.AddLevelObject, 1);  // the fourth, at once
  ASSERT_GT(r.Settle(), 0);
  EXPECT_EQ(r.AddLevelObject, 2);  // and the second at its explosion
}

TEST(BonusPowerUps, ALineWithAPowerUpBlastsTheNeighboursButNotStones) {
  RecordingRules r;
  SetRows(r, {"0004..5", "12S3"});
  r.PuzzleTileData[1][0] = MARK_POWERUP;
  r.Step();
  EXPECT_EQ(r.Explode[0][1], 4);  // the blast joins the batch in visiting order
  ASSERT_GT(r.Settle(), 0);
  EXPECT_EQ(std::set(r.explosions.begin(), r.explosions.end()),
            (std::set<std::pair<int, int>>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {0, 1}, {1, 1}, {3, 1}}));
  EXPECT_EQ(r.LevelData[2][1], TILE_STONE);
  EXPECT_EQ(r.LevelData[6][0], 5);
  EXPECT_EQ(r.PuzzleTileData[1][0], MARK_NONE);
  EXPECT_EQ(r.AddScore, 7 * 50);  // a blast gives no Multicombo
}

TEST(BonusBombs, MarkAStoneThatOnlyGoesWithAPowerUpInTheSameFrame) {
  RecordingRules r;
  r.AllowBombs = 1;
  SetRows(r, {"BS....B"});
  r.Step();
  EXPECT_EQ(r.bombSounds, 2);  // one per bomb per frame
  EXPECT_EQ(r.Match[1][0], 1);
  EXPECT_EQ(r.Explode[1][0], 0);
  ASSERT_GT(r.Settle(), 0);
  EXPECT_EQ(r.explosions, (Cells{{0, 0}, {6, 0}}));
  EXPECT_EQ(r.LevelData[1][0], TILE_STONE);

  RecordingRules withPowerUp;
  withPowerUp.AllowBombs = 1;
  SetRows(withPowerUp, {"BS", "3"});
  withPowerUp.PuzzleTileData[0][1] = MARK_POWERUP;
  ASSERT_GT(withPowerUp.Settle(), 0);
  EXPECT_EQ(withPowerUp.explosions.size(), 3u);
  EXPECT_EQ(withPowerUp.LevelData[1][0], TILE_EMPTY);
}

TEST(BonusBombs, ActOnlyWhenAllowed) {
  RecordingRules r;
  SetRows(r, {"B1"});
  ASSERT_GT(r.Settle(), 0);
  EXPECT_TRUE(r.explosions.empty());
  EXPECT_EQ(r.bombSounds, 0);
}

TEST(BonusCombos, CountConsecutiveMatchingShots) {
  RecordingRules r;
  SetRows(r, {"11.22"});
  auto shoot = [&r](int kind, int column) {
    r.CurrentElement = {kind, -1, -1, -1};
    r.Shoot(column * CELL_SIZE, 0);
    ASSERT_GT(r.Settle(), 0);
  };
  shoot(1, 2);
  EXPECT_EQ(r.StrategyComboCounter, 1);
  EXPECT_EQ(r.AddScore, 3 * 50);
  EXPECT_EQ(r.comboSounds, 0);

  shoot(2, 5);
  EXPECT_EQ(r.StrategyComboCounter, 2);
  EXPECT_EQ(r.CreateText, "2 x Combo");
  EXPECT_EQ(r.AddScore, 6 * 50 + 500);
  EXPECT_EQ(r.comboSounds, 1);

  shoot(3, 7);
  EXPECT_EQ(r.StrategyComboCounter, 0);
  EXPECT_EQ(r.AddScore, 6 * 50 + 500);
}

TEST(BonusShot, TimerPausesOutsidePlayAndRunsOnWhenItResumes) {
  BonusRules r(1000);
  r.GameTime = 10000;
  r.PauseTime = 0;
  EXPECT_FLOAT_EQ(r.ShotTimer(true, 6000), 0.5f);
  EXPECT_FLOAT_EQ(r.ShotTimer(false, 6000), 0.5f);
  EXPECT_FLOAT_EQ(r.ShotTimer(false, 9000), 0.5f);
  EXPECT_FLOAT_EQ(r.ShotTimer(true, 9000), 0.5f);
  EXPECT_FLOAT_EQ(r.ShotTimer(true, 20000), 0.0f);
  r.GameTime = 0;  // a damaged level: no shot clock at all
  EXPECT_FLOAT_EQ(r.ShotTimer(true, 50000), 1.0f);
}

TEST(BonusRotation, CyclesTheElementAfterEightSteps) {
  RecordingRules r;
  r.CurrentElement = {0, 1, 2, -1};
  r.RotationInput(true, false, false, false, 1, 0);  // wheel up: to the right
  EXPECT_EQ(r.OtherDirection, 1);
  for (int i = 0; i < 4; ++i) r.StepRotation();
  EXPECT_EQ(r.CurrentElementSwapX, (std::array<int, 4>{20, 20, -40, 0}));
  r.RotationInput(true, false, false, true, 1, 1);  // a click while turning is ignored
  EXPECT_EQ(r.rotations, 1);
  for (int i = 0; i < 4; ++i) r.StepRotation();
  EXPECT_EQ(r.CurrentElement, (std::array<int, 4>{2, 0, 1, -1}));
  EXPECT_EQ(r.swapnow, 0);

  r.RotationInput(true, false, false, false, 0, 1);  // wheel down: to the left
  for (int i = 0; i < 4; ++i) r.StepRotation();
  EXPECT_EQ(r.CurrentElementSwapX, (std::array<int, 4>{40, -20, -20, 0}));
  for (int i = 0; i < 4; ++i) r.StepRotation();
  EXPECT_EQ(r.CurrentElement, (std::array<int, 4>{0, 1, 2, -1}));

  // The mouse turns nothing while paused or for a single tile; the keys always start.
  r.RotationInput(false, false, false, true, 0, 0);
  r.CurrentElement = {3, -1, -1, -1};
  r.RotationInput(true, false, false, true, 0, 0);
  EXPECT_EQ(r.swapnow, 0);
  r.RotationInput(false, true, false, false, 0, 0);
  EXPECT_EQ(r.swapnow, 1);
  EXPECT_EQ(r.OtherDirection, 0);
}

TEST(BonusDeal, TakesOnlyColoursOnTheBoardAndEndsOnBoardsWithoutAny) {
  SeedRnd(1234);
  struct Case {
    std::vector<std::string> rows;
    bool jokers, bombs;
    std::set<int> allowed;
  };
  const Case cases[] = {
      {{"33.S"}, false, false, {3}},
      {{"SSSS"}, false, false, {0, 1, 2, 3, 4, 5}},  // nothing to match: any colour
      {{"SSSS"}, true, false, {TILE_JOKER}},
      {{"SSSS"}, false, true, {TILE_BOMB}},
      {{}, false, false, {0, 1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    BonusRules r;
    SetRows(r, c.rows);
    r.AllowJokers = c.jokers;
    r.AllowBombs = c.bombs;
    for (int deal = 0; deal < 40; ++deal) {
      r.SetNextTile();
      const int k = r.ElementSize();
      ASSERT_GE(k, 1);
      ASSERT_LE(k, r.MaxElementSize + 1);
      for (int j = 0; j < ELEMENT_SLOTS; ++j) {
        const int kind = r.CurrentElement[size_t(j)];
        if (j < k)
          EXPECT_TRUE(c.allowed.count(kind)) << "kind " << kind;
        else
          EXPECT_EQ(kind, TILE_EMPTY);
      }
    }
  }
}

TEST(BonusDeal, KeepsTheElementInItsFourSlotsWithADamagedSize) {
  BonusRules r;
  for (int size : {-3, 0, 9}) {
    r.MaxElementSize = size;
    for (int deal = 0; deal < 20; ++deal) {
      r.SetNextTile();
      EXPECT_GE(r.ElementSize(), 1);
      EXPECT_LE(r.ElementSize(), size <= 0 ? 1 : ELEMENT_SLOTS);
    }
  }
}

TEST(BonusFullBoard, LosesOnceWhenNothingMovesAndNotWhileALineCanClear) {
  RecordingRules full;
  SetRows(full, {"0", "1", "2", "0", "1", "2", "0", "1", "2"});
  full.Step();
  EXPECT_EQ(full.GameOver, 1);
  full.GameOver = 0;
  full.Step();
  EXPECT_EQ(full.GameOver, 0);

  RecordingRules clearing;
  SetRows(clearing, {"0", "1", "2", "0", "1", "2", "1", "1", "1"});
  ASSERT_GT(clearing.Settle(), 0);
  EXPECT_EQ(clearing.GameOver, 0);
  EXPECT_EQ(clearing.LevelData[0][BOARD_H - 1], TILE_EMPTY);
}

TEST(BonusRising, TilesClimbIntoFreeCellsWithTheirPuzzleMarksAndStonesStay) {
  RecordingRules r;
  SetRows(r, {"", "", "", "", "", "", "", "", "4S"});
  r.PuzzleTileData[0][8] = MARK_PUZZLE;
  ASSERT_GT(r.Settle(), 0);
  EXPECT_EQ(r.LevelData[0][0], 4);
  EXPECT_EQ(r.PuzzleTileData[0][0], MARK_PUZZLE);
  EXPECT_EQ(r.PuzzleTileData[0][8], MARK_NONE);
  EXPECT_EQ(r.TileOffsetY[0][0], 0);
  EXPECT_EQ(r.LevelData[1][8], TILE_STONE);
  EXPECT_EQ(r.sparkles, 8 * CELL_SIZE / TILE_MOVE_SPEED);  // one per rising frame
  EXPECT_EQ(r.GameOver, 1);  // the stone stays in the bottom row
}
