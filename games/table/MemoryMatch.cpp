// Memory Match's rules: the deck of pairs, the grid laid out from the constants, the turn of two
// cards, and the end once the grid is empty.
#include "games/table/MemoryMatch.h"

#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "games/table/MemoryMatchResultsPopup.h"
#include "gui/popup/PopupManager.h"

namespace Corvale
{
MemoryMatch MemoryMatch::instance;

namespace
{
i32 SaturatedIncrement(i32 value)
{
   return value < 0x7fffffff ? value + 1 : value;
}
} // namespace

// ---- The player ----

void MemoryMatchPlayer::Clear()
{
   Player::Clear();
   pairsMatched = 0;
   pairsAttempted = 0;
   triplets = 0;
}

void MemoryMatchPlayer::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<MemoryMatchPlayer>>("Corvale::MemoryMatchPlayer");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(Player).name());
   record->initMethod = &MemoryMatchPlayer::Clear;
   record->FieldAdd(&MemoryMatchPlayer::pairsMatched, "pairsMatched");
   record->FieldAdd(&MemoryMatchPlayer::pairsAttempted, "pairsAttempted");
   record->FieldAdd(&MemoryMatchPlayer::triplets, "triplets");
   ReflectionManager::TypeRegister(record);
}

// ---- Identity, styles and set-up ----

void MemoryMatch::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTyped<MemoryMatch>>("Corvale::MemoryMatch");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(NonSolitaireFrontendBasedCardGame).name());
   record->FieldAdd(&MemoryMatch::matchesInARow, "matchesInARow");
   ReflectionManager::TypeRegister(record);
}

Player* MemoryMatch::PlayerCreate()
{
   return MemoryNew<MemoryMatchPlayer>(HEAP_DEFAULT);
}

const char* MemoryMatch::CardFrontStyleGet()
{
   const char* difficulty = SettingStringGet("DeckDifficulty");
   static const char* const known[] = {"Easy", "Medium", "Hard", "VeryHard"};
   const char* key = "Medium";
   for (const char* name : known)
   {
      key = difficulty && std::strcmp(difficulty, name) == 0 ? name : key;
   }
   const char* style =
       constants ? constants->ItemGet("CardFrontStyles")->ItemGet(key)->StringValueGet() : nullptr;
   return style ? style : "MemoryMatchNormal";
}

const char* MemoryMatch::CardBackStyleGet()
{
   const char* colour = SettingStringGet("CardBackStyle");
   static const char* const known[][2] = {{"Blue", "MemoryMatchBlue"},
                                          {"Green", "MemoryMatchGreen"},
                                          {"Yellow", "MemoryMatchYellow"},
                                          {"Purple", "MemoryMatchPurple"}};
   for (const auto& entry : known)
   {
      if (colour && std::strcmp(colour, entry[0]) == 0)
      {
         return entry[1];
      }
   }
   return "MemoryMatchBlue";
}

void MemoryMatch::Init()
{
   nextCardPileID = 0;
   CardGame::Init();
   delayCardReveal = constants ? ConstIntGet(constants, "DelayCardReveal") : 0;
   const JSONValue* cellTemplate = constants ? constants->ItemGet("TableauPileTemplate") : nullptr;
   if (!cellTemplate || cellTemplate->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      WarningPrintf("MemoryMatch::Init -- the constants lack the object \"TableauPileTemplate\"\n");
   }
   else
   {
      for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
      {
         JSONValue* specification = cellTemplate->Clone(HEAP_DEFAULT);
         if (!specification)
         {
            WarningPrintf("MemoryMatch::Init -- unable to copy the grid pile template\n");
            break;
         }
         specification->ItemStringSet("Type", "Tableau");
         specification->ItemNumberSet("SecondaryID", i);
         CardPileCreate(specification);
         MemoryDelete(specification);
      }
   }
   GameNew();
}

void MemoryMatch::GridSizeGet(i32* columns, i32* rows)
{
   const char* size = SettingStringGet("GridSize");
   *columns = 4;
   *rows = 4;
   if (size && std::strcmp(size, "6|4") == 0)
   {
      *columns = 6;
   }
   else if (size && std::strcmp(size, "6|6") == 0)
   {
      *columns = 6;
      *rows = 6;
   }
}

CardPile* MemoryMatch::CellGet(i32 index)
{
   return CardPileGet(CARD_PILE_TYPE_TABLEAU, index, -1);
}

void MemoryMatch::DeckBuild(CardPile* pile, i32 pairs)
{
   static const i32 suits[] = {SUIT_HEARTS, SUIT_SPADES, SUIT_DIAMONDS, SUIT_CLUBS};
   i32 made = 0;
   for (i32 suit : suits)
   {
      for (i32 rank = RANK_ACE; rank <= RANK_KING && made < pairs; ++rank, ++made)
      {
         pile->CardCreate(rank, suit);
         pile->CardCreate(rank, suit);
      }
   }
}

Point2F MemoryMatch::CellPositionGet(i32 column, i32 row, i32 columns, i32 rows)
{
   const Point2F zero;
   Point2F centre;
   Point2F size;
   Point2F padding;
   if (constants)
   {
      constants->Point2FGet(&centre, "GridCenterPosition", &zero, "MemoryMatch::CellPositionGet", nullptr,
                            false);
      constants->Point2FGet(&size, "CardSize", &zero, "MemoryMatch::CellPositionGet", nullptr, false);
      constants->Point2FGet(&padding, "CardPadding", &zero, "MemoryMatch::CellPositionGet", nullptr, false);
   }
   const float gapsX = static_cast<float>(columns > 1 ? columns - 1 : 0);
   const float gapsY = static_cast<float>(rows > 1 ? rows - 1 : 0);
   Point2F at;
   at.x = (size.x + padding.x) * static_cast<float>(column) + centre.x -
          (size.x * static_cast<float>(columns) + padding.x * gapsX) / 2.0f + size.x / 2.0f;
   at.y = (size.y + padding.y) * static_cast<float>(row) + centre.y -
          (size.y * static_cast<float>(rows) + padding.y * gapsY) / 2.0f + size.y / 2.0f;
   return at;
}

