#include "app/shell.h"
#include "game/shape.h"
#include "levels/geometry.h"
#include "media/input.h"
#include "media/stream.h"
#include "present/sound.h"
#include "support/game_env.h"

#include <cmath>
#include <string>

namespace {

class Pieces : public GameTest {
protected:
  // One game frame of the pieces: poll the input, update and draw them.
  static void Frame(bool freeze = false, bool meditation = false, bool floating = false) {
    PollInput();
    Cls();
    Shape::UpdateAllElements(PLAY_GAME, 0, false, freeze, meditation, floating);
  }
  static void ClickAt(int x, int y) {
    InjectMouseMove(x, y);
    InjectMouseButton(MOUSE_LEFT, true);
    InjectMouseButton(MOUSE_LEFT, false);
  }
  static ShapePtr TrayPiece(int element) {
    return Shape::CreateNewShape(element, TRAY_X, float(TrayRow(element)), 0, 255, 255, 255, true, 0, 0);
  }
  // Picks the piece up from the tray (a few frames of hover first, as a player would).
  static void PickUp(const ShapePtr& piece) {
    InjectMouseMove(int(piece->X), int(piece->Y));
    for (int i = 0; i < 3; ++i) Frame();
    ClickAt(int(piece->X), int(piece->Y));
    Frame();
    ASSERT_TRUE(piece->PickedUp);
  }
  static bool RotateSoundPlaying() {
    return SFX && SFX->sfxchannels[SFX_PUZZLEROTATE] && SFX->sfxchannels[SFX_PUZZLEROTATE]->Playing();
  }
};

}  // namespace

TEST_F(Pieces, CreatedPiecesKeepTheirTrayOffsetAndAngle) {
  const ShapePtr a = Shape::CreateNewShape(2, 560, 270, -45, 0, 0, 0, false, 2, 0);
  EXPECT_EQ(a->OffX, 10);
  EXPECT_EQ(a->Rotation, 315);
  EXPECT_FALSE(a->PickedUp);  // only exactly 1 picks up
  EXPECT_FALSE(a->Pickable);
  const ShapePtr b = Shape::CreateNewShape(0, 550, 120, 0, 255, 255, 255, true, 1, 0);
  EXPECT_EQ(b->OffX, 0);
  EXPECT_TRUE(b->PickedUp);
  EXPECT_EQ(ShapeList.size(), 2u);
}

TEST_F(Pieces, HoldingATurnsEveryFiveFramesAfterTheHoldDelay) {
  const ShapePtr piece = TrayPiece(2);
  PickUp(piece);
  std::vector<int> turnFrames;
  bool firstTurnSilent = false, laterTurnsSound = true;
  InjectKey(KEY_A, true);
  for (int frame = 0; frame <= 59; ++frame) {
    const float before = piece->RotateIt;
    Frame();
    if (before == 0 && piece->RotateIt < 0) {
      turnFrames.push_back(frame);
      if (frame == 0) firstTurnSilent = !RotateSoundPlaying();
      else laterTurnsSound &= RotateSoundPlaying();
    }
  }
  InjectKey(KEY_A, false);
  EXPECT_EQ(turnFrames, (std::vector<int>{0, 19, 24, 29, 34, 39, 44, 49, 54, 59}));
  EXPECT_TRUE(firstTurnSilent);
  if (SFX && SFX->sfx[SFX_PUZZLEROTATE]) {
    EXPECT_TRUE(laterTurnsSound);
  }
}

TEST_F(Pieces, WheelStepsAddUp) {
  const ShapePtr piece = TrayPiece(3);
  PickUp(piece);
  InjectWheel(-1);
  Frame();
  InjectWheel(-1);
  Frame();
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(piece->Rotation, 45);  // two steps of 22.5, animated 4.5° a frame
  EXPECT_EQ(piece->RotateIt, 0);
}

TEST_F(Pieces, DropOnTheBoardEdgeNeitherFliesBackNorFreezes) {
  const ShapePtr piece = TrayPiece(2);
  PickUp(piece);
  ClickAt(455, 200);
  Frame(true);
  EXPECT_FALSE(piece->PickedUp);
  EXPECT_FALSE(piece->MoveDroppedTile);
  EXPECT_TRUE(piece->Pickable);
  EXPECT_EQ(piece->X, 455);
  EXPECT_TRUE(PieceDropped);
}

