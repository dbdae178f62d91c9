// Small controls: the standard button (idle, hovered, pressed), the slider track and
// knob, the scroll-thumb edge lines, the high-score highlight bar, the full-screen level
// list's lit looks, and the progress-map markers.
#include "art_generators.h"
#include "art_ui_parts.h"

#include <cmath>

namespace art::ui {
namespace {

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb a, Rgb b, Rgb c) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(g, 0, a.r, a.g, a.b);
  cairo_pattern_add_color_stop_rgb(g, 0.5, b.r, b.g, b.b);
  cairo_pattern_add_color_stop_rgb(g, 1, c.r, c.g, c.b);
  cairo_set_source(cr, g);
  cairo_pattern_destroy(g);
}

void Lozenge(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_move_to(cr, cx, cy - ry);
  cairo_line_to(cr, cx + rx, cy);
  cairo_line_to(cr, cx, cy + ry);
  cairo_line_to(cr, cx - rx, cy);
  cairo_close_path(cr);
}

// One 122x60 button face; the caption is centred 5 pixels up and left of the frame's
// centre, so the face sits there too and its shadow takes the lower right. The face is
// as wide as the shadow allows and its studs sit at the very ends: captions like
// "Change" fill almost the whole width.
void ButtonFace(cairo_t* cr, Look look) {
  const double d = look == Look::Pressed ? 2 : 0;
  const Rect f{2 + d, 6 + d, 112, 42};
  const double r = 10;
  auto face = [&](cairo_t* c) { RoundedRect(c, f, r); };
  if (look == Look::Pressed)
    SoftShadow(cr, face, 0.5, 1, 2, kShadow, 0.6);
  else
    SoftShadow(cr, face, 2.5, 3.5, 4, kShadow, 0.65);
  if (look == Look::Hover)
    SoftShadow(cr, face, 0, 0, 4, palette::saffron, 0.9);
  cairo_new_path(cr);
  face(cr);
  if (look == Look::Hover)
    VerticalGradient(cr, f.y, f.y + f.h, {0.88, 0.42, 0.13}, {0.66, 0.17, 0.10}, {0.42, 0.07, 0.08});
  else if (look == Look::Pressed)
    VerticalGradient(cr, f.y, f.y + f.h, {0.36, 0.07, 0.07}, {0.42, 0.08, 0.10}, {0.50, 0.12, 0.10});
  else
    VerticalGradient(cr, f.y, f.y + f.h, {0.64, 0.18, 0.12}, {0.46, 0.08, 0.10}, {0.30, 0.05, 0.06});
  cairo_fill(cr);
  // Lacquer gloss over the upper half.
  if (look != Look::Pressed) {
    cairo_save(cr);
    face(cr);
    cairo_clip(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, f.y, 0, f.y + f.h * 0.55);
    cairo_pattern_add_color_stop_rgba(gloss, 0, 1, 0.9, 0.75, look == Look::Hover ? 0.32 : 0.22);
    cairo_pattern_add_color_stop_rgba(gloss, 1, 1, 0.9, 0.75, 0.0);
    cairo_rectangle(cr, f.x + 3, f.y + 2, f.w - 6, f.h * 0.5);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);
  } else {
    InnerShadow(cr, face, 1, 2, 4, kShadow, 0.85);
  }
  const double bright = look == Look::Hover ? 1.12 : look == Look::Pressed ? 0.85 : 1.0;
  cairo_save(cr);
  RoundedRect(cr, {f.x + 1.2, f.y + 1.2, f.w - 2.4, f.h - 2.4}, r - 1.2);
  cairo_set_line_width(cr, 2.2);
  SetGold(cr, f.y, f.y + f.h, bright);
  cairo_stroke(cr);
  RoundedRect(cr, {f.x + 4.5, f.y + 4.5, f.w - 9, f.h - 9}, r - 4.5);
  cairo_set_line_width(cr, 0.8);
  SetColor(cr, palette::goldLight, look == Look::Pressed ? 0.3 : 0.45);
  cairo_stroke(cr);
  for (double x : {f.x + 5.5, f.x + f.w - 5.5}) {
    Lozenge(cr, x, f.y + f.h / 2, 2.0, 4.4);
    SetGold(cr, f.y + f.h / 2 - 5, f.y + f.h / 2 + 5, bright);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void DefaultButton(Output& out) {
  Canvas c(366, 60);
  const Look looks[] = {Look::Rest, Look::Hover, Look::Pressed};
  for (int i = 0; i < 3; ++i) {
    cairo_save(c.cr);
    cairo_translate(c.cr, i * 122, 0);
    cairo_rectangle(c.cr, 0, 0, 122, 60);
    cairo_clip(c.cr);
    ButtonFace(c.cr, looks[i]);
    cairo_restore(c.cr);
  }
  WriteArt(out, "gfx/default_button.png", c.surface, 0.008, 0xB077);
}

void SliderTrack(Output& out) {
  Canvas c(137, 24);
  // The knob (22 wide) travels 118 pixels, so its centre runs from 11 to 129.
  const Rect groove{6, 8, 126, 8};
  Well(c.cr, groove, 4, 0x511D);
  for (double x : {5.0, 132.0}) {
    auto cap = [&](cairo_t* cc) { cairo_arc(cc, x, 12, 4.2, 0, 2 * M_PI); };
    SoftShadow(c.cr, cap, 1, 1.5, 2, kShadow, 0.7);
    cairo_new_path(c.cr);
    cap(c.cr);
    SetGold(c.cr, 8, 16);
    cairo_fill(c.cr);
    cairo_arc(c.cr, x - 1, 11, 1.3, 0, 2 * M_PI);
    SetColor(c.cr, palette::goldLight, 0.9);
    cairo_fill(c.cr);
  }
  WriteArt(out, "gfx/slider.png", c.surface, 0.0, 0x511E);
}

void SliderKnob(Output& out) {
  Canvas c(22, 23);
  const double cx = 10.5, cy = 11;
  auto body = [&](cairo_t* cc) { cairo_arc(cc, cx, cy, 9.3, 0, 2 * M_PI); };
  SoftShadow(c.cr, body, 1, 1.5, 2, kShadow, 0.8);
  cairo_new_path(c.cr);
  body(c.cr);
  SetGold(c.cr, cy - 9, cy + 9);
  cairo_fill(c.cr);
  cairo_pattern_t* jade = cairo_pattern_create_radial(cx - 2, cy - 3, 0.5, cx, cy, 7);
  cairo_pattern_add_color_stop_rgb(jade, 0, 0.70, 0.94, 0.82);
  cairo_pattern_add_color_stop_rgb(jade, 0.45, palette::jade.r, palette::jade.g, palette::jade.b);
  cairo_pattern_add_color_stop_rgb(jade, 1, palette::jadeDark.r, palette::jadeDark.g,
                                   palette::jadeDark.b);
  cairo_arc(c.cr, cx, cy, 6.4, 0, 2 * M_PI);
  cairo_set_source(c.cr, jade);
  cairo_fill(c.cr);
  cairo_pattern_destroy(jade);
  cairo_arc(c.cr, cx - 2.2, cy - 2.8, 1.6, 0, 2 * M_PI);
  SetColor(c.cr, palette::snow, 0.75);
  cairo_fill(c.cr);
  WriteArt(out, "gfx/regler.png", c.surface, 0.0, 0x511F);
}

// Row 0 edges the thumb at rest, row 1 the thumb under the pointer; each caps either end.
void ThumbEdges(Output& out) {
  RgbaImage img(20, 2);
  for (int row = 0; row < 2; ++row)
    for (int x = 0; x < 20; ++x) {
      const double t = std::abs(x - 9.5) / 9.5;
      Rgb c = t > 0.85 ? kShadow : Mix(row ? palette::goldLight : palette::gold, {0.42, 0.25, 0.07}, t);
      uint8_t* p = img.At(x, row);
      p[0] = uint8_t(c.r * 255);
      p[1] = uint8_t(c.g * 255);
      p[2] = uint8_t(c.b * 255);
      p[3] = 255;
    }
  out.WritePng("gfx/ziehbalken.png", img);
}

void HiscoreBar(Output& out) {
  Canvas c(516, 27);
  cairo_t* cr = c.cr;
  // Horizontal fade at both ends, applied through a mask.
  cairo_pattern_t* fade = cairo_pattern_create_linear(0, 0, 516, 0);
  cairo_pattern_add_color_stop_rgba(fade, 0.0, 0, 0, 0, 0.0);
  cairo_pattern_add_color_stop_rgba(fade, 0.05, 0, 0, 0, 1.0);
  cairo_pattern_add_color_stop_rgba(fade, 0.92, 0, 0, 0, 1.0);
  cairo_pattern_add_color_stop_rgba(fade, 1.0, 0, 0, 0, 0.0);
  cairo_push_group(cr);
  cairo_pattern_t* band = cairo_pattern_create_linear(0, 0, 0, 27);
  cairo_pattern_add_color_stop_rgba(band, 0.0, 0.96, 0.62, 0.18, 0.75);
  cairo_pattern_add_color_stop_rgba(band, 0.3, 0.62, 0.16, 0.10, 0.72);
  cairo_pattern_add_color_stop_rgba(band, 1.0, 0.34, 0.06, 0.07, 0.72);
  cairo_rectangle(cr, 0, 2, 516, 23);
  cairo_set_source(cr, band);
  cairo_fill(cr);
  cairo_pattern_destroy(band);
  for (double y : {1.5, 25.5}) {
    cairo_rectangle(cr, 0, y - 0.8, 516, 1.6);
    SetColor(cr, palette::gold, 0.95);
    cairo_fill(cr);
  }
  cairo_pop_group_to_source(cr);
  cairo_mask(cr, fade);
  cairo_pattern_destroy(fade);
  WriteArt(out, "gfx/hiscorebar.png", c.surface, 0.0, 0x4B5C);
}

// Lit looks of the full-screen level list, cut out by the game: frame 0 hovered, frame 1
// selected or pressed. Rows x 0..191; thumb x 197..217 from y 20 to 220; arrows above
// and below it. Everything else stays transparent.
void LevelListLooks(Output& out) {
  Canvas c(434, 240);
  for (int frame = 0; frame < 2; ++frame) {
    cairo_save(c.cr);
    cairo_translate(c.cr, frame * 217, 0);
    const Look lit = frame == 0 ? Look::Hover : Look::Pressed;
    // Each part within its own rectangle, as the game cuts them apart.
    auto part = [&](Rect r, const std::function<void(Rect)>& draw) {
      cairo_save(c.cr);
      cairo_rectangle(c.cr, r.x, r.y, r.w, r.h);
      cairo_clip(c.cr);
      draw(r);
      cairo_restore(c.cr);
    };
    part({0, 0, 191, 240}, [&](Rect r) { RowColumn(c.cr, r, lit); });
    part({197, 20, 20, 200},
         [&](Rect r) { ThumbColumn(c.cr, r, frame == 0 ? Look::Rest : Look::Hover); });
    part({197, 0, 20, 20}, [&](Rect r) { ArrowButton(c.cr, r, true, lit); });
    part({197, 220, 20, 20}, [&](Rect r) { ArrowButton(c.cr, r, false, lit); });
    cairo_restore(c.cr);
  }
  WriteArt(out, "gfx/levelselector_scr_list.png", c.surface, 0.0, 0x1157);
}

void Glow(cairo_t* cr, double cx, double cy, double radius, Rgb colour, double alpha) {
  cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy, 0, cx, cy, radius);
  cairo_pattern_add_color_stop_rgba(g, 0, colour.r, colour.g, colour.b, alpha);
  cairo_pattern_add_color_stop_rgba(g, 0.5, colour.r, colour.g, colour.b, alpha * 0.4);
  cairo_pattern_add_color_stop_rgba(g, 1, colour.r, colour.g, colour.b, 0);
  cairo_set_source(cr, g);
  cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
}

