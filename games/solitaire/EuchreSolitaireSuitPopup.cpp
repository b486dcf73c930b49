// The trump popup of Euchre solitaire: the turned-up card and its suit's question first, then after
// a pass the other three suits and the double-down toggle.
#include "games/solitaire/EuchreSolitaireSuitPopup.h"

#include <cstdio>
#include <cstring>

#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/solitaire/EuchreSolitaire.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/ToggleButtonWidget.h"

namespace Corvale
{
EuchreSolitaireSuitPopup EuchreSolitaireSuitPopup::instance;

namespace
{
// The suit buttons in suit order.
const char* const SUIT_BUTTONS[] = {"Panel.Hearts", "Panel.Spades", "Panel.Diamonds", "Panel.Clubs"};
} // namespace

EuchreSolitaireSuitPopup::EuchreSolitaireSuitPopup()
{
   NultStrncpy(layerName, "EuchreSolitaireSuit", sizeof(layerName));
   hasLayer = 1;
}

const char* EuchreSolitaireSuitPopup::SuitTextKeyGet(i32 suit)
{
   static const char* const keys[] = {"CardSuitHearts", "CardSuitSpades", "CardSuitDiamonds",
                                      "CardSuitClubs"};
   return suit >= SUIT_HEARTS && suit <= SUIT_CLUBS ? keys[suit] : nullptr;
}

bool EuchreSolitaireSuitPopup::CallTrumpFormatCheck(const char* format)
{
   i32 names = 0;
   for (const char* c = format; c && *c; c++)
   {
      if (*c != '%')
      {
         continue;
      }
      c++;
      if (*c == 's')
      {
         names++;
      }
      else if (*c != '%')
      {
         return false;
      }
   }
   return format && names == 1;
}

void EuchreSolitaireSuitPopup::CallTrumpTextFormat(i32 suit, char* buffer, u32 size)
{
   if (!buffer || size == 0)
   {
      return;
   }
   buffer[0] = '\0';
   const char* key = SuitTextKeyGet(suit);
   const char* suitName = key ? textManager.TextGet(key) : nullptr;
   if (!suitName)
   {
      suitName = "";
   }
   const char* format = textManager.TextGet("EuchreCallTrump");
   if (!CallTrumpFormatCheck(format))
   {
      WarningPrintf(
          "EuchreSolitaireSuitPopup::CallTrumpTextFormat -- text \"EuchreCallTrump\" is not a format "
          "with one %%s\n");
      NultStrncpy(buffer, suitName, size);
      return;
   }
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
   std::snprintf(buffer, size, format, suitName);
#pragma GCC diagnostic pop
}

void EuchreSolitaireSuitPopup::WidgetShow(const char* path, bool visible)
{
   Widget* widget = layer ? layer->DescendantGetByPath(path) : nullptr;
   if (widget)
   {
      widget->VisibleSet(visible);
   }
}

void EuchreSolitaireSuitPopup::LayerInit(LayerWidget* pushedLayer)
{
   layer = pushedLayer;
   doubleDown = nullptr;
   if (!pushedLayer || !game)
   {
      return;
   }
   const i32 turnUpSuit = game->TurnUpCardSuitGet();
   passed = false;
   QuestionShow();
   for (i32 suit = SUIT_HEARTS; suit <= SUIT_CLUBS; ++suit)
   {
      PressButtonWidget* button =
          dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath(SUIT_BUTTONS[suit]));
      if (!button)
      {
         continue;
      }
      button->VisibleSet(false);
      button->EnabledSet(suit != turnUpSuit);
      button->onClick = &EuchreSolitaireSuitPopup::OnSuitClick;
      button->onClickUserData = this;
   }
   const struct
   {
      const char* path;
      PressButtonCallback function;
   } wirings[] = {{"Panel.PickUp", &EuchreSolitaireSuitPopup::OnPickUpClick},
                  {"Panel.Pass", &EuchreSolitaireSuitPopup::OnPassClick}};
   for (const auto& wiring : wirings)
   {
      PressButtonWidget* button =
          dynamic_cast<PressButtonWidget*>(pushedLayer->DescendantGetByPath(wiring.path));
      if (button)
      {
         button->onClick = wiring.function;
         button->onClickUserData = this;
      }
   }
   SpriteWidget* card = dynamic_cast<SpriteWidget*>(pushedLayer->DescendantGetByPath("Panel.TurnUpCard"));
   const char* style = game->CardFrontStyleGet();
   const JSONValue* sizeItem = game->constants ? game->constants->ItemGet("TrumpSelectionCardSize") : nullptr;
   const char* cardSize = sizeItem ? sizeItem->StringValueGet() : nullptr;
   char file[MINIGAME_PATH_SIZE];
   if (card && style && cardSize && turnUpSuit >= 0 &&
       NultSnprintf(file, sizeof(file), "Sprites/Cards/Fronts/%s/%s", style, cardSize))
   {
      card->AnimationSet(file, CardSpriteNameGet(game->TurnUpCardRankGet(), turnUpSuit));
   }
   doubleDown = dynamic_cast<ToggleButtonWidget*>(pushedLayer->DescendantGetByPath("Panel.DoubleDown"));
   if (doubleDown)
   {
      doubleDown->OnSet(false);
   }
   WidgetShow("Panel.DoubleDown", false);
   WidgetShow("Panel.DoubleDownLabel", false);
}

