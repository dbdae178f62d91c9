// "Voyage to Enlightment": a slow, walking meditation in E minor pentatonic at 60 beats
// a minute. A drone and a soft drum pulse keep travelling; a zither wanders over the
// scale (chosen afresh each bar from a seeded walk); the low flute sings long phrases,
// and singing bowls mark each stage of the way.
#include "audio_generators.h"
#include "audio_instruments.h"
#include "audio_music.h"

#include <algorithm>

using namespace audio;

namespace {

constexpr int BARS = 24;
constexpr double BAR = 4.0;  // beats

const char* const SCALE[] = {"e3", "g3", "a3", "b3", "d4", "e4", "g4", "a4", "b4", "d5", "e5"};
constexpr int SCALE_SIZE = 11;

const char* const PHRASES[] = {
    "e4 - - - - - g4 - | a4 - - - b4 - - - | d5 - - - b4 - a4 - | b4 - - - - - . .",
    "g4 - - - a4 - b4 - | e5 - - - d5 - - - | b4 - a4 - g4 - a4 - | e4 - - - - - . .",
    "b4 - - - d5 - e5 - | g5 - - - - - e5 - | d5 - - - b4 - d5 - | e5 - - - - - . .",
    "d5 - - - b4 - a4 - | g4 - - - a4 - - - | b4 - - - a4 - g4 - | e4 - - - - - . .",
};

// The footsteps: a soft low beat on one and three, lighter touches between.
void Pulse(Song& song, int bar, double level) {
  const double b = bar * BAR;
  song.Add(HandDrum(70.0, 0.7, 800 + bar), b, 0.3 * level, 0.0);
  song.Add(HandDrum(92.0, 0.35, 820 + bar), b + 1.0, 0.09 * level, 0.25);
  song.Add(HandDrum(76.0, 0.6, 840 + bar), b + 2.0, 0.22 * level, 0.0);
  song.Add(HandDrum(98.0, 0.3, 860 + bar), b + 3.0, 0.07 * level, -0.25);
}

// A seeded walk over the scale in eighth notes, resting now and then.
void Wander(Song& song, int bar, const Instrument& zither, double level, int& position) {
  for (int step = 0; step < 8; ++step) {
    const double roll = song.Rng().Uniform(0.0, 1.0);
    if (step % 2 == 1 && roll < 0.45) continue;
    position += int(song.Rng().Uniform(-2.0, 2.99));
    position = std::clamp(position, 2, SCALE_SIZE - 1);
    const double accent = step % 4 == 0 ? 1.0 : 0.7;
    song.Add(zither(NoteFreq(SCALE[position]), 1.8), bar * BAR + step * 0.5, level * accent, 0.4);
  }
}

}  // namespace

void WriteSong3(Output& out, const Sources&) {
  Song song(60.0, BARS * int(BAR), 1003);
  song.AddDrone(NoteFreq("e2"), 0.13, -0.15);
  song.AddDrone(NoteFreq("b2"), 0.075, 0.2);

  const Instrument zither = Plucked(0.35, 1.8, 2003);
  const Instrument bass = Plucked(0.2, 3.5, 2103);
  int position = 5;
  for (int bar = 0; bar < BARS; ++bar) {
    const bool quiet = bar < 4 || bar >= 22;
    Pulse(song, bar, quiet ? 0.7 : 1.0);
    song.Play(bar % 2 == 0 ? "e2 . b1 ." : "e2 . d2 .", bar * BAR, 1.0, bass, 0.4, 0.0);
    Wander(song, bar, zither, quiet ? 0.4 : 0.3, position);
  }

  const Instrument flute = BambooFlute(3003);
  for (int k = 0; k < 4; ++k) song.Play(PHRASES[k], (4 + 4 * k + (k >= 2 ? 2 : 0)) * BAR, 0.5, flute, 0.55, -0.2);

  static const char* const BOWLS[] = {"e4", "b3", "g4", "e4", "b3", "a3"};
  for (int k = 0; k < 6; ++k) song.Add(Bowl(NoteFreq(BOWLS[k]), 10.0, 0.8), k * 4 * BAR, 0.4, k % 2 ? 0.3 : -0.3);

  song.Finish(out, "song3.ogg", {0.88, 0.5, 0.34, 0.85, 0.03}, -25.0);
}
