#include "art_ui_paint.h"

#include "art_paint.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace art::ui {

namespace {
constexpr Rgb kLacquerDeep{0.30, 0.06, 0.05};
constexpr Rgb kLacquerLit{0.55, 0.15, 0.08};
}  // namespace

Canvas::Canvas(int w, int h)
    : cr(nullptr), surface(NewSurface(w, h)), width(w), height(h) {
  cr = cairo_create(surface);
}

Canvas::~Canvas() {
  cairo_destroy(cr);
  cairo_surface_destroy(surface);
}

void RoundedRect(cairo_t* cr, Rect r, double radius) {
  radius = std::min({radius, r.w / 2, r.h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, r.x + r.w - radius, r.y + radius, radius, -M_PI / 2, 0);
  cairo_arc(cr, r.x + r.w - radius, r.y + r.h - radius, radius, 0, M_PI / 2);
  cairo_arc(cr, r.x + radius, r.y + r.h - radius, radius, M_PI / 2, M_PI);
  cairo_arc(cr, r.x + radius, r.y + radius, radius, M_PI, 1.5 * M_PI);
  cairo_close_path(cr);
}

namespace {

// One box pass over n pixels of four channels, spaced by step in data.
void BoxLine(uint8_t* data, int n, int step, int radius, std::vector<int>& tmp) {
  tmp.assign(size_t(n) * 4, 0);
  const int window = 2 * radius + 1;
  for (int c = 0; c < 4; ++c) {
    int sum = 0;
    for (int i = -radius; i <= radius; ++i)
      if (i >= 0 && i < n) sum += data[size_t(i) * step + c];
    for (int i = 0; i < n; ++i) {
      tmp[size_t(i) * 4 + c] = (sum + window / 2) / window;
      const int out = i - radius, in = i + radius + 1;
      if (out >= 0) sum -= data[size_t(out) * step + c];
      if (in < n) sum += data[size_t(in) * step + c];
    }
  }
  for (int i = 0; i < n; ++i)
    for (int c = 0; c < 4; ++c) data[size_t(i) * step + c] = uint8_t(tmp[size_t(i) * 4 + c]);
}

}  // namespace

void Blur(cairo_surface_t* surface, int radius) {
  if (radius <= 0) return;
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  std::vector<int> tmp;
  // Three passes of a box a third of the size approximate a Gaussian.
  const int r = std::max(1, radius / 2);
  for (int pass = 0; pass < 3; ++pass) {
    for (int y = 0; y < h; ++y) BoxLine(data + size_t(y) * stride, w, 4, r, tmp);
    for (int x = 0; x < w; ++x) BoxLine(data + size_t(x) * 4, h, stride, r, tmp);
  }
  cairo_surface_mark_dirty(surface);
}

namespace {

// A blurred copy of the filled path (or of everything around it), on a surface just
// large enough for the path and the blur; origin receives its place on the target.
cairo_surface_t* BlurredShape(cairo_t* cr, const PathFn& path, int blur, Rgb colour,
                              bool inverted, double origin[2]) {
  cairo_matrix_t m;
  cairo_get_matrix(cr, &m);
  cairo_save(cr);
  cairo_new_path(cr);
  path(cr);
  double x1, y1, x2, y2;
  cairo_path_extents(cr, &x1, &y1, &x2, &y2);
  cairo_user_to_device(cr, &x1, &y1);
  cairo_user_to_device(cr, &x2, &y2);
  cairo_new_path(cr);
  cairo_restore(cr);
  const int margin = 2 * blur + 4;
  const double left = std::floor(std::min(x1, x2)) - margin;
  const double top = std::floor(std::min(y1, y2)) - margin;
  const int w = int(std::ceil(std::abs(x2 - x1))) + 2 * margin + 1;
  const int h = int(std::ceil(std::abs(y2 - y1))) + 2 * margin + 1;
  cairo_surface_t* tmp = NewSurface(w, h);
  cairo_t* t = cairo_create(tmp);
  cairo_translate(t, -left, -top);
  cairo_transform(t, &m);
  SetColor(t, colour);
  if (inverted) {
    cairo_save(t);
    cairo_identity_matrix(t);
    cairo_rectangle(t, -1, -1, w + 2, h + 2);
    cairo_restore(t);
    path(t);
    cairo_set_fill_rule(t, CAIRO_FILL_RULE_EVEN_ODD);
  } else {
    path(t);
  }
  cairo_fill(t);
  cairo_destroy(t);
  Blur(tmp, blur);
  origin[0] = left;
  origin[1] = top;
  return tmp;
}

}  // namespace

void SoftShadow(cairo_t* cr, const PathFn& path, double dx, double dy, int blur, Rgb colour,
                double alpha) {
  double origin[2];
  cairo_surface_t* tmp = BlurredShape(cr, path, blur, colour, false, origin);
  cairo_save(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_surface(cr, tmp, origin[0] + dx, origin[1] + dy);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(tmp);
}

void InnerShadow(cairo_t* cr, const PathFn& path, double dx, double dy, int blur, Rgb colour,
                 double alpha) {
  double origin[2];
  cairo_surface_t* tmp = BlurredShape(cr, path, blur, colour, true, origin);
  cairo_save(cr);
  cairo_new_path(cr);
  path(cr);
  cairo_clip(cr);
  cairo_identity_matrix(cr);
  // Beyond the blurred surface lies more of the same shadow: extend its edge pixels.
  cairo_set_source_surface(cr, tmp, origin[0] + dx, origin[1] + dy);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
  cairo_surface_destroy(tmp);
}

namespace {

uint32_t Pack(Rgb c) {
  auto ch = [](double v) { return uint32_t(std::clamp(v, 0.0, 1.0) * 255 + 0.5); };
  return 0xFF000000u | ch(c.r) << 16 | ch(c.g) << 8 | ch(c.b);
}

template <typename F>
cairo_surface_t* PixelTexture(int w, int h, F colourAt) {
  cairo_surface_t* s = NewSurface(w, h);
  cairo_surface_flush(s);
  const int stride = cairo_image_surface_get_stride(s);
  uint8_t* data = cairo_image_surface_get_data(s);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < w; ++x) row[x] = Pack(colourAt(x, y));
  }
  cairo_surface_mark_dirty(s);
  return s;
}

}  // namespace

