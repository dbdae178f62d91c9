// The two logo cards: our studio Ostravin (a golden sun rising between two peaks inside a
// ring) and the publisher Pelmar (a jade lotus). Lettering uses the DejaVu fonts through
// Cairo's toy text interface.
#include "art_generators.h"
#include "art_scenery_paint.h"

#include <cmath>
#include <string>

namespace art {
namespace {

constexpr int W = 640, H = 480;

// Draws text centred on cx with extra spacing between the letters.
void SpacedText(cairo_t* cr, const std::string& text, double cx, double baseline, double spacing) {
  double width = 0;
  for (char ch : text) {
    const char s[2] = {ch, 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    width += e.x_advance + spacing;
  }
  width -= spacing;
  double x = cx - width / 2;
  for (char ch : text) {
    const char s[2] = {ch, 0};
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    cairo_move_to(cr, x, baseline);
    cairo_text_path(cr, s);
    x += e.x_advance + spacing;
  }
}

void GoldFill(cairo_t* cr, double y0, double y1) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, 1.0, 0.92, 0.62);
  cairo_pattern_add_color_stop_rgb(p, 0.5, 0.86, 0.64, 0.24);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.62, 0.40, 0.14);
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void OstravinCard(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, H, {{0, {0.16, 0.06, 0.06}}, {1, {0.08, 0.03, 0.04}}});
  Glow(cr, 320, 190, 260, {0.60, 0.22, 0.10}, 0.5);
  const double cx = 320, cy = 190, r = 100;
  // Ring.
  cairo_arc(cr, cx, cy, r + 3.5, 0, 2 * M_PI);
  cairo_arc_negative(cr, cx, cy, r - 3.5, 2 * M_PI, 0);
  GoldFill(cr, cy - r, cy + r);
  // Sun rising between the peaks, inside the ring.
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r - 12, 0, 2 * M_PI);
  cairo_clip(cr);
  VerticalGradient(cr, cx - r, cy - r, 2 * r, 2 * r, cy - r, cy + r,
                   {{0, {0.36, 0.10, 0.10}}, {1, {0.70, 0.26, 0.10}}});
  Glow(cr, cx, cy + 12, 70, {1.0, 0.80, 0.40}, 0.7);
  cairo_arc(cr, cx, cy + 14, 30, M_PI, 2 * M_PI);
  cairo_close_path(cr);
  GoldFill(cr, cy - 16, cy + 14);
  for (int i = 0; i < 9; ++i) {  // rays
    const double a = M_PI + M_PI * (i + 0.5) / 9;
    cairo_move_to(cr, cx + std::cos(a) * 38, cy + 14 + std::sin(a) * 38);
    cairo_line_to(cr, cx + std::cos(a - 0.05) * 62, cy + 14 + std::sin(a - 0.05) * 62);
    cairo_line_to(cr, cx + std::cos(a + 0.05) * 62, cy + 14 + std::sin(a + 0.05) * 62);
    cairo_close_path(cr);
  }
  GoldFill(cr, cy - 50, cy + 14);
  cairo_move_to(cr, cx - r, cy + 60);
  cairo_line_to(cr, cx - 40, cy - 10);
  cairo_line_to(cr, cx - 16, cy + 18);
  cairo_line_to(cr, cx + 30, cy - 30);
  cairo_line_to(cr, cx + r, cy + 56);
  cairo_line_to(cr, cx + r, cy + r);
  cairo_line_to(cr, cx - r, cy + r);
  cairo_close_path(cr);
  SetColor(cr, {0.24, 0.07, 0.07});
  cairo_fill(cr);
  // Snow edges on the lit flanks.
  cairo_move_to(cr, cx - 40, cy - 10);
  cairo_line_to(cr, cx - 58, cy + 14);
  cairo_line_to(cr, cx - 44, cy + 6);
  cairo_line_to(cr, cx - 36, cy + 12);
  cairo_close_path(cr);
  cairo_move_to(cr, cx + 30, cy - 30);
  cairo_line_to(cr, cx + 8, cy);
  cairo_line_to(cr, cx + 22, cy - 8);
  cairo_line_to(cr, cx + 34, cy - 2);
  cairo_close_path(cr);
  GoldFill(cr, cy - 30, cy + 14);
  cairo_restore(cr);
  // Lettering.
  cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 56);
  SpacedText(cr, "OSTRAVIN", cx, 370, 10);
  GoldFill(cr, 325, 372);
  cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_ITALIC, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 20);
  SpacedText(cr, "studio", cx, 405, 6);
  SetColor(cr, {0.86, 0.70, 0.50});
  cairo_fill(cr);
  SetColor(cr, palette::gold, 0.6);
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, cx - 170, 398);
  cairo_line_to(cr, cx - 62, 398);
  cairo_move_to(cr, cx + 62, 398);
  cairo_line_to(cr, cx + 170, 398);
  cairo_stroke(cr);
  RgbaImage img = c.Image();
  LiftPureBlack(img);
  out.WritePng("gfx/ostravin.png", img);
}

