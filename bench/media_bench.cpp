// Frame costs of the media layer on the headless (software) back end.
#include "media/collision.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/random.h"
#include "media/resource_store.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

// A picture with soft alpha, like the game's artwork.
ImagePtr Picture(int w, int h, int frames = 1) {
  ImagePtr img = CreateImage(w, h, frames, IMG_FILTERED);
  for (auto& pm : img->Pixmaps())
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        const double d = std::hypot(x - w / 2.0, y - h / 2.0) / (std::min(w, h) / 2.0);
        const uint32_t a = d >= 1 ? 0 : uint32_t(255 * (1 - d * d));
        pm->WritePixel(x, y, (a << 24) | 0x80A0C0u);
      }
  MidHandleImage(img);
  return img;
}

ImagePtr Opaque(int w, int h) {
  ImagePtr img = CreateImage(w, h, 1, IMG_FILTERED);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img->Pixmaps()[0]->WritePixel(x, y, 0xFF000000u | uint32_t(x * 7 + y * 3));
  return img;
}

struct Frame {
  Frame() {
    SetBackend(Backend::Headless);
    Graphics(640, 480);
    SetBlend(BLEND_ALPHA);
  }
  ~Frame() { EndGraphics(); }
};

void BM_ThousandTransformedFrames(benchmark::State& state) {
  Frame f;
  ImagePtr piece = Picture(86, 43);
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      SetRotation(float(i % 16) * 22.5f);
      SetScale(0.8f + (i % 5) * 0.1f, 0.8f + (i % 5) * 0.1f);
      SetColor(255, 128 + i % 128, 64);
      DrawImage(piece, float(50 + (i * 37) % 540), float(50 + (i * 53) % 380));
    }
    GrabPixmap(0, 0, 1, 1);  // makes the renderer finish the queued work
  }
  SetRotation(0);
  SetScale(1, 1);
}
BENCHMARK(BM_ThousandTransformedFrames)->Unit(benchmark::kMillisecond);

void BM_FullScreenBlit(benchmark::State& state) {
  Frame f;
  ImagePtr bg = Opaque(640, 480);
  for (auto _ : state) {
    DrawImage(bg, 0, 0);
    GrabPixmap(0, 0, 1, 1);
  }
}
BENCHMARK(BM_FullScreenBlit)->Unit(benchmark::kMicrosecond);

// Reading back the play field and counting pure-black pixels, as a dropped piece does.
void BM_GrabAndCountBlack(benchmark::State& state) {
  Frame f;
  Cls();
  for (auto _ : state) {
    PixmapPtr pm = GrabPixmap(4, 66, 449, 394);
    int count = 0;
    for (int x = 0; x < pm->width; ++x)
      for (int y = 0; y < pm->height; ++y)
        if ((pm->ReadPixel(x, y) & 0xFFFFFF) == 0) ++count;
    benchmark::DoNotOptimize(count);
  }
}
BENCHMARK(BM_GrabAndCountBlack)->Unit(benchmark::kMicrosecond);

void BM_CollisionPick(benchmark::State& state) {
  Frame f;
  ImagePtr piece = Picture(86, 43);
  SetRotation(45);
  for (auto _ : state) {
    ResetCollisions(2);
    CollideImage(piece, 300, 200, 0, 0, 2);
    benchmark::DoNotOptimize(CollideRect(300, 200, 2, 2, 2, 0));
  }
  SetRotation(0);
}
BENCHMARK(BM_CollisionPick)->Unit(benchmark::kMicrosecond);

// A play screen's worth of drawing: background, 14 pieces, the frame, ~100 sprites and
// ~20 glyphs, then the present.
void BM_PlayScreenFrame(benchmark::State& state) {
  Frame f;
  ImagePtr bg = Opaque(640, 480), board = Picture(640, 480), sprite = Picture(21, 21);
  ImagePtr pieces[5] = {Picture(172, 86), Picture(119, 60), Picture(86, 43), Picture(87, 86), Picture(130, 43)};
  ImagePtr glyph = Picture(32, 32);
  for (auto _ : state) {
    Cls();
    DrawImage(bg, 0, 0);
    SetBlend(BLEND_LIGHT);
    for (int i = 0; i < 100; ++i) {
      SetRotation(float(i * 7));
      SetScale(0.3f, 0.3f);
      DrawImage(sprite, float((i * 61) % 640), float((i * 37) % 480));
    }
    SetBlend(BLEND_ALPHA);
    SetScale(1, 1);
    for (int i = 0; i < 14; ++i) {
      SetRotation(i < 7 ? 0 : float(i * 45));
      SetColor(i < 7 ? 0 : 255, i < 7 ? 0 : 255, i < 7 ? 0 : 255);
      DrawImage(pieces[i % 5], float(150 + (i % 7) * 40), float(120 + (i / 7) * 150));
    }
    SetRotation(0);
    SetColor(255, 255, 255);
    DrawImage(board, 320, 240);
    for (int i = 0; i < 20; ++i) DrawImage(glyph, float(400 + i * 10), 10);
    Flip(-1);
  }
}
BENCHMARK(BM_PlayScreenFrame)->Unit(benchmark::kMillisecond);

// Start-up to the first frame: register every embedded resource, open the frame, present.
void BM_StartupToFirstFrame(benchmark::State& state) {
  SetBackend(Backend::Headless);
  for (auto _ : state) {
    ClearResources();
    RegisterEmbeddedResources();
    Graphics(640, 480);
    Cls();
    Flip(-1);
    EndGraphics();
  }
  state.counters["resources"] = EmbeddedResourceCount();
}
BENCHMARK(BM_StartupToFirstFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
