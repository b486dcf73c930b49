// The main menu: the game selector and its preview, the buttons, the keyboard, the link buttons and
// the update page opened after shutdown.
#include "app/MainMenu.h"

#include <cstring>

#include "app/Application.h"
#include "app/MenuBar.h"
#include "app/Minigames.h"
#include "app/SolitaireMenu.h"
#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "core/JSONValue.h"
#include "core/TextManager.h"
#include "gui/GUIManager.h"
#include "gui/popup/MessageBoxPopup.h"
#include "gui/popup/PopupManager.h"
#include "gui/state/FadeManager.h"
#include "gui/state/GameStateManager.h"
#include "gui/widgets/LabelWidget.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/LinearSelectorWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/SelectorItemWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "platform/input/Keyboard.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "platform/window/PlatformShell.h"

namespace Corvale
{
MainMenu mainMenu;

namespace
{
const char* const PREVIEW_SPRITES = "GUI/MainMenu/GamePreviews/Sprites";
constexpr u32 KEY_RETURN = 13;
constexpr u32 KEY_UP = 38;
constexpr u32 KEY_DOWN = 40;
constexpr u32 KEY_ALT_LEFT = 164;
constexpr u32 KEY_ALT_RIGHT = 165;

template <class T> T* WidgetAt(const char* path)
{
   return dynamic_cast<T*>(GUIManager::WidgetGetByPath(path));
}

const char* ConstStringGet(const char* key)
{
   return consts ? consts->ItemGet(key)->StringValueGet() : nullptr;
}

void SelectedStart()
{
   MainMenuGameStart(mainMenu.SelectedNameGet());
}
} // namespace

bool MainMenuGameAvailableCheck(const char* name)
{
   if (!name)
   {
      return false;
   }
   return std::strcmp(name, "Solitaire") == 0 || MinigameAvailableCheck(MinigameGetByName(name));
}

void MainMenuGameStart(const char* name)
{
   if (MenuInputIgnoredCheck() || !MainMenuGameAvailableCheck(name))
   {
      return;
   }
   mainMenu.ExitStart();
   if (std::strcmp(name, "Solitaire") == 0)
   {
      GameStateManager::Push(&solitaireMenu);
      return;
   }
   GameStateManager::Push(MinigameGetByName(name));
}

void MainMenu::Init()
{
   EnterStart();
   quitOnDeinit = false;
   previewSprites = SpriteManager::ResourceFileLoad(PREVIEW_SPRITES);
   if (previewSprites)
   {
      previewSprites->Preload();
   }
   PopupManager::Open(&menuBar);
   RootMenuFirstEntryPopupsOpen(this);
}

void MainMenu::GUIInit(LayerWidget* pushedLayer)
{
   (void)pushedLayer;
   PressButtonWidget::OnClickCallbackSet("MainMenu.MenuPanel.Play", &MainMenu::OnPlayClick, this);
   PressButtonWidget::OnClickCallbackSet("MainMenu.MenuPanel.CurrentGameButton", &MainMenu::OnPlayClick,
                                         this);
   if (PressButtonWidget* faceCreator = WidgetAt<PressButtonWidget>("MainMenu.MenuPanel.FaceCreator"))
   {
      faceCreator->VisibleSet(FaceCreatorIncludedCheck());
      faceCreator->onClick = &MainMenu::OnFaceCreatorClick;
      faceCreator->onClickUserData = this;
   }
   URLButton1Init(WidgetAt<ContainerWidget>("MainMenu.MenuPanel.URLButton1Container"));
   URLButton2Init(WidgetAt<ContainerWidget>("MainMenu.MenuPanel.URLButton2Container"));
   PressButtonWidget::OnClickCallbackSet("MainMenu.Exit", &MainMenu::OnExitClick, this);

   gameSelector = WidgetAt<LinearSelectorWidget>("MainMenu.MenuPanel.GameSelector");
   if (gameSelector)
   {
      gameSelector->onSelectionChange = &MainMenu::OnSelectionChange;
      gameSelector->onSelectionChangeUserData = this;
      gameSelector->onItemClick = &MainMenu::OnItemClick;
      gameSelector->onItemClickUserData = this;
      JSONValue* games = consts ? consts->ItemFind("MainMenuGames") : nullptr;
      if (games && games->TypeGet() == JSONValue::TYPE_ARRAY)
      {
         gameSelector->ItemsAddLast(games);
      }
      SelectedGameShow();
   }
   TextsRefresh();

   const char* recent =
       profileCurrent ? profileCurrent->ItemGet("MinigameMostRecent")->StringValueGet() : nullptr;
   if (gameSelector && recent && !gameSelector->SelectionSetByName(recent, false))
   {
      const JSONValue* solitaires = consts ? consts->ItemGet("SolitaireGames") : &JSONValue::nullValue;
      if (solitaires->TypeGet() == JSONValue::TYPE_ARRAY && solitaires->ElementStringFind(recent) >= 0)
      {
         gameSelector->SelectionSetByName("Solitaire", false);
      }
   }
   ProfileShow();
}

const char* MainMenu::SelectedNameGet()
{
   return gameSelector ? gameSelector->SelectionNameGet() : nullptr;
}

void MainMenu::SelectedGameShow()
{
   SelectorItemWidget* item = gameSelector ? gameSelector->SelectionGet() : nullptr;
   const char* name = item ? item->NameGet() : nullptr;
   if (LabelWidget* label = WidgetAt<LabelWidget>("MainMenu.MenuPanel.SelectedGameName"))
   {
      label->TextKeySet(item ? item->TextKeyGet() : nullptr);
   }
   if (SpriteWidget* preview = WidgetAt<SpriteWidget>("MainMenu.MenuPanel.SelectedGamePreviewSprite"))
   {
      if (name && SpriteManager::AnimationExistsCheck(PREVIEW_SPRITES, name))
      {
         preview->AnimationSet(PREVIEW_SPRITES, name);
      }
      else
      {
         preview->AnimationClear();
      }
   }
   // A game not built yet keeps its place in the selector, but cannot be started.
   const bool available = MainMenuGameAvailableCheck(name);
   for (const char* path : {"MainMenu.MenuPanel.Play", "MainMenu.MenuPanel.CurrentGameButton"})
   {
      if (PressButtonWidget* button = WidgetAt<PressButtonWidget>(path))
      {
         button->EnabledSet(available);
      }
   }
   if (LabelWidget* notAvailable = WidgetAt<LabelWidget>("MainMenu.MenuPanel.GameNotAvailable"))
   {
      notAvailable->VisibleSet(name && !available);
   }
}

void MainMenu::ProfileShow()
{
   if (LabelWidget* label = WidgetAt<LabelWidget>("MainMenu.MenuPanel.ProfileName"))
   {
      const char* name = profileCurrentName ? profileCurrentName : "";
      if (std::strcmp(name, "<Guest>") == 0)
      {
         label->TextKeySet("Guest");
      }
      else
      {
         label->TextKeySet(nullptr);
         label->TextSet(name);
      }
   }
   if (PortraitWidget* portrait = WidgetAt<PortraitWidget>("MainMenu.MenuPanel.ProfilePortrait"))
   {
      const bool included = FaceCreatorIncludedCheck();
      portrait->VisibleSet(included);
      if (included && profileCurrentName)
      {
         portrait->ProfilePortraitSet(profileCurrentName);
      }
   }
}

void MainMenu::TextsRefresh()
{
   VersionLabelUpdate(WidgetAt<LabelWidget>("MainMenu.Version"));
}

void MainMenu::Update(u32 elapsed)
{
   RootMenu::Update(elapsed);
   if (!layer || !layer->EnabledCheck() || FadeManager::fading || GameStateManager::switchPending ||
       layer->TransitionActiveCheck() || quitRequested)
   {
      return;
   }
   if (KeyPressedCheck(KEY_RETURN) && !KeyHeldCheck(KEY_ALT_LEFT) && !KeyHeldCheck(KEY_ALT_RIGHT))
   {
      SelectedStart();
   }
   else if (gameSelector && KeyPressedCheck(KEY_UP))
   {
      gameSelector->SelectionStep(-1, true);
   }
   else if (gameSelector && KeyPressedCheck(KEY_DOWN))
   {
      gameSelector->SelectionStep(1, true);
   }
}

void MainMenu::Deinit()
{
   if (quitOnDeinit)
   {
      quitRequested = true;
   }
   gameSelector = nullptr;
   if (previewSprites)
   {
      previewSprites->UndoPreload();
      if (--previewSprites->referenceCount < 1)
      {
         SpriteManager::ResourceFileRemove(previewSprites);
      }
      previewSprites = nullptr;
   }
   LayerRemove();
}

void MainMenu::OnPlayClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   SelectedStart();
}

