#include "sounds.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace sheet {

SoundInfo AnalyseOgg(const std::string& path) {
  SoundInfo info;
  OggVorbis_File vf;
  if (ov_fopen(path.c_str(), &vf) != 0) {
    info.error = "not a readable Ogg Vorbis file";
    return info;
  }
  const vorbis_info* vi = ov_info(&vf, -1);
  const int channels = vi ? vi->channels : 0;
  double peak = 0;
  long long frames = 0;
  for (;;) {
    float** pcm = nullptr;
    int section = 0;
    const long n = ov_read_float(&vf, &pcm, 4096, &section);
    if (n == 0) break;
    if (n < 0) {
      info.error = "damaged stream";
      ov_clear(&vf);
      return info;
    }
    frames += n;
    for (int c = 0; c < channels; ++c)
      for (long i = 0; i < n; ++i) peak = std::max(peak, double(std::fabs(pcm[c][i])));
  }
  const long rate = vi ? vi->rate : 0;
  ov_clear(&vf);
  if (rate <= 0) {
    info.error = "no sample rate";
    return info;
  }
  info.ok = true;
  info.seconds = double(frames) / double(rate);
  info.peakDbfs = peak > 0 ? 20 * std::log10(peak) : -std::numeric_limits<double>::infinity();
  return info;
}

std::string SoundLine(const std::string& name, const SoundInfo& info) {
  char buf[256];
  if (!info.ok)
    std::snprintf(buf, sizeof buf, "%-28s  error: %s", name.c_str(), info.error.c_str());
  else if (std::isinf(info.peakDbfs))
    std::snprintf(buf, sizeof buf, "%-28s %8.3f s   silent", name.c_str(), info.seconds);
  else
    std::snprintf(buf, sizeof buf, "%-28s %8.3f s  %6.1f dBFS", name.c_str(), info.seconds,
                  info.peakDbfs);
  return buf;
}

}  // namespace sheet
