// Immediate-mode buttons drawn anew every frame by whichever screen shows them, and the
// press rule they share with the title menu's entries.
//
// Press rule, frame by frame, for widget n (flag n of WidgetHover means "a press began
// over this widget"):
//   frame N   click over it        -> flag set, click sound
//   frame N+1 held, still over it   -> pressed look, nothing fires
//   frame N+2 dragged off           -> TextButton/ImageButton: flag cleared (cancelled);
//                                      menu entries keep it until the release
//   frame N+3 released over it      -> fires once (flag cleared)
//   released elsewhere              -> flag cleared, nothing fires
// A press that began elsewhere never fires, even when released over the widget.
#pragma once

#include "media/image.h"

#include <string>

// The next widget number for this frame (1, 2, …).
int NextWidget();
struct WidgetPress {
  bool pressed = false;  // the flag is set (draw the pressed look)
  bool fired = false;    // a click completed this frame
};
// Applies the press rule to widget n. canPress gates starting a press; cancelOnLeave
// clears a press as soon as the pointer leaves the widget.
WidgetPress WidgetBehavior(int n, bool hovered, bool canPress = true, bool cancelOnLeave = true);

// A caption centred on (x, y); true in the frame in which a click on it completes.
bool TextButton(const std::string& text, int x, int y);
// A caption on the shared button face centred on (x, y); never fires while disabled.
bool ImageButton(const std::string& text, int x, int y, bool disabled = false);

// Draws frame `frame` of the image at (x, y), showing only the rectangle (cx, cy, cw, ch)
// cut to the clip rectangle in force; nothing when they do not meet. Lists and scroll
// bars draw their rows and thumbs out of one strip this way.
void DrawClipped(const ImagePtr& image, float x, float y, int frame, int cx, int cy, int cw, int ch);
