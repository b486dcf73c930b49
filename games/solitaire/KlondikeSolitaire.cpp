// Klondike's deal, move rules, stock turns, score and end of game.
#include "games/solitaire/KlondikeSolitaire.h"

#include <cstring>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/NumberLabelWidget.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
KlondikeSolitaire klondikeSolitaire;

namespace
{
struct VariationRule
{
   const char* name;
   i32 turnCount;
   i32 maxResets;
   bool money;
};

const VariationRule VARIATIONS[] = {
    {"FlipThreeInfiniteResets", 3, 9999, false},
    {"FlipOneNoResets", 1, 0, false},
    {"FlipOneOneReset", 1, 1, false},
    {"MoneyKlondikeF3", 3, 3, true},
    {"MoneyKlondikeF1", 1, 0, true},
};

bool RedCheck(i32 suit)
{
   return suit == SUIT_HEARTS || suit == SUIT_DIAMONDS;
}

// card may lie on under in a column: the other colour and one rank lower, the ace low.
bool BuildsDownCheck(const Card* card, const Card* under)
{
   return RedCheck(card->suit) != RedCheck(under->suit) && card->rank + 1 == under->rank;
}
} // namespace

void KlondikeSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTyped<KlondikeSolitaire>>("Corvale::KlondikeSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TalonSolitaire).name());
   record->FieldAdd(&KlondikeSolitaire::moveWasAvailable, "moveWasAvailable");
   record->FieldAdd(&KlondikeSolitaire::currentScore, "currentScore");
   record->FieldAdd(&KlondikeSolitaire::scoreAtStartOfGame, "scoreAtStartOfGame");
   record->FieldAdd(&KlondikeSolitaire::resetOnce, "resetOnce");
   ReflectionManager::TypeRegister(record);
}

i32 KlondikeSolitaire::VariationGet()
{
   const char* name = SettingStringGet("Variation");
   for (i32 i = 0; name && i < static_cast<i32>(sizeof(VARIATIONS) / sizeof(VARIATIONS[0])); ++i)
   {
      if (std::strcmp(name, VARIATIONS[i].name) == 0)
      {
         return i;
      }
   }
   return KLONDIKE_FLIP_THREE_INFINITE_RESETS;
}

bool KlondikeSolitaire::MoneyCheck()
{
   return VARIATIONS[VariationGet()].money;
}

i32 KlondikeSolitaire::TurnCountGet()
{
   return VARIATIONS[VariationGet()].turnCount;
}

i32 KlondikeSolitaire::MaxResetsGet(i32 variation)
{
   return variation >= 0 && variation < static_cast<i32>(sizeof(VARIATIONS) / sizeof(VARIATIONS[0]))
              ? VARIATIONS[variation].maxResets
              : VARIATIONS[0].maxResets;
}

const char* KlondikeSolitaire::DisplayNameGet()
{
   switch (VariationGet())
   {
   case KLONDIKE_FLIP_ONE_NO_RESETS:
      return "KlondikeSolitaireFlipOneNoResets";
   case KLONDIKE_FLIP_ONE_ONE_RESET:
      return "KlondikeSolitaireFlipOneOneReset";
   case KLONDIKE_MONEY_F3:
   case KLONDIKE_MONEY_F1:
      return "KlondikeSolitaireMoneyKlondike";
   default:
      return "KlondikeSolitaireFlipThreeInfiniteResets";
   }
}

const char* KlondikeSolitaire::BestScoreDefinedKeyGet()
{
   return MoneyCheck() ? "BestMoneyScoreDefined" : "BestScoreDefined";
}

const char* KlondikeSolitaire::BestScoreKeyGet()
{
   return MoneyCheck() ? "BestMoneyScore" : "BestScore";
}

CardPile* KlondikeSolitaire::StockGet()
{
   return CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
}

void KlondikeSolitaire::Init()
{
   // The widgets of an earlier visit went with its layer.
   resignButton = nullptr;
   scoreNumber = nullptr;
   scoreText = nullptr;
   TalonSolitaire::Init();
   currentScore = 0;
   scoreAtStartOfGame = 0;
   variationLast = 0;
   GameNew();
}

void KlondikeSolitaire::Deinit()
{
   TalonSolitaire::Deinit();
   resignButton = nullptr;
   scoreNumber = nullptr;
   scoreText = nullptr;
}

void KlondikeSolitaire::TextsRefresh()
{
   TalonSolitaire::TextsRefresh();
   const bool shown = MoneyCheck() && players.count > 0;
   if (scoreNumber)
   {
      if (shown)
      {
         scoreNumber->ValueSet(static_cast<double>(ScoreGet()));
      }
      scoreNumber->VisibleSet(shown);
   }
   if (scoreText)
   {
      scoreText->VisibleSet(shown);
   }
}

