#include "art_scenery_paint.h"

#include <algorithm>
#include <cmath>

namespace art {

Canvas::Canvas(int width, int height)
    : surface_(NewSurface(width, height)), cr_(cairo_create(surface_)), width_(width),
      height_(height) {}

Canvas::~Canvas() {
  cairo_destroy(cr_);
  cairo_surface_destroy(surface_);
}

void Canvas::BeginPixels() { cairo_surface_flush(surface_); }
void Canvas::EndPixels() { cairo_surface_mark_dirty(surface_); }

uint32_t* Canvas::Row(int y) const {
  return reinterpret_cast<uint32_t*>(cairo_image_surface_get_data(surface_) +
                                     size_t(y) * cairo_image_surface_get_stride(surface_));
}

Rgb Canvas::Get(int x, int y) const {
  x = std::clamp(x, 0, width_ - 1);
  y = std::clamp(y, 0, height_ - 1);
  const uint32_t p = Row(y)[x];
  const double a = (p >> 24) / 255.0;
  if (a <= 0) return {0, 0, 0};
  return {((p >> 16) & 255) / 255.0 / a, ((p >> 8) & 255) / 255.0 / a, (p & 255) / 255.0 / a};
}

double Canvas::Alpha(int x, int y) const { return (Row(y)[x] >> 24) / 255.0; }

void Canvas::Blend(int x, int y, Rgb c, double a) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_ || a <= 0) return;
  a = std::min(a, 1.0);
  uint32_t& p = Row(y)[x];
  const double da = (p >> 24) / 255.0;
  const double dr = ((p >> 16) & 255) / 255.0, dg = ((p >> 8) & 255) / 255.0,
               db = (p & 255) / 255.0;
  auto q = [](double v) { return uint32_t(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); };
  const double k = 1 - a;
  p = (q(a + da * k) << 24) | (q(c.r * a + dr * k) << 16) | (q(c.g * a + dg * k) << 8) |
      q(c.b * a + db * k);
}

void Canvas::Set(int x, int y, Rgb c, double alpha) {
  auto q = [](double v) { return uint32_t(std::clamp(v, 0.0, 1.0) * 255.0 + 0.5); };
  Row(y)[x] = (q(alpha) << 24) | (q(c.r * alpha) << 16) | (q(c.g * alpha) << 8) | q(c.b * alpha);
}

RgbaImage Canvas::Image() const { return FromCairo(surface_); }

