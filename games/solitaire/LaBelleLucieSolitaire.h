// La Belle Lucie: sixteen fans of three built down in suit, the Aces on their foundations from the
// start, and two or three redeals of whatever is left on the fans.
#pragma once

#include "cardgame/solitaire/TalonSolitaire.h"

namespace Corvale
{
class LaBelleLucieSolitaire : public TalonSolitaire
{
 public:
   static void ReflectionRegister();
   static LaBelleLucieSolitaire instance;

   i32 GameNumberGet() override { return 68; }
   const char* GameNameGet() override { return "LaBelleLucieSolitaire"; }
   const char* ReflectionTypeNameGet() override { return "Corvale::LaBelleLucieSolitaire"; }
   void Init() override;
   void GameNew() override;
   // The stock is always empty here: the button shows while redeals remain.
   bool Load(JSONValue* document) override;
   void Refresh() override;
   bool CardPickUpCheck(Card* card) override;
   bool CardDropCheck(CardPile* pile, Card* card) override;
   void UndoRecordReplay(const UndoRecord& record) override;
   // The redeal: every card off the foundations shuffled and dealt again in threes.
   void TalonReset() override;

   // Shown and enabled while redeals remain, hidden once they are used up.
   void RedealButtonRefresh();
};
} // namespace Corvale
