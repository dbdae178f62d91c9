// Hummingbirds and butterflies, and the module that owns the five ambient effects.
#include "present/ambient.h"

#include "media/graphics.h"
#include "media/platform.h"
#include "media/random.h"

#include <cmath>
#include <numbers>

std::shared_ptr<FX_Nebel> AmbientNebel;
std::shared_ptr<FX_Snow> AmbientSnow;
std::shared_ptr<FX_Rain> AmbientRain;
std::shared_ptr<FX_Butterfly> AmbientButterfly;
std::shared_ptr<FX_Kolibri> AmbientKolibri;

FX_Kolibri::FX_Kolibri() {
  sprite = LoadAnimImage("incbin::../gfx/koli.png", 80, 80, 0, 8, -1);
  SetImageHandle(sprite, 0, 0);
  for (int i = 0; i < ANZAHL; ++i) {
    x[size_t(i)] = RandomFloat(0, 640);
    y[size_t(i)] = RandomFloat(0, 480);
    sx[size_t(i)] = RandomFloat(0.25f, 2);
    sy[size_t(i)] = RandomFloat(-3, 3);
    f[size_t(i)] = float(RandomInt(1, 7));
    scale[size_t(i)] = RandomFloat(0.5f, 1);
    schweben[size_t(i)] = RandomFloat(10, 100);
  }
}

void FX_Kolibri::NewFlight(int i) {
  const size_t k = size_t(i);
  f[k] = float(RandomInt(1, 7));
  scale[k] = RandomFloat(0.5f, 1);
  x[k] = -80;
  y[k] = RandomFloat(0, 480);
  sx[k] = RandomFloat(0.25f, 2);
  sy[k] = RandomFloat(-3, 3);
  schweben[k] = RandomFloat(10, 100);
}

int FX_Kolibri::Render() {
  // All birds hover in step with the clock: one full swing every 1.8 seconds.
  const float swing = std::sin(float(Millisecs() / 5) * std::numbers::pi_v<float> / 180.0f);
  for (int i = 0; i < ANZAHL; ++i) {
    const size_t k = size_t(i);
    SetScale(scale[k], scale[k]);
    DrawImage(sprite, x[k], y[k] + schweben[k] * swing, int(f[k]));
    f[k] += 0.5f;
    if (f[k] >= 8) f[k] -= 8;
    x[k] += sx[k];
    y[k] += sy[k];
    if (x[k] > 720 || x[k] < -80 || y[k] > 560 || y[k] < -80) NewFlight(i);
  }
  SetScale(1, 1);
  return 0;
}

FX_Butterfly::FX_Butterfly() {
  for (auto& b : sprites) {
    b = std::make_shared<TButterfly>();
    b->scale = RandomFloat(0.2f, 0.5f);
    b->random = true;
    b->y = float(RandomInt(1, 480));
    b->x = float(RandomInt(1, 640));
  }
}

int FX_Butterfly::Render() {
  for (const auto& b : sprites) b->Draw();
  return 0;
}

void InitAmbient() {
  static bool done = false;
  if (done) return;
  done = true;
  AmbientNebel = std::make_shared<FX_Nebel>();
  AmbientSnow = std::make_shared<FX_Snow>();
  AmbientRain = std::make_shared<FX_Rain>();
  AmbientButterfly = std::make_shared<FX_Butterfly>();
  AmbientKolibri = std::make_shared<FX_Kolibri>();
}

void RenderAmbient(int selectedBackground) {
  switch (selectedBackground) {
    case 0: if (AmbientNebel) AmbientNebel->Render(); break;
    case 1: if (AmbientSnow) AmbientSnow->Render(); break;
    case 2: if (AmbientRain) AmbientRain->Render(); break;
    case 3:
    case 4: if (AmbientButterfly) AmbientButterfly->Render(); break;
    case 5: if (AmbientKolibri) AmbientKolibri->Render(); break;
    default: break;
  }
}
