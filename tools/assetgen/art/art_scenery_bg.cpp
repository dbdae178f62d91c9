// The six play backgrounds. The play field (x 4..452, y 66..459) carries a black
// silhouette and the pieces, so each picture stays calm and mid-toned there: soft haze,
// no hard darks, detail pushed to the edges.
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <cmath>

namespace art {
namespace {

constexpr int W = 640, H = 480;

void CloudyMountains(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 300,
                   {{0, {0.50, 0.58, 0.74}}, {0.55, {0.80, 0.78, 0.84}}, {1, {0.96, 0.82, 0.72}}});
  Glow(cr, 500, 170, 260, palette::dawnPink, 0.55);
  Glow(cr, 500, 170, 60, {1.0, 0.93, 0.80}, 0.7);
  SkyClouds(c, 40, 170, {0.98, 0.90, 0.86}, {0.68, 0.68, 0.80}, 0.6, 0.45, 11);
  const Rgb air{0.80, 0.80, 0.87};
  RangeStyle far;
  far.lit = {0.70, 0.72, 0.86};
  far.shade = {0.50, 0.56, 0.74};
  far.haze = air;
  far.hazeTop = 0.35;
  far.hazeBottom = 0.9;
  far.fadeY = 280;
  far.snowDepth = 40;
  far.snowLineY = 220;
  far.seed = 21;
  PaintRange(c, RandomRidge(W, 110, 215, 190, 30, 21), far);
  Mist(c, 250, 40, air, 0.8, 60, 22);
  RangeStyle mid;
  mid.lit = {0.56, 0.62, 0.78};
  mid.shade = {0.36, 0.43, 0.62};
  mid.haze = air;
  mid.hazeTop = 0.15;
  mid.hazeBottom = 0.85;
  mid.fadeY = 360;
  mid.snowDepth = 26;
  mid.snowLineY = 250;
  mid.seed = 31;
  const std::vector<double> midTop = RandomRidge(W, 190, 290, 230, 26, 31);
  PaintRange(c, midTop, mid);
  Mist(c, 330, 45, air, 0.85, 70, 32);
  RangeStyle near;
  near.lit = {0.48, 0.60, 0.66};
  near.shade = {0.30, 0.40, 0.52};
  near.haze = air;
  near.hazeTop = 0.1;
  near.hazeBottom = 0.55;
  near.fadeY = 470;
  near.seed = 41;
  const std::vector<double> nearTop =
      RidgeLine(W, {{0, 330}, {160, 360}, {330, 385}, {520, 350}, {640, 300}}, 14, 0.55, 41);
  PaintRange(c, nearTop, near);
  PineRow(cr, 440, 640, nearTop, 26, 9, Mix({0.24, 0.36, 0.40}, air, 0.35), 42);
  PineRow(cr, 0, 120, nearTop, 20, 10, Mix({0.24, 0.36, 0.40}, air, 0.45), 43);
  Mist(c, 440, 50, air, 0.75, 80, 44);
  BrushTexture(c, 0.05, 45);
  WriteCanvasJpeg(out, "gfx/bg/bg1.jpg", c);
}

// A snowy dusk: dark enough that the white flakes falling over it stay visible.
void SnowWorld(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 260,
                   {{0, {0.26, 0.32, 0.50}}, {0.6, {0.46, 0.48, 0.64}}, {1, {0.66, 0.58, 0.66}}});
  Glow(cr, 140, 130, 220, {0.90, 0.74, 0.72}, 0.35);
  SkyClouds(c, 30, 150, {0.70, 0.70, 0.82}, {0.40, 0.44, 0.60}, 0.55, 0.5, 12);
  const Rgb air{0.50, 0.54, 0.68};
  RangeStyle far;
  far.lit = {0.48, 0.52, 0.66};
  far.shade = {0.30, 0.34, 0.52};
  far.haze = air;
  far.hazeTop = 0.25;
  far.hazeBottom = 0.75;
  far.fadeY = 300;
  far.texture = 0.7;
  far.snowDepth = 45;
  far.snowLit = {0.82, 0.82, 0.90};
  far.snowShade = {0.46, 0.50, 0.70};
  far.seed = 51;
  PaintRange(c, RandomRidge(W, 100, 210, 210, 30, 51), far);
  Mist(c, 240, 35, air, 0.7, 60, 52);
  // A snowy hill with a small monastery.
  RangeStyle hill;
  hill.lit = {0.52, 0.56, 0.70};
  hill.shade = {0.34, 0.38, 0.56};
  hill.haze = air;
  hill.hazeTop = 0.2;
  hill.hazeBottom = 0.55;
  hill.fadeY = 360;
  hill.texture = 0.15;
  hill.seed = 53;
  const std::vector<double> hillTop =
      RidgeLine(W, {{0, 300}, {200, 262}, {330, 240}, {480, 270}, {640, 300}}, 6, 0.5, 53);
  PaintRange(c, hillTop, hill);
  Haze far2{air, 0.45};
  Monastery(cr, 300, 246, 0.32, far2, 54);
  PineRow(cr, 0, 190, hillTop, 18, 7, Mix({0.20, 0.30, 0.36}, air, 0.5), 55, 0.7);
  PineRow(cr, 390, 640, hillTop, 18, 7, Mix({0.20, 0.30, 0.36}, air, 0.5), 56, 0.7);
  Mist(c, 330, 30, air, 0.6, 60, 57);
  // Near snowfield with drifts and pines at the sides.
  RangeStyle field = hill;
  field.lit = {0.46, 0.50, 0.66};
  field.shade = {0.30, 0.34, 0.50};
  field.texture = 0.15;
  field.hazeTop = 0.05;
  field.hazeBottom = 0.2;
  field.fadeY = 480;
  field.seed = 58;
  const std::vector<double> fieldTop =
      RidgeLine(W, {{0, 350}, {160, 372}, {320, 395}, {500, 380}, {640, 340}}, 8, 0.5, 58);
  PaintRange(c, fieldTop, field);
  Rng rng(59);
  for (double x : {14.0, 44.0, 74.0}) Pine(cr, x, fieldTop[size_t(x)] + 6, rng.Uniform(80, 110),
                                            {0.24, 0.36, 0.42}, rng, 0.85);
  for (double x : {400.0, 432.0, 600.0}) Pine(cr, x, fieldTop[size_t(x)] + 6, rng.Uniform(80, 120),
                                               {0.24, 0.36, 0.42}, rng, 0.85);
  BrushTexture(c, 0.04, 60);
  WriteCanvasJpeg(out, "gfx/bg/bg2.jpg", c);
}

