// Pick 2, Sum 11 and Three Towers played headless with their own constants files: the arcade
// harness with the wall games registered, wall positions by number, and choices posted as a click
// posts them.
#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "games/solitaire/Pick2Solitaire.h"
#include "games/solitaire/Sum11Solitaire.h"
#include "games/solitaire/ThreeTowersSolitaire.h"
#include "tests/games/solitaire/TwentyOneHarness.h"

namespace Corvale
{
namespace TestSupport
{
class WallHarness : public TwentyOneHarness
{
 public:
   WallHarness()
   {
      Pick2Solitaire::ReflectionRegister();
      Sum11Solitaire::ReflectionRegister();
      ThreeTowersSolitaire::ReflectionRegister();
      for (const char* key : {"Pick2Solitaire", "Sum11Solitaire", "ThreeTowersSolitaire"})
      {
         const std::string path = std::string("Scripts/Minigames/") + key + ".json";
         FileWrite(path, SourceFileRead("data/" + path));
      }
   }

   CardPile* Wall(i32 position) { return arcade->CardPileGet(CARD_PILE_TYPE_TABLEAU, position, -1); }
   CardPile* Current() { return arcade->CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1); }
   CardPile* Discard() { return arcade->CardPileGet(CARD_PILE_TYPE_DISCARD, -1, -1); }

   // A laid table: the named cards ("7H", face up) at their wall positions (-1: the Discard pile)
   // and as the current card
   // (none: the stock's top card), the positions listed in empty left empty, every other position
   // filled face up from the stock's top, the rest of the deck in the stock.
   void WallLay(const std::vector<std::pair<i32, std::string>>& named, const std::string& current = "",
                const std::vector<i32>& empty = {})
   {
      TableClear();
      for (const auto& entry : named)
      {
         CardsPlace(entry.first == -1 ? Discard() : Wall(entry.first), {entry.second + "*"});
      }
      if (!current.empty())
      {
         CardsPlace(Current(), {current + "*"});
      }
      for (i32 i = 0; i < arcade->cardPiles.count; ++i)
      {
         CardPile* pile = arcade->cardPiles[i];
         const bool left = std::find(empty.begin(), empty.end(), pile->secondaryID) != empty.end();
         const bool filled = (pile->type == CARD_PILE_TYPE_TABLEAU && !left) || pile == Current();
         if (filled && pile->cards.count == 0 && Stock()->cards.count > 0)
         {
            Card* card = Stock()->CardTopGet();
            pile->CardInsert(0, card);
            card->FaceUpSet(true, false);
         }
      }
      arcade->CardAnimationsFinish();
   }

   // A click on the card, as its widget posts it, then everything it sets off.
   void Choose(Card* card)
   {
      ChoosePost(card);
      EXPECT_TRUE(RunUntilSettled(20000));
      EXPECT_TRUE(RunUntilIdle(2000));
      EXPECT_TRUE(RunUntilSettled(20000));
   }

   // A click on the stock's top card.
   void StockChoose() { Choose(Stock()->CardTopGet()); }
};
} // namespace TestSupport
} // namespace Corvale
