// Stage modes and the hint lamp in running games: a check made in the Enlightenment dark
// waits for the light, darkened Meditation pieces still cover, Freeze judges only a full
// board, the twister takes only a board piece that is not in the hand, and the lamp.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "media/graphics.h"
#include "players/users.h"
#include "present/ambient.h"
#include "present/particles.h"

#include <algorithm>

namespace {

class StageModes : public GameScenario {};

constexpr int LAMP_X = 113, LAMP_Y = 104;

bool PlayerPiece(const Shape& p) { return p.Pickable || p.DontFadeAway; }

bool InTray(const Shape& p) { return p.X == TRAY_X + p.OffX && !p.MoveDroppedTile && !p.PickedUp; }

bool AllInTray() {
  return std::all_of(ShapeList.begin(), ShapeList.end(),
                     [](const ShapePtr& p) { return !PlayerPiece(*p) || InTray(*p); });
}

ShapePtr PlayerPiece(int element) {
  for (const ShapePtr& p : ShapeList)
    if (p->Element == element && PlayerPiece(*p)) return p;
  return nullptr;
}

}  // namespace

TEST_F(StageModes, EnlightenmentJudgesADropInTheDarkOnceTheLightIsBack) {
  WriteSet("dark", {TwoPieces(LP_ENLIGHTENMENT)});
  TGame& g = StartGame();
  const std::vector<TestPiece> pieces = TwoPieces().pieces;
  Script s;
  StartPlaying(s, g);
  Place(s, pieces[0], 2, 2);
  s.Do([&] { g.MeditationFade = 5.5f; });  // the dark comes
  Place(s, pieces[1], 2, 2);
  s.Do([&] {
    EXPECT_EQ(g.GameState, PLAY_GAME) << "no verdict in the dark";
    EXPECT_TRUE(g.PrepareCheck);
  });
  s.Until([&] { return g.GameState == LEVEL_COMPLETE; }, 200, "the light and the verdict");
  s.Do([&] {
    EXPECT_EQ(g.MeditationFade, 0) << "judged in the first clear frame";
    EXPECT_FALSE(g.PrepareCheck);
  });
  s.Stop();
  RunPlay(s);
}

TEST_F(StageModes, MeditationPiecesThatHaveGoneDarkStillCoverTheSilhouette) {
  WriteSet("meditation", {TwoPieces(LP_MEDITATION)});
  TGame& g = StartGame();
  const std::vector<TestPiece> pieces = TwoPieces().pieces;
  Script s;
  StartPlaying(s, g);
  Place(s, pieces[0], 2, 2);
  s.Wait(90);
  s.Do([&] { EXPECT_LE(PlayerPiece(pieces[0].element)->R, 0) << "the dropped piece has gone black"; });
  Place(s, pieces[1], 2, 2);
  s.Do([&] { EXPECT_EQ(g.GameState, LEVEL_COMPLETE); });
  s.Stop();
  RunPlay(s);
}

TEST_F(StageModes, FreezeJudgesOnlyAFullBoardAndNewTryReturnsTheFrozenPieces) {
  WriteSet("freeze", {TwoPieces(LP_FREEZE)});
  TGame& g = StartGame();
  const std::vector<TestPiece> pieces = TwoPieces().pieces;
  Script s;
  StartPlaying(s, g);
  Place(s, pieces[0], 2, 2);
  s.Do([&] {
    const ShapePtr square = PlayerPiece(pieces[0].element);
    EXPECT_TRUE(square->DontFadeAway);
    EXPECT_FALSE(square->Pickable);
  });
  s.Wait(5);
  s.Do([&] { EXPECT_EQ(g.GameState, PLAY_GAME) << "no verdict while a piece is in the tray"; });
  // "New Try" sends the frozen piece back.
  s.Click(150, 430);
  s.Until(AllInTray, 30, "the frozen piece back in the tray");
  s.Do([&] { EXPECT_TRUE(PlayerPiece(pieces[0].element)->Pickable); });
  // A full board with a piece off its place fails and returns both pieces.
  Place(s, pieces[0], 2, 2);
  Place(s, TestPiece{pieces[1].element, 260, 120}, 0, 0);
  s.Wait(1);
  s.Do([&] {
    EXPECT_EQ(g.GameState, PLAY_GAME);
    ASSERT_FALSE(g.TextList.empty());
    EXPECT_EQ(g.TextList.back()->Caption, "You failed! Please try again!");
  });
  s.Until(AllInTray, 30, "both pieces back in the tray");
  s.Stop();
  RunPlay(s);
}

