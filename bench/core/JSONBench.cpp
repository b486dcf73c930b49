// JSON: parsing a 1 MB document into a tree and writing it back, against YAJL's bare callback
// parse of the same bytes; the tree's cost should stay within a small factor of the latter.
#include <string>

#include <benchmark/benchmark.h>
#include <yajl/yajl_parse.h>

#include "core/File.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/JSONWriter.h"

using namespace Corvale;

namespace
{
class BenchFile : public File
{
 public:
   u32 Read(void* buffer, u32 count) override
   {
      size_t left = text->size() - position;
      size_t got = left < count ? left : count;
      text->copy(static_cast<char*>(buffer), got, position);
      position += got;
      return static_cast<u32>(got);
   }
   u32 Write(const void*, u32 count) override
   {
      written += count;
      return count;
   }
   i64 SizeGet() override { return static_cast<i64>(text ? text->size() : 0); }
   i64 PositionGet() override { return static_cast<i64>(position); }
   bool PositionSet(i64 offset, i32) override
   {
      position = static_cast<size_t>(offset);
      return true;
   }
   bool EndCheck() override { return position >= text->size(); }

   const std::string* text = nullptr;
   size_t position = 0;
   size_t written = 0;
};

// Something like a large saved game: records of numbers, texts, flags and small arrays.
const std::string& DocumentGet()
{
   static std::string document;
   if (document.empty())
   {
      document = "{\"Records\": [";
      for (int i = 0; document.size() < (1u << 20); i++)
      {
         if (i > 0)
         {
            document += ",";
         }
         document += "{\"Id\": " + std::to_string(i) + ", \"Name\": \"Record number " + std::to_string(i) +
                     "\", \"Score\": " + std::to_string(i * 0.37) +
                     ", \"Active\": " + (i % 2 ? "true" : "false") +
                     ", \"Cards\": [1, 2, 3, 4, 5, 13], \"Position\": \"120|48.5\"}";
      }
      document += "]}";
   }
   return document;
}

int Ignore(void*)
{
   return 1;
}
int IgnoreBool(void*, int)
{
   return 1;
}
int IgnoreInteger(void*, long long)
{
   return 1;
}
int IgnoreDouble(void*, double)
{
   return 1;
}
int IgnoreText(void*, const unsigned char*, size_t)
{
   return 1;
}

void BM_JSONParseBareYAJL(benchmark::State& state)
{
   const std::string& document = DocumentGet();
   static const yajl_callbacks callbacks = {&Ignore, &IgnoreBool, &IgnoreInteger, &IgnoreDouble,
                                            nullptr, &IgnoreText, &Ignore,        &IgnoreText,
                                            &Ignore, &Ignore,     &Ignore};
   for (auto _ : state)
   {
      yajl_handle handle = yajl_alloc(&callbacks, nullptr, nullptr);
      yajl_config(handle, yajl_allow_comments, 1);
      for (size_t at = 0; at < document.size(); at += JSON_PARSER_CHUNK_SIZE)
      {
         size_t count =
             document.size() - at < JSON_PARSER_CHUNK_SIZE ? document.size() - at : JSON_PARSER_CHUNK_SIZE;
         yajl_parse(handle, reinterpret_cast<const unsigned char*>(document.data() + at), count);
      }
      benchmark::DoNotOptimize(yajl_complete_parse(handle));
      yajl_free(handle);
   }
   state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_JSONParseBareYAJL)->Unit(benchmark::kMillisecond);

void BM_JSONParseTree(benchmark::State& state)
{
   const std::string& document = DocumentGet();
   for (auto _ : state)
   {
      BenchFile file;
      file.text = &document;
      JSONParser parser;
      JSONValue* root = parser.Parse(&file, HEAP_DEFAULT);
      benchmark::DoNotOptimize(root);
      MemoryDelete(root);
   }
   state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * document.size()));
}
BENCHMARK(BM_JSONParseTree)->Unit(benchmark::kMillisecond);

void BM_JSONWriteTree(benchmark::State& state)
{
   const std::string& document = DocumentGet();
   BenchFile input;
   input.text = &document;
   JSONParser parser;
   JSONValue* root = parser.Parse(&input, HEAP_DEFAULT);
   size_t written = 0;
   for (auto _ : state)
   {
      BenchFile output;
      JSONWriter writer;
      benchmark::DoNotOptimize(writer.Write(&output, root, nullptr));
      written = output.written;
   }
   state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * written));
   MemoryDelete(root);
}
BENCHMARK(BM_JSONWriteTree)->Unit(benchmark::kMillisecond);
} // namespace
