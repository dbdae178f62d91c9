// The level-set selection: which files are offered, which set starts selected, and the
// screen itself driven by clicks (choosing, scrolling, saving the choice).
#include "app/shell.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "media/script.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "support/game_env.h"
#include "support/text_probe.h"
#include "ui/level_select.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

const std::string JEWELS = "incbin::../data/Jewels of Dharma.lvl";
const std::string NUMBERS = "incbin::../data/Numbers of Lhasa.lvl";
const std::string PEACE = "incbin::../data/Peace in Sakya.lvl";
const std::string ZHENYAN = "incbin::../data/Zhenyan Abstraktum.lvl";
constexpr int CHOOSE_X = 410, CHOOSE_Y = 350;

class LevelSelectTest : public GameTest {
protected:
  static TUser& Player() { return *Users->GetCurrentUser(); }
  static void Finished(const std::string& set) { Player().MaxLevel.push_back(std::make_shared<TMaxLevel>(set, 50)); }
  static std::vector<std::string> Listed() {
    std::vector<std::string> listed;
    for (const std::string& p : TReqLevelSelect::CandidatePaths())
      if (TReqLevelSelect::IsLevelSet(p)) listed.push_back(p);
    return listed;
  }
};

}  // namespace

TEST_F(LevelSelectTest, ListsTheShippedSetsThenTheLvlFilesOfTheDataFolder) {
  const std::string folder = DataFolder->GetPath();
  ASSERT_TRUE(CreateEmptyLevelSet(folder + "Mine.lvl"));
  ASSERT_TRUE(CreateEmptyLevelSet(folder + "Shouting.LVL"));  // the extension test is exact
  ASSERT_TRUE(Users->Save());                                 // users.cfg is no level set
  const std::vector<std::string> listed = Listed();
  ASSERT_EQ(listed.size(), 6u);
  EXPECT_EQ(listed[0], JEWELS);
  EXPECT_EQ(listed[4], ZHENYAN);
  EXPECT_EQ(listed[5], folder + "Mine.lvl");
  EXPECT_EQ(TReqLevelSelect::ShownName(listed[5]), "Mine");
  EXPECT_EQ(TReqLevelSelect::ShownName(JEWELS), "Jewels of Dharma");
  EXPECT_EQ(TReqLevelSelect::ShownName("C:\\sets\\Odd\nname.lvl"), "Odd name");
}

TEST_F(LevelSelectTest, StartsOnTheLastSetOrTheNextUnfinishedOne) {
  const std::vector<std::string> sets = Listed();
  Player().CurrLevelFile = "";
  EXPECT_EQ(TReqLevelSelect::InitialSelection(Player(), sets), 0);
  // The comparison with the player's last set ignores case.
  Player().CurrLevelFile = "incbin::../data/PEACE IN SAKYA.lvl";
  EXPECT_EQ(TReqLevelSelect::InitialSelection(Player(), sets), 2);
  // A completed set hands over to the next unfinished one after it.
  Player().CurrLevelFile = JEWELS;
  Finished(JEWELS);
  Finished(NUMBERS);
  EXPECT_EQ(TReqLevelSelect::InitialSelection(Player(), sets), 2);
  // Nothing unfinished after it: it stays.
  Player().CurrLevelFile = ZHENYAN;
  Finished(ZHENYAN);
  EXPECT_EQ(TReqLevelSelect::InitialSelection(Player(), sets), 4);
}

TEST_F(LevelSelectTest, ProgressIsTheLastEntryOfExactlyThatSet) {
  Player().MaxLevel.push_back(std::make_shared<TMaxLevel>(PEACE, 7));
  Player().MaxLevel.push_back(std::make_shared<TMaxLevel>(PEACE, 12));
  Player().MaxLevel.push_back(std::make_shared<TMaxLevel>("incbin::../data/peace in sakya.lvl", 50));
  EXPECT_EQ(TReqLevelSelect::Progress(Player(), PEACE), 12);
  EXPECT_FALSE(TReqLevelSelect::Completed(Player(), PEACE));
  EXPECT_EQ(TReqLevelSelect::Progress(Player(), NUMBERS), 0);
}

TEST_F(LevelSelectTest, ACompletedLastSetOpensOnTheNextWithItsPreviewAndIsSaved) {
  // Two sets of the player's own after the shipped ones; the second has one square.
  const std::string done = DataFolder->GetPath() + "A done.lvl", next = DataFolder->GetPath() + "B next.lvl";
  ASSERT_TRUE(CreateEmptyLevelSet(done));
  ReadLevelSet(done);
  LevelShapes[0].push_back(Shape::CreateNewShape(3, 200, 240, 45, 0, 0, 0, false, 0, 0));
  ASSERT_TRUE(WriteLevelSet(next));
  Shape::ClearAllElements();
  Player().CurrLevelFile = done;
  Finished(done);
  Script script;
  script.Wait(3)
      .Do([&] {
        EXPECT_EQ(LevelFilePath, next);
        ASSERT_EQ(ShapeList.size(), 1u);  // the preview of its first level
        EXPECT_EQ(ShapeList[0]->Element, 3);
      })
      .Click(CHOOSE_X, CHOOSE_Y)
      .Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(LevelFilePath, next);
  EXPECT_EQ(selection.sel, 6);
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(Users->GetCurrentUser()->CurrLevelFile, next);  // saved with the choice
}

