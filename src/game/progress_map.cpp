#include "game/progress_map.h"

#include "app/shell.h"
#include "levels/level_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/resource_store.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/latin1.h"
#include "present/pointer.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int SET_NAME_WIDTH = 425;  // a self-made set's long name stays clear of "Exit"

// The end screen's highest line centre: its glyph cells start below the screen's top.
constexpr float END_TEXT_TOP = 40;

constexpr int STATIONS[50][2] = {
    {67, 390},  {92, 388},  {116, 383}, {138, 373}, {158, 358}, {172, 339}, {185, 318}, {193, 295}, {197, 270}, {192, 246},
    {179, 224}, {160, 209}, {142, 194}, {137, 170}, {142, 148}, {162, 137}, {185, 138}, {207, 148}, {227, 161}, {247, 169},
    {270, 176}, {291, 184}, {315, 193}, {337, 205}, {357, 216}, {373, 229}, {395, 244}, {414, 259}, {432, 275}, {450, 289},
    {463, 308}, {478, 328}, {455, 333}, {436, 348}, {427, 369}, {446, 383}, {469, 387}, {491, 381}, {508, 364}, {524, 346},
    {538, 328}, {547, 307}, {556, 285}, {566, 263}, {577, 242}, {592, 222}, {611, 212}, {630, 199}, {649, 187}, {663, 171}};

int ReachedLevel(const TUser& user, const std::string& set) {
  for (const auto& m : user.MaxLevel)
    if (m->Name == set) return m->Level;
  return -1;
}

bool IsLevelSetName(const std::string& name) {
  return name.size() >= 4 && name.compare(name.size() - 4, 4, ".lvl") == 0;
}

// A red cross over a station whose level cannot be played.
void DrawDamagedMark(float x, float y) {
  SetColor(200, 40, 30);
  SetLineWidth(3);
  DrawLine(x + 5, y + 5, x + 19, y + 19);
  DrawLine(x + 19, y + 5, x + 5, y + 19);
  SetLineWidth(1);
  SetColor(255, 255, 255);
}

std::string SetName(const std::string& path) {
  std::string name = path;
  if (name.size() >= 4 && name.compare(name.size() - 4, 4, ".lvl") == 0) name.resize(name.size() - 4);
  const size_t slash = name.find_last_of("\\/");
  // Self-made sets have UTF-8 file names; the fonts draw Latin-1.
  return Latin1FromUtf8(slash == std::string::npos ? name : name.substr(slash + 1));
}

// Greedy word wrap: words keep their trailing blank; a line closes before a word that
// would make it wider than width, and at every line break of the text.
std::vector<std::string> WrapLines(const TBitmapFont& font, const std::string& text, int width) {
  std::vector<std::string> lines;
  std::string line, word;
  auto closeWord = [&] {
    if (word.empty()) return;
    if (!line.empty() && font.GetWidth(line + word) > width) {
      lines.push_back(line);
      line.clear();
    }
    line += word;
    word.clear();
  };
  for (char c : text) {
    if (c == '\n') {
      closeWord();
      lines.push_back(line);
      line.clear();
      continue;
    }
    word += c;
    if (c == ' ') closeWord();
  }
  closeWord();
  lines.push_back(line);
  return lines;
}

}  // namespace

void OverallProgress(const TUser& user, int& currLevel, int& numLevels) {
  DebugLog("Searching files...");
  std::vector<std::string> sets;
  for (const std::string& name : ResourceNames())
    if (name.compare(0, 8, "../data/") == 0 && IsLevelSetName(name)) sets.push_back("incbin::" + name);
  const std::string folder = DataFolder ? DataFolder->GetPath() : std::string();
  if (!folder.empty())
    for (const std::string& name : LoadDir(folder))
      if (IsLevelSetName(name) && FileExists(folder + name)) sets.push_back(folder + name);
  currLevel = numLevels = 0;
  for (const std::string& path : sets) {
    DebugLog(path);
    numLevels += 50;
    currLevel += std::max(0, ReachedLevel(user, path));
  }
}

std::string DamagedLevelList() {
  constexpr int SHOWN = 5;  // the line stays on the card in either language
  std::string list;
  int count = 0;
  for (int i = 0; i < LEVEL_COUNT; ++i) {
    if (!LevelDamaged(i)) continue;
    if (++count > SHOWN) return list + " ..";
    list += (list.empty() ? "" : ", ") + std::to_string(i + 1);
  }
  return list;
}

Point MapStation(int level) {
  Point p;
  const int i = std::clamp(level, 0, 49);
  p.Set(STATIONS[i][0], STATIONS[i][1]);
  return p;
}

int ScrollTowards(int scroll, int stationX) {
  if (scroll < stationX - 320) scroll += 4;
  if (scroll > stationX - 320) scroll -= 4;
  return std::clamp(scroll, 0, 276);
}

