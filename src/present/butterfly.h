// One fluttering butterfly with a shadow. It flies legs between random targets, now and
// then ends a leg in a landing and rests, and flees from the mouse. A rising butterfly
// (random = 0) comes up from the bottom edge; a roaming one wanders over the screen.
#pragma once

#include "media/image.h"

#include <array>
#include <memory>

class TButterfly {
public:
  TButterfly();  // starts below the bottom edge, left or right

  std::array<ImagePtr, 3> Img;  // blue, red, green strips of 32 frames
  float x = 0, y = 0;
  float ang = 0;     // heading in degrees, 0 = up, clockwise
  float dang = 0;    // heading change per step during the first 10 steps of a leg
  float dx = 0, dy = 0;
  float speed = 0;   // kept for the record; motion uses dx, dy
  float Stp = 0;
  float angstp = 0;  // steps flown in the current leg
  int btf = 0;       // colour 0..2
  float frame = 0;   // wing phase 0..63
  float steps = 0;   // steps left in the leg, or the rest counter once landed
  float acc = 0;     // flight power 0..1
  bool stop = false;  // this leg ends in a landing
  int verscheucht = 0;  // frames until it can be scared again
  float scale = 1;
  bool random = false;

  int Draw();

private:
  void Restart();
  float SideX() const;
  void Scare();
  void Fly();
  void NextLeg();
  void SetLeg(float tx, float ty);
  void DrawSprite();
};
using ButterflyPtr = std::shared_ptr<TButterfly>;
