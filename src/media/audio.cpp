#include "media/audio.h"

#include "media/debug.h"
#include "media/stream.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

enum class State { Closed, Open, Failed };
State state = State::Closed;

// Mixer channel indices in use. Never destroyed: channels held by globals are released
// during exit.
std::vector<bool>& Used() {
  static auto* used = new std::vector<bool>();
  return *used;
}

bool Open(const char* driver) {
  if (driver) SDL_setenv("SDL_AUDIODRIVER", driver, 1);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

int ClaimIndex() {
  std::vector<bool>& used = Used();
  for (size_t i = 0; i < used.size(); ++i)
    if (!used[i]) {
      used[i] = true;
      return int(i);
    }
  used.push_back(true);
  Mix_AllocateChannels(int(used.size()));
  return int(used.size()) - 1;
}

}  // namespace

bool AudioAvailable() {
  if (state == State::Closed) {
    // A machine without a sound device still runs the game, silently.
    const bool ok = Open(nullptr) || Open("dummy");
    state = ok ? State::Open : State::Failed;
    if (ok) {
      Mix_AllocateChannels(0);
      DebugLog(std::string("Audio driver: ") + SDL_GetCurrentAudioDriver());
    } else {
      DebugLog(std::string("No audio: ") + Mix_GetError());
    }
  }
  return state == State::Open;
}

void CloseAudio() {
  if (state != State::Open) return;
  Mix_HaltChannel(-1);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Used().clear();
  state = State::Closed;
}

TSound::~TSound() {
  if (chunk && state == State::Open) Mix_FreeChunk(chunk);
}

double TSound::Seconds() const {
  int freq = 44100, channels = 2;
  Uint16 format = AUDIO_S16SYS;
  if (!chunk || !Mix_QuerySpec(&freq, &format, &channels)) return 0;
  return double(chunk->alen) / (double(freq) * channels * (SDL_AUDIO_BITSIZE(format) / 8));
}

TChannel::TChannel(int index) : index_(index) {}

TChannel::~TChannel() {
  if (state != State::Open || index_ < 0 || size_t(index_) >= Used().size()) return;
  Mix_HaltChannel(index_);
  Used()[size_t(index_)] = false;
}

void TChannel::Stop() {
  if (state == State::Open) Mix_HaltChannel(index_);
}

void TChannel::SetPaused(bool paused) {
  if (state != State::Open) return;
  if (paused)
    Mix_Pause(index_);
  else
    Mix_Resume(index_);
}

void TChannel::SetVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  if (state == State::Open) Mix_Volume(index_, int(std::lround(volume_ * MIX_MAX_VOLUME)));
}

void TChannel::SetPan(float pan) {
  if (state != State::Open) return;
  const float p = std::clamp(pan, -1.0f, 1.0f);
  Mix_SetPanning(index_, Uint8(std::lround(127.5 * (1 - p))), Uint8(std::lround(127.5 * (1 + p))));
}

void TChannel::SetDepth(float) {}
void TChannel::SetRate(float) {}

bool TChannel::Playing() const { return state == State::Open && Mix_Playing(index_) != 0; }

SoundPtr LoadSound(const std::string& path, int flags) {
  if (!AudioAvailable()) return nullptr;
  std::vector<uint8_t> bytes;
  if (!LoadBytes(path, bytes)) return nullptr;
  Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), int(bytes.size())), 1);
  if (!chunk) return nullptr;
  auto sound = std::make_shared<TSound>();
  sound->chunk = chunk;
  sound->loop = (flags & SOUND_LOOP) != 0;
  return sound;
}

ChannelPtr AllocChannel() {
  if (!AudioAvailable()) return std::make_shared<TChannel>(-1);
  auto c = std::make_shared<TChannel>(ClaimIndex());
  c->SetVolume(1);
  return c;
}

ChannelPtr PlaySound(const SoundPtr& sound, ChannelPtr channel) {
  if (!channel) channel = AllocChannel();
  if (!sound || !sound->chunk || state != State::Open || channel->Index() < 0) return channel;
  Mix_Volume(channel->Index(), int(std::lround(channel->Volume() * MIX_MAX_VOLUME)));
  Mix_PlayChannel(channel->Index(), sound->chunk, sound->loop ? -1 : 0);
  return channel;
}

ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel) {
  if (!channel) channel = AllocChannel();
  if (!sound || !sound->chunk || state != State::Open || channel->Index() < 0) return channel;
  // Silent while it is being started, so no sound escapes before the pause takes hold.
  Mix_Volume(channel->Index(), 0);
  Mix_PlayChannel(channel->Index(), sound->chunk, sound->loop ? -1 : 0);
  Mix_Pause(channel->Index());
  Mix_Volume(channel->Index(), int(std::lround(channel->Volume() * MIX_MAX_VOLUME)));
  return channel;
}
