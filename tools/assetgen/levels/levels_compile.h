// Turns a parsed level-set source into the stored levels: resolves each level's
// parallelogram row, applies its turn, centres the figure in the play field, rounds the
// placements to what the file stores and runs every level check.
#pragma once

#include "levels_format.h"
#include "levels_source.h"

namespace levels {

// Throws LevelError listing every problem with file:line.
CompiledSet CompileLevelSet(const SourceSet& source);

// Reads, parses and compiles one source file.
CompiledSet CompileLevelFile(const std::string& path);

}  // namespace levels
