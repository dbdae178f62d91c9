// The level-set compiler: piece fitting, the snapping decomposition, the source format,
// the level checks and the exact bytes of the written file.
#include "levels_compile.h"
#include "levels_snap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <tuple>

using namespace levels;

namespace {

// The classic square with its corner at the origin, as cell art on the plain grid.
const char* const SQUARE_ART =
    "  art\n"
    "    B\\A  A    A    A/C\n"
    "    B    B\\A  A/D  D\\C\n"
    "    B    B/E  E\\D  D/G\n"
    "    B/F  F    F/G  G\n";

// A figure of its own for each of the 49 levels after the first: a triangle of one of
// three sizes (or a square) at one of 16 turns, with a small triangle at the same turn
// above it, so that no test's own first level looks the same.
std::string Filler(int i) {
  static const char* const kinds[] = {"small", "medium", "large", "square"};
  char pieces[80];
  std::snprintf(pieces, sizeof pieces, "%s at 0,0 rot %g\n  small at 0,-4 rot %g", kinds[i / 16], i % 16 * 22.5,
                i % 16 * 22.5);
  return "level " + std::to_string(i + 2) + ": Filler\n  time 60\n  " + pieces + "\n";
}

// A whole set: the given level text first, then 49 one-piece levels.
std::string SetWith(const std::string& first) {
  std::string s = "set Test\nlevel 1: First\n" + first + "\n";
  for (int i = 0; i < 49; ++i) s += Filler(i);
  return s;
}

CompiledSet Compile(const std::string& text) {
  return CompileLevelSet(ParseLevelSource(text, "test.levels"));
}

// The message of the compile error, or "" when it compiles.
std::string ErrorOf(const std::string& text) {
  try {
    Compile(text);
  } catch (const LevelError& e) {
    return e.what();
  }
  return "";
}

std::vector<Placement> Sorted(std::vector<Placement> v) {
  std::sort(v.begin(), v.end(), [](const Placement& a, const Placement& b) {
    return std::tie(a.element, a.x, a.y) < std::tie(b.element, b.x, b.y);
  });
  return v;
}

bool Has(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

}  // namespace

TEST(LevelGeometry, FitsTheClassicSquareFromItsOutlines) {
  struct Case {
    std::vector<Vec> outline;
    int element;
    double x, y, rotation;
    int row;
  } cases[] = {
      {{{0, 0}, {172, 0}, {86, 86}}, LARGE, 86, 43, 180, 0},
      {{{0, 0}, {0, 172}, {86, 86}}, LARGE, 43, 86, 90, 0},
      {{{172, 86}, {86, 172}, {172, 172}}, MEDIUM, 150.5, 150.5, 135, 0},
      {{{172, 0}, {172, 86}, {129, 43}}, SMALL, 150.5, 43, 270, 0},
      {{{43, 129}, {129, 129}, {86, 86}}, SMALL, 86, 107.5, 0, 0},
      {{{129, 43}, {172, 86}, {129, 129}, {86, 86}}, SQUARE, 129, 86, 0, 0},
      {{{0, 172}, {86, 172}, {129, 129}, {43, 129}}, PARA, 64.5, 150.5, 0, 1},
      {{{0, 129}, {86, 129}, {129, 172}, {43, 172}}, PARA, 64.5, 150.5, 0, 2},
  };
  for (const Case& c : cases) {
    std::string why;
    const auto fit = FitPiece(c.outline, why);
    ASSERT_TRUE(fit) << why;
    EXPECT_EQ(fit->placement.element, c.element);
    EXPECT_NEAR(fit->placement.x, c.x, 1e-9);
    EXPECT_NEAR(fit->placement.y, c.y, 1e-9);
    EXPECT_EQ(fit->placement.rotation, c.rotation);
    EXPECT_EQ(fit->row, c.row);
  }
}

TEST(LevelGeometry, RejectsOutlinesThatAreNoPiece) {
  std::string why;
  EXPECT_FALSE(FitPiece({{0, 0}, {86, 0}, {86, 60}}, why));            // not isosceles
  EXPECT_FALSE(FitPiece({{0, 0}, {100, 0}, {50, 50}}, why));           // wrong size
  EXPECT_FALSE(FitPiece({{0, 0}, {86, 0}, {86, 43}, {0, 43}}, why));   // a rectangle
  EXPECT_FALSE(FitPiece({{0, 0}, {86, 0}}, why));
  EXPECT_TRUE(Has(why, "3 or 4 corners"));
  // A square turned by 10 degrees fits no rotation step.
  std::vector<Vec> turned;
  for (Vec v : PiecePolygon({SQUARE, 200, 200, 0}, 1)) turned.push_back(Rotate(v - Vec{200, 200}, 10));
  EXPECT_FALSE(FitPiece(turned, why));
}

TEST(LevelGeometry, CanonicalRotationsFollowThePieceSymmetry) {
  EXPECT_EQ(CanonicalRotation(SQUARE, 292.5), 22.5);
  EXPECT_EQ(CanonicalRotation(PARA, 225), 45);
  EXPECT_EQ(CanonicalRotation(LARGE, -90), 270);
}

TEST(LevelGeometry, OverlapOfConvexPolygons) {
  const auto a = PiecePolygon({SQUARE, 100, 100, 45}, 1);  // axis-aligned, side 60.8
  EXPECT_NEAR(ConvexOverlapArea(a, a), 4 * T_AREA, 1e-6);
  EXPECT_NEAR(ConvexOverlapArea(a, PiecePolygon({SQUARE, 100 + 2 * DIAG, 100, 45}, 1)), 0, 1e-6);
  EXPECT_NEAR(ConvexOverlapArea(a, PiecePolygon({SQUARE, 100 + DIAG, 100, 45}, 1)), 2 * T_AREA, 1e-6);
}

TEST(LevelSnapping, DecompositionTruncatesTowardZero) {
  std::vector<SmallTri> tris;
  AddPieceTriangles({SMALL, 100, 100, 0}, 0, tris);
  ASSERT_EQ(tris.size(), 2u);
  EXPECT_EQ(tris[0].x, 90);
  EXPECT_EQ(tris[0].y, 109);
  EXPECT_EQ(tris[0].r, 135);
  EXPECT_EQ(tris[1].x, 109);
  EXPECT_EQ(tris[1].y, 109);
  EXPECT_EQ(tris[1].r, -135);  // stays negative until compared
  tris.clear();
  AddPieceTriangles({SMALL, 5, 5, 0}, 0, tris);
  EXPECT_EQ(tris[0].x, -4);  // 5 - 9.9 truncates to -4, not -5
}

TEST(LevelSnapping, TriangleCountsPerKind) {
  const size_t expected[] = {8, 4, 2, 4, 4};
  for (int element = LARGE; element <= PARA; ++element) {
    std::vector<SmallTri> tris;
    AddPieceTriangles({element, 200, 200, 45}, 1, tris);
    EXPECT_EQ(tris.size(), expected[element]) << ElementName(element);
  }
}

TEST(LevelSnapping, ClassicSquarePiecesSnapBackFromAnOffsetAtEveryTurn) {
  const CompiledSet set = Compile(SetWith("  time 90\n" + std::string(SQUARE_ART)));
  for (int turn = 0; turn < 360; turn += 45) {
    std::vector<Placement> pieces;
    for (const Placement& p : set.levels[0].pieces) {
      const Vec c = Vec{300, 260} + Rotate(Vec{p.x, p.y} - Vec{300, 260}, turn);
      pieces.push_back({p.element, c.x, c.y, CanonicalRotation(p.element, p.rotation + turn)});
    }
    std::vector<SmallTri> targets;
    for (const Placement& p : pieces) AddPieceTriangles(p, 0, targets);
    for (const Placement& p : pieces) {
      for (double dx : {-10.0, 0.0, 10.0}) {
        const SnapResult r = TrySnap(p.element, p.x + dx, p.y - dx, p.rotation, 0, targets);
        EXPECT_TRUE(r.snaps) << ElementName(p.element) << " turn " << turn << " dx " << dx;
        EXPECT_NEAR(r.moveX, -dx, 3);
        EXPECT_NEAR(r.moveY, dx, 3);
      }
      // A turn of 45 degrees never matches.
      EXPECT_FALSE(TrySnap(p.element, p.x, p.y, p.rotation + 45, 0, targets).snaps);
    }
  }
}

TEST(LevelSource, ArtCentreAndOutlineFormsGiveTheSamePieces) {
  const std::string centres =
      "  large at 2,1 rot 180\n  large at 1,2 rot 90\n  medium at 3.5,3.5 rot 135\n"
      "  small at 3.5,1 rot 270\n  small at 2,2.5 rot 0\n  square at 3,2 rot 0\n"
      "  para at 1.5,3.5 rot 0\n";
  const std::string outlines =
      "  large 0,0 4,0 2,2\n  large 0,0 0,4 2,2\n  medium 4,2 2,4 4,4\n  small 4,0 4,2 3,1\n"
      "  small 1,3 3,3 2,2\n  square 3,1 4,2 3,3 2,2\n  para 0,4 2,4 3,3 1,3\n";
  const auto a = Sorted(Compile(SetWith("  time 90\n" + std::string(SQUARE_ART))).levels[0].pieces);
  for (const std::string& other : {centres, outlines}) {
    const auto b = Sorted(Compile(SetWith("  time 90\n" + other)).levels[0].pieces);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) {
      EXPECT_EQ(a[i].element, b[i].element);
      EXPECT_EQ(a[i].rotation, b[i].rotation);
      EXPECT_NEAR(a[i].x, b[i].x, 1e-3);
      EXPECT_NEAR(a[i].y, b[i].y, 1e-3);
    }
  }
}

