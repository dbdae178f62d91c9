// The rows of the level-complete scroll for each kind of level, drawn by the game's own
// tally with the scroll open and every row passed, and the score on the board.
#include "app/shell.h"
#include "game/game_scenario.h"
#include "levels/level_set.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "support/text_probe.h"

namespace {

class TallyRows : public GameScenario {
protected:
  // Solves level 0 of a one-level set with these modes and this much time left, then
  // draws the open scroll once every row has been passed; returns the texts drawn.
  void Tally(int modes, int timeLeft, DrawnTexts& texts) {
    WriteSet("rows", {TwoPieces(modes)});
    TGame& g = StartGame();
    g.CurrTime = timeLeft;
    g.FilledArea = 40;
    g.LevelComplete();
    g.lcs_action = 1;
    g.lcs_offset = 0;
    g.lcs_step = 1100;
    Cls();
    texts.entries.clear();
    g.RenderLevelComplete();
  }
};

}  // namespace

TEST_F(TallyRows, OnlyFreezeLevelsShowTheFilledArea) {
  for (const int modes : {0, LP_TORCH, LP_FLOATING_TILES, LP_ENLIGHTENMENT, LP_MEDITATION, LP_TWISTER}) {
    DrawnTexts texts;
    Tally(modes, 10, texts);
    EXPECT_FALSE(texts.Has(Text("Filled area:"))) << "modes " << modes;
    EXPECT_TRUE(texts.Has(Text("Lamp bonus:"))) << "the tally was drawn";
  }
  DrawnTexts texts;
  Tally(LP_FREEZE, 10, texts);
  EXPECT_TRUE(texts.Has(Text("Filled area:")));
}

TEST_F(TallyRows, BothModeBitsShowOnlyTheEnlightenmentRowButPayForBoth) {
  DrawnTexts texts;
  user->Score = 0;
  Tally(LP_ENLIGHTENMENT | LP_MEDITATION, 0, texts);
  EXPECT_TRUE(texts.Has(Text("Enlightenment bonus:")));
  EXPECT_FALSE(texts.Has(Text("Meditation bonus:")));
  EXPECT_EQ(game->LvlCompleteScore, 1000 + 1000 + 1000) << "lamp, Enlightenment and Meditation";

  Tally(LP_MEDITATION, 0, texts);
  EXPECT_TRUE(texts.Has(Text("Meditation bonus:")));
  EXPECT_FALSE(texts.Has(Text("Enlightenment bonus:")));
}

TEST_F(TallyRows, NoTimeLeftShowsZeroTimesTheSecondPoints) {
  DrawnTexts texts;
  Tally(0, 0, texts);
  const DrawnTexts::Entry* row = texts.Find(Text("Time bonus:"));
  ASSERT_TRUE(row);
  const DrawnTexts::Entry* value = texts.Find("0 x 125");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->y, row->y) << "on the time row";
  Tally(0, 17, texts);
  EXPECT_TRUE(texts.Has("17 x 125"));
}

TEST_F(TallyRows, TheBoardShowsTheLastSixDigitsOfAScore) {
  WriteSet("board", {TwoPieces()});
  StartGame();
  DrawnTexts texts;
  std::vector<std::string> shown;
  Script s;
  for (const int score : {1234567, 999999, 42, 1000000}) {
    s.Do([&, score] {
      user->Score = score;
      texts.entries.clear();
    });
    s.Wait(1).Do([&] {
      for (const auto& e : texts.entries)
        if (e.font == FontHeadline.get() && e.y == -2 && e.text != user->Name) shown.push_back(e.text);
    });
  }
  s.Stop();
  RunPlay(s);
  EXPECT_EQ(shown, (std::vector<std::string>{"234567", "999999", "000042", "000000"}));
}
