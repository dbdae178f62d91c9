// contactsheet: a review aid for the generated resources.
//   contactsheet <resource folder> <contact-sheet.png> <sounds.txt>
// Draws every image of the folder, scaled down and labelled with its name and size, on
// one sheet, and lists every .ogg with its length, peak and loudness.
#include "layout.h"
#include "pictures.h"
#include "sounds.h"

#include <cairo.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Entry {
  std::string name;  // relative to the resource folder
  sheet::Picture picture;
  std::string error;
};

std::vector<std::string> FilesWithExtensions(const fs::path& root,
                                             const std::vector<std::string>& exts) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file()) continue;
    const std::string ext = it->path().extension().string();
    if (std::find(exts.begin(), exts.end(), ext) != exts.end())
      names.push_back(fs::relative(it->path(), root).generic_string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

void Checkerboard(cairo_t* cr, const sheet::Tile& t) {
  for (int y = 0; y < t.height; y += 8)
    for (int x = 0; x < t.width; x += 8) {
      const double g = ((x / 8 + y / 8) & 1) ? 0.42 : 0.55;
      cairo_set_source_rgb(cr, g, g, g);
      cairo_rectangle(cr, t.x + x, t.y + y, std::min(8, t.width - x), std::min(8, t.height - y));
      cairo_fill(cr);
    }
}

void DrawEntry(cairo_t* cr, const Entry& e, const sheet::Tile& t, int labelHeight) {
  Checkerboard(cr, t);
  std::string label = e.name;
  if (e.error.empty()) {
    const int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, e.picture.width);
    if (stride != e.picture.width * 4) return;  // never for ARGB32, kept as a guard
    cairo_surface_t* img = cairo_image_surface_create_for_data(
        reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(e.picture.argb.data())),
        CAIRO_FORMAT_ARGB32, e.picture.width, e.picture.height, stride);
    cairo_save(cr);
    cairo_rectangle(cr, t.x, t.y, t.width, t.height);
    cairo_clip(cr);
    cairo_translate(cr, t.x, t.y);
    cairo_scale(cr, t.scale, t.scale);
    cairo_set_source_surface(cr, img, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(img);
    label += "  " + std::to_string(e.picture.width) + "x" + std::to_string(e.picture.height);
    cairo_set_source_rgb(cr, 0.9, 0.9, 0.85);
  } else {
    label += "  (" + e.error + ")";
    cairo_set_source_rgb(cr, 1.0, 0.45, 0.4);
  }
  cairo_save(cr);
  cairo_rectangle(cr, t.x, t.y + t.height, t.boxWidth, labelHeight);
  cairo_clip(cr);
  cairo_move_to(cr, t.x, t.y + t.height + labelHeight - 4);
  cairo_show_text(cr, label.c_str());
  cairo_restore(cr);
}

bool WriteSheet(const fs::path& root, const std::string& out) {
  std::vector<Entry> entries;
  std::vector<sheet::Size> sizes;
  for (const std::string& name : FilesWithExtensions(root, {".png", ".jpg", ".jpeg"})) {
    Entry e;
    e.name = name;
    sheet::LoadPicture((root / name).string(), e.picture, e.error);
    sizes.push_back({e.picture.width, e.picture.height});
    entries.push_back(std::move(e));
  }
  const sheet::LayoutRules rules;
  const sheet::Layout layout = sheet::LayoutTiles(sizes, rules);
  cairo_surface_t* surface =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, rules.sheetWidth, layout.height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_source_rgb(cr, 0.16, 0.16, 0.18);
  cairo_paint(cr);
  cairo_select_font_face(cr, "sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, 11);
  for (size_t i = 0; i < entries.size(); ++i)
    DrawEntry(cr, entries[i], layout.tiles[i], rules.labelHeight);
  cairo_destroy(cr);
  const bool ok = cairo_surface_write_to_png(surface, out.c_str()) == CAIRO_STATUS_SUCCESS;
  cairo_surface_destroy(surface);
  std::printf("contactsheet: %zu images on %s (%dx%d)\n", entries.size(), out.c_str(),
              rules.sheetWidth, layout.height);
  return ok;
}

bool WriteSounds(const fs::path& root, const std::string& out) {
  std::ofstream file(out, std::ios::trunc);
  const std::vector<std::string> names = FilesWithExtensions(root, {".ogg"});
  for (const std::string& name : names)
    file << sheet::SoundLine(name, sheet::AnalyseOgg((root / name).string())) << '\n';
  std::printf("contactsheet: %zu sounds in %s\n", names.size(), out.c_str());
  return bool(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: contactsheet <resource folder> <sheet.png> <sounds.txt>\n");
    return 2;
  }
  if (!fs::is_directory(argv[1])) {
    std::fprintf(stderr, "contactsheet: %s is not a folder\n", argv[1]);
    return 1;
  }
  const bool sheetOk = WriteSheet(argv[1], argv[2]);
  const bool soundsOk = WriteSounds(argv[1], argv[3]);
  if (!sheetOk || !soundsOk) {
    std::fprintf(stderr, "contactsheet: could not write the output\n");
    return 1;
  }
  return 0;
}
