// Forty Thieves, Four Seasons, Mount Olympus, Yukon, Scorpion and Seahaven Towers played headless:
// any of the six entered by key with its options, fixtures laid from card names, and the six games'
// rules written out once more, apart from the games' code, as the oracle that the rules tests and
// the soak hold them to.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "games/solitaire/FortyThievesSolitaire.h"
#include "games/solitaire/FourSeasonsSolitaire.h"
#include "games/solitaire/MountOlympusSolitaire.h"
#include "games/solitaire/ScorpionSolitaire.h"
#include "games/solitaire/SeahavenTowersSolitaire.h"
#include "games/solitaire/YukonSolitaire.h"
#include "tests/games/solitaire/SolitaireSoak.h"

namespace Corvale
{
namespace TestSupport
{
inline const char* const BUILDER_KEYS[] = {"FortyThievesSolitaire", "FourSeasonsSolitaire",
                                           "MountOlympusSolitaire", "YukonSolitaire",
                                           "ScorpionSolitaire",     "SeahavenTowersSolitaire"};

// A fresh instance of the game of that key; null for another key.
inline OpenTableauSolitaire* BuilderCreate(const std::string& key)
{
   if (key == "FortyThievesSolitaire")
      return new FortyThievesSolitaire();
   if (key == "FourSeasonsSolitaire")
      return new FourSeasonsSolitaire();
   if (key == "MountOlympusSolitaire")
      return new MountOlympusSolitaire();
   if (key == "YukonSolitaire")
      return new YukonSolitaire();
   if (key == "ScorpionSolitaire")
      return new ScorpionSolitaire();
   if (key == "SeahavenTowersSolitaire")
      return new SeahavenTowersSolitaire();
   return nullptr;
}

constexpr i32 FORTY = 0;
constexpr i32 SEASONS = 1;
constexpr i32 OLYMPUS = 2;
constexpr i32 YUKON = 3;
constexpr i32 SCORPION = 4;
constexpr i32 SEAHAVEN = 5;

class BuilderHarness : public SolitaireHarness
{
 public:
   BuilderHarness()
   {
      FortyThievesSolitaire::ReflectionRegister();
      FourSeasonsSolitaire::ReflectionRegister();
      MountOlympusSolitaire::ReflectionRegister();
      YukonSolitaire::ReflectionRegister();
      ScorpionSolitaire::ReflectionRegister();
      SeahavenTowersSolitaire::ReflectionRegister();
   }

   void GameEnter(OpenTableauSolitaire* entered)
   {
      key = entered->GameNameGet();
      game = entered;
      which = 0;
      while (which < 5 && key != BUILDER_KEYS[which])
      {
         which++;
      }
      SolitaireEnter(entered, entered->DecksCountGet());
      OptionsRead();
   }

   // The options a deal plays under, read once: the oracle asks for them thousands of times.
   void OptionsRead()
   {
      alternating = OptionGet("ColumnsInAlternatingColors");
      onlyKings = OptionGet("OnlyKingsInEmpty");
   }

   void OptionSet(const char* name, bool value) { SolitaireHarness::OptionSet(key.c_str(), name, value); }
   bool OptionGet(const char* name) { return game->SettingBoolGet(name); }
   bool Is(i32 game) const { return which == game; }

   // A new deal from the seed, played out to a still table.
   void Deal(u32 seed)
   {
      game->seed1 = seed * 7919u + 1u;
      game->seed2 = seed * 104729u + 3u;
      game->GameNew();
      Settle();
      OptionsRead();
   }

   CardPile* Pile(i32 type, i32 id) { return game->CardPileGet(type, id, -1); }

   // Every card back in the stock, face down, with no history and no end: a table for fixtures.
   void Clear()
   {
      TableEmpty();
      game->gameResult = MINIGAME_RESULT_RUNNING;
      game->refreshPending = false;
   }

