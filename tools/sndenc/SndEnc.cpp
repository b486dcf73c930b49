// corvale-sndenc: encodes a 16-bit PCM WAV file at 48000 Hz into a ".snd" stream.
//   corvale-sndenc [--bitrate BITS_PER_SECOND] input.wav output.snd
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "SndEncode.h"
#include "WavPcm.h"

namespace Corvale
{
namespace
{
int Encode(const std::string& inputPath, const std::string& outputPath, int bitrate)
{
   WavPcm wav;
   std::string error;
   std::vector<unsigned char> out;
   if (!WavPcmRead(inputPath, &wav, &error) || !SndEncode(wav, bitrate, &out, &error))
   {
      std::fprintf(stderr, "corvale-sndenc: %s: %s\n", inputPath.c_str(), error.c_str());
      return 1;
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
