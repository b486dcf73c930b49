// Aces Up, Aces and Kings, Baroness and the open-layout builders played headless with their own
// constants files: any of the eight entered by key, its options set in the profile, and the rules
// of each game written out once more, from its table, as an oracle the soak and the rules tests
// hold the games to.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "core/ReflectionTypeBasic.h"
#include "games/solitaire/AcesAndKingSolitaire.h"
#include "games/solitaire/AcesUpSolitaire.h"
#include "games/solitaire/BaronessSolitaire.h"
#include "games/solitaire/FlowerGardenSolitaire.h"
#include "games/solitaire/FortressSolitaire.h"
#include "games/solitaire/FourFreeSolitaire.h"
#include "games/solitaire/LaBelleLucieSolitaire.h"
#include "games/solitaire/PenguinSolitaire.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
inline const char* const OPEN_LAYOUT_KEYS[] = {
    "AcesUpSolitaire",   "AcesAndKingsSolitaire", "BaronessSolitaire", "FourFreeSolitaire",
    "FortressSolitaire", "FlowerGardenSolitaire", "PenguinSolitaire",  "LaBelleLucieSolitaire"};

// A fresh instance of the game of that key; null for another key.
inline TraditionalSolitaireGame* OpenLayoutCreate(const std::string& key)
{
   if (key == "AcesUpSolitaire")
      return new AcesUpSolitaire();
   if (key == "AcesAndKingsSolitaire")
      return new AcesAndKingSolitaire();
   if (key == "BaronessSolitaire")
      return new BaronessSolitaire();
   if (key == "FourFreeSolitaire")
      return new FourFreeSolitaire();
   if (key == "FortressSolitaire")
      return new FortressSolitaire();
   if (key == "FlowerGardenSolitaire")
      return new FlowerGardenSolitaire();
   if (key == "PenguinSolitaire")
      return new PenguinSolitaire();
   if (key == "LaBelleLucieSolitaire")
      return new LaBelleLucieSolitaire();
   return nullptr;
}

class OpenLayoutHarness : public KlondikeHarness
{
 public:
   OpenLayoutHarness()
   {
      AcesUpSolitaire::ReflectionRegister();
      AcesAndKingSolitaire::ReflectionRegister();
      BaronessSolitaire::ReflectionRegister();
      FourFreeSolitaire::ReflectionRegister();
      FortressSolitaire::ReflectionRegister();
      FlowerGardenSolitaire::ReflectionRegister();
      PenguinSolitaire::ReflectionRegister();
      LaBelleLucieSolitaire::ReflectionRegister();
      // Penguin's starter rank is saved by name.
      ReflectionTypeInt::EnumerationRegister<Rank>("Corvale::Rank");
      for (const char* key : OPEN_LAYOUT_KEYS)
      {
         const std::string path = std::string("Scripts/Minigames/") + key + ".json";
         std::string text = SourceFileRead("data/" + path);
         if (fastDeal)
         {
            // The soak plays thousands of deals: no pause between the cards of a deal.
            JSONTest::ValuePointer object = JSONTest::TextParse(text);
            if (object)
            {
               object->ItemNumberSet("DelayCardDeal", 0);
               object->ItemNumberSet("DelayCardFlip", 0);
               text = JSONTest::TextWrite(object.get());
            }
         }
         FileWrite(path, text);
         consts[key] = text;
      }
   }

   void OptionSet(const char* name, bool value)
   {
      ProfileMinigameSettingsGet(key.c_str())->ItemBoolSet(name, value);
   }
   bool OptionGet(const char* name) { return game->SettingBoolGet(name); }

   // Enters the game, which deals, and lets the deal and the first refresh finish.
   void LayoutEnter(TraditionalSolitaireGame* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      key = entered->GameNameGet();
      Enter(entered, seed0, seed1);
      cardGame = entered;
      game = entered;
      decks = Is("AcesAndKingsSolitaire") ? 2 : 1;
      enteredConsts = consts[key];
      redeals = 0;
      Settle();
   }

