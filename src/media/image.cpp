#include "media/image.h"

#include "media/backend.h"
#include "media/stream.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace {

int defaultFlags = 3;
int maskR = 0, maskG = 0, maskB = 0;
bool autoMidHandle = false;

PixmapPtr DecodePng(const std::vector<uint8_t>& bytes) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, bytes.data(), bytes.size())) return nullptr;
  if (img.width == 0 || img.height == 0 || img.width > 16384 || img.height > 16384) {
    png_image_free(&img);
    return nullptr;
  }
  img.format = PNG_FORMAT_BGRA;  // little-endian words read as 0xAARRGGBB
  auto pm = std::make_shared<TPixmap>(int(img.width), int(img.height));
  if (!png_image_finish_read(&img, nullptr, pm->pixels.data(), 0, nullptr)) {
    png_image_free(&img);
    return nullptr;
  }
  return pm;
}

struct JpegError {
  jpeg_error_mgr mgr;
  std::jmp_buf jump;
};

void JpegFail(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

// C++ objects live in the caller's frame so that the error jump skips no destructor.
struct JpegJob {
  std::vector<uint8_t> row;
  PixmapPtr pixmap;
};

bool DecodeJpegInto(const std::vector<uint8_t>& bytes, JpegJob* job) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegFail;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  if (cinfo.output_width > 16384 || cinfo.output_height > 16384) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  job->pixmap = std::make_shared<TPixmap>(int(cinfo.output_width), int(cinfo.output_height));
  job->row.resize(size_t(cinfo.output_width) * 3);
  TPixmap& pm = *job->pixmap;
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = int(cinfo.output_scanline);
    JSAMPROW rows[1] = {job->row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    const uint8_t* in = job->row.data();
    uint32_t* out = &pm.pixels[size_t(y) * pm.width];
    for (int x = 0; x < pm.width; ++x)
      out[x] = 0xFF000000u | (uint32_t(in[x * 3]) << 16) | (uint32_t(in[x * 3 + 1]) << 8) |
               in[x * 3 + 2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

PixmapPtr DecodeJpeg(const std::vector<uint8_t>& bytes) {
  JpegJob job;
  return DecodeJpegInto(bytes, &job) ? job.pixmap : nullptr;
}

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

void ApplyMask(TPixmap& pm, const TImage& image) {
  if (!(image.flags & IMG_MASKED)) return;
  const uint32_t key = (uint32_t(image.mask_r & 255) << 16) | (uint32_t(image.mask_g & 255) << 8) |
                       uint32_t(image.mask_b & 255);
  for (uint32_t& p : pm.pixels)
    if ((p & 0xFFFFFF) == key) p &= 0x00FFFFFF;
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

PixmapPtr DecodeImage(const std::vector<uint8_t>& bytes) {
  if (bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0) return DecodePng(bytes);
  if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF)
    return DecodeJpeg(bytes);
  return nullptr;
}

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
  StreamPtr s = bytes.empty() ? nullptr : WriteStream(path);
  if (!s) return false;
  s->WriteString(std::string(bytes.begin(), bytes.end()));
  return s->Close();
}

ImagePtr LoadImage(const std::string& path, int flags) {
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  PixmapPtr pm = DecodeImage(bytes);
  if (!pm) return nullptr;
  ImagePtr image = NewImage(pm->width, pm->height, ResolveFlags(flags));
  ApplyMask(*pm, *image);
  image->pixmaps.push_back(pm);
  return image;
}

ImagePtr LoadAnimImage(const std::string& path, int cellWidth, int cellHeight, int firstCell,
                       int cellCount, int flags) {
  if (cellWidth <= 0 || cellHeight <= 0 || firstCell < 0 || cellCount <= 0) return nullptr;
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  PixmapPtr sheet = DecodeImage(bytes);
  if (!sheet) return nullptr;
  const int perRow = sheet->width / cellWidth;
  const int rows = sheet->height / cellHeight;
  if (perRow <= 0 || int64_t(perRow) * rows < int64_t(firstCell) + cellCount) return nullptr;
  ImagePtr image = NewImage(cellWidth, cellHeight, ResolveFlags(flags));
  for (int k = firstCell; k < firstCell + cellCount; ++k) {
    auto pm = std::make_shared<TPixmap>(cellWidth, cellHeight);
    const int sx = (k % perRow) * cellWidth;
    const int sy = (k / perRow) * cellHeight;
    for (int y = 0; y < cellHeight; ++y)
      std::memcpy(&pm->pixels[size_t(y) * cellWidth], &sheet->pixels[size_t(sy + y) * sheet->width + sx],
                  size_t(cellWidth) * 4);
    ApplyMask(*pm, *image);
    image->pixmaps.push_back(pm);
  }
  return image;
}

ImagePtr CreateImage(int width, int height, int frames, int flags) {
  if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
  ImagePtr image = NewImage(width, height, ResolveFlags(flags));
  for (int i = 0; i < frames; ++i) image->pixmaps.push_back(std::make_shared<TPixmap>(width, height));
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
