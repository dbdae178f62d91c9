// Fog, snow and rain: fixed sets of sprites drawn additively that drift across the
// screen and start over at the edge they came from.
#include "present/ambient.h"

#include "media/graphics.h"
#include "media/random.h"

namespace {

ImagePtr LoadTopLeft(const std::string& path) {
  ImagePtr image = LoadImage(path, -1);
  SetImageHandle(image, 0, 0);
  return image;
}

// What every effect leaves behind.
void RestoreDrawState() {
  SetRotation(0);
  SetScale(1, 1);
  SetAlpha(1);
  SetColor(255, 255, 255);
  SetBlend(BLEND_ALPHA);
}

}  // namespace

FX_Nebel::FX_Nebel() {
  img[0] = LoadTopLeft("incbin::../gfx/intro/Wolkenlayer1_vor_tempel.png");
  img[1] = LoadTopLeft("incbin::../gfx/intro/Wolkenlayer2_vor_tempel.png");
  for (int i = 0; i < ANZAHL; ++i) {
    x[size_t(i)] = float(RandomInt(1, 640));
    y[size_t(i)] = float(RandomInt(1, 430));
    scale[size_t(i)] = RandomFloat(0.4f, 1);
    speed[size_t(i)] = RandomFloat(0.1f, 0.8f);
    alpha[size_t(i)] = RandomFloat(0.3f, 1);
    imgno[size_t(i)] = RandomInt(0, 1);
  }
}

int FX_Nebel::Render() {
  SetBlend(BLEND_LIGHT);
  for (size_t i = 0; i < ANZAHL; ++i) {
    const ImagePtr& layer = img[size_t(imgno[i])];
    SetAlpha(alpha[i]);
    SetScale(scale[i], scale[i]);
    DrawImage(layer, x[i], y[i]);
    x[i] -= speed[i];
    // Once wholly off the left edge the layer comes back from the right.
    const float width = float(ImageWidth(layer));
    if (x[i] < -width) {
      x[i] += width + 640;
      y[i] = float(RandomInt(1, 430));
      alpha[i] = RandomFloat(0.3f, 1);
      scale[i] = RandomFloat(0.4f, 1);
    }
  }
  RestoreDrawState();
  return 0;
}

FX_Snow::FX_Snow() {
  sprite = LoadTopLeft("incbin::../gfx/snow.png");
  for (int i = 0; i < ANZAHL; ++i) {
    x[size_t(i)] = float(RandomInt(1, 640));
    y[size_t(i)] = float(RandomInt(1, 480));
    NewMotion(i);
    scale[size_t(i)] = RandomFloat(0.2f, 0.5f);
    alpha[size_t(i)] = RandomFloat(0.1f, 1);
  }
}

void FX_Snow::NewMotion(int i) {
  sx[size_t(i)] = 0.02f + RandomFloat(0, 0.1f);
  sy[size_t(i)] = 0.7f + RandomFloat(0, 1);
  sr[size_t(i)] = RandomFloat(-3, 3);
  r[size_t(i)] = RandomInt(1, 360);
}

int FX_Snow::Render() {
  SetBlend(BLEND_LIGHT);
  for (int i = 0; i < ANZAHL; ++i) {
    const size_t k = size_t(i);
    SetRotation(float(r[k]));
    SetScale(scale[k], scale[k]);
    SetAlpha(alpha[k]);
    DrawImage(sprite, x[k], y[k]);
    if (y[k] > 500) {  // below the screen: falls again from above, same size and brightness
      x[k] = float(RandomInt(1, 640));
      y[k] = -20;
      NewMotion(i);
    } else {
      y[k] += sy[k];
      x[k] += sx[k];
      r[k] = int(float(r[k]) + sr[k]);
    }
  }
  RestoreDrawState();
  return 0;
}

FX_Rain::FX_Rain() {
  sprite = LoadTopLeft("incbin::../gfx/raindrop.png");
  for (size_t i = 0; i < SLOTS; ++i) {
    y[i] = float(-RandomInt(1, 400) - 25);
    x[i] = float(RandomInt(1, 640) - RandomInt(1, 300));
    scale[i] = RandomFloat(0.5f, 2);
  }
}

int FX_Rain::Render() {
  SetBlend(BLEND_LIGHT);
  SetRotation(-30);
  for (size_t i = 0; i < SLOTS; ++i) {
    SetScale(1, scale[i]);  // longer drops, not wider ones
    DrawImage(sprite, x[i], y[i]);
    x[i] += SPEED;
    y[i] += 10.3f;
    if (x[i] > 640 || y[i] > 480) {
      x[i] = float(RandomInt(1, 640) - RandomInt(1, 640));
      y[i] = -25;
    }
  }
  RestoreDrawState();
  return 0;
}
