#include "game/shape.h"

#include "app/shell.h"
#include "levels/geometry.h"
#include "levels/puzzle_set.h"
#include "media/collision.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/random.h"
#include "media/stream.h"
#include "present/particles.h"
#include "present/pointer.h"
#include "present/sound.h"

#include <algorithm>
#include <cmath>
#include <sstream>

std::vector<ShapePtr> ShapeList;
ShapePtr HeldShape;
float FloatAngle = 0;
float FloatOffset = 0;
int RotateHoldTime = 0;
int WobbleTimer = 0;
std::shared_ptr<PEmitter> GameParticles;

namespace {

constexpr uint32_t LAYER_1 = 1u << 1;  // holds only the piece being rendered
constexpr int LEVEL_COMPLETE_STATE = 3;
constexpr float BOARD_EDGE = 455;
constexpr double DEG = 3.14159265358979323846 / 180.0;

const int ZOOM_SOUND[5] = {SFX_PUZZZOOM_1, SFX_PUZZZOOM_2, SFX_PUZZZOOM_3, SFX_PUZZZOOM_5, SFX_PUZZZOOM_4};

void Play(int effect) {
  if (SFX) SFX->Play(effect);
}

std::string Num(float v) {
  std::ostringstream s;
  s << v;
  return s.str();
}

bool MouseOverLayer1() { return !CollideRect(float(MouseX()), float(MouseY()), 2, 2, LAYER_1, 0).empty(); }

float NormalisedAngle(float a) {
  while (a < 0) a += 360;
  return std::fmod(a, 360.0f);
}

ImagePtr PieceImage(const PieceImageTable& table, int row, int element) {
  if (row < 0 || row > 1 || element < 0 || element > 4) return nullptr;
  return table[size_t(row)][size_t(element)];
}

}  // namespace

PixmapPtr GrabPlayField() { return GrabPixmap(4, 66, 449, 394); }

int CountSilhouettePixels(const PixmapPtr& field) {
  return int(std::count_if(field->pixels.begin(), field->pixels.end(), [](uint32_t p) { return (p & 0xFFFFFF) == 0; }));
}

int TrayRow(int element) {
  static const int rows[5] = {120, 205, 270, 410, 330};
  return element >= 0 && element < 5 ? rows[element] : 270;
}

Shape::Shape() { FloatOffset = 0; }

ShapePtr Shape::CreateNewShape(int element, float x, float y, float rotation, int r, int g, int b,
                               bool pickable, int pickedUp, float dxValue) {
  auto s = std::make_shared<Shape>();
  s->Element = element;
  s->X = x;
  s->Y = y;
  s->Rotation = rotation < 0 ? rotation + 360 : rotation;
  s->R = r;
  s->G = g;
  s->B = b;
  s->Pickable = pickable ? 1 : 0;
  s->PickedUp = pickedUp == 1 ? 1 : 0;
  s->dx = dxValue;
  if (x > TRAY_X) {
    s->OffX = x - TRAY_X;
    DebugLog("offx: " + Num(s->OffX));
  }
  ShapeList.push_back(s);
  return s;
}

void Shape::ClearAllElements() { ShapeList.clear(); }

void Shape::SaveShape(const Shape& shape, TStream& stream) {
  stream.WriteByte(shape.PickedUp);
  stream.WriteByte(shape.Pickable);
  stream.WriteFloat(shape.RotateIt);
  stream.WriteFloat(shape.X);
  stream.WriteFloat(shape.Y);
  stream.WriteFloat(shape.Rotation);
  stream.WriteInt(shape.R);
  stream.WriteInt(shape.G);
  stream.WriteInt(shape.B);
  stream.WriteInt(shape.Element);
}

ShapePtr Shape::ReadShape(TStream& stream) {
  auto s = std::make_shared<Shape>();
  s->PickedUp = stream.ReadByte();
  s->Pickable = stream.ReadByte();
  s->RotateIt = stream.ReadFloat();
  s->X = stream.ReadFloat();
  s->Y = stream.ReadFloat();
  s->Rotation = stream.ReadFloat();
  s->R = stream.ReadInt();
  s->G = stream.ReadInt();
  s->B = stream.ReadInt();
  s->Element = stream.ReadInt();
  return s;
}

void Shape::CalcMove(bool slow) {
  MoveDroppedTile = 1;
  MoveStep = slow ? -10 : 0;
  const float steps = slow ? 20.0f : 10.0f;
  MoveStp_X = (TRAY_X - X + OffX) / steps;
  MoveStp_R = -Rotation / steps;
  MoveStp_Y = (float(TrayRow(Element)) - Y) / steps;
  DebugLog("Movestp_X: " + Num(MoveStp_X));
  DebugLog("Movestp_Y: " + Num(MoveStp_Y));
}

