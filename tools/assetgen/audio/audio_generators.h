// The audio part of the generator: every sound the game plays, synthesised from code and
// written as Ogg Vorbis below sfx/: the short effects, the two ambient loops and the
// three songs. audio_synth.h is the synthesis kit, audio_instruments.h the instruments,
// audio_music.h the arranging of songs, audio_ogg.h the deterministic encoding.
#pragma once

#include "output.h"

void WriteEffects(Output& out, const Sources& sources);
void WriteAmbientLoops(Output& out, const Sources& sources);
void WriteSong1(Output& out, const Sources& sources);
void WriteSong2(Output& out, const Sources& sources);
void WriteSong3(Output& out, const Sources& sources);
