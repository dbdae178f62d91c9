// The real game binary started as a player would: without any display, and a second
// time while another game holds the data folder. Each must end promptly with a clear
// line on stderr and a non-zero exit code instead of running unseen.
#include "media/stream.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Outcome {
  bool timedOut = false;
  int exitCode = -1;
  std::string err;
};

// Runs the game with XDG_DATA_HOME at home, the environment changed as given ("NAME=value"
// sets, "NAME" removes) and these arguments; kills it after the timeout.
Outcome RunGame(const fs::path& home, const std::vector<std::string>& env, int timeoutSeconds,
                std::vector<std::string> args = {}) {
  int pipeFd[2];
  if (::pipe(pipeFd) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipeFd[1], 2);
    ::close(pipeFd[0]);
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::unsetenv("QV_DEBUG");
    ::unsetenv("LANGUAGE");  // English unless a test asks for another language
    ::setenv("LC_ALL", "C.UTF-8", 1);
    for (const std::string& e : env) {
      const size_t eq = e.find('=');
      if (eq == std::string::npos)
        ::unsetenv(e.c_str());
      else
        ::setenv(e.substr(0, eq).c_str(), e.substr(eq + 1).c_str(), 1);
    }
    args.insert(args.begin(), QV_GAME_BINARY);
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(QV_GAME_BINARY, argv.data());
    ::_exit(127);
  }
  ::close(pipeFd[1]);
  Outcome out;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      out.timedOut = true;
      break;
    }
    pollfd p{pipeFd[0], POLLIN, 0};
    if (::poll(&p, 1, int(left.count())) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::read(pipeFd[0], buf, sizeof buf);
    if (n <= 0) break;  // the game closed stderr: it has ended
    out.err.append(buf, size_t(n));
  }
  ::close(pipeFd[0]);
  if (out.timedOut) ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!out.timedOut && WIFEXITED(status)) out.exitCode = WEXITSTATUS(status);
  return out;
}

class GameProcess : public ::testing::Test {
protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() / ("qv_process_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(home_);
    fs::create_directories(home_ / "Ostravin/Quorvale");
  }
  void TearDown() override { fs::remove_all(home_); }
  fs::path home_;
};

}  // namespace

TEST_F(GameProcess, WithoutADisplayOneLineNamesWhatWasTriedAndTheExitCodeIsNotZero) {
  const Outcome out = RunGame(home_, {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER", "QV_HEADLESS"}, 60);
  ASSERT_FALSE(out.timedOut) << "the game ran on without a display";
  EXPECT_NE(out.exitCode, 0);
  EXPECT_EQ(std::count(out.err.begin(), out.err.end(), '\n'), 1) << out.err;
  EXPECT_NE(out.err.find("no display found; tried "), std::string::npos) << out.err;
  EXPECT_NE(out.err.find("x11 ("), std::string::npos) << out.err;
}

TEST_F(GameProcess, ASecondGameOnTheSameDataFolderSaysSoAndEnds) {
  ASSERT_TRUE(LockFileForLife((home_ / "Ostravin/Quorvale/quorvale.lock").string()));
  const Outcome out = RunGame(home_, {"QV_HEADLESS=1"}, 60);
  ASSERT_FALSE(out.timedOut) << "the second game started";
  EXPECT_EQ(out.exitCode, 1);
  EXPECT_NE(out.err.find("Quorvale is already running."), std::string::npos) << out.err;
  EXPECT_FALSE(fs::exists(home_ / "Ostravin/Quorvale/users.cfg"));  // it saved nothing
}

// In a German locale the game says it in German, in UTF-8 for the terminal.
TEST_F(GameProcess, AGermanLocaleGetsTheMessageInGerman) {
  ASSERT_TRUE(LockFileForLife((home_ / "Ostravin/Quorvale/quorvale.lock").string()));
  const Outcome out = RunGame(home_, {"QV_HEADLESS=1", "LC_ALL=de_AT.UTF-8"}, 60);
  ASSERT_FALSE(out.timedOut);
  EXPECT_EQ(out.exitCode, 1);
  EXPECT_NE(out.err.find("Quorvale l\xc3\xa4uft bereits."), std::string::npos) << out.err;
}

// --language overrides the locale either way.
TEST_F(GameProcess, TheLanguageOptionWinsOverTheLocale) {
  ASSERT_TRUE(LockFileForLife((home_ / "Ostravin/Quorvale/quorvale.lock").string()));
  const Outcome german = RunGame(home_, {"QV_HEADLESS=1", "LC_ALL=C.UTF-8"}, 60, {"--language=de"});
  EXPECT_EQ(german.exitCode, 1);
  EXPECT_NE(german.err.find("Quorvale l\xc3\xa4uft bereits."), std::string::npos) << german.err;
  const Outcome english = RunGame(home_, {"QV_HEADLESS=1", "LC_ALL=de_DE.UTF-8"}, 60, {"-l", "en"});
  EXPECT_EQ(english.exitCode, 1);
  EXPECT_NE(english.err.find("Quorvale is already running."), std::string::npos) << english.err;
}
