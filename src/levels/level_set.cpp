#include "levels/level_set.h"

#include "media/debug.h"
#include "media/graphics.h"
#include "media/stream.h"
#include "present/latin1.h"

#include <algorithm>
#include <cmath>
#include <memory>

std::array<std::shared_ptr<TLevelProperties>, LEVEL_COUNT> LevelProps = [] {
  std::array<std::shared_ptr<TLevelProperties>, LEVEL_COUNT> props;
  for (auto& p : props) p = std::make_shared<TLevelProperties>();
  return props;
}();
std::array<std::vector<ShapePtr>, LEVEL_COUNT> LevelShapes;

namespace {

constexpr uint64_t LVL_BODY = 12, SHP_BODY = 34, BON_BODY = 584;
constexpr int MAX_GAME_TIME = 24 * 3600;

bool InRange(float v, float lo, float hi) { return std::isfinite(v) && v >= lo && v <= hi; }

// A piece whose numbers the game cannot use: not finite, far off the screen, an unknown
// kind. Such a piece is left out of its level.
bool SoundPiece(Shape& p) {
  if (!InRange(p.X, -SCREEN_WIDTH, 2 * SCREEN_WIDTH) || !InRange(p.Y, -SCREEN_HEIGHT, 2 * SCREEN_HEIGHT) ||
      !InRange(p.Rotation, -1e6f, 1e6f) || !InRange(p.RotateIt, -360, 360) || p.Element < 0 || p.Element > 4)
    return false;
  p.Rotation = std::fmod(p.Rotation, 360.0f);
  if (p.Rotation < 0) p.Rotation += 360;
  if (p.Rotation >= 360) p.Rotation = 0;  // a tiny negative angle rounds up to 360
  return true;
}

// Board cells the bonus game knows: −1 empty, the tile kinds 0..7 and 9 (stone).
int SoundCell(int32_t v) { return (v >= -1 && v <= 7) || v == 9 ? v : -1; }
int SoundMark(int32_t v) { return v == 0 ? 0 : -1; }

// Pieces of a level lie on the board, left of the tray.
constexpr float BOARD_EDGE = 455;

bool OnBoard(const ShapePtr& s) {
  return s && s->Element >= 0 && s->Element <= 4 && std::isfinite(s->Rotation) && std::isfinite(s->X) &&
         std::isfinite(s->Y) && s->X >= 0 && s->X <= BOARD_EDGE && s->Y >= 0 && s->Y <= float(SCREEN_HEIGHT);
}

void ReadBonus(TStream& s, TLevelProperties& p) {
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 0; y < BOARD_H; ++y) {
      p.BonusLevelData[size_t(x)][size_t(y)] = SoundCell(s.ReadInt());
      p.PuzzleTileData[size_t(x)][size_t(y)] = SoundMark(s.ReadInt());
    }
  p.BonusLevelDifficulty = std::clamp(s.ReadInt(), 0, 3);
  p.BonusTime = std::clamp(s.ReadInt(), 0, 4);
}

bool HasBonus(const TLevelProperties& p) {
  for (const auto& column : p.BonusLevelData)
    for (int cell : column)
      if (cell >= 0) return true;
  return false;
}

void WriteLevel(TStream& s, int level) {
  const TLevelProperties& p = *LevelProps[size_t(level)];
  s.WriteString("LVL");
  s.WriteInt(p.GameTime);
  s.WriteInt(p.PuzzleSet);
  s.WriteInt(p.MiscProperties);
  for (const ShapePtr& shape : LevelShapes[size_t(level)]) {
    if (!shape) continue;
    s.WriteString("SHP");
    Shape::SaveShape(*shape, s);
  }
  if (!HasBonus(p)) return;
  s.WriteString("BON");
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 0; y < BOARD_H; ++y) {
      s.WriteInt(p.BonusLevelData[size_t(x)][size_t(y)]);
      s.WriteInt(p.PuzzleTileData[size_t(x)][size_t(y)]);
    }
  s.WriteInt(p.BonusLevelDifficulty);
  s.WriteInt(p.BonusTime);
}

}  // namespace

