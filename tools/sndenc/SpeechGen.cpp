// corvale-speechgen: speaks every dialog line of the constants in each language of the text tree
// with espeak-ng, in its speaker's voice, and encodes it into "Speech/<Language>/<Speech>.snd".
//   corvale-speechgen --data <source data> --output <build data> --scratch <folder> [--jobs N]
// A line's speaker is the character whose name begins the names of the dialog groups that hand it
// out; lines no character's group hands out (the tutorials') take "NarratorVoice". A line whose
// text, voice and speaking program are unchanged since the last run is not made again; the files of
// lines that are gone are removed. Without espeak-ng it says so once and makes nothing: the lines
// then show as text.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <yajl/yajl_tree.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "SndEncode.h"
#include "WavPcm.h"

namespace fs = std::filesystem;

namespace Corvale
{
namespace
{
const char* const TOOL = "corvale-speechgen";
// Raised when the way a line is made changes, so that every line is made again.
constexpr int RECIPE = 1;
// Speech needs far less than music: 32 kbit/s mono.
constexpr int SPEECH_BITRATE = 32000;

// The languages of the text tree and espeak-ng's voices for them.
const std::map<std::string, std::string> LANGUAGE_VOICES = {
    {"English", "en-gb"}, {"French", "fr-fr"}, {"German", "de"}, {"Italian", "it"},
    {"Russian", "ru"},    {"Spanish", "es"},   {"Dutch", "nl"}};

struct Voice
{
   std::string variant = "m3";
   int pitch = 50;
   int speed = 160;
};

struct Job
{
   std::string language;
   std::string languageVoice;
   std::string speech;
   std::string text;
   Voice voice;
};

struct Tree
{
   yajl_val root = nullptr;
   ~Tree() { yajl_tree_free(root); }
};

bool TreeLoad(const fs::path& path, Tree* tree)
{
   std::ifstream in(path, std::ios::binary);
   if (!in)
   {
      std::fprintf(stderr, "%s: unable to read %s\n", TOOL, path.c_str());
      return false;
   }
   std::stringstream text;
   text << in.rdbuf();
   char error[512] = {0};
   tree->root = yajl_tree_parse(text.str().c_str(), error, sizeof(error));
   if (!tree->root || !YAJL_IS_OBJECT(tree->root))
   {
      std::fprintf(stderr, "%s: %s is not a JSON object: %s\n", TOOL, path.c_str(), error);
      return false;
   }
   return true;
}

yajl_val Member(yajl_val object, const char* key)
{
   if (!object || !YAJL_IS_OBJECT(object))
   {
      return nullptr;
   }
   for (size_t i = 0; i < object->u.object.len; i++)
   {
      if (std::strcmp(object->u.object.keys[i], key) == 0)
      {
         return object->u.object.values[i];
      }
   }
   return nullptr;
}

Voice VoiceRead(yajl_val entry, const Voice& fallback)
{
   Voice voice = fallback;
   yajl_val variant = Member(entry, "Variant");
   yajl_val pitch = Member(entry, "Pitch");
   yajl_val speed = Member(entry, "Speed");
   if (variant && YAJL_IS_STRING(variant))
   {
      voice.variant = YAJL_GET_STRING(variant);
   }
   if (pitch && YAJL_IS_INTEGER(pitch))
   {
      voice.pitch = static_cast<int>(std::clamp<long long>(YAJL_GET_INTEGER(pitch), 0, 99));
   }
   if (speed && YAJL_IS_INTEGER(speed))
   {
      voice.speed = static_cast<int>(std::clamp<long long>(YAJL_GET_INTEGER(speed), 80, 450));
   }
   return voice;
}

// The words as a player reads them: font tags and format codes out, "%%" as "%".
std::string SpokenText(const std::string& text)
{
   std::string out;
   for (size_t i = 0; i < text.size();)
   {
      if (text.compare(i, 6, "<font=") == 0 && text.find('>', i) != std::string::npos)
      {
         i = text.find('>', i) + 1;
         continue;
      }
      if (text.compare(i, 7, "</font>") == 0)
      {
         i += 7;
         continue;
      }
      if (text[i] == '%')
      {
         if (i + 1 < text.size() && text[i + 1] == '%')
         {
            out += '%';
            i += 2;
            continue;
         }
         size_t j = i + 1;
         while (j < text.size() && std::strchr("-+ #0123456789.l", text[j]))
         {
            j++;
         }
         if (j < text.size() && std::strchr("sdiufxXc", text[j]))
         {
            i = j + 1;
            continue;
         }
      }
      out += text[i] == '\n' ? ' ' : text[i];
      i++;
   }
   // Spaces left where a value was taken out.
   std::string squeezed;
   for (char c : out)
   {
      if (!(c == ' ' && (squeezed.empty() || squeezed.back() == ' ')))
      {
         squeezed += c;
      }
   }
   while (!squeezed.empty() && squeezed.back() == ' ')
   {
      squeezed.pop_back();
   }
   return squeezed;
}

// Runs a program with text on its standard input and gives back its standard output.
bool ProgramRun(const std::vector<std::string>& arguments, const std::string& input, std::string* output)
{
   // Close-on-exec: another thread's child must not inherit this child's stdin, or it never ends.
   int toChild[2];
   int fromChild[2];
   if (pipe2(toChild, O_CLOEXEC) != 0)
   {
      return false;
   }
   if (pipe2(fromChild, O_CLOEXEC) != 0)
   {
      close(toChild[0]);
      close(toChild[1]);
      return false;
   }
   const pid_t child = fork();
   if (child < 0)
   {
      close(toChild[0]);
      close(toChild[1]);
      close(fromChild[0]);
      close(fromChild[1]);
      return false;
   }
   if (child == 0)
   {
      dup2(toChild[0], 0);
      dup2(fromChild[1], 1);
      close(toChild[0]);
      close(toChild[1]);
      close(fromChild[0]);
      close(fromChild[1]);
      std::vector<char*> argv;
      for (const std::string& argument : arguments)
      {
         argv.push_back(const_cast<char*>(argument.c_str()));
      }
      argv.push_back(nullptr);
      execvp(argv[0], argv.data());
      _exit(127);
   }
   close(toChild[0]);
   close(fromChild[1]);
   // The lines are short: the whole text fits the pipe before the program answers.
   bool wrote = write(toChild[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
   close(toChild[1]);
   char buffer[65536];
   ssize_t got = 0;
   output->clear();
   while ((got = read(fromChild[0], buffer, sizeof(buffer))) > 0)
   {
      output->append(buffer, static_cast<size_t>(got));
   }
   close(fromChild[0]);
   int status = 0;
   waitpid(child, &status, 0);
   return wrote && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

uint32_t LittleU32(const std::string& bytes, size_t at)
{
   return static_cast<uint32_t>(static_cast<unsigned char>(bytes[at])) |
          static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8 |
          static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 2])) << 16 |
          static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + 3])) << 24;
}

