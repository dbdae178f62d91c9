#include "bonus/star_emitter.h"

#include "media/graphics.h"

#include <algorithm>
#include <string>

std::array<ImagePtr, STAR_FRAME_COUNT> StarFrames;

void InitBonus() {
  static bool done = false;
  if (done) return;
  done = true;
  const bool centred = AutoMidHandleEnabled();
  AutoMidHandle(true);
  for (int i = 0; i < STAR_FRAME_COUNT; ++i) {
    const std::string number = (i < 10 ? "0" : "") + std::to_string(i);
    StarFrames[size_t(i)] = LoadImage("incbin::../gfx/bonusgame/bing_0" + number + ".png");
  }
  AutoMidHandle(centred);
}

void StarEmitter::Init(float x, float y, float dy) { Stars.push_back(StarParticle{x, y, dy, 0, 1}); }

void StarEmitter::Render() {
  SetScale(0.5f, 0.5f);
  SetBlend(BLEND_LIGHT);
  for (StarParticle& s : Stars) {
    SetAlpha(s.alpha);
    DrawImage(StarFrames[size_t(std::clamp(int(s.frame), 0, STAR_FRAME_COUNT - 1))], s.x, s.y);
    s.y += s.dy;
    s.frame += 1;
    s.alpha -= 0.08f;
  }
  std::erase_if(Stars, [](const StarParticle& s) { return s.frame > STAR_FRAME_COUNT - 1; });
  SetAlpha(1);
  SetScale(1, 1);
  SetBlend(BLEND_ALPHA);
}
