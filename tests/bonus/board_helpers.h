// Hand-made bonus boards for rule tests: rows written top to bottom as text, and a rule
// object that records what it asks the presentation to show or play.
#pragma once

#include "bonus/bonus_rules.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

// One character per cell: '.' empty, '0'..'5' colours, 'J' joker, 'B' bomb, 'S' stone,
// 'X' kind 11. Missing rows and columns stay empty.
inline BonusBoard BoardFromRows(const std::vector<std::string>& rows) {
  BonusBoard board;
  for (auto& column : board) column.fill(TILE_EMPTY);
  for (size_t y = 0; y < rows.size() && y < size_t(BOARD_H); ++y)
    for (size_t x = 0; x < rows[y].size() && x < size_t(BOARD_W); ++x) {
      const char c = rows[y][x];
      int kind = TILE_EMPTY;
      if (c >= '0' && c <= '5') kind = c - '0';
      if (c == 'J') kind = TILE_JOKER;
      if (c == 'B') kind = TILE_BOMB;
      if (c == 'S') kind = TILE_STONE;
      if (c == 'X') kind = TILE_SPECIAL;
      board[x][y] = kind;
    }
  return board;
}

inline void SetRows(BonusRules& r, const std::vector<std::string>& rows) { r.LevelData = BoardFromRows(rows); }

class RecordingRules : public BonusRules {
public:
  int frame = 0;  // advanced by Step
  std::vector<std::pair<int, int>> explosions;  // cells in explosion order
  std::vector<int> explosionFrames;
  std::vector<std::pair<int, int>> powerUps;
  int bombSounds = 0, comboSounds = 0, shots = 0, rotations = 0, sparkles = 0;

  void Step() {
    MoveTiles();
    ++frame;
  }
  // Runs the board rules until nothing rises, explodes or waits to become a power-up.
  int Settle(int maxFrames = 2000) {
    for (int i = 0; i < maxFrames; ++i) {
      Step();
      if (!TilesMoving && !Busy()) return i + 1;
    }
    return -1;
  }
  bool Busy() const {
    for (int x = 0; x < BOARD_W; ++x)
      for (int y = 0; y < BOARD_H; ++y)
        if (Explode[x][y] > 0 || PuzzleTileData[x][y] >= MARK_PENDING) return true;
    return false;
  }

protected:
  void OnRotate() override { ++rotations; }
  void OnShot() override { ++shots; }
  void OnBomb() override { ++bombSounds; }
  void OnCombo() override { ++comboSounds; }
  void OnExplode(int x, int y) override {
    explosions.emplace_back(x, y);
    explosionFrames.push_back(frame);
  }
  void OnPowerUp(int x, int y) override { powerUps.emplace_back(x, y); }
  void OnRise(float, float) override { ++sparkles; }
};
