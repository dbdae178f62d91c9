// Painting helpers shared by the menu, requester and widget artwork: a Cairo canvas,
// blurred soft shadows and glows, lacquered wood and parchment textures, gold trim.
// Everything is deterministic so that the generated files are the same on every run.
#pragma once

#include "art_common.h"

#include <cairo.h>

#include <functional>
#include <string>

namespace art::ui {

// An ARGB32 surface with its drawing context; both are released with the canvas.
class Canvas {
public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr;
  cairo_surface_t* surface;
  int width;
  int height;
};

using PathFn = std::function<void(cairo_t*)>;

struct Rect {
  double x, y, w, h;
};

void RoundedRect(cairo_t* cr, Rect r, double radius);

// Approximate Gaussian blur (three box passes) of a premultiplied ARGB32 surface.
void Blur(cairo_surface_t* surface, int radius);

// Paints a blurred copy of the filled path, offset by (dx, dy), under what follows.
void SoftShadow(cairo_t* cr, const PathFn& path, double dx, double dy, int blur, Rgb colour,
                double alpha);
// Darkens the inside of the path near its edges, as if it were sunk into the surface.
void InnerShadow(cairo_t* cr, const PathFn& path, double dx, double dy, int blur, Rgb colour,
                 double alpha);

// Per-pixel textures as surfaces the caller destroys. Wood grain runs along x when
// horizontal is true, along y otherwise.
cairo_surface_t* LacquerTexture(int width, int height, bool horizontal, Rgb base, Rgb light,
                                uint32_t seed);
cairo_surface_t* ParchmentTexture(int width, int height, Rgb light, Rgb dark, uint32_t seed);

// Fills the path with a texture surface placed at the origin (the path is kept).
void FillWithTexture(cairo_t* cr, cairo_surface_t* texture);

// A vertical metallic gold gradient from y0 to y1 as the source.
void SetGold(cairo_t* cr, double y0, double y1, double brightness = 1.0);
// Strokes the path (kept) as a gold line with a darker edge below and a glint above.
void GoldLine(cairo_t* cr, const PathFn& path, double width, double y0, double y1);

// A frame of lacquered wood between an outer and an inner rounded rectangle; the grain
// follows each side, with gold beads along both edges.
void LacquerFrame(cairo_t* cr, Rect outer, double outerRadius, Rect inner, double innerRadius,
                  uint32_t seed);

// Small gold corner brackets just inside a rectangle; straight strokes only, so they
// survive non-uniform scaling.
void CornerBrackets(cairo_t* cr, Rect r, double arm);

// Subtle per-pixel grain on a premultiplied surface (amount 0..1, a percent or so).
void SurfaceGrain(cairo_surface_t* surface, double amount, uint32_t seed);

// Final touches and output: optional grain, black lifted to (1, 1, 1), colour bled into
// the transparent border (no dark fringe when the game filters the image), written as PNG.
void WriteArt(Output& out, const std::string& name, cairo_surface_t* surface, double grain,
              uint32_t seed);

}  // namespace art::ui
