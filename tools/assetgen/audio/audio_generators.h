// Generator entry points for the sounds: the short effects, the two ambient loops and
// the three songs. Each writes its files below sfx/ (see generators.cpp).
#pragma once

#include "output.h"

void WriteEffects(Output& out, const Sources& sources);
void WriteAmbientLoops(Output& out, const Sources& sources);
void WriteSong1(Output& out, const Sources& sources);
void WriteSong2(Output& out, const Sources& sources);
void WriteSong3(Output& out, const Sources& sources);
