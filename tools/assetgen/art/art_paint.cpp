#include "art_paint.h"

#include <algorithm>
#include <cmath>

namespace art {

Mask CoverageOf(int width, int height, const std::function<void(cairo_t*)>& draw) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
  cairo_t* cr = cairo_create(s);
  cairo_set_antialias(cr, CAIRO_ANTIALIAS_BEST);
  cairo_set_source_rgba(cr, 0, 0, 0, 1);
  draw(cr);
  cairo_destroy(cr);
  cairo_surface_flush(s);
  Mask m(width, height);
  const int stride = cairo_image_surface_get_stride(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) m.At(x, y) = data[size_t(y) * stride + x] / 255.0f;
  cairo_surface_destroy(s);
  return m;
}

void PolygonPath(cairo_t* cr, const Polygon& poly) {
  cairo_new_path(cr);
  for (const Vec2& p : poly) cairo_line_to(cr, p.x, p.y);
  cairo_close_path(cr);
}

Mask PolygonCoverage(int width, int height, const Polygon& poly) {
  return CoverageOf(width, height, [&](cairo_t* cr) {
    PolygonPath(cr, poly);
    cairo_fill(cr);
  });
}

double EdgeDistance(const Polygon& poly, Vec2 p, Vec2* inwardNormal) {
  // Signed area tells the winding, so the inward side of every edge is known.
  double area = 0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const Vec2& a = poly[i];
    const Vec2& b = poly[(i + 1) % poly.size()];
    area += a.x * b.y - b.x * a.y;
  }
  const double side = area > 0 ? 1.0 : -1.0;
  double best = 1e30;
  Vec2 normal{0, 0};
  for (size_t i = 0; i < poly.size(); ++i) {
    const Vec2& a = poly[i];
    const Vec2& b = poly[(i + 1) % poly.size()];
    const double ex = b.x - a.x, ey = b.y - a.y;
    const double len2 = ex * ex + ey * ey;
    const double t = std::clamp(((p.x - a.x) * ex + (p.y - a.y) * ey) / len2, 0.0, 1.0);
    const double dx = p.x - (a.x + t * ex), dy = p.y - (a.y + t * ey);
    const double d = std::sqrt(dx * dx + dy * dy);
    if (d < best) {
      best = d;
      const double len = std::sqrt(len2);
      normal = {-ey / len * side, ex / len * side};
    }
  }
  if (inwardNormal) *inwardNormal = normal;
  return best;
}

namespace {

void BoxPass(std::vector<float>& line, std::vector<float>& tmp, int radius) {
  const int n = int(line.size());
  tmp.assign(n, 0.0f);
  double sum = 0;
  const double norm = 1.0 / (2 * radius + 1);
  // Zero outside the line: a blurred shape fades into transparency.
  for (int i = 0; i <= radius && i < n; ++i) sum += line[i];
  for (int i = 0; i < n; ++i) {
    tmp[i] = float(sum * norm);
    const int add = i + radius + 1, sub = i - radius;
    if (add < n) sum += line[add];
    if (sub >= 0) sum -= line[sub];
  }
  line.swap(tmp);
}

}  // namespace

void Blur(Mask& m, int radius) {
  if (radius <= 0) return;
  std::vector<float> line, tmp;
  for (int pass = 0; pass < 3; ++pass) {
    line.resize(m.width);
    for (int y = 0; y < m.height; ++y) {
      for (int x = 0; x < m.width; ++x) line[x] = m.At(x, y);
      BoxPass(line, tmp, radius);
      for (int x = 0; x < m.width; ++x) m.At(x, y) = line[x];
    }
    for (int x = 0; x < m.width; ++x) {
      line.resize(m.height);
      for (int y = 0; y < m.height; ++y) line[y] = m.At(x, y);
      BoxPass(line, tmp, radius);
      for (int y = 0; y < m.height; ++y) m.At(x, y) = line[y];
    }
  }
}

