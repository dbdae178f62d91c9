// Frame cost of the level editor on the headless back end: a level of 13 pieces in piece
// mode with the pointer over the board, and the bonus board mode with a painted board.
// Compare with BM_PlayFrame/plain/headless of game_bench: an editor frame should not cost
// more than a play frame.
#include "bench_env.h"

#include "app/shell.h"
#include "editor/editor.h"
#include "levels/level_set.h"
#include "media/input.h"
#include "players/data_folder.h"

#include <benchmark/benchmark.h>

namespace {

// Two tangram sets less one piece, spread over the board; level 1 also has a full board.
void WriteBenchSet() {
  LevelFilePath = DataFolder->GetPath() + "editor bench.lvl";
  CreateEmptyLevelSet(LevelFilePath);
  ReadLevelSet(LevelFilePath);
  const int kinds[13] = {0, 0, 1, 2, 2, 3, 4, 0, 0, 1, 2, 2, 3};
  for (int i = 0; i < 13; ++i) {
    auto s = std::make_shared<Shape>();
    s->Element = kinds[i];
    s->X = float(60 + (i % 5) * 80);
    s->Y = float(110 + (i / 5) * 120);
    s->Rotation = float((i * 45) % 360);
    s->R = s->G = s->B = 255;
    LevelShapes[0].push_back(s);
  }
  TLevelProperties& p = *LevelProps[0];
  p.MiscProperties = LP_PLAY_FOR_TILES | LP_BOMBS;
  p.GameTime = 120;
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 3; y < BOARD_H; ++y) p.BonusLevelData[size_t(x)][size_t(y)] = (x + y) % 8;
  p.PuzzleTileData[2][5] = p.PuzzleTileData[6][7] = 0;
  WriteLevelSet(LevelFilePath);
}

void BM_EditorFrame(benchmark::State& state, bool bonusBoard) {
  StartBenchModules("qv_editor_bench");
  static const bool written = (WriteBenchSet(), true);
  (void)written;
  if (!OpenBenchFrame(Backend::Headless)) {
    state.SkipWithError("no frame could be opened");
    return;
  }
  TEd editor;
  int frame = 0;
  SetFrameDriver([&](int) {
    // Past the fade-in and the first balloon, as an editor at work looks.
    if (++frame < 30) {
      editor.BalloonStep = 11;
      editor.BonusEditMode = bonusBoard;
      InjectMouseMove(230, 260);
      return;
    }
    if (!state.KeepRunning()) throw StopRun{};
  });
  try {
    editor.Start();
  } catch (const StopRun&) {
  }
  SetFrameDriver(nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  for (const bool bonusBoard : {false, true})
    benchmark::RegisterBenchmark(bonusBoard ? "BM_EditorFrame/bonus_board/headless" : "BM_EditorFrame/pieces/headless",
                                 BM_EditorFrame, bonusBoard)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
  benchmark::RunSpecifiedBenchmarks();
  SetFrameDriver(nullptr);
  benchmark::Shutdown();
  return 0;
}
