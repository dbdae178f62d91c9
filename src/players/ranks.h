// The six ranks a player reaches by total score; a rank never drops. Ranks unlock
// backgrounds, puzzle sets and songs.
#pragma once

#include <array>
#include <string>

class TUser;

constexpr int RANK_COUNT = 6;
extern std::array<std::string, RANK_COUNT> RankNames;  // through the string table
extern std::array<int, RANK_COUNT> RankScores;         // minimum total score per rank

// Fills both tables; the string table must exist.
void InitRanks();
// How many of ranks 1..5 the score has reached (0..5).
int RankOfScore(int score);
// Raises CurrentRank to the rank of Score if that is higher; returns CurrentRank.
int UpdateRank(TUser& user);
int GetRank(const TUser& user);
