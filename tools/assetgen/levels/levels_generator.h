// The levels part of the generator: compiles every level-set source in assets/levels
// into data/<set name>.lvl: it reads the source (levels_source.h), turns it into stored
// levels (levels_compile.h, with the piece geometry of levels_geometry.h), checks every
// level (levels_check.h) and writes the binary set (levels_format.h). levels_sheet.h
// draws contact sheets of the sets for design review.
#pragma once

#include "output.h"

#include <filesystem>
#include <vector>

void GenerateLevels(Output& out, const Sources& sources);

// The level-set sources of an asset folder, in name order.
std::vector<std::filesystem::path> LevelSourceFiles(const std::filesystem::path& assets);
