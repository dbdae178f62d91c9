// Backdrops for text screens: the end of the path (sunrise over a sea of clouds, the
// closing text over the shadowed clouds), the wisdom screen (moonlit lake, quotations
// over the dark water) and the hall of fame (an honour board in a lacquered hall).
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <cmath>

namespace art {
namespace {

constexpr int W = 640, H = 480;

void SunRays(cairo_t* cr, double x, double y, int count, double length, Rgb c, double alpha,
             uint32_t seed) {
  Rng rng(seed);
  for (int i = 0; i < count; ++i) {
    const double a = -M_PI * rng.Uniform(0.05, 0.95);
    const double spread = rng.Uniform(0.02, 0.05);
    cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 10, x, y, length);
    cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, alpha);
    cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
    cairo_set_source(cr, p);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + std::cos(a - spread) * length, y + std::sin(a - spread) * length);
    cairo_line_to(cr, x + std::cos(a + spread) * length, y + std::sin(a + spread) * length);
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
}

void EndScreen(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 230,
                   {{0, {0.36, 0.36, 0.60}}, {0.5, {0.90, 0.62, 0.56}}, {1, {1.0, 0.84, 0.50}}});
  SunRays(cr, 320, 150, 14, 420, {1.0, 0.92, 0.70}, 0.22, 401);
  Glow(cr, 320, 150, 300, {1.0, 0.86, 0.52}, 0.7);
  Glow(cr, 320, 150, 46, {1.0, 0.98, 0.88}, 1.0);
  SkyClouds(c, 20, 110, {1.0, 0.86, 0.74}, {0.62, 0.50, 0.66}, 0.5, 0.4, 402);
  // The summit in front of the sun, a stupa and the monastery on it.
  RangeStyle peak;
  peak.lit = {0.66, 0.48, 0.50};
  peak.shade = {0.30, 0.26, 0.42};
  peak.haze = {0.92, 0.66, 0.56};
  peak.hazeTop = 0.2;
  peak.hazeBottom = 0.5;
  peak.fadeY = 300;
  peak.snowDepth = 30;
  peak.snowLit = {1.0, 0.86, 0.72};
  peak.snowShade = {0.62, 0.56, 0.76};
  peak.seed = 403;
  const std::vector<double> ridge = RidgeLine(
      W, {{0, 250}, {120, 220}, {250, 186}, {320, 170}, {400, 190}, {520, 226}, {640, 240}}, 12,
      0.5, 403);
  PaintRange(c, ridge, peak);
  Haze backlit{{0.92, 0.66, 0.56}, 0.25};
  Monastery(cr, 322, 172, 0.3, backlit, 404);
  // A sea of clouds in blue shadow below, seen in perspective, its crests catching the
  // sunrise near the horizon.
  c.BeginPixels();
  for (int y = 196; y < H; ++y) {
    const double depth = (y - 196) / 284.0;
    const double v = 30.0 / (depth + 0.08);
    const double widen = 1 / (depth + 0.15);
    for (int x = 0; x < W; ++x) {
      const double u = (x - 320) * widen;
      const double n = Fbm(u / 260.0, v / 9.0, 5, 405);
      const double up = Fbm(u / 260.0, (v + 0.6) / 9.0, 5, 405);
      const double cover = SmoothStep(0.0, 0.05, depth + (n - 0.5) * 0.08);
      const double lit = Clamp01(0.5 + (up - n) * 14);
      Rgb col = Mix({0.20, 0.18, 0.34}, {0.46, 0.38, 0.56}, lit * (0.4 + n));
      col = Mix(col, {0.98, 0.74, 0.58}, lit * Clamp01(1 - depth * 2.5) * 0.7);
      col = Mix(col, {0.16, 0.14, 0.28}, depth * 0.45);
      c.Blend(x, y, col, cover);
    }
  }
  c.EndPixels();
  BrushTexture(c, 0.03, 406, 0);
  out.WritePng("gfx/end.png", c.surface());
}

void WisdomBackdrop(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, 180,
                   {{0, {0.12, 0.16, 0.30}}, {0.7, {0.26, 0.30, 0.46}}, {1, {0.44, 0.42, 0.54}}});
  Glow(cr, 470, 70, 180, {0.92, 0.90, 0.80}, 0.35);
  Glow(cr, 470, 70, 30, {0.98, 0.96, 0.88}, 1.0);
  SkyClouds(c, 70, 140, {0.60, 0.62, 0.72}, {0.22, 0.26, 0.40}, 0.55, 0.35, 411);
  RangeStyle far;
  far.lit = {0.36, 0.40, 0.54};
  far.shade = {0.18, 0.22, 0.34};
  far.haze = {0.34, 0.36, 0.50};
  far.hazeTop = 0.2;
  far.hazeBottom = 0.6;
  far.fadeY = 190;
  far.light = -1;  // moonlight from the right
  far.snowDepth = 20;
  far.snowLit = {0.78, 0.80, 0.86};
  far.snowShade = {0.40, 0.44, 0.58};
  far.seed = 412;
  PaintRange(c, RandomRidge(W, 110, 170, 180, 14, 412), far);
  RangeStyle shore;
  shore.lit = {0.16, 0.18, 0.26};
  shore.shade = {0.10, 0.12, 0.20};
  shore.haze = {0.30, 0.32, 0.46};
  shore.hazeTop = 0.3;
  shore.hazeBottom = 0.3;
  shore.bottom = 200;
  shore.seed = 414;
  const std::vector<double> shoreTop = RidgeLine(W, {{0, 184}, {320, 190}, {640, 182}}, 3, 0.5, 414);
  PaintRange(c, shoreTop, shore);
  PineRow(cr, 0, W, shoreTop, 12, 7, {0.10, 0.12, 0.18}, 415);
  Monastery(cr, 150, 184, 0.12, Haze{{0.30, 0.32, 0.46}, 0.45}, 413);
  Glow(cr, 150, 176, 22, palette::saffron, 0.45);  // lamps lit in the far monastery
  Reflect(c, 196, {0.08, 0.10, 0.18}, 0.55, 2.5, 416);
  Mist(c, 200, 10, {0.40, 0.42, 0.56}, 0.35, 40, 417);
  BrushTexture(c, 0.035, 419);
  WriteCanvasJpeg(out, "gfx/wisdoms.jpg", c);
}

void HallOfFame(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  HallWall(c, 421);
  // The honour board: dark lacquer behind the ten rows, framed in gold.
  InsetPanel(cr, 44, 86, 552, 330, {0.14, 0.05, 0.04}, 0.92);
  for (int i = 0; i < 10; ++i) {
    const double y = 100 + 30 * i;
    SetColor(cr, i % 2 ? Rgb{0.30, 0.12, 0.08} : Rgb{0.22, 0.08, 0.06}, 0.55);
    cairo_rectangle(cr, 56, y + 3, 528, 28);
    cairo_fill(cr);
  }
  SetColor(cr, palette::gold, 0.25);
  cairo_set_line_width(cr, 1);
  for (double x : {95.5, 305.5, 455.5}) {
    cairo_move_to(cr, x, 100);
    cairo_line_to(cr, x, 400);
  }
  cairo_stroke(cr);
  Lantern(cr, 24, 58, 16);
  Lantern(cr, 616, 58, 16);
  BrushTexture(c, 0.03, 422, 0);
  out.WritePng("gfx/hiscore.png", c.surface());
}

}  // namespace
}  // namespace art

void GenerateSceneryScreens(Output& out, const Sources&) {
  art::EndScreen(out);
  art::WisdomBackdrop(out);
  art::HallOfFame(out);
}
