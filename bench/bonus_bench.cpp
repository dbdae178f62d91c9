// Cost of one bonus-game frame on the headless back end: a full board with puzzle tiles,
// power-ups and a bomb, the element, the time bar, sparkles and explosion particles.
#include "bonus/bonus_game.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/resource_store.h"
#include "present/particles.h"

#include <benchmark/benchmark.h>

namespace {

struct Frame {
  Frame() {
    SetBackend(Backend::Headless);
    Graphics(640, 480);
    RegisterEmbeddedResources();
    InitParticles();
    AutoImageFlags(IMG_MASKED | IMG_FILTERED | IMG_MIPMAPPED);
    SetBlend(BLEND_ALPHA);
  }
  ~Frame() { EndGraphics(); }
};

// Eight full rows without a line of three, so the board stays as it is.
void FillBoard(BonusGame& g) {
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 0; y < BOARD_H - 1; ++y) g.LevelData[size_t(x)][size_t(y)] = (x + 2 * y) % TILE_COLOURS;
  g.LevelData[3][2] = TILE_BOMB;
  for (int i = 0; i < 6; ++i) g.PuzzleTileData[size_t(i)][size_t(i % 4 + 1)] = MARK_PUZZLE;
  for (int i = 0; i < 4; ++i) g.PuzzleTileData[size_t(i * 2 + 1)][6] = MARK_POWERUP;
  g.CurrentElement = {0, 1, 2, TILE_BOMB};
  g.GameTime = 1000000;
}

void BM_BonusFrame(benchmark::State& state) {
  Frame f;
  BonusGame g;
  FillBoard(g);
  int frame = 0;
  for (auto _ : state) {
    if (frame % 30 == 0) g.Particles->Init(20, 300, 200, 0);
    g.Stars->Init(float(160 + frame % 300), 300, 0);
    Cls();
    g.Render(PLAY_GAME);
    GrabPixmap(0, 0, 1, 1);  // makes the renderer finish the queued work
    ++frame;
  }
}
BENCHMARK(BM_BonusFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
