// "Prayer Flags": a lilting tune in three, in A minor pentatonic at 92 beats a minute.
// Wooden mallets roll under a plucked melody like cloth moving in the wind; the flute
// takes the tune over in the middle, a singing bowl marks the turns, and a sparse
// closing section lets the mallets alone lead back to the start.
#include "audio_generators.h"
#include "audio_instruments.h"
#include "audio_music.h"

using namespace audio;

namespace {

constexpr int BARS = 48;
constexpr double BAR = 3.0;  // beats

// Four bars of harmony (A minor, C, G, E minor), rolled by the mallets in eighths.
const char* const ROOTS[] = {"a2", "c3", "g2", "e2"};
const char* const ROLL[] = {
    "a3 e4 a4 c5 a4 e4",
    "c4 g4 c5 e5 c5 g4",
    "g3 d4 g4 d5 a4 d4",
    "e3 d4 e4 g4 e4 d4",
};

const char* const TUNE_A =
    "e5 - - d5 c5 - | e5 - g5 - - - | a5 - g5 - e5 - | d5 - - - - - |"
    "e5 - - d5 c5 - | a4 - c5 - d5 - | e5 - d5 - c5 - | a4 - - - - -";
const char* const TUNE_B =
    "a5 - - g5 e5 - | g5 - - e5 d5 - | e5 - d5 - c5 d5 | e5 - - - - - |"
    "a5 - c6 - a5 - | g5 - e5 - d5 - | c5 - d5 - e5 - | a4 - - - - -";

void Shaker(Song& song, int bar) {
  for (int beat : {1, 2})
    song.Add(NoiseBurst(7000.0, 1.2, 0.06, 0.035, 500 + bar * 2 + beat), bar * BAR + beat, 0.12, 0.4);
  song.Add(HandDrum(95.0, 0.4, 600 + bar), bar * BAR, 0.22, -0.2);
}

}  // namespace

void WriteSong2(Output& out, const Sources&) {
  Song song(92.0, BARS * int(BAR), 1002);
  song.AddDrone(NoteFreq("a2"), 0.08, 0.0);

  const Instrument mallet = Mallet(0.25, 0.9);
  const Instrument bass = Plucked(0.2, 2.4, 2102);
  for (int bar = 0; bar < BARS; ++bar) {
    const int section = bar / 8;
    const bool sparse = section == 5 && bar % 2 == 1;
    song.Play(ROOTS[bar % 4], bar * BAR, BAR, bass, section == 0 || section == 5 ? 0.4 : 0.5, 0.0);
    if (!sparse) song.Play(ROLL[bar % 4], bar * BAR, 0.5, mallet, section == 0 || section == 5 ? 0.36 : 0.28, -0.3);
    if (section >= 2 && section <= 4) Shaker(song, bar);
  }

  const Instrument lead = Plucked(0.55, 1.4, 4002);
  const Instrument flute = BambooFlute(3002);
  song.Play(TUNE_A, 8 * BAR, 0.5, lead, 0.65, 0.25);
  song.Play(TUNE_B, 16 * BAR, 0.5, lead, 0.65, 0.25);
  song.Play(TUNE_A, 24 * BAR, 0.5, flute, 0.5, -0.1);
  song.Play(TUNE_B, 32 * BAR, 0.5, flute, 0.45, -0.1);
  song.Play(TUNE_B, 32 * BAR, 0.5, Plucked(0.4, 1.2, 4102), 0.35, 0.35);

  // Chimes answering the phrase ends, and bowls at the section turns.
  const Instrument chime = Chime(0.5, 2.2);
  for (int bar = 11; bar < 40; bar += 4) song.Play("a5 c6 e6", bar * BAR + 1.0, 0.5, chime, 0.16, 0.6);
  song.Add(Bowl(NoteFreq("a3"), 8.0), 0.0, 0.4, 0.0);
  song.Add(Bowl(NoteFreq("e4"), 8.0, 0.8), 24 * BAR, 0.35, 0.2);
  song.Add(Bowl(NoteFreq("a3"), 8.0, 0.7), 40 * BAR, 0.35, -0.2);

  song.Finish(out, "song2.ogg", {0.78, 0.5, 0.28, 0.9, 0.02}, -25.0);
}
