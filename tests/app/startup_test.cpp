#include "app/shell.h"
#include "app/startup.h"
#include "media/graphics.h"
#include "media/platform.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "present/pointer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

fs::path FreshHome(const std::string& name) {
  const fs::path home = fs::temp_directory_path() / "qv_startup_test" / name;
  fs::remove_all(home);
  fs::create_directories(home);
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  return home;
}

// The login name as the environment gives it: every variable it may come from is set
// here, so that the machine running the test has no say.
void SetLoginName(const char* username, const char* user, const char* logname) {
  setenv("username", username, 1);
  setenv("USER", user, 1);
  setenv("LOGNAME", logname, 1);
}

// A first start of the headless game for the login name "mira".
fs::path FirstStart(const std::string& name) {
  const fs::path home = FreshHome(name);
  SetLoginName("", "mira", "");
  SetBackend(Backend::Headless);
  return home;
}

// A screen's loop: clear, poll, draw the pointer, present.
[[noreturn]] void IdleScreen() {
  for (;;) {
    Cls();
    PollInput();
    if (MousePointer) MousePointer->Draw();
    ShowFrame(-1);
  }
}

}  // namespace

// Start-up creates the data folder and a first profile named after the login name, saved
// (by the writer thread) at once; closing the window then ends the program with 0.
TEST(Startup, FirstStartThenClosingTheWindowExitsWithZero) {
  const fs::path home = FirstStart("first");
  EXPECT_EXIT(
      {
        InitModules();
        if (!StartMainProgram()) std::_Exit(3);
        const fs::path folder = home / "Ostravin" / "Quorvale";
        if (!fs::is_directory(folder)) std::_Exit(4);
        FinishBackgroundWrites();
        if (!fs::exists(folder / "users.cfg")) std::_Exit(5);
        if (Users->UserList.size() != 1 || Users->UserList[0]->Name != "mira") std::_Exit(6);
        if (!GraphicsOpen()) std::_Exit(7);
        static Script script;
        script.Wait(10).CloseWindow().Wait(100);
        script.Install(true);
        IdleScreen();
      },
      ::testing::ExitedWithCode(0), "");
}

// A save handed to the writer thread just before the window closes still reaches the disk.
TEST(Startup, ASaveFromTheLastFrameSurvivesClosingTheWindow) {
  const fs::path home = FirstStart("last save");
  EXPECT_EXIT(
      {
        InitModules();
        if (!StartMainProgram()) std::_Exit(3);
        static Script script;
        script
            .Do([] {  // saved and closed in the same frame
              Users->GetCurrentUser()->Score = 4242;
              Users->SaveInBackground();
              RequestClose();
            })
            .Wait(100);
        script.Install(true);
        IdleScreen();
      },
      ::testing::ExitedWithCode(0), "");
  StreamPtr saved = ReadStream((home / "Ostravin" / "Quorvale" / "users.cfg").string());
  ASSERT_TRUE(saved);
  TUsers users;
  ASSERT_TRUE(users.Read(*saved));
  ASSERT_EQ(users.UserList.size(), 1u);
  EXPECT_EQ(users.UserList[0]->Score, 4242);
}

TEST(Startup, EmptyLoginNameGivesTheLocalisedNewPlayer) {
  FreshHome("anonymous");
  SetLoginName("", "", "");
  SetBackend(Backend::Headless);
  EXPECT_EXIT(
      {
        InitModules();
        StartMainProgram();
        std::_Exit(Users->UserList.size() == 1 && Users->UserList[0]->Name == "New Player" ? 0 : 2);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(Startup, TheLoginNameIsTheFirstOfUsernameUserAndLogname) {
  SetLoginName("dawa", "pema", "lhamo");
  EXPECT_EQ(EnvironmentUserName(), "dawa");
  SetLoginName("", "pema", "lhamo");
  EXPECT_EQ(EnvironmentUserName(), "pema");
  SetLoginName("", "", "lhamo");
  EXPECT_EQ(EnvironmentUserName(), "lhamo");
  SetLoginName("", "", "");
  EXPECT_EQ(EnvironmentUserName(), "");
}
