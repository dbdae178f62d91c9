#include "levels_format.h"

#include <cstring>

namespace levels {

namespace {

class Writer {
public:
  void Tag(const char* tag) { bytes_.insert(bytes_.end(), tag, tag + 3); }
  void Byte(uint8_t b) { bytes_.push_back(b); }
  void Int(int32_t v) { U32(uint32_t(v)); }
  void Float(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    U32(u);
  }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
  void U32(uint32_t u) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(uint8_t(u >> (8 * i)));
  }
  std::vector<uint8_t> bytes_;
};

bool HasBonusData(const CompiledLevel& level) {
  if (!level.board) return false;
  for (const auto& column : level.board->cells)
    for (int cell : column)
      if (cell >= 0) return true;
  return false;
}

}  // namespace

std::vector<uint8_t> EncodeLevelSet(const CompiledSet& set) {
  Writer w;
  for (const CompiledLevel& level : set.levels) {
    w.Tag("LVL");
    w.Int(level.gameTime);
    w.Int(level.puzzleSet);
    w.Int(int32_t(level.misc));
    for (const Placement& p : level.pieces) {
      w.Tag("SHP");
      w.Byte(0);  // not picked up
      w.Byte(1);  // pickable
      w.Float(0.0f);
      w.Float(float(p.x));
      w.Float(float(p.y));
      w.Float(float(p.rotation));
      w.Int(255);
      w.Int(255);
      w.Int(255);
      w.Int(p.element);
    }
    if (HasBonusData(level)) {
      w.Tag("BON");
      for (int x = 0; x < BOARD_COLUMNS; ++x) {
        for (int y = 0; y < BOARD_ROWS; ++y) {
          w.Int(level.board->cells[x][y]);
          w.Int(level.board->marks[x][y]);
        }
      }
      w.Int(level.board->difficulty);
      w.Int(level.board->speed);
    }
  }
  w.Tag("END");
  return w.Take();
}

}  // namespace levels
