#include "bonus/bonus_rules.h"

#include "media/debug.h"
#include "media/random.h"

#include <algorithm>

namespace {

bool IsTile(int kind) { return kind >= 0; }

bool OnBoard(int x, int y) { return x >= 0 && x < BOARD_W && y >= 0 && y < BOARD_H; }

template <typename F>
void ForEachCell(F&& f) {
  for (int x = 0; x < BOARD_W; ++x)
    for (int y = 0; y < BOARD_H; ++y) f(x, y);
}

// Cells row by row from the bottom, left to right: the order explosions are given.
template <typename F>
void ForEachCellFromBottom(F&& f) {
  for (int y = BOARD_H - 1; y >= 0; --y)
    for (int x = 0; x < BOARD_W; ++x) f(x, y);
}

template <typename F>
void ForEachNeighbour(int x, int y, F&& f) {
  for (int dx = -1; dx <= 1; ++dx)
    for (int dy = -1; dy <= 1; ++dy)
      if ((dx != 0 || dy != 0) && OnBoard(x + dx, y + dy)) f(x + dx, y + dy);
}

template <typename Board>
auto& At(Board& b, int x, int y) { return b[size_t(x)][size_t(y)]; }

BonusBoard Filled(int value) {
  BonusBoard b;
  for (auto& column : b) column.fill(value);
  return b;
}

}  // namespace

bool TilesMatch(int a, int b, int c) {
  if (!IsTile(a) || !IsTile(b) || !IsTile(c)) return false;
  if (a == TILE_STONE || b == TILE_STONE || c == TILE_STONE) return false;
  const bool ja = a == TILE_JOKER, jb = b == TILE_JOKER, jc = c == TILE_JOKER;
  return (a == b && b == c) || (ja && b == c) || (jb && a == c) || (jc && a == b) ||
         (ja && b == TILE_SPECIAL) || (ja && c == TILE_SPECIAL) || (jb && c == TILE_SPECIAL);
}

BonusRules::BonusRules(int now)
    : LevelData(Filled(TILE_EMPTY)), PuzzleTileData(Filled(MARK_NONE)), StartTime(now), PauseTime(now) {}

std::string BonusRules::Say(const std::string& key, const std::vector<std::string>& params) {
  std::string text = key;
  for (size_t i = 0; i + 1 < params.size(); i += 2) {
    const std::string name = "$" + params[i];
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + params[i + 1].size()))
      text.replace(at, name.size(), params[i + 1]);
  }
  return text;
}

bool BonusRules::BoardHolds(int kind) const {
  for (const auto& column : LevelData)
    for (int k : column)
      if (k == kind) return true;
  return false;
}

// ---- Dealing -------------------------------------------------------------------------

int BonusRules::SetNextTile() {
  const int n = std::clamp(RandomInt(0, MaxElementSize), 0, ELEMENT_SLOTS - 1);
  CurrentElement.fill(TILE_EMPTY);
  bool empty = true, colour = false;
  for (const auto& column : LevelData)
    for (int k : column) {
      empty = empty && !IsTile(k);
      colour = colour || (k >= 0 && k < TILE_COLOURS);
    }
  // A board without any colour to match (stones only, say) deals like an empty one when
  // neither jokers nor bombs may come; otherwise the draws below could never finish.
  const bool anyColour = empty || (!colour && !AllowJokers && !AllowBombs);
  for (int i = 0; i <= n; ++i) CurrentElement[size_t(i)] = DealSlot(anyColour);
  return 0;
}

int BonusRules::DealSlot(bool anyColour) {
  int kind = 0;
  for (int draw = 0; draw < MAX_DEAL_DRAWS; ++draw) {
    kind = RandomInt(0, TILE_COLOURS - 1);
    if (anyColour || BoardHolds(kind)) return kind;
    if (RandomInt(0, 25) == 1) {
      if (AllowJokers) kind = TILE_JOKER;
      if (AllowBombs && RandomInt(0, 10) >= 5) kind = TILE_BOMB;
      if (kind == TILE_JOKER || kind == TILE_BOMB) return kind;
    }
  }
  return kind;
}

// ---- The frame's steps before the board rules ----------------------------------------

void BonusRules::SlideOut() {
  if (!MoveOut) return;
  Offset_Y = int(float(Offset_Y) + acc);
  if (acc < 12) acc *= 1.1f;
}

int BonusRules::ElementSize() const {
  return int(std::count_if(CurrentElement.begin(), CurrentElement.end(), [](int k) { return k >= 0; }));
}

int BonusRules::AimOffset(int mouseX) const {
  const int k = ElementSize();
  return std::clamp(mouseX - Offset_X - 20 * k, 0, 320 - CELL_SIZE * k);
}

void BonusRules::FadeInElement() {
  if (CurrentElementAlpha < 1) CurrentElementAlpha += 0.2f;
}

