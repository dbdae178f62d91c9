// The editor driven as a player would: pieces from the stack, the board's edge, level
// switching, the time slider, the bonus board, the property panels, test plays, saving.
#include "editor/editor_env.h"

#include "game/shape.h"
#include "levels/geometry.h"
#include "media/stream.h"
#include "players/users.h"
#include "support/debug_lines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

ShapePtr PieceAt(float x, float y) {
  for (const ShapePtr& s : ShapeList)
    if (std::abs(s->X - x) < 0.5f && std::abs(s->Y - y) < 0.5f) return s;
  return nullptr;
}

}  // namespace

TEST_F(EditorTest, PiecesComeFromTheStackAndGoBackThere) {
  TEd& e = Editor();
  Script s;
  Put(s, 3, 200, 200);
  s.Do([] {
    ASSERT_EQ(ShapeList.size(), 1u);
    EXPECT_TRUE(PieceAt(200, 200));
    EXPECT_EQ(ShapeList[0]->R, 255);  // black only while drawn
  });
  // Right of the board's edge a piece is deleted; on it, kept.
  Put(s, 2, 456, 300);
  s.Do([] { EXPECT_EQ(ShapeList.size(), 1u); });
  Put(s, 2, 455, 300);
  s.Do([] { EXPECT_EQ(ShapeList.size(), 2u); });
  // Beside another piece a piece stays where it was put; over one, as in play, the click
  // takes the piece up again instead of stacking it.
  Put(s, 3, 290, 200);
  s.Do([] { EXPECT_TRUE(PieceAt(290, 200)); });
  Put(s, 2, 205, 203);
  s.Do([] {
    EXPECT_EQ(ShapeList.size(), 4u);
    EXPECT_TRUE(ShapeList.back()->PickedUp);
  });
  // R takes the piece in the hand away.
  s.TapKey(KEY_R).Wait(1);
  s.Do([] {
    EXPECT_EQ(ShapeList.size(), 3u);
    EXPECT_FALSE(PieceDragged);
  });
  EXPECT_FALSE(Run(s));
  EXPECT_FALSE(e.Leave);
}

