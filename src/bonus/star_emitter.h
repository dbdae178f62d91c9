// Sparkles of rising tiles: each lives twelve frames, shows each of the twelve sparkle
// pictures once and fades out, drawn small and additively over the board.
#pragma once

#include "media/image.h"

#include <array>
#include <vector>

constexpr int STAR_FRAME_COUNT = 12;

// Loaded once by InitBonus.
extern std::array<ImagePtr, STAR_FRAME_COUNT> StarFrames;

class StarParticle {
public:
  float x = 0, y = 0;
  float dy = 0;  // vertical speed per frame
  float frame = 0;
  float alpha = 1;
};

class StarEmitter {
public:
  virtual ~StarEmitter() = default;
  std::vector<StarParticle> Stars;

  virtual void Init(float x, float y, float dy);
  // Draws every sparkle, then ages it; finished ones leave the list.
  virtual void Render();
};

// The bonus module's start-up (runs once): the sparkle pictures.
void InitBonus();
