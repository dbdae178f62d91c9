// The bonus game: six lacquer tiles with auspicious symbols, the joker, the bomb, the
// stone and the kind-11 tile; the floating yin-yang marker; the board, sparkles,
// power-up glow, shot timer and the five "How to play?" icons.
#include "art_bonus.h"

#include "art_generators.h"

#include <cmath>
#include <string>

namespace art {

namespace {

void Stop(cairo_pattern_t* p, double at, Rgb c, double a = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, a);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

constexpr Rgb TILE_COLOURS[6] = {
    {0.72, 0.13, 0.12}, {0.18, 0.56, 0.40}, {0.22, 0.42, 0.80},
    {0.95, 0.60, 0.10}, {0.48, 0.24, 0.60}, {0.90, 0.85, 0.72}};

// The symbol of each kind, drawn as a path around (0, 0) about 22 px across.
void SymbolPath(cairo_t* cr, int kind) {
  switch (kind) {
    case 0:  // lotus: five petals fanning from the base
      for (int p = -2; p <= 2; ++p) {
        cairo_save(cr);
        cairo_translate(cr, 0, 7);
        cairo_rotate(cr, p * 0.55);
        const double l = p == 0 ? 17 : (std::abs(p) == 1 ? 15.5 : 12);
        cairo_move_to(cr, 0, 0);
        cairo_curve_to(cr, -6, -l * 0.35, -4.5, -l * 0.8, 0, -l);
        cairo_curve_to(cr, 4.5, -l * 0.8, 6, -l * 0.35, 0, 0);
        cairo_close_path(cr);
        cairo_restore(cr);
      }
      break;
    case 1:  // bodhi leaf: broad base, long drip tip, a cut midrib
      cairo_move_to(cr, 0, -13);
      cairo_curve_to(cr, -1, -9, -11, -6, -10, 2);
      cairo_curve_to(cr, -9, 9, -3, 11, 0, 9);
      cairo_curve_to(cr, 3, 11, 9, 9, 10, 2);
      cairo_curve_to(cr, 11, -6, 1, -9, 0, -13);
      cairo_close_path(cr);
      cairo_rectangle(cr, -0.7, -7, 1.4, 15);
      break;
    case 2:  // water drop
      cairo_move_to(cr, 0, -11);
      cairo_curve_to(cr, 3, -5, 8, 0, 8, 4);
      cairo_arc(cr, 0, 4, 8, 0, M_PI);
      cairo_curve_to(cr, -8, 0, -3, -5, 0, -11);
      cairo_close_path(cr);
      break;
    case 3:  // sun: disc and eight rays
      cairo_arc(cr, 0, 0, 5.5, 0, 2 * M_PI);
      for (int r = 0; r < 8; ++r) {
        const double a = r * M_PI / 4;
        cairo_move_to(cr, std::cos(a - 0.22) * 7, std::sin(a - 0.22) * 7);
        cairo_line_to(cr, std::cos(a) * 11.5, std::sin(a) * 11.5);
        cairo_line_to(cr, std::cos(a + 0.22) * 7, std::sin(a + 0.22) * 7);
        cairo_close_path(cr);
      }
      break;
    case 4:  // crescent moon
      cairo_arc(cr, 0, 0, 10, 0, 2 * M_PI);
      cairo_new_sub_path(cr);
      cairo_arc_negative(cr, 4.5, -3, 8, 2 * M_PI, 0);
      break;
    case 5:  // faceted jewel
      cairo_move_to(cr, -9, -3);
      cairo_line_to(cr, -5, -9);
      cairo_line_to(cr, 5, -9);
      cairo_line_to(cr, 9, -3);
      cairo_line_to(cr, 0, 10);
      cairo_close_path(cr);
      break;
    default:  // joker: five-pointed star
      for (int p = 0; p < 10; ++p) {
        const double a = -M_PI / 2 + p * M_PI / 5;
        const double r = p % 2 ? 4.8 : 11.5;
        cairo_line_to(cr, std::cos(a) * r, std::sin(a) * r);
      }
      cairo_close_path(cr);
  }
}

Mask SymbolMask(int kind, double cx, double cy, double scale) {
  return CoverageOf(40, 40, [&](cairo_t* cr) {
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, scale, scale);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    SymbolPath(cr, kind);
    cairo_fill(cr);
  });
}

Mask TileBodyMask() {
  return CoverageOf(40, 40, [](cairo_t* cr) {
    RoundedRect(cr, 2.5, 2.5, 35, 35, 7);
    cairo_fill(cr);
  });
}

// A lit band that crosses the tile diagonally; at phase 0 it lies outside the tile.
void Shimmer(RgbaImage& img, const Mask& body, double phase, double strength) {
  const double centre = -10 + 76 * phase;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const double d = (x + y) * 0.7071 - centre;
      Over(img, x, y, {1.0, 0.98, 0.90}, strength * std::exp(-d * d / 18.0) * body.At(x, y));
    }
}

