// Light and air: the hint lamp (a brass butter lamp whose flame grows), the torch's
// light cone, the glow particle, snow flakes and rain streaks.
#include "art_generators.h"
#include "art_paint.h"
#include "art_shared.h"

#include <cmath>

namespace art {

namespace {

void SetGradientStop(cairo_pattern_t* p, double at, Rgb c, double a = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, a);
}

// Brass with cylindrical shading across [x0, x1].
cairo_pattern_t* BrassAcross(double x0, double x1) {
  cairo_pattern_t* p = cairo_pattern_create_linear(x0, 0, x1, 0);
  SetGradientStop(p, 0.00, {0.42, 0.26, 0.08});
  SetGradientStop(p, 0.22, {0.98, 0.85, 0.50});
  SetGradientStop(p, 0.40, {0.90, 0.68, 0.26});
  SetGradientStop(p, 0.75, {0.62, 0.40, 0.12});
  SetGradientStop(p, 1.00, {0.36, 0.21, 0.06});
  return p;
}

void FillWith(cairo_t* cr, cairo_pattern_t* p) {
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

// The butter lamp without flame: foot, stem with a knob, bowl, butter and wick.
void DrawLampBody(cairo_t* cr) {
  const double cx = 28.5;
  // Soft contact shadow under the foot.
  cairo_save(cr);
  cairo_translate(cr, cx, 83.5);
  cairo_scale(cr, 1.0, 0.18);
  cairo_pattern_t* sh = cairo_pattern_create_radial(0, 0, 0, 0, 0, 20);
  SetGradientStop(sh, 0, palette::ink, 0.5);
  SetGradientStop(sh, 1, palette::ink, 0.0);
  cairo_arc(cr, 0, 0, 20, 0, 2 * M_PI);
  FillWith(cr, sh);
  cairo_restore(cr);
  // Foot: a flared disc.
  cairo_move_to(cr, cx - 15, 82);
  cairo_curve_to(cr, cx - 14, 77, cx - 7, 76, cx - 5, 72);
  cairo_line_to(cr, cx + 5, 72);
  cairo_curve_to(cr, cx + 7, 76, cx + 14, 77, cx + 15, 82);
  cairo_curve_to(cr, cx + 8, 84.5, cx - 8, 84.5, cx - 15, 82);
  FillWith(cr, BrassAcross(cx - 15, cx + 15));
  // Stem and knob.
  cairo_rectangle(cr, cx - 3.2, 60, 6.4, 13);
  FillWith(cr, BrassAcross(cx - 3.2, cx + 3.2));
  cairo_save(cr);
  cairo_translate(cr, cx, 66);
  cairo_scale(cr, 1.0, 0.55);
  cairo_arc(cr, 0, 0, 6.5, 0, 2 * M_PI);
  cairo_restore(cr);
  FillWith(cr, BrassAcross(cx - 6.5, cx + 6.5));
  // Bowl: wide rim, rounded belly.
  cairo_move_to(cr, cx - 19, 50);
  cairo_curve_to(cr, cx - 18, 58, cx - 10, 62, cx - 3, 62);
  cairo_line_to(cr, cx + 3, 62);
  cairo_curve_to(cr, cx + 10, 62, cx + 18, 58, cx + 19, 50);
  cairo_close_path(cr);
  FillWith(cr, BrassAcross(cx - 19, cx + 19));
  // Rim and the butter inside it.
  cairo_save(cr);
  cairo_translate(cr, cx, 50);
  cairo_scale(cr, 1.0, 0.22);
  cairo_arc(cr, 0, 0, 19.5, 0, 2 * M_PI);
  cairo_restore(cr);
  FillWith(cr, BrassAcross(cx - 19.5, cx + 19.5));
  cairo_save(cr);
  cairo_translate(cr, cx, 50);
  cairo_scale(cr, 1.0, 0.20);
  cairo_arc(cr, 0, 0, 16.5, 0, 2 * M_PI);
  cairo_restore(cr);
  cairo_pattern_t* butter = cairo_pattern_create_linear(0, 47, 0, 53);
  SetGradientStop(butter, 0, {0.86, 0.76, 0.46});
  SetGradientStop(butter, 1, {0.99, 0.93, 0.70});
  FillWith(cr, butter);
  // Wick.
  cairo_set_line_width(cr, 1.6);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {0.22, 0.14, 0.10});
  cairo_move_to(cr, cx, 50.5);
  cairo_line_to(cr, cx + 0.3, 46.5);
  cairo_stroke(cr);
}

// The flame at growth g (0..1) with a little sway s (pixels).
void DrawFlame(cairo_t* cr, double g, double sway) {
  if (g <= 0) return;
  const double cx = 28.5, base = 47.5;
  const double h = 35 * std::pow(g, 0.8), w = 6.0 * std::sqrt(g);
  // Warm halo first.
  cairo_pattern_t* halo = cairo_pattern_create_radial(cx, base - h * 0.45, 0, cx, base - h * 0.45, 10 + 18 * g);
  SetGradientStop(halo, 0, {1.0, 0.85, 0.45}, 0.55 * g);
  SetGradientStop(halo, 0.5, {1.0, 0.62, 0.20}, 0.22 * g);
  SetGradientStop(halo, 1, {1.0, 0.55, 0.15}, 0.0);
  cairo_arc(cr, cx, base - h * 0.45, 10 + 18 * g, 0, 2 * M_PI);
  FillWith(cr, halo);
  auto teardrop = [&](double scale) {
    const double hh = h * scale, ww = w * scale;
    cairo_move_to(cr, cx + sway * scale, base - hh);
    cairo_curve_to(cr, cx + ww * 0.6 + sway * 0.5, base - hh * 0.55, cx + ww * 1.1, base - hh * 0.15, cx,
                   base + 1.5 * scale);
    cairo_curve_to(cr, cx - ww * 1.1, base - hh * 0.15, cx - ww * 0.6 + sway * 0.5, base - hh * 0.55,
                   cx + sway * scale, base - hh);
    cairo_close_path(cr);
  };
  teardrop(1.0);
  cairo_pattern_t* outer = cairo_pattern_create_linear(0, base - h, 0, base + 1);
  SetGradientStop(outer, 0.0, {1.0, 0.50, 0.10}, 0.0);
  SetGradientStop(outer, 0.25, {1.0, 0.55, 0.12}, 0.85);
  SetGradientStop(outer, 0.80, {1.0, 0.72, 0.25}, 1.0);
  SetGradientStop(outer, 1.0, {0.45, 0.55, 0.95}, 0.9);
  FillWith(cr, outer);
  teardrop(0.62);
  cairo_pattern_t* core = cairo_pattern_create_linear(0, base - h * 0.62, 0, base);
  SetGradientStop(core, 0.0, {1.0, 0.95, 0.70}, 0.3);
  SetGradientStop(core, 0.5, {1.0, 0.98, 0.88}, 1.0);
  SetGradientStop(core, 1.0, {1.0, 0.90, 0.60}, 0.9);
  FillWith(cr, core);
}

}  // namespace

