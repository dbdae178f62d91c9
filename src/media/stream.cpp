#include "media/stream.h"

#include "media/resource_store.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string INCBIN = "incbin::";

bool IsIncbin(const std::string& path) { return path.compare(0, INCBIN.size(), INCBIN) == 0; }

int64_t writeFaultAfter = -1;

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
  FileReadStream(std::FILE* f, uint64_t size) : file_(f) { size_ = size; }
  ~FileReadStream() override { Close(); }
  bool Close() override {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    return !failed_;
  }

protected:
  size_t ReadRaw(void* dst, size_t n) override {
    if (!file_) return 0;
    return std::fread(dst, 1, size_t(std::min<uint64_t>(n, Remaining())), file_);
  }

private:
  std::FILE* file_;
};

// Writes to "<path>.tmp" and renames it over <path> when closed without errors.
class FileWriteStream : public TStream {
public:
  FileWriteStream(std::FILE* f, std::string path, std::string temp)
      : file_(f), path_(std::move(path)), temp_(std::move(temp)) {}
  ~FileWriteStream() override { Close(); }

  bool Close() override {
    if (!file_) return !failed_;
    if (std::fflush(file_) != 0 || ::fsync(fileno(file_)) != 0) failed_ = true;
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    std::error_code ec;
    if (!failed_) fs::rename(temp_, path_, ec);
    if (failed_ || ec) {
      failed_ = true;
      fs::remove(temp_, ec);
    }
    return !failed_;
  }

protected:
  size_t ReadRaw(void*, size_t) override { return 0; }
  bool WriteRaw(const void* src, size_t n) override {
    if (!file_ || failed_) return false;
    size_t allowed = n;
    if (writeFaultAfter >= 0) {
      allowed = size_t(std::min<int64_t>(int64_t(n), writeFaultAfter));
      writeFaultAfter -= int64_t(allowed);
    }
    if (std::fwrite(src, 1, allowed, file_) != allowed || allowed != n) failed_ = true;
    pos_ += allowed;
    size_ = pos_;
    return !failed_;
  }

private:
  std::FILE* file_;
  std::string path_;
  std::string temp_;
};


}  // namespace

bool TStream::WriteRaw(const void*, size_t) {
  failed_ = true;
  return false;
}

uint8_t TStream::ReadByte() {
  uint8_t b = 0;
  pos_ += ReadRaw(&b, 1);
  return b;
}

int16_t TStream::ReadShort() {
  uint8_t b[2] = {0, 0};
  pos_ += ReadRaw(b, 2);
  return int16_t(uint16_t(b[0] | (b[1] << 8)));
}

int32_t TStream::ReadInt() {
  uint8_t b[4] = {0, 0, 0, 0};
  pos_ += ReadRaw(b, 4);
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
  const size_t got = ReadRaw(s.data(), s.size());
  pos_ += got;
  s.resize(got);
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
  if (IsIncbin(path)) {
    const ResourceEntry* e = FindResource(path.substr(INCBIN.size()));
    if (!e) return nullptr;
    return std::make_shared<MemoryStream>(e->bytes, e->length);
  }
  std::error_code ec;
  if (fs::is_directory(path, ec)) return nullptr;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return nullptr;
  uint64_t size = 0;
  if (std::fseek(f, 0, SEEK_END) == 0) {
    const long end = std::ftell(f);
    size = end > 0 ? uint64_t(end) : 0;
  }
  std::fseek(f, 0, SEEK_SET);
  return std::make_shared<FileReadStream>(f, size);
}

StreamPtr WriteStream(const std::string& path) {
  if (IsIncbin(path) || path.empty()) return nullptr;
  const std::string temp = path + ".tmp";
  std::FILE* f = std::fopen(temp.c_str(), "wb");
  if (!f) return nullptr;
  return std::make_shared<FileWriteStream>(f, path, temp);
}

bool LoadBytes(const std::string& path, std::vector<uint8_t>& out) {
  StreamPtr s = ReadStream(path);
  if (!s) return false;
  std::string bytes = s->ReadString(int64_t(s->Size()));
  out.assign(bytes.begin(), bytes.end());
  return true;
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