cairo_surface_t* ToSurface(const RgbaImage& image) {
  cairo_surface_t* s = NewSurface(image.width, image.height);
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < image.height; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      const uint32_t a = p[3];
      const uint32_t r = (p[0] * a + 127) / 255, g = (p[1] * a + 127) / 255, b = (p[2] * a + 127) / 255;
      row[x] = (a << 24) | (r << 16) | (g << 8) | b;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

void Blit(RgbaImage& dst, const RgbaImage& src, int x0, int y0) {
  for (int y = 0; y < src.height; ++y) {
    const int ty = y0 + y;
    if (ty < 0 || ty >= dst.height) continue;
    for (int x = 0; x < src.width; ++x) {
      const int tx = x0 + x;
      if (tx < 0 || tx >= dst.width) continue;
      std::copy(src.At(x, y), src.At(x, y) + 4, dst.At(tx, ty));
    }
  }
}

void BleedEdges(RgbaImage& image, int rings) {
  const int w = image.width, h = image.height;
  std::vector<uint8_t> known(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) known[size_t(y) * w + x] = image.At(x, y)[3] != 0;
  for (int ring = 0; ring < rings; ++ring) {
    std::vector<uint8_t> next = known;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (known[size_t(y) * w + x]) continue;
        int sum[3] = {0, 0, 0}, n = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || !known[size_t(ny) * w + nx]) continue;
            const uint8_t* q = image.At(nx, ny);
            for (int k = 0; k < 3; ++k) sum[k] += q[k];
            ++n;
          }
        if (!n) continue;
        uint8_t* p = image.At(x, y);
        for (int k = 0; k < 3; ++k) p[k] = uint8_t((sum[k] + n / 2) / n);
        next[size_t(y) * w + x] = 1;
      }
    known.swap(next);
  }
}

void Finish(RgbaImage& image) {
  LiftPureBlack(image);
  BleedEdges(image);
}

Light LightAt(double nx, double ny, double nz, double shininess) {
  // Light from the upper left and in front; the viewer looks straight down.
  static const double lx = -0.45, ly = -0.55, lz = 0.70;
  static const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
  const double n = std::sqrt(nx * nx + ny * ny + nz * nz);
  nx /= n, ny /= n, nz /= n;
  const double d = (nx * lx + ny * ly + nz * lz) / ll;
  const double flat = lz / ll;
  // Reflection of the light direction about the normal, compared with the view (0,0,1).
  const double rz = 2 * d * nz - lz / ll;
  const double spec = rz > 0 ? std::pow(rz, shininess) : 0.0;
  return {d / flat, spec};
}

double Smoothstep(double e0, double e1, double x) {
  const double t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}

double Clamp01(double x) { return x < 0 ? 0 : (x > 1 ? 1 : x); }

uint8_t ToByte(double v) { return uint8_t(std::lround(Clamp01(v) * 255.0)); }

void Over(RgbaImage& image, int x, int y, Rgb c, double alpha) {
  if (alpha <= 0 || x < 0 || y < 0 || x >= image.width || y >= image.height) return;
  uint8_t* p = image.At(x, y);
  const double da = p[3] / 255.0;
  const double oa = alpha + da * (1 - alpha);
  const double k = da * (1 - alpha);
  p[0] = ToByte((c.r * alpha + p[0] / 255.0 * k) / oa);
  p[1] = ToByte((c.g * alpha + p[1] / 255.0 * k) / oa);
  p[2] = ToByte((c.b * alpha + p[2] / 255.0 * k) / oa);
  p[3] = ToByte(oa);
}

void PaintRelief(RgbaImage& image, const Mask& shape, int soft, double depth,
                 const std::function<Rgb(int, int)>& albedo, double specular, double shininess) {
  Mask height = shape;
  Blur(height, soft);
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const float a = shape.At(x, y);
      if (a <= 0) continue;
      const int x0 = std::max(0, x - 1), x1 = std::min(image.width - 1, x + 1);
      const int y0 = std::max(0, y - 1), y1 = std::min(image.height - 1, y + 1);
      const double gx = (height.At(x1, y) - height.At(x0, y)) * depth;
      const double gy = (height.At(x, y1) - height.At(x, y0)) * depth;
      const Light l = LightAt(-gx, -gy, 1.0, shininess);
      const Rgb c = albedo(x, y);
      const double s = specular * l.specular;
      Over(image, x, y, {c.r * l.diffuse + s, c.g * l.diffuse + s, c.b * l.diffuse + s * 0.85}, a);
    }
}

void PaintDropShadow(RgbaImage& image, const Mask& shape, int blur, int dx, int dy, double alpha) {
  Mask m(shape.width, shape.height);
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x) {
      const int sx = x - dx, sy = y - dy;
      if (sx >= 0 && sy >= 0 && sx < m.width && sy < m.height) m.At(x, y) = shape.At(sx, sy);
    }
  Blur(m, blur);
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x) Over(image, x, y, palette::ink, alpha * m.At(x, y));
}

