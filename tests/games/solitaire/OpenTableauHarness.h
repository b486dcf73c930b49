// The open tableau solitaires played headless with their own constants files: any of the seven
// entered by key, its options set in the profile, and the rules of the family written out once
// more, from the table of each game, as an oracle the soak and the rules tests hold the games to.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "games/solitaire/BakersDozenSolitaire.h"
#include "games/solitaire/BatsfordSolitaire.h"
#include "games/solitaire/BeleagueredCastleSolitaire.h"
#include "games/solitaire/BristolSolitaire.h"
#include "games/solitaire/ColoradoSolitaire.h"
#include "games/solitaire/EightOffSolitaire.h"
#include "games/solitaire/EliminatorSolitaire.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
inline const char* const OPEN_TABLEAU_KEYS[] = {
    "BakersDozenSolitaire", "BeleagueredCastleSolitaire", "BristolSolitaire", "EightOffSolitaire",
    "EliminatorSolitaire",  "ColoradoSolitaire",          "BatsfordSolitaire"};

// A fresh instance of the game of that key; null for another key.
inline OpenTableauSolitaire* OpenTableauCreate(const std::string& key)
{
   if (key == "BakersDozenSolitaire")
      return new BakersDozenSolitaire();
   if (key == "BeleagueredCastleSolitaire")
      return new BeleagueredCastleSolitaire();
   if (key == "BristolSolitaire")
      return new BristolSolitaire();
   if (key == "EightOffSolitaire")
      return new EightOffSolitaire();
   if (key == "EliminatorSolitaire")
      return new EliminatorSolitaire();
   if (key == "ColoradoSolitaire")
      return new ColoradoSolitaire();
   if (key == "BatsfordSolitaire")
      return new BatsfordSolitaire();
   return nullptr;
}