TEST_F(StageModes, TheTwisterTakesOnlyABoardPieceThatIsNotInTheHand) {
  WriteSet("twister", {TwoPieces(LP_TWISTER, 60)});
  TGame& g = StartGame();
  EXPECT_EQ(g.Twister_InitTime, 12);
  const std::vector<TestPiece> pieces = TwoPieces().pieces;
  const ShapePtr square = PlayerPiece(pieces[0].element), triangle = PlayerPiece(pieces[1].element);
  auto twisterDue = [&] { g.Twister_Time = g.CurrTime + 1; };
  Script s;
  StartPlaying(s, g);
  // Only the tray and the hand: nothing to take.
  s.Do(twisterDue).Wait(1);
  s.Do([&] { EXPECT_FALSE(g.Show_Twister); });
  Place(s, pieces[0], 0, 0, true);
  s.Do(twisterDue).Wait(1);
  s.Do([&] {
    EXPECT_FALSE(g.Show_Twister) << "the piece in the hand stays there";
    EXPECT_EQ(g.Twister_Time, g.CurrTime - 12) << "the next one waits a whole interval";
  });
  // The square put down on the board, the triangle in the hand over the board.
  s.Click(250, 300);
  Place(s, pieces[1], 0, 0, true);
  s.Do(twisterDue).Wait(1);
  s.Do([&] {
    EXPECT_TRUE(g.Show_Twister);
    EXPECT_EQ(g.Twister_DestShape, square);
  });
  s.Until([&] { return !g.Show_Twister; }, 70, "the twister to pass");
  s.Until([&] { return InTray(*square); }, 25, "the square back in the tray");
  s.Do([&] { EXPECT_TRUE(triangle->PickedUp); });
  s.Stop();
  RunPlay(s);
}

TEST_F(StageModes, TheTwisterStandsStillWhileTheOptionsAreOpen) {
  WriteSet("twister", {TwoPieces(LP_TWISTER, 60)});
  TGame& g = StartGame();
  float frame = 0;
  Script s;
  StartPlaying(s, g);
  Place(s, TwoPieces().pieces[0], 30, 30);
  s.Do([&] { g.Twister_Time = g.CurrTime + 1; });
  s.Until([&] { return g.Twister_Frame >= 10; }, 20, "the twister to move");
  s.TapKey(KEY_ESCAPE).Wait(2);
  s.Do([&] {
    EXPECT_EQ(g.GameState, OPTION_MENU);
    frame = g.Twister_Frame;
  });
  s.Wait(30);
  s.Do([&] {
    EXPECT_EQ(g.Twister_Frame, frame);
    EXPECT_TRUE(g.Show_Twister);
  });
  s.Stop();
  RunPlay(s);
}