void EuchreSolitaireSuitPopup::QuestionShow()
{
   LabelWidget* text = layer ? dynamic_cast<LabelWidget*>(layer->DescendantGetByPath("Panel.Text")) : nullptr;
   if (!text || !game)
   {
      return;
   }
   if (passed)
   {
      text->TextKeySet("EuchreSelect");
      return;
   }
   char line[EUCHRE_CALL_TRUMP_TEXT_SIZE];
   CallTrumpTextFormat(game->TurnUpCardSuitGet(), line, sizeof(line));
   text->TextSet(line);
}

void EuchreSolitaireSuitPopup::TextsRefresh()
{
   QuestionShow();
}

void EuchreSolitaireSuitPopup::Deinit()
{
   doubleDown = nullptr;
   Popup::Deinit();
}

bool EuchreSolitaireSuitPopup::DoubleDownGet()
{
   return doubleDown && doubleDown->OnGet();
}

void EuchreSolitaireSuitPopup::Leave()
{
   if (!closing)
   {
      Close(true);
   }
}

void EuchreSolitaireSuitPopup::PickUp()
{
   if (closing || !game)
   {
      return;
   }
   if (game->TrumpPickUp(DoubleDownGet()))
   {
      Leave();
   }
}

void EuchreSolitaireSuitPopup::Pass()
{
   if (closing || !game)
   {
      return;
   }
   for (const char* path : SUIT_BUTTONS)
   {
      WidgetShow(path, true);
   }
   passed = true;
   QuestionShow();
   WidgetShow("Panel.TurnUpCard", false);
   game->TrumpPass(DoubleDownGet());
   WidgetShow("Panel.DoubleDown", true);
   WidgetShow("Panel.DoubleDownLabel", true);
   WidgetShow("Panel.Pass", false);
   WidgetShow("Panel.PickUp", false);
}

void EuchreSolitaireSuitPopup::SuitChoose(i32 suit)
{
   // The suit buttons come after a pass: the passed suit is not theirs to name.
   if (closing || !game || suit == game->TurnUpCardSuitGet())
   {
      return;
   }
   if (game->TrumpSuitChoose(suit, DoubleDownGet()))
   {
      Leave();
   }
}

void EuchreSolitaireSuitPopup::OnPickUpClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   if (popup)
   {
      static_cast<EuchreSolitaireSuitPopup*>(popup)->PickUp();
   }
}

void EuchreSolitaireSuitPopup::OnPassClick(PressButtonWidget* button, void* popup)
{
   (void)button;
   if (popup)
   {
      static_cast<EuchreSolitaireSuitPopup*>(popup)->Pass();
   }
}

void EuchreSolitaireSuitPopup::OnSuitClick(PressButtonWidget* button, void* popup)
{
   if (!popup || !button || !button->NameGet())
   {
      return;
   }
   for (i32 suit = SUIT_HEARTS; suit <= SUIT_CLUBS; ++suit)
   {
      // The button's own name is the last part of its path.
      if (std::strcmp(button->NameGet(), SUIT_BUTTONS[suit] + std::strlen("Panel.")) == 0)
      {
         static_cast<EuchreSolitaireSuitPopup*>(popup)->SuitChoose(suit);
         return;
      }
   }
}
} // namespace Corvale
