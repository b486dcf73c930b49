// The game base: entering and leaving, constants with templates, the GUI set-up, players, teams
// and their panels.
#include "cardgame/Minigame.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <typeinfo>

#include "app/profile/ProfileStore.h"
#include "cardgame/Chip.h"
#include "cardgame/Player.h"
#include "cardgame/PlayerPanel.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/RecordSupport.h"
#include "cardgame/Team.h"
#include "cardgame/TemplateInheritance.h"
#include "core/Event.h"
#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/GUIManager.h"
#include "gui/popup/Popup.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "platform/window/Screen.h"

namespace Corvale
{
Popup* Minigame::menuBarPopup = nullptr;
Popup* Minigame::settingsMenuPopup = nullptr;

namespace
{
constexpr i32 MINIGAME_PLAYERS_CAPACITY = 8;
constexpr i32 MINIGAME_TEAMS_CAPACITY = 2;
constexpr i32 MINIGAME_TEAM_PANELS_CAPACITY = 8;
constexpr u32 TITLE_SIZE = 512;

const TemplateInheritanceNames CONSTS_TEMPLATE_NAMES = {"Minigame::ConstsInheritanceHelper", "card pile",
                                                        "Card pile"};

// A widget of the layer by name, when it is a container.
ContainerWidget* LayerContainerGet(LayerWidget* layer, const char* name)
{
   if (!layer || !name)
   {
      return nullptr;
   }
   return dynamic_cast<ContainerWidget*>(layer->DescendantGetByPath(name));
}

// A container built from a widget specification inside the parent, placed at position.
ContainerWidget* PanelContainerCreate(ContainerWidget* parent, const char* name,
                                      const JSONValue* specification, const Point2F& position)
{
   ContainerWidget* panel = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
   if (!panel)
   {
      return nullptr;
   }
   panel->Init(name, parent, specification);
   parent->ChildAddLast(panel);
   panel->PositionSet(position);
   return panel;
}

// Empties every label of a panel's "Text" container.
void PanelTextsClear(ContainerWidget* panel)
{
   ContainerWidget* text = panel ? dynamic_cast<ContainerWidget*>(panel->ChildGetByName("Text")) : nullptr;
   for (i32 i = 0; text && i < text->ChildCountGet(); ++i)
   {
      LabelWidget* label = dynamic_cast<LabelWidget*>(text->ChildGetAt(i));
      if (label)
      {
         label->TextSet("");
      }
   }
}
} // namespace

void Minigame::ReflectionRegister()
{
   auto* record = ReflectionRecordCreate<ReflectionTypeObjectTypedAbstract<Minigame>>("Corvale::Minigame");
   if (!record)
   {
      return;
   }
   // The menu state is not reflected: it only makes every saved game carry its "___Type".
   record->BaseAdd(typeid(MenuState).name());
   record->FieldAdd(&Minigame::seed1, "seed1");
   record->FieldAdd(&Minigame::seed2, "seed2");
   record->FieldAdd(&Minigame::startingSeed1, "startingSeed1");
   record->FieldAdd(&Minigame::startingSeed2, "startingSeed2");
   record->FieldAdd(&Minigame::playerActiveID, "playerActiveID");
   record->FieldAdd(&Minigame::players, "players");
   record->FieldAdd(&Minigame::teams, "teams");
   record->FieldAdd(&Minigame::gameTimer, "gameTimer");
   record->FieldAdd(&Minigame::subgameFirstTurnBegan, "subgameFirstTurnBegan");
   record->FieldAdd(&Minigame::subgameOver, "subgameOver");
   record->FieldAdd(&Minigame::actionQueue, "actionQueue");
   record->FieldAdd(&Minigame::nextChipPileID, "nextChipPileID");
   ReflectionManager::TypeRegister(record);
}

Minigame::~Minigame()
{
   // A game left without Deinit (a test, the end of the run) still gives back what it owns.
   ActionQueueClear();
   PlayersDestroy();
   TeamsDestroy();
   ChipsDestroy();
   PlayerPanelsDestroy();
   if (constants)
   {
      MemoryDelete(constants);
      constants = nullptr;
   }
}

i32 Minigame::ConstIntGet(const JSONValue* object, const char* key)
{
   const JSONValue* value = object ? object->ItemGet(key) : &JSONValue::nullValue;
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet() ? 1 : 0;
   }
   if (value->TypeGet() != JSONValue::TYPE_NUMBER)
   {
      return 0;
   }
   const double number = value->DoubleValueGet();
   // Truncated toward zero; what lies outside the 32-bit range is clamped, not undefined.
   if (!(number == number))
   {
      return 0;
   }
   if (number >= 2147483647.0)
   {
      return INT32_MAX;
   }
   if (number <= -2147483648.0)
   {
      return INT32_MIN;
   }
   return static_cast<i32>(number);
}

