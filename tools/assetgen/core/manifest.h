// Every file the game embeds, with the pixel size the drawing code assumes for images.
// The generator checks a full run against it; the asset tests check the embedded copy.
#pragma once

#include <string>
#include <vector>

struct ManifestEntry {
  std::string name;  // below the resource root, e.g. "gfx/board.png"
  int width = 0;     // images only; 0 for other files
  int height = 0;
};

const std::vector<ManifestEntry>& Manifest();
