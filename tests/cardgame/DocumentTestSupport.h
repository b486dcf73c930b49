// What the game state document tests share: the framework's reflected types registered as the
// start-up does, and mutations of a saved document's text that keep it parseable.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <random>
#include <typeinfo>
#include <string>
#include <vector>

#include "cardgame/Action.h"
#include "cardgame/CardGame.h"
#include "cardgame/Command.h"
#include "cardgame/FrontendBasedCardGame.h"
#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"
#include "cardgame/Team.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "core/ReflectionTypeTable.h"
#include "tests/cardgame/TestCardGame.h"
#include "tests/core/JSONTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
template <class T> void DocumentTableTypeRegister(const char* name)
{
   auto* table = MemoryNew<ReflectionTypeTable<T>>(HEAP_DEFAULT);
   table->Init(name);
   ReflectionManager::TypeRegister(table);
}

// The manager with the table types and the framework classes a saved game needs.
inline void FrameworkTypesRegister()
{
   ReflectionManager::Init();
   DocumentTableTypeRegister<int>("Table<int>");
   DocumentTableTypeRegister<Player*>("Table<Player*>");
   DocumentTableTypeRegister<Team*>("Table<Team*>");
   DocumentTableTypeRegister<Action>("Table<Action>");
   CardGame::ReflectionRegister();
   FrontendBasedCardGame::ReflectionRegister();
   Command::ReflectionRegister();
   Action::ReflectionRegister();
   Player::ReflectionRegister();
   Team::ReflectionRegister();
   Minigame::ReflectionRegister();
   NonSolitaireFrontendBasedCardGame::ReflectionRegister();
}

// The framework types and the test card game as a saved class of its own.
inline void TestCardGameTypesRegister()
{
   FrameworkTypesRegister();
   auto* record = MemoryNew<ReflectionTypeObjectTyped<TestCardGame>>(HEAP_DEFAULT);
   record->Init("Corvale::TestCardGame");
   record->BaseAdd(typeid(FrontendBasedCardGame).name());
   ReflectionManager::TypeRegister(record);
}

// The written document with edits made at random member names: the value replaced by one of
// another type or out of range, or the member renamed so that it is missing. Written documents
// put ": " after each member name.
inline std::string DocumentMutate(const std::string& text, std::mt19937& generator, int edits)
{
   static const char* const replacements[] = {"null", "\"x\"", "-1",   "4294967296", "1e300",
                                              "[]",   "{}",    "true", "0",          "2147483648",
                                              "-3.5", "51",    "\"\"", "[{}]",       "[null]"};
   std::string mutated = text;
   for (int edit = 0; edit < edits; edit++)
   {
      std::vector<size_t> colons;
      for (size_t at = mutated.find("\": "); at != std::string::npos; at = mutated.find("\": ", at + 1))
      {
         colons.push_back(at);
      }
      if (colons.empty())
      {
         break;
      }
      const size_t colon = colons[generator() % colons.size()];
      if (generator() % 6 == 0)
      {
         mutated.insert(colon, "_");
         continue;
      }
      const size_t start = colon + 3;
      size_t end = start;
      if (mutated[start] == '{' || mutated[start] == '[')
      {
         int depth = 0;
         do
         {
            depth += mutated[end] == '{' || mutated[end] == '['   ? 1
                     : mutated[end] == '}' || mutated[end] == ']' ? -1
                                                                  : 0;
            end++;
         } while (depth > 0 && end < mutated.size());
      }
      else
      {
         end = mutated.find_first_of(",\n}", start);
      }
      mutated.replace(start, end - start, replacements[generator() % std::size(replacements)]);
   }
   return mutated;
}

// Loads variants of the document text, each with one to three edits: a variant that loads is
// undone by restore, one that is refused must leave state() as it was. Both kinds must occur.
inline void MutationPass(const std::string& text, u32 seed, int variants,
                         const std::function<bool(JSONValue*)>& load,
                         const std::function<std::string()>& state, const std::function<void()>& restore)
{
   std::mt19937 generator(seed);
   int loaded = 0, refused = 0;
   for (int variant = 0; variant < variants && !::testing::Test::HasFailure(); variant++)
   {
      const std::string mutated = DocumentMutate(text, generator, 1 + variant % 3);
      JSONTest::ValuePointer document = JSONTest::TextParse(mutated);
      if (!document)
      {
         continue;
      }
      const std::string before = state();
      if (load(document.get()))
      {
         loaded++;
         restore();
      }
      else
      {
         refused++;
         EXPECT_EQ(state(), before) << mutated;
      }
   }
   EXPECT_GT(loaded, 0);
   EXPECT_GT(refused, 0);
}
} // namespace TestSupport
} // namespace Corvale
