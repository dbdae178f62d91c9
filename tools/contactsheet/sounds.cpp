#include "sounds.h"

#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <vector>

namespace sheet {

namespace {

double Dbfs(double amplitude) {
  return amplitude > 0 ? 20 * std::log10(amplitude) : -std::numeric_limits<double>::infinity();
}

// RMS of the loudest 50 ms (the whole sound when it is shorter): how loud an effect
// sounds, which its peak alone does not tell.
double LoudestWindowRms(const std::vector<double>& energy, long rate) {
  const size_t window = std::min(energy.size(), size_t(std::max(1L, rate / 20)));
  if (window == 0) return 0;
  double sum = 0, best = 0;
  for (size_t i = 0; i < energy.size(); ++i) {
    sum += energy[i];
    if (i >= window) sum -= energy[i - window];
    if (i + 1 >= window) best = std::max(best, sum);
  }
  return std::sqrt(std::max(0.0, best) / double(window));
}

}  // namespace

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
  std::vector<double> energy;  // per frame, the channels' mean square
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
    for (long i = 0; i < n; ++i) {
      double e = 0;
      for (int c = 0; c < channels; ++c) {
        peak = std::max(peak, double(std::fabs(pcm[c][i])));
        e += double(pcm[c][i]) * pcm[c][i];
      }
      energy.push_back(channels ? e / channels : 0);
    }
  }
  const long rate = vi ? vi->rate : 0;
  ov_clear(&vf);
  if (rate <= 0) {
    info.error = "no sample rate";
    return info;
  }
  info.ok = true;
  info.seconds = double(energy.size()) / double(rate);
  info.peakDbfs = Dbfs(peak);
  info.loudnessDbfs = Dbfs(LoudestWindowRms(energy, rate));
  return info;
}

std::string SoundLine(const std::string& name, const SoundInfo& info) {
  char buf[256];
  if (!info.ok)
    std::snprintf(buf, sizeof buf, "%-28s  error: %s", name.c_str(), info.error.c_str());
  else if (std::isinf(info.peakDbfs))
    std::snprintf(buf, sizeof buf, "%-28s %8.3f s   silent", name.c_str(), info.seconds);
  else
    std::snprintf(buf, sizeof buf, "%-28s %8.3f s  peak %6.1f dBFS  loudest 50 ms %6.1f dBFS",
                  name.c_str(), info.seconds, info.peakDbfs, info.loudnessDbfs);
  return buf;
}

}  // namespace sheet