TEST(LevelSource, FigureIsCentredInTheFieldAndKeepsItsHeader) {
  const auto set = Compile(SetWith("  time 75\n  modes freeze torch\n" + std::string(SQUARE_ART)));
  const CompiledLevel& level = set.levels[0];
  EXPECT_EQ(level.gameTime, 75);
  EXPECT_EQ(level.misc, LP_FREEZE | LP_TORCH);
  EXPECT_EQ(level.puzzleSet, 0);
  // The 172 px square's corner moves to round(297.5 - 86), round(262.5 - 86).
  // Its first piece is the left large triangle, centred at 43,86 in the square.
  EXPECT_FLOAT_EQ(level.pieces[0].x, 212 + 43);
  EXPECT_FLOAT_EQ(level.pieces[0].y, 177 + 86);
}

TEST(LevelSource, GridCoordinatesMixPlainAndTurnedSteps) {
  // A medium triangle at rotation 0: right angle at the top, corners one turned step apart.
  const auto set = Compile(SetWith("  time 60\n  medium 0,0 -2d,2d 2d,2d\n"));
  EXPECT_EQ(set.levels[0].pieces[0].element, MEDIUM);
  EXPECT_EQ(set.levels[0].pieces[0].rotation, 0);
  const auto mixed = Compile(SetWith("  time 60\n  square 1,1 1+2d,1 1+2d,1+2d 1,1+2d\n"));
  EXPECT_EQ(mixed.levels[0].pieces[0].rotation, 45);
}

