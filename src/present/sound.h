// The sound bank: 25 effects addressed by index, each on a channel of its own so that
// playing an effect again restarts it instead of layering it, at the current player's
// effect volume; and the one looping song on the music channel, stepped by NextSong.
#pragma once

#include "media/audio.h"

#include <array>
#include <memory>

class TUser;

constexpr int SFX_CLICK = 0, SFX_COUNT = 1, SFX_DROPDOWN = 2, SFX_FLYBACK = 3, SFX_GONG = 4,
              SFX_HINTZOOM = 5, SFX_LAMPEXPLODE = 6, SFX_MOUSEOVER = 7, SFX_PUZZLEROTATE = 8,
              SFX_PUZZPICK = 9, SFX_PUZZZOOM_1 = 10, SFX_PUZZZOOM_2 = 11, SFX_PUZZZOOM_3 = 12,
              SFX_PUZZZOOM_4 = 13, SFX_PUZZZOOM_5 = 14, SFX_RAINLOOP = 15, SFX_TEXTHIT = 16,
              SFX_WINDLOOP = 17, SFX_BG_SHOOT = 18, SFX_BOMB = 19, SFX_COMBO = 20, SFX_FREEZE = 21,
              SFX_LEVELCOMPLETE = 22, SFX_WIND = 23, SFX_XPLODE = 24;

class SFXSystem {
public:
  static constexpr int SOUND_ANZ = 25;

  // Loads every effect (a failed load leaves an empty slot) and gives each a channel.
  SFXSystem();

  std::array<SoundPtr, SOUND_ANZ> sfx;
  std::array<ChannelPtr, SOUND_ANZ> sfxchannels;

  // Unknown indices and effects that failed to load are ignored.
  int Play(int index);
  int Stop(int index);
};

extern std::shared_ptr<SFXSystem> SFX;

// Plays or stops an effect of the bank; nothing before the sound module has started.
void PlaySfx(int index);
void StopSfx(int index);
extern SoundPtr Music;
extern ChannelPtr MusicChannel;

// Steps the player's song (limited by rank) and restarts the music at the player's volume.
int NextSong(TUser& user);

// Starts the sound module once (after the profile module): SFX and MusicChannel.
void InitSound();