// espeak-ng's WAV on standard output: mono 16-bit; its data size is not filled in when streamed,
// so the samples run to the end.
bool SpeechWavRead(const std::string& bytes, WavPcm* wav)
{
   if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0)
   {
      return false;
   }
   size_t at = 12;
   bool format = false;
   while (at + 8 <= bytes.size())
   {
      const std::string id = bytes.substr(at, 4);
      const uint32_t size = LittleU32(bytes, at + 4);
      if (id == "fmt " && at + 24 <= bytes.size())
      {
         const int channels = static_cast<unsigned char>(bytes[at + 10]);
         const int bits = static_cast<unsigned char>(bytes[at + 22]);
         wav->sampleRate = static_cast<int>(LittleU32(bytes, at + 12));
         format = channels == 1 && bits == 16 && wav->sampleRate > 0;
      }
      else if (id == "data")
      {
         const size_t begin = at + 8;
         const size_t count = (bytes.size() - begin) / 2;
         wav->channels = 1;
         wav->samples.resize(count);
         for (size_t i = 0; i < count; i++)
         {
            wav->samples[i] = static_cast<int16_t>(static_cast<unsigned char>(bytes[begin + 2 * i]) |
                                                   static_cast<unsigned char>(bytes[begin + 2 * i + 1]) << 8);
         }
         return format && count > 0;
      }
      at += 8 + size + (size & 1);
   }
   return false;
}

