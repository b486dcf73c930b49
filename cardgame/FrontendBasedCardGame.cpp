// Card and pile numbering, and the piles with their cards in the game state document. The whole
// "CardPiles" part is checked before a load changes anything, so a refused document leaves the
// game as it was; a repeated card or pile ID is refused because lookups by ID would act on the
// wrong one.
#include "cardgame/FrontendBasedCardGame.h"

#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"

namespace Corvale
{
namespace
{
struct SavedCard
{
   i32 id;
   i32 rank;
   i32 suit;
   bool faceUp;
   bool selected;
};

// The card a saved element describes; false for a missing or mistyped member or an unknown name.
// A suit without a name (null or "") is no suit, as a joker has.
bool SavedCardRead(const JSONValue* value, SavedCard& card)
{
   if (value->TypeGet() != JSONValue::TYPE_OBJECT || !value->ItemNumberCheck("ID") ||
       !value->ItemStringCheck("Rank") || !value->MemberIsBool("FaceUp") || !value->MemberIsBool("Selected"))
   {
      return false;
   }
   const JSONValue* suit = value->ItemFind("Suit");
   if (!suit || (suit->TypeGet() != JSONValue::TYPE_STRING && suit->TypeGet() != JSONValue::TYPE_NULL))
   {
      return false;
   }
   const char* suitName = suit->StringValueGet();
   card.suit = suitName && *suitName ? CardSuitFromName(suitName) : SUIT_NONE;
   card.rank = CardRankFromName(value->ItemGet("Rank")->StringValueGet());
   card.id = value->ItemGet("ID")->IntValueGet();
   card.faceUp = value->ItemGet("FaceUp")->BoolValueGet();
   card.selected = value->ItemGet("Selected")->BoolValueGet();
   return card.rank >= 0 && (card.suit >= 0 || !suitName || !*suitName);
}

// The game's pile that a saved element names: the first with its type, secondary ID and owner ID
// that no earlier element took, so piles that share all three load in their order. Null for a
// missing or mistyped member or a pile the game lacks.
CardPile* SavedPileFind(const CardGame* game, const JSONValue* value, const Table<CardPile*>& taken)
{
   if (value->TypeGet() != JSONValue::TYPE_OBJECT || !value->ItemNumberCheck("ID") ||
       !value->ItemStringCheck("Type") || !value->ItemNumberCheck("SecondaryID") ||
       !value->ItemNumberCheck("OwnerID") || !value->MemberIsBool("Visible") ||
       !value->ItemArrayCheck("Cards"))
   {
      return nullptr;
   }
   const i32 type = CardPileTypeFromName(value->ItemGet("Type")->StringValueGet());
   const i32 secondaryID = value->ItemGet("SecondaryID")->IntValueGet();
   const i32 ownerID = value->ItemGet("OwnerID")->IntValueGet();
   for (i32 i = 0; type >= 0 && i < game->cardPiles.count; i++)
   {
      CardPile* pile = game->cardPiles[i];
      if (pile->type == type && pile->secondaryID == secondaryID && pile->ownerID == ownerID &&
          taken.Find(pile) < 0)
      {
         return pile;
      }
   }
   return nullptr;
}

// A name, or "" for a value outside its table.
const char* NameOrEmpty(const char* name)
{
   return name ? name : "";
}

// Whether table gained value; false when it held it already (or could not grow).
template <class T> bool FirstInsert(Table<T>& table, const T& value)
{
   return table.Find(value) < 0 && table.Insert(value, table.count);
}
} // namespace

void FrontendBasedCardGame::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<FrontendBasedCardGame>>(
       "Corvale::FrontendBasedCardGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(CardGame).name());
   record->FieldAdd(&FrontendBasedCardGame::nextCardID, "nextCardID");
   record->FieldAdd(&FrontendBasedCardGame::nextCardPileID, "nextCardPileID");
   ReflectionManager::TypeRegister(record);
}

Card* FrontendBasedCardGame::CardCreate(i32 rank, i32 suit)
{
   Card* card = CardGame::CardCreate(rank, suit);
   if (card)
   {
      card->id = nextCardID++;
   }
   return card;
}

CardPile* FrontendBasedCardGame::CardPileCreate(const JSONValue* specification)
{
   CardPile* pile = CardGame::CardPileCreate(specification);
   if (pile)
   {
      pile->id = nextCardPileID++;
   }
   return pile;
}

bool FrontendBasedCardGame::Save(JSONValue* document)
{
   if (!CardGame::Save(document))
   {
      return false;
   }
   JSONValue* piles = document->ItemGet("Frontend")->ItemArraySet("CardPiles");
   bool written = piles != nullptr;
   for (i32 i = 0; written && i < cardPiles.count; i++)
   {
      const CardPile* pile = cardPiles[i];
      JSONValue* saved = piles->ElementAdd();
      written = saved && saved->ObjectSet() && saved->ItemNumberSet("ID", pile->id) &&
                saved->ItemStringSet("Type", NameOrEmpty(CardPileTypeNameGet(pile->type))) &&
                saved->ItemNumberSet("SecondaryID", pile->secondaryID) &&
                saved->ItemNumberSet("OwnerID", pile->ownerID) &&
                saved->ItemBoolSet("Visible", pile->visible);
      JSONValue* cardsSaved = written ? saved->ItemArraySet("Cards") : nullptr;
      written = cardsSaved != nullptr;
      for (i32 j = 0; written && j < pile->cards.count; j++)
      {
         const Card* card = pile->cards[j];
         JSONValue* cardSaved = cardsSaved->ElementAdd();
         written = cardSaved && cardSaved->ObjectSet() && cardSaved->ItemNumberSet("ID", card->id) &&
                   cardSaved->ItemStringSet("Suit", NameOrEmpty(CardSuitNameGet(card->suit))) &&
                   cardSaved->ItemStringSet("Rank", NameOrEmpty(CardRankNameGet(card->rank))) &&
                   cardSaved->ItemBoolSet("FaceUp", card->faceUp) &&
                   cardSaved->ItemBoolSet("Selected", card->selected);
      }
   }
   if (!written)
   {
      WarningPrintf("FrontendBasedCardGame::Save -- unable to write the card piles\n");
   }
   return written;
}

bool FrontendBasedCardGame::LoadCheck(JSONValue* document)
{
   if (!CardGame::LoadCheck(document))
   {
      return false;
   }
   const JSONValue* piles = document->ItemGet("Frontend")->ItemFind("CardPiles");
   if (!piles || piles->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      WarningPrintf("FrontendBasedCardGame::LoadCheck -- \"CardPiles\" is missing\n");
      return false;
   }
   Table<CardPile*> pilesTaken;
   Table<i32> pileIDs;
   Table<i32> cardIDs;
   for (i32 i = 0; i < piles->CountGet(); i++)
   {
      const JSONValue* saved = piles->ElementGet(i);
      CardPile* pile = SavedPileFind(this, saved, pilesTaken);
      if (!pile || !FirstInsert(pilesTaken, pile))
      {
         WarningPrintf("FrontendBasedCardGame::LoadCheck -- pile %d is malformed or not in this game\n", i);
         return false;
      }
      if (!FirstInsert(pileIDs, saved->ItemGet("ID")->IntValueGet()))
      {
         WarningPrintf("FrontendBasedCardGame::LoadCheck -- pile %d repeats a pile ID\n", i);
         return false;
      }
      const JSONValue* cardsSaved = saved->ItemGet("Cards");
      for (i32 j = 0; j < cardsSaved->CountGet(); j++)
      {
         SavedCard card;
         if (!SavedCardRead(cardsSaved->ElementGet(j), card))
         {
            WarningPrintf("FrontendBasedCardGame::LoadCheck -- card %d of pile %d is malformed\n", j, i);
            return false;
         }
         if (!FirstInsert(cardIDs, card.id))
         {
            WarningPrintf("FrontendBasedCardGame::LoadCheck -- card ID %d is repeated\n", card.id);
            return false;
         }
      }
   }
   return true;
}

bool FrontendBasedCardGame::Load(JSONValue* document)
{
   if (!CardGame::Load(document))
   {
      return false;
   }
   CardsDelete();
   // LoadCheck has read every element already.
   const JSONValue* piles = document->ItemGet("Frontend")->ItemGet("CardPiles");
   Table<CardPile*> pilesTaken;
   for (i32 i = 0; i < piles->CountGet(); i++)
   {
      const JSONValue* saved = piles->ElementGet(i);
      CardPile* pile = SavedPileFind(this, saved, pilesTaken);
      if (!pile || !pilesTaken.Insert(pile, pilesTaken.count))
      {
         WarningPrintf("FrontendBasedCardGame::Load -- unable to keep track of the saved piles\n");
         return false;
      }
      pile->id = saved->ItemGet("ID")->IntValueGet();
      pile->VisibleSet(saved->ItemGet("Visible")->BoolValueGet());
      const JSONValue* cardsSaved = saved->ItemGet("Cards");
      for (i32 j = 0; j < cardsSaved->CountGet(); j++)
      {
         SavedCard entry;
         SavedCardRead(cardsSaved->ElementGet(j), entry);
         // The base factory: the saved card keeps its own ID and nextCardID stays as loaded.
         Card* card = CardGame::CardCreate(entry.rank, entry.suit);
         if (!card)
         {
            WarningPrintf("FrontendBasedCardGame::Load -- unable to make the saved cards\n");
            return false;
         }
         card->id = entry.id;
         card->FaceUpSet(entry.faceUp, false);
         card->SelectedSet(entry.selected);
         pile->CardInsert(pile->cards.count, card);
      }
   }
   // The piles take the document's order among the places they hold, since games reorder them
   // (a trick game's play order) and a save right after the load must write the same document.
   Table<i32> places;
   for (i32 i = 0; i < pilesTaken.count; i++)
   {
      places.Insert(cardPiles.Find(pilesTaken[i]), places.count);
   }
   places.Sort([](i32 a, i32 b) { return a < b; });
   for (i32 i = 0; i < pilesTaken.count; i++)
   {
      cardPiles[places[i]] = pilesTaken[i];
   }
   CardPilesLayOut();
   CardAnimationsFinish();
   return true;
}
} // namespace Corvale
