// Turned and scaled pictures drawn from composed copies on the software renderer: the frame
// must be the one the direct draws make, and the copies must never outlive their pictures.
#include "media/composed.h"
#include "media/graphics.h"
#include "media/resource_store.h"
#include "support/frame_compare.h"
#include "support/headless.h"

#include <vector>

using media_detail::ComposedCount;
using media_detail::ComposedPixels;
using media_detail::SetComposingWanted;

namespace {

class Composed : public HeadlessTest {
protected:
  void SetUp() override {
    HeadlessTest::SetUp();
    RegisterEmbeddedResources();
  }
  void TearDown() override {
    SetComposingWanted(true);
    HeadlessTest::TearDown();
  }
};

struct Pictures {
  ImagePtr background = LoadImage("incbin::../gfx/bg/bg3.jpg");
  ImagePtr board = LoadImage("incbin::../gfx/board.png");
  ImagePtr snow = LoadImage("incbin::../gfx/snow.png");
  ImagePtr fog[2] = {LoadImage("incbin::../gfx/intro/Wolkenlayer1_vor_tempel.png"),
                     LoadImage("incbin::../gfx/intro/Wolkenlayer2_vor_tempel.png")};
  std::vector<ImagePtr> pieces;
  Pictures() {
    for (const char* name : {"fig01", "fig02", "fig03", "fig04", "fig05"})
      pieces.push_back(LoadImage(std::string("incbin::../gfx/set_0/puzzleset1/") + name + ".png"));
  }
};

// A play field's worth of the draws that take the composed path: drifting fog layers (some
// half off the left edge), pieces at every turn the game uses and at fractional places,
// tinted and faded, shrunken tray pieces, tumbling snow; over the background and under the
// board.
void DrawField(const Pictures& p) {
  SetClsColor(0, 0, 0);
  Cls();
  SetBlend(BLEND_ALPHA);
  SetColor(255, 255, 255);
  SetAlpha(1);
  DrawImage(p.background, 0, 0);
  SetBlend(BLEND_LIGHT);
  for (int i = 0; i < 6; ++i) {
    const ImagePtr& fog = p.fog[i % 2];
    const float s = 0.4f + 0.11f * float(i);
    SetScale(s, s);
    SetAlpha(0.3f + 0.12f * float(i));
    DrawImage(fog, -300.7f + 170.3f * float(i), 20.4f + 71.3f * float(i));
  }
  SetBlend(BLEND_ALPHA);
  SetScale(1, 1);
  for (int i = 0; i < 16; ++i) {
    const ImagePtr& piece = p.pieces[size_t(i % 5)];
    MidHandleImage(piece);
    SetRotation(22.5f * float(i) + (i % 3 == 1 ? 4.5f : 0));  // 180° and 270° among them
    SetColor(255, i % 4 == 1 ? 128 : 255, 255);
    SetAlpha(i % 4 == 3 ? 0.2f : 1);
    DrawImage(piece, 40.0f + 37.25f * float(i), 120.5f + 19.75f * float(i % 7));
  }
  SetRotation(0);
  SetColor(255, 255, 255);
  SetAlpha(1);
  for (int i = 0; i < 5; ++i) {
    const ImagePtr& piece = p.pieces[size_t(i)];
    SetScale(0.75f, 0.75f);
    DrawImage(piece, 560.3f, 60.6f + 80 * float(i));
  }
  SetBlend(BLEND_LIGHT);
  for (int i = 0; i < 40; ++i) {
    SetRotation(float(i * 37 % 360));
    SetScale(0.2f + 0.0075f * float(i), 0.2f + 0.0075f * float(i));
    SetAlpha(0.1f + 0.02f * float(i));
    DrawImage(p.snow, float(i * 53 % 640) + 0.3f, float(i * 97 % 480) - 0.6f);
  }
  SetRotation(0);
  SetScale(1, 1);
  SetAlpha(1);
  SetBlend(BLEND_ALPHA);
  DrawImage(p.board, 0, 0);
}

PixmapPtr Field(const Pictures& p, bool composing) {
  SetComposingWanted(composing);
  DrawField(p);  // a shape is composed the second time it is drawn
  DrawField(p);
  return GrabPixmap(0, 0, 640, 480);
}

}  // namespace

