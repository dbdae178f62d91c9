#include "app/shell.h"
#include "levels/puzzle_set.h"
#include "media/input.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/pointer.h"
#include "support/game_env.h"

namespace {

class Shell : public GameTest {};

}  // namespace

TEST_F(Shell, TypedKeysPassOnlyAllowedCharactersAndFlushEitherWay) {
  InjectChar('\t');
  InjectChar('b');
  EXPECT_EQ(GetTypedKey(), "");
  EXPECT_EQ(GetTypedKey(), "");  // the flush took the queued 'b' too
  InjectChar('"');
  EXPECT_EQ(GetTypedKey(), "\"");
  // The Latin-1 letters come through as one byte each; signs and codes beyond do not.
  for (int letter : {0xE4, 0xF6, 0xFC, 0xC4, 0xD6, 0xDC, 0xDF, 0xE9, 0xC0, 0xFF}) {
    InjectChar(letter);
    EXPECT_EQ(GetTypedKey(), std::string(1, char(letter))) << letter;
  }
  for (int sign : {0xD7, 0xF7, 0xBF, 0xA9, 0x7F, 0x20AC, 0x1E9E, 0x1E4}) {
    InjectChar(sign);
    EXPECT_EQ(GetTypedKey(), "") << sign;
  }
  InjectKey(KEY_BACKSPACE, true);
  InjectChar('x');
  EXPECT_EQ(GetTypedKey(), "KEY_BACKSPACE");
  EXPECT_EQ(GetTypedKey(), "KEY_BACKSPACE");  // held keys report every frame
  InjectKey(KEY_BACKSPACE, false);
  InjectKey(KEY_ENTER, true);
  EXPECT_EQ(GetTypedKey(), "KEY_ENTER");
  InjectKey(KEY_ESCAPE, true);
  EXPECT_EQ(GetTypedKey(), "");  // Escape wins over Enter
}

TEST_F(Shell, ScenerySteppingFollowsTheRank) {
  TUser& user = *Users->GetCurrentUser();
  user.Score = 0;
  user.CurrentRank = 0;
  for (int i = 0; i < 3; ++i) {
    NextBackground(user);
    EXPECT_EQ(user.Selected_Background, 0);
    NextPuzzleSet(user);
    EXPECT_EQ(user.Selected_Puzzleset, 0);
  }
  user.Score = RankScores[5];
  std::vector<int> seen;
  for (int i = 0; i < 7; ++i) {
    NextBackground(user);
    seen.push_back(user.Selected_Background);
  }
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 0, 1}));
  EXPECT_TRUE(Background);
  NextPuzzleSet(user);
  EXPECT_EQ(user.Selected_Puzzleset, 1);
  NextPuzzleSet(user);
  EXPECT_EQ(user.Selected_Puzzleset, 0);
  user.Score = 0;  // a rank never drops
  NextBackground(user);
  EXPECT_EQ(user.Selected_Background, 2);
}

TEST_F(Shell, InputPollLatchesClicksAndResetsTheFrameState) {
  InjectMouseButton(MOUSE_LEFT, true);
  InjectMouseButton(MOUSE_LEFT, false);
  InjectMouseButton(MOUSE_RIGHT, true);
  InjectWheel(2);
  WidgetCounter = 7;
  PieceDropped = true;
  MousePointer->SetHover(true);
  MousePointer->Display = false;
  PollInput();
  EXPECT_EQ(ClickLatch[0], 1);
  EXPECT_EQ(ClickLatch[1], 1);
  EXPECT_EQ(MouseWheel, 2);
  EXPECT_EQ(OldMouseWheel, 0);
  EXPECT_EQ(WidgetCounter, 0);
  EXPECT_FALSE(PieceDropped);
  EXPECT_FALSE(MousePointer->Hover);
  EXPECT_TRUE(MousePointer->Display);
  PollInput();
  EXPECT_EQ(ClickLatch[0], 0);
  EXPECT_EQ(OldMouseWheel, 2);
}
