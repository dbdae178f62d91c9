// Every screen of a game, captured from the real frame loop and checked for what must
// show on it: the stage modes' looks, the lamp, the tally scroll, the requesters, the
// options pages, the map, the wisdom screen, the tutorial and the end screen. With
// QV_SCREENSHOT_DIR set, each capture is also written there as a PNG for review.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "game/progress_map.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "present/bitmap_font.h"
#include "ui/options.h"
#include "ui/tutorial.h"

#include <cstdlib>
#include <map>

namespace {

constexpr int HEADER_HEIGHT = 58;  // the player's name and score, down to the gold line
constexpr int PRESS_TOP = 395, PRESS_HEIGHT = 20;  // the last line of the tally

class Screens : public GameScenario {
protected:
  // Captures the frame as it is presented.
  void Snap(Script& s, const std::string& name) {
    s.Do([this, name] { shots[name] = GrabPixmap(0, 0, 640, 480); });
  }
  void TearDown() override {
    if (const char* dir = std::getenv("QV_SCREENSHOT_DIR"))
      for (const auto& [name, pm] : shots) SavePixmapPNG(pm, std::string(dir) + "/" + name + ".png");
    GameScenario::TearDown();
  }
  uint32_t At(const std::string& name, int x, int y) { return shots.at(name)->ReadPixel(x, y) & 0xFFFFFF; }
  static int Light(uint32_t rgb) { return int(((rgb >> 16) & 255) + ((rgb >> 8) & 255) + (rgb & 255)) / 3; }
  double MeanLight(const std::string& name, int x, int y, int w, int h) {
    double sum = 0;
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i) sum += Light(At(name, i, j));
    return sum / (w * h);
  }
  bool Differs(const std::string& a, const std::string& b, int x, int y, int w, int h) {
    return RightmostDifference(a, b, x, y, w, h) >= 0;
  }
  // The last column in which the two captures differ inside the rectangle; −1 if none.
  int RightmostDifference(const std::string& a, const std::string& b, int x, int y, int w, int h) {
    for (int i = x + w - 1; i >= x; --i)
      for (int j = y; j < y + h; ++j)
        if (At(a, i, j) != At(b, i, j)) return i;
    return -1;
  }
  // Whether a bright pixel (such as white text) shows inside the rectangle.
  bool Bright(const std::string& name, int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
      for (int i = x; i < x + w; ++i)
        if (Light(At(name, i, j)) > 200) return true;
    return false;
  }

  // Captures the frame once the fade-in is over (a stage message shows there, if the
  // level has one), then closes the messages and waits for play.
  void MessageAndPlay(Script& s, TGame& g, const std::string& name) {
    s.Wait(25);
    Snap(s, name);
    StartPlaying(s, g);
  }

  std::map<std::string, PixmapPtr> shots;
};

}  // namespace