void MainMenu::OnFaceCreatorClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   MainMenu* self = static_cast<MainMenu*>(userData);
   if (self && !MenuInputIgnoredCheck())
   {
      PopupManager::OpenUnlessOpen(self->faceCreatorPopup);
   }
}

void MainMenu::OnExitClick(PressButtonWidget* button, void* userData)
{
   (void)button;
   MainMenu* self = static_cast<MainMenu*>(userData);
   if (!self || MenuInputIgnoredCheck())
   {
      return;
   }
   self->ExitStart();
   self->quitOnDeinit = true;
   GameStateManager::Pop();
}

void MainMenu::OnSelectionChange(SelectorItemWidget* newItem, SelectorItemWidget* oldItem, bool byUser,
                                 void* userData)
{
   (void)newItem;
   (void)oldItem;
   (void)byUser;
   if (MainMenu* self = static_cast<MainMenu*>(userData))
   {
      self->SelectedGameShow();
   }
}

void MainMenu::OnItemClick(bool wasSelected, SelectorItemWidget* item, void* userData)
{
   (void)userData;
   // The first click on a neighbour selects it; a click on the selected item chooses it.
   if (wasSelected && item)
   {
      MainMenuGameStart(item->NameGet());
   }
}

// Link buttons.

namespace
{
void URLPageOpen(const char* key)
{
   if (!MenuInputIgnoredCheck())
   {
      URLOpen(ConstStringGet(key));
   }
}

void OnURLButton1Click(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   URLPageOpen("MainURLButton1URL");
}

void OnUpdateConfirmYes(MessageBoxPopup* popup, PressButtonWidget* button, void* userData)
{
   (void)popup;
   (void)button;
   (void)userData;
   updatePageOpenAtExit = true;
   quitRequested = true;
}

void OnURLButton2Click(PressButtonWidget* button, void* userData)
{
   (void)button;
   (void)userData;
   if (!UpdateURLGet())
   {
      URLPageOpen("MainURLButton2URL");
      return;
   }
   if (MenuInputIgnoredCheck())
   {
      return;
   }
   MessageBoxPopup* box = MessageBoxPopup::Show("UpdateCheckConfirmation", "MessageBoxYesNo");
   if (box)
   {
      box->onYes = &OnUpdateConfirmYes;
   }
}

PressButtonWidget* LinkButtonGet(ContainerWidget* container)
{
   return container ? dynamic_cast<PressButtonWidget*>(container->ChildGetByName("Button")) : nullptr;
}
} // namespace

void URLButton1Init(ContainerWidget* container)
{
   if (!container)
   {
      return;
   }
   const bool shown = ConstStringGet("MainURLButton1URL") != nullptr;
   container->VisibleSet(shown);
   PressButtonWidget* button = LinkButtonGet(container);
   if (shown && button)
   {
      button->onClick = &OnURLButton1Click;
   }
}

void URLButton2Init(ContainerWidget* container)
{
   if (!container)
   {
      return;
   }
   const bool update = UpdateURLGet() != nullptr;
   const bool shown = update || ConstStringGet("MainURLButton2URL") != nullptr;
   container->VisibleSet(shown);
   if (!shown)
   {
      return;
   }
   if (PressButtonWidget* button = LinkButtonGet(container))
   {
      button->onClick = &OnURLButton2Click;
   }
   if (Widget* indicator = container->ChildGetByName("UpdateCheckIndicator"))
   {
      indicator->VisibleSet(update);
   }
}

const char* UpdateURLGet()
{
   return ConstStringGet("UpdateURLWindows");
}

void UpdatePageOpen()
{
   const char* address = UpdateURLGet();
   if (address)
   {
      updatePageOpenAtExit = false;
      URLOpen(address);
   }
}
} // namespace Corvale
