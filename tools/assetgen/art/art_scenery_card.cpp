// The progress map card: an illustrated landscape map, from the village and fields at
// the lower left up through forests, past a turquoise lake and round a stupa, to the
// monastery under the high peaks at the right. The trail runs through the centres of the
// fifty station markers the game draws on it; the top and bottom edges stay dark enough
// for the white texts and buttons drawn there.
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <cmath>

namespace art {
namespace {

constexpr int W = 916, H = 480;

// Top-left corners of the station markers (24×24), level 0 first.
constexpr int kStations[50][2] = {
    {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318},
    {193, 295}, {197, 270}, {192, 246}, {179, 224}, {160, 209}, {142, 194}, {137, 170},
    {142, 148}, {162, 137}, {185, 138}, {207, 148}, {227, 161}, {247, 169}, {270, 176},
    {291, 184}, {315, 193}, {337, 205}, {357, 216}, {373, 229}, {395, 244}, {414, 259},
    {432, 275}, {450, 289}, {463, 308}, {478, 328}, {455, 333}, {436, 348}, {427, 369},
    {446, 383}, {469, 387}, {491, 381}, {508, 364}, {524, 346}, {538, 328}, {547, 307},
    {556, 285}, {566, 263}, {577, 242}, {592, 222}, {611, 212}, {630, 199}, {649, 187},
    {663, 171}};

struct Pt {
  double x, y;
};

// The trail: from the village, through every station centre, up to the monastery gate.
std::vector<Pt> TrailPoints() {
  std::vector<Pt> pts{{20, 420}, {50, 408}};
  for (const auto& s : kStations) pts.push_back({s[0] + 12.0, s[1] + 12.0});
  pts.push_back({700, 168});
  pts.push_back({730, 160});
  return pts;
}

// Catmull-Rom through the points as Cairo Bézier segments.
void TrailPath(cairo_t* cr, const std::vector<Pt>& p) {
  cairo_move_to(cr, p[0].x, p[0].y);
  for (size_t i = 0; i + 1 < p.size(); ++i) {
    const Pt a = p[i == 0 ? 0 : i - 1], b = p[i], c = p[i + 1], d = p[std::min(i + 2, p.size() - 1)];
    cairo_curve_to(cr, b.x + (c.x - a.x) / 6, b.y + (c.y - a.y) / 6, c.x - (d.x - b.x) / 6,
                   c.y - (d.y - b.y) / 6, c.x, c.y);
  }
}

double Elevation(double x, double y) {
  return 0.55 * (1 - y / H) + 0.2 * (x / W) + 0.45 * (Fbm(x / 140.0, y / 140.0, 5, 601) - 0.5) - 0.05;
}

// Paints the map, fading in below the mountains between y 110 and 170.
void PaintTerrain(Canvas& c) {
  c.BeginPixels();
  for (int y = 110; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const double e = Elevation(x, y);
      const double shade = (Elevation(x - 2, y - 2) - e) * 60;  // lit from the upper left
      Rgb col;
      if (e < 0.25) col = Mix({0.56, 0.66, 0.40}, {0.46, 0.60, 0.38}, e / 0.25);
      else if (e < 0.45) col = Mix({0.46, 0.60, 0.38}, {0.34, 0.48, 0.36}, (e - 0.25) / 0.2);
      else if (e < 0.6) col = Mix({0.34, 0.48, 0.36}, {0.58, 0.52, 0.40}, (e - 0.45) / 0.15);
      else col = Mix({0.58, 0.52, 0.40}, {0.70, 0.66, 0.62}, Clamp01((e - 0.6) / 0.2));
      col = Scale(col, 1 - shade * 0.6);
      // Contour hints like an old painted map.
      const double contour = e * 22 - std::floor(e * 22);
      col = Mix(col, Scale(col, 0.82), SmoothStep(0.06, 0.0, contour) * 0.5);
      col = Mix(col, palette::parchment, 0.12 + 0.1 * Fbm(x / 50.0, y / 50.0, 3, 602));
      c.Blend(x, y, col, SmoothStep(110 + 30 * ValueNoise(x / 40.0, 0, 612), 170, y));
    }
  c.EndPixels();
}

void Water(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, rx, ry);
  cairo_pattern_t* p = cairo_pattern_create_radial(-0.3, -0.3, 0.1, 0, 0, 1);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.52, 0.80, 0.80);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.20, 0.50, 0.58);
  cairo_set_source(cr, p);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  SetColor(cr, {0.82, 0.76, 0.58}, 0.8);
  cairo_set_line_width(cr, 2.5);
  cairo_stroke(cr);
}

