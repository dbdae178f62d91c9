// Backdrops with built-in panels: the level-set page (a recessed list with its scroll
// bar, a parchment preview slot) and the tutorial (a framed screenshot slot and a round
// window onto the mountains), both on the lacquered hall wall.
#include "art_generators.h"
#include "art_scenery_paint.h"
#include "art_scenery_temple.h"

#include <cmath>

namespace art {
namespace {

constexpr int W = 640, H = 480;

void Arrow(cairo_t* cr, double cx, double cy, double size, bool up) {
  const double d = up ? -1 : 1;
  SetColor(cr, palette::goldLight, 0.95);
  cairo_move_to(cr, cx, cy + d * size * 0.45);
  cairo_line_to(cr, cx + size * 0.5, cy - d * size * 0.3);
  cairo_line_to(cr, cx - size * 0.5, cy - d * size * 0.3);
  cairo_close_path(cr);
  cairo_fill(cr);
}

void LevelSetPage(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  HallWall(c, 501);
  // List and scroll bar (the lit looks come from the list strip drawn over them).
  InsetPanel(cr, 113, 127, 195, 243, {0.12, 0.05, 0.04}, 0.9);
  InsetPanel(cr, 311, 127, 22, 243, {0.12, 0.05, 0.04}, 0.9);
  SetColor(cr, palette::gold, 0.5);
  cairo_set_line_width(cr, 1);
  cairo_move_to(cr, 312, 149.5);
  cairo_line_to(cr, 332, 149.5);
  cairo_move_to(cr, 312, 348.5);
  cairo_line_to(cr, 332, 348.5);
  cairo_stroke(cr);
  Arrow(cr, 322, 139, 10, true);
  Arrow(cr, 322, 359, 10, false);
  // Preview slot: parchment under a gold frame.
  Parchment(c, 349, 129, 201, 151, 502);
  InsetPanel(cr, 346, 126, 207, 157, palette::parchment, 0.0);
  BrushTexture(c, 0.03, 503, 0);
  out.WritePng("gfx/levelselector_screen.png", c.surface());
}

// A round window onto a small mountain view.
void MoonWindow(Canvas& c, double cx, double cy, double r) {
  cairo_t* cr = c.cr();
  Canvas view(W, H);
  cairo_t* vr = view.cr();
  VerticalGradient(vr, 0, 0, W, H, cy - r, cy + r,
                   {{0, {0.46, 0.56, 0.76}}, {0.6, {0.90, 0.78, 0.72}}, {1, {0.98, 0.84, 0.66}}});
  RangeStyle far;
  far.snowDepth = 24;
  far.hazeBottom = 0.6;
  far.fadeY = cy + r * 0.3;
  far.seed = 511;
  PaintRange(view, RidgeLine(W, {{cx - r, cy - 10}, {cx - r * 0.3, cy - r * 0.55}, {cx + r * 0.2, cy - 5},
                                 {cx + r * 0.6, cy - r * 0.4}, {cx + r, cy}},
                             8, 0.5, 511),
             far);
  RangeStyle near;
  near.lit = {0.44, 0.56, 0.46};
  near.shade = {0.28, 0.38, 0.36};
  near.hazeTop = 0.15;
  near.hazeBottom = 0.1;
  near.seed = 512;
  const std::vector<double> nearTop = RidgeLine(
      W, {{cx - r, cy + r * 0.5}, {cx - r * 0.2, cy + r * 0.2}, {cx + r, cy + r * 0.45}}, 5, 0.5, 512);
  PaintRange(view, nearTop, near);
  Monastery(vr, cx - r * 0.2, cy + r * 0.2, r / 520, Haze{{0.7, 0.76, 0.86}, 0.15}, 513);
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
  cairo_clip(cr);
  cairo_set_source_surface(cr, view.surface(), 0, 0);
  cairo_paint(cr);
  cairo_restore(cr);
  // Carved frame: a dark recess and a gold rim.
  cairo_set_line_width(cr, 10);
  SetColor(cr, {0.20, 0.07, 0.04});
  cairo_arc(cr, cx, cy, r + 5, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_set_line_width(cr, 2.5);
  SetColor(cr, palette::gold);
  cairo_arc(cr, cx, cy, r + 1, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, r + 10, 0, 2 * M_PI);
  cairo_stroke(cr);
}

void TutorialPage(Output& out) {
  Canvas c(W, H);
  cairo_t* cr = c.cr();
  HallWall(c, 521);
  // Screenshot slot and the text box (the game darkens the box itself).
  InsetPanel(cr, 31, 69, 281, 201, {0.12, 0.05, 0.04}, 0.9);
  Parchment(c, 34, 287, 586, 105, 522);
  InsetPanel(cr, 31, 284, 592, 111, palette::parchment, 0.0);
  MoonWindow(c, 470, 170, 88);
  PrayerFlags(cr, 330, 70, 612, 70, 26, 10, Haze{}, 523);
  BrushTexture(c, 0.03, 524, 0);
  out.WritePng("gfx/tutorial/bg.png", c.surface());
}

}  // namespace
}  // namespace art

void GenerateSceneryPanels(Output& out, const Sources&) {
  art::LevelSetPage(out);
  art::TutorialPage(out);
}
