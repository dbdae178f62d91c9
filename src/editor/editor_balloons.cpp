// The editor's help balloons: five hints shown one after another on the first visit, each
// fading in, waiting for a click and fading out. The second one follows the first piece
// the player carries.
#include "editor/editor.h"

#include "media/graphics.h"
#include "media/platform.h"
#include "present/bitmap_font.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int LAST_STEP = 11;
constexpr float BALLOON_FADE = 0.1f;

bool Carried(const ShapePtr& s) {
  return s && s->PickedUp && std::find(ShapeList.begin(), ShapeList.end(), s) != ShapeList.end();
}

ShapePtr FirstCarried() {
  for (const ShapePtr& s : ShapeList)
    if (s->PickedUp) return s;
  return nullptr;
}

}  // namespace

void TEd::BalloonDraw(const std::string& text, int x, int y, bool flip) {
  if (!FontMain) return;
  const int w = FontMain->GetWidth(text);
  const int h = int(float(FontMain->GetHeight(text)) * 1.2f);
  // The whole balloon stays on the screen, wherever the piece it follows is.
  x = std::clamp(x, 5, SCREEN_WIDTH - w - 10);
  y = std::clamp(y, flip ? 36 : 5, SCREEN_HEIGHT - h - (flip ? 20 : 46));
  SetColor(255, 255, 255);
  DrawRect(float(x - 5), float(y - 5), float(w + 15), float(h + 25));
  if (flip) {
    SetScale(1, -1);
    DrawImage(BalloonImg, float(x + 15), float(y - 5));
    SetScale(1, 1);
  } else {
    DrawImage(BalloonImg, float(x + w - 80), float(y + h + 20));
  }
  if (FontMainHover) FontMainHover->Draw(text, float(x), float(y), false);
}

void TEd::StepBalloons() {
  switch (BalloonStep) {
    case 0:
    case 5:
    case 7:
    case 9:
      BalloonAlpha = std::min(BalloonAlpha + BALLOON_FADE, 1.0f);
      if (clicked_) BalloonStep += 1;
      break;
    case 2: {
      // The click that takes the first piece only picks the piece to follow.
      const bool following = followed_ != nullptr;
      if (!following) followed_ = FirstCarried();
      BalloonAlpha = std::min(BalloonAlpha + BALLOON_FADE, 1.0f);
      if (clicked_ && following) BalloonStep = 3;
      break;
    }
    case 4:
      if (!Carried(followed_)) BalloonStep = 5;
      break;
    default:  // 1, 3, 6, 8, 10 fade the balloon out
      BalloonAlpha -= BALLOON_FADE;
      if (BalloonAlpha <= 0) {
        BalloonAlpha = 0;
        BalloonStep += 1;
      }
      break;
  }
}

void TEd::Balloons() {
  if (BalloonStep >= LAST_STEP) return;
  StepBalloons();
  const int w = int(10 * std::sin(double(Millisecs() / 20) * M_PI / 180));
  const float alpha = GetAlpha();
  SetAlpha(BalloonAlpha);
  switch (BalloonStep) {
    case 0:
    case 1:
      BalloonDraw(BalloonsTxt[0], 560 - (FontMain ? FontMain->GetWidth(BalloonsTxt[0]) : 0), 162 + w, false);
      break;
    case 2:
    case 3:
      if (followed_ && followed_->X > -1)
        BalloonDraw(BalloonsTxt[1], int(followed_->X) - (FontMain ? FontMain->GetWidth(BalloonsTxt[1]) : 0),
                    int(followed_->Y) - 270 + w, false);
      break;
    case 5:
    case 6:
      BalloonDraw(BalloonsTxt[2], 40, 30 + w, false);
      break;
    case 7:
    case 8:
      BalloonDraw(BalloonsTxt[3], 95, 75 + w, true);
      break;
    case 9:
    case 10:
      BalloonDraw(BalloonsTxt[4], 5, 265 + w, true);
      break;
    default:
      break;
  }
  SetAlpha(alpha);
}
