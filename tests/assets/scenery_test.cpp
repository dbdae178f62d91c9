// The scenery pictures' contracts with the screens drawn over them: play backgrounds
// calm and mid-toned in the play field, dark text areas, cloud layers that loop without
// seams, a temple that lets the sky show above it, a map trail through every station.
#include "media/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

namespace {

PixmapPtr Load(const std::string& name) {
  std::ifstream in(std::string(QV_RES_DIR) + "/" + name, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return DecodeImage(bytes);
}

int Alpha(uint32_t argb) { return int(argb >> 24); }

double Luma(uint32_t argb) {
  return (0.299 * ((argb >> 16) & 255) + 0.587 * ((argb >> 8) & 255) + 0.114 * (argb & 255)) / 255;
}

struct Tones {
  double mean = 0, darkest = 1;
};

Tones TonesIn(const PixmapPtr& p, int x0, int y0, int x1, int y1) {
  Tones t;
  int n = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const double l = Luma(ReadPixel(p, x, y));
      t.mean += l;
      t.darkest = std::min(t.darkest, l);
      ++n;
    }
  t.mean /= n;
  return t;
}

TEST(Scenery, PlayBackgroundsAreMidTonedWhereTheSilhouetteLies) {
  for (int i = 1; i <= 6; ++i) {
    const std::string name = "gfx/bg/bg" + std::to_string(i) + ".jpg";
    SCOPED_TRACE(name);
    const PixmapPtr p = Load(name);
    ASSERT_TRUE(p);
    ASSERT_EQ(PixmapWidth(p), 640);
    const Tones t = TonesIn(p, 4, 66, 453, 460);
    EXPECT_GT(t.mean, 0.35);
    EXPECT_LT(t.mean, 0.85);
    EXPECT_GT(t.darkest, 0.0);  // never the pure black of the silhouette
  }
}

TEST(Scenery, TextAreasAreDarkEnoughForWhiteText) {
  EXPECT_LT(TonesIn(Load("gfx/wisdoms.jpg"), 60, 200, 580, 440).mean, 0.4);
  EXPECT_LT(TonesIn(Load("gfx/end.png"), 60, 240, 580, 470).mean, 0.45);
  EXPECT_LT(TonesIn(Load("gfx/intro/intro.png"), 77, 290, 627, 430).mean, 0.45);
  EXPECT_LT(TonesIn(Load("gfx/hiscore.png"), 59, 100, 575, 400).mean, 0.3);
  EXPECT_LT(TonesIn(Load("gfx/card.png"), 60, 0, 600, 110).mean, 0.5);
  // White flakes fall over the snow world; on a pale picture they vanish.
  EXPECT_LT(TonesIn(Load("gfx/bg/bg2.jpg"), 4, 66, 453, 460).mean, 0.6);
  // The prompt blinks over the title scene at y 260: the crag there is in shadow.
  EXPECT_LT(TonesIn(Load("gfx/intro/tempel.png"), 160, 240, 480, 280).mean, 0.4);
}

TEST(Scenery, CloudLayersFadeOutAtTheirEdgesSoLoopsShowNoSeam) {
  for (const char* name : {"gfx/intro/Wolkenlayer1_vor_tempel.png", "gfx/intro/Wolkenlayer2_vor_tempel.png",
                           "gfx/intro/Wolkenlayer_hinter_tempel.png"}) {
    SCOPED_TRACE(name);
    const PixmapPtr p = Load(name);
    ASSERT_TRUE(p);
    const int w = PixmapWidth(p), h = PixmapHeight(p);
    int visible = 0;
    for (int y = 0; y < h; ++y) {
      EXPECT_EQ(Alpha(ReadPixel(p, 0, y)), 0);
      EXPECT_EQ(Alpha(ReadPixel(p, w - 1, y)), 0);
      for (int x = 0; x < w; ++x) visible += Alpha(ReadPixel(p, x, y)) > 0;
    }
    EXPECT_GT(visible, w * h / 10);  // and there is a cloud in between
  }
}

TEST(Scenery, TempleLetsTheSkyShowAboveAndStandsOnSolidRock) {
  const PixmapPtr p = Load("gfx/intro/tempel.png");
  ASSERT_TRUE(p);
  for (int x = 0; x < 640; ++x) {
    EXPECT_EQ(Alpha(ReadPixel(p, x, 0)), 0) << "x " << x;
    EXPECT_EQ(Alpha(ReadPixel(p, x, 683)), 255) << "x " << x;
  }
}

TEST(Scenery, MapTrailPassesThroughEveryStationCentre) {
  static constexpr int kStations[50][2] = {
      {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318},
      {193, 295}, {197, 270}, {192, 246}, {179, 224}, {160, 209}, {142, 194}, {137, 170},
      {142, 148}, {162, 137}, {185, 138}, {207, 148}, {227, 161}, {247, 169}, {270, 176},
      {291, 184}, {315, 193}, {337, 205}, {357, 216}, {373, 229}, {395, 244}, {414, 259},
      {432, 275}, {450, 289}, {463, 308}, {478, 328}, {455, 333}, {436, 348}, {427, 369},
      {446, 383}, {469, 387}, {491, 381}, {508, 364}, {524, 346}, {538, 328}, {547, 307},
      {556, 285}, {566, 263}, {577, 242}, {592, 222}, {611, 212}, {630, 199}, {649, 187},
      {663, 171}};
  const PixmapPtr p = Load("gfx/card.png");
  ASSERT_TRUE(p);
  for (const auto& s : kStations) {
    // The sandy trail (or its footstep dashes) covers the centre or a pixel beside it.
    bool onTrail = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) {
        const uint32_t c = ReadPixel(p, s[0] + 12 + dx, s[1] + 12 + dy);
        const int r = (c >> 16) & 255, g = (c >> 8) & 255, b = c & 255;
        const bool sand = r > 150 && g > 130 && b < 170 && r > b + 50;
        const bool dash = r > 110 && r > g + 40 && r > b + 40;
        onTrail = onTrail || sand || dash;
      }
    EXPECT_TRUE(onTrail) << "station at " << s[0] << "," << s[1];
  }
}

}  // namespace
