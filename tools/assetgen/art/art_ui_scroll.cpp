// The level-complete scroll: the parchment sheet, the rolled bar, and the two turned end
// knobs in 32 frames of one full turn. The game draws the bottom roller rotated by 180
// degrees, so the rollers are lit from the front and look right either way up.
#include "art_generators.h"
#include "art_paint.h"
#include "art_ui_parts.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art::ui {
namespace {

constexpr double kAxisY = 38.5;  // the bar's axis in knob coordinates
constexpr int kKnobFrames = 32;

enum class Material { Gold, Lacquer, Jade, Coral };

// One slice of a knob's turned profile: radius and material at a distance from its
// outer tip, and whether fluting and jewels decorate it.
struct Slice {
  double radius;
  Material material;
  bool fluted;
  bool jewels;
};

double Bulb(double t, double a, double b, double r) {
  const double u = (t - a) / (b - a);
  return r * std::sqrt(std::max(0.0, 1 - (2 * u - 1) * (2 * u - 1)));
}

// The profile of a knob, from the outer tip (t = 0) to the collar at the bar (t = 1).
Slice Profile(double t) {
  if (t < 0.05) return {std::max(2.0, Bulb(t, -0.02, 0.08, 6)), Material::Gold, false, false};
  if (t < 0.16) return {std::max(4.0, Bulb(t, 0.03, 0.18, 13)), Material::Gold, true, false};
  if (t < 0.21) return {6.5, Material::Lacquer, false, false};
  if (t < 0.45) return {std::max(7.0, Bulb(t, 0.19, 0.47, 21)), Material::Gold, true, false};
  if (t < 0.50) return {9.5, Material::Jade, false, false};
  if (t < 0.84) return {std::max(8.0, Bulb(t, 0.48, 0.86, 30)), Material::Gold, true, true};
  if (t < 0.89) return {10.5, Material::Lacquer, false, false};
  if (t < 0.905 || t > 0.985) return {29, Material::Gold, false, false};
  return {28, Material::Lacquer, false, false};  // collar that holds the roll
}

// Brightness of polished gold by how far up or down its reflection looks: two soft studio
// lights above and below, so the knob looks the same when the roller is turned over.
double GoldEnvironment(double ry) {
  const double a = std::abs(ry);
  const double at[] = {0.0, 0.22, 0.34, 0.52, 0.78, 1.0};
  const double v[] = {0.9, 1.3, 1.0, 0.45, 0.7, 0.5};
  for (int i = 1; i < 6; ++i)
    if (a <= at[i]) return v[i - 1] + (v[i] - v[i - 1]) * (a - at[i - 1]) / (at[i] - at[i - 1]);
  return v[5];
}

Rgb Shade(Material m, double nx, double ny, double nz) {
  const double diffuse = std::max(0.0, ny * -0.15 + nz * 0.99);
  const double ry = 2 * nz * ny;  // reflected view ray, vertical part
  const double specular = std::pow(std::max(0.0, 2 * nz * nz - 1 + 0.02 * nx), 40);
  if (m == Material::Gold) {
    const double e = GoldEnvironment(ry);
    const Rgb c = e < 1 ? Mix({0.30, 0.17, 0.05}, palette::gold, e)
                        : Mix(palette::gold, palette::goldLight, (e - 1) / 0.3);
    return {std::min(1.0, c.r + specular * 0.5), std::min(1.0, c.g + specular * 0.45),
            std::min(1.0, c.b + specular * 0.3)};
  }
  Rgb base = m == Material::Jade ? palette::jade
           : m == Material::Coral ? Rgb{0.86, 0.30, 0.22}
                                  : Rgb{0.45, 0.08, 0.07};
  const double lit = 0.25 + 0.85 * diffuse;
  const double s = m == Material::Lacquer ? 0.45 : 0.8;
  return {std::min(1.0, base.r * lit + specular * s), std::min(1.0, base.g * lit + specular * s * 0.9),
          std::min(1.0, base.b * lit + specular * s * 0.8)};
}

// Renders one knob frame into the strip at column x0. outerLeft: the tip is on the left.
void KnobFrame(RgbaImage& img, int x0, int width, bool outerLeft, double turn) {
  const int ss = 3;
  for (int py = 0; py < img.height; ++py)
    for (int px = 0; px < width; ++px) {
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < ss; ++sy)
        for (int sx = 0; sx < ss; ++sx) {
          const double x = px + (sx + 0.5) / ss, y = py + (sy + 0.5) / ss;
          const double t = outerLeft ? x / width : 1 - x / width;
          const Slice s = Profile(t);
          const double dy = y - kAxisY;
          if (std::abs(dy) >= s.radius) continue;
          double theta = std::asin(dy / s.radius);
          const double phi = theta + turn;
          // Slope of the profile tilts the normal along the axis.
          const double dt = 1.0 / width;
          const double slope = (Profile(std::min(1.0, t + dt)).radius -
                                Profile(std::max(0.0, t - dt)).radius) / 2.0;
          Material mat = s.material;
          if (s.fluted) theta += 0.16 * std::sin(phi * 10);
          double nx = outerLeft ? -slope : slope, ny = std::sin(theta), nz = std::cos(theta);
          if (s.jewels) {
            // Four cabochons round the big bulb, on its widest ring.
            const double u = (t - 0.67) * width;
            const double v = std::remainder(phi, M_PI / 2) * s.radius;
            const double d2 = u * u + v * v, jr = 5.2;
            if (d2 < jr * jr) {
              mat = Material::Coral;
              const double h = std::sqrt(jr * jr - d2);
              nx += u / jr * 1.2;
              ny = ny * 0.4 + v / jr;
              nz = nz * 0.4 + h / jr;
            } else if (d2 < (jr + 1.6) * (jr + 1.6)) {
              theta += 0.6;  // the gold bezel catches the light differently
              ny = std::sin(theta);
              nz = std::cos(theta);
            }
          }
          const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
          const Rgb c = Shade(mat, nx / len, ny / len, nz / len);
          r += c.r; g += c.g; b += c.b; a += 1;
        }
      if (a == 0) continue;
      uint8_t* p = img.At(x0 + px, py);
      p[0] = uint8_t(std::clamp(r / a, 0.0, 1.0) * 255);
      p[1] = uint8_t(std::clamp(g / a, 0.0, 1.0) * 255);
      p[2] = uint8_t(std::clamp(b / a, 0.0, 1.0) * 255);
      p[3] = uint8_t(a / (ss * ss) * 255);
    }
}

