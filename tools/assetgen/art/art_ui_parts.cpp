#include "art_ui_parts.h"

#include <algorithm>
#include <cmath>

namespace art::ui {

namespace {

// A small gold lozenge with a jade inlay, set on the frame.
void FrameJewel(cairo_t* cr, double cx, double cy, double rx, double ry) {
  auto lozenge = [&](cairo_t* c, double sx, double sy) {
    cairo_move_to(c, cx, cy - sy);
    cairo_line_to(c, cx + sx, cy);
    cairo_line_to(c, cx, cy + sy);
    cairo_line_to(c, cx - sx, cy);
    cairo_close_path(c);
  };
  SoftShadow(cr, [&](cairo_t* c) { lozenge(c, rx, ry); }, 1, 1.5, 2, kShadow, 0.7);
  cairo_new_path(cr);
  lozenge(cr, rx, ry);
  SetGold(cr, cy - ry, cy + ry);
  cairo_fill(cr);
  lozenge(cr, rx * 0.5, ry * 0.5);
  cairo_pattern_t* j = cairo_pattern_create_linear(0, cy - ry * 0.5, 0, cy + ry * 0.5);
  cairo_pattern_add_color_stop_rgb(j, 0, 0.55, 0.85, 0.72);
  cairo_pattern_add_color_stop_rgb(j, 1, palette::jadeDark.r, palette::jadeDark.g,
                                   palette::jadeDark.b);
  cairo_set_source(cr, j);
  cairo_fill(cr);
  cairo_pattern_destroy(j);
}

}  // namespace

Rect DialogPanel(cairo_t* cr, Rect p, double border, uint32_t seed, bool topJewel) {
  const double radius = 12;
  SoftShadow(cr, [&](cairo_t* c) { RoundedRect(c, p, radius); }, 2.5, 3.5, 6, kShadow, 0.6);
  const Rect field{p.x + border, p.y + border, p.w - 2 * border, p.h - 2 * border};
  cairo_surface_t* target = cairo_get_target(cr);
  cairo_surface_t* parchment =
      ParchmentTexture(cairo_image_surface_get_width(target),
                       cairo_image_surface_get_height(target), kFieldLight, kFieldDark, seed);
  cairo_new_path(cr);
  RoundedRect(cr, {field.x - 2, field.y - 2, field.w + 4, field.h + 4}, 5);
  FillWithTexture(cr, parchment);
  cairo_surface_destroy(parchment);
  // Warmer light in the middle of the field, deeper tone towards the frame.
  cairo_save(cr);
  cairo_clip(cr);
  const double cx = field.x + field.w / 2, cy = field.y + field.h * 0.45;
  cairo_pattern_t* glow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, 1.0 / (field.w * 0.6), 1.0 / (field.h * 0.62));
  cairo_matrix_translate(&m, -cx, -cy);
  cairo_pattern_set_matrix(glow, &m);
  cairo_pattern_add_color_stop_rgba(glow, 0.0, 0.98, 0.78, 0.5, 0.10);
  cairo_pattern_add_color_stop_rgba(glow, 0.6, 0.98, 0.78, 0.5, 0.0);
  cairo_pattern_add_color_stop_rgba(glow, 1.0, 0.12, 0.05, 0.02, 0.35);
  cairo_set_source(cr, glow);
  cairo_paint(cr);
  cairo_pattern_destroy(glow);
  cairo_restore(cr);

  LacquerFrame(cr, p, radius, field, 4, seed + 7);
  InnerShadow(cr, [&](cairo_t* c) { RoundedRect(c, field, 4); }, 1.5, 2.5, 7, kShadow, 0.75);
  CornerBrackets(cr, {field.x + 6, field.y + 6, field.w - 12, field.h - 12}, 16);
  if (topJewel) FrameJewel(cr, p.x + p.w / 2, p.y + border / 2, 9, 5);
  FrameJewel(cr, p.x + p.w / 2, p.y + p.h - border / 2, 9, 5);
  return field;
}

