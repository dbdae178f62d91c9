// The five "How to play?" icons of the bonus game: move, rotate, shoot, match three,
// free the tiles under the floating yin-yang. Each is a parchment roundel showing the
// real tiles small, so the icons teach what the board will look like.
#include "art_generators.h"
#include "art_bonus.h"

#include <cmath>

namespace art {

namespace {

void DrawImage(cairo_t* cr, const RgbaImage& img, double cx, double cy, double scale, double angle = 0) {
  DrawCentred(cr, img, cx, cy, scale, angle);
}

void Roundel(cairo_t* cr) {
  cairo_new_sub_path(cr);
  const double x = 4, y = 4, w = 84, h = 84, r = 14;
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
  cairo_pattern_t* p = cairo_pattern_create_radial(40, 36, 5, 46, 46, 70);
  cairo_pattern_add_color_stop_rgb(p, 0, 0.97, 0.92, 0.78);
  cairo_pattern_add_color_stop_rgb(p, 1, 0.80, 0.68, 0.48);
  cairo_set_source(cr, p);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(p);
  cairo_set_line_width(cr, 3);
  SetColor(cr, palette::gold);
  cairo_stroke(cr);
}

// An arrow shaft along the path already set, with a head at (hx, hy) pointing along a.
void ArrowHead(cairo_t* cr, double hx, double hy, double a, double size) {
  cairo_move_to(cr, hx + std::cos(a) * size, hy + std::sin(a) * size);
  cairo_line_to(cr, hx + std::cos(a + 2.4) * size, hy + std::sin(a + 2.4) * size);
  cairo_line_to(cr, hx + std::cos(a - 2.4) * size, hy + std::sin(a - 2.4) * size);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void InkStroke(cairo_t* cr, double width) {
  cairo_set_line_width(cr, width);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, palette::maroon);
  cairo_stroke(cr);
}

// A computer mouse seen from above; `button` lights 0 left, 1 right, 2 the wheel, -1 none.
void Mouse(cairo_t* cr, double cx, double cy, double s, int button) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_scale(cr, s, s);
  cairo_move_to(cr, 0, -14);
  cairo_curve_to(cr, 10, -14, 10, -6, 10, 2);
  cairo_curve_to(cr, 10, 12, 6, 15, 0, 15);
  cairo_curve_to(cr, -6, 15, -10, 12, -10, 2);
  cairo_curve_to(cr, -10, -6, -10, -14, 0, -14);
  cairo_close_path(cr);
  SetColor(cr, {0.99, 0.97, 0.92});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, palette::maroon);
  cairo_stroke(cr);
  if (button == 0 || button == 1) {
    const double side = button == 0 ? -1 : 1;
    cairo_move_to(cr, 0, -13);
    cairo_curve_to(cr, side * 8.5, -13, side * 9, -7, side * 9, -3);
    cairo_line_to(cr, 0, -3);
    cairo_close_path(cr);
    SetColor(cr, palette::saffron);
    cairo_fill(cr);
  }
  cairo_move_to(cr, -10, -3);
  cairo_line_to(cr, 10, -3);
  cairo_move_to(cr, 0, -14);
  cairo_line_to(cr, 0, -3);
  cairo_set_line_width(cr, 1.2);
  SetColor(cr, palette::maroon);
  cairo_stroke(cr);
  cairo_rectangle(cr, -1.6, -10.5, 3.2, 5.5);
  SetColor(cr, button == 2 ? palette::saffron : palette::maroon);
  cairo_fill(cr);
  cairo_restore(cr);
}

RgbaImage IconMove() {
  return PaintCairo(92, 92, [](cairo_t* cr) {
    Roundel(cr);
    for (int i = 0; i < 3; ++i) DrawImage(cr, BonusTile(i == 1 ? 3 : 1, 0), 28 + 18 * i, 64, 0.48);
    Mouse(cr, 46, 30, 0.85, 0);
    SetColor(cr, palette::maroon);
    cairo_move_to(cr, 14, 30);
    cairo_line_to(cr, 30, 30);
    cairo_move_to(cr, 62, 30);
    cairo_line_to(cr, 78, 30);
    InkStroke(cr, 2.5);
    ArrowHead(cr, 12, 30, M_PI, 6);
    ArrowHead(cr, 80, 30, 0, 6);
  });
}

