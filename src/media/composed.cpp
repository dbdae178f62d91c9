#include "media/composed.h"

#include "media/backend.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <list>
#include <unordered_map>
#include <unordered_set>

namespace media_detail {

namespace {

// About 10 MB of pictures; the least recently drawn go first.
constexpr long PIXEL_BUDGET = 2'500'000;
constexpr size_t ENTRY_LIMIT = 600;
// Shapes seen once are remembered this many at a time before the memory starts over.
constexpr size_t SEEN_LIMIT = 4096;

// A picture is the texture drawn in a colour onto a quad whose corners lie on whole pixels
// relative to its top-left; `scaled` quads are upright rectangles given by their size. The
// colour is part of the picture, so that drawing it needs the renderer's plain blending only.
struct Key {
  SDL_Texture* tex = nullptr;
  bool scaled = false;
  std::array<int, 8> corners{};
  SDL_Color color{};
  bool operator==(const Key& o) const {
    return tex == o.tex && scaled == o.scaled && corners == o.corners && color.r == o.color.r &&
           color.g == o.color.g && color.b == o.color.b && color.a == o.color.a;
  }
};

struct KeyHash {
  size_t operator()(const Key& k) const {
    size_t h = std::hash<const void*>()(k.tex) ^ (k.scaled ? 0x9e3779b9u : 0u);
    for (int v : k.corners) h = h * 1000003u ^ std::hash<int>()(v);
    const uint32_t c = uint32_t(k.color.r) << 24 | uint32_t(k.color.g) << 16 | uint32_t(k.color.b) << 8 | k.color.a;
    return h * 1000003u ^ std::hash<uint32_t>()(c);
  }
};

struct Picture {
  Key key;
  SDL_Texture* texture = nullptr;
  int w = 0, h = 0;
};

struct Store {
  std::list<Picture> pictures;  // most recently drawn first
  std::unordered_map<Key, std::list<Picture>::iterator, KeyHash> index;
  std::unordered_set<size_t> seen;
  long pixels = 0;
};

// Never destroyed: images held by globals release their textures during exit.
Store& S() {
  static Store* store = new Store;
  return *store;
}

bool wanted = false;

SDL_Renderer* R() { return TheScreen().renderer; }

void Drop(std::list<Picture>::iterator it) {
  if (it->texture && R()) SDL_DestroyTexture(it->texture);
  S().pixels -= long(it->w) * it->h;
  S().index.erase(it->key);
  S().pictures.erase(it);
}

void KeepWithinBudget() {
  while (S().pictures.size() > 1 && (S().pixels > PIXEL_BUDGET || S().pictures.size() > ENTRY_LIMIT))
    Drop(std::prev(S().pictures.end()));
}

// Draws into a new transparent picture of w×h with `draw`, the way the renderer itself would
// have drawn onto the screen, only without blending.
SDL_Texture* Compose(const Key& key, int w, int h, const std::function<void()>& draw) {
  SDL_Texture* tex = key.tex;
  SDL_Texture* picture = SDL_CreateTexture(R(), SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET, w, h);
  if (!picture) return nullptr;
  SDL_Texture* previous = SDL_GetRenderTarget(R());
  Uint8 r, g, b, a;
  SDL_GetRenderDrawColor(R(), &r, &g, &b, &a);
  if (SDL_SetRenderTarget(R(), picture) != 0) {
    SDL_DestroyTexture(picture);
    return nullptr;
  }
  SDL_SetRenderDrawColor(R(), 0, 0, 0, 0);
  SDL_RenderClear(R());
  SDL_BlendMode blend;
  SDL_GetTextureBlendMode(tex, &blend);
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_NONE);
  // Turned quads take their colour from the corners, copies from the texture.
  SDL_SetTextureColorMod(tex, key.color.r, key.color.g, key.color.b);
  SDL_SetTextureAlphaMod(tex, key.color.a);
  draw();
  SDL_SetTextureBlendMode(tex, blend);
  SDL_SetRenderTarget(R(), previous);
  SDL_SetRenderDrawColor(R(), r, g, b, a);
  ApplyViewport();
  return picture;
}

// The picture for `key`, made on the second sight of its shape: a shape that changes every
// frame (a turning piece, a tumbling snowflake) is cheaper drawn directly.
const Picture* Find(const Key& key, int w, int h, const std::function<void()>& draw) {
  const auto found = S().index.find(key);
  if (found != S().index.end()) {
    S().pictures.splice(S().pictures.begin(), S().pictures, found->second);
    return &S().pictures.front();
  }
  if (S().seen.insert(KeyHash()(key)).second) {
    if (S().seen.size() > SEEN_LIMIT) S().seen.clear();
    return nullptr;
  }
  SDL_Texture* picture = Compose(key, w, h, draw);
  if (!picture) return nullptr;
  S().pictures.push_front(Picture{key, picture, w, h});
  S().index[key] = S().pictures.begin();
  S().pixels += long(w) * h;
  KeepWithinBudget();
  return &S().pictures.front();
}

bool Kept(SDL_BlendMode blend) { return blend == SDL_BLENDMODE_BLEND || blend == SDL_BLENDMODE_ADD; }

void Blit(const Picture& p, int x, int y, SDL_BlendMode blend) {
  SDL_SetTextureBlendMode(p.texture, blend);
  const SDL_Rect dst{x, y, p.w, p.h};
  SDL_RenderCopy(R(), p.texture, nullptr, &dst);
}

}  // namespace

