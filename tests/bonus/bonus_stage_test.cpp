// Play-for-tiles levels played through the whole game loop: the message box, the bonus
// tutorial, winning the tiles and solving the puzzle on its own clock; and a board that
// fills up, ending in the try-again box.
#include "app/shell.h"
#include "bonus/board_helpers.h"
#include "bonus/bonus_game.h"
#include "game/game.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "media/platform.h"
#include "media/random.h"
#include "media/script.h"
#include "players/users.h"
#include "present/language.h"
#include "support/game_env.h"

#include <algorithm>
#include <set>
#include <unistd.h>

namespace {

class BonusStage : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    UserPtr user = Users->GetCurrentUser();
    user->ProgressMap = user->Wisdoms = user->Tutorial = false;
    LevelFilePath = DataHome() + "/bonus.lvl";
  }
};

struct Piece {
  int element;
  float x, y;
};

// Level 0 of a fresh set at LevelFilePath: a bonus board, its puzzle tiles, the pieces and 90 s to solve.
void WriteBonusLevel(const std::vector<std::string>& rows, const std::vector<std::pair<int, int>>& puzzleTiles,
                     const std::vector<Piece>& pieces) {
  ASSERT_TRUE(CreateEmptyLevelSet(LevelFilePath));
  ReadLevelSet(LevelFilePath);
  TLevelProperties& level = *LevelProps[0];
  level.GameTime = 90;
  level.MiscProperties = LP_PLAY_FOR_TILES;
  level.BonusLevelDifficulty = 0;  // single tiles
  level.BonusTime = 0;
  level.BonusLevelData = BoardFromRows(rows);
  for (auto& column : level.PuzzleTileData) column.fill(MARK_NONE);
  for (auto [x, y] : puzzleTiles) level.PuzzleTileData[size_t(x)][size_t(y)] = MARK_PUZZLE;
  for (const Piece& p : pieces) {
    auto s = std::make_shared<Shape>();
    s->Element = p.element;
    s->X = p.x;
    s->Y = p.y;
    s->Pickable = 0;
    LevelShapes[0].push_back(s);
  }
  ASSERT_TRUE(WriteLevelSet(LevelFilePath));
}

bool Showing(const TGame& game, const std::string& key) {
  return !game.TextList.empty() && game.TextList.front()->Caption == Text(key);
}

// "Find the tiles", then the five tutorial pages.
void ThroughTheMessages(Script& s, TGame& game) {
  s.Wait(25).Click(363, 365);
  s.Until([&] { return game.ShowBonusGame == 3; }, 60, "the bonus tutorial");
  for (int page = 0; page < 4; ++page) s.Click(25 + 470, 85 + 270).Wait(2);
  s.Click(25 + 280, 85 + 270);
  s.Until([&] { return game.GameState == PLAY_GAME; }, 400, "the bonus game");
}

void PlayLevel(TGame& game) {
  try {
    game.InitLevel(true);
    game.Play();
  } catch (const StopRun&) {
  }
}

}  // namespace

// The marked cells of a bonus board (one per piece to win).
std::vector<std::pair<int, int>> Marks(const BonusGame& b) {
  std::vector<std::pair<int, int>> marks;
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 0; y < BOARD_H; ++y)
      if (b.PuzzleTileData[size_t(x)][size_t(y)] == MARK_PUZZLE) marks.emplace_back(x, y);
  return marks;
}

const std::vector<Piece> FIVE_PIECES = {{3, 200, 250}, {2, 330, 250}, {2, 330, 350}, {4, 200, 380}, {1, 300, 150}};

TEST_F(BonusStage, UnmarkedPiecesGoUnderRandomTilesOfTheBoard) {
  const std::vector<std::string> rows = {"01234501", "23450123", "45012345"};
  WriteBonusLevel(rows, {{7, 0}}, FIVE_PIECES);
  TGame game;
  std::set<std::vector<std::pair<int, int>>> layouts;
  for (int seed = 1; seed <= 5; ++seed) {
    SeedRnd(seed);
    game.InitLevel(true);
    const auto marks = Marks(*game.BGame);
    ASSERT_EQ(marks.size(), 5u) << "one tile for each piece";
    EXPECT_NE(std::find(marks.begin(), marks.end(), std::make_pair(7, 0)), marks.end()) << "the level's own mark";
    for (auto [x, y] : marks) EXPECT_LT(y, 3) << "only on tiles";
    EXPECT_EQ(game.BGame->LevelData, BoardFromRows(rows)) << "no tile was forced";
    layouts.insert(marks);
  }
  EXPECT_GT(layouts.size(), 1u) << "the places are chosen at random";
}