cairo_surface_t* LacquerTexture(int w, int h, bool horizontal, Rgb base, Rgb light,
                                uint32_t seed) {
  return PixelTexture(w, h, [&](int x, int y) {
    const double u = horizontal ? x : y;  // along the grain
    const double v = horizontal ? y : x;  // across it
    const double warp = Fbm(u * 0.004, v * 0.015, 3, seed);
    // Growth lines bunch and spread as the wood warps.
    const double phase = (v + warp * 60.0) * (0.45 + 0.35 * Fbm(u * 0.01, v * 0.01, 2, seed + 3));
    const double lines = std::pow(0.5 + 0.5 * std::sin(phase), 3.0);
    const double broad = Fbm(u * 0.012, v * 0.06, 4, seed + 11);
    const double fleck = ValueNoise(u * 0.5, v * 0.08, seed + 23);
    const double t = std::clamp(0.1 + 0.55 * broad + 0.16 * lines + 0.08 * fleck - 0.15, 0.0, 1.0);
    return Mix(base, light, t);
  });
}

cairo_surface_t* ParchmentTexture(int w, int h, Rgb light, Rgb dark, uint32_t seed) {
  const Rgb warm = Mix(light, palette::saffron, 0.18);
  return PixelTexture(w, h, [&](int x, int y) {
    const double mottle = Fbm(x / 70.0, y / 70.0, 4, seed);
    const double cloud = Fbm(x / 18.0, y / 18.0, 2, seed + 5);
    const double fibre = ValueNoise(x / 1.6, y / 11.0, seed + 9);
    // Broad brush strokes running on a slant.
    const double u = x * 0.8 + y * 0.6, v = -x * 0.6 + y * 0.8;
    const double stroke = Fbm(u / 90.0, v / 5.0, 2, seed + 13);
    const double stain = std::max(0.0, Fbm(x / 40.0, y / 40.0, 2, seed + 17) - 0.62) * 2.5;
    const double t = std::clamp(0.5 + 1.1 * (mottle - 0.5) + 0.3 * (cloud - 0.5) +
                                    0.12 * (fibre - 0.5) + 0.35 * (stroke - 0.5) + stain,
                                0.0, 1.0);
    const double hue = std::clamp((ValueNoise(x / 110.0, y / 110.0, seed + 21) - 0.4) * 1.6, 0.0, 1.0);
    return Mix(Mix(light, warm, hue), dark, t);
  });
}

void FillWithTexture(cairo_t* cr, cairo_surface_t* texture) {
  cairo_save(cr);
  cairo_set_source_surface(cr, texture, 0, 0);
  cairo_fill_preserve(cr);
  cairo_restore(cr);
}

