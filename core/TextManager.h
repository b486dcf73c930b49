// Texts by key: every visible string is a key, looked up in the current language's text files,
// which are merged in the order they were added and reloaded whenever the language changes; the
// English texts stand in for keys another language lacks.
#pragma once

#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class JSONValue;
template <class Owner, class Result> class Method0EventRegistration;

// Languages by index; their names are the folders under "Text".
constexpr u32 TEXT_LANGUAGE_COUNT = 7;

class TextManager
{
 public:
   // Registers for "OnLanguageChange", ahead of every other owner.
   void Init();
   void Deinit();
   Method0EventRegistration<TextManager, void>* EventRegister(const char* key, void (TextManager::*method)());

   // Adds a file to the list and raises "OnLanguageChange", so every owner reloads.
   void FileAdd(const char* fileName);
   // Adds a file to the list without loading anything (start-up, before the first load).
   void FileNameAppend(const char* fileName);
   // Reloads every file of the list in the current language.
   void OnLanguageChange();
   // The text of the key in the current language, or null; valid until the next reload.
   const char* TextGet(const char* key) const;

   // The application's current language index, read at every reload.
   void LanguageSet(const u32* languageIndex) { language = languageIndex; }
   // The folder name of the current language (the first one while none is set); null past the
   // last language, where nothing loads.
   const char* LanguageCurrentNameGet() const { return LanguageNameGet(language ? *language : 0); }
   // "English", "French", ...; null past the last language.
   static const char* LanguageNameGet(u32 index);

 private:
   void TextsFree();
   // Every file of the list in one language, merged; null when none loads.
   JSONValue* FilesLoad(const char* languageName) const;

   JSONValue* texts = nullptr;
   Table<char*> fileNames;
   const u32* language = nullptr;
};

extern TextManager textManager;
} // namespace Corvale
