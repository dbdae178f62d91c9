// Decoding the generated images for review: PNG through libpng, JPEG through libjpeg,
// into premultiplied ARGB32 pixels that Cairo draws directly.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sheet {

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> argb;  // premultiplied, row by row
};

// Loads a .png or .jpg file. On failure returns false and sets error; picture is then
// left empty.
bool LoadPicture(const std::string& path, Picture& picture, std::string& error);

}  // namespace sheet
