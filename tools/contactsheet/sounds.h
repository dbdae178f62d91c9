// Measures the generated Ogg Vorbis files for review: length in seconds, peak level and
// the RMS level of the loudest 50 ms in dBFS, decoded with vorbisfile.
#pragma once

#include <string>

namespace sheet {

struct SoundInfo {
  bool ok = false;
  double seconds = 0;
  double peakDbfs = 0;      // -infinity for silence
  double loudnessDbfs = 0;  // RMS of the loudest 50 ms
  std::string error;
};

SoundInfo AnalyseOgg(const std::string& path);

// One line of sounds.txt: name, length, peak and loudness (or the error).
std::string SoundLine(const std::string& name, const SoundInfo& info);

}  // namespace sheet