double SmoothStep(double e0, double e1, double v) {
  const double t = Clamp01((v - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

Rgb Scale(Rgb c, double k) { return {Clamp01(c.r * k), Clamp01(c.g * k), Clamp01(c.b * k)}; }

void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, double y0,
                      double y1, std::initializer_list<Stop> stops) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  for (const Stop& s : stops) cairo_pattern_add_color_stop_rgb(p, s.at, s.color.r, s.color.g, s.color.b);
  cairo_rectangle(cr, x, y, w, h);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Glow(cairo_t* cr, double x, double y, double r, Rgb c, double a) {
  cairo_pattern_t* p = cairo_pattern_create_radial(x, y, 0, x, y, r);
  cairo_pattern_add_color_stop_rgba(p, 0, c.r, c.g, c.b, a);
  cairo_pattern_add_color_stop_rgba(p, 0.35, c.r, c.g, c.b, a * 0.45);
  cairo_pattern_add_color_stop_rgba(p, 1, c.r, c.g, c.b, 0);
  cairo_set_source(cr, p);
  cairo_arc(cr, x, y, r, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

namespace {

// Key points joined by cosine-eased segments.
std::vector<double> KeyCurve(int width, const std::vector<std::pair<double, double>>& k) {
  std::vector<double> top(size_t(width) + 1);
  for (int x = 0; x <= width; ++x) {
    size_t i = 0;
    while (i + 2 < k.size() && x > k[i + 1].first) ++i;
    const double t = Clamp01((x - k[i].first) / std::max(1e-6, k[i + 1].first - k[i].first));
    // Concave flanks: a sharp crest at the higher end, a rounded valley at the lower.
    const double s = k[i + 1].second < k[i].second ? t * t : 1 - (1 - t) * (1 - t);
    top[size_t(x)] = k[i].second + (k[i + 1].second - k[i].second) * s;
  }
  return top;
}

}  // namespace

std::vector<double> RidgeLine(int width, const std::vector<std::pair<double, double>>& keys,
                              double detail, double roughness, uint32_t seed) {
  std::vector<double> top = KeyCurve(width, keys);
  // Midpoint displacement over a power-of-two span covering the width.
  int n = 1;
  while (n < width) n *= 2;
  std::vector<double> d(size_t(n) + 1, 0.0);
  Rng rng(seed);
  double amp = detail;
  for (int step = n; step > 1; step /= 2) {
    for (int i = 0; i + step <= n; i += step)
      d[size_t(i + step / 2)] = (d[size_t(i)] + d[size_t(i + step)]) / 2 + rng.Uniform(-amp, amp);
    amp *= roughness;
  }
  for (int x = 0; x <= width; ++x) top[size_t(x)] += d[size_t(x)];
  return top;
}

std::vector<double> RandomRidge(int width, double yHigh, double yLow, double spacing,
                                double detail, uint32_t seed) {
  Rng rng(seed ^ 0x5bd1e995u);
  std::vector<std::pair<double, double>> keys;
  bool peak = rng.Int(0, 1) == 1;
  for (double x = -spacing * rng.Uniform(0.1, 0.6); x < width + spacing; peak = !peak) {
    const double t = peak ? rng.Uniform(0.0, 0.45) : rng.Uniform(0.6, 1.0);
    keys.push_back({x, yHigh + (yLow - yHigh) * t});
    x += spacing * rng.Uniform(0.35, 0.75);
  }
  return RidgeLine(width, keys, detail, 0.55, seed);
}

namespace {

double TopAt(const std::vector<double>& top, double x) {
  const double last = double(top.size() - 1);
  x = std::clamp(x, 0.0, last);
  const size_t i = size_t(x);
  if (i + 1 >= top.size()) return top.back();
  const double f = x - double(i);
  return top[i] * (1 - f) + top[i + 1] * f;
}

}  // namespace

void PaintRange(Canvas& c, const std::vector<double>& top, const RangeStyle& s) {
  c.BeginPixels();
  const int w = c.width();
  const int bottom = int(std::min<double>(c.height(), s.bottom));
  double crest = 1e9;
  for (double t : top) crest = std::min(crest, t);
  const int last = int(top.size()) - 1;
  for (int x = 0; x < w; ++x) {
    const double t0 = top[size_t(std::min(x, last))];
    const int yStart = std::max(0, int(std::floor(std::min(t0, TopAt(top, x + 1.0)))) - 1);
    for (int y = yStart; y < bottom; ++y) {
      double cov = 0;
      for (int k = 0; k < 4; ++k) cov += Clamp01(y + 1 - TopAt(top, x + (k + 0.5) / 4));
      cov /= 4;
      if (cov <= 0) continue;
      const double d = std::max(0.0, y - t0);
      const int r = 2 + int(d * 0.5);
      const double slope = (top[size_t(std::min(x + r, last))] - top[size_t(std::max(x - r, 0))]) /
                           (2.0 * r);
      const double lit = std::tanh(-slope * s.light * 1.6);
      const double stri = Fbm(x / 9.0 - slope * std::min(d, 50.0) / 9.0, d / 45.0, 3, s.seed);
      // Gullies fade out towards the foot, where they would only streak the slope.
      const double texture = s.texture / (1 + d / 90);
      double t = Clamp01(0.5 + 0.55 * lit + texture * (stri - 0.5) * 1.6);
      if (s.ledges > 0) {
        // Rock strata: a lit ledge top with a shadow under it, wandering with the noise.
        const double band = y / s.ledges + Fbm(x / 70.0, y / 90.0, 3, s.seed + 29) * 2.5;
        const double f = band - std::floor(band);
        t = Clamp01(t + 0.35 * SmoothStep(0.15, 0.0, f) - 0.3 * SmoothStep(0.15, 0.35, f) *
                                                            SmoothStep(0.6, 0.35, f));
      }
      Rgb col = Mix(s.shade, s.lit, t);
      if (s.snowDepth > 0) {
        // Snow runs down the gullies (the striation noise) and thins on shaded faces.
        const double n = Fbm(x / 30.0, y / 20.0, 3, s.seed + 17);
        const double reach = s.snowDepth * (0.15 + 1.9 * stri * stri) * (0.5 + 0.8 * n) *
                             (0.45 + 0.55 * t);
        double snow = SmoothStep(reach + 2, reach - 2, d);
        snow *= SmoothStep(s.snowLineY + 25 * n, s.snowLineY - 20 + 25 * n, y);
        col = Mix(col, Mix(s.snowShade, s.snowLit, Clamp01(t * 1.2 - 0.1)), snow);
      }
      const double f = Clamp01((y - crest) / std::max(1.0, s.fadeY - crest));
      const double haze = s.hazeTop + (s.hazeBottom - s.hazeTop) * std::pow(f, 1.3);
      col = Mix(col, s.haze, Clamp01(haze));
      c.Blend(x, y, col, cov);
    }
  }
  c.EndPixels();
}

void Mist(Canvas& c, double y, double halfHeight, Rgb color, double alpha, double scale,
          uint32_t seed) {
  c.BeginPixels();
  const int y0 = std::max(0, int(y - halfHeight * 1.6));
  const int y1 = std::min(c.height(), int(y + halfHeight * 1.6) + 1);
  for (int py = y0; py < y1; ++py) {
    const double band = std::exp(-std::pow((py - y) / halfHeight, 2) * 1.5);
    for (int px = 0; px < c.width(); ++px) {
      const double n = Fbm(px / (scale * 2.2), py / scale, 4, seed);
      const double a = alpha * band * SmoothStep(0.28, 0.72, n + (band - 0.5) * 0.35);
      if (a > 0.002) c.Blend(px, py, color, a);
    }
  }
  c.EndPixels();
}

void SkyClouds(Canvas& c, double y0, double y1, Rgb lit, Rgb shade, double alpha,
               double coverage, uint32_t seed) {
  c.BeginPixels();
  const double mid = (y0 + y1) / 2, half = (y1 - y0) / 2;
  for (int py = std::max(0, int(y0)); py < std::min(c.height(), int(y1)); ++py) {
    const double env = 1 - std::pow((py - mid) / half, 2);
    for (int px = 0; px < c.width(); ++px) {
      const double n = Fbm(px / 110.0, py / 18.0, 5, seed);
      const double dens = SmoothStep(1 - coverage, 1 - coverage + 0.25, n) * env;
      if (dens <= 0.003) continue;
      const double up = Fbm(px / 110.0, (py - 4) / 18.0, 5, seed);  // lit where density rises
      const Rgb col = Mix(shade, lit, Clamp01(0.5 + (n - up) * 12));
      c.Blend(px, py, col, alpha * dens);
    }
  }
  c.EndPixels();
}

void Pine(cairo_t* cr, double x, double baseY, double height, Rgb color, Rng& rng,
          double snow) {
  const int tiers = std::max(3, int(height / 9));
  const double w = height * rng.Uniform(0.30, 0.40);
  // Trunk
  SetColor(cr, Scale(color, 0.7));
  cairo_rectangle(cr, x - height * 0.025, baseY - height * 0.25, height * 0.05, height * 0.25);
  cairo_fill(cr);
  std::vector<double> halves;
  for (int side = 0; side < 2; ++side) {
    // Lit half on the left, shaded half on the right.
    SetColor(cr, side == 0 ? Scale(color, 1.18) : Scale(color, 0.86));
    cairo_move_to(cr, x, baseY - height);
    for (int i = 1; i <= tiers; ++i) {
      const double t = double(i) / tiers;
      const double yy = baseY - height + t * height * 0.9;
      const double half = w * t * rng.Uniform(0.85, 1.15);
      halves.push_back(half);
      const double dir = side == 0 ? -1 : 1;
      cairo_line_to(cr, x + dir * half, yy + height * 0.02);
      cairo_line_to(cr, x + dir * half * 0.45, yy - height * 0.015);
    }
    cairo_line_to(cr, x, baseY - height * 0.08);
    cairo_close_path(cr);
    cairo_fill(cr);
  }
  if (snow <= 0) return;
  // Snow lies along the upper edge of each tier, thicker on the lit side.
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int side = 0; side < 2; ++side)
    for (int i = 1; i <= tiers; ++i) {
      const double t = double(i) / tiers;
      const double yy = baseY - height + t * height * 0.9;
      const double half = halves[size_t(side * tiers + i - 1)];
      const double dir = side == 0 ? -1 : 1;
      SetColor(cr, side == 0 ? palette::snow : Rgb{0.78, 0.84, 0.95}, snow);
      cairo_set_line_width(cr, height * (side == 0 ? 0.035 : 0.025));
      cairo_move_to(cr, x + dir * half * 0.15, yy - height * 0.09);
      cairo_line_to(cr, x + dir * half * 0.95, yy + height * 0.005);
      cairo_stroke(cr);
    }
}

void PineRow(cairo_t* cr, double x0, double x1, const std::vector<double>& ground,
             double height, double spacing, Rgb color, uint32_t seed, double snow) {
  Rng rng(seed);
  for (double x = x0; x < x1; x += spacing * rng.Uniform(0.5, 1.4)) {
    const double g = TopAt(ground, x) + height * 0.06;
    const double h = height * rng.Uniform(0.65, 1.3);
    Pine(cr, x, g, h, Scale(color, rng.Uniform(0.9, 1.1)), rng, snow);
  }
}

void LeafyTree(cairo_t* cr, double x, double baseY, double size, const std::vector<Rgb>& leaves,
               Rgb trunk, Rng& rng) {
  const double cy = baseY - size * 0.95;
  // Trunk and a few branches into the crown.
  SetColor(cr, trunk);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_move_to(cr, x - size * 0.06, baseY);
  cairo_curve_to(cr, x - size * 0.03, baseY - size * 0.3, x - size * 0.05, cy + size * 0.2, x, cy);
  cairo_line_to(cr, x + size * 0.04, cy + size * 0.2);
  cairo_curve_to(cr, x + size * 0.02, baseY - size * 0.3, x + size * 0.05, baseY - size * 0.1,
                 x + size * 0.07, baseY);
  cairo_close_path(cr);
  cairo_fill(cr);
  for (int b = 0; b < 4; ++b) {
    const double a = rng.Uniform(-2.3, -0.8);
    cairo_set_line_width(cr, size * 0.025);
    cairo_move_to(cr, x, cy + size * 0.25);
    cairo_line_to(cr, x + std::cos(a) * size * 0.45, cy + size * 0.2 + std::sin(a) * size * 0.35);
    cairo_stroke(cr);
  }
  // Crown: many small leaf clusters from back (dark) to front (lit from the upper left).
  const int n = 50 + int(size * 0.6);
  for (int i = 0; i < n; ++i) {
    const double depth = double(i) / n;
    const double ang = rng.Uniform(0, 2 * M_PI), rad = std::sqrt(rng.Uniform(0, 1));
    const double bx = x + std::cos(ang) * rad * size * 0.5;
    const double by = cy + std::sin(ang) * rad * size * 0.36 - depth * size * 0.05;
    const double r = size * rng.Uniform(0.07, 0.12) * (1.1 - 0.3 * depth);
    const Rgb base = leaves[size_t(rng.Int(0, int(leaves.size()) - 1))];
    const double light = 0.6 + 0.42 * depth + 0.3 * ((x - bx) + (cy - by)) / size;
    const Rgb col = Scale(base, light);
    cairo_pattern_t* p =
        cairo_pattern_create_radial(bx - r * 0.35, by - r * 0.35, r * 0.1, bx, by, r);
    cairo_pattern_add_color_stop_rgb(p, 0, std::min(1.0, col.r * 1.15), std::min(1.0, col.g * 1.15),
                                     std::min(1.0, col.b * 1.15));
    cairo_pattern_add_color_stop_rgb(p, 1, col.r * 0.8, col.g * 0.8, col.b * 0.8);
    cairo_set_source(cr, p);
    // Ragged outline of leaf tips.
    const int pts = 18;
    for (int k = 0; k <= pts; ++k) {
      const double aa = 2 * M_PI * k / pts;
      const double rr = r * (k % 2 ? rng.Uniform(0.72, 0.88) : rng.Uniform(0.95, 1.12));
      if (k == 0) cairo_move_to(cr, bx + rr * std::cos(aa), by + rr * std::sin(aa));
      else cairo_line_to(cr, bx + rr * std::cos(aa), by + rr * std::sin(aa));
    }
    cairo_close_path(cr);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
  }
  // A sprinkle of single lit leaves on the outside of the crown.
  for (int i = 0; i < int(size * 0.8); ++i) {
    const double ang = rng.Uniform(0, 2 * M_PI), rad = rng.Uniform(0.85, 1.1);
    const double lx = x + std::cos(ang) * rad * size * 0.5, ly = cy + std::sin(ang) * rad * size * 0.38;
    const Rgb base = leaves[size_t(rng.Int(0, int(leaves.size()) - 1))];
    SetColor(cr, Scale(base, 1.1), 0.9);
    cairo_arc(cr, lx, ly, std::max(0.7, size * 0.012), 0, 2 * M_PI);
    cairo_fill(cr);
  }
}

void FieldPatches(Canvas& c, int y0, int y1, double horizonY, double amount,
                  const std::vector<Rgb>& crops, uint32_t seed) {
  c.BeginPixels();
  for (int y = std::max(0, y0); y < std::min(c.height(), y1); ++y) {
    const double persp = std::max(0.05, (y - horizonY) / 200.0);  // nearer rows are larger
    for (int x = 0; x < c.width(); ++x) {
      const double u = (x - c.width() / 2.0) / persp, v = 60.0 / persp;
      const double cell = ValueNoise(u / 120.0 + Fbm(u / 300, v / 100, 2, seed) * 1.5,
                                     v / 40.0, seed + 1);
      const int id = int(cell * 7);
      const double edge = std::min(cell * 7 - id, id + 1 - cell * 7);
      Rgb col = Mix(c.Get(x, y), crops[size_t(id) % crops.size()], amount);
      col = Mix(col, Scale(col, 0.75), SmoothStep(0.08, 0.0, edge) * 0.6);
      c.Set(x, y, col);
    }
  }
  c.EndPixels();
}

void Reflect(Canvas& c, double waterY, Rgb tint, double tintAmount, double ripple, uint32_t seed) {
  c.BeginPixels();
  const int start = std::max(0, int(std::ceil(waterY)));
  std::vector<Rgb> src(size_t(c.width()) * size_t(c.height()));
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) src[size_t(y) * size_t(c.width()) + size_t(x)] = c.Get(x, y);
  auto at = [&](double x, double y) {
    const int xi = std::clamp(int(x), 0, c.width() - 1);
    const int yi = std::clamp(int(y), 0, c.height() - 1);
    return src[size_t(yi) * size_t(c.width()) + size_t(xi)];
  };
  for (int y = start; y < c.height(); ++y) {
    const double depth = y - waterY;
    const double persp = 0.3 + depth / 60.0;  // ripples grow towards the viewer
    for (int x = 0; x < c.width(); ++x) {
      const double n = ValueNoise(x / (30.0 * persp), depth / (2.2 * persp), seed) - 0.5;
      const double m = ValueNoise(x / 8.0, depth / 1.5, seed + 9) - 0.5;
      const double sy = waterY - depth - n * ripple * persp * 2;
      const double sx = x + m * ripple * persp;
      Rgb col = at(sx, sy);
      const double fres = Clamp01(tintAmount + depth / 900.0);
      col = Mix(col, tint, fres);
      const double glint = std::max(0.0, n * 2.2 - 0.75) * 0.35;
      col = Mix(col, Mix(col, {1, 1, 1}, 0.5), glint);
      c.Set(x, y, col);
    }
  }
  c.EndPixels();
}

void BrushTexture(Canvas& c, double amount, uint32_t seed, double fine) {
  c.BeginPixels();
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double a = c.Alpha(x, y);
      if (a <= 0) continue;
      // Two directions of short strokes, plus a fine canvas weave.
      const double s1 = ValueNoise((x + y) / 9.0, (x - y) / 2.5, seed);
      const double s2 = fine > 0 ? ValueNoise(x / 2.2, y / 9.0, seed + 3) - 0.5 : 0.0;
      const double weave = ((x & 1) ^ (y & 1)) ? 0.5 : -0.5;
      const double k = 1 + amount * ((s1 - 0.5) * 1.2 + fine * (s2 * 0.8 + weave * 0.15));
      const Rgb col = c.Get(x, y);
      c.Set(x, y, Scale(col, k), a);
    }
  c.EndPixels();
}

void Vignette(Canvas& c, double strength) {
  c.BeginPixels();
  const double cx = c.width() / 2.0, cy = c.height() / 2.0;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x) {
      const double a = c.Alpha(x, y);
      if (a <= 0) continue;
      const double dx = (x - cx) / cx, dy = (y - cy) / cy;
      const double k = 1 - strength * std::pow(Clamp01((dx * dx + dy * dy) / 2), 1.4);
      c.Set(x, y, Scale(c.Get(x, y), k), a);
    }
  c.EndPixels();
}

