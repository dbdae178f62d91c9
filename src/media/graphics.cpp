// The draw state and the drawing calls.
#include "media/graphics.h"

#include "media/backend.h"
#include "media/platform.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

using media_detail::TheScreen;

namespace {

DrawState state;

constexpr double DEG = 3.14159265358979323846 / 180.0;

SDL_Renderer* R() { return TheScreen().renderer; }

int Clamp255(int v) { return std::clamp(v, 0, 255); }

void UpdateMatrix() {
  const double c = std::cos(state.tform_rot * DEG), s = std::sin(state.tform_rot * DEG);
  state.tform_ix = float(c * state.tform_scale_x);
  state.tform_iy = float(-s * state.tform_scale_y);
  state.tform_jx = float(s * state.tform_scale_x);
  state.tform_jy = float(c * state.tform_scale_y);
}

SDL_BlendMode SdlBlend(int mode) {
  switch (mode) {
    case BLEND_MASK:  // drawn from cut-out textures, so plain blending keeps or drops pixels
    case BLEND_ALPHA: return SDL_BLENDMODE_BLEND;
    case BLEND_LIGHT: return SDL_BLENDMODE_ADD;
    case BLEND_SHADE: return SDL_BLENDMODE_MOD;
    default: return SDL_BLENDMODE_NONE;
  }
}

// Alpha as a byte; under BLEND_MASK alpha only decides whether anything shows.
Uint8 AlphaByte() {
  if (state.blend_mode == BLEND_MASK) return 255;
  return Uint8(std::clamp(int(std::lround(state.color_alpha * 255)), 0, 255));
}

bool MaskedOut() { return state.blend_mode == BLEND_MASK && state.color_alpha < 0.5f; }

SDL_Color VertexColor() {
  return SDL_Color{Uint8(state.color_red), Uint8(state.color_green), Uint8(state.color_blue), AlphaByte()};
}

struct Point2 {
  float x, y;
};

// Local point to screen, for a draw at (x, y).
Point2 Transform(float px, float py, float x, float y) {
  return {px * state.tform_ix + py * state.tform_iy + x + state.origin_x,
          px * state.tform_jx + py * state.tform_jy + y + state.origin_y};
}

bool AxisAligned() { return state.tform_iy == 0 && state.tform_jx == 0; }

// Blending that leaves the screen as it is at alpha 0: nothing to draw (fades draw a
// full-screen rectangle every frame, mostly at alpha 0).
bool Invisible(const SDL_Color& c) {
  return c.a == 0 && (state.blend_mode == BLEND_ALPHA || state.blend_mode == BLEND_LIGHT);
}

// A quad given by its local corners (x0, y0)–(x1, y1), textured or filled.
void DrawQuad(SDL_Texture* tex, float x0, float y0, float x1, float y1, float x, float y) {
  if (!R()) return;
  const SDL_Color c = VertexColor();
  if (Invisible(c)) return;
  if (AxisAligned() && state.tform_ix > 0 && state.tform_jy > 0) {
    const Point2 a = Transform(x0, y0, x, y);
    const SDL_FRect dst{a.x, a.y, (x1 - x0) * state.tform_ix, (y1 - y0) * state.tform_jy};
    if (tex) {
      SDL_BlendMode blend;
      SDL_GetTextureBlendMode(tex, &blend);
      if (media_detail::DrawComposedScaled(tex, dst, blend, c)) return;
      SDL_SetTextureColorMod(tex, c.r, c.g, c.b);
      SDL_SetTextureAlphaMod(tex, c.a);
      SDL_RenderCopyF(R(), tex, nullptr, &dst);
    } else {
      SDL_SetRenderDrawColor(R(), c.r, c.g, c.b, c.a);
      SDL_RenderFillRectF(R(), &dst);
    }
    return;
  }
  const Point2 p[4] = {Transform(x0, y0, x, y), Transform(x1, y0, x, y), Transform(x1, y1, x, y),
                       Transform(x0, y1, x, y)};
  if (tex) {
    SDL_BlendMode blend;
    SDL_GetTextureBlendMode(tex, &blend);
    const SDL_FPoint corners[4] = {{p[0].x, p[0].y}, {p[1].x, p[1].y}, {p[2].x, p[2].y}, {p[3].x, p[3].y}};
    if (media_detail::DrawComposed(tex, corners, blend, c)) return;
  }
  const SDL_FPoint uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  SDL_Vertex v[4];
  for (int i = 0; i < 4; ++i) v[i] = SDL_Vertex{{p[i].x, p[i].y}, c, uv[i]};
  const int idx[6] = {0, 1, 2, 0, 2, 3};
  if (tex) {
    SDL_SetTextureColorMod(tex, 255, 255, 255);
    SDL_SetTextureAlphaMod(tex, 255);
  }
  SDL_RenderGeometry(R(), tex, v, 4, idx, 6);
}

void PrepareShapeDraw() {
  const SDL_Color c = VertexColor();
  // Opaque colour replaces what is under it: the software renderer then fills without
  // blending (the darkened screen of some stage modes is such a fill).
  const bool covers = state.blend_mode == BLEND_ALPHA && c.a == 255;
  SDL_SetRenderDrawBlendMode(R(), covers ? SDL_BLENDMODE_NONE : SdlBlend(state.blend_mode));
  SDL_SetRenderDrawColor(R(), c.r, c.g, c.b, c.a);
}

void DrawFrame(const ImagePtr& image, float x, float y, int frame, float kx, float ky) {
  if (!image || !R() || frame < 0 || frame >= image->FrameCount() || MaskedOut()) return;
  SDL_Texture* tex = media_detail::FrameTexture(*image, frame, state.blend_mode == BLEND_MASK);
  if (!tex) return;
  // An opaque picture drawn untinted covers what is under it: a plain copy is the same and
  // much cheaper for the software renderer (backgrounds are whole screens).
  const SDL_Color c = VertexColor();
  const bool covers = state.blend_mode == BLEND_ALPHA && c.r == 255 && c.g == 255 && c.b == 255 && c.a == 255 &&
                      image->textures->opaque[size_t(frame)];
  SDL_SetTextureBlendMode(tex, covers ? SDL_BLENDMODE_NONE : SdlBlend(state.blend_mode));
  const float hx = image->handle_x * kx, hy = image->handle_y * ky;
  DrawQuad(tex, -hx, -hy, image->width * kx - hx, image->height * ky - hy, x, y);
}

}  // namespace

