#include "players/highscore.h"

#include "app/shell.h"
#include "media/graphics.h"
#include "media/input.h"
#include "players/ranks.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/pointer.h"
#include "ui/widgets.h"

#include <algorithm>
#include <utility>

const HighscoreTable& DefaultHighscores() {
  static const HighscoreTable defaults = {{
      {"Mossfoot", 10000},
      {"Tallowbeck", 9000},
      {"Quillan Ro", 8000},
      {"Pebblejot", 7000},
      {"Saffi Wren", 6000},
      {"Kettlewyn", 5000},
      {"Orrin Vale", 4000},
      {"Juni Thorne", 3000},
      {"Brambleton", 2000},
      {"Little Tamsel", 1000},
  }};
  return defaults;
}

HighscoreTable BuildHighscoreTable(const std::vector<UserPtr>& profiles) {
  // Entry 10 is the slot in which each candidate enters before bubbling up.
  std::array<HighscoreEntry, HIGHSCORE_ROWS + 1> table;
  std::copy(DefaultHighscores().begin(), DefaultHighscores().end(), table.begin());
  for (const UserPtr& user : profiles) {
    if (!user) continue;
    table[HIGHSCORE_ROWS] = {user->Name, user->Score};
    bool swapped = true;
    while (swapped) {
      swapped = false;
      for (int i = 0; i < HIGHSCORE_ROWS; ++i) {
        if (table[size_t(i) + 1].Score > table[size_t(i)].Score) {
          std::swap(table[size_t(i)], table[size_t(i) + 1]);
          swapped = true;
        }
      }
    }
  }
  HighscoreTable top;
  std::copy(table.begin(), table.begin() + HIGHSCORE_ROWS, top.begin());
  return top;
}

std::string SevenDigits(int score) {
  // A damaged profile may hold a negative score; it shows as nothing scored.
  std::string digits = std::to_string(std::max(score, 0));
  if (digits.size() > 7) return digits.substr(digits.size() - 7);
  return std::string(7 - digits.size(), '0') + digits;
}

std::string HighscoreRankName(const HighscoreEntry& entry, const std::vector<UserPtr>& profiles) {
  int rank = RankOfScore(entry.Score);
  for (const UserPtr& user : profiles)
    if (user && user->Name == entry.Name) rank = UpdateRank(*user);
  return RankNames[size_t(std::clamp(rank, 0, RANK_COUNT - 1))];
}

namespace {

constexpr int NAME_WIDTH = 200;  // up to the rank column

void DrawRow(int i, const HighscoreEntry& entry, const std::string& currentName, const ImagePtr& bar) {
  const int y = 100 + 30 * i;
  if (entry.Name == currentName) DrawImage(bar, 59, float(y + 4));
  const std::string place = i + 1 < 10 ? "0" + std::to_string(i + 1) : std::to_string(i + 1);
  FontMain->Draw(place, 62, float(y), false);
  // Long names are shortened to their column so they never run into the rank.
  FontMain->Draw(FontMain->Shortened(entry.Name, NAME_WIDTH), 100, float(y), false);
  FontMain->Draw(HighscoreRankName(entry, Users->UserList), 310, float(y), false);
  // A fixed 15-pixel pitch; the font's digits differ in width, so each sits centred in
  // its cell and the columns line up.
  const std::string digits = SevenDigits(entry.Score);
  for (int k = 1; k <= 7; ++k) {
    const std::string digit = digits.substr(size_t(k) - 1, 1);
    FontMain->Draw(digit, float(450 + 15 * k) + float(15 - FontMain->GetWidth(digit)) / 2, float(y), false);
  }
}

}  // namespace

THighscore::THighscore() {
  AutoMidHandle(false);
  const ImagePtr background = LoadImage("incbin::../gfx/hiscore.png");
  const ImagePtr bar = LoadImage("incbin::../gfx/hiscorebar.png");
  const HighscoreTable table = BuildHighscoreTable(Users->UserList);
  const std::string currentName = Users->GetCurrentUser()->Name;

  FlushKeys();
  FlushMouse();
  SetAlpha(1);
  Cls();
  ShowFrame();

  float appear = -10;
  float fade = 1;
  bool leaving = false;
  while (fade <= 1) {
    if (appear < 100) appear += 1;
    PollInput();
    Cls();
    SetAlpha(1);
    SetColor(255, 255, 255);
    DrawImage(background, 0, 0);
    FontHeadline->Draw(Language->GetString("Hall of fame"), 320, 30, true);
    for (int i = 0; i < HIGHSCORE_ROWS; ++i) {
      // The lower rows appear first.
      SetAlpha(std::clamp(appear * float(i + 1) / 100.0f, 0.0f, 1.0f));
      DrawRow(i, table[size_t(i)], currentName, bar);
    }
    SetAlpha(1);
    if (ImageButton(Language->GetString("Ok"), 320, 440)) leaving = true;
    if (MousePointer) MousePointer->Draw();
    if (!leaving && fade > 0) fade -= 0.05f;
    if (leaving) fade += 0.05f;
    BlackCover(fade);
    ShowFrame();
  }
}
