// The card game's data and set-up: constants, piles and cards, their widgets and containers, the
// move sounds, the trump indicator, and the per-frame work (motion, layout, layering, draggability).
#include "cardgame/CardGame.h"

#include <typeinfo>

#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardSort.h"
#include "cardgame/CardPileWidget.h"
#include "cardgame/CardWidget.h"
#include "cardgame/Player.h"
#include "cardgame/RecordSupport.h"
#include "core/Event.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/StateContainerWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/input/PlatformKeys.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundSourceOpenAL.h"

namespace Corvale
{
namespace
{
const char* const TRUMP_INDICATION_NAMES[] = {"TrumpHearts",  "TrumpSpades",       "TrumpDiamonds",
                                              "TrumpClubs",   "TrumpHeartsBroken", "TrumpSpadesBroken",
                                              "TrumpNoTrump", "TrumpNoTrumpHigh",  "TrumpNoTrumpLow"};
constexpr i32 TRUMP_INDICATION_COUNT = 9;

ContainerWidget* LayerContainerFind(LayerWidget* layer, const char* name)
{
   return layer && name ? dynamic_cast<ContainerWidget*>(layer->DescendantGetByPath(name)) : nullptr;
}

// Out of its container, still alive: re-stacking moves card widgets between the containers.
void WidgetDetach(Widget* widget)
{
   ContainerWidget* parent = widget ? dynamic_cast<ContainerWidget*>(widget->ParentGet()) : nullptr;
   if (parent)
   {
      parent->ChildDetach(widget);
      widget->ParentSet(nullptr);
   }
}

// Appends a detached card widget to a card container.
void WidgetAppend(ContainerWidget* container, Widget* widget)
{
   container->ChildAddLast(widget);
   widget->ParentSet(container);
}

bool ControlDownCheck()
{
   return KeyHeldCheck(VK_LCONTROL) || KeyHeldCheck(VK_RCONTROL);
}
} // namespace

void CardGame::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<CardGame>>("Corvale::CardGame");
   if (!record)
   {
      return;
   }
   record->BaseAdd(typeid(Minigame).name());
   record->FieldAdd(&CardGame::dealerPlayerID, "dealerPlayerID");
   record->FieldAdd(&CardGame::trumpSuit, "trumpSuit");
   record->FieldAdd(&CardGame::trumpIndication, "trumpIndication");
   ReflectionManager::TypeRegister(record);
}

CardGame::~CardGame()
{
   CardPilesDelete();
   CardsDelete();
   CardSoundsDeinit();
}

void CardGame::Init()
{
   cardsDraggableRefreshPending = false;
   cardPilesLayoutPending = true;
   cardLayersPending = true;
   dealerPlayerID = -1;
   trumpSuit = -1;
   trumpIndication = TRUMP_INDICATION_NONE;
   cardMoveSoundCooldown = 0;
   cardPiles = Table<CardPile*>(allocatorDefault);
   cards = Table<Card*>(allocatorDefault);
   CardSoundsInit();
   controlWasDown = ControlDownCheck();

   Minigame::Init();
   // The settings menu changes the messy-cards flag while the game runs; its piles follow at once.
   EventMethodRegister(this, SETTINGS_CARDS_MESSY_CHANGE_EVENT, &CardGame::CardOffsetsRandomize, 0);

   delayCardDeal = 0;
   delayCardFlip = 0;
   if (constants && constants->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      delayCardDeal = ConstIntGet(constants, "DelayCardDeal");
      delayCardFlip = ConstIntGet(constants, "DelayCardFlip");
      const JSONValue* specifications = constants->ItemGet("CardPiles");
      if (specifications->TypeGet() == JSONValue::TYPE_ARRAY)
      {
         for (i32 i = 0; i < specifications->CountGet(); ++i)
         {
            CardPileCreate(specifications->ElementGet(i));
         }
      }
   }
}