void BonusRules::RotationInput(bool active, bool keyLeft, bool keyRight, bool rightClick, int wheel,
                               int oldWheel) {
  auto start = [this](int direction) {
    swapnow = 1;
    swapoffset = 0;
    OtherDirection = uint8_t(direction);
    OnRotate();
  };
  if (keyLeft) start(0);
  if (keyRight) start(1);
  if ((rightClick || wheel != oldWheel) && !swapnow && active && ElementSize() > 1)
    start(wheel > oldWheel ? 1 : 0);
}

void BonusRules::StepRotation() {
  if (!swapnow) return;
  const int k = ElementSize();
  swapoffset += 5;
  CurrentElementSwapX.fill(0);
  // One end tile jumps across the element while the others slide one cell its way.
  for (int j = 0; j < k; ++j) {
    if (OtherDirection)
      CurrentElementSwapX[size_t(j)] = j == k - 1 ? -swapoffset * (k - 1) : swapoffset;
    else
      CurrentElementSwapX[size_t(j)] = j == 0 ? swapoffset * (k - 1) : -swapoffset;
  }
  if (swapoffset < CELL_SIZE) return;
  swapnow = 0;
  swapoffset = 0;
  CurrentElementSwapX.fill(0);
  if (k < 2) return;
  if (OtherDirection)
    std::rotate(CurrentElement.begin(), CurrentElement.begin() + (k - 1), CurrentElement.begin() + k);
  else
    std::rotate(CurrentElement.begin(), CurrentElement.begin() + 1, CurrentElement.begin() + k);
}

float BonusRules::ShotTimer(bool active, int now) {
  if (!active && PauseTime == 0) PauseTime = now;
  if (active && PauseTime > 0) {
    StartTime += now - PauseTime;
    PauseTime = 0;
  }
  // A level without a valid shot time (a damaged file) has no shot clock.
  if (GameTime <= 0) return 1;
  const int remaining = StartTime + GameTime - (active ? now : PauseTime);
  return std::max(0.0f, float(remaining) / float(GameTime));
}

bool BonusRules::ShotDue(bool active, bool click, float timeLeft, int mouseX, int mouseY) const {
  const bool menuCorner = mouseX < 85 && mouseY > 290;  // the options button lies there
  return (click || timeLeft <= 0) && !swapnow && !TilesMoving && active && !menuCorner;
}

void BonusRules::Shoot(int aim, int now) {
  StrategyCombo = 0;
  StartTime = now;
  const int c = ShotColumn(aim);
  for (int j = 0; j < ELEMENT_SLOTS; ++j) {
    const int kind = CurrentElement[size_t(j)];
    if (kind < 0 || !OnBoard(c + j, BOARD_H - 1)) continue;
    At(LevelData, c + j, BOARD_H - 1) = kind;
    At(TileOffsetY, c + j, BOARD_H - 1) = 0;
  }
  OnShot();
  SetNextTile();
  CurrentElementAlpha = 0;
}

// ---- The board rules -----------------------------------------------------------------

int BonusRules::MoveTiles() {
  TilesMoving = 0;
  const bool exploding = AnyExplosion();
  bool busy = false;
  if (!exploding) {
    busy = CreatePowerUps() || busy;
    busy = RiseTiles() || busy;
  }
  if (!TilesMoving) {
    if (AllowBombs) busy = MarkBombs() || busy;
    MarkLines();
  }
  if (!exploding) busy = ScheduleExplosions() || busy;
  JudgeStrategy();
  busy = RunExplosions() || busy;
  if (!busy && !DontCheckAnyMore) {
    for (int x = 0; x < BOARD_W; ++x)
      if (IsTile(At(LevelData, x, BOARD_H - 1))) {
        GameOver = 1;
        DontCheckAnyMore = 1;
        break;
      }
  }
  return 0;
}

bool BonusRules::AnyExplosion() const {
  for (const auto& column : Explode)
    for (int e : column)
      if (e > 0) return true;
  return false;
}

bool BonusRules::CreatePowerUps() {
  bool created = false;
  ForEachCell([&](int x, int y) {
    const int mark = At(PuzzleTileData, x, y);
    if (mark < MARK_PENDING) return;
    OnPowerUp(x, y);
    At(LevelData, x, y) = mark - MARK_PENDING;
    At(PuzzleTileData, x, y) = MARK_POWERUP;
    created = true;
  });
  return created;
}

bool BonusRules::RiseTiles() {
  ForEachCell([&](int x, int y) {
    At(Match, x, y) = 0;
    const int kind = At(LevelData, x, y);
    if (y == 0 || !IsTile(kind) || kind == TILE_STONE || IsTile(At(LevelData, x, y - 1))) return;
    TilesMoving = 1;
    At(TileOffsetY, x, y) -= TILE_MOVE_SPEED;
    const float sx = float(Offset_X + CELL_SIZE * x + RandomInt(10, 30));
    const float sy = float(Offset_Y + CELL_SIZE * y + RandomInt(10, 30));
    OnRise(sx, sy);
    if (At(TileOffsetY, x, y) > -CELL_SIZE) return;
    At(LevelData, x, y - 1) = kind;
    At(PuzzleTileData, x, y - 1) = At(PuzzleTileData, x, y);
    At(LevelData, x, y) = TILE_EMPTY;
    At(PuzzleTileData, x, y) = MARK_NONE;
    At(TileOffsetY, x, y - 1) = 0;
  });
  return TilesMoving != 0;
}

