// The short effects: ticks and clacks of the pieces, chimes of the tray, the gong, the
// lamp and the bonus game. All are normalised to one perceived level, with a few
// deliberate offsets (frequent or background sounds sit lower).
#include "audio_generators.h"
#include "audio_instruments.h"
#include "audio_ogg.h"
#include "audio_synth.h"

#include <cmath>
#include <functional>

using namespace audio;

namespace {

using Curve = std::function<double(double)>;  // a value over time in seconds

// Noise through a band-pass whose centre and level follow curves.
std::vector<float> SweptNoise(double seconds, uint32_t seed, const Curve& centre, double q,
                              const Curve& level) {
  std::vector<float> out(Samples(seconds), 0.0f);
  Noise noise(seed);
  Svf f;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / RATE;
    if (i % 16 == 0) f.Set(centre(t), q);
    out[i] = float(f.Band(noise.Next()) * level(t));
  }
  LowPass(out, 9000.0);  // soft air, no hiss
  Fade(out, 0.002, 0.01);
  return out;
}

// A sine gliding exponentially from f0 to f1 over `glide` seconds, dying out by `decay`.
std::vector<float> Chirp(double f0, double f1, double glide, double decay, double seconds) {
  std::vector<float> out(Samples(seconds), 0.0f);
  const double rate = std::log(1000.0) / decay;
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / RATE;
    const double f = f0 * std::pow(f1 / f0, std::min(1.0, t / glide));
    phase += 2.0 * PI * f / RATE;
    out[i] = float(std::sin(phase) * std::exp(-rate * t));
  }
  Fade(out, 0.001, 0.01);
  return out;
}

// Smooth hump: 0 at t=0, 1 at `peak`, back to 0 at `end`.
double Hump(double t, double peak, double end) {
  if (t <= 0.0 || t >= end) return 0.0;
  return t < peak ? std::sin(0.5 * PI * t / peak) : std::cos(0.5 * PI * (t - peak) / (end - peak));
}

Stereo Click() {
  Stereo s;
  MixInto(s, Wood(1750.0, 0.05, 0.35), 0, 0.8, Pan(0));
  MixInto(s, Wood(1100.0, 0.04, 0.2), 0, 0.35, Pan(0));
  return s;
}

Stereo Mouseover() {
  Stereo s;
  MixInto(s, Wood(2600.0, 0.03, 0.1), 0, 1.0, Pan(0));
  return s;
}

// Restarted every frame (16.7 ms) while points count up; it must have died away by
// then, or each restart would cut it off with a click.
Stereo Count() {
  Stereo s;
  std::vector<float> coin(Samples(0.03), 0.0f);
  AddModes(coin, 0, {{2637.0, 1.0, 0.016, 0.0003}, {3951.0, 0.5, 0.012, 0.0003},
                     {7245.0, 0.15, 0.008, 0.0002}});
  MixInto(s, coin, 0, 1.0, Pan(0));
  return s;
}

Stereo Dropdown() {
  Stereo s;
  MixInto(s, Wood(210.0, 0.2, 0.9), 0, 1.0, Pan(0));
  std::vector<float> stone(Samples(0.08), 0.0f);
  AddModes(stone, 0, {{1180.0, 0.5, 0.05, 0.0005}, {2730.0, 0.35, 0.035, 0.0003},
                      {4120.0, 0.2, 0.02, 0.0002}});
  MixInto(s, stone, 0, 0.6, Pan(0));
  MixInto(s, Chirp(140.0, 70.0, 0.05, 0.1, 0.12), 0, 0.6, Pan(0));
  return s;
}

Stereo Puzzpick() {
  Stereo s;
  MixInto(s, Wood(520.0, 0.09, 0.5), 0, 1.0, Pan(0));
  MixInto(s, Wood(1560.0, 0.03, 0.3), Samples(0.004), 0.25, Pan(0));
  return s;
}

Stereo Puzzlerotate() {
  Stereo s;
  auto swish = SweptNoise(0.13, 11, [](double t) { return 1500.0 + 2200.0 * t / 0.13; }, 1.4,
                          [](double t) { return Hump(t, 0.035, 0.13); });
  MixInto(s, swish, 0, 0.9, Pan(0.1));
  MixInto(s, Wood(3000.0, 0.02, 0.2), 0, 0.2, Pan(0));
  return s;
}

