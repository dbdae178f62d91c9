// Places images on the contact sheet: each scaled down (never up) to fit its cell, long
// strips across the whole sheet width so that every frame stays visible, rows filled
// left to right like shelves.
#pragma once

#include <vector>

namespace sheet {

struct LayoutRules {
  int sheetWidth = 1600;
  int margin = 12;
  int cellWidth = 300;   // largest drawn size of an ordinary image
  int cellHeight = 220;
  int labelHeight = 16;  // room under each image for its name and size
  int minBoxWidth = 210; // so that labels of tiny images fit
  double stripAspect = 4.0;  // width / height from which an image counts as a strip
};

struct Tile {
  int x = 0, y = 0;  // top-left of the drawn image
  int width = 0, height = 0;  // drawn size
  int boxWidth = 0;  // width reserved for image and label
  double scale = 1;
};

struct Layout {
  std::vector<Tile> tiles;  // in the order of the sizes given
  int height = 0;           // total sheet height
};

struct Size {
  int width, height;
};

Layout LayoutTiles(const std::vector<Size>& sizes, const LayoutRules& rules);

}  // namespace sheet