void Knobs(Output& out, const char* name, int width, bool outerLeft) {
  RgbaImage img(width * kKnobFrames, 80);
  for (int f = 0; f < kKnobFrames; ++f)
    KnobFrame(img, f * width, width, outerLeft, 2 * M_PI * f / kKnobFrames);
  Finish(img);
  out.WritePng(name, img);
}

// The rolled-up sheet with silk bands near its ends, lit from the front.
void RolledBar(Output& out) {
  Canvas c(328, 51);
  cairo_t* cr = c.cr;
  cairo_surface_t* paper = ParchmentTexture(328, 51, kFieldLight, kFieldDark, 0x2011);
  cairo_rectangle(cr, 0, 0.5, 328, 50);
  FillWithTexture(cr, paper);
  cairo_surface_destroy(paper);
  cairo_new_path(cr);
  // Silk bands where the sheet is mounted on brocade.
  for (double x : {4.0, 314.0}) {
    cairo_rectangle(cr, x, 0.5, 10, 50);
    SetColor(cr, palette::maroon);
    cairo_fill(cr);
    cairo_rectangle(cr, x + (x < 100 ? 8 : 0), 0.5, 2, 50);
    SetColor(cr, palette::gold);
    cairo_fill(cr);
  }
  cairo_pattern_t* round = cairo_pattern_create_linear(0, 0, 0, 51);
  cairo_pattern_add_color_stop_rgba(round, 0.0, 0.1, 0.03, 0.02, 0.85);
  cairo_pattern_add_color_stop_rgba(round, 0.22, 0.1, 0.03, 0.02, 0.3);
  cairo_pattern_add_color_stop_rgba(round, 0.42, 1.0, 0.85, 0.6, 0.22);
  cairo_pattern_add_color_stop_rgba(round, 0.58, 1.0, 0.85, 0.6, 0.22);
  cairo_pattern_add_color_stop_rgba(round, 0.78, 0.1, 0.03, 0.02, 0.3);
  cairo_pattern_add_color_stop_rgba(round, 1.0, 0.1, 0.03, 0.02, 0.85);
  cairo_rectangle(cr, 0, 0.5, 328, 50);
  cairo_set_source(cr, round);
  cairo_fill(cr);
  cairo_pattern_destroy(round);
  // Edges of the wound layers.
  for (double y : {9.5, 16.0, 35.0, 41.5}) {
    cairo_rectangle(cr, 14, y, 300, 0.8);
    SetColor(cr, kShadow, 0.25);
    cairo_fill(cr);
  }
  WriteArt(out, "gfx/rolle/mid.png", c.surface, 0.01, 0x2012);
}

