#include "art_common.h"

#include <algorithm>
#include <cmath>

namespace art {

Rgb Mix(Rgb a, Rgb b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

uint32_t Rng::Next() {
  // xorshift32
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return state_;
}

double Rng::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() / 4294967296.0); }

int Rng::Int(int lo, int hi) { return lo + int(Next() % uint32_t(hi - lo + 1)); }

namespace {

double Hash(int x, int y, uint32_t seed) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return h / 4294967296.0;
}

double Smooth(double t) { return t * t * (3 - 2 * t); }

}  // namespace

double ValueNoise(double x, double y, uint32_t seed) {
  const int x0 = int(std::floor(x));
  const int y0 = int(std::floor(y));
  const double fx = Smooth(x - x0);
  const double fy = Smooth(y - y0);
  const double a = Hash(x0, y0, seed), b = Hash(x0 + 1, y0, seed);
  const double c = Hash(x0, y0 + 1, seed), d = Hash(x0 + 1, y0 + 1, seed);
  return (a + (b - a) * fx) + ((c + (d - c) * fx) - (a + (b - a) * fx)) * fy;
}

double Fbm(double x, double y, int octaves, uint32_t seed) {
  double sum = 0, weight = 0.5, total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * ValueNoise(x, y, seed + uint32_t(i) * 7919u);
    total += weight;
    x *= 2.03;
    y *= 2.03;
    weight *= 0.5;
  }
  return sum / total;
}

cairo_surface_t* NewSurface(int width, int height) {
  return cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
}

void SetColor(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

void AddGrain(RgbaImage& image, double amount, uint32_t seed) {
  Rng rng(seed);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      uint8_t* p = image.At(x, y);
      if (p[3] == 0) continue;
      const double n = (rng.Uniform(-1, 1)) * amount * 255;
      for (int k = 0; k < 3; ++k) p[k] = uint8_t(std::clamp(p[k] + n, 0.0, 255.0));
    }
}

void LiftPureBlack(RgbaImage& image) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      uint8_t* p = image.At(x, y);
      if (p[3] != 0 && p[0] == 0 && p[1] == 0 && p[2] == 0) p[0] = p[1] = p[2] = 1;
    }
}

}  // namespace art
