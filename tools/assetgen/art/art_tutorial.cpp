// The game tutorial's pictures: three miniature screenshots of the play screen drawn
// from the real piece art at half size, and the sprites its animations move over them
// (arrow, tiny pointer, click mark, the square piece, the flash of a solved figure).
// The figure is a small stupa whose square crown sits where the animations put the
// square piece: screenshot (107, 23).
#include "art_generators.h"
#include "art_pieces.h"
#include "art_shared.h"

#include <cmath>

namespace art {

namespace {

// Placements in "scene" pixels: the screenshot at twice its size, pieces at full size.
struct Placement {
  int element;
  double x, y, degrees;
};
constexpr Placement FIGURE[7] = {
    {3, 214, 46, 0},        // crown: the square, the tutorial's piece
    {0, 214, 132, 0},       // roof
    {4, 214, 196.5, 0},     // band
    {0, 214, 261, 0},       // body
    {1, 214, 334.4, 180},   // base, pointing down
    {2, 168.4, 349.6, 225}, // petals beside the base
    {2, 259.6, 349.6, 135},
};
// Where each kind rests in the miniature tray (shown at the tray's 0.8 scale).
constexpr double TRAY_X = 460;
constexpr double TRAY_Y[5] = {60, 140, 200, 334, 256};
constexpr double TRAY_SQUARE_X = 466;

constexpr double DIVIDER_X = 376;
constexpr double COLUMN_RIGHT = 70;
const Rgb SILHOUETTE{1 / 255.0, 1 / 255.0, 1 / 255.0};

double Rad(double degrees) { return degrees * M_PI / 180; }

const RgbaImage& Piece(int element) {
  static const RgbaImage pieces[5] = {
      PaintPiece(0, false, PieceMaterial::Marble, 1100), PaintPiece(1, false, PieceMaterial::Marble, 1197),
      PaintPiece(2, false, PieceMaterial::Marble, 1294), PaintPiece(3, false, PieceMaterial::Marble, 1391),
      PaintPiece(4, false, PieceMaterial::Marble, 1488)};
  return pieces[element];
}

// Dawn sky over misty blue mountains, the play field's backdrop.
void DrawBackdrop(cairo_t* cr) {
  cairo_pattern_t* sky = cairo_pattern_create_linear(0, 0, 0, 386);
  cairo_pattern_add_color_stop_rgb(sky, 0, 0.55, 0.62, 0.78);
  cairo_pattern_add_color_stop_rgb(sky, 0.45, palette::dawnPink.r, palette::dawnPink.g, palette::dawnPink.b);
  cairo_pattern_add_color_stop_rgb(sky, 1, 0.95, 0.85, 0.68);
  cairo_set_source(cr, sky);
  cairo_paint(cr);
  cairo_pattern_destroy(sky);
  for (int layer = 0; layer < 3; ++layer) {
    const double base = 200 + 60 * layer;
    cairo_move_to(cr, 0, 386);
    for (int x = 0; x <= 546; x += 6) {
      const double h = 70 * Fbm(x * 0.006 + layer * 3.1, layer, 4, 6101 + layer);
      cairo_line_to(cr, x, base - h);
    }
    cairo_line_to(cr, 546, 386);
    cairo_close_path(cr);
    const Rgb c = Mix(palette::mistBlue, palette::mountainBlue, 0.3 + 0.3 * layer);
    SetColor(cr, c, 0.85);
    cairo_fill(cr);
  }
}

void DrawFrame(cairo_t* cr, bool column) {
  SetColor(cr, palette::lacquer);
  cairo_rectangle(cr, DIVIDER_X, 0, 8, 386);
  cairo_rectangle(cr, 0, 0, 546, 5);
  cairo_rectangle(cr, 0, 380, 546, 6);
  if (column) cairo_rectangle(cr, 0, 0, COLUMN_RIGHT, 386);
  cairo_fill(cr);
  SetColor(cr, palette::gold);
  cairo_rectangle(cr, DIVIDER_X + 2.5, 0, 3, 386);
  cairo_rectangle(cr, 0, 3, 546, 2.5);
  cairo_rectangle(cr, 0, 380, 546, 2.5);
  if (column) cairo_rectangle(cr, COLUMN_RIGHT - 4, 0, 3, 386);
  cairo_fill(cr);
}

// The left column in miniature: time ring with the yin-yang, level plaque, and the lamp
// (moved low, where the tutorial's pointer clicks it). The top-left corner stays plain
// wood: the page counter is written there.
void DrawColumn(cairo_t* cr) {
  const double cx = 34, cy = 104;
  cairo_arc(cr, cx, cy, 31, 0, 2 * M_PI);
  SetColor(cr, palette::gold);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 27, 0, 2 * M_PI);
  SetColor(cr, {0.2, 0.07, 0.05});
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, 24, -M_PI / 2, M_PI * 0.9);
  cairo_set_line_width(cr, 5);
  SetColor(cr, palette::saffron);
  cairo_stroke(cr);
  RgbaImage yy(64, 64);
  PaintYinYangDisc(yy, 32, 32, 19);
  DrawCentred(cr, yy, cx, cy, 1.0);
  cairo_rectangle(cr, 8, 156, 52, 44);
  SetColor(cr, palette::gold);
  cairo_fill(cr);
  cairo_rectangle(cr, 11, 159, 46, 38);
  SetColor(cr, {0.22, 0.06, 0.06});
  cairo_fill(cr);
  // The level number "1" as a plain white stroke.
  cairo_move_to(cr, 31, 168);
  cairo_line_to(cr, 35, 164);
  cairo_line_to(cr, 35, 192);
  cairo_set_line_width(cr, 4);
  SetColor(cr, palette::snow);
  cairo_stroke(cr);
  DrawCentred(cr, LampFrame(1.0), 36, 316, 1.0);
}

