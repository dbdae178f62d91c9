// The in-game artwork's contracts with the game code: piece outlines that match the
// snapping geometry, a frame that leaves the play field and tray clear, the torch's
// darkness matching the rectangles drawn around it, the pointer's tip.
#include "media/image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

PixmapPtr Load(const std::string& name) {
  std::ifstream in(std::string(QV_RES_DIR) + "/" + name, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeImage(bytes);
}

int Alpha(const PixmapPtr& p, int x, int y) { return int(ReadPixel(p, x, y) >> 24); }

struct Pt {
  double x, y;
};

// The outlines as the level geometry defines them, relative to the image centre.
std::vector<Pt> Outline(int element, bool mirrored) {
  switch (element) {
    case 0: return {{-86, 43}, {86, 43}, {0, -43}};
    case 1: return {{-59.5, 30}, {59.5, 30}, {0, -30}};  // squeezed into 119x60
    case 2: return {{-43, 21.5}, {43, 21.5}, {0, -21.5}};
    case 3: return {{43, 0}, {0, 43}, {-43, 0}, {0, -43}};
    default:
      if (mirrored) return {{-21.5, 21.5}, {64.5, 21.5}, {21.5, -21.5}, {-64.5, -21.5}};
      return {{-64.5, 21.5}, {21.5, 21.5}, {64.5, -21.5}, {-21.5, -21.5}};
  }
}

bool Inside(const std::vector<Pt>& poly, double x, double y) {
  bool in = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++)
    if ((poly[i].y > y) != (poly[j].y > y) &&
        x < (poly[j].x - poly[i].x) * (y - poly[i].y) / (poly[j].y - poly[i].y) + poly[i].x)
      in = !in;
  return in;
}

// Fraction of the pixel inside the outline, by 8 x 8 samples.
double Coverage(const std::vector<Pt>& poly, int px, int py, double cx, double cy) {
  int n = 0;
  for (int sy = 0; sy < 8; ++sy)
    for (int sx = 0; sx < 8; ++sx) n += Inside(poly, px + (sx + 0.5) / 8 - cx, py + (sy + 0.5) / 8 - cy);
  return n / 64.0;
}

void ExpectPieceMatches(const std::string& file, int element, bool mirrored, int w, int h) {
  SCOPED_TRACE(file);
  const PixmapPtr p = Load(file);
  ASSERT_TRUE(p);
  ASSERT_EQ(PixmapWidth(p), w);
  ASSERT_EQ(PixmapHeight(p), h);
  const std::vector<Pt> poly = Outline(element, mirrored);
  int worst = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const double c = Coverage(poly, x, y, w / 2.0, h / 2.0);
      const int a = Alpha(p, x, y);
      if (c == 1.0) {
        EXPECT_EQ(a, 255) << x << "," << y;  // solid inside: a true silhouette
      }
      if (c == 0.0) {
        EXPECT_LE(a, 3) << x << "," << y;  // at most a trace of edge smoothing
      }
      worst = std::max(worst, std::abs(a - int(std::lround(c * 255))));
      if (a > 0) {
        EXPECT_NE(ReadPixel(p, x, y) & 0xFFFFFF, 0u) << "pure black at " << x << "," << y;
      }
    }
  EXPECT_LE(worst, 24);  // anti-aliasing only
}

}  // namespace

TEST(PlayArt, PiecesMatchTheSnappingGeometryInEverySet) {
  const int sizes[5][2] = {{172, 86}, {119, 60}, {86, 43}, {87, 86}, {130, 43}};
  for (const std::string set : {"set_0", "set_1", "set_gold"}) {
    for (int e = 0; e < 5; ++e)
      ExpectPieceMatches("gfx/" + set + "/puzzleset1/fig0" + std::to_string(e + 1) + ".png", e, false,
                         sizes[e][0], sizes[e][1]);
    ExpectPieceMatches("gfx/" + set + "/puzzleset2/fig05.png", 4, true, 130, 43);
  }
}

TEST(PlayArt, FrameLeavesPlayFieldAndTrayClear) {
  const PixmapPtr board = Load("gfx/board.png");
  ASSERT_TRUE(board);
  for (int y = 66; y <= 459; ++y) {
    for (int x = 4; x <= 452; ++x) ASSERT_EQ(Alpha(board, x, y), 0) << x << "," << y;
    for (int x = 462; x <= 635; ++x) ASSERT_EQ(Alpha(board, x, y), 0) << x << "," << y;
  }
  EXPECT_EQ(Alpha(board, 320, 20), 255);  // the band behind the name and score
}

TEST(PlayArt, TorchIsDarkAtItsEdgesAndClearInTheMiddle) {
  const PixmapPtr light = Load("gfx/light.png");
  ASSERT_TRUE(light);
  for (const auto& [x, y] : {std::pair{0, 0}, {225, 0}, {0, 225}, {225, 225}, {0, 113}, {113, 0}})
    EXPECT_NEAR(Alpha(light, x, y), 242, 3) << x << "," << y;
  EXPECT_EQ(Alpha(light, 113, 113), 0);
  EXPECT_EQ(ReadPixel(light, 5, 5) & 0xFFFFFF, 0x010101u);
}

TEST(PlayArt, PointerTipIsAtEightTwo) {
  const PixmapPtr pointer = Load("gfx/pointer.png");
  ASSERT_TRUE(pointer);
  EXPECT_GT(Alpha(pointer, 8, 3), 128);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(Alpha(pointer, x, y), 0) << x << "," << y;
}
