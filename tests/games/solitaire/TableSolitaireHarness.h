// Gaps, Golf and Nestor played headless with their own constants files and the data tree's
// templates: the game entered with options from the profile, tables laid out card by card, and
// the player's clicks posted as Command 16.
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "games/solitaire/GapsSolitaire.h"
#include "games/solitaire/GolfSolitaire.h"
#include "games/solitaire/NestorSolitaire.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
class TableSolitaireHarness : public KlondikeHarness
{
 public:
   TableSolitaireHarness()
   {
      GolfSolitaire::ReflectionRegister();
      NestorSolitaire::ReflectionRegister();
      GapsSolitaire::ReflectionRegister();
      for (const char* key : {"GapsSolitaire", "GolfSolitaire", "NestorSolitaire"})
      {
         const std::string path = std::string("Scripts/Minigames/") + key + ".json";
         FileWrite(path, SourceFileRead("data/" + path));
      }
   }

   static void OptionSet(Minigame* game, const char* name, bool value)
   {
      ProfileMinigameSettingsGet(game->GameNameGet())->ItemBoolSet(name, value);
   }

   // Enters the game, which deals, and lets the deal finish.
   void GameEnter(TraditionalSolitaireGame* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      Enter(entered, seed0, seed1);
      cardGame = entered;
      solitaire = entered;
      decks = 1;
      enteredConsts =
          SourceFileRead(std::string("data/Scripts/Minigames/") + entered->GameNameGet() + ".json");
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(1000));
   }

   CardPile* Pile(i32 type, i32 secondaryID = -1) { return solitaire->CardPileGet(type, secondaryID, -1); }
   CardPile* Stock() { return Pile(CARD_PILE_TYPE_DRAW); }

   // Every card back in the stock face down, no selection and no history: a table for fixtures.
   void TableClear()
   {
      for (i32 i = 0; i < solitaire->cards.count; ++i)
      {
         Card* card = solitaire->cards[i];
         if (card->pile != Stock())
         {
            Stock()->CardInsert(Stock()->cards.count, card);
         }
         card->FaceUpSet(false, false);
         card->SelectedSet(false);
      }
      solitaire->CardAnimationsFinish();
      solitaire->UndoHistoryClear();
   }

   // Lays the cards ("AH", "5S*": a star for face up) on the pile; spaces separate them.
   void Lay(CardPile* pile, const std::string& names)
   {
      std::vector<std::string> split;
      std::regex word("\\S+");
      for (auto it = std::sregex_iterator(names.begin(), names.end(), word); it != std::sregex_iterator();
           ++it)
      {
         split.push_back(it->str());
      }
      CardsPlace(pile, split);
   }

   // A player's click on the card, run until the game is idle again.
   void Click(Card* card)
   {
      ChoosePost(card);
      ASSERT_TRUE(RunUntilSettled(5000));
      ASSERT_TRUE(RunUntilIdle(1000));
      ASSERT_TRUE(RunUntilSettled(5000));
   }

   // Lets a refresh run on a laid-out table.
   void Settle()
   {
      solitaire->RefreshMark();
      ASSERT_TRUE(RunUntilSettled(5000));
      ASSERT_TRUE(RunUntilIdle(1000));
   }

   static std::string TimersCleared(const std::string& text)
   {
      return std::regex_replace(text, std::regex("\"(gameTimer|gameTimeFrozen)\": [0-9]+"), "\"$1\": 0");
   }

   TraditionalSolitaireGame* solitaire = nullptr;
};
} // namespace TestSupport
} // namespace Corvale