// The board's pieces are the silhouette a dropped piece snaps to: where each of its small
// triangles lies within 15 pixels of one of theirs, it moves onto them; elsewhere it stays.
TEST_F(EditorTest, ADroppedPieceSnapsToThePiecesOnTheBoard) {
  Editor();
  Script s;
  Put(s, 0, 200, 200);
  Put(s, 2, 144, 208);  // beside the large triangle's left corner, the pointer off it
  s.Do([] {
    ASSERT_EQ(ShapeList.size(), 2u);
    const Shape& small = *ShapeList.back();
    EXPECT_FALSE(small.X == 144 && small.Y == 208);
    EXPECT_NEAR(small.X, 144, 15);
    EXPECT_NEAR(small.Y, 208, 15);
    SmallTriList mine, large;
    AddPieceTriangles(2, int(small.X), int(small.Y), 0, mine);
    AddPieceTriangles(0, 200, 200, 0, large);
    for (const SmallTri& t : mine) {
      const bool onTarget = std::any_of(large.begin(), large.end(), [&](const SmallTri& u) {
        return std::abs(u.x - t.x) <= 1 && std::abs(u.y - t.y) <= 1;
      });
      EXPECT_TRUE(onTarget) << t.x << "," << t.y;
    }
  });
  Put(s, 2, 120, 380);
  s.Do([] { EXPECT_TRUE(PieceAt(120, 380)); });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, LevelNumbersStopAtOneAndFiftyKeepingEachLevelsPieces) {
  TEd& e = Editor();
  Script s;
  Put(s, 3, 200, 200);
  s.Click(MINUS_X, MINUS_Y).Wait(2);
  s.Do([&] {
    EXPECT_EQ(e.CurrentLevel, 0);
    EXPECT_EQ(ShapeList.size(), 1u);
  });
  s.Click(PLUS_X, PLUS_Y).Wait(2);
  s.Do([&] {
    EXPECT_EQ(e.CurrentLevel, 1);
    EXPECT_TRUE(ShapeList.empty());
    EXPECT_EQ(LevelShapes[0].size(), 1u);
  });
  s.TapKey(KEY_SUBTRACT).Wait(1);
  s.Do([&] {
    EXPECT_EQ(e.CurrentLevel, 0);
    EXPECT_TRUE(PieceAt(200, 200));
    e.CurrentLevel = 49;
    e.LoadFromMem();
  });
  Put(s, 1, 300, 300);
  // "+" on the last level saves it and loads it again.
  s.Click(PLUS_X, PLUS_Y).Wait(2).TapKey(KEY_ADD).Wait(1);
  s.Do([&] {
    EXPECT_EQ(e.CurrentLevel, 49);
    ASSERT_EQ(ShapeList.size(), 1u);
    EXPECT_TRUE(PieceAt(300, 300));
    EXPECT_EQ(LevelShapes[49].size(), 1u);
  });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, TimeSliderReachesAtMost235AndOffLeftOfTheTrack) {
  TEd& e = Editor();
  Script s;
  s.MoveTo(200, 40).Press(MOUSE_LEFT).Wait(2);
  s.Do([&] { EXPECT_EQ(e.Level().GameTime, 95); });
  s.MoveTo(347, 40).Wait(1);
  s.Do([&] { EXPECT_EQ(e.Level().GameTime, 235); });
  s.MoveTo(60, 200).Wait(1);  // dragging goes on off the track
  s.Do([&] { EXPECT_EQ(e.Level().GameTime, 0); });
  s.MoveTo(150, 40).Release(MOUSE_LEFT).Wait(1).MoveTo(250, 40).Wait(2);
  s.Do([&] {
    EXPECT_EQ(e.Level().GameTime, 45);  // set in the frame the button came up, then left alone
    e.Level().GameTime = 500;
  });
  s.Wait(1);
  s.Do([&] { EXPECT_EQ(e.Level().GameTime, 240); });  // a file's value is clamped
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, BonusBoardPaintsWhileHeldErasesAndLimitsMarksToPieces) {
  TEd& e = Editor();
  Script s;
  Put(s, 3, 200, 200);
  Put(s, 2, 330, 350);
  s.Click(PROPS_X, PROPS_Y).Wait(2).Click(PANEL_X, 275).Wait(2).Click(PANEL_X, OKAY_Y).Wait(2);
  s.Do([&] { EXPECT_TRUE(e.Level().MiscProperties & LP_PLAY_FOR_TILES); });
  s.Click(SWITCH_X, SWITCH_Y).Wait(2);
  s.Do([&] { EXPECT_TRUE(e.BonusEditMode); });
  // Painting: held down across three cells.
  s.Click(PaletteX(3), PaletteY(3)).Wait(1).MoveTo(CellX(0), CellY(0)).Press(MOUSE_LEFT).Wait(1);
  s.MoveTo(CellX(1), CellY(0)).Wait(1).MoveTo(CellX(2), CellY(0)).Wait(1).Release(MOUSE_LEFT).Wait(1);
  s.Click(CellX(1), CellY(0), MOUSE_RIGHT).Wait(1);
  s.Do([&] {
    EXPECT_EQ(e.SelectedTile, 3);
    EXPECT_EQ(e.Level().BonusLevelData[0][0], 3);
    EXPECT_EQ(e.Level().BonusLevelData[1][0], -1);
    EXPECT_EQ(e.Level().BonusLevelData[2][0], 3);
  });
  // Marks: two pieces, two marks.
  s.Click(PaletteX(8), PaletteY(8)).Wait(1);
  for (int c = 0; c < 3; ++c) s.Click(CellX(c), CellY(1)).Wait(1);
  s.Do([&] {
    EXPECT_EQ(e.Level().PuzzleTileData[0][1], 0);
    EXPECT_EQ(e.Level().PuzzleTileData[1][1], 0);
    EXPECT_EQ(e.Level().PuzzleTileData[2][1], -1);
    EXPECT_EQ(e.RemainingMarks(), 0);
  });
  // Clearing the pieces keeps the marks.
  s.Click(SWITCH_X, SWITCH_Y).Wait(2).Click(CLEAR_X, CLEAR_Y).Wait(2);
  s.Do([&] {
    EXPECT_TRUE(ShapeList.empty());
    EXPECT_EQ(e.Level().PuzzleTileData[1][1], 0);
    EXPECT_EQ(e.RemainingMarks(), -2);
  });
  // "Clear level" in bonus mode empties both layers of the board.
  s.Click(SWITCH_X, SWITCH_Y).Wait(2).Click(CLEAR_X, CLEAR_Y).Wait(2);
  s.Do([&] {
    EXPECT_EQ(e.Level().BonusLevelData[0][0], -1);
    EXPECT_EQ(e.Level().PuzzleTileData[0][1], -1);
  });
  // Switching "Play for tiles" off in the panel brings piece mode back.
  s.Click(PROPS_X, PROPS_Y).Wait(2).Click(PANEL_X, 275).Wait(2).Click(PANEL_X, OKAY_Y).Wait(2);
  s.Do([&] { EXPECT_FALSE(e.BonusEditMode); });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, PropertyPanelsStepTheirValues) {
  TEd& e = Editor();
  Script s;
  s.Click(PROPS_X, PROPS_Y).Wait(2);
  const int modes[] = {LP_ENLIGHTENMENT, LP_MEDITATION, 0};
  for (int mode : modes) {
    s.Click(PANEL_X, 215).Wait(1);
    s.Do([&e, mode] { EXPECT_EQ(e.Level().MiscProperties & (LP_ENLIGHTENMENT | LP_MEDITATION), mode); });
  }
  s.Do([&] { e.Level().MiscProperties = LP_ENLIGHTENMENT | LP_MEDITATION | LP_TORCH; });
  s.Click(PANEL_X, 215).Wait(1).Click(PANEL_X, 155).Wait(1).Click(PANEL_X, 305).Wait(1);
  s.Do([&] { EXPECT_EQ(e.Level().MiscProperties, LP_TWISTER); });
  s.Click(PANEL_X, OKAY_Y).Wait(2);
  s.Do([&] {
    EXPECT_FALSE(e.ShowOptions);
    EXPECT_EQ(e.LevelPropRequester.Page, TLvlOptions::PAGE_MAIN);
    e.Level().MiscProperties = LP_PLAY_FOR_TILES;
    e.Level().BonusTime = 4;
    e.Level().BonusLevelDifficulty = 3;
  });
  s.Click(SWITCH_X, SWITCH_Y).Wait(2).Click(OPTIONS_X, OPTIONS_Y).Wait(2);
  s.Click(PANEL_X, 155).Wait(1).Click(PANEL_X, 245).Wait(1).Click(PANEL_X, 185).Wait(1).Click(PANEL_X, 215).Wait(1);
  s.Do([&] {
    EXPECT_EQ(e.Level().BonusTime, 0);  // "Very fast" steps to "Very slow"
    EXPECT_EQ(e.Level().BonusLevelDifficulty, 0);
    EXPECT_EQ(e.Level().MiscProperties, LP_PLAY_FOR_TILES | LP_BOMBS | LP_JOKER);
    e.Level().BonusTime = 17;  // an unknown value from a file starts again
  });
  s.Click(PANEL_X, 155).Wait(1).Click(PANEL_X, OKAY_Y).Wait(2);
  s.Do([&] {
    EXPECT_EQ(e.Level().BonusTime, 0);
    EXPECT_FALSE(e.ShowOptionsBonus);
  });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, FlipAndMovePlayfield) {
  TEd& e = Editor();
  Script s;
  Put(s, 3, 200, 200);
  Put(s, 2, 300, 250);
  s.Click(FLIP_X, FLIP_Y).Wait(2);
  s.Do([&] { EXPECT_EQ(e.Level().PuzzleSet, 1); });
  s.Click(FLIP_X, FLIP_Y).Wait(2);
  s.Do([&] {
    EXPECT_EQ(e.Level().PuzzleSet, 0);
    e.Level().PuzzleSet = 7;  // from a damaged file
  });
  s.Click(FLIP_X, FLIP_Y).Wait(2);
  s.Do([&] { EXPECT_EQ(e.Level().PuzzleSet, 0); });
  // The whole figure follows the mouse; the pointer is held on the icon.
  s.Click(MOVE_X, MOVE_Y).Wait(2).MoveTo(MOVE_X + 10, MOVE_Y - 20).Wait(1).MoveTo(MOVE_X + 15, MOVE_Y).Wait(1);
  s.Do([&] {
    EXPECT_TRUE(e.MovePlayfield);
    EXPECT_TRUE(PieceAt(225, 180));
    EXPECT_TRUE(PieceAt(325, 230));
    EXPECT_EQ(MouseX(), MOVE_X);
    EXPECT_EQ(MouseY(), MOVE_Y);
  });
  s.Click(MOVE_X, MOVE_Y).Wait(2);
  s.Do([&] {
    EXPECT_FALSE(e.MovePlayfield);
    EXPECT_EQ(ShapeList.size(), 2u);  // the click that ended it took no piece
    EXPECT_FALSE(PieceDragged);
  });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, BalloonsShowOnceEachInTurn) {
  TEd& e = Editor();
  Script s;
  s.Wait(12);
  s.Do([&] { EXPECT_EQ(e.BalloonStep, 0); EXPECT_FLOAT_EQ(e.BalloonAlpha, 1); });
  s.Click(300, 300).Wait(14);
  s.Do([&] { EXPECT_EQ(e.BalloonStep, 2); });
  s.Click(STACK_X, STACK_Y[3]).Wait(3).MoveTo(250, 350).Wait(5);
  s.Do([&] { EXPECT_EQ(e.BalloonStep, 2); });  // taking the piece only chose the one to follow
  s.Click(250, 350).Wait(14);
  s.Do([&] { EXPECT_EQ(e.BalloonStep, 5); });
  for (int step : {7, 9, 11}) {
    s.Click(300, 300).Wait(14);
    s.Do([&e, step] { EXPECT_EQ(e.BalloonStep, step); });
  }
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, TestPlaySwitchesMapAndWisdomsOffPaysNothingAndComesBack) {
  TEd& e = Editor();
  const UserPtr user = Users->GetCurrentUser();
  user->ProgressMap = user->Wisdoms = true;
  DebugLines log;
  Script s;
  Put(s, 3, 300, 240);
  s.Click(PLAY_X, PLAY_Y).Wait(30);
  // The tray square, once play has started, onto its place.
  s.Until(
      [] {
        if (HeldShape) return true;
        InjectMouseMove(STACK_X, TrayRow(3));
        InjectMouseButton(MOUSE_LEFT, !MouseDown(MOUSE_LEFT));
        return false;
      },
      600, "the tray square in the hand");
  s.Release(MOUSE_LEFT).MoveTo(300, 240).Wait(2).Click(300, 240);
  s.Until(
      [&] {
        if (log.Count("Back in the editor") == 1) return true;
        InjectMouseMove(320, 240);
        InjectMouseButton(MOUSE_LEFT, !MouseDown(MOUSE_LEFT));
        return false;
      },
      3000, "back in the editor");
  s.Release(MOUSE_LEFT).Wait(2);
  s.Do([&] {
    EXPECT_FALSE(user->ProgressMap);
    EXPECT_FALSE(user->Wisdoms);
    EXPECT_EQ(user->Score, 0);
    for (const MaxLevelPtr& m : user->MaxLevel) EXPECT_NE(m->Name, path);
    ASSERT_EQ(ShapeList.size(), 1u);
    EXPECT_TRUE(PieceAt(300, 240));
    EXPECT_TRUE(ShapeList[0]->Pickable);
    EXPECT_FALSE(e.Leave);
  });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, AnEmptyLevelIsNotPlayed) {
  Editor();
  DebugLines log;
  Script s;
  s.Click(PLAY_X, PLAY_Y).Wait(5).Click(150 + 230, 100 + 210).Wait(3);
  s.Do([&] { EXPECT_EQ(log.Count("Create New Game"), 0); });
  EXPECT_FALSE(Run(s));
}