// An ordinary tile (kind 0..5) or the joker (6) in animation step k of 16.
RgbaImage PaintSymbolTile(int kind, int k) {
  RgbaImage img(40, 40);
  const Mask body = TileBodyMask();
  const double t = k / 15.0;
  PaintDropShadow(img, body, 1, 1, 1, 0.5);
  if (kind < 6) {
    const Rgb base = TILE_COLOURS[kind];
    PaintRelief(img, body, 3, 4.0, [&](int x, int y) {
      const double v = Fbm(x * 0.15, y * 0.15, 3, 5000 + kind);
      return Mix(Mix(base, {1, 1, 1}, 0.12 * (1 - (x + y) / 80.0)), base, 0.6 + 0.4 * v);
    }, 0.35, 14);
  } else {
    // The joker: all six colours turning slowly around the middle.
    const double turn = t * M_PI / 3;
    PaintRelief(img, body, 3, 4.0, [&](int x, int y) {
      double a = std::atan2(y - 20.0, x - 20.0) + turn;
      a = std::fmod(a + 4 * M_PI, 2 * M_PI) / (2 * M_PI) * 6;
      const int i = int(a) % 6;
      return Mix(TILE_COLOURS[i], TILE_COLOURS[(i + 1) % 6], Smoothstep(0.7, 1.0, a - std::floor(a)));
    }, 0.35, 14);
  }
  // The symbol rises a little in the middle of the cycle.
  const double lift = 1.2 * std::sin(M_PI * t);
  const Mask sym = SymbolMask(kind, 20, 20.5 - lift, 1.0);
  PaintDropShadow(img, sym, 1, 1, 1, 0.45 + 0.1 * lift);
  const bool darkSymbol = kind == 5 || kind == 3;
  PaintRelief(img, sym, 1, 2.5, [&](int x, int y) {
    if (darkSymbol) return Mix(palette::maroon, Rgb{0.75, 0.25, 0.20}, 0.3 * (1 - y / 40.0));
    if (kind == 6) return Rgb{1.0, 0.98, 0.90};
    return GoldAt(x, y, 5100 + kind);
  }, 0.6, 12);
  Shimmer(img, body, t, 0.35);
  return img;
}

