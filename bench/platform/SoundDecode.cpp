// Decoding cost of the music streams: one minute of stereo at 48000 Hz in 960-sample frames of
// 320 bytes (the encoder's default), decoded as the sound thread decodes its pages.
#include <benchmark/benchmark.h>

#include <cmath>
#include <opus/opus_custom.h>
#include <vector>

namespace
{
constexpr int SAMPLE_RATE = 48000;
constexpr int SAMPLES_PER_FRAME = 960;
constexpr int CHANNELS = 2;
constexpr int FRAME_SIZE = 320;
constexpr int SECONDS = 60;

// A minute of two detuned notes with some noise, so that every band carries something.
std::vector<unsigned char> MinuteEncode(int* frameCount)
{
   int error = 0;
   OpusCustomMode* mode = opus_custom_mode_create(SAMPLE_RATE, SAMPLES_PER_FRAME, &error);
   OpusCustomEncoder* encoder = opus_custom_encoder_create(mode, CHANNELS, &error);
   opus_custom_encoder_ctl(encoder, OPUS_SET_VBR(0));
   *frameCount = SECONDS * SAMPLE_RATE / SAMPLES_PER_FRAME;
   std::vector<unsigned char> frames(static_cast<size_t>(*frameCount) * FRAME_SIZE);
   std::vector<opus_int16> pcm(SAMPLES_PER_FRAME * CHANNELS);
   unsigned noise = 12345;
   long t = 0;
   for (int frame = 0; frame < *frameCount; frame++)
   {
      for (int i = 0; i < SAMPLES_PER_FRAME; i++, t++)
      {
         noise = noise * 1103515245u + 12345u;
         double hiss = static_cast<double>((noise >> 16) & 0x7FFF) / 32768.0 - 0.5;
         double left = std::sin(2.0 * M_PI * 220.0 * t / SAMPLE_RATE) + 0.1 * hiss;
         double right = std::sin(2.0 * M_PI * 331.0 * t / SAMPLE_RATE) + 0.1 * hiss;
         pcm[2 * i] = static_cast<opus_int16>(left * 9000.0);
         pcm[2 * i + 1] = static_cast<opus_int16>(right * 9000.0);
      }
      int bytes = opus_custom_encode(encoder, pcm.data(), SAMPLES_PER_FRAME,
                                     &frames[static_cast<size_t>(frame) * FRAME_SIZE], FRAME_SIZE);
      benchmark::DoNotOptimize(bytes);
   }
   opus_custom_encoder_destroy(encoder);
   opus_custom_mode_destroy(mode);
   return frames;
}

void SoundDecodeMinuteStereo(benchmark::State& state)
{
   int frameCount = 0;
   std::vector<unsigned char> frames = MinuteEncode(&frameCount);
   int error = 0;
   OpusCustomMode* mode = opus_custom_mode_create(SAMPLE_RATE, SAMPLES_PER_FRAME, &error);
   OpusCustomDecoder* decoder = opus_custom_decoder_create(mode, CHANNELS, &error);
   std::vector<opus_int16> pcm(SAMPLES_PER_FRAME * CHANNELS);
   for (auto _ : state)
   {
      for (int frame = 0; frame < frameCount; frame++)
      {
         int decoded = opus_custom_decode(decoder, &frames[static_cast<size_t>(frame) * FRAME_SIZE],
                                          FRAME_SIZE, pcm.data(), SAMPLES_PER_FRAME);
         benchmark::DoNotOptimize(decoded);
      }
      benchmark::ClobberMemory();
   }
   // Read as: CPU time spent for each second of music.
   state.counters["cpu_per_audio_second"] =
       benchmark::Counter(static_cast<double>(state.iterations()) * SECONDS,
                          benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
   opus_custom_decoder_destroy(decoder);
   opus_custom_mode_destroy(mode);
}
BENCHMARK(SoundDecodeMinuteStereo)->Unit(benchmark::kMillisecond);
} // namespace
