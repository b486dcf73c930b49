// corvale-sndgen: draws our sounds procedurally, so that no recording is copied from anywhere.
//   corvale-sndgen card output.wav   a card laid on the table: a short, soft noise tap (mono)
//   corvale-sndgen cardmove N output.wav   tap N (1-3) of a card moved: the same tap, varied (mono)
//   corvale-sndgen chip output.wav   two chips touching: a short, bright click (mono)
//   corvale-sndgen flip output.wav   a card turned over: a quick rising swish (mono)
//   corvale-sndgen chime output.wav   a short bell chime that lets the player hear a volume (mono)
//   corvale-sndgen tune output.wav   a four-second test tune: plucked notes over a bass (stereo)
//   corvale-sndgen song <name> output.wav   one of the songs a profile unlocks by play (stereo):
//                                           Meadow, Harbour or Lantern
// Both are 16-bit at 48000 Hz and the same on every run.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

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
   explicit Noise(uint32_t seed = 0x2545F491u) : state(seed) {}
   double Next()
   {
      state ^= state << 13;
      state ^= state >> 17;
      state ^= state << 5;
      return static_cast<double>(state) / 4294967295.0 * 2.0 - 1.0;
   }

 private:
   uint32_t state;
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

// variant 0 is the card laid down; 1 to 3 are the taps of a card moved, each a little different in
// grain, pitch and length so that a run of moves does not sound mechanical.
WavPcm CardMake(int variant)
{
   static const uint32_t seeds[] = {0x2545F491u, 0x9E3779B9u, 0x7F4A7C15u, 0x1B873593u};
   static const double thumpHz[] = {140.0, 165.0, 150.0, 180.0};
   static const int lengthMs[] = {90, 70, 80, 65};
   static const double smooth[] = {0.35, 0.45, 0.40, 0.50};
   WavPcm wav;
   wav.channels = 1;
   wav.sampleRate = SAMPLE_RATE;
   int length = SAMPLE_RATE * lengthMs[variant] / 1000;
   Noise noise(seeds[variant]);
   double low = 0.0;
   for (int i = 0; i < length; i++)
   {
      double t = static_cast<double>(i) / SAMPLE_RATE;
      // Low-passed noise for the paper, and a faint thump for the table under it.
      low += (noise.Next() - low) * smooth[variant];
      double thump = std::sin(2.0 * PI * thumpHz[variant] * t) * std::exp(-t * 60.0);
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
      double value =
          (high * 0.5 * std::exp(-t * 160.0) + ring * 0.45 * std::exp(-t * 90.0)) * std::min(1.0, t / 0.0005);
      wav.samples.push_back(Clip(value * 0.8));
   }
   return wav;
}

// Glass breaking: a sharp crack of noise, then a shower of short high rings, each shard its own
// pitch and moment, fading over half a second.
WavPcm GlassBreakMake()
{
   WavPcm wav;
   wav.channels = 1;
   wav.sampleRate = SAMPLE_RATE;
   const int length = SAMPLE_RATE * 600 / 1000;
   Noise noise;
   const int shards = 14;
   double shardStart[shards];
   double shardPitch[shards];
   for (int k = 0; k < shards; k++)
   {
      shardStart[k] = 0.01 + 0.35 * (0.5 + 0.5 * noise.Next()) * (k + 1) / shards;
      shardPitch[k] = 2600.0 + 3400.0 * (0.5 + 0.5 * noise.Next());
   }
   double high = 0.0;
   double previous = 0.0;
   for (int i = 0; i < length; i++)
   {
      const double t = static_cast<double>(i) / SAMPLE_RATE;
      const double n = noise.Next();
      high = 0.7 * (high + n - previous);
      previous = n;
      double value = high * 0.8 * std::exp(-t * 45.0) * std::min(1.0, t / 0.0008);
      for (int k = 0; k < shards; k++)
      {
         const double s = t - shardStart[k];
         if (s > 0.0)
         {
            value += std::sin(2.0 * PI * shardPitch[k] * s) * 0.22 * std::exp(-s * 38.0);
         }
      }
      wav.samples.push_back(Clip(value * 0.6 * std::min(1.0, (0.6 - t) / 0.05)));
   }
   return wav;
}