TEST_F(Composed, FieldLooksAsDrawnDirectly) {
  const Pictures pictures;
  const PixmapPtr direct = Field(pictures, false);
  const PixmapPtr composed = Field(pictures, true);
  EXPECT_GT(ComposedCount(), 20);
  const FrameDifference d = CompareFrames(*direct, *composed);
  // Within what the renderers' comparison allows; in fact only the rounding of the blend
  // differs (a composed picture carries its colour and goes through the plain blitter).
  EXPECT_LT(d.mean, 3.0);
  EXPECT_LT(d.far, 640 * 480 / 100);
  EXPECT_LE(d.worst, 4);
  EXPECT_LT(d.slight, 640 * 480 / 1000) << "pixels differing by more than 2";
  if (HasFailure()) {
    SavePixmapPNG(direct, "composed_direct.png");
    SavePixmapPNG(composed, "composed_composed.png");
  }
}

TEST_F(Composed, MadeOnSecondSightAndForgottenWithTheirPicture) {
  ImagePtr square = MakeImage("turned_red.png", 20, 20, [](int, int) { return 0xFFFF0000u; });
  SetRotation(30);
  DrawImage(square, 100, 100);
  EXPECT_EQ(ComposedCount(), 0);  // once might be a passing shape
  DrawImage(square, 100, 100);
  EXPECT_EQ(ComposedCount(), 1);
  DrawImage(square, 300, 200);  // the same shape elsewhere
  EXPECT_EQ(ComposedCount(), 1);
  EXPECT_EQ(Rgb(PixelAt(300, 200)), 0xFF0000u);

  // A new picture may get the dead one's texture address; it must draw its own pixels.
  square.reset();
  EXPECT_EQ(ComposedCount(), 0);
  ImagePtr blue = MakeImage("turned_blue.png", 20, 20, [](int, int) { return 0xFF0000FFu; });
  DrawImage(blue, 100, 100);
  DrawImage(blue, 100, 100);
  EXPECT_EQ(Rgb(PixelAt(100, 100)), 0x0000FFu);

  // A frame opened anew starts without any.
  EndGraphics();
  ASSERT_TRUE(Graphics(640, 480));
  EXPECT_EQ(ComposedCount(), 0);
  EXPECT_EQ(ComposedPixels(), 0);
}

TEST_F(Composed, ShapesThatChangeEveryFrameStayWithinTheBudget) {
  const ImagePtr big = MakeImage("big.png", 300, 300, [](int x, int y) { return 0xFF000000u | uint32_t(x ^ y); });
  MidHandleImage(big);
  for (int turn = 0; turn < 240; ++turn)
    for (int twice = 0; twice < 2; ++twice) {
      SetRotation(float(turn) * 1.5f);
      DrawImage(big, 320, 240);
    }
  EXPECT_LE(ComposedPixels(), 2'500'000);
  EXPECT_GT(ComposedCount(), 0);
  // The most recent shape is the one kept last.
  SetRotation(358.5f);
  const int before = ComposedCount();
  DrawImage(big, 320, 240);
  EXPECT_EQ(ComposedCount(), before);
}

TEST_F(Composed, ShadeAndOtherRenderersDrawDirectly) {
  ImagePtr square = MakeImage("shade.png", 20, 20, [](int, int) { return 0xFF808080u; });
  SetBlend(BLEND_SHADE);  // a composed copy's clear margin would darken the screen
  SetRotation(45);
  DrawImage(square, 100, 100);
  DrawImage(square, 100, 100);
  EXPECT_EQ(ComposedCount(), 0);
  SetBlend(BLEND_ALPHA);
  SetComposingWanted(false);
  DrawImage(square, 100, 100);
  DrawImage(square, 100, 100);
  EXPECT_EQ(ComposedCount(), 0);
}
