// The atlas text reader. Lines are recognised by their position alone; every read stays within
// the given length, and a malformed text disposes what was read.
#include "tutorial/skeleton/skAtlas.h"

#include <climits>
#include <cstring>

#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
namespace
{
const char* const formatNames[] = {"Alpha",    "Intensity", "LuminanceAlpha", "RGB565",
                                   "RGBA4444", "RGB888",    "RGBA8888"};
const char* const filterNames[] = {"Nearest",
                                   "Linear",
                                   "MipMap",
                                   "MipMapNearestNearest",
                                   "MipMapLinearNearest",
                                   "MipMapNearestLinear",
                                   "MipMapLinearLinear"};
constexpr i32 NAMES_COUNT = 7;

// A piece of the text, not terminated.
struct Span
{
   const char* begin;
   const char* end;

   size_t Length() const { return static_cast<size_t>(end - begin); }
   bool Empty() const { return begin == end; }
};

bool SpaceCheck(char c)
{
   return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

Span Trim(Span span)
{
   while (span.begin < span.end && SpaceCheck(*span.begin))
   {
      ++span.begin;
   }
   while (span.end > span.begin && SpaceCheck(span.end[-1]))
   {
      --span.end;
   }
   return span;
}

// True when the value is the start of name: atlas values may be abbreviated.
bool PrefixMatch(Span value, const char* name)
{
   const size_t length = value.Length();
   return length <= std::strlen(name) && std::memcmp(value.begin, name, length) == 0;
}

// Index of the first of the seven names that the value starts, from the last name when
// lastFirst; -1 when none.
i32 NameIndexFind(Span value, const char* const* names, bool lastFirst)
{
   for (i32 n = 0; n < NAMES_COUNT; ++n)
   {
      const i32 i = lastFirst ? NAMES_COUNT - 1 - n : n;
      if (PrefixMatch(value, names[i]))
      {
         return i;
      }
   }
   return -1;
}

bool WordEqual(Span value, const char* word)
{
   return value.Length() == std::strlen(word) && std::memcmp(value.begin, word, value.Length()) == 0;
}

// A decimal int, clamped to the int range; reading stops at the first non-digit.
i32 IntRead(Span value)
{
   const char* p = value.begin;
   bool negative = false;
   if (p < value.end && (*p == '-' || *p == '+'))
   {
      negative = *p == '-';
      ++p;
   }
   i64 result = 0;
   for (; p < value.end && *p >= '0' && *p <= '9'; ++p)
   {
      result = result * 10 + (*p - '0');
      if (result > static_cast<i64>(INT_MAX) + 1)
      {
         result = static_cast<i64>(INT_MAX) + 1;
      }
   }
   result = negative ? -result : result;
   return result > INT_MAX ? INT_MAX : static_cast<i32>(result);
}

class LineReader
{
 public:
   LineReader(const char* text, i32 length) : position(text), end(text + length) {}

   // The next line, trimmed; false at the end of the text.
   bool LineRead(Span* line)
   {
      if (position >= end)
      {
         return false;
      }
      const char* newline =
          static_cast<const char*>(std::memchr(position, '\n', static_cast<size_t>(end - position)));
      const char* lineEnd = newline ? newline : end;
      *line = Trim(Span{position, lineEnd});
      position = newline ? newline + 1 : end;
      return true;
   }

   // The trimmed text after the first ':' of the next line; false without a line or a ':'.
   bool ValueRead(Span* value)
   {
      Span line;
      if (!LineRead(&line))
      {
         return false;
      }
      const char* colon = static_cast<const char*>(std::memchr(line.begin, ':', line.Length()));
      if (!colon)
      {
         return false;
      }
      *value = Trim(Span{colon + 1, line.end});
      return true;
   }

   // Up to four comma-separated values of the next value line; how many, 0 on failure.
   i32 TupleRead(Span values[4])
   {
      Span value;
      if (!ValueRead(&value))
      {
         return 0;
      }
      i32 count = 0;
      const char* start = value.begin;
      while (count < 3)
      {
         const char* comma =
             static_cast<const char*>(std::memchr(start, ',', static_cast<size_t>(value.end - start)));
         if (!comma)
         {
            break;
         }
         values[count++] = Trim(Span{start, comma});
         start = comma + 1;
      }
      values[count++] = Trim(Span{start, value.end});
      return count;
   }

 private:
   const char* position;
   const char* end;
};

float Ratio(i32 position, i32 size)
{
   // A page whose texture failed has size 0; its regions are never drawn.
   return size != 0 ? static_cast<float>(position) / static_cast<float>(size) : 0.0f;
}

i32* IntsCopy(const Span values[4])
{
   i32* ints = SK_ALLOC(i32, 4);
   if (ints)
   {
      for (int i = 0; i < 4; ++i)
      {
         ints[i] = IntRead(values[i]);
      }
   }
   return ints;
}

// A page's header lines after its name, and its texture made from path. False when malformed.
bool PageRead(skAtlasPage* page, LineReader* reader, const char* path)
{
   Span values[4];
   i32 count = reader->TupleRead(values);
   if (count == 0)
   {
      return false;
   }
   if (count == 2)
   {
      page->width = IntRead(values[0]);
      page->height = IntRead(values[1]);
      if (reader->TupleRead(values) == 0)
      {
         return false;
      }
   }
   // Formats are searched from the end, so the value RGB stands for RGBA8888.
   page->format = static_cast<skAtlasFormat>(NameIndexFind(values[0], formatNames, true));
   if (reader->TupleRead(values) < 2)
   {
      return false;
   }
   page->minFilter = static_cast<skAtlasFilter>(NameIndexFind(values[0], filterNames, false));
   page->magFilter = static_cast<skAtlasFilter>(NameIndexFind(values[1], filterNames, false));
   Span repeat;
   if (!reader->ValueRead(&repeat))
   {
      return false;
   }
   if (PrefixMatch(repeat, "none"))
   {
      page->uWrap = page->vWrap = SK_ATLAS_WRAP_UNSET;
   }
   else if (WordEqual(repeat, "x"))
   {
      page->uWrap = SK_ATLAS_REPEAT;
      page->vWrap = SK_ATLAS_CLAMP_TO_EDGE;
   }
   else if (WordEqual(repeat, "y"))
   {
      page->uWrap = SK_ATLAS_CLAMP_TO_EDGE;
      page->vWrap = SK_ATLAS_REPEAT;
   }
   else
   {
      page->uWrap = page->vWrap = SK_ATLAS_REPEAT;
   }
   _skCreatePageTexture(page, path);
   return true;
}

// A region's lines after its name. False when malformed or an allocation fails.
bool RegionRead(skAtlasRegion* region, LineReader* reader)
{
   Span values[4];
   Span rotate;
   if (!reader->ValueRead(&rotate))
   {
      return false;
   }
   region->rotate = PrefixMatch(rotate, "true");
   if (reader->TupleRead(values) < 2)
   {
      return false;
   }
   region->x = IntRead(values[0]);
   region->y = IntRead(values[1]);
   if (reader->TupleRead(values) < 2)
   {
      return false;
   }
   region->width = IntRead(values[0]);
   region->height = IntRead(values[1]);

   const skAtlasPage* page = region->page;
   // In i64: a huge position plus a huge size must not overflow.
   const i64 right = static_cast<i64>(region->x) + (region->rotate ? region->height : region->width);
   const i64 bottom = static_cast<i64>(region->y) + (region->rotate ? region->width : region->height);
   region->u = Ratio(region->x, page->width);
   region->v = Ratio(region->y, page->height);
   region->uEnd = page->width != 0 ? static_cast<float>(right) / static_cast<float>(page->width) : 0.0f;
   region->vEnd = page->height != 0 ? static_cast<float>(bottom) / static_cast<float>(page->height) : 0.0f;

   i32 count = reader->TupleRead(values);
   if (count == 4)
   {
      region->splits = IntsCopy(values);
      count = region->splits ? reader->TupleRead(values) : 0;
      if (count == 4)
      {
         region->pads = IntsCopy(values);
         count = region->pads ? reader->TupleRead(values) : 0;
      }
   }
   if (count < 2)
   {
      return false;
   }
   region->origWidth = IntRead(values[0]);
   region->origHeight = IntRead(values[1]);

   // The offset line is optional in content: missing values read 0.
   count = reader->TupleRead(values);
   region->offsetX = count >= 1 ? IntRead(values[0]) : 0;
   region->offsetY = count >= 2 ? IntRead(values[1]) : 0;

   Span index;
   if (!reader->ValueRead(&index))
   {
      return false;
   }
   region->index = IntRead(index);
   return true;
}

// dir, a '/' unless dir is empty or ends in a separator, and the name; null when out of memory.
char* PagePathForm(const char* dir, Span name)
{
   const size_t dirLength = std::strlen(dir);
   const bool slash = dirLength > 0 && dir[dirLength - 1] != '/' && dir[dirLength - 1] != '\\';
   const size_t length = dirLength + (slash ? 1 : 0) + name.Length();
   char* path = static_cast<char*>(_skMalloc(length + 1, __FILE__, __LINE__));
   if (path)
   {
      std::memcpy(path, dir, dirLength);
      if (slash)
      {
         path[dirLength] = '/';
      }
      std::memcpy(path + dirLength + (slash ? 1 : 0), name.begin, name.Length());
      path[length] = 0;
   }
   return path;
}
} // namespace

skAtlas* skAtlas_create(const char* text, i32 length, const char* dir)
{
   if ((!text && length != 0) || length < 0 || !dir)
   {
      return nullptr;
   }
   skAtlas* self = SK_ALLOC(skAtlas, 1);
   if (!self)
   {
      return nullptr;
   }
   LineReader reader(text, length);
   skAtlasPage* page = nullptr;
   skAtlasPage** pageLink = &self->pages;
   skAtlasRegion** regionLink = &self->regions;
   Span line;
   while (reader.LineRead(&line))
   {
      if (line.Empty())
      {
         page = nullptr;
         continue;
      }
      bool read;
      if (!page)
      {
         // Linked before it is read, so that a failure disposes it with the rest.
         page = SK_ALLOC(skAtlasPage, 1);
         if (!page)
         {
            skAtlas_dispose(self);
            return nullptr;
         }
         *pageLink = page;
         pageLink = &page->next;
         page->atlas = self;
         page->name = _skCopyStringN(line.begin, line.Length());
         char* path = page->name ? PagePathForm(dir, line) : nullptr;
         read = path && PageRead(page, &reader, path);
         SK_FREE(path);
      }
      else
      {
         skAtlasRegion* region = SK_ALLOC(skAtlasRegion, 1);
         if (!region)
         {
            skAtlas_dispose(self);
            return nullptr;
         }
         *regionLink = region;
         regionLink = &region->next;
         region->page = page;
         region->name = _skCopyStringN(line.begin, line.Length());
         read = region->name && RegionRead(region, &reader);
      }
      if (!read)
      {
         skAtlas_dispose(self);
         return nullptr;
      }
   }
   return self;
}

skAtlas* skAtlas_createFromFile(const char* path)
{
   // The directory is everything before the last separator; a separator first is the root.
   const char* slash = std::strrchr(path, '/');
   const char* backslash = std::strrchr(path, '\\');
   const char* last = slash > backslash ? slash : backslash;
   size_t dirLength = last ? static_cast<size_t>(last - path) : 0;
   if (last == path)
   {
      dirLength = 1;
   }
   char* dir = _skCopyStringN(path, dirLength);
   if (!dir)
   {
      return nullptr;
   }
   i32 length = 0;
   char* text = _skReadFile(path, &length);
   skAtlas* atlas = text ? skAtlas_create(text, length, dir) : nullptr;
   SK_FREE(text);
   SK_FREE(dir);
   return atlas;
}

void skAtlas_dispose(skAtlas* self)
{
   skAtlasPage* page = self->pages;
   while (page)
   {
      skAtlasPage* next = page->next;
      _skDisposePageTexture(page);
      SK_FREE(page->name);
      SK_FREE(page);
      page = next;
   }
   skAtlasRegion* region = self->regions;
   while (region)
   {
      skAtlasRegion* next = region->next;
      SK_FREE(region->name);
      SK_FREE(region->splits);
      SK_FREE(region->pads);
      SK_FREE(region);
      region = next;
   }
   SK_FREE(self);
}

skAtlasRegion* skAtlas_findRegion(const skAtlas* self, const char* name)
{
   for (skAtlasRegion* region = self->regions; region; region = region->next)
   {
      if (std::strcmp(region->name, name) == 0)
      {
         return region;
      }
   }
   return nullptr;
}
} // namespace Corvale
