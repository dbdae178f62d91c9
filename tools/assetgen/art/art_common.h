// The shared look of the artwork: a calm Himalayan monastery at dawn. The palette,
// deterministic noise and a few Cairo helpers live here so that every art generator
// paints in the same style and two runs give the same bytes.
#pragma once

#include "output.h"

#include <cairo.h>

#include <cstdint>

namespace art {

struct Rgb {
  double r, g, b;  // 0..1
};

// Palette: warm parchment and lacquered wood, saffron, maroon and gold, jade accents,
// misty blue mountains, soft dawn light. Darkest tone is ink, never pure black.
namespace palette {
constexpr Rgb parchment{0.93, 0.86, 0.70};
constexpr Rgb parchmentDark{0.78, 0.66, 0.48};
constexpr Rgb lacquer{0.36, 0.12, 0.08};      // deep red-brown lacquered wood
constexpr Rgb lacquerLight{0.55, 0.22, 0.12};
constexpr Rgb maroon{0.45, 0.08, 0.12};
constexpr Rgb saffron{0.96, 0.60, 0.12};
constexpr Rgb gold{0.85, 0.66, 0.22};
constexpr Rgb goldLight{0.99, 0.88, 0.52};
constexpr Rgb jade{0.24, 0.58, 0.47};
constexpr Rgb jadeDark{0.10, 0.34, 0.28};
constexpr Rgb mistBlue{0.62, 0.72, 0.84};
constexpr Rgb mountainBlue{0.30, 0.40, 0.58};
constexpr Rgb dawnPink{0.98, 0.78, 0.70};
constexpr Rgb snow{0.96, 0.97, 1.00};
constexpr Rgb ink{0.10, 0.07, 0.06};
}  // namespace palette

Rgb Mix(Rgb a, Rgb b, double t);

// Deterministic pseudo-random numbers (never seeded from time).
class Rng {
public:
  explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9E3779B9u) {}
  uint32_t Next();
  double Uniform(double lo, double hi);  // [lo, hi)
  int Int(int lo, int hi);               // [lo, hi]

private:
  uint32_t state_;
};

// Smooth value noise in 0..1 and its fractal sum (octaves halve in size and weight).
double ValueNoise(double x, double y, uint32_t seed);
double Fbm(double x, double y, int octaves, uint32_t seed);

// A transparent ARGB32 surface; the caller destroys it.
cairo_surface_t* NewSurface(int width, int height);
void SetColor(cairo_t* cr, Rgb c, double alpha = 1.0);

// Adds subtle per-pixel grain to visible pixels (amount 0..1, a few percent is enough).
void AddGrain(RgbaImage& image, double amount, uint32_t seed);
// Lifts visible pure-black pixels to (1, 1, 1): images load masked on black.
void LiftPureBlack(RgbaImage& image);

}  // namespace art
