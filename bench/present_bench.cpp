// Frame cost of the five ambient effects on the headless (software) back end: one
// Render of the effect per iteration, finished by a one-pixel read-back that makes the
// renderer complete the queued work. And the string table: reading the shipped two
// languages at start-up, and one German text with a parameter as a screen fetches it.
#include "media/graphics.h"
#include "media/platform.h"
#include "media/random.h"
#include "media/resource_store.h"
#include "present/ambient.h"
#include "present/language.h"
#include "present/language_choice.h"

#include <benchmark/benchmark.h>

namespace {

struct Frame {
  Frame() {
    SetBackend(Backend::Headless);
    Graphics(640, 480);
    RegisterEmbeddedResources();
    SeedRnd(1);
    SetBlend(BLEND_ALPHA);
  }
  ~Frame() { EndGraphics(); }
};

template <class Effect>
void BM_Effect(benchmark::State& state) {
  Frame f;
  Effect effect;
  for (auto _ : state) {
    Cls();
    effect.Render();
    GrabPixmap(0, 0, 1, 1);
  }
}

void BM_ClearOnly(benchmark::State& state) {
  Frame f;
  for (auto _ : state) {
    Cls();
    GrabPixmap(0, 0, 1, 1);
  }
}

void BM_StringTableRead(benchmark::State& state) {
  RegisterEmbeddedResources();
  for (auto _ : state) benchmark::DoNotOptimize(TLanguage().GetLanguages());
}

void BM_GermanText(benchmark::State& state) {
  RegisterEmbeddedResources();
  TLanguage table;
  table.SetLanguage(GERMAN_LANGUAGE);
  for (auto _ : state) benchmark::DoNotOptimize(table.GetString("Score: $score", {"score", "123456"}));
}

}  // namespace

BENCHMARK(BM_ClearOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Effect<FX_Nebel>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Effect<FX_Snow>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Effect<FX_Rain>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Effect<FX_Butterfly>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Effect<FX_Kolibri>)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_StringTableRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GermanText)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