TEST(LevelSource, MirroredParallelogramSetsTheRow) {
  const auto set = Compile(SetWith("  time 60\n  para 0,3 2,3 3,4 1,4\n"));
  EXPECT_EQ(set.levels[0].puzzleSet, 1);
  EXPECT_TRUE(Has(ErrorOf(SetWith("  time 60\n  row 1\n  para 0,3 2,3 3,4 1,4\n")),
                  "test.levels:5: this parallelogram is row 2"));
}

TEST(LevelSource, FiguresAreReusedWithAShift) {
  const std::string text = "set Test\nfigure tri\n  small 0,0 2,0 1,-1\n" +
                           SetWith("  time 60\n  use tri\n  use tri at 3,0\n").substr(9);
  const auto pieces = Compile(text).levels[0].pieces;
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_FLOAT_EQ(pieces[1].x - pieces[0].x, 3 * UNIT);
}

TEST(LevelSource, SyntaxErrorsNameFileAndLine) {
  struct Case {
    std::string level, message;
  } cases[] = {
      {"  time 60\n  small 0,0 2,0 1,-1\n  colour red\n", "test.levels:5: unknown line \"colour\""},
      {"  time 60\n  large 0,0 2,0 1,-1\n", "test.levels:4: this outline is a small triangle, not a large"},
      {"  time 60\n  small 0,0 2,0 1,-1.5\n", "test.levels:4: bad corner \"1,-1.5\""},
      {"  time 61.5\n  small 0,0 2,0 1,-1\n", "test.levels:3: write \"time <seconds>\""},
      {"  time 60\n  modes snow\n  small 0,0 2,0 1,-1\n", "test.levels:4: unknown mode \"snow\""},
      {"  time 60\n  turn 30\n  small 0,0 2,0 1,-1\n", "test.levels:4: write \"turn <degrees>\""},
      {"  small 0,0 2,0 1,-1\n", "test.levels:2: missing \"time <seconds>\""},
      {"  time 60\n  art\n    A A\n    A .\n", "test.levels:5: piece 'A' is not one convex piece"},
      {"  time 60\n  art\n    A/. ./A\n", "test.levels:5: piece 'A'"},
      {"  time 60\n  small 0,0 2,0 1,-1\n  use nothing\n", "test.levels:5: no figure \"nothing\""},
  };
  for (const Case& c : cases) EXPECT_TRUE(Has(ErrorOf(SetWith(c.level)), c.message)) << ErrorOf(SetWith(c.level));
  EXPECT_TRUE(Has(ErrorOf("set Test\nlevel 2: Two\n  time 60\n  small 0,0 2,0 1,-1\n"),
                  "test.levels:2: levels are numbered"));
  EXPECT_TRUE(Has(ErrorOf("level 1: One\n  time 60\n  small 0,0 2,0 1,-1\n"), "missing \"set <name>\""));
  EXPECT_TRUE(Has(ErrorOf(SetWith("  time 60\n  small 0,0 2,0 1,-1\n") +
                          "level 51: Extra\n  time 1\n  small 0,0 2,0 1,-1\n"),
                  "test.levels:202: a level set has exactly 50 levels, this one 51"));
}

