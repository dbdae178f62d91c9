// The two looks of a baked font as glyph strips. The normal fonts are plain white with
// the coverage as alpha, so the game can tint them with its drawing colour; the hover
// fonts, which mark the item under the mouse, are warm gold with a dark rim and a soft
// amber glow that stays inside each cell.
#pragma once

#include "font_bake.h"
#include "output.h"

struct GlowStyle {
  double rimRadius = 1.0;   // blur radius (sigma) of the dark rim, pixels
  double rimStrength = 2.0; // how far the rim reaches out before it fades
  double glowRadius = 3.0;  // blur radius (sigma) of the amber glow, pixels
  double glowStrength = 0.5;
};

// Cell k of the strip holds code 31 + k; code 255's cell is solid green, as the font
// baking of the original authoring tool leaves it.
RgbaImage WhiteStrip(const BakedFont& font);
RgbaImage GoldStrip(const BakedFont& font, const GlowStyle& style);
