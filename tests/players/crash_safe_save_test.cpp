// Saves that survive a crash and a full disk: a child process saving the profiles and a
// level set in a loop is killed (SIGKILL) at many moments, and saves are cut at every
// byte by a file-size limit. The file on disk is always the old one or the new one, never
// a mix, and a cut save reports failure.
#include "levels/level_set.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const std::string& path) {
  std::vector<uint8_t> b;
  if (!LoadBytes(path, b)) return "<missing>";
  return std::string(b.begin(), b.end());
}

// Two versions of the player's files; Apply(v) puts version v into memory.
void Apply(int v) {
  Users->RemoveAllUsers();
  for (int i = 0; i < 3 + v; ++i)
    Users->AddUser("Player " + std::to_string(i), 100 - v, 80, 1000 * v + i, v, 0, 0, true, v == 0, true, true,
                   "Mine.lvl", v, false);
  Users->UserList[0]->MaxLevel.push_back(std::make_shared<TMaxLevel>("Mine.lvl", 7 + v));
  for (int level = 0; level < LEVEL_COUNT; ++level) {
    LevelShapes[size_t(level)].clear();
    LevelProps[size_t(level)]->GameTime = 60 + v;
    for (int k = 0; k < (level + v) % 4; ++k) {
      auto s = std::make_shared<Shape>();
      s->Element = k;
      s->X = float(100 + 10 * k + v);
      s->Y = 200;
      LevelShapes[size_t(level)].push_back(s);
    }
  }
}

class CrashSafeSave : public ::testing::Test {
protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() / ("qv_crash_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(home_);
    ::setenv("XDG_DATA_HOME", home_.c_str(), 1);
    DataFolder = TFullAccess::Create("Ostravin", "Quorvale");
    Users = std::make_shared<TUsers>();
    levels_ = DataFolder->GetPath() + "Mine.lvl";
    for (int v = 1; v >= 0; --v) {  // version 0 ends up on disk
      Apply(v);
      ASSERT_TRUE(Users->Save());
      ASSERT_TRUE(WriteLevelSet(levels_));
      users_[v] = Bytes(TUsers::FilePath());
      sets_[v] = Bytes(levels_);
    }
    ASSERT_NE(users_[0], users_[1]);
    ASSERT_NE(sets_[0], sets_[1]);
  }
  void TearDown() override { fs::remove_all(home_); }

  // Both files hold one whole version each; leftover temporary files (a game clears them
  // at its next start) are counted and removed.
  int CheckFiles(const std::string& when) {
    const std::string u = Bytes(TUsers::FilePath()), l = Bytes(levels_);
    EXPECT_TRUE(u == users_[0] || u == users_[1]) << when << ": users.cfg is a mix (" << u.size() << " bytes)";
    EXPECT_TRUE(l == sets_[0] || l == sets_[1]) << when << ": Mine.lvl is a mix (" << l.size() << " bytes)";
    int temps = 0;
    for (const std::string& name : LoadDir(DataFolder->GetPath()))
      if (name.find(".tmp-") != std::string::npos) {
        DeleteFile(DataFolder->GetPath() + name);
        ++temps;
      }
    return temps;
  }

  fs::path home_;
  std::string levels_;
  std::string users_[2], sets_[2];
};

}  // namespace

TEST_F(CrashSafeSave, KilledAtAnyMomentTheFilesAreTheOldOrTheNew) {
  std::mt19937 rng(1313);
  int cutMidSave = 0;
  constexpr int KILLS = 150;
  for (int round = 0; round < KILLS; ++round) {
    const pid_t pid = ::fork();
    if (pid == 0) {
      for (int v = 1;; v = 1 - v) {
        Apply(v);
        Users->Save();
        WriteLevelSet(levels_);
      }
    }
    ASSERT_GT(pid, 0);
    ::usleep(useconds_t(std::uniform_int_distribution<int>(0, 4000)(rng)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    cutMidSave += CheckFiles("kill " + std::to_string(round)) > 0;
    if (HasFailure()) break;
  }
  std::printf("%d of %d kills landed inside a save\n", cutMidSave, KILLS);
}

// Every byte of both files as the point where the disk is full: the save fails, says so,
// and leaves the old file; without the limit the next save succeeds.
TEST_F(CrashSafeSave, AFileSizeLimitAtEveryByteFailsTheSaveAndKeepsTheOldFile) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails with EFBIG
    rlimit original{};
    ::getrlimit(RLIMIT_FSIZE, &original);
    auto limit = [&](rlim_t bytes) {
      rlimit r = original;
      r.rlim_cur = bytes;
      ::setrlimit(RLIMIT_FSIZE, &r);
    };
    Apply(1);
    int faults = 0;
    for (size_t n = 0; n < users_[1].size(); ++n) {
      limit(n);
      const bool saved = Users->Save();
      ::setrlimit(RLIMIT_FSIZE, &original);
      if (saved || Bytes(TUsers::FilePath()) != users_[0]) {
        std::fprintf(stderr, "users.cfg with a limit of %zu bytes: saved=%d\n", n, int(saved));
        ++faults;
      }
    }
    for (size_t n = 0; n < sets_[1].size(); n += 1) {
      limit(n);
      const bool saved = WriteLevelSet(levels_);
      ::setrlimit(RLIMIT_FSIZE, &original);
      if (saved || Bytes(levels_) != sets_[0]) {
        std::fprintf(stderr, "Mine.lvl with a limit of %zu bytes: saved=%d, %zu bytes on disk: %s\n", n,
                     int(saved), Bytes(levels_).size(), std::strerror(errno));
        ++faults;
        break;
      }
    }
    const bool saved = Users->Save() && WriteLevelSet(levels_);
    if (!saved || Bytes(TUsers::FilePath()) != users_[1] || Bytes(levels_) != sets_[1]) ++faults;
    std::fflush(nullptr);
    ::_exit(faults == 0 ? 0 : 1);
  }
  ASSERT_GT(pid, 0);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  std::printf("%d temporary files left by the cut saves\n", CheckFiles("after the limits"));
}
