#include "audio_music.h"

#include "audio_instruments.h"

#include <algorithm>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace audio {

namespace {

constexpr double TAIL_SECONDS = 10.0;

// Music sits under the effects; its loudness target is set per song by the caller.
constexpr double MUSIC_PEAK_CEILING_DB = -1.8;

}  // namespace

std::vector<LineNote> ParseLine(const std::string& line) {
  std::vector<LineNote> notes;
  std::string spaced = line;
  std::replace(spaced.begin(), spaced.end(), '|', ' ');
  std::istringstream in(spaced);
  int step = 0;
  bool holding = false;
  for (std::string token; in >> token;) {
    if (token == "-") {
      if (holding) ++notes.back().length;
    } else if (token == ".") {
      holding = false;
    } else {
      notes.push_back({step, 1, NoteFreq(token.c_str())});
      holding = true;
    }
    ++step;
  }
  return notes;
}

namespace {

// A per-instrument note counter, so every note of a line sounds a little different.
std::function<uint32_t()> Counter(uint32_t seed) {
  auto next = std::make_shared<uint32_t>(seed);
  return [next] { return (*next)++ * 2654435761u + 1u; };
}

}  // namespace

Instrument Plucked(double brightness, double ringSeconds, uint32_t seed) {
  auto next = Counter(seed);
  return [=](double freq, double seconds) {
    return Pluck(freq, std::max(seconds, ringSeconds), brightness, next());
  };
}

Instrument BambooFlute(uint32_t seed) {
  auto next = Counter(seed);
  return [=](double freq, double seconds) { return Flute(freq, seconds * 0.96, next()); };
}

Instrument Mallet(double hardness, double ringSeconds) {
  return [=](double freq, double) { return Wood(freq, ringSeconds, hardness); };
}

Instrument Chime(double brightness, double ringSeconds) {
  return [=](double freq, double) { return Bell(freq, ringSeconds, brightness); };
}

Song::Song(double bpm, int beats, uint32_t seed)
    : bpm_(bpm), loop_(Samples(beats * 60.0 / bpm)), rng_(seed), mix_(loop_ + Samples(TAIL_SECONDS)) {}

void Song::Add(const std::vector<float>& note, double beat, double gain, double pan) {
  const double jitter = rng_.Uniform(-0.006, 0.006);
  const double seconds = std::max(0.0, beat * BeatSeconds() + jitter);
  const size_t at = Samples(seconds);
  if (at >= loop_) throw std::runtime_error("note placed after the end of the loop");
  MixInto(mix_, note, at, gain * rng_.Uniform(0.9, 1.05), Pan(pan));
}

void Song::Play(const std::string& line, double beat, double stepBeats, const Instrument& instrument,
                double gain, double pan) {
  for (const LineNote& n : ParseLine(line))
    Add(instrument(n.freq, n.length * stepBeats * BeatSeconds()), beat + n.step * stepBeats, gain, pan);
}

void Song::AddDrone(double freq, double gain, double pan) {
  const double period = double(loop_) / RATE;
  const auto drone = Drone(freq, period, 0.0, uint32_t(freq * 7.0), period);
  const Pan p(pan);
  for (size_t i = 0; i < drone.size(); ++i) {
    mix_.left[i] += drone[i] * float(gain) * p.l;
    mix_.right[i] += drone[i] * float(gain) * p.r;
  }
}

void Song::Finish(Output& out, const std::string& name, const ReverbParams& reverb, double loudnessDb) {
  Stereo s = std::move(mix_);
  Reverb(s, reverb);
  FoldLoop(s, loop_);
  RemoveDcLooped(s);
  Normalise(s, loudnessDb, double(loop_) / RATE, MUSIC_PEAK_CEILING_DB);
  WriteOgg(out, name, s, {2, 0.3f, -1.0});
}

}  // namespace audio
