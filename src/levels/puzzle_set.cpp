#include "levels/puzzle_set.h"

#include "media/debug.h"

#include <string>

PieceImageTable PieceImages;
PieceImageTable PieceShadowImages;
PieceImageTable PieceGoldImages;

namespace {

std::string Fig(int element) { return "fig0" + std::to_string(element + 1); }

std::string PiecePath(const std::string& set, int row, int element, const std::string& suffix = "") {
  return "incbin::../gfx/set_" + set + "/puzzleset" + std::to_string(row + 1) + "/" + Fig(element) +
         suffix + ".png";
}

// Row 0 loads all five kinds; row 1 shares kinds 0..3 with row 0 and loads its own
// (mirrored) parallelogram.
void LoadRows(std::array<std::array<ImagePtr, 5>, 2>& table, const std::string& set,
              const std::string& suffix) {
  for (auto& row : table) row.fill(nullptr);
  for (int e = 0; e < 5; ++e) table[0][size_t(e)] = LoadImage(PiecePath(set, 0, e, suffix));
  for (int e = 0; e < 4; ++e) table[1][size_t(e)] = table[0][size_t(e)];
  table[1][4] = LoadImage(PiecePath(set, 1, 4, suffix));
}

}  // namespace

void LoadPuzzleSet(int puzzleSet, bool withShadows) {
  DebugLog("Load Puzzleset " + std::to_string(puzzleSet));
  AutoMidHandle(true);
  LoadRows(PieceImages, std::to_string(puzzleSet), "");
  if (withShadows) LoadRows(PieceShadowImages, "0", "_shadow");
  // Gold row 1 loads its own copies of kinds 0..3 rather than sharing them.
  for (int e = 0; e < 5; ++e) PieceGoldImages[0][size_t(e)] = LoadImage(PiecePath("gold", 0, e));
  for (int e = 0; e < 4; ++e) PieceGoldImages[1][size_t(e)] = LoadImage(PiecePath("gold", 0, e));
  PieceGoldImages[1][4] = LoadImage(PiecePath("gold", 1, 4));
}
