// The screens before a level: the wisdom screen's line layout and its language, and the
// tutorial (shown only before the first level of a set; its pages step and animate;
// "Play" fades out).
#include "app/shell.h"
#include "game/game_scenario.h"
#include "media/graphics.h"
#include "players/ini.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/language_choice.h"
#include "ui/tutorial.h"
#include "ui/wisdom_screen.h"

#include <numeric>

namespace {

using Pixels = std::vector<uint32_t>;

Pixels Grab(int x, int y, int w, int h) {
  const PixmapPtr pm = GrabPixmap(x, y, w, h);
  Pixels out;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i) out.push_back(pm->ReadPixel(i, j));
  return out;
}

double Brightness(const Pixels& p) {
  double sum = 0;
  for (uint32_t c : p) sum += ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255);
  return sum / double(p.size() * 3);
}

class WisdomLayout : public GameScenario {
protected:
  // The screen with every line revealed, after one frame to count its lines.
  static Pixels Shown(const std::string& quotation) {
    Wisdomscreen w(quotation);
    w.lineno = 9;
    for (int i = 0; i < 2; ++i) {
      Cls();
      w.Render();
    }
    return Grab(0, 0, 640, 480);
  }
  // The picture with the given lines at the given heights, centred on x 320.
  static Pixels Expected(const std::vector<std::pair<std::string, int>>& lines) {
    Wisdomscreen w("");
    Cls();
    SetAlpha(1);
    DrawImage(w.screen, 0, 0);
    for (const auto& [text, y] : lines) FontHeadline->Draw(text, 320, float(y), true);
    SetAlpha(0.8f);
    FontMain->Draw(Language->GetString("Press mousebutton to continue"), 320, 460, true);
    SetAlpha(1);
    return Grab(0, 0, 640, 480);
  }
};

class TutorialScreen : public GameScenario {
protected:
  static constexpr int BUTTON_Y = 435, BACK_X = 93, NEXT_X = 215, PLAY_X = 567;
  static Pixels TextBox() { return Grab(34, 287, 586, 105); }
  static Pixels Screenshot() { return Grab(35, 73, 273, 193); }
};

}  // namespace

TEST_F(WisdomLayout, LinesStandWhereTheirCountPutsThem) {
  // One short line, 64 pixels above the hint.
  EXPECT_EQ(Shown("Water finds its way"), Expected({{"Water finds its way", 396}}));
  // A forced break after a short first part: two lines, 56 pixels apart.
  EXPECT_EQ(Shown("Still water\\nruns deep"), Expected({{"Still water", 332}, {"runs deep", 388}}));
  // A word wider than the line is never split: it stands on a line of its own.
  const std::string word = "Counterrevolutionarinesses";
  ASSERT_GT(FontHeadline->GetWidth(word), 500);
  EXPECT_EQ(Shown("The " + word), Expected({{"The ", 332}, {word, 388}}));
  // As the first word it follows an empty line.
  EXPECT_EQ(Shown(word + " rests"), Expected({{word + " ", 324}, {"rests", 380}}));
}

// The quotation comes from the group named like the game's language.
TEST_F(WisdomLayout, QuotationsComeFromTheGroupOfTheLanguage) {
  for (const std::string language : {GERMAN_LANGUAGE, "English"}) {
    ASSERT_TRUE(SelectLanguage(language));
    for (int i = 0; i < 5; ++i) {
      const Wisdomscreen w;
      EXPECT_EQ(w.seek, w.Wisdoms->GetSeek(language));
      EXPECT_EQ(w.anzahl, 100);
      EXPECT_FALSE(w.text.empty());
      EXPECT_EQ(w.text, w.Wisdoms->GetValue(w.Wisdoms->GetSeek(language), std::to_string(w.nummer), ""));
    }
  }
}

TEST_F(TutorialScreen, ShowsOnlyBeforeTheFirstLevelOfASet) {
  WriteSet("tutorial", {TwoPieces(), TwoPieces(), TwoPieces()});
  user->Tutorial = true;
  game = std::make_unique<TGame>();
  Script s;
  s.Wait(15).Click(PLAY_X, BUTTON_Y).Wait(40);
  s.Install();
  game->InitLevel(true);
  EXPECT_GT(s.FramesRun(), 0) << "shown before level 1";
  // A retry of level 1 and a start further on show no frame before play.
  Script none;
  none.Install();
  game->InitLevel(false);
  EXPECT_EQ(game->CurrentLevel, 0);
  SetReached(2);
  game = std::make_unique<TGame>();
  game->InitLevel(true);
  EXPECT_EQ(game->CurrentLevel, 2);
  EXPECT_EQ(none.FramesRun(), 0);
}

TEST_F(TutorialScreen, PagesStepWithinTheSixAndTheirAnimationsRestart) {
  std::vector<Pixels> texts;
  Pixels early, late, lateAgain;
  auto next = [&](Script& s) { s.Click(NEXT_X, BUTTON_Y).Wait(2); };
  auto back = [&](Script& s) { s.Click(BACK_X, BUTTON_Y).Wait(2); };
  auto text = [&](Script& s) { s.Do([&] { texts.push_back(TextBox()); }); };
  Script s;
  s.Wait(12);
  back(s);  // nothing before page 1
  text(s);
  for (int page = 1; page < 6; ++page) {
    next(s);
    text(s);
    if (page == 1) {
      s.Wait(2).Do([&] { early = Screenshot(); });
      s.Wait(40).Do([&] { late = Screenshot(); });
    }
  }
  next(s);  // nothing after page 6
  text(s);
  for (int page = 4; page >= 1; --page) back(s);
  // Page 2 again: its animation starts over.
  s.Wait(42).Do([&] { lateAgain = Screenshot(); });
  back(s);
  text(s);
  s.Click(PLAY_X, BUTTON_Y).Wait(30);
  s.Install();
  Tutorial().Display();

  ASSERT_EQ(texts.size(), 8u);
  for (size_t i = 0; i < 6; ++i)
    for (size_t j = i + 1; j < 6; ++j) EXPECT_NE(texts[i], texts[j]) << "pages " << i + 1 << " and " << j + 1;
  EXPECT_EQ(texts[6], texts[5]) << "\">>\" on the last page";
  EXPECT_EQ(texts[7], texts[0]);
  EXPECT_NE(early, late) << "the pointer moves";
  EXPECT_EQ(late, lateAgain);
}

TEST_F(TutorialScreen, PlayFadesToBlackAndReturns) {
  std::vector<double> light;
  Script s;
  s.Wait(15);
  s.Click(PLAY_X, BUTTON_Y);
  for (int i = 0; i < 14; ++i) s.Do([&] { light.push_back(Brightness(Grab(0, 0, 640, 480))); }).Wait(1);
  s.Install();
  Tutorial().Display();
  ASSERT_GE(light.size(), 10u);
  ASSERT_LE(light.size(), 13u) << "about ten frames of fading";
  for (size_t i = 2; i < light.size(); ++i) EXPECT_LT(light[i], light[i - 1]);
  EXPECT_LT(light.back(), 1.0);
}
