// A solitaire whose shuffled stock gets chosen cards on top, so that a deal walk can be laid out
// as a table, and the stock's order after the shuffle kept for deals that take it in list order.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardPile.h"
#include "tests/games/solitaire/SolitaireHarness.h"

namespace Corvale
{
namespace TestSupport
{
template <class Game> class StackedDeal : public Game
{
 public:
   void CardPileShuffle(CardPile* pile) override
   {
      Game::CardPileShuffle(pile);
      if (!pile || pile->type != CARD_PILE_TYPE_DRAW)
      {
         return;
      }
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      std::vector<Card*> chosen;
      std::set<Card*> taken;
      for (const std::string& name : top)
      {
         Card* found = nullptr;
         for (i32 i = 0; i < pile->cards.count && !found; ++i)
         {
            Card* card = pile->cards[i];
            if (card->rank == static_cast<i32>(ranks.find(name[0])) &&
                card->suit == static_cast<i32>(suits.find(name[1])) && !taken.count(card))
            {
               found = card;
            }
         }
         EXPECT_NE(found, nullptr) << name;
         if (found)
         {
            taken.insert(found);
            chosen.push_back(found);
         }
      }
      // The first name ends on top.
      for (auto it = chosen.rbegin(); it != chosen.rend(); ++it)
      {
         pile->CardInsert(pile->cards.count, *it);
      }
      listed.clear();
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         listed.push_back(pile->cards[i]);
      }
   }

   // The cards to put on top of the stock, the first on top.
   std::vector<std::string> top;
   // The stock after the shuffle, index 0 first.
   std::vector<Card*> listed;
};
// Puts the named cards ("AH", "KD*": a star, face up) from the stock on top of the pile, in order:
// with two decks each name takes the next copy still in the stock.
inline void CardsFromStockPlace(SolitaireHarness& harness, CardPile* pile,
                                const std::vector<std::string>& names)
{
   static const std::string ranks = "XA23456789TJQK";
   static const std::string suits = "HSDC";
   CardPile* stock = harness.StockGet();
   for (const std::string& name : names)
   {
      Card* found = nullptr;
      for (i32 i = stock->cards.count - 1; i >= 0 && !found; --i)
      {
         Card* card = stock->cards[i];
         if (card->rank == static_cast<i32>(ranks.find(name[0])) &&
             card->suit == static_cast<i32>(suits.find(name[1])))
         {
            found = card;
         }
      }
      ASSERT_NE(found, nullptr) << name << " is not in the stock";
      pile->CardInsert(pile->cards.count, found);
      found->FaceUpSet(name.size() > 2 && name[2] == '*', false);
   }
   harness.solitaire->CardAnimationsFinish();
}
} // namespace TestSupport
} // namespace Corvale
