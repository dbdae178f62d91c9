#include "pictures.h"

#include <jpeglib.h>
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <memory>

namespace sheet {
namespace {

struct FileCloser {
  void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

uint32_t Premultiply(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  auto mul = [a](uint8_t c) { return uint32_t((c * a + 127) / 255); };
  return uint32_t(a) << 24 | mul(r) << 16 | mul(g) << 8 | mul(b);
}

bool LoadPng(FILE* file, Picture& pic, std::string& error) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  if (!png || !info) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = "out of memory";
    return false;
  }
  std::vector<uint8_t> rgba;
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    error = "damaged PNG";
    return false;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  // Whatever the stored format, read 8-bit RGBA.
  png_set_expand(png);
  png_set_strip_16(png);
  png_set_gray_to_rgb(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_read_update_info(png, info);
  const png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
  if (png_get_rowbytes(png, info) != size_t(w) * 4) png_error(png, "unexpected row size");
  rgba.resize(size_t(w) * h * 4);
  std::vector<png_bytep> rows(h);
  for (png_uint_32 y = 0; y < h; ++y) rows[y] = &rgba[size_t(y) * w * 4];
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  pic.width = int(w);
  pic.height = int(h);
  pic.argb.resize(size_t(w) * h);
  for (size_t i = 0; i < pic.argb.size(); ++i)
    pic.argb[i] = Premultiply(rgba[i * 4], rgba[i * 4 + 1], rgba[i * 4 + 2], rgba[i * 4 + 3]);
  return true;
}

struct JpegError {
  jpeg_error_mgr base;
  jmp_buf jump;
};

void OnJpegError(j_common_ptr info) { longjmp(reinterpret_cast<JpegError*>(info->err)->jump, 1); }

bool LoadJpeg(FILE* file, Picture& pic, std::string& error) {
  jpeg_decompress_struct cinfo;
  JpegError jerr;
  cinfo.err = jpeg_std_error(&jerr.base);
  jerr.base.error_exit = OnJpegError;
  std::vector<uint8_t> row;
  if (setjmp(jerr.jump)) {
    jpeg_destroy_decompress(&cinfo);
    pic = Picture();
    error = "damaged JPEG";
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  cinfo.out_color_space = JCS_RGB;
  jpeg_start_decompress(&cinfo);
  pic.width = int(cinfo.output_width);
  pic.height = int(cinfo.output_height);
  pic.argb.resize(size_t(pic.width) * pic.height);
  row.resize(size_t(pic.width) * 3);
  while (cinfo.output_scanline < cinfo.output_height) {
    const size_t y = cinfo.output_scanline;
    JSAMPROW rows[1] = {row.data()};
    jpeg_read_scanlines(&cinfo, rows, 1);
    for (int x = 0; x < pic.width; ++x)
      pic.argb[y * pic.width + x] = Premultiply(row[x * 3], row[x * 3 + 1], row[x * 3 + 2], 255);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  return true;
}

bool EndsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

bool LoadPicture(const std::string& path, Picture& picture, std::string& error) {
  picture = Picture();
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) {
    error = "cannot open";
    return false;
  }
  if (EndsWith(path, ".png")) return LoadPng(file.get(), picture, error);
  if (EndsWith(path, ".jpg") || EndsWith(path, ".jpeg")) return LoadJpeg(file.get(), picture, error);
  error = "not an image";
  return false;
}

}  // namespace sheet