TEST_F(Pieces, DropAboveTheFieldIsMovedDownAndDropInTheTrayFliesBack) {
  const ShapePtr piece = TrayPiece(1);
  PickUp(piece);
  ClickAt(300, 20);
  Frame();
  EXPECT_EQ(piece->Y, 66);
  PickUp(piece);
  piece->Rotation = 90;
  ClickAt(600, 300);
  Frame();
  ASSERT_TRUE(piece->MoveDroppedTile);
  for (int i = 0; i < 12; ++i) Frame();
  EXPECT_FALSE(piece->MoveDroppedTile);
  EXPECT_EQ(piece->X, TRAY_X);
  EXPECT_EQ(piece->Y, TrayRow(1));
  EXPECT_EQ(piece->Rotation, 0);
}

TEST_F(Pieces, SlowFlightTakesTwentyFramesAndEndsOnTheTrayPlace) {
  const ShapePtr piece = Shape::CreateNewShape(4, 200, 200, 45, 255, 255, 255, true, 0, 0);
  piece->OffX = 5;
  piece->CalcMove(true);
  int frames = 0;
  while (piece->MoveDroppedTile && frames < 50) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 20);
  EXPECT_EQ(piece->X, TRAY_X + 5);
  EXPECT_EQ(piece->Y, TrayRow(4));
}

TEST_F(Pieces, PieceSnapsOntoItsSilhouette) {
  // Silhouette: a square at (300.5, 250) turned 45°; the player drops one 9 px off.
  SetRotation(45);
  AddPieceTriangles(3, 300, 250, 0, TargetTris);
  SetRotation(0);
  Shape::CreateNewShape(3, 300, 250, 45, 0, 0, 0, false, 0, 0);
  const ShapePtr piece = TrayPiece(3);
  PickUp(piece);
  piece->Rotation = 45;
  ClickAt(309, 241);
  Frame();
  EXPECT_NEAR(piece->X, 300, 2);
  EXPECT_NEAR(piece->Y, 250, 2);
  // A wrong angle does not snap.
  PickUp(piece);
  piece->Rotation = 0;
  ClickAt(309, 241);
  Frame();
  EXPECT_EQ(piece->X, 309);
}

// A small triangle of the silhouette at (300, 250), turned 0, and the player's own small
// triangle dropped off its place: within 15 pixels on both axes it snaps back.
TEST_F(Pieces, EveryTriangleMustMatchWithinFifteenPixelsOnBothAxes) {
  AddPieceTriangles(2, 300, 250, 0, TargetTris);
  const ShapePtr piece = TrayPiece(2);
  const struct {
    int dx, dy;
    bool snaps;
  } drops[] = {{14, 0, true}, {15, 0, false}, {-14, 0, true}, {-15, 0, false}, {0, 14, true},
               {0, 15, false}, {0, -14, true}, {0, -15, false}, {14, -14, true}, {14, 15, false}};
  for (const auto& d : drops) {
    SCOPED_TRACE(std::to_string(d.dx) + ", " + std::to_string(d.dy));
    PickUp(piece);
    ClickAt(300 + d.dx, 250 + d.dy);
    Frame();
    EXPECT_EQ(piece->X, d.snaps ? 300 : 300 + d.dx);
    EXPECT_EQ(piece->Y, d.snaps ? 250 : 250 + d.dy);
  }
}

TEST_F(Pieces, APieceSnapsOnlyWhenEveryOneOfItsTrianglesFindsATarget) {
  // The upper half of a square's place: a square dropped there has two triangles with no
  // target and stays where it was put.
  AddPieceTriangles(2, 300, 250, 0, TargetTris);
  const ShapePtr square = TrayPiece(3);
  PickUp(square);
  ClickAt(303, 275);
  Frame();
  EXPECT_EQ(square->X, 303);
  EXPECT_EQ(square->Y, 275);
  // With the lower half there too, the same drop snaps onto the whole place.
  SetRotation(180);
  AddPieceTriangles(2, 300, 293, 0, TargetTris);
  SetRotation(0);
  PickUp(square);
  ClickAt(303, 275);
  Frame();
  EXPECT_NEAR(square->X, 300, 1);
  EXPECT_NEAR(square->Y, 271.5, 1);
}

