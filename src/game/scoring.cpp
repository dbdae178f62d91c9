// The area check, level completion, the tally scroll, the score board and floating texts.
#include "app/shell.h"
#include "game/game.h"
#include "levels/level_set.h"
#include "media/graphics.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/particles.h"
#include "present/sound.h"
#include "players/users.h"

#include <algorithm>
#include <cmath>

namespace {

// The tally's columns, as wide apart as the paper allows: the longest label ("Enlightenment
// bonus:") and the widest value ("0 x 2500") of our main font need 312 pixels between them.
constexpr float TALLY_LABEL_X = 162, TALLY_VALUE_RIGHT = 474;
// The open scroll keeps clear of the header (the player's name and score end at y 58)
// and of the screen's bottom edge: its top roller hangs SCROLL_TOP lower than the
// artwork's own layout, its bottom roller SCROLL_BOTTOM lower, and the rows of the tally
// follow the top roller down by TALLY_DOWN, as far as the bottom roller leaves room.
constexpr float SCROLL_TOP = 36, SCROLL_BOTTOM = 22, TALLY_DOWN = 30;
// Texts centred on the paper stay this far inside its edges.
constexpr float PAPER_CENTRE = 315, PAPER_TEXT_WIDTH = 300;

void DrawRightAligned(const std::string& text, float right, float y) {
  if (FontMain) FontMain->Draw(text, right - float(FontMain->GetWidth(text)), y, false);
}

// Centred on the paper, narrowed to fit it when the text is wider.
void DrawOnPaper(const std::string& text, float y) {
  if (!FontMain) return;
  const float scale = std::min(1.0f, PAPER_TEXT_WIDTH / float(std::max(FontMain->GetWidth(text), 1)));
  SetScale(scale, scale);
  FontMain->Draw(text, PAPER_CENTRE, y, true);
  SetScale(1, 1);
}

}  // namespace

int TGame::Mode() const {
  if (CurrentLevel < 0 || CurrentLevel >= LEVEL_COUNT) return 0;
  return LevelProps[size_t(CurrentLevel)]->MiscProperties;
}

bool TGame::FrontierLevel() const {
  if (!User) return false;
  for (const auto& m : User->MaxLevel)
    if (m->Name == LevelFilePath) return m->Level == CurrentLevel;
  return false;
}

void TGame::CreateText(const std::string& text) {
  auto t = std::make_shared<TextAnim>();
  t->Set(text, 290, 240);
  TextList.push_back(t);
}

int TGame::CheckArea(bool complete) {
  PixmapCheck = GrabPlayField();
  PixelCount = CountSilhouettePixels(PixmapCheck);
  // The level set's progress entry is made when the level starts; one solved level is
  // completed once, even if a damaged profile lists the set twice.
  const bool hasEntry = EditorIsOn || (User && std::any_of(User->MaxLevel.begin(), User->MaxLevel.end(),
                                                          [](const auto& m) { return m->Name == LevelFilePath; }));
  if (PixelCount < SOLVE_TOLERANCE && complete && hasEntry && HasSilhouette()) {
    Show_Twister = false;
    LevelComplete();
  }
  return PixelCount;
}

void TGame::LevelComplete() {
  GameState = LEVEL_COMPLETE;
  WobbleTimer = 200;
  CreateText(Text("Puzzle solved"));
  PlaySfx(SFX_LEVELCOMPLETE);
  FilledArea = HasMode(LP_FREEZE) ? std::clamp(FilledArea, 0, 100) : 0;
  if (CurrTime > 0) LvlCompleteScore = CurrTime * 125;
  LvlCompleteScore += User->Score;
  if (HintAllowed) LvlCompleteScore += 1000;
  if (HasMode(LP_FREEZE)) LvlCompleteScore += 15 * FilledArea;
  if (HasMode(LP_FLOATING_TILES)) LvlCompleteScore += 1500;
  if (HasMode(LP_ENLIGHTENMENT)) LvlCompleteScore += 1000;
  if (HasMode(LP_MEDITATION)) LvlCompleteScore += 1000;
  if (HasMode(LP_TORCH)) LvlCompleteScore += 2500;
  const int sum = LvlCompleteScore;
  // Replaying an earlier level earns nothing, nor does a test play from the editor.
  LvlCompleteScore = FrontierLevel() && !EditorIsOn ? sum : User->Score;
}