void ShowProgressMap(int& currentLevel, bool& progressMap, bool& quitGame) {
  FlushKeys();
  SetAlpha(1);
  AutoMidHandle(false);
  const ImagePtr card = LoadImage("incbin::../gfx/card.png");
  const ImagePtr point = LoadAnimImage("incbin::../gfx/card_point.png", 24, 24, 0, 3);
  AutoMidHandle(true);
  const ImagePtr showMap = LoadImage("incbin::../gfx/showmap.png");
  const ImagePtr youAreHere = LoadImage("incbin::../gfx/youarehere.png");
  AutoMidHandle(false);

  const std::shared_ptr<TUser> user = Users->GetCurrentUser();
  int scroll = std::clamp(MapStation(currentLevel).x - 320, 0, 276);
  float fade = 0, stationFade = 0;
  bool leaving = false;
  int currLevel = 0, numLevels = 0;
  OverallProgress(*user, currLevel, numLevels);
  const int reached = ReachedLevel(*user, LevelFilePath);
  const std::string damaged = DamagedLevelList();

  while (true) {
    PollInput();
    Cls();
    if (leaving) {
      fade -= 0.05f;
      if (fade < 0) return;
    } else if (fade < 1) {
      fade += 0.05f;
    }
    SetAlpha(1);
    DrawImage(card, float(-scroll), 0);
    if (stationFade < 2) stationFade += 0.05f;
    const int mx = MouseX(), my = MouseY();
    for (int i = 0; i < 50; ++i) {
      const Point st = MapStation(i);
      SetAlpha(stationFade - float(i) / 50);  // they light up one after another
      // Unused and damaged levels are never played, so they are never open.
      const bool open = i <= reached && LevelPlayable(i);
      int frame = open ? 1 : 0;
      if (i == currentLevel) {
        frame = (Millisecs() / 500) % 2 ? 2 : 1;
        scroll = ScrollTowards(scroll, st.x);
      }
      const int px = st.x - scroll;
      DrawImage(point, float(px), float(st.y), frame);
      if (LevelDamaged(i)) DrawDamagedMark(float(px), float(st.y));
      if (px < mx && mx < px + 24 && st.y < my && my < st.y + 24) {
        if (MousePointer) MousePointer->SetHover(true);
        if (ClickLatch[0] && open) currentLevel = i;
      }
    }
    SetAlpha(1);

    const int halfW = ImageWidth(showMap) / 2, halfH = ImageHeight(showMap) / 2;
    const std::string showMapText = Text("Show Map");
    if (95 - halfW < mx && mx < 95 + halfW + (FontMain ? FontMain->GetWidth(showMapText) : 0) &&
        457 - halfH < my && my < 457 + halfH) {
      if (MousePointer) MousePointer->SetHover(true);
      if (ClickLatch[0]) progressMap = !progressMap;
    }
    DrawImage(showMap, 95, 457);
    if (FontMain) {
      if (progressMap) FontMain->Draw(std::string(1, char(127)), 77, 452, true);  // the check mark
      FontMain->Draw(showMapText, 117, 438, false);
    }
    if (ImageButton(Text("Exit"), 570, 52, false)) {
      quitGame = true;
      leaving = true;
    }
    if (ImageButton(Text("Play"), 570, 420, false)) leaving = true;

    if (FontHeadline) FontHeadline->Draw(FontHeadline->Shortened(SetName(LevelFilePath), SET_NAME_WIDTH), 70, -9, false);
    if (FontMain) {
      FontMain->Draw(Text("Next Level: $level", {"level", std::to_string(currentLevel + 1)}), 95, 72, false);
      FontMain->Draw(Text("Score: $score", {"score", std::to_string(user->Score)}), 390, 72, false);
      SetAlpha(0.7f);
      FontMain->Draw(Text("($currLevel of $numLevels levels completed)",
                          {"currLevel", std::to_string(currLevel), "numLevels", std::to_string(numLevels)}),
                     94, 101, false);
      SetAlpha(1);
      if (!damaged.empty()) FontMain->Draw(Text("Damaged levels are skipped: $levels", {"levels", damaged}), 94, 130, false);
    }
    const Point here = MapStation(currentLevel);
    const double bob = 8 * std::sin((Millisecs() / 10) * 3.14159265358979 / 180);
    DrawImage(youAreHere, float(here.x - scroll + 14), float(here.y - 35 + bob));

    if (MousePointer) MousePointer->Draw();
    BlackCover(1 - fade);
    ShowFrame(-1);
  }
}

std::vector<std::string> EndScreenLines() {
  if (!FontHeadline) return {};
  return WrapLines(*FontHeadline,
                   Text("Congratulations!\nYou completed your path to enlightenment. But there is a lot more to "
                        "discover...\n\nClick a mousebutton to continue!"),
                   500);
}

void ShowEndScreen() {
  Cls();
  ShowFrame(-1);
  AutoMidHandle(false);
  const ImagePtr picture = LoadImage("incbin::../gfx/end.png");
  const std::vector<std::string> lines = EndScreenLines();
  float overlay = 1.0f;
  bool showing = true;
  int revealed = -1;
  float lineFade = 80;
  int lineCount = 0;
  while (true) {
    Cls();
    PollInput();
    DrawImage(picture, 0, 0);
    lineFade += 4;
    if (lineFade > 100) {
      revealed += 1;
      lineFade = 0;
    }
    BlackCover(overlay);
    if (showing && overlay > 0) overlay -= 0.05f;
    if (!showing) overlay += 0.05f;

    const float step = float((FontHeadline ? FontHeadline->FrameHeight : 64) - 8);
    // The block rises with its line count, but its first line stays on the screen when
    // the text wraps into more lines than that rule allows for.
    const float top = std::max(float(480 - (lineCount + 1) * (FontHeadline ? FontHeadline->FrameWidth : 64)),
                               END_TEXT_TOP);
    // After the click the text fades out with the picture instead of vanishing at the end.
    const float textAlpha = showing ? 1 : std::max(0.0f, 1 - overlay);
    for (int k = 0; k < int(lines.size()) && k <= revealed; ++k) {
      if (k == int(lines.size()) - 1 && MousePointer) MousePointer->Draw();
      SetAlpha((k == revealed ? lineFade / 100 : 1) * textAlpha);
      FontHeadline->Draw(lines[size_t(k)], 320, top + float(k) * step, true);
    }
    if (revealed < int(lines.size()) - 1 && MousePointer) MousePointer->Draw();
    SetAlpha(1);
    lineCount = int(lines.size());
    if (ClickLatch[0]) showing = false;
    ShowFrame(-1);
    if (!showing && overlay > 1) break;
  }
}