RgbaImage LampFrame(double growth) {
  const double sway = std::sin(growth * 63 * 0.35) * 1.2 * growth;
  return PaintCairo(57, 86, [&](cairo_t* cr) {
    DrawLampBody(cr);
    DrawFlame(cr, growth, sway);
  });
}

namespace {

RgbaImage PaintLamp() {
  RgbaImage strip(3648, 86);
  for (int k = 0; k < 64; ++k) {
    Blit(strip, LampFrame(Smoothstep(0, 1, k / 63.0)), k * 57, 0);
  }
  Finish(strip);
  return strip;
}

// The torch: (1,1,1) at the darkness' alpha in the corners, clear in a soft round middle.
RgbaImage PaintTorchLight() {
  RgbaImage img(226, 226);
  for (int y = 0; y < 226; ++y)
    for (int x = 0; x < 226; ++x) {
      const double d = std::hypot(x + 0.5 - 113, y + 0.5 - 113);
      uint8_t* p = img.At(x, y);
      p[0] = p[1] = p[2] = 1;
      p[3] = ToByte(0.95 * Smoothstep(34, 110, d));
    }
  return img;
}

// A soft round glow, white so that the particles' colours tint it.
RgbaImage PaintGlowParticle() {
  RgbaImage img(128, 128);
  for (int y = 0; y < 128; ++y)
    for (int x = 0; x < 128; ++x) {
      const double d = std::hypot(x + 0.5 - 64, y + 0.5 - 64) / 62.0;
      uint8_t* p = img.At(x, y);
      p[0] = p[1] = p[2] = 255;
      const double a = d >= 1 ? 0 : 0.75 * std::exp(-d * d * 4.5) + 0.25 * std::exp(-d * d * 40);
      p[3] = ToByte(a * (1 - Smoothstep(0.85, 1.0, d)));
    }
  return img;
}

RgbaImage PaintSnowFlake() {
  RgbaImage img = PaintCairo(21, 21, [](cairo_t* cr) {
    cairo_pattern_t* glow = cairo_pattern_create_radial(10.5, 10.5, 0, 10.5, 10.5, 10.5);
    SetGradientStop(glow, 0, palette::snow, 0.8);
    SetGradientStop(glow, 0.35, {0.85, 0.90, 1.0}, 0.35);
    SetGradientStop(glow, 1, {0.8, 0.85, 1.0}, 0.0);
    cairo_arc(cr, 10.5, 10.5, 10.5, 0, 2 * M_PI);
    FillWith(cr, glow);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, palette::snow, 0.9);
    for (int k = 0; k < 6; ++k) {
      const double a = k * M_PI / 3 + M_PI / 2;
      const double ca = std::cos(a), sa = std::sin(a);
      cairo_set_line_width(cr, 1.2);
      cairo_move_to(cr, 10.5, 10.5);
      cairo_line_to(cr, 10.5 + ca * 8.5, 10.5 + sa * 8.5);
      cairo_stroke(cr);
      cairo_set_line_width(cr, 0.9);
      for (int side = -1; side <= 1; side += 2) {
        const double b = a + side * 0.7;
        cairo_move_to(cr, 10.5 + ca * 5, 10.5 + sa * 5);
        cairo_line_to(cr, 10.5 + ca * 5 + std::cos(b) * 2.8, 10.5 + sa * 5 + std::sin(b) * 2.8);
        cairo_stroke(cr);
      }
    }
  });
  Finish(img);
  return img;
}

RgbaImage PaintRainDrop() {
  RgbaImage img(2, 24);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 2; ++x) {
      uint8_t* p = img.At(x, y);
      p[0] = ToByte(0.78), p[1] = ToByte(0.86), p[2] = ToByte(1.0);
      const double t = y / 23.0;
      p[3] = ToByte((x == 0 ? 0.7 : 0.45) * std::pow(t, 1.6) * (1 - Smoothstep(0.9, 1.05, t) * 0.5));
    }
  return img;
}

}  // namespace

}  // namespace art

void GenerateLamp(Output& out, const Sources&) {
  out.WritePng("gfx/LampeAnim.png", art::PaintLamp());
  out.WritePng("gfx/light.png", art::PaintTorchLight());
  out.WritePng("gfx/tex_rot.png", art::PaintGlowParticle());
  out.WritePng("gfx/snow.png", art::PaintSnowFlake());
  out.WritePng("gfx/raindrop.png", art::PaintRainDrop());
}
