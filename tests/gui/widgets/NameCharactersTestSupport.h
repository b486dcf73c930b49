// The characters a player name may hold, shared by the table widget tests and the data check of
// the profile add popup's name entry.
#pragma once

#include <string>
#include <vector>

#include "core/StringHelpers.h"
#include "core/Types.h"

namespace name_characters_test_support
{
using Corvale::u32;

// The letters a player name may hold: ASCII letters, digits, space and hyphen, the Latin-1 letters
// without × and ÷, Œ œ Ÿ, and the Cyrillic alphabet with Ё and ё.
inline std::string NameCharactersGet()
{
   std::vector<u32> codePoints;
   for (u32 c = 'A'; c <= 'Z'; c++)
   {
      codePoints.push_back(c);
   }
   for (u32 c = 'a'; c <= 'z'; c++)
   {
      codePoints.push_back(c);
   }
   for (u32 c = '0'; c <= '9'; c++)
   {
      codePoints.push_back(c);
   }
   codePoints.push_back(' ');
   codePoints.push_back('-');
   for (u32 c = 0xC0; c <= 0xFF; c++)
   {
      if (c != 0xD7 && c != 0xF7)
      {
         codePoints.push_back(c);
      }
   }
   for (u32 c : {0x152u, 0x153u, 0x178u, 0x401u, 0x451u})
   {
      codePoints.push_back(c);
   }
   for (u32 c = 0x410; c <= 0x44F; c++)
   {
      codePoints.push_back(c);
   }
   std::string text;
   for (u32 c : codePoints)
   {
      char buffer[5] = {};
      Corvale::UnicodeCharacterToUTF8(buffer, c, 4);
      text += buffer;
   }
   return text;
}
} // namespace name_characters_test_support
