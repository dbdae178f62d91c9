// Level sets handed to the game from outside: which files are taken, where the copies
// land, what a name clash asks, and the level-set selection importing a file handed to it.
#include "app/shell.h"
#include "game/shape.h"
#include "levels/level_set.h"
#include "media/desktop.h"
#include "media/script.h"
#include "media/stream.h"
#include "players/data_folder.h"
#include "players/users.h"
#include "support/game_env.h"
#include "ui/level_import.h"
#include "ui/level_select.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

constexpr int CHOOSE_X = 410, CHOOSE_Y = 350;
constexpr int YES_X = 260, NO_X = 500, OKAY_X = 380, ANSWER_Y = 310;
constexpr int QUESTION_FRAMES = 40;  // the question box is up and can be answered

class LevelImportTest : public GameTest {
protected:
  void SetUp() override {
    GameTest::SetUp();
    fs::create_directories(OutsideDir());
  }
  void TearDown() override {
    TakeOpenedFiles();
    SetWriteFaultAfter(-1);
    GameTest::TearDown();
  }
  static fs::path OutsideDir() { return fs::path(DataHome()) / "Downloads"; }
  static std::string Outside(const std::string& name) { return (OutsideDir() / name).string(); }
  static std::string Folder() { return DataFolder->GetPath(); }
  // A valid set whose first level holds one piece of the given kind.
  static std::string WriteSet(const std::string& path, int element) {
    ReadLevelSet("");
    LevelShapes[0].push_back(Shape::CreateNewShape(element, 200, 240, 0, 0, 0, 0, false, 0, 0));
    EXPECT_TRUE(WriteLevelSet(path));
    Shape::ClearAllElements();
    return path;
  }
  static std::string Bytes(const std::string& path) {
    std::vector<uint8_t> b;
    LoadBytes(path, b);
    return std::string(b.begin(), b.end());
  }
  static std::vector<std::string> SetsInFolder() {
    FinishBackgroundWrites();  // no profile save half-written beside the sets
    std::vector<std::string> sets;
    for (const std::string& f : LoadDir(Folder()))
      if (f != "users.cfg") sets.push_back(f);
    return sets;
  }
  // Never asked: a name clash must not come up.
  static bool Unasked(const std::string& name) {
    ADD_FAILURE() << "asked about " << name;
    return false;
  }
};

}  // namespace

TEST_F(LevelImportTest, RefusesFilesThatAreNoLevelSetsAndCopiesNothing) {
  const std::string good = WriteSet(Outside("good.lvl"), 3);
  const std::string bytes = Bytes(good);
  StreamPtr s = WriteStream(Outside("damaged.lvl"));
  s->WriteString(bytes.substr(0, bytes.size() - 1));  // "END" cut short
  ASSERT_TRUE(s->Close());
  s = WriteStream(Outside("notes.lvl"));
  s->WriteString("LVL is what this note is about, not a level.\n");
  ASSERT_TRUE(s->Close());
  fs::create_directories(Outside("folder.lvl"));
  ASSERT_EQ(mkfifo(Outside("pipe.lvl").c_str(), 0600), 0);  // reading it would block
  WriteSet(Outside("huge.lvl"), 1);
  fs::resize_file(Outside("huge.lvl"), MAX_LEVEL_SET_BYTES + 1);
  const std::pair<std::string, ImportOutcome> cases[] = {
      {Outside("missing.lvl"), ImportOutcome::CannotOpen},  {Outside("damaged.lvl"), ImportOutcome::NotALevelSet},
      {Outside("notes.lvl"), ImportOutcome::NotALevelSet},  {Outside("folder.lvl"), ImportOutcome::NotALevelSet},
      {Outside("pipe.lvl"), ImportOutcome::NotALevelSet},  {Outside("huge.lvl"), ImportOutcome::NotALevelSet},
  };
  for (const auto& [file, outcome] : cases) {
    const LevelImport result = ImportLevelSet(file, Folder(), Unasked);
    EXPECT_EQ(result.outcome, outcome) << file;
    EXPECT_EQ(result.path, "") << file;
  }
  // A file the player may not read (root reads everything, so only checked as a user).
  const std::string secret = WriteSet(Outside("secret.lvl"), 2);
  fs::permissions(secret, fs::perms::none);
  if (geteuid() != 0) {
    EXPECT_EQ(ImportLevelSet(secret, Folder(), Unasked).outcome, ImportOutcome::CannotOpen);
  }
  EXPECT_TRUE(SetsInFolder().empty());
}