   // Frames until the queue, the cards and the refresh are all still.
   void Settle()
   {
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(2000));
      ASSERT_TRUE(RunUntilSettled(20000));
   }

   void Deal(u32 seed)
   {
      game->seed1 = seed * 7919u + 1u;
      game->seed2 = seed * 104729u + 3u;
      redeals = 0;
      game->GameNew();
      Settle();
   }

   CardPile* Pile(i32 type, i32 id) { return game->CardPileGet(type, id, -1); }
   CardPile* Stock() { return Pile(CARD_PILE_TYPE_DRAW, -1); }
   CardPile* Column(i32 id) { return Pile(CARD_PILE_TYPE_TABLEAU, id); }
   CardPile* Foundation(i32 id) { return Pile(CARD_PILE_TYPE_FOUNDATION, id); }

   // Every card back in the stock, face down, with no history, no selection and no end: a table
   // for fixtures.
   void Clear()
   {
      CardPile* stock = Stock();
      for (i32 i = 0; i < game->cards.count; ++i)
      {
         Card* card = game->cards[i];
         if (card->pile != stock)
         {
            stock->CardInsert(stock->cards.count, card);
         }
         card->FaceUpSet(false, false);
         card->SelectedSet(false);
      }
      game->CardAnimationsFinish();
      game->UndoHistoryClear();
      game->gameResult = MINIGAME_RESULT_RUNNING;
      game->refreshPending = false;
      if (Is("BaronessSolitaire"))
      {
         static_cast<BaronessSolitaire*>(game)->firstClicked = -1;
      }
   }

   // Puts the stock's card of that rank and suit face up on top of the pile.
   Card* Put(CardPile* pile, i32 rank, i32 suit)
   {
      CardPile* stock = Stock();
      for (i32 i = 0; i < stock->cards.count; ++i)
      {
         Card* card = stock->cards[i];
         if (card->rank == rank && card->suit == suit)
         {
            pile->CardInsert(pile->cards.count, card);
            card->FaceUpSet(true, false);
            game->CardAnimationsFinish();
            return card;
         }
      }
      ADD_FAILURE() << "no card of rank " << rank << " and suit " << suit << " left in the stock";
      return nullptr;
   }

   // ---- The oracle: each game's rules as its table tells them. ----

   bool Is(const char* name) const { return key == name; }
   static bool Red(const Card* c) { return c->suit == SUIT_HEARTS || c->suit == SUIT_DIAMONDS; }
   // b is one rank above (step 1) or below (step -1) a, with or without King and Ace touching.
   static bool Step(const Card* a, const Card* b, i32 step, bool wrap)
   {
      const i32 next = a->rank + step;
      if (next >= RANK_ACE && next <= RANK_KING)
      {
         return b->rank == next;
      }
      return wrap && b->rank == (next > RANK_KING ? RANK_ACE : RANK_KING);
   }
   static i32 High(const Card* c) { return c->rank == RANK_ACE ? 14 : c->rank; }
   i32 BuildRank() { return static_cast<PenguinSolitaire*>(game)->buildRank; }

   // A face-up run of one suit, each card one below the one under it, the Ace taking the King.
   static bool PenguinRun(const Card* card)
   {
      const CardPile* pile = card->pile;
      for (i32 i = pile->CardIndexGet(card) + 1; i < pile->cards.count; ++i)
      {
         if (pile->cards[i]->suit != card->suit || !Step(pile->cards[i - 1], pile->cards[i], -1, true))
         {
            return false;
         }
      }
      return true;
   }

   bool OracleTakes(const Card* card)
   {
      const CardPile* pile = card->pile;
      if (!pile || !card->faceUp || !pile->visible || Is("BaronessSolitaire"))
      {
         return false;
      }
      const bool top = pile->CardTopGet() == card;
      const i32 type = pile->type;
      const bool column = type == CARD_PILE_TYPE_TABLEAU;
      if (Is("AcesAndKingsSolitaire"))
         return top && type != CARD_PILE_TYPE_DRAW;
      if (Is("FourFreeSolitaire"))
         return top && (column || type == CARD_PILE_TYPE_RESERVE);
      if (Is("FlowerGardenSolitaire"))
         return type == CARD_PILE_TYPE_RESERVE || (top && (column || type == CARD_PILE_TYPE_FOUNDATION));
      if (Is("PenguinSolitaire"))
         return (type == CARD_PILE_TYPE_RESERVE && top) || (column && PenguinRun(card));
      // Aces Up, Fortress, La Belle Lucie.
      return top && column;
   }

   bool OracleAccepts(const CardPile* to, const Card* card)
   {
      const CardPile* from = card->pile;
      if (to == from || !to->visible)
      {
         return false;
      }
      // Only Penguin's runs carry the cards above them.
      const i32 moving = Is("PenguinSolitaire") && from->type == CARD_PILE_TYPE_TABLEAU
                             ? from->cards.count - from->CardIndexGet(card)
                             : 1;
      const i32 after = to->cards.count + moving;
      const Card* top = to->CardTopGet();
      const bool column = to->type == CARD_PILE_TYPE_TABLEAU;
      const bool foundation = to->type == CARD_PILE_TYPE_FOUNDATION;
      const bool cell = to->type == CARD_PILE_TYPE_RESERVE;
      const i32 rank = card->rank;
      if (Is("AcesUpSolitaire"))
      {
         if (column)
            return !top;
         if (to->type == CARD_PILE_TYPE_WASTE)
            return rank != RANK_ACE && to->cards.count < 5;
         if (!foundation || rank == RANK_ACE)
            return false;
         for (i32 id = 0; id < 4; ++id)
         {
            const Card* other = Column(id)->CardTopGet();
            if (other && Column(id) != from && other->suit == card->suit && High(other) > High(card))
               return true;
         }
         return false;
      }
      if (Is("AcesAndKingsSolitaire"))
      {
         if (column)
            return !top && from->type != CARD_PILE_TYPE_FOUNDATION;
         if (!foundation)
            return false;
         const bool up = to->secondaryID < 4;
         return top ? Step(top, card, up ? 1 : -1, false) : rank == (up ? RANK_ACE : RANK_KING);
      }
      if (Is("FourFreeSolitaire"))
      {
         if (column)
            return after <= 18 && (!top || (Red(top) != Red(card) && Step(card, top, 1, false)));
         if (cell)
            return !top;
         return foundation && (top ? top->suit == card->suit && Step(top, card, 1, false) : rank == RANK_ACE);
      }
      if (Is("FortressSolitaire"))
      {
         if (column)
            return after <= 13 && (top ? Step(card, top, 1, true) || Step(card, top, -1, true)
                                       : rank == RANK_KING || !OptionGet("OnlyKingsInEmpty"));
         if (!foundation || moving != 1)
            return false;
         if (top)
            return top->suit == card->suit && Step(top, card, 1, true);
         if (OptionGet("AcesStartFoundations"))
            return rank == RANK_ACE;
         for (i32 id = 0; id < 4; ++id)
         {
            const CardPile* other = Foundation(id);
            if (other->cards.count > 0 &&
                (other->CardTopGet()->suit == card->suit || other->cards[0]->rank != rank))
               return false;
         }
         return true;
      }
      if (Is("FlowerGardenSolitaire"))
      {
         if (column)
            return after <= 14 && (!top || Step(card, top, 1, false));
         return foundation && (top ? top->suit == card->suit && Step(top, card, 1, false) : rank == RANK_ACE);
      }
      if (Is("PenguinSolitaire"))
      {
         const i32 below = BuildRank() == RANK_ACE ? RANK_KING : BuildRank() - 1;
         if (column)
            return after <= 18 && (top ? top->suit == card->suit && Step(card, top, 1, true)
                                       : !OptionGet("FillEmptyRestricted") || rank == below);
         if (cell)
            return !top && moving == 1;
         return foundation && moving == 1 &&
                (top ? top->suit == card->suit && Step(top, card, 1, true) : rank == BuildRank());
      }
      // La Belle Lucie.
      if (!top)
         return false;
      if (column)
         return to->cards.count < 7 && top->suit == card->suit && Step(card, top, 1, false);
      return foundation && top->suit == card->suit && Step(top, card, 1, false);
   }

   bool OracleStockActs()
   {
      const CardPile* stock = Stock();
      return stock && stock->cards.count > 0 &&
             (Is("AcesUpSolitaire") || Is("AcesAndKingsSolitaire") || Is("BaronessSolitaire"));
   }

   // Every (card, pile) pair the rules allow.
   std::vector<std::pair<Card*, CardPile*>> OracleMoves()
   {
      std::vector<std::pair<Card*, CardPile*>> moves;
      for (i32 i = 0; i < game->cards.count; ++i)
      {
         Card* card = game->cards[i];
         if (!OracleTakes(card))
         {
            continue;
         }
         for (i32 p = 0; p < game->cardPiles.count; ++p)
         {
            if (OracleAccepts(game->cardPiles[p], card))
            {
               moves.emplace_back(card, game->cardPiles[p]);
            }
         }
      }
      return moves;
   }

   // Baroness: the column tops, the cards a click may act on.
   std::vector<Card*> ColumnTops()
   {
      std::vector<Card*> tops;
      for (i32 id = 0; id < 7; ++id)
      {
         Card* top = Column(id) ? Column(id)->CardTopGet() : nullptr;
         if (top)
         {
            tops.push_back(top);
         }
      }
      return tops;
   }

   bool BaronessRemovalExists()
   {
      const auto tops = ColumnTops();
      for (size_t a = 0; a < tops.size(); ++a)
      {
         if (tops[a]->rank == RANK_KING)
            return true;
         for (size_t b = a + 1; b < tops.size(); ++b)
         {
            if (tops[a]->rank + tops[b]->rank == 13)
               return true;
         }
      }
      return false;
   }

   // Four Free's test of a move worth making.
   bool OracleUsefulMove()
   {
      for (const auto& move : OracleMoves())
      {
         const Card* card = move.first;
         const i32 index = card->pile->CardIndexGet(card);
         const Card* under = index > 0 ? card->pile->cards[index - 1] : nullptr;
         const Card* top = move.second->CardTopGet();
         if (!under)
         {
            if (card->rank != RANK_KING || top)
               return true;
            continue;
         }
         if (!top || under->rank != top->rank)
            return true;
         for (i32 id = 0; id < 4; ++id)
         {
            const Card* f = Foundation(id)->CardTopGet();
            if (f ? f->suit == under->suit && f->rank + 1 == under->rank : under->rank == RANK_ACE)
               return true;
         }
      }
      return false;
   }

   i32 CardsIn(i32 type)
   {
      i32 count = 0;
      for (i32 p = 0; p < game->cardPiles.count; ++p)
      {
         count += game->cardPiles[p]->type == type ? game->cardPiles[p]->cards.count : 0;
      }
      return count;
   }

   i32 RedealsAllowed() { return OptionGet("TwoRedeals") ? 2 : 3; }

   // The game's end as the rules decide it on a still table: 1 won, 2 lost, 0 on.
   i32 OracleEnd()
   {
      const bool stockEmpty = CardsIn(CARD_PILE_TYPE_DRAW) == 0;
      const bool columnsEmpty = CardsIn(CARD_PILE_TYPE_TABLEAU) == 0;
      const bool cellsEmpty = CardsIn(CARD_PILE_TYPE_RESERVE) == 0;
      const bool anyMove = !OracleMoves().empty();
      if (Is("AcesUpSolitaire"))
      {
         if (!stockEmpty)
            return 0;
         bool aces = true;
         for (i32 id = 0; id < 4; ++id)
            aces = aces && Column(id)->cards.count == 1 && Column(id)->cards[0]->rank == RANK_ACE;
         return aces ? 1 : anyMove ? 0 : 2;
      }
      if (Is("AcesAndKingsSolitaire"))
      {
         if (!stockEmpty)
            return 0;
         if (columnsEmpty && cellsEmpty && CardsIn(CARD_PILE_TYPE_TALON) == 0)
            return 1;
         return anyMove ? 0 : 2;
      }
      if (Is("BaronessSolitaire"))
         return !stockEmpty ? 0 : columnsEmpty ? 1 : BaronessRemovalExists() ? 0 : 2;
      if (Is("FourFreeSolitaire"))
         return columnsEmpty && cellsEmpty ? 1 : OracleUsefulMove() ? 0 : 2;
      if (Is("FortressSolitaire"))
         return columnsEmpty ? 1 : anyMove ? 0 : 2;
      if (Is("FlowerGardenSolitaire") || Is("PenguinSolitaire"))
         return columnsEmpty && cellsEmpty ? 1 : anyMove ? 0 : 2;
      // La Belle Lucie: never lost while a redeal remains.
      return columnsEmpty ? 1 : redeals >= RedealsAllowed() && !anyMove ? 2 : 0;
   }

   static inline bool fastDeal = false;
   std::string key;
   TraditionalSolitaireGame* game = nullptr;
   std::map<std::string, std::string> consts;
   // La Belle Lucie's redeals made since the deal, as the driver counts them.
   i32 redeals = 0;
};
} // namespace TestSupport
} // namespace Corvale
