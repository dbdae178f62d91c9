// The story backdrop (a young monk on a ledge looking out towards a far monastery; the
// story text scrolls over the shadowed valley below him) and the main-menu backdrop (the
// view from a monastery balcony, the menu entries over the calm valley between pillars).
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <cmath>

namespace art {
namespace {

constexpr int W = 640, H = 480;

// A monk seen from behind, feet at (x, y), robe lit from the left by the dawn.
void Monk(cairo_t* cr, double x, double y, double h) {
  const double s = h / 100;
  // Robe: a long bell shape.
  cairo_pattern_t* p = cairo_pattern_create_linear(x - 25 * s, 0, x + 25 * s, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.72, 0.22, 0.18);
  cairo_pattern_add_color_stop_rgb(p, 0.35, 0.52, 0.12, 0.12);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.26, 0.07, 0.09);
  cairo_set_source(cr, p);
  cairo_move_to(cr, x - 14 * s, y - 80 * s);
  cairo_curve_to(cr, x - 20 * s, y - 78 * s, x - 21 * s, y - 60 * s, x - 22 * s, y - 40 * s);
  cairo_curve_to(cr, x - 23 * s, y - 20 * s, x - 25 * s, y - 6 * s, x - 23 * s, y);
  cairo_line_to(cr, x + 23 * s, y);
  cairo_curve_to(cr, x + 25 * s, y - 6 * s, x + 23 * s, y - 20 * s, x + 22 * s, y - 40 * s);
  cairo_curve_to(cr, x + 21 * s, y - 60 * s, x + 20 * s, y - 78 * s, x + 14 * s, y - 80 * s);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Saffron under-robe showing at the right shoulder, the shawl's folds across the back.
  SetColor(cr, {0.92, 0.58, 0.16});
  cairo_move_to(cr, x + 4 * s, y - 80 * s);
  cairo_curve_to(cr, x + 14 * s, y - 81 * s, x + 20 * s, y - 76 * s, x + 21 * s, y - 62 * s);
  cairo_line_to(cr, x + 14 * s, y - 66 * s);
  cairo_close_path(cr);
  cairo_fill(cr);
  SetColor(cr, {0.30, 0.06, 0.08}, 0.6);
  cairo_set_line_width(cr, 1.4 * s);
  for (int i = 0; i < 4; ++i) {
    cairo_move_to(cr, x - 16 * s + i * 3 * s, y - 76 * s + i * 4 * s);
    cairo_curve_to(cr, x - 4 * s, y - 60 * s + i * 6 * s, x + 8 * s, y - 48 * s + i * 8 * s,
                   x + 20 * s, y - 34 * s + i * 8 * s);
    cairo_stroke(cr);
  }
  // Rim light along the lit edge.
  SetColor(cr, {1.0, 0.74, 0.54}, 0.55);
  cairo_set_line_width(cr, 1.6 * s);
  cairo_move_to(cr, x - 15 * s, y - 79 * s);
  cairo_curve_to(cr, x - 20 * s, y - 70 * s, x - 22 * s, y - 40 * s, x - 23 * s, y - 4 * s);
  cairo_stroke(cr);
  // Shaved head and neck.
  cairo_pattern_t* hp = cairo_pattern_create_radial(x - 3 * s, y - 92 * s, 1, x, y - 90 * s, 9 * s);
  cairo_pattern_add_color_stop_rgb(hp, 0, 0.86, 0.66, 0.50);
  cairo_pattern_add_color_stop_rgb(hp, 1, 0.50, 0.34, 0.26);
  cairo_set_source(cr, hp);
  cairo_rectangle(cr, x - 4 * s, y - 84 * s, 8 * s, 6 * s);
  cairo_fill(cr);
  cairo_arc(cr, x, y - 90 * s, 8.5 * s, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(hp);
}

void StoryBackdrop(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 240,
                   {{0, {0.30, 0.34, 0.56}}, {0.55, {0.80, 0.60, 0.66}}, {1, {1.0, 0.80, 0.58}}});
  Glow(cr, 470, 200, 260, {1.0, 0.84, 0.56}, 0.6);
  SkyClouds(c, 30, 150, {1.0, 0.78, 0.70}, {0.50, 0.44, 0.62}, 0.6, 0.45, 301);
  const Rgb air{0.66, 0.54, 0.66};
  RangeStyle far;
  far.lit = {0.70, 0.56, 0.64};
  far.shade = {0.38, 0.36, 0.56};
  far.haze = {0.86, 0.66, 0.64};
  far.hazeTop = 0.3;
  far.hazeBottom = 0.8;
  far.fadeY = 250;
  far.texture = 0.7;
  far.snowDepth = 26;
  far.snowLit = {1.0, 0.88, 0.80};
  far.snowShade = {0.66, 0.60, 0.80};
  far.seed = 302;
  PaintRange(c, RidgeLine(W, {{0, 190}, {150, 140}, {300, 185}, {470, 120}, {560, 170}, {640, 150}},
                          20, 0.55, 302),
             far);
  Monastery(cr, 470, 127, 0.13, Haze{{0.86, 0.66, 0.64}, 0.35}, 303);
  Mist(c, 225, 24, {0.90, 0.70, 0.66}, 0.7, 50, 304);
  // The valley in shadow where the story scrolls.
  RangeStyle valley;
  valley.lit = {0.34, 0.32, 0.46};
  valley.shade = {0.20, 0.20, 0.34};
  valley.haze = air;
  valley.hazeTop = 0.35;
  valley.hazeBottom = 0.05;
  valley.fadeY = 480;
  valley.seed = 305;
  const std::vector<double> valleyTop = RandomRidge(W, 220, 270, 180, 10, 305);
  PaintRange(c, valleyTop, valley);
  PineRow(cr, 0, W, valleyTop, 16, 8, {0.22, 0.22, 0.34}, 306);
  Mist(c, 300, 20, air, 0.35, 50, 307);
  // Deepen the band the story text scrolls through.
  cairo_pattern_t* shade = cairo_pattern_create_linear(0, 250, 0, 330);
  cairo_pattern_add_color_stop_rgba(shade, 0, 0.10, 0.08, 0.16, 0);
  cairo_pattern_add_color_stop_rgba(shade, 1, 0.10, 0.08, 0.16, 0.3);
  cairo_set_source(cr, shade);
  cairo_rectangle(cr, 0, 250, W, H - 250);
  cairo_fill(cr);
  cairo_pattern_destroy(shade);
  // The ledge the monk stands on.
  RangeStyle ledge;
  ledge.lit = {0.40, 0.32, 0.34};
  ledge.shade = {0.16, 0.14, 0.20};
  ledge.haze = air;
  ledge.hazeTop = 0.0;
  ledge.hazeBottom = 0.1;
  ledge.ledges = 18;
  ledge.seed = 308;
  const std::vector<double> ledgeTop =
      RidgeLine(W, {{-10, 250}, {60, 262}, {170, 268}, {230, 300}, {280, 420}, {320, 520}}, 5, 0.5, 308);
  PaintRange(c, ledgeTop, ledge);
  Monk(cr, 120, 268, 70);
  // A prayer-flag line from the ledge into the frame.
  SetColor(cr, {0.30, 0.22, 0.18});
  cairo_rectangle(cr, 40, 200, 3, 64);
  cairo_fill(cr);
  PrayerFlags(cr, 41, 202, -10, 150, 8, 10, Haze{}, 309);
  BrushTexture(c, 0.03, 310, 0);
  out.WritePng("gfx/intro/intro.png", c.surface());
}

void Balustrade(Canvas& c, double y0) {
  cairo_t* cr = c.cr();
  Wood(c, 0, int(y0) + 18, W, H - int(y0) - 18, {0.34, 0.16, 0.10}, false, 321);
  cairo_t* g = cr;
  // Rail with a gold inlay and posts.
  VerticalGradient(g, 0, y0, W, 18, y0, y0 + 18,
                   {{0, {0.62, 0.28, 0.16}}, {0.4, {0.46, 0.18, 0.12}}, {1, {0.24, 0.08, 0.06}}});
  SetColor(g, palette::gold, 0.9);
  cairo_rectangle(g, 0, y0 + 5, W, 2);
  cairo_fill(g);
  for (double x = 20; x < W; x += 60) {
    VerticalGradient(g, x - 4, y0 + 18, 8, H - y0, y0, H,
                     {{0, {0.50, 0.22, 0.14}}, {1, {0.22, 0.08, 0.06}}});
  }
}

void MainMenuBackdrop(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 300,
                   {{0, {0.34, 0.40, 0.62}}, {0.5, {0.72, 0.62, 0.72}}, {1, {0.96, 0.78, 0.62}}});
  Glow(cr, 320, 250, 300, {1.0, 0.84, 0.62}, 0.45);
  SkyClouds(c, 20, 140, {0.98, 0.84, 0.80}, {0.50, 0.50, 0.68}, 0.55, 0.4, 331);
  RangeStyle far;
  far.lit = {0.64, 0.58, 0.70};
  far.shade = {0.34, 0.36, 0.56};
  far.haze = {0.84, 0.70, 0.72};
  far.hazeTop = 0.3;
  far.hazeBottom = 0.85;
  far.fadeY = 260;
  far.snowDepth = 40;
  far.snowLit = {1.0, 0.90, 0.84};
  far.snowShade = {0.64, 0.62, 0.82};
  far.seed = 332;
  PaintRange(c, RidgeLine(W, {{0, 150}, {110, 115}, {230, 170}, {330, 135}, {430, 175}, {530, 110},
                              {640, 160}},
                          22, 0.55, 332),
             far);
  Mist(c, 220, 26, {0.84, 0.70, 0.72}, 0.75, 50, 333);
  // Darker valley ridges behind the menu entries.
  RangeStyle mid;
  mid.lit = {0.40, 0.40, 0.56};
  mid.shade = {0.24, 0.26, 0.42};
  mid.haze = {0.62, 0.56, 0.68};
  mid.hazeTop = 0.3;
  mid.hazeBottom = 0.1;
  mid.fadeY = 420;
  mid.seed = 334;
  const std::vector<double> midTop = RandomRidge(W, 200, 250, 200, 10, 334);
  PaintRange(c, midTop, mid);
  PineRow(cr, 0, W, midTop, 12, 6, {0.24, 0.26, 0.38}, 335);
  Mist(c, 300, 26, {0.60, 0.56, 0.68}, 0.35, 60, 336);
  RangeStyle near = mid;
  near.lit = {0.30, 0.32, 0.44};
  near.shade = {0.18, 0.20, 0.32};
  near.hazeTop = 0.15;
  near.seed = 337;
  const std::vector<double> nearTop = RandomRidge(W, 300, 350, 240, 8, 337);
  PaintRange(c, nearTop, near);
  // The balcony: rail and floor at the bottom, pillars and a painted beam framing the view.
  Balustrade(c, 372);
  Pillar(cr, 18, 0, H, 40);
  Pillar(cr, 622, 0, H, 40);
  Wood(c, 0, 0, W, 16, palette::lacquer, false, 338);
  for (int i = 0; i < 32; ++i) {
    static constexpr Rgb kBand[4] = {palette::jade, palette::gold, palette::maroon, palette::gold};
    SetColor(cr, kBand[i % 4], 0.85);
    cairo_rectangle(cr, i * 20 + 4, 4, 12, 8);
    cairo_fill(cr);
  }
  Lantern(cr, 74, 64, 20);
  Lantern(cr, 566, 64, 20);
  BrushTexture(c, 0.03, 339, 0);
  out.WritePng("gfx/mainmenu.png", c.surface());
}

}  // namespace
}  // namespace art

void GenerateSceneryStory(Output& out, const Sources&) {
  art::StoryBackdrop(out);
  art::MainMenuBackdrop(out);
}
