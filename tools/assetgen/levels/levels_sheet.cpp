#include "levels_sheet.h"

#include "art_common.h"
#include "levels_check.h"

#include <cairo.h>

#include <string>

namespace levels {

namespace {

constexpr double PAD = 8;
constexpr double TEXT_HEIGHT = 34;

std::string ModeText(const CompiledLevel& level) {
  static const std::pair<unsigned, const char*> names[] = {
      {LP_ENLIGHTENMENT, "enlightenment"}, {LP_MEDITATION, "meditation"}, {LP_TWISTER, "twister"},
      {LP_FREEZE, "freeze"},   {LP_FLOATING_TILES, "floating"}, {LP_TORCH, "torch"},
      {LP_PLAY_FOR_TILES, "tiles"}, {LP_BOMBS, "bombs"}, {LP_JOKER, "jokers"}};
  std::string s = level.gameTime > 0 ? std::to_string(level.gameTime) + " s" : "untimed";
  if (level.puzzleSet) s += "  row 2";
  for (const auto& [bit, name] : names)
    if (level.misc & bit) s += std::string("  ") + name;
  return s;
}

void DrawBoard(cairo_t* cr, const SourceBoard& b, double x, double y, double cell) {
  static const art::Rgb colours[] = {{0.85, 0.2, 0.2}, {0.2, 0.6, 0.25}, {0.2, 0.4, 0.85},
                                     {0.95, 0.8, 0.2}, {0.6, 0.3, 0.75}, {0.95, 0.55, 0.15}};
  art::SetColor(cr, art::palette::parchmentDark);
  cairo_rectangle(cr, x - 1, y - 1, cell * BOARD_COLUMNS + 2, cell * BOARD_ROWS + 2);
  cairo_fill(cr);
  for (int cx = 0; cx < BOARD_COLUMNS; ++cx) {
    for (int cy = 0; cy < BOARD_ROWS; ++cy) {
      const int c = b.cells[cx][cy];
      if (c < 0) continue;
      art::Rgb colour = c <= 5 ? colours[c] : c == 6 ? art::Rgb{1, 1, 1}
                                          : c == 7 ? art::Rgb{0.1, 0.1, 0.1}
                                                   : art::Rgb{0.5, 0.5, 0.5};
      art::SetColor(cr, colour);
      cairo_rectangle(cr, x + cx * cell + 0.5, y + cy * cell + 0.5, cell - 1, cell - 1);
      cairo_fill(cr);
      if (b.marks[cx][cy] == 0) {  // a hidden piece: a dark centre
        art::SetColor(cr, art::palette::ink);
        cairo_rectangle(cr, x + cx * cell + cell / 2 - 1, y + cy * cell + cell / 2 - 1, 2, 2);
        cairo_fill(cr);
      }
    }
  }
}

void DrawLevel(cairo_t* cr, const CompiledLevel& level, int number, double x, double y, double scale) {
  const double w = (FIELD_RIGHT - FIELD_LEFT) * scale, h = (FIELD_BOTTOM - FIELD_TOP) * scale;
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
  cairo_set_font_size(cr, 13);
  art::SetColor(cr, art::palette::lacquer);
  cairo_move_to(cr, x, y + 13);
  cairo_show_text(cr, (std::to_string(number) + "  " + level.title).c_str());
  cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 10.5);
  cairo_move_to(cr, x, y + 28);
  cairo_show_text(cr, (ModeText(level) + "  (" + std::to_string(level.pieces.size()) + ")").c_str());

  const double fy = y + TEXT_HEIGHT;
  art::SetColor(cr, art::Mix(art::palette::parchment, art::palette::snow, 0.5));
  cairo_rectangle(cr, x, fy, w, h);
  cairo_fill(cr);
  cairo_save(cr);
  cairo_translate(cr, x - FIELD_LEFT * scale, fy - FIELD_TOP * scale);
  cairo_scale(cr, scale, scale);
  for (const Placement& p : level.pieces) {
    const auto poly = PiecePolygon(p, level.puzzleSet + 1);
    for (size_t i = 0; i < poly.size(); ++i)
      (i ? cairo_line_to : cairo_move_to)(cr, poly[i].x, poly[i].y);
    cairo_close_path(cr);
    art::SetColor(cr, art::palette::ink);
    cairo_fill_preserve(cr);
    // Faint piece edges show how the figure is cut.
    cairo_set_line_width(cr, 1.0 / scale);
    art::SetColor(cr, {0.35, 0.33, 0.32});
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  if (level.board) DrawBoard(cr, *level.board, x + w - 6 * BOARD_COLUMNS - 3, fy + 3, 6);
}

}  // namespace

RgbaImage RenderLevelSheet(const CompiledSet& set, int first, int count, int columns, double scale) {
  const double cellW = (FIELD_RIGHT - FIELD_LEFT) * scale + PAD;
  const double cellH = (FIELD_BOTTOM - FIELD_TOP) * scale + TEXT_HEIGHT + PAD;
  const int rows = (count + columns - 1) / columns;
  const int width = int(cellW * columns + PAD), height = int(cellH * rows + PAD);
  cairo_surface_t* surface = art::NewSurface(width, height);
  cairo_t* cr = cairo_create(surface);
  art::SetColor(cr, art::palette::parchment);
  cairo_paint(cr);
  for (int i = 0; i < count && first + i < int(set.levels.size()); ++i) {
    const double x = PAD + (i % columns) * cellW, y = PAD + (i / columns) * cellH;
    DrawLevel(cr, set.levels[size_t(first + i)], first + i + 1, x, y, scale);
  }
  cairo_destroy(cr);
  RgbaImage image = FromCairo(surface);
  cairo_surface_destroy(surface);
  return image;
}

}  // namespace levels
