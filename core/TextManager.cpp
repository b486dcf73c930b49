// Loads "Text/<language>/<file>.json" for every file of the list and merges them into one object:
// a key in a later file replaces the same key of an earlier one.
#include "core/TextManager.h"

#include "core/Event.h"
#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"

namespace Corvale
{
TextManager textManager;

namespace
{
const char* const languageNames[TEXT_LANGUAGE_COUNT] = {"English", "French",  "Spanish", "Italian",
                                                        "German",  "Russian", "Dutch"};
// Path buffers of the text files.
constexpr u32 TEXT_PATH_SIZE = 260;
} // namespace

const char* TextManager::LanguageNameGet(u32 index)
{
   return index < TEXT_LANGUAGE_COUNT ? languageNames[index] : nullptr;
}

void TextManager::Init()
{
   EventRegister("OnLanguageChange", &TextManager::OnLanguageChange);
}

Method0EventRegistration<TextManager, void>* TextManager::EventRegister(const char* key,
                                                                        void (TextManager::*method)())
{
   // Order 1: the texts are reloaded before any other handler of a language change reads them.
   return EventMethodRegister(this, key, method, 1);
}

void TextManager::Deinit()
{
   Event::OwnerUnregister(this);
   TextsFree();
   for (i32 i = 0; i < fileNames.count; ++i)
   {
      MemoryFree(fileNames[i]);
   }
   fileNames = Table<char*>(allocatorDefault);
}

void TextManager::FileNameAppend(const char* fileName)
{
   if (!fileName)
   {
      return;
   }
   char* copy = StringDuplicate(fileName, HEAP_DEFAULT);
   if (!copy || !fileNames.Insert(copy, fileNames.count))
   {
      WarningPrintf("TextManager::FileNameAppend -- unable to add \"%s\".\n", fileName);
      MemoryFree(copy);
   }
}

void TextManager::FileAdd(const char* fileName)
{
   if (!fileName)
   {
      return;
   }
   TextsFree();
   FileNameAppend(fileName);
   const u32 index = language ? *language : 0;
   Event::Trigger("OnLanguageChange", reinterpret_cast<void*>(static_cast<uptr>(index)));
}

void TextManager::OnLanguageChange()
{
   TextsFree();
   // Without a language (or past the last one) nothing is loaded and every lookup answers null.
   if (!language || *language >= TEXT_LANGUAGE_COUNT || !fileManagerResource)
   {
      return;
   }
   texts = FilesLoad(languageNames[*language]);
   if (*language == 0)
   {
      return;
   }
   // English lies beneath every other language, so a key not yet translated shows its English text
   // rather than nothing; each such key is named once per load for whoever translates it.
   JSONValue* english = FilesLoad(languageNames[0]);
   if (!english)
   {
      return;
   }
   for (JSONValue::Iterator it = english->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      if (!texts || !texts->ItemFind(it.node->key))
      {
         WarningPrintf(
             "TextManager::OnLanguageChange -- \"%s\" is missing in %s; the English text is shown.\n",
             it.node->key, languageNames[*language]);
      }
   }
   if (texts && !english->ItemsMerge(texts))
   {
      MemoryDelete(texts);
   }
   texts = english;
}

JSONValue* TextManager::FilesLoad(const char* languageName) const
{
   JSONValue* merged = nullptr;
   for (i32 i = 0; i < fileNames.count; ++i)
   {
      char path[TEXT_PATH_SIZE];
      if (!NultSnprintf(path, sizeof(path), "Text/%s/%s.json", languageName, fileNames[i]) ||
          !fileManagerResource->Exists(path))
      {
         continue;
      }
      char name[TEXT_PATH_SIZE];
      if (!NultSnprintf(name, sizeof(name), "Text/%s/%s", languageName, fileNames[i]))
      {
         continue;
      }
      JSONParser parser;
      JSONValue* root = parser.Load(name, fileManagerResource, HEAP_DEFAULT);
      if (!root)
      {
         continue;
      }
      if (root->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         WarningPrintf("TextManager::OnLanguageChange -- Root of %s is not a JSON object.\n", name);
         MemoryDelete(root);
      }
      else if (!merged)
      {
         merged = root;
      }
      else if (!merged->ItemsMerge(root))
      {
         // A merge that moved nothing leaves the root with us.
         MemoryDelete(root);
      }
   }
   return merged;
}

const char* TextManager::TextGet(const char* key) const
{
   if (!texts || !key)
   {
      return nullptr;
   }
   return texts->ItemGet(key)->StringValueGet();
}

void TextManager::TextsFree()
{
   MemoryDelete(texts);
   texts = nullptr;
}
} // namespace Corvale
