// The loaded level set: 50 levels of properties and piece templates, read from and
// written to the ".lvl" format (chunks "LVL", "SHP", "BON", "END"; little-endian).
#pragma once

#include "game/shape.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int LP_ENLIGHTENMENT = 0x001;
constexpr int LP_MEDITATION = 0x002;
constexpr int LP_TWISTER = 0x004;
constexpr int LP_FREEZE = 0x008;
constexpr int LP_FLOATING_TILES = 0x010;
constexpr int LP_PLAY_FOR_TILES = 0x020;
constexpr int LP_TORCH = 0x040;
constexpr int LP_BOMBS = 0x080;
constexpr int LP_JOKER = 0x100;

constexpr int LEVEL_COUNT = 50;
constexpr int BOARD_W = 8;  // bonus boards, indexed [x][y]
constexpr int BOARD_H = 9;
using BonusBoard = std::array<std::array<int, BOARD_H>, BOARD_W>;

class TLevelProperties {
public:
  int GameTime = 0;     // seconds; 0 or less: no time limit
  int PuzzleSet = 0;    // 1: the mirrored parallelogram
  int MiscProperties = 0;
  BonusBoard BonusLevelData{};
  int BonusLevelDifficulty = 0;
  int BonusTime = 0;
  BonusBoard PuzzleTileData{};
  // Not stored: the file gave the level a value the game cannot use (another puzzle set,
  // only pieces that had to be left out). Such a level is not played.
  bool Damaged = false;
};

extern std::array<std::shared_ptr<TLevelProperties>, LEVEL_COUNT> LevelProps;
extern std::array<std::vector<ShapePtr>, LEVEL_COUNT> LevelShapes;

// Fills the store; every level starts out empty with the properties of a new level, so
// nothing of the set read before remains. A locator that cannot be opened, or is no
// regular file, leaves 50 empty levels. A damaged file (ending early, too many levels,
// pieces before the first level) is read up to the damage. Returns whether the file was
// whole, as the game writes one (see IsWellFormedLevelSet).
bool ReadLevelSet(const std::string& locator);
// Writes the whole store through a temporary file; false when it could not be written.
bool WriteLevelSet(const std::string& locator);
bool CreateEmptyLevelSet(const std::string& locator);

constexpr int MAX_PIECES_PER_LEVEL = 100;

// A level of the store the game can show and judge: not marked Damaged, drawn with one of
// the two puzzle sets, with a piece whose centre lies on the board (the editor's "Move
// playfield" may push the others off, as it always could). A level without pieces is
// unused; any other level that is not playable is damaged. The game skips both.
bool LevelPlayable(int level);
bool LevelDamaged(int level);
// The first playable level from level on, or LEVEL_COUNT when there is none.
int NextPlayableLevel(int level);
// Whether the store holds a level set that can be played at all.
bool AnyLevelPlayable();

// Whether bytes are a whole level set as the game writes one: "LVL" first, at most 50
// levels, only known chunks that fit, pieces and bonus boards inside a level, no piece
// left out (an unknown kind, numbers the game cannot use), and "END" as the last three
// bytes. The same reader as ReadLevelSet, leaving the store alone. Files that fail are
// refused where a set comes from outside (a shared file), instead of being read up to the
// damage; whether a set holds anything to play is AnyLevelPlayable's to say.
bool IsWellFormedLevelSet(const std::vector<uint8_t>& bytes);
// The largest set the format can describe (50 full levels with boards) is about 213 KB;
// anything far larger is not a level set and is not read.
constexpr size_t MAX_LEVEL_SET_BYTES = 1 << 20;

// The file name (with ".lvl", in UTF-8) a set name (Latin-1) is stored under in the data
// folder: no folder separators or control characters, no leading dots or spaces, no "..",
// at most MAX_SET_NAME characters before the extension. "" when nothing usable is left.
std::string LevelSetFileName(const std::string& name);
constexpr size_t MAX_SET_NAME = 64;
