// The prayer wheel beside the player list: a gilded drum with lotus ornaments turning in a
// small lacquered frame, 16 frames of a half turn (the game plays them forth and back).
#include "art_generators.h"
#include "art_ui_parts.h"

#include <algorithm>
#include <cmath>

namespace art::ui {
namespace {

constexpr int kW = 112, kH = 97, kFrames = 16;
constexpr double kCx = 56, kTop = 27, kBottom = 77, kR = 26;
constexpr double kTilt = 3.5;  // seen from a little above: rings bow downwards

struct Texel {
  Rgb colour;
  double shine;  // how metallic
};

// The drum's surface at arc position s (pixels round the drum) and height v.
Texel DrumSurface(double s, double v) {
  const Rgb gold = palette::gold, dark{0.42, 0.26, 0.07};
  if (v < 5 || v > kBottom - kTop - 5) {
    // Gilded rims with a row of beads.
    const double bead = 0.5 + 0.5 * std::cos(s * 2 * M_PI / 6);
    const double mid = std::abs(v < 5 ? v - 2.5 : v - (kBottom - kTop - 2.5));
    return {Mix(dark, palette::goldLight, bead * std::max(0.0, 1 - mid / 2.5)), 1};
  }
  if (v < 6.5 || v > kBottom - kTop - 6.5) return {palette::maroon, 0.2};
  // Main band: maroon lacquer with repeating gilded lotus petals and jade jewels.
  const double period = 2 * M_PI * kR / 7;
  const double u = std::remainder(s, period);  // -period/2..period/2
  const double h = (v - 6.5) / (kBottom - kTop - 13);  // 0 top .. 1 bottom
  // A petal: a pointed arch, wide at the bottom and narrowing upwards.
  const double width = 9.5 * std::sqrt(std::max(0.0, h - 0.08)) * (1 - 0.25 * h);
  const double edge = width - std::abs(u);
  if (h > 0.1 && h < 0.86 && edge > 0) {
    if (edge < 1.6) return {palette::goldLight, 1};
    const double inner = 5.5 * std::sqrt(std::max(0.0, h - 0.32));
    if (h > 0.34 && h < 0.8 && inner - std::abs(u) > 0)
      return {Mix(palette::saffron, palette::maroon, 0.35), 0.3};
    return {Mix(gold, dark, 0.3), 1};
  }
  const double jx = std::remainder(s + period / 2, period), jy = (h - 0.55) * 40;
  if (jx * jx + jy * jy < 9) return {Mix(palette::jade, palette::snow, std::max(0.0, -jy) * 0.12), 0.4};
  if (h > 0.9) return {gold, 1};
  return {Mix(palette::maroon, {0.30, 0.05, 0.06}, 0.5 + 0.5 * h), 0.15};
}

Rgb Lit(Texel t, double nx, double ny, double nz) {
  const double lx = -0.45, ly = -0.35, lz = 0.82;
  const double diffuse = std::max(0.0, nx * lx + ny * ly + nz * lz);
  const double rz = 2 * (nx * lx + ny * ly + nz * lz) * nz - lz;
  const double specular = std::pow(std::max(0.0, rz), 18) * (0.25 + 0.75 * t.shine);
  const double lit = 0.3 + 0.8 * diffuse;
  return {std::min(1.0, t.colour.r * lit + specular * 0.8), std::min(1.0, t.colour.g * lit + specular * 0.7),
          std::min(1.0, t.colour.b * lit + specular * 0.5)};
}

// Draws the drum, its roof and its base into a premultiplied surface by sampling.
void Drum(cairo_surface_t* surface, double turn) {
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  const int ss = 3;
  for (int py = 8; py < 90; ++py)
    for (int px = int(kCx - kR - 4); px <= int(kCx + kR + 4); ++px) {
      double r = 0, g = 0, b = 0, n = 0;
      for (int sy = 0; sy < ss; ++sy)
        for (int sx = 0; sx < ss; ++sx) {
          const double x = px + (sx + 0.5) / ss, y = py + (sy + 0.5) / ss;
          const double dx = x - kCx;
          if (std::abs(dx) >= kR + 3) continue;
          const double bow = kTilt * std::sqrt(std::max(0.0, 1 - dx * dx / (kR * kR)));
          Rgb c;
          if (std::abs(dx) < kR && y >= kTop + bow && y < kBottom + bow) {
            const double th = std::asin(dx / kR);
            c = Lit(DrumSurface((th + turn) * kR, y - kTop - bow), std::sin(th), 0, std::cos(th));
          } else {
            // Roof: a gilded cone from the finial down to the drum's top ring.
            const double roofTop = 12, rr = 8 + (kR + 2.5 - 8) * (y - roofTop) / (kTop - roofTop);
            const double rb = kTilt * std::sqrt(std::max(0.0, 1 - dx * dx / (rr * rr)));
            // Base: a lacquered ring under the drum.
            const bool roof = y >= roofTop + rb * 0.3 && y < kTop + bow + 0.5 && std::abs(dx) < rr;
            const bool base = y >= kBottom + bow && y < kBottom + 5 + bow && std::abs(dx) < kR - 2;
            if (!roof && !base) continue;
            const double w = roof ? rr : kR - 2;
            const double th = std::asin(std::clamp(dx / w, -1.0, 1.0));
            const double flute = roof ? 0.5 + 0.5 * std::cos((th + turn) * 12) : 0.5;
            const Texel t = roof ? Texel{Mix({0.5, 0.32, 0.08}, palette::goldLight, 0.3 + 0.5 * flute), 1}
                                 : Texel{{0.40, 0.08, 0.07}, 0.3};
            c = Lit(t, std::sin(th) * 0.8, roof ? -0.6 : 0.2, std::cos(th) * 0.8);
          }
          r += c.r; g += c.g; b += c.b; n += 1;
        }
      if (n == 0) continue;
      const double a = n / (ss * ss);
      uint32_t* p = reinterpret_cast<uint32_t*>(data + size_t(py) * stride) + px;
      auto ch = [&](double v) { return uint32_t(std::clamp(v / n, 0.0, 1.0) * a * 255 + 0.5); };
      const uint32_t A = uint32_t(a * 255 + 0.5);
      // Composite over what is there (the axle behind).
      const uint32_t old = *p;
      auto over = [&](uint32_t src, int shift) {
        return std::min<uint32_t>(255, src + ((old >> shift) & 255) * (255 - A) / 255);
      };
      *p = over(A, 24) << 24 | over(ch(r), 16) << 16 | over(ch(g), 8) << 8 | over(ch(b), 0);
    }
  cairo_surface_mark_dirty(surface);
}

void Beam(cairo_t* cr, Rect r, double lift) {
  auto shape = [&](cairo_t* c) {
    cairo_move_to(c, r.x, r.y - lift);
    cairo_curve_to(c, r.x + 10, r.y, r.x + 16, r.y, r.x + 24, r.y);
    cairo_line_to(c, r.x + r.w - 24, r.y);
    cairo_curve_to(c, r.x + r.w - 16, r.y, r.x + r.w - 10, r.y, r.x + r.w, r.y - lift);
    cairo_line_to(c, r.x + r.w - 6, r.y + r.h);
    cairo_line_to(c, r.x + 6, r.y + r.h);
    cairo_close_path(c);
  };
  SoftShadow(cr, shape, 1, 2, 3, kShadow, 0.7);
  cairo_new_path(cr);
  shape(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, r.y - lift, 0, r.y + r.h);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.62, 0.18, 0.12);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.26, 0.05, 0.05);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  GoldLine(cr, shape, 1.2, r.y - lift, r.y + r.h);
}