RgbaImage IconRotate() {
  return PaintCairo(92, 92, [](cairo_t* cr) {
    Roundel(cr);
    const int kinds[3] = {0, 2, 4};
    for (int i = 0; i < 3; ++i) DrawImage(cr, BonusTile(kinds[i], 0), 28 + 18 * i, 64, 0.48);
    cairo_arc(cr, 46, 58, 28, -M_PI * 0.92, -M_PI * 0.12);
    InkStroke(cr, 2.5);
    SetColor(cr, palette::maroon);
    ArrowHead(cr, 46 + 28 * std::cos(-M_PI * 0.12), 58 + 28 * std::sin(-M_PI * 0.12), M_PI * 0.45, 6);
    Mouse(cr, 46, 24, 0.6, 1);
  });
}

RgbaImage IconShoot() {
  return PaintCairo(92, 92, [](cairo_t* cr) {
    Roundel(cr);
    DrawImage(cr, BonusTile(1, 0), 28, 20, 0.48);
    DrawImage(cr, BonusTile(5, 0), 46, 20, 0.48);
    DrawImage(cr, BonusTile(1, 0), 64, 20, 0.48);
    DrawImage(cr, BonusTile(3, 0), 46, 72, 0.48);
    cairo_move_to(cr, 46, 60);
    cairo_line_to(cr, 46, 38);
    InkStroke(cr, 3);
    SetColor(cr, palette::saffron);
    ArrowHead(cr, 46, 34, -M_PI / 2, 7);
    // Speed lines beside the flight.
    SetColor(cr, palette::maroon, 0.5);
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, 46 + side * 9, 56);
      cairo_line_to(cr, 46 + side * 9, 44);
    }
    InkStroke(cr, 1.2);
  });
}

RgbaImage IconMatch() {
  return PaintCairo(92, 92, [](cairo_t* cr) {
    Roundel(cr);
    for (int i = 0; i < 3; ++i) DrawImage(cr, BonusTile(2, 0), 24 + 22 * i, 50, 0.55);
    // A burst over the line: they vanish.
    for (int r = 0; r < 12; ++r) {
      const double a = r * M_PI / 6 + M_PI / 12;  // none straight along the row
      cairo_move_to(cr, 46 + std::cos(a) * 26, 50 + std::sin(a) * 20);
      cairo_line_to(cr, 46 + std::cos(a) * 36, 50 + std::sin(a) * 30);
    }
    cairo_set_line_width(cr, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, palette::saffron);
    cairo_stroke(cr);
    cairo_pattern_t* glow = cairo_pattern_create_radial(46, 50, 0, 46, 50, 34);
    cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.97, 0.8, 0.55);
    cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.9, 0.6, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, 46, 50, 34, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
  });
}

RgbaImage IconFree() {
  return PaintCairo(92, 92, [](cairo_t* cr) {
    Roundel(cr);
    DrawImage(cr, BonusTile(4, 0), 46, 62, 0.8);
    DrawImage(cr, BonusYinYangMarker(), 46, 62, 0.8, 0.6);
    // A tangram triangle rises free out of the tile.
    cairo_move_to(cr, 30, 36);
    cairo_line_to(cr, 62, 36);
    cairo_line_to(cr, 46, 20);
    cairo_close_path(cr);
    cairo_pattern_t* gold = cairo_pattern_create_linear(30, 20, 62, 36);
    cairo_pattern_add_color_stop_rgb(gold, 0, 1.0, 0.90, 0.55);
    cairo_pattern_add_color_stop_rgb(gold, 1, 0.80, 0.55, 0.15);
    cairo_set_source(cr, gold);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(gold);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, palette::lacquer);
    cairo_stroke(cr);
    SetColor(cr, palette::saffron);
    for (int side = -1; side <= 1; side += 2) {
      cairo_move_to(cr, 46 + side * 20, 44);
      cairo_line_to(cr, 46 + side * 20, 30);
      InkStroke(cr, 1.5);
      SetColor(cr, palette::maroon);
      ArrowHead(cr, 46 + side * 20, 27, -M_PI / 2, 4);
    }
  });
}

}  // namespace

}  // namespace art

void GenerateBonusHelp(Output& out, const Sources&) {
  RgbaImage strip(460, 92);
  art::Blit(strip, art::IconMove(), 0, 0);
  art::Blit(strip, art::IconRotate(), 92, 0);
  art::Blit(strip, art::IconShoot(), 184, 0);
  art::Blit(strip, art::IconMatch(), 276, 0);
  art::Blit(strip, art::IconFree(), 368, 0);
  art::Finish(strip);
  out.WritePng("gfx/bonusgame/tutorial.png", strip);
}
