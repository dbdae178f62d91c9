// The "levels" generator: compiles every level-set source in assets/levels into
// data/<set name>.lvl.
#pragma once

#include "output.h"

#include <filesystem>
#include <vector>

void GenerateLevels(Output& out, const Sources& sources);

// The level-set sources of an asset folder, in name order.
std::vector<std::filesystem::path> LevelSourceFiles(const std::filesystem::path& assets);
