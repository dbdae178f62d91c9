#include "media/collision.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/resource_store.h"
#include "support/headless.h"

namespace {

class Graphics : public HeadlessTest {};

uint32_t Solid(uint32_t rgb) { return 0xFF000000u | rgb; }

}  // namespace

TEST_F(Graphics, UnknownBlendModeDrawsSolid) {
  SetClsColor(0, 0, 0);
  Cls();
  SetColor(100, 150, 200);
  SetAlpha(0.5f);
  SetBlend(7);
  DrawRect(10, 10, 4, 4);
  EXPECT_EQ(Rgb(PixelAt(11, 11)), 0x6496C8u);
  SetBlend(BLEND_ALPHA);
  DrawRect(20, 10, 4, 4);
  EXPECT_EQ(Rgb(PixelAt(21, 11)), 0x324B64u);
}

TEST_F(Graphics, ColourComponentsAreClamped) {
  SetColor(300, -5, 128);
  int r, g, b;
  GetColor(r, g, b);
  EXPECT_EQ(r, 255);
  EXPECT_EQ(g, 0);
  EXPECT_EQ(b, 128);
  SetBlend(BLEND_ALPHA);
  DrawRect(0, 0, 3, 3);
  EXPECT_EQ(Rgb(PixelAt(1, 1)), 0xFF0080u);
}

TEST_F(Graphics, LightAndShadeBlend) {
  SetClsColor(100, 100, 100);
  Cls();
  SetBlend(BLEND_LIGHT);
  SetColor(50, 0, 200);
  DrawRect(0, 0, 4, 4);
  EXPECT_EQ(Rgb(PixelAt(1, 1)), 0x9664FFu);  // 150, 100, 255 (saturated)
  SetBlend(BLEND_SHADE);
  SetColor(128, 255, 0);
  DrawRect(10, 0, 4, 4);
  EXPECT_EQ(Rgb(PixelAt(11, 1)), 0x326400u);  // 100·128/255, 100, 0
}