void CardGame::CardSoundsInit()
{
   cardMoveSounds = Table<Sound*>(allocatorDefault);
   cardMoveSoundSources = Table<SoundSourceCommon*>(allocatorDefault);
   if (!consts)
   {
      return;
   }
   const JSONValue* names = consts->ItemGet("CardMoveSounds");
   if (names->TypeGet() == JSONValue::TYPE_ARRAY && soundManager.initialised)
   {
      cardMoveSounds.Reserve(names->CountGet());
      for (i32 i = 0; i < names->CountGet(); ++i)
      {
         const char* name = names->ElementGet(i)->StringValueGet();
         Sound* sound = name ? soundManager.Load(name) : nullptr;
         if (sound)
         {
            cardMoveSounds.Insert(sound, cardMoveSounds.count);
         }
      }
   }
   const i32 sourceCount = ConstIntGet(consts, "CardMoveSoundsConcurrentMax");
   if (sourceCount > 0 && soundManager.initialised)
   {
      cardMoveSoundSources.Reserve(sourceCount);
      for (i32 i = 0; i < sourceCount; ++i)
      {
         SoundSourceOpenAL* source = soundManager.SourceCreate();
         if (source)
         {
            source->Reset();
            cardMoveSoundSources.Insert(source, cardMoveSoundSources.count);
         }
      }
   }
}

void CardGame::CardSoundsDeinit()
{
   for (i32 i = 0; i < cardMoveSounds.count; ++i)
   {
      soundManager.Unload(cardMoveSounds[i]);
   }
   cardMoveSounds = Table<Sound*>();
   for (i32 i = 0; i < cardMoveSoundSources.count; ++i)
   {
      cardMoveSoundSources[i]->Release();
      MemoryDelete(cardMoveSoundSources[i]);
   }
   cardMoveSoundSources = Table<SoundSourceCommon*>();
}

void CardGame::GUIInit(LayerWidget* pushedLayer)
{
   Minigame::GUIInit(pushedLayer);
   cardContainerTop = LayerContainerFind(pushedLayer, CardContainerTopNameGet());
   cardContainerBottom = LayerContainerFind(pushedLayer, CardContainerBottomNameGet());
   cardPileContainer = LayerContainerFind(pushedLayer, CardPileContainerNameGet());
   helpLabelContainer = LayerContainerFind(pushedLayer, HelpLabelContainerNameGet());
   for (i32 i = 0; i < cards.count; ++i)
   {
      cards[i]->WidgetCreate();
   }
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->WidgetCreate();
   }
   cardLayersPending = true;
   CardsDraggableUpdate();

   passCardsButton = ButtonCreate("PassCardsButtonIncluded", "PassCardsButton", "PassCardsButtonPosition",
                                  &CardGame::OnPassCardsClick);

   ContainerWidget* root = layer;
   if (root && ConstFlagGet(constants, "TrumpIndicatorIncluded"))
   {
      const JSONValue* specification = constants->ItemGet("TrumpIndicatorWidget");
      if (specification->TypeGet() == JSONValue::TYPE_OBJECT)
      {
         StateContainerWidget* indicator = MemoryNew<StateContainerWidget>(HEAP_DEFAULT);
         if (indicator)
         {
            indicator->Init("TrumpIndicator", root, specification);
            root->ChildAdd(indicator);
            TrumpIndicatorUpdate();
         }
      }
   }
}

void CardGame::OnPassCardsClick(PressButtonWidget* button, void* game)
{
   (void)button;
   CardGame* self = static_cast<CardGame*>(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(COMMAND_PASS_CARDS, 0);
   }
}

void CardGame::CardPilesDelete()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->Deinit();
      MemoryDelete(cardPiles[i]);
   }
   cardPiles = Table<CardPile*>();
}

void CardGame::Deinit()
{
   // Cards first, and their widgets destroyed now: a pile that lets go of its card styles unloads
   // the sprite files, which no card sprite may still hold then.
   CardsDelete();
   GUIManager::RemovedWidgetsDestroy();
   CardPilesDelete();
   GUIManager::RemovedWidgetsDestroy();
   cards = Table<Card*>();
   CardSoundsDeinit();
   cardContainerTop = cardContainerBottom = cardPileContainer = helpLabelContainer = nullptr;
   passCardsButton = nullptr;
   Event::OwnerEventUnregister(SETTINGS_CARDS_MESSY_CHANGE_EVENT, this);
   Minigame::Deinit();
}

