// The whole program from the first start: the intro into the menu, a round from "Start
// game" through the selection, a game and the high scores back to the menu, "Quit", and
// closing the window on every screen.
#include "app/main_loop.h"
#include "app/shell.h"
#include "app/startup.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "media/desktop.h"
#include "media/input.h"
#include "media/debug.h"
#include "media/platform.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/language.h"
#include "support/game_env.h"
#include "support/debug_lines.h"
#include "support/menu_script.h"
#include "ui/level_select.h"
#include "ui/title_screen.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

namespace {

constexpr int TRAY_X_ = 550;  // the first piece of a kind rests at the tray's left edge

class MainLoopTest : public GameTest {
protected:
  void TearDown() override {
    TitleScreen = nullptr;
    GameTest::TearDown();
  }
};

}  // namespace

TEST_F(MainLoopTest, FirstStartMakesAProfileBeforeTheIntroWhichRunsIntoTheMenu) {
  std::filesystem::remove(TUsers::FilePath());
  Users->RemoveAllUsers();
  setenv("username", "Ynez", 1);
  ASSERT_TRUE(StartMainProgram());
  Script script;
  script.Do([] {
          std::vector<uint8_t> saved;
          FinishBackgroundWrites();  // saved by a worker thread
          ASSERT_TRUE(LoadBytes(TUsers::FilePath(), saved));
          EXPECT_NE(std::string(saved.begin(), saved.end()).find("Ynez\r\n"), std::string::npos);
        })
      .Wait(2000)  // logo, story, and the sky has arrived
      .Do([] { EXPECT_FALSE(TitleScreen->TitleMenuState); })
      .Click(320, 240)
      .Until(MenuUp, 200, "menu")
      .Stop();
  script.Install();
  EXPECT_THROW(RunMainLoop(), StopRun);
  EXPECT_EQ(Users->GetCurrentUser()->Name, "Ynez");
  unsetenv("username");
}

TEST_F(MainLoopTest, StartGameRunsSelectionGameAndHighScoresThenTheMenu) {
  Users->Save();
  DebugLines log;
  Script script;
  ToMenu(script)
      .Click(START_X, START_Y)
      .Until([&] { return log.Count("Level-set selection") == 1; }, 100, "level-set selection")
      .Wait(30)
      .Click(CHOOSE_X, CHOOSE_Y)
      .Until([] { return LevelFilePath == "incbin::../data/Jewels of Dharma.lvl"; }, 100, "chosen")
      .Wait(80)  // the map of the game
      .Click(MAP_EXIT_X, MAP_EXIT_Y)
      .Wait(120)  // the high scores wait for "Ok"
      .Do([] { EXPECT_FALSE(TitleScreen); })
      .Click(HISCORE_OK_X, HISCORE_OK_Y)
      .Until(MenuUp, 200, "menu again")
      .Do([&] {
        EXPECT_EQ(log.Count("Level-set selection"), 1);
        EXPECT_TRUE(Users->GetCurrentUser()->ProgressMap);
        EXPECT_EQ(Users->GetCurrentUser()->CurrLevelFile, "incbin::../data/Jewels of Dharma.lvl");
      })
      .Stop();
  script.Install();
  EXPECT_THROW(RunMainLoop(), StopRun);
}

TEST_F(MainLoopTest, ACompletedSetGoesStraightBackToTheSelection) {
  // A set of one level: a single square, no clock.
  const std::string set = DataFolder->GetPath() + "One square.lvl";
  ASSERT_TRUE(CreateEmptyLevelSet(set));
  ReadLevelSet(set);
  LevelShapes[0].push_back(Shape::CreateNewShape(3, 300, 240, 0, 255, 255, 255, false, 0, 0));
  ASSERT_TRUE(WriteLevelSet(set));
  TUser& player = *Users->GetCurrentUser();
  player.CurrLevelFile = set;
  player.Tutorial = player.Wisdoms = false;
  Users->Save();

  DebugLines log;
  Script script;
  ToMenu(script)
      .Click(START_X, START_Y)
      .Until([&] { return log.Count("Level-set selection") == 1; }, 100, "level-set selection")
      .Wait(30)
      .Click(CHOOSE_X, CHOOSE_Y)
      .Wait(80)
      .Click(MAP_PLAY_X, MAP_PLAY_Y)
      .Wait(300)  // "Get ready!"
      .Click(TRAY_X_, 410)
      .Until([] { return HeldShape != nullptr; }, 10, "square picked up")
      .MoveTo(300, 240)
      .Wait(3)
      .Click(300, 240);
  // The tally and the end screen each wait for a click.
  ClickUntil(script, 100, 100, [&] { return log.Count("Level-set selection") == 2; }, 2000, "the selection again")
      .Do([&] {
        EXPECT_FALSE(TitleScreen);
        EXPECT_TRUE(TReqLevelSelect::Completed(*Users->GetCurrentUser(), set));
      })
      .Stop();
  script.Install();
  EXPECT_THROW(RunMainLoop(), StopRun);
}