TEST_F(Graphics, DefaultFlagsSevenMaskBlackPixels) {
  AutoImageFlags(7);
  ImagePtr img = MakeImage("masked.png", 4, 1, [](int x, int) { return x < 2 ? 0xFF000000u : 0xFFFF0000u; });
  ASSERT_TRUE(img);
  EXPECT_EQ(img->flags, 7);
  EXPECT_EQ(img->Pixmaps()[0]->ReadPixel(0, 0) >> 24, 0u);
  EXPECT_EQ(img->Pixmaps()[0]->ReadPixel(3, 0), 0xFFFF0000u);
  SetClsColor(255, 255, 255);
  Cls();
  SetBlend(BLEND_ALPHA);
  DrawImage(img, 10, 10);
  EXPECT_EQ(Rgb(PixelAt(10, 10)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(PixelAt(13, 10)), 0xFF0000u);
  ImagePtr plain = MakeImage("plain.png", 1, 1, [](int, int) { return 0xFF000000u; }, 0);
  EXPECT_EQ(plain->Pixmaps()[0]->ReadPixel(0, 0), 0xFF000000u);
}

TEST_F(Graphics, AutoCentringSetsTheHandleAtLoadTime) {
  AutoMidHandle(true);
  ImagePtr a = MakeImage("centred.png", 100, 50, [](int, int) { return Solid(0x808080); });
  AutoMidHandle(false);
  ImagePtr b = MakeImage("corner.png", 100, 50, [](int, int) { return Solid(0x808080); });
  EXPECT_EQ(a->handle_x, 50);
  EXPECT_EQ(a->handle_y, 25);
  EXPECT_EQ(b->handle_x, 0);
  EXPECT_EQ(b->handle_y, 0);
}

TEST_F(Graphics, StripsCutCellsRowByRow) {
  // 3×2 cells of 2×2, cell k filled with grey level k.
  ImagePtr sheet = MakeImage("sheet.png", 6, 4, [](int x, int y) { return Solid(uint32_t((y / 2) * 3 + x / 2) * 0x010101u); }, 0);
  ASSERT_TRUE(sheet);
  ImagePtr strip = LoadAnimImage("incbin::../test/sheet.png", 2, 2, 1, 4, 0);
  ASSERT_TRUE(strip);
  ASSERT_EQ(strip->FrameCount(), 4);
  EXPECT_EQ(Rgb(strip->Pixmaps()[0]->ReadPixel(0, 0)), 0x010101u);  // cell 1 is frame 0
  EXPECT_EQ(Rgb(strip->Pixmaps()[3]->ReadPixel(1, 1)), 0x040404u);
  EXPECT_EQ(LoadAnimImage("incbin::../test/sheet.png", 2, 2, 3, 4, 0), nullptr);  // too few cells
}

TEST_F(Graphics, RotationTurnsClockwiseAboutTheHandle) {
  AutoMidHandle(true);
  ImagePtr bar = MakeImage("bar.png", 20, 4, [](int, int) { return Solid(0xFF0000); }, 0);
  SetBlend(BLEND_ALPHA);
  Cls();
  SetRotation(90);
  DrawImage(bar, 100, 100);
  SetRotation(0);
  EXPECT_EQ(Rgb(PixelAt(100, 108)), 0xFF0000u);  // now vertical
  EXPECT_EQ(Rgb(PixelAt(108, 100)), 0u);
  const DrawState& s = CurrentDrawState();
  SetRotation(30);
  SetScale(2, 3);
  EXPECT_NEAR(s.tform_ix, 0.866 * 2, 1e-3);
  EXPECT_NEAR(s.tform_iy, -0.5 * 3, 1e-3);
  EXPECT_NEAR(s.tform_jx, 0.5 * 2, 1e-3);
  EXPECT_NEAR(s.tform_jy, 0.866 * 3, 1e-3);
}

TEST_F(Graphics, ViewportClipsDrawing) {
  Cls();
  SetBlend(BLEND_SOLID);
  SetViewport(0, 0, 10, 10);
  DrawRect(0, 0, 20, 20);
  SetViewport(0, 0, 640, 480);
  EXPECT_EQ(Rgb(PixelAt(5, 5)), 0xFFFFFFu);
  EXPECT_EQ(Rgb(PixelAt(15, 5)), 0u);
  SetViewport(0, 0, 10, 0);  // an empty viewport draws nothing
  DrawRect(30, 0, 5, 5);
  SetViewport(0, 0, 640, 480);
  EXPECT_EQ(Rgb(PixelAt(31, 1)), 0u);
}

TEST_F(Graphics, GrabbedPixelsReadAsArgb) {
  SetClsColor(1, 2, 3);
  Cls();
  PixmapPtr pm = GrabPixmap(-2, 0, 4, 2);
  EXPECT_EQ(pm->ReadPixel(0, 0), 0u);  // off screen
  EXPECT_EQ(pm->ReadPixel(2, 1), 0xFF010203u);
  EXPECT_EQ(pm->ReadPixel(9, 9), 0u);
}

TEST_F(Graphics, OverlapTestUsesOnlyLayer31) {
  ImagePtr sq = MakeImage("sq.png", 10, 10, [](int, int) { return Solid(0xFFFFFF); }, 0);
  static const int id = 1;
  ResetCollisions();
  CollideImage(sq, 0, 0, 0, 0, 1u << 1, &id);
  EXPECT_TRUE(ImagesCollide(sq, 0, 0, 0, sq, 9, 9, 0));
  EXPECT_FALSE(ImagesCollide(sq, 0, 0, 0, sq, 10, 0, 0));
  const auto hits = CollideRect(5, 5, 2, 2, 1u << 1, 0);
  ASSERT_EQ(hits.size(), 1u);
  EXPECT_EQ(hits[0], &id);
}

// Collision marks must cover the same pixels the renderer fills, also rotated and scaled.
TEST_F(Graphics, CollisionMatchesDrawnPixels) {
  AutoMidHandle(true);
  ImagePtr tri = MakeImage("tri.png", 86, 43, [](int x, int y) {
    return std::abs(x - 43) <= y ? Solid(0xC0C0C0) : 0u;  // a triangle, right angle at the top
  }, 0);
  Cls();
  SetBlend(BLEND_ALPHA);
  SetRotation(67.5f);
  SetScale(0.9f, 0.9f);
  DrawImage(tri, 200, 200);
  ResetCollisions();
  CollideImage(tri, 200, 200, 0, 0, 1u << 1);
  SetRotation(0);
  SetScale(1, 1);
  PixmapPtr frame = GrabPixmap(0, 0, 640, 480);
  auto drawn = [&](int x, int y) { return Rgb(frame->ReadPixel(x, y)) != 0; };
  auto marked = [](int x, int y) { return !CollideRect(float(x), float(y), 1, 1, 1u << 1, 0).empty(); };
  auto near = [](auto&& f, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (f(x + dx, y + dy)) return true;
    return false;
  };
  int covered = 0;
  for (int y = 140; y < 260; ++y)
    for (int x = 140; x < 260; ++x) {
      covered += marked(x, y);
      // Renderers round edges their own way; no pixel may be off by more than one.
      if (drawn(x, y)) {
        EXPECT_TRUE(near(marked, x, y)) << x << "," << y;
      }
      if (marked(x, y)) {
        EXPECT_TRUE(near(drawn, x, y)) << x << "," << y;
      }
    }
  EXPECT_GT(covered, 1200);
}

TEST_F(Graphics, DriverRunsAtEveryPresentWithTheVirtualClock) {
  std::vector<int> frames, times;
  SetFrameDriver([&](int f) {
    frames.push_back(f);
    times.push_back(Millisecs());
    if (f == 2) throw StopRun{};
  });
  const int start = Millisecs();
  Flip(-1);
  Flip(-1);
  EXPECT_THROW(Flip(-1), StopRun);
  EXPECT_EQ(frames, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(times[1] - times[0], 16);
  EXPECT_EQ(times[2] - times[1], 17);
  EXPECT_GE(times[0], start);
}

TEST_F(Graphics, PicturesDecodedInTheBackgroundDrawAndReadAlike) {
  const auto colour = [](int x, int y) { return x == 0 && y == 0 ? 0xFF000000u : Solid(uint32_t(x * 40) << 16 | uint32_t(y * 40)); };
  ImagePtr drawn = MakeImage("drawn.png", 4, 4, colour, IMG_MASKED);
  ImagePtr gone = LoadImage("incbin::../test/drawn.png");  // released before its decode: harmless
  gone.reset();
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->FrameCount(), 1);
  SetClsColor(255, 255, 255);
  Cls();
  SetBlend(BLEND_ALPHA);
  DrawImage(drawn, 10, 10);  // its texture made, the pixels nobody read can go
  DrawImage(drawn, 20, 10);
  SetBlend(BLEND_MASK);  // a cut-out texture after that decodes the picture again
  DrawImage(drawn, 30, 10);
  for (int x : {10, 20, 30}) {
    EXPECT_EQ(Rgb(PixelAt(x, 10)), 0xFFFFFFu) << x;  // the mask colour is transparent
    EXPECT_EQ(Rgb(PixelAt(x + 3, 12)), 0x780050u) << x;
  }
  EXPECT_EQ(drawn->Pixmaps()[0]->ReadPixel(3, 2), 0xFF780050u);  // read after all: decoded again

  // A picture whose header is sound but whose data is damaged: transparent frames.
  std::vector<uint8_t> png = EncodePixmapPNG(TPixmap(6, 2));
  png.resize(png.size() - 20);
  static std::vector<uint8_t> damaged;
  damaged = png;
  RegisterResource("../test/damaged.png", damaged.data(), damaged.size());
  ImagePtr strip = LoadAnimImage("incbin::../test/damaged.png", 2, 2, 0, 3, 0);
  ASSERT_TRUE(strip);
  ASSERT_EQ(strip->Pixmaps().size(), 3u);
  EXPECT_EQ(strip->Pixmaps()[2]->ReadPixel(1, 1), 0u);
  DrawImage(strip, 0, 0, 2);
}
