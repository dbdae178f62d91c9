// The bonus game's board and rules without drawing, sound or input devices: dealing the
// element, aiming, rotating, shooting, rising, matching, explosions, scoring and the
// full-board loss. BonusGame adds the artwork and the frame; what the rules want shown
// or heard goes through the effect hooks at the bottom, so the rules run on bare boards.
#pragma once

#include "levels/level_set.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int TILE_MOVE_SPEED = 10;  // pixels a rising tile moves per frame
constexpr int EXPLODE_DELAY = 5;     // frames between the explosions of one batch

// Tile kinds (LevelData); 0..5 are the six ordinary colours.
constexpr int TILE_EMPTY = -1;
constexpr int TILE_COLOURS = 6;
constexpr int TILE_JOKER = 6;
constexpr int TILE_BOMB = 7;
constexpr int TILE_STONE = 9;
constexpr int TILE_SPECIAL = 11;  // matched by a joker; never made by the game
// Puzzle-tile layer (PuzzleTileData); 2 and above is a pending power-up of kind value − 2.
constexpr int MARK_NONE = -1;
constexpr int MARK_PUZZLE = 0;
constexpr int MARK_POWERUP = 1;
constexpr int MARK_PENDING = 2;

constexpr int ELEMENT_SLOTS = 4;
constexpr int CELL_SIZE = 40;
// Draws a slot of SetNextTile may take before it settles for any colour.
constexpr int MAX_DEAL_DRAWS = 1000;

// Three cells in line order match: all tiles, no stone, and equal kinds with jokers
// standing in (two jokers and one other tile do not match; a joker takes a special).
bool TilesMatch(int a, int b, int c);

class BonusRules {
public:
  explicit BonusRules(int now = 0);
  virtual ~BonusRules() = default;

  int Offset_X = 145;
  int Offset_Y = 75;
  int AddScore = 0;
  uint8_t MoveOut = 0;
  int MaxElementSize = 3;
  BonusBoard LevelData;
  BonusBoard PuzzleTileData;
  BonusBoard Match{};        // 1 marked by a line, a bomb or as matched; 2 caught in a blast
  BonusBoard Explode{};      // explosion countdown in frames
  BonusBoard TileOffsetY{};  // 0 down to −40 while a tile rises
  std::array<int, ELEMENT_SLOTS> CurrentElement{};  // −1 = empty; filled slots first
  std::array<int, ELEMENT_SLOTS> CurrentElementSwapX{};
  float CurrentElementAlpha = 0;
  int StrategyComboCounter = 0;
  uint8_t StrategyCombo = 0;
  uint8_t swapnow = 0;
  int swapoffset = 0;
  uint8_t AllowJokers = 0;
  uint8_t AllowBombs = 0;
  int StartTime = 0;
  int GameTime = 0;
  uint8_t TilesMoving = 0;
  int PauseTime = 0;
  uint8_t GameOver = 0;
  int AddLevelObject = 0;
  float acc = 1;
  std::string CreateText;
  uint8_t OtherDirection = 0;
  uint8_t DontCheckAnyMore = 0;

  virtual int SetNextTile();
  virtual int MoveTiles();

  // The state-changing steps of one frame, in the order BonusGame.Render runs them.
  void SlideOut();
  int ElementSize() const;  // filled slots of the element
  int AimOffset(int mouseX) const;
  void FadeInElement();
  // keyLeft: A; keyRight: S or space; mouse: the right-click latch or the wheel.
  void RotationInput(bool active, bool keyLeft, bool keyRight, bool rightClick, int wheel, int oldWheel);
  void StepRotation();
  // Pauses or resumes the shot clock; returns the fraction of the shot's time left (0..1).
  float ShotTimer(bool active, int now);
  bool ShotDue(bool active, bool click, float timeLeft, int mouseX, int mouseY) const;
  void Shoot(int aim, int now);

  static int ShotColumn(int aim) { return (22 + aim) / CELL_SIZE; }
  float CellCentreX(int x) const { return float(Offset_X + CELL_SIZE * x + 20); }
  float CellCentreY(int y) const { return float(Offset_Y + CELL_SIZE * y + 20); }
  bool BoardHolds(int kind) const;

protected:
  // What the rules ask the presentation to show or play.
  virtual void OnRotate() {}
  virtual void OnShot() {}
  virtual void OnBomb() {}
  virtual void OnCombo() {}
  virtual void OnExplode(int /*x*/, int /*y*/) {}
  virtual void OnPowerUp(int /*x*/, int /*y*/) {}
  virtual void OnRise(float /*x*/, float /*y*/) {}
  // The player's text for a string-table key with "$name" parameters.
  virtual std::string Say(const std::string& key, const std::vector<std::string>& params);

private:
  bool AnyExplosion() const;
  bool CreatePowerUps();
  bool RiseTiles();
  bool MarkBombs();
  void MarkLines();
  bool ScheduleExplosions();
  void BlastAroundPowerUps();
  void JudgeStrategy();
  bool RunExplosions();
  int DealSlot(bool anyColour);
  void CollectPuzzleTile();
};
