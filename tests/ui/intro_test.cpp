// The intro: the whole sequence into the menu, the story cut short by a click, the
// credits text.
#include "media/graphics.h"
#include "media/script.h"
#include "players/users.h"
#include "present/language.h"
#include "support/game_env.h"
#include "support/text_probe.h"
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

double MeanLight() {
  const PixmapPtr frame = GrabPixmap(0, 0, 640, 480);
  double sum = 0;
  for (int y = 0; y < 480; y += 4)
    for (int x = 0; x < 640; x += 4) {
      const uint32_t c = frame->ReadPixel(x, y);
      sum += ((c >> 16) & 255) + ((c >> 8) & 255) + (c & 255);
    }
  return sum / (160.0 * 120.0 * 3.0);
}

TEST_F(IntroTest, AClickWhileTheSkySlidesInFadesTheSceneToBlackAndEndsIt) {
  Intro->LoadFiles();
  std::vector<double> light;
  Script script;
  // The scene fades in a quarter of the way in 100 frames; a click then takes as long back.
  script.Wait(100).Click(320, 240).Until(
      [&] {
        light.push_back(MeanLight());
        return false;
      },
      60, "the scene to end");
  script.Install();
  EXPECT_NO_THROW(Intro->TitleScene(false));
  ASSERT_GE(light.size(), 40u);
  EXPECT_LT(light.back(), 1.0) << "black at the end";
  EXPECT_LT(light.back(), light.front() / 10);
}

TEST_F(IntroTest, TheCreditLinesCycleUntilTheClick) {
  Intro->LoadFiles();
  Language->SetStringByKey(HelpFunctions::MD5(CREDITS_TEXT), "First\nSecond");
  ASSERT_EQ(TIntro::CreditLines(), (std::vector<std::string>{"First", "Second"}));
  DrawnTexts texts;
  std::vector<std::string> shown;
  Script script;
  script.Until(
      [&] {
        for (const auto& e : texts.entries)
          if (e.y == 420 && (shown.empty() || shown.back() != e.text)) shown.push_back(e.text);
        texts.entries.clear();
        return false;
      },
      460, "");
  script.Install();
  EXPECT_THROW(Intro->TitleScene(false), ScriptTimeout) << "no click, no end";
  Language->SetStringByKey(HelpFunctions::MD5(CREDITS_TEXT), "");
  // 150 frames each after a pause of 50, and from the last back to the first.
  EXPECT_EQ(shown, (std::vector<std::string>{"First", "Second", "First"}));
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
