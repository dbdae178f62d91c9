#include "media/collision.h"

#include "media/graphics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Covered screen pixels inside a bounding box, one byte each.
struct Mark {
  CollisionId id = nullptr;
  int x = 0, y = 0, w = 0, h = 0;
  std::vector<uint8_t> bits;
  bool At(int sx, int sy) const {
    return sx >= x && sy >= y && sx < x + w && sy < y + h && bits[size_t(sy - y) * w + (sx - x)];
  }
};

std::array<std::vector<Mark>, 32> layers;

// The opaque pixels of an image frame placed as DrawImage would place it: a screen pixel
// is covered when its centre maps into an opaque texel.
Mark RasterImage(const TImage& image, float x, float y, int frame) {
  Mark m;
  const TPixmap& pm = *image.pixmaps[size_t(frame)];
  const DrawState& s = CurrentDrawState();
  const double ox = x + s.origin_x, oy = y + s.origin_y;
  const double det = double(s.tform_ix) * s.tform_jy - double(s.tform_iy) * s.tform_jx;
  if (std::fabs(det) < 1e-9) return m;
  const double corners[4][2] = {{-image.handle_x, -image.handle_y},
                                {image.width - image.handle_x, -image.handle_y},
                                {image.width - image.handle_x, image.height - image.handle_y},
                                {-image.handle_x, image.height - image.handle_y}};
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (const auto& c : corners) {
    const double sx = c[0] * s.tform_ix + c[1] * s.tform_iy + ox;
    const double sy = c[0] * s.tform_jx + c[1] * s.tform_jy + oy;
    minX = std::min(minX, sx), maxX = std::max(maxX, sx);
    minY = std::min(minY, sy), maxY = std::max(maxY, sy);
  }
  m.x = int(std::floor(minX));
  m.y = int(std::floor(minY));
  m.w = std::max(0, int(std::ceil(maxX)) - m.x);
  m.h = std::max(0, int(std::ceil(maxY)) - m.y);
  m.bits.assign(size_t(m.w) * m.h, 0);
  for (int py = 0; py < m.h; ++py)
    for (int px = 0; px < m.w; ++px) {
      const double dx = m.x + px + 0.5 - ox, dy = m.y + py + 0.5 - oy;
      const double u = (dx * s.tform_jy - dy * s.tform_iy) / det + image.handle_x;
      const double v = (dy * s.tform_ix - dx * s.tform_jx) / det + image.handle_y;
      if (u < 0 || v < 0 || u >= image.width || v >= image.height) continue;
      if (pm.ReadPixel(int(u), int(v)) >> 24) m.bits[size_t(py) * m.w + px] = 1;
    }
  return m;
}

Mark RasterRect(float x, float y, float w, float h) {
  const DrawState& s = CurrentDrawState();
  Mark m;
  m.x = int(std::floor(x + s.origin_x));
  m.y = int(std::floor(y + s.origin_y));
  m.w = std::max(0, int(std::ceil(w)));
  m.h = std::max(0, int(std::ceil(h)));
  m.bits.assign(size_t(m.w) * m.h, 1);
  return m;
}

bool Overlap(const Mark& a, const Mark& b) {
  const int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
  const int x1 = std::min(a.x + a.w, b.x + b.w), y1 = std::min(a.y + a.h, b.y + b.h);
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (a.At(x, y) && b.At(x, y)) return true;
  return false;
}

std::vector<CollisionId> Collide(Mark&& mark, uint32_t collideMask, uint32_t writeMask, CollisionId id) {
  std::vector<CollisionId> hits;
  for (int l = 0; l < 32; ++l) {
    if (!(collideMask & (1u << l))) continue;
    for (const Mark& other : layers[size_t(l)])
      if (Overlap(mark, other) && std::find(hits.begin(), hits.end(), other.id) == hits.end())
        hits.push_back(other.id);
  }
  mark.id = id;
  for (int l = 0; l < 32; ++l)
    if (writeMask & (1u << l)) layers[size_t(l)].push_back(mark);
  return hits;
}

}  // namespace

void ResetCollisions(uint32_t mask) {
  for (int l = 0; l < 32; ++l)
    if (mask == 0 || (mask & (1u << l))) layers[size_t(l)].clear();
}

std::vector<CollisionId> CollideImage(const ImagePtr& image, float x, float y, int frame,
                                      uint32_t collideMask, uint32_t writeMask, CollisionId id) {
  if (!image || frame < 0 || frame >= image->FrameCount()) return {};
  return Collide(RasterImage(*image, x, y, frame), collideMask, writeMask, id);
}

std::vector<CollisionId> CollideRect(float x, float y, float w, float h, uint32_t collideMask,
                                     uint32_t writeMask, CollisionId id) {
  return Collide(RasterRect(x, y, w, h), collideMask, writeMask, id);
}

bool ImagesCollide(const ImagePtr& image1, float x1, float y1, int frame1, const ImagePtr& image2,
                   float x2, float y2, int frame2) {
  static const int marker = 0;
  ResetCollisions(0x80000000u);
  CollideImage(image1, x1, y1, frame1, 0, 0x80000000u, &marker);
  return !CollideImage(image2, x2, y2, frame2, 0x80000000u, 0).empty();
}
