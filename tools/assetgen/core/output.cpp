#include "output.h"

#include <cairo.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <stdexcept>

RgbaImage FromCairo(cairo_surface_t* surface) {
  cairo_surface_flush(surface);
  const int w = cairo_image_surface_get_width(surface);
  const int h = cairo_image_surface_get_height(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  RgbaImage out(w, h);
  for (int y = 0; y < h; ++y) {
    const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
    for (int x = 0; x < w; ++x) {
      const uint32_t p = row[x];
      const uint32_t a = p >> 24;
      uint8_t* o = out.At(x, y);
      if (a == 0) {
        o[0] = o[1] = o[2] = o[3] = 0;
        continue;
      }
      // Un-premultiply with rounding.
      o[0] = uint8_t(std::min<uint32_t>(255, (((p >> 16) & 255) * 255 + a / 2) / a));
      o[1] = uint8_t(std::min<uint32_t>(255, (((p >> 8) & 255) * 255 + a / 2) / a));
      o[2] = uint8_t(std::min<uint32_t>(255, ((p & 255) * 255 + a / 2) / a));
      o[3] = uint8_t(a);
    }
  }
  return out;
}

namespace {

void AppendToVector(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void NoFlush(png_structp) {}

}  // namespace

std::vector<uint8_t> EncodePng(const RgbaImage& image) {
  std::vector<uint8_t> out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (!png || !info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    throw std::runtime_error("PNG encoding failed");
  }
  png_set_write_fn(png, &out, AppendToVector, NoFlush);
  png_set_compression_level(png, 6);  // level 9 costs several times the time for a few percent
  png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB_ALPHA,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < image.height; ++y)
    png_write_row(png, const_cast<png_bytep>(image.At(0, y)));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return out;
}

std::vector<uint8_t> EncodeJpeg(const RgbaImage& image, int quality) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.width);
  cinfo.image_height = JDIMENSION(image.height);
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<uint8_t> row(size_t(image.width) * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const uint8_t* src = image.At(0, int(cinfo.next_scanline));
    for (int x = 0; x < image.width; ++x) {
      row[size_t(x) * 3 + 0] = src[x * 4 + 0];
      row[size_t(x) * 3 + 1] = src[x * 4 + 1];
      row[size_t(x) * 3 + 2] = src[x * 4 + 2];
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  std::vector<uint8_t> out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

Output::Output(std::filesystem::path root) : root_(std::move(root)) {}

std::filesystem::path Output::Prepare(const std::string& rel) {
  Record(rel);
  std::filesystem::path path = root_ / rel;
  std::filesystem::create_directories(path.parent_path());
  return path;
}

void Output::Record(const std::string& rel) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const std::string& f : files_)
    if (f == rel) throw std::runtime_error("written twice: " + rel);
  files_.push_back(rel);
}

void Output::WriteBytes(const std::string& rel, const std::vector<uint8_t>& data) {
  const std::filesystem::path path = Prepare(rel);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

void Output::WriteText(const std::string& rel, const std::string& text) {
  WriteBytes(rel, std::vector<uint8_t>(text.begin(), text.end()));
}

namespace {

// Images load masked with black as the mask colour, so a visible pure-black pixel would
// turn transparent in the game; artwork uses (1, 1, 1) where black is meant.
void CheckNoPureBlack(const std::string& rel, const RgbaImage& image) {
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) {
      const uint8_t* p = image.At(x, y);
      if (p[3] != 0 && p[0] == 0 && p[1] == 0 && p[2] == 0)
        throw std::runtime_error(rel + ": visible pure-black pixel at " + std::to_string(x) +
                                 "," + std::to_string(y));
    }
}

RgbaImage DecodeJpeg(const std::vector<uint8_t>& data) {
  jpeg_decompress_struct cinfo;
  jpeg_error_mgr jerr;
  cinfo.err = jpeg_std_error(&jerr);
  jpeg_create_decompress(&cinfo);
  jpeg_mem_src(&cinfo, data.data(), static_cast<unsigned long>(data.size()));
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  RgbaImage out(int(cinfo.output_width), int(cinfo.output_height));
  std::vector<uint8_t> row(size_t(out.width) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    const int y = int(cinfo.output_scanline);
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (int x = 0; x < out.width; ++x) {
      uint8_t* o = out.At(x, y);
      o[0] = row[size_t(x) * 3];
      o[1] = row[size_t(x) * 3 + 1];
      o[2] = row[size_t(x) * 3 + 2];
      o[3] = 255;
    }
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return out;
}

}  // namespace

void Output::WritePng(const std::string& rel, const RgbaImage& image) {
  CheckNoPureBlack(rel, image);
  RecordSize(rel, image.width, image.height);
  WriteBytes(rel, EncodePng(image));
}

void Output::WritePng(const std::string& rel, cairo_surface_t* surface) {
  WritePng(rel, FromCairo(surface));
}

void Output::WriteJpeg(const std::string& rel, const RgbaImage& image, int quality) {
  std::vector<uint8_t> data = EncodeJpeg(image, quality);
  CheckNoPureBlack(rel + " (as decoded)", DecodeJpeg(data));
  RecordSize(rel, image.width, image.height);
  WriteBytes(rel, data);
}

void Output::RecordSize(const std::string& rel, int width, int height) {
  std::lock_guard<std::mutex> lock(mutex_);
  sizes_[rel] = {width, height};
}

std::map<std::string, std::pair<int, int>> Output::ImageSizes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return sizes_;
}

std::vector<std::string> Output::Files() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return files_;
}
