#include "app/shell.h"

#include "levels/puzzle_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "media/stream.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/pointer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

std::array<uint8_t, 2> ClickLatch{};
int MouseWheel = 0;
int OldMouseWheel = 0;
int WidgetCounter = 0;
std::array<uint8_t, 100> WidgetHover{};
bool PieceDragged = false;
bool PieceDropped = false;
std::string LevelFilePath = "data/Beginners.lvl";

ImagePtr Background;
ImagePtr Board;
std::array<ImagePtr, 5> GameGfx;
ImagePtr LampAnim;
ImagePtr DefaultButton;
ImagePtr SliderKnob;
std::string YourNameCaption;
std::string StoryText;
std::function<void()> SaveBeforeClose;

namespace {

uint8_t AsByte(int count) { return uint8_t(count > 255 ? 255 : count); }

// The characters a player may type into a name: a space, letters, digits, some
// punctuation, then 15 more spaces and a double quote.
const std::string ALLOWED_CHARACTERS =
    " ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890!?./:;*%$()&'+-*#@=" +
    std::string(15, ' ') + "\"";

// The letters of Latin-1 beyond ASCII (À to ÿ, without × and ÷): umlauts, ß and the
// accented letters, which the fonts draw and every player file stores as one byte.
bool Latin1Letter(int c) { return c >= 0xC0 && c <= 0xFF && c != 0xD7 && c != 0xF7; }

}  // namespace

void PollInput() {
  ClickLatch[0] = AsByte(MouseHit(MOUSE_LEFT));
  ClickLatch[1] = AsByte(MouseHit(MOUSE_RIGHT));
  OldMouseWheel = MouseWheel;
  MouseWheel = MouseZ();
  if (MousePointer) {
    MousePointer->SetHover(false);
    MousePointer->Display = true;
  }
  WidgetCounter = 0;
  PieceDropped = false;
}

void ShowFrame(int sync) {
  Flip(sync);
  if (AppTerminate()) {
    DebugLog("Terminated");
    if (SaveBeforeClose) SaveBeforeClose();
    FinishBackgroundWrites();  // what was saved before the close reaches the disk
    std::fflush(nullptr);
    std::_Exit(0);  // closing the window ends the program at once, without saving
  }
}

std::string GetTypedKey() {
  for (int key : {KEY_ESCAPE, KEY_PAGEUP, KEY_PAGEDOWN, KEY_RIGHT, KEY_LEFT, KEY_HOME, KEY_END})
    if (KeyDown(key)) return "";
  if (KeyDown(KEY_ENTER)) return "KEY_ENTER";
  if (KeyDown(KEY_DELETE)) return "";
  if (KeyDown(KEY_BACKSPACE)) return "KEY_BACKSPACE";
  const int c = GetChar();
  if (c == 0) return "";
  FlushKeys();
  if (!Latin1Letter(c) && (c > 127 || ALLOWED_CHARACTERS.find(char(c)) == std::string::npos)) return "";
  return std::string(1, char(c));
}

void LoadBackground(int selected) {
  Background = nullptr;
  AutoMidHandle(false);
  const std::string path = "incbin::../gfx/bg/bg" + std::to_string(selected + 1) + ".jpg";
  DebugLog("Loading " + path);
  Background = LoadImage(path);
}

void LoadGameGfx() {
  AutoMidHandle(false);
  Board = LoadImage("incbin::../gfx/board.png");
  GameGfx[TimeBorder] = LoadImage("incbin::../gfx/timeborder.png");
  GameGfx[TimeAnim] = LoadAnimImage("incbin::../gfx/timeanim.png", 72, 72, 0, 72);
  AutoMidHandle(true);
  GameGfx[YinYang] = LoadImage("incbin::../gfx/yinyang.png");
  AutoMidHandle(false);
  GameGfx[LevelDisplay] = LoadImage("incbin::../gfx/leveldisplay.png");
  GameGfx[ScoreMenu] = LoadAnimImage("incbin::../gfx/scoremenu.png", 107, 187, 0, 2);
  AutoMidHandle(true);
  LampAnim = LoadAnimImage("incbin::../gfx/LampeAnim.png", 57, 86, 0, 64);
}

void NextPuzzleSet(TUser& user) {
  user.Selected_Puzzleset += 1;
  if (user.Selected_Puzzleset >= 2 || user.Selected_Puzzleset > UpdateRank(user)) user.Selected_Puzzleset = 0;
  LoadPuzzleSet(user.Selected_Puzzleset, false);
}

void NextBackground(TUser& user) {
  user.Selected_Background += 1;
  if (user.Selected_Background >= 6 || user.Selected_Background > UpdateRank(user)) user.Selected_Background = 0;
  LoadBackground(user.Selected_Background);
}

void BlackCover(float alpha) {
  SetBlend(BLEND_ALPHA);
  SetColor(0, 0, 0);
  SetAlpha(std::clamp(alpha, 0.0f, 1.0f));
  DrawRect(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT);
  SetColor(255, 255, 255);
  SetAlpha(1);
}
