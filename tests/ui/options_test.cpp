// The options pages driven frame by frame as their owners draw them at (100, 50): what a
// player of each rank may choose, the sliders while they are dragged, the closing fade,
// and the "Back to main menu" entry that only a running game offers.
#include "app/shell.h"
#include "media/input.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/sound.h"
#include "support/game_env.h"
#include "support/text_probe.h"
#include "ui/options.h"
#include "ui/title_screen.h"

#include <gtest/gtest.h>

namespace {

// Entries of the pages, in screen pixels (the options stand at (100, 50)).
constexpr int ENTRY_X = 328;
constexpr int BACK_TO_MAIN_Y = 295, MAIN_OK_Y = 350;
constexpr int BACKGROUND_Y = 200, PUZZLESET_Y = 235;
constexpr int SONG_X = 329, SONG_Y = 300;
// The audio page stands 35 px lower; its sliders' tracks start at x 350, 118 px long.
constexpr int SLIDER_X = 350, MUSIC_SLIDER_Y = 221, SFX_SLIDER_Y = 261;

class OptionsTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    user = Users->GetCurrentUser();
    options = std::make_unique<TOptions>();
  }

  // One frame of an owner's loop.
  void Frame() {
    PollInput();
    Cls();
    options->Render(100, 50);
  }
  // The page as it stands after its fade-in.
  void ShowPage(int page) {
    options->CurrReq = page;
    options->Alpha = 1;
    Frame();
  }
  void Click(int x, int y) {
    InjectMouseMove(x, y);
    InjectMouseButton(MOUSE_LEFT, true);
    Frame();
    InjectMouseButton(MOUSE_LEFT, false);
    Frame();
  }
  void SetRank(int rank) {
    user->CurrentRank = rank;
    user->Score = RankScores[size_t(rank)];
  }
  DrawnBox Drawn(const std::string& key) {
    return WhereDrawn(key, [this] { Frame(); });
  }

  UserPtr user;
  std::unique_ptr<TOptions> options;
};

void ExpectAt(const DrawnBox& box, int x, int y, const std::string& what) {
  ASSERT_FALSE(box.Empty()) << what << " is not shown";
  EXPECT_NEAR(box.CentreX(), x, 3) << what;
  EXPECT_NEAR(box.CentreY(), y, 8) << what;
}

}  // namespace

TEST_F(OptionsTest, RankZeroSeesNoChoicesOfSceneryAndAStoredBackgroundIsLowered) {
  SetRank(0);
  user->Selected_Background = 3;
  ShowPage(R_GFX);
  EXPECT_EQ(user->Selected_Background, 0);
  ExpectAt(Drawn("No backgrounds available!"), 323, 195, "the background note");
  ExpectAt(Drawn("No puzlesets available!"), 323, 230, "the puzzle-set note");
  EXPECT_TRUE(Drawn("Background: $bgname").Empty());
  Click(ENTRY_X, BACKGROUND_Y);
  Click(ENTRY_X, PUZZLESET_Y);
  EXPECT_EQ(user->Selected_Background, 0);
  EXPECT_EQ(user->Selected_Puzzleset, 0);

  ShowPage(R_SFX);
  ExpectAt(Drawn("No songs available"), 324, 295, "the song note");
  Click(SONG_X, SONG_Y);
  EXPECT_EQ(user->Selected_Music, 0);
}

