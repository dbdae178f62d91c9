// Checks on the generated sounds and songs: every one decodes at 44.1 kHz, fits the
// length its use allows, stays under -1 dBFS with no DC, effects start and end near
// silence at similar loudness, and the looping ones join their end to their start
// without a click.
#include "sounds.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<std::string> SONGS = {"song1.ogg", "song2.ogg", "song3.ogg"};
const std::vector<std::string> LOOPS = {"rainloop.ogg", "windloop.ogg"};
const std::vector<std::string> EFFECTS = {
    "click.ogg",      "count.ogg",       "dropdown.ogg",  "flyback.ogg",      "gong.ogg",
    "hintzoom.ogg",   "lampexplode.ogg", "mouseover.ogg", "puzzlerotate.ogg", "puzzpick.ogg",
    "puzzzoom_1.ogg", "puzzzoom_2.ogg",  "puzzzoom_3.ogg", "puzzzoom_4.ogg",  "puzzzoom_5.ogg",
    "texthit.ogg",    "bg_shoot.ogg",    "bomb.ogg",      "combo.ogg",        "freeze.ogg",
    "levelcomplete.ogg", "wind.ogg",     "xplode.ogg"};

std::vector<std::string> AllNames() {
  std::vector<std::string> v = SONGS;
  v.insert(v.end(), LOOPS.begin(), LOOPS.end());
  v.insert(v.end(), EFFECTS.begin(), EFFECTS.end());
  return v;
}

// An open Vorbis file of the generated sfx folder, closed when it goes.
class VorbisFile {
public:
  explicit VorbisFile(const std::string& name) {
    const std::string path = std::string(QV_RES_DIR) + "/sfx/" + name;
    open_ = ov_fopen(path.c_str(), &vf_) == 0;
  }
  ~VorbisFile() {
    if (open_) ov_clear(&vf_);
  }
  VorbisFile(const VorbisFile&) = delete;
  VorbisFile& operator=(const VorbisFile&) = delete;

  bool Open() const { return open_; }
  long Rate() { return ov_info(&vf_, -1)->rate; }
  int Channels() { return ov_info(&vf_, -1)->channels; }
  long long Frames() { return ov_pcm_total(&vf_, -1); }
  bool Seek(long long frame) { return ov_pcm_seek(&vf_, frame) == 0; }

  // Reads up to `frames` frames (all that is left when negative), one vector per
  // channel; false on a decoding error.
  bool Read(long long frames, std::vector<std::vector<float>>& pcm) {
    pcm.assign(size_t(Channels()), {});
    while (frames != 0) {
      float** data = nullptr;
      int section = 0;
      const long n = ov_read_float(&vf_, &data, frames > 0 ? int(std::min(frames, 4096LL)) : 4096, &section);
      if (n == 0) return true;
      if (n < 0) return false;
      for (size_t c = 0; c < pcm.size(); ++c) pcm[c].insert(pcm[c].end(), data[c], data[c] + n);
      if (frames > 0) frames -= n;
    }
    return true;
  }

private:
  OggVorbis_File vf_{};
  bool open_ = false;
};

double Seconds(const std::string& name) {
  VorbisFile f(name);
  return f.Open() ? double(f.Frames()) / double(f.Rate()) : 0.0;
}

TEST(Sounds, EveryFileDecodesAt44100HzUnderMinusOneDbfsWithoutDc) {
  const float ceiling = float(std::pow(10.0, -1.0 / 20.0));
  for (const std::string& name : AllNames()) {
    VorbisFile f(name);
    ASSERT_TRUE(f.Open()) << name;
    EXPECT_EQ(f.Rate(), 44100) << name;
    EXPECT_TRUE(f.Channels() == 1 || f.Channels() == 2) << name;
    std::vector<std::vector<float>> pcm;
    ASSERT_TRUE(f.Read(-1, pcm)) << name;
    for (const std::vector<float>& ch : pcm) {
      ASSERT_FALSE(ch.empty()) << name;
      float peak = 0.0f;
      double sum = 0.0;
      for (float v : ch) {
        peak = std::max(peak, std::fabs(v));
        sum += v;
      }
      EXPECT_LE(peak, ceiling) << name;
      // The mean of a clip of a few cycles says little; DC matters on the longer sounds.
      if (ch.size() >= 22050) {
        EXPECT_LT(std::fabs(sum / double(ch.size())), 0.002) << name << " has a DC offset";
      }
    }
  }
}

