// The twister: a bending funnel of dust and mist with leaves riding it, 64 frames that
// loop seamlessly (every motion turns a whole number of times per loop).
#include "art_generators.h"
#include "art_paint.h"

#include <cmath>
#include <vector>

namespace art {

namespace {

void SetGradientStop(cairo_pattern_t* p, double at, Rgb c, double a = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, a);
}

void FillWith(cairo_t* cr, cairo_pattern_t* p) {
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// The twister's axis and radius at height y (pixels, top 6 .. tip 94) in frame phase t.
double TwisterAxis(double y, double t) {
  const double u = (94 - y) / 88;  // 0 at the tip, 1 at the top
  return 50 + 5 * std::sin(2 * M_PI * t + u * 3.0) * (0.3 + 0.7 * u) - 4 * (1 - u) * std::cos(2 * M_PI * t);
}
double TwisterRadius(double y) {
  const double u = Clamp01((94 - y) / 88);
  return 4 + 36 * std::pow(u, 1.35);
}

struct Streak {
  double y, start, length, width, alpha;
  int turns;  // whole turns per loop keep the animation seamless
};

// A body of slate-grey mist, denser and browner towards the ground: it keeps the funnel
// readable over pale snow and fog.
void DrawMist(cairo_t* cr, double t) {
  for (double y = 6; y < 95; y += 1) {
    const double ax = TwisterAxis(y, t), r = TwisterRadius(y);
    const double u = (94 - y) / 88;
    const Rgb c = Mix({0.46, 0.38, 0.30}, {0.40, 0.44, 0.54}, u);
    cairo_pattern_t* p = cairo_pattern_create_linear(ax - r, 0, ax + r, 0);
    SetGradientStop(p, 0, c, 0.0);
    SetGradientStop(p, 0.35, c, 0.28 + 0.1 * (1 - u));
    SetGradientStop(p, 0.65, c, 0.28 + 0.1 * (1 - u));
    SetGradientStop(p, 1, c, 0.0);
    cairo_rectangle(cr, ax - r, y, 2 * r, 1.05);
    FillWith(cr, p);
  }
}

// Each streak is a tapered ribbon; back halves first (dim), then the front (bright, with
// a dark underside so it shows against light skies too).
void DrawStreaks(cairo_t* cr, double t, const std::vector<Streak>& streaks) {
  for (int pass = 0; pass < 2; ++pass)
    for (const Streak& s : streaks) {
      const double r = TwisterRadius(s.y);
      const double phase = s.start + 2 * M_PI * s.turns * t;
      const int steps = 28;
      const Rgb c = Mix({0.70, 0.62, 0.52}, palette::snow, Clamp01((94 - s.y) / 70));
      std::vector<Vec2> mid;
      std::vector<double> half;
      auto flush = [&] {
        if (mid.size() >= 2) {
          auto trace = [&](double dx, double dy) {
            cairo_new_path(cr);
            for (size_t i = 0; i < mid.size(); ++i) cairo_line_to(cr, mid[i].x + dx, mid[i].y + dy - half[i]);
            for (size_t i = mid.size(); i-- > 0;) cairo_line_to(cr, mid[i].x + dx, mid[i].y + dy + half[i]);
            cairo_close_path(cr);
          };
          if (pass == 1) {
            trace(0.4, 1.1);
            SetColor(cr, {0.22, 0.20, 0.26}, s.alpha * 0.75);
            cairo_fill(cr);
          }
          trace(0, 0);
          SetColor(cr, c, s.alpha * (pass == 1 ? 0.9 : 0.35));
          cairo_fill(cr);
        }
        mid.clear();
        half.clear();
      };
      for (int i = 0; i <= steps; ++i) {
        const double a = phase + s.length * i / steps;
        const bool front = std::sin(a) > 0;
        if (front != (pass == 1)) {
          flush();
          continue;
        }
        const double y = s.y + 0.22 * r * std::sin(a) - 2.0 * std::cos(a);
        mid.push_back({TwisterAxis(y, t) + r * std::cos(a), y});
        half.push_back(0.5 * s.width * std::sin(M_PI * i / steps) + 0.05);
      }
      flush();
    }
}

// Leaves: each circles a whole number of times per loop and bobs once.
void DrawLeaves(cairo_t* cr, double t) {
  const Rgb leafColours[4] = {palette::jade, palette::saffron, {0.70, 0.20, 0.12}, {0.55, 0.62, 0.20}};
  for (int i = 0; i < 9; ++i) {
    const double y = 18 + 8.5 * i + 4 * std::sin(2 * M_PI * t + i * 1.7);
    const double r = TwisterRadius(y) + 3;
    const double a = i * 2.4 + 2 * M_PI * (1 + i % 2) * t;
    const double x = TwisterAxis(y, t) + r * std::cos(a);
    const double yy = y + 0.22 * r * std::sin(a);
    const double depth = 0.65 + 0.35 * std::sin(a);
    cairo_save(cr);
    cairo_translate(cr, x, yy);
    cairo_rotate(cr, i * 0.9 + 2 * M_PI * (i % 3 + 1) * t);
    cairo_scale(cr, 1.0, 0.45 + 0.35 * std::abs(std::cos(2 * M_PI * 2 * t + i)));
    cairo_move_to(cr, -4, 0);
    cairo_curve_to(cr, -2, -3, 2, -3, 4, 0);
    cairo_curve_to(cr, 2, 3, -2, 3, -4, 0);
    cairo_restore(cr);
    const Rgb c = Mix(leafColours[i % 4], {0.25, 0.2, 0.2}, 1 - depth);
    SetColor(cr, c, 0.95);
    cairo_fill(cr);
  }
}

// Dust kicked up at the tip.
void DrawDust(cairo_t* cr, double t) {
  const double tipX = TwisterAxis(94, t);
  cairo_save(cr);
  cairo_translate(cr, tipX, 93);
  cairo_scale(cr, 1.0, 0.3);
  cairo_pattern_t* dust = cairo_pattern_create_radial(0, 0, 0, 0, 0, 16);
  SetGradientStop(dust, 0, {0.62, 0.52, 0.40}, 0.5);
  SetGradientStop(dust, 1, {0.62, 0.52, 0.40}, 0.0);
  cairo_arc(cr, 0, 0, 16, 0, 2 * M_PI);
  FillWith(cr, dust);
  cairo_restore(cr);
}

// Frame k of 64: streaks of dust and mist wound round a bending funnel, leaves riding it.
RgbaImage PaintTwisterFrame(int k, const std::vector<Streak>& streaks) {
  const double t = k / 64.0;
  return PaintCairo(100, 100, [&](cairo_t* cr) {
    DrawMist(cr, t);
    DrawStreaks(cr, t, streaks);
    DrawLeaves(cr, t);
    DrawDust(cr, t);
  });
}

RgbaImage PaintTwister() {
  Rng rng(4700);
  std::vector<Streak> streaks;
  for (int i = 0; i < 26; ++i) {
    Streak s;
    s.y = 8 + 84.0 * i / 25 + rng.Uniform(-1.5, 1.5);
    s.start = rng.Uniform(0, 2 * M_PI);
    s.length = rng.Uniform(2.0, 4.2);
    s.width = rng.Uniform(1.4, 3.2);
    s.alpha = rng.Uniform(0.35, 0.7);
    s.turns = 1 + int(s.y < 50) + rng.Int(0, 1);
    streaks.push_back(s);
  }
  RgbaImage strip(6400, 100);
  for (int k = 0; k < 64; ++k) Blit(strip, PaintTwisterFrame(k, streaks), k * 100, 0);
  Finish(strip);
  return strip;
}

}  // namespace

}  // namespace art

void GenerateTwister(Output& out, const Sources&) {
  out.WritePng("gfx/Twister.png", art::PaintTwister());
}
