// Sounds and channels on SDL_mixer. A sound is a decoded sample; a channel is a voice
// with its own volume. Playing a sound on a channel replaces what that channel played.
// When no audio device can be opened the layer falls back to a silent driver, and if even
// that fails every load returns nullptr (callers carry on without sound).
#pragma once

#include <memory>
#include <string>

struct Mix_Chunk;

class TSound {
public:
  ~TSound();
  Mix_Chunk* chunk = nullptr;
  bool loop = false;
  double Seconds() const;
};
using SoundPtr = std::shared_ptr<TSound>;

class TChannel {
public:
  explicit TChannel(int index);
  ~TChannel();  // stops the voice and frees it
  TChannel(const TChannel&) = delete;
  TChannel& operator=(const TChannel&) = delete;

  void Stop();
  void SetPaused(bool paused);
  void SetVolume(float volume);  // 0..1
  void SetPan(float pan);        // −1 left .. 1 right
  void SetDepth(float depth);    // accepted, no effect in stereo
  void SetRate(float rate);      // accepted, playback stays at the sample's rate
  bool Playing() const;
  float Volume() const { return volume_; }
  int Index() const { return index_; }

private:
  int index_;
  float volume_ = 1;
};
using ChannelPtr = std::shared_ptr<TChannel>;

constexpr int SOUND_LOOP = 1;

bool AudioAvailable();  // opens the mixer on first use
SoundPtr LoadSound(const std::string& path, int flags = 0);
ChannelPtr AllocChannel();
// Plays on the given channel (replacing) or on a fresh one; returns the channel used.
ChannelPtr PlaySound(const SoundPtr& sound, ChannelPtr channel = nullptr);
// Prepares the sound paused on the channel; SetPaused(false) starts it.
ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel = nullptr);
void CloseAudio();
