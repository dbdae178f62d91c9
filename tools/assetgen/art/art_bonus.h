// Bonus game tiles for reuse: the "How to play?" icons draw the same tiles small.
// kind 0..5 ordinary, 6 joker, 7 bomb, 9 stone, 11 a rare extra kind.
#pragma once

#include "art_paint.h"

namespace art {

RgbaImage BonusTile(int kind, int step);
RgbaImage BonusYinYangMarker();

}  // namespace art
