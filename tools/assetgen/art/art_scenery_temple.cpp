#include "art_scenery_temple.h"

#include "art_scenery_paint.h"

#include <algorithm>
#include <cmath>

namespace art {

namespace {

constexpr Rgb WALL{0.95, 0.92, 0.85};
constexpr Rgb WALL_SHADE{0.66, 0.67, 0.76};
constexpr Rgb FRIEZE{0.46, 0.13, 0.14};
constexpr Rgb WINDOW{0.16, 0.10, 0.09};

void Quad(cairo_t* cr, double x0, double y0, double x1, double y1, double x2, double y2,
          double x3, double y3) {
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_line_to(cr, x2, y2);
  cairo_line_to(cr, x3, y3);
  cairo_close_path(cr);
}

void Window(cairo_t* cr, double cx, double top, double w, double h, const Haze& haze) {
  // Tibetan window: a dark frame wider at the bottom, a coloured awning above.
  SetColor(cr, haze.Apply(WINDOW));
  Quad(cr, cx - w * 0.55, top, cx + w * 0.55, top, cx + w * 0.75, top + h, cx - w * 0.75, top + h);
  cairo_fill(cr);
  SetColor(cr, haze.Apply({0.30, 0.16, 0.10}));
  cairo_rectangle(cr, cx - w * 0.32, top + h * 0.12, w * 0.64, h * 0.78);
  cairo_fill(cr);
  SetColor(cr, haze.Apply(palette::saffron));
  cairo_rectangle(cr, cx - w * 0.6, top - h * 0.14, w * 1.2, h * 0.12);
  cairo_fill(cr);
}

}  // namespace

void TibetanBlock(cairo_t* cr, double x, double baseY, double w, double h, double side,
                  int windowRows, const Haze& haze, Rng& rng) {
  const double taper = h * 0.07;
  const double rise = side * 0.45;
  const double top = baseY - h;
  // Side face in shadow, then the lit front face with a soft vertical gradient.
  SetColor(cr, haze.Apply(WALL_SHADE));
  Quad(cr, x + w, baseY, x + w + side, baseY - rise, x + w + side - taper, top - rise,
       x + w - taper, top);
  cairo_fill(cr);
  const Rgb wallTop = haze.Apply(WALL), wallFoot = haze.Apply(Scale(WALL, 0.86));
  cairo_pattern_t* p = cairo_pattern_create_linear(0, top, 0, baseY);
  cairo_pattern_add_color_stop_rgb(p, 0, wallTop.r, wallTop.g, wallTop.b);
  cairo_pattern_add_color_stop_rgb(p, 1, wallFoot.r, wallFoot.g, wallFoot.b);
  cairo_set_source(cr, p);
  Quad(cr, x, baseY, x + w, baseY, x + w - taper, top, x + taper, top);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Maroon frieze under the roof, on both faces, and the dark roof edge.
  const double fh = std::max(1.5, h * 0.13);
  SetColor(cr, haze.Apply(FRIEZE));
  Quad(cr, x + taper, top + fh, x + w - taper, top + fh, x + w - taper, top, x + taper, top);
  cairo_fill(cr);
  SetColor(cr, haze.Apply(Scale(FRIEZE, 0.7)));
  Quad(cr, x + w - taper, top + fh, x + w + side - taper, top + fh - rise, x + w + side - taper,
       top - rise, x + w - taper, top);
  cairo_fill(cr);
  SetColor(cr, haze.Apply({0.28, 0.20, 0.17}));
  Quad(cr, x + taper - 1, top, x + w - taper + 1, top, x + w + side - taper + 1, top - rise,
       x + w + side - taper + 1, top - rise - std::max(1.0, h * 0.03));
  cairo_line_to(cr, x + taper - 1, top - std::max(1.0, h * 0.03));
  cairo_fill(cr);
  // Gold corner ornaments on the roof.
  if (w > 30) {
    SetColor(cr, haze.Apply(palette::gold));
    for (double cx : {x + taper + 2, x + w - taper - 2}) {
      cairo_rectangle(cr, cx - w * 0.02, top - h * 0.12, w * 0.04, h * 0.12);
      cairo_fill(cr);
    }
  }
  // Windows.
  const double ww = std::max(2.0, w * 0.07), wh = ww * 1.3;
  const int cols = std::max(1, int(w / (ww * 3.2)));
  for (int r = 0; r < windowRows; ++r) {
    const double wy = top + fh + h * 0.12 + r * wh * 2.0;
    if (wy + wh > baseY - h * 0.12) break;
    for (int c = 0; c < cols; ++c) {
      if (rng.Uniform(0, 1) < 0.12) continue;
      const double cx = x + w * (c + 0.5) / cols;
      Window(cr, cx, wy, ww, wh, haze);
    }
  }
  // A door in wide blocks.
  if (w > 60 && h > 40) {
    const double dw = w * 0.12, dh = h * 0.3;
    SetColor(cr, haze.Apply(palette::maroon));
    cairo_rectangle(cr, x + w / 2 - dw / 2, baseY - dh, dw, dh);
    cairo_fill(cr);
    SetColor(cr, haze.Apply(palette::gold));
    cairo_rectangle(cr, x + w / 2 - dw / 2 - 1, baseY - dh - 2, dw + 2, 2);
    cairo_fill(cr);
  }
}

void GoldRoof(cairo_t* cr, double cx, double y, double w, double h, const Haze& haze) {
  const Rgb light = haze.Apply(palette::goldLight), mid = haze.Apply(palette::gold),
            dark = haze.Apply(Scale(palette::gold, 0.55));
  cairo_pattern_t* p = cairo_pattern_create_linear(cx - w / 2, 0, cx + w / 2, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, light.r, light.g, light.b);
  cairo_pattern_add_color_stop_rgb(p, 0.5, mid.r, mid.g, mid.b);
  cairo_pattern_add_color_stop_rgb(p, 1, dark.r, dark.g, dark.b);
  cairo_set_source(cr, p);
  // Roof body with upturned eaves.
  cairo_move_to(cr, cx - w / 2 - w * 0.08, y - h * 0.28);
  cairo_curve_to(cr, cx - w / 2 + w * 0.05, y - h * 0.05, cx - w * 0.3, y - h * 0.02, cx, y);
  cairo_curve_to(cr, cx + w * 0.3, y - h * 0.02, cx + w / 2 - w * 0.05, y - h * 0.05,
                 cx + w / 2 + w * 0.08, y - h * 0.28);
  cairo_curve_to(cr, cx + w * 0.35, y - h * 0.3, cx + w * 0.18, y - h * 0.7, cx + w * 0.12,
                 y - h);
  cairo_line_to(cr, cx - w * 0.12, y - h);
  cairo_curve_to(cr, cx - w * 0.18, y - h * 0.7, cx - w * 0.35, y - h * 0.3,
                 cx - w / 2 - w * 0.08, y - h * 0.28);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Ridged tiles.
  SetColor(cr, dark, 0.5);
  cairo_set_line_width(cr, std::max(0.5, w * 0.008));
  for (int i = 1; i < 8; ++i) {
    const double t = i / 8.0 - 0.5;
    cairo_move_to(cr, cx + t * w * 0.24, y - h);
    cairo_line_to(cr, cx + t * w * 0.95, y - h * 0.08);
    cairo_stroke(cr);
  }
  // Finial: a vase on a stem.
  SetColor(cr, light);
  const double fx = cx, fy = y - h;
  cairo_rectangle(cr, fx - w * 0.015, fy - h * 0.6, w * 0.03, h * 0.6);
  cairo_fill(cr);
  cairo_arc(cr, fx, fy - h * 0.35, w * 0.05, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_arc(cr, fx, fy - h * 0.62, w * 0.03, 0, 2 * M_PI);
  cairo_fill(cr);
}

void Monastery(cairo_t* cr, double cx, double baseY, double s, const Haze& haze, uint32_t seed) {
  Rng rng(seed);
  // Back wings, then the main hall, then the lower buildings down the slope.
  TibetanBlock(cr, cx - 120 * s, baseY - 18 * s, 80 * s, 55 * s, 14 * s, 2, haze, rng);
  TibetanBlock(cr, cx + 48 * s, baseY - 14 * s, 76 * s, 60 * s, 16 * s, 2, haze, rng);
  TibetanBlock(cr, cx - 52 * s, baseY - 8 * s, 104 * s, 98 * s, 18 * s, 3, haze, rng);
  GoldRoof(cr, cx + 2 * s, baseY - 106 * s - 8 * s * 0.45, 92 * s, 34 * s, haze);
  TibetanBlock(cr, cx - 160 * s, baseY + 20 * s, 110 * s, 36 * s, 12 * s, 1, haze, rng);
  TibetanBlock(cr, cx - 30 * s, baseY + 30 * s, 130 * s, 40 * s, 12 * s, 1, haze, rng);
  TibetanBlock(cr, cx + 110 * s, baseY + 24 * s, 64 * s, 34 * s, 10 * s, 1, haze, rng);
  Stupa(cr, cx + 160 * s, baseY + 26 * s, 44 * s, haze);
}

void Stupa(cairo_t* cr, double x, double baseY, double size, const Haze& haze) {
  const Rgb wall = haze.Apply(WALL), shade = haze.Apply(WALL_SHADE);
  auto shaded = [&](double x0, double x1) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
    cairo_pattern_add_color_stop_rgb(p, 0, wall.r, wall.g, wall.b);
    cairo_pattern_add_color_stop_rgb(p, 0.55, wall.r * 0.95, wall.g * 0.95, wall.b * 0.95);
    cairo_pattern_add_color_stop_rgb(p, 1, shade.r, shade.g, shade.b);
    return p;
  };
  // Three steps.
  double y = baseY;
  for (int i = 0; i < 3; ++i) {
    const double w = size * (1.0 - i * 0.16), h = size * 0.12;
    cairo_pattern_t* p = shaded(x - w / 2, x + w / 2);
    cairo_set_source(cr, p);
    cairo_rectangle(cr, x - w / 2, y - h, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    y -= h;
  }
  // Dome.
  const double r = size * 0.3;
  cairo_pattern_t* p = shaded(x - r, x + r);
  cairo_set_source(cr, p);
  cairo_move_to(cr, x - r * 1.05, y);
  cairo_curve_to(cr, x - r * 1.1, y - r * 1.4, x + r * 1.1, y - r * 1.4, x + r * 1.05, y);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  y -= r * 1.02;
  // Harmika and the golden spire of rings.
  SetColor(cr, haze.Apply(palette::maroon));
  cairo_rectangle(cr, x - size * 0.09, y - size * 0.1, size * 0.18, size * 0.1);
  cairo_fill(cr);
  y -= size * 0.1;
  const Rgb g = haze.Apply(palette::gold), gl = haze.Apply(palette::goldLight);
  for (int i = 0; i < 9; ++i) {
    const double w = size * (0.14 - i * 0.011);
    SetColor(cr, i % 2 ? g : gl);
    cairo_rectangle(cr, x - w / 2, y - size * 0.045, w, size * 0.045);
    cairo_fill(cr);
    y -= size * 0.045;
  }
  SetColor(cr, gl);
  cairo_move_to(cr, x - size * 0.12, y);
  cairo_curve_to(cr, x - size * 0.05, y - size * 0.06, x + size * 0.05, y - size * 0.06,
                 x + size * 0.12, y);
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_arc(cr, x, y - size * 0.1, size * 0.035, 0, 2 * M_PI);
  cairo_fill(cr);
}

void PrayerFlags(cairo_t* cr, double x0, double y0, double x1, double y1, double sag,
                 double size, const Haze& haze, uint32_t seed) {
  static constexpr Rgb kColours[5] = {
      {0.22, 0.42, 0.74}, {0.95, 0.94, 0.90}, {0.80, 0.22, 0.16}, {0.22, 0.58, 0.36},
      {0.96, 0.78, 0.22}};
  Rng rng(seed);
  auto at = [&](double t, double& x, double& y) {
    x = x0 + (x1 - x0) * t;
    y = y0 + (y1 - y0) * t + sag * 4 * t * (1 - t);
  };
  SetColor(cr, haze.Apply({0.35, 0.28, 0.22}), 0.9);
  cairo_set_line_width(cr, std::max(0.6, size * 0.06));
  for (int i = 0; i <= 40; ++i) {
    double x, y;
    at(i / 40.0, x, y);
    if (i == 0) cairo_move_to(cr, x, y);
    else cairo_line_to(cr, x, y);
  }
  cairo_stroke(cr);
  const double len = std::hypot(x1 - x0, y1 - y0);
  const int n = std::max(2, int(len / (size * 1.25)));
  for (int i = 1; i < n; ++i) {
    double x, y;
    at(double(i) / n, x, y);
    const Rgb c = haze.Apply(Scale(kColours[i % 5], rng.Uniform(0.85, 1.05)));
    const double sway = rng.Uniform(-0.25, 0.25) * size;
    const double w = size * 0.9, h = size * 1.05;
    SetColor(cr, c, 0.95);
    cairo_move_to(cr, x - w / 2, y);
    cairo_line_to(cr, x + w / 2, y);
    cairo_curve_to(cr, x + w / 2 + sway * 0.5, y + h * 0.4, x + w / 2 + sway, y + h * 0.7,
                   x + w / 2 + sway, y + h);
    cairo_line_to(cr, x - w / 2 + sway, y + h);
    cairo_curve_to(cr, x - w / 2 + sway, y + h * 0.7, x - w / 2 + sway * 0.5, y + h * 0.4,
                   x - w / 2, y);
    cairo_close_path(cr);
    cairo_fill(cr);
    // A faint printed mark in the middle of each flag.
    SetColor(cr, Scale(c, 0.7), 0.5);
    cairo_arc(cr, x + sway * 0.5, y + h * 0.5, size * 0.14, 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

void Pillar(cairo_t* cr, double x, double y0, double y1, double w) {
  const Rgb hi = Scale(palette::lacquerLight, 1.35), mid = palette::lacquerLight,
            lo = Scale(palette::lacquer, 0.7);
  cairo_pattern_t* p = cairo_pattern_create_linear(x - w / 2, 0, x + w / 2, 0);
  cairo_pattern_add_color_stop_rgb(p, 0, mid.r, mid.g, mid.b);
  cairo_pattern_add_color_stop_rgb(p, 0.28, hi.r, hi.g, hi.b);
  cairo_pattern_add_color_stop_rgb(p, 0.6, mid.r, mid.g, mid.b);
  cairo_pattern_add_color_stop_rgb(p, 1, lo.r, lo.g, lo.b);
  cairo_set_source(cr, p);
  cairo_rectangle(cr, x - w / 2, y0, w, y1 - y0);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  // Gold bands near both ends.
  const Rgb gl = palette::goldLight, g = Scale(palette::gold, 0.6);
  for (double by : {y0 + w * 0.6, y1 - w * 0.9}) {
    cairo_pattern_t* b = cairo_pattern_create_linear(x - w / 2, 0, x + w / 2, 0);
    cairo_pattern_add_color_stop_rgb(b, 0, g.r, g.g, g.b);
    cairo_pattern_add_color_stop_rgb(b, 0.3, gl.r, gl.g, gl.b);
    cairo_pattern_add_color_stop_rgb(b, 1, g.r, g.g, g.b);
    cairo_set_source(cr, b);
    cairo_rectangle(cr, x - w / 2 - 1, by, w + 2, w * 0.18);
    cairo_rectangle(cr, x - w / 2 - 1, by + w * 0.28, w + 2, w * 0.08);
    cairo_fill(cr);
    cairo_pattern_destroy(b);
  }
}

void Lantern(cairo_t* cr, double x, double y, double size) {
  Glow(cr, x, y, size * 2.2, palette::saffron, 0.35);
  SetColor(cr, palette::ink, 0.8);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, x, y - size * 2);
  cairo_line_to(cr, x, y - size * 0.6);
  cairo_stroke(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(x - size * 0.2, y - size * 0.1, size * 0.1, x, y,
                                                   size * 0.7);
  cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.86, 0.5);
  cairo_pattern_add_color_stop_rgb(p, 0.6, 0.92, 0.42, 0.14);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.16, 0.10);
  cairo_set_source(cr, p);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, size * 0.55, size * 0.68);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
  SetColor(cr, palette::gold);
  cairo_rectangle(cr, x - size * 0.3, y - size * 0.74, size * 0.6, size * 0.12);
  cairo_rectangle(cr, x - size * 0.3, y + size * 0.62, size * 0.6, size * 0.12);
  cairo_fill(cr);
  SetColor(cr, palette::maroon);
  cairo_set_line_width(cr, size * 0.06);
  cairo_move_to(cr, x, y + size * 0.74);
  cairo_line_to(cr, x, y + size * 1.2);
  cairo_stroke(cr);
}

void HallWall(Canvas& c, uint32_t seed) {
  const int w = c.width(), h = c.height();
  Wood(c, 0, 0, w, h, {0.40, 0.15, 0.10}, true, seed);
  cairo_t* cr = c.cr();
  // Recessed panels with a thin gold moulding.
  const int panels = 5;
  const double pw = (w - 40.0) / panels;
  for (int i = 0; i < panels; ++i) {
    const double x = 20 + i * pw + 10;
    SetColor(cr, {0.10, 0.03, 0.02}, 0.25);
    cairo_rectangle(cr, x, 40, pw - 20, h - 80);
    cairo_fill(cr);
    SetColor(cr, palette::gold, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_rectangle(cr, x + 0.75, 40.75, pw - 21.5, h - 81.5);
    cairo_stroke(cr);
  }
  // Painted beam: jade, gold and maroon bands.
  VerticalGradient(cr, 0, 0, w, 26, 0, 26,
                   {{0, {0.50, 0.20, 0.12}}, {1, {0.28, 0.09, 0.06}}});
  for (int i = 0; i * 24 < w; ++i) {
    static constexpr Rgb kBand[3] = {palette::jade, palette::gold, palette::saffron};
    SetColor(cr, kBand[i % 3], 0.8);
    cairo_arc(cr, i * 24 + 12, 13, 5, 0, 2 * M_PI);
    cairo_fill(cr);
  }
  SetColor(cr, palette::gold, 0.9);
  cairo_rectangle(cr, 0, 26, w, 2);
  cairo_fill(cr);
  // Warm light in the middle, shade towards the corners.
  cairo_pattern_t* p = cairo_pattern_create_radial(w / 2.0, h * 0.45, 40, w / 2.0, h * 0.45, w * 0.7);
  cairo_pattern_add_color_stop_rgba(p, 0, 1.0, 0.70, 0.40, 0.18);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.06, 0.02, 0.02, 0.45);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

void InsetPanel(cairo_t* cr, double x, double y, double w, double h, Rgb fill, double alpha) {
  const double r = 6;
  auto path = [&](double inset) {
    const double x0 = x + inset, y0 = y + inset, x1 = x + w - inset, y1 = y + h - inset;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x1 - r, y0 + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x1 - r, y1 - r, r, 0, M_PI / 2);
    cairo_arc(cr, x0 + r, y1 - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x0 + r, y0 + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
  };
  path(0);
  SetColor(cr, fill, alpha);
  cairo_fill(cr);
  // Inner shadow along the top and left, light along the bottom and right: recessed.
  cairo_save(cr);
  path(0);
  cairo_clip(cr);
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y + 14);
  cairo_pattern_add_color_stop_rgba(p, 0, 0.05, 0.03, 0.03, 0.45);
  cairo_pattern_add_color_stop_rgba(p, 1, 0.05, 0.03, 0.03, 0);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
  cairo_restore(cr);
  path(0.5);
  SetColor(cr, palette::gold, 0.95);
  cairo_set_line_width(cr, 2);
  cairo_stroke(cr);
  path(-2.5);
  SetColor(cr, Scale(palette::gold, 0.5), 0.7);
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
}

}  // namespace art