TEST_F(BonusStage, ABoardWithTooFewTilesGetsTilesForcedAfterFiveThousandTries) {
  // Two tiles and a marked stone for five pieces: two more tiles must be made.
  WriteBonusLevel({"1..S.2"}, {{3, 0}}, FIVE_PIECES);
  TGame game;
  for (int seed = 1; seed <= 30; ++seed) {
    SeedRnd(seed);
    game.InitLevel(true);
    const auto marks = Marks(*game.BGame);
    ASSERT_EQ(marks.size(), 5u) << "seed " << seed << ": a tile for every piece, none marked twice";
    int forced = 0;
    for (auto [x, y] : marks) {
      const int kind = game.BGame->LevelData[size_t(x)][size_t(y)];
      if ((x == 0 || x == 5 || x == 3) && y == 0) continue;
      EXPECT_GE(kind, 1) << "seed " << seed;
      EXPECT_LE(kind, 4) << "seed " << seed;
      ++forced;
    }
    EXPECT_EQ(forced, 2) << "seed " << seed;
  }
}

TEST_F(BonusStage, TheBonusSpeedStepGivesTheShotTime) {
  WriteBonusLevel({"11.11"}, {{0, 0}}, {{3, 200, 250}});
  TGame game;
  std::vector<int> shotTimes;
  for (const int step : {0, 1, 2, 3, 4, 5, -1}) {
    LevelProps[0]->BonusTime = step;
    game.InitLevel(true);
    shotTimes.push_back(game.BGame->GameTime);
  }
  EXPECT_EQ(shotTimes, (std::vector<int>{20000, 15000, 10000, 6000, 3000, 0, 0})) << "a damaged step has no shot clock";
}

TEST_F(BonusStage, WinningTheTilesBringsThePiecesBackAndThePuzzleRunsOnItsOwnClock) {
  // Only colour 1 on the board, so every element is a single 1: one shot into column 2
  // makes five in a row and frees both hidden pieces.
  WriteBonusLevel({"11.11"}, {{0, 0}, {4, 0}}, {{3, 200, 250}, {2, 330, 250}});
  TGame game;
  bool found = false;
  int bonusTime = 0, puzzleTime = 0;
  Script s;
  ThroughTheMessages(s, game);
  s.Do([&] { bonusTime = game.GameTime; });
  s.Click(145 + 20 + 2 * 40, 300);
  s.Until([&] { return (found = found || Showing(game, "Puzzletiles found")) && game.ShowBonusGame == 0; }, 600,
          "the end of the bonus stage");
  s.Do([&] { puzzleTime = game.GameTime; });
  s.Until([&] { return std::none_of(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& p) { return p->MoveDroppedTile; }); },
          100, "the pieces in the tray");
  s.Click(552, TrayRow(3)).Wait(2).Click(200, 250).Wait(2);
  s.Click(552, TrayRow(2)).Wait(2).Click(330, 250);
  s.Until([&] { return game.GameState == LEVEL_COMPLETE; }, 60, "the solved puzzle");
  s.Stop();
  s.Install();
  PlayLevel(game);
  EXPECT_EQ(bonusTime, 180);
  EXPECT_TRUE(found);
  EXPECT_EQ(puzzleTime, 90);
  EXPECT_TRUE(game.TempGameElements.empty());
  EXPECT_EQ(game.GameState, LEVEL_COMPLETE);
  EXPECT_GT(game.CurrTime, 80);
}

TEST_F(BonusStage, TheClockStandsWhileTheBonusTutorialIsOpen) {
  WriteBonusLevel({"11.11"}, {{0, 0}}, {{3, 200, 250}});
  TGame game;
  std::vector<int> shown;
  float shotClock = 0;
  Script s;
  s.Wait(25).Click(363, 365);
  s.Until([&] { return game.ShowBonusGame == 3; }, 60, "the bonus tutorial");
  s.Wait(2).Do([&] { shown.push_back(game.CurrTime); });
  s.Do([] { Delay(20000); }).Wait(60);  // the player reads for a while
  s.Do([&] { shown.push_back(game.CurrTime); });
  for (int page = 0; page < 4; ++page) s.Click(25 + 470, 85 + 270).Wait(2);
  s.Click(25 + 280, 85 + 270);
  s.Until([&] { return game.GameState == PLAY_GAME; }, 400, "the bonus game");
  s.Wait(1).Do([&] {
    shown.push_back(game.CurrTime);
    shotClock = game.BGame->ShotTimer(true, Millisecs());
  });
  s.Stop();
  s.Install();
  PlayLevel(game);
  EXPECT_EQ(shown, (std::vector<int>{180, 180, 180}));
  EXPECT_GT(shotClock, 0.99f) << "the first shot has its whole time";
}

