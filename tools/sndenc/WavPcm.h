// 16-bit PCM WAV files for the sound tools: the generator writes them, the encoder reads them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Corvale
{
struct WavPcm
{
   int channels = 1;
   int sampleRate = 48000;
   // Interleaved samples.
   std::vector<int16_t> samples;
};

// Reads a RIFF file of 16-bit PCM; false with a message in error otherwise.
bool WavPcmRead(const std::string& path, WavPcm* wav, std::string* error);
bool WavPcmWrite(const std::string& path, const WavPcm& wav, std::string* error);
} // namespace Corvale