TEST(LevelChecks, RejectBadFigures) {
  std::string thirteen;
  for (int i = 0; i < 14; ++i)
    thirteen += "  small at " + std::to_string(i % 7) + "," + std::to_string(i / 7) + ".5 rot 0\n";
  struct Case {
    std::string level, message;
  } cases[] = {
      {"  time 60\n  small 0,0 2,0 1,-1\n  small 0,0 2,0 1,1\n  small 0,0 2,0 1,-1\n",
       "test.levels:6: the small triangle overlaps the small triangle of line 4"},
      {"  time 60\n  small 0,0 2,0 1,-1\n  small at 5,0 rot 22.5\n",
       "test.levels:5: rotation 22.5 mixes"},
      {"  time 60\n  centre 160,300\n  small 0,0 2,0 1,-1\n", "outside the field 145..450"},
      {"  time 60\n  modes floating\n" + std::string(SQUARE_ART) + "  large 0,4 4,4 2,6\n"
       "  large 0,6 4,6 2,8\n", "(floating pieces bob 30 px)"},
      {"  time 60\n" + thirteen, "a level has 1 to 13 pieces, this one 14"},
      {"  time 60\n  modes enlightenment meditation\n  small 0,0 2,0 1,-1\n", "exclude each other"},
      {"  time 60\n  modes bombs\n  small 0,0 2,0 1,-1\n", "bombs and jokers belong to \"tiles\""},
      {"  time 60\n  modes tiles\n  small 0,0 2,0 1,-1\n", "a \"tiles\" level needs a board"},
      {"  time 60\n", "a level has 1 to 13 pieces, this one 0"},
  };
  for (const Case& c : cases) EXPECT_TRUE(Has(ErrorOf(SetWith(c.level)), c.message)) << c.message << "\n" << ErrorOf(SetWith(c.level));
}

