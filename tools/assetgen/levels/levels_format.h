// The binary level-set file: 50 levels, each an "LVL" chunk with its time, parallelogram
// row and option bits, one "SHP" record per piece and a "BON" chunk when it has a bonus
// board, then "END". Integers and floats little-endian.
#pragma once

#include "levels_geometry.h"
#include "levels_source.h"

#include <cstdint>
#include <string>
#include <vector>

namespace levels {

constexpr int LEVELS_PER_SET = 50;
constexpr int MAX_PIECES = 13;

constexpr unsigned LP_ENLIGHTENMENT = 0x001;
constexpr unsigned LP_MEDITATION = 0x002;
constexpr unsigned LP_TWISTER = 0x004;
constexpr unsigned LP_FREEZE = 0x008;
constexpr unsigned LP_FLOATING_TILES = 0x010;
constexpr unsigned LP_PLAY_FOR_TILES = 0x020;
constexpr unsigned LP_TORCH = 0x040;
constexpr unsigned LP_BOMBS = 0x080;
constexpr unsigned LP_JOKER = 0x100;

struct CompiledLevel {
  std::string title;
  int gameTime = 0;
  int puzzleSet = 0;  // 0 = row 1 parallelogram, 1 = the mirrored row 2
  unsigned misc = 0;
  std::vector<Placement> pieces;  // screen placements as stored (float precision)
  std::vector<Placement> exact;   // the same before their centres were put on whole pixels
  std::optional<SourceBoard> board;
};

struct CompiledSet {
  std::string name;
  std::vector<CompiledLevel> levels;
};

std::vector<uint8_t> EncodeLevelSet(const CompiledSet& set);

}  // namespace levels
