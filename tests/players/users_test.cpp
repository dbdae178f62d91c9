// Profiles and "users.cfg": the list rules, the file byte for byte, and damaged files,
// which must never crash the reader nor lose what the player had saved.
#include "media/debug.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/ranks.h"
#include "players/users.h"
#include "present/latin1.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// Every test gets its own data home, so the data folder starts empty.
class UsersTest : public ::testing::Test {
protected:
  void SetUp() override {
    home_ = fs::temp_directory_path() /
            ("qv_users_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(home_);
    fs::create_directories(home_);
    ::setenv("XDG_DATA_HOME", home_.c_str(), 1);
    DataFolder = TFullAccess::Create("Ostravin", "Quorvale");
    Users = std::make_shared<TUsers>();
    CurrentUserIndex = 0;
    SetWriteFaultAfter(-1);
  }
  void TearDown() override {
    SetWriteFaultAfter(-1);
    fs::remove_all(home_);
  }

  static void AddNew(const std::string& name) {
    Users->AddUser(name, 100, 80, 0, 0, 0, 0, true, true, true, true, "", 0, false);
  }
  static std::string FileBytes(const std::string& path) {
    std::vector<uint8_t> b;
    if (!LoadBytes(path, b)) return "<missing>";
    return std::string(b.begin(), b.end());
  }
  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  }
  // Two profiles with progress, saved; returns the file's bytes.
  static std::string SaveTwoProfiles() {
    AddNew("Ann");
    AddNew("Bob");
    Users->UserList[1]->Score = 123456;
    Users->UserList[1]->CurrLevelFile = "incbin::../data/Way of Arhat.lvl";
    Users->UserList[1]->MaxLevel.push_back(std::make_shared<TMaxLevel>("incbin::../data/Way of Arhat.lvl", 12));
    Users->UserList[1]->MaxLevel.push_back(std::make_shared<TMaxLevel>("/home/x/My set.lvl", 50));
    CurrentUserIndex = 1;
    EXPECT_TRUE(Users->Save());
    return FileBytes(TUsers::FilePath());
  }

  fs::path home_;
};

const std::string ANN_FILE(
    "\x01\x00\x00\x00" "\x00\x00\x00\x00" "Ann\r\n" "\x64\x00\x00\x00" "\x50\x00\x00\x00" "\x00\x00\x00\x00"
    "\r\n" "\x00\x00\x00\x00" "\x00\x00\x00\x00" "\x00\x00\x00\x00" "\x01\x01\x01\x01" "\x00\x00\x00\x00"
    "END\r\n",
    52);

}  // namespace

TEST_F(UsersTest, CurrentUserOfEmptyListIsANewPlayer) {
  const UserPtr u = Users->GetCurrentUser();
  ASSERT_EQ(Users->UserList.size(), 1u);
  EXPECT_EQ(u->Name, "New Player");
  EXPECT_EQ(u->MusicVolume, 100);
  EXPECT_EQ(u->SFXVolume, 80);
  EXPECT_TRUE(u->BackgroundAnimation && u->ProgressMap && u->Wisdoms && u->Tutorial);
}

TEST_F(UsersTest, IndexPastTheListGivesTheFirstAndStays) {
  AddNew("A");
  AddNew("B");
  AddNew("C");
  CurrentUserIndex = 7;
  EXPECT_EQ(Users->GetCurrentUser()->Name, "A");
  EXPECT_EQ(CurrentUserIndex, 7);
  EXPECT_FALSE(Users->AddUser("B", 1, 1, 1, 1, 1, 1, false, false, false, false, "x", 1, false));
  EXPECT_EQ(Users->UserList.size(), 3u);
  Users->RemoveUserNo(3);
  Users->RemoveUser("b");  // names compare exactly
  EXPECT_EQ(Users->UserList.size(), 3u);
}