// To 48000 Hz by cubic (Catmull-Rom) interpolation; enough for speech.
WavPcm Resampled(const WavPcm& in)
{
   WavPcm out;
   out.channels = 1;
   out.sampleRate = SND_SAMPLE_RATE;
   const double step = static_cast<double>(in.sampleRate) / SND_SAMPLE_RATE;
   const size_t count = static_cast<size_t>(static_cast<double>(in.samples.size()) / step);
   out.samples.resize(count);
   const auto at = [&](long i)
   {
      i = std::clamp<long>(i, 0, static_cast<long>(in.samples.size()) - 1);
      return static_cast<double>(in.samples[static_cast<size_t>(i)]);
   };
   for (size_t n = 0; n < count; n++)
   {
      const double position = static_cast<double>(n) * step;
      const long i = static_cast<long>(position);
      const double t = position - static_cast<double>(i);
      const double p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
      const double value =
          p1 +
          0.5 * t * (p2 - p0 + t * (2.0 * p0 - 5.0 * p1 + 4.0 * p2 - p3 + t * (3.0 * (p1 - p2) + p3 - p0)));
      out.samples[n] = static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
   }
   return out;
}

// FNV-1a over everything a line's sound depends on.
std::string StampGet(const Job& job, const std::string& programVersion)
{
   std::ostringstream key;
   key << RECIPE << '\n'
       << programVersion << '\n'
       << job.languageVoice << '+' << job.voice.variant << ' ' << job.voice.pitch << ' ' << job.voice.speed
       << '\n'
       << job.text;
   uint64_t hash = 14695981039346656037ull;
   for (unsigned char c : key.str())
   {
      hash = (hash ^ c) * 1099511628211ull;
   }
   char text[17];
   std::snprintf(text, sizeof(text), "%016llx", static_cast<unsigned long long>(hash));
   return text;
}

std::string FileText(const fs::path& path)
{
   std::ifstream in(path, std::ios::binary);
   std::stringstream text;
   text << in.rdbuf();
   return text.str();
}

// Whole or not at all: written beside it, then renamed over it.
bool FileReplace(const fs::path& path, const std::string& bytes)
{
   const fs::path partial = path.string() + ".partial";
   {
      std::ofstream out(partial, std::ios::binary | std::ios::trunc);
      out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
      if (!out.good())
      {
         return false;
      }
   }
   std::error_code error;
   fs::rename(partial, path, error);
   return !error;
}

bool JobRun(const Job& job, const fs::path& output, const fs::path& scratch,
            const std::string& programVersion, std::string* message)
{
   const fs::path file = output / "Speech" / job.language / (job.speech + ".snd");
   const fs::path stampFile = scratch / job.language / (job.speech + ".stamp");
   const std::string stamp = StampGet(job, programVersion);
   if (fs::exists(file) && FileText(stampFile) == stamp)
   {
      return true;
   }
   std::string wavBytes;
   const std::vector<std::string> arguments = {"espeak-ng",
                                               "-b",
                                               "1",
                                               "-v",
                                               job.languageVoice + "+" + job.voice.variant,
                                               "-p",
                                               std::to_string(job.voice.pitch),
                                               "-s",
                                               std::to_string(job.voice.speed),
                                               "--stdin",
                                               "--stdout"};
   WavPcm spoken;
   if (!ProgramRun(arguments, job.text, &wavBytes) || !SpeechWavRead(wavBytes, &spoken))
   {
      *message = "espeak-ng made no sound for " + job.language + "/" + job.speech;
      return false;
   }
   std::vector<unsigned char> encoded;
   std::string error;
   if (!SndEncode(Resampled(spoken), SPEECH_BITRATE, &encoded, &error))
   {
      *message = job.language + "/" + job.speech + ": " + error;
      return false;
   }
   if (!FileReplace(file, std::string(encoded.begin(), encoded.end())) || !FileReplace(stampFile, stamp))
   {
      *message = "unable to write " + file.string();
      return false;
   }
   return true;
}

