// The game's way through failing and retrying, the options menu and leaving to the main
// menu, played through the real frame loop.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "media/platform.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/language.h"
#include "ui/options.h"

#include <set>
#include <tuple>

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

TEST_F(GameFlow, EscapeTheMenuButtonAndLeavingTheWindowOpenTheOptionsAndHoldTheClock) {
  WriteSet("options", {TwoPieces(0, 60)});
  TGame& g = StartGame();
  int before = 0;
  Script s;
  StartPlaying(s, g);
  s.Wait(2).Do([&] { EXPECT_EQ(g.GameState, PLAY_GAME) << "the focus lost before the level does not count"; });
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
  // So does the window losing the focus (another window, minimising).
  s.Do([] { InjectFocusLoss(); });
  s.Until([&] { return g.GameState == OPTION_MENU; }, 2, "the options");
  s.Wait(300);
  s.Click(OPTIONS_OK_X, OPTIONS_OK_Y);
  s.Until([&] { return g.GameState == PLAY_GAME; }, 30, "the options to close");
  s.Wait(1);
  s.Do([&] { EXPECT_EQ(g.CurrTime, before); });
  s.Stop();
  InjectFocusLoss();
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

namespace {

// Counts the "Hurry up!" texts the game has put up so far (each is a new text object).
struct HurryCounter {
  std::set<const TextAnim*> seen;
  int Count(const TGame& g) {
    for (const TextAnimPtr& t : g.TextList)
      if (t->Caption == Text("Hurry up!")) seen.insert(t.get());
    return int(seen.size());
  }
};

}  // namespace

TEST_F(GameFlow, HurryUpIsShownOnceAnAttemptWhenTheTimeFirstDropsBelowThirteenSeconds) {
  WriteSet("hurry", {TwoPieces(0, 20)});
  TGame& g = StartGame();
  HurryCounter hurry;
  std::vector<int> counts;
  Script s;
  StartPlaying(s, g);
  s.Do([] { Delay(7000); }).Wait(5);  // 13 s left: not yet
  s.Do([&] { counts.push_back(hurry.Count(g)); });
  s.Do([] { Delay(1000); }).Wait(5);  // 12 s
  s.Until([&] { return hurry.Count(g) > 0 && g.TextList.empty(); }, 300, "the text to pass");
  s.Do([] { Delay(6000); }).Wait(5);  // 6 s
  s.Do([&] { counts.push_back(hurry.Count(g)); });
  s.Do([] { Delay(6000); });
  s.Until([&] { return g.GameState == TRY_AGAIN; }, 300, "the time-out");
  s.Do([&] { counts.push_back(hurry.Count(g)); });
  s.Wait(25).Click(YEAH_X, REPLAY_Y);
  StartPlaying(s, g);
  s.Do([] { Delay(9000); }).Wait(5);  // the new attempt's 11 s
  s.Do([&] { counts.push_back(hurry.Count(g)); });
  s.Stop();
  RunPlay(s);
  EXPECT_EQ(counts, (std::vector<int>{0, 1, 1, 2}));
}

TEST_F(GameFlow, ALevelWithoutATimeLimitNeverRunsOut) {
  WriteSet("untimed", {TwoPieces(0, 0)});
  TGame& g = StartGame();
  HurryCounter hurry;
  Script s;
  StartPlaying(s, g);
  s.Do([] { Delay(3600 * 1000); }).Wait(30);
  s.Do([&] {
    EXPECT_EQ(g.GameState, PLAY_GAME);
    EXPECT_TRUE(g.TimeOff);
    EXPECT_EQ(hurry.Count(g), 0);
    for (const TextAnimPtr& t : g.TextList) EXPECT_NE(t->Caption, Text("Out of time"));
  });
  s.Stop();
  RunPlay(s);
}

TEST_F(GameFlow, AtTheTopRankTheSceneryChangesEveryFifthLevel) {
  WriteSet("top rank", std::vector<TestLevel>(11, TwoPieces()));
  user->Score = RankScores[5];
  user->CurrentRank = 5;
  auto look = [&] { return std::make_tuple(user->Selected_Background, user->Selected_Puzzleset, user->Selected_Music); };
  std::vector<int> changedAt;
  for (int level = 1; level <= 10; ++level) {
    SetReached(level);
    const auto before = look();
    StartGame();
    ASSERT_EQ(game->CurrentLevel, level);
    EXPECT_FALSE(game->ShowNewRank);
    if (look() != before) changedAt.push_back(level);
  }
  EXPECT_EQ(changedAt, (std::vector<int>{5, 10}));
}

// Regression: a level whose silhouette shows nowhere in the play field (here above it) was
// "solved" by the first count, and a Freeze level with nothing left to place at once.
TEST_F(GameFlow, ALevelWithoutAVisibleSilhouetteIsNeverSolved) {
  const TestPiece aboveTheField{2, 200, 20};
  WriteSet("hidden", {TestLevel{60, LP_FREEZE, {aboveTheField}}});
  const int score = user->Score;
  TGame& g = StartGame();
  Script s;
  StartPlaying(s, g);
  s.Wait(30);
  s.Do([&] { EXPECT_EQ(g.GameState, PLAY_GAME); });
  Place(s, TestPiece{2, 300, 300});  // every piece placed: the Freeze verdict
  s.Wait(60);
  s.Do([&] {
    EXPECT_EQ(g.GameState, PLAY_GAME);
    EXPECT_EQ(user->Score, score);
  });
  s.Stop();
  EXPECT_FALSE(RunPlay(s));
  EXPECT_LT(g.FilledArea, SOLVE_TOLERANCE);
}
