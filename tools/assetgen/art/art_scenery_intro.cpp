// The title scene: a tall dawn sky the intro slides down, the monastery on its crag that
// rises into place in front of it, and three soft cloud layers that drift across both
// (drawn additively, so their colour is light added to what lies below).
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <algorithm>
#include <cmath>

namespace art {
namespace {

void DawnSky(Output& out) {
  Canvas c(640, 960);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, 640, 960, 0, 960,
                   {{0, {0.24, 0.28, 0.50}},
                    {0.3, {0.46, 0.44, 0.64}},
                    {0.55, {0.76, 0.58, 0.68}},
                    {0.78, {0.94, 0.66, 0.58}},
                    {1, {1.0, 0.82, 0.52}}});
  Glow(cr, 330, 990, 520, {1.0, 0.86, 0.56}, 0.75);
  // The last stars high up.
  Rng rng(201);
  for (int i = 0; i < 60; ++i) {
    const double y = rng.Uniform(0, 300), x = rng.Uniform(0, 640);
    const double a = rng.Uniform(0.2, 0.7) * (1 - y / 300);
    Glow(cr, x, y, rng.Uniform(1.2, 3.0), {1, 0.97, 0.92}, a);
  }
  // Bands of cloud lit from below by the sun under the horizon.
  SkyClouds(c, 180, 330, {0.78, 0.60, 0.72}, {0.30, 0.30, 0.52}, 0.55, 0.45, 202);
  SkyClouds(c, 430, 600, {0.98, 0.70, 0.64}, {0.56, 0.46, 0.62}, 0.6, 0.45, 203);
  SkyClouds(c, 700, 860, {1.0, 0.86, 0.66}, {0.84, 0.60, 0.58}, 0.6, 0.5, 204);
  BrushTexture(c, 0.02, 205, 0);
  out.WritePng("gfx/intro/background.png", c.surface());
}

// The monastery sits high on the crag so that the band where the prompt blinks
// (y 235..285) is the crag's shaded face, dark enough for white text under the clouds.
void TempleOnCrag(Output& out) {
  Canvas c(640, 684);
  cairo_t* cr = c.cr();
  // High snowy shoulders behind, then the crag itself.
  RangeStyle side;
  side.lit = {0.74, 0.58, 0.66};
  side.shade = {0.36, 0.36, 0.56};
  side.haze = {0.76, 0.62, 0.72};
  side.hazeTop = 0.25;
  side.hazeBottom = 0.8;
  side.fadeY = 520;
  side.texture = 0.7;
  side.snowDepth = 60;
  side.snowLit = {1.0, 0.88, 0.84};
  side.snowShade = {0.64, 0.62, 0.82};
  side.seed = 211;
  PaintRange(c, RidgeLine(640, {{-20, 300}, {40, 220}, {170, 350}, {470, 360}, {600, 210}, {660, 270}},
                          26, 0.55, 211),
             side);
  RangeStyle crag;
  crag.lit = {0.58, 0.44, 0.46};
  crag.shade = {0.24, 0.22, 0.36};
  crag.haze = {0.50, 0.42, 0.56};
  crag.hazeTop = 0.05;
  crag.hazeBottom = 0.4;
  crag.fadeY = 684;
  crag.texture = 0.7;
  crag.ledges = 26;
  crag.seed = 212;
  const std::vector<double> top = RidgeLine(
      640, {{-10, 560}, {40, 470}, {110, 360}, {180, 262}, {240, 222}, {400, 226}, {470, 268},
            {540, 370}, {610, 470}, {650, 540}},
      10, 0.5, 212);
  PaintRange(c, top, crag);
  // The summit's shadow behind the prompt: the sun is still under the horizon.
  cairo_pattern_t* shadow = cairo_pattern_create_radial(320, 262, 20, 320, 262, 260);
  cairo_pattern_add_color_stop_rgba(shadow, 0, 0.10, 0.09, 0.18, 0.55);
  cairo_pattern_add_color_stop_rgba(shadow, 0.6, 0.10, 0.09, 0.18, 0.3);
  cairo_pattern_add_color_stop_rgba(shadow, 1, 0.10, 0.09, 0.18, 0);
  cairo_save(cr);
  cairo_scale(cr, 1, 0.4);
  cairo_translate(cr, 0, 262 / 0.4 - 262);
  cairo_set_source(cr, shadow);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_pattern_destroy(shadow);
  // Pines clinging to the flanks, below the band of the prompt.
  std::vector<double> lower(top.size());
  for (size_t i = 0; i < top.size(); ++i) lower[i] = std::max(top[i] + 30, 300.0);
  PineRow(cr, 40, 200, lower, 34, 16, {0.20, 0.22, 0.30}, 216);
  PineRow(cr, 450, 620, lower, 34, 16, {0.20, 0.22, 0.30}, 217);
  // The monastery on the summit, prayer flags strung down to poles on the far flanks.
  Haze none;
  Monastery(cr, 316, 200, 0.78, none, 213);
  SetColor(cr, {0.36, 0.26, 0.20});
  cairo_rectangle(cr, 96, 232, 3, 52);
  cairo_rectangle(cr, 548, 236, 3, 52);
  cairo_fill(cr);
  PrayerFlags(cr, 222, 172, 97, 234, 12, 7, none, 214);
  PrayerFlags(cr, 412, 176, 549, 238, 12, 7, none, 215);
  for (size_t i = 0; i < top.size(); ++i) lower[i] = top[i] + 170;
  PineRow(cr, 0, 640, lower, 48, 22, {0.18, 0.20, 0.28}, 218);
  BrushTexture(c, 0.03, 219, 0);
  RgbaImage img = c.Image();
  LiftPureBlack(img);
  out.WritePng("gfx/intro/tempel.png", img);
}

// A cloud bank for additive drawing: warm light where the cloud is thick, nothing at the
// borders so the sideways loops never show a seam.
void CloudLayer(Output& out, const std::string& rel, int w, int h, double maxAlpha, double scale,
                uint32_t seed) {
  RgbaImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double ex = SmoothStep(0, w * 0.14, x) * SmoothStep(w, w * 0.86, x);
      const double vy = double(y) / h;
      const double ey = SmoothStep(0.0, 0.45, vy) * SmoothStep(1.0, 0.7, vy);
      const double n = Fbm(x / scale, y / (scale * 0.6), 5, seed);
      const double billow = SmoothStep(0.45, 0.8, n + (ey - 0.5) * 0.3);
      const double a = maxAlpha * billow * ex * ey;
      if (a < 0.004) continue;
      const double lit = Clamp01(1.1 - vy * 0.9 + (n - 0.5));
      const Rgb col = Mix({0.70, 0.62, 0.80}, {1.0, 0.92, 0.86}, lit);
      uint8_t* p = img.At(x, y);
      p[0] = uint8_t(col.r * 255);
      p[1] = uint8_t(col.g * 255);
      p[2] = uint8_t(col.b * 255);
      p[3] = uint8_t(std::clamp(a, 0.0, 1.0) * 255);
    }
  out.WritePng(rel, img);
}

}  // namespace
}  // namespace art

void GenerateSceneryIntro(Output& out, const Sources&) {
  art::DawnSky(out);
  art::TempleOnCrag(out);
  art::CloudLayer(out, "gfx/intro/Wolkenlayer1_vor_tempel.png", 876, 159, 0.42, 70, 221);
  art::CloudLayer(out, "gfx/intro/Wolkenlayer2_vor_tempel.png", 704, 84, 0.4, 45, 222);
  art::CloudLayer(out, "gfx/intro/Wolkenlayer_hinter_tempel.png", 810, 245, 0.45, 90, 223);
}
