// A puzzle piece: one of the five tangram shapes, in the tray (x ≥ 550), carried by the
// mouse, on the board, flying back to the tray, frozen, or a black silhouette piece of the
// target. The live pieces are ShapeList; UpdateAllElements lets each one handle input and
// draw itself every frame.
#pragma once

#include "media/image.h"

#include <cstdint>
#include <memory>
#include <vector>

class PEmitter;
class TStream;

constexpr int PLAY_GAME = 1;
constexpr int SHAPE_RECORD_SIZE = 34;

class Shape;
using ShapePtr = std::shared_ptr<Shape>;

class Shape : public std::enable_shared_from_this<Shape> {
public:
  Shape();

  uint8_t PickedUp = 0;
  uint8_t Pickable = 1;
  uint8_t LightOn = 0;     // a silhouette piece is lighting up (the hint)
  int LightOnDelay = 0;    // frames until the light-up starts
  float RotateIt = 0;      // degrees still to turn, 4.5° a frame
  int MyDelay = 0;
  float X = 0, Y = 0;      // centre in screen pixels
  float Rotation = 0;      // degrees, kept in [0, 360)
  int R = 255, G = 255, B = 0;
  int Element = 0;         // 0 large, 1 medium, 2 small triangle, 3 square, 4 parallelogram
  int KeyAHoldTime = 0, KeySHoldTime = 0;
  float zoomer = 0.9f;     // draw scale in the tray
  uint8_t MoveDroppedTile = 0;  // flying back to the tray
  float OffX = 0;          // offset of the tray place
  float MoveStp_X = 0, MoveStp_Y = 0, MoveStp_R = 0;
  int MoveStep = 0;
  float dx = 0, dy = 0;
  uint8_t DontFadeAway = 0;  // frozen on the board
  float FadeGold = 0;        // opacity of the gold overlay of a frozen piece
  uint8_t TileFading = 0;    // darkens (Meditation)
  uint8_t FlyIn = 0;
  float Alpha = 1;

  // One piece's update and drawing for this frame (called by UpdateAllElements).
  void Render(int state, int row, bool requesterOpen, bool freeze, bool meditation);
  // Starts the flight back to the tray: 10 frames, or 20 when slow.
  void CalcMove(bool slow);

  // The 34-byte piece record of a level-set file.
  static void SaveShape(const Shape& shape, TStream& stream);
  static ShapePtr ReadShape(TStream& stream);
  static ShapePtr CreateNewShape(int element, float x, float y, float rotation, int r, int g, int b,
                                 bool pickable, int pickedUp, float dx);
  static void ClearAllElements();
  static void UpdateAllElements(int state, int row, bool requesterOpen, bool freeze, bool meditation,
                                bool floating);
};

extern std::vector<ShapePtr> ShapeList;
extern ShapePtr HeldShape;
extern float FloatAngle;
extern float FloatOffset;
extern int RotateHoldTime;
// Shared with the game loop: the bobbing countdown of a solved level and the particle
// emitter of the lamp and the solved-level sparkles.
extern int WobbleTimer;
extern std::shared_ptr<PEmitter> GameParticles;

// The play field as drawn so far in this frame, and its pure-black pixels: what is left
// uncovered of the silhouette (the artwork has no other pure black there).
PixmapPtr GrabPlayField();
int CountSilhouettePixels(const PixmapPtr& field);

// Y of a piece resting in the tray, by kind.
int TrayRow(int element);
constexpr float TRAY_X = 550;
