#include "bonus/bonus_game.h"

#include "app/shell.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/random.h"
#include "present/language.h"
#include "present/particles.h"
#include "present/sound.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int FRAME_SINGLES = 144;  // first of the single frames: the yin-yang marker
constexpr int FRAME_BOMB = 16 * TILE_BOMB;
constexpr float TIME_BAR_X = 94;
constexpr int TIME_BAR_TOP = 64, TIME_BAR_FILL_TOP = 86, TIME_BAR_FILL = 256;

float SinDeg(int degrees) { return float(std::sin(degrees * M_PI / 180.0)); }
float CosDeg(int degrees) { return float(std::cos(degrees * M_PI / 180.0)); }

}  // namespace

BonusGame::BonusGame()
    : BonusRules(Millisecs()), Particles(std::make_shared<PEmitter>()), Stars(std::make_shared<StarEmitter>()) {
  InitBonus();
  const bool centred = AutoMidHandleEnabled();
  AutoMidHandle(true);
  Tileset = LoadAnimImage("incbin::../gfx/bonusgame/tiles.png", CELL_SIZE, CELL_SIZE, 0, 160);
  StarPowerUp = LoadImage("incbin::../gfx/bonusgame/star_powerup.png");
  AutoMidHandle(false);
  BackgroundImage = LoadImage("incbin::../gfx/bonusgame/bg.png");
  TimeBar = LoadAnimImage("incbin::../gfx/bonusgame/timebar.png", 46, 300, 0, 2);
  if (!TimeBar) DebugLog("TimeBar-Image not found!");
  AutoMidHandle(centred);
}

int BonusGame::Render(int state) {
  const bool active = state == PLAY_GAME;
  SlideOut();
  DrawBoard();
  const int aim = AimOffset(MouseX());
  DrawElement(aim, active);
  FadeInElement();
  const bool keyLeft = KeyHit(KEY_A) > 0;
  const bool keyS = KeyHit(KEY_S) > 0;
  const bool keySpace = KeyHit(KEY_SPACE) > 0;
  RotationInput(active, keyLeft, keyS || keySpace, ClickLatch[1] != 0, MouseWheel, OldMouseWheel);
  StepRotation();
  const float timeLeft = ShotTimer(active, Millisecs());
  DrawTimeBar(timeLeft);
  if (ShotDue(active, ClickLatch[0] != 0, timeLeft, MouseX(), MouseY())) Shoot(aim, Millisecs());
  MoveTiles();
  Particles->Render();
  return 0;
}

// ---- Drawing -------------------------------------------------------------------------

int BonusGame::TileFrame(int kind, bool powerUp, int t) {
  const int base = kind < 8 ? 16 * kind : FRAME_SINGLES + (kind - 8);
  float phase = 0;
  // A power-up bobs through its kind's sixteen frames; bombs always play their own 32.
  if (powerUp && base < FRAME_SINGLES) phase = std::clamp(8 + 8 * SinDeg((t / 20) % 360), 0.0f, 15.0f);
  if (base >= FRAME_BOMB && base < FRAME_SINGLES) phase = float((t / 20) % 32);
  return int(float(base) + phase);
}

void BonusGame::DrawBoard() {
  SetColor(255, 255, 255);
  DrawImage(BackgroundImage, float(Offset_X), float(Offset_Y));
  Stars->Render();
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 0; y < BOARD_H; ++y) DrawTile(x, y);
}

void BonusGame::DrawTile(int x, int y) {
  const float cx = float(Offset_X + CELL_SIZE * x + 22);
  const float cy = float(Offset_Y + CELL_SIZE * y + 22 + TileOffsetY[size_t(x)][size_t(y)]);
  const int kind = LevelData[size_t(x)][size_t(y)];
  const int mark = PuzzleTileData[size_t(x)][size_t(y)];
  const bool powerUp = kind >= 0 && mark == MARK_POWERUP;
  if (kind >= 0) {
    if (powerUp) {
      SetColor(int(128 + 64 * SinDeg((Millisecs() / 2) % 360)), int(128 + 64 * CosDeg((Millisecs() / 2) % 360)),
               int(128 + 64 * SinDeg((Millisecs() / 6) % 360)));
    }
    DrawImage(Tileset, cx, cy, TileFrame(kind, powerUp, Millisecs()));
    SetColor(255, 255, 255);
  }
  SetRotation(float((Millisecs() / 10) % 360));
  if (mark == MARK_PUZZLE) DrawImage(Tileset, cx, cy, FRAME_SINGLES);
  SetBlend(BLEND_LIGHT);
  SetAlpha(0.6f);
  const float s = 0.5f + 0.25f * SinDeg((Millisecs() / 10) % 360);
  SetScale(s, s);
  if (powerUp) DrawImage(StarPowerUp, cx, cy);
  SetScale(1, 1);
  SetAlpha(1);
  SetBlend(BLEND_ALPHA);
  SetRotation(0);
}

void BonusGame::DrawElement(int aim, bool active) {
  SetAlpha(CurrentElementAlpha);
  if (active) {
    for (int j = 0; j < ELEMENT_SLOTS; ++j) {
      const int kind = CurrentElement[size_t(j)];
      if (kind < 0) continue;
      const int phase = kind == TILE_BOMB ? (Millisecs() / 20) % 32 : 0;
      DrawImage(Tileset, float(Offset_X + CELL_SIZE * j + CurrentElementSwapX[size_t(j)] + 22 + aim),
                float(Offset_Y + 342), 16 * kind + phase);
    }
  }
  SetAlpha(1);
}

// The full bar shows from the top down as the shot's time runs out.
void BonusGame::DrawTimeBar(float timeLeft) {
  if (!TimeBar) return;
  DrawImage(TimeBar, TIME_BAR_X, float(Offset_Y + TIME_BAR_TOP), 0);
  const int height = int(float(TIME_BAR_FILL) - float(TIME_BAR_FILL) * timeLeft);
  if (height <= 0) return;
  int vx, vy, vw, vh;
  GetViewport(vx, vy, vw, vh);
  SetViewport(int(TIME_BAR_X), Offset_Y + TIME_BAR_FILL_TOP, 46, height);
  DrawImage(TimeBar, TIME_BAR_X, float(Offset_Y + TIME_BAR_TOP), 1);
  SetViewport(vx, vy, vw, vh);
}

// ---- Effects -------------------------------------------------------------------------

void BonusGame::OnRotate() { PlaySfx(SFX_PUZZLEROTATE); }

void BonusGame::OnShot() { PlaySfx(SFX_BG_SHOOT); }

void BonusGame::OnBomb() { PlaySfx(SFX_BOMB); }

void BonusGame::OnCombo() { PlaySfx(SFX_COMBO); }

void BonusGame::OnExplode(int x, int y) {
  Particles->Init(RandomInt(15, 30), CellCentreX(x), CellCentreY(y), 0);
  DebugLog("SFX.Play(24)");
  PlaySfx(SFX_XPLODE);
}

void BonusGame::OnPowerUp(int x, int y) { Particles->Init(100, CellCentreX(x), CellCentreY(y), 0); }

void BonusGame::OnRise(float x, float y) { Stars->Init(x, y, 0); }

std::string BonusGame::Say(const std::string& key, const std::vector<std::string>& params) {
  if (!Language) return BonusRules::Say(key, params);
  return Language->GetString(key, params);
}