// A whoosh that travels to the right, where the tray is.
Stereo Flyback() {
  const double len = 0.5;
  Stereo s(Samples(len));
  auto whoosh = SweptNoise(len, 21, [](double t) { return 600.0 + 1700.0 * Hump(t, 0.2, 0.6); }, 1.3,
                           [](double t) { return Hump(t, 0.2, 0.5); });
  auto body = Chirp(700.0, 330.0, 0.4, 0.5, len);
  for (size_t i = 0; i < s.Size(); ++i) {
    const Pan p(-0.4 + 1.0 * double(i) / double(s.Size()));
    const float v = whoosh[i] + 0.05f * body[i] * float(Hump(double(i) / RATE, 0.15, 0.5));
    s.left[i] += v * p.l;
    s.right[i] += v * p.r;
  }
  return s;
}

Stereo GongSound() {
  Stereo s;
  MixInto(s, Gong(98.0, 6.0, 31), 0, 1.0, Pan(0));
  s.Resize(Samples(6.5));
  Reverb(s, {0.75, 0.5, 0.18, 1.0, 0.015});
  Fade(s, 0.0, 0.5);
  return s;
}

// Pentatonic notes of D major from D5 upward: index 0 is D5.
double Pent(int step) {
  static const int DEGREES[] = {0, 2, 4, 7, 9};
  const int octave = step >= 0 ? step / 5 : (step - 4) / 5;
  return MidiFreq(74.0 + 12.0 * octave + DEGREES[step - octave * 5]);
}

Stereo Hintzoom() {
  Stereo s;
  for (int k = 0; k < 7; ++k)
    MixInto(s, Bell(Pent(3 + k), 0.5, 0.35), Samples(0.045 * k), 0.85 - 0.05 * k, Pan(-0.3 + 0.1 * k));
  auto air = SweptNoise(0.7, 41, [](double t) { return 2000.0 + 6000.0 * t / 0.7; }, 2.0,
                        [](double t) { return 0.3 * Hump(t, 0.35, 0.7); });
  MixInto(s, air, 0, 1.0, Pan(0));
  s.Resize(Samples(1.0));
  Reverb(s, {0.6, 0.5, 0.25, 1.0, 0.01});
  return s;
}

Stereo Lampexplode() {
  Stereo s;
  auto whoomp = SweptNoise(0.5, 51, [](double t) { return 700.0 - 900.0 * t; }, 0.7,
                           [](double t) { return Hump(t, 0.02, 0.45); });
  MixInto(s, whoomp, 0, 0.7, Pan(0));
  MixInto(s, Chirp(160.0, 60.0, 0.2, 0.35, 0.4), 0, 0.5, Pan(0));
  Noise rng(52);
  for (int k = 0; k < 26; ++k) {
    const double t = 0.9 * std::pow(rng.Uniform(0.0, 1.0), 1.6);
    const int step = int(rng.Uniform(5.0, 15.0));
    MixInto(s, Bell(Pent(step), rng.Uniform(0.25, 0.6), 0.5), Samples(0.01 + t),
            0.5 * (1.0 - 0.6 * t), Pan(rng.Uniform(-0.8, 0.8)));
  }
  s.Resize(Samples(2.0));
  Reverb(s, {0.7, 0.45, 0.3, 1.0, 0.012});
  return s;
}

// The five tray chimes: large, medium and small triangle, parallelogram, square.
Stereo Puzzzoom(int kind) {
  Stereo s;
  const double f = Pent(kind);
  std::vector<float> chime(Samples(0.5), 0.0f);
  AddModes(chime, 0, {{f, 1.0, 0.45, 0.006}, {f * 2.0, 0.12, 0.2, 0.004},
                      {f * 3.98, 0.08, 0.08, 0.002}});
  MixInto(s, chime, 0, 1.0, Pan(0.3));
  auto zoom = SweptNoise(0.16, 60 + kind, [f](double t) { return f * (1.0 + 3.0 * t / 0.16); }, 3.0,
                         [](double t) { return Hump(t, 0.06, 0.16); });
  MixInto(s, zoom, 0, 0.18, Pan(0.3));
  return s;
}