void CardGame::CardsDelete()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->cards.SizeSet(0);
      cardPiles[i]->HelpLabelsRefresh();
   }
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      if (card->widget)
      {
         // The GUI destroys the widget once no walk runs; it must not reach back to the card.
         CardWidget* widget = card->widget;
         widget->card = nullptr;
         card->widget = nullptr;
         ContainerWidget* parent = dynamic_cast<ContainerWidget*>(widget->ParentGet());
         if (!parent || !parent->ChildRemove(widget))
         {
            GUIManager::WidgetReferencesClear(widget);
         }
      }
      MemoryDelete(card);
   }
   cards.SizeSet(0);
}

bool CardGame::CardsMessyCheck()
{
   return cardsMessy;
}

const char* CardGame::CardFrontStyleGet()
{
   // The settings menu's card page stores the choice in the profile, for every game alike.
   const char* style = profileCurrent ? profileCurrent->ItemGet("CardFrontStyle")->StringValueGet() : nullptr;
   if (!style && consts)
   {
      style = consts->ItemGet("CardFrontStyleDefault")->StringValueGet();
   }
   return style;
}

const char* CardGame::CardBackStyleGet()
{
   // The settings menu's card page stores the choice in the profile, for every game alike.
   const char* style = profileCurrent ? profileCurrent->ItemGet("CardBackStyle")->StringValueGet() : nullptr;
   if (!style && consts)
   {
      style = consts->ItemGet("CardBackStyleDefault")->StringValueGet();
   }
   return style;
}

Card* CardGame::CardCreate(i32 rank, i32 suit)
{
   Card* card = MemoryNew<Card>(HEAP_DEFAULT);
   if (!card)
   {
      WarningPrintf("CardGame::CardCreate -- unable to allocate a card\n");
      return nullptr;
   }
   card->game = this;
   card->suit = suit;
   card->SpriteUpdate();
   card->rank = rank;
   card->SpriteUpdate();
   card->WidgetCreate();
   if (!cards.Insert(card, cards.count))
   {
      WarningPrintf("CardGame::CardCreate -- unable to keep the card\n");
      MemoryDelete(card);
      return nullptr;
   }
   return card;
}

CardPile* CardGame::CardPileCreate(const JSONValue* specification)
{
   if (!specification || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   CardPile* pile = MemoryNew<CardPile>(HEAP_DEFAULT);
   if (!pile)
   {
      WarningPrintf("CardGame::CardPileCreate -- unable to allocate a pile\n");
      return nullptr;
   }
   pile->Init(this, specification);
   if (!cardPiles.Insert(pile, cardPiles.count))
   {
      WarningPrintf("CardGame::CardPileCreate -- unable to keep the pile\n");
      pile->Deinit();
      MemoryDelete(pile);
      return nullptr;
   }
   return pile;
}

Card* CardGame::CardGet(i32 cardID)
{
   if (cardID == -1)
   {
      return nullptr;
   }
   for (i32 i = 0; i < cards.count; ++i)
   {
      if (cards[i]->id == cardID)
      {
         return cards[i];
      }
   }
   return nullptr;
}

CardPile* CardGame::CardPileByIDGet(i32 pileID)
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->id == pileID)
      {
         return cardPiles[i];
      }
   }
   return nullptr;
}

CardPile* CardGame::CardPileGet(i32 type, i32 secondaryID, i32 ownerID)
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      const CardPile* pile = cardPiles[i];
      if (pile->type == type && pile->secondaryID == secondaryID && pile->ownerID == ownerID)
      {
         return cardPiles[i];
      }
   }
   return nullptr;
}

CardPile* CardGame::PlayerHandGet(const Player* player)
{
   return player ? CardPileGet(CARD_PILE_TYPE_HAND, -1, player->id) : nullptr;
}

Player* CardGame::DealerGet()
{
   return dealerPlayerID == -1 ? nullptr : PlayerGet(dealerPlayerID);
}

void CardGame::DealerSet(const Player* player)
{
   dealerPlayerID = player ? player->id : -1;
   PlayerDealerSet(DealerGet());
}

