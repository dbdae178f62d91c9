#include "editor/level_options.h"

#include "levels/level_set.h"
#include "media/graphics.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "ui/widgets.h"

namespace {

constexpr int CAPTION_X = 359;

ImagePtr LoadPanel() {
  AutoMidHandle(false);
  return LoadImage("incbin::../gfx/yesno_requester.png");
}

void DrawPanel(const ImagePtr& image) {
  SetScale(1.2f, 1.7f);
  DrawImage(image, 90, 0);
  SetScale(1, 1);
  SetColor(255, 255, 255);
}

TLevelProperties* Props(int level) {
  if (level < 0 || level >= LEVEL_COUNT || !LevelProps[size_t(level)]) return nullptr;
  return LevelProps[size_t(level)].get();
}

// An on/off caption for a bit of the level's options; a click toggles the bit.
void Switch(TLevelProperties& p, int bit, const char* on, const char* off, int y) {
  if (TextButton(Text((p.MiscProperties & bit) ? on : off), CAPTION_X, y)) p.MiscProperties ^= bit;
}

// Steps a value through 0..count−1; anything out of that range starts again at 0.
int Next(int value, int count) { return value < 0 || value >= count - 1 ? 0 : value + 1; }

// The name of value among names, or "" for a value the panel does not know.
template <size_t N>
std::string NameOf(const char* const (&names)[N], int value) {
  return value >= 0 && value < int(N) ? Text(names[value]) : std::string();
}

const char* const SPEEDS[] = {"Very slow", "Slow", "Relaxed", "Fast", "Very fast"};
const char* const DIFFICULTIES[] = {"Easy", "Default", "Hard", "Maniac"};

}  // namespace

TLvlOptions::TLvlOptions() : RequesterImg(LoadPanel()) {}

void TLvlOptions::NextGameMode(TLevelProperties& p) {
  if (p.MiscProperties & LP_ENLIGHTENMENT)
    p.MiscProperties ^= LP_ENLIGHTENMENT | LP_MEDITATION;
  else if (p.MiscProperties & LP_MEDITATION)
    p.MiscProperties ^= LP_MEDITATION;
  else
    p.MiscProperties ^= LP_ENLIGHTENMENT;
}

void TLvlOptions::Render(int level) {
  TLevelProperties* p = Props(level);
  if (Page != PAGE_MAIN || !p) return;
  DrawPanel(RequesterImg);
  // Centred like the bonus panel's title, so a longer translation stays over the captions.
  if (FontHeadline) FontHeadline->Draw(Text("Level properties"), 360, 95, true);
  Switch(*p, LP_TWISTER, "Twister: on", "Twister: off", 155);
  Switch(*p, LP_FREEZE, "Freeze: on", "Freeze: off", 185);
  const char* mode = (p->MiscProperties & LP_ENLIGHTENMENT) ? "Gamemode: Enlightenment"
                     : (p->MiscProperties & LP_MEDITATION) ? "Gamemode: Meditation"
                                                           : "Gamemode: Default";
  if (TextButton(Text(mode), CAPTION_X, 215)) NextGameMode(*p);
  Switch(*p, LP_FLOATING_TILES, "Floating tiles: on", "Floating tiles: off", 245);
  Switch(*p, LP_PLAY_FOR_TILES, "Play for tiles: on", "Play for tiles: off", 275);
  Switch(*p, LP_TORCH, "Torch: on", "Torch: off", 305);
  if (ImageButton(Text("Okay"), CAPTION_X, 378)) Page = PAGE_EXIT;
}

TBonusLvlOptions::TBonusLvlOptions() : RequesterImg(LoadPanel()) {}

void TBonusLvlOptions::Render(int level) {
  TLevelProperties* p = Props(level);
  if (Page != PAGE_MAIN || !p) return;
  DrawPanel(RequesterImg);
  if (FontHeadline) FontHeadline->Draw(Text("Preferences"), 360, 95, true);
  if (TextButton(Text("Time: $mode", {"mode", NameOf(SPEEDS, p->BonusTime)}), CAPTION_X, 155))
    p->BonusTime = Next(p->BonusTime, 5);
  Switch(*p, LP_BOMBS, "Bombs: on", "Bombs: off", 185);
  Switch(*p, LP_JOKER, "Joker: on", "Joker: off", 215);
  const std::string difficulty = NameOf(DIFFICULTIES, p->BonusLevelDifficulty);
  if (TextButton(Text("Difficulty: $difficulty", {"difficulty", difficulty}), CAPTION_X, 245))
    p->BonusLevelDifficulty = Next(p->BonusLevelDifficulty, 4);
  if (ImageButton(Text("Okay"), CAPTION_X, 378)) Page = PAGE_EXIT;
}
