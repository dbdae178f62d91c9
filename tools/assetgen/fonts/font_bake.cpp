#include "font_bake.h"

#include <cairo.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

// How a code gets its cell. The shipped fonts cover ISO 8859-1; the C1 control codes
// stay empty and code 127 carries a check mark of our own (the progress map's tick).
enum class GlyphSource { Empty, Blank, Face, CheckMark, Macron };

struct FreeTypeFont {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeFont() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

std::string Hex(int code) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "U+%04X", code);
  return buf;
}

std::unique_ptr<FreeTypeFont> OpenFont(const FontSpec& spec) {
  auto font = std::make_unique<FreeTypeFont>();
  if (FT_Init_FreeType(&font->library)) throw std::runtime_error("FreeType does not start");
  if (FT_New_Face(font->library, spec.file.c_str(), 0, &font->face))
    throw std::runtime_error(spec.file + ": cannot open font (is its package installed? "
                             "see scripts/deps.sh)");
  if (FT_Set_Pixel_Sizes(font->face, 0, FT_UInt(spec.pixelSize)))
    throw std::runtime_error(spec.file + ": cannot set the pixel size");
  return font;
}

GlyphSource SourceOf(FT_Face face, int code) {
  if (code == 31 || (code >= 128 && code < 160)) return GlyphSource::Empty;
  if (code == 32 || code == 160) return GlyphSource::Blank;
  if (code == 127) return GlyphSource::CheckMark;
  if (FT_Get_Char_Index(face, FT_ULong(code))) return GlyphSource::Face;
  if (code == 0xAF && FT_Get_Char_Index(face, '-')) return GlyphSource::Macron;
  return GlyphSource::Empty;
}

// Light hinting snaps stems to the pixel grid vertically only, which keeps the shapes
// true at these small sizes while the horizontal bars stay crisp.
FT_GlyphSlot LoadGlyph(FT_Face face, int code, bool render, const FontSpec& spec) {
  FT_Int32 flags = FT_LOAD_TARGET_LIGHT;
  if (render) flags |= FT_LOAD_RENDER;
  if (FT_Load_Char(face, FT_ULong(code), flags))
    throw std::runtime_error(spec.file + ": cannot load " + Hex(code));
  return face->glyph;
}

int Advance(FT_GlyphSlot glyph) { return int((glyph->advance.x + 32) >> 6); }

int CheckMarkWidth(const FontSpec& spec) { return int(std::lround(spec.pixelSize * 0.92)); }

int WidthOf(FT_Face face, int code, const FontSpec& spec) {
  switch (SourceOf(face, code)) {
    case GlyphSource::Empty: return 0;
    case GlyphSource::Blank: return spec.spaceWidth;
    case GlyphSource::CheckMark: return CheckMarkWidth(spec);
    case GlyphSource::Macron: return Advance(LoadGlyph(face, '-', false, spec));
    case GlyphSource::Face: return Advance(LoadGlyph(face, code, false, spec));
  }
  return 0;
}

void CheckRequiredCoverage(FT_Face face, const FontSpec& spec) {
  for (int code = 33; code < 256; ++code) {
    if (code >= 127 && code <= 160) continue;
    if (SourceOf(face, code) == GlyphSource::Empty)
      throw std::runtime_error(spec.file + " has no glyph for " + Hex(code));
  }
}

// Copies a rendered glyph bitmap into the cell with its origin at (ox, baseline).
void Blit(const FT_Bitmap& bitmap, int left, int top, int ox, int baseline, int code,
          const FontSpec& spec, std::vector<uint8_t>& cell) {
  for (unsigned row = 0; row < bitmap.rows; ++row)
    for (unsigned col = 0; col < bitmap.width; ++col) {
      const uint8_t a = bitmap.buffer[int(row) * bitmap.pitch + int(col)];
      if (!a) continue;
      const int x = ox + left + int(col);
      const int y = baseline - top + int(row);
      if (x < spec.margin || y < spec.margin || x >= spec.cell - spec.margin ||
          y >= spec.cell - spec.margin)
        throw std::runtime_error(spec.file + ": " + Hex(code) + " leaves its cell at " +
                                 std::to_string(x) + "," + std::to_string(y));
      cell[size_t(y) * size_t(spec.cell) + size_t(x)] = a;
    }
}

