// Pieces of the in-game artwork that other pictures reuse (the tutorial's miniature
// screenshots show the lamp and the pointer as the game does).
#pragma once

#include "art_paint.h"

namespace art {

// The butter lamp with its flame grown to `growth` (0 none .. 1 full), 57x86.
RgbaImage LampFrame(double growth);

}  // namespace art