// A card turned over: band-passed noise that swells and fades as the card's edge cuts the air,
// its band rising a little, with a faint snap at the end.
WavPcm FlipMake()
{
   WavPcm wav;
   wav.channels = 1;
   wav.sampleRate = SAMPLE_RATE;
   const int length = SAMPLE_RATE * 150 / 1000;
   Noise noise(0x5BD1E995u);
   double low = 0.0;
   double band = 0.0;
   for (int i = 0; i < length; i++)
   {
      const double t = static_cast<double>(i) / SAMPLE_RATE;
      const double progress = t / 0.15;
      low += (noise.Next() - low) * (0.25 + 0.35 * progress);
      band += (low - band) * 0.15;
      const double swell = std::sin(PI * std::min(1.0, progress * 1.15));
      const double snap = t > 0.12 ? std::sin(2.0 * PI * 1900.0 * t) * std::exp(-(t - 0.12) * 300.0) : 0.0;
      wav.samples.push_back(Clip(((low - band) * 1.6 * swell + snap * 0.25) * 0.8));
   }
   return wav;
}

WavPcm ChimeMake()
{
   WavPcm wav;
   wav.channels = 1;
   wav.sampleRate = SAMPLE_RATE;
   const int length = SAMPLE_RATE * 450 / 1000;
   // A bell's partials: the fundamental, its octave and a slightly inharmonic upper partial,
   // the higher ones fading sooner.
   const double partials[3][3] = {{1318.5, 0.55, 7.0}, {2637.0, 0.25, 11.0}, {3520.0 * 1.007, 0.12, 16.0}};
   for (int i = 0; i < length; i++)
   {
      const double t = static_cast<double>(i) / SAMPLE_RATE;
      double value = 0.0;
      for (const auto& partial : partials)
      {
         value += std::sin(2.0 * PI * partial[0] * t) * partial[1] * std::exp(-t * partial[2]);
      }
      wav.samples.push_back(Clip(value * 0.8 * std::min(1.0, t / 0.002)));
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

// A song: a melody of eighth notes over one chord per bar of four, in a voice of its own.
struct SongScore
{
   const char* name;
   double noteSeconds;
   // Semitones from A4; -100 is a rest.
   std::vector<int> melody;
   // The root of each bar's chord, in semitones from A4, and whether the chord is minor.
   std::vector<int> chordRoots;
   std::vector<bool> chordMinor;
   // How much of the second and third harmonic the lead has, and how fast its notes fade.
   double brightness;
   double decay;
};

const SongScore songScores[] = {
    {"Meadow",
     0.16,
     {0, 4, 7, 12, 11, 7, 4, 7, 5, 9,    12, 9,    7, 4,    2,    -100,
      0, 4, 7, 9,  7,  4, 2, 4, 0, -100, -5, -100, 0, -100, -100, -100},
     {-12, -12, -7, -7, -19, -19, -12, -12},
     {false, false, false, false, false, false, false, false},
     0.15,
     5.0},
    {"Harbour",
     0.22,
     {-5, 0,  3, 7, 5, 3, 0, 3, 2,  -2, -5, -2, 0, -100, 3,    5,
      7,  10, 8, 7, 5, 3, 2, 0, -2, 0,  2,  3,  0, -100, -100, -100},
     {-24, -24, -16, -16, -19, -19, -24, -24},
     {true, true, false, false, false, false, true, true},
     0.05,
     3.0},
    {"Lantern",
     0.18,
     {7, -100, 5, 7, 10, 7,  5,  2,  3, -100, 2, 3, 7, 5,    3, -2,
      0, 2,    3, 5, 7,  10, 12, 10, 7, -100, 5, 3, 2, -100, 0, -100},
     {-12, -12, -16, -16, -7, -7, -12, -12},
     {true, true, false, false, true, true, true, true},
     0.35,
     8.0},
};

const SongScore* SongScoreFind(const char* name)
{
   for (const SongScore& score : songScores)
   {
      if (std::strcmp(score.name, name) == 0)
      {
         return &score;
      }
   }
   return nullptr;
}

WavPcm SongMake(const SongScore& score)
{
   WavPcm wav;
   wav.channels = 2;
   wav.sampleRate = SAMPLE_RATE;
   const int noteCount = static_cast<int>(score.melody.size());
   const double barSeconds = 4 * score.noteSeconds;
   const int length = static_cast<int>(noteCount * score.noteSeconds * SAMPLE_RATE);
   wav.samples.resize(static_cast<size_t>(length) * 2);
   for (int i = 0; i < length; i++)
   {
      const double t = static_cast<double>(i) / SAMPLE_RATE;
      const int note = std::min(noteCount - 1, static_cast<int>(t / score.noteSeconds));
      const double inNote = t - note * score.noteSeconds;
      double lead = 0.0;
      if (score.melody[note] != -100)
      {
         const double f = NoteFrequency(score.melody[note]);
         const double attack = std::min(1.0, inNote / 0.01);
         lead = (std::sin(2.0 * PI * f * t) + score.brightness * std::sin(4.0 * PI * f * t) +
                 score.brightness * 0.5 * std::sin(6.0 * PI * f * t)) *
                attack * std::exp(-inNote * score.decay);
      }
      // A soft chord that swells in each bar: root, third and fifth.
      const size_t bar = static_cast<size_t>(t / barSeconds) % score.chordRoots.size();
      const double inBar = t - std::floor(t / barSeconds) * barSeconds;
      const int root = score.chordRoots[bar];
      const int third = root + (score.chordMinor[bar] ? 3 : 4);
      double pad = 0.0;
      for (int tone : {root, third, root + 7})
      {
         pad += std::sin(2.0 * PI * NoteFrequency(tone) * t);
      }
      pad *= std::min(1.0, inBar / 0.15) * (0.6 + 0.4 * std::exp(-inBar * 2.0)) / 3.0;
      // The song ends by fading its last bar rather than with a click.
      const double fade = std::min(1.0, (length - i) / (SAMPLE_RATE * 0.5));
      wav.samples[2 * i] = Clip((0.34 * lead + 0.26 * pad) * fade);
      wav.samples[2 * i + 1] = Clip((0.24 * lead + 0.34 * pad) * fade);
   }
   return wav;
}
} // namespace
} // namespace Corvale