bool Minigame::ConstFlagGet(const JSONValue* object, const char* key)
{
   const JSONValue* value = object ? object->ItemGet(key) : &JSONValue::nullValue;
   if (value->TypeGet() == JSONValue::TYPE_BOOL)
   {
      return value->BoolValueGet();
   }
   if (value->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      const double number = value->DoubleValueGet();
      return number != 0.0 && number == number;
   }
   return false;
}

void Minigame::Init()
{
   actionQueue = Table<Action>(allocatorDefault);
   actionQueue.Reserve(MINIGAME_ACTION_QUEUE_CAPACITY);
   actionDelayCurrent = 0.0f;
   actionFirstAttempt = true;
   chipsLayOutPending = true;
   chipsReparentPending = true;
   refreshPending = false;
   secondsPlayedAccumulator = 0;
   playerActiveID = 0;
   players = Table<Player*>(allocatorDefault);
   players.Reserve(MINIGAME_PLAYERS_CAPACITY);
   teams = Table<Team*>(allocatorDefault);
   teams.Reserve(MINIGAME_TEAMS_CAPACITY);
   teamPanels = Table<ContainerWidget*>(allocatorDefault);
   teamPanels.Reserve(MINIGAME_TEAM_PANELS_CAPACITY);
   playerPanels = Table<PlayerPanel*>(allocatorDefault);
   chipPiles = Table<ChipPile*>(allocatorDefault);
   chips = Table<Chip*>(allocatorDefault);
   chipsFree = Table<Chip*>(allocatorDefault);

   WindowTitleUpdate();

   ContainerWidget* root = GUIManager::root;
   if (!root || !root->ChildGetByName("MinigameBackground"))
   {
      GUIManager::Push("MinigameBackground", nullptr, nullptr);
   }
   BackgroundApply();

   gameResult = MINIGAME_RESULT_RUNNING;
   subgameOver = false;

   ConstsLoad();
   ChipPilesCreate();
   ChipSoundsInit();

   // Pushes the layer (GUIInit runs inside the push), fades in and starts "Enter".
   EnterStart();

   if (profileCurrent)
   {
      profileCurrent->ItemStringSet("MinigameMostRecent", GameNameGet());
   }

   PlayerPanelsCreate();

   seed1 = randomState0;
   seed2 = randomState1;
   PopupManager::OpenUnlessOpen(menuBarPopup);
   EventMethodRegister(this, "OnLanguageChange", &Minigame::OnLanguageChange, 0);
   PopupManager::OpenUnlessOpen(settingsMenuPopup);
}

