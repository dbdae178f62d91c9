// One game on one level set: level after level through fade-in, "Get ready!", play
// against the clock, the solved tally or try again / game over, the options menu, the
// bonus stage of Play-for-tiles levels and the end of the set.
#pragma once

#include "game/req_yes_no.h"
#include "game/shape.h"
#include "game/text_anim.h"
#include "media/image.h"
#include "media/graphics.h"

#include <list>
#include <memory>
#include <string>

class BonusGame;
class BonusTutorial;
class PEmitter;
class TOptions;
class TUser;

// Game states.
constexpr int FADE_IN = 0;
// PLAY_GAME = 1 (game/shape.h)
constexpr int GAME_PAUSED = 2;  // reserved
constexpr int LEVEL_COMPLETE = 3;
constexpr int GAME_OVER = 4;
constexpr int GAME_OVER_2 = 5;
constexpr int OPTIONS = 6;  // reserved
constexpr int FADE_IN_NEXT_LEVEL = 7;
constexpr int GET_READY = 8;
constexpr int TIME_OUT = 9;
constexpr int TRY_AGAIN = 10;
constexpr int FADE_OUT = 11;
constexpr int LEVEL_BONUS = 12;  // reserved
constexpr int LEVEL_COMPLETE_FADEOUT = 13;
constexpr int LEVEL_COMPLETE_CONTINUE = 14;
constexpr int OPTION_MENU = 15;
constexpr int GAME_OVER_CANCEL = 16;
constexpr int PLAY_BONUS_GAME = 17;  // reserved

// Fewer uncovered silhouette pixels than this solve a level.
constexpr int SOLVE_TOLERANCE = 340;

class TGame {
public:
  TGame();
  ~TGame();

  std::shared_ptr<TOptions> ReqOptions;
  int OldScore = 0;
  int FilledArea = 0;
  int FilledArea2 = 0;
  PixmapPtr PixmapCheck;
  int PixelCount = 0;
  int GameState = FADE_IN;
  int OldGameState = 0;
  bool QuitGame = false;
  bool LevelSetCompleted = false;
  bool playLampInitAnim = false;
  int GameTime = 0;
  int StartTime = 0;
  int OptionsTime = 0;
  bool EditorIsOn = false;
  std::shared_ptr<TReqYesNo> ReplayLevel;
  float YinYangRotation = 0;
  bool HintAllowed = true;
  ImagePtr lcs_LeftWheel, lcs_MidWheel, lcs_RightWheel, lcs_Pergament;
  float lcs_frame = 0, lcs_offset = 160, lcs_alpha = 0, lcs_acc = 1;
  int lcs_action = 0, lcs_step = 0;
  bool ShowNewRank = false;
  bool ShowFreezeMessage = false;
  int ShowMeditation = 0;
  bool ShowFlying = false;
  int ShowBonusGame = 0;
  bool ShowTorch = false;
  bool ShowBonusGameTutorial = false;
  ImagePtr MessageBox;
  float MeditationFade = 0;
  bool PrepareCheck = false;
  ImagePtr Light;
  ImagePtr Twister;
  ShapePtr Twister_DestShape;
  float Twister_Frame = 0, Twister_StartX = 0, Twister_StartY = 0, Twister_DestY = 0, Twister_Alpha = 0;
  int Twister_Time = 0, Twister_InitTime = 0;
  bool Show_Twister = false;
  std::shared_ptr<BonusTutorial> BTutorial;
  std::string LevelSet;
  int CurrentLevel = 0;
  bool ShowHurry = false;
  int CurrTime = 0;
  bool TimeOff = false;
  std::list<TextAnimPtr> TextList;
  float TippScale = 0.9f;
  float LampX = 0, LampY = 0;
  std::shared_ptr<TUser> User;
  int LvlCompleteScore = 0;
  std::shared_ptr<BonusGame> BGame;
  std::vector<ShapePtr> TempGameElements;

  // Level start and its message boxes.
  void RenderRankMessage();
  bool RenderLevelMessage(const std::string& title, const std::string& text);
  int InitLevel(bool first);
  // Level completion.
  bool RenderLevelComplete();
  int Play();
  static void DrawScoreboard(float remaining, float total, bool timeOff, float& rotation);
  void CreateText(const std::string& text);
  int CheckArea(bool complete);
  void LevelComplete();
  static void UpdateKeys();

  // The level's option bits.
  int Mode() const;
  bool HasMode(int bit) const { return (Mode() & bit) != 0; }
  bool FrontierLevel() const;
  // The first count found a silhouette to cover: a level that shows none is never solved.
  bool HasSilhouette() const { return FilledArea >= SOLVE_TOLERANCE; }

private:
  enum class Flow { Continue, SkipFrame, EndLoop, Return };
  float fade_ = 0;         // the frame loop's fade level
  float lampCounter_ = 0;  // the lamp's animation counter
  float darkness_ = 0;     // the Enlightenment darkness of this frame

  // Steps of the frame loop.
  Flow StatePreStep();
  Flow NextLevel();
  void RunClock();
  void PuzzleStage();
  void BonusStage();
  void FloatingText();
  Flow StateRequesters();
  void ScoreBoard();
  void OpenOptions();
  void OptionsButtons();
  void OptionsMenu();
  void MessageBoxes();
  void ReturnFrozenPieces();
  void RunAreaCheck();
  void FailLevel(const std::string& line1);
  // Stage effects and the lamp.
  float EnlightenmentDarkness();
  void DrawTorch();
  void HintLamp();
  void RunTwister();
  void DrawTally();
  void SetupBonusStage();
};