// A map station: 0 not reached (a dim stone), 1 reached (a gold medallion), 2 the current
// level's blink (the medallion alight).
void MapPoints(Output& out) {
  Canvas c(72, 24);
  cairo_t* cr = c.cr;
  const double cy = 12;
  auto disc = [&](double cx, double r) {
    return [=](cairo_t* cc) { cairo_arc(cc, cx, cy, r, 0, 2 * M_PI); };
  };
  // Not reached.
  SoftShadow(cr, disc(12, 6), 1, 1.5, 2, kShadow, 0.7);
  cairo_new_path(cr);
  disc(12, 6)(cr);
  VerticalGradient(cr, cy - 6, cy + 6, {0.70, 0.72, 0.76}, {0.46, 0.48, 0.54}, {0.30, 0.31, 0.36});
  cairo_fill(cr);
  disc(12, 3.2)(cr);
  SetColor(cr, {0.26, 0.27, 0.32}, 0.6);
  cairo_fill(cr);
  // Reached and alight.
  for (int f = 1; f < 3; ++f) {
    const double cx = 24 * f + 12;
    if (f == 2) Glow(cr, cx, cy, 12, palette::goldLight, 0.95);
    SoftShadow(cr, disc(cx, 7.5), 1, 1.5, 2, kShadow, 0.7);
    cairo_new_path(cr);
    disc(cx, 7.5)(cr);
    SetGold(cr, cy - 7.5, cy + 7.5, f == 2 ? 1.15 : 1.0);
    cairo_fill(cr);
    cairo_pattern_t* core = cairo_pattern_create_radial(cx - 1.5, cy - 1.5, 0.5, cx, cy, 4.5);
    const Rgb in = f == 2 ? palette::snow : palette::goldLight;
    const Rgb outside = f == 2 ? palette::saffron : palette::maroon;
    cairo_pattern_add_color_stop_rgb(core, 0, in.r, in.g, in.b);
    cairo_pattern_add_color_stop_rgb(core, 1, outside.r, outside.g, outside.b);
    disc(cx, 4.3)(cr);
    cairo_set_source(cr, core);
    cairo_fill(cr);
    cairo_pattern_destroy(core);
  }
  WriteArt(out, "gfx/card_point.png", c.surface, 0.0, 0xCA4D);
}