// The sheet: aged parchment with deckled edges, a painted double rule and faint hills.
void Sheet(Output& out) {
  Canvas c(340, 411);
  cairo_t* cr = c.cr;
  const double left = 6, right = 334;
  auto outline = [&](cairo_t* cc) {
    cairo_move_to(cc, left, 0);
    for (double y = 0; y <= 411; y += 3)
      cairo_line_to(cc, left + 1.6 * Fbm(0.5, y / 9.0, 2, 0x5E1) , y);
    for (double y = 411; y >= 0; y -= 3)
      cairo_line_to(cc, right - 1.6 * Fbm(7.5, y / 9.0, 2, 0x5E2), y);
    cairo_close_path(cc);
  };
  cairo_surface_t* paper = ParchmentTexture(340, 411, kFieldLight, kFieldDark, 0x5E3);
  outline(cr);
  FillWithTexture(cr, paper);
  cairo_surface_destroy(paper);
  cairo_new_path(cr);
  InnerShadow(cr, outline, 0, 0, 8, {0.22, 0.10, 0.04}, 0.8);
  // Faint hills and sun behind the closing lines of the tally.
  cairo_save(cr);
  outline(cr);
  cairo_clip(cr);
  for (int layer = 0; layer < 3; ++layer) {
    cairo_new_path(cr);
    const double base = 322 + 18 * layer, amp = 50 - 10 * layer;
    cairo_move_to(cr, 0, 411);
    for (double x = 0; x <= 340; x += 2) {
      // Ridged noise gives sharp peaks and soft valleys.
      const double n = Fbm(x / (95.0 - 22 * layer) + layer * 5.3, layer * 4.1, 4, 0x5E4 + layer);
      const double ridge = std::max(0.0, 1 - 2.6 * std::abs(2 * n - 1));
      cairo_line_to(cr, x, base - amp * ridge * ridge);
    }
    cairo_line_to(cr, 340, 411);
    cairo_close_path(cr);
    const Rgb tone = Mix(Mix(kFieldDark, palette::mountainBlue, 0.35 - 0.1 * layer),
                         {0.20, 0.08, 0.06}, 0.25 * layer);
    SetColor(cr, tone, 0.16 + 0.07 * layer);
    cairo_fill(cr);
  }
  cairo_restore(cr);
  // Painted gold rules down both sides.
  for (double x : {11.5, 328.5}) {
    cairo_rectangle(cr, x - 1, 40, 2, 370);
    SetColor(cr, palette::gold, 0.7);
    cairo_fill(cr);
  }
  WriteArt(out, "gfx/rolle/pergament.png", c.surface, 0.012, 0x5E5);
}

}  // namespace
}  // namespace art::ui

void GenerateUiScroll(Output& out, const Sources&) {
  art::ui::Knobs(out, "gfx/rolle/left.png", 110, true);
  art::ui::Knobs(out, "gfx/rolle/right.png", 97, false);
  art::ui::RolledBar(out);
  art::ui::Sheet(out);
}
