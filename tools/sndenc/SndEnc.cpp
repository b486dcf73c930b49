// corvale-sndenc: encodes a 16-bit PCM WAV file at 48000 Hz into a ".snd" stream: a six-word
// header and Opus Custom (CELT) frames of 960 samples, all of one byte size (constant bit rate).
//   corvale-sndenc [--bitrate BITS_PER_SECOND] input.wav output.snd
#include <opus/opus_custom.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "WavPcm.h"

namespace Corvale
{
namespace
{
constexpr int SAMPLE_RATE = 48000;
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

int Encode(const std::string& inputPath, const std::string& outputPath, int bitrate)
{
   WavPcm wav;
   std::string error;
   if (!WavPcmRead(inputPath, &wav, &error))
   {
      std::fprintf(stderr, "corvale-sndenc: %s\n", error.c_str());
      return 1;
   }
   if (wav.sampleRate != SAMPLE_RATE || (wav.channels != 1 && wav.channels != 2))
   {
      std::fprintf(stderr,
                   "corvale-sndenc: %s must be mono or stereo at %d Hz (it is %d channels at %d Hz)\n",
                   inputPath.c_str(), SAMPLE_RATE, wav.channels, wav.sampleRate);
      return 1;
   }
   if (bitrate <= 0)
   {
      bitrate = BITRATE_PER_CHANNEL_DEFAULT * wav.channels;
   }
   int frameSize = bitrate * SAMPLES_PER_FRAME / SAMPLE_RATE / 8;
   if (frameSize < 8 || frameSize > FRAME_SIZE_MAX)
   {
      std::fprintf(stderr, "corvale-sndenc: a bit rate of %d gives %d bytes a frame, outside 8..%d\n",
                   bitrate, frameSize, FRAME_SIZE_MAX);
      return 1;
   }

   int status = 0;
   OpusCustomMode* mode = opus_custom_mode_create(SAMPLE_RATE, SAMPLES_PER_FRAME, &status);
   OpusCustomEncoder* encoder = mode ? opus_custom_encoder_create(mode, wav.channels, &status) : nullptr;
   if (!encoder)
   {
      std::fprintf(stderr, "corvale-sndenc: unable to create the encoder (%d)\n", status);
      if (mode)
      {
         opus_custom_mode_destroy(mode);
      }
      return 1;
   }
   // Every frame must have the header's byte count.
   opus_custom_encoder_ctl(encoder, OPUS_SET_VBR(0));

   size_t frameSamples = static_cast<size_t>(SAMPLES_PER_FRAME) * wav.channels;
   size_t frameCount = (wav.samples.size() + frameSamples - 1) / frameSamples;
   std::vector<unsigned char> out;
   PutU32(&out, 1);
   PutU32(&out, SAMPLE_RATE);
   PutU32(&out, static_cast<uint32_t>(frameCount));
   PutU32(&out, static_cast<uint32_t>(frameSize));
   PutU32(&out, SAMPLES_PER_FRAME);
   PutU32(&out, static_cast<uint32_t>(wav.channels));
   std::vector<int16_t> pcm(frameSamples);
   std::vector<unsigned char> packet(static_cast<size_t>(frameSize));
   int result = 0;
   for (size_t frame = 0; frame < frameCount && result == 0; frame++)
   {
      size_t start = frame * frameSamples;
      size_t count = std::min(frameSamples, wav.samples.size() - start);
      std::fill(pcm.begin(), pcm.end(), 0);
      std::copy(wav.samples.begin() + static_cast<long>(start),
                wav.samples.begin() + static_cast<long>(start + count), pcm.begin());
      int bytes = opus_custom_encode(encoder, pcm.data(), SAMPLES_PER_FRAME, packet.data(), frameSize);
      if (bytes != frameSize)
      {
         std::fprintf(stderr, "corvale-sndenc: frame %zu encoded to %d bytes instead of %d\n", frame, bytes,
                      frameSize);
         result = 1;
         break;
      }
      out.insert(out.end(), packet.begin(), packet.end());
   }
   opus_custom_encoder_destroy(encoder);
   opus_custom_mode_destroy(mode);
   if (result != 0)
   {
      return result;
   }

   FILE* file = std::fopen(outputPath.c_str(), "wb");
   if (!file)
   {
      std::fprintf(stderr, "corvale-sndenc: unable to create %s\n", outputPath.c_str());
      return 1;
   }
   bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
   written = std::fclose(file) == 0 && written;
   if (!written)
   {
      std::fprintf(stderr, "corvale-sndenc: unable to write %s\n", outputPath.c_str());
      return 1;
   }
   return 0;
}
} // namespace
} // namespace Corvale

int main(int argc, char** argv)
{
   int bitrate = 0;
   std::vector<std::string> paths;
   for (int i = 1; i < argc; i++)
   {
      if (std::strcmp(argv[i], "--bitrate") == 0 && i + 1 < argc)
      {
         bitrate = std::atoi(argv[++i]);
      }
      else
      {
         paths.push_back(argv[i]);
      }
   }
   if (paths.size() != 2)
   {
      std::fprintf(stderr, "usage: corvale-sndenc [--bitrate BITS_PER_SECOND] input.wav output.snd\n");
      return 2;
   }
   return Corvale::Encode(paths[0], paths[1], bitrate);
}