// Sets the game wrote are what a player shares: every shipped one passes the check.
TEST_F(LevelImportTest, EveryShippedSetIsWellFormed) {
  const std::vector<std::string> shipped = ShippedSetNames();
  ASSERT_EQ(shipped.size(), 5u);
  for (const std::string& name : shipped) {
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(LoadBytes("incbin::../data/" + name + ".lvl", bytes)) << name;
    EXPECT_TRUE(IsWellFormedLevelSet(bytes)) << name;
  }
}

TEST_F(LevelImportTest, AValidSetIsCopiedUnderItsOwnNameOnce) {
  const std::string source = WriteSet(Outside("Forest Walk.LVL"), 3);
  const LevelImport first = ImportLevelSet(source, Folder(), Unasked);
  EXPECT_EQ(first.outcome, ImportOutcome::Added);
  EXPECT_EQ(first.path, Folder() + "Forest Walk.lvl");
  EXPECT_EQ(Bytes(first.path), Bytes(source));
  EXPECT_TRUE(fs::exists(source));  // a copy: the original stays where it was
  // The same set again, or the file in the data folder itself: nothing to do, no question.
  EXPECT_EQ(ImportLevelSet(source, Folder(), Unasked).outcome, ImportOutcome::AlreadyThere);
  const LevelImport itself = ImportLevelSet(first.path, Folder(), Unasked);
  EXPECT_EQ(itself.outcome, ImportOutcome::AlreadyThere);
  EXPECT_EQ(itself.path, first.path);
  EXPECT_EQ(SetsInFolder(), std::vector<std::string>{"Forest Walk.lvl"});
}

TEST_F(LevelImportTest, ADifferentSetOfTheSameNameIsReplacedOnlyWhenThePlayerSaysSo) {
  const std::string mine = WriteSet(Folder() + "Forest Walk.lvl", 0);
  const std::string theirs = WriteSet(Outside("Forest Walk.lvl"), 4);
  const std::string mineBytes = Bytes(mine);
  std::vector<std::string> asked;
  auto no = [&](const std::string& name) {
    asked.push_back(name);
    return false;
  };
  const LevelImport kept = ImportLevelSet(theirs, Folder(), no);
  EXPECT_EQ(kept.outcome, ImportOutcome::KeptBoth);
  EXPECT_EQ(kept.path, Folder() + "Forest Walk (2).lvl");
  EXPECT_EQ(Bytes(kept.path), Bytes(theirs));
  EXPECT_EQ(Bytes(mine), mineBytes);
  EXPECT_EQ(asked, std::vector<std::string>{"Forest Walk"});
  // Once more: the numbered copy is found, no third copy.
  EXPECT_EQ(ImportLevelSet(theirs, Folder(), no).path, Folder() + "Forest Walk (2).lvl");
  EXPECT_EQ(SetsInFolder().size(), 2u);
  // Yes replaces the player's set in place.
  const LevelImport replaced = ImportLevelSet(theirs, Folder(), [](const std::string&) { return true; });
  EXPECT_EQ(replaced.outcome, ImportOutcome::Replaced);
  EXPECT_EQ(replaced.path, mine);
  EXPECT_EQ(Bytes(mine), Bytes(theirs));
}

