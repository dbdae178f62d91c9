#include "media/resource_store.h"
#include "media/stream.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

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
    EXPECT_FALSE(FileExists(path + ".tmp"));
  }
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

TEST(Stream, ListsAFolderWithoutDotEntries) {
  const auto dir = std::filesystem::temp_directory_path() / "qv_listing";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "sub");
  std::fclose(std::fopen((dir / "b.lvl").c_str(), "w"));
  std::fclose(std::fopen((dir / "a.cfg").c_str(), "w"));
  EXPECT_EQ(LoadDir(dir.string()), (std::vector<std::string>{"a.cfg", "b.lvl", "sub"}));
  EXPECT_TRUE(LoadDir((dir / "nothing").string()).empty());
}
