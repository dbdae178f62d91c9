// The checks every compiled level must pass before it is shipped: piece count, rotation
// family, one parallelogram row, the visible field, no overlaps, solvable by snapping,
// sensible mode combinations and a playable bonus board; and across a set, a figure of
// its own for every level.
#pragma once

#include "levels_diag.h"
#include "levels_format.h"
#include "levels_source.h"

namespace levels {

// The part of the screen a silhouette may use (clear of the score board and lamp).
constexpr double FIELD_LEFT = 145, FIELD_RIGHT = 450, FIELD_TOP = 70, FIELD_BOTTOM = 455;
// Floating pieces bob up to 30 px, silhouette included.
constexpr double FLOAT_AMPLITUDE = 30;
// Below this, intermediate snapping coordinates truncate differently.
constexpr double MIN_CENTRE = 90;

// Reports problems of one level; level.pieces[i] was written at source.pieces[i].
void CheckLevel(const CompiledLevel& level, const SourceLevel& source, Diagnostics& diag);

// Levels of one set may not show the same silhouette (wherever it stands in the field).
// levels[i] was compiled from sources[i].
void CheckDistinctSilhouettes(const std::vector<CompiledLevel>& levels,
                              const std::vector<SourceLevel>& sources, Diagnostics& diag);

// A bonus board alone: settled, bottom rows free, no ready-made line, enough tiles.
void CheckBoard(const SourceBoard& board, unsigned modes, int pieces, Diagnostics& diag);

}  // namespace levels
