// Ogg Vorbis encoding and decoding of generated sounds. Streams get a serial number
// derived from the file name, so the bytes are the same on every run; a written file
// is decoded again to keep its peak under the ceiling (Vorbis overshoots a little).
#pragma once

#include "audio_synth.h"
#include "output.h"

#include <cstdint>
#include <string>
#include <vector>

namespace audio {

std::vector<uint8_t> EncodeOgg(const Stereo& sound, int channels, float quality, uint32_t serial);

// Decodes a whole stream; a mono stream fills both channels. False on damaged data.
bool DecodeOgg(const std::vector<uint8_t>& data, Stereo& sound, int& channels, long& rate);

struct OggFormat {
  int channels = 1;
  float quality = 0.4f;
  double ceilingDb = -1.0;  // highest decoded peak allowed
};

// Encodes `sound` as sfx/<name>, lowering its level first if the decoded peak would
// pass the ceiling.
void WriteOgg(Output& out, const std::string& name, const Stereo& sound, const OggFormat& format);

}  // namespace audio
