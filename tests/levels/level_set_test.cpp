#include "levels/level_set.h"
#include "media/random.h"
#include "media/stream.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string TempFile(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / "qv_level_set_test";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::string Bytes(const std::string& path) {
  std::vector<uint8_t> b;
  LoadBytes(path, b);
  return std::string(b.begin(), b.end());
}

void WriteRaw(const std::string& path, const std::string& bytes) {
  StreamPtr s = WriteStream(path);
  s->WriteString(bytes);
  ASSERT_TRUE(s->Close());
}

std::string Int(int32_t v) {
  std::string s(4, '\0');
  for (int i = 0; i < 4; ++i) s[size_t(i)] = char(uint32_t(v) >> (8 * i));
  return s;
}

std::string Lvl(int time, int set, int misc) { return "LVL" + Int(time) + Int(set) + Int(misc); }

std::string Shp(float x, float y, float rot, int element) {
  std::string s = "SHP";
  s += std::string("\x00\x01", 2);
  auto f = [&](float v) {
    uint32_t bits;
    std::memcpy(&bits, &v, 4);
    s += Int(int32_t(bits));
  };
  f(0);
  f(x);
  f(y);
  f(rot);
  s += Int(255) + Int(255) + Int(255) + Int(element);
  return s;
}

std::string Bon(int firstCell, int difficulty, int time) {
  std::string s = "BON";
  for (int i = 0; i < 72; ++i) s += Int(i == 0 ? firstCell : -1) + Int(i == 1 ? 0 : -1);
  return s + Int(difficulty) + Int(time);
}

void ResetStore() {
  for (auto& p : LevelProps) *p = TLevelProperties{};
}

}  // namespace

TEST(LevelSet, EmptySetIs753BytesAndReadsBackEmpty) {
  const std::string path = TempFile("empty.lvl");
  ASSERT_TRUE(CreateEmptyLevelSet(path));
  EXPECT_EQ(Bytes(path).size(), 753u);
  LevelProps[3]->GameTime = 99;
  ReadLevelSet(path);
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    EXPECT_TRUE(LevelShapes[size_t(i)].empty());
    EXPECT_EQ(LevelProps[size_t(i)]->GameTime, 0);
    EXPECT_EQ(LevelProps[size_t(i)]->BonusLevelData[0][0], -1);
  }
  EXPECT_EQ(CreateEmptyLevelSet("incbin::../data/x.lvl"), false);
}

TEST(LevelSet, ReadThenWriteGivesIdenticalBytes) {
  std::string file = Lvl(120, 1, LP_FREEZE | LP_PLAY_FOR_TILES) + Shp(200.5f, 150, 45, 0) + Shp(260, 150, 0, 3) +
                     Bon(0, 2, 3);
  for (int i = 1; i < LEVEL_COUNT; ++i) file += Lvl(i, 0, 0);
  file += "END";
  const std::string in = TempFile("in.lvl"), out = TempFile("out.lvl");
  WriteRaw(in, file);
  ReadLevelSet(in);
  ASSERT_EQ(LevelShapes[0].size(), 2u);
  EXPECT_EQ(LevelShapes[0][0]->X, 200.5f);
  EXPECT_EQ(LevelShapes[0][1]->Element, 3);
  EXPECT_EQ(LevelShapes[0][0]->B, 255);
  EXPECT_EQ(LevelProps[0]->BonusLevelData[0][0], 0);
  EXPECT_EQ(LevelProps[0]->PuzzleTileData[0][1], 0);
  EXPECT_EQ(LevelProps[0]->BonusLevelDifficulty, 2);
  ASSERT_TRUE(WriteLevelSet(out));
  EXPECT_EQ(Bytes(out), file);
}

// A board whose only non-negative cell is 0 is kept; an all −1 board loses its other data.
TEST(LevelSet, BonusChunkOnlyForBoardsWithATile) {
  const std::string path = TempFile("bonus.lvl");
  ResetStore();
  ReadLevelSet(TempFile("missing.lvl"));
  LevelProps[0]->BonusLevelData[7][8] = 0;
  LevelProps[1]->PuzzleTileData[0][0] = 0;
  LevelProps[1]->BonusLevelDifficulty = 3;
  LevelProps[1]->BonusTime = 4;
  ASSERT_TRUE(WriteLevelSet(path));
  EXPECT_EQ(Bytes(path).size(), 753u + 587u);
  ReadLevelSet(path);
  EXPECT_EQ(LevelProps[0]->BonusLevelData[7][8], 0);
  EXPECT_EQ(LevelProps[1]->PuzzleTileData[0][0], -1);
  EXPECT_EQ(LevelProps[1]->BonusTime, 0);
  EXPECT_EQ(LevelProps[1]->BonusLevelDifficulty, 0);
}