void SetGold(cairo_t* cr, double y0, double y1, double brightness) {
  auto stop = [&](double at, Rgb c) {
    cairo_pattern_add_color_stop_rgb(cairo_get_source(cr), at, c.r * brightness,
                                     c.g * brightness, c.b * brightness);
  };
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
  const Rgb deep{0.52, 0.34, 0.10};
  stop(0.0, palette::goldLight);
  stop(0.35, palette::gold);
  stop(0.55, deep);
  stop(0.8, palette::gold);
  stop(1.0, Mix(palette::gold, deep, 0.5));
}

void GoldLine(cairo_t* cr, const PathFn& path, double width, double y0, double y1) {
  cairo_save(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_save(cr);
  cairo_translate(cr, 0, 0.7);
  cairo_new_path(cr);
  path(cr);
  cairo_set_line_width(cr, width + 1.2);
  SetColor(cr, {0.22, 0.10, 0.05}, 0.55);
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  path(cr);
  cairo_set_line_width(cr, width);
  SetGold(cr, y0, y1);
  cairo_stroke(cr);
  cairo_translate(cr, -0.3, -0.4);
  path(cr);
  cairo_set_line_width(cr, std::max(0.6, width * 0.3));
  SetColor(cr, palette::goldLight, 0.55);
  cairo_stroke(cr);
  cairo_restore(cr);
}

namespace {

// Clips to one side of a frame: the trapezoid between the outer and inner rectangle.
void ClipSide(cairo_t* cr, Rect o, Rect i, int side) {
  const double ox0 = o.x, oy0 = o.y, ox1 = o.x + o.w, oy1 = o.y + o.h;
  const double ix0 = i.x, iy0 = i.y, ix1 = i.x + i.w, iy1 = i.y + i.h;
  cairo_new_path(cr);
  switch (side) {
    case 0:  // top
      cairo_move_to(cr, ox0, oy0); cairo_line_to(cr, ox1, oy0);
      cairo_line_to(cr, ix1, iy0); cairo_line_to(cr, ix0, iy0);
      break;
    case 1:  // bottom
      cairo_move_to(cr, ox0, oy1); cairo_line_to(cr, ox1, oy1);
      cairo_line_to(cr, ix1, iy1); cairo_line_to(cr, ix0, iy1);
      break;
    case 2:  // left
      cairo_move_to(cr, ox0, oy0); cairo_line_to(cr, ix0, iy0);
      cairo_line_to(cr, ix0, iy1); cairo_line_to(cr, ox0, oy1);
      break;
    default:  // right
      cairo_move_to(cr, ox1, oy0); cairo_line_to(cr, ix1, iy0);
      cairo_line_to(cr, ix1, iy1); cairo_line_to(cr, ox1, oy1);
      break;
  }
  cairo_close_path(cr);
  cairo_clip(cr);
}

}  // namespace

void LacquerFrame(cairo_t* cr, Rect o, double outerRadius, Rect i, double innerRadius,
                  uint32_t seed) {
  cairo_surface_t* target = cairo_get_target(cr);
  const int w = cairo_image_surface_get_width(target);
  const int h = cairo_image_surface_get_height(target);
  cairo_surface_t* along = LacquerTexture(w, h, true, kLacquerDeep, kLacquerLit, seed);
  cairo_surface_t* across =
      LacquerTexture(w, h, false, kLacquerDeep, kLacquerLit, seed + 101);
  auto ring = [&](cairo_t* c) {
    RoundedRect(c, o, outerRadius);
    RoundedRect(c, i, innerRadius);
    cairo_set_fill_rule(c, CAIRO_FILL_RULE_EVEN_ODD);
  };
  // One fill under the four sides, so the mitred seams stay opaque.
  cairo_save(cr);
  cairo_new_path(cr);
  ring(cr);
  cairo_set_source_surface(cr, along, 0, 0);
  cairo_fill(cr);
  cairo_restore(cr);
  for (int side = 0; side < 4; ++side) {
    cairo_save(cr);
    ClipSide(cr, {o.x - 1, o.y - 1, o.w + 2, o.h + 2}, i, side);
    cairo_new_path(cr);
    ring(cr);
    cairo_clip(cr);
    cairo_set_source_surface(cr, side < 2 ? along : across, 0, 0);
    cairo_paint(cr);
    // A rounded moulding across the side, lit from the upper left.
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    switch (side) {
      case 0: x0 = x1 = o.x; y0 = o.y; y1 = i.y; break;
      case 1: x0 = x1 = o.x; y0 = o.y + o.h; y1 = i.y + i.h; break;
      case 2: y0 = y1 = o.y; x0 = o.x; x1 = i.x; break;
      default: y0 = y1 = o.y; x0 = o.x + o.w; x1 = i.x + i.w; break;
    }
    const double lit[] = {0.26, 0.0, 0.12, -0.06};
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0.0, 0.08, 0.02, 0.02, 0.55);
    cairo_pattern_add_color_stop_rgba(p, 0.16, 0.08, 0.02, 0.02, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 0.30, 1.0, 0.62, 0.42, 0.26 + lit[side]);
    cairo_pattern_add_color_stop_rgba(p, 0.36, 1.0, 0.62, 0.42, 0.10 + lit[side] * 0.5);
    cairo_pattern_add_color_stop_rgba(p, 0.55, 1.0, 0.62, 0.42, 0.0);
    cairo_pattern_add_color_stop_rgba(p, 0.80, 0.08, 0.02, 0.02, 0.2);
    cairo_pattern_add_color_stop_rgba(p, 1.0, 0.08, 0.02, 0.02, 0.6);
    cairo_set_source(cr, p);
    cairo_paint(cr);
    cairo_pattern_destroy(p);
    if (side == 1 || side == 3) {
      SetColor(cr, {0.08, 0.02, 0.02}, side == 1 ? 0.25 : 0.12);
      cairo_paint(cr);
    }
    cairo_restore(cr);
  }
  cairo_surface_destroy(along);
  cairo_surface_destroy(across);

  // A painted gold line of dots along the middle of the frame.
  const double mid = 0.58;
  cairo_save(cr);
  cairo_new_path(cr);
  RoundedRect(cr, {o.x + (i.x - o.x) * mid, o.y + (i.y - o.y) * mid, o.w - (o.w - i.w) * mid,
                   o.h - (o.h - i.h) * mid},
              (outerRadius + innerRadius) / 2);
  const double dash[] = {0.01, 4.0};
  cairo_set_dash(cr, dash, 2, 0);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 1.6);
  SetColor(cr, palette::gold, 0.75);
  cairo_stroke(cr);
  cairo_restore(cr);

  // Gold bead along the outer edge and a broader one along the inner edge.
  GoldLine(cr, [&](cairo_t* c) {
    RoundedRect(c, {o.x + 1, o.y + 1, o.w - 2, o.h - 2}, outerRadius - 1);
  }, 1.6, o.y, o.y + o.h);
  GoldLine(cr, [&](cairo_t* c) {
    RoundedRect(c, {i.x - 1.5, i.y - 1.5, i.w + 3, i.h + 3}, innerRadius + 1.5);
  }, 2.4, i.y, i.y + i.h);
}

