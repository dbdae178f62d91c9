// Living sprites: the hummingbird, three butterflies seen from above and the gilded
// mouse pointer with its hover shimmer.
#include "art_generators.h"
#include "art_paint.h"

#include <cmath>

namespace art {

namespace {

void Stop(cairo_pattern_t* p, double at, Rgb c, double a = 1.0) {
  cairo_pattern_add_color_stop_rgba(p, at, c.r, c.g, c.b, a);
}

void Fill(cairo_t* cr, cairo_pattern_t* p) {
  cairo_set_source(cr, p);
  cairo_fill(cr);
  cairo_pattern_destroy(p);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry, double angle = 0) {
  cairo_save(cr);
  cairo_translate(cr, cx, cy);
  cairo_rotate(cr, angle);
  cairo_scale(cr, rx, ry);
  cairo_new_sub_path(cr);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

// ---- Hummingbird, side view, flying right ----

void HummingWing(cairo_t* cr, double angle, double alpha, bool far) {
  // A long narrow blade from the shoulder; it looks shorter when seen edge-on.
  const double len = 30 * (0.55 + 0.45 * std::abs(std::sin(angle)));
  cairo_save(cr);
  cairo_translate(cr, 43, 38);
  cairo_rotate(cr, -angle - 0.35);
  cairo_move_to(cr, 0, -2);
  cairo_curve_to(cr, -len * 0.3, -6, -len * 0.8, -5, -len, -1);
  cairo_curve_to(cr, -len * 0.7, 3, -len * 0.3, 4, 0, 2.5);
  cairo_close_path(cr);
  cairo_restore(cr);
  const Rgb c = far ? Rgb{0.45, 0.55, 0.55} : Rgb{0.72, 0.82, 0.82};
  SetColor(cr, c, alpha);
  cairo_fill(cr);
}

void HummingBody(cairo_t* cr) {
  // Tail feathers.
  cairo_move_to(cr, 32, 46);
  cairo_line_to(cr, 17, 58);
  cairo_line_to(cr, 21, 59);
  cairo_line_to(cr, 19, 63);
  cairo_line_to(cr, 35, 50);
  cairo_close_path(cr);
  SetColor(cr, palette::jadeDark);
  cairo_fill(cr);
  // Body: jade back, pale belly.
  Ellipse(cr, 41, 42, 14, 7.5, -0.55);
  cairo_pattern_t* body = cairo_pattern_create_linear(36, 34, 46, 50);
  Stop(body, 0, {0.20, 0.62, 0.45});
  Stop(body, 0.5, palette::jade);
  Stop(body, 0.75, {0.82, 0.84, 0.78});
  Stop(body, 1, {0.66, 0.66, 0.62});
  Fill(cr, body);
  // Head with a ruby throat.
  Ellipse(cr, 51, 33, 6.5, 6);
  cairo_pattern_t* head = cairo_pattern_create_radial(49, 30, 1, 51, 33, 7);
  Stop(head, 0, {0.40, 0.78, 0.58});
  Stop(head, 1, palette::jadeDark);
  Fill(cr, head);
  Ellipse(cr, 50, 38.5, 4.5, 3.2, 0.3);
  cairo_pattern_t* throat = cairo_pattern_create_radial(49, 37, 0.5, 50, 38.5, 5);
  Stop(throat, 0, {1.0, 0.45, 0.40});
  Stop(throat, 1, {0.62, 0.06, 0.12});
  Fill(cr, throat);
  // Beak and eye.
  cairo_move_to(cr, 56.5, 31.5);
  cairo_line_to(cr, 75, 28.5);
  cairo_line_to(cr, 56.5, 34);
  cairo_close_path(cr);
  SetColor(cr, {0.18, 0.14, 0.12});
  cairo_fill(cr);
  Ellipse(cr, 53, 31.5, 1.5, 1.5);
  SetColor(cr, palette::ink);
  cairo_fill(cr);
  Ellipse(cr, 53.5, 31, 0.5, 0.5);
  SetColor(cr, palette::snow);
  cairo_fill(cr);
}

RgbaImage PaintHummingbird() {
  RgbaImage strip(640, 80);
  for (int k = 0; k < 8; ++k) {
    const double angle = 1.15 * std::sin(2 * M_PI * k / 8);
    const double prev = 1.15 * std::sin(2 * M_PI * (k - 0.5) / 8);
    RgbaImage frame = PaintCairo(80, 80, [&](cairo_t* cr) {
      HummingWing(cr, angle + 0.25, 0.55, true);
      HummingBody(cr);
      // The near wing with a blurred trail of where it just was.
      HummingWing(cr, prev, 0.25, false);
      HummingWing(cr, 0.5 * (angle + prev), 0.35, false);
      HummingWing(cr, angle, 0.75, false);
    });
    Blit(strip, frame, k * 80, 0);
  }
  Finish(strip);
  return strip;
}

// ---- Butterflies, seen from above, head up ----

struct WingStyle {
  Rgb inner, outer, border, spots;
  bool tails;
};

// One side's wings (the left one; the right is its mirror) in the open pose, in an
// 80x80 frame centred on the body.
void WingPaths(cairo_t* cr, bool fore, bool tails) {
  if (fore) {
    cairo_move_to(cr, 38, 31);
    cairo_curve_to(cr, 30, 20, 16, 9, 5, 12);
    cairo_curve_to(cr, 2, 22, 6, 34, 12, 40);
    cairo_curve_to(cr, 22, 42, 32, 41, 38, 38);
  } else {
    cairo_move_to(cr, 38, 38);
    cairo_curve_to(cr, 26, 40, 12, 44, 11, 54);
    cairo_curve_to(cr, 12, 62, 22, 66, 28, 62);
    if (tails) {
      cairo_curve_to(cr, 28, 68, 25, 74, 27, 77);
      cairo_curve_to(cr, 31, 74, 32, 66, 33, 60);
    }
    cairo_curve_to(cr, 36, 56, 38, 48, 38, 42);
  }
  cairo_close_path(cr);
}

void PaintWingSide(cairo_t* cr, const WingStyle& st, uint32_t seed) {
  for (int w = 1; w >= 0; --w) {
    const bool fore = w == 1 ? false : true;
    WingPaths(cr, fore, st.tails);
    cairo_save(cr);
    cairo_clip_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(38, 38, 2, 38, 38, fore ? 36 : 30);
    Stop(g, 0, st.inner);
    Stop(g, 0.55, Mix(st.inner, st.outer, 0.5));
    Stop(g, 0.78, st.outer);
    Stop(g, 0.86, st.border);
    Stop(g, 1, st.border);
    Fill(cr, g);
    // Veins fanning out from the wing root.
    cairo_set_line_width(cr, 0.7);
    SetColor(cr, st.border, 0.55);
    for (int v = 0; v < 6; ++v) {
      const double a = (fore ? -2.55 : 2.2) + (fore ? 0.22 : 0.18) * v * (fore ? 1 : -1);
      cairo_move_to(cr, 38, fore ? 34 : 41);
      cairo_line_to(cr, 38 + std::cos(a) * 40, (fore ? 34 : 41) + std::sin(a) * 40);
      cairo_stroke(cr);
    }
    // Pale spots along the border.
    Rng rng(seed + w);
    for (int s = 0; s < 6; ++s) {
      const double a = fore ? -2.45 - 0.17 * s : 2.7 - 0.14 * s;
      const double r = fore ? 30 - 1.5 * s : 24 - 0.6 * s;
      Ellipse(cr, 38 + std::cos(a) * r, (fore ? 34 : 41) + std::sin(a) * r, 1.3 + rng.Uniform(0, 0.8),
              1.3 + rng.Uniform(0, 0.6));
      SetColor(cr, st.spots, 0.9);
      cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_set_line_width(cr, 0.8);
    SetColor(cr, st.border);
    cairo_stroke(cr);
  }
}

void ButterflyBody(cairo_t* cr, double c) {
  cairo_set_line_width(cr, 0.8);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  SetColor(cr, {0.16, 0.12, 0.10});
  for (int side = -1; side <= 1; side += 2) {
    cairo_move_to(cr, c + side * 1, 23);
    cairo_curve_to(cr, c + side * 3, 17, c + side * 6, 12, c + side * 9, 9);
    cairo_stroke(cr);
    Ellipse(cr, c + side * 9, 9, 1.3, 1.3);
    cairo_fill(cr);
  }
  Ellipse(cr, c, 44, 2.6, 15);
  cairo_pattern_t* g = cairo_pattern_create_linear(c - 3, 0, c + 3, 0);
  Stop(g, 0, {0.14, 0.10, 0.08});
  Stop(g, 0.4, {0.45, 0.36, 0.28});
  Stop(g, 1, {0.12, 0.09, 0.07});
  Fill(cr, g);
  Ellipse(cr, c, 26.5, 3.2, 3.6);
  SetColor(cr, {0.22, 0.16, 0.12});
  cairo_fill(cr);
}

RgbaImage PaintButterfly(const WingStyle& st, int size, uint32_t seed) {
  // The open wings of one side, painted once, then folded per frame.
  RgbaImage side = PaintCairo(80, 80, [&](cairo_t* cr) { PaintWingSide(cr, st, seed); });
  cairo_surface_t* sideSurface = ToSurface(side);
  const double scale = size / 80.0;
  RgbaImage strip(size * 32, size);
  for (int k = 0; k < 32; ++k) {
    const double fold = std::cos(k / 31.0 * 1.45);  // open .. nearly closed
    const double shade = 0.65 + 0.35 * fold;  // folding wings turn away from the light
    RgbaImage frame = PaintCairo(size, size, [&](cairo_t* cr) {
      cairo_scale(cr, scale, scale);
      for (int mirror = 0; mirror < 2; ++mirror) {
        cairo_save(cr);
        cairo_translate(cr, 40, 0);
        cairo_scale(cr, (mirror ? -1 : 1) * fold, 1);
        cairo_translate(cr, -40, 0);
        cairo_set_source_surface(cr, sideSurface, 0, 0);
        cairo_paint(cr);
        // Darken with the fold, only where the wing is.
        cairo_set_source_rgba(cr, 0.08, 0.05, 0.05, 1 - shade);
        cairo_mask_surface(cr, sideSurface, 0, 0);
        cairo_restore(cr);
      }
      ButterflyBody(cr, 40);
    });
    Blit(strip, frame, k * size, 0);
  }
  cairo_surface_destroy(sideSurface);
  Finish(strip);
  return strip;
}

// ---- Mouse pointer ----

void PointerPath(cairo_t* cr) {
  cairo_move_to(cr, 8, 2);
  cairo_line_to(cr, 8, 24);
  cairo_line_to(cr, 13, 19.5);
  cairo_line_to(cr, 16.5, 27.5);
  cairo_line_to(cr, 20, 26);
  cairo_line_to(cr, 16.5, 18);
  cairo_line_to(cr, 23, 17.5);
  cairo_close_path(cr);
}

RgbaImage PaintPointerFrame(int k) {
  RgbaImage img(32, 32);
  const Mask shape = CoverageOf(32, 32, [](cairo_t* cr) {
    PointerPath(cr);
    cairo_fill(cr);
  });
  PaintDropShadow(img, shape, 1, 1, 2, 0.55);
  // A shine band sweeps over the arrow during the hover cycle (frames 1..14).
  const double band = k == 0 || k >= 15 ? -100 : -4 + 34.0 * k / 14;
  PaintRelief(img, shape, 1, 2.5, [&](int x, int y) {
    Rgb c = Mix({1.0, 0.90, 0.58}, {0.80, 0.52, 0.16}, Clamp01((x + y - 10) / 30.0));
    const double d = (x + y) * 0.7071 - band;
    return Mix(c, {1.0, 1.0, 0.92}, 0.8 * std::exp(-d * d / 6.0));
  }, 0.6, 10);
  RgbaImage outline = PaintCairo(32, 32, [](cairo_t* cr) {
    PointerPath(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_width(cr, 1.2);
    SetColor(cr, {0.30, 0.10, 0.06});
    cairo_stroke(cr);
  });
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 32; ++x) {
      const uint8_t* p = outline.At(x, y);
      Over(img, x, y, {p[0] / 255.0, p[1] / 255.0, p[2] / 255.0}, p[3] / 255.0);
    }
  // A small star twinkles at the tip while hovering.
  if (k > 0 && k < 15) {
    const double s = std::sin(M_PI * k / 15);
    for (int y = 0; y < 32; ++y)
      for (int x = 0; x < 32; ++x) {
        const double dx = x + 0.5 - 8, dy = y + 0.5 - 2.5;
        const double star = std::exp(-(dx * dx + dy * dy) / 3.0) +
                            0.6 * std::exp(-std::abs(dx) * 1.5 - dy * dy * 2) * (std::abs(dx) < 6) +
                            0.6 * std::exp(-std::abs(dy) * 1.5 - dx * dx * 2) * (std::abs(dy) < 6);
        Over(img, x, y, {1.0, 0.97, 0.80}, Clamp01(star * s));
      }
  }
  return img;
}

RgbaImage PaintPointer() {
  RgbaImage strip(512, 32);
  for (int k = 0; k < 16; ++k) Blit(strip, PaintPointerFrame(k), k * 32, 0);
  Finish(strip);
  return strip;
}

}  // namespace

}  // namespace art

void GenerateCreatures(Output& out, const Sources&) {
  using art::Rgb;
  out.WritePng("gfx/koli.png", art::PaintHummingbird());
  const art::WingStyle blue{{0.55, 0.85, 1.0}, {0.15, 0.38, 0.80}, {0.10, 0.10, 0.20}, {0.92, 0.95, 1.0}, false};
  const art::WingStyle red{{1.0, 0.70, 0.30}, {0.85, 0.22, 0.10}, {0.24, 0.07, 0.06}, {1.0, 0.95, 0.85}, false};
  const art::WingStyle green{{0.85, 0.95, 0.60}, {0.24, 0.62, 0.45}, {0.08, 0.20, 0.16}, {0.98, 0.88, 0.50}, true};
  out.WritePng("gfx/butterfly_blue.png", art::PaintButterfly(blue, 80, 4800));
  out.WritePng("gfx/butterfly_red.png", art::PaintButterfly(red, 80, 4810));
  out.WritePng("gfx/butterfly_green.png", art::PaintButterfly(green, 90, 4820));
  out.WritePng("gfx/pointer.png", art::PaintPointer());
}
