#include "layout.h"

#include <algorithm>

namespace sheet {

Layout LayoutTiles(const std::vector<Size>& sizes, const LayoutRules& rules) {
  Layout layout;
  const int usable = rules.sheetWidth - 2 * rules.margin;
  int x = rules.margin, y = rules.margin, rowHeight = 0;
  for (const Size& s : sizes) {
    Tile t;
    const bool strip = s.height > 0 && s.width >= rules.stripAspect * s.height;
    const int maxW = strip ? usable : rules.cellWidth;
    double scale = 1;
    if (s.width > 0 && s.height > 0)
      scale = std::min({1.0, double(maxW) / s.width, double(rules.cellHeight) / s.height});
    t.scale = scale;
    t.width = std::max(1, int(s.width * scale));
    t.height = std::max(1, int(s.height * scale));
    t.boxWidth = std::min(usable, std::max(t.width, rules.minBoxWidth));
    if (x + t.boxWidth > rules.sheetWidth - rules.margin && x > rules.margin) {
      x = rules.margin;
      y += rowHeight + rules.margin;
      rowHeight = 0;
    }
    t.x = x;
    t.y = y;
    x += t.boxWidth + rules.margin;
    rowHeight = std::max(rowHeight, t.height + rules.labelHeight);
    layout.tiles.push_back(t);
  }
  layout.height = y + rowHeight + rules.margin;
  return layout;
}

}  // namespace sheet
