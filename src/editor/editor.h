// The level editor: the player builds the 50 levels of a self-made level set. Pieces come
// from a stack on the right and are drawn black on the board, exactly as the silhouette will
// look in play; they carry, turn and snap as in play. Play-for-tiles levels also get their
// bonus board painted here. Any level can be tried at once in a real game. The set is
// written before every test play, when the editor is left, and when the window is closed.
#pragma once

#include "editor/level_options.h"
#include "game/shape.h"
#include "media/image.h"

#include <array>
#include <memory>
#include <string>

class TLevelProperties;
class TUser;

class TEd {
public:
  // Reads the set at LevelFilePath and loads the editor's artwork.
  TEd();
  ~TEd();
  TEd(const TEd&) = delete;
  TEd& operator=(const TEd&) = delete;

  float Alpha = 0;  // 0 black … 1 fully visible
  bool Leave = false;
  int CurrentLevel = 0;
  ImagePtr ColPic;  // 1×1 white: the mouse's hit probe for the stack
  bool MovePlayfield = false;
  float YinYangRotation = 0;
  static const char* const BALLOON_KEYS[5];  // the help balloons' texts, as keys
  std::array<std::string, 5> BalloonsTxt;
  ImagePtr BalloonImg, Fahne, Icons, Slider, Regler, BonusGameBG, BonusTiles;
  TLvlOptions LevelPropRequester;
  TBonusLvlOptions BonusLevelPropRequester;
  bool ShowOptions = false;
  bool ShowOptionsBonus = false;

  // Runs the editor until the player leaves and the set is saved (or the player chose to
  // leave without saving after a failed write).
  void Start();
  // The live pieces become the current level's pieces; the level's pieces become live ones.
  void SaveToMem();
  void LoadFromMem();
  // Writes the whole set to LevelFilePath; false when the file could not be written.
  bool Save();

  void BalloonDraw(const std::string& text, int x, int y, bool flip);
  // An icon button with a tooltip; true in the frame in which a click on it completes.
  bool DrawIconButton(int x, int y, int icon, const std::string& tooltip);

  // State of the visit, readable by tests.
  bool BonusEditMode = false;
  int SelectedTile = 0;
  int BalloonStep = 0;
  float BalloonAlpha = 0;

  TLevelProperties& Level() const;
  // The level's puzzle-set row as the artwork knows it (0 or 1).
  int Row() const;
  bool RequesterOpen() const { return ShowOptions || ShowOptionsBonus; }
  // Puzzle-tile marks that may still be placed: pieces on the board − marks on the board.
  int RemainingMarks() const;

private:
  void Frame();
  void PieceMode();
  void DropOnStack();
  void RunMovePlayfield();
  void TakeFromStack();
  void BonusBoardMode();
  void DrawPalette();
  void PaintBoard();
  void TimeSlider();
  void ModeSwitch();
  void IconButtons();
  void LevelChoice();
  void ChangeLevel(int step);
  void Balloons();
  void StepBalloons();
  void Requesters();
  void TestPlay();
  void Fade();
  // After a failed write: asks whether to leave without saving (true) or stay.
  bool LeaveUnsaved();

  ShapePtr followed_;       // the piece the second balloon follows
  bool slideDrag_ = false;
  bool playRequest_ = false;
  bool clicked_ = false;    // the left click of this frame, before anything consumed it
  bool testPlaying_ = false;
  std::shared_ptr<TUser> user_;
};
