// The game's frame loop and its states.
#include "game/game.h"

#include "app/shell.h"
#include "bonus/bonus_game.h"
#include "bonus/bonus_tutorial.h"
#include "game/progress_map.h"
#include "levels/level_set.h"
#include "media/debug.h"
#include "media/graphics.h"
#include "media/input.h"
#include "media/platform.h"
#include "players/users.h"
#include "present/ambient.h"
#include "present/bitmap_font.h"
#include "present/language.h"
#include "present/particles.h"
#include "present/pointer.h"
#include "present/sound.h"
#include "ui/options.h"
#include "ui/widgets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

// The header: the player's name from the left, the score ending at the right; a long
// name is shortened to keep a gap before the score.
constexpr int HEADER_NAME_X = 24, HEADER_RIGHT = 617, HEADER_GAP = 24;

}  // namespace

TGame::TGame() {
  BTutorial = std::make_shared<BonusTutorial>();
  GameState = FADE_IN;
  WobbleTimer = 250;
  ReplayLevel = std::make_shared<TReqYesNo>();
  ReadLevelSet(LevelFilePath);
  Shape::ClearAllElements();
  ReqOptions = std::make_shared<TOptions>();
  TippScale = 0.9f;
  AutoMidHandle(true);
  Light = LoadImage("incbin::../gfx/light.png");
  AutoMidHandle(false);
  lcs_LeftWheel = LoadAnimImage("incbin::../gfx/rolle/left.png", 110, 80, 0, 32);
  lcs_RightWheel = LoadAnimImage("incbin::../gfx/rolle/right.png", 97, 80, 0, 32);
  lcs_MidWheel = LoadImage("incbin::../gfx/rolle/mid.png");
  lcs_Pergament = LoadImage("incbin::../gfx/rolle/pergament.png");
  AutoMidHandle(true);
  Twister = LoadAnimImage("incbin::../gfx/Twister.png", 100, 100, 0, 64);
  AutoMidHandle(false);
  MessageBox = LoadImage("incbin::../gfx/yesno_requester.png");
  lcs_alpha = 0;
  lcs_offset = 160;
  lcs_acc = 1;
  MeditationFade = 0;
  GameParticles = std::make_shared<PEmitter>();
  User = Users->GetCurrentUser();
}

TGame::~TGame() = default;

void TGame::UpdateKeys() {
  if (KeyHit(KEY_LEFT)) MoveMouse(MouseX() - 1, MouseY());
  if (KeyHit(KEY_RIGHT)) MoveMouse(MouseX() + 1, MouseY());
  if (KeyHit(KEY_UP)) MoveMouse(MouseX(), MouseY() - 1);
  if (KeyHit(KEY_DOWN)) MoveMouse(MouseX(), MouseY() + 1);
}

int TGame::Play() {
  TextList.clear();
  SetClsColor(0, 0, 0);
  User = Users->GetCurrentUser();
  fade_ = 0;
  lampCounter_ = 0;
  FocusLostHit();  // only a loss during the level counts
  while (!QuitGame) {
    Cls();
    const Flow flow = StatePreStep();
    if (flow == Flow::Return) return 0;
    if (flow == Flow::EndLoop) break;
    if (flow == Flow::SkipFrame) continue;
    PollInput();
    // Away from the window in the middle of a level: the menu opens and the clock stops.
    if (FocusLostHit() && GameState == PLAY_GAME && ShowBonusGame == 0) OpenOptions();
    RunClock();
    const bool messagePending =
        ShowNewRank || ShowFreezeMessage || ShowMeditation > 0 || ShowFlying || ShowTorch;
    if ((GameState == FADE_IN || GameState == GET_READY) && !messagePending && ShowBonusGame == 0) {
      ClickLatch[0] = ClickLatch[1] = 0;  // no click reaches the pieces before play starts
    }
    SetColor(255, 255, 255);
    DrawImage(Background, 0, 0);
    if (User->BackgroundAnimation) RenderAmbient(User->Selected_Background);

    if (ShowBonusGame == 0) PuzzleStage();
    UpdateKeys();
    if (ShowBonusGame > 0) BonusStage();
    FloatingText();
    // The board's frame is drawn before the requesters of the failed level, so that its
    // tray divider does not cut through them.
    ScoreBoard();
    if (StateRequesters() == Flow::Return) return 0;

    if (GameState == LEVEL_COMPLETE || GameState == LEVEL_COMPLETE_FADEOUT) {
      WobbleTimer -= 1;
      if (WobbleTimer > 0) {
        for (const ShapePtr& s : ShapeList) s->Y += 8 * float(std::sin((200 - WobbleTimer) * 3.14159265358979 / 180));
      } else {
        RenderLevelComplete();
      }
    }
    OptionsButtons();
    if (HintAllowed && ShowBonusGame == 0) HintLamp();
    lampCounter_ += 0.2f;
    OptionsMenu();  // over the lamp, which would otherwise stand on the box's edge
    if (ShowBonusGame != 2) MessageBoxes();
    if (GameParticles) GameParticles->Render();
    if (HasMode(LP_TWISTER) && ShowBonusGame == 0 && GameState == PLAY_GAME) RunTwister();
    if (MousePointer) MousePointer->Draw();
    BlackCover(1 - fade_);
    ShowFrame(-1);
  }
  StopSfx(SFX_RAINLOOP);
  StopSfx(SFX_WINDLOOP);
  return 0;
}

