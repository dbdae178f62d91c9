#include "media/collision.h"

#include "media/graphics.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// A mark covers screen pixels inside its bounding box: every pixel of a rectangle, or the
// pixels whose centre maps into an opaque texel of an image placed as DrawImage would place
// it. Image marks keep the placement and test pixels only when asked, so marking is cheap
// and a test costs only the pixels where two marks meet.
struct Mark {
  CollisionId id = nullptr;
  int x = 0, y = 0, w = 0, h = 0;  // bounding box in screen pixels
  PixmapPtr pixels;                // null for a rectangle
  int pw = 0, ph = 0;              // frame size
  double ox = 0, oy = 0;           // draw position plus origin
  double a = 1, b = 0, c = 0, d = 1;  // inverse of the draw matrix
  double hx = 0, hy = 0;           // the image's handle

  bool Covers(int sx, int sy) const {
    if (sx < x || sy < y || sx >= x + w || sy >= y + h) return false;
    if (!pixels) return true;
    const double dx = sx + 0.5 - ox, dy = sy + 0.5 - oy;
    const double u = a * dx + b * dy + hx, v = c * dx + d * dy + hy;
    if (u < 0 || v < 0 || u >= pw || v >= ph) return false;
    return (pixels->ReadPixel(int(u), int(v)) >> 24) != 0;
  }
};

std::array<std::vector<Mark>, 32> layers;

bool ImageMark(TImage& image, float x, float y, int frame, Mark& m) {
  const DrawState& s = CurrentDrawState();
  const double det = double(s.tform_ix) * s.tform_jy - double(s.tform_iy) * s.tform_jx;
  if (std::fabs(det) < 1e-9) return false;
  m.pixels = image.Pixmaps()[size_t(frame)];
  m.pw = image.width;
  m.ph = image.height;
  m.ox = x + s.origin_x;
  m.oy = y + s.origin_y;
  m.a = s.tform_jy / det;
  m.b = -s.tform_iy / det;
  m.c = -s.tform_jx / det;
  m.d = s.tform_ix / det;
  m.hx = image.handle_x;
  m.hy = image.handle_y;
  const double corners[4][2] = {{-m.hx, -m.hy}, {m.pw - m.hx, -m.hy}, {m.pw - m.hx, m.ph - m.hy}, {-m.hx, m.ph - m.hy}};
  double minX = 1e9, minY = 1e9, maxX = -1e9, maxY = -1e9;
  for (const auto& p : corners) {
    const double sx = p[0] * s.tform_ix + p[1] * s.tform_iy + m.ox;
    const double sy = p[0] * s.tform_jx + p[1] * s.tform_jy + m.oy;
    minX = std::min(minX, sx), maxX = std::max(maxX, sx);
    minY = std::min(minY, sy), maxY = std::max(maxY, sy);
  }
  m.x = int(std::floor(minX));
  m.y = int(std::floor(minY));
  m.w = std::max(0, int(std::ceil(maxX)) - m.x);
  m.h = std::max(0, int(std::ceil(maxY)) - m.y);
  return true;
}

Mark RectMark(float x, float y, float w, float h) {
  const DrawState& s = CurrentDrawState();
  Mark m;
  m.x = int(std::floor(x + s.origin_x));
  m.y = int(std::floor(y + s.origin_y));
  m.w = std::max(0, int(std::ceil(w)));
  m.h = std::max(0, int(std::ceil(h)));
  return m;
}

bool Overlap(const Mark& p, const Mark& q) {
  const int x0 = std::max(p.x, q.x), y0 = std::max(p.y, q.y);
  const int x1 = std::min(p.x + p.w, q.x + q.w), y1 = std::min(p.y + p.h, q.y + q.h);
  for (int sy = y0; sy < y1; ++sy)
    for (int sx = x0; sx < x1; ++sx)
      if (p.Covers(sx, sy) && q.Covers(sx, sy)) return true;
  return false;
}

std::vector<CollisionId> Collide(Mark&& mark, uint32_t collideMask, uint32_t writeMask, CollisionId id) {
  std::vector<CollisionId> hits;
  for (int l = 0; l < 32; ++l) {
    if (!(collideMask & (1u << l))) continue;
    for (const Mark& other : layers[size_t(l)])
      if (std::find(hits.begin(), hits.end(), other.id) == hits.end() && Overlap(mark, other))
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
  Mark m;
  if (!ImageMark(*image, x, y, frame, m)) return {};
  return Collide(std::move(m), collideMask, writeMask, id);
}

std::vector<CollisionId> CollideRect(float x, float y, float w, float h, uint32_t collideMask,
                                     uint32_t writeMask, CollisionId id) {
  return Collide(RectMark(x, y, w, h), collideMask, writeMask, id);
}

bool ImagesCollide(const ImagePtr& image1, float x1, float y1, int frame1, const ImagePtr& image2,
                   float x2, float y2, int frame2) {
  static const int marker = 0;
  ResetCollisions(0x80000000u);
  CollideImage(image1, x1, y1, frame1, 0, 0x80000000u, &marker);
  return !CollideImage(image2, x2, y2, frame2, 0x80000000u, 0).empty();
}