void Shape::UpdateAllElements(int state, int row, bool requesterOpen, bool freeze, bool meditation,
                              bool floating) {
  const float rotation = GetRotation();
  const float alpha = GetAlpha();
  if (meditation && ClickLatch[0]) {
    const bool carrying = std::any_of(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& s) { return s->PickedUp; });
    // 271 clamps to 255, so a darkening piece stays bright for a few more frames.
    if (carrying)
      for (const ShapePtr& s : ShapeList)
        if (s->TileFading) s->R = s->G = s->B = 271;
  }
  if (floating) {
    FloatAngle = std::fmod(FloatAngle + 1, 360.0f);
    FloatOffset = float(std::cos(FloatAngle * DEG) * 30);
  }
  // Render may reorder nothing, but keep the pieces alive while iterating.
  const std::vector<ShapePtr> pieces = ShapeList;
  for (const ShapePtr& s : pieces) s->Render(state, row, requesterOpen, freeze, meditation);
  // The carried piece is drawn last from the next frame on.
  auto carried = std::find_if(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& s) { return s->PickedUp; });
  if (carried != ShapeList.end()) {
    ShapePtr s = *carried;
    ShapeList.erase(carried);
    ShapeList.push_back(s);
  }
  SetRotation(rotation);
  SetAlpha(alpha);
  SetColor(255, 255, 255);
}

