// A small four-player trick game for the trick-taking base's tests: the harness puts one deck in
// the Draw pile, a hand deals it out, everyone must follow suit, the default rule decides each
// trick and its winner leads the next. Computer players give a random legal card.
#pragma once

#include <string>
#include <typeinfo>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/tricktaking/TrickTakingGame.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeObject.h"
#include "tests/cardgame/DocumentTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
// Draw, then per player a Hand, a Trick and a Take pile.
inline std::string TestTrickGameConsts(const std::string& extra = "")
{
   std::string text = R"({"DelayCardDeal": 10, "DelayTrickTake": 300, "DelayAIAction": 50,
      "Settings": [{"Name": "CardSorting", "Default": "Descending"}],)";
   text += extra;
   text += R"("CardPiles": [{"Type": "Draw", "Position": "400|300"})";
   // Hands beside the seats' panels, the trick in the middle, won tricks off the table on the
   // winner's side.
   const char* const handPositions[] = {"480|620", "160|430", "480|210", "800|430"};
   const char* const handOffsets[] = {"20|0", "10|0", "10|0", "10|0"};
   const char* const trickPositions[] = {"480|470", "390|400", "480|340", "570|400"};
   const char* const takePositions[] = {"480|900", "-300|400", "480|-200", "1260|400"};
   for (int p = 0; p < 4; ++p)
   {
      const std::string owner = std::to_string(p);
      text += R"(, {"Type": "Hand", "OwnerID": )" + owner + R"(, "Position": ")" + handPositions[p] +
              R"(", "CardPositionOffset": ")" + handOffsets[p] + "\"}";
      text += R"(, {"Type": "Trick", "OwnerID": )" + owner + R"(, "Position": ")" + trickPositions[p] + "\"}";
      text += R"(, {"Type": "Take", "OwnerID": )" + owner + R"(, "Position": ")" + takePositions[p] + "\"}";
   }
   text += "]}";
   return text;
}

class TestTrickGame : public TrickTakingGame
{
 public:
   i32 GameNumberGet() override { return 996; }
   const char* GameNameGet() override { return "TestTrickGame"; }
   const char* LayerNameGet() override { return layerName; }
   i32 PlayersMinimumGet() override { return 4; }
   i32 PlayersMaximumGet() override { return 4; }
   i32 TricksPerHandGet() override { return 13; }
   i32 TeamsCountGet() override { return teamCount; }
   const char* ReflectionTypeNameGet() override { return "Corvale::TestTrickGame"; }
   Player* PlayerCreate() override { return MemoryNew<TrickTakingGamePlayer>(HEAP_DEFAULT); }

   void GameNew() override
   {
      nextCardID = 0;
      TrickTakingGame::GameNew();
   }

   // A new hand: every card back in the Draw pile, shuffled, dealt from the dealer's left.
   void SubgameNew() override
   {
      HandBegin();
      CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
      if (!draw)
      {
         return;
      }
      CardsGatherShuffled(draw);
      Player* dealer = DealerGet();
      dealer = dealer ? PlayerNextGet(dealer) : PlayerByIndexGet(0);
      DealerSet(dealer);
      Player* first = PlayerNextGet(dealer);
      CardsDealToEachPlayer(draw, 13, first ? first->id : 0);
      HumanHandsFaceUpQueue();
      playerActiveID = first ? first->id : 0;
      ActionTurnBeginPost();
   }

   void TurnBegin() override
   {
      if (trickIndexCurrent < 0 || TrickCompleteCheck())
      {
         TrickBegin();
      }
      TrickTakingGame::TurnBegin();
   }

   bool CardPickUpCheck(Card* card) override
   {
      return TrickPlayAllowedCheck(PlayerActiveGet()) && TrickCardFollowsSuitCheck(card);
   }

   bool CardDropCheck(CardPile* pile, Card* card) override
   {
      return pile && pile->type == CARD_PILE_TYPE_TRICK && pile->ownerID == playerActiveID &&
             CardPickUpCheck(card);
   }

   void CardAddDoneNotify(CardPile* pile, CardPile* oldPile, Card* card) override
   {
      (void)oldPile;
      TrickTakingGamePlayer* active = dynamic_cast<TrickTakingGamePlayer*>(PlayerActiveGet());
      if (!pile || pile->type != CARD_PILE_TYPE_TRICK || !active)
      {
         return;
      }
      card->FaceUpSet(true, true);
      active->HistoryCardSet(trickIndexCurrent, card);
      TrickPilesArrange();
      if (!TrickCompleteCheck())
      {
         ActionPlayerAdvancePost();
      }
      RefreshMark();
   }

   // A complete trick goes to its winner, who leads the next one; after the last the hand ends.
   void Refresh() override
   {
      if (trickIndexCurrent < 0 || !TrickCompleteCheck() || TrickWinnerGet(trickIndexCurrent))
      {
         return;
      }
      Player* winner = nullptr;
      Card* best = nullptr;
      TrickWinnerDetermine(&winner, &best);
      if (!winner)
      {
         return;
      }
      TrickTake(winner);
      playerActiveID = winner->id;
      if (trickIndexCurrent + 1 < TricksPerHandGet())
      {
         ActionTurnBeginPost();
      }
      else
      {
         handsCompleted++;
         ActionSubgameOverPost();
      }
   }

   void AITurnTake() override
   {
      Card* card = LegalCardRandomGet();
      if (card)
      {
         CardChooseCommandQueue(card, static_cast<u32>(delayAIAction));
      }
      else
      {
         // Nothing to give: the turn must not stall the queue.
         ActionDelayPost(1000, false);
      }
   }

   // A legal card of the active player's Hand drawn with the game's generator, or null.
   Card* LegalCardRandomGet()
   {
      CardPile* hand = PlayerHandGet(PlayerActiveGet());
      Table<Card*> legal(allocatorTemp);
      for (i32 i = 0; hand && i < hand->cards.count; ++i)
      {
         if (CardPickUpCheck(hand->cards[i]))
         {
            legal.Insert(hand->cards[i], legal.count);
         }
      }
      return legal.count > 0 ? legal[static_cast<i32>(RandomIntGet(static_cast<u32>(legal.count)))] : nullptr;
   }

   const char* layerName = nullptr;
   i32 handsCompleted = 0;
   i32 teamCount = 0;
};

// The framework types, the trick-taking records and the test game.
inline void TestTrickGameTypesRegister()
{
   FrameworkTypesRegister();
   DocumentTableTypeRegister<TrickTakingGamePlayerHistoryEntry>("Table<TrickTakingGamePlayerHistoryEntry>");
   TrickTakingGamePlayerHistoryEntry::ReflectionRegister();
   TrickTakingGamePlayer::ReflectionRegister();
   TrickTakingGame::ReflectionRegister();
   auto* record = MemoryNew<ReflectionTypeObjectTyped<TestTrickGame>>(HEAP_DEFAULT);
   record->Init("Corvale::TestTrickGame");
   record->BaseAdd(typeid(TrickTakingGame).name());
   ReflectionManager::TypeRegister(record);
}
} // namespace TestSupport
} // namespace Corvale
