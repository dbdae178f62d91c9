// Solving levels through the real frame loop: the pieces dropped on their places complete
// the level, the tally pays the bonuses of the level's modes (time and lamp only on the
// furthest level reached), and the area check's tolerance.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "media/input.h"
#include "players/users.h"

#include <algorithm>

namespace {

struct ModeCase {
  const char* name;
  int modes;
  int bonus;  // what the mode itself pays (Freeze: per covered percent instead)
};

void PrintTo(const ModeCase& m, std::ostream* os) { *os << m.name; }

class SolvingLevels : public GameScenario, public ::testing::WithParamInterface<ModeCase> {};

class Tally : public GameScenario {};

// Clicks the tally away as soon as it has opened.
void CloseTallyAtOnce(Script& s, TGame& g) {
  s.Until([&g] { return g.lcs_action == 1; }, 600, "the scroll to open");
  s.Click(320, 240);
  s.Until([&g] { return g.GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
}

}  // namespace

TEST_P(SolvingLevels, DroppingTheSolutionCompletesWithTheBonusesOfTheMode) {
  const ModeCase& mode = GetParam();
  WriteSet("modes", {TwoPieces(mode.modes), TwoPieces()});
  user->Score = 5000;
  TGame& g = StartGame();
  int timeLeft = -1, percent = -1, owed = -1;
  Script s;
  StartPlaying(s, g);
  PlaceAll(s, TwoPieces().pieces);
  // Freeze judges the board one frame after the last drop.
  s.Until([&] { return g.GameState == LEVEL_COMPLETE; }, 2, "the level to be solved");
  s.Do([&] {
    timeLeft = g.CurrTime;
    percent = g.FilledArea;
    owed = g.LvlCompleteScore;
  });
  // Closing the scroll early loses nothing: the score was computed when the level was solved.
  CloseTallyAtOnce(s, g);
  s.Stop();
  EXPECT_FALSE(RunPlay(s));

  ASSERT_GT(timeLeft, 50);
  int expected = 5000 + timeLeft * 125 + 1000 + mode.bonus;
  if (mode.modes & LP_FREEZE) {
    // The covered share of the silhouette; the gaps between snapped pieces are tiny.
    EXPECT_GE(percent, 95);
    EXPECT_LE(percent, 100);
    expected += 15 * percent;
  }
  EXPECT_EQ(owed, expected);
  EXPECT_EQ(user->Score, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, SolvingLevels,
    ::testing::Values(ModeCase{"Plain", 0, 0}, ModeCase{"Freeze", LP_FREEZE, 0},
                      ModeCase{"Floating", LP_FLOATING_TILES, 1500}, ModeCase{"Enlightenment", LP_ENLIGHTENMENT, 1000},
                      ModeCase{"Meditation", LP_MEDITATION, 1000},
                      ModeCase{"EnlightenmentAndMeditation", LP_ENLIGHTENMENT | LP_MEDITATION, 2000},
                      ModeCase{"Torch", LP_TORCH, 2500}),
    [](const ::testing::TestParamInfo<ModeCase>& p) { return std::string(p.param.name); });

TEST_F(Tally, EveryRowIsCountedIntoTheScoreOnTheFurthestLevel) {
  const int all = LP_TORCH | LP_FREEZE | LP_ENLIGHTENMENT | LP_FLOATING_TILES;
  WriteSet("tally", {TwoPieces(all), TwoPieces()});
  user->Score = 100;
  TGame& g = StartGame();
  int owed = -1, counted = -1;
  Script s;
  StartPlaying(s, g);
  PlaceAll(s, TwoPieces().pieces);
  s.Until([&] { return g.GameState == LEVEL_COMPLETE; }, 2, "the level to be solved");
  s.Do([&] { owed = g.LvlCompleteScore; });
  s.Until([&] { return g.lcs_action == 1 && g.lcs_step > 1100; }, 3000, "the whole tally");
  s.Do([&] { counted = user->Score; });
  s.Click(320, 240);
  s.Until([&] { return g.GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
  s.Stop();
  RunPlay(s);
  EXPECT_GT(owed, 100 + 2500 + 1000 + 1500 + 1000);
  EXPECT_EQ(counted, owed) << "the scroll counted every bonus up before it closed";
  EXPECT_EQ(user->Score, owed);
  EXPECT_EQ(g.CurrTime, 0) << "the remaining seconds were counted into the score";
  EXPECT_FALSE(g.HintAllowed) << "the unused lamp burst on the scroll";
}

TEST_F(Tally, ReplayingAnEarlierLevelPaysNoTimeOrLampAndKeepsTheScore) {
  WriteSet("replay", {TwoPieces(), TwoPieces()});
  SetReached(1);
  user->Score = 2000;
  game = std::make_unique<TGame>();
  game->InitLevel(false);  // level 0, below the furthest level reached
  TGame& g = *game;
  ASSERT_EQ(g.CurrentLevel, 0);
  int highest = 0;
  Script s;
  StartPlaying(s, g);
  PlaceAll(s, TwoPieces().pieces);
  s.Until([&] { return g.GameState == LEVEL_COMPLETE; }, 2, "the level to be solved");
  s.Until(
      [&] {
        highest = std::max(highest, user->Score);
        return g.lcs_action == 1 && g.lcs_step > 1100;
      },
      3000, "the whole tally");
  s.Click(320, 240);
  s.Until([&] { return g.GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
  s.Stop();
  RunPlay(s);
  EXPECT_EQ(g.LvlCompleteScore, 2000);
  EXPECT_EQ(highest, 2000) << "nothing was counted up";
  EXPECT_EQ(user->Score, 2000);
  EXPECT_GT(g.CurrTime, 0) << "the remaining time was not counted down";
}

// The play field as a solved board shows it, with n pure-black pixels left in it.
TEST_F(Tally, ThreeHundredFortyBlackPixelsAreTooManyAndThreeHundredThirtyNineAreFew) {
  WriteSet("tolerance", {TwoPieces()});
  TGame& g = StartGame();
  g.FilledArea = 5000;  // the silhouette counted when play began
  auto check = [&](int w, int h) {
    g.GameState = PLAY_GAME;
    Cls();
    DrawImage(Background, 0, 0);
    SetColor(0, 0, 0);
    DrawRect(100, 100, float(w), float(h));
    // Black just outside the read-back rectangle (x 4..452, y 66..459) does not count.
    DrawRect(0, 66, 4, 394);
    DrawRect(453, 66, 187, 394);
    DrawRect(4, 0, 449, 66);
    DrawRect(4, 460, 449, 20);
    SetColor(255, 255, 255);
    return g.CheckArea(true);
  };
  EXPECT_EQ(check(20, 17), 340);
  EXPECT_EQ(g.GameState, PLAY_GAME);
  EXPECT_EQ(check(3, 113), 339);
  EXPECT_EQ(g.GameState, LEVEL_COMPLETE);
}

// A new player's road through a shipped set: tutorial, wisdom, level 1, the tally, then the
// map and a wisdom before each next level. Which screen is up shows in the frame's colours:
// the map's green land, the tutorial's wooden frame, the wisdom's night sky.
enum class Seen { Map, Tutorial, Wisdom, Other };

Seen ScreenShown() {
  const PixmapPtr pm = GrabPixmap(0, 0, 640, 480);
  double r = 0, gr = 0, b = 0;
  for (uint32_t c : pm->pixels) {
    r += (c >> 16) & 255;
    gr += (c >> 8) & 255;
    b += c & 255;
  }
  const double n = double(pm->pixels.size());
  r /= n, gr /= n, b /= n;
  if (gr > r && gr > b) return Seen::Map;
  if (r > gr + 15 && r > b + 15) return Seen::Tutorial;
  if (b > r + 15 && b > gr + 15 && b < 128) return Seen::Wisdom;
  return Seen::Other;
}

TEST_F(Tally, ANewPlayerPlaysTheFirstLevelsOfAShippedSetWithEveryScreenOn) {
  user->ProgressMap = user->Wisdoms = user->Tutorial = true;
  LevelFilePath = "incbin::../data/Numbers of Lhasa.lvl";
  game = std::make_unique<TGame>();
  TGame& g = *game;
  std::vector<Seen> seen;
  auto look = [&](Script& s) { s.Do([&] { seen.push_back(ScreenShown()); }); };
  auto map = [&](Script& s) {
    s.Wait(30);
    look(s);
    s.Click(570, 420).Wait(25);
  };
  auto wisdom = [&](Script& s) {
    s.Wait(30);
    look(s);
    s.Click(320, 240).Wait(40);
  };
  auto level = [&](Script& s, int index) {
    StartPlaying(s, g);
    s.Do([&g, index] { EXPECT_EQ(g.CurrentLevel, index); });
    for (const ShapePtr& p : LevelShapes[size_t(index)]) Place(s, {p->Element, int(p->X), int(p->Y), p->Rotation}, 3, -2);
    s.Until([&g] { return g.GameState == LEVEL_COMPLETE; }, 2, "level " + std::to_string(index + 1) + " solved");
    s.Until([&g] { return g.lcs_action == 1; }, 600, "the scroll to open");
    s.Click(320, 240);
    s.Until([&g] { return g.GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
  };
  Script s;
  map(s);
  s.Wait(15);
  look(s);
  s.Click(567, 435).Wait(15);  // the tutorial's "Play"
  wisdom(s);
  s.Install(true);
  g.InitLevel(true);

  Script play;
  for (int index = 0; index < 3; ++index) {
    level(play, index);
    map(play);
    wisdom(play);
  }
  play.Until([&] { return g.CurrentLevel == 3 && g.GameState == FADE_IN; }, 60, "level 4");
  play.Stop();
  RunPlay(play);
  EXPECT_EQ(seen, (std::vector<Seen>{Seen::Map, Seen::Tutorial, Seen::Wisdom, Seen::Map, Seen::Wisdom, Seen::Map,
                                     Seen::Wisdom, Seen::Map, Seen::Wisdom}));
  EXPECT_EQ(g.CurrentLevel, 3);
  EXPECT_EQ(user->MaxLevel.front()->Level, 3);
  EXPECT_GT(user->Score, 3 * 1000);
}