int main(int argc, char** argv)
{
   const bool song = argc == 4 && std::strcmp(argv[1], "song") == 0;
   const Corvale::SongScore* score = song ? Corvale::SongScoreFind(argv[2]) : nullptr;
   const bool effect =
       argc == 3 && (std::strcmp(argv[1], "card") == 0 || std::strcmp(argv[1], "tune") == 0 ||
                     std::strcmp(argv[1], "chip") == 0 || std::strcmp(argv[1], "flip") == 0 ||
                     std::strcmp(argv[1], "chime") == 0 || std::strcmp(argv[1], "glass") == 0);
   const bool cardMove = argc == 4 && std::strcmp(argv[1], "cardmove") == 0 && argv[2][0] >= '1' &&
                         argv[2][0] <= '3' && argv[2][1] == '\0';
   if (song ? !score : !(effect || cardMove))
   {
      std::fprintf(
          stderr,
          "usage: corvale-sndgen card|tune|chip|flip|chime|glass output.wav, corvale-sndgen cardmove 1|2|3 "
          "output.wav, or corvale-sndgen song <name> output.wav\n");
      return 2;
   }
   Corvale::WavPcm wav = score                                ? Corvale::SongMake(*score)
                         : cardMove                           ? Corvale::CardMake(argv[2][0] - '0')
                         : std::strcmp(argv[1], "card") == 0  ? Corvale::CardMake(0)
                         : std::strcmp(argv[1], "chip") == 0  ? Corvale::ChipMake()
                         : std::strcmp(argv[1], "flip") == 0  ? Corvale::FlipMake()
                         : std::strcmp(argv[1], "chime") == 0 ? Corvale::ChimeMake()
                         : std::strcmp(argv[1], "glass") == 0 ? Corvale::GlassBreakMake()
                                                              : Corvale::TuneMake();
   const char* output = argv[argc - 1];
   std::string error;
   if (!Corvale::WavPcmWrite(output, wav, &error))
   {
      std::fprintf(stderr, "corvale-sndgen: %s\n", error.c_str());
      return 1;
   }
   return 0;
}
