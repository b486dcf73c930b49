// 16-bit PCM WAV reading and writing for the sound tools (little-endian, chunks padded to even).
#include "WavPcm.h"

#include <cstdio>
#include <cstring>

namespace Corvale
{
namespace
{
uint32_t U32(const unsigned char* b)
{
   return static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 | static_cast<uint32_t>(b[2]) << 16 |
          static_cast<uint32_t>(b[3]) << 24;
}

uint16_t U16(const unsigned char* b)
{
   return static_cast<uint16_t>(b[0] | b[1] << 8);
}

void PutU32(std::vector<unsigned char>* out, uint32_t value)
{
   for (int i = 0; i < 4; i++)
   {
      out->push_back(static_cast<unsigned char>(value >> (8 * i)));
   }
}

void PutU16(std::vector<unsigned char>* out, uint16_t value)
{
   out->push_back(static_cast<unsigned char>(value));
   out->push_back(static_cast<unsigned char>(value >> 8));
}
} // namespace

bool WavPcmRead(const std::string& path, WavPcm* wav, std::string* error)
{
   FILE* file = std::fopen(path.c_str(), "rb");
   if (!file)
   {
      *error = "unable to open " + path;
      return false;
   }
   std::vector<unsigned char> bytes;
   unsigned char piece[65536];
   size_t got;
   while ((got = std::fread(piece, 1, sizeof(piece), file)) > 0)
   {
      bytes.insert(bytes.end(), piece, piece + got);
   }
   std::fclose(file);
   if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
       std::memcmp(&bytes[8], "WAVE", 4) != 0)
   {
      *error = path + " is not a RIFF WAVE file";
      return false;
   }
   bool haveFormat = false;
   size_t at = 12;
   while (at + 8 <= bytes.size())
   {
      uint32_t size = U32(&bytes[at + 4]);
      const unsigned char* body = &bytes[at + 8];
      if (size > bytes.size() - at - 8)
      {
         *error = path + " has a chunk that runs past the end of the file";
         return false;
      }
      if (std::memcmp(&bytes[at], "fmt ", 4) == 0 && size >= 16)
      {
         if (U16(body) != 1 || U16(body + 14) != 16)
         {
            *error = path + " is not 16-bit PCM";
            return false;
         }
         wav->channels = U16(body + 2);
         wav->sampleRate = static_cast<int>(U32(body + 4));
         haveFormat = true;
      }
      else if (std::memcmp(&bytes[at], "data", 4) == 0)
      {
         if (!haveFormat)
         {
            *error = path + " has its data before its format";
            return false;
         }
         wav->samples.resize(size / 2);
         for (size_t i = 0; i < wav->samples.size(); i++)
         {
            wav->samples[i] = static_cast<int16_t>(U16(body + 2 * i));
         }
         return true;
      }
      at += 8 + size + (size & 1);
   }
   *error = path + " has no data chunk";
   return false;
}

bool WavPcmWrite(const std::string& path, const WavPcm& wav, std::string* error)
{
   uint32_t dataSize = static_cast<uint32_t>(wav.samples.size() * 2);
   std::vector<unsigned char> out;
   out.insert(out.end(), {'R', 'I', 'F', 'F'});
   PutU32(&out, 36 + dataSize + (dataSize & 1));
   out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
   PutU32(&out, 16);
   PutU16(&out, 1);
   PutU16(&out, static_cast<uint16_t>(wav.channels));
   PutU32(&out, static_cast<uint32_t>(wav.sampleRate));
   PutU32(&out, static_cast<uint32_t>(wav.sampleRate * wav.channels * 2));
   PutU16(&out, static_cast<uint16_t>(wav.channels * 2));
   PutU16(&out, 16);
   out.insert(out.end(), {'d', 'a', 't', 'a'});
   PutU32(&out, dataSize);
   for (int16_t sample : wav.samples)
   {
      PutU16(&out, static_cast<uint16_t>(sample));
   }
   FILE* file = std::fopen(path.c_str(), "wb");
   if (!file)
   {
      *error = "unable to create " + path;
      return false;
   }
   bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
   written = std::fclose(file) == 0 && written;
   if (!written)
   {
      *error = "unable to write " + path;
   }
   return written;
}
} // namespace Corvale