namespace {

// A set as read, before it replaces the store: every level starts as a new one.
struct ReadSet {
  std::array<TLevelProperties, LEVEL_COUNT> props;
  std::array<std::vector<ShapePtr>, LEVEL_COUNT> shapes;
  ReadSet() {
    for (TLevelProperties& p : props) {
      for (auto& column : p.BonusLevelData) column.fill(-1);
      for (auto& column : p.PuzzleTileData) column.fill(-1);
    }
  }
};

// The one reader of the format. Reads up to any damage and returns whether the set was
// whole, as the game writes one: levels first, at most 50, only known chunks that fit,
// no piece left out, and "END" as the last three bytes.
bool ReadChunks(TStream& s, const std::string& name, ReadSet& set) {
  if (s.Size() > MAX_LEVEL_SET_BYTES) {
    DebugLog("Not a level set (too large): " + name);
    return false;
  }
  int level = -1;
  bool whole = true;
  std::array<bool, LEVEL_COUNT> leftOut{};  // a piece of the level was left out
  while (true) {
    if (s.Remaining() < 3) {
      DebugLog("Level file ends before END: " + name);
      return false;
    }
    const std::string tag = s.ReadString(3);
    if (tag == "END") break;
    if (tag == "LVL") {
      if (level + 1 >= LEVEL_COUNT || s.Remaining() < LVL_BODY) {
        DebugLog("Level file damaged at level " + std::to_string(level + 1) + ": " + name);
        return false;
      }
      ++level;
      TLevelProperties& p = set.props[size_t(level)];
      // 0 or less is no time limit; the mirrored parallelogram is set 1.
      p.GameTime = std::clamp(s.ReadInt(), 0, MAX_GAME_TIME);
      const int puzzleSet = s.ReadInt();
      p.PuzzleSet = std::clamp(puzzleSet, 0, 1);
      p.MiscProperties = s.ReadInt();
      // Another puzzle set says nothing about how the level's parallelograms lie.
      p.Damaged = puzzleSet != p.PuzzleSet;
    } else if (tag == "SHP") {
      if (level < 0 || s.Remaining() < SHP_BODY ||
          set.shapes[size_t(level)].size() >= size_t(MAX_PIECES_PER_LEVEL)) {
        DebugLog("Level file damaged at a piece of level " + std::to_string(level) + ": " + name);
        return false;
      }
      ShapePtr piece = Shape::ReadShape(s);
      if (SoundPiece(*piece)) {
        set.shapes[size_t(level)].push_back(piece);
      } else {
        DebugLog("Level file: a piece of level " + std::to_string(level) + " has bad numbers; left out: " + name);
        leftOut[size_t(level)] = true;
        whole = false;
      }
    } else if (tag == "BON") {
      if (level < 0 || s.Remaining() < BON_BODY) {
        DebugLog("Level file damaged at the bonus board of level " + std::to_string(level) + ": " + name);
        return false;
      }
      ReadBonus(s, set.props[size_t(level)]);
    } else {
      whole = false;  // the game writes no other chunk; the next three bytes are the next tag
    }
  }
  // A level whose every piece had to be left out is damaged, not unused.
  for (int i = 0; i < LEVEL_COUNT; ++i)
    if (leftOut[size_t(i)] && set.shapes[size_t(i)].empty()) set.props[size_t(i)].Damaged = true;
  return whole && level >= 0 && s.Remaining() == 0;
}

}  // namespace

bool ReadLevelSet(const std::string& locator) {
  DebugLog("Open Level File: " + locator);
  const auto set = std::make_unique<ReadSet>();
  StreamPtr s = ReadStream(locator);
  DebugLog("Start To Read Data...");
  const bool whole = s && ReadChunks(*s, locator, *set);
  if (s) s->Close();
  // In place: the editor and the game keep the property objects. Nothing of the set read
  // before remains, not even in the levels this file leaves out.
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    *LevelProps[size_t(i)] = set->props[size_t(i)];
    LevelShapes[size_t(i)] = std::move(set->shapes[size_t(i)]);
  }
  return whole;
}

bool LevelPlayable(int level) {
  if (level < 0 || level >= LEVEL_COUNT) return false;
  const std::vector<ShapePtr>& pieces = LevelShapes[size_t(level)];
  const TLevelProperties& p = *LevelProps[size_t(level)];
  return !p.Damaged && !pieces.empty() && (p.PuzzleSet == 0 || p.PuzzleSet == 1) &&
         std::any_of(pieces.begin(), pieces.end(), OnBoard);
}

bool LevelDamaged(int level) {
  if (level < 0 || level >= LEVEL_COUNT) return false;
  return LevelProps[size_t(level)]->Damaged || (!LevelShapes[size_t(level)].empty() && !LevelPlayable(level));
}

int NextPlayableLevel(int level) {
  level = std::max(level, 0);
  while (level < LEVEL_COUNT && !LevelPlayable(level)) ++level;
  return level;
}

bool AnyLevelPlayable() { return NextPlayableLevel(0) < LEVEL_COUNT; }

bool WriteLevelSet(const std::string& locator) {
  StreamPtr s = WriteStream(locator);
  DebugLog("Write level: " + locator);
  if (!s) return false;
  for (int level = 0; level < LEVEL_COUNT; ++level) WriteLevel(*s, level);
  s->WriteString("END");
  return s->Close();
}

bool CreateEmptyLevelSet(const std::string& locator) {
  StreamPtr s = WriteStream(locator);
  if (!s) return false;
  for (int level = 0; level < LEVEL_COUNT; ++level) {
    s->WriteString("LVL");
    s->WriteInt(0);
    s->WriteInt(0);
    s->WriteInt(0);
  }
  s->WriteString("END");
  return s->Close();
}

bool IsWellFormedLevelSet(const std::vector<uint8_t>& bytes) {
  const auto set = std::make_unique<ReadSet>();
  return ReadChunks(*MemoryReadStream(bytes), "shared level set", *set);
}

std::string LevelSetFileName(const std::string& name) {
  std::string file;
  for (char c : name) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 32 || u == 127) c = '_';
    if (file.empty() && (c == '.' || c == ' ')) continue;  // no hidden files, no blank start
    if (c == '.' && file.back() == '.') continue;          // no ".."
    file += c;
  }
  if (file.size() > MAX_SET_NAME) file.resize(MAX_SET_NAME);
  while (!file.empty() && (file.back() == ' ' || file.back() == '.')) file.pop_back();  // no "..lvl"
  return file.empty() ? std::string() : Utf8FromLatin1(file) + ".lvl";
}
