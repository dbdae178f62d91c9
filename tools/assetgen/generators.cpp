#include "generators.h"

#include "art_play.h"

const std::vector<Generator>& AllGenerators() {
  static const std::vector<Generator> generators = {
    {"pieces_marble", GeneratePiecesMarble},
    {"pieces_wood", GeneratePiecesWood},
    {"pieces_gold", GeneratePiecesGold},
    {"board", GenerateBoard},
    {"scoreboard", GenerateScoreBoard},
    {"lamp_light", GenerateLamp},
    {"twister", GenerateTwister},
    {"creatures", GenerateCreatures},
  };
  return generators;
}