TEST(Sounds, LengthsFitTheirUse) {
  for (const std::string& name : SONGS) EXPECT_GE(Seconds(name), 90.0) << name;
  for (const std::string& name : LOOPS) {
    EXPECT_GE(Seconds(name), 8.0) << name;
    EXPECT_LE(Seconds(name), 15.0) << name;
  }
  for (const std::string& name : EFFECTS) EXPECT_LE(Seconds(name), 7.0) << name;
  // Restarted every frame while points count up, and chained five frames apart.
  EXPECT_LE(Seconds("count.ogg"), 0.05);
  EXPECT_LE(Seconds("xplode.ogg"), 0.15);
}

// Effects fade in and out, so they start and end near silence (no click). The codec
// smears a little of a sharp attack onto the first samples, hence the margin.
TEST(Sounds, EffectsStartAndEndQuietly) {
  for (const std::string& name : EFFECTS) {
    VorbisFile f(name);
    std::vector<std::vector<float>> pcm;
    ASSERT_TRUE(f.Open() && f.Read(-1, pcm)) << name;
    for (const std::vector<float>& ch : pcm) {
      ASSERT_FALSE(ch.empty()) << name;
      EXPECT_LT(std::fabs(ch.front()), 0.05f) << name;
      EXPECT_LT(std::fabs(ch.back()), 0.05f) << name;
    }
  }
}

double Rms(const std::vector<float>& x) {
  double sum = 0.0;
  for (float v : x) sum += double(v) * v;
  return std::sqrt(sum / double(x.size()));
}

// One effect must not drown another: all sit within a band of a dozen decibels (the
// mouse-over tick and the counter tick, heard all the time, at its quiet end).
TEST(Sounds, EffectsAreOfSimilarLoudness) {
  for (const std::string& name : EFFECTS) {
    const sheet::SoundInfo info = sheet::AnalyseOgg(std::string(QV_RES_DIR) + "/sfx/" + name);
    ASSERT_TRUE(info.ok) << name;
    EXPECT_GT(info.loudnessDbfs, -25.0) << name;
    EXPECT_LT(info.loudnessDbfs, -11.0) << name;
  }
}

// Looping files: across the seam (last sample, then first) the waveform must bend no
// more than it does nearby, and the level must carry on (a loop that fades out and in
// again is heard at every repeat).
TEST(Sounds, LoopsJoinWithoutAClick) {
  const long long EDGE = 4410;  // 0.1 s
  const size_t SIDE = 256;
  std::vector<std::string> looping = SONGS;
  looping.insert(looping.end(), LOOPS.begin(), LOOPS.end());
  for (const std::string& name : looping) {
    VorbisFile f(name);
    ASSERT_TRUE(f.Open()) << name;
    std::vector<std::vector<float>> head, tail;
    ASSERT_TRUE(f.Read(EDGE, head)) << name;
    ASSERT_TRUE(f.Seek(f.Frames() - EDGE) && f.Read(EDGE, tail)) << name;
    for (size_t c = 0; c < head.size(); ++c) {
      ASSERT_EQ(head[c].size(), size_t(EDGE)) << name;
      ASSERT_EQ(tail[c].size(), size_t(EDGE)) << name;
      // The start may be louder (a downbeat), never much quieter than the end.
      const double level = 20.0 * std::log10(Rms(head[c]) / Rms(tail[c]));
      EXPECT_GT(level, -12.0) << name << ": level drops by " << -level << " dB at the seam";
      std::vector<float> w(tail[c].end() - SIDE, tail[c].end());
      w.insert(w.end(), head[c].begin(), head[c].begin() + SIDE);
      double seam = 0.0, sum = 0.0;
      int count = 0;
      for (size_t i = 1; i + 1 < w.size(); ++i) {
        const double d2 = std::fabs(double(w[i + 1]) - 2.0 * w[i] + w[i - 1]);
        if (i == SIDE - 1 || i == SIDE) {
          seam = std::max(seam, d2);
        } else {
          sum += d2 * d2;
          ++count;
        }
      }
      const double local = std::sqrt(sum / count);
      EXPECT_GT(local, 1e-6) << name << " is silent at its seam, which would hide a jump";
      EXPECT_LE(seam, 3.0 * local) << name;
    }
  }
}

}  // namespace
