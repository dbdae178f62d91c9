#include "support/text_probe.h"

#include "media/graphics.h"
#include "present/bitmap_font.h"
#include "present/language.h"

#include <algorithm>

DrawnBox WhereDrawn(const std::string& key, const std::function<void()>& drawFrame) {
  drawFrame();
  const PixmapPtr shown = GrabPixmap(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  const std::string md5 = HelpFunctions::MD5(key);
  const std::string before = Language->GetStringByKey(md5);
  Language->SetStringByKey(md5, " ");  // an empty entry would fall back to the key
  drawFrame();
  Language->SetStringByKey(md5, before);
  const PixmapPtr blanked = GrabPixmap(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  DrawnBox box{SCREEN_WIDTH, SCREEN_HEIGHT, -1, -1};
  for (int y = 0; y < SCREEN_HEIGHT; ++y)
    for (int x = 0; x < SCREEN_WIDTH; ++x)
      if (shown->ReadPixel(x, y) != blanked->ReadPixel(x, y)) {
        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
        box.top = std::min(box.top, y), box.bottom = std::max(box.bottom, y);
      }
  if (box.right < 0) return DrawnBox{};
  return box;
}

DrawnTexts::DrawnTexts() {
  SetTextObserver([this](const TBitmapFont& font, const std::string& text, float x, float y, bool centre) {
    entries.push_back({&font, text, x, y, centre, GetAlpha()});
  });
}

DrawnTexts::~DrawnTexts() { SetTextObserver(nullptr); }

const DrawnTexts::Entry* DrawnTexts::Find(const std::string& text) const {
  for (const Entry& e : entries)
    if (e.text == text) return &e;
  return nullptr;
}
