// The talon reset, its button and its undo.
#include "cardgame/solitaire/TalonSolitaire.h"

#include <typeinfo>

#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/RecordSupport.h"
#include "gui/widgets/PressButtonWidget.h"

namespace Corvale
{
void TalonSolitaire::ReflectionRegister()
{
   auto* record =
       ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<TalonSolitaire>>("Corvale::TalonSolitaire");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(TraditionalSolitaireGame).name());
   record->FieldAdd(&TalonSolitaire::resetNum, "resetNum");
   record->FieldAdd(&TalonSolitaire::maxResets, "maxResets");
   ReflectionManager::TypeRegister(record);
}

void TalonSolitaire::Init()
{
   // The button of an earlier visit went with its layer.
   resetButton = nullptr;
   TraditionalSolitaireGame::Init();
}

bool TalonSolitaire::Load(JSONValue* document)
{
   const bool loaded = TraditionalSolitaireGame::Load(document);
   if (loaded && DrawPileAtMostCheck(0))
   {
      ResetButtonRefresh();
   }
   else if (loaded)
   {
      ResetButtonShow(false);
   }
   return loaded;
}

void TalonSolitaire::GUIInit(LayerWidget* pushedLayer)
{
   TraditionalSolitaireGame::GUIInit(pushedLayer);
   resetNum = 0;
   maxResets = -1;
   resetButton = ButtonCreate("ResetButtonIncluded", "ResetButton", "ResetButtonPosition",
                              &TalonSolitaire::ResetButtonHandler);
   ResetButtonShow(false);
}

void TalonSolitaire::ResetButtonShow(bool shown)
{
   if (resetButton)
   {
      resetButton->VisibleSet(shown);
   }
}

void TalonSolitaire::ResetButtonHandler(PressButtonWidget* button, void* game)
{
   (void)button;
   TalonSolitaire* self = static_cast<TalonSolitaire*>(game);
   if (self && self->HumanMayActCheck())
   {
      self->TalonReset();
   }
}

void TalonSolitaire::ResetButtonRefresh()
{
   ResetButtonShow(true);
   if (resetButton)
   {
      resetButton->EnabledSet(ResetAllowedCheck());
   }
}

void TalonSolitaire::StockCardsTurn(i32 count)
{
   CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (!draw)
   {
      return;
   }
   const bool last = DrawPileAtMostCheck(count);
   CardsDealToEachPile(CARD_PILE_TYPE_TALON, draw, count, true);
   if (last)
   {
      ResetButtonRefresh();
   }
}

void TalonSolitaire::TalonReset()
{
   CardPile* talon = CardPileGet(CARD_PILE_TYPE_TALON, -1, -1);
   if (talon)
   {
      CardsDeal(CARD_PILE_TYPE_DRAW, talon, talon->cards.count, false, -1);
   }
   ResetButtonShow(false);
   resetNum++;
   UndoRecordTyped(UNDO_RECORD_TALON_RESET, -1, -1, -1, false);
}

bool TalonSolitaire::DrawPileAtMostCheck(i32 count)
{
   const CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   return !draw || draw->cards.count <= count;
}

void TalonSolitaire::UndoRecordReplay(const UndoRecord& record)
{
   if (record.type == UNDO_RECORD_TALON_RESET)
   {
      resetNum--;
      ResetButtonRefresh();
      return;
   }
   TraditionalSolitaireGame::UndoRecordReplay(record);
   const CardPile* draw = CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
   if (draw && draw->cards.count > 0)
   {
      ResetButtonShow(false);
   }
}
} // namespace Corvale