// The state's work before anything is drawn: fades, and moving on after a solved level.
TGame::Flow TGame::StatePreStep() {
  const bool messagePending = ShowNewRank || ShowFreezeMessage || ShowMeditation > 0 || ShowFlying || ShowTorch;
  switch (GameState) {
    case FADE_IN:
      if (fade_ <= 1) {
        fade_ += 0.05f;
        SetAlpha(fade_);
        StartTime = Millisecs();
      } else {
        SetAlpha(fade_);
        if (ShowBonusGame == 2) {
          if (BGame) BGame->StartTime = Millisecs();
          CreateText(Text("Get ready!"));
          GameState = GET_READY;
        } else if (!messagePending && ShowBonusGame == 0) {
          CreateText(Text("Get ready!"));
          GameState = GET_READY;
        }
      }
      break;
    case FADE_IN_NEXT_LEVEL:
      SetAlpha(1);
      if (fade_ <= 1) {
        fade_ += 0.05f;
        StartTime = Millisecs();
      } else if (ShowBonusGame == 2 || (!messagePending && ShowBonusGame != 1)) {
        CreateText(Text("Get ready!"));
        GameState = GET_READY;
      }
      break;
    case LEVEL_COMPLETE_FADEOUT:
      fade_ -= 0.05f;
      if (fade_ < 0) {
        User->Score = LvlCompleteScore;
        GameState = LEVEL_COMPLETE_CONTINUE;
      }
      SetAlpha(User->ProgressMap ? fade_ : 1);
      break;
    case LEVEL_COMPLETE_CONTINUE:
      return NextLevel();
    case FADE_OUT:
      fade_ -= 0.05f;
      SetAlpha(fade_);
      if (fade_ < 0) return Flow::Return;
      break;
    default:
      break;
  }
  return Flow::Continue;
}

TGame::Flow TGame::NextLevel() {
  if (EditorIsOn) return Flow::Return;
  const bool progressMap = User->ProgressMap;
  CurrentLevel = NextPlayableLevel(CurrentLevel + 1);  // unused and damaged levels are skipped
  if (CurrentLevel >= LEVEL_COUNT) {
    for (const auto& m : User->MaxLevel)
      if (m->Name == LevelFilePath && m->Level < LEVEL_COUNT) m->Level = LEVEL_COUNT;
    // Saved before the end screen, so closing the window there loses nothing.
    Users->SaveInBackground();
    ShowEndScreen();
    LevelSetCompleted = true;
    QuitGame = true;
    return Flow::EndLoop;
  }
  InitLevel(true);
  if (QuitGame) return Flow::Return;
  if (progressMap) {
    GameState = FADE_IN;
    fade_ = 0;
    return Flow::SkipFrame;  // the progress map has just been shown
  }
  GameState = FADE_IN_NEXT_LEVEL;
  return Flow::Continue;
}

