// Piece pictures: a lit bevel over a material texture, fully opaque inside the outline
// so that a black-tinted piece is a solid silhouette and a placed piece hides it.
#include "art_pieces.h"

#include "art_generators.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace art {

namespace {

struct PieceSize {
  int w, h;
  int shadowW, shadowH;
};
constexpr PieceSize SIZES[5] = {
    {172, 86, 224, 112}, {119, 60, 155, 78}, {86, 43, 112, 56}, {87, 86, 113, 112}, {130, 43, 169, 56}};

// Outlines relative to the image centre, rotation 0, screen y downwards.
Polygon LocalPolygon(int element, bool mirrored) {
  switch (element) {
    case 0: return {{-86, 43}, {86, 43}, {0, -43}};
    case 1: return {{-59.5, 30}, {59.5, 30}, {0, -30}};  // squeezed to its picture
    case 2: return {{-43, 21.5}, {43, 21.5}, {0, -21.5}};
    case 3: return {{43, 0}, {0, 43}, {-43, 0}, {0, -43}};
    default:
      if (mirrored) return {{-21.5, 21.5}, {64.5, 21.5}, {21.5, -21.5}, {-64.5, -21.5}};
      return {{-64.5, 21.5}, {21.5, 21.5}, {64.5, -21.5}, {-21.5, -21.5}};
  }
}

Polygon Centred(const Polygon& local, double cx, double cy) {
  Polygon p;
  for (const Vec2& v : local) p.push_back({v.x + cx, v.y + cy});
  return p;
}

Rgb MarbleAlbedo(double x, double y, uint32_t seed) {
  // Veins follow the iso-lines of a warped noise field, as in real stone.
  const double wx = x + 18 * Fbm(x * 0.02, y * 0.02, 3, seed + 3);
  const double wy = y + 18 * Fbm(x * 0.02 + 7, y * 0.02, 3, seed + 4);
  const double f = Fbm(wx * 0.012, wy * 0.012, 5, seed);
  const double main = std::abs(std::sin(f * M_PI * 6));
  const double vein = 1 - Smoothstep(0.0, 0.07, main);
  const double halo = 1 - Smoothstep(0.0, 0.4, main);
  const double g = Fbm(wx * 0.03 + 3, wy * 0.03, 4, seed + 101);
  const double fine = 1 - Smoothstep(0.0, 0.05, std::abs(std::sin(g * M_PI * 5)));
  const double cloud = Fbm(x * 0.03, y * 0.03, 4, seed + 57);
  Rgb c = Mix({0.97, 0.95, 0.91}, {0.88, 0.86, 0.84}, Smoothstep(0.4, 0.8, cloud));
  c = Mix(c, {0.80, 0.81, 0.81}, 0.35 * halo);
  c = Mix(c, {0.52, 0.57, 0.58}, 0.60 * vein);
  c = Mix(c, {0.80, 0.68, 0.46}, 0.30 * fine);
  return c;
}

Rgb WoodAlbedo(double x, double y, uint32_t seed) {
  // The grain runs along x; rings are bent by slow noise, fibres by fast noise.
  const double ring = y * 0.22 + 3.2 * Fbm(x * 0.010, y * 0.035, 4, seed) +
                      0.6 * Fbm(x * 0.05, y * 0.2, 3, seed + 11);
  const double f = ring - std::floor(ring);
  const double late = Smoothstep(0.55, 0.92, f) * (1 - Smoothstep(0.92, 1.0, f));
  const double fibre = ValueNoise(x * 0.06, y * 1.1, seed + 23);
  const double figure = Fbm(x * 0.02, y * 0.02, 3, seed + 31);
  Rgb c = Mix({0.74, 0.46, 0.25}, {0.62, 0.36, 0.18}, figure);
  c = Mix(c, {0.40, 0.19, 0.09}, 0.60 * late);
  c = Mix(c, {0.50, 0.27, 0.13}, 0.25 * fibre);
  return c;
}

Rgb GoldAlbedo(double x, double y, uint32_t seed) {
  const double band = 0.5 + 0.5 * std::sin((x + y) * 0.045 + 3.0 * Fbm(x * 0.02, y * 0.02, 3, seed));
  const double brush = ValueNoise(x * 0.05, y * 0.9, seed + 7);
  Rgb c = Mix({0.86, 0.62, 0.20}, {1.00, 0.86, 0.45}, band);
  return Mix(c, {0.95, 0.78, 0.36}, 0.25 * brush);
}

struct MaterialLook {
  double bevel;       // bevel width in pixels
  double slope;       // how steeply the bevel falls off
  double shade;       // strength of the diffuse shading
  double specular;    // highlight strength
  double shininess;
  Rgb highlight;
};

MaterialLook LookOf(PieceMaterial m) {
  switch (m) {
    case PieceMaterial::Marble: return {5.0, 1.0, 0.55, 0.30, 25, {1.0, 0.98, 0.94}};
    case PieceMaterial::Wood: return {4.5, 1.0, 0.60, 0.30, 35, {1.0, 0.90, 0.72}};
    default: return {6.0, 1.3, 1.00, 0.80, 10, {1.0, 0.97, 0.80}};
  }
}

Rgb AlbedoOf(PieceMaterial m, double x, double y, uint32_t seed) {
  switch (m) {
    case PieceMaterial::Marble: return MarbleAlbedo(x, y, seed);
    case PieceMaterial::Wood: return WoodAlbedo(x, y, seed);
    default: return GoldAlbedo(x, y, seed);
  }
}

// A shallow engraved line inside the gold pieces: a dark groove with a lit lip.
double GrooveSlope(double d) {
  const double c = 9.0;
  return 0.55 * std::sin(std::clamp((d - c) / 1.6, -1.0, 1.0) * M_PI) * (std::abs(d - c) < 1.6);
}

}  // namespace