TEST_F(LevelSelectTest, ARowClickChoosesItsSet) {
  const int rowHeight = FontMain->FrameHeight;
  Script script;
  script.Wait(3).Click(200, 129 + 2 * rowHeight + rowHeight / 2).Wait(2).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(selection.sel, 2);
  EXPECT_EQ(LevelFilePath, PEACE);
  EXPECT_EQ(Player().CurrLevelFile, PEACE);
}

TEST_F(LevelSelectTest, TheDownArrowScrollsALongListToItsEndAndNoFurther) {
  const std::string folder = DataFolder->GetPath();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(CreateEmptyLevelSet(folder + "Set " + std::to_string(100 + i) + ".lvl"));
  Script script;
  script.Wait(3).MoveTo(322, 359).Press(1).Wait(400).Release(1).Wait(2).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(selection.ListHeight, 25 * FontMain->FrameHeight - 239);
  EXPECT_GT(selection.ListHeight, 0);
  EXPECT_FLOAT_EQ(selection.ListOffset, float(selection.ListHeight));
}

TEST_F(LevelSelectTest, LongSetNamesAreShortenedInsideTheList) {
  // A set of the player's own with a long name, and in its place one with a short name:
  // where their rows differ is the long name's text, which must end inside the list.
  const std::string folder = DataFolder->GetPath();
  constexpr int LIST_X = 115, LIST_W = 191;
  const int rowHeight = FontMain->FrameHeight, rowY = 129 + 5 * rowHeight;
  auto rowOf = [&](const std::string& name) {
    EXPECT_TRUE(CreateEmptyLevelSet(folder + name + ".lvl"));
    PixmapPtr row;
    Script script;
    script.Wait(25).Do([&] { row = GrabPixmap(LIST_X, rowY, LIST_W, rowHeight); }).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
    script.Install(true);
    TReqLevelSelect selection;
    std::filesystem::remove(folder + name + ".lvl");
    return row;
  };
  const std::string longName = "The Long Road over the Seven Passes";
  ASSERT_GT(FontMain->GetWidth(longName), LIST_W);
  const PixmapPtr with = rowOf(longName), without = rowOf("A");
  ASSERT_TRUE(with && without);
  int nameEnd = -1;
  for (int x = 0; x < LIST_W; ++x)
    for (int y = 0; y < rowHeight; ++y)
      if (with->ReadPixel(x, y) != without->ReadPixel(x, y)) nameEnd = x;
  EXPECT_GT(nameEnd, LIST_W - 30);
  EXPECT_LT(nameEnd, LIST_W - 4);
}

TEST_F(LevelSelectTest, AShortListDoesNotScroll) {
  Script script;
  script.Wait(3).MoveTo(322, 359).Press(1).Wait(30).Release(1).Wait(2).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(selection.ListHeight, 0);
  EXPECT_EQ(selection.ListOffset, 0);
}

TEST_F(LevelSelectTest, APreselectedSetFarDownTheListIsScrolledIntoView) {
  const std::string folder = DataFolder->GetPath();
  for (int i = 0; i < 20; ++i) ASSERT_TRUE(CreateEmptyLevelSet(folder + "Set " + std::to_string(100 + i) + ".lvl"));
  ReadLevelSet(folder + "Set 110.lvl");
  LevelShapes[0].push_back(Shape::CreateNewShape(3, 200, 240, 45, 0, 0, 0, false, 0, 0));
  ASSERT_TRUE(WriteLevelSet(folder + "Set 110.lvl"));  // a set that can be chosen
  Player().CurrLevelFile = folder + "Set 110.lvl";  // row 15
  Script script;
  script.Wait(3).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(selection.sel, 15);
  EXPECT_FLOAT_EQ(selection.ListOffset, float(16 * FontMain->FrameHeight - 239));
}

TEST_F(LevelSelectTest, AStartedSetWhoseFirstLevelIsNotWonYetShowsAsNotYetPlayed) {
  Player().CurrLevelFile = PEACE;
  Player().MaxLevel.push_back(std::make_shared<TMaxLevel>(PEACE, 0));
  Player().MaxLevel.push_back(std::make_shared<TMaxLevel>(NUMBERS, 1));
  DrawnTexts texts;
  std::vector<std::string> progress;
  auto note = [&] {
    for (const auto& e : texts.entries)
      if (e.y == 385) progress.push_back(e.text);
    texts.entries.clear();
  };
  const int rowHeight = FontMain->FrameHeight;
  Script script;
  script.Wait(3).Do(note).Click(200, 129 + rowHeight + rowHeight / 2).Wait(2).Do(note);
  script.Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  ASSERT_GE(progress.size(), 2u);
  EXPECT_EQ(progress.front(), Text("Levelset not yet played"));
  EXPECT_EQ(progress.back(), "Progress: Level 2 / 50");
}

// Rows of 40 pixels: six of them, the five shipped sets and one of the player's own,
// are 240 pixels, one more than the list shows.
TEST_F(LevelSelectTest, RowsOfExactlyTwoHundredFortyPixelsScrollByOne) {
  ASSERT_TRUE(CreateEmptyLevelSet(DataFolder->GetPath() + "Own.lvl"));
  const int frameHeight = FontMain->FrameHeight;
  FontMain->FrameHeight = 40;
  Script script;
  script.Wait(3).MoveTo(322, 359).Press(1).Wait(30).Release(1).Wait(2).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  FontMain->FrameHeight = frameHeight;
  EXPECT_EQ(selection.ListHeight, 1);
  EXPECT_EQ(selection.ListOffset, 1) << "the down arrow moves the list by its one pixel";
}
