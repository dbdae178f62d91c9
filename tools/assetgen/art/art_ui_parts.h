// Building blocks of the dialog artwork: the lacquered panel with its parchment field,
// sunken wells for lists and text, arrow buttons, scroll thumbs and list-row highlights.
// The requesters and the stand-alone widgets draw from these so they match.
#pragma once

#include "art_ui_paint.h"

namespace art::ui {

// The field inside dialog frames: an aged, tea-toned parchment dark enough for white text.
constexpr Rgb kFieldLight{0.60, 0.43, 0.26};
constexpr Rgb kFieldDark{0.37, 0.23, 0.13};
// Sunken wells (lists, text entry): deep lacquer brown.
constexpr Rgb kWell{0.19, 0.09, 0.06};
constexpr Rgb kShadow{0.08, 0.04, 0.03};

// Draws a framed dialog panel filling `panel` (a soft shadow needs a few pixels of room
// to the lower right) and returns the parchment field inside the frame. topJewel: a
// jewel on the top side (left off where a title overlaps the frame).
Rect DialogPanel(cairo_t* cr, Rect panel, double border, uint32_t seed, bool topJewel = true);

// A sunken dark well with a gold hairline rim.
void Well(cairo_t* cr, Rect r, double radius, uint32_t seed);

// Looks of small push controls.
enum class Look { Rest, Hover, Pressed };

// A square scroll button with an arrow pointing up or down.
void ArrowButton(cairo_t* cr, Rect r, bool up, Look look);
// The empty scroll track (at rest).
void ScrollTrack(cairo_t* cr, Rect r);
// A scroll thumb filling r that looks the same at every height (it is cut at any y).
void ThumbColumn(cairo_t* cr, Rect r, Look look);
// A list-row highlight filling r that does not change along y (rows are cut at any y):
// Hover is a soft glow, Pressed the selected look.
void RowColumn(cairo_t* cr, Rect r, Look look);
// A soft light behind a rectangular button that fades out before the rectangle's edges.
void ButtonGlow(cairo_t* cr, Rect r, Look look);

// The game's emblem, as the title logo shows it above the lettering: the sun rising behind
// three tangram peaks, in the logo's pixels (x 59..171, y 0..50). Plain vector paths and
// gradients, so it scales to any icon size.
constexpr double kEmblemLeft = 59, kEmblemRight = 171, kEmblemBase = 50;
void EmblemSun(cairo_t* cr);
void EmblemPeaks(cairo_t* cr);

}  // namespace art::ui