void CornerBrackets(cairo_t* cr, Rect r, double arm) {
  const double g = 0.5;
  for (int k = 0; k < 4; ++k) {
    const double sx = (k & 1) ? -1 : 1, sy = (k & 2) ? -1 : 1;
    const double cx = (k & 1) ? r.x + r.w : r.x, cy = (k & 2) ? r.y + r.h : r.y;
    GoldLine(cr, [&](cairo_t* c) {
      cairo_move_to(c, cx + sx * arm, cy + sy * g);
      cairo_line_to(c, cx + sx * g, cy + sy * g);
      cairo_line_to(c, cx + sx * g, cy + sy * arm);
      cairo_move_to(c, cx + sx * (arm * 0.55), cy + sy * 4);
      cairo_line_to(c, cx + sx * 4, cy + sy * 4);
      cairo_line_to(c, cx + sx * 4, cy + sy * (arm * 0.55));
    }, 1.4, cy - 6, cy + 6);
  }
}

void SurfaceGrain(cairo_surface_t* surface, double amount, uint32_t seed) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  uint8_t* data = cairo_image_surface_get_data(surface);
  Rng rng(seed);
  for (int y = 0; y < h; ++y) {
    uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x], a = p >> 24;
      const double n = rng.Uniform(-1, 1) * amount * a;  // premultiplied noise
      if (a == 0) continue;
      uint32_t out = a << 24;
      for (int shift = 0; shift < 24; shift += 8) {
        const double c = std::clamp(((p >> shift) & 255) + n, 0.0, double(a));
        out |= uint32_t(c + 0.5) << shift;
      }
      row[x] = out;
    }
  }
  cairo_surface_mark_dirty(surface);
}

void WriteArt(Output& out, const std::string& name, cairo_surface_t* surface, double grain,
              uint32_t seed) {
  RgbaImage image = FromCairo(surface);
  if (grain > 0) AddGrain(image, grain, seed);
  Finish(image);
  out.WritePng(name, image);
}

}  // namespace art::ui
