#include "media/stream.h"

#include "media/debug.h"
#include "media/resource_store.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string INCBIN = "incbin::";

bool IsIncbin(const std::string& path) { return path.compare(0, INCBIN.size(), INCBIN) == 0; }

// Temporary files are named "<target>.tmp-" and six random characters.
const std::string TEMP_MARK = ".tmp-";

bool IsTemporaryName(const std::string& name) {
  const size_t mark = name.rfind(TEMP_MARK);
  return mark != std::string::npos && mark > 0 && name.size() == mark + TEMP_MARK.size() + 6;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// Read once before any thread starts: reading it means setting it for a moment.
mode_t ReadUmask() {
  const mode_t m = ::umask(0);
  ::umask(m);
  return m;
}
const mode_t processUmask = ReadUmask();

int64_t writeFaultAfter = -1;
std::function<void(const std::string&)> readOpenHook;

class MemoryStream : public TStream {
public:
  MemoryStream(const uint8_t* data, size_t size) : data_(data) { size_ = size; }

protected:
  size_t ReadRaw(void* dst, size_t n) override {
    const size_t k = size_t(std::min<uint64_t>(n, Remaining()));
    std::memcpy(dst, data_ + pos_, k);
    return k;
  }

private:
  const uint8_t* data_;
};

class FileReadStream : public TStream {
public:
  FileReadStream(int fd, uint64_t size) : fd_(fd) { size_ = size; }
  ~FileReadStream() override { Close(); }
  bool Close() override {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    return !failed_;
  }

protected:
  size_t ReadRaw(void* dst, size_t n) override {
    n = size_t(std::min<uint64_t>(n, Remaining()));
    size_t got = 0;
    while (got < n) {
      if (next_ == end_ && !Fill()) break;  // the file shrank or could not be read
      const size_t k = std::min(n - got, end_ - next_);
      std::memcpy(static_cast<char*>(dst) + got, buffer_.data() + next_, k);
      next_ += k;
      got += k;
    }
    return got;
  }

private:
  bool Fill() {
    next_ = end_ = 0;
    while (fd_ >= 0) {
      const ssize_t k = ::read(fd_, buffer_.data(), buffer_.size());
      if (k < 0 && errno == EINTR) continue;
      if (k <= 0) return false;
      end_ = size_t(k);
      return true;
    }
    return false;
  }

  int fd_;
  std::vector<char> buffer_ = std::vector<char>(16384);
  size_t next_ = 0, end_ = 0;
};

// Writes to an exclusive temporary file beside the target and renames it over the target
// when closed without errors. The temporary name is unique and created with O_EXCL, so a
// link planted in the folder is never followed and two writers never share a file.
class FileWriteStream : public TStream {
public:
  FileWriteStream(int fd, std::string path, std::string temp)
      : fd_(fd), path_(std::move(path)), temp_(std::move(temp)) {}
  ~FileWriteStream() override { Close(); }

  bool Close() override {
    if (fd_ < 0) return !failed_;
    Flush();
    if (!failed_ && ::fsync(fd_) != 0) Fail("sync");
    if (::close(fd_) != 0) Fail("close");
    fd_ = -1;
    if (!failed_ && ::rename(temp_.c_str(), path_.c_str()) != 0) Fail("rename");
    if (failed_) {
      ::unlink(temp_.c_str());
      return false;
    }
    SyncFolder(path_);
    return true;
  }

protected:
  size_t ReadRaw(void*, size_t) override { return 0; }
  bool WriteRaw(const void* src, size_t n) override {
    if (fd_ < 0 || failed_) return false;
    size_t allowed = n;
    if (writeFaultAfter >= 0) {
      allowed = size_t(std::min<int64_t>(int64_t(n), writeFaultAfter));
      writeFaultAfter -= int64_t(allowed);
    }
    const char* bytes = static_cast<const char*>(src);
    buffer_.insert(buffer_.end(), bytes, bytes + allowed);
    pos_ += allowed;
    size_ = pos_;
    if (allowed != n) Fail("write");
    if (buffer_.size() >= BUFFER_SIZE) Flush();
    return !failed_;
  }

private:
  static constexpr size_t BUFFER_SIZE = 65536;

  void Flush() {
    size_t done = 0;
    while (!failed_ && done < buffer_.size()) {
      const ssize_t k = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
      if (k < 0 && errno == EINTR) continue;
      if (k <= 0) Fail("write");
      if (k > 0) done += size_t(k);
    }
    buffer_.clear();
  }

  void Fail(const char* what) {
    if (!failed_) DebugLog(std::string("Could not ") + what + " " + temp_ + ": " + std::strerror(errno));
    failed_ = true;
  }
  // The rename itself reaches the disk only with its folder.
  static void SyncFolder(const std::string& path) {
    const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir < 0) return;
    ::fsync(dir);
    ::close(dir);
  }

  int fd_;
  std::string path_;
  std::string temp_;
  std::vector<char> buffer_;
};

}  // namespace

