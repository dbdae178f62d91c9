// Himalayan architecture for the scenery pictures: whitewashed monastery blocks with
// maroon friezes and golden roofs, stupas, prayer flags, lacquered pillars and lanterns.
// Everything is drawn with Cairo paths at any scale, lit from the left; `haze` fades a
// distant building into the air in front of it.
#pragma once

#include "art_common.h"

namespace art {

struct Haze {
  Rgb color{0.7, 0.76, 0.86};
  double amount = 0;  // 0 = near, 1 = lost in the air
  Rgb Apply(Rgb c) const { return Mix(c, color, amount); }
};

// A tapering whitewashed block with a shaded side face, maroon frieze, window rows and
// (for wide blocks) a door; `side` is the depth of the visible right-hand face.
void TibetanBlock(cairo_t* cr, double x, double baseY, double w, double h, double side,
                  int windowRows, const Haze& haze, Rng& rng);
// A golden roof with upturned eaves and a finial, centred on cx, eaves at y.
void GoldRoof(cairo_t* cr, double cx, double y, double w, double h, const Haze& haze);
// A whole monastery: blocks stepping down a slope around a golden-roofed main hall.
void Monastery(cairo_t* cr, double cx, double baseY, double scale, const Haze& haze,
               uint32_t seed);
// A white stupa with a golden spire.
void Stupa(cairo_t* cr, double x, double baseY, double size, const Haze& haze);
// A string of five-coloured flags hanging between two points.
void PrayerFlags(cairo_t* cr, double x0, double y0, double x1, double y1, double sag,
                 double size, const Haze& haze, uint32_t seed);
// A round lacquered pillar between y0 and y1 with a gold capital.
void Pillar(cairo_t* cr, double x, double y0, double y1, double w);
// A hanging paper lantern, glowing.
void Lantern(cairo_t* cr, double x, double y, double size);
class Canvas;
// The inside of a hall: lacquered wood wall panels between pillars, a painted beam along
// the top, warm light in the middle and shade in the corners. Fills the whole canvas.
void HallWall(Canvas& c, uint32_t seed);
// A gold-edged rounded panel (the slot for text, lists and previews).
void InsetPanel(cairo_t* cr, double x, double y, double w, double h, Rgb fill, double alpha);

}  // namespace art
