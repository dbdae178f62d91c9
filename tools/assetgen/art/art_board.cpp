// The play screen's frame and score board: the lacquered frame with its calm top band
// for the name and score, the left column (time ring, level plaque, menu button) and
// the rotating yin-yang. The column is cut into the pieces the game draws separately;
// all of them take their texture from screen coordinates so that they join seamlessly.
#include "art_generators.h"
#include "art_paint.h"

#include <cmath>

namespace art {

namespace {

constexpr uint32_t LACQUER_SEED = 4100;
constexpr double COLUMN_RIGHT = 86;  // right edge of the score board column
constexpr double RING_CX = 45, RING_CY = 120;  // time ring and yin-yang, screen pixels
constexpr double RING_INNER = 26, RING_OUTER = 35.5;

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

void ClearRect(RgbaImage& img, int x0, int y0, int x1, int y1) {
  for (int y = std::max(0, y0); y <= std::min(img.height - 1, y1); ++y)
    for (int x = std::max(0, x0); x <= std::min(img.width - 1, x1); ++x) {
      uint8_t* p = img.At(x, y);
      p[0] = p[1] = p[2] = p[3] = 0;
    }
}

// Lacquer everywhere the mask covers, darker towards `calm` (0..1 per pixel).
void PaintLacquer(RgbaImage& img, const Mask& m, int offX, int offY) {
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x)
      if (m.At(x, y) > 0) Over(img, x, y, LacquerAt(x + offX, y + offY, LACQUER_SEED), m.At(x, y));
}

auto GoldFn(int offX, int offY) {
  return [offX, offY](int x, int y) { return GoldAt(x + offX, y + offY, 4200); };
}

// The column panel: lacquer with a gilded rim on its right edge; y0..y1 in screen rows.
// The shadow is computed on a taller canvas so that it does not fade at the cut edges
// where the pieces of the column meet.
void PaintColumn(RgbaImage& img, int offY, double y0, double y1, bool roundBottom) {
  const double r = roundBottom ? 14 : 0.01;
  const int pad = 24;
  Mask tall = CoverageOf(img.width, img.height + 2 * pad, [&](cairo_t* cr) {
    RoundedRect(cr, -20, y0 - offY + pad, COLUMN_RIGHT + 20, y1 - y0, r);
    cairo_fill(cr);
  });
  Blur(tall, 3);
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const int sx = x - 3, sy = y + pad - 1;
      if (sx >= 0) Over(img, x, y, palette::ink, 0.45 * tall.At(sx, sy));
    }
  const Mask panel = CoverageOf(img.width, img.height, [&](cairo_t* cr) {
    RoundedRect(cr, -20, y0 - offY, COLUMN_RIGHT + 20, y1 - y0, r);
    cairo_fill(cr);
  });
  PaintLacquer(img, panel, 0, offY);
  const Mask rim = CoverageOf(img.width, img.height, [&](cairo_t* cr) {
    RoundedRect(cr, -20, y0 - offY, COLUMN_RIGHT + 20, y1 - y0, r);
    RoundedRect(cr, -20, y0 - offY - 10, COLUMN_RIGHT + 16, y1 - y0 + (roundBottom ? 6 : 20),
                roundBottom ? 11 : 0.01);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
  });
  PaintRelief(img, rim, 1, 2.0, GoldFn(0, offY), 0.5, 12);
}

// A gold ring (annulus) as a raised relief.
void PaintGoldRing(RgbaImage& img, double cx, double cy, double r0, double r1, int offY) {
  const Mask ring = CoverageOf(img.width, img.height, [&](cairo_t* cr) {
    cairo_arc(cr, cx, cy, r1, 0, 2 * M_PI);
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r0, 0, 2 * M_PI);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
  });
  PaintRelief(img, ring, 2, 3.0, GoldFn(0, offY), 0.6, 10);
}