TEST_F(StageModes, TheLampLightsAtThirtySecondsBurstsOnceAndAUsedLampLosesItsBonus) {
  WriteSet("lamp", {TwoPieces(0, 31)});
  user->Score = 0;
  TGame& g = StartGame();
  int bursts = 0;
  size_t particles = 0;
  std::vector<int> delays;
  Script s;
  StartPlaying(s, g);
  s.Click(LAMP_X, LAMP_Y);
  s.Wait(2);
  s.Do([&] { EXPECT_TRUE(g.HintAllowed) << "the unlit lamp does not react"; });
  s.Until(
      [&] {
        const size_t now = GameParticles->p.size();
        if (now >= particles + 51) bursts += 1;
        particles = now;
        return g.CurrTime <= 29;
      },
      150, "the clock to pass 30");
  s.Do([&] {
    EXPECT_EQ(bursts, 1);
    EXPECT_TRUE(g.playLampInitAnim);
  });
  s.Click(LAMP_X, LAMP_Y);
  s.Do([&] {
    EXPECT_FALSE(g.HintAllowed);
    for (const ShapePtr& p : ShapeList) {
      EXPECT_TRUE(p->LightOn);
      delays.push_back(p->LightOnDelay);
    }
  });
  PlaceAll(s, TwoPieces().pieces);
  s.Until([&] { return g.GameState == LEVEL_COMPLETE; }, 2, "the level to be solved");
  s.Do([&] { EXPECT_EQ(g.LvlCompleteScore, g.CurrTime * 125) << "no lamp bonus"; });
  s.Stop();
  RunPlay(s);
  EXPECT_EQ(delays, (std::vector<int>{0, 10, 20, 30})) << "the pieces light up one after another";
}

TEST_F(StageModes, WithoutATimeLimitTheLampIsLitAtOnceAndNeverBursts) {
  WriteSet("untimed", {TwoPieces(0, 0)});
  TGame& g = StartGame();
  Script s;
  StartPlaying(s, g);
  s.Wait(5);
  s.Click(LAMP_X, LAMP_Y);
  s.Wait(1);
  s.Do([&] {
    EXPECT_FALSE(g.HintAllowed);
    EXPECT_FALSE(g.playLampInitAnim);
    EXPECT_TRUE(g.TimeOff);
  });
  s.Stop();
  RunPlay(s);
}

TEST_F(StageModes, WithoutBackgroundAnimationTheAmbientEffectIsNeitherDrawnNorAdvanced) {
  WriteSet("ambient", {TwoPieces()});
  user->Selected_Background = 1;  // falling snow
  user->BackgroundAnimation = true;
  TGame& g = StartGame();
  ASSERT_TRUE(AmbientSnow);
  FX_Snow& snow = *AmbientSnow;
  // Every flake over one clear spot of the field, or far off the screen.
  auto flakesAt = [&snow](float x, float y) {
    snow.x.fill(x);
    snow.y.fill(y);
    snow.alpha.fill(1);
    snow.scale.fill(1);
  };
  auto spot = [] { return GrabPixmap(380, 90, 60, 50); };
  auto same = [](const PixmapPtr& a, const PixmapPtr& b) {
    for (int y = 0; y < a->height; ++y)
      for (int x = 0; x < a->width; ++x)
        if (a->ReadPixel(x, y) != b->ReadPixel(x, y)) return false;
    return true;
  };
  PixmapPtr withFlakes, without;
  float fallenOn = 0, fallenOff = 0;
  Script s;
  StartPlaying(s, g);
  for (const bool animation : {true, false}) {
    s.Do([&, animation] {
      user->BackgroundAnimation = animation;
      flakesAt(400, 110);
    });
    s.Wait(1).Do([&, animation] {
      withFlakes = spot();
      (animation ? fallenOn : fallenOff) = snow.y[0] - 110;
      flakesAt(-1000, 110);
    });
    s.Wait(1).Do([&, animation] {
      without = spot();
      if (animation) {
        EXPECT_FALSE(same(withFlakes, without)) << "the flakes show while the animation is on";
      } else {
        EXPECT_TRUE(same(withFlakes, without)) << "no flake is drawn";
      }
    });
  }
  s.Stop();
  RunPlay(s);
  EXPECT_GT(fallenOn, 0);
  EXPECT_EQ(fallenOff, 0) << "the flakes stood still";
}
