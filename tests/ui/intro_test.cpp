// The intro: the whole sequence into the menu, the story cut short by a click, the
// credits text.
#include "media/script.h"
#include "players/users.h"
#include "present/language.h"
#include "support/game_env.h"
#include "ui/credits.h"
#include "ui/intro.h"
#include "ui/title_screen.h"

#include <gtest/gtest.h>

namespace {

constexpr int STORY_FRAME = 500;  // the logo takes 401 frames

bool MenuUp() { return TitleScreen && TitleScreen->TitleMenuState && TitleScreen->TextAlpha >= 1; }

class IntroTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    Users->Save();
    TitleScreen = std::make_shared<TTitleScreen>();
    Intro = std::make_shared<TIntro>();
  }
  void TearDown() override {
    Intro = nullptr;
    TitleScreen = nullptr;
    GameTest::TearDown();
  }
};

}  // namespace

TEST_F(IntroTest, LogoStoryAndTitleSceneLeadIntoTheMenu) {
  Script script;
  script.Wait(2000)  // logo, story, and the sky has arrived: the scene waits for a click
      .Do([] { EXPECT_FALSE(TitleScreen->TitleMenuState); })
      .Click(320, 240)
      .Until(MenuUp, 200, "menu")
      .Stop();
  script.Install();
  EXPECT_THROW(Intro->Run(false), StopRun);
  EXPECT_GT(script.FramesRun(), 2000);
}

TEST_F(IntroTest, AClickInTheStorySkipsTheTitleScene) {
  Script script;
  // Fading out the story takes at most 100 frames, the menu 20 more and its texts 50.
  script.Wait(STORY_FRAME).Click(320, 240).Until(MenuUp, 175, "menu").Stop();
  script.Install();
  EXPECT_THROW(Intro->Run(false), StopRun);
}

TEST_F(IntroTest, LaterVisitsGoStraightToTheMenu) {
  Script script;
  script.Until(MenuUp, 75, "menu").Stop();
  script.Install();
  EXPECT_THROW(Intro->Run(true), StopRun);
}

using Credits = GameTest;

TEST_F(Credits, AreOneTextOfTheStringTableWithTheVersionFilledIn) {
  EXPECT_EQ(Language->GetDefaultLanguageMap()->count(HelpFunctions::MD5(CREDITS_TEXT)), 1u);
  const std::vector<std::string> lines = TIntro::CreditLines();
  ASSERT_GT(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Ostravin presents:");
  EXPECT_EQ(lines[1], "Quorvale 1.3");
  EXPECT_EQ(lines[2], "");
}