namespace media_detail {

void ApplyViewport() {
  if (!R()) return;
  const SDL_Rect clip{state.viewport_x, state.viewport_y, std::max(0, state.viewport_w),
                      std::max(0, state.viewport_h)};
  SDL_RenderSetClipRect(R(), &clip);
}

}  // namespace media_detail

const DrawState& CurrentDrawState() { return state; }

void ResetDrawState() {
  state = DrawState{};
  media_detail::ApplyViewport();
}

void Cls() {
  if (!R()) return;
  SDL_SetRenderDrawColor(R(), Uint8(state.clscolor_red), Uint8(state.clscolor_green),
                         Uint8(state.clscolor_blue), 255);
  SDL_RenderClear(R());
}

void Flip(int sync) {
  PlatformPresent(sync);
  media_detail::ShowFrameInWindow();
}

void SetColor(int r, int g, int b) {
  state.color_red = Clamp255(r);
  state.color_green = Clamp255(g);
  state.color_blue = Clamp255(b);
}

void GetColor(int& r, int& g, int& b) {
  r = state.color_red;
  g = state.color_green;
  b = state.color_blue;
}

void SetAlpha(float alpha) { state.color_alpha = alpha; }
float GetAlpha() { return state.color_alpha; }

void SetBlend(int mode) {
  if (mode == state.blend_mode) return;
  state.blend_mode = mode;
}

int GetBlend() { return state.blend_mode; }

void SetRotation(float degrees) {
  state.tform_rot = degrees;
  UpdateMatrix();
}

float GetRotation() { return state.tform_rot; }

void SetScale(float sx, float sy) {
  state.tform_scale_x = sx;
  state.tform_scale_y = sy;
  UpdateMatrix();
}

void GetScale(float& sx, float& sy) {
  sx = state.tform_scale_x;
  sy = state.tform_scale_y;
}

void SetViewport(int x, int y, int w, int h) {
  state.viewport_x = x;
  state.viewport_y = y;
  state.viewport_w = w;
  state.viewport_h = h;
  media_detail::ApplyViewport();
}

void GetViewport(int& x, int& y, int& w, int& h) {
  x = state.viewport_x;
  y = state.viewport_y;
  w = state.viewport_w;
  h = state.viewport_h;
}

void SetOrigin(float x, float y) {
  state.origin_x = x;
  state.origin_y = y;
}

void SetHandle(float x, float y) {
  state.handle_x = x;
  state.handle_y = y;
}

void SetLineWidth(float width) { state.line_width = width; }

void SetClsColor(int r, int g, int b) {
  state.clscolor_red = Clamp255(r);
  state.clscolor_green = Clamp255(g);
  state.clscolor_blue = Clamp255(b);
}

