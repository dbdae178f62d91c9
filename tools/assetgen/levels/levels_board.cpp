// Checks of a bonus start board: it must look on screen as it plays.
#include "levels_check.h"

#include <string>

namespace levels {

namespace {

constexpr int JOKER = 6, BOMB = 7, STONE = 9;
constexpr int FREE_BOTTOM_ROWS = 3;

// The game's line rule for three cells in order.
bool Matches(int a, int b, int c) {
  if (a < 0 || b < 0 || c < 0 || a == STONE || b == STONE || c == STONE) return false;
  return (a == b && b == c) || (a == JOKER && b == c) || (b == JOKER && a == c) ||
         (c == JOKER && a == b);
}

std::string Cell(int x, int y) {
  return "column " + std::to_string(x + 1) + ", row " + std::to_string(y + 1);
}

void CheckLines(const SourceBoard& b, Diagnostics& diag) {
  static const int directions[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  for (const auto& d : directions) {
    for (int x = 0; x < BOARD_COLUMNS; ++x) {
      for (int y = 0; y < BOARD_ROWS; ++y) {
        const int x2 = x + 2 * d[0], y2 = y + 2 * d[1];
        if (x2 < 0 || x2 >= BOARD_COLUMNS || y2 < 0 || y2 >= BOARD_ROWS) continue;
        if (Matches(b.cells[x][y], b.cells[x + d[0]][y + d[1]], b.cells[x2][y2]))
          diag.Error(b.line + 1 + y, "three tiles from " + Cell(x, y) +
                                         " already make a line: they would explode at once");
      }
    }
  }
}

}  // namespace

void CheckBoard(const SourceBoard& b, unsigned modes, int pieces, Diagnostics& diag) {
  int tiles = 0, colours = 0, stones = 0, marks = 0;
  for (int y = 0; y < BOARD_ROWS; ++y) {
    const int line = b.line + 1 + y;
    bool bottomUsed = false;
    for (int x = 0; x < BOARD_COLUMNS; ++x) {
      const int c = b.cells[x][y];
      if (b.marks[x][y] == 0) {
        ++marks;
        if (c < 0 || c == STONE)
          diag.Error(line, "the piece marked at " + Cell(x, y) + " needs a tile that can explode");
      }
      if (c < 0) continue;
      stones += c == STONE;
      bottomUsed |= y >= BOARD_ROWS - FREE_BOTTOM_ROWS;
      if (c != STONE) ++tiles;
      if (c <= 5) ++colours;
      if (c != STONE && y > 0 && b.cells[x][y - 1] < 0)
        diag.Error(line, "the tile at " + Cell(x, y) + " would rise: fill the board from the top");
      if (c == BOMB && (modes & LP_BOMBS))
        diag.Error(line, "a bomb on the start board of a bombs level explodes at once");
    }
    if (bottomUsed) diag.Error(line, "keep the bottom three rows free: the player shoots into them");
  }
  if (colours == 0) diag.Error(b.line, "the board needs coloured tiles to deal from");
  if (marks > pieces)
    diag.Error(b.line, "the board hides " + std::to_string(marks) + " pieces, the level has " +
                           std::to_string(pieces));
  // Unmarked pieces go under random tiles, stones included, and a stone may never open.
  if (stones && marks < pieces)
    diag.Error(b.line, "a board with stones marks a tile (*) for each of the " +
                           std::to_string(pieces) + " pieces, this one " + std::to_string(marks));
  if (tiles < pieces)
    diag.Error(b.line, "the board has " + std::to_string(tiles) + " tiles to hide " +
                           std::to_string(pieces) + " pieces under");
  CheckLines(b, diag);
}

}  // namespace levels
