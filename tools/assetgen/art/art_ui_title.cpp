// The main menu's title logo and its glow, and the folding fans in the bottom corners.
// The lettering is our own: capitals built from tangram-like pieces (straight edges,
// diagonal seams) under a small tangram mountain range, over a gold rule.
#include "art_generators.h"
#include "art_ui_parts.h"

#include <cmath>
#include <vector>

namespace art::ui {
namespace {

struct Piece {
  std::vector<double> xy;  // corner pairs in letter units (7 units tall)
};

struct Glyph {
  double width;
  std::vector<Piece> pieces;
};

// The letters of the title on a grid 7 units tall.
std::vector<Glyph> TitleGlyphs() {
  const Piece ringLeft{{0, 1, 1, 0, 1, 7, 0, 6}}, ringRight{{3, 0, 4, 1, 4, 6, 3, 7}};
  const Piece ringTop{{1, 0, 3, 0, 3, 1, 1, 1}}, ringBottom{{1, 6, 3, 6, 3, 7, 1, 7}};
  const Glyph q{4, {ringLeft, ringRight, ringTop, ringBottom, {{1.9, 4.4, 2.9, 4.4, 4.9, 6.4, 3.9, 6.4}}}};
  const Glyph u{4, {{{0, 0, 1, 0, 1, 7, 0, 6}}, {{3, 0, 4, 0, 4, 6, 3, 7}}, {{1, 6, 3, 6, 3, 7, 1, 7}}}};
  const Glyph o{4, {ringLeft, ringRight, ringTop, ringBottom, {{2, 2.6, 2.9, 3.5, 2, 4.4, 1.1, 3.5}}}};
  const Glyph r{4, {{{0, 0, 1, 0, 1, 7, 0, 7}}, {{1, 0, 3, 0, 3, 1, 1, 1}}, {{3, 0, 4, 1, 4, 3, 3, 4}},
                    {{1, 3, 3, 3, 3, 4, 1, 4}}, {{1.6, 4, 2.7, 4, 4, 7, 2.9, 7}}}};
  const Glyph v{4, {{{0, 0, 1.1, 0, 2, 3.6, 2, 7}}, {{2, 3.6, 2.9, 0, 4, 0, 2, 7}}}};
  const Glyph a{4, {{{0, 7, 2, 0, 2, 3.4, 1.1, 7}}, {{2, 0, 4, 7, 2.9, 7, 2, 3.4}},
                    {{1.7, 4.6, 2.3, 4.6, 2.55, 5.6, 1.45, 5.6}}}};
  const Glyph l{3, {{{0, 0, 1, 0, 1, 6, 0, 7}}, {{1, 6, 3, 6, 3, 7, 0, 7}}}};
  const Glyph e{3, {{{0, 0, 1, 1, 1, 6, 0, 7}}, {{0, 0, 3, 0, 3, 1, 1, 1}},
                    {{1, 3, 2.5, 3, 2.5, 4, 1, 4}}, {{1, 6, 3, 6, 3, 7, 0, 7}}}};
  return {q, u, o, r, v, a, l, e};
}

constexpr double kUnit = 6.0, kGap = 0.65;
constexpr double kTextTop = 57;

// Calls fn(path of one piece, index) for every piece of the lettering in image pixels.
void ForEachPiece(const std::function<void(const PathFn&, int)>& fn) {
  const std::vector<Glyph> glyphs = TitleGlyphs();
  double total = -kGap;
  for (const Glyph& g : glyphs) total += g.width + kGap;
  double x = (230 - total * kUnit) / 2;
  int index = 0;
  for (const Glyph& g : glyphs) {
    for (const Piece& p : g.pieces) {
      const double x0 = x;
      fn([&p, x0](cairo_t* cr) {
        for (size_t k = 0; k < p.xy.size(); k += 2)
          cairo_line_to(cr, x0 + p.xy[k] * kUnit, kTextTop + p.xy[k + 1] * kUnit);
        cairo_close_path(cr);
      }, index++);
    }
    x += (g.width + kGap) * kUnit;
  }
}

// Three tangram triangles as mountain peaks at dawn, with the sun behind the middle one.
void ForEachPeak(const std::function<void(const PathFn&, int)>& fn) {
  const double base = 50, cx = 115;
  const double peaks[][3] = {{cx - 30, 26, 22}, {cx + 30, 26, 22}, {cx, 40, 36}};  // x, half, height
  for (int i = 0; i < 3; ++i) {
    const double px = peaks[i][0], half = peaks[i][1], h = peaks[i][2];
    fn([=](cairo_t* cr) {
      cairo_move_to(cr, px - half, base);
      cairo_line_to(cr, px, base - h);
      cairo_line_to(cr, px + half, base);
      cairo_close_path(cr);
    }, i);
  }
}

void Rule(cairo_t* cr) {
  const double y = 112;
  auto lozenge = [&](cairo_t* c, double cx, double rx, double ry) {
    cairo_move_to(c, cx - rx, y);
    cairo_line_to(c, cx, y - ry);
    cairo_line_to(c, cx + rx, y);
    cairo_line_to(c, cx, y + ry);
    cairo_close_path(c);
  };
  auto rule = [&](cairo_t* c) {
    cairo_move_to(c, 34, y);
    cairo_line_to(c, 103, y);
    cairo_move_to(c, 127, y);
    cairo_line_to(c, 196, y);
  };
  SoftShadow(cr, [&](cairo_t* c) {
    lozenge(c, 115, 9, 6);
    cairo_rectangle(c, 34, y - 1, 162, 2);
  }, 1, 2, 2, kShadow, 0.8);
  GoldLine(cr, rule, 1.6, y - 1, y + 1);
  cairo_new_path(cr);
  lozenge(cr, 115, 9, 6);
  SetGold(cr, y - 6, y + 6);
  cairo_fill(cr);
  lozenge(cr, 115, 4, 2.7);
  SetColor(cr, palette::jade);
  cairo_fill(cr);
  for (double x : {34.0, 196.0}) {
    lozenge(cr, x, 3.5, 3.5);
    SetGold(cr, y - 3.5, y + 3.5);
    cairo_fill(cr);
  }
}

void Sun(cairo_t* cr, double alpha) {
  cairo_pattern_t* g = cairo_pattern_create_radial(115, 22, 2, 115, 22, 22);
  cairo_pattern_add_color_stop_rgba(g, 0, 1.0, 0.95, 0.75, alpha);
  cairo_pattern_add_color_stop_rgba(g, 0.45, 0.99, 0.75, 0.35, alpha * 0.9);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.96, 0.6, 0.12, 0);
  cairo_arc(cr, 115, 22, 22, 0, 2 * M_PI);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

void Logo(Output& out) {
  Canvas c(230, 125);
  cairo_t* cr = c.cr;
  EmblemSun(cr);
  auto all = [&](cairo_t* cc) {
    ForEachPiece([&](const PathFn& p, int) { p(cc); });
    ForEachPeak([&](const PathFn& p, int) { p(cc); });
  };
  SoftShadow(cr, all, 2, 3, 4, kShadow, 0.85);
  EmblemPeaks(cr);
  // Lettering: gilded pieces with dark seams and a bevel of light along the top.
  ForEachPiece([&](const PathFn& p, int i) {
    cairo_new_path(cr);
    p(cr);
    SetGold(cr, kTextTop - 4, kTextTop + 7 * kUnit + 4, i % 3 == 1 ? 0.92 : 1.0);
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1.3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    SetColor(cr, {0.30, 0.09, 0.05});
    cairo_stroke(cr);
    cairo_save(cr);
    p(cr);
    cairo_clip(cr);
    cairo_translate(cr, 0.8, 1.2);
    cairo_new_path(cr);
    p(cr);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, palette::goldLight, 0.7);
    cairo_stroke(cr);
    cairo_restore(cr);
  });
  Rule(cr);
  WriteArt(out, "gfx/titlefont.png", c.surface, 0.0, 0x717E);
}

// The glow drawn before the logo fades in: a warm halo around its shapes.
// Multiplies the canvas's alpha by a ramp from 0 at the edges to 1 `edge` pixels in, so
// that a glow never stops hard at the border of the image.
void FadeEdges(Canvas& c, double edge) {
  for (int axis = 0; axis < 2; ++axis) {
    const double len = axis ? c.height : c.width;
    cairo_pattern_t* ramp = axis ? cairo_pattern_create_linear(0, 0, 0, len)
                                 : cairo_pattern_create_linear(0, 0, len, 0);
    cairo_pattern_add_color_stop_rgba(ramp, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(ramp, edge / len, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(ramp, 1 - edge / len, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(ramp, 1, 0, 0, 0, 1);
    cairo_save(c.cr);
    cairo_set_operator(c.cr, CAIRO_OPERATOR_DEST_OUT);
    cairo_set_source(c.cr, ramp);
    cairo_paint(c.cr);
    cairo_restore(c.cr);
    cairo_pattern_destroy(ramp);
  }
}

void LogoGlow(Output& out) {
  Canvas c(230, 125);
  cairo_t* cr = c.cr;
  Canvas shape(230, 125);
  SetColor(shape.cr, {1.0, 0.85, 0.55});
  cairo_set_line_width(shape.cr, 7);
  cairo_set_line_join(shape.cr, CAIRO_LINE_JOIN_ROUND);
  ForEachPiece([&](const PathFn& p, int) {
    cairo_new_path(shape.cr);
    p(shape.cr);
    cairo_fill_preserve(shape.cr);
    cairo_stroke(shape.cr);
  });
  ForEachPeak([&](const PathFn& p, int) {
    cairo_new_path(shape.cr);
    p(shape.cr);
    cairo_fill_preserve(shape.cr);
    cairo_stroke(shape.cr);
  });
  cairo_rectangle(shape.cr, 30, 108, 170, 8);
  cairo_fill(shape.cr);
  Blur(shape.surface, 10);
  cairo_set_source_surface(cr, shape.surface, 0, 0);
  cairo_paint_with_alpha(cr, 0.9);
  Sun(cr, 0.7);
  // A second, tighter and brighter halo close to the letters.
  Canvas core(230, 125);
  SetColor(core.cr, {1.0, 0.95, 0.8});
  ForEachPiece([&](const PathFn& p, int) {
    cairo_new_path(core.cr);
    p(core.cr);
    cairo_fill(core.cr);
  });
  Blur(core.surface, 4);
  cairo_set_source_surface(cr, core.surface, 0, 0);
  cairo_paint_with_alpha(cr, 0.8);
  FadeEdges(c, 10);
  WriteArt(out, "gfx/titlefont_mask.png", c.surface, 0.0, 0x717F);
}

// A folding fan opened upwards; its pivot is below the screen's edge when placed.
void Fan(Output& out) {
  Canvas c(184, 145);
  cairo_t* cr = c.cr;
  // Opened to about 80 degrees, with its pivot just below the image.
  const double px = 92, py = 151, inner = 64, outer = 146;
  const int folds = 12;
  const double a0 = M_PI * 1.285, a1 = M_PI * 1.715;
  auto sector = [&](cairo_t* cc, double from, double to, double r0, double r1) {
    cairo_arc(cc, px, py, r1, from, to);
    cairo_arc_negative(cc, px, py, r0, to, from);
    cairo_close_path(cc);
  };
  SoftShadow(cr, [&](cairo_t* cc) { sector(cc, a0, a1, inner, outer); }, 2, 3, 4, kShadow, 0.7);
  // Sticks below the paper.
  for (int i = 0; i <= folds; ++i) {
    const double a = a0 + (a1 - a0) * i / folds;
    cairo_move_to(cr, px + std::cos(a) * 6, py + std::sin(a) * 6);
    cairo_line_to(cr, px + std::cos(a) * (inner + 2), py + std::sin(a) * (inner + 2));
  }
  cairo_set_line_width(cr, 2.6);
  SetColor(cr, {0.30, 0.10, 0.06});
  cairo_stroke(cr);
  // Paper: maroon silk in folds, each fold lit a little differently.
  for (int i = 0; i < folds; ++i) {
    const double f0 = a0 + (a1 - a0) * i / folds, f1 = a0 + (a1 - a0) * (i + 1) / folds;
    cairo_new_path(cr);
    sector(cr, f0, f1, inner, outer);
    cairo_pattern_t* g = cairo_pattern_create_linear(px + std::cos(f0) * 60, py + std::sin(f0) * 60,
                                                     px + std::cos(f1) * 60, py + std::sin(f1) * 60);
    const double lit = i % 2 ? 0.78 : 1.0;
    cairo_pattern_add_color_stop_rgb(g, 0, 0.52 * lit, 0.10 * lit, 0.11 * lit);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.40 * lit, 0.07 * lit, 0.09 * lit);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
  }
  // Painted gold hills and a rising sun on the paper.
  cairo_save(cr);
  sector(cr, a0, a1, inner, outer);
  cairo_clip(cr);
  cairo_pattern_t* sun = cairo_pattern_create_radial(px + 44, py - 112, 0, px + 44, py - 112, 12);
  cairo_pattern_add_color_stop_rgba(sun, 0, 1.0, 0.85, 0.5, 0.45);
  cairo_pattern_add_color_stop_rgba(sun, 0.7, 1.0, 0.75, 0.4, 0.3);
  cairo_pattern_add_color_stop_rgba(sun, 1, 1.0, 0.75, 0.4, 0.0);
  cairo_arc(cr, px + 44, py - 112, 12, 0, 2 * M_PI);
  cairo_set_source(cr, sun);
  cairo_fill(cr);
  cairo_pattern_destroy(sun);
  cairo_new_path(cr);
  cairo_move_to(cr, px - 90, py - 40);
  for (double x = -90; x <= 90; x += 2)
    cairo_line_to(cr, px + x, py - 74 - 22 * Fbm(x / 40.0 + 3, 1.5, 3, 0xFA4) +
                                  10 * std::cos(x / 30.0));
  cairo_line_to(cr, px + 90, py);
  cairo_line_to(cr, px - 90, py);
  cairo_close_path(cr);
  SetColor(cr, palette::gold, 0.28);
  cairo_fill(cr);
  cairo_restore(cr);
  // Gold borders along the paper's edges and the folds.
  GoldLine(cr, [&](cairo_t* cc) {
    cairo_arc(cc, px, py, outer - 1, a0, a1);
    cairo_new_sub_path(cc);
    cairo_arc(cc, px, py, inner + 1, a0, a1);
  }, 1.8, py - outer, py - inner);
  for (int i = 0; i <= folds; ++i) {
    const double a = a0 + (a1 - a0) * i / folds;
    cairo_move_to(cr, px + std::cos(a) * inner, py + std::sin(a) * inner);
    cairo_line_to(cr, px + std::cos(a) * outer, py + std::sin(a) * outer);
  }
  cairo_set_line_width(cr, 0.7);
  SetColor(cr, palette::gold, 0.45);
  cairo_stroke(cr);
  // The guard sticks and the rivet.
  for (double a : {a0, a1}) {
    cairo_move_to(cr, px, py);
    cairo_line_to(cr, px + std::cos(a) * (outer + 3), py + std::sin(a) * (outer + 3));
  }
  cairo_set_line_width(cr, 4.5);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {0.32, 0.08, 0.05});
  cairo_stroke(cr);
  cairo_arc(cr, px, py, 5, 0, 2 * M_PI);
  SetGold(cr, py - 5, py + 5);
  cairo_fill(cr);
  WriteArt(out, "gfx/fan.png", c.surface, 0.01, 0xFA5);
}

}  // namespace

void EmblemSun(cairo_t* cr) { Sun(cr, 0.9); }

void EmblemPeaks(cairo_t* cr) {
  // Peaks: dawn-lit faces in saffron, maroon and jade, each split along its ridge.
  const Rgb peakLit[] = {palette::saffron, palette::jade, {0.80, 0.22, 0.16}};
  ForEachPeak([&](const PathFn& p, int i) {
    cairo_new_path(cr);
    p(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 14, 0, 54);
    const Rgb top = Mix(peakLit[i], palette::snow, 0.35), bottom = Mix(peakLit[i], palette::ink, 0.35);
    cairo_pattern_add_color_stop_rgb(g, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(g, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1.4);
    SetColor(cr, {0.25, 0.08, 0.05});
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  });
  // Shade the right half of every peak: light comes from the rising sun on the left.
  ForEachPeak([&](const PathFn& p, int) {
    cairo_save(cr);
    cairo_new_path(cr);
    p(cr);
    cairo_clip(cr);
    double x1, y1, x2, y2;
    cairo_clip_extents(cr, &x1, &y1, &x2, &y2);
    cairo_rectangle(cr, (x1 + x2) / 2, y1, (x2 - x1) / 2 + 1, y2 - y1);
    SetColor(cr, palette::ink, 0.25);
    cairo_fill(cr);
    cairo_restore(cr);
  });
}

}  // namespace art::ui

void GenerateUiTitle(Output& out, const Sources&) {
  art::ui::Logo(out);
  art::ui::LogoGlow(out);
  art::ui::Fan(out);
}
