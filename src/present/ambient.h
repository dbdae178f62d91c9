// The ambient effects drawn over the play field's background, one per kind of picture:
// fog, snow, rain, butterflies and hummingbirds. Render advances and draws one frame;
// each effect keeps its state for the whole run and recycles its items forever.
#pragma once

#include "present/butterfly.h"

#include "media/image.h"

#include <array>
#include <memory>

class FX_Nebel {
public:
  static constexpr int ANZAHL = 6;
  FX_Nebel();
  std::array<ImagePtr, 2> img;
  std::array<float, ANZAHL> x{}, y{}, scale{}, speed{}, alpha{};
  std::array<int, ANZAHL> imgno{};
  int Render();
};

class FX_Snow {
public:
  static constexpr int ANZAHL = 100;
  FX_Snow();
  std::array<float, ANZAHL> x{}, y{};
  std::array<int, ANZAHL> r{};
  std::array<float, ANZAHL> sx{}, sy{}, sr{}, scale{};
  ImagePtr sprite;
  std::array<float, ANZAHL> alpha{};
  int Render();

private:
  void NewMotion(int i);
};

class FX_Rain {
public:
  static constexpr int SLOTS = 100;
  static constexpr int SPEED = 10;
  FX_Rain();
  ImagePtr sprite;
  std::array<float, SLOTS> x{}, y{}, scale{};
  int Render();
};

class FX_Kolibri {
public:
  static constexpr int ANZAHL = 3;
  FX_Kolibri();
  ImagePtr sprite;
  std::array<float, ANZAHL> x{}, y{}, sx{}, sy{}, f{}, scale{}, schweben{};
  int Render();

private:
  void NewFlight(int i);
};

class FX_Butterfly {
public:
  static constexpr int ANZAHL = 4;
  FX_Butterfly();
  std::array<ButterflyPtr, ANZAHL> sprites;
  int Render();
};

extern std::shared_ptr<FX_Nebel> AmbientNebel;
extern std::shared_ptr<FX_Snow> AmbientSnow;
extern std::shared_ptr<FX_Rain> AmbientRain;
extern std::shared_ptr<FX_Butterfly> AmbientButterfly;
extern std::shared_ptr<FX_Kolibri> AmbientKolibri;

// Creates the five effects once, in that order.
void InitAmbient();
// Draws the effect that belongs to background n (0..5); other values draw nothing.
void RenderAmbient(int selectedBackground);
