#include "font_look.h"

#include "art_common.h"

#include <algorithm>
#include <cmath>

namespace {

using art::Rgb;

constexpr Rgb GOLD_TOP{1.00, 0.95, 0.68};
constexpr Rgb GOLD_BOTTOM{0.91, 0.62, 0.17};
constexpr Rgb RIM{0.29, 0.13, 0.04};
constexpr Rgb GLOW{1.00, 0.66, 0.22};

RgbaImage EmptyStrip(int cell) {
  const int perRow = CellsPerRow(cell);
  const int rows = 1 + (FONT_CODES - 1) / (perRow - 1);
  return RgbaImage(perRow * cell, rows * cell);
}

void CellOrigin(int k, int cell, int& x, int& y) {
  const int perRow = CellsPerRow(cell);
  x = (k % perRow) * cell;
  y = (k / perRow) * cell;
}

void PaintGreenCell(RgbaImage& strip, int cell) {
  int ox, oy;
  CellOrigin(FONT_CODES - 1, cell, ox, oy);
  for (int y = 0; y < cell; ++y)
    for (int x = 0; x < cell; ++x) {
      uint8_t* p = strip.At(ox + x, oy + y);
      p[0] = 0;
      p[1] = 255;
      p[2] = 0;
      p[3] = 255;
    }
}

// Separable Gaussian blur of one cell; pixels outside the cell count as empty.
std::vector<double> Blur(const std::vector<double>& in, int size, double sigma) {
  const int radius = int(std::ceil(sigma * 3));
  std::vector<double> kernel(size_t(2 * radius + 1));
  double sum = 0;
  for (int i = -radius; i <= radius; ++i) {
    kernel[size_t(i + radius)] = std::exp(-(i * i) / (2 * sigma * sigma));
    sum += kernel[size_t(i + radius)];
  }
  for (double& k : kernel) k /= sum;
  std::vector<double> tmp(in.size(), 0), out(in.size(), 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double v = 0;
      for (int i = -radius; i <= radius; ++i) {
        const int sx = x + i;
        if (sx >= 0 && sx < size) v += in[size_t(y * size + sx)] * kernel[size_t(i + radius)];
      }
      tmp[size_t(y * size + x)] = v;
    }
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      double v = 0;
      for (int i = -radius; i <= radius; ++i) {
        const int sy = y + i;
        if (sy >= 0 && sy < size) v += tmp[size_t(sy * size + x)] * kernel[size_t(i + radius)];
      }
      out[size_t(y * size + x)] = v;
    }
  return out;
}

struct Layer {
  Rgb colour;
  double alpha;
};

// Straight-alpha "over": top drawn onto bottom.
Layer Over(Layer top, Layer bottom) {
  const double a = top.alpha + bottom.alpha * (1 - top.alpha);
  if (a <= 0) return {bottom.colour, 0};
  const double wb = bottom.alpha * (1 - top.alpha);
  return {{(top.colour.r * top.alpha + bottom.colour.r * wb) / a,
           (top.colour.g * top.alpha + bottom.colour.g * wb) / a,
           (top.colour.b * top.alpha + bottom.colour.b * wb) / a},
          a};
}

uint8_t Byte(double v) { return uint8_t(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

void PaintGoldCell(RgbaImage& strip, const BakedFont& font, int k, const GlowStyle& style) {
  const int cell = font.cell;
  std::vector<double> cov(size_t(cell) * size_t(cell));
  bool empty = true;
  for (size_t i = 0; i < cov.size(); ++i) {
    cov[i] = font.coverage[size_t(k)][i] / 255.0;
    empty = empty && cov[i] == 0;
  }
  int ox, oy;
  CellOrigin(k, cell, ox, oy);
  if (empty) {
    for (int y = 0; y < cell; ++y)
      for (int x = 0; x < cell; ++x) {
        uint8_t* p = strip.At(ox + x, oy + y);
        p[0] = Byte(GLOW.r), p[1] = Byte(GLOW.g), p[2] = Byte(GLOW.b), p[3] = 0;
      }
    return;
  }
  const std::vector<double> rim = Blur(cov, cell, style.rimRadius);
  const std::vector<double> glow = Blur(cov, cell, style.glowRadius);
  const double span = std::max(1, font.baseline - font.capTop);
  for (int y = 0; y < cell; ++y) {
    // One gradient for the whole line: light at the capitals' top, deep at the baseline.
    const double t = std::clamp((y - font.capTop) / span, 0.0, 1.15);
    const Rgb fill = art::Mix(GOLD_TOP, GOLD_BOTTOM, t);
    for (int x = 0; x < cell; ++x) {
      const size_t i = size_t(y * cell + x);
      Layer px{GLOW, std::min(1.0, glow[i] * 2.5) * style.glowStrength};
      px = Over({RIM, std::min(1.0, rim[i] * style.rimStrength) * 0.9}, px);
      px = Over({fill, cov[i]}, px);
      uint8_t* p = strip.At(ox + x, oy + y);
      // Fully transparent pixels keep the glow colour so that filtering shows no dark fringe.
      p[3] = Byte(px.alpha);
      const Rgb c = p[3] > 0 ? px.colour : GLOW;
      p[0] = Byte(c.r), p[1] = Byte(c.g), p[2] = Byte(c.b);
    }
  }
}

}  // namespace

RgbaImage WhiteStrip(const BakedFont& font) {
  RgbaImage strip = EmptyStrip(font.cell);
  for (size_t i = 0; i < strip.pixels.size(); i += 4)
    strip.pixels[i] = strip.pixels[i + 1] = strip.pixels[i + 2] = 255;
  for (int k = 0; k < FONT_CODES - 1; ++k) {
    int ox, oy;
    CellOrigin(k, font.cell, ox, oy);
    for (int y = 0; y < font.cell; ++y)
      for (int x = 0; x < font.cell; ++x)
        strip.At(ox + x, oy + y)[3] = font.coverage[size_t(k)][size_t(y * font.cell + x)];
  }
  PaintGreenCell(strip, font.cell);
  return strip;
}

RgbaImage GoldStrip(const BakedFont& font, const GlowStyle& style) {
  RgbaImage strip = EmptyStrip(font.cell);
  for (int k = 0; k < FONT_CODES - 1; ++k) PaintGoldCell(strip, font, k, style);
  PaintGreenCell(strip, font.cell);
  return strip;
}