// A level set given to the program when it starts: no intro, the selection at once with
// the imported copy chosen.
TEST_F(MainLoopTest, ALevelSetGivenAtStartOpensTheSelectionWithItChosen) {
  const std::string outside = DataHome() + "/Shared.lvl", copy = DataFolder->GetPath() + "Shared.lvl";
  ASSERT_TRUE(CreateEmptyLevelSet(outside));
  Users->Save();
  DebugLines log;
  QueueOpenedFile(outside);
  Script script;
  script.Until([&] { return log.Count("Level-set selection") == 1; }, 5, "level-set selection at once")
      .Wait(5)
      .Do([&] {
        EXPECT_EQ(LevelFilePath, copy);
        EXPECT_TRUE(FileExists(copy));
        EXPECT_FALSE(TitleScreen);  // no intro, no menu
      })
      .Stop();
  script.Install();
  EXPECT_THROW(RunMainLoop(true), StopRun);
}

// Dropped onto the window while the menu shows: the menu hands over to the selection.
TEST_F(MainLoopTest, ALevelSetDroppedOnTheMenuIsImportedAndChosen) {
  const std::string outside = DataHome() + "/Dropped.lvl", copy = DataFolder->GetPath() + "Dropped.lvl";
  ASSERT_TRUE(CreateEmptyLevelSet(outside));
  Users->Save();
  DebugLines log;
  Script script;
  ToMenu(script)
      .Do([&] { QueueOpenedFile(outside); })
      .Until([&] { return log.Count("Level-set selection") == 1; }, 100, "level-set selection")
      .Wait(5)
      .Do([&] {
        EXPECT_EQ(LevelFilePath, copy);
        EXPECT_EQ(Users->GetCurrentUser()->CurrLevelFile, copy);
      })
      .Stop();
  script.Install();
  EXPECT_THROW(RunMainLoop(), StopRun);
}

TEST_F(MainLoopTest, QuitWritesTheStringTableAndExitsWithZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Users->Save();
  const std::string table = DataHome() + "/written.lang";
  EXPECT_EXIT(
      {
        Language->SetFilename(table, true);
        static Script script;
        ToMenu(script).Click(537, 410).Wait(100).Do([] { std::_Exit(9); });
        script.Install(true);
        RunMainLoop();
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_TRUE(std::filesystem::exists(table));
}

namespace {

// Closing the window on a screen ends the program there, at once, with exit code 0.
struct CloseCase {
  const char* name;
  std::function<void(Script&)> reach;
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class CloseWindowTest : public MainLoopTest, public ::testing::WithParamInterface<CloseCase> {};

}  // namespace

TEST_P(CloseWindowTest, EndsTheProgramAtOnceWithZero) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  Users->Save();
  EXPECT_EXIT(
      {
        static Script script;
        GetParam().reach(script);
        script.CloseWindow().Wait(2).Do([] { std::_Exit(9); });
        script.Install(true);
        RunMainLoop();
      },
      ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(
    MainLoop, CloseWindowTest,
    ::testing::Values(
        CloseCase{"Logo", [](Script& s) { s.Wait(100); }},
        CloseCase{"Story", [](Script& s) { s.Wait(STORY_FRAME); }},
        CloseCase{"TitleScene", [](Script& s) { s.Wait(1500); }},
        CloseCase{"Menu", [](Script& s) { ToMenu(s); }},
        CloseCase{"PlayerList", [](Script& s) { ToMenu(s).Click(109, 400).Wait(40); }},
        CloseCase{"Options", [](Script& s) { ToMenu(s).Click(316, 290).Wait(40); }},
        CloseCase{"HighScores", [](Script& s) { ToMenu(s).Click(316, 370).Wait(60); }},
        CloseCase{"LevelSetSelection", [](Script& s) { ToMenu(s).Click(START_X, START_Y).Wait(60); }},
        CloseCase{"GameMap",
                  [](Script& s) {
                    ToMenu(s).Click(START_X, START_Y).Wait(60).Click(CHOOSE_X, CHOOSE_Y).Wait(80);
                  }}),
    [](const ::testing::TestParamInfo<CloseCase>& param) { return std::string(param.param.name); });
