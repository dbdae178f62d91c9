// The level editor's artwork: the toolbar strip, the six icon buttons in three looks each,
// the banner behind the left-hand buttons and the tail of the help balloons.
#include "art_generators.h"
#include "art_ui_parts.h"

#include <cmath>

namespace art::ui {
namespace {

// A lacquered bar the width of the screen, in three looks one below the other.
void Toolbar(Output& out) {
  Canvas c(640, 87);
  cairo_surface_t* wood = LacquerTexture(640, 87, true, {0.30, 0.06, 0.05}, {0.55, 0.15, 0.08}, 0xED01);
  for (int f = 0; f < 3; ++f) {
    const double y = f * 29;
    cairo_rectangle(c.cr, 0, y, 640, 29);
    cairo_set_source_surface(c.cr, wood, 0, 0);
    cairo_fill(c.cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + 29);
    const double lift = f == 1 ? 0.22 : f == 2 ? 0.0 : 0.12;
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.7, 0.5, lift);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 1, 0.7, 0.5, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0.08, 0.02, 0.02, f == 2 ? 0.1 : 0.45);
    if (f == 2) cairo_pattern_add_color_stop_rgba(g, 0, 0.08, 0.02, 0.02, 0.4);
    cairo_rectangle(c.cr, 0, y, 640, 29);
    cairo_set_source(c.cr, g);
    cairo_fill(c.cr);
    cairo_pattern_destroy(g);
    GoldLine(c.cr, [&](cairo_t* cc) {
      cairo_move_to(cc, 0, y + 1.5);
      cairo_line_to(cc, 640, y + 1.5);
      cairo_move_to(cc, 0, y + 27);
      cairo_line_to(cc, 640, y + 27);
    }, 1.4, y, y + 29);
  }
  cairo_surface_destroy(wood);
  WriteArt(out, "gfx/editor/panel.png", c.surface, 0.0, 0xED02);
}

// Glyphs drawn in a 30-pixel box centred on the origin, as paths to fill.
void Broom(cairo_t* cr) {
  // Handle up to the right, bound bristles fanning out down to the left.
  cairo_save(cr);
  cairo_rotate(cr, M_PI / 4);
  cairo_rectangle(cr, -1.4, -17, 2.8, 14);
  cairo_rectangle(cr, -4, -4.5, 8, 3);
  for (int k = -2; k <= 2; ++k) {
    const double a = k * 0.2;
    cairo_move_to(cr, std::sin(a) * 1.5 - 1, -1);
    cairo_line_to(cr, std::sin(a) * 1.5 + 1, -1);
    cairo_line_to(cr, std::sin(a + 0.08) * 15, std::cos(a + 0.08) * 15);
    cairo_line_to(cr, std::sin(a - 0.08) * 15, std::cos(a - 0.08) * 15);
    cairo_close_path(cr);
  }
  cairo_restore(cr);
}

void MoveArrows(cairo_t* cr) {
  for (int k = 0; k < 4; ++k) {
    cairo_save(cr);
    cairo_rotate(cr, k * M_PI / 2);
    cairo_move_to(cr, 0, -13);
    cairo_line_to(cr, 5, -7);
    cairo_line_to(cr, 1.6, -7);
    cairo_line_to(cr, 1.6, -1.6);
    cairo_line_to(cr, -1.6, -1.6);
    cairo_line_to(cr, -1.6, -7);
    cairo_line_to(cr, -5, -7);
    cairo_close_path(cr);
    cairo_restore(cr);
  }
  cairo_rectangle(cr, -1.7, -1.7, 3.4, 3.4);
}

void FlipPieces(cairo_t* cr) {
  // A parallelogram and, across a dashed axis, the outline of its mirror image.
  cairo_move_to(cr, -14, -2);
  cairo_line_to(cr, -7, -2);
  cairo_line_to(cr, -2.2, 10);
  cairo_line_to(cr, -9.2, 10);
  cairo_close_path(cr);
  cairo_move_to(cr, 14, -2);
  cairo_line_to(cr, 7, -2);
  cairo_line_to(cr, 2.2, 10);
  cairo_line_to(cr, 9.2, 10);
  cairo_close_path(cr);
  // The hole is wound the other way round, so it stays open.
  cairo_move_to(cr, 10.3, 8.2);
  cairo_line_to(cr, 4.9, 8.2);
  cairo_line_to(cr, 8.2, -0.2);
  cairo_line_to(cr, 11.6, -0.2);
  cairo_close_path(cr);
  for (double y = -4; y < 12; y += 5) cairo_rectangle(cr, -0.8, y, 1.6, 2.6);
  // The turn-over arrow above.
  cairo_move_to(cr, -8, -5);
  cairo_curve_to(cr, -5, -13, 3, -14, 6.5, -9.5);
  cairo_line_to(cr, 9, -11.5);
  cairo_line_to(cr, 9.5, -5.5);
  cairo_line_to(cr, 3.6, -6.4);
  cairo_line_to(cr, 5.2, -7.9);
  cairo_curve_to(cr, 2.5, -11, -3.5, -10.5, -5.6, -4.3);
  cairo_close_path(cr);
}