// The bomb: a bronze shell with a burning fuse, step k of 32 (a loop).
RgbaImage PaintBomb(int k) {
  const double t = k / 32.0;
  const double pulse = 0.5 + 0.5 * std::cos(2 * M_PI * t);
  RgbaImage img(40, 40);
  const Mask shell = CoverageOf(40, 40, [](cairo_t* cr) {
    cairo_arc(cr, 19, 23, 13, 0, 2 * M_PI);
    cairo_rectangle(cr, 23, 7, 6, 7);
    cairo_fill(cr);
  });
  PaintDropShadow(img, shell, 1, 1, 1, 0.55);
  PaintRelief(img, shell, 3, 5.0, [&](int x, int y) {
    const double heat = pulse * std::exp(-(std::pow(x - 19, 2) + std::pow(y - 23, 2)) / 120.0);
    return Mix({0.30, 0.20, 0.16}, {0.85, 0.25, 0.10}, 0.6 * heat);
  }, 0.7, 16);
  // Fuse cord and its spark.
  RgbaImage fuse = PaintCairo(40, 40, [&](cairo_t* cr) {
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColor(cr, {0.55, 0.42, 0.26});
    cairo_move_to(cr, 26, 8);
    cairo_curve_to(cr, 28, 3, 32, 4, 33, 6);
    cairo_stroke(cr);
    const double sx = 33, sy = 5.5;
    cairo_pattern_t* glow = cairo_pattern_create_radial(sx, sy, 0, sx, sy, 6 + 2 * pulse);
    Stop(glow, 0, {1.0, 0.95, 0.7}, 1.0);
    Stop(glow, 0.4, {1.0, 0.6, 0.15}, 0.7);
    Stop(glow, 1, {1.0, 0.4, 0.1}, 0.0);
    cairo_set_source(cr, glow);
    cairo_arc(cr, sx, sy, 6 + 2 * pulse, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(glow);
    cairo_set_line_width(cr, 0.8);
    for (int r = 0; r < 6; ++r) {
      const double a = r * M_PI / 3 + 2 * M_PI * t * 2;
      const double len = 3.5 + 2.5 * std::sin(2 * M_PI * t * 3 + r);
      SetColor(cr, {1.0, 0.9, 0.5}, 0.9);
      cairo_move_to(cr, sx + std::cos(a) * 1.5, sy + std::sin(a) * 1.5);
      cairo_line_to(cr, sx + std::cos(a) * len, sy + std::sin(a) * len);
      cairo_stroke(cr);
    }
  });
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const uint8_t* p = fuse.At(x, y);
      Over(img, x, y, {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0}, p[3] / 255.0);
    }
  // A gold band around the shell.
  const Mask band = CoverageOf(40, 40, [](cairo_t* cr) {
    cairo_rectangle(cr, 22.5, 12, 7, 2.5);
    cairo_fill(cr);
  });
  PaintRelief(img, band, 1, 2.0, [](int x, int y) { return GoldAt(x, y, 5200); }, 0.6, 12);
  return img;
}

RgbaImage PaintYinYangMarker() {
  RgbaImage img(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const double d = std::hypot(x + 0.5 - 20, y + 0.5 - 20);
      Over(img, x, y, {1.0, 0.92, 0.60}, 0.55 * std::exp(-std::pow(std::max(0.0, d - 11), 2) / 18.0) *
                                             (d > 10));
    }
  PaintGoldRim(img, 20, 20, 10.5, 12.5);
  PaintYinYangDisc(img, 20, 20, 11);
  return img;
}

RgbaImage PaintStone() {
  RgbaImage img(40, 40);
  const Mask body = CoverageOf(40, 40, [](cairo_t* cr) {
    cairo_move_to(cr, 4, 8);
    cairo_line_to(cr, 12, 3);
    cairo_line_to(cr, 30, 3.5);
    cairo_line_to(cr, 37, 10);
    cairo_line_to(cr, 36.5, 31);
    cairo_line_to(cr, 29, 37);
    cairo_line_to(cr, 9, 36.5);
    cairo_line_to(cr, 3, 29);
    cairo_close_path(cr);
    cairo_fill(cr);
  });
  PaintDropShadow(img, body, 1, 1, 1, 0.55);
  PaintRelief(img, body, 4, 6.0, [](int x, int y) {
    const double v = Fbm(x * 0.2, y * 0.2, 4, 5400);
    const double speck = ValueNoise(x * 0.9, y * 0.9, 5401) > 0.8 ? 0.15 : 0.0;
    return Mix(Rgb{0.42, 0.42, 0.44}, Rgb{0.66, 0.64, 0.62}, v + speck);
  }, 0.2, 8);
  RgbaImage cracks = PaintCairo(40, 40, [](cairo_t* cr) {
    cairo_set_line_width(cr, 0.9);
    SetColor(cr, {0.18, 0.17, 0.18}, 0.8);
    cairo_move_to(cr, 12, 8);
    cairo_line_to(cr, 17, 16);
    cairo_line_to(cr, 15, 23);
    cairo_line_to(cr, 21, 30);
    cairo_move_to(cr, 17, 16);
    cairo_line_to(cr, 26, 15);
    cairo_stroke(cr);
  });
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const uint8_t* p = cracks.At(x, y);
      Over(img, x, y, {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0}, p[3] / 255.0);
    }
  return img;
}