void Minigame::ConstsLoad()
{
   if (constants)
   {
      MemoryDelete(constants);
      constants = nullptr;
   }
   delayAITurnBegin = 0;
   delayAIAction = 0;
   delayGameOver = 0;
   delayDialog = 0;

   char path[MINIGAME_PATH_SIZE];
   if (!NultSnprintf(path, sizeof(path), "Scripts/Minigames/%s", GameNameGet()))
   {
      return;
   }
   JSONParser parser;
   constants = parser.Load(path, fileManagerResource, HEAP_DEFAULT);
   if (!constants)
   {
      return;
   }
   const char* inherited = constants->ItemGet("Inherited")->StringValueGet();
   if (inherited)
   {
      constants = ConstsInheritanceHelper(
          constants, inherited, consts ? consts->ItemGet("MinigameConstsTemplates") : &JSONValue::nullValue);
   }
   if (constants->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   delayAITurnBegin = ConstIntGet(constants, "DelayAITurnBegin");
   delayAIAction = ConstIntGet(constants, "DelayAIAction");
   delayGameOver = ConstIntGet(constants, "DelayGameOver");
   delayDialog = ConstIntGet(constants, "DelayDialog");
}

JSONValue* Minigame::ConstsInheritanceHelper(JSONValue* gameConsts, const char* templateName,
                                             const JSONValue* templates)
{
   JSONValue* resolved = TemplateInheritanceResolve(gameConsts, templateName, templates, nullptr,
                                                    CONSTS_TEMPLATE_NAMES, HEAP_DEFAULT);
   if (!resolved)
   {
      return gameConsts;
   }
   MemoryDelete(gameConsts);
   return resolved;
}

void Minigame::GUIInit(LayerWidget* pushedLayer)
{
   buttonContainer = LayerContainerGet(pushedLayer, ButtonContainerNameGet());
   chipContainerTop = LayerContainerGet(pushedLayer, ChipContainerTopNameGet());
   chipContainerBottom = LayerContainerGet(pushedLayer, ChipContainerBottomNameGet());
   playerPanelContainer = LayerContainerGet(pushedLayer, PlayerPanelContainerNameGet());

   for (i32 i = 0; i < chips.count; ++i)
   {
      chips[i]->WidgetCreate();
   }
   chipsReparentPending = true;

   ButtonCreate("NewGameButtonIncluded", "NewGameButton", "NewGameButtonPosition", &Minigame::OnNewGameClick);
   passButton =
       ButtonCreate("PassButtonIncluded", "PassButton", "PassButtonPosition", &Minigame::OnPassClick);
   knockButton =
       ButtonCreate("KnockButtonIncluded", "KnockButton", "KnockButtonPosition", &Minigame::OnKnockClick);
   undoButton =
       ButtonCreate("UndoButtonIncluded", "UndoButton", "UndoButtonPosition", &Minigame::OnUndoClick);
   undoAllButton = ButtonCreate("UndoAllButtonIncluded", "UndoAllButton", "UndoAllButtonPosition",
                                &Minigame::OnUndoAllClick);
   discardButton = ButtonCreate("DiscardButtonIncluded", "DiscardButton", "DiscardButtonPosition",
                                &Minigame::OnDiscardClick);
   continueButton = ButtonCreate("ContinueButtonIncluded", "ContinueButton", "ContinueButtonPosition",
                                 &Minigame::OnContinueClick);
   standPatButton = ButtonCreate("StandPatButtonIncluded", "StandPatButton", "StandPatButtonPosition",
                                 &Minigame::OnStandPatClick);

   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      playerPanels[i]->WidgetCreate();
   }

   TeamPanelsCreate();
   CommonPanelCreate();

   dialogManager.Stop();
   dialogManager.WidgetRemove();
   dialogManager.WidgetAdd(LayerContainerGet(pushedLayer, DialogContainerNameGet()));

   TextsRefresh();
}

