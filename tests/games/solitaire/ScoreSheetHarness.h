// Bowling solitaire and Cribbage square played headless with their own constants files and the
// data tree's templates: the piles by role, the options in the profile, a stock stacked for a
// fixture, moves made as the pointer and the stock's press make them, and a game's final document.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "games/solitaire/BowlingSolitaire.h"
#include "games/solitaire/CribbageSquareSolitaire.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"
#include "tests/core/JSONTestSupport.h"
#include "tests/games/solitaire/KlondikeHarness.h"

namespace Corvale
{
namespace TestSupport
{
class ScoreSheetHarness : public CardGameHarness
{
 public:
   ScoreSheetHarness()
   {
      FrameworkTypesRegister();
      SolitaireGame::ReflectionRegister();
      TraditionalSolitaireGame::ReflectionRegister();
      BowlingSolitaire::ReflectionRegister();
      CribbageSquareSolitaire::ReflectionRegister();
      JSONTest::ValuePointer build = JSONTest::TextParse(SourceFileRead("data/Scripts/BuildConsts.json"));
      JSONTest::ValuePointer graphics =
          JSONTest::TextParse(SourceFileRead("data/Graphics/GraphicsConsts.json"));
      JSONTest::ValuePointer object = JSONTest::TextParse(CARD_GAME_HARNESS_CONSTS);
      EXPECT_TRUE(build && graphics && object);
      if (build && graphics && object)
      {
         object->ItemSet("MinigameConstsTemplates",
                         build->ItemGet("MinigameConstsTemplates")->Clone(HEAP_DEFAULT));
         object->ItemSet("CardPileTemplates", graphics->ItemGet("CardPileTemplates")->Clone(HEAP_DEFAULT));
         CardGlobalConstsSet(JSONTest::TextWrite(object.get()));
      }
      for (const char* key : {"BowlingSolitaire", "CribbageSquareSolitaire"})
      {
         const std::string path = std::string("Scripts/Minigames/") + key + ".json";
         FileWrite(path, SourceFileRead("data/" + path));
      }
   }

   ~ScoreSheetHarness()
   {
      Leave();
      ReflectionManager::Deinit();
   }

   static void OptionSet(const char* game, const char* name, bool value)
   {
      ProfileMinigameSettingsGet(game)->ItemBoolSet(name, value);
   }

   // Enters the game, which deals, and lets the deal finish.
   void GameEnter(TraditionalSolitaireGame* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      Enter(entered, seed0, seed1);
      cardGame = entered;
      solitaire = entered;
      decks = 1;
      enteredConsts =
          SourceFileRead(std::string("data/Scripts/Minigames/") + entered->GameNameGet() + ".json");
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(2000));
      ASSERT_TRUE(RunUntilSettled(20000));
   }

   CardPile* PileGet(i32 type, i32 secondary = -1) { return solitaire->CardPileGet(type, secondary, -1); }
   CardPile* Stock() { return PileGet(CARD_PILE_TYPE_DRAW); }

   // Every card back in the stock face down, then the named cards on top in that order (the last
   // named is turned first); no history.
   void StockStack(const std::vector<std::string>& topLast)
   {
      for (i32 i = 0; i < solitaire->cards.count; ++i)
      {
         Card* card = solitaire->cards[i];
         Stock()->CardInsert(Stock()->cards.count, card);
         card->FaceUpSet(false, false);
      }
      CardsPlace(Stock(), topLast);
      solitaire->CardAnimationsFinish();
      solitaire->UndoHistoryClear();
   }

   // Frames until nothing is queued, no card moves and no refresh waits.
   void Settle()
   {
      EXPECT_TRUE(RunUntilSettled(20000));
      EXPECT_TRUE(RunUntilIdle(2000));
      EXPECT_TRUE(RunUntilSettled(20000));
   }

   bool DropAndSettle(Card* card, CardPile* pile)
   {
      const bool dropped = Drop(card, pile);
      Settle();
      return dropped;
   }

   void ChooseAndSettle(Card* card)
   {
      ChoosePost(card);
      Settle();
   }

   void UndoAndSettle()
   {
      Command command;
      command.type = COMMAND_UNDO;
      solitaire->CommandExecute(command);
      Settle();
   }

   // The finished game's document without its clock, which a load's shorter run changes.
   static std::string FinalDocument(TraditionalSolitaireGame& game)
   {
      JSONTest::ValuePointer document(JSONValue::New(HEAP_DEFAULT));
      if (!game.Save(document.get()))
      {
         return "<failed>";
      }
      document->ItemGet("Frontend")->ItemGet("Minigame")->ItemRemove("gameTimer");
      return JSONTest::TextWrite(document.get());
   }

   TraditionalSolitaireGame* solitaire = nullptr;
};
} // namespace TestSupport
} // namespace Corvale
