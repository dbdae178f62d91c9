// The instruments the music and the effects share: bamboo flute, singing bowl, bells,
// wooden bars, a soft hand drum, a temple gong and a slowly breathing drone. Each
// renders one mono note; callers place and pan it.
#pragma once

#include "audio_synth.h"

#include <cstdint>
#include <vector>

namespace audio {

// Breathy bamboo flute with a small pitch scoop and delayed vibrato.
std::vector<float> Flute(double freq, double seconds, uint32_t seed);
// Struck singing bowl: beating mode pairs, long ring.
std::vector<float> Bowl(double freq, double seconds, double strike = 1.0);
// Small bright bell or chime bar.
std::vector<float> Bell(double freq, double seconds, double brightness = 1.0);
// Wooden bar or block: short, warm; hardness 0..1 adds a sharper click.
std::vector<float> Wood(double freq, double seconds, double hardness = 0.5);
// Soft hand drum: a skin thump that falls slightly in pitch.
std::vector<float> HandDrum(double freq, double seconds, uint32_t seed);
// Deep temple gong whose upper partials bloom after the stroke.
std::vector<float> Gong(double freq, double seconds, uint32_t seed);
// Sustained drone with slowly breathing harmonics; fades in and out over `swell`
// (0: none). With a period (seconds) it repeats exactly after it.
std::vector<float> Drone(double freq, double seconds, double swell, uint32_t seed, double period = 0.0);
// Band-passed noise puff (shaker, breath, whoosh part); centre and width in Hz.
std::vector<float> NoiseBurst(double centre, double q, double seconds, double decay, uint32_t seed);

}  // namespace audio
