#include "generators.h"

const std::vector<Generator>& AllGenerators() {
  static const std::vector<Generator> generators = {
  };
  return generators;
}