PressButtonWidget* Minigame::ButtonCreate(const char* includedKey, const char* specificationKey,
                                          const char* positionKey, MinigameButtonCallback callback)
{
   if (!constants || !buttonContainer || !specificationKey)
   {
      return nullptr;
   }
   if (includedKey && !ConstFlagGet(constants, includedKey))
   {
      return nullptr;
   }
   const JSONValue* specification = constants->ItemGet(specificationKey);
   if (specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   PressButtonWidget* button = MemoryNew<PressButtonWidget>(HEAP_DEFAULT);
   if (!button)
   {
      return nullptr;
   }
   button->Init(specificationKey, buttonContainer, specification);
   buttonContainer->ChildAddLast(button);
   if (positionKey && constants->ItemPoint2FCheck(positionKey))
   {
      button->PositionSet(constants->ItemGet(positionKey)->Point2FValueGet());
   }
   button->onClick = callback;
   button->onClickUserData = this;
   return button;
}

void Minigame::PlayerPanelsCreate()
{
   if (!constants || !ConstFlagGet(constants, "PlayerPanelsIncluded"))
   {
      return;
   }
   const JSONValue* positions = constants->ItemGet("PlayerPanelPositions");
   if (positions->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      return;
   }
   i32 count = PlayersMaximumGet();
   if (positions->CountGet() < count)
   {
      count = positions->CountGet();
   }
   for (i32 i = 0; i < count; ++i)
   {
      PlayerPanel* panel = MemoryNew<PlayerPanel>(HEAP_DEFAULT);
      if (!panel || !playerPanels.Insert(panel, playerPanels.count))
      {
         MemoryDelete(panel);
         break;
      }
      panel->Init(this);
      float x = 0.0f;
      float y = 0.0f;
      const char* text = positions->ElementGet(i)->StringValueGet();
      if (!text || std::sscanf(text, "%g|%g", &x, &y) != 2)
      {
         x = 0.0f;
         y = 0.0f;
      }
      panel->position = Point2F{x, y};
      panel->Refresh();
   }
}

void Minigame::TeamPanelsCreate()
{
   const JSONValue* positions = constants ? constants->ItemGet("TeamPanelPositions") : &JSONValue::nullValue;
   const JSONValue* specification = consts ? consts->ItemGet("TeamPanelWidget") : &JSONValue::nullValue;
   if (!constants || !ConstFlagGet(constants, "TeamPanelsIncluded") || !buttonContainer ||
       positions->TypeGet() != JSONValue::TYPE_ARRAY || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   for (i32 i = 0; i < positions->CountGet(); ++i)
   {
      ContainerWidget* panel = PanelContainerCreate(buttonContainer, "TeamPanel", specification,
                                                    positions->ElementGet(i)->Point2FValueGet());
      if (panel)
      {
         teamPanels.Insert(panel, teamPanels.count);
      }
   }
}

void Minigame::CommonPanelCreate()
{
   const JSONValue* specification = consts ? consts->ItemGet("CommonPanelWidget") : &JSONValue::nullValue;
   if (!constants || !ConstFlagGet(constants, "CommonPanelIncluded") || !buttonContainer ||
       specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   commonPanel = PanelContainerCreate(buttonContainer, "CommonPanel", specification,
                                      constants->ItemGet("CommonPanelPosition")->Point2FValueGet());
}

void Minigame::TeamPanelTextsClear()
{
   for (i32 i = 0; i < teamPanels.count; ++i)
   {
      PanelTextsClear(teamPanels[i]);
   }
}

void Minigame::CommonPanelTextsClear()
{
   PanelTextsClear(commonPanel);
}

void Minigame::TextsRefresh()
{
   const i32 nameLine = PlayerPanelNameLineGet();
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      PlayerPanelWidget* widget = playerPanels[i]->widget;
      for (i32 line = 0; widget && line < widget->textLines.count; ++line)
      {
         if (widget->textLines[line])
         {
            widget->textLines[line]->TextSet("");
         }
      }
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      const char* name = player ? player->DisplayNameGet() : nullptr;
      if (widget && name && nameLine >= 0 && nameLine < widget->textLines.count &&
          widget->textLines[nameLine])
      {
         widget->textLines[nameLine]->TextSet(name);
      }
      playerPanels[i]->Refresh();
   }
   TeamPanelTextsClear();
}

void Minigame::WindowTitleUpdate()
{
   const char* base = consts ? consts->ItemGet("WindowTitle")->StringValueGet() : nullptr;
   const char* nameKey = DisplayNameGet();
   const char* name = nameKey ? textManager.TextGet(nameKey) : nullptr;
   char title[TITLE_SIZE];
   if (name && NultSnprintf(title, sizeof(title), "%s%s%s", base ? base : "", " - ", name))
   {
      screen.WindowTitleSet(title);
   }
   else if (base)
   {
      screen.WindowTitleSet(base);
   }
}

void Minigame::OnLanguageChange()
{
   WindowTitleUpdate();
}

void Minigame::BackgroundApply()
{
   SpriteWidget* background =
       dynamic_cast<SpriteWidget*>(GUIManager::WidgetGetByPath("MinigameBackground.Background"));
   const char* name = BackgroundGet();
   if (background && name)
   {
      background->AnimationSet("Backgrounds/BackgroundSprites", name);
   }
}

void Minigame::Deinit()
{
   Event::OwnerUnregister(this);
   ResultsHide();
   PhasePopupsClose();
   phasePopups = Table<Popup*>();
   if (constants)
   {
      MemoryDelete(constants);
      constants = nullptr;
   }
   LayerRemove();
   buttonContainer = nullptr;
   playerPanelContainer = nullptr;
   chipContainerTop = nullptr;
   chipContainerBottom = nullptr;
   passButton = knockButton = undoButton = undoAllButton = nullptr;
   discardButton = continueButton = standPatButton = nullptr;
   commonPanel = nullptr;
   GUIManager::Remove("MinigameBackground");
   ActionQueueClear();
   actionQueue = Table<Action>();
   PlayersDestroy();
   TeamsDestroy();
   ChipsDestroy();
   ChipSoundsDeinit();
   PlayerPanelsDestroy();
   for (i32 i = 0; i < teamPanels.count; ++i)
   {
      ContainerWidget* parent = dynamic_cast<ContainerWidget*>(teamPanels[i]->ParentGet());
      if (parent)
      {
         parent->ChildRemove(teamPanels[i]);
      }
   }
   teamPanels = Table<ContainerWidget*>();
   const char* base = consts ? consts->ItemGet("WindowTitle")->StringValueGet() : nullptr;
   if (base)
   {
      screen.WindowTitleSet(base);
   }
}

bool Minigame::PhasePopupUpdate(Popup* popup, bool needed)
{
   if (!popup)
   {
      return false;
   }
   const bool open = PopupManager::IndexGet(popup) >= 0;
   if (!needed)
   {
      if (open && !popup->ClosingCheck())
      {
         popup->Close(true);
      }
      phasePopups.Remove(popup);
      return false;
   }
   if (open)
   {
      // A popup still leaving opens again only once it is gone.
      return !popup->ClosingCheck();
   }
   if (BusyCheck() || gameResult != MINIGAME_RESULT_RUNNING)
   {
      return false;
   }
   PopupManager::Open(popup);
   if (phasePopups.Find(popup) < 0)
   {
      phasePopups.Insert(popup, phasePopups.count);
   }
   return PopupManager::IndexGet(popup) >= 0;
}

void Minigame::PhasePopupsClose()
{
   for (i32 i = 0; i < phasePopups.count; ++i)
   {
      if (PopupManager::IndexGet(phasePopups[i]) >= 0)
      {
         PopupManager::Close(phasePopups[i]);
      }
   }
   phasePopups.SizeSet(0);
}

void Minigame::PlayerPanelsDestroy()
{
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      playerPanels[i]->Deinit();
      MemoryDelete(playerPanels[i]);
   }
   playerPanels = Table<PlayerPanel*>();
}

void Minigame::GameNew()
{
   ResultsHide();
   dialogManager.Stop();
   gameResult = MINIGAME_RESULT_RUNNING;
   subgameOver = false;
   statisticsRecorded = false;
   moneyRecorded = false;
   subgameFirstTurnBegan = false;
   startingSeed1 = seed1;
   startingSeed2 = seed2;
   ActionQueueClear();
   PlayersCreate();
   TeamsCreate();
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->minigameWinner = false;
      players[i]->minigameScore = 0;
      players[i]->minigameScoreSubgameBegin = 0;
   }
   for (i32 i = 0; i < teams.count; ++i)
   {
      teams[i]->minigameWinner = false;
      teams[i]->minigameScore = 0;
      teams[i]->minigameScoreSubgameBegin = 0;
   }
   if (players.count > 0)
   {
      Player* first = players[static_cast<i32>(RandomIntGet(static_cast<u32>(players.count)))];
      playerActiveID = first->id;
   }
   refreshPending = true;
   PlayerPanelFramesRefresh();
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      playerPanels[i]->Refresh();
   }
   PlayerPanelFramesRefresh();
   WinnerIconsRefresh();
   RefreshMark();
   gameTimer = 0;
}