bool CardGame::CardPilesOfTypeEmpty(i32 type)
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->type == type && cardPiles[i]->cards.count > 0)
      {
         return false;
      }
   }
   return true;
}

CardPile* CardGame::TableauEmptyPileGet()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      if (cardPiles[i]->type == CARD_PILE_TYPE_TABLEAU && cardPiles[i]->cards.count == 0)
      {
         return cardPiles[i];
      }
   }
   return nullptr;
}

void CardGame::TrumpIndicationSet(i32 value)
{
   if (value >= TRUMP_INDICATION_HEARTS && value <= TRUMP_INDICATION_CLUBS)
   {
      trumpIndication = value;
   }
   TrumpIndicatorUpdate();
}

void CardGame::TrumpIndicatorUpdate()
{
   StateContainerWidget* indicator =
       layer ? dynamic_cast<StateContainerWidget*>(layer->ChildGetByName("TrumpIndicator")) : nullptr;
   if (!indicator)
   {
      return;
   }
   if (trumpIndication >= 0 && trumpIndication < TRUMP_INDICATION_COUNT)
   {
      indicator->StateSetByName(TRUMP_INDICATION_NAMES[trumpIndication]);
      indicator->VisibleSet(true);
   }
   else
   {
      indicator->VisibleSet(false);
   }
}

void CardGame::CardSpritesReload()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->CardStylesRelease();
      cardPiles[i]->CardStylesLoad();
      cardPiles[i]->CardSpritesUpdate();
   }
}

void CardGame::CardOffsetsRandomize()
{
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPilesLayoutPending = true;
      CardPile* pile = cardPiles[i];
      for (i32 j = 0; j < pile->cards.count; ++j)
      {
         pile->CardRandomize(pile->cards[j]);
      }
   }
}

void CardGame::Update(u32 elapsed)
{
   Minigame::Update(elapsed);
   if (GameStateManager::switchPending || (layer && !layer->EnabledCheck()))
   {
      return;
   }
   cardMoveSoundCooldown = cardMoveSoundCooldown > elapsed ? cardMoveSoundCooldown - elapsed : 0;

   const bool controlDown = ControlDownCheck();
   if (controlDown != controlWasDown || KeyPressedCheck(VK_LCONTROL) || KeyReleaseCheck(VK_LCONTROL) ||
       KeyPressedCheck(VK_RCONTROL) || KeyReleaseCheck(VK_RCONTROL))
   {
      CardsDraggableUpdate();
   }
   controlWasDown = controlDown;

   for (i32 i = 0; i < cards.count; ++i)
   {
      cards[i]->Update(elapsed);
   }
   if (cardPilesLayoutPending)
   {
      CardPilesLayOut();
   }
   if (cardLayersPending)
   {
      CardLayersUpdate();
   }
   if (cardsDraggableRefreshPending && actionQueue.count == 0)
   {
      cardsDraggableRefreshPending = false;
      CardsDraggableUpdate();
   }
   HelpLabelsUpdate();
}

void CardGame::CardPilesLayOut()
{
   cardPilesLayoutPending = false;
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->CardsPositionUpdate(true);
   }
}

