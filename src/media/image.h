// Images: the textures drawn from a picture, created on first draw so images may load
// before the screen opens, and its decoded pixels per frame where the game reads them
// (pixel reads, collision tests, grabs). A loaded picture decodes on a worker thread; its
// pixels are dropped once every frame has its texture unless the game has read them, and
// decoded again from the program's bytes should they be needed after all. An image strip
// has many equal frames cut from one picture.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int IMG_MASKED = 1;     // pixels of the mask colour become transparent
constexpr int IMG_FILTERED = 2;   // bilinear filtering when scaled or rotated
constexpr int IMG_MIPMAPPED = 4;  // accepted; the 2D renderer draws without mipmaps
constexpr int IMG_DYNAMIC = 8;    // pixels may change after loading

// Pixels as 0xAARRGGBB, row after row, straight (not premultiplied) alpha.
class TPixmap {
public:
  TPixmap(int w, int h);
  std::vector<uint32_t> pixels;
  int width = 0;
  int height = 0;
  int pitch = 0;  // bytes per row
  int format = 0;  // always FORMAT_ARGB8888
  static constexpr int FORMAT_ARGB8888 = 1;

  uint32_t ReadPixel(int x, int y) const;  // 0 outside the pixmap
  void WritePixel(int x, int y, uint32_t argb);
};
using PixmapPtr = std::shared_ptr<TPixmap>;
int PixmapWidth(const PixmapPtr& p);
int PixmapHeight(const PixmapPtr& p);
uint32_t ReadPixel(const PixmapPtr& p, int x, int y);

struct TextureSet;  // back-end textures, one per frame
struct ImageSource;
class DecodeJob;

class TImage {
public:
  TImage();
  ~TImage();
  TImage(const TImage&) = delete;
  TImage& operator=(const TImage&) = delete;

  int width = 0;   // of one frame
  int height = 0;
  int flags = 0;
  int mask_r = 0, mask_g = 0, mask_b = 0;
  float handle_x = 0, handle_y = 0;

  int FrameCount() const { return frames_; }
  // The pixels, one pixmap per frame, to read or change; the image keeps them from now on.
  std::vector<PixmapPtr>& Pixmaps();
  // Call after changing a frame's pixels so its texture is rebuilt.
  void PixelsChanged(int frame);

  std::unique_ptr<TextureSet> textures;

  // For the media layer: the image gets its frames from a picture, decoded in the background.
  void DecodeFrom(std::shared_ptr<const ImageSource> source, int frames);
  // Blank frames of the image's size.
  void MakeBlankFrames(int frames);
  // A frame's pixels to make its texture from, without keeping them.
  const TPixmap& TexturePixels(int frame);
  // Every texture has been made: pixels the game has not read go.
  void DropUnreadPixels();

private:
  void Collect();
  int frames_ = 0;
  std::vector<PixmapPtr> pixmaps_;  // empty while decoding or dropped
  std::shared_ptr<DecodeJob> job_;
  std::shared_ptr<const ImageSource> source_;
  bool read_ = false;  // the game reads the pixels: they stay
};
using ImagePtr = std::shared_ptr<TImage>;

// Image loading; a failed load (missing file, undecodable data, too few cells) gives nullptr.
// flags −1 means the current default flags.
ImagePtr LoadImage(const std::string& path, int flags = -1);
ImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                       int cellCount, int flags = -1);
ImagePtr CreateImage(int width, int height, int frames = 1, int flags = -1);
// PNG encoding of a pixmap (screenshots, tests); false/empty on failure.
std::vector<uint8_t> EncodePixmapPNG(const TPixmap& pixmap);
// Waits until every picture queued for the worker thread is decoded (benchmarks measure
// frames without that work).
void FinishBackgroundDecodes();
bool SavePixmapPNG(const PixmapPtr& pixmap, const std::string& path);
// Decodes PNG or JPEG bytes into one pixmap; nullptr when the data is not an image.
PixmapPtr DecodeImage(const std::vector<uint8_t>& bytes);

int ImageWidth(const ImagePtr& image);
int ImageHeight(const ImagePtr& image);
void SetImageHandle(const ImagePtr& image, float x, float y);
void MidHandleImage(const ImagePtr& image);

// Load settings: default flags (start 3), mask colour (start black), automatic handle
// centring for images loaded while it is on (start off).
void AutoImageFlags(int flags);
int GetAutoImageFlags();
void SetMaskColor(int r, int g, int b);
void AutoMidHandle(bool on);
bool AutoMidHandleEnabled();