void Minigame::SubgameNew()
{
   ResultsHide();
   subgameOver = false;
   moneyRecorded = false;
   subgameFirstTurnBegan = false;
   for (i32 i = 0; i < players.count; ++i)
   {
      players[i]->minigameScoreSubgameBegin = players[i]->minigameScore;
      PlayerWinnerIconSet(players[i], false);
   }
   for (i32 i = 0; i < teams.count; ++i)
   {
      teams[i]->minigameScoreSubgameBegin = teams[i]->minigameScore;
   }
   PlayerPanelFramesRefresh();
   WinnerIconsRefresh();
}

Player* Minigame::PlayerCreate()
{
   return MemoryNew<Player>(HEAP_DEFAULT);
}

Team* Minigame::TeamCreate()
{
   return MemoryNew<Team>(HEAP_DEFAULT);
}

void Minigame::PlayersDestroy()
{
   for (i32 i = 0; i < players.count; ++i)
   {
      // A table read from a document may hold null entries.
      if (players[i])
      {
         players[i]->Deinit();
         MemoryDelete(players[i]);
      }
   }
   players.count = 0;
}

void Minigame::TeamsDestroy()
{
   for (i32 i = 0; i < teams.count; ++i)
   {
      // A table read from a document may hold null entries.
      if (teams[i])
      {
         teams[i]->Deinit();
         MemoryDelete(teams[i]);
      }
   }
   teams.count = 0;
}

