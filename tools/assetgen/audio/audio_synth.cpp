#include "audio_synth.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace audio {

size_t Samples(double seconds) { return size_t(std::max(0.0, std::round(seconds * RATE))); }
double DbToGain(double db) { return std::pow(10.0, db / 20.0); }
double GainToDb(double gain) { return 20.0 * std::log10(std::max(gain, 1e-12)); }

Pan::Pan(double position) {
  const double a = (std::clamp(position, -1.0, 1.0) + 1.0) * PI / 4.0;
  // Scaled so that the centre keeps unit gain on both sides.
  l = float(std::cos(a) * std::sqrt(2.0));
  r = float(std::sin(a) * std::sqrt(2.0));
}

void MixInto(Stereo& dst, const std::vector<float>& src, size_t at, double gain, Pan pan) {
  if (dst.Size() < at + src.size()) dst.Resize(at + src.size());
  const float gl = float(gain) * pan.l, gr = float(gain) * pan.r;
  for (size_t i = 0; i < src.size(); ++i) {
    dst.left[at + i] += src[i] * gl;
    dst.right[at + i] += src[i] * gr;
  }
}

void MixInto(Stereo& dst, const Stereo& src, size_t at, double gain) {
  if (dst.Size() < at + src.Size()) dst.Resize(at + src.Size());
  for (size_t i = 0; i < src.Size(); ++i) {
    dst.left[at + i] += src.left[i] * float(gain);
    dst.right[at + i] += src.right[i] * float(gain);
  }
}

float Noise::Next() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return float(double(state_) / 2147483648.0 - 1.0);
}

double Noise::Uniform(double lo, double hi) { return lo + (hi - lo) * (Next() * 0.5 + 0.5); }

void AddModes(std::vector<float>& out, size_t at, const std::vector<Mode>& modes) {
  for (const Mode& m : modes) {
    if (m.freq <= 0.0 || m.freq >= RATE * 0.45 || m.amp == 0.0) continue;
    // Two rotating phasors: the mode and a faster-decaying copy whose difference gives
    // a smooth attack. −100 dB is the end of a mode.
    const double rate = std::log(1000.0) / std::max(m.decay, 1e-4);
    const double rateA = m.attack > 0.0 ? rate + 1.0 / m.attack : 0.0;
    const double w = 2.0 * PI * m.freq / RATE;
    const double c = std::cos(w), s = std::sin(w);
    const double d1 = std::exp(-rate / RATE), d2 = std::exp(-rateA / RATE);
    const size_t n = std::min(out.size() > at ? out.size() - at : 0,
                              Samples(m.decay * 5.0 / 3.0));
    double re1 = 1.0, im1 = 0.0, re2 = 1.0, im2 = 0.0;
    const bool soft = m.attack > 0.0;
    // With an attack the envelope e^-at - e^-bt peaks below 1; scale it so amp is its peak.
    double amp = m.amp;
    if (soft) {
      const double peakTime = std::log(rateA / rate) / (rateA - rate);
      amp /= std::exp(-rate * peakTime) - std::exp(-rateA * peakTime);
    }
    float* o = out.data() + at;
    for (size_t i = 0; i < n; ++i) {
      o[i] += float(amp * (soft ? im1 - im2 : im1));
      const double r1 = (re1 * c - im1 * s) * d1;
      im1 = (re1 * s + im1 * c) * d1;
      re1 = r1;
      if (soft) {
        const double r2 = (re2 * c - im2 * s) * d2;
        im2 = (re2 * s + im2 * c) * d2;
        re2 = r2;
      }
    }
  }
}

void Svf::Set(double cutoffHz, double q) {
  const double g = std::tan(PI * std::clamp(cutoffHz, 10.0, RATE * 0.45) / RATE);
  k_ = 1.0 / std::max(q, 0.05);
  a1_ = 1.0 / (1.0 + g * (g + k_));
  a2_ = g * a1_;
  a3_ = g * a2_;
}

void Svf::Step(float in) {
  v0_ = in;
  const double v3 = v0_ - ic2_;
  v1_ = a1_ * ic1_ + a2_ * v3;
  v2_ = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0 * v1_ - ic1_;
  ic2_ = 2.0 * v2_ - ic2_;
}

float Svf::Low(float in) {
  Step(in);
  return float(v2_);
}

float Svf::Band(float in) {
  Step(in);
  return float(k_ * v1_);
}

float Svf::High(float in) {
  Step(in);
  return float(v0_ - k_ * v1_ - v2_);
}

void LowPass(std::vector<float>& x, double cutoffHz) {
  const double a = 1.0 - std::exp(-2.0 * PI * cutoffHz / RATE);
  double y = 0.0;
  for (float& v : x) v = float(y += a * (v - y));
}

