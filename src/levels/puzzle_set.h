// The piece pictures: the selected puzzle set, the shadows and the gold overlays of
// frozen pieces, each a table of 2 rows (a level's parallelogram slant) × 5 piece kinds.
// Row 1 shares the first four pictures of row 0; only the parallelogram is mirrored.
#pragma once

#include "media/image.h"

#include <array>

using PieceImageTable = std::array<std::array<ImagePtr, 5>, 2>;

extern PieceImageTable PieceImages;
extern PieceImageTable PieceShadowImages;
extern PieceImageTable PieceGoldImages;

// Loads set s (0 or 1) with centred handles (centring stays on afterwards).
void LoadPuzzleSet(int puzzleSet, bool withShadows);
