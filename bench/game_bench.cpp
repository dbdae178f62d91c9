// Frame cost of the puzzle game: one play frame of a seven-piece level in each stage mode
// (half the pieces on their places, the rest in the tray) and the area check, on the
// headless back end and on the windowed OpenGL one (under an X server such as Xvfb; without
// DISPLAY those are skipped). The windowed loop is paced to 60 Hz, so read its CPU column
// (the whole process: the renderer's threads included); headless frames do not wait.
// Also a floating text at full size with its dark rim, headless, and choosing a level set.
#include "bench_env.h"

#include "app/shell.h"
#include "game/game.h"
#include "game/text_anim.h"
#include "levels/level_set.h"
#include "levels/puzzle_set.h"
#include "media/graphics.h"
#include "media/image.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/resource_store.h"
#include "media/stream.h"
#include "players/data_folder.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace {

struct Mode {
  const char* name;
  int bits;
};
const Mode MODES[] = {{"plain", 0},
                      {"enlightenment_dark", LP_ENLIGHTENMENT},
                      {"meditation", LP_MEDITATION},
                      {"freeze", LP_FREEZE},
                      {"floating", LP_FLOATING_TILES},
                      {"torch", LP_TORCH},
                      {"twister", LP_TWISTER}};
constexpr int MODE_COUNT = int(sizeof MODES / sizeof MODES[0]);

// A shipped level of seven pieces (the classic tangram), copied once per mode into a set in
// the data folder.
void WriteBenchSet() {
  std::string shipped;
  for (const std::string& name : ResourceNames())
    if (name.rfind("../data/", 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".lvl") == 0 &&
        (shipped.empty() || name < shipped))
      shipped = name;
  ReadLevelSet("incbin::" + shipped);
  int chosen = 0;
  for (int i = 0; i < LEVEL_COUNT; ++i)
    if (LevelShapes[size_t(i)].size() == 7) {
      chosen = i;
      break;
    }
  const std::vector<ShapePtr> pieces = LevelShapes[size_t(chosen)];
  const int row = LevelProps[size_t(chosen)]->PuzzleSet;
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    LevelProps[size_t(i)] = std::make_shared<TLevelProperties>();
    LevelShapes[size_t(i)].clear();
  }
  for (int m = 0; m < MODE_COUNT; ++m) {
    LevelProps[size_t(m)]->GameTime = 999;
    LevelProps[size_t(m)]->PuzzleSet = row;
    LevelProps[size_t(m)]->MiscProperties = MODES[m].bits;
    LevelShapes[size_t(m)] = pieces;
  }
  LevelFilePath = DataFolder->GetPath() + "bench.lvl";
  WriteLevelSet(LevelFilePath);
}

bool OpenFrame(Backend backend) {
  static const bool written = (StartBenchModules("qv_game_bench"), WriteBenchSet(), true);
  (void)written;
  return OpenBenchFrame(backend);
}

// The game on the mode's level with its message closed; half the pieces lie on their places.
std::unique_ptr<TGame> StartLevel(int mode) {
  auto game = std::make_unique<TGame>();
  game->CurrentLevel = mode;
  game->InitLevel(false);
  game->ShowMeditation = 0;
  game->ShowFreezeMessage = game->ShowFlying = game->ShowTorch = false;
  const std::vector<ShapePtr>& places = LevelShapes[size_t(mode)];
  for (size_t i = 0; i < places.size(); i += 2) {
    const ShapePtr piece = ShapeList[places.size() + i];  // the tray follows the silhouette
    piece->X = places[i]->X;
    piece->Y = places[i]->Y;
    piece->Rotation = places[i]->Rotation;
    if (MODES[mode].bits & LP_FREEZE) {
      piece->Pickable = 0;
      piece->DontFadeAway = 1;
    }
    if (MODES[mode].bits & LP_MEDITATION) piece->TileFading = 1;
  }
  return game;
}

