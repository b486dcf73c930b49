// The base of every game: entering and leaving, the game's constants, players, teams and panels,
// the buttons, the timed action queue run by the per-frame update, options, random numbers,
// statistics and the chips. Each game is one static singleton of a leaf class.
#pragma once

#include "cardgame/Action.h"
#include "cardgame/PlayerPanel.h"
#include "core/Table.h"
#include "core/Types.h"
#include "gui/state/MenuState.h"

namespace Corvale
{
class Chip;
class ChipPile;
class ContainerWidget;
class JSONValue;
class MessageBoxPopup;
class Player;
class Popup;
class PressButtonWidget;
class Sound;
class SoundSourceCommon;
class Team;
class Widget;

typedef void (*MinigameButtonCallback)(PressButtonWidget* button, void* game);

enum MinigameResult : i32
{
   MINIGAME_RESULT_RUNNING = 0,
   MINIGAME_RESULT_WON = 1,
   MINIGAME_RESULT_LOST = 2,
   MINIGAME_RESULT_DRAWN = 3
};

// Command codes the game base's buttons and posters use; games define more.
enum MinigameCommand : i32
{
   COMMAND_BET_FOLD = 3,
   COMMAND_BET_CHECK = 4,
   COMMAND_BET_CALL = 5,
   COMMAND_BET_OPEN = 6,
   COMMAND_BET_RAISE = 7,
   COMMAND_CHOICE = 13,
   COMMAND_PASS = 14,
   COMMAND_CONTINUE = 15,
   COMMAND_DISCARD = 19,
   COMMAND_KNOCK = 21,
   COMMAND_UNDO = 26,
   COMMAND_UNDO_ALL = 27,
   COMMAND_31 = 31,
   COMMAND_37 = 37,
   COMMAND_STAND_PAT = 40
};

constexpr u32 MINIGAME_PATH_SIZE = 260;
constexpr i32 MINIGAME_ACTION_QUEUE_CAPACITY = 256;

class Minigame : public MenuState
{
 public:
   Minigame() = default;
   ~Minigame() override;

   // Popups of the front end that every game opens on entry; the application hands them over
   // at start-up (none in tests).
   static Popup* menuBarPopup;
   static Popup* settingsMenuPopup;

   // GameState and MenuState.
   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void TextsRefresh() override;
   void GUIInit(LayerWidget* pushedLayer) override;
   bool EnterFadeCheck() override { return FadeInCheck(); }

   // Identity.
   virtual bool FadeInCheck() { return true; }
   virtual i32 GameNumberGet() = 0;
   virtual const char* GameNameGet() = 0;
   virtual const char* HelpNameGet() { return GameNameGet(); }
   virtual const char* DisplayNameGet() { return GameNameGet(); }
   virtual const char* StatisticsNameGet() { return GameNameGet(); }

   // Statistics policy.
   virtual bool GamesWonRecordCheck() { return true; }
   virtual bool GamesLostRecordCheck() { return true; }
   virtual bool BestScoreRecordCheck() { return false; }
   virtual const char* BestScoreDefinedKeyGet() { return "BestScoreDefined"; }
   virtual const char* BestScoreKeyGet() { return "BestScore"; }
   virtual bool BestScoreLowerCheck() { return false; }
   virtual bool BestWinTimeRecordCheck() { return true; }