// Kind 11: a gilded tile with a jade lotus, matched only through a joker.
RgbaImage PaintSpecialTile() {
  RgbaImage img(40, 40);
  const Mask body = TileBodyMask();
  PaintDropShadow(img, body, 1, 1, 1, 0.5);
  PaintRelief(img, body, 3, 4.0, [](int x, int y) { return GoldAt(x, y, 5500); }, 0.7, 10);
  const Mask sym = SymbolMask(0, 20, 20.5, 1.05);
  PaintDropShadow(img, sym, 1, 1, 1, 0.4);
  PaintRelief(img, sym, 1, 2.5, [](int, int) { return palette::jade; }, 0.6, 14);
  return img;
}

RgbaImage PaintTiles() {
  RgbaImage strip(640, 400);
  for (int kind = 0; kind < 7; ++kind)
    for (int k = 0; k < 16; ++k) Blit(strip, PaintSymbolTile(kind, k), k * 40, kind * 40);
  for (int k = 0; k < 32; ++k) Blit(strip, PaintBomb(k), (k % 16) * 40, (7 + k / 16) * 40);
  Blit(strip, PaintYinYangMarker(), 0, 360);
  Blit(strip, PaintStone(), 40, 360);
  Blit(strip, PaintSpecialTile(), 120, 360);
  Finish(strip);
  return strip;
}

// The board: a dark lacquer tray of 8 x 9 wells in a gold frame; the bottom row, where
// the player's tiles are shot from, is a lighter jade track.
RgbaImage PaintBoardBackground() {
  RgbaImage img(334, 372);
  const Mask panel = CoverageOf(334, 372, [](cairo_t* cr) {
    RoundedRect(cr, 0, 0, 324, 364, 6);
    cairo_fill(cr);
  });
  PaintDropShadow(img, panel, 4, 5, 5, 0.6);
  for (int y = 0; y < 372; ++y)
    for (int x = 0; x < 334; ++x) {
      const double a = panel.At(x, y);
      if (a > 0) Over(img, x, y, Mix(LacquerAt(x, y, 5600), {0.10, 0.04, 0.04}, 0.55), a);
    }
  const Mask wells = CoverageOf(334, 372, [](cairo_t* cr) {
    for (int cy = 0; cy < 9; ++cy)
      for (int cx = 0; cx < 8; ++cx) RoundedRect(cr, 40 * cx + 4, 40 * cy + 4, 36, 36, 6);
    cairo_fill(cr);
  });
  for (int y = 0; y < 372; ++y)
    for (int x = 0; x < 334; ++x) {
      const double a = wells.At(x, y);
      if (a <= 0) continue;
      const bool track = y >= 322;
      const double cy = (y - 2) % 40, cx = (x - 2) % 40;
      // Each well is lit from below-right inside (it is recessed).
      const double inner = Smoothstep(2, 12, cy) * Smoothstep(2, 12, cx);
      Rgb c = track ? Mix({0.10, 0.26, 0.22}, {0.18, 0.40, 0.33}, inner)
                    : Mix({0.12, 0.05, 0.05}, {0.27, 0.11, 0.09}, inner);
      c = Mix(c, {0.45, 0.35, 0.30}, 0.08 * Fbm(x * 0.1, y * 0.1, 3, 5601));
      Over(img, x, y, c, a);
    }
  const Mask frame = CoverageOf(334, 372, [](cairo_t* cr) {
    RoundedRect(cr, 0, 0, 324, 364, 6);
    RoundedRect(cr, 2.5, 2.5, 319, 359, 4);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
    cairo_rectangle(cr, 2, 320.5, 320, 2);
    cairo_fill(cr);
  });
  PaintRelief(img, frame, 1, 2.0, [](int x, int y) { return GoldAt(x, y, 5602); }, 0.5, 12);
  // Small chevrons in the track point upwards, where the tiles fly.
  const Mask chevrons = CoverageOf(334, 372, [](cairo_t* cr) {
    cairo_set_line_width(cr, 1.5);
    for (int cx = 0; cx < 8; ++cx) {
      const double x = 40 * cx + 22;
      cairo_move_to(cr, x - 5, 359);
      cairo_line_to(cr, x, 355);
      cairo_line_to(cr, x + 5, 359);
    }
    cairo_stroke(cr);
  });
  for (int y = 0; y < 372; ++y)
    for (int x = 0; x < 334; ++x) Over(img, x, y, {0.55, 0.85, 0.70}, 0.5 * chevrons.At(x, y));
  AddGrain(img, 0.012, 5603);
  Finish(img);
  return img;
}