int PieceWidth(int element) { return SIZES[element].w; }
int PieceHeight(int element) { return SIZES[element].h; }

Polygon PiecePolygon(int element, bool mirrored) {
  return Centred(LocalPolygon(element, mirrored), SIZES[element].w * 0.5, SIZES[element].h * 0.5);
}

RgbaImage PaintPiece(int element, bool mirrored, PieceMaterial material, uint32_t seed) {
  const int w = SIZES[element].w, h = SIZES[element].h;
  const Polygon poly = PiecePolygon(element, mirrored);
  const Mask cover = PolygonCoverage(w, h, poly);
  const MaterialLook look = LookOf(material);
  RgbaImage img(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const float a = cover.At(x, y);
      if (a <= 0) continue;
      Vec2 n;
      const Vec2 p{x + 0.5, y + 0.5};
      double d = EdgeDistance(poly, p, &n);
      if (a < 0.5) d = 0;  // centre outside: the rim pixel
      // Height rises over the bevel width; the normal leans outwards where it rises.
      // A rounded edge: steep at the rim, flattening out over the bevel width.
      double s = d < look.bevel ? look.slope * std::cos(0.5 * M_PI * d / look.bevel) * 1.6 : 0.0;
      if (material == PieceMaterial::Gold) s -= GrooveSlope(d);
      const Light l = LightAt(-n.x * s, -n.y * s, 1.0, look.shininess);
      const Rgb base = AlbedoOf(material, x - w * 0.5, y - h * 0.5, seed);
      // Edges turned away from the light stay readable: never darker than 40 %.
      const double shade = std::max(0.4, 1 + look.shade * (l.diffuse - 1));
      uint8_t* o = img.At(x, y);
      o[0] = ToByte(base.r * shade + look.specular * l.specular * look.highlight.r);
      o[1] = ToByte(base.g * shade + look.specular * l.specular * look.highlight.g);
      o[2] = ToByte(base.b * shade + look.specular * l.specular * look.highlight.b);
      o[3] = ToByte(a);
    }
  AddGrain(img, 0.012, seed + 5);
  Finish(img);
  return img;
}

namespace {

const char* const FIG[5] = {"fig01", "fig02", "fig03", "fig04", "fig05"};

void WriteSet(Output& out, const std::string& folder, PieceMaterial material, uint32_t seed) {
  for (int e = 0; e < 5; ++e)
    out.WritePng(folder + "/puzzleset1/" + FIG[e] + ".png", PaintPiece(e, false, material, seed + e * 97));
  out.WritePng(folder + "/puzzleset2/fig05.png", PaintPiece(4, true, material, seed + 600));
}

// A soft shadow of the outline, a little below and right of the piece.
RgbaImage PaintShadow(int element, bool mirrored) {
  const PieceSize& s = SIZES[element];
  Polygon poly = Centred(LocalPolygon(element, mirrored), s.shadowW * 0.5 + 3, s.shadowH * 0.5 + 4);
  Mask m = PolygonCoverage(s.shadowW, s.shadowH, poly);
  Blur(m, 3);
  RgbaImage img(s.shadowW, s.shadowH);
  for (int y = 0; y < s.shadowH; ++y)
    for (int x = 0; x < s.shadowW; ++x) {
      uint8_t* o = img.At(x, y);
      o[0] = 14, o[1] = 9, o[2] = 8;
      o[3] = ToByte(0.6 * m.At(x, y));
    }
  Finish(img);
  return img;
}

}  // namespace

}  // namespace art

void GeneratePiecesMarble(Output& out, const Sources&) {
  art::WriteSet(out, "gfx/set_0", art::PieceMaterial::Marble, 1100);
  for (int e = 0; e < 5; ++e)
    out.WritePng(std::string("gfx/set_0/puzzleset1/") + art::FIG[e] + "_shadow.png", art::PaintShadow(e, false));
  out.WritePng("gfx/set_0/puzzleset2/fig05_shadow.png", art::PaintShadow(4, true));
}

void GeneratePiecesWood(Output& out, const Sources&) {
  art::WriteSet(out, "gfx/set_1", art::PieceMaterial::Wood, 2200);
}

void GeneratePiecesGold(Output& out, const Sources&) {
  art::WriteSet(out, "gfx/set_gold", art::PieceMaterial::Gold, 3300);
}
