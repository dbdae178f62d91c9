#include "media/image.h"

#include "media/backend.h"
#include "media/image_decode.h"
#include "media/stream.h"

#include <png.h>

#include <algorithm>
#include <cstring>

namespace {

int defaultFlags = 3;
int maskR = 0, maskG = 0, maskB = 0;
bool autoMidHandle = false;

int ResolveFlags(int flags) { return flags == -1 ? defaultFlags : flags; }

ImagePtr NewImage(int w, int h, int flags) {
  auto image = std::make_shared<TImage>();
  image->width = w;
  image->height = h;
  image->flags = flags;
  image->mask_r = maskR;
  image->mask_g = maskG;
  image->mask_b = maskB;
  if (autoMidHandle) {
    image->handle_x = w * 0.5f;
    image->handle_y = h * 0.5f;
  }
  return image;
}

uint32_t MaskKey(const TImage& image) {
  return (uint32_t(image.mask_r & 255) << 16) | (uint32_t(image.mask_g & 255) << 8) | uint32_t(image.mask_b & 255);
}

// The picture's bytes, its size read from its header; nullptr when it is no picture.
std::shared_ptr<ImageSource> OpenPicture(const std::string& path, int& width, int& height) {
  auto source = std::make_shared<ImageSource>();
  source->bytes = ReadAllBytes(path);
  if (!source->bytes.Valid() || !ReadImageSize(source->bytes.Data(), source->bytes.Size(), width, height))
    return nullptr;
  return source;
}

void StartDecoding(TImage& image, std::shared_ptr<ImageSource> source, int frames) {
  source->masked = (image.flags & IMG_MASKED) != 0;
  source->maskKey = MaskKey(image);
  image.DecodeFrom(std::move(source), frames);
}

}  // namespace

TPixmap::TPixmap(int w, int h)
    : pixels(size_t(std::max(w, 0)) * std::max(h, 0), 0), width(w), height(h), pitch(w * 4),
      format(FORMAT_ARGB8888) {}

uint32_t TPixmap::ReadPixel(int x, int y) const {
  if (x < 0 || y < 0 || x >= width || y >= height) return 0;
  return pixels[size_t(y) * width + x];
}

void TPixmap::WritePixel(int x, int y, uint32_t argb) {
  if (x < 0 || y < 0 || x >= width || y >= height) return;
  pixels[size_t(y) * width + x] = argb;
}

int PixmapWidth(const PixmapPtr& p) { return p ? p->width : 0; }
int PixmapHeight(const PixmapPtr& p) { return p ? p->height : 0; }
uint32_t ReadPixel(const PixmapPtr& p, int x, int y) { return p ? p->ReadPixel(x, y) : 0; }

TImage::TImage() = default;
TImage::~TImage() = default;

void TImage::PixelsChanged(int frame) {
  if (textures) textures->Invalidate(frame);
}

void TImage::DecodeFrom(std::shared_ptr<const ImageSource> source, int frames) {
  frames_ = frames;
  source_ = std::move(source);
  pixmaps_.clear();
  job_ = std::make_shared<DecodeJob>(source_, width, height);
  DecodeInBackground(job_);
}

void TImage::MakeBlankFrames(int frames) {
  frames_ = frames;
  pixmaps_.clear();
  for (int i = 0; i < frames; ++i) pixmaps_.push_back(std::make_shared<TPixmap>(width, height));
}

void TImage::Collect() {
  if (!pixmaps_.empty()) return;
  if (job_) {
    pixmaps_ = job_->Take();
    job_.reset();
  } else if (source_) {
    pixmaps_ = DecodeFrames(*source_, width, height);
  }
}

std::vector<PixmapPtr>& TImage::Pixmaps() {
  Collect();
  read_ = true;
  return pixmaps_;
}

const TPixmap& TImage::TexturePixels(int frame) {
  Collect();
  return *pixmaps_[size_t(frame)];
}

void TImage::DropUnreadPixels() {
  if (!read_ && source_) pixmaps_.clear();
}

PixmapPtr DecodeImage(const std::vector<uint8_t>& bytes) { return DecodePicture(bytes.data(), bytes.size()); }

std::vector<uint8_t> EncodePixmapPNG(const TPixmap& pixmap) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  img.width = png_uint_32(pixmap.width);
  img.height = png_uint_32(pixmap.height);
  img.format = PNG_FORMAT_BGRA;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&img, nullptr, &size, 0, pixmap.pixels.data(), 0, nullptr)) return {};
  std::vector<uint8_t> out(size);
  if (!png_image_write_to_memory(&img, out.data(), &size, 0, pixmap.pixels.data(), 0, nullptr)) return {};
  out.resize(size);
  return out;
}

bool SavePixmapPNG(const PixmapPtr& pixmap, const std::string& path) {
  if (!pixmap) return false;
  const std::vector<uint8_t> bytes = EncodePixmapPNG(*pixmap);
  return !bytes.empty() && SaveBytes(path, bytes);
}

ImagePtr LoadImage(const std::string& path, int flags) {
  int w = 0, h = 0;
  std::shared_ptr<ImageSource> source = OpenPicture(path, w, h);
  if (!source) return nullptr;
  ImagePtr image = NewImage(w, h, ResolveFlags(flags));
  StartDecoding(*image, std::move(source), 1);
  return image;
}

ImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                       int cellCount, int flags) {
  if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
  int w = 0, h = 0;
  std::shared_ptr<ImageSource> source = OpenPicture(path, w, h);
  if (!source) return nullptr;
  const int perRow = w / cellWidth;
  const int rows = h / cellHeight;
  if (perRow <= 0 || int64_t(perRow) * rows < int64_t(firstCell) + cellCount) return nullptr;
  source->cellWidth = cellWidth;
  source->cellHeight = cellHeight;
  source->firstCell = firstCell;
  source->cellCount = cellCount;
  ImagePtr image = NewImage(cellWidth, cellHeight, ResolveFlags(flags));
  StartDecoding(*image, std::move(source), cellCount);
  return image;
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  ImagePtr image = NewImage(width, height, ResolveFlags(flags));
  image->MakeBlankFrames(frames);
  return image;
}

int ImageWidth(const ImagePtr& image) { return image ? image->width : 0; }
int ImageHeight(const ImagePtr& image) { return image ? image->height : 0; }

void SetImageHandle(const ImagePtr& image, float x, float y) {
  if (!image) return;
  image->handle_x = x;
  image->handle_y = y;
}

void MidHandleImage(const ImagePtr& image) {
  if (image) SetImageHandle(image, image->width * 0.5f, image->height * 0.5f);
}

void AutoImageFlags(int flags) { defaultFlags = flags; }
int GetAutoImageFlags() { return defaultFlags; }
void SetMaskColor(int r, int g, int b) {
  maskR = r;
  maskG = g;
  maskB = b;
}
void AutoMidHandle(bool on) { autoMidHandle = on; }
bool AutoMidHandleEnabled() { return autoMidHandle; }