// Sparkle step k of 12: a four-ray star that flares up, turns and shrinks.
RgbaImage PaintSparkle(int k) {
  const double life = std::sin(M_PI * (k + 1) / 13.0);
  const double turn = k * 0.12;
  RgbaImage img(15, 15);
  for (int y = 0; y < 15; ++y)
    for (int x = 0; x < 15; ++x) {
      const double dx = x + 0.5 - 7.5, dy = y + 0.5 - 7.5;
      const double u = dx * std::cos(turn) + dy * std::sin(turn);
      const double v = -dx * std::sin(turn) + dy * std::cos(turn);
      const double len = 1 + 6 * life;
      const double ray = std::exp(-v * v * 3) * Clamp01(1 - std::abs(u) / len) +
                         std::exp(-u * u * 3) * Clamp01(1 - std::abs(v) / len);
      const double core = std::exp(-(dx * dx + dy * dy) / (1.5 + 3 * life));
      uint8_t* p = img.At(x, y);
      p[0] = 255, p[1] = ToByte(0.95), p[2] = ToByte(0.75);
      p[3] = ToByte(Clamp01(ray * (0.6 + 0.4 * life) + core * life));
    }
  return img;
}

RgbaImage PaintPowerUpGlow() {
  RgbaImage img(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const double dx = x + 0.5 - 20, dy = y + 0.5 - 20;
      const double d = std::hypot(dx, dy);
      const double a = std::atan2(dy, dx);
      const double rays = std::pow(std::abs(std::cos(4 * a)), 8) * std::exp(-d / 9.0);
      const double glow = std::exp(-d * d / 60.0);
      uint8_t* p = img.At(x, y);
      p[0] = 255, p[1] = ToByte(0.92), p[2] = ToByte(0.65);
      p[3] = ToByte(Clamp01(0.9 * glow + 0.8 * rays) * (1 - Smoothstep(17, 20, d)));
    }
  return img;
}