// Regression: a level the file leaves out, or whose bonus data it leaves out, started with
// the modes and the difficulty of the set read before (Freeze and Torch from another set).
TEST(LevelSet, NothingOfTheSetReadBeforeRemains) {
  const std::string before = TempFile("before.lvl"), path = TempFile("short.lvl");
  std::string full;
  for (int i = 0; i < LEVEL_COUNT; ++i) full += Lvl(77, 1, LP_FREEZE | LP_TORCH) + Shp(200, 200, 0, 2) + Bon(3, 3, 4);
  WriteRaw(before, full + "END");
  ReadLevelSet(before);
  ASSERT_EQ(LevelProps[5]->BonusLevelDifficulty, 3);
  WriteRaw(path, Lvl(10, 0, LP_PLAY_FOR_TILES) + Shp(200, 200, 0, 2) + Lvl(20, 0, 0) + "END");
  ReadLevelSet(path);
  EXPECT_EQ(LevelShapes[0].size(), 1u);
  EXPECT_EQ(LevelProps[0]->BonusLevelDifficulty, 0);  // no "BON": a new level's values
  EXPECT_TRUE(LevelShapes[1].empty());  // a level with no pieces stays empty
  EXPECT_EQ(LevelProps[1]->GameTime, 20);
  for (int i = 2; i < LEVEL_COUNT; ++i) {
    const TLevelProperties& p = *LevelProps[size_t(i)];
    EXPECT_TRUE(LevelShapes[size_t(i)].empty());
    EXPECT_EQ(p.GameTime, 0);
    EXPECT_EQ(p.PuzzleSet, 0);
    EXPECT_EQ(p.MiscProperties, 0) << "level " << i;
    EXPECT_EQ(p.BonusLevelDifficulty, 0);
    EXPECT_EQ(p.BonusTime, 0);
    EXPECT_EQ(p.BonusLevelData[3][3], -1);
    EXPECT_EQ(p.PuzzleTileData[0][1], -1);
  }
  // A locator that cannot be read clears the store the same way.
  ReadLevelSet(before);
  ReadLevelSet(TempFile("missing.lvl"));
  EXPECT_EQ(LevelProps[49]->MiscProperties, 0);
  EXPECT_FALSE(AnyLevelPlayable());
}

