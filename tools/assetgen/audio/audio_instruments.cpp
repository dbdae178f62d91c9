#include "audio_instruments.h"

#include <algorithm>
#include <cmath>

namespace audio {

namespace {

// Smooth 0→1 ramp over `len` seconds.
double Rise(double t, double len) { return t >= len ? 1.0 : 0.5 - 0.5 * std::cos(PI * t / len); }

// A rotating phasor: a sine oscillator without a sin() call per sample.
struct Phasor {
  double re = 1.0, im = 0.0, c = 1.0, s = 0.0;
  explicit Phasor(double freq, double phase = 0.0)
      : re(std::cos(phase)), im(std::sin(phase)), c(std::cos(2.0 * PI * freq / RATE)),
        s(std::sin(2.0 * PI * freq / RATE)) {}
  double Next() {
    const double r = re * c - im * s;
    im = re * s + im * c;
    re = r;
    return im;
  }
  void Renormalise() {
    const double m = 1.0 / std::sqrt(re * re + im * im);
    re *= m;
    im *= m;
  }
};

}  // namespace

std::vector<float> Flute(double freq, double seconds, uint32_t seed) {
  const double release = 0.22;
  std::vector<float> out(Samples(seconds + release * 1.6), 0.0f);
  Noise noise(seed);
  Svf breath;
  breath.Set(freq * 2.0, 1.2);
  const double vibRate = 4.8 + 0.8 * noise.Uniform(0.0, 1.0);
  const double vibPhase = noise.Uniform(0.0, 2.0 * PI);
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / RATE;
    double env = Rise(t, std::min(0.09, seconds * 0.4)) * (1.0 - 0.12 * std::min(1.0, t / (seconds + 1e-9)));
    if (t > seconds) env *= std::exp(-(t - seconds) / (release / 3.0));
    const double vibDepth = 0.005 * std::clamp((t - 0.3) / 0.5, 0.0, 1.0);
    const double cents = -30.0 * std::exp(-t / 0.05);
    const double f = freq * std::pow(2.0, cents / 1200.0) *
                     (1.0 + vibDepth * std::sin(2.0 * PI * vibRate * t + vibPhase));
    phase += 2.0 * PI * f / RATE;
    if (phase > 2.0 * PI) phase -= 2.0 * PI;
    const double s1 = std::sin(phase), c1 = std::cos(phase);
    const double s2 = 2.0 * s1 * c1, c2 = c1 * c1 - s1 * s1;
    const double s3 = s2 * c1 + c2 * s1;
    const double tone = s1 + 0.2 * s2 + 0.07 * s3;
    const double chiff = 0.35 * std::exp(-t / 0.035);
    const double air = breath.Band(noise.Next()) * (0.07 + chiff);
    out[i] = float(0.35 * env * (tone * (1.0 + 0.04 * (vibDepth / 0.005) * std::sin(2.0 * PI * vibRate * t)) + air));
  }
  Fade(out, 0.004, 0.02);
  return out;
}

std::vector<float> Bowl(double freq, double seconds, double strike) {
  static const double RATIOS[] = {1.0, 2.71, 5.18, 8.45, 12.3};
  static const double AMPS[] = {1.0, 0.5, 0.28, 0.14, 0.07};
  static const double DECAYS[] = {1.0, 0.75, 0.45, 0.28, 0.18};
  std::vector<Mode> modes;
  for (int k = 0; k < 5; ++k) {
    const double f = freq * RATIOS[k];
    const double beat = 0.35 + 0.4 * k;  // Hz: the bowl's slow wobble
    const double a = AMPS[k] * std::pow(strike, k) * 0.2;
    const double d = seconds * DECAYS[k];
    modes.push_back({f - beat / 2, a, d, 0.004});
    modes.push_back({f + beat / 2, a, d * 0.9, 0.004});
  }
  std::vector<float> out(Samples(seconds * 1.05), 0.0f);
  AddModes(out, 0, modes);
  Fade(out, 0.0, 0.05);
  return out;
}

std::vector<float> Bell(double freq, double seconds, double brightness) {
  const Mode modes[] = {
      {freq, 0.4, seconds, 0.001},
      {freq * 2.0, 0.1, seconds * 0.5, 0.001},
      {freq * 2.76, 0.18 * brightness, seconds * 0.35, 0.0005},
      {freq * 5.40, 0.1 * brightness, seconds * 0.18, 0.0003},
      {freq * 8.93, 0.05 * brightness * brightness, seconds * 0.1, 0.0002},
  };
  // Partials above the ear's comfort are dropped: sparkle, not sizzle.
  std::vector<Mode> soft;
  for (const Mode& m : modes)
    if (m.freq < 12000.0) soft.push_back(m);
  std::vector<float> out(Samples(seconds * 1.05), 0.0f);
  AddModes(out, 0, soft);
  Fade(out, 0.0, 0.02);
  return out;
}

std::vector<float> Wood(double freq, double seconds, double hardness) {
  const std::vector<Mode> modes = {
      {freq, 1.0, seconds, 0.0015},
      {freq * 3.93, 0.45 * hardness + 0.1, seconds * 0.35, 0.0008},
      {freq * 9.2, 0.25 * hardness, seconds * 0.12, 0.0004},
  };
  std::vector<float> out(Samples(seconds * 1.05), 0.0f);
  AddModes(out, 0, modes);
  // The stick's contact: a very short bright noise click.
  Noise noise(uint32_t(freq * 131.0));
  Svf click;
  click.Set(2500.0 + 3000.0 * hardness, 0.7);
  const size_t n = std::min(out.size(), Samples(0.012));
  for (size_t i = 0; i < n; ++i)
    out[i] += float(0.35 * hardness * click.Band(noise.Next()) * std::exp(-double(i) / (RATE * 0.0025)));
  Fade(out, 0.0008, 0.01);
  return out;
}