void DrawRect(float x, float y, float w, float h) {
  if (!R() || MaskedOut()) return;
  PrepareShapeDraw();
  DrawQuad(nullptr, -state.handle_x, -state.handle_y, w - state.handle_x, h - state.handle_y, x, y);
}

void DrawLine(float x1, float y1, float x2, float y2) {
  if (!R() || MaskedOut()) return;
  PrepareShapeDraw();
  const Point2 a = Transform(x1 - state.handle_x, y1 - state.handle_y, 0, 0);
  const Point2 b = Transform(x2 - state.handle_x, y2 - state.handle_y, 0, 0);
  if (state.line_width <= 1) {
    SDL_RenderDrawLineF(R(), a.x, a.y, b.x, b.y);
    return;
  }
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float len = std::max(0.0001f, std::sqrt(dx * dx + dy * dy));
  const float nx = -dy / len * state.line_width / 2, ny = dx / len * state.line_width / 2;
  const SDL_Color c = VertexColor();
  SDL_Vertex v[4] = {{{a.x + nx, a.y + ny}, c, {0, 0}}, {{b.x + nx, b.y + ny}, c, {0, 0}},
                     {{b.x - nx, b.y - ny}, c, {0, 0}}, {{a.x - nx, a.y - ny}, c, {0, 0}}};
  const int idx[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(R(), nullptr, v, 4, idx, 6);
}

void DrawOval(float x, float y, float w, float h) {
  if (!R() || MaskedOut()) return;
  PrepareShapeDraw();
  const int segments = std::clamp(int((std::fabs(w) + std::fabs(h)) / 2), 12, 96);
  const float rx = w / 2, ry = h / 2;
  const float cx = rx - state.handle_x, cy = ry - state.handle_y;
  const SDL_Color c = VertexColor();
  std::vector<SDL_Vertex> v;
  std::vector<int> idx;
  const Point2 centre = Transform(cx, cy, x, y);
  v.push_back({{centre.x, centre.y}, c, {0, 0}});
  for (int i = 0; i < segments; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / segments;
    const Point2 p = Transform(cx + float(rx * std::cos(a)), cy + float(ry * std::sin(a)), x, y);
    v.push_back({{p.x, p.y}, c, {0, 0}});
    idx.insert(idx.end(), {0, 1 + i, 1 + (i + 1) % segments});
  }
  SDL_RenderGeometry(R(), nullptr, v.data(), int(v.size()), idx.data(), int(idx.size()));
}

void Plot(float x, float y) {
  if (!R() || MaskedOut()) return;
  PrepareShapeDraw();
  SDL_RenderDrawPointF(R(), x + state.origin_x, y + state.origin_y);
}

void DrawImage(const ImagePtr& image, float x, float y, int frame) {
  DrawFrame(image, x, y, frame, 1, 1);
}

void DrawImageRect(const ImagePtr& image, float x, float y, float w, float h, int frame) {
  if (!image || image->width <= 0 || image->height <= 0) return;
  DrawFrame(image, x, y, frame, w / image->width, h / image->height);
}

PixmapPtr GrabPixmap(int x, int y, int w, int h) {
  auto pm = std::make_shared<TPixmap>(std::max(w, 0), std::max(h, 0));
  if (!R() || w <= 0 || h <= 0) return pm;
  // Only the part that lies on the screen is read; the rest stays 0.
  const int x0 = std::max(x, 0), y0 = std::max(y, 0);
  const int x1 = std::min(x + w, SCREEN_WIDTH), y1 = std::min(y + h, SCREEN_HEIGHT);
  if (x1 <= x0 || y1 <= y0) return pm;
  const SDL_Rect rect{x0, y0, x1 - x0, y1 - y0};
  // Straight into the pixmap at the on-screen part's place, rows w pixels apart.
  uint32_t* first = &pm->pixels[size_t(y0 - y) * w + (x0 - x)];
  if (SDL_RenderReadPixels(R(), &rect, SDL_PIXELFORMAT_ARGB8888, first, w * 4) != 0) {
    std::fill(pm->pixels.begin(), pm->pixels.end(), 0u);
    return pm;
  }
  for (int yy = y0; yy < y1; ++yy) {
    uint32_t* row = &pm->pixels[size_t(yy - y) * w];
    for (int xx = x0 - x; xx < x1 - x; ++xx) row[xx] |= 0xFF000000u;
  }
  return pm;
}

void GrabImage(const ImagePtr& image, int x, int y, int frame) {
  if (!image || frame < 0 || frame >= image->FrameCount()) return;
  const PixmapPtr grabbed = GrabPixmap(int(x - image->handle_x), int(y - image->handle_y), image->width,
                                       image->height);
  image->Pixmaps()[size_t(frame)] = grabbed;
  image->PixelsChanged(frame);
}
