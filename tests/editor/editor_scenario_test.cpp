// The editor reached through the whole program: a new set built, tested and then played
// from the level-set selection; taking over an existing set's name; closing the window.
#include "app/main_loop.h"
#include "editor/editor_env.h"
#include "game/game_scenario.h"
#include "media/platform.h"
#include "players/users.h"
#include "support/debug_lines.h"
#include "support/menu_script.h"
#include "ui/title_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

constexpr int NEW_X = 475, NEW_Y = 180;              // the chooser's "New"
constexpr int NAME_OK_X = 328, NAME_OK_Y = 257;      // the name entry's "Ok"
constexpr int YES_X = 260, NO_X = 500, ANSWER_Y = 310;  // the overwrite question

class EditorScenario : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    user = Users->GetCurrentUser();
    user->Tutorial = user->Wisdoms = false;
    Users->Save();
  }
  void TearDown() override {
    TitleScreen = nullptr;
    GameTest::TearDown();
  }
  static std::string SetPath(const std::string& name) { return DataFolder->GetPath() + name + ".lvl"; }

  // A set whose first level holds one square.
  static std::vector<uint8_t> WriteTakenSet(const std::string& file) {
    EXPECT_TRUE(CreateEmptyLevelSet(file));
    ReadLevelSet(file);
    LevelShapes[0].push_back(Shape::CreateNewShape(3, 250, 250, 0, 255, 255, 255, false, 0, 0));
    Shape::ClearAllElements();
    EXPECT_TRUE(WriteLevelSet(file));
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(LoadBytes(file, bytes));
    return bytes;
  }

  UserPtr user;
};

// Menu → "Level editor" → "New" → a name → the editor.
Script& NewSet(Script& s, const std::string& name, const DebugLines& log) {
  ToMenu(s).Click(EDITOR_X, EDITOR_Y).Until([] { return !TitleScreen; }, 100, "the chooser").Wait(15);
  s.Click(NEW_X, NEW_Y).Wait(15).Type(name).Click(NAME_OK_X, NAME_OK_Y);
  return s.Until([&log] { return log.Count("START EDITOR") == 1; }, 100, "the editor").Wait(25);
}

// In a test play: each tray piece of the kinds onto its place, rotation 0.
void SolveInPlay(Script& s, const std::vector<TestPiece>& pieces) {
  for (const TestPiece& p : pieces) {
    s.Until(
        [p] {
          if (HeldShape) return true;
          if (const ShapePtr tray = TrayPieceOf(p.element)) InjectMouseMove(int(tray->X), int(tray->Y));
          InjectMouseButton(MOUSE_LEFT, !MouseDown(MOUSE_LEFT));
          return false;
        },
        600, "a tray piece in the hand");
    s.Release(MOUSE_LEFT).MoveTo(p.x, p.y).Wait(2).Click(p.x, p.y).Wait(2);
  }
}

}  // namespace

TEST_F(EditorScenario, ANewSetIsBuiltTestedSavedAndThenPlayedFromTheSelection) {
  const std::vector<TestPiece> level1 = {{3, 200, 200}, {2, 330, 350}, {1, 250, 300}};
  const std::string path = SetPath("Pilgrim");
  DebugLines log;
  Script s;
  NewSet(s, "Pilgrim", log);
  for (const TestPiece& p : level1) Put(s, p.element, p.x, p.y);
  // Level 2: play for tiles, a painted board, bombs.
  s.Click(PLUS_X, PLUS_Y).Wait(2);
  Put(s, 3, 300, 250);
  s.Click(PROPS_X, PROPS_Y).Wait(2).Click(PANEL_X, 275).Wait(2).Click(PANEL_X, OKAY_Y).Wait(2);
  s.Click(SWITCH_X, SWITCH_Y).Wait(2).Click(PaletteX(2), PaletteY(2)).Wait(1);
  s.MoveTo(CellX(0), CellY(8)).Press(MOUSE_LEFT).Wait(1).MoveTo(CellX(1), CellY(8)).Wait(1).Release(MOUSE_LEFT);
  s.Click(PaletteX(8), PaletteY(8)).Wait(1).Click(CellX(0), CellY(8)).Wait(1);
  s.Click(OPTIONS_X, OPTIONS_Y).Wait(2).Click(PANEL_X, 185).Wait(1).Click(PANEL_X, OKAY_Y).Wait(2);
  // Back to level 1 and try it.
  s.Click(MINUS_X, MINUS_Y).Wait(2).Click(PLAY_X, PLAY_Y).Wait(10);
  SolveInPlay(s, level1);
  ClickUntil(s, 320, 240, [&log] { return log.Count("Back in the editor") == 1; }, 3000, "back in the editor");
  s.Release(MOUSE_LEFT).Wait(2).Click(QUIT_X, QUIT_Y).Until(MenuUp, 300, "the menu again");
  s.Do([&] {
    ReadLevelSet(path);
    ASSERT_EQ(LevelShapes[0].size(), 3u);
    for (size_t i = 0; i < level1.size(); ++i) {
      EXPECT_EQ(LevelShapes[0][i]->Element, level1[i].element);
      EXPECT_EQ(LevelShapes[0][i]->X, float(level1[i].x));
      EXPECT_EQ(LevelShapes[0][i]->Y, float(level1[i].y));
    }
    EXPECT_EQ(LevelProps[0]->MiscProperties, 0);
    EXPECT_EQ(LevelShapes[1].size(), 1u);
    EXPECT_EQ(LevelProps[1]->MiscProperties, LP_PLAY_FOR_TILES | LP_BOMBS);
    EXPECT_EQ(LevelProps[1]->BonusLevelData[0][8], 2);
    EXPECT_EQ(LevelProps[1]->BonusLevelData[1][8], 2);
    EXPECT_EQ(LevelProps[1]->PuzzleTileData[0][8], 0);
    EXPECT_EQ(LevelProps[1]->PuzzleTileData[1][8], -1);
    // The title screen has read the profiles again: the player is a new object.
    EXPECT_EQ(Users->GetCurrentUser()->Score, 0);
    Users->GetCurrentUser()->CurrLevelFile = path;
  });
  // The set in the level-set selection, played from its first level.
  s.Click(START_X, START_Y).Until([&log] { return log.Count("Level-set selection") == 1; }, 100, "the selection");
  s.Wait(30).Click(CHOOSE_X, CHOOSE_Y).Wait(90).Click(MAP_PLAY_X, MAP_PLAY_Y).Wait(60);
  s.Do([&] {
    EXPECT_EQ(LevelFilePath, path);
    const auto silhouette = std::count_if(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& p) { return !p->Pickable; });
    EXPECT_EQ(silhouette, 3);
    EXPECT_EQ(ShapeList.size(), 6u);
  });
  s.Stop();
  s.Install();
  EXPECT_THROW(RunMainLoop(), StopRun);
}