TEST_F(OptionsTest, EachRankStepsThroughTheSceneryItUnlocksAndNoFurther) {
  SetRank(1);
  ShowPage(R_GFX);
  EXPECT_TRUE(Drawn("No backgrounds available!").Empty());
  ExpectAt(Drawn("Background: $bgname"), 323, 195, "the background entry");
  // Rank 1 unlocks two backgrounds and both puzzle sets.
  std::vector<int> backgrounds, sets;
  for (int i = 0; i < 3; ++i) {
    Click(ENTRY_X, BACKGROUND_Y);
    backgrounds.push_back(user->Selected_Background);
    Click(ENTRY_X, PUZZLESET_Y);
    sets.push_back(user->Selected_Puzzleset);
  }
  EXPECT_EQ(backgrounds, (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(sets, (std::vector<int>{1, 0, 1}));

  SetRank(5);
  user->Selected_Background = 4;
  ShowPage(R_GFX);
  Click(ENTRY_X, BACKGROUND_Y);
  EXPECT_EQ(user->Selected_Background, 5);
  Click(ENTRY_X, BACKGROUND_Y);
  EXPECT_EQ(user->Selected_Background, 0);

  ShowPage(R_SFX);
  Click(SONG_X, SONG_Y);
  EXPECT_EQ(user->Selected_Music, 1);
}

TEST_F(OptionsTest, TheMusicFollowsItsSliderWhileDraggedAndTheEffectSampleRepeatsOnceFinished) {
  ASSERT_TRUE(MusicChannel && SFX && SFX->sfx[SFX_PUZZZOOM_3]) << "the silent audio driver plays";
  user->MusicVolume = 100;
  options->ReqOptions->SetButtonValue("MUSIC_VOLUME", 100);
  ShowPage(R_SFX);
  // Grab the music knob at 100 and drag it down; the volume follows every frame.
  InjectMouseMove(SLIDER_X + 118 + 5, MUSIC_SLIDER_Y);
  InjectMouseButton(MOUSE_LEFT, true);
  Frame();
  for (int x : {SLIDER_X + 59, SLIDER_X + 30, SLIDER_X + 30}) {
    InjectMouseMove(x, MUSIC_SLIDER_Y);
    Frame();
  }
  EXPECT_EQ(user->MusicVolume, 25);
  EXPECT_FLOAT_EQ(MusicChannel->Volume(), 0.25f);
  InjectMouseButton(MOUSE_LEFT, false);
  Frame();

  // The effect slider: a sample at the volume of its start plays to its end...
  user->SFXVolume = 80;
  options->ReqOptions->SetButtonValue("SFX_VOLUME", 80);
  InjectMouseMove(SLIDER_X + 94, SFX_SLIDER_Y);
  InjectMouseButton(MOUSE_LEFT, true);
  Frame();
  const ChannelPtr sample = SFX->sfxchannels[SFX_PUZZZOOM_3];
  ASSERT_TRUE(sample && sample->Playing());
  EXPECT_FLOAT_EQ(sample->Volume(), 0.8f);
  InjectMouseMove(SLIDER_X + 12, SFX_SLIDER_Y);
  Frame();
  Frame();
  EXPECT_EQ(user->SFXVolume, 10);
  EXPECT_FLOAT_EQ(sample->Volume(), 0.8f) << "not restarted while it still plays";
  // ...and once it has finished, the next frame of the drag plays it again.
  sample->Stop();
  Frame();
  EXPECT_TRUE(SFX->sfxchannels[SFX_PUZZZOOM_3]->Playing());
  EXPECT_FLOAT_EQ(SFX->sfxchannels[SFX_PUZZZOOM_3]->Volume(), 0.1f);
  InjectMouseButton(MOUSE_LEFT, false);
  Frame();
}

TEST_F(OptionsTest, OkayFadesTheMainPageOutAndReportsCloseInTheFrameItsAlphaReachesZero) {
  int frames = 0;
  while (options->Alpha < 1 && frames < 20) {
    Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 10) << "the main page fades in at 0.1 a frame";
  Click(ENTRY_X, MAIN_OK_Y);
  ASSERT_EQ(options->CurrReq, R_FADEOUT);
  std::vector<int> pages;
  for (int i = 0; i < 10; ++i) {
    Frame();
    pages.push_back(options->CurrReq);
  }
  // Ten steps of 0.1 from 1: closed in the tenth frame, not one later.
  EXPECT_EQ(pages, (std::vector<int>{R_FADEOUT, R_FADEOUT, R_FADEOUT, R_FADEOUT, R_FADEOUT, R_FADEOUT, R_FADEOUT,
                                     R_FADEOUT, R_FADEOUT, R_CLOSE}));
}

TEST_F(OptionsTest, OnlyARunningGameOffersBackToMainMenu) {
  ShowPage(R_MAIN);
  ExpectAt(Drawn("Back to main menu"), ENTRY_X - 5, BACK_TO_MAIN_Y - 5, "the game's entry");
  Click(ENTRY_X, BACK_TO_MAIN_Y);
  EXPECT_EQ(options->CurrReq, R_BACK);

  // The title screen's options, opened from its menu.
  Users->Save();
  TitleScreen = std::make_shared<TTitleScreen>();
  TitleScreen->InitRun();
  TitleScreen->TextAlpha = 1;
  TitleScreen->FontState = 2;
  TitleScreen->Action = "OPTIONS";
  TOptions& title = *TitleScreen->ReqOptions;
  title.ShowBack = true;
  for (int i = 0; i < 40 && !(TitleScreen->Action == "OPTIONS_SHOW" && title.Alpha >= 1); ++i) {
    Cls();
    TitleScreen->Run();
  }
  ASSERT_EQ(TitleScreen->Action, "OPTIONS_SHOW");
  const DrawnBox entry = WhereDrawn("Back to main menu", [] {
    Cls();
    TitleScreen->Run();
  });
  EXPECT_TRUE(entry.Empty());
  InjectMouseMove(ENTRY_X, BACK_TO_MAIN_Y);
  InjectMouseButton(MOUSE_LEFT, true);
  TitleScreen->Run();
  InjectMouseButton(MOUSE_LEFT, false);
  TitleScreen->Run();
  EXPECT_EQ(title.CurrReq, R_MAIN);
  TitleScreen = nullptr;
}
