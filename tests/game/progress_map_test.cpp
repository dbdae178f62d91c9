// The progress map (only reached stations can be chosen; the card scrolls to the chosen
// station and never past its ends; "Show Map", "Play" and "Exit"; damaged levels marked
// and skipped) and the end of a set.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "game/progress_map.h"
#include "levels/level_set.h"
#include "players/data_folder.h"
#include "players/users.h"

#include <filesystem>

namespace {

class ProgressMap : public GameScenario {
protected:
  void SetUp() override {
    GameScenario::SetUp();
    ReadLevelSet("incbin::../data/Jewels of Dharma.lvl");  // 50 playable levels
    LevelFilePath = "incbin::../data/Some set.lvl";
  }
  // Clicks into station i's point as the card stands scrolled by scroll.
  static void ClickStation(Script& s, int i, int scroll) {
    const Point p = MapStation(i);
    s.Click(p.x - scroll + 12, p.y + 12);
  }
  static constexpr int PLAY_X = 570, PLAY_Y = 420, EXIT_Y = 52;
};

}  // namespace

TEST_F(ProgressMap, OnlyReachedStationsCanBeChosen) {
  SetReached(3);
  int level = 3;
  bool map = true, quit = false;
  Script s;
  s.Wait(25);
  ClickStation(s, 10, 0);
  s.Wait(2);
  s.Do([&] { EXPECT_EQ(level, 3) << "level 11 is not reached yet"; });
  ClickStation(s, 4, 0);
  s.Wait(2);
  s.Do([&] { EXPECT_EQ(level, 3); });
  ClickStation(s, 1, 0);
  s.Wait(2);
  s.Do([&] { EXPECT_EQ(level, 1); });
  s.Click(PLAY_X, PLAY_Y);
  s.Wait(100);
  s.Install();
  ShowProgressMap(level, map, quit);
  EXPECT_EQ(level, 1);
  EXPECT_TRUE(map);
  EXPECT_FALSE(quit);
}

TEST_F(ProgressMap, TheCardScrollsToTheChosenStationWithinItsEnds) {
  SetReached(49);
  int level = 45;
  bool map = true, quit = false;
  Script s;
  s.Wait(25);
  // Level 46 stands 272 pixels into the card.
  ClickStation(s, 20, 272);
  s.Wait(80);  // back to the left end, 4 pixels a frame
  ClickStation(s, 0, 0);
  s.Wait(2);
  s.Do([&] { EXPECT_EQ(level, 0) << "the card stopped at its left end"; });
  ClickStation(s, 45, 0);
  s.Wait(80);
  ClickStation(s, 49, 272);
  s.Wait(10);
  ClickStation(s, 48, 276);
  s.Wait(2);
  s.Do([&] { EXPECT_EQ(level, 48) << "the card stopped at its right end"; });
  s.Click(PLAY_X, PLAY_Y);
  s.Wait(100);
  s.Install();
  ShowProgressMap(level, map, quit);
  EXPECT_EQ(level, 48);
}

TEST_F(ProgressMap, ShowMapSwitchesTheMapOffAndExitLeavesTheGame) {
  SetReached(0);
  int level = 0;
  bool map = true, quit = false;
  Script s;
  s.Wait(25);
  s.Click(95, 457);
  s.Wait(2);
  s.Do([&] { EXPECT_FALSE(map); });
  s.Click(PLAY_X, EXIT_Y);
  s.Wait(100);
  s.Install();
  ShowProgressMap(level, map, quit);
  EXPECT_FALSE(map);
  EXPECT_TRUE(quit);
}

TEST_F(ProgressMap, UntickingShowMapAndPlayingOnKeepsTheMapAwayFromLaterLevels) {
  WriteSet("unticked", {TwoPieces(), TwoPieces(), TwoPieces()});
  user->ProgressMap = true;
  game = std::make_unique<TGame>();
  Script s;
  s.Wait(25).Click(95, 457).Wait(2).Click(PLAY_X, PLAY_Y).Wait(100);
  s.Install();
  game->InitLevel(true);
  EXPECT_FALSE(user->ProgressMap);
  EXPECT_FALSE(game->QuitGame);
  // The next levels start without a single frame of the map.
  for (int level = 1; level <= 2; ++level) {
    SetReached(level);
    game->CurrentLevel = level;
    Script none;
    none.Install();
    EXPECT_NO_THROW(game->InitLevel(true)) << "no map before level " << level + 1;
    EXPECT_EQ(none.FramesRun(), 0);
  }
  // Saved with the profile's other fields.
  ASSERT_TRUE(Users->Load());
  EXPECT_FALSE(Users->GetCurrentUser()->ProgressMap);
}

TEST_F(ProgressMap, ALevelChosenOnTheMapIsTheOnePlayed) {
  WriteSet("mapped", {TwoPieces(), TwoPieces(LP_TORCH), TwoPieces()});
  SetReached(2);
  user->ProgressMap = true;
  game = std::make_unique<TGame>();
  Script s;
  s.Wait(25);
  ClickStation(s, 1, 0);
  s.Click(PLAY_X, PLAY_Y);
  s.Wait(100);
  s.Install();
  game->InitLevel(true);
  EXPECT_EQ(game->CurrentLevel, 1);
  EXPECT_TRUE(game->ShowTorch) << "level 2's pieces and modes are set up";
}