bool TStream::WriteRaw(const void*, size_t) {
  failed_ = true;
  return false;
}

size_t TStream::Take(void* dst, size_t n) {
  const uint64_t expected = std::min<uint64_t>(n, Remaining());
  const size_t got = ReadRaw(dst, n);
  pos_ += got;
  // A source that ends before its measured size (a file that shrank, a read error) ends
  // the stream there, so that no reader waits for bytes that never come.
  if (got < expected) size_ = pos_;
  return got;
}

uint8_t TStream::ReadByte() {
  uint8_t b = 0;
  Take(&b, 1);
  return b;
}

int16_t TStream::ReadShort() {
  uint8_t b[2] = {0, 0};
  Take(b, 2);
  return int16_t(uint16_t(b[0] | (b[1] << 8)));
}

int32_t TStream::ReadInt() {
  uint8_t b[4] = {0, 0, 0, 0};
  Take(b, 4);
  return int32_t(uint32_t(b[0]) | (uint32_t(b[1]) << 8) | (uint32_t(b[2]) << 16) |
                 (uint32_t(b[3]) << 24));
}

float TStream::ReadFloat() {
  const uint32_t bits = uint32_t(ReadInt());
  float f;
  std::memcpy(&f, &bits, 4);
  return f;
}

std::string TStream::ReadString(int64_t n) {
  if (n <= 0) return {};
  std::string s(size_t(std::min<uint64_t>(uint64_t(n), Remaining())), '\0');
  s.resize(Take(s.data(), s.size()));
  return s;
}

std::string TStream::ReadLine() {
  std::string s;
  while (!Eof()) {
    const uint8_t b = ReadByte();
    if (b == '\n' || b == 0) break;
    if (b != '\r' && s.size() < MAX_LINE) s.push_back(char(b));
  }
  return s;
}

bool TBufferStream::WriteRaw(const void* src, size_t n) {
  const auto* b = static_cast<const uint8_t*>(src);
  bytes.insert(bytes.end(), b, b + n);
  return true;
}

void TStream::WriteByte(uint8_t v) { WriteRaw(&v, 1); }

void TStream::WriteShort(int16_t v) {
  const uint8_t b[2] = {uint8_t(v), uint8_t(uint16_t(v) >> 8)};
  WriteRaw(b, 2);
}

void TStream::WriteInt(int32_t v) {
  const uint32_t u = uint32_t(v);
  const uint8_t b[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
  WriteRaw(b, 4);
}

void TStream::WriteFloat(float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  WriteInt(int32_t(bits));
}

void TStream::WriteString(const std::string& s) {
  if (!s.empty()) WriteRaw(s.data(), s.size());
}

void TStream::WriteLine(const std::string& s) {
  WriteString(s);
  WriteString("\r\n");
}

StreamPtr ReadStream(const std::string& path) {
  if (readOpenHook) readOpenHook(path);
  if (IsIncbin(path)) {
    const ResourceEntry* e = FindResource(path.substr(INCBIN.size()));
    if (!e) return nullptr;
    return std::make_shared<MemoryStream>(e->bytes, e->length);
  }
  // Non-blocking, so that a FIFO or a device never hangs the game; only regular files
  // are read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat st;
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    DebugLog("Not a regular file: " + path);
    ::close(fd);
    return nullptr;
  }
  return std::make_shared<FileReadStream>(fd, uint64_t(st.st_size));
}