RgbaImage PaintBoard() {
  RgbaImage img(640, 480);
  const Mask frame = CoverageOf(640, 480, [](cairo_t* cr) {
    cairo_rectangle(cr, 0, 0, 640, 59);
    cairo_rectangle(cr, 0, 0, 4, 480);
    cairo_rectangle(cr, 636, 0, 4, 480);
    cairo_rectangle(cr, 0, 462, 640, 18);
    cairo_fill(cr);
  });
  PaintDropShadow(img, frame, 2, 1, 2, 0.55);
  PaintLacquer(img, frame, 0, 0);
  // The top band is calmer and darker behind the name and the score.
  for (int y = 0; y < 59; ++y)
    for (int x = 0; x < 640; ++x) {
      const double dark = 0.35 * Smoothstep(2, 30, y) * (1 - Smoothstep(40, 58, y));
      Over(img, x, y, {0.16, 0.05, 0.04}, dark);
    }
  const Mask rails = CoverageOf(640, 480, [](cairo_t* cr) {
    cairo_rectangle(cr, 0, 54, 640, 6);
    cairo_rectangle(cr, 0, 0, 640, 2.5);
    cairo_rectangle(cr, 0, 461, 640, 5);
    cairo_rectangle(cr, 636.5, 56, 3, 408);
    cairo_rectangle(cr, 1, 56, 3, 408);
    cairo_fill(cr);
  });
  PaintRelief(img, rails, 1, 2.0, GoldFn(0, 0), 0.55, 12);
  // Lotus knobs on the rails mark where the tray begins; no pillar between field and tray,
  // because the bonus board and the dialog boxes reach across that line.
  const Mask knobs = CoverageOf(640, 480, [](cairo_t* cr) {
    for (double ky : {57.0, 463.5}) {
      cairo_new_sub_path(cr);
      cairo_arc(cr, 457.5, ky, 6.5, 0, 2 * M_PI);
      cairo_new_sub_path(cr);
      cairo_arc(cr, 638, ky, 5, 0, 2 * M_PI);
    }
    cairo_fill(cr);
  });
  PaintDropShadow(img, knobs, 2, 1, 2, 0.6);
  PaintRelief(img, knobs, 3, 4.0, GoldFn(0, 0), 0.7, 10);
  AddGrain(img, 0.015, 4101);
  // Whatever the ornaments did, the play field and the tray stay clear.
  ClearRect(img, 4, 66, 635, 459);
  Finish(img);
  return img;
}

RgbaImage PaintTimeBorder() {
  const int offY = 48;
  RgbaImage img(90, 171);
  PaintColumn(img, offY, 30, 48 + 171 + 20, false);
  // A recessed well for the ring: a dark hole edge, then the gold bezel.
  const double cx = RING_CX, cy = RING_CY - offY;
  const Mask well = CoverageOf(90, 171, [&](cairo_t* cr) {
    cairo_arc(cr, cx, cy, RING_OUTER + 3, 0, 2 * M_PI);
    cairo_fill(cr);
  });
  PaintDropShadow(img, well, 3, 2, 3, 0.5);
  PaintGoldRing(img, cx, cy, RING_OUTER - 0.5, RING_OUTER + 5, offY);
  // Four small beads on the bezel, at the quarters.
  const Mask beads = CoverageOf(90, 171, [&](cairo_t* cr) {
    for (int k = 0; k < 4; ++k) {
      const double a = k * M_PI / 2 + M_PI / 4;
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx + std::cos(a) * (RING_OUTER + 2.5), cy + std::sin(a) * (RING_OUTER + 2.5), 3.2, 0,
                2 * M_PI);
    }
    cairo_fill(cr);
  });
  PaintRelief(img, beads, 2, 3.0, [](int, int) { return Rgb{0.30, 0.62, 0.50}; }, 0.8, 20);
  // The hole: the time ring and the yin-yang show through from below.
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double keep = Clamp01(d - (RING_OUTER - 0.5));
      img.At(x, y)[3] = ToByte(img.At(x, y)[3] / 255.0 * keep);
    }
  // The level plaque covers everything from screen row 175 on; leaving it out here keeps
  // the two shadows from doubling.
  ClearRect(img, 0, 175 - offY, img.width - 1, img.height - 1);
  AddGrain(img, 0.012, 4102);
  Finish(img);
  return img;
}