// Frame 0: the empty glass channel; frame 1: the channel full of glowing colour that
// turns from jade at the top to red at the bottom (revealed top-down as time runs out).
RgbaImage PaintTimeBarFrame(bool full) {
  RgbaImage img(46, 300);
  const Mask capsule = CoverageOf(46, 300, [](cairo_t* cr) {
    RoundedRect(cr, 5, 2, 34, 294, 14);
    cairo_fill(cr);
  });
  PaintDropShadow(img, capsule, 2, 2, 3, 0.55);
  PaintRelief(img, capsule, 3, 4.0, [](int x, int y) { return LacquerAt(x, y + 40, 5700); }, 0.3, 20);
  const Mask rim = CoverageOf(46, 300, [](cairo_t* cr) {
    RoundedRect(cr, 5, 2, 34, 294, 14);
    RoundedRect(cr, 8, 5, 28, 288, 11);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_fill(cr);
  });
  PaintRelief(img, rim, 1, 2.0, [](int x, int y) { return GoldAt(x, y, 5701); }, 0.5, 12);
  const double x0 = 13, x1 = 31, y0 = 22, y1 = 278;
  const Mask channel = CoverageOf(46, 300, [&](cairo_t* cr) {
    RoundedRect(cr, x0, y0, x1 - x0, y1 - y0, 4);
    cairo_fill(cr);
  });
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 46; ++x) {
      const double a = channel.At(x, y);
      if (a <= 0) continue;
      const double across = (x + 0.5 - x0) / (x1 - x0);  // 0..1 left to right
      const double glass = std::sin(M_PI * across);
      Rgb c;
      if (full) {
        const double down = (y - y0) / (y1 - y0);
        const Rgb hue = down < 0.5 ? Mix({0.35, 0.80, 0.55}, palette::saffron, down * 2)
                                   : Mix(palette::saffron, {0.88, 0.16, 0.10}, (down - 0.5) * 2);
        c = Mix(Mix(hue, {0.2, 0.05, 0.03}, 0.45), Mix(hue, {1, 1, 0.9}, 0.25), glass);
      } else {
        c = Mix({0.07, 0.04, 0.05}, {0.20, 0.14, 0.16}, glass * 0.7);
      }
      // A glassy highlight down the left side.
      const double hl = std::exp(-std::pow((across - 0.28) / 0.08, 2)) * 0.35;
      c = Mix(c, {1, 1, 1}, hl);
      Over(img, x, y, c, a);
    }
  // Caps: a small hourglass above, a lotus knob below.
  const Mask caps = CoverageOf(46, 300, [](cairo_t* cr) {
    cairo_move_to(cr, 16, 8);
    cairo_line_to(cr, 28, 8);
    cairo_line_to(cr, 22, 13.5);
    cairo_line_to(cr, 28, 19);
    cairo_line_to(cr, 16, 19);
    cairo_line_to(cr, 22, 13.5);
    cairo_close_path(cr);
    cairo_arc(cr, 22, 286, 5, 0, 2 * M_PI);
    cairo_fill(cr);
  });
  PaintRelief(img, caps, 1, 2.0, [](int x, int y) { return GoldAt(x, y, 5702); }, 0.6, 12);
  return img;
}

RgbaImage PaintTimeBar() {
  RgbaImage strip(92, 300);
  Blit(strip, PaintTimeBarFrame(false), 0, 0);
  Blit(strip, PaintTimeBarFrame(true), 46, 0);
  Finish(strip);
  return strip;
}

}  // namespace

RgbaImage BonusTile(int kind, int step) {
  if (kind < 7) return PaintSymbolTile(kind, step);
  if (kind == 7) return PaintBomb(step);
  if (kind == 9) return PaintStone();
  return PaintSpecialTile();
}

RgbaImage BonusYinYangMarker() { return PaintYinYangMarker(); }

}  // namespace art

void GenerateBonusTiles(Output& out, const Sources&) {
  out.WritePng("gfx/bonusgame/tiles.png", art::PaintTiles());
}

void GenerateBonusBoard(Output& out, const Sources&) {
  out.WritePng("gfx/bonusgame/bg.png", art::PaintBoardBackground());
  for (int k = 0; k < 12; ++k) {
    const std::string n = (k < 10 ? "0" : "") + std::to_string(k);
    out.WritePng("gfx/bonusgame/bing_0" + n + ".png", art::PaintSparkle(k));
  }
  out.WritePng("gfx/bonusgame/star_powerup.png", art::PaintPowerUpGlow());
  out.WritePng("gfx/bonusgame/timebar.png", art::PaintTimeBar());
}
