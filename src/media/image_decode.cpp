#include "media/image_decode.h"

#include "media/worker_thread.h"

#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <csetjmp>
#include <cstring>

namespace {

constexpr png_uint_32 MAX_SIDE = 16384;

PixmapPtr DecodePng(const uint8_t* data, size_t size) {
  png_image img;
  std::memset(&img, 0, sizeof img);
  img.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&img, data, size)) return nullptr;
  if (img.width == 0 || img.height == 0 || img.width > MAX_SIDE || img.height > MAX_SIDE) {
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
  int width = 0, height = 0;
};

// Reads the header only (headerOnly) or the whole picture into job.
bool RunJpeg(const uint8_t* data, size_t size, JpegJob* job, bool headerOnly) {
  jpeg_decompress_struct cinfo;
  JpegError err;
  cinfo.err = jpeg_std_error(&err.mgr);
  err.mgr.error_exit = JpegFail;
  if (setjmp(err.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
  jpeg_read_header(&cinfo, TRUE);
  job->width = int(cinfo.image_width);
  job->height = int(cinfo.image_height);
  if (headerOnly || cinfo.image_width > MAX_SIDE || cinfo.image_height > MAX_SIDE) {
    jpeg_destroy_decompress(&cinfo);
    return headerOnly && cinfo.image_width <= MAX_SIDE && cinfo.image_height <= MAX_SIDE;
  }
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
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
      out[x] = 0xFF000000u | (uint32_t(in[x * 3]) << 16) | (uint32_t(in[x * 3 + 1]) << 8) | in[x * 3 + 2];
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool IsPng(const uint8_t* data, size_t size) { return size >= 8 && png_sig_cmp(data, 0, 8) == 0; }
bool IsJpeg(const uint8_t* data, size_t size) {
  return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

void ApplyMask(TPixmap& pm, uint32_t key) {
  for (uint32_t& p : pm.pixels)
    if ((p & 0xFFFFFF) == key) p &= 0x00FFFFFF;
}


}  // namespace

bool ReadImageSize(const uint8_t* data, size_t size, int& width, int& height) {
  if (IsPng(data, size)) {
    png_image img;
    std::memset(&img, 0, sizeof img);
    img.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&img, data, size)) return false;
    width = int(img.width);
    height = int(img.height);
    png_image_free(&img);
    return width > 0 && height > 0 && png_uint_32(width) <= MAX_SIDE && png_uint_32(height) <= MAX_SIDE;
  }
  if (!IsJpeg(data, size)) return false;
  JpegJob job;
  if (!RunJpeg(data, size, &job, true)) return false;
  width = job.width;
  height = job.height;
  return width > 0 && height > 0;
}

PixmapPtr DecodePicture(const uint8_t* data, size_t size) {
  if (IsPng(data, size)) return DecodePng(data, size);
  if (!IsJpeg(data, size)) return nullptr;
  JpegJob job;
  return RunJpeg(data, size, &job, false) ? job.pixmap : nullptr;
}

std::vector<PixmapPtr> DecodeFrames(const ImageSource& source, int width, int height) {
  std::vector<PixmapPtr> frames;
  PixmapPtr sheet = DecodePicture(source.bytes.Data(), source.bytes.Size());
  if (sheet && source.cellWidth == 0) {
    frames.push_back(sheet);
  } else if (sheet) {
    const int perRow = std::max(1, sheet->width / source.cellWidth);
    for (int k = source.firstCell; k < source.firstCell + source.cellCount; ++k) {
      auto pm = std::make_shared<TPixmap>(width, height);
      const int sx = (k % perRow) * width, sy = (k / perRow) * height;
      if (sx + width <= sheet->width && sy + height <= sheet->height)
        for (int y = 0; y < height; ++y)
          std::memcpy(&pm->pixels[size_t(y) * width], &sheet->pixels[size_t(sy + y) * sheet->width + sx],
                      size_t(width) * 4);
      frames.push_back(pm);
    }
  }
  // Damaged data past a sound header: transparent frames of the promised size.
  while (int(frames.size()) < source.cellCount) frames.push_back(std::make_shared<TPixmap>(width, height));
  if (source.masked)
    for (const PixmapPtr& pm : frames) ApplyMask(*pm, source.maskKey);
  return frames;
}

DecodeJob::DecodeJob(std::shared_ptr<const ImageSource> source, int width, int height)
    : source_(std::move(source)), width_(width), height_(height) {}

void DecodeJob::RunIfWaiting() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (state_ != State::Waiting) return;
    state_ = State::Running;
  }
  std::vector<PixmapPtr> frames = DecodeFrames(*source_, width_, height_);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    frames_ = std::move(frames);
    state_ = State::Done;
  }
  done_.notify_all();
}

std::vector<PixmapPtr> DecodeJob::Take() {
  RunIfWaiting();
  std::unique_lock<std::mutex> lock(mutex_);
  done_.wait(lock, [this] { return state_ == State::Done; });
  return frames_;
}

namespace {

// One thread for every background decode, in the order asked; ends with the program.
WorkerThread& TheWorker() {
  static WorkerThread worker;
  return worker;
}

}  // namespace

void DecodeInBackground(const std::shared_ptr<DecodeJob>& job) {
  // An image dropped before its turn needs nothing.
  TheWorker().Add([weak = std::weak_ptr<DecodeJob>(job)] {
    if (const auto j = weak.lock()) j->RunIfWaiting();
  });
}

void FinishBackgroundDecodes() { TheWorker().WaitIdle(); }
