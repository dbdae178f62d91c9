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
#include "support/text_probe.h"
#include "ui/tutorial.h"
#include "ui/wisdom_screen.h"

#include <fstream>
#include <map>
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

TEST_F(WisdomLayout, AFileWithoutTheGroupOfTheLanguageOrEnglishShowsOnlyThePictureAndTheHint) {
  const std::string path = DataHome() + "/wisdoms.ini";
  {
    std::ofstream out(path, std::ios::binary);
    out << "[Latina]\r\nAnzahl=2\r\n1=Festina lente\r\n2=Per aspera ad astra\r\n";
  }
  const IniPtr ini = TIni::Read(path);
  ASSERT_GT(ini->linecount, 0);
  for (const std::string language : {GERMAN_LANGUAGE, "English"}) {
    ASSERT_TRUE(SelectLanguage(language));
    Wisdomscreen w(ini);
    EXPECT_EQ(w.text, "") << language;
    w.lineno = 9;
    Cls();
    w.Render();
    const Pixels shown = Grab(0, 0, 640, 480);  // before Expected draws its own frame
    EXPECT_EQ(shown, Expected({})) << language;
  }
}

TEST_F(WisdomLayout, EachLineFadesInOverAHundredFramesAfterTheOneBefore) {
  Wisdomscreen w("First line\\nsecond line");
  DrawnTexts texts;
  // Per frame: how many quotation lines are drawn, and the alpha of the last one.
  std::vector<std::pair<int, float>> frames;
  for (int frame = 1; frame <= 260; ++frame) {
    texts.entries.clear();
    Cls();
    w.Render();
    int shown = 0;
    float alpha = -1;
    for (const auto& e : texts.entries)
      if (e.font == FontHeadline.get()) ++shown, alpha = e.alpha;
    frames.emplace_back(shown, alpha);
  }
  EXPECT_EQ(frames[19].first, 0) << "nothing for the first 20 frames";
  EXPECT_EQ(frames[20], std::make_pair(1, 0.0f)) << "the first line starts at frame 21";
  EXPECT_EQ(frames[70], std::make_pair(1, 0.5f));
  EXPECT_EQ(frames[120], std::make_pair(1, 1.0f));
  EXPECT_EQ(frames[121], std::make_pair(2, 0.0f)) << "then the second";
  EXPECT_EQ(frames[221], std::make_pair(2, 1.0f));
  EXPECT_EQ(frames[222].first, 2) << "two lines and no more";
}

namespace {

// The lines the tutorial's text box shows, as drawn letter by letter.
std::vector<std::string> TutorialLines(const std::string& text, std::vector<float>* rightEdges = nullptr) {
  DrawnTexts texts;
  Tutorial().DrawTutText(text);
  std::map<float, std::string> rows;
  std::map<float, float> right;
  for (const auto& e : texts.entries) {
    rows[e.y] += e.text;
    right[e.y] = e.x + float(FontMain->GetWidth(e.text));
  }
  std::vector<std::string> lines;
  for (const auto& [y, line] : rows) lines.push_back(line);
  if (rightEdges)
    for (const auto& [y, x] : right) rightEdges->push_back(x);
  return lines;
}

}  // namespace

TEST_F(TutorialScreen, TheTextBreaksAtBackslashNAndWrapsWholeWordsAt565Pixels) {
  EXPECT_EQ(TutorialLines("Take a piece\\nand drop it"), (std::vector<std::string>{"Take a piece", "and drop it"}));
  std::string words;
  for (int i = 0; i < 30; ++i) words += "tangram" + std::to_string(i) + " ";
  std::vector<float> right;
  const std::vector<std::string> lines = TutorialLines(words, &right);
  ASSERT_GE(lines.size(), 3u);
  for (size_t i = 0; i < lines.size(); ++i) {
    EXPECT_LE(right[i], 37 + 565) << "line " << i;
    EXPECT_NE(lines[i].front(), ' ') << "line " << i << " starts with a whole word";
    if (i + 1 < lines.size()) {
      const std::string next = lines[i + 1].substr(0, lines[i + 1].find(' ') + 1);  // with its blank
      EXPECT_GT(FontMain->GetWidth(lines[i] + next), 565) << "the next word would not have fitted on line " << i;
    }
  }
  // A word wider than the box starts a line and breaks where it crosses the wrap width,
  // not letter by letter.
  const size_t perLine = size_t(565 / FontMain->GetWidth("W"));
  const std::string line(perLine, 'W'), rest(10, 'W');
  EXPECT_EQ(TutorialLines("A " + line + rest + " end"), (std::vector<std::string>{"A ", line, rest + " end"}));
  EXPECT_EQ(TutorialLines(line + rest), (std::vector<std::string>{line, rest})) << "no empty line before it";
}

TEST_F(TutorialScreen, PlayDuringTheOpeningFadeTurnsTheFadeBackAtOnce) {
  std::vector<double> light;
  Script s;
  s.Wait(2).Click(PLAY_X, BUTTON_Y);  // released in the fourth frame, the fade still at 0.6
  for (int i = 0; i < 12; ++i) s.Do([&] { light.push_back(Brightness(Grab(0, 0, 640, 480))); }).Wait(1);
  s.Install();
  Tutorial().Display();
  EXPECT_LE(s.FramesRun(), 10) << "the fade went back from where it stood";
  ASSERT_GE(light.size(), 4u);
  for (size_t i = 2; i < light.size(); ++i) EXPECT_LT(light[i], light[i - 1]) << "frame " << i;
}