class OpenTableauHarness : public KlondikeHarness
{
 public:
   OpenTableauHarness()
   {
      BakersDozenSolitaire::ReflectionRegister();
      BeleagueredCastleSolitaire::ReflectionRegister();
      BristolSolitaire::ReflectionRegister();
      EightOffSolitaire::ReflectionRegister();
      EliminatorSolitaire::ReflectionRegister();
      ColoradoSolitaire::ReflectionRegister();
      BatsfordSolitaire::ReflectionRegister();
      for (const char* key : OPEN_TABLEAU_KEYS)
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

   void OptionSet(const char* name, const char* value)
   {
      ProfileMinigameSettingsGet(key.c_str())->ItemStringSet(name, value);
   }
   void OptionSet(const char* name, bool value)
   {
      ProfileMinigameSettingsGet(key.c_str())->ItemBoolSet(name, value);
   }
   bool OptionGet(const char* name) { return tableau->SettingBoolGet(name); }

   // Enters the game, which deals, and lets the deal and the first refresh finish.
   void TableauEnter(OpenTableauSolitaire* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      key = entered->GameNameGet();
      Enter(entered, seed0, seed1);
      cardGame = entered;
      tableau = entered;
      decks = entered->DecksCountGet();
      enteredConsts = consts[key];
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
      tableau->seed1 = seed * 7919u + 1u;
      tableau->seed2 = seed * 104729u + 3u;
      tableau->GameNew();
      Settle();
   }

   CardPile* Pile(i32 type, i32 id) { return tableau->CardPileGet(type, id, -1); }
   CardPile* Column(i32 id) { return Pile(CARD_PILE_TYPE_TABLEAU, id); }
   CardPile* Foundation(i32 id) { return Pile(CARD_PILE_TYPE_FOUNDATION, id); }

   // Every card back in the stock, face down, with no history and no end: a table for fixtures.
   void Clear()
   {
      CardPile* stock = Pile(CARD_PILE_TYPE_DRAW, -1);
      for (i32 i = 0; i < tableau->cards.count; ++i)
      {
         Card* card = tableau->cards[i];
         if (card->pile != stock)
         {
            stock->CardInsert(stock->cards.count, card);
         }
         card->FaceUpSet(false, false);
      }
      tableau->CardAnimationsFinish();
      tableau->UndoHistoryClear();
      tableau->gameResult = MINIGAME_RESULT_RUNNING;
      tableau->refreshPending = false;
   }

   // ---- The oracle: the family's rules as the tables tell them. ----

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
   bool Is(const char* name) const { return key == name; }

   bool OracleTakes(const Card* card)
   {
      const CardPile* pile = card->pile;
      if (!pile || !card->faceUp || !pile->visible)
      {
         return false;
      }
      const bool top = pile->CardTopGet() == card;
      const i32 type = pile->type;
      if (Is("BatsfordSolitaire"))
      {
         if (type == CARD_PILE_TYPE_RESERVE)
         {
            return top;
         }
         if (type != CARD_PILE_TYPE_TABLEAU && type != CARD_PILE_TYPE_TALON)
         {
            return false;
         }
         for (i32 i = pile->CardIndexGet(card) + 1; i < pile->cards.count; ++i)
         {
            const Card* under = pile->cards[i - 1];
            const Card* over = pile->cards[i];
            if (Red(under) == Red(over) || over->rank + 1 != under->rank)
            {
               return false;
            }
         }
         return true;
      }
      if (!top)
      {
         return false;
      }
      if (Is("BakersDozenSolitaire"))
      {
         return type != CARD_PILE_TYPE_DRAW;
      }
      return type == CARD_PILE_TYPE_TABLEAU || type == CARD_PILE_TYPE_RESERVE;
   }

   bool OracleAccepts(const CardPile* to, const Card* card)
   {
      if (to == card->pile || !to->visible)
      {
         return false;
      }
      const CardPile* from = card->pile;
      const i32 moving = from->cards.count - from->CardIndexGet(card);
      const i32 after = to->cards.count + moving;
      const Card* top = to->CardTopGet();
      const bool column = to->type == CARD_PILE_TYPE_TABLEAU;
      const bool foundation = to->type == CARD_PILE_TYPE_FOUNDATION;
      const bool reserve = to->type == CARD_PILE_TYPE_RESERVE;
      const bool king = card->rank == RANK_KING;
      const bool ace = card->rank == RANK_ACE;
      if (Is("BakersDozenSolitaire"))
      {
         if (after > 25)
            return false;
         if (column)
            return top ? Step(card, top, 1, true) : king;
         if (foundation)
            return top ? top->suit == card->suit && Step(top, card, 1, true) : ace;
         return false;
      }
      if (Is("BeleagueredCastleSolitaire") || Is("BristolSolitaire"))
      {
         const bool wrap = Is("BeleagueredCastleSolitaire");
         if (column)
         {
            if (after > 15)
               return false;
            return top ? Step(card, top, 1, wrap) : king && (wrap || OptionGet("KingsInEmpty"));
         }
         if (foundation)
         {
            if (after > 13)
               return false;
            return top ? (!OptionGet("BuildInSuit") || top->suit == card->suit) && Step(top, card, 1, wrap)
                       : ace;
         }
         return reserve && wrap && !top && OptionGet("Siegecraft");
      }
      if (Is("EightOffSolitaire"))
      {
         if (column)
            return after <= 11 && (top ? top->suit == card->suit && Step(card, top, 1, false)
                                       : king || !OptionGet("OnlyKingsInEmpty"));
         if (foundation)
            return after <= 13 && (top ? top->suit == card->suit && Step(top, card, 1, false) : ace);
         return reserve && !top;
      }
      if (Is("EliminatorSolitaire"))
      {
         if (foundation)
         {
            if (to->secondaryID >= 6 && OptionGet("6Foundations"))
               return false;
            if (!top)
               return true;
            const bool neighbour = Step(top, card, 1, true) || Step(top, card, -1, true);
            return neighbour && (!OptionGet("FoundationsInAlternatingColors") || Red(top) != Red(card));
         }
         return reserve && !top && OptionGet("OneCardReserve");
      }
      if (Is("ColoradoSolitaire"))
      {
         if (column)
            return from->type == CARD_PILE_TYPE_RESERVE;
         if (!foundation)
            return false;
         const bool down = to->secondaryID >= 4;
         if (top)
            return top->suit == card->suit && Step(top, card, down ? -1 : 1, false);
         if (card->rank != (down ? RANK_KING : RANK_ACE))
            return false;
         for (i32 id = down ? 4 : 0; id < (down ? 8 : 4); ++id)
         {
            const Card* other = Pile(CARD_PILE_TYPE_FOUNDATION, id)->CardTopGet();
            if (other && id != to->secondaryID && other->suit == card->suit)
               return false;
         }
         return true;
      }
      // Batsford.
      if (column)
         return after <= 23 && (top ? Red(top) != Red(card) && Step(card, top, 1, false) : king);
      if (foundation)
         return moving == 1 && after <= 23 &&
                (top ? top->suit == card->suit && Step(top, card, 1, false) : ace);
      return reserve && king && moving == 1 && to->cards.count < 3;
   }

   bool OracleStockActs()
   {
      const CardPile* stock = Pile(CARD_PILE_TYPE_DRAW, -1);
      if (!stock || stock->cards.count == 0)
      {
         return false;
      }
      if (Is("ColoradoSolitaire"))
      {
         return Pile(CARD_PILE_TYPE_RESERVE, -1)->cards.count == 0;
      }
      return Is("BristolSolitaire") || Is("BatsfordSolitaire");
   }

   // Every (card, pile) pair the rules allow.
   std::vector<std::pair<Card*, CardPile*>> OracleMoves()
   {
      std::vector<std::pair<Card*, CardPile*>> moves;
      for (i32 i = 0; i < tableau->cards.count; ++i)
      {
         Card* card = tableau->cards[i];
         if (!OracleTakes(card))
         {
            continue;
         }
         for (i32 p = 0; p < tableau->cardPiles.count; ++p)
         {
            if (OracleAccepts(tableau->cardPiles[p], card))
            {
               moves.emplace_back(card, tableau->cardPiles[p]);
            }
         }
      }
      return moves;
   }

   // Batsford's test of a move worth making.
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
         for (i32 id = 0; id < 8; ++id)
         {
            const Card* f = Pile(CARD_PILE_TYPE_FOUNDATION, id)->CardTopGet();
            if (f ? f->suit == under->suit && f->rank + 1 == under->rank : under->rank == RANK_ACE)
               return true;
         }
      }
      return false;
   }

   i32 CardsIn(i32 type)
   {
      i32 count = 0;
      for (i32 p = 0; p < tableau->cardPiles.count; ++p)
      {
         count += tableau->cardPiles[p]->type == type ? tableau->cardPiles[p]->cards.count : 0;
      }
      return count;
   }

   // The game's end as the rules decide it on a still table: 1 won, 2 lost, 0 on.
   i32 OracleEnd()
   {
      const bool stockEmpty = CardsIn(CARD_PILE_TYPE_DRAW) == 0;
      const bool columnsEmpty = CardsIn(CARD_PILE_TYPE_TABLEAU) == 0;
      const bool anyMove = !OracleMoves().empty();
      if (Is("BakersDozenSolitaire"))
         return stockEmpty && columnsEmpty ? 1 : anyMove ? 0 : 2;
      if (Is("BeleagueredCastleSolitaire"))
         return stockEmpty && columnsEmpty ? 1 : stockEmpty && !anyMove ? 2 : 0;
      if (Is("BristolSolitaire"))
         return stockEmpty && columnsEmpty && CardsIn(CARD_PILE_TYPE_RESERVE) == 0 ? 1
                : stockEmpty && !anyMove                                           ? 2
                                                                                   : 0;
      if (Is("EightOffSolitaire"))
         return columnsEmpty ? 1 : anyMove ? 0 : 2;
      if (Is("EliminatorSolitaire"))
         return columnsEmpty && CardsIn(CARD_PILE_TYPE_RESERVE) == 0 ? 1 : anyMove ? 0 : 2;
      if (Is("ColoradoSolitaire"))
         return !stockEmpty ? 0 : columnsEmpty && CardsIn(CARD_PILE_TYPE_RESERVE) == 0 ? 1 : anyMove ? 0 : 2;
      // Batsford.
      if (!stockEmpty)
         return 0;
      if (columnsEmpty && CardsIn(CARD_PILE_TYPE_TALON) == 0 && CardsIn(CARD_PILE_TYPE_RESERVE) == 0)
         return 1;
      return OracleUsefulMove() ? 0 : 2;
   }

   static inline bool fastDeal = false;
   std::string key;
   OpenTableauSolitaire* tableau = nullptr;
   std::map<std::string, std::string> consts;
};
} // namespace TestSupport
} // namespace Corvale