TEST_F(Screens, PlayAndTheStageModes) {
  const TestLevel plain = TwoPieces(0, 31);  // the lamp lights after a second
  WriteSet("screens", {plain, TwoPieces(LP_ENLIGHTENMENT), TwoPieces(LP_MEDITATION), TwoPieces(LP_FREEZE),
                       TwoPieces(LP_FLOATING_TILES), TwoPieces(LP_TORCH), TwoPieces(LP_TWISTER)});
  TGame& g = StartGame();
  const std::vector<TestPiece> pieces = plain.pieces;
  Script s;
  s.Until([&] { return g.GameState == GET_READY && !g.TextList.empty() && g.TextList.front()->Zoom > 1; }, 100,
          "the text at full size");
  Snap(s, "01_get_ready");
  StartPlaying(s, g);
  Snap(s, "02_play_lamp_unlit");
  Place(s, pieces[0], 0, 0);
  Place(s, pieces[1], 60, -40, true);
  s.Wait(3);
  Snap(s, "03_play_piece_in_hand");
  s.Click(260, 150);  // put it down again
  s.Until([&] { return g.CurrTime == 30; }, 100, "the lamp's time");
  s.Wait(6);
  Snap(s, "04_lamp_burst");
  s.MoveTo(113, 104).Wait(10);
  Snap(s, "05_lamp_hovered");
  s.Click(113, 104).Wait(30);
  Snap(s, "06_lamp_used_hint");
  s.Stop();
  RunPlay(s);

  // Each mode on its own level.
  auto level = [&](int index, const std::string& name, const std::function<void(Script&)>& play) {
    game = std::make_unique<TGame>();
    game->CurrentLevel = index;
    game->InitLevel(false);
    Script m;
    MessageAndPlay(m, *game, name);
    play(m);
    m.Stop();
    RunPlay(m);
  };
  level(1, "07_enlightenment", [&](Script& m) {
    Place(m, pieces[0], 0, 0);
    m.Do([&] { game->MeditationFade = 6.5f; }).Wait(2);
    Snap(m, "07_enlightenment_dark");
  });
  level(2, "08_meditation", [&](Script& m) {
    Place(m, pieces[0], 0, 0);
    m.Wait(30);
    Snap(m, "08_meditation_darkening");
  });
  level(3, "09_freeze", [&](Script& m) {
    Place(m, pieces[0], 0, 0);
    m.Wait(30);
    Snap(m, "09_freeze_gold");
  });
  level(4, "10_floating", [&](Script& m) {
    Place(m, pieces[0], 0, 0);
    m.Wait(40);
    Snap(m, "10_floating");
  });
  level(5, "11_torch", [&](Script& m) {
    m.MoveTo(200, 200).Wait(2);
    Snap(m, "11_torch");
  });
  level(6, "12_twister", [&](Script& m) {
    Place(m, pieces[0], 0, 0);
    m.Do([&] { game->Twister_Time = game->CurrTime + 1; });
    m.Until([&] { return game->Twister_Frame >= 40; }, 60, "the twister");
    Snap(m, "12_twister");
  });

  // Get ready: the text stands over the board.
  EXPECT_NE(At("01_get_ready", 290, 240), At("02_play_lamp_unlit", 290, 240));
  // The unlit lamp is grey, the lit one is not; the burst lights its surroundings.
  EXPECT_LT(MeanLight("02_play_lamp_unlit", 95, 70, 36, 70), MeanLight("05_lamp_hovered", 95, 70, 36, 70));
  EXPECT_TRUE(Differs("04_lamp_burst", "05_lamp_hovered", 60, 60, 110, 110));
  // The hint lights the silhouette up.
  EXPECT_EQ(At("02_play_lamp_unlit", 330, 345), 0u);
  EXPECT_GT(Light(At("06_lamp_used_hint", 330, 345)), 40);
  // The dark: the background goes black, the placed piece stays visible.
  EXPECT_EQ(At("07_enlightenment_dark", 300, 120), 0u);
  EXPECT_GT(Light(At("07_enlightenment_dark", 200, 200)), 40);
  // Meditation: the dropped piece darkens.
  EXPECT_LT(Light(At("08_meditation_darkening", 200, 200)), Light(At("03_play_piece_in_hand", 200, 200)));
  // Freeze: the gold overlay over the frozen piece.
  EXPECT_NE(At("09_freeze_gold", 200, 200), At("03_play_piece_in_hand", 200, 200));
  // Torch: light around the mouse, darkness beyond 113 pixels.
  EXPECT_GT(Light(At("11_torch", 260, 150)), 30);
  EXPECT_LT(Light(At("11_torch", 340, 200)), 20);
  EXPECT_LT(Light(At("11_torch", 200, 330)), 20);
}

TEST_F(Screens, TallyTryAgainAndGameOver) {
  WriteSet("tally screens", {TwoPieces(LP_TORCH | LP_FREEZE | LP_ENLIGHTENMENT | LP_FLOATING_TILES), TwoPieces(0, 3)});
  TGame& g = StartGame();
  Script s;
  MessageAndPlay(s, g, "20_message");
  PlaceAll(s, TwoPieces().pieces);
  s.Wait(5);
  Snap(s, "21_solved_wobble");
  s.Until([&] { return g.lcs_action == 0 && g.lcs_offset < 80 && WobbleTimer <= 0; }, 400, "the scroll opening");
  Snap(s, "22_tally_opening");
  s.Until([&] { return g.lcs_action == 1 && g.lcs_step > 400; }, 800, "the rows");
  Snap(s, "23_tally_rows");
  s.Until([&] { return g.lcs_action == 1 && g.lcs_step > 1100; }, 1500, "the whole tally");
  Snap(s, "24_tally_done");
  s.Click(320, 240);
  s.Until([&] { return g.lcs_action == 2 && g.lcs_offset > 60; }, 100, "the scroll closing");
  Snap(s, "25_tally_closing");
  StartPlaying(s, g);
  s.Until([&] { return g.GameState == TRY_AGAIN; }, 600, "the time-out");
  s.Wait(30);
  Snap(s, "26_try_again");
  s.Click(480, 330);
  s.Until([&] { return g.GameState == GAME_OVER_2 && !g.TextList.empty() && g.TextList.front()->Zoom > 1; }, 200,
          "Game Over");
  Snap(s, "27_game_over");
  s.Wait(600);
  RunPlay(s);

  // The scroll stays clear of the header: the player's name (and what lies between it and
  // the score) looks the same as before the scroll opened.
  for (const char* shot : {"22_tally_opening", "23_tally_rows", "24_tally_done"})
    EXPECT_FALSE(Differs("21_solved_wobble", shot, 0, 0, 460, HEADER_HEIGHT)) << shot;
  // "Press a mousebutton to continue!" stays inside the paper, clear of its edges.
  EXPECT_TRUE(Bright("24_tally_done", 200, PRESS_TOP, 230, PRESS_HEIGHT));
  EXPECT_FALSE(Bright("24_tally_done", 158, PRESS_TOP, 12, PRESS_HEIGHT));
  EXPECT_FALSE(Bright("24_tally_done", 470, PRESS_TOP, 12, PRESS_HEIGHT));
  // The scroll shows more text rows as the tally goes on.
  EXPECT_TRUE(Differs("23_tally_rows", "24_tally_done", 170, 300, 300, 90));
  EXPECT_TRUE(Differs("22_tally_opening", "23_tally_rows", 170, 140, 300, 150));
  EXPECT_TRUE(Differs("26_try_again", "25_tally_closing", 240, 320, 10, 10));
  // The board's tray divider stays under the requester.
  EXPECT_TRUE(Differs("26_try_again", "27_game_over", 455, 150, 5, 200));
}

