#include "ui/wisdom_screen.h"

#include "media/graphics.h"
#include "media/random.h"
#include "players/ini.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/language_choice.h"

#include <cstdlib>
#include <stdexcept>

namespace {

ImagePtr LoadScreen() {
  AutoMidHandle(false);
  return LoadImage("incbin::../gfx/wisdoms.jpg");
}

}  // namespace

Wisdomscreen::Wisdomscreen() : Wisdomscreen(TIni::Read("incbin::../data/wisdoms.ini")) {}

Wisdomscreen::Wisdomscreen(std::shared_ptr<TIni> wisdoms) : screen(LoadScreen()), Wisdoms(std::move(wisdoms)) {
  if (!Wisdoms) throw std::runtime_error("Wisdoms.ini not found");
  // The quotation file has a group per language, named like the string table's languages.
  seek = Wisdoms->GetSeek(CurrentLanguage());
  if (seek < 0) seek = Wisdoms->GetSeek(TLanguage::DEFAULT_LANGUAGE);
  anzahl = std::atoi(Wisdoms->GetValue(seek, "Anzahl", "0").c_str());
  nummer = RandomInt(1, anzahl);
  text = Wisdoms->GetValue(seek, std::to_string(nummer), "");
}

Wisdomscreen::Wisdomscreen(const std::string& quotation) : screen(LoadScreen()), text(quotation) {}

void Wisdomscreen::Render() {
  stp += 1;
  if (stp > 100) {
    lineno += 1;
    stp = 0;
  }
  SetAlpha(1);
  DrawImage(screen, 0, 0);
  if (FontHeadline) {
    const TBitmapFont& font = *FontHeadline;
    float y = float(460 - (lines + 1) * font.FrameWidth);
    const float step = float(font.FrameHeight - 8);
    lines = 0;
    int index = 0;
    std::string line, word;
    auto drawLine = [&](const std::string& l) {
      if (index == lineno) SetAlpha(float(stp) / 100);
      if (index <= lineno) font.Draw(l, 320, y, true);
    };
    const size_t n = text.size();
    for (size_t i = 0; i <= n; ++i) {
      const bool end = i == n;
      const bool forced = !end && text[i] == '\\' && i + 1 < n && text[i + 1] == 'n';
      if (!end && text[i] != '\\') word += text[i];
      if (!(end || forced || text[i] == ' ')) continue;
      // A word is finished: it fits on the line, or the line breaks before it (or after
      // it, at a forced break). A word wider than the line stands alone.
      if (font.GetWidth(line) + font.GetWidth(word) > 500 || forced) {
        lines += 1;
        if (forced) {
          line += word;
          word.clear();
          ++i;  // the n of the break
        }
        drawLine(line);
        line = word;
        word.clear();
        index += 1;
        y += step;
      } else {
        line += word;
        word.clear();
      }
    }
    drawLine(line);
  }
  SetColor(255, 255, 255);
  SetAlpha(0.8f);
  if (FontMain) FontMain->Draw(Language->GetString("Press mousebutton to continue"), 320, 460, true);
  SetAlpha(1);
}
