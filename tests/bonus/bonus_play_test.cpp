// The bonus game played through its frame with scripted mouse and keys: aiming, the
// corner that never shoots, the shot clock, rotation, the time bar and the tutorial box.
#include "app/shell.h"
#include "bonus/bonus_game.h"
#include "bonus/bonus_tutorial.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/script.h"
#include "present/language.h"
#include "support/game_env.h"
#include "support/text_probe.h"

#include <functional>
#include <set>

namespace {

class BonusPlay : public GameTest {};

// A game that notes the frames in which it shoots.
class WatchedGame : public BonusGame {
public:
  std::vector<int> shotFrames;
  int frame = 0;

protected:
  void OnShot() override {
    BonusGame::OnShot();
    shotFrames.push_back(frame);
  }
};

// Runs the bonus frame until the installed script stops; after is called once a frame.
void Play(WatchedGame& g, const int& state, const std::function<void()>& after = {}) {
  try {
    for (;;) {
      Cls();
      PollInput();
      g.Render(state);
      if (after) after();
      ShowFrame();
      ++g.frame;
    }
  } catch (const StopRun&) {
  }
}

void Play(WatchedGame& g) {
  const int state = PLAY_GAME;
  Play(g, state);
}

void Clear(BonusGame& g) {
  for (auto& column : g.LevelData) column.fill(TILE_EMPTY);
  for (auto& column : g.PuzzleTileData) column.fill(MARK_NONE);
  g.GameTime = 20000;
}

std::array<int, BOARD_W> BottomRow(const BonusGame& g) {
  std::array<int, BOARD_W> row{};
  for (int x = 0; x < BOARD_W; ++x) row[size_t(x)] = g.LevelData[size_t(x)][BOARD_H - 1];
  return row;
}

}  // namespace

TEST_F(BonusPlay, TheAimReachesTheRightEdgeForEveryElementSize) {
  struct Case {
    std::array<int, 4> element;
    int mouseX;
    std::array<int, BOARD_W> row;
  };
  const int _ = TILE_EMPTY;
  const Case cases[] = {
      {{1, 2, 3, _}, 639, {_, _, _, _, _, 1, 2, 3}},
      {{4, _, _, _}, 639, {_, _, _, _, _, _, _, 4}},
      {{0, 1, 2, 3}, 639, {_, _, _, _, 0, 1, 2, 3}},
      {{0, 1, 2, 3}, 100, {0, 1, 2, 3, _, _, _, _}},
      {{5, _, _, _}, 145 + 3 * 40 + 4, {_, _, _, 5, _, _, _, _}},  // nearest column to the pointer
  };
  for (const Case& c : cases) {
    WatchedGame g;
    Clear(g);
    g.CurrentElement = c.element;
    std::array<int, BOARD_W> row{};
    Script s;
    s.Click(c.mouseX, 200).Do([&] { row = BottomRow(g); }).Stop();
    s.Install();
    Play(g);
    EXPECT_EQ(row, c.row) << "mouse x " << c.mouseX;
  }
}

TEST_F(BonusPlay, ClicksOverTheMenuCornerOrWhilePausedNeverShoot) {
  struct Case {
    int x, y, state;
    bool shoots;
  };
  const Case cases[] = {
      {50, 400, PLAY_GAME, false}, {84, 291, PLAY_GAME, false}, {85, 291, PLAY_GAME, true},
      {84, 290, PLAY_GAME, true},  {300, 200, PLAY_GAME, true}, {300, 200, 0, false},
  };
  for (const Case& c : cases) {
    WatchedGame g;
    Clear(g);
    g.CurrentElement = {1, -1, -1, -1};
    Script s;
    s.Click(c.x, c.y).Wait(2).Stop();
    s.Install();
    Play(g, c.state);
    EXPECT_EQ(g.shotFrames.size(), c.shoots ? 1u : 0u) << c.x << "," << c.y << " state " << c.state;
  }
}

TEST_F(BonusPlay, TheShotClockFiresOnlyOnceNothingRisesAtTheCurrentAim) {
  WatchedGame g;
  Clear(g);
  g.LevelData[0][BOARD_H - 1] = 1;  // climbs the whole column: 32 frames
  g.CurrentElement = {2, -1, -1, -1};
  g.GameTime = 100;
  g.StartTime = Millisecs();
  g.PauseTime = 0;
  int lastRising = -1;
  std::array<int, BOARD_W> row{};
  Script s;
  s.MoveTo(400, 100)
      .Until([&] { return !g.shotFrames.empty(); }, 200, "the timed shot")
      .Do([&] { row = BottomRow(g); })
      .Stop();
  s.Install();
  const int state = PLAY_GAME;
  Play(g, state, [&] {
    if (g.TilesMoving && g.shotFrames.empty()) lastRising = g.frame;
  });
  ASSERT_EQ(g.shotFrames.size(), 1u);
  EXPECT_GT(lastRising, 6);  // the clock ran out long before
  EXPECT_EQ(g.shotFrames[0], lastRising + 2);  // the frame after the first still one
  EXPECT_EQ(row[6], 2);  // mouse x 400 aims at column 6
}