TEST_F(UsersTest, OneNewProfileIsThe52ByteFile) {
  AddNew("Ann");
  Users->UserList[0]->BonusGameTutorialAlreadyShowed = true;
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(FileBytes(TUsers::FilePath()), ANN_FILE);
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Users->UserList.size(), 1u);
  EXPECT_FALSE(Users->UserList[0]->BonusGameTutorialAlreadyShowed);
  EXPECT_FALSE(Users->DamagedFilePending());
}

TEST_F(UsersTest, ProfilesAndProgressReadBack) {
  const std::string bytes = SaveTwoProfiles();
  CurrentUserIndex = 0;
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(CurrentUserIndex, 1);
  ASSERT_EQ(Users->UserList.size(), 2u);
  const TUser& bob = *Users->UserList[1];
  EXPECT_EQ(bob.Score, 123456);
  EXPECT_EQ(bob.CurrLevelFile, "incbin::../data/Way of Arhat.lvl");
  ASSERT_EQ(bob.MaxLevel.size(), 2u);
  EXPECT_EQ(bob.MaxLevel[1]->Name, "/home/x/My set.lvl");
  EXPECT_EQ(bob.MaxLevel[1]->Level, 50);
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(FileBytes(TUsers::FilePath()), bytes);
}

// Outside text keeps the low 8 bits of each character: U+0141 (Ł) becomes "A".
TEST_F(UsersTest, CharactersAbove255KeepTheirLow8Bits) {
  EXPECT_EQ(Latin1FromUtf8("\xC5\x81nn"), "Ann");
  EXPECT_EQ(Latin1FromUtf8("J\xC3\xBCrgen"), "J\xFCrgen");
  EXPECT_EQ(Latin1FromUtf8("bad \xFF\xC3"), "bad \xFF\xC3");
  AddNew(Latin1FromUtf8("\xC5\x81nn"));
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(FileBytes(TUsers::FilePath()), ANN_FILE);
}

// U+010A keeps its low byte, a line feed: it must not split the record when saved.
TEST_F(UsersTest, LineBreaksInNamesCannotSplitARecord) {
  AddNew(Latin1FromUtf8("A\xC4\x8A" "B"));
  Users->UserList[0]->Score = 4242;
  ASSERT_TRUE(Users->Save());
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Users->UserList.size(), 1u);
  EXPECT_EQ(Users->UserList[0]->Name, "A B");
  EXPECT_EQ(Users->UserList[0]->Score, 4242);
}

TEST_F(UsersTest, RepeatedNameInFileGivesItsProgressToTheFirst) {
  std::string record = ANN_FILE.substr(8, 44);
  std::string withProgress = record.substr(0, record.size() - 5) + "Set\r\n" + std::string("\x07\x00\x00\x00", 4) + "END\r\n";
  WriteFile(TUsers::FilePath(), std::string("\x02\x00\x00\x00\x00\x00\x00\x00", 8) + record + withProgress);
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Users->UserList.size(), 1u);
  ASSERT_EQ(Users->UserList[0]->MaxLevel.size(), 1u);
  EXPECT_EQ(Users->UserList[0]->MaxLevel[0]->Level, 7);
  EXPECT_FALSE(Users->DamagedFilePending());
}

TEST_F(UsersTest, RanksFollowTheScoreButNeverDrop) {
  EXPECT_EQ(RankOfScore(49999), 0);
  EXPECT_EQ(RankOfScore(50000), 1);
  EXPECT_EQ(RankOfScore(1 << 30), 5);
  TUser u;
  u.Score = 160000;
  EXPECT_EQ(UpdateRank(u), 3);
  u.Score = 0;
  EXPECT_EQ(UpdateRank(u), 3);
  EXPECT_EQ(GetRank(u), 3);
}