void River(cairo_t* cr) {
  // From the snows at the top down to the lowlands at the lower left.
  SetColor(cr, {0.80, 0.74, 0.56}, 0.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 13);
  auto path = [&] {
    cairo_move_to(cr, 400, 118);
    cairo_curve_to(cr, 360, 150, 360, 180, 330, 204);
    cairo_curve_to(cr, 290, 240, 260, 250, 250, 300);
    cairo_curve_to(cr, 240, 360, 300, 420, 260, 490);
  };
  path();
  cairo_stroke(cr);
  SetColor(cr, {0.30, 0.56, 0.64});
  cairo_set_line_width(cr, 7);
  path();
  cairo_stroke(cr);
  SetColor(cr, {0.62, 0.84, 0.86}, 0.6);
  cairo_set_line_width(cr, 1.5);
  path();
  cairo_stroke(cr);
}

void Bridge(cairo_t* cr, double x, double y, double angle) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, angle);
  SetColor(cr, {0.20, 0.14, 0.10}, 0.35);
  cairo_rectangle(cr, -9, -5, 20, 12);
  cairo_fill(cr);
  SetColor(cr, palette::lacquerLight);
  cairo_rectangle(cr, -10, -6, 20, 12);
  cairo_fill(cr);
  SetColor(cr, palette::gold);
  cairo_rectangle(cr, -10, -6, 20, 2);
  cairo_rectangle(cr, -10, 4, 20, 2);
  cairo_fill(cr);
  cairo_restore(cr);
}

bool NearTrail(double x, double y, const std::vector<Pt>& trail, double dist) {
  for (const Pt& p : trail)
    if (std::hypot(p.x - x, p.y - y) < dist) return true;
  return false;
}

void Forests(cairo_t* cr, const std::vector<Pt>& trail) {
  Rng rng(603);
  for (int i = 0; i < 900; ++i) {
    const double x = rng.Uniform(0, W), y = rng.Uniform(165, H);
    const double e = Elevation(x, y);
    if (e < 0.28 || e > 0.55) continue;
    if (Fbm(x / 60.0, y / 60.0, 3, 604) < 0.5) continue;  // in groves, not everywhere
    if (NearTrail(x, y, trail, 24)) continue;
    if (std::hypot(x - 207, y - 196) < 34 || std::hypot(x - 486, y - 372) < 40) continue;
    const double h = rng.Uniform(9, 15);
    Pine(cr, x, y, h, Mix({0.16, 0.32, 0.26}, {0.26, 0.42, 0.30}, rng.Uniform(0, 1)), rng);
  }
}

void Village(cairo_t* cr) {
  Rng rng(605);
  for (int i = 0; i < 9; ++i) {
    const double x = 30 + rng.Uniform(0, 110), y = 430 + rng.Uniform(0, 34);
    Rng blockRng(606 + uint32_t(i));
    TibetanBlock(cr, x, y, rng.Uniform(14, 22), rng.Uniform(9, 13), 4, 1, Haze{}, blockRng);
  }
}