TEST_F(Pieces, AFarWheelJumpInOneFrameTurnsOneStep) {
  const ShapePtr piece = TrayPiece(3);
  PickUp(piece);
  InjectWheel(-5);
  Frame();
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(piece->Rotation, 22.5f);
  InjectWheel(7);
  Frame();
  for (int i = 0; i < 10; ++i) Frame();
  EXPECT_EQ(piece->Rotation, 0);
}

TEST_F(Pieces, APieceDroppedOnTheBoardEdgeStillSnaps) {
  AddPieceTriangles(2, 462, 250, 0, TargetTris);
  const ShapePtr piece = TrayPiece(2);
  PickUp(piece);
  ClickAt(455, 250);
  Frame(/*freeze=*/true);
  EXPECT_FALSE(piece->MoveDroppedTile);
  EXPECT_TRUE(piece->Pickable) << "not frozen";
  EXPECT_EQ(piece->X, 462);
  EXPECT_EQ(piece->Y, 250);
}

TEST_F(Pieces, FreezingAndMeditationMarkDroppedPieces) {
  const ShapePtr a = TrayPiece(2);
  PickUp(a);
  ClickAt(300, 300);
  Frame(/*freeze=*/true);
  EXPECT_FALSE(a->Pickable);
  EXPECT_TRUE(a->DontFadeAway);
  const ShapePtr b = TrayPiece(0);
  PickUp(b);
  ClickAt(250, 200);
  Frame(false, /*meditation=*/true);
  EXPECT_TRUE(b->TileFading);
  for (int i = 0; i < 10; ++i) Frame(false, true);
  EXPECT_LT(b->R, 255);  // darkening on the board
}

TEST_F(Pieces, FloatingMovesBoardPiecesButNotTrayPieces) {
  const ShapePtr board = Shape::CreateNewShape(2, 300, 300, 0, 255, 255, 255, true, 0, 0);
  const ShapePtr tray = TrayPiece(2);
  FloatAngle = 89;
  Frame(false, false, true);  // angle 90: offset 0
  Frame(false, false, true);  // angle 91: about −0.5
  for (int i = 0; i < 88; ++i) Frame(false, false, true);  // angle 179: about −30
  EXPECT_NEAR(FloatOffset, -30, 0.1);
  // The hit area follows the offset on the board only.
  InjectMouseMove(300, 300 - 30 + 5);
  ClickAt(300, 300 - 30 + 5);
  Frame(false, false, true);
  EXPECT_TRUE(board->PickedUp);
  Frame(false, false, true);  // carried: follows the mouse, less the offset
  EXPECT_NEAR(board->Y, 275 - FloatOffset, 0.01);
  ClickAt(300, 400);
  Frame(false, false, true);  // puts the board piece down
  ClickAt(int(tray->X), int(tray->Y));
  Frame(false, false, true);
  EXPECT_TRUE(tray->PickedUp);
}

TEST_F(Pieces, PieceRecordIs34BytesAndRoundTrips) {
  const std::string path = DataHome() + "/piece.bin";
  {
    StreamPtr w = WriteStream(path);
    Shape s;
    s.X = 123.5f;
    s.Y = 222;
    s.Rotation = 337.5f;
    s.Element = 4;
    s.R = s.G = s.B = 255;
    Shape::SaveShape(s, *w);
    ASSERT_TRUE(w->Close());
  }
  StreamPtr r = ReadStream(path);
  ASSERT_EQ(r->Size(), 34u);
  const ShapePtr back = Shape::ReadShape(*r);
  EXPECT_EQ(back->X, 123.5f);
  EXPECT_EQ(back->Rotation, 337.5f);
  EXPECT_EQ(back->Element, 4);
  EXPECT_TRUE(back->Pickable);
  EXPECT_FLOAT_EQ(back->zoomer, 0.9f);  // unstored fields keep their start values
}