TEST_F(EditorScenario, ATakenNameAsksAndTheOldSetIsOverwrittenOnlyWhenSaved) {
  const std::string path = SetPath("Taken");
  const std::vector<uint8_t> before = WriteTakenSet(path);
  const std::string asked = "Levelset exists: " + path;
  DebugLines log;
  Script s;
  ToMenu(s).Click(EDITOR_X, EDITOR_Y).Until([] { return !TitleScreen; }, 100, "the chooser").Wait(15);
  s.Click(NEW_X, NEW_Y).Wait(15).Type("Taken").Click(NAME_OK_X, NAME_OK_Y);
  s.Until([&] { return log.Count(asked) == 1; }, 30, "the question").Wait(5);
  // "No": the name entry again, the name kept.
  s.Click(NO_X, ANSWER_Y).Wait(5).Click(NAME_OK_X, NAME_OK_Y);
  s.Until([&] { return log.Count(asked) == 2; }, 30, "the question again").Wait(5);
  s.Click(YES_X, ANSWER_Y).Until([&log] { return log.Count("START EDITOR") == 1; }, 30, "the editor").Wait(25);
  s.Do([&] {
    ASSERT_EQ(ShapeList.size(), 1u);
    EXPECT_EQ(ShapeList[0]->X, 250);
    std::vector<uint8_t> now;
    ASSERT_TRUE(LoadBytes(path, now));
    EXPECT_EQ(now, before);
  });
  Put(s, 2, 150, 150);
  s.Click(QUIT_X, QUIT_Y).Until(MenuUp, 300, "the menu again");
  s.Do([&] {
    ReadLevelSet(path);
    EXPECT_EQ(LevelShapes[0].size(), 2u);
  });
  s.Stop();
  s.Install();
  EXPECT_THROW(RunMainLoop(), StopRun);
}

namespace {

// Closing the window on a screen of the editor ends the program with 0, the set saved.
struct CloseCase {
  const char* name;
  std::function<void(Script&, const DebugLines&)> reach;
  int piecesSaved;  // −1: no file to look at
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseInEditor : public EditorScenario, public ::testing::WithParamInterface<CloseCase> {};

}  // namespace

TEST_P(CloseInEditor, EndsWithZeroAndKeepsTheSet) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  WriteTakenSet(SetPath("Taken"));
  EXPECT_EXIT(
      {
        static DebugLines log;
        static Script script;
        GetParam().reach(script, log);
        script.CloseWindow().Wait(2).Do([] { std::_Exit(9); });
        script.Install(true);
        RunMainLoop();
      },
      ::testing::ExitedWithCode(0), "");
  if (GetParam().piecesSaved < 0) return;
  ReadLevelSet(SetPath("Closed"));
  EXPECT_EQ(int(LevelShapes[0].size()), GetParam().piecesSaved);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, CloseInEditor,
    ::testing::Values(
        CloseCase{"Chooser",
                  [](Script& s, const DebugLines&) { ToMenu(s).Click(EDITOR_X, EDITOR_Y).Wait(30); }, -1},
        CloseCase{"NameEntry",
                  [](Script& s, const DebugLines&) {
                    ToMenu(s).Click(EDITOR_X, EDITOR_Y).Wait(30).Click(NEW_X, NEW_Y).Wait(15).Type("Closed");
                  },
                  -1},
        CloseCase{"OverwriteQuestion",
                  [](Script& s, const DebugLines&) {
                    ToMenu(s).Click(EDITOR_X, EDITOR_Y).Wait(30).Click(NEW_X, NEW_Y).Wait(15).Type("Taken");
                    s.Click(NAME_OK_X, NAME_OK_Y).Wait(10);
                  },
                  -1},
        CloseCase{"Editor",
                  [](Script& s, const DebugLines& log) {
                    NewSet(s, "Closed", log);
                    Put(s, 3, 200, 200);
                    Put(s, 0, 300, 300);
                    s.Click(STACK_X, STACK_Y[2]).Wait(2).MoveTo(300, 150).Wait(2);  // one in the hand too
                  },
                  3},
        CloseCase{"TestPlay",
                  [](Script& s, const DebugLines& log) {
                    NewSet(s, "Closed", log);
                    Put(s, 3, 200, 200);
                    s.Click(PLAY_X, PLAY_Y).Wait(60);
                  },
                  1}),
    [](const ::testing::TestParamInfo<CloseCase>& param) { return std::string(param.param.name); });
