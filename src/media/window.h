// The game window as the player handles it: any size (the 640×480 frame is letterboxed
// into it, and the mouse is mapped back through that box), full screen on F11 or
// Alt+Enter, and a picture of everything it shows. Without a window (the headless back
// end) these do nothing, and the picture is the frame itself.
#pragma once

#include "media/image.h"

// Sets the window's inner size in points, as dragging its border would.
void SetWindowSize(int w, int h);
void GetWindowSize(int& w, int& h);
void ToggleFullscreen();
bool IsFullscreen();
// What the window shows: the frame last presented, letterboxed between black bars, at
// the window's drawable size.
PixmapPtr GrabWindow();