StreamPtr MemoryReadStream(const std::vector<uint8_t>& bytes) {
  return std::make_shared<MemoryStream>(bytes.data(), bytes.size());
}

StreamPtr WriteStream(const std::string& path) {
  if (IsIncbin(path) || path.empty() || path.back() == '/') return nullptr;
  std::string temp = path + TEMP_MARK + "XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    DebugLog("Could not create " + temp + ": " + std::strerror(errno));
    return nullptr;
  }
  // mkostemp makes the file private; a saved file gets the usual permissions.
  ::fchmod(fd, 0666 & ~processUmask);
  return std::make_shared<FileWriteStream>(fd, path, temp);
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
  StreamPtr s = ReadStream(path);
  if (!s) return false;
  out.resize(size_t(s->Size()));
  out.resize(s->Read(out.data(), out.size()));
  return true;
}

bool SaveBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  StreamPtr s = WriteStream(path);
  if (!s) return false;
  s->WriteString(std::string(bytes.begin(), bytes.end()));
  return s->Close();
}

TBytes ReadAllBytes(const std::string& path) {
  TBytes bytes;
  if (IsIncbin(path)) {
    if (readOpenHook) readOpenHook(path);
    const ResourceEntry* e = FindResource(path.substr(INCBIN.size()));
    if (!e) return bytes;
    bytes.data_ = e->bytes;
    bytes.size_ = e->length;
  } else {
    if (!LoadBytes(path, bytes.owned_)) return bytes;
    bytes.data_ = bytes.owned_.data();
    bytes.size_ = bytes.owned_.size();
  }
  bytes.valid_ = true;
  return bytes;
}

bool CopyFile(const std::string& from, const std::string& to) {
  StreamPtr in = ReadStream(from);
  StreamPtr out = in ? WriteStream(to) : nullptr;
  if (!out) return false;
  constexpr int64_t CHUNK = 65536;
  while (!in->Eof() && !out->Failed()) out->WriteString(in->ReadString(CHUNK));
  return out->Close();
}

void RemoveLeftoverTemporaries(const std::string& folder) {
  for (const std::string& name : LoadDir(folder)) {
    const std::string path = (folder.empty() || folder.back() == '/' ? folder : folder + "/") + name;
    if (!IsTemporaryName(name) || !FileExists(path) || fs::is_symlink(path)) continue;
    DebugLog("Removing a save cut short: " + path);
    DeleteFile(path);
  }
}

bool LockFileForLife(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    // A folder where nothing can be made cannot be saved to either: nothing to protect.
    DebugLog("Could not open the lock " + path + ": " + std::strerror(errno));
    return true;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    ::close(fd);
    return !held;
  }
  return true;  // the descriptor stays open until the program ends
}

bool FileExists(const std::string& path) {
  if (IsIncbin(path)) return FindResource(path.substr(INCBIN.size())) != nullptr;
  std::error_code ec;
  return fs::is_regular_file(path, ec);
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !IsIncbin(path) && fs::is_directory(path, ec);
}

bool DeleteFile(const std::string& path) {
  if (IsIncbin(path)) return false;
  std::error_code ec;
  return fs::remove(path, ec);
}

bool CreateDirectories(const std::string& path) {
  std::error_code ec;
  fs::create_directories(path, ec);
  return fs::is_directory(path, ec);
}

std::vector<std::string> LoadDir(const std::string& path) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(path.empty() ? "." : path, ec), end; !ec && it != end;
       it.increment(ec))
    names.push_back(it->path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void SetWriteFaultAfter(int64_t n) { writeFaultAfter = n; }

void SetReadOpenHook(std::function<void(const std::string&)> hook) { readOpenHook = std::move(hook); }
