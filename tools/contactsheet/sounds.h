// Measures the generated Ogg Vorbis files for review: length in seconds and peak level
// in dBFS, decoded with vorbisfile.
#pragma once

#include <string>

namespace sheet {

struct SoundInfo {
  bool ok = false;
  double seconds = 0;
  double peakDbfs = 0;  // -infinity for silence
  std::string error;
};

SoundInfo AnalyseOgg(const std::string& path);

// One line of sounds.txt: "name  1.234 s  -3.2 dBFS" (or the error).
std::string SoundLine(const std::string& name, const SoundInfo& info);

}  // namespace sheet