Rgb LacquerAt(double x, double y, uint32_t seed) {
  const double grain = Fbm(x * 0.01, y * 0.12, 4, seed);
  const double streak = ValueNoise(x * 0.004, y * 0.6, seed + 9);
  const double cloud = Fbm(x * 0.02, y * 0.02, 3, seed + 17);
  Rgb c = Mix(palette::lacquer, palette::lacquerLight, 0.25 + 0.45 * grain);
  c = Mix(c, {0.24, 0.07, 0.05}, 0.35 * streak);
  return Mix(c, palette::maroon, 0.2 * cloud);
}

Rgb GoldAt(double x, double y, uint32_t seed) {
  const double band = 0.5 + 0.5 * std::sin((x * 0.7 + y) * 0.08 + 3.0 * Fbm(x * 0.03, y * 0.03, 3, seed));
  return Mix({0.78, 0.55, 0.18}, {1.0, 0.86, 0.48}, band);
}

void PaintYinYangDisc(RgbaImage& img, double cx, double cy, double R) {
  const Rgb light = {0.96, 0.91, 0.80}, dark = {0.36, 0.07, 0.09};
  const int x0 = std::max(0, int(cx - R) - 1), x1 = std::min(img.width - 1, int(cx + R) + 1);
  const int y0 = std::max(0, int(cy - R) - 1), y1 = std::min(img.height - 1, int(cy + R) + 1);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      // 4x4 samples per pixel for clean curves.
      double r = 0, g = 0, b = 0, a = 0;
      for (int sy = 0; sy < 4; ++sy)
        for (int sx = 0; sx < 4; ++sx) {
          const double px = x + (sx + 0.5) / 4 - cx, py = y + (sy + 0.5) / 4 - cy;
          const double d = std::hypot(px, py);
          if (d > R) continue;
          // Light half on the left; the two small discs and dots swap it.
          bool isLight = px < 0;
          const double top = std::hypot(px, py + R / 2), bottom = std::hypot(px, py - R / 2);
          if (top < R / 2) isLight = true;
          if (bottom < R / 2) isLight = false;
          if (top < R / 7) isLight = false;
          if (bottom < R / 7) isLight = true;
          // A soft dome that looks the same at every turn (the disc rotates in the game).
          const double sh = 1.0 - 0.28 * std::pow(d / R, 4);
          const double gloss = 0.10 * std::exp(-std::pow(d / R - 0.55, 2) / 0.02);
          const Rgb base = isLight ? light : dark;
          r += base.r * sh + gloss, g += base.g * sh + gloss, b += base.b * sh + gloss * 0.9;
          a += 1;
        }
      if (a > 0) Over(img, x, y, {r / a, g / a, b / a}, a / 16);
    }
}

void DrawCentred(cairo_t* cr, const RgbaImage& image, double cx, double cy, double scale,
                 double angle, const Rgb* tint, double alpha) {
  cairo_surface_t* s = ToSurface(image);
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, scale, scale);
  if (tint) {
    cairo_set_source_rgba(cr, tint->r, tint->g, tint->b, alpha);
    cairo_mask_surface(cr, s, -image.width / 2.0, -image.height / 2.0);
  } else {
    cairo_set_source_surface(cr, s, -image.width / 2.0, -image.height / 2.0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_paint_with_alpha(cr, alpha);
  }
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void PaintGoldRim(RgbaImage& img, double cx, double cy, double r0, double r1) {
  for (int y = 0; y < img.height; ++y)
    for (int x = 0; x < img.width; ++x) {
      const double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
      const double a = Clamp01(d - r0 + 0.5) * Clamp01(r1 - d + 0.5);
      if (a <= 0) continue;
      // Rounded profile across the ring: bright crest, darker flanks.
      const double t = Clamp01((d - r0) / (r1 - r0));
      const double crest = std::sin(M_PI * t);
      Over(img, x, y, Mix({0.55, 0.36, 0.10}, {1.0, 0.90, 0.55}, crest * crest), a);
    }
}

RgbaImage PaintCairo(int width, int height, const std::function<void(cairo_t*)>& paint) {
  cairo_surface_t* s = NewSurface(width, height);
  cairo_t* cr = cairo_create(s);
  paint(cr);
  cairo_destroy(cr);
  RgbaImage img = FromCairo(s);
  cairo_surface_destroy(s);
  return img;
}

}  // namespace art