void PlayTriangle(cairo_t* cr) {
  cairo_move_to(cr, -7, -11);
  cairo_line_to(cr, 12, 0);
  cairo_line_to(cr, -7, 11);
  cairo_close_path(cr);
}

void Properties(cairo_t* cr) {
  const double knobs[] = {4, -5, 1};
  for (int i = 0; i < 3; ++i) {
    const double y = -8 + i * 8;
    cairo_rectangle(cr, -12, y - 1, 24, 2);
    cairo_new_sub_path(cr);
    cairo_arc(cr, knobs[i], y, 3.4, 0, 2 * M_PI);
  }
}

void Cross(cairo_t* cr) {
  for (double a : {M_PI / 4, -M_PI / 4}) {
    cairo_save(cr);
    cairo_rotate(cr, a);
    cairo_rectangle(cr, -12, -2.6, 24, 5.2);
    cairo_restore(cr);
  }
}

void Icon(cairo_t* cr, int icon, Look look) {
  const double d = look == Look::Pressed ? 1 : 0;
  const double cx = 25 + d, cy = 25 + d, r = 20.5;
  auto disc = [&](cairo_t* c) { cairo_arc(c, cx, cy, r, 0, 2 * M_PI); };
  if (look == Look::Hover) SoftShadow(cr, disc, 0, 0, 4, palette::saffron, 1.0);
  SoftShadow(cr, disc, look == Look::Pressed ? 0.5 : 1.5, look == Look::Pressed ? 1 : 2.5, 3,
             kShadow, 0.7);
  cairo_new_path(cr);
  disc(cr);
  cairo_pattern_t* face = cairo_pattern_create_radial(cx - 6, cy - 8, 2, cx, cy, r);
  const Rgb in = look == Look::Hover ? Rgb{0.90, 0.45, 0.15}
               : look == Look::Pressed ? Rgb{0.40, 0.07, 0.08} : Rgb{0.66, 0.18, 0.13};
  const Rgb out = look == Look::Pressed ? Rgb{0.25, 0.04, 0.05} : Rgb{0.32, 0.05, 0.06};
  cairo_pattern_add_color_stop_rgb(face, 0, in.r, in.g, in.b);
  cairo_pattern_add_color_stop_rgb(face, 1, out.r, out.g, out.b);
  cairo_set_source(cr, face);
  cairo_fill(cr);
  cairo_pattern_destroy(face);
  if (look == Look::Pressed) InnerShadow(cr, disc, 1, 1.5, 3, kShadow, 0.8);
  GoldLine(cr, [&](cairo_t* c) { cairo_arc(c, cx, cy, r - 1.2, 0, 2 * M_PI); }, 2.2, cy - r, cy + r);
  void (*glyphs[])(cairo_t*) = {Broom, MoveArrows, FlipPieces, PlayTriangle, Properties, Cross};
  auto glyph = [&](cairo_t* c) {
    cairo_save(c);
    cairo_translate(c, cx, cy);
    glyphs[icon](c);
    cairo_restore(c);
  };
  SoftShadow(cr, glyph, 1, 1.5, 2, kShadow, 0.9);
  cairo_new_path(cr);
  glyph(cr);
  cairo_pattern_t* ink = cairo_pattern_create_linear(0, cy - 13, 0, cy + 13);
  const Rgb top = look == Look::Hover ? palette::snow : Rgb{1.0, 0.95, 0.80};
  cairo_pattern_add_color_stop_rgb(ink, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(ink, 1, palette::gold.r, palette::gold.g, palette::gold.b);
  cairo_set_source(cr, ink);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  cairo_fill(cr);
  cairo_pattern_destroy(ink);
}

// Icons in the editor's order: clear, move playfield, flip parallelogram, play level,
// level properties, quit; each at rest, hovered and pressed.
void Icons(Output& out) {
  Canvas c(900, 50);
  const Look looks[] = {Look::Rest, Look::Hover, Look::Pressed};
  for (int icon = 0; icon < 6; ++icon)
    for (int s = 0; s < 3; ++s) {
      cairo_save(c.cr);
      cairo_translate(c.cr, (icon * 3 + s) * 50, 0);
      cairo_rectangle(c.cr, 0, 0, 50, 50);
      cairo_clip(c.cr);
      Icon(c.cr, icon, looks[s]);
      cairo_restore(c.cr);
    }
  WriteArt(out, "gfx/editor/icons.png", c.surface, 0.0, 0xED03);
}

// A silk banner on a rod with a swallowtail; the editor's icon buttons sit on it.
void Banner(Output& out) {
  Canvas c(128, 229);
  cairo_t* cr = c.cr;
  const double l = 8, r = 121, top = 7, tail = 228, notch = 206;
  auto cloth = [&](cairo_t* cc) {
    cairo_move_to(cc, l, top);
    cairo_line_to(cc, r, top);
    cairo_line_to(cc, r, tail);
    cairo_line_to(cc, (l + r) / 2, notch);
    cairo_line_to(cc, l, tail);
    cairo_close_path(cc);
  };
  SoftShadow(cr, cloth, 2, 3, 5, kShadow, 0.7);
  cairo_surface_t* silk = ParchmentTexture(128, 229, {0.52, 0.10, 0.11}, {0.34, 0.05, 0.07}, 0xED04);
  cairo_new_path(cr);
  cloth(cr);
  FillWithTexture(cr, silk);
  cairo_surface_destroy(silk);
  // Soft vertical folds of the hanging silk.
  cairo_save(cr);
  cairo_clip(cr);
  cairo_pattern_t* folds = cairo_pattern_create_linear(l, 0, r, 0);
  for (int k = 0; k <= 8; ++k)
    cairo_pattern_add_color_stop_rgba(folds, k / 8.0, k % 2 ? 1.0 : 0.1, k % 2 ? 0.8 : 0.02,
                                      k % 2 ? 0.6 : 0.02, k % 2 ? 0.08 : 0.22);
  cairo_set_source(cr, folds);
  cairo_paint(cr);
  cairo_pattern_destroy(folds);
  cairo_restore(cr);
  // A saffron border inside the edge, trimmed with gold.
  auto border = [&](cairo_t* cc) {
    const double i = 6;
    cairo_move_to(cc, l + i, top + 4);
    cairo_line_to(cc, r - i, top + 4);
    cairo_line_to(cc, r - i, tail - 14);
    cairo_line_to(cc, (l + r) / 2, notch - 10);
    cairo_line_to(cc, l + i, tail - 14);
    cairo_close_path(cc);
  };
  cairo_new_path(cr);
  border(cr);
  cairo_set_line_width(cr, 5);
  SetColor(cr, palette::saffron, 0.85);
  cairo_stroke(cr);
  GoldLine(cr, border, 1.0, top, tail);
  GoldLine(cr, cloth, 1.4, top, tail);
  // The rod with its finials.
  auto rod = [&](cairo_t* cc) { RoundedRect(cc, {2, 2, 124, 7}, 3.5); };
  SoftShadow(cr, rod, 1, 2, 2, kShadow, 0.8);
  cairo_new_path(cr);
  rod(cr);
  cairo_pattern_t* wood = cairo_pattern_create_linear(0, 2, 0, 9);
  cairo_pattern_add_color_stop_rgb(wood, 0, 0.62, 0.20, 0.12);
  cairo_pattern_add_color_stop_rgb(wood, 1, 0.25, 0.05, 0.04);
  cairo_set_source(cr, wood);
  cairo_fill(cr);
  cairo_pattern_destroy(wood);
  for (double x : {4.5, 123.5}) {
    cairo_arc(cr, x, 5.5, 4.3, 0, 2 * M_PI);
    SetGold(cr, 1, 10);
    cairo_fill(cr);
  }
  WriteArt(out, "gfx/editor/fahne.png", c.surface, 0.008, 0xED05);
}

// The white tail under a help balloon's box, pointing down and to the right.
void BalloonTail(Output& out) {
  Canvas c(75, 26);
  cairo_move_to(c.cr, 18, 0);
  cairo_line_to(c.cr, 52, 0);
  cairo_curve_to(c.cr, 54, 9, 58, 18, 68, 25.5);
  cairo_curve_to(c.cr, 52, 22, 36, 12, 18, 0);
  cairo_close_path(c.cr);
  cairo_set_source_rgb(c.cr, 1, 1, 1);
  cairo_fill(c.cr);
  WriteArt(out, "gfx/balloons/ed001.png", c.surface, 0.0, 0xED06);
}

}  // namespace
}  // namespace art::ui

void GenerateUiEditor(Output& out, const Sources&) {
  art::ui::Toolbar(out);
  art::ui::Icons(out);
  art::ui::Banner(out);
  art::ui::BalloonTail(out);
}
