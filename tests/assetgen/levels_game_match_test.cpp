// The compiler must agree with the game: the shipped level sets decompose into the game's
// own snapping records, and the game's level store reads and rewrites them byte for byte.
#include "levels/geometry.h"
#include "levels/level_set.h"
#include "levels_compile.h"
#include "levels_snap.h"
#include "media/graphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

// Every level-set source in assets/levels.
std::vector<std::string> Shipped() {
  std::vector<std::string> files;
  for (const auto& e : std::filesystem::directory_iterator(QV_SOURCE_DIR "/assets/levels"))
    if (e.path().extension() == ".levels") files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

levels::CompiledSet CompileShipped(const std::string& file) { return levels::CompileLevelFile(file); }

std::vector<uint8_t> Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

TEST(ShippedLevelSets, CompilerDecomposesPiecesLikeTheGame) {
  for (const std::string& name : Shipped()) {
    const levels::CompiledSet set = CompileShipped(name);
    for (size_t n = 0; n < set.levels.size(); ++n) {
      const levels::CompiledLevel& level = set.levels[n];
      for (const levels::Placement& p : level.pieces) {
        std::vector<levels::SmallTri> mine;
        levels::AddPieceTriangles(p, level.puzzleSet, mine);
        SmallTriList game;
        SetRotation(float(p.rotation));
        AddPieceTriangles(p.element, int(p.x), int(p.y), level.puzzleSet, game);
        SetRotation(0);
        ASSERT_EQ(mine.size(), game.size());
        for (size_t i = 0; i < mine.size(); ++i) {
          EXPECT_EQ(mine[i].x, game[i].x) << name << " level " << n + 1;
          EXPECT_EQ(mine[i].y, game[i].y) << name << " level " << n + 1;
          EXPECT_EQ(float(mine[i].r), game[i].r) << name << " level " << n + 1;
        }
      }
    }
  }
}

TEST(ShippedLevelSets, GameStoreReadsAndRewritesThemUnchanged) {
  const auto dir = std::filesystem::temp_directory_path() / "qv_levels_match";
  std::filesystem::create_directories(dir);
  for (const std::string& name : Shipped()) {
    const levels::CompiledSet set = CompileShipped(name);
    const std::vector<uint8_t> bytes = levels::EncodeLevelSet(set);
    const auto in = dir / "in.lvl", out = dir / "out.lvl";
    std::ofstream(in, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              std::streamsize(bytes.size()));
    ReadLevelSet(in.string());
    for (size_t n = 0; n < set.levels.size(); ++n) {
      EXPECT_EQ(LevelShapes[n].size(), set.levels[n].pieces.size()) << name << " level " << n + 1;
      EXPECT_EQ(LevelProps[n]->GameTime, set.levels[n].gameTime);
      EXPECT_EQ(unsigned(LevelProps[n]->MiscProperties), set.levels[n].misc);
    }
    ASSERT_TRUE(WriteLevelSet(out.string()));
    EXPECT_EQ(Bytes(out), bytes) << name;
  }
  std::filesystem::remove_all(dir);
}
