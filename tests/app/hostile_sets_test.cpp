// A round of "PLAY" with a damaged or hostile file chosen in the level-set selection: the
// selection says the set cannot be played, nothing is played, paid or recorded for it,
// and another set can be chosen and played right after.
#include "app/main_loop.h"
#include "app/shell.h"
#include "game/progress_map.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/random.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "support/debug_lines.h"
#include "support/game_env.h"
#include "support/menu_script.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

const std::string JEWELS = "incbin::../data/Jewels of Dharma.lvl";
constexpr int OKAY_X = 150 + 230, OKAY_Y = 100 + 210;  // the message's single button
constexpr int START_SCORE = 1234;
constexpr double LIGHT = 60;  // mean brightness of a box in full light; the fade-in cover is darker

void WriteBytes(const std::string& path, const std::string& bytes) {
  StreamPtr s = WriteStream(path);
  ASSERT_TRUE(s);
  s->WriteString(bytes);
  ASSERT_TRUE(s->Close());
}

// 50 levels, every one with a piece, none of them playable.
void AllLevelsDamaged(const std::string& path) {
  ASSERT_TRUE(CreateEmptyLevelSet(path));
  ReadLevelSet(path);
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    LevelProps[size_t(i)]->PuzzleSet = 2;
    LevelShapes[size_t(i)].push_back(Shape::CreateNewShape(3, 200, 240, 0, 255, 255, 255, false, 0, 0));
  }
  ASSERT_TRUE(WriteLevelSet(path));
}

// The frame's mean brightness (0..255) in a rectangle.
double Brightness(int x, int y, int w, int h) {
  const PixmapPtr pm = GrabPixmap(x, y, w, h);
  double sum = 0;
  for (uint32_t c : pm->pixels) sum += ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255);
  return sum / 3 / double(pm->pixels.size());
}

struct HostileFile {
  const char* name;
  std::function<void(const std::string& path)> make;
};
void PrintTo(const HostileFile& f, std::ostream* os) { *os << f.name; }

const HostileFile HOSTILE_FILES[] = {
    {"EmptyFile", [](const std::string& p) { WriteBytes(p, ""); }},
    {"FiftyMegabytesOfZeros",
     [](const std::string& p) {
       WriteBytes(p, "");
       fs::resize_file(p, 50u << 20);  // sparse: costs no disk
     }},
    {"Garbage",
     [](const std::string& p) {
       SeedRnd(19);
       std::string bytes(4096, '\0');
       for (char& c : bytes) c = char(RandomInt(0, 255));
       WriteBytes(p, bytes);
     }},
    {"Directory", [](const std::string& p) { fs::create_directories(fs::path(p) / "inside"); }},
    {"LinkToADevice", [](const std::string& p) { fs::create_symlink("/dev/zero", p); }},
    {"CutBeforeItsFirstLevel",
     [](const std::string& p) {
       ASSERT_TRUE(CreateEmptyLevelSet(p));
       std::vector<uint8_t> bytes;
       ASSERT_TRUE(LoadBytes(p, bytes));
       WriteBytes(p, std::string(bytes.begin(), bytes.begin() + 10));
     }},
    {"FiftyEmptyLevels", [](const std::string& p) { ASSERT_TRUE(CreateEmptyLevelSet(p)); }},
    {"EveryLevelDamaged", AllLevelsDamaged},
};

class HostileSet : public GameTest, public ::testing::WithParamInterface<HostileFile> {
protected:
  void SetUp() override {
    GameTest::SetUp();
    path = DataFolder->GetPath() + "Hostile.lvl";
    GetParam().make(path);
    TUser& player = *Users->GetCurrentUser();
    player.CurrLevelFile = path;  // the selection opens on it
    player.Score = START_SCORE;
    ASSERT_TRUE(Users->Save());
  }

  std::string path;
};

}  // namespace

