#include "media/audio.h"

#include "media/debug.h"
#include "media/stream.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <future>
#include <thread>
#include <utility>
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

// Starts SDL's audio with the given driver (the system's choice when null) and the mixer.
// Without a driver it may run on a worker thread (naming one sets an environment variable).
bool Open(const char* driver) {
  if (driver) SDL_setenv("SDL_AUDIODRIVER", driver, 1);
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  return true;
}

bool OpenSystemDevice() { return Open(nullptr); }

// The device being opened on a worker thread, while the window opens.
std::shared_future<bool>& Opening() {
  static auto* opening = new std::shared_future<bool>();
  return *opening;
}

// The music channel whose song plays (or waits paused) on the music voice.
const TChannel* musicOwner = nullptr;

// Decodes running on worker threads; the mixer closes only after they have finished.
std::vector<std::shared_future<void>>& Pending() {
  static auto* pending = new std::vector<std::shared_future<void>>();
  return *pending;
}

Mix_Chunk* Decode(const TBytes& bytes) {
  return Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.Data(), int(bytes.Size())), 1);
}

std::shared_future<Mix_Chunk*> Ready(Mix_Chunk* chunk) {
  std::promise<Mix_Chunk*> p;
  p.set_value(chunk);
  return p.get_future().share();
}

int Byte(float volume) { return int(std::lround(volume * MIX_MAX_VOLUME)); }

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
    bool ok = false;
    if (Opening().valid()) {
      ok = Opening().get();
      Opening() = {};
    } else {
      ok = OpenSystemDevice();
    }
    // A machine without a sound device still runs the game, silently.
    ok = ok || Open("dummy");
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

void OpenAudioInBackground() {
  if (state != State::Closed || Opening().valid()) return;
  Opening() = std::async(std::launch::async, [] {
                const bool ok = OpenSystemDevice();
                SDL_TLSCleanup();  // SDL's error text for this thread, freed only by SDL's own threads
                return ok;
              }).share();
}

void FinishSoundDecodes() {
  for (const auto& job : Pending()) job.wait();
  Pending().clear();
}

void CloseAudio() {
  if (Opening().valid()) AudioAvailable();  // an opening device is closed once it is open
  FinishSoundDecodes();
  if (state != State::Open) return;
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  musicOwner = nullptr;
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  Used().clear();
  state = State::Closed;
}

TSound::~TSound() {
  if (state != State::Open) return;
  if (song) Mix_FreeMusic(song);  // stops it if it plays
  if (Mix_Chunk* chunk = Chunk()) Mix_FreeChunk(chunk);
}

Mix_Chunk* TSound::Chunk() const { return decoded.valid() ? decoded.get() : nullptr; }

double TSound::Seconds() const {
  if (song) return std::max(0.0, Mix_MusicDuration(song));
  int freq = 44100, channels = 2;
  Uint16 format = AUDIO_S16SYS;
  const Mix_Chunk* chunk = Chunk();
  if (!chunk || !Mix_QuerySpec(&freq, &format, &channels)) return 0;
  return double(chunk->alen) / (double(freq) * channels * (SDL_AUDIO_BITSIZE(format) / 8));
}

TChannel::TChannel(int index) : index_(index) {}

TChannel::~TChannel() {
  if (state != State::Open) return;
  if (OwnsMusic()) {
    Mix_HaltMusic();
    musicOwner = nullptr;
  }
  if (index_ < 0 || size_t(index_) >= Used().size()) return;
  Mix_HaltChannel(index_);
  Used()[size_t(index_)] = false;
}

bool TChannel::OwnsMusic() const { return index_ == MUSIC && musicOwner == this; }

void TChannel::Stop() {
  if (state != State::Open) return;
  if (OwnsMusic())
    Mix_HaltMusic();
  else if (index_ >= 0)
    Mix_HaltChannel(index_);
}

void TChannel::SetPaused(bool paused) {
  if (state != State::Open) return;
  if (OwnsMusic())
    paused ? Mix_PauseMusic() : Mix_ResumeMusic();
  else if (index_ >= 0)
    paused ? Mix_Pause(index_) : Mix_Resume(index_);
}

void TChannel::SetVolume(float volume) {
  volume_ = std::clamp(volume, 0.0f, 1.0f);
  if (state != State::Open) return;
  if (OwnsMusic())
    Mix_VolumeMusic(Byte(volume_));
  else if (index_ >= 0)
    Mix_Volume(index_, Byte(volume_));
}

void TChannel::SetPan(float pan) {
  if (state != State::Open || index_ < 0) return;
  const float p = std::clamp(pan, -1.0f, 1.0f);
  Mix_SetPanning(index_, Uint8(std::lround(127.5 * (1 - p))), Uint8(std::lround(127.5 * (1 + p))));
}