void HighRange(Canvas& c) {
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, 140, 0, 130,
                   {{0, {0.20, 0.24, 0.42}}, {1, {0.52, 0.48, 0.62}}});
  RangeStyle range;
  range.lit = {0.38, 0.40, 0.56};
  range.shade = {0.20, 0.23, 0.38};
  range.haze = {0.40, 0.40, 0.56};
  range.hazeTop = 0.1;
  range.hazeBottom = 0.3;
  range.fadeY = 140;
  range.snowDepth = 12;
  range.snowLit = {0.86, 0.84, 0.90};
  range.snowShade = {0.50, 0.52, 0.70};
  range.bottom = 200;
  range.seed = 607;
  const std::vector<double> top = RidgeLine(
      W, {{0, 60}, {120, 30}, {260, 70}, {380, 38}, {520, 76}, {640, 30}, {760, 16}, {860, 50}, {916, 30}},
      16, 0.55, 607);
  PaintRange(c, top, range);
}

void MonasteryOnPeak(Canvas& c) {
  // Painted apart, then laid on the map with its foot fading into the forest.
  Canvas hillCanvas(W, H);
  RangeStyle peak;
  peak.lit = {0.62, 0.56, 0.52};
  peak.shade = {0.34, 0.34, 0.44};
  peak.haze = {0.5, 0.5, 0.6};
  peak.hazeTop = 0.0;
  peak.hazeBottom = 0.0;
  peak.snowDepth = 16;
  peak.ledges = 14;
  peak.bottom = 300;
  peak.seed = 608;
  std::vector<double> top(W + 1, 1e9);
  const std::vector<double> hill =
      RidgeLine(W, {{650, 280}, {720, 168}, {800, 150}, {880, 176}, {930, 240}}, 5, 0.5, 608);
  for (int x = 660; x <= W; ++x) top[size_t(x)] = hill[size_t(x)];
  PaintRange(hillCanvas, top, peak);
  cairo_t* cr = c.cr();
  cairo_pattern_t* fade = cairo_pattern_create_linear(0, 190, 0, 280);
  cairo_pattern_add_color_stop_rgba(fade, 0, 0, 0, 0, 1);
  cairo_pattern_add_color_stop_rgba(fade, 1, 0, 0, 0, 0);
  cairo_set_source_surface(cr, hillCanvas.surface(), 0, 0);
  cairo_mask(cr, fade);
  cairo_pattern_destroy(fade);
  Monastery(cr, 790, 156, 0.42, Haze{}, 609);
}

void ProgressCard(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  HighRange(c);
  PaintTerrain(c);
  const std::vector<Pt> trail = TrailPoints();
  Water(cr, 207, 196, 26, 18);
  Water(cr, 486, 374, 30, 20);
  River(cr);
  Forests(cr, trail);
  Village(cr);
  // Kora: the trail circles the stupa on its island.
  Stupa(cr, 486, 384, 34, Haze{});
  MonasteryOnPeak(c);
  // The trail: a soft shadow, a light sandy band, a dashed centre of footsteps.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  TrailPath(cr, trail);
  SetColor(cr, {0.22, 0.16, 0.10}, 0.35);
  cairo_set_line_width(cr, 10);
  cairo_stroke(cr);
  TrailPath(cr, trail);
  SetColor(cr, {0.90, 0.80, 0.58});
  cairo_set_line_width(cr, 6);
  cairo_stroke(cr);
  TrailPath(cr, trail);
  SetColor(cr, palette::maroon, 0.7);
  cairo_set_line_width(cr, 1.6);
  const double dash[2] = {3, 5};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  Bridge(cr, 330, 205, 0.5);
  // Dark lower edge for the map switch and its label.
  cairo_pattern_t* p = cairo_pattern_create_linear(0, 420, 0, H);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.10, 0.08, 0.10, 0);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.10, 0.08, 0.10, 0.6);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, 0, 420, W, H - 420);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  Vignette(c, 0.35);
  BrushTexture(c, 0.03, 610, 0);
  out.WritePng("gfx/card.png", c.surface());
}

}  // namespace
}  // namespace art

void GenerateSceneryCard(Output& out, const Sources&) { art::ProgressCard(out); }