// A damaged file's level: with its unknown puzzle set it plays as the editor shows it (the
// mirrored set); a level whose only piece lies far off the board is not played, with a message.
TEST_F(EditorTest, ADamagedLevelTestPlaysAsShownOrSaysWhatIsMissing) {
  ReadLevelSet(path);
  LevelProps[0]->PuzzleSet = 1000;
  LevelShapes[0].push_back(Shape::CreateNewShape(3, 200, 240, 0, 255, 255, 255, false, 0, 0));
  LevelProps[1]->PuzzleSet = 0;
  LevelShapes[1].push_back(Shape::CreateNewShape(2, -300, 900, 0, 255, 255, 255, false, 0, 0));
  ASSERT_TRUE(WriteLevelSet(path));
  TEd& e = Editor();
  DebugLines log;
  Script s;
  s.Click(PLAY_X, PLAY_Y).Until([&] { return log.Count("Create New Game") == 1; }, 10, "the test play");
  // Out through the game's options: "Back to main menu", "Sure".
  s.Wait(200).TapKey(KEY_ESCAPE).Wait(20).Click(328, 295).Wait(20).Click(210, 280);
  s.Until([&] { return log.Count("Back in the editor") == 1; }, 300, "back in the editor");
  s.Do([&] {
    EXPECT_EQ(log.Count("EndINIT"), 1) << "level 1 was set up and played";
    EXPECT_EQ(e.Level().PuzzleSet, 1);
  });
  s.Click(PLUS_X, PLUS_Y).Wait(3);
  s.Do([&] { ASSERT_EQ(e.CurrentLevel, 1); });
  s.Click(PLAY_X, PLAY_Y).Wait(5).Click(150 + 230, 100 + 210).Wait(3);
  s.Do([&] { EXPECT_EQ(log.Count("Create New Game"), 1); });
  EXPECT_FALSE(Run(s));
}