void TGame::DrawTally() {
  const float o = lcs_offset + TALLY_DOWN;
  lcs_step += 1;
  int t = 60;
  float y = 145;
  auto sound = [&](int at) {
    if (lcs_step == at) PlaySfx(SFX_TEXTHIT);
  };
  auto row = [&](const std::string& label, const std::string& value) {
    if (FontMain) FontMain->Draw(label, TALLY_LABEL_X, y + o, false);
    DrawRightAligned(value, TALLY_VALUE_RIGHT, y + o);
    y += 30;
  };
  auto bonusRow = [&](const std::string& label, int points, const std::string& unit, int soundAt) {
    sound(soundAt);
    const bool shown = lcs_step > t;
    t += 60;
    if (lcs_step == t) {
      User->Score += points;
      PlaySfx(SFX_COUNT);
    }
    if (shown) row(label, (lcs_step < t ? "1 x " : "0 x ") + unit);
    t += 60;
  };

  sound(60);
  if (lcs_step > 60 && FontHeadline)
    FontHeadline->Draw(Text("Puzzle solved!"), PAPER_CENTRE, 100 + lcs_offset + SCROLL_TOP, true);
  t = 120;

  if (HasMode(LP_TORCH)) bonusRow(Text("Enlightenment bonus:"), 2500, "2500", t);

  if (HasMode(LP_FREEZE)) {
    sound(t);
    const bool shown = lcs_step > t;
    t += 60;
    if (lcs_step >= t && FilledArea > 0) {
      User->Score += 15;
      FilledArea -= 1;
      PlaySfx(SFX_COUNT);
      lcs_step -= 1;  // wait until the percentage has run down
    }
    if (shown) row(Text("Filled area:"), std::to_string(FilledArea) + "% x 15");
    t += 60;
  }

  if (HasMode(LP_ENLIGHTENMENT) || HasMode(LP_MEDITATION))
    bonusRow(Text(HasMode(LP_ENLIGHTENMENT) ? "Enlightenment bonus:" : "Meditation bonus:"), 1000, "1000", t + 1);
  if (HasMode(LP_FLOATING_TILES)) bonusRow(Text("Floaating bonus:"), 1500, "1500", t + 1);

  // Time row: the remaining seconds count down into the score on a frontier level.
  sound(t);
  const bool timeShown = lcs_step > t;
  if (FrontierLevel()) {
    t += 60;
    if (t < lcs_step && lcs_step < t + 60) {
      if (CurrTime > 0) {
        CurrTime -= 1;
        User->Score += 125;
        PlaySfx(SFX_COUNT);
        lcs_step -= 1;
      }
      if (CurrTime <= 0) {
        t += 60;
        lcs_step = t;
      }
    }
  }
  if (timeShown) row(Text("Time bonus:"), (CurrTime > 0 ? std::to_string(CurrTime) : "0") + " x 125");
  t += 60;

  // The lamp flies onto the scroll, then bursts.
  if (lcs_step > t) {
    if (LampX < 207) LampX += 4;
    if (LampY < 190) LampY += 4;
  }
  t += 60;
  sound(t + 1);
  const int lampRow = t;
  t += 60;
  if (lcs_step > t && HintAllowed) {
    if (GameParticles) GameParticles->Init(100, 113 + LampX, 113 + LampY, 0);
    PlaySfx(SFX_LAMPEXPLODE);
    if (FrontierLevel()) {
      User->Score += 1000;
      PlaySfx(SFX_COUNT);
    }
    HintAllowed = false;
  }
  if (lcs_step > lampRow) row(Text("Lamp bonus:"), HintAllowed && FrontierLevel() ? "1 x 1'000" : "0 x 1'000");
  t += 60;

  if (lcs_step > t) {
    sound(t + 1);
    DrawOnPaper(Text("Your new score: $score", {"score", std::to_string(User->Score)}), 345 + o);
  }
  t += 60;
  if (lcs_step > t) {
    sound(t + 1);
    DrawOnPaper(Text("Press a mousebutton to continue!"), 375 + o);
  }
  if (ClickLatch[0] || ClickLatch[1]) lcs_action = 2;
}

bool TGame::RenderLevelComplete() {
  const float alpha = GetAlpha();
  if (lcs_action == 0) {
    if (lcs_alpha <= 1) lcs_alpha += 0.05f;
    if (lcs_offset < 20) lcs_acc = std::max(0.05f, lcs_acc - 0.05f);
    lcs_frame += lcs_acc / 2;
    if (lcs_frame >= 32) lcs_frame -= 32;
    lcs_offset -= 2 * lcs_acc;
    if (lcs_offset <= 0) {
      lcs_action = 1;
      lcs_acc = 0;
      lcs_step = 0;
    }
  } else if (lcs_action == 2) {
    if (lcs_offset >= 115) GameState = LEVEL_COMPLETE_FADEOUT;
    if (lcs_offset < 20) lcs_acc = std::min(1.0f, lcs_acc + 0.05f);
    lcs_frame -= lcs_acc / 2;
    if (lcs_frame <= 0) lcs_frame += 32;
    lcs_offset += 2 * lcs_acc;
    if (lcs_offset >= 160) return true;
  }

  SetAlpha(lcs_alpha);
  const float top = lcs_offset + SCROLL_TOP, bottom = SCROLL_BOTTOM - lcs_offset;
  SetViewport(150, int(28 + top), 340, int(420 + bottom - top));
  DrawImage(lcs_Pergament, 150, 28 + top);
  if (lcs_action == 1 || lcs_action == 2) DrawTally();
  SetViewport(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  SetColor(255, 255, 255);
  const int frame = int(std::lround(lcs_frame)) % 32;
  DrawImage(lcs_MidWheel, 155, 28 + top);
  DrawImage(lcs_LeftWheel, 45, 15 + top, frame);
  DrawImage(lcs_RightWheel, 483, 15 + top, frame);
  SetRotation(180);
  DrawImage(lcs_MidWheel, 482, 448 + bottom);
  DrawImage(lcs_LeftWheel, 592, 462 + bottom, frame);
  DrawImage(lcs_RightWheel, 154, 462 + bottom, frame);
  SetRotation(0);
  SetAlpha(alpha);
  return false;
}

void TGame::DrawScoreboard(float remaining, float total, bool timeOff, float& rotation) {
  const int frame = total == 0 ? 0 : std::max(0, int(std::lround(71 - 71 * remaining / total)));
  if (frame <= 71) DrawImage(GameGfx[TimeAnim], 9, 84, frame);
  DrawImage(GameGfx[TimeBorder], 0, 48);
  if (!timeOff) {
    rotation -= 0.11f;
    if (rotation <= -360) rotation += 360;
    SetRotation(rotation);
    DrawImage(GameGfx[YinYang], 45, 120);
    SetRotation(0);
  } else {
    DrawImage(GameGfx[YinYang], 45, 120);
  }
  DrawImage(GameGfx[LevelDisplay], 0, 175);
}