namespace {

struct OnePoleHighPass {
  double a, prevIn = 0.0, y = 0.0;
  explicit OnePoleHighPass(double cutoffHz) : a(std::exp(-2.0 * PI * cutoffHz / RATE)) {}
  float Step(float v) {
    y = a * (y + v - prevIn);
    prevIn = v;
    return float(y);
  }
};

// A first pass over the loop brings the filter to the state the loop's end leaves it
// in; the second pass starts from there, so the seam sees no start-up transient.
void HighPassLooped(std::vector<float>& x, double cutoffHz) {
  OnePoleHighPass f(cutoffHz);
  for (float v : x) f.Step(v);
  for (float& v : x) v = f.Step(v);
}

}  // namespace

void HighPass(std::vector<float>& x, double cutoffHz) {
  OnePoleHighPass f(cutoffHz);
  for (float& v : x) v = f.Step(v);
}

std::vector<float> Pluck(double freq, double seconds, double brightness, uint32_t seed) {
  std::vector<float> out(Samples(seconds), 0.0f);
  // Loop length with a first-order all-pass for the fractional part of the period
  // (the averaging loop filter adds half a sample).
  const double period = double(RATE) / freq - 0.5;
  const size_t n = std::max<size_t>(2, size_t(period - 0.1));
  const double frac = period - double(n);
  const double apc = (1.0 - frac) / (1.0 + frac);
  std::vector<double> line(n, 0.0);
  Noise noise(seed);
  // Excitation: a noise burst through two low-pass poles set by the brightness (a
  // soft finger rather than a hard pick), with its mean removed so the string carries
  // no DC.
  double lp1 = 0.0, lp2 = 0.0, mean = 0.0;
  const double pick = 0.08 + 0.5 * brightness;
  for (size_t i = 0; i < n; ++i) {
    lp1 += pick * (noise.Next() - lp1);
    lp2 += pick * (lp1 - lp2);
    line[i] = lp2 * 2.0;
    mean += line[i];
  }
  mean /= double(n);
  for (double& v : line) v -= mean;
  // Loop gain: higher notes lose less per pass so notes of all pitches ring similarly.
  const double decay = 0.9955 + 0.004 * brightness;
  const double loss = std::pow(decay, 440.0 / freq);
  const double s = 0.5 - 0.25 * brightness;  // weight of the older sample in the filter
  double prev = 0.0, apIn = 0.0, apOut = 0.0;
  size_t p = 0;
  for (size_t i = 0; i < out.size(); ++i) {
    const double cur = line[p];
    const double filtered = loss * ((1.0 - s) * cur + s * prev);
    prev = cur;
    const double y = apc * filtered + apIn - apc * apOut;
    apIn = filtered;
    apOut = y;
    line[p] = y;
    p = p + 1 == n ? 0 : p + 1;
    out[i] = float(cur);
  }
  Fade(out, 0.002, std::min(0.05, seconds * 0.2));
  return out;
}

namespace {

class Comb {
public:
  explicit Comb(size_t n) : buf_(n, 0.0f) {}
  float Step(float in, float feedback, float damp) {
    const float y = buf_[p_];
    store_ = y * (1.0f - damp) + store_ * damp;
    buf_[p_] = in + store_ * feedback;
    p_ = p_ + 1 == buf_.size() ? 0 : p_ + 1;
    return y;
  }

private:
  std::vector<float> buf_;
  size_t p_ = 0;
  float store_ = 0.0f;
};

class AllPass {
public:
  explicit AllPass(size_t n) : buf_(n, 0.0f) {}
  float Step(float in) {
    const float b = buf_[p_];
    buf_[p_] = in + b * 0.5f;
    p_ = p_ + 1 == buf_.size() ? 0 : p_ + 1;
    return b - in;
  }

private:
  std::vector<float> buf_;
  size_t p_ = 0;
};

void ReverbChannel(const std::vector<float>& in, std::vector<float>& wetOut, int spread,
                   const ReverbParams& p) {
  static const int COMBS[] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int PASSES[] = {556, 441, 341, 225};
  std::vector<Comb> combs;
  for (int c : COMBS) combs.emplace_back(size_t(c + spread));
  std::vector<AllPass> passes;
  for (int a : PASSES) passes.emplace_back(size_t(a + spread));
  const float feedback = float(0.7 + 0.28 * p.roomSize);
  const float damp = float(0.4 * p.damping);
  const size_t pre = Samples(p.preDelay);
  wetOut.assign(in.size(), 0.0f);
  for (size_t i = 0; i < in.size(); ++i) {
    const float x = i >= pre ? in[i - pre] * 0.015f : 0.0f;
    float sum = 0.0f;
    for (Comb& c : combs) sum += c.Step(x, feedback, damp);
    for (AllPass& a : passes) sum = a.Step(sum);
    wetOut[i] = sum;
  }
}

}  // namespace

void Reverb(Stereo& buf, const ReverbParams& p) {
  std::vector<float> mono(buf.Size());
  for (size_t i = 0; i < mono.size(); ++i) mono[i] = buf.left[i] + buf.right[i];
  std::vector<float> wl, wr;
  ReverbChannel(mono, wl, 0, p);
  ReverbChannel(mono, wr, 23, p);
  const float wet = float(p.wet * 3.0), dry = float(p.dry);
  for (size_t i = 0; i < mono.size(); ++i) {
    buf.left[i] = buf.left[i] * dry + wl[i] * wet;
    buf.right[i] = buf.right[i] * dry + wr[i] * wet;
  }
}

