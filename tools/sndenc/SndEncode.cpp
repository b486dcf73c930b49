#include "SndEncode.h"

#include <opus/opus_custom.h>

#include <algorithm>
#include <cstdint>

namespace Corvale
{
namespace
{
constexpr int SAMPLES_PER_FRAME = 960;
constexpr int FRAME_SIZE_MAX = 1275;
constexpr int BITRATE_PER_CHANNEL_DEFAULT = 64000;

void PutU32(std::vector<unsigned char>* out, uint32_t value)
{
   for (int i = 0; i < 4; i++)
   {
      out->push_back(static_cast<unsigned char>(value >> (8 * i)));
   }
}
} // namespace

bool SndEncode(const WavPcm& wav, int bitrate, std::vector<unsigned char>* out, std::string* error)
{
   if (wav.sampleRate != SND_SAMPLE_RATE || (wav.channels != 1 && wav.channels != 2))
   {
      *error = "the sound must be mono or stereo at 48000 Hz (it is " + std::to_string(wav.channels) +
               " channels at " + std::to_string(wav.sampleRate) + " Hz)";
      return false;
   }
   if (bitrate <= 0)
   {
      bitrate = BITRATE_PER_CHANNEL_DEFAULT * wav.channels;
   }
   const int frameSize = bitrate * SAMPLES_PER_FRAME / SND_SAMPLE_RATE / 8;
   if (frameSize < 8 || frameSize > FRAME_SIZE_MAX)
   {
      *error = "a bit rate of " + std::to_string(bitrate) + " gives " + std::to_string(frameSize) +
               " bytes a frame, outside 8.." + std::to_string(FRAME_SIZE_MAX);
      return false;
   }

   int status = 0;
   OpusCustomMode* mode = opus_custom_mode_create(SND_SAMPLE_RATE, SAMPLES_PER_FRAME, &status);
   OpusCustomEncoder* encoder = mode ? opus_custom_encoder_create(mode, wav.channels, &status) : nullptr;
   if (!encoder)
   {
      *error = "unable to create the encoder (" + std::to_string(status) + ")";
      if (mode)
      {
         opus_custom_mode_destroy(mode);
      }
      return false;
   }
   // Every frame must have the header's byte count.
   opus_custom_encoder_ctl(encoder, OPUS_SET_VBR(0));

   const size_t frameSamples = static_cast<size_t>(SAMPLES_PER_FRAME) * wav.channels;
   const size_t frameCount = (wav.samples.size() + frameSamples - 1) / frameSamples;
   out->clear();
   PutU32(out, 1);
   PutU32(out, SND_SAMPLE_RATE);
   PutU32(out, static_cast<uint32_t>(frameCount));
   PutU32(out, static_cast<uint32_t>(frameSize));
   PutU32(out, SAMPLES_PER_FRAME);
   PutU32(out, static_cast<uint32_t>(wav.channels));
   std::vector<int16_t> pcm(frameSamples);
   std::vector<unsigned char> packet(static_cast<size_t>(frameSize));
   bool encoded = true;
   for (size_t frame = 0; frame < frameCount; frame++)
   {
      const size_t start = frame * frameSamples;
      const size_t count = std::min(frameSamples, wav.samples.size() - start);
      std::fill(pcm.begin(), pcm.end(), 0);
      std::copy(wav.samples.begin() + static_cast<long>(start),
                wav.samples.begin() + static_cast<long>(start + count), pcm.begin());
      const int bytes = opus_custom_encode(encoder, pcm.data(), SAMPLES_PER_FRAME, packet.data(), frameSize);
      if (bytes != frameSize)
      {
         *error = "frame " + std::to_string(frame) + " encoded to " + std::to_string(bytes) +
                  " bytes instead of " + std::to_string(frameSize);
         encoded = false;
         break;
      }
      out->insert(out->end(), packet.begin(), packet.end());
   }
   opus_custom_encoder_destroy(encoder);
   opus_custom_mode_destroy(mode);
   return encoded;
}
} // namespace Corvale
