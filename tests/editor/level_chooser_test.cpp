// The editor's set chooser and name entry, and the file names typed set names become.
#include "editor/level_chooser.h"

#include "app/shell.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "present/bitmap_font.h"
#include "support/game_env.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace {

constexpr float CX = 150, CY = 100;  // where the editor shows the chooser
constexpr float NX = 95, NY = 50;    // and the name entry

class LevelChooserTest : public GameTest {
protected:
  static void Touch(const std::string& name) { ASSERT_TRUE(CreateEmptyLevelSet(DataFolder->GetPath() + name)); }

  // Draws the requester each frame under the script until it stops.
  static void Loop(Script& s, const std::function<void()>& draw) {
    s.Install();
    try {
      while (true) {
        Cls();
        PollInput();
        draw();
        ShowFrame();
      }
    } catch (const StopRun&) {
    }
  }
};

}  // namespace

TEST_F(LevelChooserTest, ListsOnlyTheLevelSetFilesOfTheDataFolder) {
  Touch("b.lvl");
  Touch("a.lvl");
  Touch("Abc.LVL");
  Touch("a.lvl.bak");
  std::filesystem::create_directory(DataFolder->GetPath() + "folder.lvl");
  TReqLevelSeletor chooser;
  EXPECT_EQ(chooser.dir, (std::vector<std::string>{"a.lvl", "b.lvl"}));
}

TEST_F(LevelChooserTest, AnEmptyOrUnreadableFolderListsNothingAndOnlyNewLeadsOn) {
  DataFolder->Path = DataHome() + "/missing/";
  TReqLevelSeletor chooser;
  EXPECT_TRUE(chooser.dir.empty());
  Script s;
  s.Click(int(CX) + 325, int(CY) + 260).Wait(2);
  s.Do([&] { EXPECT_EQ(chooser.Action, ""); });
  s.Click(int(CX) + 325, int(CY) + 80).Wait(2);
  s.Do([&] { EXPECT_EQ(chooser.Action, "NEW"); });
  Loop(s, [&] { chooser.Render(CX, CY); });
}

TEST_F(LevelChooserTest, OkWaitsForAChosenRow) {
  Touch("a.lvl");
  Touch("b.lvl");
  TReqLevelSeletor chooser;
  const int fh = FontMain->FrameHeight;
  Script s;
  s.Click(int(CX) + 325, int(CY) + 260).Wait(2);
  s.Do([&] { EXPECT_EQ(chooser.Action, ""); });
  s.Click(int(CX) + 100, int(CY) + 49 + fh + fh / 2).Wait(2);
  s.Do([&] {
    EXPECT_EQ(chooser.sel, 1);
    EXPECT_EQ(chooser.LevelFile, "b.lvl");
  });
  // Below the last row there is nothing to choose.
  s.Click(int(CX) + 100, int(CY) + 49 + 5 * fh).Wait(2);
  s.Do([&] { EXPECT_EQ(chooser.sel, 1); });
  s.Click(int(CX) + 325, int(CY) + 260).Wait(2);
  s.Do([&] { EXPECT_EQ(chooser.Action, "OK"); });
  Loop(s, [&] { chooser.Render(CX, CY); });
}

TEST_F(LevelChooserTest, ALongListScrollsTwoPixelsAFrameAndByItsThumb) {
  for (char c = 'a'; c <= 't'; ++c) Touch(std::string(1, c) + ".lvl");
  TReqLevelSeletor chooser;
  const int fh = FontMain->FrameHeight;
  const int height = 20 * fh - 238;
  Script s;
  s.Wait(1).Do([&] { EXPECT_EQ(chooser.ListHeight, height); });
  // "DOWN" held: 2 pixels a frame, no further than the list goes.
  s.MoveTo(int(CX) + 249, int(CY) + 278).Press(MOUSE_LEFT).Wait(10);
  s.Do([&] { EXPECT_NEAR(chooser.ListOffset, 20, 2); });
  s.Wait(height);
  s.Do([&] { EXPECT_EQ(chooser.ListOffset, float(height)); });
  s.Release(MOUSE_LEFT).MoveTo(int(CX) + 249, int(CY) + 58).Press(MOUSE_LEFT).Wait(height);
  s.Do([&] { EXPECT_EQ(chooser.ListOffset, 0); });
  // The thumb's centre follows the pointer down the track.
  s.Release(MOUSE_LEFT).MoveTo(int(CX) + 249, int(CY) + 168).Press(MOUSE_LEFT).Wait(2);
  s.Do([&] {
    const float t = float(height + 238), h = 238 / t * 197;
    EXPECT_NEAR(chooser.ListOffset, (98 - h / 2) / 197 * t, 1);
    EXPECT_TRUE(chooser.slide);
  });
  s.MoveTo(int(CX) + 249, int(CY) + 400).Wait(2);
  s.Do([&] { EXPECT_EQ(chooser.ListOffset, float(height)); });
  s.Release(MOUSE_LEFT).Wait(1);
  s.Do([&] { EXPECT_FALSE(chooser.slide); });
  Loop(s, [&] { chooser.Render(CX, CY); });
}

TEST_F(LevelChooserTest, NameEntryStopsAtItsWidthAndWantsAUsableName) {
  TReqEnterLevelName entry;
  Script s;
  s.Type(std::string(60, 'W'));
  s.Do([&] {
    const int w = FontMain->GetWidth(entry.Caption);
    EXPECT_GE(w, 300);
    EXPECT_LT(FontMain->GetWidth(entry.Caption.substr(1)), 300);  // the last one may pass the limit
    EXPECT_LT(entry.Caption.size(), 60u);
    entry.Caption = "...";
  });
  s.Click(int(NX) + 233, int(NY) + 207).Wait(2);
  s.Do([&] { EXPECT_EQ(entry.Action, ""); });
  // Backspace held: the first character at once, then one every 11 frames.
  s.Do([&] { entry.Caption = "Road home"; }).HoldKey(KEY_BACKSPACE, 23);
  s.Do([&] { EXPECT_EQ(entry.Caption, "Road h"); });
  s.TapKey(KEY_ENTER).Wait(2);
  s.Do([&] { EXPECT_EQ(entry.Action, ""); });  // only "Ok" takes the name
  s.Click(int(NX) + 233, int(NY) + 207).Wait(2);
  s.Do([&] { EXPECT_EQ(entry.Action, "OK"); });
  Loop(s, [&] { entry.Render(NX, NY); });
}

TEST(LevelSetFileName, KeepsEveryFileInsideTheDataFolder) {
  const std::pair<const char*, const char*> cases[] = {
      {"Mountain path", "Mountain path.lvl"},
      {"../x", "_x.lvl"},
      {"a/b", "a_b.lvl"},
      {"..", ""},
      {"/", "_.lvl"},
      {"   ", ""},
      {".hidden", "hidden.lvl"},
      {"a..b", "a.b.lvl"},
      {"dots...", "dots.lvl"},
      {"C:\\x", "C:_x.lvl"},
      {"tab\there", "tab_here.lvl"},
      {"", ""},
  };
  for (const auto& [typed, file] : cases) EXPECT_EQ(LevelSetFileName(typed), file) << typed;
  EXPECT_EQ(LevelSetFileName(std::string(200, 'x')), std::string(MAX_SET_NAME, 'x') + ".lvl");
  EXPECT_EQ(LevelSetFileName("Gr\xFC\xDF"), "Gr\xC3\xBC\xC3\x9F.lvl");  // Latin-1 text, UTF-8 file name
}