Stereo Texthit() {
  Stereo s;
  MixInto(s, Wood(392.0, 0.25, 0.4), 0, 1.0, Pan(0));
  MixInto(s, Bell(1568.0, 0.2, 0.3), 0, 0.4, Pan(0));
  return s;
}

Stereo BgShoot() {
  Stereo s;
  auto rush = SweptNoise(0.28, 71, [](double t) { return 500.0 * std::pow(10.0, t / 0.28); }, 2.0,
                         [](double t) { return Hump(t, 0.05, 0.28); });
  MixInto(s, rush, 0, 0.8, Pan(0));
  MixInto(s, Chirp(250.0, 900.0, 0.2, 0.25, 0.28), 0, 0.3, Pan(0));
  return s;
}

Stereo Bomb() {
  Stereo s;
  MixInto(s, Chirp(110.0, 38.0, 0.4, 0.8, 0.9), 0, 1.0, Pan(0));
  auto blast = SweptNoise(0.7, 81, [](double t) { return 1800.0 * std::exp(-t / 0.15) + 150.0; }, 0.6,
                          [](double t) { return std::exp(-t / 0.12); });
  MixInto(s, blast, 0, 0.9, Pan(0));
  s.Resize(Samples(1.0));
  Reverb(s, {0.5, 0.6, 0.15, 1.0, 0.01});
  return s;
}

Stereo Combo() {
  Stereo s;
  for (int k = 0; k < 6; ++k) {
    const double f = Pent(2 + k);
    const size_t at = Samples(0.06 * k);
    MixInto(s, Bell(f, 0.6, 0.8), at, 0.6, Pan(-0.5 + 0.2 * k));
    MixInto(s, Pluck(f, 0.5, 0.8, 90 + k), at, 0.4, Pan(-0.5 + 0.2 * k));
  }
  for (int k : {5, 7, 10}) MixInto(s, Bell(Pent(k), 0.8, 0.6), Samples(0.36), 0.4, Pan(0));
  s.Resize(Samples(1.3));
  Reverb(s, {0.6, 0.4, 0.25, 1.0, 0.01});
  return s;
}

// Ice forming: glassy inharmonic partials arriving one after another, a cold hiss.
Stereo Freeze() {
  Stereo s;
  Noise rng(101);
  for (int k = 0; k < 14; ++k) {
    std::vector<float> glass(Samples(1.0), 0.0f);
    const double f = rng.Uniform(2200.0, 6500.0);
    AddModes(glass, 0, {{f, 1.0, rng.Uniform(0.3, 0.9), 0.0005}, {f * 2.32, 0.3, 0.2, 0.0003}});
    MixInto(s, glass, Samples(0.012 * k + rng.Uniform(0.0, 0.02)), 0.12, Pan(rng.Uniform(-0.7, 0.7)));
  }
  MixInto(s, Bell(Pent(10), 1.0, 0.7), 0, 0.6, Pan(0));
  auto hiss = SweptNoise(0.5, 102, [](double t) { return 9000.0 - 3000.0 * t; }, 1.5,
                         [](double t) { return std::exp(-t / 0.12); });
  MixInto(s, hiss, 0, 0.25, Pan(0));
  s.Resize(Samples(1.4));
  Reverb(s, {0.65, 0.2, 0.3, 1.0, 0.01});
  return s;
}

Stereo Levelcomplete() {
  Stereo s;
  MixInto(s, Bowl(NoteFreq("d4"), 3.2, 0.8), 0, 0.7, Pan(0));
  const char* phrase[] = {"a4", "d5", "e5", "f#5", "a5"};
  for (int k = 0; k < 5; ++k)
    MixInto(s, Pluck(NoteFreq(phrase[k]), 1.4, 0.6, 110 + k), Samples(0.13 * k), 0.55, Pan(-0.4 + 0.2 * k));
  const size_t chord = Samples(0.72);
  for (const char* n : {"d5", "f#5", "a5"}) MixInto(s, Pluck(NoteFreq(n), 2.2, 0.5, 120), chord, 0.35, Pan(0));
  MixInto(s, Bell(NoteFreq("d6"), 2.0, 0.6), chord, 0.5, Pan(0.2));
  s.Resize(Samples(3.4));
  Reverb(s, {0.75, 0.45, 0.3, 1.0, 0.015});
  Fade(s, 0.0, 0.4);
  return s;
}

