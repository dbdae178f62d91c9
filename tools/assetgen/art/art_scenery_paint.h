// The painting toolkit of the scenery pictures: a Cairo canvas with pixel access and the
// recurring motifs (dawn skies, noise-built mountain ranges, mist, pines and autumn trees,
// water reflections, painterly texture). Pictures compose these so that they share one look.
#pragma once

#include "art_common.h"
#include "art_paint.h"

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace art {

struct Stop {
  double at;  // 0..1 along the gradient
  Rgb color;
};

// A Cairo ARGB32 surface plus direct access to its premultiplied pixels. Pixel passes
// flush Cairo first and mark the surface dirty afterwards.
class Canvas {
public:
  Canvas(int width, int height);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return cr_; }
  cairo_surface_t* surface() const { return surface_; }
  int width() const { return width_; }
  int height() const { return height_; }

  void BeginPixels();  // flush Cairo's pending drawing
  void EndPixels();    // tell Cairo the pixels changed
  Rgb Get(int x, int y) const;  // straight colour (black where transparent)
  double Alpha(int x, int y) const;
  // Source-over of one colour at coverage a (0..1); keeps the surface premultiplied.
  void Blend(int x, int y, Rgb c, double a);
  void Set(int x, int y, Rgb c, double alpha = 1.0);

  RgbaImage Image() const;

private:
  uint32_t* Row(int y) const;
  cairo_surface_t* surface_;
  cairo_t* cr_;
  int width_, height_;
};

double SmoothStep(double e0, double e1, double v);
Rgb Scale(Rgb c, double k);  // brightness multiply, clamped

// Fills the rectangle with a vertical gradient running from y0 (at 0) to y1 (at 1).
void VerticalGradient(cairo_t* cr, double x, double y, double w, double h, double y0,
                      double y1, std::initializer_list<Stop> stops);
// A soft radial glow: colour c at alpha a in the centre, fading to nothing at radius r.
void Glow(cairo_t* cr, double x, double y, double r, Rgb c, double a);

// A mountain crest: y of the top edge for every column, built from key points (x, y)
// joined smoothly plus fractal detail of the given amplitude (midpoint displacement).
std::vector<double> RidgeLine(int width, const std::vector<std::pair<double, double>>& keys,
                              double detail, double roughness, uint32_t seed);
// A crest with random peaks between yHigh and yLow, about one per `spacing` pixels.
std::vector<double> RandomRidge(int width, double yHigh, double yLow, double spacing,
                                double detail, uint32_t seed);

struct RangeStyle {
  Rgb lit{0.55, 0.62, 0.78};    // faces turned to the light
  Rgb shade{0.30, 0.36, 0.52};  // faces turned away
  Rgb haze{0.70, 0.76, 0.86};   // colour of the air in front of it
  double hazeTop = 0.2;         // haze amount at the crest
  double hazeBottom = 0.8;      // ... and at fadeY, where the foot is lost in mist
  double fadeY = 480;
  double light = 1;          // +1 light from the left, -1 from the right
  double snowDepth = 0;      // how far snow reaches below the crest (0: none)
  double snowLineY = 1e9;    // no snow below this y
  Rgb snowLit{0.97, 0.95, 0.93};
  Rgb snowShade{0.70, 0.76, 0.90};
  double texture = 0.5;      // strength of the rock striations
  double ledges = 0;         // spacing of horizontal rock strata (0: none)
  double bottom = 1e9;       // paint down to here (canvas bottom by default)
  uint32_t seed = 1;
};
// Paints the mountain below `top` with lit and shaded faces, gullies, snow and haze.
void PaintRange(Canvas& c, const std::vector<double>& top, const RangeStyle& s);

// A soft band of mist centred on y with the given half-height; noise breaks it up.
void Mist(Canvas& c, double y, double halfHeight, Rgb color, double alpha, double scale,
          uint32_t seed);
// Wispy clouds in the sky band y0..y1 (stretched noise), lit colour on top.
void SkyClouds(Canvas& c, double y0, double y1, Rgb lit, Rgb shade, double alpha,
               double coverage, uint32_t seed);

// A conifer: tiered, drooping branches, lit on the left; `snow` (0..1) lays snow on them.
void Pine(cairo_t* cr, double x, double baseY, double height, Rgb color, Rng& rng,
          double snow = 0);
// A row of pines along the ground line ground(x); sizes vary around `height`.
void PineRow(cairo_t* cr, double x0, double x1, const std::vector<double>& ground,
             double height, double spacing, Rgb color, uint32_t seed, double snow = 0);
// A round deciduous tree: trunk, branches and a crown of leaf clusters in the colours.
void LeafyTree(cairo_t* cr, double x, double baseY, double size, const std::vector<Rgb>& leaves,
               Rgb trunk, Rng& rng);

// Patchwork fields seen in perspective between y0 and y1 (horizon at horizonY), mixed
// into what is painted there by `amount`.
void FieldPatches(Canvas& c, int y0, int y1, double horizonY, double amount,
                  const std::vector<Rgb>& crops, uint32_t seed);

// Mirrors everything above waterY into the water below it with ripples and a tint.
void Reflect(Canvas& c, double waterY, Rgb tint, double tintAmount, double ripple, uint32_t seed);

// Painterly finish: stretched brush-stroke noise modulating brightness (amount ~0.05).
// `fine` adds a canvas weave; PNGs leave it out, it costs a lot of compressed size.
void BrushTexture(Canvas& c, double amount, uint32_t seed, double fine = 1.0);
// Darkens towards the corners.
void Vignette(Canvas& c, double strength);

// Blurs the alpha of a shape drawn by `draw` and paints it in colour c: soft shadows.
void SoftShadow(Canvas& c, double radius, Rgb color, double alpha, void (*draw)(cairo_t*, void*),
                void* data);

// Warm parchment in the rectangle: fibres, blotches and darker edges.
void Parchment(Canvas& c, int x, int y, int w, int h, uint32_t seed);
// Lacquered wood in the rectangle: grain running horizontally (or vertically).
void Wood(Canvas& c, int x, int y, int w, int h, Rgb base, bool vertical, uint32_t seed);

// Writes the canvas as an opaque JPEG.
void WriteCanvasJpeg(Output& out, const std::string& rel, const Canvas& c);

}  // namespace art