void Minigame::PlayersCreate()
{
   PlayersDestroy();
   Table<const char*> characterNames(allocatorTemp);
   const JSONValue* characters = consts ? consts->ItemGet("Characters") : &JSONValue::nullValue;
   if (characters->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      for (JSONValue::Iterator it = characters->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         characterNames.Insert(it.node->key, characterNames.count);
      }
   }
   const i32 count = PlayersCountGet();
   for (i32 i = 0; i < count; ++i)
   {
      Player* player = PlayerCreate();
      if (!player)
      {
         break;
      }
      player->Clear();
      player->id = i;
      player->minigameIn = true;
      player->subgameIn = true;
      player->human = i == 0;
      if (i == 0)
      {
         player->NameSet(profileCurrentName);
      }
      else if (characterNames.count > 0)
      {
         // Distinct names while the cast lasts; with fewer characters than seats names repeat.
         const bool distinctPossible = characterNames.count >= i;
         const char* name = nullptr;
         for (;;)
         {
            name = characterNames[static_cast<i32>(RandomIntegerGet(static_cast<u32>(characterNames.count)))];
            bool taken = false;
            for (i32 other = 1; other < players.count && distinctPossible && !taken; ++other)
            {
               taken = players[other]->name && std::strcmp(players[other]->name, name) == 0;
            }
            if (!taken)
            {
               break;
            }
         }
         player->NameSet(name);
      }
      if (!players.Insert(player, players.count))
      {
         player->Deinit();
         MemoryDelete(player);
         break;
      }
   }
   PlayerPanelsPlayersApply();
}

void Minigame::PlayerPanelsPlayersApply()
{
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      playerPanels[i]->playerID = i < players.count && players[i] ? players[i]->id : -1;
      playerPanels[i]->PortraitUpdate();
   }
}