// Every cut of a valid file loads without a fault and keeps exactly the whole profiles.
TEST_F(UsersTest, EveryTruncationKeepsTheWholeProfiles) {
  const std::string bytes = SaveTwoProfiles();
  const size_t secondStart = bytes.find("Bob");
  for (size_t n = 1; n < bytes.size(); ++n) {
    WriteFile(TUsers::FilePath(), bytes.substr(0, n));
    ASSERT_TRUE(Users->Load());
    // Only the missing line end after the last "END" loses nothing.
    const bool complete = n >= bytes.size() - 2;
    EXPECT_EQ(Users->DamagedFilePending(), !complete) << n;
    // A record is whole once its "END" is in, even without the line end.
    EXPECT_EQ(Users->UserList.size(), complete ? 2u : n >= secondStart - 2 ? 1u : 0u) << n;
  }
}

TEST_F(UsersTest, HostileAndRandomFilesLoadSafely) {
  const std::string bytes = SaveTwoProfiles();
  const std::string header = std::string("\xff\xff\xff\x7f\x00\x00\x00\x00", 8);
  WriteFile(TUsers::FilePath(), header + bytes.substr(8));
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(Users->UserList.size(), 2u);
  EXPECT_TRUE(Users->DamagedFilePending());

  // Progress beyond the cap ends the read; the profile before it is kept.
  Users->RemoveAllUsers();
  AddNew("Ann");
  AddNew("Flood");
  for (int i = 0; i <= TUsers::MAX_PROGRESS; ++i)
    Users->UserList[1]->MaxLevel.push_back(std::make_shared<TMaxLevel>("S", i));
  ASSERT_TRUE(Users->Save());
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Users->UserList.size(), 1u);
  EXPECT_EQ(Users->UserList[0]->Name, "Ann");
  EXPECT_TRUE(Users->DamagedFilePending());

  std::mt19937 rng(11);
  for (int round = 0; round < 500; ++round) {
    std::string damaged = bytes;
    for (int k = 0; k < 3; ++k) damaged[rng() % damaged.size()] = char(rng());
    WriteFile(TUsers::FilePath(), damaged);
    ASSERT_TRUE(Users->Load());
    EXPECT_LE(Users->UserList.size(), 2u);
  }
}

TEST_F(UsersTest, DamagedFileIsKeptAsideBeforeItIsOverwritten) {
  const std::string bytes = SaveTwoProfiles();
  const std::string path = TUsers::FilePath();
  WriteFile(path, bytes.substr(0, bytes.size() - 20));
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Users->UserList.size(), 1u);
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(FileBytes(path + ".damaged"), bytes.substr(0, bytes.size() - 20));
  ASSERT_TRUE(Users->Load());
  EXPECT_FALSE(Users->DamagedFilePending());

  WriteFile(path, "junk");
  ASSERT_TRUE(Users->Load());
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(FileBytes(path + ".damaged2"), "junk");
  EXPECT_EQ(FileBytes(path + ".damaged"), bytes.substr(0, bytes.size() - 20));
}

TEST_F(UsersTest, UnreadableFileIsNeverOverwritten) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads every file";
  const std::string path = TUsers::FilePath();
  WriteFile(path, ANN_FILE);
  fs::permissions(path, fs::perms::none);
  EXPECT_FALSE(Users->Load());
  AddNew("First start");
  EXPECT_FALSE(Users->Save());
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(FileBytes(path), ANN_FILE);
}

// A save cut short at any byte (a full disk, a crash) leaves the previous file as it was.
TEST_F(UsersTest, InterruptedSaveLeavesTheOldFile) {
  const std::string bytes = SaveTwoProfiles();
  Users->UserList[0]->Score = 999;
  for (int64_t n = 0; n < int64_t(bytes.size()); ++n) {
    SetWriteFaultAfter(n);
    EXPECT_FALSE(Users->Save()) << n;
    SetWriteFaultAfter(-1);
    ASSERT_EQ(FileBytes(TUsers::FilePath()), bytes) << n;
  }
  EXPECT_TRUE(Users->Save());
  EXPECT_NE(FileBytes(TUsers::FilePath()), bytes);
  EXPECT_EQ(LoadDir(DataFolder->GetPath()), std::vector<std::string>{"users.cfg"});  // no temporary left
}

