#include "present/sound.h"

#include "media/debug.h"
#include "players/ranks.h"
#include "players/users.h"

#include <algorithm>
#include <string>
#include <vector>

std::shared_ptr<SFXSystem> SFX;
SoundPtr Music;
ChannelPtr MusicChannel;

namespace {

constexpr std::array<const char*, SFXSystem::SOUND_ANZ> EFFECT_NAMES = {
    "click",      "count",      "dropdown",   "flyback",    "gong",     "hintzoom",    "lampexplode",
    "mouseover",  "puzzlerotate", "puzzpick", "puzzzoom_1", "puzzzoom_2", "puzzzoom_3", "puzzzoom_4",
    "puzzzoom_5", "rainloop",   "texthit",    "windloop",   "bg_shoot", "bomb",        "combo",
    "freeze",     "levelcomplete", "wind",    "xplode"};

constexpr int SONG_COUNT = 3;

bool Valid(int index) { return index >= 0 && index < SFXSystem::SOUND_ANZ; }

}  // namespace

SFXSystem::SFXSystem() {
  std::vector<std::string> paths;
  std::vector<int> flags;
  for (int i = 0; i < SOUND_ANZ; ++i) {
    paths.push_back(std::string("incbin::../sfx/") + EFFECT_NAMES[size_t(i)] + ".ogg");
    flags.push_back((i == SFX_RAINLOOP || i == SFX_WINDLOOP) ? SOUND_LOOP : 0);
  }
  // Decoded while the first frames show; an effect played before its turn waits for it.
  const std::vector<SoundPtr> loaded = LoadSoundsInBackground(paths, flags);
  std::copy(loaded.begin(), loaded.end(), sfx.begin());
  for (auto& channel : sfxchannels) channel = AllocChannel();
}

int SFXSystem::Play(int index) {
  if (!Valid(index)) return 0;
  ChannelPtr& channel = sfxchannels[size_t(index)];
  if (Users && channel) channel->SetVolume(float(Users->GetCurrentUser()->SFXVolume) / 100.0f);
  channel = PlaySound(sfx[size_t(index)], channel);
  return 0;
}

int SFXSystem::Stop(int index) {
  DebugLog("Stopchannel " + std::to_string(index));
  if (Valid(index) && sfxchannels[size_t(index)]) sfxchannels[size_t(index)]->Stop();
  return 0;
}

int NextSong(TUser& user) {
  DebugLog("---- Change Song --- Start ----");
  user.Selected_Music += 1;
  if (user.Selected_Music >= SONG_COUNT || user.Selected_Music > UpdateRank(user)) user.Selected_Music = 0;
  DebugLog("Stop channel ");
  if (MusicChannel) MusicChannel->Stop();
  MusicChannel.reset();
  Music.reset();
  MusicChannel = AllocMusicChannel();
  const std::string song = "song" + std::to_string(user.Selected_Music + 1) + ".ogg";
  DebugLog("Load sound <-- ../sfx/" + song);
  Music = LoadSong("incbin::../sfx/" + song);
  DebugLog("Play sound,channel");
  MusicChannel->SetVolume(float(user.MusicVolume) / 100.0f);
  MusicChannel = PlaySound(Music, MusicChannel);
  DebugLog("---- Change Song --- End ------");
  return 0;
}

void InitSound() {
  static bool done = false;
  if (done) return;
  done = true;
  InitPlayers();
  SFX = std::make_shared<SFXSystem>();
  MusicChannel = AllocMusicChannel();
}

void PlaySfx(int index) {
  if (SFX) SFX->Play(index);
}

void StopSfx(int index) {
  if (SFX) SFX->Stop(index);
}
