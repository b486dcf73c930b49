// Klondike played headless with the game's own constants file and the constants templates of the
// data tree: a fresh table, the variation and options set in the profile, a stacked table, and
// the player's choices posted as Command 16.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "games/solitaire/KlondikeSolitaire.h"
#include "tests/cardgame/CardGameHarness.h"
#include "tests/cardgame/DocumentTestSupport.h"
#include "tests/core/JSONTestSupport.h"

namespace Corvale
{
namespace TestSupport
{
inline std::string SourceFileRead(const std::string& path)
{
   std::ifstream file(std::string(CORVALE_SOURCE_DIR) + "/" + path);
   std::stringstream text;
   text << file.rdbuf();
   return text.str();
}

// The global constants object's text with the games' constants templates and the card pile
// templates of the data added; "{}" when a part does not parse.
inline std::string ConstsWithTemplatesGet(const std::string& text)
{
   JSONTest::ValuePointer build = JSONTest::TextParse(SourceFileRead("data/Scripts/BuildConsts.json"));
   JSONTest::ValuePointer graphics = JSONTest::TextParse(SourceFileRead("data/Graphics/GraphicsConsts.json"));
   JSONTest::ValuePointer object = JSONTest::TextParse(text);
   EXPECT_TRUE(build && graphics && object);
   if (!build || !graphics || !object)
   {
      return "{}";
   }
   JSONValue* templates = build->ItemGet("MinigameConstsTemplates")->Clone(HEAP_DEFAULT);
   EXPECT_TRUE(templates && object->ItemSet("MinigameConstsTemplates", templates));
   JSONValue* pileTemplates = graphics->ItemGet("CardPileTemplates")->Clone(HEAP_DEFAULT);
   EXPECT_TRUE(pileTemplates && object->ItemSet("CardPileTemplates", pileTemplates));
   return JSONTest::TextWrite(object.get());
}

class KlondikeHarness : public CardGameHarness
{
 public:
   KlondikeHarness()
   {
      // The reflected types a saved Klondike game needs, as the start-up registers them.
      FrameworkTypesRegister();
      SolitaireGame::ReflectionRegister();
      TraditionalSolitaireGame::ReflectionRegister();
      TalonSolitaire::ReflectionRegister();
      KlondikeSolitaire::ReflectionRegister();
      ConstsWithTemplatesSet(CARD_GAME_HARNESS_CONSTS);
      gameConsts = SourceFileRead("data/Scripts/Minigames/KlondikeSolitaire.json");
      FileWrite("Scripts/Minigames/KlondikeSolitaire.json", gameConsts);
   }

   // The global constants from the object's text, with the games' constants templates and the
   // card pile templates of the data.
   void ConstsWithTemplatesSet(const std::string& text) { CardGlobalConstsSet(ConstsWithTemplatesGet(text)); }

   ~KlondikeHarness()
   {
      Leave();
      ReflectionManager::Deinit();
   }

   // The option in the profile, as the settings page writes it.
   static void OptionSet(const char* name, const char* value)
   {
      ProfileMinigameSettingsGet("KlondikeSolitaire")->ItemStringSet(name, value);
   }
   static void OptionSet(const char* name, bool value)
   {
      ProfileMinigameSettingsGet("KlondikeSolitaire")->ItemBoolSet(name, value);
   }

   // Enters the game, which deals, and lets the deal finish.
   void KlondikeEnter(KlondikeSolitaire* entered, u32 seed0 = 12345, u32 seed1 = 67890)
   {
      Enter(entered, seed0, seed1);
      cardGame = entered;
      klondike = entered;
      decks = 1;
      enteredConsts = gameConsts;
      ASSERT_TRUE(RunUntilSettled(20000));
      ASSERT_TRUE(RunUntilIdle(1000));
   }

   CardPile* Stock() { return klondike->CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1); }
   CardPile* Waste() { return klondike->CardPileGet(CARD_PILE_TYPE_TALON, -1, -1); }
   CardPile* Foundation(i32 i) { return klondike->CardPileGet(CARD_PILE_TYPE_FOUNDATION, i, -1); }
   CardPile* Column(i32 i) { return klondike->CardPileGet(CARD_PILE_TYPE_TABLEAU, i, -1); }

   // Every card back in the stock, face down, with no history: a table for fixtures.
   void TableClear()
   {
      for (i32 i = 0; i < klondike->cards.count; ++i)
      {
         Card* card = klondike->cards[i];
         if (card->pile != Stock())
         {
            Stock()->CardInsert(Stock()->cards.count, card);
         }
         card->FaceUpSet(false, false);
      }
      klondike->CardAnimationsFinish();
      klondike->UndoHistoryClear();
   }

   // A player's choice of the card, run until the game is idle again.
   void Choose(Card* card)
   {
      ChoosePost(card);
      ASSERT_TRUE(RunUntilSettled(5000));
      ASSERT_TRUE(RunUntilIdle(1000));
      ASSERT_TRUE(RunUntilSettled(5000));
   }

   // Turns the stock once.
   void StockTurn()
   {
      ASSERT_GT(Stock()->cards.count, 0);
      Choose(Stock()->CardTopGet());
   }

   KlondikeSolitaire* klondike = nullptr;
   std::string gameConsts;
};
} // namespace TestSupport
} // namespace Corvale
