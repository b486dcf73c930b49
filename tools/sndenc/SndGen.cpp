// corvale-sndgen: draws our sounds procedurally, so that no recording is copied from anywhere.
//   corvale-sndgen card output.wav   a card laid on the table: a short, soft noise tap (mono)
//   corvale-sndgen chip output.wav   two chips touching: a short, bright click (mono)
//   corvale-sndgen tune output.wav   a four-second test tune: plucked notes over a bass (stereo)
// Both are 16-bit at 48000 Hz and the same on every run.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "WavPcm.h"

namespace Corvale
{
namespace
{
constexpr int SAMPLE_RATE = 48000;
constexpr double PI = 3.14159265358979323846;

// A small fixed generator: the sounds must not change between builds.
class Noise
{
 public:
   double Next()
   {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      return static_cast<double>(state) / 4294967295.0 * 2.0 - 1.0;
   }

 private:
   uint32_t state = 0x2545F491u;
};

int16_t Clip(double value)
{
   if (value > 1.0)
   {
      value = 1.0;
   }
   if (value < -1.0)
   {
      value = -1.0;
   }
   return static_cast<int16_t>(std::lround(value * 32767.0));
}

WavPcm CardMake()
{
   WavPcm wav;
   wav.channels = 1;
   wav.sampleRate = SAMPLE_RATE;
   int length = SAMPLE_RATE * 90 / 1000;
   Noise noise;
   double low = 0.0;
   for (int i = 0; i < length; i++)
   {
      double t = static_cast<double>(i) / SAMPLE_RATE;
      // Low-passed noise for the paper, and a faint thump for the table under it.
      low += (noise.Next() - low) * 0.35;
      double thump = std::sin(2.0 * PI * 140.0 * t) * std::exp(-t * 60.0);
      double attack = std::min(1.0, t / 0.002);
      double value = (low * 0.8 + thump * 0.35) * attack * std::exp(-t * 45.0);
      wav.samples.push_back(Clip(value * 0.9));
   }
   return wav;
}

// Two chips touching: a bright, very short click with a ring of its own.
WavPcm ChipMake()
{
   WavPcm wav;
   wav.channels = 1;
   wav.sampleRate = SAMPLE_RATE;
   int length = SAMPLE_RATE * 60 / 1000;
   Noise noise;
   double high = 0.0;
   double previous = 0.0;
   for (int i = 0; i < length; i++)
   {
      double t = static_cast<double>(i) / SAMPLE_RATE;
      // High-passed noise for the clay, and two short partials for the chip's ring.
      double n = noise.Next();
      high = 0.6 * (high + n - previous);
      previous = n;
      double ring = std::sin(2.0 * PI * 3100.0 * t) * 0.6 + std::sin(2.0 * PI * 4700.0 * t) * 0.4;
      double value = (high * 0.5 * std::exp(-t * 160.0) + ring * 0.45 * std::exp(-t * 90.0)) *
                     std::min(1.0, t / 0.0005);
      wav.samples.push_back(Clip(value * 0.8));
   }
   return wav;
}

double NoteFrequency(int semitonesFromA4)
{
   return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

WavPcm TuneMake()
{
   WavPcm wav;
   wav.channels = 2;
   wav.sampleRate = SAMPLE_RATE;
   // Eighth notes at 120 beats a minute; semitones from A4, -100 is a rest.
   const int melody[] = {-9, -5, -2, 3, 2, -2, -5, -2, -7, -4, 0,  3,  0,  -4,   -7, -100,
                         -9, -5, -2, 3, 5, 3,  -2, -5, -4, -2, -5, -9, -9, -100, -9, -100};
   const int bass[] = {-33, -33, -26, -26, -28, -28, -33, -33};
   const double noteSeconds = 0.125;
   int noteCount = static_cast<int>(sizeof(melody) / sizeof(melody[0]));
   int length = static_cast<int>(noteCount * noteSeconds * SAMPLE_RATE);
   wav.samples.resize(static_cast<size_t>(length) * 2);
   for (int i = 0; i < length; i++)
   {
      double t = static_cast<double>(i) / SAMPLE_RATE;
      int note = static_cast<int>(t / noteSeconds);
      double inNote = t - note * noteSeconds;
      double lead = 0.0;
      if (melody[note] != -100)
      {
         double f = NoteFrequency(melody[note]);
         lead = (std::sin(2.0 * PI * f * t) + 0.3 * std::sin(4.0 * PI * f * t)) * std::exp(-inNote * 14.0);
      }
      int bar = note / 4;
      double inBar = t - bar * 4 * noteSeconds;
      double fb = NoteFrequency(bass[bar % 8]);
      double low = std::sin(2.0 * PI * fb * t) * std::exp(-inBar * 3.0);
      wav.samples[2 * i] = Clip(0.32 * lead + 0.28 * low);
      wav.samples[2 * i + 1] = Clip(0.22 * lead + 0.34 * low);
   }
   return wav;
}
} // namespace
} // namespace Corvale

int main(int argc, char** argv)
{
   const bool known = argc == 3 && (std::strcmp(argv[1], "card") == 0 || std::strcmp(argv[1], "tune") == 0 ||
                                    std::strcmp(argv[1], "chip") == 0);
   if (!known)
   {
      std::fprintf(stderr, "usage: corvale-sndgen card|tune|chip output.wav\n");
      return 2;
   }
   Corvale::WavPcm wav = std::strcmp(argv[1], "card") == 0   ? Corvale::CardMake()
                         : std::strcmp(argv[1], "chip") == 0 ? Corvale::ChipMake()
                                                             : Corvale::TuneMake();
   std::string error;
   if (!Corvale::WavPcmWrite(argv[2], wav, &error))
   {
      std::fprintf(stderr, "corvale-sndgen: %s\n", error.c_str());
      return 1;
   }
   return 0;
}