std::vector<float> HandDrum(double freq, double seconds, uint32_t seed) {
  std::vector<float> out(Samples(seconds), 0.0f);
  const double rate = std::log(1000.0) / (seconds * 0.7);
  double phase = 0.0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / RATE;
    phase += 2.0 * PI * freq * (1.0 + 0.5 * std::exp(-t / 0.025)) / RATE;
    out[i] = float(2.0 * std::sin(phase) * std::exp(-rate * t) * Rise(t, 0.002));
  }
  std::vector<Mode> skin = {{freq * 1.59, 0.6, seconds * 0.3, 0.001},
                            {freq * 2.14, 0.36, seconds * 0.22, 0.001},
                            {freq * 2.65, 0.2, seconds * 0.15, 0.001}};
  AddModes(out, 0, skin);
  Noise noise(seed);
  Svf slap;
  slap.Set(1200.0, 0.8);
  const size_t n = std::min(out.size(), Samples(0.03));
  for (size_t i = 0; i < n; ++i)
    out[i] += float(0.5 * slap.Band(noise.Next()) * std::exp(-double(i) / (RATE * 0.006)));
  Fade(out, 0.001, 0.03);
  return out;
}

std::vector<float> Gong(double freq, double seconds, uint32_t seed) {
  Noise noise(seed);
  std::vector<Mode> modes;
  // Inharmonic partials that crowd upward as on a hammered plate; the upper ones swell
  // in after the stroke (the bloom) and die sooner. Each is doubled for a slow beat.
  double ratio = 1.0;
  for (int k = 0; k < 34 && freq * ratio < 5000.0; ++k) {
    const double f = freq * ratio;
    const double amp = 0.8 / (1.0 + 0.1 * k);
    const double attack = 0.004 + std::min(0.35, 0.015 * k);
    const double decay = seconds * std::max(0.35, 1.0 - 0.025 * k);
    modes.push_back({f, amp, decay, attack});
    modes.push_back({f * 1.0023, amp * 0.6, decay * 0.85, attack * 1.3});
    ratio *= 1.08 + 0.06 * noise.Uniform(0.0, 1.0);
  }
  // The hum below the strike note and the mallet's felt thump.
  modes.push_back({freq * 0.5, 0.5, seconds * 0.9, 0.02});
  modes.push_back({freq * 0.71, 0.6, 0.35, 0.002});
  std::vector<float> out(Samples(seconds * 1.05), 0.0f);
  AddModes(out, 0, modes);
  Fade(out, 0.001, seconds * 0.1);
  return out;
}

std::vector<float> Drone(double freq, double seconds, double swell, uint32_t seed, double period) {
  std::vector<float> out(Samples(seconds), 0.0f);
  Noise noise(seed);
  // With a period, every frequency is rounded to whole cycles in it, so the drone
  // repeats exactly and can run under a loop without a seam.
  auto fit = [period](double f) { return period > 0.0 ? std::max(1.0, std::round(f * period)) / period : f; };
  struct Voice {
    Phasor osc;
    double amp, lfoRate, lfoPhase;
  };
  std::vector<Voice> voices;
  for (int h = 1; h <= 7; ++h) {
    const double amp = 0.5 / std::pow(h, 1.7);
    for (int v = 0; v < 2; ++v) {
      const double detune = (v ? 1.0 : -1.0) * 0.12 * h;
      voices.push_back({Phasor(fit(freq * h + detune), noise.Uniform(0, 2 * PI)), amp,
                        fit(noise.Uniform(0.04, 0.16)), noise.Uniform(0, 2 * PI)});
    }
  }
  const size_t BLOCK = 64;
  for (size_t b = 0; b < out.size(); b += BLOCK) {
    const double t = double(b) / RATE;
    const size_t end = std::min(out.size(), b + BLOCK);
    for (Voice& v : voices) {
      const double g = v.amp * (0.65 + 0.35 * std::sin(2 * PI * v.lfoRate * t + v.lfoPhase));
      for (size_t i = b; i < end; ++i) out[i] += float(g * v.osc.Next());
      v.osc.Renormalise();
    }
  }
  if (swell > 0.0) {
    for (size_t i = 0; i < out.size(); ++i) {
      const double t = double(i) / RATE;
      out[i] *= float(Rise(t, swell) * Rise(seconds - t, swell));
    }
  }
  return out;
}

std::vector<float> NoiseBurst(double centre, double q, double seconds, double decay, uint32_t seed) {
  std::vector<float> out(Samples(seconds), 0.0f);
  Noise noise(seed);
  Svf f;
  f.Set(centre, q);
  const double rate = std::log(1000.0) / decay;
  for (size_t i = 0; i < out.size(); ++i) {
    const double t = double(i) / RATE;
    out[i] = float(f.Band(noise.Next()) * std::exp(-rate * t) * Rise(t, 0.003));
  }
  Fade(out, 0.0, std::min(0.01, seconds * 0.2));
  return out;
}

}  // namespace audio