void Minigame::TeamsCreate()
{
   TeamsDestroy();
   const i32 count = TeamsCountGet();
   for (i32 i = 0; i < count; ++i)
   {
      Team* team = TeamCreate();
      if (!team)
      {
         break;
      }
      team->Clear();
      team->id = i;
      if (!teams.Insert(team, teams.count))
      {
         team->Deinit();
         MemoryDelete(team);
         break;
      }
   }
}

Player* Minigame::PlayerActiveGet()
{
   return PlayerGet(playerActiveID);
}

void Minigame::PlayerActiveSet(i32 playerID)
{
   playerActiveID = playerID;
   RefreshMark();
   PlayerPanelFramesRefresh();
}

Player* Minigame::PlayerGet(i32 playerID)
{
   for (i32 i = 0; i < players.count; ++i)
   {
      if (players[i]->id == playerID)
      {
         return players[i];
      }
   }
   return nullptr;
}

i32 Minigame::PlayerIndexGet(const Player* player)
{
   for (i32 i = 0; player && i < players.count; ++i)
   {
      if (players[i] == player)
      {
         return i;
      }
   }
   return -1;
}

Player* Minigame::PlayerByIndexGet(i32 index)
{
   return index >= 0 && index < players.count ? players[index] : nullptr;
}

PlayerPanel* Minigame::PlayerPanelGet(const Player* player)
{
   for (i32 i = 0; player && i < playerPanels.count; ++i)
   {
      if (playerPanels[i]->playerID == player->id)
      {
         return playerPanels[i];
      }
   }
   return nullptr;
}

Player* Minigame::PlayerNextGet(const Player* player)
{
   const i32 index = PlayerIndexGet(player);
   if (index < 0 || players.count < 2)
   {
      return nullptr;
   }
   return players[(index + 1) % players.count];
}

Player* Minigame::PlayerPreviousGet(const Player* player)
{
   const i32 index = PlayerIndexGet(player);
   if (index < 0 || players.count < 2)
   {
      return nullptr;
   }
   return players[(index + players.count - 1) % players.count];
}

Player* Minigame::PlayerNextInSubgameGet(const Player* player)
{
   const i32 index = PlayerIndexGet(player);
   for (i32 step = 1; index >= 0 && step < players.count; ++step)
   {
      Player* other = players[(index + step) % players.count];
      if (other->minigameIn && other->subgameIn)
      {
         return other;
      }
   }
   return nullptr;
}

Player* Minigame::PlayerPreviousInSubgameGet(const Player* player)
{
   const i32 index = PlayerIndexGet(player);
   for (i32 step = 1; index >= 0 && step < players.count; ++step)
   {
      Player* other = players[(index + players.count - step) % players.count];
      if (other->minigameIn && other->subgameIn)
      {
         return other;
      }
   }
   return nullptr;
}

i32 Minigame::PlayersInSubgameCount()
{
   i32 count = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      count += players[i]->minigameIn && players[i]->subgameIn ? 1 : 0;
   }
   return count;
}

Player* Minigame::PlayerOtherGet(const Player* player)
{
   for (i32 i = 0; i < players.count; ++i)
   {
      if (players[i] != player)
      {
         return players[i];
      }
   }
   return nullptr;
}

Player* Minigame::PlayerScoreHighestGet()
{
   Player* best = nullptr;
   for (i32 i = 0; i < players.count; ++i)
   {
      if (!best || players[i]->minigameScore > best->minigameScore)
      {
         best = players[i];
      }
   }
   return best;
}

i32 Minigame::PlayerScoreCount(i32 score)
{
   i32 count = 0;
   for (i32 i = 0; i < players.count; ++i)
   {
      count += players[i]->minigameScore == score ? 1 : 0;
   }
   return count;
}

bool Minigame::LocalHumanWinnerCheck()
{
   for (i32 i = 0; i < players.count; ++i)
   {
      if (players[i]->local && players[i]->human && players[i]->minigameWinner)
      {
         return true;
      }
   }
   return false;
}