void SetComposingWanted(bool on) { wanted = on; }

bool DrawComposed(SDL_Texture* tex, const SDL_FPoint c[4], SDL_BlendMode blend, SDL_Color color) {
  if (!wanted || !tex || !R() || !Kept(blend)) return false;
  // An upright quad with the picture's rows still horizontal (turned half round, or
  // mirrored) is copied as a rectangle by the renderer, not drawn as triangles.
  if (c[0].y == c[1].y && c[1].x == c[2].x && c[2].y == c[3].y && c[3].x == c[0].x) return false;
  // The software renderer places corners on whole pixels by dropping the fraction.
  std::array<int, 8> v{};
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(c[i].x) || !std::isfinite(c[i].y) || std::fabs(c[i].x) > 1e6f || std::fabs(c[i].y) > 1e6f)
      return false;
    v[size_t(2 * i)] = int(c[i].x);
    v[size_t(2 * i + 1)] = int(c[i].y);
  }
  const int x0 = std::min({v[0], v[2], v[4], v[6]}), y0 = std::min({v[1], v[3], v[5], v[7]});
  Key key{tex, false, v, color};
  for (size_t i = 0; i < 8; i += 2) key.corners[i] -= x0, key.corners[i + 1] -= y0;
  const int w = std::max({key.corners[0], key.corners[2], key.corners[4], key.corners[6]}) + 1;
  const int h = std::max({key.corners[1], key.corners[3], key.corners[5], key.corners[7]}) + 1;
  if (long(w) * h > PIXEL_BUDGET / 4) return false;
  const Picture* p = Find(key, w, h, [&] {
    SDL_Vertex q[4];
    const SDL_FPoint uv[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    for (size_t i = 0; i < 4; ++i)
      q[i] = SDL_Vertex{{float(key.corners[2 * i]), float(key.corners[2 * i + 1])}, key.color, uv[i]};
    SDL_SetTextureColorMod(key.tex, 255, 255, 255);
    SDL_SetTextureAlphaMod(key.tex, 255);
    // A quad that lands upright would be copied as a rectangle, losing a mirrored corner
    // order; a nudge below a pixel keeps it on the triangle path and changes no pixel.
    q[0].position.x += 1.0f / 1024;
    const int idx[6] = {0, 1, 2, 0, 2, 3};
    SDL_RenderGeometry(R(), key.tex, q, 4, idx, 6);
  });
  if (!p) return false;
  Blit(*p, x0, y0, blend);
  return true;
}

bool DrawComposedScaled(SDL_Texture* tex, const SDL_FRect& dst, SDL_BlendMode blend, SDL_Color color) {
  if (!wanted || !tex || !R() || !Kept(blend)) return false;
  int tw = 0, th = 0;
  if (SDL_QueryTexture(tex, nullptr, nullptr, &tw, &th) != 0) return false;
  if (!(std::fabs(dst.w) < 1e6f && std::fabs(dst.h) < 1e6f && std::fabs(dst.x) < 1e6f && std::fabs(dst.y) < 1e6f))
    return false;
  const int w = int(dst.w), h = int(dst.h);
  if (w <= 0 || h <= 0 || (w == tw && h == th) || long(w) * h > PIXEL_BUDGET / 4) return false;
  const Key key{tex, true, {w, h, 0, 0, 0, 0, 0, 0}, color};
  const Picture* p = Find(key, w, h, [&] {
    const SDL_Rect all{0, 0, w, h};
    SDL_RenderCopy(R(), key.tex, nullptr, &all);
  });
  if (!p) return false;
  // The same whole-pixel place the direct copy would take.
  Blit(*p, int(dst.x), int(dst.y), blend);
  return true;
}

void ForgetComposed(SDL_Texture* tex) {
  for (auto it = S().pictures.begin(); it != S().pictures.end();) {
    const auto next = std::next(it);
    if (it->key.tex == tex) Drop(it);
    it = next;
  }
}

void ForgetAllComposed() {
  while (!S().pictures.empty()) Drop(S().pictures.begin());
  S().seen.clear();
}

int ComposedCount() { return int(S().pictures.size()); }
long ComposedPixels() { return S().pixels; }

}  // namespace media_detail