void TGame::RunClock() {
  if (GameState != PLAY_GAME || TimeOff) return;
  CurrTime = GameTime - (Millisecs() - StartTime) / 1000;
  if (CurrTime < 13 && !ShowHurry) {
    CreateText(Text("Hurry up!"));
    ShowHurry = true;
  }
  if (CurrTime <= 0) {
    CurrTime = 0;
    CreateText(Text("Out of time"));
    GameState = TIME_OUT;
  }
}

void TGame::ReturnFrozenPieces() {
  for (const ShapePtr& s : ShapeList)
    if (!s->Pickable && s->DontFadeAway) {
      s->Pickable = 1;
      s->DontFadeAway = 0;
      s->FlyIn = 1;
      s->CalcMove(true);
    }
}

void TGame::RunAreaCheck() {
  FilledArea2 = CheckArea(!HasMode(LP_FREEZE));
  DebugLog(std::to_string(FilledArea2) + "/" + std::to_string(FilledArea));
}

void TGame::PuzzleStage() {
  const int row = LevelProps[size_t(CurrentLevel)]->PuzzleSet;
  darkness_ = HasMode(LP_ENLIGHTENMENT) ? EnlightenmentDarkness() : 0;
  const bool fading = GameState == LEVEL_COMPLETE_FADEOUT || GameState == LEVEL_COMPLETE_CONTINUE ||
                      GameState == FADE_IN_NEXT_LEVEL;
  if (fading) SetAlpha(fade_);
  const bool freeze = HasMode(LP_FREEZE) && GameState == PLAY_GAME;
  const bool allPlaced =
      freeze && std::none_of(ShapeList.begin(), ShapeList.end(), [](const ShapePtr& s) { return s->Pickable; });
  Shape::UpdateAllElements(GameState, row, false, freeze, HasMode(LP_MEDITATION), HasMode(LP_FLOATING_TILES));
  SetRotation(0);
  SetColor(255, 255, 255);

  if (GameState == PLAY_GAME && FilledArea == -1 && fade_ >= 1) FilledArea = CheckArea(true);
  if (PieceDropped && GameState == PLAY_GAME) {
    // A drop in the dark is judged once the light is back.
    if (darkness_ == 0)
      RunAreaCheck();
    else
      PrepareCheck = true;
  }
  if (PrepareCheck && darkness_ == 0 && GameState == PLAY_GAME) {
    PrepareCheck = false;
    RunAreaCheck();
  }
  if (HasMode(LP_TORCH)) DrawTorch();
  if (allPlaced && HasSilhouette()) {
    DebugLog("F2: " + std::to_string(FilledArea2));
    if (FilledArea2 > SOLVE_TOLERANCE) {
      ReturnFrozenPieces();
      CreateText(Text("You failed! Please try again!"));
      PlaySfx(SFX_FLYBACK);
    } else {
      FilledArea = FilledArea > 0
                       ? int(std::lround(double(FilledArea - FilledArea2) / FilledArea * 100))
                       : 100;
      LevelComplete();
    }
  }
  if (!User->ProgressMap && fading) SetAlpha(1);
}

