// Cell-art figures: rows of cells on the plain grid (43 px cells) or the wide grid
// (60.8 px cells, the plain grid turned by 45 degrees). A cell is empty, filled by one
// piece, or cut along a diagonal between two; letters name the pieces, and the half
// cells of each letter must make exactly one piece.
#pragma once

#include "levels_diag.h"
#include "levels_source.h"

#include <array>
#include <string>
#include <vector>

namespace levels {

class ArtBlock {
public:
  ArtBlock(bool wide, Vec origin) : cell_(wide ? 2 * DIAG : UNIT), origin_(origin) {}

  // A row is a line made only of cell tokens: ".", "A", "A/B", "A\B" ("." for a free half).
  static bool IsArtRow(const std::vector<std::string>& tokens);
  void AddRow(const std::vector<std::string>& tokens, int line);
  // Appends one piece per letter, in order of first appearance; bad letters go to diag.
  void Finish(Diagnostics& diag, std::vector<SourcePiece>& out) const;

private:
  using Triangle = std::array<Vec, 3>;
  struct Letter {
    char name = 0;
    int line = 0;
    std::vector<Triangle> halves;
  };
  void AddHalf(char name, const Triangle& half, int line);

  double cell_;
  Vec origin_;
  int rows_ = 0;
  std::vector<Letter> letters_;
};

}  // namespace levels