void LotusLeaf(cairo_t* cr, double x, double y, double r, double squash, Rng& rng) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, squash);
  const double notch = rng.Uniform(0, 2 * M_PI);
  const Rgb lit = Mix(palette::jade, {0.55, 0.70, 0.40}, rng.Uniform(0, 0.6));
  cairo_pattern_t* p = cairo_pattern_create_radial(-r * 0.3, -r * 0.3, r * 0.1, 0, 0, r);
  cairo_pattern_add_color_stop_rgb(p, 0, lit.r * 1.15, lit.g * 1.15, lit.b * 1.1);
  cairo_pattern_add_color_stop_rgb(p, 1, lit.r * 0.7, lit.g * 0.75, lit.b * 0.75);
  cairo_set_source(cr, p);
  cairo_move_to(cr, 0, 0);
  cairo_arc(cr, 0, 0, r, notch + 0.25, notch + 2 * M_PI - 0.25);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  SetColor(cr, Scale(lit, 1.25), 0.35);
  cairo_set_line_width(cr, std::max(0.6, r * 0.04));
  for (int i = 1; i < 9; ++i) {
    const double a = notch + 0.25 + i * (2 * M_PI - 0.5) / 9;
    cairo_move_to(cr, 0, 0);
    cairo_line_to(cr, std::cos(a) * r * 0.92, std::sin(a) * r * 0.92);
  }
  cairo_stroke(cr);
  cairo_restore(cr);
}

void LotusFlower(cairo_t* cr, double x, double y, double s) {
  const Rgb tip{0.96, 0.66, 0.74}, base{0.99, 0.92, 0.90};
  for (int layer = 0; layer < 2; ++layer)
    for (int i = -2; i <= 2; ++i) {
      const double a = i * (layer ? 0.34 : 0.55);
      const double len = s * (layer ? 0.85 : 1.0);
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, a);
      cairo_pattern_t* p = cairo_pattern_create_linear(0, 0, 0, -len);
      cairo_pattern_add_color_stop_rgb(p, 0, base.r, base.g, base.b);
      cairo_pattern_add_color_stop_rgb(p, 1, tip.r * (layer ? 1 : 0.9), tip.g, tip.b);
      cairo_set_source(cr, p);
      cairo_move_to(cr, 0, 0);
      cairo_curve_to(cr, -len * 0.35, -len * 0.3, -len * 0.2, -len * 0.8, 0, -len);
      cairo_curve_to(cr, len * 0.2, -len * 0.8, len * 0.35, -len * 0.3, 0, 0);
      cairo_fill(cr);
      cairo_pattern_destroy(p);
      cairo_restore(cr);
    }
}

