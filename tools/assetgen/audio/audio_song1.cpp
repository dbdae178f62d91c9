// "Title Theme": a welcoming tune in D major pentatonic at 80 beats a minute. A zither
// ostinato and a drone run through the whole loop; the bamboo flute sings the theme
// and its answer, hand drums join in the middle, the zither takes the theme last and
// hands back to the quiet opening.
#include "audio_generators.h"
#include "audio_instruments.h"
#include "audio_music.h"

using namespace audio;

namespace {

constexpr int BARS = 32;
constexpr double BAR = 4.0;  // beats

// One root a bar, cycling D, B minor, E, A; the ostinato spells each in eighths.
const char* const ROOTS[] = {"d2", "b1", "e2", "a1"};
const char* const OSTINATO[] = {
    "d4 a4 d5 e5 f#5 e5 d5 a4",
    "b3 f#4 b4 d5 e5 d5 b4 f#4",
    "e4 b4 e5 f#5 a5 f#5 e5 b4",
    "a3 e4 a4 b4 e5 b4 a4 e4",
};

// The theme and its answer, eighth notes, eight bars each.
const char* const THEME =
    "a4 - d5 - e5 - f#5 - | a5 - - - f#5 - e5 - | d5 - e5 - f#5 - b4 - | a4 - - - - - . . |"
    "a4 - d5 - e5 - f#5 - | a5 - - - b5 - a5 - | f#5 - e5 - d5 - e5 - | d5 - - - - - . .";
const char* const ANSWER =
    "b5 - a5 - f#5 - a5 - | b5 - - - d6 - b5 - | a5 - f#5 - e5 - f#5 - | a5 - - - - - . . |"
    "b5 - a5 - f#5 - e5 - | d5 - e5 - f#5 - a5 - | b5 - a5 - f#5 - e5 - | e5 - - - - - . .";
// Long flute notes over the zither's theme in the last section.
const char* const HARMONY =
    "f#5 - - - - - - - | e5 - - - - - - - | b4 - - - - - - - | a4 - - - e5 - - - |"
    "f#5 - - - - - - - | d5 - - - - - - - | b4 - - - - - - - | . . . . . . . .";

void Percussion(Song& song, int bar) {
  const double b = bar * BAR;
  song.Add(HandDrum(82.0, 0.5, 7 + bar), b, 0.35, -0.1);
  song.Add(HandDrum(130.0, 0.3, 9 + bar), b + 1.5, 0.12, 0.3);
  song.Add(HandDrum(110.0, 0.4, 11 + bar), b + 2.0, 0.24, -0.1);
  song.Add(HandDrum(150.0, 0.25, 13 + bar), b + 3.5, 0.08, 0.3);
  for (int k = 0; k < 4; ++k) song.Add(NoiseBurst(6500.0, 1.0, 0.07, 0.045, 17 + bar * 4 + k), b + k + 0.5, 0.1, 0.45);
}

// A few wind chimes drifting in at random moments of a bar.
void Chimes(Song& song, int bar, int count) {
  static const char* const NOTES[] = {"a5", "b5", "d6", "e6", "f#6", "a6"};
  for (int k = 0; k < count; ++k) {
    const double at = bar * BAR + song.Rng().Uniform(0.0, BAR - 0.2);
    const char* note = NOTES[int(song.Rng().Uniform(0.0, 5.99))];
    song.Add(Bell(NoteFreq(note), 2.5, 0.5), at, 0.15, song.Rng().Uniform(-0.7, 0.7));
  }
}

}  // namespace

void WriteSong1(Output& out, const Sources&) {
  Song song(80.0, BARS * int(BAR), 1001);
  song.AddDrone(NoteFreq("d2"), 0.12, -0.2);
  song.AddDrone(NoteFreq("a2"), 0.07, 0.25);

  const Instrument zither = Plucked(0.45, 1.6, 2001);
  const Instrument bass = Plucked(0.25, 3.0, 2101);
  for (int bar = 0; bar < BARS; ++bar) {
    const bool melody = bar >= 8;
    song.Play(ROOTS[bar % 4], bar * BAR, BAR, bass, 0.55, 0.0);
    song.Play(OSTINATO[bar % 4], bar * BAR, 0.5, zither, melody ? 0.3 : 0.38, 0.35);
    if (bar >= 16 && bar < 30) Percussion(song, bar);
  }
  for (int bar : {0, 1, 2, 3, 4, 5, 6, 7, 30, 31}) Chimes(song, bar, 2);

  const Instrument flute = BambooFlute(3001);
  song.Play(THEME, 8 * BAR, 0.5, flute, 0.55, -0.15);
  song.Play(ANSWER, 16 * BAR, 0.5, flute, 0.5, -0.15);
  song.Play(THEME, 24 * BAR, 0.5, Plucked(0.55, 1.2, 4001), 0.6, -0.25);
  song.Play(HARMONY, 24 * BAR, 0.5, flute, 0.28, 0.0);

  song.Add(Bowl(NoteFreq("d4"), 9.0), 0.0, 0.45, 0.0);
  song.Add(Bowl(NoteFreq("a3"), 9.0), 16 * BAR, 0.4, 0.1);
  song.Add(Bowl(NoteFreq("d4"), 9.0, 0.7), 24 * BAR, 0.35, -0.1);

  song.Finish(out, "song1.ogg", {0.82, 0.45, 0.3, 0.9, 0.025}, -25.0);
}