void DrawSilhouette(cairo_t* cr) {
  for (const Placement& p : FIGURE)
    DrawCentred(cr, Piece(p.element), p.x + 4, p.y + 2, 1.0, Rad(p.degrees), &SILHOUETTE, 0.2);
  for (const Placement& p : FIGURE)
    DrawCentred(cr, Piece(p.element), p.x, p.y, 1.0, Rad(p.degrees), &SILHOUETTE);
}

void DrawPlaced(cairo_t* cr, const bool placed[7]) {
  for (int i = 0; i < 7; ++i)
    if (placed[i]) DrawCentred(cr, Piece(FIGURE[i].element), FIGURE[i].x, FIGURE[i].y, 1.0, Rad(FIGURE[i].degrees));
}

void DrawTray(cairo_t* cr, const bool inTray[7]) {
  for (int i = 0; i < 7; ++i) {
    if (!inTray[i]) continue;
    const int e = FIGURE[i].element;
    DrawCentred(cr, Piece(e), e == 3 ? TRAY_SQUARE_X : TRAY_X, TRAY_Y[e], 0.8);
  }
}

RgbaImage Screenshot(bool column, const bool placed[7], const bool inTray[7]) {
  RgbaImage img = PaintCairo(273, 193, [&](cairo_t* cr) {
    cairo_scale(cr, 0.5, 0.5);
    DrawBackdrop(cr);
    DrawSilhouette(cr);
    DrawPlaced(cr, placed);
    DrawTray(cr, inTray);
    DrawFrame(cr, column);
    if (column) DrawColumn(cr);
  });
  AddGrain(img, 0.01, 6200);
  Finish(img);
  return img;
}

// The arrow's outline: pointing down-left, its tip near the bottom-left corner.
void ArrowPath(cairo_t* cr) {
  cairo_translate(cr, 7, 50);
  cairo_rotate(cr, -M_PI / 4 - 0.08);
  cairo_move_to(cr, 0, 0);
  cairo_line_to(cr, 24, -17);
  cairo_line_to(cr, 24, -7);
  cairo_line_to(cr, 62, -7);
  cairo_line_to(cr, 62, 7);
  cairo_line_to(cr, 24, 7);
  cairo_line_to(cr, 24, 17);
  cairo_close_path(cr);
}

RgbaImage PaintArrow() {
  RgbaImage img(63, 56);
  const Mask shape = CoverageOf(63, 56, [](cairo_t* cr) {
    ArrowPath(cr);
    cairo_fill(cr);
  });
  PaintDropShadow(img, shape, 2, 2, 3, 0.5);
  PaintRelief(img, shape, 2, 3.0, [](int x, int y) {
    return Mix(palette::saffron, Rgb{0.85, 0.30, 0.10}, Clamp01((63 - x + y) / 100.0));
  }, 0.5, 12);
  const RgbaImage outline = PaintCairo(63, 56, [](cairo_t* cr) {
    ArrowPath(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.5);
    SetColor(cr, palette::maroon);
    cairo_stroke(cr);
  });
  for (int y = 0; y < 56; ++y)
    for (int x = 0; x < 63; ++x) {
      const uint8_t* p = outline.At(x, y);
      Over(img, x, y, {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0}, p[3] / 255.0);
    }
  Finish(img);
  return img;
}