void Well(cairo_t* cr, Rect r, double radius, uint32_t seed) {
  cairo_surface_t* target = cairo_get_target(cr);
  const Rgb lift = Mix(kWell, palette::lacquer, 0.45);
  cairo_surface_t* tex = LacquerTexture(cairo_image_surface_get_width(target),
                                        cairo_image_surface_get_height(target), true, kWell,
                                        lift, seed);
  cairo_new_path(cr);
  RoundedRect(cr, r, radius);
  FillWithTexture(cr, tex);
  cairo_surface_destroy(tex);
  cairo_new_path(cr);
  InnerShadow(cr, [&](cairo_t* c) { RoundedRect(c, r, radius); }, 1.5, 2.5, 6, kShadow, 0.9);
  GoldLine(cr, [&](cairo_t* c) {
    RoundedRect(c, {r.x - 1, r.y - 1, r.w + 2, r.h + 2}, radius + 1);
  }, 1.2, r.y, r.y + r.h);
}

namespace {

// The face of a small lacquered push control; pressed faces sit one pixel lower.
void ControlFace(cairo_t* cr, Rect r, Look look) {
  const double d = look == Look::Pressed ? 0.8 : 0.0;
  const Rect f{r.x + 1 + d, r.y + 1 + d, r.w - 2 - d, r.h - 2 - d};
  Rgb top = Mix(palette::lacquerLight, palette::saffron, 0.15);
  Rgb bottom = palette::lacquer;
  if (look == Look::Hover) {
    top = Mix(palette::saffron, palette::lacquerLight, 0.35);
    bottom = Mix(palette::lacquerLight, palette::maroon, 0.3);
  } else if (look == Look::Pressed) {
    top = Mix(palette::lacquer, palette::ink, 0.4);
    bottom = palette::maroon;
  }
  cairo_pattern_t* g = cairo_pattern_create_linear(0, f.y, 0, f.y + f.h);
  cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
  cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
  cairo_new_path(cr);
  RoundedRect(cr, f, 3);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  if (look == Look::Pressed)
    InnerShadow(cr, [&](cairo_t* c) { RoundedRect(c, f, 3); }, 1, 1.5, 3, kShadow, 0.8);
  GoldLine(cr, [&](cairo_t* c) { RoundedRect(c, {f.x + 0.5, f.y + 0.5, f.w - 1, f.h - 1}, 2.5); },
           1.0, f.y, f.y + f.h);
}

}  // namespace

void ArrowButton(cairo_t* cr, Rect r, bool up, Look look) {
  ControlFace(cr, r, look);
  const double d = look == Look::Pressed ? 0.8 : 0.0;
  const double cx = r.x + r.w / 2 + d, cy = r.y + r.h / 2 + d + (up ? -0.5 : 0.5);
  const double s = std::min(r.w, r.h) * 0.26;
  const double dir = up ? -1 : 1;
  cairo_new_path(cr);
  cairo_move_to(cr, cx - s * 1.2, cy - dir * s * 0.6);
  cairo_line_to(cr, cx + s * 1.2, cy - dir * s * 0.6);
  cairo_line_to(cr, cx, cy + dir * s * 0.8);
  cairo_close_path(cr);
  if (look == Look::Hover)
    SetColor(cr, palette::goldLight);
  else
    SetGold(cr, cy - s, cy + s, look == Look::Pressed ? 0.85 : 1.0);
  cairo_fill(cr);
}

void ScrollTrack(cairo_t* cr, Rect r) {
  cairo_pattern_t* g = cairo_pattern_create_linear(r.x, 0, r.x + r.w, 0);
  const Rgb edge = kShadow, mid = Mix(kWell, palette::lacquer, 0.5);
  cairo_pattern_add_color_stop_rgb(g, 0, edge.r, edge.g, edge.b);
  cairo_pattern_add_color_stop_rgb(g, 0.45, mid.r, mid.g, mid.b);
  cairo_pattern_add_color_stop_rgb(g, 1, kWell.r, kWell.g, kWell.b);
  cairo_new_path(cr);
  cairo_rectangle(cr, r.x, r.y, r.w, r.h);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // A fine gold groove down the middle.
  cairo_rectangle(cr, r.x + r.w / 2 - 0.5, r.y + 2, 1, r.h - 4);
  SetColor(cr, palette::gold, 0.35);
  cairo_fill(cr);
}