int Run(const fs::path& data, const fs::path& output, const fs::path& scratch, unsigned jobsWanted)
{
   std::string programVersion;
   if (!ProgramRun({"espeak-ng", "--version"}, "", &programVersion))
   {
      std::fprintf(stderr, "%s: espeak-ng is not installed; the dialog lines stay text\n", TOOL);
      return 0;
   }
   Tree dialogConsts;
   Tree buildConsts;
   if (!TreeLoad(data / "Scripts" / "DialogConsts.json", &dialogConsts) ||
       !TreeLoad(data / "Scripts" / "BuildConsts.json", &buildConsts))
   {
      return 1;
   }
   const Voice narrator = VoiceRead(Member(dialogConsts.root, "NarratorVoice"), Voice());
   std::map<std::string, Voice> characters;
   yajl_val cast = Member(buildConsts.root, "Characters");
   for (size_t i = 0; cast && YAJL_IS_OBJECT(cast) && i < cast->u.object.len; i++)
   {
      characters[cast->u.object.keys[i]] = VoiceRead(Member(cast->u.object.values[i], "Voice"), narrator);
   }
   // Each line's speaker, from the groups that hand it out.
   std::map<std::string, std::string> speakers;
   yajl_val groups = Member(dialogConsts.root, "DialogGroups");
   for (size_t g = 0; groups && YAJL_IS_OBJECT(groups) && g < groups->u.object.len; g++)
   {
      const std::string group = groups->u.object.keys[g];
      yajl_val lines = groups->u.object.values[g];
      std::string speaker;
      for (const auto& character : characters)
      {
         if (group.compare(0, character.first.size(), character.first) == 0)
         {
            speaker = character.first;
         }
      }
      for (size_t l = 0; !speaker.empty() && YAJL_IS_ARRAY(lines) && l < lines->u.array.len; l++)
      {
         yajl_val line = lines->u.array.values[l];
         if (!YAJL_IS_STRING(line))
         {
            continue;
         }
         auto known = speakers.emplace(YAJL_GET_STRING(line), speaker);
         if (!known.second && known.first->second != speaker)
         {
            std::fprintf(stderr, "%s: the line %s is said by %s and by %s; spoken as %s's\n", TOOL,
                         YAJL_GET_STRING(line), known.first->second.c_str(), speaker.c_str(),
                         known.first->second.c_str());
         }
      }
   }

   std::vector<Job> jobs;
   std::map<std::string, std::set<std::string>> made;
   std::vector<std::string> languages;
   for (const auto& entry : fs::directory_iterator(data / "Text"))
   {
      if (entry.is_directory())
      {
         languages.push_back(entry.path().filename().string());
      }
   }
   std::sort(languages.begin(), languages.end());
   yajl_val dialogs = Member(dialogConsts.root, "Dialogs");
   for (const std::string& language : languages)
   {
      const auto languageVoice = LANGUAGE_VOICES.find(language);
      if (languageVoice == LANGUAGE_VOICES.end())
      {
         std::fprintf(stderr, "%s: no voice speaks %s; its lines stay text\n", TOOL, language.c_str());
         continue;
      }
      std::vector<std::unique_ptr<Tree>> texts;
      for (const auto& entry : fs::directory_iterator(data / "Text" / language))
      {
         if (entry.path().extension() == ".json")
         {
            texts.push_back(std::make_unique<Tree>());
            if (!TreeLoad(entry.path(), texts.back().get()))
            {
               texts.pop_back();
            }
         }
      }
      fs::create_directories(output / "Speech" / language);
      fs::create_directories(scratch / language);
      for (size_t d = 0; dialogs && YAJL_IS_OBJECT(dialogs) && d < dialogs->u.object.len; d++)
      {
         yajl_val dialog = dialogs->u.object.values[d];
         yajl_val speech = Member(dialog, "Speech");
         yajl_val key = Member(dialog, "TextKey");
         if (!speech || !YAJL_IS_STRING(speech) || !key || !YAJL_IS_STRING(key))
         {
            continue;
         }
         std::string text;
         for (const auto& tree : texts)
         {
            yajl_val value = Member(tree->root, YAJL_GET_STRING(key));
            if (value && YAJL_IS_STRING(value))
            {
               text = YAJL_GET_STRING(value);
            }
         }
         Job job;
         job.language = language;
         job.languageVoice = languageVoice->second;
         job.speech = YAJL_GET_STRING(speech);
         job.text = SpokenText(text);
         const auto speaker = speakers.find(dialogs->u.object.keys[d]);
         job.voice = speaker != speakers.end() ? characters[speaker->second] : narrator;
         if (job.text.empty() || job.speech.find('/') != std::string::npos ||
             !made[language].insert(job.speech).second)
         {
            continue;
         }
         jobs.push_back(job);
      }
   }

   std::atomic<size_t> next{0};
   std::atomic<int> failures{0};
   std::mutex printing;
   const auto work = [&]()
   {
      for (size_t i = next++; i < jobs.size(); i = next++)
      {
         std::string message;
         if (!JobRun(jobs[i], output, scratch, programVersion, &message))
         {
            failures++;
            std::lock_guard<std::mutex> lock(printing);
            std::fprintf(stderr, "%s: %s\n", TOOL, message.c_str());
         }
      }
   };
   const unsigned workers = std::max(1u, std::min<unsigned>(jobsWanted, static_cast<unsigned>(jobs.size())));
   std::vector<std::thread> threads;
   for (unsigned w = 0; w < workers; w++)
   {
      threads.emplace_back(work);
   }
   for (std::thread& thread : threads)
   {
      thread.join();
   }

   // Lines that are gone take their files with them.
   for (const auto& language : made)
   {
      for (const auto& entry : fs::directory_iterator(output / "Speech" / language.first))
      {
         if (entry.path().extension() == ".snd" && !language.second.count(entry.path().stem().string()))
         {
            fs::remove(entry.path());
         }
      }
   }
   return failures > 0 ? 1 : 0;
}
} // namespace
} // namespace Corvale

int main(int argc, char** argv)
{
   // A speaking program that ends early must not take the tool with it.
   signal(SIGPIPE, SIG_IGN);
   std::string data;
   std::string output;
   std::string scratch;
   unsigned jobs = std::max(1u, std::thread::hardware_concurrency());
   for (int i = 1; i + 1 < argc; i += 2)
   {
      const std::string option = argv[i];
      if (option == "--data")
      {
         data = argv[i + 1];
      }
      else if (option == "--output")
      {
         output = argv[i + 1];
      }
      else if (option == "--scratch")
      {
         scratch = argv[i + 1];
      }
      else if (option == "--jobs")
      {
         jobs = static_cast<unsigned>(std::max(1, std::atoi(argv[i + 1])));
      }
   }
   if (data.empty() || output.empty() || scratch.empty())
   {
      std::fprintf(stderr, "usage: corvale-speechgen --data DIR --output DIR --scratch DIR [--jobs N]\n");
      return 2;
   }
   return Corvale::Run(data, output, scratch, jobs);
}