// The game's pointer at miniature size: the tip is the top-left pixel.
RgbaImage PaintTinyPointer() {
  RgbaImage img = PaintCairo(10, 16, [](cairo_t* cr) {
    cairo_move_to(cr, 0.6, 0.6);
    cairo_line_to(cr, 0.6, 12.5);
    cairo_line_to(cr, 3.4, 9.8);
    cairo_line_to(cr, 5.6, 15);
    cairo_line_to(cr, 7.6, 14.1);
    cairo_line_to(cr, 5.5, 9.2);
    cairo_line_to(cr, 9.2, 9.0);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 8, 14);
    cairo_pattern_add_color_stop_rgb(g, 0, 1.0, 0.92, 0.60);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.85, 0.55, 0.18);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 0.9);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    SetColor(cr, {0.30, 0.10, 0.06});
    cairo_stroke(cr);
  });
  Finish(img);
  return img;
}

// Ripples spreading to the right of the pointer's tip: a click.
RgbaImage PaintClick() {
  RgbaImage img = PaintCairo(28, 16, [](cairo_t* cr) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    const double ox = 0, oy = 8;
    for (int pass = 0; pass < 2; ++pass)
      for (int ring = 0; ring < 3; ++ring) {
        const double r = 7 + 6.5 * ring;
        cairo_new_path(cr);
        cairo_arc(cr, ox, oy, r, -0.85, 0.85);
        cairo_set_line_width(cr, pass == 0 ? 3.4 : 1.7);
        if (pass == 0)
          SetColor(cr, palette::maroon, 0.8 - 0.2 * ring);
        else
          SetColor(cr, {1.0, 0.92, 0.55}, 1.0 - 0.25 * ring);
        cairo_stroke(cr);
      }
  });
  Finish(img);
  return img;
}

// The glow over a solved figure: warm light from the middle with soft rays.
RgbaImage PaintFlash() {
  RgbaImage img(136, 178);
  for (int y = 0; y < 178; ++y)
    for (int x = 0; x < 136; ++x) {
      const double dx = (x + 0.5 - 68) / 68, dy = (y + 0.5 - 89) / 89;
      const double d = std::sqrt(dx * dx + dy * dy);
      if (d >= 1) continue;
      const double a = std::atan2(dy, dx);
      const double rays = 0.5 + 0.5 * std::pow(std::abs(std::cos(6 * a)), 6);
      const double glow = std::exp(-d * d * 2.8) * (0.6 + 0.4 * rays);
      uint8_t* p = img.At(x, y);
      p[0] = 255, p[1] = ToByte(0.96), p[2] = ToByte(0.80);
      p[3] = ToByte(0.95 * glow * (1 - Smoothstep(0.8, 1.0, d)));
    }
  return img;
}

RgbaImage PaintTutorialTile() {
  RgbaImage img = PaintCairo(44, 43, [](cairo_t* cr) { DrawCentred(cr, Piece(3), 22, 21.5, 0.5); });
  Finish(img);
  return img;
}

}  // namespace

}  // namespace art

void GenerateTutorialPictures(Output& out, const Sources&) {
  const bool none[7] = {false, false, false, false, false, false, false};
  const bool all[7] = {true, true, true, true, true, true, true};
  const bool someDone[7] = {false, true, true, true, false, false, false};
  const bool restOfTray[7] = {false, false, false, false, true, true, true};
  const bool allButCrown[7] = {false, true, true, true, true, true, true};
  out.WritePng("gfx/tutorial/screen0.png", art::Screenshot(true, none, all));
  out.WritePng("gfx/tutorial/screen1.png", art::Screenshot(false, someDone, restOfTray));
  out.WritePng("gfx/tutorial/screen6.png", art::Screenshot(false, allButCrown, none));
  out.WritePng("gfx/tutorial/arrow.png", art::PaintArrow());
  out.WritePng("gfx/tutorial/screen1_pointer.png", art::PaintTinyPointer());
  out.WritePng("gfx/tutorial/click.png", art::PaintClick());
  out.WritePng("gfx/tutorial/screen6_flash.png", art::PaintFlash());
  out.WritePng("gfx/tutorial/screen1_tile.png", art::PaintTutorialTile());
}