void Shape::Render(int state, int row, bool requesterOpen, bool freeze, bool meditation) {
  // Sparkles around the pieces of a solved level.
  if (state == LEVEL_COMPLETE_STATE && RandomInt(0, 100) > 95 && WobbleTimer > 0 && GameParticles) {
    const int offY = RandomInt(-50, 50);
    const int offX = RandomInt(-50, 50);
    GameParticles->Init(RandomInt(1, 10), X + float(offX), Y + float(offY), 0);
  }

  const float alpha = GetAlpha();
  ResetCollisions(LAYER_1);
  if (state != PLAY_GAME) PickedUp = 0;
  SetRotation(Rotation);

  if (PickedUp) {
    if (MousePointer) MousePointer->Display = false;
    X = float(MouseX());
    Y = float(MouseY()) - FloatOffset;

    if (KeyHit(KEY_A) && RotateIt == 0 && KeyDown(KEY_A)) {
      KeyAHoldTime = 20;
      RotateIt = -22.5f;
    }
    if (KeyDown(KEY_A)) {
      KeyAHoldTime -= 1;
      if (RotateIt == 0 && KeyAHoldTime < 1) {
        RotateIt = -22.5f;
        Play(SFX_PUZZLEROTATE);
      }
    } else {
      KeyAHoldTime = 20;
    }

    if (!KeyDown(KEY_S)) KeySHoldTime = 20;
    if (KeyHit(KEY_S) && RotateIt == 0 && KeyDown(KEY_S)) {
      KeySHoldTime = 20;
      RotateIt = 22.5f;
    }
    if (KeyDown(KEY_S)) {
      KeySHoldTime -= 1;
      if (RotateIt == 0 && KeySHoldTime < 1) {
        RotateIt = 22.5f;
        Play(SFX_PUZZLEROTATE);
      }
    }

    const bool spaceHit = KeyHit(KEY_SPACE) && KeyDown(KEY_SPACE);
    if ((spaceHit || ClickLatch[1]) && RotateIt == 0) {
      RotateHoldTime = 20;
      RotateIt = 22.5f;
      Play(SFX_PUZZLEROTATE);
    }
    if (MouseDown(MOUSE_RIGHT) || KeyDown(KEY_SPACE)) {
      RotateHoldTime -= 1;
      if (RotateIt == 0 && RotateHoldTime < 1) {
        RotateIt = 22.5f;
        Play(SFX_PUZZLEROTATE);
      }
    }

    // The wheel does not wait for a running turn: its steps add up.
    if (MouseWheel > OldMouseWheel) {
      RotateIt -= 22.5f;
      Play(SFX_PUZZLEROTATE);
    } else if (MouseWheel < OldMouseWheel) {
      RotateIt += 22.5f;
      Play(SFX_PUZZLEROTATE);
    }
  }

  // Turn animation, 4.5° a frame.
  if (RotateIt > 0.00001f) {
    RotateIt -= 4.5f;
    Rotation += 4.5f;
  } else if (RotateIt < -0.00001f) {
    RotateIt += 4.5f;
    Rotation -= 4.5f;
  } else {
    RotateIt = 0;
  }
  Rotation = std::fmod(Rotation, 360.0f);
  if (Rotation < 0) Rotation += 360;

  // Silhouette pieces: a faint offset shadow, and the hint's light-up.
  if (!Pickable && !DontFadeAway) {
    SetAlpha(0.2f * alpha);
    if (LightOn) {
      LightOnDelay -= 1;
      if (LightOnDelay < 1) {
        if (R < 128) {
          R += 8, G += 8, B += 8;
        } else {
          LightOn = 0;
        }
      }
    } else if (R > 0) {
      R -= 2, G -= 2, B -= 2;
    }
    SetColor(R, G, B);
    const float shadowY = X > BOARD_EDGE ? Y + 2 : Y + 2 + FloatOffset;
    DrawImage(PieceImage(PieceImages, row, Element), X + 4, shadowY);
  }

  if (TileFading && X < BOARD_EDGE && R > 0) R -= 4, G -= 4, B -= 4;
  SetAlpha(alpha);
  SetColor(R, G, B);

  // Putting the carried piece down.
  if (ClickLatch[0] && PickedUp && !requesterOpen) {
    PickedUp = 0;
    HeldShape = nullptr;
    ClickLatch[0] = 0;
    PieceDragged = false;
    PieceDropped = true;
    if (X > BOARD_EDGE && !MoveDroppedTile) {
      Play(SFX_FLYBACK);
      CalcMove(false);
    }
    if (X < BOARD_EDGE) {
      if (freeze) {
        Pickable = 0;
        DontFadeAway = 1;
        Play(SFX_FREEZE);
        DebugLog("Freeze Sound abgespielt....");
      }
      if (meditation) TileFading = 1;
    }
    Y = std::clamp(Y, 66.0f, 460.0f);
    X = std::max(X, 0.0f);

    PieceTris.clear();
    AddPieceTriangles(Element, int(X), int(Y + FloatOffset), row, PieceTris);
    int count = 0, n = 0;
    float sumX = 0, sumY = 0;
    for (const SmallTri& p : PieceTris) {
      ++count;
      const float pr = NormalisedAngle(p.r);
      for (const SmallTri& t : TargetTris) {
        const float ty = float(t.y) + FloatOffset;
        if (t.x - 15 < p.x && p.x < t.x + 15 && ty - 15 < p.y && p.y < ty + 15 && NormalisedAngle(t.r) == pr) {
          ++n;
          sumX += float(t.x - p.x);
          sumY += ty - float(p.y);
        }
      }
    }
    if (n > 0 && n >= count) {
      X += sumX / float(n);
      Y += sumY / float(n);
      Play(SFX_DROPDOWN);
    } else {
      Play(SFX_PUZZPICK);
    }
  }

  // Flying back to the tray.
  if (MoveDroppedTile) {
    MoveStep += 1;
    X += MoveStp_X;
    Y += MoveStp_Y;
    Rotation += MoveStp_R;
    DebugLog("MOVESTEP: " + std::to_string(MoveStep) + "/X: " + Num(X) + "/Y:" + Num(Y));
    if (MoveStep > 9) {
      MoveDroppedTile = 0;
      X = TRAY_X + OffX;
      Rotation = 0;
      Y = float(TrayRow(Element));
    }
    if (zoomer < 1) zoomer += 0.1f;
    SetScale(zoomer, zoomer);
    TileFading = 0;
    R = G = B = 255;
  }

  // Drawing and the hit area (collision layer 1 holds this piece only).
  const ImagePtr image = PieceImage(PieceImages, row, Element);
  if (X >= TRAY_X && !PickedUp && !requesterOpen) {
    SetScale(zoomer, zoomer);
    CollideImage(image, float(int(X)), float(int(Y)), 0, 0, LAYER_1, this);
    if (state == PLAY_GAME && MouseOverLayer1() && Pickable && !PickedUp) {
      if (zoomer <= 0.8f) Play(ZOOM_SOUND[std::clamp(Element, 0, 4)]);
      if (zoomer <= 1) zoomer += 0.05f;
      SetScale(zoomer, zoomer);
      DrawImage(image, X, Y);
    } else {
      if (zoomer >= 0.8f) zoomer -= 0.05f;
      DrawImage(image, X, Y);
      SetScale(1, 1);
    }
  } else {
    CollideImage(image, float(int(X)), float(int(Y + FloatOffset)), 0, 0, LAYER_1, this);
    DrawImage(image, X, Y + FloatOffset);
    if (!Pickable && DontFadeAway) {
      SetAlpha(FadeGold);
      if (FadeGold < 1) FadeGold += 0.05f;
      DrawImage(PieceImage(PieceGoldImages, row, Element), X, Y + FloatOffset);
      SetAlpha(alpha);
    }
    SetColor(R, G, B);
  }
  SetScale(1, 1);

  // Picking up: every piece under the click is picked in list order, so the topmost wins.
  if (ClickLatch[0] && state == PLAY_GAME && MouseOverLayer1() && Pickable && !PickedUp && !requesterOpen) {
    if (HeldShape) {
      HeldShape->PickedUp = 0;
      if (meditation) HeldShape->TileFading = 1;
    }
    HeldShape = shared_from_this();
    PickedUp = 1;
    PieceDragged = true;
    if (TileFading) {
      TileFading = 0;
      R = G = B = 255;
    }
    Play(SFX_PUZZPICK);
  }
  SetAlpha(alpha);
}