void ThumbColumn(cairo_t* cr, Rect r, Look look) {
  // Cylindrical shading across the bar; nothing varies along y.
  const double inset = 2;
  cairo_pattern_t* g = cairo_pattern_create_linear(r.x + inset, 0, r.x + r.w - inset, 0);
  const double b = look == Look::Rest ? 1.0 : 1.12;
  auto stop = [&](double at, Rgb c) {
    cairo_pattern_add_color_stop_rgb(g, at, std::min(1.0, c.r * b), std::min(1.0, c.g * b),
                                     std::min(1.0, c.b * b));
  };
  const Rgb deep{0.45, 0.26, 0.07};
  stop(0.0, deep);
  stop(0.25, look == Look::Rest ? palette::gold : palette::goldLight);
  stop(0.42, palette::goldLight);
  stop(0.7, look == Look::Rest ? palette::gold : palette::saffron);
  stop(1.0, deep);
  cairo_new_path(cr);
  cairo_rectangle(cr, r.x + inset, r.y, r.w - 2 * inset, r.h);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // Dark margins so the bar stands clear of the track.
  SetColor(cr, kShadow);
  cairo_rectangle(cr, r.x, r.y, inset, r.h);
  cairo_rectangle(cr, r.x + r.w - inset, r.y, inset, r.h);
  cairo_fill(cr);
  // An inlaid maroon line down the middle.
  cairo_rectangle(cr, r.x + r.w / 2 - 1, r.y, 2, r.h);
  SetColor(cr, palette::maroon, look == Look::Rest ? 0.55 : 0.7);
  cairo_fill(cr);
}

void RowColumn(cairo_t* cr, Rect r, Look look) {
  const bool sel = look == Look::Pressed;
  cairo_pattern_t* g = cairo_pattern_create_linear(r.x, 0, r.x + r.w, 0);
  if (sel) {
    cairo_pattern_add_color_stop_rgba(g, 0.0, 0.96, 0.62, 0.16, 0.85);
    cairo_pattern_add_color_stop_rgba(g, 0.5, 0.80, 0.34, 0.10, 0.62);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.55, 0.12, 0.10, 0.35);
  } else {
    cairo_pattern_add_color_stop_rgba(g, 0.0, 0.99, 0.80, 0.40, 0.42);
    cairo_pattern_add_color_stop_rgba(g, 0.6, 0.96, 0.62, 0.20, 0.16);
    cairo_pattern_add_color_stop_rgba(g, 1.0, 0.96, 0.62, 0.20, 0.04);
  }
  cairo_new_path(cr);
  cairo_rectangle(cr, r.x, r.y, r.w, r.h);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  // A gold marker at the left end of the row.
  cairo_pattern_t* m = cairo_pattern_create_linear(r.x, 0, r.x + 4, 0);
  cairo_pattern_add_color_stop_rgba(m, 0, 1.0, 0.93, 0.62, sel ? 1.0 : 0.7);
  cairo_pattern_add_color_stop_rgba(m, 1, 0.85, 0.55, 0.15, 0.0);
  cairo_rectangle(cr, r.x, r.y, 4, r.h);
  cairo_set_source(cr, m);
  cairo_fill(cr);
  cairo_pattern_destroy(m);
}

void ButtonGlow(cairo_t* cr, Rect r, Look look) {
  const double cx = r.x + r.w / 2, cy = r.y + r.h / 2;
  cairo_pattern_t* g = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
  cairo_matrix_t m;
  cairo_matrix_init_scale(&m, 1.0 / (r.w / 2), 1.0 / (r.h / 2));
  cairo_matrix_translate(&m, -cx, -cy);
  cairo_pattern_set_matrix(g, &m);
  if (look == Look::Pressed) {
    cairo_pattern_add_color_stop_rgba(g, 0.0, 0.95, 0.45, 0.10, 0.55);
    cairo_pattern_add_color_stop_rgba(g, 0.6, 0.60, 0.15, 0.08, 0.35);
  } else {
    cairo_pattern_add_color_stop_rgba(g, 0.0, 1.0, 0.82, 0.45, 0.6);
    cairo_pattern_add_color_stop_rgba(g, 0.6, 0.98, 0.62, 0.18, 0.25);
  }
  cairo_pattern_add_color_stop_rgba(g, 0.95, 0.98, 0.62, 0.18, 0.0);
  cairo_new_path(cr);
  cairo_rectangle(cr, r.x, r.y, r.w, r.h);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

}  // namespace art::ui
