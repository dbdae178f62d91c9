#include "ui/text_entry.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "present/bitmap_font.h"

std::string TextEntry::Type(int maxWidth) {
  CursorCount += 1;
  if (CursorCount > 50) CursorCount = 0;
  const std::string key = GetTypedKey();
  LastTime -= 1;
  if (key == "KEY_BACKSPACE") {
    if (LastTime < 0) {
      if (!Caption.empty()) Caption.pop_back();
      LastTime = 10;
    }
  } else if (key != "KEY_ENTER" && !key.empty() && FontMain && FontMain->GetWidth(Caption) < maxWidth) {
    Caption += key;
  }
  return key;
}

void TextEntry::Draw(const std::string& shown, float x, float y) const {
  if (!FontMain) return;
  FontMain->Draw(shown, x, y, false);
  if (CursorCount > 25)
    DrawRect(x + float(FontMain->GetWidth(shown)) + 2, y + float(FontMain->FrameHeight) - 6, 16, 2);
}
