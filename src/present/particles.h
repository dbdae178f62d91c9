// Burst particles: each emitter keeps its live particles, which wait a few frames, then
// fly out under gravity, fading by 0.01 alpha a frame, drawn additively with the
// shared glow texture. Used for explosions in the bonus game and the puzzle game.
#pragma once

#include "media/image.h"

#include <memory>
#include <vector>

struct Particle {
  float x = 0, y = 0, dx = 0, dy = 0, gravity = 0, alpha = 0, alphaspeed = 0, scale = 0, grow = 0;
  int r = 0, g = 0, b = 0;
  int dly = 0;  // frames to wait
};

class PEmitter {
public:
  std::vector<Particle> p;

  // Adds count + 1 particles at (x, y) that start after delay + 1 frames.
  int Init(int count, float x, float y, int delay);
  // Advances and draws every particle; faded ones are removed.
  int Render();
};
using EmitterPtr = std::shared_ptr<PEmitter>;

extern ImagePtr ParticleImage;

// Loads ParticleImage once.
void InitParticles();
