// Klondike: seven columns, a stock turned one or three cards at a time onto the waste, limited or
// unlimited resets, and two money variations whose total carries from deal to deal.
#pragma once

#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
class LabelWidget;
class MessageBoxPopup;
class NumberLabelWidget;

enum KlondikeVariation : i32
{
   KLONDIKE_FLIP_THREE_INFINITE_RESETS = 0,
   KLONDIKE_FLIP_ONE_NO_RESETS = 1,
   KLONDIKE_FLIP_ONE_ONE_RESET = 2,
   KLONDIKE_MONEY_F3 = 3,
   KLONDIKE_MONEY_F1 = 4
};

constexpr i32 KLONDIKE_COLUMN_COUNT = 7;
constexpr i32 KLONDIKE_FOUNDATION_COUNT = 4;
constexpr i32 KLONDIKE_PILE_CARDS_MAX = 20;
constexpr i32 KLONDIKE_DEAL_COST = 52;

class KlondikeSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();

   // Identity.
   i32 GameNumberGet() override { return 67; }
   const char* GameNameGet() override { return "KlondikeSolitaire"; }
   const char* LayerNameGet() override { return "KlondikeSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::KlondikeSolitaire"; }
   const char* DisplayNameGet() override;
   bool BestScoreRecordCheck() override { return true; }
   const char* BestScoreDefinedKeyGet() override;
   const char* BestScoreKeyGet() override;

   void Init() override;
   void Deinit() override;
   void TextsRefresh() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void GameNew() override;
   void Refresh() override;
   void CardChoose(Card* card) override;
   bool CardChooseOnClickCheck(Card* card) override;
   bool CardPickUpCheck(Card* card) override;
   bool CardStackPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   bool ScoreShownCheck() override { return MoneyCheck(); }
   i32 ScoreGet() override;
   void TalonReset() override;

   // Klondike's own operations, in their virtual order.
   virtual bool UsefulMoveExistsCheck();
   virtual void MoveWasAvailableClear() { moveWasAvailable = false; }

   // The "Variation" option; any unknown text is the three-card game with unlimited resets.
   i32 VariationGet();
   bool MoneyCheck();
   // Cards turned from the stock at a time.
   i32 TurnCountGet();
   static i32 MaxResetsGet(i32 variation);

   static void ResignButtonHandler(PressButtonWidget* button, void* game);
   static void OnResignYes(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   // Saved.
   bool moveWasAvailable = false;
   i32 currentScore = 0;
   i32 scoreAtStartOfGame = 0;
   bool resetOnce = false;
   // The variation of the previous deal; decides whether the money total carries over.
   i32 variationLast = 0;

   PressButtonWidget* resignButton = nullptr;
   NumberLabelWidget* scoreNumber = nullptr;
   Widget* scoreText = nullptr;

 private:
   CardPile* StockGet();
   // Whether the card could go to a foundation as the next card of its suit.
   bool FoundationTakesCheck(const Card* card);
};

extern KlondikeSolitaire klondikeSolitaire;
} // namespace Corvale
