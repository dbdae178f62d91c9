// Play backgrounds four to six: the terraced valley seen from above, the autumn grove
// and the wide panorama. Like the first three they keep the play field calm and mid-toned.
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <cmath>

namespace art {
namespace {

constexpr int W = 640, H = 480;

// River centre line of the valley seen from above.
double RiverX(double y) { return 250 + 90 * std::sin(y / 95.0) + 40 * std::sin(y / 37.0 + 1); }

void ViewFromAbove(Output& out) {
  Canvas c(W, H);
  c.BeginPixels();
  static constexpr Rgb kCrops[5] = {{0.52, 0.64, 0.32}, {0.70, 0.68, 0.34}, {0.44, 0.58, 0.36},
                                    {0.76, 0.60, 0.30}, {0.58, 0.66, 0.40}};
  const int levels = 16;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double dr = std::fabs(x - RiverX(y));
      // Height rises away from the river; terraces follow its contours.
      const double h = Fbm(x / 170.0, y / 170.0, 4, 81) * 0.7 + SmoothStep(20, 260, dr) * 0.5;
      const double hx = Fbm((x + 2) / 170.0, y / 170.0, 4, 81) * 0.7 +
                        SmoothStep(20, 260, std::fabs(x + 2 - RiverX(y))) * 0.5;
      const double hy = Fbm(x / 170.0, (y + 2) / 170.0, 4, 81) * 0.7 +
                        SmoothStep(20, 260, std::fabs(x - RiverX(y + 2))) * 0.5;
      const double terrace = h * levels;
      const int band = int(terrace);
      const double frac = terrace - band;
      const double patch = ValueNoise(x / 80.0 + band * 0.37, y / 80.0, 88);
      const uint32_t field = uint32_t(band * 3 + int(patch * 6));
      Rgb col = kCrops[field % 5];
      const double rows = 0.5 + 0.5 * std::sin((x * 0.7 + y * 0.7) / 2.2 + band);
      col = Scale(col, 0.94 + 0.08 * rows + 0.1 * (Fbm(x / 25.0, y / 25.0, 3, 82) - 0.5));
      // Terrace walls: the riser is lit when it faces the upper left.
      const double gx = hx - h, gy = hy - h;
      const double facing = Clamp01(0.5 - (gx + gy) * 60);
      const double wall = SmoothStep(0.12, 0.0, frac);
      col = Mix(col, Mix(Rgb{0.46, 0.40, 0.30}, Rgb{0.76, 0.70, 0.52}, facing), wall * 0.6);
      col = Mix(col, Rgb{0.30, 0.40, 0.26}, SmoothStep(0.95, 1.0, frac) * 0.3);
      // River with sandy banks.
      const double bank = SmoothStep(30, 20, dr);
      col = Mix(col, {0.74, 0.68, 0.54}, bank);
      const double water = SmoothStep(20, 15, dr);
      const double ripple = ValueNoise(x / 6.0, y / 2.0, 83);
      col = Mix(col, Mix(Rgb{0.30, 0.50, 0.58}, Rgb{0.52, 0.70, 0.74}, ripple * 0.7), water);
      // Seen through a little haze from up here: calmer colours.
      c.Set(x, y, Mix(col, {0.66, 0.70, 0.62}, 0.22));
    }
  c.EndPixels();
  cairo_t* cr = c.cr();
  Rng rng(84);
  // Tree clumps and a village beside the river; every object casts a shadow down-right.
  for (int i = 0; i < 140; ++i) {
    const double y = rng.Uniform(0, H), x = rng.Uniform(0, W);
    if (std::fabs(x - RiverX(y)) < 34) continue;
    const double r = rng.Uniform(3, 7);
    SetColor(cr, {0.14, 0.20, 0.12}, 0.3);
    cairo_arc(cr, x + r * 0.6, y + r * 0.6, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(x - r * 0.4, y - r * 0.4, 0.5, x, y, r);
    cairo_pattern_add_color_stop_rgb(p, 0, 0.46, 0.62, 0.32);
    cairo_pattern_add_color_stop_rgb(p, 1, 0.20, 0.36, 0.20);
    cairo_set_source(cr, p);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  for (int i = 0; i < 16; ++i) {
    const double y = 300 + rng.Uniform(-60, 120);
    const double x = RiverX(y) + (i % 2 ? 1 : -1) * rng.Uniform(40, 70);
    const double w = rng.Uniform(9, 15), h = rng.Uniform(7, 11);
    SetColor(cr, {0.20, 0.18, 0.14}, 0.35);
    cairo_rectangle(cr, x + 3, y + 3, w, h);
    cairo_fill(cr);
    // Whitewashed walls, a pitched roof seen from above: lit and shaded halves.
    SetColor(cr, {0.93, 0.90, 0.84});
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    const Rgb roof = i % 3 ? palette::maroon : palette::lacquerLight;
    SetColor(cr, Scale(roof, 1.3));
    cairo_rectangle(cr, x + 1.5, y + 1.5, w - 3, h / 2 - 1.5);
    cairo_fill(cr);
    SetColor(cr, Scale(roof, 0.85));
    cairo_rectangle(cr, x + 1.5, y + h / 2, w - 3, h / 2 - 1.5);
    cairo_fill(cr);
  }
  // A bridge across the river.
  {
    const double y = 300, x = RiverX(y);
    SetColor(cr, {0.20, 0.16, 0.12}, 0.35);
    cairo_rectangle(cr, x - 30, y + 4, 62, 8);
    cairo_fill(cr);
    SetColor(cr, {0.55, 0.36, 0.22});
    cairo_rectangle(cr, x - 32, y, 62, 8);
    cairo_fill(cr);
    PrayerFlags(cr, x - 32, y, x + 30, y + 1, 3, 4, Haze{}, 85);
  }
  // Clouds drifting below the viewer, with their shadows on the ground.
  c.BeginPixels();
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double n = Fbm(x / 120.0, y / 80.0, 5, 86);
      const double m = Fbm((x - 24) / 120.0, (y - 20) / 80.0, 5, 86);
      const double shadow = SmoothStep(0.55, 0.7, m) * 0.25;
      const double cloud = SmoothStep(0.56, 0.75, n) * 0.85;
      Rgb col = Scale(c.Get(x, y), 1 - shadow);
      col = Mix(col, {0.94, 0.93, 0.92}, cloud);
      c.Set(x, y, col);
    }
  c.EndPixels();
  BrushTexture(c, 0.04, 87);
  WriteCanvasJpeg(out, "gfx/bg/bg4.jpg", c);
}

const std::vector<Rgb>& AutumnLeaves() {
  static const std::vector<Rgb> leaves = {{0.86, 0.46, 0.14}, {0.80, 0.30, 0.12}, {0.90, 0.66, 0.20},
                                          {0.62, 0.20, 0.14}, {0.74, 0.56, 0.18}};
  return leaves;
}

void AutumnTrees(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 300,
                   {{0, {0.62, 0.66, 0.74}}, {0.6, {0.86, 0.78, 0.66}}, {1, {0.92, 0.78, 0.58}}});
  Glow(cr, 250, 190, 240, {1.0, 0.86, 0.60}, 0.5);
  const Rgb air{0.84, 0.74, 0.62};
  RangeStyle hills;
  hills.lit = {0.62, 0.56, 0.56};
  hills.shade = {0.48, 0.46, 0.52};
  hills.haze = air;
  hills.hazeTop = 0.4;
  hills.hazeBottom = 0.8;
  hills.fadeY = 260;
  hills.seed = 91;
  PaintRange(c, RandomRidge(W, 150, 210, 240, 18, 91), hills);
  Rng rng(92);
  // Rows of trees, far to near, each row less hazy; the rows leave a clearing in the middle.
  for (int row = 0; row < 4; ++row) {
    const double baseY = 225 + row * 34;
    const double haze = 0.75 - row * 0.18;
    std::vector<Rgb> leaves;
    for (const Rgb& l : AutumnLeaves()) leaves.push_back(Mix(l, air, haze));
    const Rgb trunk = Mix({0.30, 0.20, 0.16}, air, haze);
    for (double x = rng.Uniform(-30, 0); x < W + 30; x += rng.Uniform(40, 70) + row * 10) {
      if (row >= 2 && x > 110 && x < 380) continue;
      LeafyTree(cr, x, baseY + rng.Uniform(-6, 6), 44 + row * 14, leaves, trunk, rng);
    }
    Mist(c, baseY + 6, 14 + row * 2, air, 0.55 - row * 0.1, 45, 93 + uint32_t(row));
  }
  // The meadow with a path up to a small gate shrine.
  RangeStyle ground;
  ground.lit = {0.66, 0.56, 0.34};
  ground.shade = {0.52, 0.44, 0.30};
  ground.haze = air;
  ground.hazeTop = 0.3;
  ground.hazeBottom = 0.0;
  ground.fadeY = 480;
  ground.texture = 0.6;
  ground.seed = 97;
  const std::vector<double> groundTop =
      RidgeLine(W, {{0, 330}, {200, 318}, {420, 326}, {640, 336}}, 4, 0.5, 97);
  PaintRange(c, groundTop, ground);
  SetColor(cr, {0.82, 0.74, 0.58}, 0.85);
  cairo_move_to(cr, 226, 322);
  cairo_curve_to(cr, 236, 380, 170, 420, 180, 482);
  cairo_line_to(cr, 300, 482);
  cairo_curve_to(cr, 262, 420, 260, 380, 244, 322);
  cairo_close_path(cr);
  cairo_fill(cr);
  Haze shrineHaze{air, 0.35};
  Rng shrineRng(98);
  TibetanBlock(cr, 218, 322, 32, 26, 6, 1, shrineHaze, shrineRng);
  GoldRoof(cr, 234, 296 - 3, 40, 14, shrineHaze);
  // Fallen leaves.
  for (int i = 0; i < 500; ++i) {
    const double y = rng.Uniform(330, 480), x = rng.Uniform(0, W);
    const double s = 1.5 + (y - 330) / 40;
    SetColor(cr, Scale(AutumnLeaves()[size_t(rng.Int(0, 4))], rng.Uniform(0.7, 1.05)), 0.85);
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, rng.Uniform(0, M_PI));
    cairo_scale(cr, s, s * 0.45);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    cairo_fill(cr);
  }
  // Big trees framing the sides.
  for (double x : {-10.0, 40.0}) LeafyTree(cr, x, 470, 190, AutumnLeaves(), {0.30, 0.18, 0.14}, rng);
  for (double x : {440.0, 610.0}) LeafyTree(cr, x, 470, 200, AutumnLeaves(), {0.30, 0.18, 0.14}, rng);
  Mist(c, 350, 30, air, 0.35, 60, 99);
  BrushTexture(c, 0.045, 100);
  WriteCanvasJpeg(out, "gfx/bg/bg5.jpg", c);
}

