// Immediate-mode drawing on a 640×480 frame. One current draw state (colour, alpha,
// blend, rotation, scale, viewport, origin, handle) is read by every draw call. A local
// point (px, py) of an image or shape lands at
//   (px·ix + py·iy, px·jx + py·jy) + (x + origin_x, y + origin_y).
#pragma once

#include "media/image.h"

#include <string>

constexpr int BLEND_MASK = 1;   // no blending; keeps pixels whose alpha is at least 0.5
constexpr int BLEND_SOLID = 2;  // overwrite
constexpr int BLEND_ALPHA = 3;  // src·α + dst·(1−α)
constexpr int BLEND_LIGHT = 4;  // src·α + dst
constexpr int BLEND_SHADE = 5;  // dst·src
// Any other blend value draws like BLEND_SOLID.

constexpr int SCREEN_WIDTH = 640;
constexpr int SCREEN_HEIGHT = 480;

struct DrawState {
  int color_red = 255, color_green = 255, color_blue = 255;
  float color_alpha = 1;
  int clscolor_red = 0, clscolor_green = 0, clscolor_blue = 0;
  float line_width = 1;
  float tform_rot = 0;
  float tform_scale_x = 1, tform_scale_y = 1;
  float tform_ix = 1, tform_iy = 0, tform_jx = 0, tform_jy = 1;
  int viewport_x = 0, viewport_y = 0, viewport_w = SCREEN_WIDTH, viewport_h = SCREEN_HEIGHT;
  float origin_x = 0, origin_y = 0;
  float handle_x = 0, handle_y = 0;
  int blend_mode = BLEND_MASK;
};
const DrawState& CurrentDrawState();
void ResetDrawState();

// Opens the frame: a window (depth 0) or full screen in the windowed back end, an
// off-screen surface in the headless one. false when it cannot be opened; GraphicsError
// then tells why in one line (for a window: each display system tried and its answer).
bool Graphics(int width, int height, int depth = 0, int hertz = 60, int flags = 0);
void EndGraphics();
bool GraphicsOpen();
std::string GraphicsError();
// Starts the display system a window needs; false (GraphicsError says why) when there is
// none. Graphics does this itself; the program asks first, before anything else starts.
bool InitDisplay();
void AppTitle(const std::string& title);

void Cls();
// Presents the frame. sync −1 keeps 60 frames a second (see FramePacer).
void Flip(int sync = -1);

void SetColor(int r, int g, int b);  // each component clamped to 0..255
void GetColor(int& r, int& g, int& b);
void SetAlpha(float alpha);
float GetAlpha();
void SetBlend(int mode);
int GetBlend();
void SetRotation(float degrees);
float GetRotation();
void SetScale(float sx, float sy);
void GetScale(float& sx, float& sy);
void SetViewport(int x, int y, int w, int h);
void GetViewport(int& x, int& y, int& w, int& h);
void SetOrigin(float x, float y);
void SetHandle(float x, float y);
void SetLineWidth(float width);
void SetClsColor(int r, int g, int b);

void DrawRect(float x, float y, float w, float h);
void DrawLine(float x1, float y1, float x2, float y2);
void DrawOval(float x, float y, float w, float h);
void Plot(float x, float y);
// The image's handle point goes to (x, y).
void DrawImage(const ImagePtr& image, float x, float y, int frame = 0);
// The frame stretched to w × h (the handle scales with it).
void DrawImageRect(const ImagePtr& image, float x, float y, float w, float h, int frame = 0);

// Copies the screen under the image frame placed at (x, y) into that frame.
void GrabImage(const ImagePtr& image, int x, int y, int frame = 0);
// The screen rectangle as drawn so far in this frame.
PixmapPtr GrabPixmap(int x, int y, int w, int h);

void ShowMouse();
void HideMouse();
void MoveMouse(int x, int y);
