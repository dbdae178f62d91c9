#include "present/bitmap_font.h"

#include "media/debug.h"
#include "media/graphics.h"
#include "media/stream.h"

#include <algorithm>
#include <vector>

BitmapFontPtr FontHeadline;
BitmapFontPtr FontHeadlineHover;
BitmapFontPtr FontMain;
BitmapFontPtr FontMainHover;

namespace {

constexpr int FIRST_CODE = 31;
constexpr int LAST_LOADED = 255;
constexpr int LAST_DRAWN = 254;
constexpr int MAX_CELL = 1024;  // pixels; the shipped fonts use 32 and 64

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines(1);
  for (const char c : text) {
    if (c == '\n')
      lines.emplace_back();
    else
      lines.back().push_back(c);
  }
  return lines;
}

bool Drawn(int code) { return code >= FIRST_CODE && code <= LAST_DRAWN; }

int Code(char c) { return static_cast<unsigned char>(c); }

TextObserver& Observer() {
  static TextObserver observer;
  return observer;
}

}  // namespace

int TBitmapFont::LoadFnt(const std::string& url) {
  StreamPtr s = ReadStream(url);
  if (!s) {
    DebugLog(url + " not found!");
    return 0;
  }
  s->ReadLine();
  // Sizes outside what a glyph strip can hold are brought into range, so that measuring
  // long texts cannot overflow. A descriptor that ends early leaves zeros (the stream
  // reads zeros past its end).
  FrameWidth = std::clamp(s->ReadInt(), 0, MAX_CELL);
  FrameHeight = std::clamp(s->ReadInt(), 0, MAX_CELL);
  Frames = std::clamp(s->ReadInt(), 0, LAST_LOADED - FIRST_CODE + 1);
  for (int c = FIRST_CODE; c <= LAST_LOADED; ++c) {
    CharW[size_t(c - FIRST_CODE)] = std::clamp(s->ReadInt(), 0, MAX_CELL);
    CharH[size_t(c - FIRST_CODE)] = std::clamp(s->ReadInt(), 0, MAX_CELL);
  }
  return 0;
}

int TBitmapFont::LoadBitmap(const std::string& url) {
  AutoMidHandle(false);
  FontImage = LoadAnimImage(url, FrameWidth, FrameHeight, 0, Frames, -1);
  if (!FontImage) DebugLog("Font not found: " + url);
  return 0;
}

int TBitmapFont::GetWidth(const std::string& text) const {
  int widest = 0;
  for (const auto& line : Lines(text)) {
    int w = 0;
    for (const char c : line)
      if (Drawn(Code(c))) w += CharW[size_t(Code(c) - FIRST_CODE)];
    widest = std::max(widest, w);
  }
  return widest;
}

std::string TBitmapFont::Shortened(const std::string& text, int maxWidth) const {
  if (text.empty() || GetWidth(text) <= maxWidth) return text;
  std::string cut = text;
  do {
    cut.pop_back();
    while (!cut.empty() && cut.back() == ' ') cut.pop_back();
  } while (!cut.empty() && GetWidth(cut + "..") > maxWidth);
  return cut + "..";
}

int TBitmapFont::GetHeight(const std::string& text) const {
  int total = 0;
  int m = 0;  // carries over from line to line
  for (const auto& line : Lines(text)) {
    for (const char c : line)
      if (Drawn(Code(c))) m = std::max(m, CharH[size_t(Code(c) - FIRST_CODE)]);
    total = int(float(total) + float(m) + AUTOLINE);
  }
  return total;
}

void SetTextObserver(TextObserver observer) { Observer() = std::move(observer); }

int TBitmapFont::Draw(const std::string& text, float x, float y, bool centre) const {
  if (Observer()) Observer()(*this, text, x, y, centre);
  float sx, sy;
  GetScale(sx, sy);
  const float x0 = x;
  for (const auto& line : Lines(text)) {
    if (FontImage) {
      if (centre) {
        // Code 255 has no glyph but still counts here.
        int w = 0, h = 0;
        for (const char c : line) {
          if (Code(c) < FIRST_CODE) continue;
          const size_t i = size_t(Code(c) - FIRST_CODE);
          w = int(float(w) + float(CharW[i]) * sx);
          if (float(CharH[i]) * sy > float(h)) h = int(float(CharH[i]) * sy);
        }
        x -= float(w / 2);
        y -= float(h / 2);
      }
      int pen = 0;
      for (const char c : line) {
        if (!Drawn(Code(c))) continue;
        DrawImage(FontImage, x + float(pen), y, Code(c) - FIRST_CODE);
        pen = int(float(pen) + float(CharW[size_t(Code(c) - FIRST_CODE)]) * sx);
      }
    }
    y += float(CharH[0]) * AUTOLINE;
    x = x0;
  }
  return 0;
}

void InitFonts() {
  static bool done = false;
  if (done) return;
  done = true;
  const std::string base = "incbin::../gfx/fonts/";
  auto load = [&](const std::string& name) {
    auto font = std::make_shared<TBitmapFont>();
    font->LoadFnt(base + name + ".fnt");
    font->LoadBitmap(base + name + ".png");
    return font;
  };
  FontHeadline = load("Headline");
  FontHeadlineHover = load("Headline_hover");
  FontMain = load("Main");
  FontMainHover = load("Main_hover");
}