   // A fresh game; every game's own calls this first. A fresh hand.
   virtual void GameNew();
   virtual void SubgameNew();
   // The active computer player's decision: it must post something.
   virtual void AITurnTake() {}
   virtual void PlayerActiveAdvance();
   virtual void TurnBegin();
   virtual void GameWin();
   virtual void GameLose();
   virtual void GameDraw();
   virtual void SubgameOver();
   virtual void SubgameEvent(i32 value) { (void)value; }
   virtual void ResultsShow() {}
   virtual void ResultsHide() {}
   virtual void ExtraStep() {}
   virtual void WinnerIconsRefresh();
   virtual void PlayerPanelsVisibilityRefresh();
   virtual void RefreshMark();
   // The game's checks when it is idle: automatic moves, ends of tricks, hands and games.
   virtual void Refresh() {}
   virtual ChipPile* ChipPileCreate(const JSONValue* specification);
   virtual bool HumanTurnCheck();
   virtual bool HumanMayActCheck();
   virtual bool SubgameRunningCheck();
   virtual bool UndoAllowedCheck() { return HumanMayActCheck(); }
   virtual bool SpareCheck() { return true; }
   virtual const char* ReflectionTypeNameGet() { return "Corvale::Minigame"; }
   virtual Player* PlayerCreate();
   virtual i32 PlayersCountGet() = 0;
   virtual i32 PlayersMinimumGet() = 0;
   virtual i32 PlayersMaximumGet() = 0;
   virtual i32 PlayerPanelNameLineGet() { return 0; }
   virtual bool PlayerPanelsScoredOnlyCheck() { return false; }
   virtual Team* TeamCreate();
   virtual i32 TeamsCountGet() { return 0; }
   virtual bool BusyCheck();
   virtual const char* BackgroundGet();
   // Whether the player may choose this game's table background.
   virtual bool BackgroundChoiceCheck() { return true; }
   virtual const char* ButtonContainerNameGet() { return "ButtonContainerBottom"; }
   virtual const char* ChipContainerTopNameGet() { return "ChipContainerTop"; }
   virtual const char* ChipContainerBottomNameGet() { return "ChipContainerBottom"; }
   virtual const char* PlayerPanelContainerNameGet() { return "PlayerPanelContainer"; }
   virtual const char* DialogContainerNameGet() { return "DialogContainer"; }
   virtual void ActionPush(const Action& action, i32 index);
   // True: done, the action leaves the queue; false: tried again next frame.
   virtual bool ActionExecute(const Action& action);
   // True: accepted; false keeps the command queued.
   virtual bool CommandExecute(const Command& command);
   // Once a frame while the game is current: games enable and disable their own controls.
   virtual void ControlsRefresh() {}

   // A popup that a phase of the game needs (a bid, a trump or a meld choice), called every frame
   // from ControlsRefresh with whether the phase needs it now. It opens the popup only while it is
   // closed, nothing is queued or moving and the game runs, so an answer being carried out is never
   // asked again; it never closes it while needed, and closes it with its exit transition once the
   // phase is over. A load closes the popups opened here, so the loaded phase opens them afresh.
   // True while the popup is open and not closing. For static popups only.
   bool PhasePopupUpdate(Popup* popup, bool needed);
   // Closes at once every popup PhasePopupUpdate opened.
   void PhasePopupsClose();

   // The question whether to leave the game; yes leaves it for the menu below.
   void QuitConfirmShow();
   // Window title: "WindowTitle - <display name>".
   void WindowTitleUpdate();
   void OnLanguageChange();
   void BackgroundApply();

   // Constants.
   JSONValue* ConstsInheritanceHelper(JSONValue* gameConsts, const char* templateName,
                                      const JSONValue* templates);
   PressButtonWidget* ButtonCreate(const char* includedKey, const char* specificationKey,
                                   const char* positionKey, MinigameButtonCallback callback);

   // Players and teams.
   void PlayersCreate();
   void PlayersDestroy();
   void TeamsCreate();
   void TeamsDestroy();
   Player* PlayerActiveGet();
   void PlayerActiveSet(i32 playerID);
   Player* PlayerGet(i32 playerID);
   i32 PlayerIndexGet(const Player* player);
   Player* PlayerByIndexGet(i32 index);
   PlayerPanel* PlayerPanelGet(const Player* player);
   Player* PlayerNextGet(const Player* player);
   Player* PlayerPreviousGet(const Player* player);
   Player* PlayerNextInSubgameGet(const Player* player);
   Player* PlayerPreviousInSubgameGet(const Player* player);
   i32 PlayersInSubgameCount();
   Player* PlayerOtherGet(const Player* player);
   Player* PlayerScoreHighestGet();
   i32 PlayerScoreCount(i32 score);
   bool LocalHumanWinnerCheck();
   Team* TeamOfPlayerGet(const Player* player);
   Player* TeamPartnersOtherGet(const Player* player);
   Team* TeamGet(i32 teamID);
   void TeamsPartnersAssign();
   void TeamWinnersApply();