// A brush-like tick in the weight of the face, sitting on the baseline and reaching a
// little above the capitals.
void DrawCheckMark(const FontSpec& spec, int baseline, int capHeight,
                   std::vector<uint8_t>& cell) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_A8, spec.cell, spec.cell);
  cairo_t* cr = cairo_create(surface);
  const double em = spec.pixelSize;
  const double x0 = spec.originX;
  const double weight = em * 0.12;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
  cairo_set_line_width(cr, weight);
  cairo_move_to(cr, x0 + em * 0.12, baseline - capHeight * 0.45);
  cairo_line_to(cr, x0 + em * 0.36, baseline - weight * 0.5);
  cairo_line_to(cr, x0 + em * 0.84, baseline - capHeight * 1.05);
  cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_surface_flush(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  for (int y = 0; y < spec.cell; ++y)
    for (int x = 0; x < spec.cell; ++x)
      cell[size_t(y) * size_t(spec.cell) + size_t(x)] = data[y * stride + x];
  cairo_surface_destroy(surface);
}

}  // namespace

FontWidths MeasureFont(const FontSpec& spec) {
  auto font = OpenFont(spec);
  CheckRequiredCoverage(font->face, spec);
  FontWidths widths{};
  for (int i = 0; i < FONT_CODES; ++i) widths[size_t(i)] = WidthOf(font->face, FONT_FIRST_CODE + i, spec);
  return widths;
}

BakedFont BakeFont(const FontSpec& spec) {
  auto font = OpenFont(spec);
  FT_Face face = font->face;
  CheckRequiredCoverage(face, spec);

  BakedFont baked;
  baked.cell = spec.cell;
  // The line box (ascender to descender) sits centred in the cell, so left-aligned text
  // starts near its given top and centred text is centred on its capitals.
  const int ascender = int(face->size->metrics.ascender >> 6);
  const int descender = int(-(face->size->metrics.descender >> 6));
  baked.baseline = (spec.cell + ascender - descender + 1) / 2;
  const int capHeight = LoadGlyph(face, 'H', true, spec)->bitmap_top;
  baked.capTop = baked.baseline - capHeight;

  baked.coverage.assign(FONT_CODES, std::vector<uint8_t>(size_t(spec.cell) * size_t(spec.cell), 0));
  for (int i = 0; i < FONT_CODES; ++i) {
    const int code = FONT_FIRST_CODE + i;
    std::vector<uint8_t>& cell = baked.coverage[size_t(i)];
    baked.widths[size_t(i)] = WidthOf(face, code, spec);
    switch (SourceOf(face, code)) {
      case GlyphSource::Empty:
      case GlyphSource::Blank:
        break;
      case GlyphSource::CheckMark:
        DrawCheckMark(spec, baked.baseline, capHeight, cell);
        break;
      case GlyphSource::Macron: {
        // The hyphen's bar lifted to the top of the capitals.
        FT_GlyphSlot g = LoadGlyph(face, '-', true, spec);
        Blit(g->bitmap, g->bitmap_left, capHeight, spec.originX, baked.baseline, code, spec, cell);
        break;
      }
      case GlyphSource::Face: {
        FT_GlyphSlot g = LoadGlyph(face, code, true, spec);
        if (g->bitmap.pixel_mode != FT_PIXEL_MODE_GRAY)
          throw std::runtime_error(spec.file + ": " + Hex(code) + " is not a grey bitmap");
        Blit(g->bitmap, g->bitmap_left, g->bitmap_top, spec.originX, baked.baseline, code, spec, cell);
        break;
      }
    }
  }
  return baked;
}

int CellsPerRow(int cell) { return 6000 / cell + 1; }

std::vector<uint8_t> FntDescriptor(const std::string& imagePath, int cell,
                                   const FontWidths& widths) {
  std::vector<uint8_t> out(imagePath.begin(), imagePath.end());
  out.push_back('\r');
  out.push_back('\n');
  auto put = [&out](int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(u >> (8 * i)));
  };
  put(cell);
  put(cell);
  put(FONT_FRAMES);
  for (int w : widths) {
    put(w);
    put(cell);
  }
  return out;
}
