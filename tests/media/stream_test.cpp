#include "media/resource_store.h"
#include "media/stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string TempPath(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / "qv_stream_test";
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

std::string FileContent(const std::string& path) {
  std::vector<uint8_t> b;
  EXPECT_TRUE(LoadBytes(path, b));
  return std::string(b.begin(), b.end());
}

}  // namespace

TEST(Stream, WritesLittleEndianAndReadsItBack) {
  const std::string path = TempPath("roundtrip.bin");
  {
    StreamPtr w = WriteStream(path);
    ASSERT_TRUE(w);
    w->WriteInt(-2);
    w->WriteShort(0x1234);
    w->WriteByte(0xAB);
    w->WriteFloat(1.5f);
    w->WriteString(std::string("A\xe9", 2));
    w->WriteLine("line");
    EXPECT_TRUE(w->Close());
  }
  EXPECT_EQ(FileContent(path), std::string("\xfe\xff\xff\xff\x34\x12\xab\x00\x00\xc0\x3f" "A\xe9line\r\n", 19));
  StreamPtr r = ReadStream(path);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->ReadInt(), -2);
  EXPECT_EQ(r->ReadShort(), 0x1234);
  EXPECT_EQ(r->ReadByte(), 0xAB);
  EXPECT_EQ(r->ReadFloat(), 1.5f);
  EXPECT_EQ(r->ReadString(2), std::string("A\xe9", 2));
  EXPECT_EQ(r->ReadLine(), "line");
  EXPECT_TRUE(r->Eof());
}

TEST(Stream, ReadsPastTheEndGiveZeros) {
  static const uint8_t bytes[] = {1, 2, 3};
  ClearResources();
  RegisterResource("../x.bin", bytes, 3);
  StreamPtr r = ReadStream("incbin::../x.bin");
  ASSERT_TRUE(r);
  EXPECT_EQ(r->ReadInt(), 0x030201);  // the missing byte reads as zero
  EXPECT_TRUE(r->Eof());
  EXPECT_EQ(r->ReadInt(), 0);
  EXPECT_EQ(r->ReadFloat(), 0.0f);
  EXPECT_EQ(r->ReadString(1 << 30), "");  // a huge length allocates nothing
  EXPECT_EQ(r->ReadLine(), "");
  ClearResources();
}

TEST(Stream, LinesEndAtLfZeroOrEndAndDropEveryCr) {
  static const uint8_t bytes[] = {'a', '\r', 'b', '\r', '\n', 'c', 0, 'd', '\n', 'e'};
  ClearResources();
  RegisterResource("../l.txt", bytes, sizeof bytes);
  StreamPtr r = ReadStream("incbin::../l.txt");
  EXPECT_EQ(r->ReadLine(), "ab");
  EXPECT_EQ(r->ReadLine(), "c");
  EXPECT_EQ(r->ReadLine(), "d");
  EXPECT_EQ(r->ReadLine(), "e");
  EXPECT_TRUE(r->Eof());
  ClearResources();
}

TEST(Stream, FailedWriteKeepsThePreviousFile) {
  const std::string path = TempPath("keep.bin");
  {
    StreamPtr w = WriteStream(path);
    w->WriteString("old content");
    ASSERT_TRUE(w->Close());
  }
  for (int cut = 0; cut < 5; ++cut) {
    SetWriteFaultAfter(cut);
    StreamPtr w = WriteStream(path);
    ASSERT_TRUE(w);
    w->WriteString("new");
    w->WriteInt(7);
    EXPECT_FALSE(w->Close());
    SetWriteFaultAfter(-1);
    EXPECT_EQ(FileContent(path), "old content");
  }
  for (const std::string& name : LoadDir(std::filesystem::path(path).parent_path().string()))
    EXPECT_EQ(name.find("keep.bin.tmp"), std::string::npos);  // no temporary left
}

TEST(Stream, EmbeddedResourcesAreReadOnlyAndExist) {
  static const uint8_t bytes[] = {1};
  ClearResources();
  RegisterResource("../gfx/board.png", bytes, 1);
  EXPECT_TRUE(FileExists("incbin::../gfx/board.png"));
  EXPECT_FALSE(FileExists("incbin::../gfx/Board.png"));
  EXPECT_EQ(WriteStream("incbin::../gfx/board.png"), nullptr);
  EXPECT_EQ(ReadStream("incbin::../gfx/missing.png"), nullptr);
  EXPECT_EQ(ReadStream(TempPath("does-not-exist")), nullptr);
  ClearResources();
}

TEST(Stream, DecodersReadResourcesInPlaceAndFilesOnce) {
  static const uint8_t bytes[] = {7, 8, 9};
  ClearResources();
  RegisterResource("../sfx/a.ogg", bytes, 3);
  const TBytes resource = ReadAllBytes("incbin::../sfx/a.ogg");
  EXPECT_TRUE(resource.Valid());
  EXPECT_EQ(resource.Data(), bytes);  // no copy
  EXPECT_EQ(resource.Size(), 3u);
  EXPECT_FALSE(ReadAllBytes("incbin::../sfx/b.ogg").Valid());
  ClearResources();

  const std::string path = TempPath("whole.bin");
  std::FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_TRUE(f);
  std::fputs("whole", f);
  std::fclose(f);
  TBytes file = ReadAllBytes(path);
  const TBytes moved = std::move(file);  // the bytes move with it
  ASSERT_TRUE(moved.Valid());
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(moved.Data()), moved.Size()), "whole");
  EXPECT_FALSE(ReadAllBytes(TempPath("does-not-exist")).Valid());
}

