// The "Hall of fame": the ten best total scores, rebuilt on every visit from ten fixed
// default entries and the score of every player profile, so it always matches the
// profiles on disk. Constructing a THighscore runs the screen until "Ok".
#pragma once

#include "players/users.h"

#include <array>
#include <string>
#include <vector>

struct HighscoreEntry {
  std::string Name;
  int Score = 0;
};

constexpr int HIGHSCORE_ROWS = 10;
using HighscoreTable = std::array<HighscoreEntry, HIGHSCORE_ROWS>;

// The ten default entries, 10000 down to 1000 points.
const HighscoreTable& DefaultHighscores();
// The defaults with every profile's score sorted in; ties keep the earlier entry above.
HighscoreTable BuildHighscoreTable(const std::vector<UserPtr>& profiles);
// Exactly seven digits: zero-padded, or the last seven of a longer number.
std::string SevenDigits(int score);
// The rank name shown beside an entry: a profile of that name decides (the last one in
// list order, its rank brought up to date), otherwise the rank the score reaches.
std::string HighscoreRankName(const HighscoreEntry& entry, const std::vector<UserPtr>& profiles);

class THighscore {
public:
  THighscore();  // runs the screen to its end
};
