// The ".snd" stream encoder shared by the sound tools: a six-word header and Opus Custom (CELT)
// frames of 960 samples, all of one byte size (constant bit rate), from 16-bit PCM at 48000 Hz.
#pragma once

#include <string>
#include <vector>

#include "WavPcm.h"

namespace Corvale
{
constexpr int SND_SAMPLE_RATE = 48000;

// bitrate <= 0 takes 64 kbit/s a channel. False with a message in error.
bool SndEncode(const WavPcm& wav, int bitrate, std::vector<unsigned char>* out, std::string* error);
} // namespace Corvale