TEST_P(HostileSet, IsRefusedWithAMessageAndNothingIsPlayedPaidOrRecorded) {
  DebugLines log;
  const std::string refused = "Levelset not playable: " + path;
  const int rowHeight = FontMain->FrameHeight;
  Script script;
  script.Wait(30)
      .Click(CHOOSE_X, CHOOSE_Y)
      .Until([&] { return log.Count(refused) == 1; }, 10, "the message")
      .Wait(5)
      .Do([] {
        // The message stands in full light, not under a black cover.
        EXPECT_GT(Brightness(140, 130, 438, 260), LIGHT);
      })
      .Click(OKAY_X, OKAY_Y)
      .Wait(5)
      .Click(CHOOSE_X, CHOOSE_Y)  // once more: still refused, still on the selection
      .Until([&] { return log.Count(refused) == 2; }, 10, "the message again")
      .Click(OKAY_X, OKAY_Y)
      .Wait(5)
      .Click(200, 129 + rowHeight / 2)  // the first shipped set
      .Wait(3)
      .Click(CHOOSE_X, CHOOSE_Y)
      .Until([] { return LevelFilePath == JEWELS; }, 60, "the shipped set chosen")
      .Until([&] { return log.Count("ProgMap") == 1; }, 100, "the game's map")
      .Wait(40)
      .Click(MAP_EXIT_X, MAP_EXIT_Y)
      .Wait(120)  // the high scores wait for "Ok"
      .Click(HISCORE_OK_X, HISCORE_OK_Y);
  script.Install(true);
  EXPECT_FALSE(PlayLevelSet());

  ASSERT_TRUE(Users->Load());
  const TUser& player = *Users->GetCurrentUser();
  EXPECT_EQ(player.Score, START_SCORE);
  for (const auto& entry : player.MaxLevel) EXPECT_NE(entry->Name, path) << "progress recorded for the hostile set";
  EXPECT_EQ(player.CurrLevelFile, JEWELS);
}

INSTANTIATE_TEST_SUITE_P(AllKinds, HostileSet, ::testing::ValuesIn(HOSTILE_FILES),
                         [](const ::testing::TestParamInfo<HostileFile>& p) { return std::string(p.param.name); });

namespace {

// A set the player previews first: every level with Freeze and Torch, a clock and a bonus
// board on the hardest difficulty.
void EveryLevelWithModes(const std::string& path) {
  ASSERT_TRUE(CreateEmptyLevelSet(path));
  ReadLevelSet(path);
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    TLevelProperties& p = *LevelProps[size_t(i)];
    p.GameTime = 77;
    p.MiscProperties = LP_FREEZE | LP_TORCH;
    p.BonusLevelData[3][3] = 1;
    p.BonusLevelDifficulty = 3;
    LevelShapes[size_t(i)].push_back(Shape::CreateNewShape(3, 200, 240, 0, 255, 255, 255, false, 0, 0));
  }
  ASSERT_TRUE(WriteLevelSet(path));
}

// Level 1 drawn with a puzzle set the game does not have, level 2 sound and plain.
void FirstLevelDamaged(const std::string& path) {
  ASSERT_TRUE(CreateEmptyLevelSet(path));
  ReadLevelSet(path);
  LevelProps[0]->PuzzleSet = 1000;
  LevelProps[0]->MiscProperties = LP_FREEZE;
  for (int i = 0; i < 2; ++i)
    LevelShapes[size_t(i)].push_back(Shape::CreateNewShape(3, 200, 240, 0, 255, 255, 255, false, 0, 0));
  ASSERT_TRUE(WriteLevelSet(path));
}

// The selection's row of a set in the data folder (the shipped sets come first).
int RowOf(const std::string& path) {
  const std::string folder = DataFolder->GetPath();
  int row = int(ShippedSetNames().size());
  for (const std::string& entry : LoadDir(folder)) {
    if (folder + entry == path) return row;
    if (entry.size() > 4 && entry.compare(entry.size() - 4, 4, ".lvl") == 0) ++row;
  }
  return -1;
}

class RoundOfPlay : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    // Straight from the map to the level: no tutorial, no wisdom, no new rank.
    TUser& player = *Users->GetCurrentUser();
    player.Score = 0;
    player.Wisdoms = player.Tutorial = false;
  }

  // Ends the script at the high scores, plays the round and reads the profiles back.
  static const TUser& PlayRound(Script& script) {
    script.Wait(200).Click(HISCORE_OK_X, HISCORE_OK_Y).Wait(300).Stop();  // the round is over long before
    script.Install();
    EXPECT_FALSE(PlayLevelSet());
    EXPECT_TRUE(Users->Load());
    return *Users->GetCurrentUser();
  }
};

}  // namespace

