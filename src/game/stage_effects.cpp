// What some stage modes do to the picture, and the hint lamp: the Enlightenment darkening,
// the torch, the twister that carries a piece back to the tray.
#include "app/shell.h"
#include "game/game.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "present/particles.h"
#include "present/sound.h"

#include <algorithm>
#include <cmath>

namespace {

void BlackRect(float x, float y, float w, float h) {
  if (w > 0 && h > 0) DrawRect(x, y, w, h);
}

}  // namespace

// Clear for 500 frames, darkening over 20, dark for 80, brightening over 20.
float TGame::EnlightenmentDarkness() {
  float d = 0;
  MeditationFade += 0.01f;
  if (MeditationFade > 5) {
    d = std::min(1.0f, MeditationFade - 5);
    MeditationFade += 0.04f;
  }
  if (MeditationFade > 10) {
    d = 1 - (MeditationFade - 10);
    if (d < 0) {
      d = 0;
      MeditationFade = 0;
    }
  }
  const float alpha = GetAlpha();
  if (d > 0) {
    SetColor(0, 0, 0);
    SetAlpha(d);
    DrawRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  }
  SetColor(255, 255, 255);
  SetAlpha(alpha);
  return d;
}

void TGame::DrawTorch() {
  const float mx = float(MouseX()), my = float(MouseY()), s = 1.0f;
  SetColor(0, 0, 0);
  SetAlpha(0.95f);
  // Near an edge some of these lie off the screen (or are empty) and draw nothing.
  BlackRect(0, 0, mx - 113 * s, 480);
  BlackRect(mx + 113 * s, 0, 640 - mx - 113 * s, 480);
  BlackRect(mx - 113 * s, 0, 226 * s, my - 113 * s);
  BlackRect(mx - 113 * s, my + 113 * s, 226 * s, 480 - my + 133 * s);
  SetColor(255, 255, 255);
  // The light's rim already carries the darkness's alpha; drawn at 0.95 once more it would
  // show a brighter square where it meets the rectangles.
  SetAlpha(1);
  SetScale(s, s);
  DrawImage(Light, mx, my);
  SetScale(1, 1);
  SetAlpha(1);
}

void TGame::HintLamp() {
  if (CurrTime == 30 && !TimeOff && !playLampInitAnim) {
    if (GameParticles) GameParticles->Init(50, 113, 113, 0);
    PlaySfx(SFX_GONG);
    playLampInitAnim = true;
  }
  const bool lit = TimeOff || CurrTime <= 30;
  if (!lit) {
    SetColor(64, 64, 64);
  } else {
    SetScale(TippScale, TippScale);
    const int mx = MouseX(), my = MouseY();
    const int w = ImageWidth(LampAnim), h = ImageHeight(LampAnim);
    if (GameState == PLAY_GAME && 85 < mx && mx < 85 + w && 61 < my && my < 61 + h) {
      if (TippScale <= 0.9f) PlaySfx(SFX_HINTZOOM);
      if (TippScale < 1.0f) TippScale += 0.025f;
      if (ClickLatch[0]) {
        HintAllowed = false;
        PlaySfx(SFX_LAMPEXPLODE);
        if (GameParticles) GameParticles->Init(100, 113, 113, 0);
        int delay = 0;
        for (const ShapePtr& s : ShapeList) {
          s->LightOn = 1;
          s->LightOnDelay = delay;
          delay += 10;
        }
      }
    } else if (TippScale > 0.9f) {
      TippScale -= 0.025f;
    }
  }
  // The flame grows for 64 counts, burns for 64 and shrinks for 64.
  const float c = lampCounter_;
  int frame = 0;
  if (c >= 0 && c < 64) frame = int(std::lround(c));
  else if (c >= 64 && c < 128) frame = 63;
  else if (c >= 128 && c < 192) frame = int(std::lround(192 - c));
  else if (c >= 192) lampCounter_ = 0;
  DrawImage(LampAnim, 113 + LampX, 104 + LampY, std::clamp(frame, 0, 63));
  SetColor(255, 255, 255);
  SetScale(1, 1);
}

void TGame::RunTwister() {
  if (Show_Twister) {
    SetAlpha(Twister_Alpha);
    const float x = Twister_StartX + 9 * Twister_Frame;
    const float y = Twister_StartY +
                    (Twister_DestY - Twister_StartY) * float(std::sin(2.8125 * Twister_Frame * 3.14159265358979 / 180));
    DebugLog("Twister y: " + std::to_string(y));
    DrawImage(Twister, x, y, std::clamp(int(std::lround(Twister_Frame)), 0, 63));
    SetAlpha(1);
    Twister_Frame += 1;
    if (Twister_Frame >= 32 && Twister_DestShape) {
      Twister_DestShape->X = x;
      Twister_DestShape->Y = y;
      Twister_DestShape->Rotation += 5;
    }
    if (Twister_Alpha < 1 && Twister_Frame < 30) Twister_Alpha += 0.1f;
    if (Twister_Frame >= 53) Twister_Alpha -= 0.1f;
    if (Twister_Frame >= 64) {
      Show_Twister = false;
      if (Twister_DestShape) {
        Twister_DestShape->FlyIn = 1;
        Twister_DestShape->CalcMove(true);
      }
      Twister_DestShape = nullptr;
    }
  } else if (Twister_Time > CurrTime) {
    // Only a piece lying on the board and not in the player's hand is taken.
    auto it = std::find_if(ShapeList.begin(), ShapeList.end(),
                           [](const ShapePtr& s) { return s->Pickable && s->X < TRAY_X && !s->PickedUp; });
    if (it != ShapeList.end()) {
      PlaySfx(SFX_WIND);
      Twister_DestShape = *it;
      Twister_StartX = (*it)->X - 288;
      Twister_StartY = 40;
      Twister_DestY = (*it)->Y;
      Twister_Alpha = 0.25f;
      Twister_Frame = 0;
      Show_Twister = true;
    }
    Twister_Time = CurrTime - Twister_InitTime;
  }
}