   // A card of that name ("7S"; T for Ten) from the stock; a second deck's twin for a name used twice.
   Card* StockCardTake(const std::string& name)
   {
      static const std::string ranks = "XA23456789TJQK";
      static const std::string suits = "HSDC";
      const CardPile* stock = StockGet();
      for (i32 i = 0; i < stock->cards.count; ++i)
      {
         Card* card = stock->cards[i];
         if (card->rank == static_cast<i32>(ranks.find(name[0])) &&
             card->suit == static_cast<i32>(suits.find(name[1])))
         {
            return card;
         }
      }
      return nullptr;
   }

   // Cards named bottom first onto the pile, face up unless the name ends in '-'.
   void Lay(CardPile* pile, const std::vector<std::string>& names)
   {
      ASSERT_NE(pile, nullptr);
      for (const std::string& name : names)
      {
         Card* card = StockCardTake(name);
         ASSERT_NE(card, nullptr) << name;
         pile->CardInsert(pile->cards.count, card);
         card->FaceUpSet(name.size() == 2, false);
      }
      game->CardAnimationsFinish();
   }

   // The cards still in the stock moved out of play onto the pile, face up.
   void Sink(CardPile* sink)
   {
      CardPile* stock = StockGet();
      while (stock->cards.count > 0)
      {
         Card* card = stock->CardTopGet();
         sink->CardInsert(0, card);
         card->FaceUpSet(true, false);
      }
      game->CardAnimationsFinish();
   }

   std::string key;
   // The game's index in BUILDER_KEYS.
   i32 which = 0;
   bool alternating = false;
   bool onlyKings = false;
   OpenTableauSolitaire* game = nullptr;
};

// ---- The oracle: the six games' rules as their tables tell them. ----
class BuilderRules : public SoakRules
{
 public:
   explicit BuilderRules(BuilderHarness& harnessUsed) : h(harnessUsed) {}

   static bool Red(const Card* c) { return c->suit == SUIT_HEARTS || c->suit == SUIT_DIAMONDS; }
   // b lies step ranks from a (negative: below); King and Ace touch only with wrap.
   static bool Step(const Card* a, const Card* b, i32 step, bool wrap)
   {
      i32 next = a->rank + step;
      if (wrap)
      {
         next = (next - 1 + 13) % 13 + 1;
      }
      return b->rank == next;
   }
   static i32 Moving(const Card* card) { return card->pile->cards.count - card->pile->CardIndexGet(card); }

   i32 CardsIn(i32 type)
   {
      i32 count = 0;
      for (i32 p = 0; p < h.game->cardPiles.count; ++p)
      {
         count += h.game->cardPiles[p]->type == type ? h.game->cardPiles[p]->cards.count : 0;
      }
      return count;
   }

   bool PickUpLegal(const Card* card) override
   {
      const CardPile* pile = card->pile;
      if (!pile || !card->faceUp)
      {
         return false;
      }
      const bool top = pile->CardTopGet() == card;
      const bool column = pile->type == CARD_PILE_TYPE_TABLEAU;
      if (h.Is(FORTY))
         return pile->type == CARD_PILE_TYPE_RESERVE || (column && top);
      if (h.Is(SEASONS))
         return top && (column || pile->type == CARD_PILE_TYPE_TALON);
      if (h.Is(OLYMPUS))
      {
         for (i32 i = pile->CardIndexGet(card) + 1; column && i < pile->cards.count; ++i)
         {
            const Card* under = pile->cards[i - 1];
            const Card* over = pile->cards[i];
            if (over->suit != under->suit || !Step(under, over, -2, false))
               return false;
         }
         return column;
      }
      if (h.Is(YUKON) || h.Is(SCORPION))
         return column;
      return top && (column || pile->type == CARD_PILE_TYPE_RESERVE);
   }

   // Whether the game carries the cards above the card along.
   bool Carries() { return h.Is(OLYMPUS) || h.Is(YUKON) || h.Is(SCORPION); }