// The "Show Map" box; the check mark is a font glyph drawn over it by the game.
void ShowMapBox(Output& out) {
  Canvas c(44, 42);
  // The check glyph lands over the left half of the image, so the box keeps to the left.
  const Rect box{2, 4, 26, 26};
  auto shape = [&](cairo_t* cc) { RoundedRect(cc, box, 5); };
  SoftShadow(c.cr, shape, 1.5, 2, 3, kShadow, 0.7);
  Well(c.cr, box, 5, 0x5A0B);
  GoldLine(c.cr, [&](cairo_t* cc) { RoundedRect(cc, {box.x - 1, box.y - 1, box.w + 2, box.h + 2}, 6); },
           2.0, box.y, box.y + box.h);
  WriteArt(out, "gfx/showmap.png", c.surface, 0.0, 0x5A0C);
}

// The bobbing marker above the current station: a pin whose tip is at the bottom centre.
void YouAreHere(Output& out) {
  Canvas c(57, 67);
  cairo_t* cr = c.cr;
  const double cx = 28.5, cy = 23, r = 17;
  auto pin = [&](cairo_t* cc) {
    const double a = std::asin(r / (64.0 - cy));
    cairo_move_to(cc, cx, 64);
    cairo_arc(cc, cx, cy, r, M_PI / 2 + a, M_PI / 2 - a + 2 * M_PI);
    cairo_close_path(cc);
  };
  Glow(cr, cx, cy, 28, palette::goldLight, 0.45);
  SoftShadow(cr, pin, 2, 2.5, 3, kShadow, 0.7);
  cairo_new_path(cr);
  pin(cr);
  cairo_pattern_t* body = cairo_pattern_create_radial(cx - 6, cy - 7, 2, cx, cy + 8, 30);
  cairo_pattern_add_color_stop_rgb(body, 0, 1.0, 0.80, 0.38);
  cairo_pattern_add_color_stop_rgb(body, 0.45, palette::saffron.r, palette::saffron.g,
                                   palette::saffron.b);
  cairo_pattern_add_color_stop_rgb(body, 1, 0.62, 0.20, 0.06);
  cairo_set_source(cr, body);
  cairo_fill(cr);
  cairo_pattern_destroy(body);
  GoldLine(cr, pin, 1.6, 6, 64);
  // A maroon medallion with a small jade jewel.
  cairo_arc(cr, cx, cy, 9.5, 0, 2 * M_PI);
  VerticalGradient(cr, cy - 9.5, cy + 9.5, {0.58, 0.12, 0.14}, palette::maroon, {0.28, 0.04, 0.07});
  cairo_fill(cr);
  GoldLine(cr, [&](cairo_t* cc) { cairo_arc(cc, cx, cy, 9.5, 0, 2 * M_PI); }, 1.4, cy - 10, cy + 10);
  cairo_pattern_t* jade = cairo_pattern_create_radial(cx - 1.5, cy - 2, 0.5, cx, cy, 5);
  cairo_pattern_add_color_stop_rgb(jade, 0, 0.75, 0.96, 0.85);
  cairo_pattern_add_color_stop_rgb(jade, 1, palette::jadeDark.r, palette::jadeDark.g,
                                   palette::jadeDark.b);
  cairo_arc(cr, cx, cy, 4.6, 0, 2 * M_PI);
  cairo_set_source(cr, jade);
  cairo_fill(cr);
  cairo_pattern_destroy(jade);
  // Light on the upper left of the pin head.
  cairo_arc(cr, cx - 8, cy - 9, 3, 0, 2 * M_PI);
  SetColor(cr, palette::snow, 0.35);
  cairo_fill(cr);
  WriteArt(out, "gfx/youarehere.png", c.surface, 0.0, 0x4E4E);
}

}  // namespace
}  // namespace art::ui

void GenerateUiWidgets(Output& out, const Sources&) {
  art::ui::DefaultButton(out);
  art::ui::SliderTrack(out);
  art::ui::SliderKnob(out);
  art::ui::ThumbEdges(out);
  art::ui::HiscoreBar(out);
  art::ui::LevelListLooks(out);
  art::ui::MapPoints(out);
  art::ui::ShowMapBox(out);
  art::ui::YouAreHere(out);
}
