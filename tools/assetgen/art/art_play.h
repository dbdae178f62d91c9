// Generators of the in-game artwork: pieces, score board and frame, lamp, torch light,
// twister, ambient sprites, the bonus game and the tutorial pictures.
#pragma once

#include "output.h"

void GeneratePiecesMarble(Output& out, const Sources& sources);
void GeneratePiecesWood(Output& out, const Sources& sources);
void GeneratePiecesGold(Output& out, const Sources& sources);
void GenerateBoard(Output& out, const Sources& sources);
void GenerateScoreBoard(Output& out, const Sources& sources);
void GenerateLamp(Output& out, const Sources& sources);
void GenerateTwister(Output& out, const Sources& sources);
void GenerateCreatures(Output& out, const Sources& sources);
void GenerateBonusTiles(Output& out, const Sources& sources);
void GenerateBonusBoard(Output& out, const Sources& sources);
void GenerateBonusHelp(Output& out, const Sources& sources);
void GenerateTutorialPictures(Output& out, const Sources& sources);
