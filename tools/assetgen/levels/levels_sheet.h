// Contact sheets of a compiled level set for reviewing designs: each level's silhouette
// as the player sees it in the play field, with its number, title, time, modes and a
// miniature of its bonus board.
#pragma once

#include "levels_format.h"
#include "output.h"

namespace levels {

// Levels first..first+count-1 in a grid of the given columns; scale 1 = screen size.
RgbaImage RenderLevelSheet(const CompiledSet& set, int first, int count, int columns, double scale);

}  // namespace levels
