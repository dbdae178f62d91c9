// Bakes a scalable font into the game's bitmap-font layout: one square cell per character
// code 31..255 holding the glyph's coverage at a common baseline, an advance width per
// code, and the binary descriptor (.fnt) that goes with the glyph strip.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int FONT_FIRST_CODE = 31;
constexpr int FONT_CODES = 225;   // codes 31..255 are described
constexpr int FONT_FRAMES = 224;  // codes 31..254 are drawn

struct FontSpec {
  std::string file;   // the scalable font file
  int pixelSize = 0;  // em size in pixels
  int cell = 0;       // the square glyph cell: 64 or 32
  int spaceWidth = 0; // advance of the blank and the no-break space
  int originX = 0;    // pen position inside each cell
  int margin = 0;     // free pixels every glyph keeps to the cell edges (room for a glow)
};

using FontWidths = std::array<int, FONT_CODES>;  // index = code - 31

struct BakedFont {
  int cell = 0;
  int baseline = 0;   // y of the baseline inside a cell
  int capTop = 0;     // y of the top of the capitals inside a cell
  FontWidths widths{};
  std::vector<std::vector<uint8_t>> coverage;  // FONT_CODES cells of cell * cell, row by row
};

// Advance widths only: cheap enough for layout checks of texts.
FontWidths MeasureFont(const FontSpec& spec);
// Every glyph rendered (hinted for the pixel grid) into its cell; throws when a glyph
// is missing or would leave its cell.
BakedFont BakeFont(const FontSpec& spec);

// Cells per strip row: the smallest count whose total width passes 6000 pixels.
int CellsPerRow(int cell);
// The .fnt bytes: the image path line ended by CR LF, then cell width, cell height, frame
// count and the 225 (width, height) pairs, all 32-bit little-endian.
std::vector<uint8_t> FntDescriptor(const std::string& imagePath, int cell,
                                   const FontWidths& widths);