TEST_F(EditorTest, LeavingWritesTheSetAndAFailedWriteAsksBeforeAnythingIsLost) {
  TEd& e = Editor();
  Script s;
  Put(s, 4, 250, 250);
  s.Do([] { SetWriteFaultAfter(0); }).TapKey(KEY_ESCAPE).Wait(30);
  // The question: "No" keeps the player in the editor with the work.
  s.Click(150 + 350, 100 + 210).Wait(25);
  s.Do([&] {
    EXPECT_FALSE(e.Leave);
    EXPECT_TRUE(PieceAt(250, 250));
    SetWriteFaultAfter(-1);
  });
  s.Click(QUIT_X, QUIT_Y).Wait(100);
  EXPECT_TRUE(Run(s));
  ReadLevelSet(path);
  ASSERT_EQ(LevelShapes[0].size(), 1u);
  EXPECT_EQ(LevelShapes[0][0]->Element, 4);
  EXPECT_EQ(LevelShapes[0][0]->X, 250);
}

TEST_F(EditorTest, LeavingUnsavedIsThePlayersChoice) {
  TEd& e = Editor();
  Script s;
  Put(s, 4, 250, 250);
  s.Do([] { SetWriteFaultAfter(0); }).Click(QUIT_X, QUIT_Y).Wait(30).Click(150 + 110, 100 + 210).Wait(50);
  EXPECT_TRUE(Run(s));
  SetWriteFaultAfter(-1);
  EXPECT_TRUE(e.Leave);
  ReadLevelSet(path);
  EXPECT_TRUE(LevelShapes[0].empty());  // the file stayed as it was
}