void TGame::BonusStage() {
  if (!BGame) return;
  if (ShowBonusGameTutorial) {
    BGame->Render(0);
    CurrTime = GameTime;
    BGame->StartTime = Millisecs();
    BGame->PauseTime = Millisecs();
  } else {
    BGame->Render(GameState);
  }
  // A board full from the start is judged once the game runs, not under the fade-in
  // cover or behind the stage's messages.
  if (BGame->GameOver && GameState == PLAY_GAME && ShowBonusGame == 2) {
    BGame->GameOver = 0;
    CreateText(Text("No more space left"));
    GameState = TIME_OUT;
  }
  if (!BGame->CreateText.empty()) {
    CreateText(BGame->CreateText);
    BGame->CreateText.clear();
  }
  if (BGame->AddScore > 0) {
    const int points = std::min(25, BGame->AddScore);
    BGame->AddScore -= points;
    if (!EditorIsOn) User->Score += points;
  }
  if (BGame->AddLevelObject > 0) {
    BGame->AddLevelObject -= 1;
    DebugLog("ADD SHAPE....!!!");
    if (!TempGameElements.empty()) {
      ShapePtr s = TempGameElements.front();
      TempGameElements.erase(TempGameElements.begin());
      ShapeList.push_back(s);
      s->X = 320;
      s->Y = 235;
      s->zoomer = 0;
      s->FlyIn = 1;
      s->CalcMove(true);
      PlaySfx(SFX_FLYBACK);
    }
    if (TempGameElements.empty()) BGame->MoveOut = 1;
  }
  for (const ShapePtr& s : std::vector<ShapePtr>(ShapeList))
    if (s->Pickable) s->Render(0, 0, false, false, false);
  if (BGame->Offset_Y > 500) {
    CreateText(Text("Puzzletiles found"));
    BGame->MoveOut = 0;
    BGame->Offset_Y = -1000;
    StartTime = Millisecs();
    GameTime = LevelProps[size_t(CurrentLevel)]->GameTime;
    TimeOff = GameTime <= 0;
  }
}

void TGame::FailLevel(const std::string& line1) {
  DebugLog("Try again: " + line1);
  GameState = TRY_AGAIN;
  User->Score = OldScore;
  ReplayLevel->Alpha = 0;
  ReplayLevel->Line1 = line1;
  ReplayLevel->Line2 = Text("Do you want to\ntry it once more?");
}

void TGame::FloatingText() {
  if (TextList.empty()) return;
  TextAnimPtr t = TextList.front();
  t->Render();
  if (!t->Destroy) return;
  const std::string& c = t->Caption;
  if (c == Text("Puzzletiles found")) {
    ShowBonusGame = 0;
    DebugLog("Bonus Game wird nun beendet");
  } else if (c == Text("Get ready!")) {
    StartTime = Millisecs();
    GameState = PLAY_GAME;
  } else if (c == Text("Out of time")) {
    FailLevel(Text("Time out"));
  } else if (c == Text("No more space left")) {
    FailLevel(Text("No more space left."));
  } else if (c == Text("Game Over")) {
    GameState = FADE_OUT;
    User->Score = OldScore;
  }
  TextList.pop_front();
}

TGame::Flow TGame::StateRequesters() {
  if (GameState == TRY_AGAIN) {
    if (ReplayLevel->Alpha <= 1) ReplayLevel->Alpha += 0.05f;
    ReplayLevel->Render(130, 120);
    if (ReplayLevel->ButtonPressStr == "YES") {
      // The same level again, without the map and the wisdom screen. Not as a first start:
      // level 1 retried below the furthest level would jump there, and bring the tutorial back.
      const bool progressMap = User->ProgressMap, wisdoms = User->Wisdoms;
      User->ProgressMap = false;
      User->Wisdoms = false;
      InitLevel(false);
      User->ProgressMap = progressMap;
      User->Wisdoms = wisdoms;
      if (QuitGame) return Flow::Return;
      GameState = FADE_IN_NEXT_LEVEL;
    } else if (ReplayLevel->ButtonPressStr == "NO") {
      GameState = GAME_OVER;
    }
  } else if (GameState == GAME_OVER_CANCEL || GameState == GAME_OVER) {
    ReplayLevel->Alpha -= 0.05f;
    if (ReplayLevel->Alpha < 0) {
      CreateText(Text("Game Over"));
      GameState = GAME_OVER_2;
    }
  }
  if (GameState == GAME_OVER_CANCEL)
    ReqOptions->Render(100, 50);
  if (GameState == GAME_OVER) ReplayLevel->Render(130, 120);
  return Flow::Continue;
}

void TGame::ScoreBoard() {
  DrawScoreboard(float(CurrTime), float(GameTime), TimeOff, YinYangRotation);
  SetColor(255, 255, 255);
  DrawImage(Board, 0, 0);
  if (!FontHeadline) return;
  FontHeadline->Draw(std::to_string(CurrentLevel + 1), 42, 233, true);
  char digits[16];
  std::snprintf(digits, sizeof digits, "%06d", User->Score % 1000000);
  const int scoreX = HEADER_RIGHT - FontHeadline->GetWidth(digits);
  FontHeadline->Draw(digits, float(scoreX), -2, false);
  const int nameWidth = scoreX - HEADER_GAP - HEADER_NAME_X;
  FontHeadline->Draw(FontHeadline->Shortened(User->Name, nameWidth), HEADER_NAME_X, -2, false);
}