TEST_F(LevelImportTest, FileNamesAreMadeSafeForTheDataFolder) {
  const std::string longName(200, 'w');
  const std::pair<std::string, std::string> cases[] = {
      {"....lvl", "Levelset.lvl"},
      {" .hidden set.lvl", "hidden set.lvl"},
      {"tab\there.lvl", "tab_here.lvl"},
      {longName + ".lvl", std::string(MAX_SET_NAME, 'w') + ".lvl"},
      {"no extension", "no extension.lvl"},
      {"Grüße.lvl", "Grüße.lvl"},
  };
  int element = 0;
  for (const auto& [file, stored] : cases) {
    const std::string source = WriteSet(Outside(file), element++ % 5);
    const LevelImport result = ImportLevelSet(source, Folder(), Unasked);
    EXPECT_EQ(result.path, Folder() + stored) << file;
    EXPECT_TRUE(fs::exists(Folder() + stored)) << file;
  }
  // A numbered copy of a name at its longest stays at the longest.
  fs::create_directories(Outside("other"));
  const LevelImport numbered = ImportLevelSet(WriteSet(Outside("other/" + longName + ".lvl"), 1), Folder(),
                                              [](const std::string&) { return false; });
  EXPECT_EQ(numbered.path, Folder() + std::string(MAX_SET_NAME - 4, 'w') + " (2).lvl");
}

TEST_F(LevelImportTest, AFullDiskLeavesTheFolderAsItWas) {
  const std::string source = WriteSet(Outside("Big.lvl"), 3);
  SetWriteFaultAfter(100);
  const LevelImport result = ImportLevelSet(source, Folder(), Unasked);
  SetWriteFaultAfter(-1);
  EXPECT_EQ(result.outcome, ImportOutcome::NotSaved);
  EXPECT_TRUE(SetsInFolder().empty());  // not even a temporary file
}

TEST_F(LevelImportTest, TheSelectionImportsAHandedOverSetAndChoosesIt) {
  const std::string source = WriteSet(Outside("Shared.lvl"), 3);
  QueueOpenedFile(source);
  Script script;
  script.Wait(3)
      .Do([&] {
        EXPECT_EQ(LevelFilePath, Folder() + "Shared.lvl");
        ASSERT_EQ(ShapeList.size(), 1u);  // its preview
        EXPECT_EQ(ShapeList[0]->Element, 3);
      })
      .Click(CHOOSE_X, CHOOSE_Y)
      .Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(selection.sel, 5);  // after the five shipped sets
  EXPECT_EQ(LevelFilePath, Folder() + "Shared.lvl");
  ASSERT_TRUE(Users->Load());
  EXPECT_EQ(Users->GetCurrentUser()->CurrLevelFile, Folder() + "Shared.lvl");
}

TEST_F(LevelImportTest, TheSelectionAsksAboutANameClashAndNoKeepsBoth) {
  const std::string mine = WriteSet(Folder() + "Shared.lvl", 0);
  const std::string mineBytes = Bytes(mine);
  QueueOpenedFile(WriteSet(Outside("Shared.lvl"), 4));
  Script script;
  script.Wait(QUESTION_FRAMES).Click(NO_X, ANSWER_Y).Wait(3).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  TReqLevelSelect selection;
  EXPECT_EQ(LevelFilePath, Folder() + "Shared (2).lvl");
  EXPECT_EQ(selection.sel, 5);  // listed before "Shared.lvl"
  EXPECT_EQ(Bytes(mine), mineBytes);
}

TEST_F(LevelImportTest, TheSelectionRefusesADamagedFileWithAMessage) {
  StreamPtr s = WriteStream(Outside("Broken.lvl"));
  s->WriteString("LVL");
  ASSERT_TRUE(s->Close());
  QueueOpenedFile(Outside("Broken.lvl"));
  Users->GetCurrentUser()->CurrLevelFile = "incbin::../data/Peace in Sakya.lvl";
  Script script;
  // The message holds the screen until "Okay".
  script.Wait(QUESTION_FRAMES).Do([] { EXPECT_EQ(LevelFilePath, "data/Beginners.lvl"); });
  script.Click(OKAY_X, ANSWER_Y).Wait(3).Click(CHOOSE_X, CHOOSE_Y).Wait(200);
  script.Install(true);
  LevelFilePath = "data/Beginners.lvl";
  TReqLevelSelect selection;
  EXPECT_EQ(LevelFilePath, "incbin::../data/Peace in Sakya.lvl");
  EXPECT_TRUE(SetsInFolder().empty());
}