// Which levels the game plays: unused levels (no pieces) and damaged ones are skipped.
TEST(LevelSet, PlayableLevelsHaveAPieceOnTheBoardAndAPuzzleSet) {
  struct Case {
    const char* what;
    std::string level;
    bool playable, damaged;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const std::vector<Case> cases = {
      {"a sound level", Lvl(60, 1, LP_TORCH) + Shp(200, 200, 45, 0) + Shp(300, 300, 0, 4), true, false},
      {"no pieces", Lvl(60, 0, 0), false, false},
      {"puzzle set 2", Lvl(60, 2, 0) + Shp(200, 200, 0, 2), false, true},
      {"puzzle set -1", Lvl(60, -1, 0) + Shp(200, 200, 0, 2), false, true},
      {"puzzle set 1000", Lvl(60, 1000, 0) + Shp(200, 200, 0, 2), false, true},
      // A piece the reader leaves out takes its level with it only when it was the last.
      {"an unknown kind beside a known one", Lvl(60, 0, 0) + Shp(200, 200, 0, 2) + Shp(200, 200, 0, 7), true, false},
      {"only an unknown kind", Lvl(60, 0, 0) + Shp(200, 200, 0, -1), false, true},
      {"not a number", Lvl(60, 0, 0) + Shp(nan, 200, 0, 2), false, true},
      {"an endless angle", Lvl(60, 0, 0) + Shp(200, 200, std::numeric_limits<float>::infinity(), 2), false, true},
      {"in the tray", Lvl(60, 0, 0) + Shp(560, 200, 0, 2), false, true},
      {"below the screen", Lvl(60, 0, 0) + Shp(200, 481, 0, 2), false, true},
      {"left of the screen", Lvl(60, 0, 0) + Shp(-1, 200, 0, 2), false, true},
      {"the board's far corners", Lvl(60, 0, 0) + Shp(0, 0, 0, 2) + Shp(455, 480, 0, 2), true, false},
      // The editor's "Move playfield" may push pieces off; one left on the board still plays.
      {"one piece off the board beside one on it", Lvl(60, 0, 0) + Shp(-40, 200, 0, 2) + Shp(200, 200, 0, 2), true,
       false},
  };
  const std::string path = TempFile("playable.lvl");
  for (const Case& c : cases) {
    WriteRaw(path, Lvl(1, 0, 0) + c.level + Lvl(1, 0, 0) + Shp(200, 200, 0, 3) + "END");
    ReadLevelSet(path);
    EXPECT_EQ(LevelPlayable(1), c.playable) << c.what;
    EXPECT_EQ(LevelDamaged(1), c.damaged) << c.what;
    EXPECT_EQ(NextPlayableLevel(1), c.playable ? 1 : 2) << c.what;
  }
  EXPECT_EQ(NextPlayableLevel(-5), 1);  // level 0 has no pieces
  EXPECT_EQ(NextPlayableLevel(3), LEVEL_COUNT);
  EXPECT_FALSE(LevelPlayable(LEVEL_COUNT));
  EXPECT_FALSE(LevelDamaged(-1));
}

TEST(LevelSet, DamagedFilesStopCleanlyKeepingWhatWasRead) {
  struct Case {
    const char* what;
    std::string bytes;
    size_t piecesInLevel0;
  };
  std::string tooMany;
  for (int i = 0; i < 60; ++i) tooMany += Lvl(i, 0, 0) + Shp(200, 200, 0, 1);
  const std::string good = Lvl(1, 0, 0) + Shp(200, 200, 0, 2);
  const std::vector<Case> cases = {
      {"ends before END", good, 1},
      {"cut inside a piece", good + Shp(1, 2, 3, 4).substr(0, 20), 1},
      {"piece before the first level", Shp(1, 2, 0, 0) + good + "END", 0},
      {"bonus before the first level", Bon(1, 0, 0) + good + "END", 0},
      {"unknown tags are skipped", "XYZ" + good + "ABC" + Shp(5, 5, 0, 0) + "END", 2},
      {"more than 50 levels", tooMany + "END", 1},
      {"cut inside a bonus board", good + Bon(1, 0, 0).substr(0, 100), 1},
  };
  for (const Case& c : cases) {
    const std::string path = TempFile("damaged.lvl");
    WriteRaw(path, c.bytes);
    ReadLevelSet(path);
    EXPECT_EQ(LevelShapes[0].size(), c.piecesInLevel0) << c.what;
    if (c.bytes == tooMany + "END") {
      EXPECT_EQ(LevelShapes[49].size(), 1u) << "the 50 levels before were kept";
    }
  }
}

TEST(LevelSet, RandomBytesNeverBreakTheReader) {
  SeedRnd(4242);
  const std::string base = Lvl(1, 0, LP_JOKER) + Shp(200, 200, 0, 2) + Bon(3, 1, 1) + Lvl(2, 1, 0) + "END";
  const std::string path = TempFile("fuzz.lvl");
  for (int round = 0; round < 300; ++round) {
    std::string bytes = base;
    const int flips = RandomInt(1, 12);
    for (int i = 0; i < flips; ++i) bytes[size_t(RandomInt(0, int(bytes.size()) - 1))] = char(RandomInt(0, 255));
    bytes.resize(size_t(RandomInt(0, int(bytes.size()))));
    WriteRaw(path, bytes);
    ReadLevelSet(path);
    for (const auto& pieces : LevelShapes) ASSERT_LE(pieces.size(), size_t(MAX_PIECES_PER_LEVEL));
  }
}

// NaN, infinities and huge numbers would reach float-to-int conversions; unknown kinds
// would index the artwork. Such a piece is left out; the rest of its level stays.
TEST(LevelSet, PiecesWithBadNumbersAreLeftOutAndPropertiesKeptInRange) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  std::string file = Lvl(std::numeric_limits<int32_t>::min(), 7, LP_TORCH) + Shp(200, 200, 45, 2) +
                     Shp(nan, 200, 0, 1) + Shp(200, -inf, 0, 1) + Shp(200, 200, inf, 1) + Shp(3e9f, 200, 0, 1) +
                     Shp(200, 200, 0, 5) + Shp(200, 200, 0, -1) + Shp(210, 210, -45, 4);
  std::string bon = Bon(100, 99, -3);
  bon.replace(3 + 4, 4, Int(7));  // first mark: not a mark the game knows
  file += bon + Lvl(std::numeric_limits<int32_t>::max(), -2, 0) + "END";
  const std::string path = TempFile("bad-numbers.lvl");
  WriteRaw(path, file);
  ReadLevelSet(path);
  ASSERT_EQ(LevelShapes[0].size(), 2u);
  EXPECT_EQ(LevelShapes[0][0]->Rotation, 45);
  EXPECT_EQ(LevelShapes[0][1]->Rotation, 315);
  EXPECT_EQ(LevelProps[0]->GameTime, 0);
  EXPECT_EQ(LevelProps[0]->PuzzleSet, 1);
  EXPECT_EQ(LevelProps[0]->MiscProperties, LP_TORCH);
  EXPECT_EQ(LevelProps[0]->BonusLevelData[0][0], -1);
  EXPECT_EQ(LevelProps[0]->PuzzleTileData[0][0], -1);
  EXPECT_EQ(LevelProps[0]->PuzzleTileData[0][1], 0);
  EXPECT_EQ(LevelProps[0]->BonusLevelDifficulty, 3);
  EXPECT_EQ(LevelProps[0]->BonusTime, 0);
  EXPECT_EQ(LevelProps[1]->GameTime, 24 * 3600);
  EXPECT_EQ(LevelProps[1]->PuzzleSet, 0);
}

