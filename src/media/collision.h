// 32 collision layers, addressed by the bits of a mask. Marks are the opaque pixels of an
// image placed exactly as drawing it would place it (current rotation, scale and handle),
// or rectangles, each tagged with an identity.
#pragma once

#include "media/image.h"

#include <cstdint>
#include <vector>

using CollisionId = const void*;

// Removes the marks of the layers in mask; 0 clears every layer.
void ResetCollisions(uint32_t mask = 0);
// Identities of marks in the collideMask layers sharing a pixel with the image's opaque
// pixels; then marks those pixels with id in the writeMask layers.
std::vector<CollisionId> CollideImage(const ImagePtr& image, float x, float y, int frame,
                                      uint32_t collideMask, uint32_t writeMask,
                                      CollisionId id = nullptr);
std::vector<CollisionId> CollideRect(float x, float y, float w, float h, uint32_t collideMask,
                                     uint32_t writeMask, CollisionId id = nullptr);
// Uses layer 31 (and clears it first): true when the two images share a pixel.
bool ImagesCollide(const ImagePtr& image1, float x1, float y1, int frame1, const ImagePtr& image2,
                   float x2, float y2, int frame2);
