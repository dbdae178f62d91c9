// The contact sheet's parts: the shelf layout (nothing overlaps or leaves the sheet,
// strips stay whole), the sound measurements and the handling of damaged files.
#include "layout.h"
#include "pictures.h"
#include "sounds.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string TempPath(const std::string& name) {
  return (std::filesystem::temp_directory_path() / ("qv_contactsheet_" + name)).string();
}

// Writes `seconds` of a 440 Hz mono sine at `amplitude` as Ogg Vorbis.
void WriteSine(const std::string& path, double seconds, double amplitude) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  ASSERT_EQ(vorbis_encode_init_vbr(&vi, 1, 44100, 0.4f), 0);
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, 1);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  auto write = [&](const ogg_page& page) {
    out.write(reinterpret_cast<const char*>(page.header), page.header_len);
    out.write(reinterpret_cast<const char*>(page.body), page.body_len);
  };
  ogg_packet header, comments, codebooks;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&os, &page)) write(page);
  const long total = long(seconds * 44100);
  for (long done = 0; done <= total;) {
    const long n = std::min(1024L, total - done);
    if (n > 0) {
      float** buf = vorbis_analysis_buffer(&vd, int(n));
      for (long i = 0; i < n; ++i)
        buf[0][i] = float(amplitude * std::sin(2 * M_PI * 440 * double(done + i) / 44100));
    }
    vorbis_analysis_wrote(&vd, int(n));  // 0 marks the end
    done += n > 0 ? n : 1;
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet)) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page)) write(page);
      }
    }
  }
  while (ogg_stream_flush(&os, &page)) write(page);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
}

}  // namespace

TEST(ContactSheetLayout, TilesStayOnTheSheetWithoutOverlapAndNeverGrow) {
  const sheet::LayoutRules rules;
  const std::vector<sheet::Size> sizes = {{640, 480}, {15, 15}, {6016, 192}, {3520, 80},
                                          {458, 280}, {20, 2},  {640, 960},  {1548, 431}};
  const sheet::Layout layout = sheet::LayoutTiles(sizes, rules);
  ASSERT_EQ(layout.tiles.size(), sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    const sheet::Tile& t = layout.tiles[i];
    EXPECT_LE(t.scale, 1.0);
    EXPECT_GE(t.x, rules.margin);
    EXPECT_LE(t.x + t.boxWidth, rules.sheetWidth - rules.margin) << i;
    EXPECT_LE(t.y + t.height + rules.labelHeight, layout.height) << i;
    for (size_t j = 0; j < i; ++j) {
      const sheet::Tile& u = layout.tiles[j];
      const bool apart = t.x >= u.x + u.boxWidth || u.x >= t.x + t.boxWidth ||
                         t.y >= u.y + u.height + rules.labelHeight ||
                         u.y >= t.y + t.height + rules.labelHeight;
      EXPECT_TRUE(apart) << i << " overlaps " << j;
    }
  }
  EXPECT_EQ(layout.tiles[1].width, 15);  // small images keep their size
  // A long strip is shown whole across the sheet, keeping its proportions.
  const sheet::Tile& font = layout.tiles[2];
  EXPECT_EQ(font.width, rules.sheetWidth - 2 * rules.margin);
  EXPECT_NEAR(double(font.width) / font.height, 6016.0 / 192, 0.5);
}

TEST(ContactSheetSounds, LengthPeakAndLoudnessOfASine) {
  const std::string path = TempPath("sine.ogg");
  WriteSine(path, 1.5, 0.5);
  const sheet::SoundInfo info = sheet::AnalyseOgg(path);
  std::remove(path.c_str());
  ASSERT_TRUE(info.ok) << info.error;
  EXPECT_NEAR(info.seconds, 1.5, 0.01);
  EXPECT_NEAR(info.peakDbfs, -6.02, 0.5);
  EXPECT_NEAR(info.loudnessDbfs, -9.03, 0.5);  // a sine's RMS is its peak over root 2
  EXPECT_NE(sheet::SoundLine("sfx/sine.ogg", info).find("1.500 s"), std::string::npos);
}

TEST(ContactSheetSounds, DamagedAndSilentFilesAreReportedNotFatal) {
  const std::string path = TempPath("damaged.ogg");
  std::ofstream(path, std::ios::binary) << "OggS but nothing after it";
  const sheet::SoundInfo info = sheet::AnalyseOgg(path);
  std::remove(path.c_str());
  EXPECT_FALSE(info.ok);
  EXPECT_NE(sheet::SoundLine("sfx/damaged.ogg", info).find("error"), std::string::npos);

  const std::string quiet = TempPath("silent.ogg");
  WriteSine(quiet, 0.5, 0.0);
  const sheet::SoundInfo silent = sheet::AnalyseOgg(quiet);
  std::remove(quiet.c_str());
  ASSERT_TRUE(silent.ok);
  EXPECT_NE(sheet::SoundLine("sfx/silent.ogg", silent).find("silent"), std::string::npos);
}

TEST(ContactSheetPictures, DamagedOrMissingImagesGiveAnErrorAndNoPixels) {
  sheet::Picture pic;
  std::string error;
  EXPECT_FALSE(sheet::LoadPicture(TempPath("missing.png"), pic, error));
  EXPECT_EQ(error, "cannot open");
  for (const char* name : {"cut.png", "cut.jpg"}) {
    const std::string path = TempPath(name);
    std::ofstream(path, std::ios::binary) << (name[4] == 'p' ? "\x89PNG\r\n\x1a\n\0\0" : "\xFF\xD8\xFF");
    error.clear();
    EXPECT_FALSE(sheet::LoadPicture(path, pic, error)) << name;
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(pic.argb.empty());
    std::remove(path.c_str());
  }
}