   bool DropLegal(const CardPile* to, const Card* card) override
   {
      if (to == card->pile)
      {
         return false;
      }
      const i32 moving = Carries() ? Moving(card) : 1;
      const i32 after = to->cards.count + moving;
      const Card* top = to->CardTopGet();
      const bool column = to->type == CARD_PILE_TYPE_TABLEAU;
      const bool foundation = to->type == CARD_PILE_TYPE_FOUNDATION;
      const bool sameSuit = top && top->suit == card->suit;
      if (h.Is(FORTY))
      {
         if (column)
            return after <= 15 && (!top || (sameSuit && Step(top, card, -1, false)));
         return foundation && (top ? sameSuit && Step(top, card, 1, false) : card->rank == RANK_ACE);
      }
      if (h.Is(SEASONS))
      {
         if (column)
            return after <= 25 && (!top || Step(top, card, -1, true));
         return foundation && (top ? sameSuit && Step(top, card, 1, true) : card->rank == firstRank);
      }
      if (h.Is(OLYMPUS))
      {
         if (column)
            return !top || (sameSuit && Step(top, card, -2, false));
         return foundation && moving == 1 && sameSuit && Step(top, card, 2, false);
      }
      if (h.Is(YUKON))
      {
         if (column)
         {
            if (!top)
               return card->rank == RANK_KING;
            const bool differs = h.alternating ? Red(top) != Red(card) : top->suit != card->suit;
            return after <= 25 && differs && Step(top, card, -1, false);
         }
         return foundation && moving == 1 &&
                (top ? sameSuit && Step(top, card, 1, false) : card->rank == RANK_ACE);
      }
      if (h.Is(SCORPION))
      {
         if (!column || after > 22)
            return false;
         return top ? sameSuit && Step(top, card, -1, false) : card->rank == RANK_KING || !h.onlyKings;
      }
      // Seahaven Towers.
      if (column)
         return after <= 18 && (top ? sameSuit && Step(top, card, -1, false) : card->rank == RANK_KING);
      if (foundation)
         return top ? sameSuit && Step(top, card, 1, false) : card->rank == RANK_ACE;
      return to->type == CARD_PILE_TYPE_RESERVE && !top;
   }

   bool StockActsCheck()
   {
      const CardPile* stock = h.StockGet();
      if (stock->cards.count == 0)
         return false;
      if (h.Is(FORTY))
      {
         for (i32 c = 0; c < 10; ++c)
         {
            if (h.ColumnGet(c)->cards.count >= 15)
               return false;
         }
         return true;
      }
      return h.Is(SEASONS) || h.Is(SCORPION);
   }

   std::vector<std::pair<Card*, CardPile*>> Moves()
   {
      std::vector<std::pair<Card*, CardPile*>> moves;
      for (i32 i = 0; i < h.game->cards.count; ++i)
      {
         Card* card = h.game->cards[i];
         for (i32 p = 0; PickUpLegal(card) && p < h.game->cardPiles.count; ++p)
         {
            if (DropLegal(h.game->cardPiles[p], card))
               moves.emplace_back(card, h.game->cardPiles[p]);
         }
      }
      return moves;
   }

   bool MoveAnyCheck()
   {
      for (i32 i = 0; i < h.game->cards.count; ++i)
      {
         Card* card = h.game->cards[i];
         for (i32 p = 0; PickUpLegal(card) && p < h.game->cardPiles.count; ++p)
         {
            if (DropLegal(h.game->cardPiles[p], card))
               return true;
         }
      }
      return false;
   }

   bool ScorpionRunsComplete()
   {
      for (i32 c = 0; c < 7; ++c)
      {
         const CardPile* pile = h.ColumnGet(c);
         if (pile->cards.count == 0)
            continue;
         if (pile->cards.count != 13)
            return false;
         for (i32 i = 0; i < 13; ++i)
         {
            const Card* card = pile->cards[i];
            if (!card->faceUp || card->suit != pile->cards[0]->suit || card->rank != RANK_KING - i)
               return false;
         }
      }
      return true;
   }