namespace {

void BoxBlurA8(std::vector<double>& a, int w, int h, int r) {
  std::vector<double> tmp(a.size());
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y) {
      double sum = 0;
      for (int x = -r; x <= r; ++x) sum += a[size_t(y) * w + size_t(std::clamp(x, 0, w - 1))];
      for (int x = 0; x < w; ++x) {
        tmp[size_t(y) * w + x] = sum / (2 * r + 1);
        sum += a[size_t(y) * w + size_t(std::min(x + r + 1, w - 1))] -
               a[size_t(y) * w + size_t(std::max(x - r, 0))];
      }
    }
    for (int x = 0; x < w; ++x) {
      double sum = 0;
      for (int y = -r; y <= r; ++y) sum += tmp[size_t(std::clamp(y, 0, h - 1)) * w + x];
      for (int y = 0; y < h; ++y) {
        a[size_t(y) * w + x] = sum / (2 * r + 1);
        sum += tmp[size_t(std::min(y + r + 1, h - 1)) * w + x] -
               tmp[size_t(std::max(y - r, 0)) * w + x];
      }
    }
  }
}

}  // namespace

void SoftShadow(Canvas& c, double radius, Rgb color, double alpha, void (*draw)(cairo_t*, void*),
                void* data) {
  cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, c.width(), c.height());
  cairo_t* mcr = cairo_create(mask);
  cairo_set_source_rgba(mcr, 0, 0, 0, 1);
  draw(mcr, data);
  cairo_destroy(mcr);
  cairo_surface_flush(mask);
  const int w = c.width(), h = c.height();
  std::vector<double> a(size_t(w) * h);
  const unsigned char* md = cairo_image_surface_get_data(mask);
  const int stride = cairo_image_surface_get_stride(mask);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) a[size_t(y) * w + x] = md[size_t(y) * stride + x] / 255.0;
  cairo_surface_destroy(mask);
  BoxBlurA8(a, w, h, std::max(1, int(radius / 2)));
  c.BeginPixels();
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (a[size_t(y) * w + x] > 0.002) c.Blend(x, y, color, alpha * a[size_t(y) * w + x]);
  c.EndPixels();
}

