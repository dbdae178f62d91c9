// The windowed back end (SDL's OpenGL renderer, here under Xvfb with Mesa) must draw what
// the headless software back end draws: the same scene is drawn in both and compared.
#include "app/shell.h"
#include "levels/puzzle_set.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/resource_store.h"
#include "present/bitmap_font.h"
#include "support/frame_compare.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void DrawScene() {
  SetClsColor(20, 30, 40);
  Cls();
  SetBlend(BLEND_ALPHA);
  SetColor(255, 255, 255);
  AutoMidHandle(false);
  DrawImage(LoadImage("incbin::../gfx/bg/bg3.jpg"), 0, 0);
  DrawImage(LoadImage("incbin::../gfx/board.png"), 0, 0);
  for (int e = 0; e < 5; ++e) {
    SetRotation(float(e) * 22.5f);
    SetColor(e == 2 ? 0 : 255, 255, 255);
    DrawImage(PieceImages[0][size_t(e)], 180.0f + 60 * e, 200.0f + 30 * (e % 2));
  }
  SetRotation(0);
  SetColor(255, 255, 255);
  SetBlend(BLEND_LIGHT);
  SetAlpha(0.6f);
  DrawImage(LoadImage("incbin::../gfx/tex_rot.png"), 300, 330);
  SetBlend(BLEND_SHADE);
  SetColor(200, 120, 60);
  DrawRect(460, 300, 100, 60);
  SetBlend(BLEND_ALPHA);
  SetAlpha(1);
  SetColor(255, 255, 255);
  if (FontHeadline) FontHeadline->Draw("Quorvale", 320, 40, true);
  if (FontMain) FontMain->Draw("Smoke test 0123", 40, 420, false);
  SetColor(0, 0, 0);
  SetAlpha(0.5f);
  DrawOval(500, 100, 80, 50);
  SetAlpha(1);
  SetColor(255, 255, 255);
}

PixmapPtr Render(Backend backend) {
  SetBackend(backend);
  if (!Graphics(640, 480)) return nullptr;
  AutoImageFlags(7);
  LoadPuzzleSet(0, false);
  InitFonts();
  DrawScene();
  PixmapPtr frame = GrabPixmap(0, 0, 640, 480);
  Flip(0);
  EndGraphics();
  return frame;
}

}  // namespace

TEST(GlSmoke, WindowedAndHeadlessDrawTheSameFrame) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "needs an X display (the test script runs it under Xvfb)";
  RegisterEmbeddedResources();
  const PixmapPtr soft = Render(Backend::Headless);
  const PixmapPtr gl = Render(Backend::Windowed);
  ASSERT_TRUE(soft);
  ASSERT_TRUE(gl) << "no OpenGL window";
  const FrameDifference d = CompareFrames(*soft, *gl);
  // Filtering and edge rounding differ a little between renderers; nothing else may.
  EXPECT_LT(d.mean, 3.0);
  EXPECT_LT(d.far, 640 * 480 / 100);
  if (HasFailure()) {
    SavePixmapPNG(soft, "gl_smoke_software.png");
    SavePixmapPNG(gl, "gl_smoke_opengl.png");
  }
}