   i32 ResultExpected() override
   {
      const bool stockEmpty = CardsIn(CARD_PILE_TYPE_DRAW) == 0;
      const bool columnsEmpty = CardsIn(CARD_PILE_TYPE_TABLEAU) == 0;
      const bool noMove = !MoveAnyCheck();
      bool won = false;
      bool lost = false;
      if (h.Is(FORTY))
      {
         won = stockEmpty && columnsEmpty && CardsIn(CARD_PILE_TYPE_RESERVE) == 0;
         lost = !StockActsCheck() && noMove;
      }
      else if (h.Is(SEASONS))
      {
         won = stockEmpty && columnsEmpty && CardsIn(CARD_PILE_TYPE_TALON) == 0;
         lost = stockEmpty && noMove;
      }
      else if (h.Is(OLYMPUS) || h.Is(YUKON))
      {
         won = stockEmpty && columnsEmpty;
         lost = noMove;
      }
      else if (h.Is(SCORPION))
      {
         won = ScorpionRunsComplete();
         lost = stockEmpty && noMove;
      }
      else
      {
         won = columnsEmpty && CardsIn(CARD_PILE_TYPE_RESERVE) == 0;
         lost = noMove;
      }
      return won ? MINIGAME_RESULT_WON : lost ? MINIGAME_RESULT_LOST : MINIGAME_RESULT_RUNNING;
   }

   // On a still table: no face-down card on top of a column, no empty Mount Olympus column while
   // the stock holds cards, foundations in order; and the game's move questions agree with ours.
   std::string IdleFault() override
   {
      for (i32 p = 0; p < h.game->cardPiles.count; ++p)
      {
         const CardPile* pile = h.game->cardPiles[p];
         const Card* top = pile->CardTopGet();
         if (pile->type == CARD_PILE_TYPE_TABLEAU && top && !top->faceUp)
            return "a face-down card on top of column " + std::to_string(pile->secondaryID);
         if (pile->type == CARD_PILE_TYPE_TABLEAU && !top && h.Is(OLYMPUS) &&
             CardsIn(CARD_PILE_TYPE_DRAW) > 0)
            return "column " + std::to_string(pile->secondaryID) + " left empty";
         for (i32 i = 1; pile->type == CARD_PILE_TYPE_FOUNDATION && i < pile->cards.count; ++i)
         {
            const Card* under = pile->cards[i - 1];
            const Card* over = pile->cards[i];
            const i32 step = h.Is(OLYMPUS) ? 2 : 1;
            if (over->suit != under->suit || !Step(under, over, step, h.Is(SEASONS)))
               return "foundation " + std::to_string(pile->secondaryID) + " out of order";
         }
      }
      // Every third still table is enough to catch a question answered wrongly, at a third the cost.
      for (i32 i = 0; judged++ % 3 == 0 && i < h.game->cards.count; ++i)
      {
         Card* card = h.game->cards[i];
         const bool takes = PickUpLegal(card);
         if (h.game->CardPickUpCheck(card) != takes)
            return "the game's pick-up answer differs for card " + std::to_string(card->id);
         for (i32 p = 0; takes && p < h.game->cardPiles.count; ++p)
         {
            CardPile* pile = h.game->cardPiles[p];
            if (pile != card->pile && h.game->CardDropCheck(pile, card) != DropLegal(pile, card))
               return "the game's drop answer differs for card " + std::to_string(card->id) + " onto pile " +
                      std::to_string(pile->id);
         }
      }
      const CardPile* stock = h.StockGet();
      if (stock->cards.count > 0 && h.game->CardChooseOnClickCheck(stock->CardTopGet()) != StockActsCheck())
         return "the game's stock click answer differs";
      return "";
   }

   bool StockAct(std::mt19937& random) override
   {
      (void)random;
      if (!StockActsCheck())
         return false;
      CardPile* stock = h.StockGet();
      const i32 before = stock->cards.count;
      h.ChoosePost(stock->CardTopGet());
      EXPECT_TRUE(h.RunUntilSettled(20000));
      const i32 dealt = h.Is(SCORPION) ? (before < 7 ? before : 7) : 1;
      EXPECT_EQ(stock->cards.count, before - dealt) << "after a stock click";
      return true;
   }

   BuilderHarness& h;
   i32 judged = 0;
   // Four Seasons' first foundation card, read after the deal.
   i32 firstRank = RANK_ACE;
};
} // namespace TestSupport
} // namespace Corvale