void KlondikeSolitaire::GUIInit(LayerWidget* pushedLayer)
{
   TalonSolitaire::GUIInit(pushedLayer);
   resignButton = pushedLayer
                      ? dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath("ResignButton"))
                      : nullptr;
   if (resignButton)
   {
      resignButton->onClick = &KlondikeSolitaire::ResignButtonHandler;
      resignButton->onClickUserData = this;
   }
   scoreNumber = pushedLayer
                     ? dynamic_cast<NumberLabelWidget*>(pushedLayer->DescendantGetByPath("ScoreNumber"))
                     : nullptr;
   scoreText = pushedLayer ? pushedLayer->DescendantGetByPath("ScoreText") : nullptr;
   if (scoreNumber)
   {
      scoreNumber->TextFormatFunctionSet(&IntegerTextFormat, nullptr);
      scoreNumber->ValueSet(0.0);
      scoreNumber->VisibleSet(false);
   }
   if (scoreText)
   {
      scoreText->VisibleSet(false);
   }
}

void KlondikeSolitaire::ResignButtonHandler(PressButtonWidget* button, void* game)
{
   (void)button;
   KlondikeSolitaire* self = static_cast<KlondikeSolitaire*>(game);
   // A finished game has nothing left to resign.
   if (!self || !self->HumanMayActCheck())
   {
      return;
   }
   MessageBoxPopup* box = MessageBoxPopup::Show("GeneralConfirmatopm", "MessageBoxYesNo");
   if (box)
   {
      box->onYes = &KlondikeSolitaire::OnResignYes;
      box->onYesUserData = self;
   }
}

void KlondikeSolitaire::OnResignYes(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   KlondikeSolitaire* self = static_cast<KlondikeSolitaire*>(game);
   if (!self || self->gameResult != MINIGAME_RESULT_RUNNING)
   {
      return;
   }
   self->ActionGameLosePost();
   self->UndoHistoryClearPost();
}

void KlondikeSolitaire::GameNew()
{
   UndoHistoryClear();
   TalonSolitaire::GameNew();

   ResetButtonShow(false);
   resetNum = 0;
   maxResets = -1;
   resetOnce = false;

   const i32 variation = VariationGet();
   maxResets = MaxResetsGet(variation);

   if (variation != variationLast)
   {
      variationLast = variation;
      currentScore = 0;
      scoreAtStartOfGame = 0;
   }
   if (!VARIATIONS[variation].money)
   {
      currentScore = 0;
      scoreAtStartOfGame = 0;
   }
   else
   {
      currentScore -= KLONDIKE_DEAL_COST;
   }
   scoreAtStartOfGame = currentScore;

   CardPile* stock = StockGet();
   if (!stock)
   {
      WarningPrintf("KlondikeSolitaire::GameNew -- the constants declare no stock pile\n");
      return;
   }
   stock->DecksAdd(1);
   CardPileShuffle(stock);

   const bool allFaceUp = SettingBoolGet("AllCardsFaceUp");
   const u32 delay = static_cast<u32>(delayCardDeal > 0 ? delayCardDeal : 0);
   for (i32 row = 0; row < KLONDIKE_COLUMN_COUNT; ++row)
   {
      CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, row, -1), stock, delay, true);
      for (i32 column = row + 1; column < KLONDIKE_COLUMN_COUNT; ++column)
      {
         CardPileTopCardMoveQueue(CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1), stock, delay, allFaceUp);
      }
   }

   TextsRefresh();
   ActionTurnBeginPost();
}

bool KlondikeSolitaire::CardChooseOnClickCheck(Card* card)
{
   return card && card->pile && card->pile->type == CARD_PILE_TYPE_DRAW;
}

void KlondikeSolitaire::CardChoose(Card* card)
{
   CardPile* stock = StockGet();
   if (!card || !stock || card->pile != stock)
   {
      undoMoveBegins = true;
      TalonSolitaire::CardChoose(card);
      return;
   }
   const i32 turned = TurnCountGet();
   const i32 before = stock->cards.count;
   undoMoveBegins = true;
   CardsDealToEachPile(CARD_PILE_TYPE_TALON, stock, turned, true);
   if (before > turned)
   {
      if (!moveWasAvailable)
      {
         moveWasAvailable = UsefulMoveExistsCheck();
      }
   }
   else
   {
      ResetButtonRefresh();
   }
}

bool KlondikeSolitaire::CardStackPickUpCheck(Card* card)
{
   (void)card;
   return true;
}

