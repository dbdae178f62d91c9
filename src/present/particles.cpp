#include "present/particles.h"

#include "media/graphics.h"
#include "media/random.h"

ImagePtr ParticleImage;

int PEmitter::Init(int count, float x, float y, int delay) {
  for (int i = 0; i <= count; ++i) {
    Particle q;
    q.x = x;
    q.y = y;
    q.gravity = RandomFloat(0, 0.1f);
    q.dx = RandomFloat(-3, 3);
    q.dy = RandomFloat(-3, 3);
    q.alpha = RandomFloat(0.1f, 1);
    q.scale = RandomFloat(0.01f, 0.2f);
    q.grow = RandomFloat(-0.001f, 0.001f);
    q.alphaspeed = RandomFloat(0.001f, 0.1f);
    q.r = RandomInt(0, 255);
    q.g = RandomInt(0, 255);
    q.b = RandomInt(0, 255);
    q.dly = delay;
    p.push_back(q);
  }
  return 0;
}

int PEmitter::Render() {
  const int blend = GetBlend();
  const float alpha = GetAlpha();
  float sx, sy;
  GetScale(sx, sy);
  SetBlend(BLEND_LIGHT);
  size_t kept = 0;
  for (size_t i = 0; i < p.size(); ++i) {
    Particle& q = p[i];
    if (q.dly >= 0) {
      --q.dly;
    } else {
      SetAlpha(q.alpha);
      SetScale(q.scale, q.scale);
      SetColor(q.r, q.g, q.b);
      q.scale += q.grow;
      q.alpha -= 0.01f;
      DrawImage(ParticleImage, q.x, q.y);
      q.x += q.dx;
      q.dy += q.gravity;
      q.y += q.dy;
      if (q.alpha < 0) continue;
    }
    p[kept++] = q;
  }
  p.resize(kept);
  SetBlend(blend);
  SetAlpha(alpha);
  SetScale(sx, sy);
  SetColor(255, 255, 255);
  return 0;
}

void InitParticles() {
  static bool done = false;
  if (done) return;
  done = true;
  ParticleImage = LoadImage("incbin::../gfx/tex_rot.png", -1);
  SetImageHandle(ParticleImage, 0, 0);
}
