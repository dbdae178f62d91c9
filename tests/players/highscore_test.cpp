// The hall of fame: how profiles enter the table of ten, and how a score is shown.
#include "players/highscore.h"
#include "media/graphics.h"
#include "media/script.h"
#include "support/game_env.h"
#include "players/ranks.h"
#include "present/language.h"

#include <gtest/gtest.h>

namespace {

UserPtr Profile(const std::string& name, int score) {
  auto u = std::make_shared<TUser>();
  u->Name = name;
  u->Score = score;
  return u;
}

std::vector<std::string> Names(const HighscoreTable& t) {
  std::vector<std::string> names;
  for (const HighscoreEntry& e : t) names.push_back(e.Name);
  return names;
}

class HighscoreTableTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    InitStrings();
    InitRanks();
  }
};

}  // namespace

TEST_F(HighscoreTableTest, DefaultsStayInOrderWhenNobodyBeatsThem) {
  const HighscoreTable t = BuildHighscoreTable({Profile("Ann", 999), Profile("Bo", 0)});
  EXPECT_EQ(Names(t), Names(DefaultHighscores()));
  for (int i = 0; i < HIGHSCORE_ROWS; ++i) EXPECT_EQ(t[size_t(i)].Score, 10000 - 1000 * i);
}

TEST_F(HighscoreTableTest, ProfilesEnterByScoreAndTiesKeepTheEarlierEntryAbove) {
  const auto& d = DefaultHighscores();
  // 10001 beats everything; exactly 10000 stays below the first default; exactly 1000
  // ties with the last default and stays out.
  HighscoreTable t = BuildHighscoreTable({Profile("Even", 10000), Profile("Top", 10001), Profile("Low", 1000)});
  EXPECT_EQ(t[0].Name, "Top");
  EXPECT_EQ(t[1].Name, d[0].Name);
  EXPECT_EQ(t[2].Name, "Even");
  EXPECT_EQ(t[9].Name, d[7].Name);
  for (const HighscoreEntry& e : t) EXPECT_NE(e.Name, "Low");

  // Equal scores: the profile earlier in the list ranks higher.
  t = BuildHighscoreTable({Profile("First", 5500), Profile("Second", 5500)});
  EXPECT_EQ(t[5].Name, "First");
  EXPECT_EQ(t[6].Name, "Second");

  // Two profiles of the same name both appear.
  t = BuildHighscoreTable({Profile("Twin", 20000), Profile("Twin", 15000)});
  EXPECT_EQ(t[0].Name, "Twin");
  EXPECT_EQ(t[1].Name, "Twin");
  EXPECT_EQ(t[1].Score, 15000);
}

TEST_F(HighscoreTableTest, ScoresShowAsExactlySevenDigits) {
  EXPECT_EQ(SevenDigits(12345), "0012345");
  EXPECT_EQ(SevenDigits(123456789), "3456789");
  EXPECT_EQ(SevenDigits(0), "0000000");
  EXPECT_EQ(SevenDigits(9999999), "9999999");
  EXPECT_EQ(SevenDigits(-40), "0000000");  // a damaged profile
}

TEST_F(HighscoreTableTest, RankComesFromTheProfileOfThatNameElseFromTheScore) {
  const std::vector<UserPtr> none;
  EXPECT_EQ(HighscoreRankName({"Nobody", 10000}, none), RankNames[0]);
  EXPECT_EQ(HighscoreRankName({"Nobody", 100000}, none), RankNames[2]);

  // A profile keeps the rank it reached even with a lower score now; the last profile of
  // the name decides.
  UserPtr a = Profile("Kit", 1000), b = Profile("Kit", 1000);
  a->CurrentRank = 1;
  b->CurrentRank = 4;
  EXPECT_EQ(HighscoreRankName({"Kit", 1000}, {a, b}), RankNames[4]);
  UserPtr c = Profile("Lu", 160000);
  EXPECT_EQ(HighscoreRankName({"Lu", 160000}, {c}), RankNames[3]);
  EXPECT_EQ(c->CurrentRank, 3);  // brought up to date
}

namespace {

// The screen itself, with the player list of the fixture replaced per test.
class HighscoreScreenTest : public GameTest {
protected:
  static void SetPlayers(const std::vector<std::pair<std::string, int>>& players, int current) {
    Users->RemoveAllUsers();
    for (const auto& [name, score] : players) {
      Users->AddUser(name, 100, 80, score, 0, 0, 0, true, true, true, true, "", 0, false);
    }
    CurrentUserIndex = current;
  }
  // Runs the screen until it has faded in, grabs the frame, then leaves with "Ok".
  static PixmapPtr Shot() {
    PixmapPtr shot;
    Script script;
    script.Wait(120).Do([&] { shot = GrabPixmap(0, 0, SCREEN_WIDTH, SCREEN_HEIGHT); }).Click(320, 440).Wait(100);
    script.Install(true);
    THighscore();
    return shot;
  }
  static int RowY(int row) { return 100 + 30 * row; }
  static bool SameColumn(const PixmapPtr& a, const PixmapPtr& b, int x, int y0, int y1) {
    for (int y = y0; y < y1; ++y)
      if (a->ReadPixel(x, y) != b->ReadPixel(x, y)) return false;
    return true;
  }
};

}  // namespace

// AddUser refuses a second profile of a name, so the twins get their name afterwards.
TEST_F(HighscoreScreenTest, EveryRowWithTheCurrentPlayersNameIsHighlighted) {
  SetPlayers({{"Twin", 20000}, {"Other", 15000}, {"Nobody", 0}}, 2);
  const PixmapPtr plain = Shot();  // the current player has no row
  Users->UserList[1]->Name = "Twin";
  CurrentUserIndex = 0;
  const PixmapPtr lit = Shot();
  // Rows 0 and 1 carry the bar, row 2 (a default entry) does not. The bar spans
  // x 59..575 from y + 4; x 440 lies between the rank and the score.
  EXPECT_FALSE(SameColumn(plain, lit, 440, RowY(0) + 6, RowY(0) + 28));
  EXPECT_FALSE(SameColumn(plain, lit, 440, RowY(1) + 6, RowY(1) + 28));
  EXPECT_TRUE(SameColumn(plain, lit, 440, RowY(2) + 6, RowY(2) + 28));
}

TEST_F(HighscoreScreenTest, ALongNameIsCutBeforeTheRankColumn) {
  SetPlayers({{"Al", 20000}}, 0);
  const PixmapPtr shortName = Shot();
  Users->UserList[0]->Name = "Al" + std::string(40, 'W');
  const PixmapPtr longName = Shot();
  for (int x = 300; x < 310; ++x) EXPECT_TRUE(SameColumn(shortName, longName, x, RowY(0), RowY(0) + 30)) << x;
  EXPECT_FALSE(SameColumn(shortName, longName, 250, RowY(0), RowY(0) + 30));
}

TEST_F(HighscoreScreenTest, OkDuringTheFadeInLeavesAtOnce) {
  Script script;
  script.Wait(4).Click(320, 440).Wait(200);
  script.Install(true);
  THighscore();
  // Four frames in, then back to black from where the cover stood.
  EXPECT_LT(script.FramesRun(), 20);
}
