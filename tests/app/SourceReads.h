// The names the program's sources read: constants keys, widget paths, text keys and game options,
// found by scanning the sources for the lookups and for the helpers that wrap them, so that the
// data check covers what a new file reads without a hand-kept list.
#pragma once

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "core/Types.h"

namespace Corvale
{
namespace SourceReads
{
enum Kind
{
   // A key of the global constants (the variable "consts").
   KIND_GLOBAL,
   // A key of a game's own constants (its "constants", in the framework and the games).
   KIND_GAME,
   // A widget's name or dotted path.
   KIND_WIDGET,
   // A text key.
   KIND_TEXT,
   // The name of a game option of the game's "Settings".
   KIND_SETTING,
   // A widget name the code gives a widget it makes itself.
   KIND_CREATED
};

struct Read
{
   Kind kind;
   std::string name;
   // Relative to the source root, with forward slashes.
   std::string file;
};

typedef std::vector<std::string> Tokens;

// The source without comments, character literals blanked, string literals kept.
inline std::string CommentsStrip(const std::string& source)
{
   std::string out;
   out.reserve(source.size());
   const size_t n = source.size();
   size_t i = 0;
   while (i < n)
   {
      if (source.compare(i, 2, "//") == 0)
      {
         const size_t end = source.find('\n', i);
         i = end == std::string::npos ? n : end;
      }
      else if (source.compare(i, 2, "/*") == 0)
      {
         const size_t end = source.find("*/", i + 2);
         i = end == std::string::npos ? n : end + 2;
      }
      else if (source[i] == '"' || source[i] == '\'')
      {
         const char quote = source[i];
         size_t j = i + 1;
         while (j < n && source[j] != quote)
         {
            j += source[j] == '\\' ? 2 : 1;
         }
         out += quote == '"' ? source.substr(i, j + 1 - i) : std::string("' '");
         i = j + 1;
      }
      else
      {
         out += source[i++];
      }
   }
   return out;
}

inline bool IdentifierCheck(const std::string& token)
{
   return !token.empty() && (std::isalpha(static_cast<unsigned char>(token[0])) || token[0] == '_');
}

inline bool LiteralCheck(const std::string& token)
{
   return token.size() >= 2 && token[0] == '"';
}

// Identifiers, string literals, "->", "::" and single characters.
inline Tokens Tokenize(const std::string& text)
{
   Tokens tokens;
   const size_t n = text.size();
   for (size_t i = 0; i < n;)
   {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if (std::isspace(c))
      {
         ++i;
      }
      else if (std::isalpha(c) || c == '_')
      {
         size_t j = i;
         while (j < n && (std::isalnum(static_cast<unsigned char>(text[j])) || text[j] == '_'))
         {
            ++j;
         }
         tokens.push_back(text.substr(i, j - i));
         i = j;
      }
      else if (c == '"')
      {
         size_t j = i + 1;
         while (j < n && text[j] != '"')
         {
            j += text[j] == '\\' ? 2 : 1;
         }
         tokens.push_back(text.substr(i, j + 1 - i));
         i = j + 1;
      }
      else if (text.compare(i, 2, "->") == 0 || text.compare(i, 2, "::") == 0)
      {
         tokens.push_back(text.substr(i, 2));
         i += 2;
      }
      else
      {
         tokens.push_back(std::string(1, text[i]));
         ++i;
      }
   }
   return tokens;
}

// The arguments of the call whose "(" is at open, each as its tokens; end is set to its ")".
inline std::vector<Tokens> ArgumentsGet(const Tokens& t, size_t open, size_t* end)
{
   std::vector<Tokens> arguments;
   Tokens current;
   i32 depth = 0;
   for (size_t j = open; j < t.size(); ++j)
   {
      const std::string& x = t[j];
      if (x == "(" || x == "[" || x == "{")
      {
         if (++depth > 1)
         {
            current.push_back(x);
         }
      }
      else if (x == ")" || x == "]" || x == "}")
      {
         if (--depth == 0)
         {
            if (!current.empty() || !arguments.empty())
            {
               arguments.push_back(current);
            }
            *end = j;
            return arguments;
         }
         current.push_back(x);
      }
      else if (x == "," && depth == 1)
      {
         arguments.push_back(current);
         current.clear();
      }
      else
      {
         current.push_back(x);
      }
   }
   *end = t.size();
   return arguments;
}

// The name called at the "(" at open ("Find" in "Find<Widget>(...)"); empty when none.
inline std::string CalleeGet(const Tokens& t, size_t open)
{
   if (open == 0)
   {
      return std::string();
   }
   size_t k = open - 1;
   if (t[k] == ">")
   {
      i32 depth = 0;
      for (; k > 0; --k)
      {
         depth += t[k] == ">" ? 1 : t[k] == "<" ? -1 : 0;
         if (depth == 0)
         {
            break;
         }
      }
      if (k == 0)
      {
         return std::string();
      }
      --k;
   }
   static const std::set<std::string> keywords = {"if",     "for",    "while",    "switch",        "return",
                                                  "sizeof", "catch",  "decltype", "static_assert", "alignof",
                                                  "delete", "typeid", "defined"};
   return IdentifierCheck(t[k]) && !keywords.count(t[k]) ? t[k] : std::string();
}

// How a function reads a name: the kind, the argument that holds the name, and, for a helper that
// takes the document too, the argument that holds the document (-1 when it reads a fixed one).
struct Reader
{
   i32 kind;
   i32 nameIndex;
   i32 documentIndex;
   bool operator<(const Reader& o) const
   {
      return kind != o.kind             ? kind < o.kind
             : nameIndex != o.nameIndex ? nameIndex < o.nameIndex
                                        : documentIndex < o.documentIndex;
   }
};

constexpr i32 KIND_DOCUMENT = -1;

class Scanner
{
 public:
   // Every .cpp and .h under the folders of root.
   Scanner(const std::string& root, const std::vector<std::string>& folders)
   {
      for (const std::string& folder : folders)
      {
         std::error_code error;
         for (auto it = std::filesystem::recursive_directory_iterator(root + "/" + folder, error);
              !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
         {
            const std::string extension = it->path().extension().string();
            if (!it->is_regular_file() || (extension != ".cpp" && extension != ".h"))
            {
               continue;
            }
            std::ifstream file(it->path());
            const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
            sources[std::filesystem::relative(it->path(), root).generic_string()] =
                Tokenize(CommentsStrip(text));
         }
      }
      ReadersDerive();
      ReadsCollect();
   }

   // Relative path -> tokens.
   std::map<std::string, Tokens> sources;
   // Function name -> how it reads names (the lookups themselves and every helper around them).
   std::map<std::string, std::set<Reader>> readers;
   std::vector<Read> reads;

   // The document a variable of that name holds in that file, as a kind; -1 for none.
   static i32 DocumentKindGet(const std::string& file, const std::string& name)
   {
      if (name == "consts")
      {
         return KIND_GLOBAL;
      }
      // Elsewhere "constants" names other documents (the dialogs' own, say).
      if (name == "constants" && (file.rfind("cardgame/", 0) == 0 || file.rfind("games/", 0) == 0))
      {
         return KIND_GAME;
      }
      return -1;
   }

   // The ways the call at open reads a name.
   std::set<Reader> CallReadersGet(const Tokens& t, size_t open, const std::vector<Tokens>& arguments) const
   {
      std::set<Reader> found;
      const std::string callee = CalleeGet(t, open);
      if (callee.empty())
      {
         return found;
      }
      const auto documentArgument = [](const Tokens& a)
      { return a.size() == 1 && (a[0] == "consts" || a[0] == "constants"); };
      // consts->ItemGet(name), and Helper(consts, name).
      if (open >= 3 && t[open - 2] == "->" && (t[open - 3] == "consts" || t[open - 3] == "constants"))
      {
         found.insert(Reader{KIND_DOCUMENT, 0, -1});
      }
      if (arguments.size() >= 2 && documentArgument(arguments[0]))
      {
         found.insert(Reader{KIND_DOCUMENT, 1, 0});
      }
      static const std::set<std::string> widgetLookups = {"DescendantGetByPath", "ChildGetByName",
                                                          "WidgetGetByPath", "OnClickCallbackSet"};
      if (widgetLookups.count(callee))
      {
         found.insert(Reader{KIND_WIDGET, 0, -1});
      }
      if ((callee == "TextGet" || callee == "TextKeySet") && open >= 2 &&
          (t[open - 2] == "." || t[open - 2] == "->"))
      {
         found.insert(Reader{KIND_TEXT, 0, -1});
      }
      if (callee == "SettingStringGet" || callee == "SettingBoolGet")
      {
         found.insert(Reader{KIND_SETTING, 0, -1});
      }
      // A widget made by the code under its own name.
      if (callee == "Init" || (callee.size() > 6 && callee.compare(callee.size() - 6, 6, "Create") == 0))
      {
         found.insert(Reader{KIND_CREATED, 0, -1});
      }
      const auto known = readers.find(callee);
      if (known != readers.end())
      {
         found.insert(known->second.begin(), known->second.end());
      }
      return found;
   }

 private:
   struct Definition
   {
      std::string name;
      std::vector<std::string> parameters;
      // Whether each parameter is a text (a char pointer).
      std::vector<bool> texts;
      size_t bodyBegin;
      size_t bodyEnd;
   };

   static std::vector<Definition> DefinitionsGet(const Tokens& t)
   {
      std::vector<Definition> definitions;
      for (size_t i = 1; i < t.size(); ++i)
      {
         if (t[i] != "(" || !IdentifierCheck(t[i - 1]) || CalleeGet(t, i).empty())
         {
            continue;
         }
         size_t close = 0;
         const std::vector<Tokens> parameters = ArgumentsGet(t, i, &close);
         size_t k = close + 1;
         while (k < t.size() &&
                (t[k] == "const" || t[k] == "override" || t[k] == "noexcept" || t[k] == "final"))
         {
            ++k;
         }
         if (k >= t.size() || t[k] != "{")
         {
            continue;
         }
         Definition definition;
         definition.name = t[i - 1];
         for (const Tokens& p : parameters)
         {
            bool text = false;
            for (const std::string& x : p)
            {
               text = text || x == "char";
            }
            definition.parameters.push_back(!p.empty() && IdentifierCheck(p.back()) ? p.back()
                                                                                    : std::string());
            definition.texts.push_back(text);
         }
         definition.bodyBegin = k;
         i32 depth = 0;
         size_t m = k;
         for (; m < t.size(); ++m)
         {
            depth += t[m] == "{" ? 1 : t[m] == "}" ? -1 : 0;
            if (depth == 0)
            {
               break;
            }
         }
         definition.bodyEnd = m;
         definitions.push_back(definition);
      }
      return definitions;
   }

   static i32 IndexOf(const std::vector<std::string>& names, const std::string& name)
   {
      for (size_t i = 0; i < names.size(); ++i)
      {
         if (!name.empty() && names[i] == name)
         {
            return static_cast<i32>(i);
         }
      }
      return -1;
   }

   // A function that hands one of its text parameters to a lookup is a lookup of that kind too.
   void ReadersDerive()
   {
      std::map<std::string, std::vector<Definition>> definitions;
      for (const auto& [file, t] : sources)
      {
         definitions[file] = DefinitionsGet(t);
      }
      for (bool changed = true; changed;)
      {
         changed = false;
         for (const auto& [file, t] : sources)
         {
            for (const Definition& d : definitions[file])
            {
               for (size_t i = d.bodyBegin; i < d.bodyEnd; ++i)
               {
                  if (t[i] != "(")
                  {
                     continue;
                  }
                  size_t close = 0;
                  const std::vector<Tokens> arguments = ArgumentsGet(t, i, &close);
                  for (const Reader& r : CallReadersGet(t, i, arguments))
                  {
                     if (r.kind == KIND_CREATED || r.nameIndex >= static_cast<i32>(arguments.size()) ||
                         arguments[r.nameIndex].size() != 1)
                     {
                        continue;
                     }
                     const i32 parameter = IndexOf(d.parameters, arguments[r.nameIndex][0]);
                     if (parameter < 0 || !d.texts[parameter])
                     {
                        continue;
                     }
                     Reader derived{r.kind, parameter, -1};
                     if (r.kind == KIND_DOCUMENT)
                     {
                        const std::string document =
                            r.documentIndex >= 0 ? (r.documentIndex < static_cast<i32>(arguments.size()) &&
                                                            arguments[r.documentIndex].size() == 1
                                                        ? arguments[r.documentIndex][0]
                                                        : std::string())
                                                 : t[i - 3];
                        derived.documentIndex = IndexOf(d.parameters, document);
                        if (derived.documentIndex < 0)
                        {
                           derived.kind = DocumentKindGet(file, document);
                           if (derived.kind < 0)
                           {
                              continue;
                           }
                        }
                     }
                     changed = readers[d.name].insert(derived).second || changed;
                  }
               }
            }
         }
      }
   }

   void ReadsCollect()
   {
      for (const auto& [file, t] : sources)
      {
         // A name kept in a variable first: "key = \"...\"" anywhere in the file.
         std::map<std::string, std::vector<std::string>> assigned;
         for (size_t i = 0; i + 2 < t.size(); ++i)
         {
            if (IdentifierCheck(t[i]) && t[i + 1] == "=" && LiteralCheck(t[i + 2]))
            {
               assigned[t[i]].push_back(t[i + 2]);
            }
         }
         for (size_t i = 1; i < t.size(); ++i)
         {
            if (t[i] != "(")
            {
               continue;
            }
            size_t close = 0;
            const std::vector<Tokens> arguments = ArgumentsGet(t, i, &close);
            for (const Reader& r : CallReadersGet(t, i, arguments))
            {
               i32 kind = r.kind;
               if (kind == KIND_DOCUMENT)
               {
                  const bool fixed = r.documentIndex < 0 && i >= 3 && t[i - 2] == "->";
                  const std::string document =
                      fixed ? t[i - 3]
                            : (r.documentIndex >= 0 && r.documentIndex < static_cast<i32>(arguments.size()) &&
                                       arguments[r.documentIndex].size() == 1
                                   ? arguments[r.documentIndex][0]
                                   : std::string());
                  kind = DocumentKindGet(file, document);
               }
               if (kind < 0 || r.nameIndex >= static_cast<i32>(arguments.size()) ||
                   arguments[r.nameIndex].size() != 1)
               {
                  continue;
               }
               const std::string& argument = arguments[r.nameIndex][0];
               const std::vector<std::string> names =
                   LiteralCheck(argument) ? std::vector<std::string>{argument} : assigned[argument];
               for (const std::string& literal : names)
               {
                  const std::string name = literal.substr(1, literal.size() - 2);
                  // Formats and prefixes are filled in at run time.
                  if (name.empty() || name.find_first_of("%\\ ") != std::string::npos || name.back() == '.')
                  {
                     continue;
                  }
                  reads.push_back(Read{static_cast<Kind>(kind), name, file});
               }
            }
         }
      }
   }
};
} // namespace SourceReads
} // namespace Corvale
