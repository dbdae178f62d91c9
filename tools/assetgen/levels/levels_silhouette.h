// A level's silhouette as the player sees it, sampled on a 2-px grid from the corner of
// its bounding box, so that the same figure anywhere in the field gives the same samples.
// Two silhouettes are the same figure when they differ only by the rounding seams;
// turned or mirrored figures count as different (a "6" is not a "9").
#pragma once

#include "levels_format.h"

#include <cstdint>
#include <vector>

namespace levels {

struct Silhouette {
  int width = 0, height = 0;   // samples
  int area = 0;                // samples inside
  std::vector<uint8_t> inside;  // row by row, 1 inside a piece
};

// Empty (no samples) for a level without pieces or one far larger than the screen.
Silhouette SampleSilhouette(const CompiledLevel& level);

// Samples inside exactly one of the two, as a share of the larger area (0 = the same).
double SilhouetteDifference(const Silhouette& a, const Silhouette& b);

// Below this difference two levels show the same figure.
constexpr double SAME_SILHOUETTE = 0.01;

}  // namespace levels
