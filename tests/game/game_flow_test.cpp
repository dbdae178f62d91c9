// The game's way through failing and retrying, the options menu and leaving to the main
// menu, played through the real frame loop.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "players/ranks.h"
#include "players/users.h"
#include "ui/options.h"

namespace {

class GameFlow : public GameScenario {
protected:
  // The try-again requester stands at (130, 120); its buttons 110 and 350 to the right.
  static constexpr int YEAH_X = 240, NO_X = 480, REPLAY_Y = 330;
  // The options stand at (100, 50).
  static constexpr int OPTIONS_OK_X = 328, OPTIONS_OK_Y = 350;

  // Plays until the clock runs out and the try-again requester is up; points earned in
  // the level (the bonus stage pays during play) are added on the way.
  static void RunOutOfTime(Script& s, TGame& g, int earned) {
    StartPlaying(s, g);
    s.Do([&g, earned] { g.User->Score += earned; });
    Place(s, TwoPieces().pieces[0], 40, 40);  // a piece left lying somewhere on the board
    s.Until([&g] { return g.GameState == TRY_AGAIN; }, 600, "the try-again requester");
    s.Wait(25);  // the requester fades in
  }
};

}  // namespace

TEST_F(GameFlow, YeahAfterATimeOutReplaysTheLevelWithoutTheLostScoreOrTheMap) {
  WriteSet("timeout", {TwoPieces(0, 3)});
  user->Score = 1200;
  TGame& g = StartGame();
  // Switched on now, so that only the retry could show them.
  user->ProgressMap = user->Wisdoms = true;
  Script s;
  RunOutOfTime(s, g, 700);
  s.Do([&] { EXPECT_EQ(user->Score, 1200) << "the points of the failed attempt are gone"; });
  s.Click(YEAH_X, REPLAY_Y);
  // No map or wisdom screen comes between: the retry starts in the next frame.
  s.Until([&] { return g.GameState == FADE_IN_NEXT_LEVEL; }, 2, "the retry");
  s.Do([&] {
    EXPECT_EQ(g.CurrentLevel, 0);
    EXPECT_EQ(g.CurrTime, 3);
    for (const ShapePtr& p : ShapeList) {
      if (p->Pickable) {
        EXPECT_GE(p->X, TRAY_X) << "every piece is back in the tray";
      }
    }
  });
  StartPlaying(s, g);
  s.Wait(30);
  s.Do([&] { EXPECT_EQ(g.CurrTime, 3) << "a new clock"; });
  s.Stop();
  EXPECT_FALSE(RunPlay(s));
  EXPECT_TRUE(user->ProgressMap);
  EXPECT_TRUE(user->Wisdoms);
  EXPECT_EQ(user->Score, 1200);
}

TEST_F(GameFlow, NoAfterATimeOutEndsTheGame) {
  WriteSet("gameover", {TwoPieces(0, 3), TwoPieces()});
  user->Score = 300;
  TGame& g = StartGame();
  Script s;
  RunOutOfTime(s, g, 500);
  s.Click(NO_X, REPLAY_Y);
  s.Until([&] { return g.GameState == GAME_OVER_2; }, 40, "the requester to fade out");
  s.Wait(400);
  EXPECT_TRUE(RunPlay(s)) << "Play returns by itself after Game Over";
  EXPECT_FALSE(g.LevelSetCompleted);
  EXPECT_EQ(user->Score, 300);
}

TEST_F(GameFlow, EscapeAndTheMenuButtonOpenTheOptionsAndHoldTheClock) {
  WriteSet("options", {TwoPieces(0, 60)});
  TGame& g = StartGame();
  int before = 0;
  Script s;
  StartPlaying(s, g);
  s.Wait(70);
  s.Do([&] { before = g.CurrTime; });
  s.TapKey(KEY_ESCAPE);
  s.Until([&] { return g.GameState == OPTION_MENU; }, 2, "the options");
  s.Wait(300);  // five seconds in the menu
  s.Click(OPTIONS_OK_X, OPTIONS_OK_Y);
  s.Until([&] { return g.GameState == PLAY_GAME; }, 30, "the options to close");
  s.Wait(1);
  s.Do([&] { EXPECT_EQ(g.CurrTime, before); });
  // The menu button on the left of the board does the same.
  s.Click(40, 380);
  s.Until([&] { return g.GameState == OPTION_MENU; }, 2, "the options");
  s.Wait(300);
  s.Do([&] { EXPECT_EQ(g.ReqOptions->CurrReq, R_MAIN); });
  s.Click(OPTIONS_OK_X, OPTIONS_OK_Y);
  s.Until([&] { return g.GameState == PLAY_GAME; }, 30, "the options to close");
  s.Wait(1);
  s.Do([&] { EXPECT_EQ(g.CurrTime, before); });
  s.Stop();
  RunPlay(s);
}

TEST_F(GameFlow, BackToMainMenuGivesTheLevelUp) {
  WriteSet("quit", {TwoPieces(), TwoPieces()});
  user->Score = 800;
  TGame& g = StartGame();
  Script s;
  StartPlaying(s, g);
  s.Do([&] { user->Score += 400; });
  s.TapKey(KEY_ESCAPE);
  s.Wait(12);
  s.Click(328, 295);  // "Back to main menu"
  s.Wait(2);
  s.Click(210, 280);  // "Sure"
  s.Until([&] { return g.GameState == GAME_OVER_CANCEL; }, 3, "the confirmation");
  s.Wait(600);
  EXPECT_TRUE(RunPlay(s));
  EXPECT_FALSE(g.LevelSetCompleted);
  EXPECT_EQ(user->Score, 800);
}

TEST_F(GameFlow, ANewRankIsAnnouncedBeforePlayAndBringsNewScenery) {
  WriteSet("rank", {TwoPieces()});
  user->Score = RankScores[1];
  user->CurrentRank = 0;
  TGame& g = StartGame();
  EXPECT_TRUE(g.ShowNewRank);
  EXPECT_EQ(user->CurrentRank, 1);
  EXPECT_EQ(user->Selected_Background, 1);
  Script s;
  s.Wait(30);
  s.Do([&] { EXPECT_EQ(g.GameState, FADE_IN) << "play waits for the message"; });
  StartPlaying(s, g);
  s.Do([&] { EXPECT_FALSE(g.ShowNewRank); });
  s.Stop();
  RunPlay(s);
}

// Level 1 chosen again below the furthest level reached: the retry stays on it, and the
// tutorial does not come back.
TEST_F(GameFlow, ARetryOfTheFirstLevelStaysThere) {
  WriteSet("retry first", {TwoPieces(0, 3), TwoPieces(), TwoPieces()});
  SetReached(2);
  user->Tutorial = true;
  game = std::make_unique<TGame>();
  game->InitLevel(false);
  TGame& g = *game;
  ASSERT_EQ(g.CurrentLevel, 0);
  Script s;
  RunOutOfTime(s, g, 0);
  s.Click(YEAH_X, REPLAY_Y);
  s.Until([&] { return g.GameState == FADE_IN_NEXT_LEVEL; }, 2, "the retry without a tutorial");
  s.Do([&] { EXPECT_EQ(g.CurrentLevel, 0); });
  s.Stop();
  RunPlay(s);
}
