// Start-up as the player waits for it.
//
// In this process: every module initialised (resources registered, string table, fonts,
// profiles, effects, the first song), the window opened, the first frame presented.
//
// The real program, each build named in QV_BENCH_BUILDS ("today=/tmp/old-build,new=build",
// build folders; default: this build), side by side in one run, with SDL's software and
// OpenGL renderers, under an X server (xvfb-run -a -s "-screen 0 1280x1024x24"):
//   Launch            launch to the first presented frame (the present probe tells when)
//   IntroPeak         peak resident memory over the intro's first QV_BENCH_INTRO_SECONDS (30)
//   PlayedLevelPeak   peak resident memory over the start and a level played to its tally
//   HiddenCpu         share of a core used while the window is unmapped (as when minimised)
// Without DISPLAY only the first one runs.
#include "app/shell.h"
#include "app/startup.h"
#include "launch.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "played_level.h"
#include "present/pointer.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

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

struct Build {
  std::string name;
  std::string folder;
  std::string Game() const { return folder + "/src/app/quorvale"; }
  std::string Bench() const { return folder + "/bench/startup_bench"; }
};

std::vector<Build> Builds() {
  const char* list = std::getenv("QV_BENCH_BUILDS");
  if (!list) {
    std::error_code ec;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    return {{"this", self.parent_path().parent_path().string()}};
  }
  std::vector<Build> builds;
  std::istringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    const size_t eq = item.find('=');
    if (eq != std::string::npos) builds.push_back({item.substr(0, eq), item.substr(eq + 1)});
  }
  return builds;
}

using Env = std::vector<std::pair<std::string, std::string>>;

Env RendererEnv(const std::string& renderer) { return {{"SDL_RENDER_DRIVER", renderer}}; }

double Seconds(const char* variable, double fallback) {
  const char* v = std::getenv(variable);
  return v ? std::atof(v) : fallback;
}

// Seconds to the game's first frame; negative (the run marked failed) when none came.
double FirstFrame(benchmark::State& state, Launched& game) {
  const double seconds = game.SecondsToFirstFrame(20);
  if (seconds < 0) state.SkipWithError("no frame was presented");
  return seconds;
}

void Launch(benchmark::State& state, const Build& build, const std::string& renderer) {
  for (auto _ : state) {
    Launched game({build.Game()}, RendererEnv(renderer));
    const double seconds = FirstFrame(state, game);
    if (seconds < 0) return;
    state.SetIterationTime(seconds);
  }
}

void IntroPeak(benchmark::State& state, const Build& build, const std::string& renderer) {
  for (auto _ : state) {
    Launched game({build.Game()}, RendererEnv(renderer));
    if (FirstFrame(state, game) < 0) return;
    std::this_thread::sleep_for(std::chrono::duration<double>(Seconds("QV_BENCH_INTRO_SECONDS", 30)));
    state.counters["peak_MiB"] = game.KillPeakMiB();
  }
}

void PlayedLevelPeak(benchmark::State& state, const Build& build, const std::string& renderer) {
  for (auto _ : state) {
    Launched level({build.Bench(), "--play-level"}, RendererEnv(renderer));
    const double peak = level.WaitPeakMiB(180);
    if (level.ExitCode() != 0) {
      state.SkipWithError("the level was not played to its end");
      return;
    }
    state.counters["peak_MiB"] = peak;
  }
}

// The window unmapped as a window manager does when it is minimised; the CPU it then uses.
void HiddenCpu(benchmark::State& state, const Build& build, const std::string& renderer) {
  for (auto _ : state) {
    Launched game({build.Game()}, RendererEnv(renderer));
    if (FirstFrame(state, game) < 0) return;
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const std::string unmap = "xdotool windowunmap --sync \"$(xdotool search --sync --onlyvisible --pid " +
                              std::to_string(game.Pid()) + " 2>/dev/null | head -n 1)\" >/dev/null 2>&1";
    if (std::system(unmap.c_str()) != 0) {
      state.SkipWithError("xdotool could not unmap the window");
      return;
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double before = game.CpuSeconds();
    const double window = Seconds("QV_BENCH_HIDDEN_SECONDS", 5);
    std::this_thread::sleep_for(std::chrono::duration<double>(window));
    state.counters["core_percent"] = (game.CpuSeconds() - before) / window * 100;
  }
}

using ProgramBenchmark = void (*)(benchmark::State&, const Build&, const std::string&);

// Each measure for every build in turn, so that the builds' figures stand side by side.
void RegisterProgramBenchmarks() {
  if (!std::getenv("DISPLAY")) return;
  const std::vector<Build> builds = Builds();
  const std::pair<const char*, ProgramBenchmark> measures[] = {
      {"Launch", Launch}, {"IntroPeak", IntroPeak}, {"PlayedLevelPeak", PlayedLevelPeak}, {"HiddenCpu", HiddenCpu}};
  for (const std::string renderer : {"software", "opengl"})
    for (const auto& [name, run] : measures)
      for (const Build& b : builds) {
        auto* bm = benchmark::RegisterBenchmark((std::string(name) + "/" + renderer + "/" + b.name).c_str(), run, b,
                                                renderer);
        bm->Unit(benchmark::kMillisecond);
        if (run == Launch)
          bm->Iterations(5)->UseManualTime();
        else
          bm->Iterations(1);
      }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "--play-level") == 0) return PlayFirstLevel();
  RegisterProgramBenchmarks();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