TEST(Stream, ListsAFolderWithoutDotEntries) {
  const auto dir = std::filesystem::temp_directory_path() / "qv_listing";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "sub");
  std::fclose(std::fopen((dir / "b.lvl").c_str(), "w"));
  std::fclose(std::fopen((dir / "a.cfg").c_str(), "w"));
  EXPECT_EQ(LoadDir(dir.string()), (std::vector<std::string>{"a.cfg", "b.lvl", "sub"}));
  EXPECT_TRUE(LoadDir((dir / "nothing").string()).empty());
}

// Hostile files in a folder others can write to. A reader that blocks or spins would hang
// the test: the alarm turns that into a failure.
class HostileFiles : public ::testing::Test {
protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("qv_hostile_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    ::alarm(20);
  }
  void TearDown() override {
    ::alarm(0);
    std::filesystem::remove_all(dir_);
  }
  std::string In(const std::string& name) const { return (dir_ / name).string(); }
  static void Put(const std::string& path, const std::string& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  }
  std::filesystem::path dir_;
};

TEST_F(HostileFiles, OnlyRegularFilesAreOpenedAndNothingBlocks) {
  ASSERT_EQ(::mkfifo(In("fifo").c_str(), 0600), 0);
  EXPECT_EQ(ReadStream(In("fifo")), nullptr);
  EXPECT_EQ(ReadStream(dir_.string()), nullptr);
  EXPECT_EQ(ReadStream("/dev/zero"), nullptr);
  std::vector<uint8_t> bytes;
  EXPECT_FALSE(LoadBytes(In("fifo"), bytes));
  // A link to a regular file reads as that file.
  Put(In("real"), "abc");
  std::filesystem::create_symlink(In("real"), In("link"));
  EXPECT_EQ(FileContent(In("link")), "abc");
}

TEST_F(HostileFiles, AFileThatShrinksWhileReadEndsTheStream) {
  Put(In("shrinks"), std::string(100000, 'x'));
  StreamPtr r = ReadStream(In("shrinks"));
  ASSERT_TRUE(r);
  EXPECT_EQ(r->Size(), 100000u);
  std::filesystem::resize_file(In("shrinks"), 10);
  int reads = 0;
  while (!r->Eof()) r->ReadInt(), ++reads;
  EXPECT_LE(reads, 100000 / 4);
  EXPECT_EQ(r->Remaining(), 0u);
  EXPECT_EQ(r->ReadLine(), "");
}

TEST_F(HostileFiles, WritesNeverFollowAPlantedLink) {
  Put(In("victim"), "victim");
  std::filesystem::create_symlink(In("victim"), In("save.cfg.tmp"));
  for (int i = 0; i < 3; ++i)
    std::filesystem::create_symlink(In("victim"), In("save.cfg.tmp-" + std::to_string(i) + "aaaaa"));
  StreamPtr w = WriteStream(In("save.cfg"));
  ASSERT_TRUE(w);
  w->WriteString("new");
  ASSERT_TRUE(w->Close());
  EXPECT_EQ(FileContent(In("save.cfg")), "new");
  EXPECT_EQ(FileContent(In("victim")), "victim");

  // A link in the target's place is replaced by the file; what it pointed to stays.
  std::filesystem::create_symlink(In("victim"), In("linked.cfg"));
  w = WriteStream(In("linked.cfg"));
  w->WriteString("saved");
  ASSERT_TRUE(w->Close());
  EXPECT_FALSE(std::filesystem::is_symlink(In("linked.cfg")));
  EXPECT_EQ(FileContent(In("linked.cfg")), "saved");
  EXPECT_EQ(FileContent(In("victim")), "victim");
}

TEST_F(HostileFiles, TwoWritersOfOneFileNeverMixTheirBytes) {
  StreamPtr a = WriteStream(In("shared.cfg"));
  StreamPtr b = WriteStream(In("shared.cfg"));
  ASSERT_TRUE(a && b);
  a->WriteString(std::string(5000, 'a'));
  b->WriteString(std::string(10, 'b'));
  EXPECT_TRUE(a->Close());
  EXPECT_TRUE(b->Close());
  EXPECT_EQ(FileContent(In("shared.cfg")), std::string(10, 'b'));
  EXPECT_EQ(LoadDir(dir_.string()), std::vector<std::string>{"shared.cfg"});
  // A saved file has the usual permissions, not the temporary file's private ones.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  const auto perms = std::filesystem::status(In("shared.cfg")).permissions();
  EXPECT_EQ(unsigned(perms), unsigned(0666 & ~mask));
}

TEST_F(HostileFiles, CopiesStreamLocksExcludeASecondHolderAndLeftoversGo) {
  std::string big(300000, '\0');
  for (size_t i = 0; i < big.size(); ++i) big[i] = char(i * 7);
  Put(In("big"), big);
  ASSERT_TRUE(CopyFile(In("big"), In("copy")));
  EXPECT_EQ(FileContent(In("copy")), big);
  EXPECT_FALSE(CopyFile(In("missing"), In("copy2")));
  EXPECT_FALSE(FileExists(In("copy2")));

  EXPECT_TRUE(LockFileForLife(In("game.lock")));
  EXPECT_FALSE(LockFileForLife(In("game.lock")));

  // What a save cut short leaves goes; everything else stays.
  Put(In("users.cfg.tmp-a1B2c3"), "half");
  Put(In("notes.tmp-ab"), "mine");
  std::filesystem::create_symlink(In("big"), In("x.tmp-zzzzzz"));
  RemoveLeftoverTemporaries(dir_.string());
  EXPECT_EQ(LoadDir(dir_.string()), (std::vector<std::string>{"big", "copy", "game.lock", "notes.tmp-ab", "x.tmp-zzzzzz"}));
}