TEST_F(Screens, ALongPlayerNameIsShortenedBeforeTheScore) {
  WriteSet("long name", {TwoPieces()});
  user->Name = "Wolfgang Amadeus, Wanderer of the High Passes";
  TGame& g = StartGame();
  Script s;
  StartPlaying(s, g);
  Snap(s, "50_long_name");
  s.Do([&] { user->Name = ""; }).Wait(1);
  Snap(s, "51_no_name");
  s.Stop();
  RunPlay(s);
  // Where the two differ is the name: it runs far to the right but ends before the score.
  const int scoreLeft = 617 - FontHeadline->GetWidth("000000");
  const int nameEnd = RightmostDifference("50_long_name", "51_no_name", 0, 0, 640, HEADER_HEIGHT);
  EXPECT_GT(nameEnd, scoreLeft - 80);
  EXPECT_LT(nameEnd, scoreLeft - 12);
}

TEST_F(Screens, OptionsPages) {
  WriteSet("options screens", {TwoPieces()});
  user->Score = 100000;  // every choice unlocked
  user->BackgroundAnimation = false;
  TGame& g = StartGame();
  Script s;
  StartPlaying(s, g);
  s.TapKey(KEY_ESCAPE).Wait(15);
  Snap(s, "30_options_main");
  s.Click(328, 190).Wait(5);
  Snap(s, "31_options_graphics");
  s.Do([&] { g.HintAllowed = false; }).Wait(1);  // no lamp
  Snap(s, "31_options_graphics_no_lamp");
  s.Click(328, 325).Wait(5);
  s.Click(328, 225).Wait(5);
  Snap(s, "32_options_audio");
  s.Click(329, 340).Wait(5);
  s.Click(328, 260).Wait(5);
  Snap(s, "33_options_game");
  s.Click(328, 320).Wait(5);
  s.Click(328, 295).Wait(5);
  Snap(s, "34_options_quit");
  s.Do([&] { EXPECT_EQ(g.ReqOptions->CurrReq, R_BACK); });
  s.Stop();
  RunPlay(s);
  for (const char* page : {"31_options_graphics", "32_options_audio", "33_options_game", "34_options_quit"})
    EXPECT_TRUE(Differs("30_options_main", page, 100, 60, 460, 330)) << page;
  // The lamp stays under the box.
  EXPECT_FALSE(Differs("31_options_graphics", "31_options_graphics_no_lamp", 110, 61, 32, 86));
}

TEST_F(Screens, MapWisdomTutorialAndEndScreen) {
  WriteSet("tour", {TwoPieces()});
  SetReached(0);
  user->ProgressMap = user->Wisdoms = user->Tutorial = true;
  game = std::make_unique<TGame>();
  Script s;
  s.Wait(60);
  Snap(s, "40_map");
  s.Click(570, 420).Wait(25);
  for (int page = 0; page < 6; ++page) {
    s.Wait(page == 0 ? 20 : 60);
    Snap(s, "4" + std::to_string(page + 1) + "_tutorial_page_" + std::to_string(page + 1));
    s.Click(215, 435).Wait(2);
  }
  s.Click(567, 435).Wait(15);
  s.Wait(260);
  Snap(s, "47_wisdom");
  s.Click(320, 240).Wait(25);
  s.Install();
  game->InitLevel(true);
  Script play;
  MessageAndPlay(play, *game, "48_unused");
  PlaceAll(play, TwoPieces().pieces);
  play.Until([&] { return game->lcs_action == 1; }, 600, "the scroll");
  play.Click(320, 240);
  play.Until([&] { return game->GameState == LEVEL_COMPLETE_CONTINUE; }, 200, "the fade-out");
  play.Wait(300);
  Snap(play, "49_end_screen");
  play.Click(320, 240).Wait(60);
  EXPECT_TRUE(RunPlay(play));
  EXPECT_TRUE(game->LevelSetCompleted);
  for (int page = 2; page <= 6; ++page) {
    const std::string a = "4" + std::to_string(page - 1) + "_tutorial_page_" + std::to_string(page - 1);
    const std::string b = "4" + std::to_string(page) + "_tutorial_page_" + std::to_string(page);
    EXPECT_TRUE(Differs(a, b, 34, 287, 586, 105)) << b;
  }
}

