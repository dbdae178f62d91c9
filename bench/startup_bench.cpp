// Start-up as the player waits for it: every module initialised (resources registered,
// string table, fonts, profiles, effects and the first song decoded), the window opened,
// the first frame presented. Run once: the initialisers run once per program.
#include "app/shell.h"
#include "app/startup.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "present/pointer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

namespace {

void BM_StartupToFirstFrame(benchmark::State& state) {
  const auto home = std::filesystem::temp_directory_path() / "qv_startup_bench";
  std::filesystem::remove_all(home);
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  SetBackend(Backend::Headless);
  for (auto _ : state) {
    InitModules();
    StartMainProgram();
    Cls();
    PollInput();
    MousePointer->Draw();
    Flip(-1);
  }
}
BENCHMARK(BM_StartupToFirstFrame)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
