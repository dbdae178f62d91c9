// A round of "PLAY" with a damaged or hostile file chosen in the level-set selection: the
// selection says the set cannot be played, nothing is played, paid or recorded for it,
// and another set can be chosen and played right after.
#include "app/main_loop.h"
#include "app/shell.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/random.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/bitmap_font.h"
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

  // The frame's mean brightness (0..255) in a rectangle.
  static double Brightness(int x, int y, int w, int h) {
    const PixmapPtr pm = GrabPixmap(x, y, w, h);
    double sum = 0;
    for (uint32_t c : pm->pixels) sum += ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255);
    return sum / 3 / double(pm->pixels.size());
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
        EXPECT_GT(Brightness(140, 130, 438, 260), 60);
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