void Panorama(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 260,
                   {{0, {0.38, 0.54, 0.76}}, {0.7, {0.66, 0.76, 0.88}}, {1, {0.90, 0.86, 0.82}}});
  SkyClouds(c, 20, 130, {0.97, 0.95, 0.94}, {0.66, 0.72, 0.84}, 0.75, 0.4, 14);
  const Rgb air{0.74, 0.80, 0.90};
  RangeStyle high;
  high.lit = {0.64, 0.68, 0.82};
  high.shade = {0.42, 0.48, 0.68};
  high.haze = air;
  high.hazeTop = 0.2;
  high.hazeBottom = 0.7;
  high.fadeY = 260;
  high.texture = 0.7;
  high.snowDepth = 70;
  high.seed = 111;
  PaintRange(c, RidgeLine(W, {{0, 170}, {70, 120}, {150, 165}, {250, 90}, {330, 150}, {420, 110},
                              {520, 165}, {600, 120}, {640, 140}},
                          22, 0.55, 111),
             high);
  Mist(c, 215, 24, air, 0.6, 60, 112);
  RangeStyle ridge;
  ridge.lit = {0.50, 0.62, 0.56};
  ridge.shade = {0.34, 0.44, 0.48};
  ridge.haze = air;
  ridge.hazeTop = 0.35;
  ridge.hazeBottom = 0.6;
  ridge.fadeY = 330;
  ridge.seed = 113;
  const std::vector<double> ridgeTop =
      RidgeLine(W, {{0, 250}, {90, 205}, {170, 226}, {330, 246}, {460, 228}, {640, 250}}, 10, 0.5, 113);
  PaintRange(c, ridgeTop, ridge);
  Monastery(cr, 95, 214, 0.28, Haze{air, 0.3}, 114);
  PineRow(cr, 150, 460, ridgeTop, 12, 5, Mix({0.22, 0.34, 0.32}, air, 0.45), 115);
  Mist(c, 290, 26, air, 0.55, 55, 116);
  // Valley floor with a river catching the sky.
  RangeStyle valley;
  valley.lit = {0.56, 0.64, 0.44};
  valley.shade = {0.42, 0.52, 0.40};
  valley.haze = air;
  valley.hazeTop = 0.35;
  valley.hazeBottom = 0.1;
  valley.fadeY = 480;
  valley.texture = 0.4;
  valley.seed = 117;
  const std::vector<double> valleyTop =
      RidgeLine(W, {{0, 300}, {200, 310}, {400, 300}, {640, 296}}, 5, 0.5, 117);
  PaintRange(c, valleyTop, valley);
  FieldPatches(c, 296, 480, 280,
               0.35, {{0.60, 0.66, 0.38}, {0.74, 0.68, 0.40}, {0.48, 0.60, 0.40}, {0.66, 0.56, 0.34},
                      {0.56, 0.64, 0.46}},
               122);
  Mist(c, 305, 12, air, 0.5, 40, 123);
  Rng rng(124);
  for (int i = 0; i < 60; ++i) {  // hedge trees along the field edges
    const double y = rng.Uniform(310, 470), x = rng.Uniform(0, W);
    const double s = 1 + (y - 300) / 50;
    std::vector<Rgb> greens = {Mix({0.30, 0.46, 0.30}, air, 0.3), Mix({0.38, 0.52, 0.28}, air, 0.3)};
    LeafyTree(cr, x, y, 6 * s, greens, {0.30, 0.24, 0.18}, rng);
  }
  SetColor(cr, {0.70, 0.78, 0.88}, 0.8);
  cairo_move_to(cr, 380, 304);
  cairo_curve_to(cr, 300, 330, 420, 360, 300, 400);
  cairo_curve_to(cr, 220, 430, 240, 470, 200, 482);
  cairo_line_to(cr, 250, 482);
  cairo_curve_to(cr, 280, 460, 300, 430, 340, 405);
  cairo_curve_to(cr, 450, 360, 330, 330, 392, 304);
  cairo_close_path(cr);
  cairo_fill(cr);
  // Foreground slope on the left with flags strung down from a pole.
  RangeStyle fore;
  fore.lit = {0.50, 0.56, 0.36};
  fore.shade = {0.36, 0.42, 0.30};
  fore.haze = air;
  fore.hazeTop = 0.1;
  fore.hazeBottom = 0.0;
  fore.seed = 118;
  const std::vector<double> foreTop =
      RidgeLine(W, {{0, 360}, {90, 380}, {170, 440}, {240, 490}, {640, 500}}, 6, 0.5, 118);
  PaintRange(c, foreTop, fore);
  SetColor(cr, {0.40, 0.28, 0.20});
  cairo_rectangle(cr, 30, 240, 4, 130);
  cairo_fill(cr);
  PrayerFlags(cr, 32, 242, 200, 420, 30, 12, Haze{}, 119);
  PrayerFlags(cr, 32, 250, 0, 300, 6, 12, Haze{}, 120);
  BrushTexture(c, 0.04, 121);
  WriteCanvasJpeg(out, "gfx/bg/bg6.jpg", c);
}

}  // namespace
}  // namespace art

void GenerateSceneryBackgroundsB(Output& out, const Sources&) {
  art::ViewFromAbove(out);
  art::AutumnTrees(out);
  art::Panorama(out);
}