// A set of two given levels and 48 fillers.
std::string SetOfTwo(const std::string& first, const std::string& second) {
  std::string s = "set Test\nlevel 1: First\n" + first + "level 2: Second\n" + second;
  for (int i = 1; i < 49; ++i) s += Filler(i);
  return s;
}

TEST(LevelChecks, ASilhouetteIsShownOnlyOncePerSet) {
  // A diamond, then the same diamond cut in two and standing elsewhere.
  const std::string diamond = "  time 60\n  square -1,0 0,-1 1,0 0,1\n";
  EXPECT_TRUE(Has(ErrorOf(SetOfTwo(diamond, "  time 90\n  centre 250,300\n  small -1,0 1,0 0,-1\n"
                                            "  small -1,0 1,0 0,1\n")),
                  "test.levels:5: level 2 shows the silhouette of level 1 (\"First\")"));
  // A figure and its mirror image are two figures.
  EXPECT_EQ(ErrorOf(SetOfTwo("  time 60\n  para 0,0 2,0 3,-1 1,-1\n", "  time 60\n  para 1,0 3,0 2,-1 0,-1\n")), "");
  // Pieces thousands of pixels apart are an error of the field, not a giant figure to sample.
  EXPECT_TRUE(Has(ErrorOf(SetOfTwo(diamond, "  time 60\n  small 0,0 2,0 1,-1\n  small 90000,90000 90002,90000 90001,89999\n")),
                  "outside the field"));
  // So are a figure and a bigger one of the same shape.
  EXPECT_EQ(ErrorOf(SetOfTwo(diamond, "  time 60\n  large -2,0 2,0 0,-2\n  large -2,0 2,0 0,2\n")), "");
}