void TGame::OpenOptions() {
  OldGameState = GameState;
  GameState = OPTION_MENU;
  OptionsTime = Millisecs();
}

void TGame::OptionsButtons() {
  if (GameState == PLAY_GAME && KeyHit(KEY_ESCAPE)) OpenOptions();
  const int mx = MouseX(), my = MouseY();
  const bool overMenu = 0 < mx && mx < 85 && 290 < my && my < 477;
  DrawImage(GameGfx[ScoreMenu], 0, 290, overMenu && GameState == PLAY_GAME ? 1 : 0);
  if (overMenu && GameState == PLAY_GAME && ClickLatch[0]) OpenOptions();
  if (GameState == PLAY_GAME && HasMode(LP_FREEZE) && ShowBonusGame == 0 &&
      ImageButton(Text("New Try"), 150, 430, false)) {
    ReturnFrozenPieces();
    PlaySfx(SFX_FLYBACK);
  }
}

void TGame::OptionsMenu() {
  if (GameState != OPTION_MENU) return;
  ReqOptions->Render(100, 50);
  if (ReqOptions->CurrReq == R_BACKTOMAIN) {
    Users->SaveInBackground();
    GameState = GAME_OVER_CANCEL;
  } else if (ReqOptions->CurrReq == R_CLOSE) {
    Users->SaveInBackground();
    ReqOptions->CurrReq = R_MAIN;
    GameState = OldGameState;
    // The clock does not run while the menu is open.
    StartTime += Millisecs() - OptionsTime;
    StopSfx(SFX_RAINLOOP);
    StopSfx(SFX_WINDLOOP);
    if (User->Selected_Background == 0) PlaySfx(SFX_WINDLOOP);
    if (User->Selected_Background == 2) PlaySfx(SFX_RAINLOOP);
  }
}

void TGame::MessageBoxes() {
  if (ShowNewRank) {
    RenderRankMessage();
  } else if (ShowBonusGame == 1) {
    if (RenderLevelMessage(Text("Find the tiles"), Text("Before you can go on,\ntry to find the\nrequired puzzle tiles.")))
      ShowBonusGame = 3;
  } else if (ShowBonusGame == 3) {
    if (ShowBonusGameTutorial) {
      BTutorial->Render(25, 85);
      if (BTutorial->ButtonPressStr == "Exit") ShowBonusGameTutorial = false;
    }
    if (!ShowBonusGameTutorial) {
      ShowBonusGame = 2;
      if (BGame) {
        BGame->StartTime = Millisecs();
        BGame->PauseTime = 0;
      }
    }
  } else if (ShowFreezeMessage) {
    if (RenderLevelMessage(Text("Freeze"), Text("Caution! In this stage\nyou are not able to pick up tiles again,\nyou already placed on the playfield\n")))
      ShowFreezeMessage = false;
  } else if (ShowMeditation == 1) {
    if (RenderLevelMessage(Text("Enlightenment"), Text("Sometimes you are\nunable to see the wood for\nthe tress. Remember the playfield to\ncomplete this stage.")))
      ShowMeditation = 0;
  } else if (ShowMeditation == 2) {
    if (RenderLevelMessage(Text("Meditation"), Text("Are you able to solve the\nnext puzzle, even if you dont see\nwhere you dropped down\nthe puzzle tiles?")))
      ShowMeditation = 0;
  } else if (ShowFlying) {
    if (RenderLevelMessage(Text("Floating"), Text("Let your mind flow,\nto solve the next puzzle.")))
      ShowFlying = false;
  } else if (ShowTorch) {
    if (RenderLevelMessage(Text("Light in the darkness"), Text("Use your torch,\nto complete the next puzzle.")))
      ShowTorch = false;
  }
}