   // Panels.
   void PlayerPanelFramesRefresh();
   void PlayerDealerSet(const Player* player);
   void PlayerWinnerIconSet(Player* player, bool visible);
   void PlayerPanelsDestroy();
   // The panels show the players of the table, seat by seat, with their faces.
   void PlayerPanelsPlayersApply();
   void TeamPanelTextsClear();
   void TeamPanelTextSet(i32 panelIndex, i32 line, const char* text);
   void TeamPanelNameSet(i32 panelIndex, const Team* team);
   void TeamPanelPlayersNameSet(i32 panelIndex, const Player* first, const Player* second);
   void CommonPanelTextsClear();
   // kind 0: plain text; kind 1: a text key; other kinds change nothing.
   void CommonPanelTextSet(i32 line, const char* value, i32 kind);

   // Speech lines, drawn with the engine's generator so that a line never shifts a deal.
   void CharacterDialogRandomSay(const Player* player, const char* group, u32 delay, float probability);
   void CharacterAddressDialogSay(const Player* speaker, const Player* addressee, u32 delay);
   void TeamCharacterDialogRandomSay(const Team* team, const char* group, i32 extra, u32 delay,
                                     float probability);

   // Queue posters.
   void ActionQueueClear();
   void CommandPost(const Command& command, u32 delay);
   void ActionAnimationsWaitPost();
   void ActionDelayPost(u32 delay, bool applySpeed);
   void ActionPlayerAdvancePost();
   void ActionTurnBeginPost();
   void ActionGameWinPost();
   void ActionGameLosePost();
   void ActionGameDrawPost();
   void ActionSubgameOverPost();
   void ActionUnlockMessagesWaitPost();
   void ActionResultsShowPost();
   void ActionSubgameEventPost(i32 value);
   void ActionSubgameNewPost(u32 delay);
   void ActionCharacterDialogPost(const Player* player, const char* dialogName, u32 delay);
   void CommandCodePost(i32 code, u32 delay);
   void CommandPassPost(u32 delay) { CommandCodePost(COMMAND_PASS, delay); }
   void CommandKnockPost(u32 delay) { CommandCodePost(COMMAND_KNOCK, delay); }
   void CommandContinuePost(u32 delay) { CommandCodePost(COMMAND_CONTINUE, delay); }
   void CommandBetFoldPost(u32 delay) { CommandCodePost(COMMAND_BET_FOLD, delay); }
   void CommandBetCheckPost(u32 delay) { CommandCodePost(COMMAND_BET_CHECK, delay); }
   void CommandBetCallPost(u32 delay) { CommandCodePost(COMMAND_BET_CALL, delay); }
   void CommandBetOpenPost(i32 amount, u32 delay);
   void CommandBetRaisePost(i32 amount, u32 delay);
   void Command13Post(i32 value, u32 delay);
   void Command31Post(u32 delay) { CommandCodePost(COMMAND_31, delay); }
   void Command37Post(u32 delay) { CommandCodePost(COMMAND_37, delay); }

   // Options and random numbers.
   const JSONValue* SettingsGet();
   bool SettingBoolGet(const char* key);
   const char* SettingStringGet(const char* key);
   u32 RandomIntGet(u32 n);
   float RandomFloatGet();

   // Statistics.
   void StatisticsUpdate();
   void MoneyStatisticsUpdate();

   // Chips.
   Chip* ChipCreate(i32 value);
   void ChipRelease(Chip* chip);
   ChipPile* ChipPilePotGet();
   void ChipMoveSoundPlay();
   void ChipPilesEmpty();
   void ChipsLayOut();
   void ChipWidgetsReparent();
   void ChipMovesFinish();
   void ChipsDestroy();

   // Button presses; the user data is the game.
   static void OnNewGameClick(PressButtonWidget* button, void* game);
   static void OnPassClick(PressButtonWidget* button, void* game);
   static void OnKnockClick(PressButtonWidget* button, void* game);
   static void OnUndoClick(PressButtonWidget* button, void* game);
   static void OnUndoAllClick(PressButtonWidget* button, void* game);
   static void OnDiscardClick(PressButtonWidget* button, void* game);
   static void OnContinueClick(PressButtonWidget* button, void* game);
   static void OnStandPatClick(PressButtonWidget* button, void* game);
   static void OnConfirmQuitYes(MessageBoxPopup* popup, PressButtonWidget* button, void* game);
   static void OnConfirmGameNewYes(MessageBoxPopup* popup, PressButtonWidget* button, void* game);