TEST(LevelChecks, BonusBoards) {
  const std::vector<std::string> good = {
      "0 1 1 2 2 0 3 S", "1 2 0 0 3 3 . .", "2 0* . . . . . .", ". . . . . . . .", ". . . . . . . .",
      ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . . ."};
  auto level = [](std::vector<std::string> rows, const std::string& modes = "tiles bombs",
                  int pieces = 1) {
    std::string s = "  time 60\n  modes " + modes + "\n";
    for (int i = 0; i < pieces; ++i)
      s += "  small at " + std::to_string(2 * (i % 2)) + "," + std::to_string(i / 2) + ".5 rot 0\n";
    s += "  board difficulty hard speed relaxed\n";
    for (const std::string& r : rows) s += "    " + r + "\n";
    return SetWith(s);
  };
  auto with = [&](int row, const std::string& cells) {
    std::vector<std::string> rows = good;
    rows[size_t(row)] = cells;
    return level(rows);
  };
  const auto set = Compile(level(good));
  const SourceBoard& board = *set.levels[0].board;
  EXPECT_EQ(board.difficulty, 2);
  EXPECT_EQ(board.speed, 2);
  EXPECT_EQ(board.cells[7][0], 9);
  EXPECT_EQ(board.cells[2][2], -1);
  EXPECT_EQ(board.marks[1][2], 0);
  EXPECT_EQ(board.marks[0][2], -1);

  // The board line is 6, its rows 7 to 15.
  EXPECT_TRUE(Has(ErrorOf(with(8, "0 . . . . . . .")), "test.levels:15: keep the bottom three rows free"));
  EXPECT_TRUE(Has(ErrorOf(with(3, ". . 3 . . . . .")), "tile at column 3, row 4 would rise"));
  EXPECT_TRUE(Has(ErrorOf(with(1, "1 1 1 0 3 3 . .")), "already make a line"));
  EXPECT_TRUE(Has(ErrorOf(with(1, "1 B 0 0 3 3 . .")), "a bomb on the start board"));
  EXPECT_TRUE(Has(ErrorOf(with(1, "1 J 0 0 3 3 . .")), "column 2, row 2 already make a line"));
  EXPECT_TRUE(Has(ErrorOf(with(2, "2 0 x . . . . .")), "a board row has 8 cells"));
  EXPECT_TRUE(Has(ErrorOf(with(2, "2 0* . . . . . . 1")), "a board row has 8 cells"));
  // A piece under a stone without bombs could never be won.
  EXPECT_TRUE(Has(ErrorOf(with(2, "2 0 . . . . . .")), "marks a tile (*) for each of the 1 pieces"));
  EXPECT_TRUE(Has(ErrorOf(with(0, "0 1 1 2 2 0 3 S*")), "needs a tile that can explode"));
  EXPECT_TRUE(Has(ErrorOf(with(0, "0* 1 1 2 2 0 3 S")), "the board hides 2 pieces, the level has 1"));
  EXPECT_TRUE(Has(ErrorOf(SetWith("  time 60\n  small 0,0 2,0 1,-1\n  board difficulty easy speed slow\n" +
                                  [&] { std::string r; for (auto& g : good) r += "    " + g + "\n"; return r; }())),
                  "a board only plays"));
  EXPECT_EQ(ErrorOf(level({"0 1 . . . . . .", "1 0 . . . . . .", ". . . . . . . .", ". . . . . . . .",
                           ". . . . . . . .", ". . . . . . . .", ". . . . . . . .", ". . . . . . . .",
                           ". . . . . . . ."}, "tiles", 4)),
            "");  // without stones the game may hide the pieces itself
}

TEST(LevelFile, ExactBytes) {
  CompiledSet set;
  set.levels.resize(LEVELS_PER_SET);
  EXPECT_EQ(EncodeLevelSet(set).size(), 753u);

  set.levels[0].gameTime = 90;
  set.levels[0].puzzleSet = 1;
  set.levels[0].misc = LP_TORCH | LP_JOKER;
  set.levels[0].pieces.push_back({PARA, 150.5f, 262.25f, 45});
  const std::vector<uint8_t> bytes = EncodeLevelSet(set);
  ASSERT_EQ(bytes.size(), 753u + 37u);
  const uint8_t head[] = {'L', 'V', 'L', 90, 0, 0, 0, 1, 0, 0, 0, 0x40, 1, 0, 0, 'S', 'H', 'P', 0, 1};
  EXPECT_EQ(0, std::memcmp(bytes.data(), head, sizeof head));
  auto floatAt = [&](size_t at) {
    float f;
    std::memcpy(&f, &bytes[at], 4);
    return f;
  };
  EXPECT_EQ(floatAt(20), 0.0f);
  EXPECT_EQ(floatAt(24), 150.5f);
  EXPECT_EQ(floatAt(28), 262.25f);
  EXPECT_EQ(floatAt(32), 45.0f);
  const uint8_t tail[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 4, 0, 0, 0, 'L', 'V', 'L'};
  EXPECT_EQ(0, std::memcmp(&bytes[36], tail, sizeof tail));
  EXPECT_EQ(std::string(bytes.end() - 3, bytes.end()), "END");
}

TEST(LevelFile, BonusChunkOnlyWithATileOnTheBoard) {
  CompiledSet set;
  set.levels.resize(LEVELS_PER_SET);
  SourceBoard board;
  board.difficulty = 3;
  board.speed = 4;
  set.levels[3].board = board;
  EXPECT_EQ(EncodeLevelSet(set).size(), 753u);  // all empty: no chunk, difficulty lost
  set.levels[3].board->cells[7][8] = 0;         // one tile of colour 0 is enough
  set.levels[3].board->marks[7][8] = 0;
  const std::vector<uint8_t> bytes = EncodeLevelSet(set);
  ASSERT_EQ(bytes.size(), 753u + 587u);
  const size_t bon = 4 * 15;
  EXPECT_EQ(std::string(bytes.begin() + bon, bytes.begin() + bon + 3), "BON");
  auto intAt = [&](size_t at) {
    int32_t v;
    std::memcpy(&v, &bytes[at], 4);
    return v;
  };
  EXPECT_EQ(intAt(bon + 3), -1);                 // column 0, row 0
  EXPECT_EQ(intAt(bon + 7), -1);                 // its puzzle-tile mark
  EXPECT_EQ(intAt(bon + 3 + 8 * (7 * 9 + 8)), 0);  // column 7, row 8 comes last
  EXPECT_EQ(intAt(bon + 7 + 8 * (7 * 9 + 8)), 0);  // with its puzzle-tile mark
  EXPECT_EQ(intAt(bon + 3 + 576), 3);
  EXPECT_EQ(intAt(bon + 3 + 580), 4);
}

TEST(LevelSource, TurnMovesAFigureIntoTheOddFamily) {
  const auto set = Compile(SetWith("  time 90\n  turn 22.5\n" + std::string(SQUARE_ART)));
  for (const Placement& p : set.levels[0].pieces) {
    const double steps = p.rotation / 22.5;
    EXPECT_EQ(steps, std::floor(steps));
    EXPECT_EQ(int(steps) % 2, 1) << ElementName(p.element) << " at " << p.rotation;
  }
  // The pieces still tile the square: total area is the seven-piece set's 32 T.
  double area = 0;
  for (const Placement& p : set.levels[0].pieces) area += PolygonArea(PiecePolygon(p, 1));
  EXPECT_NEAR(area, 32 * T_AREA, 1e-3);
}

TEST(LevelSource, WideArtAndCommentsInsideBlocks) {
  // A medium roof on two squares, a parallelogram beside them; a comment inside the block.
  const auto set = Compile(SetWith("  time 90\n  art wide\n    ./A A\\. .   .\n    # the base\n"
                                   "    B   C   .\\D D\\.\n"));
  const auto& pieces = set.levels[0].pieces;
  ASSERT_EQ(pieces.size(), 4u);
  EXPECT_EQ(pieces[0].element, MEDIUM);
  EXPECT_EQ(pieces[1].element, SQUARE);
  EXPECT_EQ(pieces[1].rotation, 45);
  EXPECT_EQ(pieces[2].element, SQUARE);
  EXPECT_EQ(pieces[3].element, PARA);
  EXPECT_EQ(set.levels[0].puzzleSet, 0);
  const auto& exact = set.levels[0].exact;
  EXPECT_FLOAT_EQ(float(exact[2].x - exact[1].x), float(2 * DIAG));
  EXPECT_EQ(pieces[2].x, std::round(pieces[2].x));  // stored on whole pixels
}

TEST(LevelSource, EveryErrorOfAFileIsListed) {
  const std::string errors = ErrorOf(SetWith("  time 60\n  small 0,0 2,0 1,-1\n  rot 9\n  row 3\n"));
  EXPECT_TRUE(Has(errors, "test.levels:5: unknown line \"rot\""));
  EXPECT_TRUE(Has(errors, "test.levels:6: write \"row 1\""));
}

TEST(LevelGeometry, HullDropsCollinearAndInnerPoints) {
  const auto hull = ConvexHull({{0, 0}, {2, 0}, {4, 0}, {4, 4}, {2, 2}, {0, 4}, {0, 2}});
  EXPECT_EQ(hull.size(), 4u);
  EXPECT_NEAR(PolygonArea(hull), 16, 1e-9);
}

// The shipped sources compile, and their files have exactly the layout of the format.
TEST(ShippedLevelSets, CompileToFiftyLevelsWithExactSizes) {
  const auto files = std::vector<std::string>{QV_SOURCE_DIR "/assets/levels/numbers-of-lhasa.levels",
                                              QV_SOURCE_DIR "/assets/levels/zhenyan-abstraktum.levels"};
  for (const std::string& file : files) {
    const CompiledSet set = CompileLevelFile(file);
    ASSERT_EQ(set.levels.size(), 50u) << file;
    size_t expected = 3, boards = 0;
    for (const CompiledLevel& level : set.levels) {
      EXPECT_GE(level.pieces.size(), 1u);
      EXPECT_LE(level.pieces.size(), 13u);
      expected += 15 + 37 * level.pieces.size() + (level.board ? 587 : 0);
      boards += level.board ? 1 : 0;
    }
    EXPECT_GE(boards, 4u) << file;
    const std::vector<uint8_t> bytes = EncodeLevelSet(set);
    EXPECT_EQ(bytes.size(), expected) << file;
    EXPECT_EQ(bytes, EncodeLevelSet(CompileLevelFile(file))) << "same bytes every run";
  }
}
