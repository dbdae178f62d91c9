#include "players/ranks.h"

#include "players/users.h"
#include "present/language.h"

std::array<std::string, RANK_COUNT> RankNames;
std::array<int, RANK_COUNT> RankScores = {0, 50000, 100000, 150000, 200000, 250000};

void InitRanks() {
  static const std::array<const char*, RANK_COUNT> keys = {"Nonbeliever", "Babbler", "Mediative",
                                                          "Monk",        "Wise man", "Buddha"};
  for (int i = 0; i < RANK_COUNT; ++i)
    RankNames[size_t(i)] = Language ? Language->GetString(keys[size_t(i)]) : keys[size_t(i)];
}

int RankOfScore(int score) {
  int rank = 0;
  for (int i = 1; i < RANK_COUNT; ++i) rank += RankScores[size_t(i)] <= score;
  return rank;
}

int UpdateRank(TUser& user) {
  const int rank = RankOfScore(user.Score);
  if (rank > user.CurrentRank) user.CurrentRank = rank;
  return user.CurrentRank;
}

int GetRank(const TUser& user) { return user.CurrentRank; }
