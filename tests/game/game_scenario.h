// Scenario support for whole games: small level sets written into the test's data folder,
// a TGame started on them and run through its real frame loop under a script, and the
// script steps of a player who takes a piece from the tray, turns it and drops it.
#pragma once

#include "game/game.h"
#include "media/script.h"
#include "players/users.h"
#include "support/game_env.h"

#include <memory>
#include <string>
#include <vector>


// One piece of a test level: kind, centre and angle of its place in the silhouette.
struct TestPiece {
  int element;
  int x, y;
  float rotation = 0;
};

struct TestLevel {
  int gameTime = 60;  // seconds; 0: no time limit
  int modes = 0;      // LP_ bits
  std::vector<TestPiece> pieces;
  int puzzleSet = 0;  // 0 or 1; anything else makes a damaged level
};

class GameScenario : public GameTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Writes the levels (the rest stay empty) as a set in the data folder and points
  // LevelFilePath at it.
  static std::string WriteSet(const std::string& name, const std::vector<TestLevel>& levels);
  // A level of two pieces far apart: a square and a small triangle.
  static TestLevel TwoPieces(int modes = 0, int gameTime = 60);
  // Creates the game and prepares its first level (InitLevel with true).
  TGame& StartGame();
  // Runs Play under the script. True when Play returned by itself, false when the script
  // stopped the run.
  bool RunPlay(Script& script);
  // Marks the level set reached up to level (the profile's progress entry).
  void SetReached(int level);

  // Steps of a player. Waits for the game to reach PLAY_GAME, closing any stage message.
  static void StartPlaying(Script& s, TGame& game);
  // Takes a resting tray piece of the kind, turns it with the wheel to the rotation and
  // drops it at (x + dx, y + dy). carryOnly leaves it in the hand over that point.
  static void Place(Script& s, const TestPiece& p, int dx = 0, int dy = 0, bool carryOnly = false);
  static void PlaceAll(Script& s, const std::vector<TestPiece>& pieces);
  // Lets the tally run through every row, then clicks it away and waits for the fade-out
  // to end (the next level is being prepared or the set is over).
  static void WaitTallyDone(Script& s, TGame& game, int maxFrames = 3000);
  static void WaitState(Script& s, TGame& game, int state, int maxFrames);

  std::unique_ptr<TGame> game;
  std::shared_ptr<TUser> user;
};

// The top resting tray piece of a kind, or null.
ShapePtr TrayPieceOf(int element);