   // The saved fields every game shares; the game base itself is never made from a saved game.
   static void ReflectionRegister();

   // The game's whole state as a document: its options, its reflected fields and (card games) its
   // piles. Each game that adds state chains to its base.
   virtual bool Save(JSONValue* document);
   // Loads all of a document or nothing: the whole chain's LoadCheck runs before anything changes.
   virtual bool Load(JSONValue* document);
   // Whether Load would read the document whole; games that add state to it check that too and
   // call their base first. Changes nothing.
   virtual bool LoadCheck(JSONValue* document);

   // Saved state.
   u32 seed1 = 0;
   u32 seed2 = 0;
   u32 startingSeed1 = 0;
   u32 startingSeed2 = 0;
   i32 playerActiveID = 0;
   Table<Player*> players;
   Table<PlayerPanel*> playerPanels;
   Table<Team*> teams;
   Table<ContainerWidget*> teamPanels;
   u32 gameTimer = 0;
   u32 gameTimeFrozen = 0;
   bool refreshPending = false;
   bool statisticsRecorded = false;
   bool moneyRecorded = false;
   bool subgameFirstTurnBegan = false;
   i32 gameResult = MINIGAME_RESULT_RUNNING;
   bool subgameOver = false;
   JSONValue* constants = nullptr;

   ContainerWidget* buttonContainer = nullptr;
   ContainerWidget* playerPanelContainer = nullptr;
   ContainerWidget* chipContainerTop = nullptr;
   ContainerWidget* chipContainerBottom = nullptr;
   PressButtonWidget* passButton = nullptr;
   PressButtonWidget* knockButton = nullptr;
   PressButtonWidget* undoButton = nullptr;
   PressButtonWidget* undoAllButton = nullptr;
   PressButtonWidget* discardButton = nullptr;
   PressButtonWidget* continueButton = nullptr;
   PressButtonWidget* standPatButton = nullptr;
   ContainerWidget* commonPanel = nullptr;

   // The popups PhasePopupUpdate opened that may still be open.
   Table<Popup*> phasePopups;

   Table<Action> actionQueue;
   // Unscaled milliseconds left before the head is tried.
   float actionDelayCurrent = 0.0f;
   bool actionFirstAttempt = true;
   // Counts the emptyings of the queue, so a step knows whether its head is still there.
   u32 actionQueueGeneration = 0;
   u32 secondsPlayedAccumulator = 0;

   Table<ChipPile*> chipPiles;
   i32 nextChipPileID = 0;
   Table<Chip*> chips;
   Table<Chip*> chipsFree;
   u32 chipMoveSoundCooldown = 0;
   Table<Sound*> chipMoveSounds;
   Table<SoundSourceCommon*> chipSoundSources;
   bool chipsLayOutPending = false;
   bool chipsReparentPending = false;

   i32 delayAITurnBegin = 0;
   i32 delayAIAction = 0;
   i32 delayGameOver = 0;
   i32 delayDialog = 0;

 protected:
   // The game's random words in the engine's generator for one step, then back.
   u32 RandomDraw();
   // The end of a game with that result.
   void GameEnd(i32 result);
   void ActionQueueLastRemove();
   // One queue step of a frame.
   void ActionQueueStep(u32 elapsed);
   // The speech line of Action 25.
   bool ActionSpeakExecute(const Action& action);
   void PlayerPanelsCreate();
   void TeamPanelsCreate();
   void CommonPanelCreate();
   void ChipPilesCreate();
   void ChipSoundsInit();
   void ChipSoundsDeinit();
   void ConstsLoad();
   // A number truncated, a bool as 0 or 1, anything else 0.
   static i32 ConstIntGet(const JSONValue* object, const char* key);
   // A bool, or a number that is not 0 and not NaN.
   static bool ConstFlagGet(const JSONValue* object, const char* key);
};
} // namespace Corvale