// Regression: a level whose puzzle set is not 0 or 1 showed nothing, was "solved" by itself
// and paid about 8,500 points; the set previewed before lent its modes to levels the file
// leaves out. Now the map crosses the level out, the game starts on the next one, and
// nothing of the other set is left.
TEST_F(RoundOfPlay, ADamagedLevelIsCrossedOutOnTheMapSkippedAndPaysNothing) {
  const std::string folder = DataFolder->GetPath();
  const std::string before = folder + "A before.lvl", damaged = folder + "B damaged.lvl";
  EveryLevelWithModes(before);
  FirstLevelDamaged(damaged);
  TUser& player = *Users->GetCurrentUser();
  player.CurrLevelFile = before;  // previewed first
  ASSERT_TRUE(Users->Save());
  const int rowHeight = FontMain->FrameHeight;
  DebugLines log;
  Script script;
  script.Wait(30)
      .Do([] { ASSERT_EQ(LevelProps[49]->MiscProperties, LP_FREEZE | LP_TORCH); })
      .Click(200, 129 + RowOf(damaged) * rowHeight + rowHeight / 2)
      .Wait(3)
      .Click(CHOOSE_X, CHOOSE_Y)
      .Until([&] { return log.Count("ProgMap") == 1; }, 100, "the game's map")
      .Wait(60)
      .Do([] {
        // Level 1's station carries a red cross.
        const Point p = MapStation(0);
        const uint32_t c = PixelAt(p.x + 12, p.y + 12);
        EXPECT_GT(int((c >> 16) & 255), 150);
        EXPECT_LT(int((c >> 8) & 255), 90);
        EXPECT_EQ(DamagedLevelList(), "1");
      })
      .Click(MAP_PLAY_X, MAP_PLAY_Y)
      .Until([&] { return log.Count("EndINIT") == 1; }, 200, "level 2 set up")
      .Wait(200)  // faded in
      .Do([] {
        for (int i = 1; i < LEVEL_COUNT; ++i) {
          EXPECT_EQ(LevelProps[size_t(i)]->MiscProperties, 0) << "level " << i + 1;
          EXPECT_EQ(LevelProps[size_t(i)]->BonusLevelDifficulty, 0) << "level " << i + 1;
        }
      })
      .TapKey(KEY_ESCAPE)
      .Wait(12)
      .Click(328, 295)  // "Back to main menu"
      .Wait(2)
      .Click(210, 280);  // "Sure"
  const TUser& after = PlayRound(script);
  EXPECT_EQ(after.Score, 0);
  EXPECT_EQ(after.CurrLevelFile, damaged);
  bool entry = false;
  for (const auto& m : after.MaxLevel) {
    if (m->Name != damaged) continue;
    entry = true;
    EXPECT_EQ(m->Level, 1) << "level 2 reached, nothing completed";
  }
  EXPECT_TRUE(entry);
}

// Regression: a Play-for-tiles board that already fills a column was judged lost while the
// level faded in, so "Find the tiles", the bonus tutorial and the try-again question stood
// under an almost black cover and a blind click answered "No".
TEST_F(RoundOfPlay, AStartBoardAlreadyLostShowsEveryMessageInFullLight) {
  const std::string path = DataFolder->GetPath() + "Full column.lvl";
  ASSERT_TRUE(CreateEmptyLevelSet(path));
  ReadLevelSet(path);
  TLevelProperties& level = *LevelProps[0];
  level.MiscProperties = LP_PLAY_FOR_TILES;
  for (int y = 0; y < BOARD_H; ++y) level.BonusLevelData[0][size_t(y)] = 1 + y % 2;  // no three alike
  level.PuzzleTileData[0][0] = 0;  // the tile to find
  LevelShapes[0].push_back(Shape::CreateNewShape(3, 200, 250, 0, 255, 255, 255, false, 0, 0));
  ASSERT_TRUE(WriteLevelSet(path));
  Users->GetCurrentUser()->CurrLevelFile = path;
  ASSERT_TRUE(Users->Save());
  DebugLines log;
  Script script;
  script.Wait(30)
      .Click(CHOOSE_X, CHOOSE_Y)
      .Until([&] { return log.Count("ProgMap") == 1; }, 100, "the game's map")
      .Wait(40)
      .Click(MAP_PLAY_X, MAP_PLAY_Y)
      .Until([&] { return log.Count("EndINIT") == 1; }, 200, "the level set up")
      .Wait(60)  // faded in
      .Do([] { EXPECT_GT(Brightness(150, 110, 420, 200), LIGHT) << "\"Find the tiles\" in full light"; })
      .Click(363, 365)
      .Wait(30)
      .Do([] { EXPECT_GT(Brightness(60, 120, 500, 250), LIGHT) << "the bonus tutorial in full light"; });
  for (int page = 0; page < 4; ++page) script.Click(25 + 470, 85 + 270).Wait(2);
  script.Click(25 + 280, 85 + 270)
      .Until([&] { return log.Count("Try again: " + Text("No more space left.")) == 1; }, 600, "the loss")
      .Wait(30)  // the question fades in
      .Do([] { EXPECT_GT(Brightness(140, 130, 438, 260), LIGHT) << "the try-again question in full light"; })
      .Click(130 + 350, 120 + 210);  // "No"
  EXPECT_EQ(PlayRound(script).Score, 0);
}
