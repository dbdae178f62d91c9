// Arranging the songs: a loop measured in beats that notes are placed on, melody lines
// written as short text, gentle humanising, and the finishing of a song (reverb,
// folding the tail onto the start so the loop is seamless, level, encoding).
#pragma once

#include "audio_ogg.h"
#include "audio_synth.h"

#include <functional>
#include <string>
#include <vector>

namespace audio {

// A note of a written line: start and length in steps, pitch in Hz.
struct LineNote {
  int step;
  int length;
  double freq;
};

// Parses a line such as "a4 - d5 . | e5 - - -": one token per step; a pitch name
// starts a note, "-" holds it one more step, "." is a rest, "|" marks a bar (no step).
std::vector<LineNote> ParseLine(const std::string& line);

// Renders one note: frequency in Hz and sounding length in seconds.
using Instrument = std::function<std::vector<float>(double freq, double seconds)>;

// Ready-made instruments. Each note gets its own noise seed from a running counter.
Instrument Plucked(double brightness, double ringSeconds, uint32_t seed);
Instrument BambooFlute(uint32_t seed);
Instrument Mallet(double hardness, double ringSeconds);
Instrument Chime(double brightness, double ringSeconds);

class Song {
public:
  // A loop of `beats` beats at `bpm`; room is kept after it for ringing notes.
  Song(double bpm, int beats, uint32_t seed);

  double BeatSeconds() const { return 60.0 / bpm_; }
  size_t LoopSamples() const { return loop_; }
  Noise& Rng() { return rng_; }

  // Places a rendered note at a beat (slightly loosened in time and level).
  void Add(const std::vector<float>& note, double beat, double gain, double pan);
  // Plays a written line from `beat`, each step lasting `stepBeats`.
  void Play(const std::string& line, double beat, double stepBeats, const Instrument& instrument,
            double gain, double pan);
  // A drone under the whole loop that repeats exactly with it.
  void AddDrone(double freq, double gain, double pan);

  // Reverb, loop folding, DC removal, level; then writes sfx/<name>.
  void Finish(Output& out, const std::string& name, const ReverbParams& reverb, double loudnessDb);

private:
  double bpm_;
  size_t loop_;
  Noise rng_;
  Stereo mix_;
};

}  // namespace audio
