// The game base's timed action queue, its posters and action types, the per-frame update, the
// turn, the end of a hand or game, and the standard buttons.
#include "cardgame/Minigame.h"

#include "app/profile/ProfileStore.h"
#include "app/profile/SettingsApply.h"
#include "app/profile/StatisticsStore.h"
#include "app/profile/Unlockables.h"
#include "cardgame/Chip.h"
#include "cardgame/Player.h"
#include "cardgame/PlayerPanel.h"
#include "core/JSONValue.h"
#include "gui/dialog/DialogManager.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LayerWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/window/Screen.h"

namespace Corvale
{
namespace
{
constexpr u32 KEY_ESCAPE = 27;
constexpr u32 MILLISECONDS_PER_SECOND = 1000;

// Adds without wrapping past the largest value.
u32 SaturatingAdd(u32 value, u32 amount)
{
   return value + amount < value ? value : value + amount;
}

Minigame* GameFromUserData(void* game)
{
   return static_cast<Minigame*>(game);
}
} // namespace

void Minigame::Update(u32 elapsed)
{
   ExitUpdate();
   if (GameStateManager::switchPending)
   {
      return;
   }
   if (layer && !layer->EnabledCheck())
   {
      return;
   }
   if (KeyPressedCheck(KEY_ESCAPE))
   {
      QuitConfirmShow();
      return;
   }

   chipMoveSoundCooldown = chipMoveSoundCooldown > elapsed ? chipMoveSoundCooldown - elapsed : 0;

   gameTimer = SaturatingAdd(gameTimer, elapsed);
   secondsPlayedAccumulator = SaturatingAdd(secondsPlayedAccumulator, elapsed);
   while (secondsPlayedAccumulator >= MILLISECONDS_PER_SECOND)
   {
      secondsPlayedAccumulator -= MILLISECONDS_PER_SECOND;
      StatisticGameAdd(1, "SecondsPlayed", StatisticsNameGet(), profileCurrentName);
      StatisticGeneralAdd(1, "SecondsPlayed", profileCurrentName);
   }

   for (i32 i = 0; i < chips.count; ++i)
   {
      chips[i]->Update(elapsed);
   }
   if (chipsLayOutPending)
   {
      ChipsLayOut();
   }
   if (chipsReparentPending)
   {
      ChipWidgetsReparent();
   }

   ActionQueueStep(elapsed);

   if (!BusyCheck() && refreshPending && gameResult == MINIGAME_RESULT_RUNNING && !subgameOver)
   {
      refreshPending = false;
      Refresh();
   }
   if (!BusyCheck() && gameResult == MINIGAME_RESULT_RUNNING && !subgameOver && !refreshPending)
   {
      const Player* active = PlayerActiveGet();
      if (active && active->local && !active->human)
      {
         AITurnTake();
      }
   }
   ControlsRefresh();
}

void Minigame::ActionQueueStep(u32 elapsed)
{
   if (actionQueue.count == 0)
   {
      return;
   }
   const Action& head = actionQueue[actionQueue.count - 1];
   const i32 speed = head.applySpeed ? gameSpeed : 50;
   const float factor = static_cast<float>(100 - speed) / 50.0f;
   const float scaled = actionDelayCurrent * factor;
   actionDelayCurrent = static_cast<float>(elapsed) >= scaled ? 0.0f : scaled - static_cast<float>(elapsed);
   if (actionDelayCurrent == 0.0f)
   {
      // The head runs as a copy: it may post, or empty and rebuild the queue (a new game from
      // inside an action). It is removed afterwards, as the last element, only when the queue
      // was not emptied meanwhile.
      const Action running = head;
      const u32 generation = actionQueueGeneration;
      if (ActionExecute(running))
      {
         if (generation == actionQueueGeneration && actionQueue.count > 0)
         {
            ActionQueueLastRemove();
         }
         if (actionQueue.count > 0)
         {
            actionDelayCurrent = static_cast<float>(actionQueue[actionQueue.count - 1].startDelay);
         }
         actionFirstAttempt = true;
      }
      else
      {
         actionFirstAttempt = false;
      }
   }
   else if (factor != 0.0f)
   {
      actionDelayCurrent = actionDelayCurrent / factor;
   }
}

void Minigame::ActionQueueLastRemove()
{
   actionQueue.count--;
   actionQueue.data[actionQueue.count].~Action();
}

void Minigame::ActionQueueClear()
{
   while (actionQueue.count > 0)
   {
      ActionQueueLastRemove();
   }
   actionQueueGeneration++;
   actionDelayCurrent = 0.0f;
   actionFirstAttempt = true;
}

void Minigame::ActionPush(const Action& action, i32 index)
{
   if (actionQueue.count == 0)
   {
      actionDelayCurrent = static_cast<float>(action.startDelay);
   }
   actionQueue.Insert(action, index);
}

bool Minigame::ActionExecute(const Action& action)
{
   switch (action.type)
   {
   case ACTION_PLAYER_ADVANCE:
      PlayerActiveAdvance();
      return true;
   case ACTION_TURN_BEGIN:
      TurnBegin();
      return true;
   case ACTION_GAME_WIN:
      GameWin();
      return true;
   case ACTION_GAME_LOSE:
      GameLose();
      return true;
   case ACTION_GAME_DRAW:
      GameDraw();
      return true;
   case ACTION_COMMAND:
      return CommandExecute(action.command);
   case ACTION_UNLOCK_MESSAGES_WAIT:
      return unlockMessages.count == 0;
   case ACTION_RESULTS_SHOW:
      ResultsShow();
      return true;
   case ACTION_SUBGAME_OVER:
      SubgameOver();
      return true;
   case ACTION_SUBGAME_STEP:
      SubgameEvent(action.int1);
      return true;
   case ACTION_SUBGAME_NEW:
      SubgameNew();
      return true;
   case ACTION_SPEAK:
      return ActionSpeakExecute(action);
   default:
      return true;
   }
}

bool Minigame::CommandExecute(const Command& command)
{
   (void)command;
   return true;
}

bool Minigame::ActionSpeakExecute(const Action& action)
{
   if (actionFirstAttempt)
   {
      const Player* player = PlayerGet(action.int0);
      DialogPortraitWidget* portrait = nullptr;
      if (player)
      {
         PlayerPanel* panel = PlayerPanelGet(player);
         portrait = panel ? panel->PortraitGet() : nullptr;
         bool placed = false;
         Point2F at;
         const JSONValue* positions = constants ? constants->ItemGet("PlayerDialogPositions") : &JSONValue::nullValue;
         const i32 index = PlayerIndexGet(player);
         if (positions->TypeGet() == JSONValue::TYPE_ARRAY && index >= 0 && index < positions->CountGet())
         {
            at = positions->ElementGet(index)->Point2FValueGet();
            placed = true;
         }
         else if (panel && consts)
         {
            const Point2F size = consts->ItemGet("DialogWidgetSize")->Point2FValueGet();
            const Point2F left = consts->ItemGet("DialogWidgetPlayerLeftOffset")->Point2FValueGet();
            const Point2F right = consts->ItemGet("DialogWidgetPlayerRightOffset")->Point2FValueGet();
            const Point2F rightAt{panel->position.x + right.x, panel->position.y + right.y};
            if (static_cast<float>(screen.virtualWidth) > rightAt.x + size.x)
            {
               at = rightAt;
            }
            else
            {
               at = Point2F{panel->position.x + left.x, panel->position.y + left.y};
            }
            placed = true;
         }
         if (placed)
         {
            dialogManager.position = at;
            if (dialogManager.balloon)
            {
               dialogManager.WidgetPositionApply();
            }
         }
      }
      if (action.string0)
      {
         dialogManager.DialogPlay(action.string0, portrait);
      }
   }
   return dialogManager.IdleCheck();
}

bool Minigame::BusyCheck()
{
   return GameStateManager::switchPending || actionQueue.count > 0;
}

bool Minigame::HumanMayActCheck()
{
   return !GameStateManager::switchPending && gameResult == MINIGAME_RESULT_RUNNING && !subgameOver &&
          actionQueue.count == 0 && HumanTurnCheck();
}

void Minigame::TurnBegin()
{
   subgameFirstTurnBegan = true;
   const Player* active = PlayerActiveGet();
   if (active && active->local && !active->human)
   {
      ActionAnimationsWaitPost();
      ActionDelayPost(static_cast<u32>(delayAITurnBegin), true);
   }
   PlayerPanelFramesRefresh();
}

void Minigame::PlayerActiveAdvance()
{
   Player* next = PlayerNextInSubgameGet(PlayerActiveGet());
   if (next)
   {
      playerActiveID = next->id;
      RefreshMark();
   }
   PlayerPanelFramesRefresh();
   TurnBegin();
}

void Minigame::GameEnd(i32 result)
{
   gameResult = result;
   gameTimeFrozen = gameTimer;
   PlayerPanelFramesRefresh();
   StatisticsUpdate();
   ActionUnlockMessagesWaitPost();
   ActionResultsShowPost();
}

void Minigame::GameWin()
{
   GameEnd(MINIGAME_RESULT_WON);
}

void Minigame::GameLose()
{
   GameEnd(MINIGAME_RESULT_LOST);
}

void Minigame::GameDraw()
{
   GameEnd(MINIGAME_RESULT_DRAWN);
}

void Minigame::SubgameOver()
{
   subgameOver = true;
   PlayerPanelFramesRefresh();
   ActionUnlockMessagesWaitPost();
   ActionResultsShowPost();
}

// Posters.

namespace
{
Action ActionMake(i32 type, u32 startDelay = 0, bool applySpeed = true)
{
   Action action;
   action.Clear();
   action.type = type;
   action.startDelay = startDelay;
   action.applySpeed = applySpeed;
   return action;
}
} // namespace

void Minigame::CommandPost(const Command& command, u32 delay)
{
   Action action = ActionMake(ACTION_COMMAND, delay);
   action.command.type = command.type;
   action.command.intParam0 = command.intParam0;
   action.command.intParam1 = command.intParam1;
   ActionPush(action, 0);
}

void Minigame::CommandCodePost(i32 code, u32 delay)
{
   Command command;
   command.type = code;
   CommandPost(command, delay);
}

void Minigame::CommandBetOpenPost(i32 amount, u32 delay)
{
   Command command;
   command.type = COMMAND_BET_OPEN;
   command.intParam0 = amount;
   CommandPost(command, delay);
}

void Minigame::CommandBetRaisePost(i32 amount, u32 delay)
{
   Command command;
   command.type = COMMAND_BET_RAISE;
   command.intParam0 = amount;
   CommandPost(command, delay);
}

void Minigame::Command13Post(i32 value, u32 delay)
{
   Command command;
   command.type = COMMAND_CHOICE;
   command.intParam0 = value;
   CommandPost(command, delay);
}

void Minigame::ActionAnimationsWaitPost()
{
   ActionPush(ActionMake(ACTION_CARDS_ANIMATING_WAIT), 0);
}

void Minigame::ActionDelayPost(u32 delay, bool applySpeed)
{
   ActionPush(ActionMake(ACTION_WAIT, delay, applySpeed), 0);
}

void Minigame::ActionPlayerAdvancePost()
{
   ActionPush(ActionMake(ACTION_PLAYER_ADVANCE), 0);
}

void Minigame::ActionTurnBeginPost()
{
   ActionPush(ActionMake(ACTION_TURN_BEGIN), 0);
}

void Minigame::ActionGameWinPost()
{
   ActionAnimationsWaitPost();
   ActionPush(ActionMake(ACTION_GAME_WIN, static_cast<u32>(delayGameOver)), 0);
}

void Minigame::ActionGameLosePost()
{
   ActionAnimationsWaitPost();
   ActionPush(ActionMake(ACTION_GAME_LOSE, static_cast<u32>(delayGameOver)), 0);
}

void Minigame::ActionGameDrawPost()
{
   ActionAnimationsWaitPost();
   ActionPush(ActionMake(ACTION_GAME_DRAW, static_cast<u32>(delayGameOver)), 0);
}

void Minigame::ActionSubgameOverPost()
{
   ActionAnimationsWaitPost();
   ActionPush(ActionMake(ACTION_SUBGAME_OVER, static_cast<u32>(delayGameOver)), 0);
}

void Minigame::ActionUnlockMessagesWaitPost()
{
   ActionPush(ActionMake(ACTION_UNLOCK_MESSAGES_WAIT), 0);
}

void Minigame::ActionResultsShowPost()
{
   ActionPush(ActionMake(ACTION_RESULTS_SHOW), 0);
}

void Minigame::ActionSubgameEventPost(i32 value)
{
   Action action = ActionMake(ACTION_SUBGAME_STEP);
   action.int1 = value;
   ActionPush(action, 0);
}

void Minigame::ActionSubgameNewPost(u32 delay)
{
   ActionPush(ActionMake(ACTION_SUBGAME_NEW, delay), 0);
}

void Minigame::ActionCharacterDialogPost(const Player* player, const char* dialogName, u32 delay)
{
   if (!player || !dialogName)
   {
      return;
   }
   Action action = ActionMake(ACTION_SPEAK, delay);
   action.int0 = player->id;
   if (!action.String0Set(dialogName))
   {
      return;
   }
   ActionPush(action, 0);
}

// Buttons.

void Minigame::OnNewGameClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (!self || GameStateManager::switchPending)
   {
      return;
   }
   if (self->gameResult != MINIGAME_RESULT_RUNNING)
   {
      self->GameNew();
      return;
   }
   MessageBoxPopup* box = MessageBoxPopup::Show("ConfirmGameNew", "MessageBoxYesNo");
   if (box)
   {
      box->onYes = &Minigame::OnConfirmGameNewYes;
      box->onYesUserData = self;
   }
}