void Parchment(Canvas& c, int x0, int y0, int w, int h, uint32_t seed) {
  c.BeginPixels();
  for (int y = std::max(0, y0); y < std::min(c.height(), y0 + h); ++y)
    for (int x = std::max(0, x0); x < std::min(c.width(), x0 + w); ++x) {
      const double blot = Fbm(x / 60.0, y / 60.0, 4, seed);
      const double fibre = ValueNoise(x / 1.5, y / 14.0, seed + 5) * 0.5 +
                           ValueNoise(x / 16.0, y / 1.3, seed + 6) * 0.5;
      const double ex = std::min(x - x0, x0 + w - 1 - x), ey = std::min(y - y0, y0 + h - 1 - y);
      const double edge = 1 - SmoothStep(0, 40, std::min(ex, ey) + blot * 18);
      Rgb col = Mix(palette::parchment, palette::parchmentDark, Clamp01(blot * 0.9 - 0.15));
      col = Scale(col, 1 + (fibre - 0.5) * 0.06);
      col = Mix(col, Mix(palette::parchmentDark, palette::lacquer, 0.3), edge * 0.55);
      c.Set(x, y, col);
    }
  c.EndPixels();
}

void Wood(Canvas& c, int x0, int y0, int w, int h, Rgb base, bool vertical, uint32_t seed) {
  c.BeginPixels();
  for (int y = std::max(0, y0); y < std::min(c.height(), y0 + h); ++y)
    for (int x = std::max(0, x0); x < std::min(c.width(), x0 + w); ++x) {
      const double u = vertical ? y : x, v = vertical ? x : y;
      const double warp = Fbm(u / 90.0, v / 25.0, 3, seed) * 6;
      const double grain = 0.5 + 0.5 * std::sin((v / 3.2 + warp * 2.2) * 1.3);
      const double fine = ValueNoise(u / 12.0, v / 0.9, seed + 2);
      const double k = 0.86 + 0.16 * grain + 0.1 * (fine - 0.5);
      c.Set(x, y, Scale(base, k));
    }
  c.EndPixels();
}

void WriteCanvasJpeg(Output& out, const std::string& rel, const Canvas& c) {
  RgbaImage img = c.Image();
  for (size_t i = 3; i < img.pixels.size(); i += 4) img.pixels[i] = 255;
  out.WriteJpeg(rel, img, 90);
}

}  // namespace art