bool KlondikeSolitaire::CardPickUpCheck(Card* card)
{
   const CardPile* pile = card ? card->pile : nullptr;
   if (!pile || !card->faceUp)
   {
      return false;
   }
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TALON:
      return pile->CardTopGet() == card;
   case CARD_PILE_TYPE_FOUNDATION:
      return pile->CardTopGet() == card && SettingBoolGet("CanMoveFoundationCards");
   case CARD_PILE_TYPE_TABLEAU:
   {
      const i32 index = pile->CardIndexGet(card);
      for (i32 i = index + 1; i < pile->cards.count; ++i)
      {
         if (!pile->cards[i]->faceUp || !BuildsDownCheck(pile->cards[i], pile->cards[i - 1]))
         {
            return false;
         }
      }
      return index >= 0;
   }
   default:
      return false;
   }
}

bool KlondikeSolitaire::CardDropCheck(CardPile* pile, Card* card)
{
   if (!pile || !card)
   {
      return false;
   }
   const i32 index = card->pile ? card->pile->CardIndexGet(card) : -1;
   const i32 moving = card->pile && index >= 0 ? card->pile->cards.count - index : 1;
   if (moving + pile->cards.count > KLONDIKE_PILE_CARDS_MAX)
   {
      return false;
   }
   const Card* top = pile->CardTopGet();
   switch (pile->type)
   {
   case CARD_PILE_TYPE_TABLEAU:
      return top ? BuildsDownCheck(card, top) : card->rank == RANK_KING;
   case CARD_PILE_TYPE_FOUNDATION:
      if (moving != 1)
      {
         return false;
      }
      return top ? top->suit == card->suit && top->rank + 1 == card->rank : card->rank == RANK_ACE;
   default:
      return false;
   }
}

i32 KlondikeSolitaire::ScoreGet()
{
   const i32 perCard = MoneyCheck() ? 5 : 1;
   i32 onFoundations = 0;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      onFoundations += cardPiles[i]->type == CARD_PILE_TYPE_FOUNDATION ? cardPiles[i]->cards.count : 0;
   }
   return scoreAtStartOfGame + perCard * onFoundations;
}

void KlondikeSolitaire::TalonReset()
{
   TalonSolitaire::TalonReset();
   MoveWasAvailableClear();
   resetOnce = true;
}

void KlondikeSolitaire::Refresh()
{
   PlayableCardsHighlight();
   currentScore = ScoreGet();
   TextsRefresh();
   if (!MayActCheck())
   {
      return;
   }
   bool turned = false;
   for (i32 column = 0; column < KLONDIKE_COLUMN_COUNT; ++column)
   {
      CardPile* pile = CardPileGet(CARD_PILE_TYPE_TABLEAU, column, -1);
      Card* top = pile ? pile->CardTopGet() : nullptr;
      if (top && !top->faceUp)
      {
         CardFaceUpSet(top, true, true);
         turned = true;
      }
   }
   if (turned)
   {
      return;
   }
   const CardPile* stock = StockGet();
   const CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   if ((stock && stock->cards.count > 0) || !CardPilesOfTypeEmpty(CARD_PILE_TYPE_TABLEAU) ||
       (talon && talon->cards.count > 0))
   {
      return;
   }
   GameWin();
}

bool KlondikeSolitaire::FoundationTakesCheck(const Card* card)
{
   for (i32 id = 0; id < KLONDIKE_FOUNDATION_COUNT; ++id)
   {
      const CardPile* foundation = CardPileGet(CARD_PILE_TYPE_FOUNDATION, id, -1);
      const Card* top = foundation ? foundation->CardTopGet() : nullptr;
      if (foundation &&
          (top ? top->suit == card->suit && top->rank + 1 == card->rank : card->rank == RANK_ACE))
      {
         return true;
      }
   }
   return false;
}

bool KlondikeSolitaire::UsefulMoveExistsCheck()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      CardPile* from = card->pile;
      if (!from || !CardPickUpCheck(card))
      {
         continue;
      }
      const bool onTop = from->CardTopGet() == card;
      // A card with others above it is carried with them; a top card alone.
      if (!onTop && !CardStackPickUpCheck(card))
      {
         continue;
      }
      const i32 index = from->CardIndexGet(card);
      const Card* under = index > 0 ? from->cards[index - 1] : nullptr;
      for (i32 p = 0; p < cardPiles.count; ++p)
      {
         CardPile* to = cardPiles[p];
         if (to == from || !CardDropCheck(to, card))
         {
            continue;
         }
         const Card* destinationTop = to->CardTopGet();
         if (onTop)
         {
            if (card->rank != RANK_KING || destinationTop)
            {
               return true;
            }
            continue;
         }
         if (!under || !destinationTop || under->rank != destinationTop->rank || FoundationTakesCheck(under))
         {
            return true;
         }
      }
   }
   return false;
}
} // namespace Corvale