// Frame k of 72: the remaining time glows as an ember-lit ring that the spent part
// eats clockwise from the top.
RgbaImage PaintTimeFrame(int k) {
  const double f = 1.0 - k / 71.0;  // remaining
  const double cx = 36, cy = 36;
  RgbaImage img(72, 72);
  const Rgb full = {1.0, 0.82, 0.32}, mid = {0.98, 0.52, 0.10}, low = {0.85, 0.14, 0.08};
  const Rgb glow = f > 0.5 ? Mix(mid, full, (f - 0.5) * 2) : Mix(low, mid, f * 2);
  const double spent = (1 - f) * 2 * M_PI;  // angle from the top, clockwise
  for (int y = 0; y < 72; ++y)
    for (int x = 0; x < 72; ++x) {
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double r = std::hypot(dx, dy);
      const double cover = Clamp01(r - (RING_INNER - 0.5)) * Clamp01(RING_OUTER + 1.0 - r);
      if (cover <= 0) continue;
      double ang = std::atan2(dx, -dy);  // 0 at the top, clockwise
      if (ang < 0) ang += 2 * M_PI;
      // Groove: a dark lacquer channel, lit along its lower inner edge.
      const double t = (r - RING_INNER) / (RING_OUTER - RING_INNER);
      Rgb c = Mix({0.17, 0.06, 0.05}, {0.30, 0.12, 0.08}, Smoothstep(0.0, 1.0, std::sin(t * M_PI)));
      // Lit part, anti-aliased at the moving edge (in pixels along the arc).
      const double edge = (ang - spent) * r;
      double lit = f >= 1 ? 1 : Clamp01(edge + 0.5) * Clamp01((2 * M_PI - ang) * r + 0.5);
      if (f <= 0) lit = 0;
      if (lit > 0) {
        const double body = std::sin(Clamp01(t) * M_PI);
        const double shimmer = 0.85 + 0.15 * ValueNoise(ang * 12, r * 0.3, 4300);
        Rgb g = Mix(Mix(glow, {0.3, 0.1, 0.05}, 0.5), Mix(glow, {1, 1, 0.85}, 0.2), body * shimmer);
        // An ember at the burning end.
        const double ember = std::exp(-std::max(0.0, edge) / 6.0) * (f < 1);
        g = Mix(g, {1.0, 0.95, 0.75}, 0.8 * ember * body);
        c = Mix(c, g, lit);
      }
      uint8_t* o = img.At(x, y);
      o[0] = ToByte(c.r), o[1] = ToByte(c.g), o[2] = ToByte(c.b), o[3] = ToByte(cover);
    }
  return img;
}

RgbaImage PaintTimeAnim() {
  RgbaImage strip(2592, 144);
  for (int k = 0; k < 72; ++k) Blit(strip, PaintTimeFrame(k), (k % 36) * 72, (k / 36) * 72);
  Finish(strip);
  return strip;
}

RgbaImage PaintYinYang() {
  const double c = 33, R = 23.5;
  RgbaImage img(66, 66);
  const Mask disc = CoverageOf(66, 66, [&](cairo_t* cr) {
    cairo_arc(cr, c, c, R + 2.5, 0, 2 * M_PI);
    cairo_fill(cr);
  });
  PaintDropShadow(img, disc, 2, 0, 0, 0.6);
  PaintGoldRim(img, c, c, R - 0.5, R + 2.5);
  PaintYinYangDisc(img, c, c, R);
  AddGrain(img, 0.01, 4401);
  Finish(img);
  return img;
}

RgbaImage PaintLevelDisplay() {
  const int offY = 175;
  RgbaImage img(111, 142);
  PaintColumn(img, offY, 150, 175 + 142 + 20, false);
  // The plaque behind the level number: a dark recessed panel in a gold frame.
  const double px = 5, py = 26, pw = 74, ph = 64;
  const Mask plate = CoverageOf(111, 142, [&](cairo_t* cr) {
    RoundedRect(cr, px, py, pw, ph, 12);
    cairo_fill(cr);
  });
  PaintDropShadow(img, plate, 3, 2, 3, 0.5);
  const Mask inner = CoverageOf(111, 142, [&](cairo_t* cr) {
    RoundedRect(cr, px + 4, py + 4, pw - 8, ph - 8, 9);
    cairo_fill(cr);
  });
  PaintRelief(img, plate, 2, 3.0, GoldFn(0, offY), 0.6, 10);
  for (int y = 0; y < 142; ++y)
    for (int x = 0; x < 111; ++x) {
      if (inner.At(x, y) <= 0) continue;
      // Darker in the middle where the white number sits, a faint inner shadow at the top.
      const double dx = (x - 42.0) / 34, dy = (y - 58.0) / 28;
      const double vignette = Clamp01(std::sqrt(dx * dx + dy * dy));
      Rgb c = Mix({0.13, 0.04, 0.04}, {0.30, 0.08, 0.08}, vignette);
      c = Mix(c, {0.05, 0.02, 0.02}, 0.5 * (1 - Smoothstep(py + 4, py + 11, y)));
      Over(img, x, y, c, inner.At(x, y));
    }
  // A thin gilded bar with a jade-set diamond above and below the plaque.
  const Mask scrolls = CoverageOf(111, 142, [&](cairo_t* cr) {
    for (double sy : {14.0, 104.0}) {
      cairo_rectangle(cr, 14, sy - 1, 56, 2);
      cairo_move_to(cr, 42, sy - 6);
      cairo_line_to(cr, 48, sy);
      cairo_line_to(cr, 42, sy + 6);
      cairo_line_to(cr, 36, sy);
      cairo_close_path(cr);
      for (int side = -1; side <= 1; side += 2) {
        cairo_new_sub_path(cr);
        cairo_arc(cr, 42 + side * 30, sy, 2.5, 0, 2 * M_PI);
      }
    }
    cairo_fill(cr);
  });
  PaintRelief(img, scrolls, 1, 2.0, GoldFn(0, offY), 0.5, 12);
  ClearRect(img, 0, 290 - offY, img.width - 1, img.height - 1);  // under the menu button
  AddGrain(img, 0.012, 4103);
  Finish(img);
  return img;
}