Team* Minigame::TeamOfPlayerGet(const Player* player)
{
   for (i32 i = 0; player && i < teams.count; ++i)
   {
      if (teams[i]->playerIDs.Find(player->id) >= 0)
      {
         return teams[i];
      }
   }
   return nullptr;
}

Player* Minigame::TeamPartnersOtherGet(const Player* player)
{
   const Team* team = TeamOfPlayerGet(player);
   for (i32 i = 0; team && i < team->playerIDs.count; ++i)
   {
      if (team->playerIDs[i] != player->id)
      {
         return PlayerGet(team->playerIDs[i]);
      }
   }
   return nullptr;
}

Team* Minigame::TeamGet(i32 teamID)
{
   for (i32 i = 0; i < teams.count; ++i)
   {
      if (teams[i]->id == teamID)
      {
         return teams[i];
      }
   }
   return nullptr;
}

void Minigame::TeamsPartnersAssign()
{
   Team* northSouth = TeamGet(0);
   Team* eastWest = TeamGet(1);
   if (!northSouth || !eastWest || !PlayerGet(0) || !PlayerGet(1) || !PlayerGet(2) || !PlayerGet(3))
   {
      return;
   }
   northSouth->playerIDs.count = 0;
   northSouth->playerIDs.Insert(0, 0);
   northSouth->playerIDs.Insert(2, 1);
   eastWest->playerIDs.count = 0;
   eastWest->playerIDs.Insert(1, 0);
   eastWest->playerIDs.Insert(3, 1);
}

void Minigame::TeamWinnersApply()
{
   for (i32 i = 0; i < teams.count; ++i)
   {
      for (i32 j = 0; j < teams[i]->playerIDs.count; ++j)
      {
         Player* player = PlayerGet(teams[i]->playerIDs[j]);
         if (player)
         {
            player->minigameWinner = teams[i]->minigameWinner;
         }
      }
   }
}

void Minigame::PlayerPanelFramesRefresh()
{
   const bool running = SubgameRunningCheck();
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      playerPanels[i]->active = running && playerPanels[i]->playerID == playerActiveID;
      playerPanels[i]->Refresh();
   }
}

void Minigame::PlayerDealerSet(const Player* player)
{
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      playerPanels[i]->dealerIconShown = player && playerPanels[i]->playerID == player->id;
      playerPanels[i]->Refresh();
   }
}

void Minigame::PlayerWinnerIconSet(Player* player, bool visible)
{
   if (!player)
   {
      return;
   }
   player->iconWinnerVisible = visible;
   PlayerPanel* panel = PlayerPanelGet(player);
   if (panel)
   {
      panel->winnerIconShown = visible;
      panel->Refresh();
   }
}

void Minigame::WinnerIconsRefresh()
{
   TextsRefresh();
   for (i32 i = 0; i < players.count; ++i)
   {
      PlayerPanel* panel = PlayerPanelGet(players[i]);
      if (panel)
      {
         panel->winnerIconShown = players[i]->iconWinnerVisible;
         panel->Refresh();
      }
   }
   PlayerPanelsVisibilityRefresh();
}

void Minigame::PlayerPanelsVisibilityRefresh()
{
   for (i32 i = 0; i < playerPanels.count; ++i)
   {
      const Player* player = PlayerGet(playerPanels[i]->playerID);
      playerPanels[i]->visible =
          player && (!PlayerPanelsScoredOnlyCheck() || player->minigameScoreSubgameBegin != 0);
      playerPanels[i]->Refresh();
   }
}

void Minigame::RefreshMark()
{
   refreshPending = true;
   WindowTitleUpdate();
}

bool Minigame::HumanTurnCheck()
{
   const Player* player = PlayerActiveGet();
   return player && player->human && player->local;
}

bool Minigame::SubgameRunningCheck()
{
   return gameResult == MINIGAME_RESULT_RUNNING && subgameFirstTurnBegan && !subgameOver;
}
} // namespace Corvale
