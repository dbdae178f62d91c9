#include "audio_ogg.h"

#include <vorbis/vorbisenc.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace audio {

namespace {

void AppendPage(std::vector<uint8_t>& out, const ogg_page& page) {
  out.insert(out.end(), page.header, page.header + page.header_len);
  out.insert(out.end(), page.body, page.body + page.body_len);
}

// Hands finished packets to the stream and collects its pages.
void Drain(vorbis_dsp_state& dsp, vorbis_block& block, ogg_stream_state& os,
           std::vector<uint8_t>& out) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(&dsp, &block) == 1) {
    vorbis_analysis(&block, nullptr);
    vorbis_bitrate_addblock(&block);
    while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
      ogg_stream_packetin(&os, &packet);
      while (ogg_stream_pageout(&os, &page)) AppendPage(out, page);
    }
  }
}

struct MemoryReader {
  const std::vector<uint8_t>* data;
  size_t pos = 0;
};

size_t ReadMem(void* ptr, size_t size, size_t count, void* source) {
  auto* r = static_cast<MemoryReader*>(source);
  const size_t want = size * count;
  const size_t n = std::min(want, r->data->size() - r->pos);
  std::memcpy(ptr, r->data->data() + r->pos, n);
  r->pos += n;
  return size ? n / size : 0;
}

uint32_t NameSerial(const std::string& name) {
  uint32_t h = 2166136261u;  // FNV-1a
  for (unsigned char c : name) h = (h ^ c) * 16777619u;
  return h & 0x7FFFFFFFu;
}

}  // namespace

std::vector<uint8_t> EncodeOgg(const Stereo& sound, int channels, float quality, uint32_t serial) {
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, channels, RATE, quality) != 0) {
    vorbis_info_clear(&info);
    throw std::runtime_error("Vorbis encoder set-up failed");
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_block block;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block_init(&dsp, &block);
  ogg_stream_state os;
  ogg_stream_init(&os, int(serial));

  std::vector<uint8_t> out;
  ogg_packet header, commentPacket, codebooks;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentPacket, &codebooks);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &commentPacket);
  ogg_stream_packetin(&os, &codebooks);
  ogg_page page;
  while (ogg_stream_flush(&os, &page)) AppendPage(out, page);

  const size_t CHUNK = 4096;
  for (size_t at = 0; at < sound.Size(); at += CHUNK) {
    const size_t n = std::min(CHUNK, sound.Size() - at);
    float** buffer = vorbis_analysis_buffer(&dsp, int(n));
    std::memcpy(buffer[0], sound.left.data() + at, n * sizeof(float));
    if (channels == 2) std::memcpy(buffer[1], sound.right.data() + at, n * sizeof(float));
    vorbis_analysis_wrote(&dsp, int(n));
    Drain(dsp, block, os, out);
  }
  vorbis_analysis_wrote(&dsp, 0);
  Drain(dsp, block, os, out);
  while (ogg_stream_flush(&os, &page)) AppendPage(out, page);

  ogg_stream_clear(&os);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

bool DecodeOgg(const std::vector<uint8_t>& data, Stereo& sound, int& channels, long& rate) {
  MemoryReader reader{&data};
  const ov_callbacks callbacks{ReadMem, nullptr, nullptr, nullptr};
  OggVorbis_File vf;
  if (ov_open_callbacks(&reader, &vf, nullptr, 0, callbacks) != 0) return false;
  const vorbis_info* info = ov_info(&vf, -1);
  channels = info->channels;
  rate = info->rate;
  sound = Stereo();
  bool ok = channels == 1 || channels == 2;
  while (ok) {
    float** pcm = nullptr;
    int section = 0;
    const long n = ov_read_float(&vf, &pcm, 1024, &section);
    if (n == 0) break;
    if (n < 0) {
      ok = false;
      break;
    }
    sound.left.insert(sound.left.end(), pcm[0], pcm[0] + n);
    sound.right.insert(sound.right.end(), pcm[channels - 1], pcm[channels - 1] + n);
  }
  ov_clear(&vf);
  return ok;
}

void WriteOgg(Output& out, const std::string& name, const Stereo& sound, const OggFormat& format) {
  const std::string rel = "sfx/" + name;
  const double ceiling = DbToGain(format.ceilingDb);
  Stereo scaled = sound;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::vector<uint8_t> bytes = EncodeOgg(scaled, format.channels, format.quality, NameSerial(name));
    Stereo decoded;
    int channels = 0;
    long rate = 0;
    if (!DecodeOgg(bytes, decoded, channels, rate)) throw std::runtime_error(rel + " does not decode");
    const double peak = Peak(decoded);
    if (peak <= ceiling) {
      out.WriteBytes(rel, bytes);
      return;
    }
    Scale(scaled, ceiling / peak * 0.98);
  }
  throw std::runtime_error(rel + " keeps overshooting its peak ceiling");
}

}  // namespace audio
