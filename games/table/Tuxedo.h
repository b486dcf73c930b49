// Tuxedo: a fishing game with a 40-card deck. On a turn a hand card captures table cards that add
// up to its rank, raises one table card toward a rank held in hand, or, with neither possible, is
// laid on the table.
#pragma once

#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"

namespace Corvale
{
class Card;
class CardPile;
class PressButtonWidget;

constexpr i32 TUXEDO_COMMAND_BUILD = 18;
constexpr i32 TUXEDO_COMMAND_DISCARD = 19;
constexpr i32 TUXEDO_COMMAND_MATCH = 20;

class TuxedoPlayer : public Player
{
 public:
   const char* ReflectionTypeNameGet() const override { return "Corvale::TuxedoPlayer"; }

   static void ReflectionRegister();
};

class Tuxedo : public NonSolitaireFrontendBasedCardGame
{
 public:
   static void ReflectionRegister();
   static Tuxedo instance;

   i32 GameNumberGet() override { return 35; }
   const char* GameNameGet() override { return "Tuxedo"; }
   const char* LayerNameGet() override { return "Tuxedo"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::Tuxedo"; }
   Player* PlayerCreate() override;
   i32 PlayersMinimumGet() override { return 2; }
   i32 PlayersMaximumGet() override { return 2; }

   void Init() override;
   void Deinit() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   void TextsRefresh() override;
   void GameNew() override;
   void AITurnTake() override;
   void TurnBegin() override;
   void ResultsShow() override;
   void ResultsHide() override;
   void Refresh() override;
   void ControlsRefresh() override;
   bool CommandExecute(const Command& command) override;
   void HandsSort() override;
   bool CardChooseOnClickCheck(Card* card) override;
   void CardChoose(Card* card) override;

   CardPile* DrawPileGet();
   CardPile* TablePileGet();
   CardPile* HandGet(i32 seat);
   CardPile* CapturedPileGet(i32 seat);
   // Ranks 1 to 10, each in the four suits, on top of the pile.
   void DeckCreate(CardPile* pile);

   // The first selected card of the active player's hand, or null.
   Card* HandCardSelectedGet();
   bool MatchCheck();
   bool BuildCheck();
   bool MovePossibleCheck();
   bool MatchWithSelectedPossible();
   // Whether table cards from index j on, each later than the one before, add up to target with
   // partial; on success counter grows by the number of cards of the first such combination.
   static bool SumCombinationFind(i32 target, i32 partial, const CardPile* table, i32 j, i32* counter);
   // Selects exactly the cards SumCombinationFind(target, 0, table, j) finds; false when none.
   bool SumCombinationSelect(i32 target, CardPile* table, i32 j);

   void MatchExecute();
   void BuildExecute();
   void DiscardExecute();

   // The winner at the end: the highest score, player 0 on a tie.
   i32 WinnerSeatGet();

   bool inTuxedo = false;
   // The turn's state, saved so that a game loaded between two matches of a turn goes on alike.
   bool mayChooseHandCard = false;
   bool noMove = false;
   bool capturedHeart = false;
   bool capturedDiamond = false;
   i32 tableCountTurnBegin = 0;

   PressButtonWidget* buildButton = nullptr;
   PressButtonWidget* matchButton = nullptr;

 protected:
   void ButtonsEnable(bool build, bool match, bool discard);
   void CaptureCard(Card* card, Player* player);
   void HandsDeal(i32 perPlayer);
   static void OnBuildClick(PressButtonWidget* button, void* game);
   static void OnMatchClick(PressButtonWidget* button, void* game);
};
} // namespace Corvale
