// The list of generators. Each one writes a group of resources through Output and
// must be deterministic: same sources, same bytes, whatever thread runs it.
#pragma once

#include "output.h"

#include <string>
#include <vector>

struct Generator {
  std::string name;
  void (*run)(Output& out, const Sources& sources);
};

const std::vector<Generator>& AllGenerators();