TEST_F(ProgressMap, ExitOnTheMapEndsTheGameBeforeItStarts) {
  WriteSet("mapexit", {TwoPieces()});
  user->ProgressMap = true;
  game = std::make_unique<TGame>();
  Script s;
  s.Wait(25);
  s.Click(PLAY_X, EXIT_Y);
  s.Wait(100);
  s.Install();
  game->InitLevel(true);
  EXPECT_TRUE(game->QuitGame);
  Script none;
  EXPECT_TRUE(RunPlay(none));
  EXPECT_EQ(none.FramesRun(), 0);
}

TEST_F(ProgressMap, SolvingTheLastLevelRunsTheEndScreenAndCompletesTheSet) {
  WriteSet("short", {TwoPieces()});
  TGame& g = StartGame();
  Script s;
  StartPlaying(s, g);
  PlaceAll(s, TwoPieces().pieces);
  s.Until([&] { return g.lcs_action == 1; }, 600, "the scroll to open");
  s.Click(320, 240);
  s.Until([&] { return g.GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
  s.Wait(200);  // the end screen reveals its lines
  s.Click(320, 240);
  s.Wait(100);
  EXPECT_TRUE(RunPlay(s));
  EXPECT_TRUE(g.LevelSetCompleted);
  ASSERT_EQ(user->MaxLevel.size(), 1u);
  EXPECT_EQ(user->MaxLevel[0]->Level, 50);
}

// Regression: a level whose puzzle set is not 0 or 1 showed no pieces and no silhouette,
// said "Puzzle solved" by itself and paid about 8,500 points.
TEST_F(ProgressMap, ADamagedLevelIsMarkedCannotBeChosenAndIsSkipped) {
  TestLevel damaged = TwoPieces(LP_FREEZE);
  damaged.puzzleSet = 1000;
  WriteSet("damaged", {TwoPieces(), damaged, TwoPieces(), damaged});
  EXPECT_EQ(DamagedLevelList(), "2, 4");
  SetReached(1);  // the player had reached it (the file changed since)
  user->ProgressMap = true;
  const int score = user->Score;
  game = std::make_unique<TGame>();
  Script s;
  s.Wait(60);
  s.Do([] {
    // The station of level 2 carries a red cross.
    const Point p = MapStation(1);
    const uint32_t c = PixelAt(p.x + 12, p.y + 12);
    EXPECT_GT(int((c >> 16) & 255), 150);
    EXPECT_LT(int((c >> 8) & 255), 90);
  });
  ClickStation(s, 1, 0);
  s.Wait(2);
  s.Click(PLAY_X, PLAY_Y);
  s.Wait(100);
  s.Install();
  game->InitLevel(true);
  EXPECT_EQ(game->CurrentLevel, 2) << "the next playable level";
  EXPECT_FALSE(game->ShowFreezeMessage);
  ASSERT_EQ(user->MaxLevel.size(), 1u);
  EXPECT_EQ(user->MaxLevel[0]->Level, 2);

  // Solving level 3 ends the set: level 4 is skipped as well, and nothing is paid for it.
  user->ProgressMap = false;
  Script play;
  StartPlaying(play, *game);
  PlaceAll(play, TwoPieces().pieces);
  play.Until([&] { return game->lcs_action == 1; }, 600, "the scroll to open");
  play.Do([&] { EXPECT_EQ(game->CurrentLevel, 2); });
  play.Click(320, 240);
  play.Until([&] { return game->GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
  play.Wait(200).Click(320, 240).Wait(100);  // the end screen
  EXPECT_TRUE(RunPlay(play));
  EXPECT_TRUE(game->LevelSetCompleted);
  EXPECT_EQ(game->CurrentLevel, LEVEL_COUNT);
  EXPECT_GT(user->Score, score);
  EXPECT_LE(user->Score, score + 60 * 125 + 1000) << "one level's points only";
}

// A set with no playable level left is not played: no frame, no progress entry.
TEST_F(ProgressMap, ASetWithNothingToPlayIsNotStarted) {
  TestLevel damaged = TwoPieces(LP_FREEZE | LP_TORCH);
  damaged.puzzleSet = -1;
  WriteSet("nothing", {damaged});
  user->ProgressMap = true;
  StartGame();
  EXPECT_TRUE(game->QuitGame);
  EXPECT_TRUE(user->MaxLevel.empty());
  Script none;
  EXPECT_TRUE(RunPlay(none));
  EXPECT_EQ(none.FramesRun(), 0);
  EXPECT_FALSE(game->LevelSetCompleted);
}

// The overall count covers the player's own files only: a folder or a device named like a
// set is no set.
TEST_F(ProgressMap, TheOverallCountLeavesOutFoldersAndDevicesNamedLikeASet) {
  namespace fs = std::filesystem;
  const std::string folder = DataFolder->GetPath();
  ASSERT_TRUE(CreateEmptyLevelSet(folder + "Mine.lvl"));
  fs::create_directories(folder + "Folder.lvl");
  fs::create_symlink("/dev/zero", folder + "Device.lvl");
  TUsers::AddMaxDataEx(user->Name, folder + "Mine.lvl", 7);
  int reached = 0, levels = 0;
  OverallProgress(*user, reached, levels);
  EXPECT_EQ(levels, int(ShippedSetNames().size() + 1) * 50);
  EXPECT_EQ(reached, 7);
}
