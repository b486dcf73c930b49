// Seeded mutations of a valid text for the fuzz tests: flipped bytes, cut texts, cut and
// doubled lines, numbers swapped for huge, negative or zero ones, and, for JSON, dropped and
// doubled members and names swapped for others.
#pragma once

#include <random>
#include <string>
#include <utility>
#include <vector>

namespace Corvale
{
namespace skeleton_test_support
{
inline const char* const numbers[] = {"99999999999999999999", "-99999999999", "1e39",  "-1e39", "-1", "0",
                                      "2147483648",           "-2147483649",  "1e-45", "-0"};

inline std::vector<std::string> LinesSplit(const std::string& text)
{
   std::vector<std::string> lines;
   size_t begin = 0;
   while (begin < text.size())
   {
      size_t end = text.find('\n', begin);
      end = end == std::string::npos ? text.size() : end + 1;
      lines.push_back(text.substr(begin, end - begin));
      begin = end;
   }
   return lines;
}

// Quoted texts: [begin, end) of each, quotes included; escapes are skipped over.
inline std::vector<std::pair<size_t, size_t>> QuotedFind(const std::string& text)
{
   std::vector<std::pair<size_t, size_t>> quoted;
   for (size_t i = 0; i < text.size(); ++i)
   {
      if (text[i] != '"')
      {
         continue;
      }
      size_t end = i + 1;
      while (end < text.size() && text[end] != '"')
      {
         end += text[end] == '\\' ? 2 : 1;
      }
      if (end >= text.size())
      {
         break;
      }
      quoted.emplace_back(i, end + 1);
      i = end;
   }
   return quoted;
}

// The object member whose key starts at begin: to the end of its value and a comma after it.
inline size_t MemberEnd(const std::string& text, size_t begin)
{
   int depth = 0;
   bool quoted = false;
   for (size_t i = begin; i < text.size(); ++i)
   {
      const char c = text[i];
      if (quoted)
      {
         i += c == '\\' ? 1 : 0;
         quoted = c != '"';
      }
      else if (c == '"')
      {
         quoted = true;
      }
      else if (c == '{' || c == '[')
      {
         depth++;
      }
      else if ((c == '}' || c == ']') && depth-- == 0)
      {
         return i;
      }
      else if (c == ',' && depth == 0)
      {
         return i + 1;
      }
   }
   return text.size();
}

// kinds 6 takes the line and byte mutations; 8 adds dropped or doubled object members and
// quoted texts swapped for others of the same text.
inline std::string Mutate(std::string text, std::mt19937& random, unsigned kinds = 6)
{
   const int count = 1 + static_cast<int>(random() % 4);
   for (int m = 0; m < count && !text.empty(); ++m)
   {
      const size_t at = random() % text.size();
      switch (random() % kinds)
      {
      case 0: // flip a byte
         text[at] = static_cast<char>(random() % 256);
         break;
      case 1: // cut the text
         text.resize(at);
         break;
      case 2: // cut or double a line
      case 3:
      {
         std::vector<std::string> lines = LinesSplit(text);
         const size_t line = random() % lines.size();
         if (random() % 2)
         {
            lines.erase(lines.begin() + static_cast<long>(line));
         }
         else
         {
            lines.insert(lines.begin() + static_cast<long>(line), lines[line]);
         }
         text.clear();
         for (const std::string& piece : lines)
         {
            text += piece;
         }
         break;
      }
      case 6: // a member dropped or doubled
      {
         const std::vector<std::pair<size_t, size_t>> quoted = QuotedFind(text);
         size_t key = std::string::npos;
         for (const auto& q : quoted)
         {
            const size_t colon = text.find_first_not_of(" \n", q.second);
            if (q.first >= at && colon != std::string::npos && text[colon] == ':')
            {
               key = q.first;
               break;
            }
         }
         if (key == std::string::npos)
         {
            break;
         }
         const size_t end = MemberEnd(text, text.find(':', key) + 1);
         const std::string member = text.substr(key, end - key);
         if (random() % 2)
         {
            text.erase(key, end - key);
         }
         else
         {
            text.insert(key, member.back() == ',' ? member : member + ",");
         }
         break;
      }
      case 7: // a quoted text swapped for another
      {
         const std::vector<std::pair<size_t, size_t>> quoted = QuotedFind(text);
         if (quoted.size() < 2)
         {
            break;
         }
         const auto& from = quoted[random() % quoted.size()];
         const auto& to = quoted[random() % quoted.size()];
         text.replace(to.first, to.second - to.first, text.substr(from.first, from.second - from.first));
         break;
      }
      default: // a number replaced by a huge, negative or odd one
      {
         size_t digit = text.find_first_of("0123456789", at);
         if (digit == std::string::npos)
         {
            break;
         }
         size_t end = text.find_first_not_of("0123456789.", digit);
         end = end == std::string::npos ? text.size() : end;
         text.replace(digit, end - digit, numbers[random() % (sizeof(numbers) / sizeof(numbers[0]))]);
         break;
      }
      }
   }
   return text;
}
} // namespace skeleton_test_support
} // namespace Corvale