void LotusPetal(cairo_t* cr, double cx, double cy, double len, double width, double angle) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_move_to(cr, 0, 0);
  cairo_curve_to(cr, -width, -len * 0.3, -width * 0.6, -len * 0.8, 0, -len);
  cairo_curve_to(cr, width * 0.6, -len * 0.8, width, -len * 0.3, 0, 0);
  cairo_restore(cr);
}

void PelmarCard(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  VerticalGradient(cr, 0, 0, W, H, 0, H, {{0, {0.06, 0.20, 0.18}}, {1, {0.03, 0.10, 0.10}}});
  Glow(cr, 320, 200, 240, {0.30, 0.62, 0.50}, 0.35);
  const double cx = 320, cy = 250;
  for (int layer = 0; layer < 2; ++layer)
    for (int i = -3; i <= 3; ++i) {
      const double len = layer ? 90 : 110, width = layer ? 26 : 30;
      LotusPetal(cr, cx, cy, len - std::abs(i) * 8, width, i * (layer ? 0.28 : 0.42));
      cairo_pattern_t* p = cairo_pattern_create_linear(0, cy - len, 0, cy);
      const Rgb tip = layer ? Rgb{0.80, 0.96, 0.86} : Rgb{0.50, 0.82, 0.68};
      cairo_pattern_add_color_stop_rgb(p, 0, tip.r, tip.g, tip.b);
      cairo_pattern_add_color_stop_rgb(p, 1, 0.16, 0.48, 0.40);
      cairo_set_source(cr, p);
      cairo_fill_preserve(cr);
      cairo_pattern_destroy(p);
      SetColor(cr, {0.05, 0.18, 0.16}, 0.5);
      cairo_set_line_width(cr, 1.2);
      cairo_stroke(cr);
    }
  // Water line under the flower.
  SetColor(cr, {0.40, 0.74, 0.62}, 0.8);
  cairo_set_line_width(cr, 2);
  for (int i = 0; i < 3; ++i) {
    const double w = 140 - i * 36;
    cairo_move_to(cr, cx - w, cy + 12 + i * 10);
    cairo_line_to(cr, cx + w, cy + 12 + i * 10);
  }
  cairo_stroke(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 50);
  SpacedText(cr, "PELMAR", cx, 360, 14);
  SetColor(cr, {0.88, 0.96, 0.90});
  cairo_fill(cr);
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 16);
  SpacedText(cr, "PUBLISHING", cx, 392, 8);
  SetColor(cr, {0.50, 0.80, 0.68});
  cairo_fill(cr);
  RgbaImage img = c.Image();
  LiftPureBlack(img);
  out.WritePng("gfx/pelmar.png", img);
}

}  // namespace
}  // namespace art

void GenerateSceneryLogos(Output& out, const Sources&) {
  art::OstravinCard(out);
  art::PelmarCard(out);
}