void TChannel::SetDepth(float) {}
void TChannel::SetRate(float) {}

bool TChannel::Playing() const {
  if (state != State::Open) return false;
  if (index_ == MUSIC) return OwnsMusic() && Mix_PlayingMusic() != 0;
  return index_ >= 0 && Mix_Playing(index_) != 0;
}

SoundPtr LoadSound(const std::string& path, int flags) {
  if (!AudioAvailable()) return nullptr;
  const TBytes bytes = ReadAllBytes(path);
  Mix_Chunk* chunk = bytes.Valid() ? Decode(bytes) : nullptr;
  if (!chunk) return nullptr;
  auto sound = std::make_shared<TSound>();
  sound->decoded = Ready(chunk);
  sound->loop = (flags & SOUND_LOOP) != 0;
  return sound;
}

std::vector<SoundPtr> LoadSoundsInBackground(const std::vector<std::string>& paths, const std::vector<int>& flags) {
  std::vector<SoundPtr> sounds(paths.size());
  if (!AudioAvailable()) return sounds;
  std::vector<std::pair<TBytes, std::promise<Mix_Chunk*>>> jobs;
  for (size_t i = 0; i < paths.size(); ++i) {
    TBytes bytes = ReadAllBytes(paths[i]);
    if (!bytes.Valid()) continue;
    sounds[i] = std::make_shared<TSound>();
    sounds[i]->loop = i < flags.size() && (flags[i] & SOUND_LOOP) != 0;
    jobs.emplace_back(std::move(bytes), std::promise<Mix_Chunk*>());
    sounds[i]->decoded = jobs.back().second.get_future().share();
  }
  Pending().push_back(std::async(std::launch::async, [jobs = std::move(jobs)]() mutable {
                        for (auto& [bytes, chunk] : jobs) chunk.set_value(Decode(bytes));
                      }).share());
  return sounds;
}

SoundPtr LoadSong(const std::string& path, int flags) {
  if (!AudioAvailable()) return nullptr;
  auto sound = std::make_shared<TSound>();
  sound->bytes = ReadAllBytes(path);
  if (!sound->bytes.Valid()) return nullptr;
  sound->song = Mix_LoadMUS_RW(SDL_RWFromConstMem(sound->bytes.Data(), int(sound->bytes.Size())), 1);
  if (!sound->song) return nullptr;
  sound->loop = (flags & SOUND_LOOP) != 0;
  return sound;
}

ChannelPtr AllocChannel() {
  if (!AudioAvailable()) return std::make_shared<TChannel>(-1);
  auto c = std::make_shared<TChannel>(ClaimIndex());
  c->SetVolume(1);
  return c;
}

ChannelPtr AllocMusicChannel() { return std::make_shared<TChannel>(AudioAvailable() ? TChannel::MUSIC : -1); }

namespace {

// Starts the song on the music voice at the channel's volume, paused if asked.
ChannelPtr StartSong(const TSound& sound, ChannelPtr channel, bool paused) {
  if (channel->Index() != TChannel::MUSIC) {
    const float volume = channel->Volume();
    channel = AllocMusicChannel();
    channel->SetVolume(volume);
  }
  if (channel->Index() != TChannel::MUSIC) return channel;
  musicOwner = channel.get();
  // The volume is set first so that no block is mixed at full volume.
  Mix_VolumeMusic(paused ? 0 : Byte(channel->Volume()));
  Mix_PlayMusic(sound.song, sound.loop ? -1 : 1);
  if (paused) {
    Mix_PauseMusic();
    Mix_VolumeMusic(Byte(channel->Volume()));
  }
  return channel;
}

ChannelPtr Start(const SoundPtr& sound, ChannelPtr channel, bool paused) {
  if (!channel) channel = AllocChannel();
  if (!sound || state != State::Open) return channel;
  if (sound->song) return StartSong(*sound, channel, paused);
  Mix_Chunk* chunk = sound->Chunk();
  if (!chunk || channel->Index() < 0) return channel;
  // Silent while a cued sound is being started, so nothing escapes before the pause holds.
  Mix_Volume(channel->Index(), paused ? 0 : Byte(channel->Volume()));
  Mix_PlayChannel(channel->Index(), chunk, sound->loop ? -1 : 0);
  if (paused) {
    Mix_Pause(channel->Index());
    Mix_Volume(channel->Index(), Byte(channel->Volume()));
  }
  return channel;
}

}  // namespace

ChannelPtr PlaySound(const SoundPtr& sound, ChannelPtr channel) { return Start(sound, std::move(channel), false); }

ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel) { return Start(sound, std::move(channel), true); }