TEST_F(BonusStage, AFullBoardLosesWithNoMoreSpaceLeftAndOffersATryAgain) {
  // Stones down to the row above the bottom: the first shot stays in the bottom row.
  WriteBonusLevel({"SSSSSSSS", "SSSSSSSS", "SSSSSSSS", "SSSSSSSS", "SSSSSSSS", "SSSSSSSS", "SSSSSSSS", "SSSSSSSS"},
                  {{0, 0}}, {{3, 200, 250}});
  TGame game;
  bool noSpace = false;
  Script s;
  ThroughTheMessages(s, game);
  s.Click(300, 300);
  s.Until([&] { return (noSpace = noSpace || Showing(game, "No more space left")) && game.GameState == TRY_AGAIN; },
          400, "the try-again box");
  s.Do([&] { EXPECT_EQ(game.ReplayLevel->Line1, Text("No more space left.")); });
  s.Wait(25).Click(130 + 110, 120 + 210);  // "Yeah"
  s.Until([&] { return game.GameState == FADE_IN_NEXT_LEVEL; }, 10, "the same level again");
  s.Stop();
  s.Install();
  PlayLevel(game);
  EXPECT_TRUE(noSpace);
  EXPECT_EQ(game.ShowBonusGame, 1);
  ASSERT_TRUE(game.BGame);
  EXPECT_EQ(game.BGame->DontCheckAnyMore, 0);
  EXPECT_FALSE(game.ShowBonusGameTutorial);  // once per player and run
}

// More pieces than the board has cells: the start used to look for a free cell forever.
// Such a level is played as a plain puzzle with every piece in the tray.
TEST_F(BonusStage, MorePiecesThanCellsStartsAsAPlainPuzzle) {
  WriteBonusLevel({"0123", "2301"}, {{0, 0}}, std::vector<Piece>(MAX_PIECES_PER_LEVEL, Piece{2, 200, 250}));
  TGame game;
  Script s;
  s.Stop();
  s.Install();
  ::alarm(60);
  PlayLevel(game);
  ::alarm(0);
  EXPECT_EQ(game.ShowBonusGame, 0);
  EXPECT_FALSE(game.BGame);
  EXPECT_EQ(std::count_if(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& p) { return p->Pickable; }),
            MAX_PIECES_PER_LEVEL);
}

// Regression: a board that already fills a column down to the bottom row was judged lost
// while the level faded in, so "Find the tiles", the bonus tutorial and the try-again
// question stayed under an almost black cover.
TEST_F(BonusStage, AStartBoardWithAFullColumnIsJudgedOnlyOnceTheGameRuns) {
  WriteBonusLevel({"1", "2", "1", "2", "1", "2", "1", "2", "1"}, {{0, 0}}, {{3, 200, 250}});
  TGame game;
  bool lostEarly = false;
  double requesterLight = 0;
  Script s;
  s.Until([&] {
    lostEarly = lostEarly || (game.GameState == TIME_OUT && game.ShowBonusGame != 2);
    return game.GameState == FADE_IN && game.ShowBonusGame == 1;
  }, 5, "the fade-in");
  ThroughTheMessages(s, game);
  s.Until([&] { return Showing(game, "No more space left"); }, 60, "the loss");
  s.Until([&] { return game.GameState == TRY_AGAIN && game.ReplayLevel->Alpha >= 1; }, 400, "the try-again box");
  s.Do([&] {
    // The box's parchment in full light.
    const PixmapPtr pm = GrabPixmap(150, 140, 420, 240);
    for (uint32_t c : pm->pixels) requesterLight += ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255);
    requesterLight /= 3.0 * double(pm->pixels.size());
  });
  s.Stop();
  s.Install();
  PlayLevel(game);
  EXPECT_FALSE(lostEarly);
  EXPECT_GT(requesterLight, 60);
}
