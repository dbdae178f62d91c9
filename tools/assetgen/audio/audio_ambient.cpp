// The two ambient beds that loop under the rain and fog backgrounds. Each is rendered
// a little longer than its loop; every slow modulation has a whole number of cycles
// in the loop, and the overhang is crossfaded into the start, so no seam is heard.
#include "audio_generators.h"
#include "audio_instruments.h"
#include "audio_ogg.h"
#include "audio_synth.h"

#include <cmath>

using namespace audio;

namespace {

constexpr double LOOP_SECONDS = 12.0;
constexpr double OVERLAP_SECONDS = 1.5;
// The beds sit a little under the effects' common level.
constexpr double BED_LEVEL_DB = -21.0;

// A slow periodic wobble in -1..1 with whole cycles per loop.
double Wobble(double t, int cycles, double phase) {
  return std::sin(2.0 * PI * cycles * t / LOOP_SECONDS + phase);
}

void RainChannel(std::vector<float>& ch, uint32_t seed) {
  Noise noise(seed);
  std::vector<float> hiss(ch.size()), rumble(ch.size());
  for (size_t i = 0; i < ch.size(); ++i) {
    hiss[i] = noise.Next();
    rumble[i] = noise.Next();
  }
  HighPass(hiss, 900.0);
  LowPass(hiss, 4000.0);
  LowPass(hiss, 6000.0);
  LowPass(rumble, 250.0);
  LowPass(rumble, 400.0);
  for (size_t i = 0; i < ch.size(); ++i) {
    const double t = double(i) / RATE;
    const double swell = 1.0 + 0.12 * Wobble(t, 2, seed * 0.1) + 0.06 * Wobble(t, 5, seed * 0.3);
    ch[i] += float(swell * (0.12 * hiss[i] + 0.35 * rumble[i]));
  }
}

Stereo Rain() {
  Stereo s(Samples(LOOP_SECONDS + OVERLAP_SECONDS));
  RainChannel(s.left, 201);
  RainChannel(s.right, 202);
  // Countless small drops on leaves and stone (short ticks of coloured noise), a few
  // bigger ones ringing on puddles.
  Noise rng(203);
  const double len = LOOP_SECONDS + OVERLAP_SECONDS;
  for (int k = 0; k < int(len * 160); ++k) {
    const double decay = rng.Uniform(0.003, 0.014);
    const auto tick = NoiseBurst(rng.Uniform(1200.0, 6000.0), 1.3, decay * 1.7, decay, 204 + k);
    const double amp = 0.5 * std::pow(rng.Uniform(0.0, 1.0), 2.5);
    MixInto(s, tick, Samples(rng.Uniform(0.0, len - 0.05)), amp, Pan(rng.Uniform(-0.9, 0.9)));
  }
  for (int k = 0; k < int(len * 3); ++k) {
    std::vector<float> plink(Samples(0.08), 0.0f);
    const double f = rng.Uniform(700.0, 1800.0);
    AddModes(plink, 0, {{f, 1.0, 0.05, 0.001}, {f * 2.1, 0.2, 0.02, 0.001}});
    MixInto(s, plink, Samples(rng.Uniform(0.0, len - 0.1)), rng.Uniform(0.04, 0.12),
            Pan(rng.Uniform(-0.7, 0.7)));
  }
  s.Resize(Samples(len));
  return s;
}

// Wind: band-passed noise whose centre and strength drift with the gusts, and a thin
// whistle riding on the stronger ones.
void WindChannel(std::vector<float>& ch, uint32_t seed, double phase) {
  Noise noise(seed);
  Svf body, whistle, roar;
  for (size_t i = 0; i < ch.size(); ++i) {
    const double t = double(i) / RATE;
    const double gust = 0.5 + 0.3 * Wobble(t, 2, phase) + 0.15 * Wobble(t, 3, 1.7 * phase + 1.0) +
                        0.05 * Wobble(t, 7, phase + 2.0);
    if (i % 32 == 0) {
      body.Set(320.0 * std::pow(2.0, 1.3 * gust), 1.6);
      whistle.Set(1100.0 * std::pow(2.0, 0.6 * gust), 18.0);
      roar.Set(120.0, 0.7);
    }
    const float n = noise.Next();
    const double level = 0.35 + 0.65 * gust;
    ch[i] = float(level * (0.9 * body.Band(n) + 0.12 * gust * gust * whistle.Band(n)) +
                  0.5 * roar.Low(noise.Next()));
  }
}

Stereo WindBed() {
  Stereo s(Samples(LOOP_SECONDS + OVERLAP_SECONDS));
  WindChannel(s.left, 301, 0.3);
  WindChannel(s.right, 302, 1.4);
  return s;
}

void WriteLoop(Output& out, const char* name, Stereo s) {
  RemoveDc(s);
  CrossfadeLoop(s, Samples(LOOP_SECONDS));
  Normalise(s, BED_LEVEL_DB, 0.4, -1.6);
  WriteOgg(out, name, s, {2, 0.3f, -1.0});
}

}  // namespace

void WriteAmbientLoops(Output& out, const Sources&) {
  WriteLoop(out, "rainloop.ogg", Rain());
  WriteLoop(out, "windloop.ogg", WindBed());
}