TEST_F(BonusPlay, KeysWheelAndRightButtonTurnTheElement) {
  WatchedGame g;
  Clear(g);
  g.CurrentElement = {0, 1, 2, -1};
  int state = PLAY_GAME;
  std::vector<std::array<int, 4>> seen;
  auto note = [&] { seen.push_back(g.CurrentElement); };
  Script s;
  s.MoveTo(300, 100);
  s.TapKey(KEY_S).Wait(10).Do(note);      // to the right
  s.TapKey(KEY_A).Wait(10).Do(note);      // back to the left
  s.TapKey(KEY_SPACE).Wait(10).Do(note);  // to the right
  s.Wheel(-1).Wait(10).Do(note);          // down: to the left
  s.Wheel(1).Wait(10).Do(note);           // up: to the right
  s.Click(300, 100, MOUSE_RIGHT).Wait(10).Do(note);  // to the left
  s.Do([&] { state = 0; }).Wheel(1).Click(300, 100, MOUSE_RIGHT).Wait(10).Do(note);  // paused
  s.Stop();
  s.Install();
  Play(g, state);
  const std::vector<std::array<int, 4>> expected = {
      {2, 0, 1, -1}, {0, 1, 2, -1}, {2, 0, 1, -1}, {0, 1, 2, -1}, {2, 0, 1, -1}, {0, 1, 2, -1}, {0, 1, 2, -1},
  };
  EXPECT_EQ(seen, expected);
  EXPECT_TRUE(g.shotFrames.empty());
}

TEST_F(BonusPlay, TheTimeBarFillsFromTheTopAsTheShotTimeRunsOut) {
  WatchedGame g;
  Clear(g);
  ASSERT_TRUE(g.TimeBar);
  const int x = 94 + 23, top = g.Offset_Y + 86;
  auto barAt = [&](int frame, int y) { return Rgb(g.TimeBar->Pixmaps()[size_t(frame)]->ReadPixel(23, y - g.Offset_Y - 64)); };
  auto drawn = [&](float timeLeft) {
    g.StartTime = Millisecs() - int(float(g.GameTime) * (1 - timeLeft));
    g.PauseTime = 0;
    Cls();
    g.Render(0);  // paused: the clock stands still and nothing is shot
    return std::array<uint32_t, 2>{Rgb(PixelAt(x, top + 5)), Rgb(PixelAt(x, top + 250))};
  };
  EXPECT_EQ(drawn(1), (std::array<uint32_t, 2>{barAt(0, top + 5), barAt(0, top + 250)}));
  EXPECT_EQ(drawn(0.5f), (std::array<uint32_t, 2>{barAt(1, top + 5), barAt(0, top + 250)}));
  EXPECT_EQ(drawn(0), (std::array<uint32_t, 2>{barAt(1, top + 5), barAt(1, top + 250)}));
}

TEST_F(BonusPlay, PowerUpsBobWithinTheirKindAndBombsKeepTheirOwnAnimation) {
  std::set<int> colour, bomb;
  for (int t = 0; t < 20000; t += 7) {
    colour.insert(BonusGame::TileFrame(2, true, t));
    bomb.insert(BonusGame::TileFrame(TILE_BOMB, true, t));
  }
  EXPECT_EQ(*colour.begin(), 32);
  EXPECT_EQ(*colour.rbegin(), 47);
  EXPECT_EQ(bomb.size(), 32u);
  EXPECT_EQ(*bomb.begin(), 112);
  EXPECT_EQ(BonusGame::TileFrame(2, false, 12345), 32);
  EXPECT_EQ(BonusGame::TileFrame(TILE_STONE, false, 0), 145);
  EXPECT_EQ(BonusGame::TileFrame(TILE_SPECIAL, false, 0), 147);
}

TEST_F(BonusPlay, TheTutorialTurnsFivePagesAndOnlyTheLastOneCloses) {
  BonusTutorial t;
  DrawnTexts texts;
  std::vector<int> pages;
  std::string buttons;  // per page: ">" when ">>" shows, "O" when "Okay" shows
  Script s;
  const int next = 25 + 470, okay = 25 + 280, row = 85 + 270;
  for (int i = 0; i < 5; ++i) {
    s.Do([&] { texts.entries.clear(); }).Wait(1).Do([&] {
      buttons += std::string(texts.Has(">>") ? ">" : "") + (texts.Has(Text("Okay")) ? "O" : "") + " ";
    });
    if (i < 4) s.Click(okay, row).Wait(2);  // where "Okay" stands on the last page
    s.Click(next, row).Wait(2).Do([&] { pages.push_back(t.Stp); });
  }
  s.Do([&] { EXPECT_EQ(t.ButtonPressStr, ""); });
  s.Click(okay, row).Wait(2).Stop();
  s.Install();
  try {
    for (;;) {
      Cls();
      PollInput();
      t.Render(25, 85);
      ShowFrame();
    }
  } catch (const StopRun&) {
  }
  EXPECT_EQ(pages, (std::vector<int>{1, 2, 3, 4, 4}));  // no ">>" on the last page
  EXPECT_EQ(buttons, "> > > > O ");
  EXPECT_EQ(t.Line, Language->GetString("Try to remove all tiles\nthat have a floating\nYing-Yang-Symbol."));
  EXPECT_EQ(t.ButtonPressStr, "Exit");
}