void CardGame::CardLayersUpdate()
{
   if (!cardContainerTop || !cardContainerBottom)
   {
      return;
   }
   cardLayersPending = false;
   for (i32 p = 0; p < cardPiles.count; ++p)
   {
      const CardPile* pile = cardPiles[p];
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         WidgetDetach(pile->cards[i]->widget);
      }
   }
   bool anyTop = false;
   for (i32 p = 0; p < cardPiles.count; ++p)
   {
      const CardPile* pile = cardPiles[p];
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         Card* card = pile->cards[i];
         if (!card->widget)
         {
            continue;
         }
         const bool top = card->dragLead || card->MoveRunningCheck();
         WidgetAppend(top ? cardContainerTop : cardContainerBottom, card->widget);
         anyTop = anyTop || top;
      }
   }
   if (!anyTop)
   {
      return;
   }

   // A dragged card over a pile that takes cards at a position is drawn where it would land.
   bool anyMarked = false;
   for (i32 i = 0; i < cardContainerTop->ChildCountGet(); ++i)
   {
      CardWidget* widget = dynamic_cast<CardWidget*>(cardContainerTop->ChildGetAt(i));
      Card* card = widget ? widget->card : nullptr;
      if (!card || card->dragLead != card)
      {
         continue;
      }
      card->dropMarked = false;
      const Point2F origin = cardContainerTop->PositionAbsoluteGet();
      const Point2F local = widget->PositionGet();
      CardPile* over = CardPileUnderPointGet(Point2F{local.x + origin.x, local.y + origin.y});
      if (over && over->canDragWithin && over->sortType == CARD_SORT_TYPE_UNSORTED)
      {
         card->dropMarked = true;
         card->dropPileIndex = cardPiles.Find(over);
         card->dropIndex = over->CardIndexAtPointGet(Point2F{local.x + origin.x, local.y + origin.y});
         anyMarked = true;
      }
   }
   if (!anyMarked)
   {
      return;
   }
   for (i32 p = 0; p < cardPiles.count; ++p)
   {
      const CardPile* pile = cardPiles[p];
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         Card* card = pile->cards[i];
         if (card->widget && !card->dragLead && !card->MoveRunningCheck())
         {
            WidgetDetach(card->widget);
         }
      }
   }
   for (i32 p = 0; p < cardPiles.count; ++p)
   {
      const CardPile* pile = cardPiles[p];
      for (i32 i = 0; i < pile->cards.count; ++i)
      {
         Card* card = pile->cards[i];
         if (!card->widget || card->dragLead || card->MoveRunningCheck())
         {
            continue;
         }
         for (i32 t = cardContainerTop->ChildCountGet() - 1; t >= 0; --t)
         {
            CardWidget* widget = dynamic_cast<CardWidget*>(cardContainerTop->ChildGetAt(t));
            const Card* marked = widget ? widget->card : nullptr;
            if (marked && marked->dropMarked &&
                (marked->dropPileIndex < p || (marked->dropPileIndex == p && marked->dropIndex <= i)))
            {
               WidgetDetach(widget);
               WidgetAppend(cardContainerBottom, widget);
            }
         }
         WidgetAppend(cardContainerBottom, card->widget);
      }
   }
}

void CardGame::CardsDraggableUpdate()
{
   const bool inputAllowed = InputAllowedCheck();
   const bool humanMayAct = HumanMayActCheck();
   const bool controlDown = ControlDownCheck();
   for (i32 i = 0; i < cards.count; ++i)
   {
      Card* card = cards[i];
      const bool draggable =
          inputAllowed && humanMayAct && (!controlDown || card->dragLead) && CardPickUpCheck(card);
      if (card->widget)
      {
         card->widget->CanDragSet(draggable);
      }
   }
}

void CardGame::CardSpritesRefresh()
{
   for (i32 i = 0; i < cards.count; ++i)
   {
      cards[i]->SpriteUpdate();
   }
}

void CardGame::GameNew()
{
   CardsDelete();
   RefreshMark();
   Minigame::GameNew();
   HelpLabelsUpdate();
}

bool CardGame::Load(JSONValue* document)
{
   // A refused document changed nothing, so there is nothing to refresh either.
   if (!Minigame::Load(document))
   {
      return false;
   }
   RefreshMark();
   TrumpIndicatorUpdate();
   HandsSort();
   HelpLabelsUpdate();
   if (actionQueue.count > 0)
   {
      cardsDraggableRefreshPending = true;
   }
   return true;
}

void CardGame::GameWin()
{
   Minigame::GameWin();
   CardsDraggableUpdate();
}

void CardGame::GameLose()
{
   Minigame::GameLose();
   CardsDraggableUpdate();
}

void CardGame::GameDraw()
{
   Minigame::GameDraw();
   CardsDraggableUpdate();
}

void CardGame::WinnerIconsRefresh()
{
   Minigame::WinnerIconsRefresh();
   PlayerDealerSet(DealerGet());
}

void CardGame::TextsRefresh()
{
   Minigame::TextsRefresh();
   for (i32 i = 0; i < cardPiles.count; ++i)
   {
      cardPiles[i]->HelpLabelTextsUpdate();
   }
}
} // namespace Corvale