// The dharma wheel on the menu button: eight spokes in a rim around a hub.
Mask DharmaWheel(int w, int h, double cx, double cy, double r) {
  return CoverageOf(w, h, [&](cairo_t* cr) {
    cairo_set_line_width(cr, r * 0.16);
    cairo_arc(cr, cx, cy, r * 0.78, 0, 2 * M_PI);
    cairo_stroke(cr);
    cairo_set_line_width(cr, r * 0.11);
    for (int k = 0; k < 8; ++k) {
      const double a = k * M_PI / 4;
      cairo_move_to(cr, cx + std::cos(a) * r * 0.2, cy + std::sin(a) * r * 0.2);
      cairo_line_to(cr, cx + std::cos(a) * r * 0.75, cy + std::sin(a) * r * 0.75);
      cairo_stroke(cr);
      cairo_new_sub_path(cr);
      cairo_arc(cr, cx + std::cos(a) * r * 0.98, cy + std::sin(a) * r * 0.98, r * 0.11, 0, 2 * M_PI);
      cairo_fill(cr);
    }
    cairo_arc(cr, cx, cy, r * 0.24, 0, 2 * M_PI);
    cairo_fill(cr);
  });
}

RgbaImage PaintScoreMenuFrame(bool hover) {
  const int offY = 290;
  RgbaImage img(107, 187);
  PaintColumn(img, offY, 250, 477, true);
  const double px = 6, py = 34, pw = 72, ph = 120;
  const Mask plate = CoverageOf(107, 187, [&](cairo_t* cr) {
    RoundedRect(cr, px, py, pw, ph, 14);
    cairo_fill(cr);
  });
  PaintDropShadow(img, plate, 3, 2, 3, 0.5);
  PaintRelief(img, plate, 4, 5.0, [&](int x, int y) {
    const Rgb base = Mix({0.93, 0.86, 0.70}, {0.80, 0.68, 0.50}, (y - py) / ph);
    const Rgb c = Mix(base, {0.82, 0.72, 0.55}, 0.35 * Fbm(x * 0.08, y * 0.08, 3, 4500));
    return hover ? Mix(c, {1.0, 0.93, 0.72}, 0.45) : c;
  }, 0.25, 20);
  const double cx = 42, cy = 94;
  if (hover) {
    for (int y = 0; y < 187; ++y)
      for (int x = 0; x < 107; ++x) {
        const double d = std::hypot(x - cx, y - cy);
        Over(img, x, y, {1.0, 0.78, 0.30}, 0.55 * std::exp(-d * d / 500.0) * plate.At(x, y));
      }
  }
  const Mask wheel = DharmaWheel(107, 187, cx, cy, 27);
  PaintDropShadow(img, wheel, 2, 1, 2, hover ? 0.35 : 0.5);
  PaintRelief(img, wheel, 1, 2.5, [&](int x, int y) {
    const Rgb c = hover ? GoldAt(x, y, 4600) : Mix(palette::maroon, palette::lacquerLight, 0.3);
    return c;
  }, hover ? 0.8 : 0.4, 12);
  AddGrain(img, 0.012, hover ? 4105 : 4104);
  return img;
}

RgbaImage PaintScoreMenu() {
  RgbaImage strip(214, 187);
  Blit(strip, PaintScoreMenuFrame(false), 0, 0);
  Blit(strip, PaintScoreMenuFrame(true), 107, 0);
  Finish(strip);
  return strip;
}

}  // namespace

}  // namespace art

void GenerateBoard(Output& out, const Sources&) {
  out.WritePng("gfx/board.png", art::PaintBoard());
}

void GenerateScoreBoard(Output& out, const Sources&) {
  out.WritePng("gfx/timeborder.png", art::PaintTimeBorder());
  out.WritePng("gfx/timeanim.png", art::PaintTimeAnim());
  out.WritePng("gfx/yinyang.png", art::PaintYinYang());
  out.WritePng("gfx/leveldisplay.png", art::PaintLevelDisplay());
  out.WritePng("gfx/scoremenu.png", art::PaintScoreMenu());
}
