// Painting helpers for the in-game artwork: polygons with a bevelled, lit surface,
// coverage masks from Cairo, blur, edge bleeding for filtered drawing and strip
// assembly. Everything is plain arithmetic on fixed inputs, so results are repeatable.
#pragma once

#include "art_common.h"

#include <cairo.h>

#include <functional>
#include <vector>

namespace art {

struct Vec2 {
  double x, y;
};
using Polygon = std::vector<Vec2>;

// A single-channel float image (coverage, height or alpha), row by row.
struct Mask {
  int width = 0;
  int height = 0;
  std::vector<float> v;

  Mask() = default;
  Mask(int w, int h) : width(w), height(h), v(size_t(w) * h, 0.0f) {}
  float& At(int x, int y) { return v[size_t(y) * width + x]; }
  float At(int x, int y) const { return v[size_t(y) * width + x]; }
};

// Anti-aliased coverage of whatever `draw` fills on an A8 surface.
Mask CoverageOf(int width, int height, const std::function<void(cairo_t*)>& draw);
void PolygonPath(cairo_t* cr, const Polygon& poly);
Mask PolygonCoverage(int width, int height, const Polygon& poly);

// Distance from p to the polygon's outline, and the unit normal of the nearest edge
// pointing into the polygon (the polygon may wind either way).
double EdgeDistance(const Polygon& poly, Vec2 p, Vec2* inwardNormal);

// Separable box blur repeated three times (close to a Gaussian of about `radius`).
void Blur(Mask& m, int radius);

// Straight-alpha image <-> Cairo surface (premultiplied ARGB32). The caller destroys it.
cairo_surface_t* ToSurface(const RgbaImage& image);

// Copies `src` into `dst` at (x, y), replacing the pixels.
void Blit(RgbaImage& dst, const RgbaImage& src, int x, int y);

// Gives fully transparent pixels next to visible ones the colour of their neighbours,
// so that bilinear filtering of a scaled or turned image shows no dark fringe.
void BleedEdges(RgbaImage& image, int rings = 2);

// The last step of every image: no visible pure black, bled edges.
void Finish(RgbaImage& image);

// Lighting of a surface with the given normal (z towards the viewer), the light coming
// from the upper left. Returns diffuse (1 on a flat face) and a specular term.
struct Light {
  double diffuse;
  double specular;
};
Light LightAt(double nx, double ny, double nz, double shininess);

double Smoothstep(double e0, double e1, double x);
double Clamp01(double x);
uint8_t ToByte(double v);  // 0..1 -> 0..255, rounded and clamped

// Straight-alpha "over" of one colour onto a pixel.
void Over(RgbaImage& image, int x, int y, Rgb c, double alpha);

// Paints a shape (its coverage) as a raised relief: the height is the shape blurred by
// `soft` pixels, lit from the upper left; `albedo` gives the colour per pixel.
void PaintRelief(RgbaImage& image, const Mask& shape, int soft, double depth,
                 const std::function<Rgb(int, int)>& albedo, double specular, double shininess);
// A soft drop shadow of a shape, offset by (dx, dy).
void PaintDropShadow(RgbaImage& image, const Mask& shape, int blur, int dx, int dy, double alpha);
// Shared surfaces: lacquered red-brown wood and gilding, in image pixels.
Rgb LacquerAt(double x, double y, uint32_t seed);
Rgb GoldAt(double x, double y, uint32_t seed);

// A shaded yin-yang disc of radius r centred at (cx, cy), painted over the image.
void PaintYinYangDisc(RgbaImage& image, double cx, double cy, double r);

// Draws an image centred at (cx, cy), scaled and turned (radians, clockwise on screen).
// With `tint` the image's shape is filled with that colour instead (a silhouette).
void DrawCentred(cairo_t* cr, const RgbaImage& image, double cx, double cy, double scale,
                 double angle = 0, const Rgb* tint = nullptr, double alpha = 1.0);

// A gold ring between radii r0 and r1 lit the same from every side (for turning images).
void PaintGoldRim(RgbaImage& image, double cx, double cy, double r0, double r1);

// Runs `paint` on a fresh transparent surface of the size and returns the pixels.
RgbaImage PaintCairo(int width, int height, const std::function<void(cairo_t*)>& paint);

}  // namespace art