TEST_F(UsersTest, UnchangedProfilesAreNotWrittenAgain) {
  const std::string bytes = SaveTwoProfiles();
  const auto inode = [] {
    struct stat st{};
    ::stat(TUsers::FilePath().c_str(), &st);
    return st.st_ino;  // every write renames a new file into place
  };
  const ino_t first = inode();
  EXPECT_TRUE(Users->Save());
  EXPECT_EQ(inode(), first);
  ASSERT_TRUE(Users->Load());
  EXPECT_TRUE(Users->Save());
  EXPECT_EQ(inode(), first);

  Users->UserList[0]->Score = 5;
  EXPECT_TRUE(Users->Save());
  EXPECT_NE(inode(), first);
  fs::remove(TUsers::FilePath());  // gone from under the game: written again
  EXPECT_TRUE(Users->Save());
  EXPECT_TRUE(fs::exists(TUsers::FilePath()));
  const ino_t written = inode();
  Users->SaveInBackground();  // nor from the frame
  FinishBackgroundWrites();
  EXPECT_EQ(inode(), written);
}

// Saves during play go to the writer thread: the file ends up with the newest profiles, a
// synchronous save is never overtaken by an older background one, and a failed background
// write leaves the old file and is written again at the next save.
TEST_F(UsersTest, BackgroundSavesLandInOrderAndAFailedOneIsRetried) {
  SaveTwoProfiles();
  for (int score = 1; score <= 20; ++score) {
    Users->UserList[0]->Score = score;
    Users->SaveInBackground();
  }
  Users->UserList[0]->Score = 777;
  ASSERT_TRUE(Users->Save());
  const std::string last = FileBytes(TUsers::FilePath());
  FinishBackgroundWrites();
  EXPECT_EQ(FileBytes(TUsers::FilePath()), last);
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(Users->UserList[0]->Score, 777);

  std::vector<std::string> log;
  const auto old = SetDebugLogHook([&](const std::string& line) { log.push_back(line); });
  SetWriteFaultAfter(10);
  Users->UserList[0]->Score = 888;
  Users->SaveInBackground();
  FinishBackgroundWrites();
  SetWriteFaultAfter(-1);
  SetDebugLogHook(old);
  EXPECT_EQ(FileBytes(TUsers::FilePath()), last);
  EXPECT_FALSE(log.empty());
  Users->SaveInBackground();  // nothing changed since, but the disk never got it
  FinishBackgroundWrites();
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(Users->UserList[0]->Score, 888);
  EXPECT_EQ(LoadDir(DataFolder->GetPath()), std::vector<std::string>{"users.cfg"});
}

TEST_F(UsersTest, DataFolderIsCreatedForTheGroup) {
  EXPECT_EQ(DataFolder->GetPath(), home_.string() + "/Ostravin/Quorvale/");
  const fs::path other = home_ / "other home";
  fs::create_directories(other);
  fs::permissions(other, fs::perms::owner_all);
  ::setenv("XDG_DATA_HOME", other.c_str(), 1);
  std::vector<std::string> log;
  auto old = SetDebugLogHook([&](const std::string& line) { log.push_back(line); });
  const std::string path = TFullAccess::Create("Ostravin", "Quorvale")->GetPath();
  TFullAccess::Create("Ostravin", "Quorvale");
  SetDebugLogHook(old);
  EXPECT_EQ(path, other.string() + "/Ostravin/Quorvale/");
  ASSERT_TRUE(fs::is_directory(path));
  for (const fs::path& p : {other / "Ostravin", fs::path(path)})
    EXPECT_NE(fs::status(p).permissions() & fs::perms::group_write, fs::perms::none) << p;
  EXPECT_EQ(fs::status(other).permissions(), fs::perms::owner_all);  // the data home is left alone
  EXPECT_EQ(log, (std::vector<std::string>{"Creating New Folder: " + path, "CreateDir=1", "FullAccess=1",
                                           "Folder already exists: " + path}));
}

