// The dialog panels: the universal yes/no panel, the player list and the editor's
// level-set chooser (three-frame strips: at rest, every control hovered, every control
// pressed), and the name-entry text field.
#include "art_generators.h"
#include "art_ui_parts.h"

#include <cmath>
#include <vector>

namespace art::ui {
namespace {

// A part of a strip requester that changes look in frames 1 and 2, drawn clipped to its
// rectangle so that the game, which cuts the same rectangle out, finds it exactly there.
struct LitPart {
  Rect rect;
  std::function<void(cairo_t*, Rect, int frame)> draw;
};

void WriteStrip(Output& out, const std::string& name, int frameW, int frameH,
                const std::function<void(cairo_t*)>& base, const std::vector<LitPart>& parts,
                uint32_t seed) {
  Canvas rest(frameW, frameH);
  base(rest.cr);
  SurfaceGrain(rest.surface, 0.012, seed);
  Canvas strip(frameW * 3, frameH);
  for (int frame = 0; frame < 3; ++frame) {
    cairo_t* cr = strip.cr;
    cairo_save(cr);
    cairo_translate(cr, frame * frameW, 0);
    cairo_rectangle(cr, 0, 0, frameW, frameH);
    cairo_clip(cr);
    cairo_set_source_surface(cr, rest.surface, 0, 0);
    cairo_paint(cr);
    if (frame > 0)
      for (const LitPart& p : parts) {
        cairo_save(cr);
        cairo_rectangle(cr, p.rect.x, p.rect.y, p.rect.w, p.rect.h);
        cairo_clip(cr);
        p.draw(cr, p.rect, frame);
        cairo_restore(cr);
      }
    cairo_restore(cr);
  }
  WriteArt(out, name, strip.surface, 0.0, seed);
}

// Faint hills and a low sun painted tone on tone along the bottom of a field.
void PaintedHills(cairo_t* cr, Rect band, uint32_t seed) {
  cairo_save(cr);
  cairo_rectangle(cr, band.x, band.y, band.w, band.h);
  cairo_clip(cr);
  const double sunX = band.x + band.w * 0.72, sunY = band.y + band.h * 0.45;
  cairo_pattern_t* sun = cairo_pattern_create_radial(sunX, sunY, 0, sunX, sunY, band.h * 0.5);
  cairo_pattern_add_color_stop_rgba(sun, 0.0, 1.0, 0.85, 0.5, 0.22);
  cairo_pattern_add_color_stop_rgba(sun, 0.35, 1.0, 0.8, 0.45, 0.12);
  cairo_pattern_add_color_stop_rgba(sun, 1.0, 1.0, 0.8, 0.45, 0.0);
  cairo_set_source(cr, sun);
  cairo_paint(cr);
  cairo_pattern_destroy(sun);
  for (int layer = 0; layer < 3; ++layer) {
    cairo_new_path(cr);
    const double base = band.y + band.h * (0.55 + 0.17 * layer);
    const double amp = band.h * (0.55 - 0.12 * layer);
    cairo_move_to(cr, band.x, band.y + band.h);
    for (double x = band.x; x <= band.x + band.w + 1; x += 2) {
      // Ridged noise gives sharp peaks and soft valleys.
      const double n = Fbm(x / (110.0 - 25 * layer) + layer * 5.3, layer * 3.7, 4, seed + layer);
      const double ridge = std::max(0.0, 1 - 2.6 * std::abs(2 * n - 1));
      cairo_line_to(cr, x, base - amp * ridge * ridge);
    }
    cairo_line_to(cr, band.x + band.w, band.y + band.h);
    cairo_close_path(cr);
    const Rgb tone = Mix(Mix(kFieldDark, palette::mountainBlue, 0.35 - 0.1 * layer),
                         {0.20, 0.08, 0.06}, 0.25 * layer);
    SetColor(cr, tone, 0.14 + 0.07 * layer);
    cairo_fill(cr);
  }
  cairo_restore(cr);
}

void YesNo(Output& out) {
  Canvas c(458, 280);
  const Rect field = DialogPanel(c.cr, {2, 2, 450, 272}, 18, 0x51A1);
  PaintedHills(c.cr, {field.x, field.y + field.h - 70, field.w, 70}, 0x51A2);
  WriteArt(out, "gfx/yesno_requester.png", c.surface, 0.012, 0x51A3);
}

void NameField(Output& out) {
  Canvas c(347, 31);
  Well(c.cr, {1.5, 1.5, 344, 28}, 4, 0x4A3E);
  WriteArt(out, "gfx/name_requester.png", c.surface, 0.01, 0x4A3F);
}

// A small lacquered ledge on which a prayer wheel stands beside the panel.
void Ledge(cairo_t* cr, Rect r) {
  SoftShadow(cr, [&](cairo_t* c) { RoundedRect(c, r, 3); }, 1.5, 2.5, 4, kShadow, 0.7);
  cairo_new_path(cr);
  RoundedRect(cr, r, 3);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, r.y, 0, r.y + r.h);
  cairo_pattern_add_color_stop_rgb(g, 0, palette::lacquerLight.r, palette::lacquerLight.g,
                                   palette::lacquerLight.b);
  cairo_pattern_add_color_stop_rgb(g, 1, palette::lacquer.r * 0.7, palette::lacquer.g * 0.7,
                                   palette::lacquer.b * 0.7);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  GoldLine(cr, [&](cairo_t* c) {
    cairo_move_to(c, r.x + 2, r.y + 1);
    cairo_line_to(c, r.x + r.w - 2, r.y + 1);
  }, 1.4, r.y, r.y + 3);
}

// A narrow silk streamer hanging from a ledge, with a swallowtail end.
void Streamer(cairo_t* cr, double x, double top, double w, double bottom, uint32_t seed) {
  auto cloth = [&](cairo_t* c) {
    cairo_move_to(c, x, top);
    cairo_line_to(c, x + w, top);
    cairo_line_to(c, x + w, bottom);
    cairo_line_to(c, x + w / 2, bottom - 12);
    cairo_line_to(c, x, bottom);
    cairo_close_path(c);
  };
  SoftShadow(cr, cloth, 2, 3, 4, kShadow, 0.65);
  cairo_surface_t* silk = ParchmentTexture(516, 431, {0.52, 0.10, 0.11}, {0.34, 0.05, 0.07}, seed);
  cairo_new_path(cr);
  cloth(cr);
  FillWithTexture(cr, silk);
  cairo_surface_destroy(silk);
  cairo_new_path(cr);
  cairo_save(cr);
  cloth(cr);
  cairo_clip(cr);
  // A saffron middle stripe with gold lozenges down it.
  cairo_rectangle(cr, x + w / 2 - 5, top, 10, bottom - top);
  SetColor(cr, palette::saffron, 0.8);
  cairo_fill(cr);
  for (double y = top + 22; y < bottom - 30; y += 26) {
    cairo_move_to(cr, x + w / 2, y - 7);
    cairo_line_to(cr, x + w / 2 + 5, y);
    cairo_line_to(cr, x + w / 2, y + 7);
    cairo_line_to(cr, x + w / 2 - 5, y);
    cairo_close_path(cr);
    SetGold(cr, y - 7, y + 7);
    cairo_fill(cr);
  }
  // Folds across the silk.
  cairo_pattern_t* folds = cairo_pattern_create_linear(x, 0, x + w, 0);
  cairo_pattern_add_color_stop_rgba(folds, 0, 0.1, 0.02, 0.02, 0.35);
  cairo_pattern_add_color_stop_rgba(folds, 0.35, 1, 0.8, 0.6, 0.1);
  cairo_pattern_add_color_stop_rgba(folds, 1, 0.1, 0.02, 0.02, 0.3);
  cairo_set_source(cr, folds);
  cairo_paint(cr);
  cairo_pattern_destroy(folds);
  cairo_restore(cr);
  GoldLine(cr, cloth, 1.2, top, bottom);
}

// Lit looks shared by both strips: list rows, arrows and the scroll thumb.
LitPart Rows(Rect r) {
  return {r, [](cairo_t* cr, Rect rr, int frame) {
            RowColumn(cr, rr, frame == 1 ? Look::Hover : Look::Pressed);
          }};
}
LitPart Arrow(Rect r, bool up) {
  return {r, [up](cairo_t* cr, Rect rr, int frame) {
            ArrowButton(cr, rr, up, frame == 1 ? Look::Hover : Look::Pressed);
          }};
}
LitPart Thumb(Rect r) {
  // Frame 1 is the thumb as it rests, frame 2 the thumb under the pointer.
  return {r, [](cairo_t* cr, Rect rr, int frame) {
            ThumbColumn(cr, rr, frame == 1 ? Look::Rest : Look::Hover);
          }};
}
LitPart Glow(Rect r) {
  return {r, [](cairo_t* cr, Rect rr, int frame) {
            ButtonGlow(cr, rr, frame == 1 ? Look::Hover : Look::Pressed);
          }};
}

void Users(Output& out) {
  const Rect list{109, 84, 179, 240}, up{292, 84, 20, 20}, down{292, 304, 20, 20},
      track{292, 104, 20, 200};
  auto base = [&](cairo_t* cr) {
    const Rect field = DialogPanel(cr, {2, 2, 508, 422}, 16, 0x05E5);
    PaintedHills(cr, {field.x, field.y + field.h - 80, field.w, 80}, 0x05E6);
    Streamer(cr, 9, 130, 26, 330, 0x05E9);
    Streamer(cr, 481, 130, 26, 330, 0x05EA);
    Ledge(cr, {0, 124, 44, 9});
    Ledge(cr, {472, 124, 44, 9});
    Well(cr, {104, 80, 209, 248}, 4, 0x05E7);
    ScrollTrack(cr, track);
    ArrowButton(cr, up, true, Look::Rest);
    ArrowButton(cr, down, false, Look::Rest);
  };
  std::vector<LitPart> parts = {Rows(list), Arrow(up, true), Arrow(down, false), Thumb(track)};
  for (double y : {84.0, 121.0, 158.0, 317.0}) parts.push_back(Glow({312, y, 96, 37}));
  WriteStrip(out, "gfx/users_requester.png", 516, 431, base, parts, 0x05E8);
}

// The seven tangram pieces laid as a square, painted in muted colours and inlaid in gold.
void TangramEmblem(cairo_t* cr, double cx, double cy, double size) {
  struct P {
    int n;
    double xy[8];
    Rgb colour;
  };
  const P pieces[] = {
      {3, {0, 0, 4, 0, 2, 2}, palette::saffron},            // large triangles
      {3, {0, 0, 2, 2, 0, 4}, palette::maroon},
      {3, {4, 2, 4, 4, 2, 4}, palette::jade},               // medium triangle
      {3, {4, 0, 4, 2, 3, 1}, palette::gold},               // small triangles
      {3, {2, 2, 3, 3, 1, 3}, palette::gold},
      {4, {3, 1, 4, 2, 3, 3, 2, 2}, palette::mountainBlue}, // square
      {4, {0, 4, 1, 3, 3, 3, 2, 4}, palette::lacquerLight}, // parallelogram
  };
  const double s = size / 4;  // the square is 4 units across
  cairo_save(cr);
  cairo_translate(cr, cx - 2 * s, cy - 2 * s);
  SoftShadow(cr, [&](cairo_t* c) { cairo_rectangle(c, 0, 0, 4 * s, 4 * s); }, 1.5, 2.5, 4,
             kShadow, 0.6);
  for (const P& p : pieces) {
    auto outline = [&](cairo_t* c) {
      cairo_move_to(c, p.xy[0] * s, p.xy[1] * s);
      for (int k = 1; k < p.n; ++k) cairo_line_to(c, p.xy[2 * k] * s, p.xy[2 * k + 1] * s);
      cairo_close_path(c);
    };
    cairo_new_path(cr);
    outline(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 4 * s, 4 * s);
    const Rgb lit = Mix(p.colour, palette::snow, 0.15), dim = Mix(p.colour, kShadow, 0.35);
    cairo_pattern_add_color_stop_rgb(g, 0, lit.r, lit.g, lit.b);
    cairo_pattern_add_color_stop_rgb(g, 1, dim.r, dim.g, dim.b);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    GoldLine(cr, outline, 1.2, 0, 4 * s);
  }
  cairo_restore(cr);
}

void LevelSetChooser(Output& out) {
  const Rect list{18, 49, 218, 238}, up{238, 47, 23, 22}, down{238, 267, 23, 23},
      track{238, 70, 23, 197};
  auto base = [&](cairo_t* cr) {
    const Rect p{2, 2, 418, 306};
    // A panel with a tall header band for the title that overlaps its top edge.
    const Rect field = DialogPanel(cr, p, 12, 0x1E5E, false);
    cairo_save(cr);
    cairo_rectangle(cr, field.x - 1, field.y - 1, field.w + 2, 30);
    cairo_surface_t* wood = LacquerTexture(428, 315, true, palette::lacquer,
                                           palette::lacquerLight, 0x1E5F);
    cairo_set_source_surface(cr, wood, 0, 0);
    cairo_fill(cr);
    cairo_surface_destroy(wood);
    cairo_restore(cr);
    GoldLine(cr, [&](cairo_t* c) {
      cairo_move_to(c, field.x + 1, field.y + 30);
      cairo_line_to(c, field.x + field.w - 1, field.y + 30);
    }, 2.2, field.y + 29, field.y + 32);
    InnerShadow(cr, [&](cairo_t* c) {
      cairo_rectangle(c, field.x, field.y + 31, field.w, field.h - 31);
    }, 1, 2, 5, kShadow, 0.6);
    PaintedHills(cr, {field.x, field.y + field.h - 60, field.w, 60}, 0x1E60);
    Well(cr, {15, 46, 248, 244}, 4, 0x1E61);
    TangramEmblem(cr, 325, 170, 74);
    ScrollTrack(cr, track);
    ArrowButton(cr, up, true, Look::Rest);
    ArrowButton(cr, down, false, Look::Rest);
  };
  WriteStrip(out, "gfx/levelselector_requester.png", 428, 315, base,
             {Rows(list), Arrow(up, true), Arrow(down, false), Thumb(track)}, 0x1E62);
}

}  // namespace
}  // namespace art::ui

void GenerateUiRequesters(Output& out, const Sources&) {
  art::ui::YesNo(out);
  art::ui::NameField(out);
  art::ui::Users(out);
  art::ui::LevelSetChooser(out);
}