TEST_F(EditorTest, ADamagedSetOpensAsFarAsItMakesSense) {
  ReadLevelSet(path);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float junk[][3] = {{3, 200, 200}, {9, 100, 100}, {-1, 100, 100}, {2, nan, 100}, {2, 1e30f, 5}, {1, -300, 900}};
  for (const auto& j : junk) {
    auto p = std::make_shared<Shape>();
    p->Element = int(j[0]);
    p->X = j[1];
    p->Y = j[2];
    LevelShapes[0].push_back(p);
  }
  LevelProps[0]->MiscProperties = LP_PLAY_FOR_TILES;
  LevelProps[0]->PuzzleSet = 1000;
  LevelProps[0]->BonusLevelData[0][0] = 99;
  LevelProps[0]->BonusLevelData[1][0] = -7;
  LevelProps[0]->BonusLevelData[2][0] = 13;
  LevelProps[0]->PuzzleTileData[3][0] = 5;
  ASSERT_TRUE(WriteLevelSet(path));

  TEd& e = Editor();
  Script s;
  s.Wait(3).Do([] {
    ASSERT_EQ(ShapeList.size(), 2u);  // the square and the piece far off the board
    EXPECT_TRUE(PieceAt(200, 200));
  });
  s.Click(SWITCH_X, SWITCH_Y).Wait(3).MoveTo(CellX(0), CellY(0)).Wait(3).Click(CLEAR_X, CLEAR_Y).Wait(2);
  s.Do([&] { EXPECT_EQ(e.Level().BonusLevelData[0][0], -1); });
  s.Click(QUIT_X, QUIT_Y).Wait(100);
  EXPECT_TRUE(Run(s));
  ReadLevelSet(path);
  EXPECT_EQ(LevelShapes[0].size(), 2u);
}
