// The tangram pieces: their outlines as the game's geometry defines them (centred in
// the image, the medium triangle squeezed to its 119x60 picture) and the three
// materials they are painted in. The tutorial pictures reuse them.
#pragma once

#include "art_paint.h"

namespace art {

enum class PieceMaterial { Marble, Wood, Gold };

// Element 0..4 as the game numbers them; `mirrored` is the second-row parallelogram.
int PieceWidth(int element);
int PieceHeight(int element);
Polygon PiecePolygon(int element, bool mirrored);  // in image pixels

RgbaImage PaintPiece(int element, bool mirrored, PieceMaterial material, uint32_t seed);

}  // namespace art