void BM_PlayFrame(benchmark::State& state, Backend backend, int mode) {
  if (backend == Backend::Windowed && !std::getenv("DISPLAY")) {
    state.SkipWithError("needs an X display");
    return;
  }
  if (!OpenFrame(backend)) {
    state.SkipWithError("no frame could be opened");
    return;
  }
  std::unique_ptr<TGame> game = StartLevel(mode);
  FinishBackgroundDecodes();  // the level's pictures decode during its fade-in
  TGame& g = *game;
  MoveMouse(230, 260);
  SetFrameDriver([&](int) {
    if (g.GameState != PLAY_GAME) return;  // fade-in and "Get ready!" are not measured
    if (MODES[mode].bits & LP_ENLIGHTENMENT) g.MeditationFade = 7;  // the dark phase
    if ((MODES[mode].bits & LP_TWISTER) && !g.Show_Twister) {
      // A twister always on its way, with a piece to carry.
      for (size_t i = 0; i < ShapeList.size(); ++i)
        if (ShapeList[i]->Pickable && !ShapeList[i]->MoveDroppedTile && ShapeList[i]->X >= TRAY_X) {
          ShapeList[i]->X = 250;
          ShapeList[i]->Y = 250;
          break;
        }
      g.Twister_Time = g.CurrTime + 1;
    }
    if (!state.KeepRunning()) throw StopRun{};
  });
  try {
    g.Play();
  } catch (const StopRun&) {
  }
  SetFrameDriver(nullptr);
}

void BM_CheckArea(benchmark::State& state, Backend backend) {
  if (backend == Backend::Windowed && !std::getenv("DISPLAY")) {
    state.SkipWithError("needs an X display");
    return;
  }
  if (!OpenFrame(backend)) {
    state.SkipWithError("no frame could be opened");
    return;
  }
  std::unique_ptr<TGame> game = StartLevel(0);
  game->GameState = PLAY_GAME;
  Cls();
  DrawImage(Background, 0, 0);
  Shape::UpdateAllElements(PLAY_GAME, 0, false, false, false, false);
  for (auto _ : state) benchmark::DoNotOptimize(game->CheckArea(false));
}

// Headless only: the OpenGL renderer would only queue the draws here, unpresented.
void BM_FloatingText(benchmark::State& state) {
  if (!OpenFrame(Backend::Headless)) {
    state.SkipWithError("no frame could be opened");
    return;
  }
  TextAnim text;
  text.Set("Puzzle solved!", 290, 240);
  text.Zoom = 1.01f;         // grown to full size
  text.ShowDelay = 1 << 30;  // and held there
  for (auto _ : state) text.Render();
}

// What choosing a set costs: reading it into the store and looking for a playable level,
// for a shipped set and for files that are no level set (the large one is sparse).
void BM_ChooseSet(benchmark::State& state, const std::string& kind) {
  StartBenchModules("qv_game_bench");
  std::string path = DataFolder->GetPath() + "choose " + kind + ".lvl";
  if (kind == "shipped") {
    path = "incbin::../data/Jewels of Dharma.lvl";
  } else if (StreamPtr s = WriteStream(path)) {
    std::string bytes(kind == "garbage_4k" ? 4096 : 0, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = char(i * 7919 % 251);
    s->WriteString(bytes);
    s->Close();
    if (kind == "zeros_50m") std::filesystem::resize_file(path, 50u << 20);
  }
  for (auto _ : state) {
    ReadLevelSet(path);
    benchmark::DoNotOptimize(AnyLevelPlayable());
  }
}

void RegisterAll() {
  for (Backend backend : {Backend::Headless, Backend::Windowed}) {
    const std::string end = backend == Backend::Headless ? "/headless" : "/opengl";
    for (int m = 0; m < MODE_COUNT; ++m)
      benchmark::RegisterBenchmark((std::string("BM_PlayFrame/") + MODES[m].name + end).c_str(), BM_PlayFrame,
                                   backend, m)
          ->Unit(benchmark::kMillisecond)
          ->MeasureProcessCPUTime();
    benchmark::RegisterBenchmark(("BM_CheckArea" + end).c_str(), BM_CheckArea, backend)
        ->Unit(benchmark::kMillisecond)
        ->MeasureProcessCPUTime();
  }
  benchmark::RegisterBenchmark("BM_FloatingText/headless", BM_FloatingText)->Unit(benchmark::kMicrosecond);
  for (const char* kind : {"shipped", "garbage_4k", "zeros_50m"})
    benchmark::RegisterBenchmark((std::string("BM_ChooseSet/") + kind).c_str(), BM_ChooseSet, std::string(kind))
        ->Unit(benchmark::kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RegisterAll();
  benchmark::RunSpecifiedBenchmarks();
  SetFrameDriver(nullptr);
  EndGraphics();
  benchmark::Shutdown();
  return 0;
}
