// How far two frames differ, channel by channel (alpha left out): for tests that draw one
// scene two ways (two renderers, composed and direct pictures).
#pragma once

#include "media/image.h"

#include <algorithm>
#include <cstdlib>

struct FrameDifference {
  double mean = 0;  // per colour channel
  int far = 0;      // pixels with a channel more than 64 apart
  int slight = 0;   // pixels with a channel more than 2 apart
  int worst = 0;    // the largest difference of one channel
};

inline FrameDifference CompareFrames(const TPixmap& a, const TPixmap& b) {
  FrameDifference d;
  double total = 0;
  const int w = std::min(a.width, b.width), h = std::min(a.height, b.height);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const uint32_t p = a.ReadPixel(x, y), q = b.ReadPixel(x, y);
      int most = 0;
      for (int shift : {0, 8, 16}) {
        const int c = std::abs(int((p >> shift) & 255) - int((q >> shift) & 255));
        most = std::max(most, c);
        total += c;
      }
      d.far += most > 64;
      d.slight += most > 2;
      d.worst = std::max(d.worst, most);
    }
  d.mean = w > 0 && h > 0 ? total / (double(w) * h * 3) : 0;
  return d;
}
