// Byte streams over files and embedded resources ("incbin::name"), with the game's
// encodings: little-endian 4-byte ints and IEEE floats, 2-byte shorts, bytes, strings as
// one byte per character, CR LF text lines. Reads past the end give zeros, never crash.
// Only regular files are read, opened without blocking. A write stream goes to an
// exclusive temporary file in the target's folder that replaces the target only when
// Close succeeds, so a failed or interrupted save never damages the previous file.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TStream {
public:
  virtual ~TStream() = default;

  bool Eof() const { return pos_ >= size_; }
  uint64_t Position() const { return pos_; }
  uint64_t Size() const { return size_; }
  uint64_t Remaining() const { return size_ > pos_ ? size_ - pos_ : 0; }

  uint8_t ReadByte();
  int16_t ReadShort();
  int32_t ReadInt();
  float ReadFloat();
  // n bytes, one character each; fewer at the end of the stream, none for n <= 0.
  std::string ReadString(int64_t n);
  // Up to n bytes into dst; fewer at the end of the stream. Returns how many.
  size_t Read(void* dst, size_t n) { return Take(dst, n); }
  // Bytes up to LF, a zero byte or the end; CR bytes are dropped. Very long lines are
  // cut at MAX_LINE characters (the rest of that line is skipped).
  std::string ReadLine();
  static constexpr size_t MAX_LINE = 65536;

  void WriteByte(uint8_t v);
  void WriteShort(int16_t v);
  void WriteInt(int32_t v);
  void WriteFloat(float v);
  void WriteString(const std::string& s);  // one byte per character
  void WriteLine(const std::string& s);    // then CR LF

  // Read streams: releases the source. Write streams: commits the file; false when any
  // write failed (the previous file is then left untouched).
  virtual bool Close() { return !failed_; }
  bool Failed() const { return failed_; }

protected:
  // Up to n bytes at the position; fewer only at the end of the data.
  virtual size_t ReadRaw(void* dst, size_t n) = 0;
  virtual bool WriteRaw(const void* src, size_t n);

  uint64_t pos_ = 0;
  uint64_t size_ = 0;  // measured at open; lowered when the data ends sooner
  bool failed_ = false;

private:
  size_t Take(void* dst, size_t n);
};

using StreamPtr = std::shared_ptr<TStream>;

// A write stream into memory: the encodings above, collected in bytes.
class TBufferStream : public TStream {
public:
  std::vector<uint8_t> bytes;

protected:
  size_t ReadRaw(void*, size_t) override { return 0; }
  bool WriteRaw(const void* src, size_t n) override;
};

// nullptr when the file or resource cannot be opened.
StreamPtr ReadStream(const std::string& path);
// Reads bytes held in memory, which must outlive the stream.
StreamPtr MemoryReadStream(const std::vector<uint8_t>& bytes);
// nullptr when the file cannot be created; "incbin::" paths are refused.
StreamPtr WriteStream(const std::string& path);

// The whole content of a file or resource; false when it cannot be read.
bool LoadBytes(const std::string& path, std::vector<uint8_t>& out);
// Writes the bytes as the whole file through a write stream; false when anything failed
// (the previous file then stays as it was).
bool SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// The whole content for a decoder, without copying what need not be copied: an embedded
// resource is read in place (it lives as long as the program), a file is loaded once.
class TBytes {
public:
  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }
  bool Valid() const { return valid_; }

private:
  friend TBytes ReadAllBytes(const std::string& path);
  std::vector<uint8_t> owned_;  // a file's bytes; moves keep their address
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
  bool valid_ = false;
};
// Invalid when the file or resource cannot be read.
TBytes ReadAllBytes(const std::string& path);
// Writes the bytes to path as a write stream does, on a worker thread, so that no frame
// waits for the disk; newer bytes for a path still waiting replace the older ones. failed
// (when given) is set if the write does not succeed.
void WriteFileInBackground(const std::string& path, std::vector<uint8_t> bytes,
                           std::shared_ptr<std::atomic<bool>> failed = nullptr);
// Waits until every file handed to WriteFileInBackground is written (or has failed).
void FinishBackgroundWrites();
// Copies a file piece by piece through a write stream; false when anything failed.
bool CopyFile(const std::string& from, const std::string& to);
// Deletes the temporary files that saves cut short by a crash left in a folder. Only for a
// folder no other program is saving into (see LockFileForLife).
void RemoveLeftoverTemporaries(const std::string& folder);
// Takes an exclusive lock that lasts as long as the program (the system drops it when the
// program ends in any way); false only when another program holds it.
bool LockFileForLife(const std::string& path);

bool FileExists(const std::string& path);  // files and "incbin::" resources
bool IsDirectory(const std::string& path);
bool DeleteFile(const std::string& path);
bool CreateDirectories(const std::string& path);
// Entry names of a folder ("." and ".." left out), sorted; empty if it cannot be read.
std::vector<std::string> LoadDir(const std::string& path);

// Test hook: after n more bytes every write fails (−1 switches the fault off).
void SetWriteFaultAfter(int64_t n);
// Test hook: called with the path of every stream opened for reading (nullptr: none).
void SetReadOpenHook(std::function<void(const std::string&)> hook);
