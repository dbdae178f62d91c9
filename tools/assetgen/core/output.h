// Where generated files go. Every generator writes through one Output, which creates
// folders, encodes images deterministically and remembers each file it wrote so that
// main can report a clash (two generators writing the same name).
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

typedef struct _cairo_surface cairo_surface_t;

// Straight (not premultiplied) RGBA pixels, row by row, 4 bytes a pixel.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;

  RgbaImage() = default;
  RgbaImage(int w, int h) : width(w), height(h), pixels(size_t(w) * h * 4, 0) {}
  uint8_t* At(int x, int y) { return &pixels[(size_t(y) * width + x) * 4]; }
  const uint8_t* At(int x, int y) const { return &pixels[(size_t(y) * width + x) * 4]; }
};

// Converts a Cairo ARGB32 surface (premultiplied) to straight RGBA.
RgbaImage FromCairo(cairo_surface_t* surface);

// Inputs the generators may read: the hand-written sources under assets/.
struct Sources {
  std::filesystem::path assets;
};

class Output {
public:
  explicit Output(std::filesystem::path root);

  // rel is the resource name without the leading "../", for example "gfx/board.png".
  void WriteBytes(const std::string& rel, const std::vector<uint8_t>& data);
  void WriteText(const std::string& rel, const std::string& text);
  void WritePng(const std::string& rel, const RgbaImage& image);
  void WritePng(const std::string& rel, cairo_surface_t* surface);
  void WriteJpeg(const std::string& rel, const RgbaImage& image, int quality = 92);

  std::vector<std::string> Files() const;
  std::map<std::string, std::pair<int, int>> ImageSizes() const;  // images written so far
  const std::filesystem::path& Root() const { return root_; }

private:
  void Record(const std::string& rel);
  void RecordSize(const std::string& rel, int width, int height);
  std::filesystem::path Prepare(const std::string& rel);

  std::filesystem::path root_;
  mutable std::mutex mutex_;
  std::vector<std::string> files_;
  std::map<std::string, std::pair<int, int>> sizes_;
};

// Encoders shared with tools that write PNGs outside the asset folder.
std::vector<uint8_t> EncodePng(const RgbaImage& image);
std::vector<uint8_t> EncodeJpeg(const RgbaImage& image, int quality);