// A gust passing from left to right, with a faint whistle on top.
Stereo Wind() {
  const double len = 2.6;
  Stereo s(Samples(len));
  auto body = SweptNoise(len, 131, [](double t) { return 300.0 + 700.0 * Hump(t, 1.0, 2.6); }, 2.5,
                         [](double t) { return Hump(t, 1.0, 2.6); });
  auto whistle = SweptNoise(len, 132, [](double t) { return 900.0 + 600.0 * Hump(t, 1.1, 2.6); }, 14.0,
                            [](double t) { return 0.5 * Hump(t, 1.2, 2.4); });
  for (size_t i = 0; i < s.Size(); ++i) {
    const Pan p(-0.6 + 1.2 * double(i) / double(s.Size()));
    const float v = body[i] + whistle[i];
    s.left[i] += v * p.l;
    s.right[i] += v * p.r;
  }
  return s;
}

// Chained five frames (83 ms) apart, so soft rather than sharp, and nearly gone by
// the time the next one restarts it.
Stereo Xplode() {
  Stereo s;
  MixInto(s, Chirp(420.0, 140.0, 0.05, 0.09, 0.12), 0, 0.8, Pan(0));
  auto burst = SweptNoise(0.1, 141, [](double t) { return 2500.0 - 15000.0 * t; }, 0.7,
                          [](double t) { return std::exp(-t / 0.018); });
  MixInto(s, burst, 0, 0.6, Pan(0));
  return s;
}

struct Effect {
  const char* name;
  std::function<Stereo()> make;
  double levelDb;  // relative to the common level
};

// Common perceived level of the effects (loudest 100 ms) and the pre-encoding peak
// ceiling, which leaves room for the encoder's overshoot.
constexpr double EFFECT_LEVEL_DB = -16.0;
constexpr double PEAK_CEILING_DB = -1.6;

}  // namespace

void WriteEffects(Output& out, const Sources&) {
  const std::vector<Effect> effects = {
      {"click.ogg", Click, 0.0},
      {"count.ogg", Count, -4.0},
      {"dropdown.ogg", Dropdown, 0.0},
      {"flyback.ogg", Flyback, 0.0},
      {"gong.ogg", GongSound, -2.0},
      {"hintzoom.ogg", Hintzoom, -1.0},
      {"lampexplode.ogg", Lampexplode, 0.0},
      {"mouseover.ogg", Mouseover, -4.0},
      {"puzzlerotate.ogg", Puzzlerotate, -2.0},
      {"puzzpick.ogg", Puzzpick, 0.0},
      {"puzzzoom_1.ogg", [] { return Puzzzoom(0); }, -2.0},
      {"puzzzoom_2.ogg", [] { return Puzzzoom(1); }, -2.0},
      {"puzzzoom_3.ogg", [] { return Puzzzoom(2); }, -2.0},
      {"puzzzoom_4.ogg", [] { return Puzzzoom(3); }, -2.0},
      {"puzzzoom_5.ogg", [] { return Puzzzoom(4); }, -2.0},
      {"texthit.ogg", Texthit, -1.0},
      {"bg_shoot.ogg", BgShoot, 0.0},
      {"bomb.ogg", Bomb, -2.0},
      {"combo.ogg", Combo, 0.0},
      {"freeze.ogg", Freeze, 0.0},
      {"levelcomplete.ogg", Levelcomplete, 0.0},
      {"wind.ogg", Wind, -1.0},
      {"xplode.ogg", Xplode, -2.0},
  };
  for (const Effect& e : effects) {
    Stereo s = e.make();
    RemoveDc(s);
    Fade(s, 0.002, 0.01);
    Normalise(s, EFFECT_LEVEL_DB + e.levelDb, 0.1, PEAK_CEILING_DB);
    WriteOgg(out, e.name, s, {2, 0.5f, -1.0});
  }
}