void MemoryMatch::GridLayOut(i32 columns, i32 rows)
{
   for (i32 i = 0; i < MEMORY_MATCH_CELLS_MAX; ++i)
   {
      CardPile* cell = CellGet(i);
      if (!cell)
      {
         continue;
      }
      if (i < columns * rows)
      {
         cell->PositionSet(CellPositionGet(i % columns, i / columns, columns, rows));
         cell->VisibleSet(true);
      }
      else
      {
         cell->VisibleSet(false);
      }
   }
}

// ---- A game ----

void MemoryMatch::GameNew()
{
   nextCardID = 0;
   NonSolitaireFrontendBasedCardGame::GameNew();
   i32 columns = 4;
   i32 rows = 4;
   GridSizeGet(&columns, &rows);
   matchesInARow = 0;
   CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!draw)
   {
      WarningPrintf("MemoryMatch::GameNew -- the constants lack the Draw pile\n");
      return;
   }
   DeckBuild(draw, columns * rows / 2);
   CardPileShuffle(draw);
   GridLayOut(columns, rows);
   Table<Card*> deck(allocatorTemp);
   draw->CardsGet(deck);
   for (i32 i = 0; i < columns * rows && i < deck.count; ++i)
   {
      CardMoveQueue(CellGet(i), deck[i], static_cast<u32>(delayCardDeal), false);
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      MemoryMatchPlayer* player = dynamic_cast<MemoryMatchPlayer*>(players[i]);
      if (player)
      {
         player->pairsMatched = 0;
         player->pairsAttempted = 0;
         player->triplets = 0;
      }
   }
   ActionPlayerAdvancePost();
}

bool MemoryMatch::Load(JSONValue* document)
{
   if (!NonSolitaireFrontendBasedCardGame::Load(document))
   {
      return false;
   }
   // The piles keep the positions of the grid this instance was entered with: lay out the loaded one.
   i32 columns = 4;
   i32 rows = 4;
   GridSizeGet(&columns, &rows);
   GridLayOut(columns, rows);
   return true;
}

void MemoryMatch::RefreshMark()
{
   NonSolitaireFrontendBasedCardGame::RefreshMark();
   // The deck's style may have changed with the options.
   CardSpritesRefresh();
}

bool MemoryMatch::CardChooseOnClickCheck(Card* card)
{
   (void)card;
   return true;
}

void MemoryMatch::CardChoose(Card* card)
{
   MemoryMatchPlayer* player = dynamic_cast<MemoryMatchPlayer*>(PlayerActiveGet());
   if (!card || !player || !card->pile || card->pile->type != CARD_PILE_TYPE_TABLEAU)
   {
      return;
   }
   Card* shown = nullptr;
   for (i32 i = 0; i < cards.count && !shown; ++i)
   {
      shown = cards[i]->faceUp ? cards[i] : nullptr;
   }
   if (!shown)
   {
      CardFaceUpSet(card, true, true);
      return;
   }
   if (shown == card)
   {
      return;
   }
   player->pairsAttempted = SaturatedIncrement(player->pairsAttempted);
   CardFaceUpSet(card, true, true);
   ActionDelayPost(static_cast<u32>(delayCardReveal), false);
   if (card->rank != shown->rank || card->suit != shown->suit)
   {
      matchesInARow = 0;
      CardFaceDownQueue(shown);
      CardFaceDownQueue(card);
      ActionPlayerAdvancePost();
      return;
   }
   CardPile* pairs = CardPileGet(CARD_PILE_TYPE_DISCARD, -1, player->id);
   CardMoveQueue(pairs, shown, 0, false);
   CardMoveQueue(pairs, card, 0, false);
   player->pairsMatched = SaturatedIncrement(player->pairsMatched);
   if (++matchesInARow == 3)
   {
      player->triplets = SaturatedIncrement(player->triplets);
      matchesInARow = 0;
   }
}

void MemoryMatch::Refresh()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->type == CARD_PILE_TYPE_TABLEAU && cardPiles[i]->cards.count > 0)
      {
         return;
      }
   }
   const MemoryMatchPlayer* best = nullptr;
   for (i32 i = 0; i < players.count; ++i)
   {
      const MemoryMatchPlayer* player = dynamic_cast<MemoryMatchPlayer*>(players[i]);
      if (player && (!best || player->pairsMatched > best->pairsMatched))
      {
         best = player;
      }
   }
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->minigameWinner = players[i] == best;
   }
   WinnerIconsRefresh();
   if (players.count < 2)
   {
      ActionGameDrawPost();
   }
   else if (LocalHumanWinnerCheck())
   {
      ActionGameWinPost();
   }
   else
   {
      ActionGameLosePost();
   }
}

void MemoryMatch::ResultsShow()
{
   MemoryMatchResultsPopup& popup = MemoryMatchResultsPopup::instance;
   if (PopupManager::IndexGet(&popup) >= 0)
   {
      return;
   }
   popup.game = this;
   PopupManager::Open(&popup);
   popup.onOK = &MemoryMatchResultsPopup::OKPress;
   popup.onOKUserData = this;
}

void MemoryMatch::ResultsHide()
{
   if (PopupManager::IndexGet(&MemoryMatchResultsPopup::instance) >= 0)
   {
      PopupManager::Close(&MemoryMatchResultsPopup::instance);
   }
}
} // namespace Corvale