void Fade(std::vector<float>& x, double inSeconds, double outSeconds) {
  const size_t n = x.size();
  const size_t a = std::min(n, Samples(inSeconds)), b = std::min(n, Samples(outSeconds));
  for (size_t i = 0; i < a; ++i) x[i] *= float(0.5 - 0.5 * std::cos(PI * double(i) / double(a)));
  for (size_t i = 0; i < b; ++i)
    x[n - 1 - i] *= float(0.5 - 0.5 * std::cos(PI * double(i) / double(b)));
}

void Fade(Stereo& buf, double inSeconds, double outSeconds) {
  Fade(buf.left, inSeconds, outSeconds);
  Fade(buf.right, inSeconds, outSeconds);
}

void RemoveDc(Stereo& buf) {
  HighPass(buf.left, 18.0);
  HighPass(buf.right, 18.0);
}

void RemoveDcLooped(Stereo& buf) {
  HighPassLooped(buf.left, 18.0);
  HighPassLooped(buf.right, 18.0);
}

void Scale(Stereo& buf, double gain) {
  for (float& v : buf.left) v *= float(gain);
  for (float& v : buf.right) v *= float(gain);
}

double Peak(const Stereo& buf) {
  float p = 0.0f;
  for (float v : buf.left) p = std::max(p, std::fabs(v));
  for (float v : buf.right) p = std::max(p, std::fabs(v));
  return p;
}

double Rms(const Stereo& buf) {
  double sum = 0.0;
  for (size_t i = 0; i < buf.Size(); ++i)
    sum += double(buf.left[i]) * buf.left[i] + double(buf.right[i]) * buf.right[i];
  return buf.Size() ? std::sqrt(sum / (2.0 * double(buf.Size()))) : 0.0;
}

double LoudestRms(const Stereo& buf, double windowSeconds) {
  const size_t n = buf.Size(), w = std::max<size_t>(1, std::min(n, Samples(windowSeconds)));
  if (n == 0) return 0.0;
  std::vector<double> prefix(n + 1, 0.0);
  for (size_t i = 0; i < n; ++i)
    prefix[i + 1] = prefix[i] + double(buf.left[i]) * buf.left[i] +
                    double(buf.right[i]) * buf.right[i];
  double best = 0.0;
  for (size_t i = 0; i + w <= n; ++i) best = std::max(best, prefix[i + w] - prefix[i]);
  return std::sqrt(best / (2.0 * double(w)));
}

double Loudness(const Stereo& buf, double windowSeconds) {
  Stereo w = buf;
  for (std::vector<float>* ch : {&w.left, &w.right}) {
    HighPass(*ch, 120.0);
    std::vector<float> presence = *ch;
    HighPass(presence, 1500.0);
    for (size_t i = 0; i < ch->size(); ++i) (*ch)[i] += 0.6f * presence[i];
  }
  return GainToDb(LoudestRms(w, windowSeconds));
}

void Normalise(Stereo& buf, double targetDb, double windowSeconds, double peakCeilingDb) {
  Scale(buf, DbToGain(targetDb - Loudness(buf, windowSeconds)));
  const double peak = Peak(buf), ceiling = DbToGain(peakCeilingDb);
  if (peak > ceiling) Scale(buf, ceiling / peak);
}

void FoldLoop(Stereo& buf, size_t loopLen) {
  for (size_t i = loopLen; i < buf.Size(); ++i) {
    buf.left[i % loopLen] += buf.left[i];
    buf.right[i % loopLen] += buf.right[i];
  }
  buf.Resize(loopLen);
}

void CrossfadeLoop(Stereo& buf, size_t loopLen) {
  const size_t overlap = buf.Size() - loopLen;
  for (size_t i = 0; i < overlap && i < loopLen; ++i) {
    const double a = 0.5 * PI * (double(i) + 0.5) / double(overlap);
    const float in = float(std::sin(a)), out = float(std::cos(a));
    buf.left[i] = buf.left[i] * in + buf.left[loopLen + i] * out;
    buf.right[i] = buf.right[i] * in + buf.right[loopLen + i] * out;
  }
  buf.Resize(loopLen);
}

double MidiFreq(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

double NoteFreq(const char* name) {
  static const int STEPS[] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
  const std::string s(name);
  if (s.empty() || s[0] < 'a' || s[0] > 'g') throw std::runtime_error("bad note " + s);
  int semis = STEPS[s[0] - 'a'];
  size_t i = 1;
  if (i < s.size() && s[i] == '#') ++semis, ++i;
  else if (i < s.size() && s[i] == 'b') --semis, ++i;
  if (i >= s.size() || s[i] < '0' || s[i] > '9') throw std::runtime_error("bad note " + s);
  const int octave = std::stoi(s.substr(i));
  return MidiFreq(12.0 * (octave + 1) + semis);
}

}  // namespace audio