TEST_F(UsersTest, DataFolderIsRelativeWithoutAHome) {
  const std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  const fs::path oldDir = fs::current_path();
  fs::current_path(home_);
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("HOME");
  const std::string path = TFullAccess::Create("Ostravin", "Quorvale")->GetPath();
  ::setenv("HOME", oldHome.c_str(), 1);
  fs::current_path(oldDir);
  EXPECT_EQ(path, "Ostravin/Quorvale/");
  EXPECT_TRUE(fs::is_directory(home_ / "Ostravin" / "Quorvale"));
}

// A FIFO planted as users.cfg must not hang the start; it is replaced by the next save.
TEST_F(UsersTest, AFifoInPlaceOfTheFileIsNotWaitedFor) {
  ASSERT_EQ(::mkfifo(TUsers::FilePath().c_str(), 0600), 0);
  ::alarm(20);
  EXPECT_FALSE(Users->Load());
  ::alarm(0);
  AddNew("Ann");
  EXPECT_TRUE(Users->Save());
  EXPECT_EQ(FileBytes(TUsers::FilePath()), ANN_FILE);
}

// Numbers outside their ranges would reach file names ("song" + n + 1) and sums.
TEST_F(UsersTest, NumbersFromTheFileAreBroughtIntoTheirRanges) {
  std::string hostile = ANN_FILE;
  auto put = [&](size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) hostile[at + size_t(i)] = char(v >> (8 * i));
  };
  // Offsets in the 52-byte file: volumes 13 and 17, rank 21, looks 27..35, score 43.
  put(13, 1000);
  put(17, 0x80000000u);
  put(21, 77);
  put(27, 0x7fffffffu);
  put(31, 3);
  put(35, 0xffffffffu);
  put(43, 0x80000000u);
  hostile.insert(47, std::string("Set\r\n\xff\xff\xff\x7f", 9));
  WriteFile(TUsers::FilePath(), hostile);
  ASSERT_TRUE(Users->Load());
  ASSERT_EQ(Users->UserList.size(), 1u);
  const TUser& u = *Users->UserList[0];
  EXPECT_EQ(u.MusicVolume, 100);
  EXPECT_EQ(u.SFXVolume, 0);
  EXPECT_EQ(u.CurrentRank, 5);
  EXPECT_EQ(u.Selected_Background, 5);
  EXPECT_EQ(u.Selected_Music, 2);
  EXPECT_EQ(u.Selected_Puzzleset, 0);
  EXPECT_EQ(u.Score, 0);
  ASSERT_EQ(u.MaxLevel.size(), 1u);
  EXPECT_EQ(u.MaxLevel[0]->Level, TUsers::MAX_LEVEL_INDEX);
}

// What a file can make the game hold is bounded by its size and by fixed caps.
TEST_F(UsersTest, MemoryStaysBelowACeilingWhateverTheFileSays) {
  for (int p = 0; p < 20; ++p) {
    AddNew("P" + std::to_string(p));
    for (int i = 0; i < 9000; ++i) Users->UserList.back()->MaxLevel.push_back(std::make_shared<TMaxLevel>("S", i));
  }
  ASSERT_TRUE(Users->Save());
  ASSERT_TRUE(Users->Load());
  size_t entries = 0;
  for (const auto& u : Users->UserList) entries += u->MaxLevel.size();
  EXPECT_LE(entries, size_t(TUsers::MAX_PROGRESS));
  EXPECT_TRUE(Users->DamagedFilePending());

  // A file larger than any real one is not read at all, and is kept aside on the next save.
  WriteFile(TUsers::FilePath(), ANN_FILE + std::string(TUsers::MAX_FILE_BYTES, 'x'));
  ASSERT_TRUE(Users->Load());
  EXPECT_TRUE(Users->UserList.empty());
  EXPECT_TRUE(Users->DamagedFilePending());
  AddNew("Ann");
  ASSERT_TRUE(Users->Save());
  EXPECT_EQ(fs::file_size(TUsers::FilePath() + ".damaged"), ANN_FILE.size() + TUsers::MAX_FILE_BYTES);
}
