// Small deterministic synthesis kit for the game's sounds: a stereo buffer, decaying
// sine modes (bells, wood, bowls), filters, plucked strings, a plate-like reverb and
// level helpers. Buffers are float at 44.1 kHz; only seeded randomness is used, so two
// runs give the same samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace audio {

constexpr int RATE = 44100;
constexpr double PI = 3.14159265358979323846;

size_t Samples(double seconds);
double DbToGain(double db);
double GainToDb(double gain);

// Two channels of equal length.
struct Stereo {
  std::vector<float> left, right;

  Stereo() = default;
  explicit Stereo(size_t n) : left(n, 0.0f), right(n, 0.0f) {}
  size_t Size() const { return left.size(); }
  void Resize(size_t n) {
    left.resize(n, 0.0f);
    right.resize(n, 0.0f);
  }
};

// Equal-power pan: -1 is hard left, +1 hard right.
struct Pan {
  float l, r;
  explicit Pan(double position);
};

// Adds a mono signal into a stereo buffer at sample offset `at` (growing it if needed).
void MixInto(Stereo& dst, const std::vector<float>& src, size_t at, double gain, Pan pan);
void MixInto(Stereo& dst, const Stereo& src, size_t at, double gain);

// Uniform white noise in [-1, 1).
class Noise {
public:
  explicit Noise(uint32_t seed) : state_(seed ? seed : 0x2545F491u) {}
  float Next();
  double Uniform(double lo, double hi);

private:
  uint32_t state_;
};

// One exponentially decaying sine: a mode of a struck object. decay is the time for
// the amplitude to fall by 60 dB; attack (seconds) softens the onset; amp is the
// envelope's peak either way.
struct Mode {
  double freq;
  double amp;
  double decay;
  double attack = 0.0;
};
// Adds the modes into `out` starting at sample `at`; a mode stops when it is inaudible.
void AddModes(std::vector<float>& out, size_t at, const std::vector<Mode>& modes);

// Trapezoidal state-variable filter: stable at any cutoff, which may change every
// sample (Set costs a tan, so sweeps usually update it every few samples).
class Svf {
public:
  void Set(double cutoffHz, double q);
  float Low(float in);
  float Band(float in);  // unity gain at the centre
  float High(float in);

private:
  void Step(float in);
  double a1_ = 0, a2_ = 0, a3_ = 0, k_ = 1;
  double ic1_ = 0, ic2_ = 0;
  double v0_ = 0, v1_ = 0, v2_ = 0;
};

// First-order low-pass and high-pass filters, in place.
void LowPass(std::vector<float>& x, double cutoffHz);
void HighPass(std::vector<float>& x, double cutoffHz);

// Karplus–Strong plucked string with a soft pick and slight stiffness.
// brightness 0..1 sets the pick's low-pass and the loop damping.
std::vector<float> Pluck(double freq, double seconds, double brightness, uint32_t seed);

// Stereo reverb (parallel combs into series all-passes per channel), in place.
// The buffer should already hold room for the tail.
struct ReverbParams {
  double roomSize = 0.8;  // 0..1, longer tails when larger
  double damping = 0.4;   // 0..1, darker tails when larger
  double wet = 0.3;
  double dry = 1.0;
  double preDelay = 0.02;  // seconds
};
void Reverb(Stereo& buf, const ReverbParams& p);

// Fades in and out with raised-cosine ramps, in seconds.
void Fade(Stereo& buf, double inSeconds, double outSeconds);
void Fade(std::vector<float>& x, double inSeconds, double outSeconds);
// Removes DC and sub-audio rumble with a gentle high-pass, both channels.
void RemoveDc(Stereo& buf);
// The same for a loop: the filter starts in the state it ends in, so the seam stays
// continuous.
void RemoveDcLooped(Stereo& buf);
void Scale(Stereo& buf, double gain);

double Peak(const Stereo& buf);
double Rms(const Stereo& buf);  // over the whole buffer, both channels
// RMS of the loudest window (seconds long), a measure of the main part of an effect.
double LoudestRms(const Stereo& buf, double windowSeconds);

// Rough perceived level in dB: RMS of the loudest window after a weighting that
// discounts bass and favours presence (about like the ear's at moderate levels).
double Loudness(const Stereo& buf, double windowSeconds);
// Scales to a target loudness, then lowers the level if the peak would pass the ceiling.
void Normalise(Stereo& buf, double targetDb, double windowSeconds, double peakCeilingDb);

// Seamless loops of `loopLen` samples from a longer render:
// Fold adds everything after the loop end onto its start (ringing notes and reverb
// carry over as if the piece had just played); Crossfade blends the overhang into the
// start with equal-power curves (for steady noise beds). Both shorten buf to loopLen.
void FoldLoop(Stereo& buf, size_t loopLen);
void CrossfadeLoop(Stereo& buf, size_t loopLen);

// Converts a pitch name such as "a4", "f#5" or "bb3" to its frequency (A4 = 440 Hz).
double NoteFreq(const char* name);
double MidiFreq(double midi);

}  // namespace audio