// A FIFO in the data folder must not hang the selection; a huge file is not read.
TEST(LevelSet, FifosAndHugeFilesAreNotRead) {
  const std::string fifo = TempFile("fifo.lvl");
  std::filesystem::remove(fifo);
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ::alarm(20);
  ReadLevelSet(fifo);
  ::alarm(0);
  EXPECT_TRUE(LevelShapes[0].empty());
  std::filesystem::remove(fifo);

  std::string huge = Lvl(1, 0, 0) + Shp(200, 200, 0, 2);
  huge.resize(2 << 20, 'x');
  const std::string path = TempFile("huge.lvl");
  WriteRaw(path, huge);
  ReadLevelSet(path);
  EXPECT_TRUE(LevelShapes[0].empty());
}

// The check for sets that come from outside: whole sets as the game writes them pass,
// anything cut, padded, unknown or out of place fails.
TEST(LevelSet, WellFormedSetsAreExactlyWhatTheGameWrites) {
  auto bytes = [](const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); };
  std::string full = Lvl(120, 1, 0) + Shp(200, 150, 45, 0) + Bon(0, 2, 3);
  for (int i = 1; i < LEVEL_COUNT; ++i) full += Lvl(0, 0, 0);
  full += "END";
  std::string pieces = Lvl(0, 0, 0);
  for (int i = 0; i < MAX_PIECES_PER_LEVEL; ++i) pieces += Shp(100, 100, 0, 4);
  EXPECT_TRUE(IsWellFormedLevelSet(bytes(full)));
  EXPECT_TRUE(IsWellFormedLevelSet(bytes(Lvl(0, 0, 0) + "END")));  // fewer levels read fine
  EXPECT_TRUE(IsWellFormedLevelSet(bytes(pieces + "END")));
  const std::string path = TempFile("written.lvl");
  ASSERT_TRUE(CreateEmptyLevelSet(path));
  std::vector<uint8_t> written;
  ASSERT_TRUE(LoadBytes(path, written));
  EXPECT_TRUE(IsWellFormedLevelSet(written));

  std::string fifty = Lvl(0, 0, 0);
  for (int i = 0; i < LEVEL_COUNT; ++i) fifty += Lvl(0, 0, 0);
  const std::pair<std::string, std::string> damaged[] = {
      {"", "empty"},
      {"END", "no level"},
      {full.substr(0, full.size() - 1), "cut inside END"},
      {full.substr(0, full.size() - 3), "no END"},
      {full + "x", "something after END"},
      {Lvl(0, 0, 0).substr(0, 10) + "END", "level cut short"},
      {Shp(1, 1, 0, 0) + Lvl(0, 0, 0) + "END", "piece before the first level"},
      {"BON" + Lvl(0, 0, 0) + "END", "bonus board before the first level"},
      {Lvl(0, 0, 0) + Shp(1, 1, 0, 5) + "END", "no such piece kind"},
      {Lvl(0, 0, 0) + Shp(1, 1, 0, -1) + "END", "negative piece kind"},
      {Lvl(0, 0, 0) + "XYZ" + "END", "unknown chunk"},
      {Lvl(0, 0, 0) + Bon(0, 0, 0).substr(0, 300) + "END", "bonus board cut short"},
      {pieces + Shp(100, 100, 0, 4) + "END", "too many pieces"},
      {fifty + "END", "51 levels"},
      {"PNG\x89" + Lvl(0, 0, 0) + "END", "another kind of file"},
  };
  for (const auto& [file, what] : damaged) EXPECT_FALSE(IsWellFormedLevelSet(bytes(file))) << what;
  std::vector<uint8_t> huge = bytes(full);
  huge.insert(huge.begin() + 3 + 12, MAX_LEVEL_SET_BYTES, 0);
  EXPECT_FALSE(IsWellFormedLevelSet(huge));

  // The game's reader is the same: it says whether the file was whole, reads a padded one
  // all the same, and the check leaves its store alone.
  const std::string padded = TempFile("padded.lvl");
  WriteRaw(padded, full);
  EXPECT_TRUE(ReadLevelSet(padded));
  WriteRaw(padded, full + "x");
  EXPECT_FALSE(ReadLevelSet(padded));
  EXPECT_EQ(LevelShapes[0].size(), 1u);
  EXPECT_TRUE(IsWellFormedLevelSet(bytes(Lvl(0, 0, 0) + "END")));
  EXPECT_EQ(LevelShapes[0].size(), 1u);
  EXPECT_EQ(LevelProps[0]->GameTime, 120);
}
