// Best 21 and Fast 21 played headless with their own constants files and the data tree's constants
// templates: the piles by role, a table laid out card by card, and drops made as the pointer makes them.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/Player.h"
#include "games/solitaire/Best21Solitaire.h"
#include "games/solitaire/Fast21Solitaire.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"
#include "tests/core/JSONTestSupport.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
class TwentyOneHarness : public CardGameHarness
{
 public:
   TwentyOneHarness()
   {
      FrameworkTypesRegister();
      SolitaireGame::ReflectionRegister();
      ArcadeSolitaireGame::ReflectionRegister();
      Best21Solitaire::ReflectionRegister();
      Fast21Solitaire::ReflectionRegister();
      JSONTest::ValuePointer build = JSONTest::TextParse(SourceFileRead("data/Scripts/BuildConsts.json"));
      JSONTest::ValuePointer object = JSONTest::TextParse(CARD_GAME_HARNESS_CONSTS);
      EXPECT_TRUE(build && object);
      if (build && object)
      {
         object->ItemSet("MinigameConstsTemplates",
                         build->ItemGet("MinigameConstsTemplates")->Clone(HEAP_DEFAULT));
         CardGlobalConstsSet(JSONTest::TextWrite(object.get()));
      }
      for (const char* key : {"Best21Solitaire", "Fast21Solitaire"})
      {
         const std::string path = std::string("Scripts/Minigames/") + key + ".json";
         FileWrite(path, SourceFileRead("data/" + path));
      }
   }

   ~TwentyOneHarness()
   {
      Leave();
      ReflectionManager::Deinit();
   }

   // Enters the game, which deals its first round, and lets the first card turn.
   void GameEnter(ArcadeSolitaireGame* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      Enter(entered, seed0, seed1);
      cardGame = entered;
      arcade = entered;
      decks = 1;
      enteredConsts =
          SourceFileRead(std::string("data/Scripts/Minigames/") + entered->GameNameGet() + ".json");
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(1000));
      ASSERT_TRUE(RunUntilSettled(20000));
   }

   CardPile* Stock() { return arcade->CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* Flip() { return arcade->CardPileGet(CARD_PILE_TYPE_FLIP, -1, -1); }
   CardPile* Waste() { return arcade->CardPileGet(CARD_PILE_TYPE_WASTE, -1, -1); }
   CardPile* Cleared() { return arcade->CardPileGet(CARD_PILE_TYPE_FOUNDATION, -1, -1); }
   CardPile* Hand(i32 i) { return arcade->CardPileGet(CARD_PILE_TYPE_TABLEAU, i, -1); }
   Player* First() { return arcade->players[0]; }

   // Every card back in the stock face down, then the named cards laid out: a table for fixtures.
   void TableClear()
   {
      for (i32 i = 0; i < arcade->cards.count; ++i)
      {
         Card* card = arcade->cards[i];
         Stock()->CardInsert(Stock()->cards.count, card);
         card->FaceUpSet(false, false);
      }
      arcade->CardAnimationsFinish();
   }

   // The named card turned onto the Flip pile, as the refresh turns it.
   Card* TurnedSet(const std::string& name)
   {
      CardsPlace(Flip(), {name + "*"});
      return Flip()->CardTopGet();
   }

   // The score at the start of the round and now.
   void ScoreSet(i32 score)
   {
      First()->minigameScore = score;
      First()->minigameScoreSubgameBegin = score;
   }

   // The turned card let go over the pile, then everything it sets off.
   bool TurnedDrop(CardPile* pile)
   {
      const bool dropped = Drop(Flip()->CardTopGet(), pile);
      EXPECT_TRUE(RunUntilSettled(20000));
      EXPECT_TRUE(RunUntilIdle(2000));
      EXPECT_TRUE(RunUntilSettled(20000));
      return dropped;
   }

   // OK on the open results, as its button does.
   bool ResultsContinue()
   {
      ArcadeSolitaireResultsPopup& results = ArcadeSolitaireResultsPopup::instance;
      if (PopupManager::IndexGet(&results) < 0 || !results.onOK)
      {
         return false;
      }
      // Its next round or new game takes the results away.
      results.onOK(&results, nullptr, results.onOKUserData);
      return true;
   }

   static i32 ResultsOpenCount()
   {
      i32 open = 0;
      for (i32 i = 0; i < PopupManager::popups.count; ++i)
      {
         open += PopupManager::popups[i] == &ArcadeSolitaireResultsPopup::instance;
      }
      return open;
   }

   ArcadeSolitaireGame* arcade = nullptr;
};
} // namespace TestSupport
} // namespace Corvale
