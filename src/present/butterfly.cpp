#include "present/butterfly.h"

#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/random.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The three strips are shared by every butterfly (the intro and the ambient effect).
const std::array<ImagePtr, 3>& Strips() {
  static const std::array<ImagePtr, 3> strips = [] {
    std::array<ImagePtr, 3> s = {
        LoadAnimImage("incbin::../gfx/butterfly_blue.png", 80, 80, 0, 32, -1),
        LoadAnimImage("incbin::../gfx/butterfly_red.png", 80, 80, 0, 32, -1),
        LoadAnimImage("incbin::../gfx/butterfly_green.png", 90, 90, 0, 32, -1),
    };
    if (!s[0]) DebugLog("Butterfly not found!");
    for (const auto& img : s) MidHandleImage(img);
    return s;
  }();
  return strips;
}

// Either side of the screen, 1..220 pixels in from the edge.
float EdgeX() { return RandomInt(0, 1) == 0 ? float(640 - RandomInt(1, 220)) : float(RandomInt(1, 220)); }

}  // namespace

TButterfly::TButterfly() : Img(Strips()) {
  speed = 100;
  steps = float(RandomInt(3, 10) * 10);
  x = EdgeX();
  y = 525;
  btf = RandomInt(0, 2);
  acc = 1;
}

int TButterfly::Draw() {
  SetScale(scale, scale);
  const bool out = y < -50 || (random && (y > 540 || x < -80 || x > 720));
  if (out) Restart();
  if (verscheucht > 0) --verscheucht;
  if (std::fabs(float(MouseX()) - x) < 40 && std::fabs(float(MouseY()) - y) < 40 && verscheucht < 1) Scare();
  if (steps > 0)
    Fly();
  else if (stop && steps > -60)
    steps -= 1;  // resting after a landing
  else
    NextLeg();
  DrawSprite();
  return 0;
}

void TButterfly::Restart() {
  y = 525;
  steps = 0;
  btf = RandomInt(0, 2);
  if (random) {
    x = float(RandomInt(1, 640));
    scale = RandomFloat(0.2f, 0.7f);
  } else {
    x = EdgeX();
  }
}

float TButterfly::SideX() const {
  return x > 400 ? float(640 - RandomInt(1, 220)) : float(RandomInt(1, 220));
}

void TButterfly::Scare() {
  verscheucht = 30;
  steps = 20;
  stop = false;
  const float tx = SideX();
  const float sign = RandomInt(0, 1) == 0 ? -1.0f : 1.0f;
  const float ty = y + sign * float(RandomInt(100, 180));
  SetLeg(tx, ty);
}

void TButterfly::Fly() {
  if (stop) {
    if (acc > 0) acc -= 0.01f;
    if (acc <= 0) {
      acc = 0;
      steps = 0;  // landed
    }
  } else {
    acc = std::min(1.0f, acc + 0.01f);
  }
  x += dx * acc;
  y += dy * acc;
  steps -= acc;
  angstp += acc;
  if (angstp < 10) ang += acc * dang;
}

void TButterfly::NextLeg() {
  steps = float(RandomInt(3, 10) * 10);
  Stp = 0;
  float tx, ty;
  if (random) {
    tx = float(int(x + float(RandomInt(-200, 200))));
    ty = float(int(y + float(RandomInt(-180, 180))));
  } else {
    tx = SideX();
    ty = float(int(y + 20 - float(RandomInt(0, 180))));
  }
  SetLeg(tx, ty);
  // Never two landings in a row.
  stop = !(stop || RandomInt(0, 10) < 9);
}

void TButterfly::SetLeg(float tx, float ty) {
  dx = (tx - x) / steps;
  dy = (ty - y) / steps;
  const float heading = std::atan2(tx - x, y - ty) * 180.0f / std::numbers::pi_v<float>;
  dang = (heading - ang) / 9;
  angstp = 0;
}

void TButterfly::DrawSprite() {
  SetRotation(ang);
  frame += 1 + 2 * acc;
  if (frame >= 63) frame -= 63;
  const int shown = int(frame > 31 ? 63 - frame : frame);
  const ImagePtr& img = Img[size_t(btf)];
  SetColor(0, 0, 0);
  SetAlpha(0.4f);
  DrawImage(img, x + 7 * acc + 2, y + 7 * acc + 2, shown);
  SetColor(255, 255, 255);
  SetAlpha(1);
  DrawImage(img, x, y, shown);
  SetRotation(0);
  SetScale(1, 1);
}
