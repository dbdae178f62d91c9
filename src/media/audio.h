// Sounds and channels on SDL_mixer. A sound is a decoded sample, or a song streamed from
// its encoded bytes while it plays; a channel is a voice with its own volume. Playing a
// sound on a channel replaces what that channel played; songs play on the one music voice.
// When no audio device can be opened the layer falls back to a silent driver, and if even
// that fails every load returns nullptr (callers carry on without sound).
#pragma once

#include "media/stream.h"

#include <future>
#include <memory>
#include <string>
#include <vector>

struct Mix_Chunk;
typedef struct _Mix_Music Mix_Music;

constexpr int SOUND_LOOP = 1;

class TSound {
public:
  TSound() = default;
  TSound(const TSound&) = delete;
  TSound& operator=(const TSound&) = delete;
  ~TSound();

  bool loop = false;
  double Seconds() const;
  // The decoded sample; waits for a decode still running in the background. nullptr for a
  // song and for data that did not decode.
  Mix_Chunk* Chunk() const;

  // Set by the loaders.
  std::shared_future<Mix_Chunk*> decoded;
  Mix_Music* song = nullptr;
  TBytes bytes;  // what a song streams from
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
  static constexpr int MUSIC = -2;  // the index of the music voice

private:
  bool OwnsMusic() const;
  int index_;
  float volume_ = 1;
};
using ChannelPtr = std::shared_ptr<TChannel>;

bool AudioAvailable();  // opens the mixer on first use (or waits for it to open)
// Starts opening the sound device on a worker thread (it can take a tenth of a second
// or more); the first sound call waits for it.
void OpenAudioInBackground();
SoundPtr LoadSound(const std::string& path, int flags = 0);
// Sounds whose decoding runs on a worker thread, so that loading them never holds up a
// frame; each is ready at its first use (which waits only if its decode is still running).
// A missing file gives nullptr at once.
std::vector<SoundPtr> LoadSoundsInBackground(const std::vector<std::string>& paths, const std::vector<int>& flags);
// A song, streamed while it plays (an embedded one straight from the program's bytes).
SoundPtr LoadSong(const std::string& path, int flags = SOUND_LOOP);
ChannelPtr AllocChannel();
// The channel of the music voice: one song at a time, with the channel's volume.
ChannelPtr AllocMusicChannel();
// Plays on the given channel (replacing) or on a fresh one; returns the channel used. A song
// always plays on a music channel (a fresh one if the given channel is not).
ChannelPtr PlaySound(const SoundPtr& sound, ChannelPtr channel = nullptr);
// Prepares the sound paused on the channel; SetPaused(false) starts it.
ChannelPtr CueSound(const SoundPtr& sound, ChannelPtr channel = nullptr);
// Waits until every sound queued for the worker thread is decoded.
void FinishSoundDecodes();
// Waits for background decodes, then closes the mixer.
void CloseAudio();
