// The editor run under a script on a set of its own in the test's data folder, and the
// steps of a player who takes pieces from the stack and puts them on the board.
#pragma once

#include "app/shell.h"
#include "editor/editor.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "support/game_env.h"

#include <cstdlib>
#include <memory>
#include <string>

// Where the editor's controls are.
constexpr int STACK_X = 550;
constexpr int STACK_Y[5] = {120, 200, 260, 340, 420};
constexpr int CLEAR_X = 25, CLEAR_Y = 317, MOVE_X = 70, MOVE_Y = 317, FLIP_X = 25, FLIP_Y = 372;
constexpr int PLAY_X = 70, PLAY_Y = 372, PROPS_X = 25, PROPS_Y = 427, QUIT_X = 593, QUIT_Y = 31;
constexpr int MINUS_X = 85, MINUS_Y = 220, PLUS_X = 85, PLUS_Y = 252;
constexpr int SWITCH_X = 460, SWITCH_Y = 35, OPTIONS_X = 547, OPTIONS_Y = 425;
constexpr int PANEL_X = 359, OKAY_Y = 378;
inline int PaletteX(int entry) { return 520 + 52 * (entry % 2); }
inline int PaletteY(int entry) { return 100 + 52 * (entry / 2); }
inline int CellX(int c) { return 167 + 40 * c; }
inline int CellY(int r) { return 102 + 40 * r; }

// Takes a new piece of the kind from the stack, turns it by notches of the wheel (each a
// 22.5° step) and puts it down at (x, y).
inline void Put(Script& s, int kind, int x, int y, int notches = 0) {
  s.Click(STACK_X, STACK_Y[kind]).Wait(2).MoveTo(x, y).Wait(1);
  for (int i = 0; i < std::abs(notches); ++i) s.Wheel(notches > 0 ? -1 : 1).Wait(1);
  s.Wait(5 * std::abs(notches) + 1).Click(x, y).Wait(2);
}

class EditorTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    path = DataFolder->GetPath() + "Mine.lvl";
    ASSERT_TRUE(CreateEmptyLevelSet(path));
    LevelFilePath = path;
  }
  void TearDown() override {
    SetWriteFaultAfter(-1);
    ed.reset();
    GameTest::TearDown();
  }

  TEd& Editor() {
    ed = std::make_unique<TEd>();
    return *ed;
  }
  // Runs Start under the script; true when the editor ended by itself.
  bool Run(Script& s) {
    s.Install();
    try {
      ed->Start();
    } catch (const StopRun&) {
      return false;
    }
    return true;
  }

  std::string path;
  std::unique_ptr<TEd> ed;
};
