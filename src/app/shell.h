// Program-wide globals every screen shares and the per-frame helpers every screen calls:
// poll the input, present the frame, read a typed key, step the scenery.
#pragma once

#include "media/image.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

class TUser;

// Whether the left (0) or right (1) button was clicked since the previous frame; screens
// may clear an entry to consume the click.
extern std::array<uint8_t, 2> ClickLatch;
extern int MouseWheel;
extern int OldMouseWheel;
// Hover-sensitive widgets drawn in this frame, and per widget whether a press began on it.
extern int WidgetCounter;
extern std::array<uint8_t, 100> WidgetHover;
extern bool PieceDragged;   // a piece is carried by the mouse
extern bool PieceDropped;   // a piece was put down in this frame
extern std::string LevelFilePath;

extern ImagePtr Background;
extern ImagePtr Board;
enum GameGfxSlot { TimeBorder = 0, TimeAnim = 1, YinYang = 2, LevelDisplay = 3, ScoreMenu = 4 };
extern std::array<ImagePtr, 5> GameGfx;
extern ImagePtr LampAnim;
extern ImagePtr DefaultButton;  // 3 frames of 122×60: idle, hovered, pressed
extern ImagePtr SliderKnob;
// Texts fetched once at start-up: the name requester's caption and the intro story.
extern std::string YourNameCaption;
extern std::string StoryText;

// Once per frame before anything reads input: latches the clicks and the wheel, resets
// the pointer's hover look, the widget counter and the drop flag.
void PollInput();
// Presents the frame; if the window was closed, ends the program at once (exit code 0),
// after the work a screen has put into SaveBeforeClose (the editor's level set).
void ShowFrame(int sync = -1);
extern std::function<void()> SaveBeforeClose;
// Covers the whole frame with black at the given opacity (clamped to 0..1) for fades;
// afterwards the drawing is opaque white in alpha blending.
void BlackCover(float alpha);
// Text entry: "KEY_ENTER", "KEY_BACKSPACE", one allowed character (ASCII letters, digits,
// some punctuation and the Latin-1 letters such as ä or ß, as one byte), or "".
std::string GetTypedKey();

void LoadGameGfx();
void LoadBackground(int selected);
// Step the profile's puzzle set / background within what its rank allows.
void NextPuzzleSet(TUser& user);
void NextBackground(TUser& user);

// The shared-resources initialiser (runs once; runs what it depends on first).
void InitSharedResources();
