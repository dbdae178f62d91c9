// The readable level-set source (assets/levels/*.levels, described in the README there):
// the model the parser fills and the parser itself. Pieces are kept in design pixels
// relative to the design origin; the compiler turns, centres and checks them.
#pragma once

#include "levels_diag.h"
#include "levels_geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace levels {

constexpr int BOARD_COLUMNS = 8;
constexpr int BOARD_ROWS = 9;

struct SourcePiece {
  Placement placement;
  int row = 0;   // parallelogram slant 1 or 2; 0 = the level's row (pieces given by centre)
  int line = 0;  // where the piece is written
  int useLine = 0;  // where its figure was used, 0 when written in the level itself
};

struct SourceBoard {
  SourceBoard() {
    for (int x = 0; x < BOARD_COLUMNS; ++x)
      for (int y = 0; y < BOARD_ROWS; ++y) cells[x][y] = marks[x][y] = -1;
  }
  int cells[BOARD_COLUMNS][BOARD_ROWS];  // [column][row]: -1 empty, 0..5, 6 joker, 7 bomb, 9 stone
  int marks[BOARD_COLUMNS][BOARD_ROWS];  // 0 = a withheld piece hides under this tile, -1 none
  int difficulty = 0;
  int speed = 0;
  int line = 0;
};

struct SourceLevel {
  int number = 0;
  std::string title;
  int line = 0;
  int time = -1;  // seconds, 0 untimed; -1 until given
  unsigned modes = 0;
  int row = 0;  // declared parallelogram row, 0 when not given
  double turn = 0;
  std::optional<Vec> centre;  // where the figure's bounding box centre goes
  std::vector<SourcePiece> pieces;
  std::optional<SourceBoard> board;
};

struct SourceSet {
  std::string file;
  std::string name;
  std::vector<SourceLevel> levels;
};

// Parses one source file; throws LevelError listing every syntax error with file:line.
SourceSet ParseLevelSource(const std::string& text, const std::string& file);

}  // namespace levels