void Post(cairo_t* cr, Rect r) {
  auto shape = [&](cairo_t* c) { RoundedRect(c, r, 2); };
  SoftShadow(cr, shape, 1, 1.5, 3, kShadow, 0.6);
  cairo_new_path(cr);
  shape(cr);
  cairo_pattern_t* g = cairo_pattern_create_linear(r.x, 0, r.x + r.w, 0);
  cairo_pattern_add_color_stop_rgb(g, 0, 0.30, 0.06, 0.05);
  cairo_pattern_add_color_stop_rgb(g, 0.35, 0.62, 0.18, 0.12);
  cairo_pattern_add_color_stop_rgb(g, 1, 0.24, 0.05, 0.04);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  GoldLine(cr, shape, 0.9, r.y, r.y + r.h);
}

void WheelFrame(cairo_t* cr, double turn) {
  Post(cr, {9, 14, 8, 78});
  Post(cr, {95, 14, 8, 78});
  // The axle behind the drum, from beam to beam.
  cairo_rectangle(cr, kCx - 1.5, 8, 3, 82);
  SetGold(cr, 8, 90);
  cairo_fill(cr);
  Beam(cr, {3, 86, 106, 7}, 0);
  Beam(cr, {1, 7, 110, 8}, 5);
  cairo_surface_flush(cairo_get_target(cr));
  Drum(cairo_get_target(cr), turn);
  // The finial above the roof.
  auto finial = [&](cairo_t* c) {
    cairo_move_to(c, kCx, 3);
    cairo_curve_to(c, kCx + 3.5, 6.5, kCx + 3.5, 9, kCx, 13);
    cairo_curve_to(c, kCx - 3.5, 9, kCx - 3.5, 6.5, kCx, 3);
  };
  cairo_new_path(cr);
  finial(cr);
  SetGold(cr, 3, 13, 1.1);
  cairo_fill(cr);
}

}  // namespace
}  // namespace art::ui

void GenerateUiPrayerWheel(Output& out, const Sources&) {
  using namespace art::ui;
  Canvas strip(kW * kFrames, kH);
  for (int f = 0; f < kFrames; ++f) {
    Canvas frame(kW, kH);
    WheelFrame(frame.cr, M_PI * f / kFrames);
    cairo_surface_flush(frame.surface);
    cairo_set_source_surface(strip.cr, frame.surface, f * kW, 0);
    cairo_paint(strip.cr);
  }
  WriteArt(out, "gfx/Dharma.png", strip.surface, 0.0, 0xD4A3);
}