void Minigame::OnConfirmGameNewYes(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && !GameStateManager::switchPending && !quitRequested)
   {
      self->GameNew();
   }
}

void Minigame::QuitConfirmShow()
{
   MessageBoxPopup* box = MessageBoxPopup::Show("ConfirmQuit", "MessageBoxYesNo");
   if (box)
   {
      box->onYes = &Minigame::OnConfirmQuitYes;
      box->onYesUserData = this;
   }
}

void Minigame::OnConfirmQuitYes(MessageBoxPopup* popup, PressButtonWidget* button, void* game)
{
   (void)popup;
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (!self || GameStateManager::switchPending || quitRequested || GameStateManager::current != self)
   {
      return;
   }
   self->ExitStart();
   GameStateManager::Pop();
}

void Minigame::OnPassClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(COMMAND_PASS, 0);
   }
}

void Minigame::OnKnockClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(COMMAND_KNOCK, 0);
   }
}

void Minigame::OnUndoClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && self->UndoAllowedCheck())
   {
      self->CommandCodePost(COMMAND_UNDO, 0);
   }
}

void Minigame::OnUndoAllClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(COMMAND_UNDO_ALL, 0);
   }
}

void Minigame::OnDiscardClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(COMMAND_DISCARD, 0);
   }
}

void Minigame::OnContinueClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && !GameStateManager::switchPending && self->actionQueue.count == 0)
   {
      self->CommandCodePost(COMMAND_CONTINUE, 0);
   }
}

void Minigame::OnStandPatClick(PressButtonWidget* button, void* game)
{
   (void)button;
   Minigame* self = GameFromUserData(game);
   if (self && self->HumanMayActCheck())
   {
      self->CommandCodePost(COMMAND_STAND_PAT, 0);
   }
}
} // namespace Corvale