bool BonusRules::MarkBombs() {
  bool any = false;
  ForEachCell([&](int x, int y) {
    if (At(LevelData, x, y) != TILE_BOMB) return;
    At(Match, x, y) = 1;
    ForEachNeighbour(x, y, [&](int nx, int ny) {
      if (IsTile(At(LevelData, nx, ny))) At(Match, nx, ny) = 1;
    });
    OnBomb();
    any = true;
  });
  return any;
}

void BonusRules::MarkLines() {
  // Right, down, down-right and up-right; longer lines are found as overlapping runs.
  static constexpr int DIRECTIONS[4][2] = {{1, 0}, {0, 1}, {1, 1}, {1, -1}};
  ForEachCell([&](int x, int y) {
    for (const auto& d : DIRECTIONS) {
      const int x2 = x + 2 * d[0], y2 = y + 2 * d[1];
      if (!OnBoard(x2, y2)) continue;
      if (!TilesMatch(At(LevelData, x, y), At(LevelData, x + d[0], y + d[1]), At(LevelData, x2, y2))) continue;
      for (int i = 0; i < 3; ++i) At(Match, x + i * d[0], y + i * d[1]) = 1;
    }
  });
}

bool BonusRules::ScheduleExplosions() {
  bool powerUpInLine = false;
  ForEachCell([&](int x, int y) {
    powerUpInLine = powerUpInLine || (At(Match, x, y) == 1 && At(PuzzleTileData, x, y) == MARK_POWERUP);
  });
  int t = 0, n = 0;
  bool any = false;
  if (powerUpInLine) {
    // Everything marked goes, stones included; no Multicombo in a blast.
    BlastAroundPowerUps();
    ForEachCellFromBottom([&](int x, int y) {
      if (At(Explode, x, y) != 0 || (At(Match, x, y) != 1 && At(Match, x, y) != 2)) return;
      At(Match, x, y) = 1;
      t += EXPLODE_DELAY;
      At(Explode, x, y) = t;
      any = true;
    });
    return any;
  }
  ForEachCellFromBottom([&](int x, int y) {
    if (At(Match, x, y) != 1 || At(Explode, x, y) != 0 || At(LevelData, x, y) == TILE_STONE) return;
    t += EXPLODE_DELAY;
    At(Explode, x, y) = t;
    n += 1;
    any = true;
    if (n != 4) return;
    // The fourth tile of a batch: its hidden piece counts now, and it leaves a power-up.
    if (At(PuzzleTileData, x, y) == MARK_PUZZLE) CollectPuzzleTile();
    At(PuzzleTileData, x, y) = At(LevelData, x, y) + MARK_PENDING;
    CreateText = Say("Multicombo", {});
    AddScore += 250;
  });
  return any;
}

void BonusRules::BlastAroundPowerUps() {
  ForEachCell([&](int x, int y) {
    if (At(Match, x, y) != 1 || At(Explode, x, y) != 0) return;
    ForEachNeighbour(x, y, [&](int nx, int ny) {
      const int kind = At(LevelData, nx, ny);
      if (At(Match, nx, ny) == 1 || !IsTile(kind) || kind == TILE_STONE) return;
      At(Match, nx, ny) = 2;
      At(Explode, nx, ny) = 0;
    });
  });
}

void BonusRules::JudgeStrategy() {
  if (TilesMoving || StrategyCombo) return;
  StrategyCombo = 1;
  bool marked = false;
  for (const auto& column : Match)
    for (int m : column) marked = marked || m > 0;
  if (!marked) {
    StrategyComboCounter = 0;
    return;
  }
  StrategyComboCounter += 1;
  if (StrategyComboCounter < 2) return;
  CreateText = Say("$combo x Combo", {"combo", std::to_string(StrategyComboCounter)});
  AddScore += 500;
  OnCombo();
}

bool BonusRules::RunExplosions() {
  bool counting = false;
  ForEachCell([&](int x, int y) {
    int& e = At(Explode, x, y);
    if (e <= 1) return;
    counting = true;
    e -= 1;
    if (e != 1) return;
    At(LevelData, x, y) = TILE_EMPTY;
    e = 0;
    AddScore += 50;
    OnExplode(x, y);
    // A pending power-up (2 and above) outlives its tile: it appears once the batch is over.
    int& mark = At(PuzzleTileData, x, y);
    if (mark == MARK_PUZZLE) {
      CollectPuzzleTile();
      mark = MARK_NONE;
    } else if (mark == MARK_POWERUP) {
      mark = MARK_NONE;
    }
  });
  return counting;
}

void BonusRules::CollectPuzzleTile() {
  AddLevelObject += 1;
  DebugLog("Add: " + std::to_string(AddLevelObject));
}
