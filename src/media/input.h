// Mouse and keyboard, polled. Keys use Windows virtual-key codes. Every query first
// lets the window system deliver pending events. Hit queries return how often the key or
// button went down since the last hit query for it and reset that count.
#pragma once

#include <cstdint>

constexpr int KEY_BACKSPACE = 8, KEY_TAB = 9, KEY_ENTER = 13, KEY_SHIFT = 16, KEY_CONTROL = 17,
              KEY_ALT = 18, KEY_ESCAPE = 27, KEY_SPACE = 32, KEY_PAGEUP = 33, KEY_PAGEDOWN = 34,
              KEY_END = 35, KEY_HOME = 36, KEY_LEFT = 37, KEY_UP = 38, KEY_RIGHT = 39,
              KEY_DOWN = 40, KEY_DELETE = 46, KEY_A = 65, KEY_R = 82, KEY_S = 83, KEY_ADD = 107,
              KEY_SUBTRACT = 109, KEY_F11 = 122;  // KEY_ADD, KEY_SUBTRACT: the keypad's + and −
constexpr int MOUSE_LEFT = 1, MOUSE_RIGHT = 2, MOUSE_MIDDLE = 3;

int MouseX();
int MouseY();
int MouseZ();       // wheel position (one step per notch, up positive)
int MouseZSpeed();  // wheel movement since the last call
int MouseHit(int button);
bool MouseDown(int button);
int KeyHit(int key);
bool KeyDown(int key);
int GetChar();  // next typed character, 0 when none; the queue holds up to 256
void FlushKeys();   // key hits, key states and the typed-character queue
// Whether the window lost the keyboard focus (or was minimised) since the last call.
bool FocusLostHit();
void FlushMouse();  // button hits and states, wheel movement

// What the window system (or a test driver) reports. Mouse coordinates are frame pixels.
void InjectMouseMove(int x, int y);
void InjectMouseButton(int button, bool down);
void InjectWheel(int steps);
void InjectKey(int key, bool down, bool repeat = false);
void InjectChar(int code);
void InjectFocusLoss();
void ResetInput();
