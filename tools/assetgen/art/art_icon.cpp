// The game's icon: the title logo's emblem (the sun behind three tangram peaks) on a
// dawn-sky tile above a lacquered ground with the logo's gold lozenge. One vector drawing
// on the unit square gives the window icon (embedded), the desktop's PNG sizes and the
// scalable SVG.
#include "art_generators.h"
#include "art_ui_parts.h"

#include <cairo-svg.h>

#include <cmath>
#include <stdexcept>

namespace art::ui {
namespace {

constexpr double kTileMargin = 0.04, kTileRadius = 0.17;
constexpr double kBase = 0.72;        // where the peaks stand
constexpr double kEmblemWidth = 0.9;  // of the tile

void Lozenge(cairo_t* cr, double cx, double cy, double rx, double ry) {
  cairo_move_to(cr, cx - rx, cy);
  cairo_line_to(cr, cx, cy - ry);
  cairo_line_to(cr, cx + rx, cy);
  cairo_line_to(cr, cx, cy + ry);
  cairo_close_path(cr);
}

void Sky(cairo_t* cr) {
  cairo_pattern_t* g = cairo_pattern_create_linear(0, kTileMargin, 0, kBase);
  const Rgb night = Mix(palette::mountainBlue, palette::ink, 0.45), dawn = Mix(palette::dawnPink, palette::saffron, 0.3);
  cairo_pattern_add_color_stop_rgb(g, 0, night.r, night.g, night.b);
  cairo_pattern_add_color_stop_rgb(g, 0.55, palette::mistBlue.r, palette::mistBlue.g, palette::mistBlue.b);
  cairo_pattern_add_color_stop_rgb(g, 1, dawn.r, dawn.g, dawn.b);
  cairo_set_source(cr, g);
  cairo_paint(cr);
  cairo_pattern_destroy(g);
}

void Ground(cairo_t* cr) {
  cairo_rectangle(cr, 0, kBase, 1, 1 - kBase);
  cairo_pattern_t* g = cairo_pattern_create_linear(0, kBase, 0, 1);
  cairo_pattern_add_color_stop_rgb(g, 0, palette::lacquerLight.r, palette::lacquerLight.g, palette::lacquerLight.b);
  cairo_pattern_add_color_stop_rgb(g, 1, palette::lacquer.r, palette::lacquer.g, palette::lacquer.b);
  cairo_set_source(cr, g);
  cairo_fill(cr);
  cairo_pattern_destroy(g);
  cairo_rectangle(cr, 0, kBase - 0.008, 1, 0.016);
  SetGold(cr, kBase - 0.008, kBase + 0.008);
  cairo_fill(cr);
  const double cy = (kBase + 1 - kTileMargin) / 2;
  Lozenge(cr, 0.5, cy, 0.11, 0.075);
  SetGold(cr, cy - 0.075, cy + 0.075);
  cairo_fill(cr);
  Lozenge(cr, 0.5, cy, 0.05, 0.034);
  SetColor(cr, palette::jade);
  cairo_fill(cr);
}

void Emblem(cairo_t* cr) {
  const double k = kEmblemWidth / (kEmblemRight - kEmblemLeft);
  cairo_save(cr);
  cairo_translate(cr, 0.5 - k * (kEmblemLeft + kEmblemRight) / 2, kBase - k * kEmblemBase);
  cairo_scale(cr, k, k);
  EmblemSun(cr);
  EmblemPeaks(cr);
  cairo_restore(cr);
}

// The icon on the unit square, scaled to size pixels.
void PaintIcon(cairo_t* cr, double size) {
  cairo_save(cr);
  cairo_scale(cr, size, size);
  const Rect tile{kTileMargin, kTileMargin, 1 - 2 * kTileMargin, 1 - 2 * kTileMargin};
  cairo_save(cr);
  RoundedRect(cr, tile, kTileRadius);
  cairo_clip(cr);
  Sky(cr);
  Emblem(cr);
  Ground(cr);
  cairo_restore(cr);
  RoundedRect(cr, tile, kTileRadius);
  cairo_set_line_width(cr, 0.03);
  SetGold(cr, kTileMargin, 1 - kTileMargin, 0.9);
  cairo_stroke(cr);
  cairo_restore(cr);
}

void WriteIcon(Output& out, const std::string& name, int size) {
  Canvas c(size, size);
  PaintIcon(c.cr, size);
  WriteArt(out, name, c.surface, 0.0, 0x1C0);
}

}  // namespace
}  // namespace art::ui

void GenerateIcon(Output& out, const Sources&) { art::ui::WriteIcon(out, "gfx/icon.png", WINDOW_ICON_SIZE); }

void WriteDesktopIcons(const std::filesystem::path& dir, const std::string& id) {
  Output out(dir);
  for (int size : DESKTOP_ICON_SIZES) {
    const std::string px = std::to_string(size);
    art::ui::WriteIcon(out, px + "x" + px + "/apps/" + id + ".png", size);
  }
  const std::filesystem::path svg = dir / "scalable" / "apps" / (id + ".svg");
  std::filesystem::create_directories(svg.parent_path());
  constexpr double SVG_SIZE = 128;
  cairo_surface_t* surface = cairo_svg_surface_create(svg.c_str(), SVG_SIZE, SVG_SIZE);
  cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
  cairo_t* cr = cairo_create(surface);
  art::ui::PaintIcon(cr, SVG_SIZE);
  cairo_destroy(cr);
  cairo_surface_finish(surface);
  const bool ok = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  if (!ok) throw std::runtime_error("could not write " + svg.string());
}