void Reeds(cairo_t* cr, double x0, double x1, double baseY, double height, uint32_t seed) {
  Rng rng(seed);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 40; ++i) {
    const double x = rng.Uniform(x0, x1), h = height * rng.Uniform(0.5, 1.1);
    const double bend = rng.Uniform(-0.25, 0.25) * h;
    SetColor(cr, Mix({0.22, 0.36, 0.30}, {0.50, 0.56, 0.40}, rng.Uniform(0, 1)), 0.95);
    cairo_set_line_width(cr, rng.Uniform(1.2, 2.6));
    const double by = baseY + rng.Uniform(0, 20);
    cairo_move_to(cr, x, by);
    cairo_curve_to(cr, x, by - h * 0.5, x + bend * 0.5, by - h * 0.8, x + bend, by - h);
    cairo_stroke(cr);
    if (rng.Uniform(0, 1) < 0.3) {  // a bulrush head
      SetColor(cr, {0.40, 0.26, 0.18});
      cairo_set_line_width(cr, 4);
      cairo_move_to(cr, x + bend * 0.8, by - h * 0.9);
      cairo_line_to(cr, x + bend * 0.9, by - h * 0.97);
      cairo_stroke(cr);
    }
  }
}

void Pond(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 240,
                   {{0, {0.40, 0.48, 0.56}}, {0.7, {0.62, 0.68, 0.72}}, {1, {0.78, 0.78, 0.76}}});
  SkyClouds(c, 10, 200, {0.76, 0.78, 0.82}, {0.46, 0.52, 0.60}, 0.7, 0.6, 13);
  const Rgb air{0.66, 0.71, 0.74};
  RangeStyle far;
  far.lit = {0.52, 0.60, 0.66};
  far.shade = {0.38, 0.46, 0.56};
  far.haze = air;
  far.hazeTop = 0.35;
  far.hazeBottom = 0.8;
  far.fadeY = 240;
  far.snowDepth = 20;
  far.snowLineY = 180;
  far.seed = 61;
  PaintRange(c, RandomRidge(W, 120, 200, 200, 24, 61), far);
  Mist(c, 205, 22, air, 0.7, 50, 62);
  const std::vector<double> shore =
      RidgeLine(W, {{0, 222}, {250, 228}, {470, 214}, {640, 224}}, 4, 0.5, 63);
  RangeStyle bank;
  bank.lit = {0.36, 0.46, 0.40};
  bank.shade = {0.26, 0.34, 0.34};
  bank.haze = air;
  bank.hazeTop = 0.3;
  bank.hazeBottom = 0.3;
  bank.texture = 0.3;
  bank.bottom = 240;
  bank.seed = 64;
  PaintRange(c, shore, bank);
  Haze distant{air, 0.4};
  Stupa(cr, 372, 218, 30, distant);
  PineRow(cr, 0, 300, shore, 26, 8, Mix({0.20, 0.32, 0.30}, air, 0.35), 65);
  PineRow(cr, 520, 640, shore, 22, 8, Mix({0.20, 0.32, 0.30}, air, 0.35), 66);
  Reflect(c, 232, {0.30, 0.44, 0.46}, 0.35, 3.0, 67);
  // Lotus leaves lie flatter the further away they are.
  Rng rng(68);
  for (int i = 0; i < 34; ++i) {
    const double y = rng.Uniform(250, 478);
    const double t = (y - 232) / 248;
    double x = rng.Uniform(-20, 660);
    // Keep the middle of the play field open water.
    if (y < 420 && x > 70 && x < 380 && rng.Uniform(0, 1) < 0.75) x = rng.Uniform(380, 470);
    LotusLeaf(cr, x, y, 6 + 30 * t, 0.25 + 0.2 * t, rng);
    if (rng.Uniform(0, 1) < 0.2) LotusFlower(cr, x + 4, y - 2, 5 + 12 * t);
  }
  Reeds(cr, -10, 50, 250, 120, 69);
  Reeds(cr, 410, 470, 300, 150, 70);
  BrushTexture(c, 0.04, 71);
  WriteCanvasJpeg(out, "gfx/bg/bg3.jpg", c);
}

}  // namespace
}  // namespace art

void GenerateSceneryBackgroundsA(Output& out, const Sources&) {
  art::CloudyMountains(out);
  art::SnowWorld(out);
  art::Pond(out);
}
