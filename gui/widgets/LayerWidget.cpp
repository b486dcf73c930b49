// Layers: loading a layer's folder, the count of live layers per name kept with the GUI manager,
// pointer releases reported while the layer takes input, and layers that shut off those below.
#include "gui/widgets/LayerWidget.h"

#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/ScriptManager.h"
#include "core/StringHelpers.h"
#include "platform/input/MouseState.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"

namespace Corvale
{
constexpr u32 LAYER_FILE_PATH_SIZE = 261;

bool LayerWidget::SpecificationExistsCheck(const char* layerName)
{
   char widgets[LAYER_FILE_PATH_SIZE];
   return layerName && fileManagerResource &&
          NultSnprintf(widgets, sizeof(widgets), "GUI/%s/Widgets", layerName) &&
          JSONParser::GraphicsPathExistsCheck(widgets);
}

bool LayerWidget::InitFromFolder(const char* layerName, Widget* parentWidget, const char* folder,
                                 const JSONValue* specification)
{
   pushCallback = nullptr;
   pushUserData = nullptr;
   updateCallback = nullptr;
   updateUserData = nullptr;
   if (!folder)
   {
      WarningPrintf("LayerWidget::InitFromFolder -- no folder for the layer \"%s\"\n",
                    layerName ? layerName : "");
      return false;
   }

   char path[LAYER_FILE_PATH_SIZE];
   NultSnprintf(path, sizeof(path), "%s/Sprites", folder);
   SpriteResourceFilenameSet(path);
   SpriteResourceFile* file = SpriteManager::ResourceFileLoad(path);
   if (file)
   {
      file->Preload();
      spritesLoaded = 1;
   }

   JSONValue* loaded = nullptr;
   if (!specification)
   {
      NultSnprintf(path, sizeof(path), "%s/Widgets", folder);
      JSONParser parser;
      loaded = fileManagerResource ? parser.GraphicsPathLoad(path, fileManagerResource) : nullptr;
      if (!loaded)
      {
         WarningPrintf("LayerWidget::InitFromFolder -- failed to load GUI layer specification file: \"%s\"\n",
                       path);
         // Deinit must still find a widget it can take apart.
         ContainerWidget::InitWithoutSpecification(layerName, parentWidget);
         return false;
      }
      specification = loaded;
   }

   ContainerWidget::Init(layerName, parentWidget, specification);

   const JSONValue* item = specification->ItemFind("DisableLayersBelow");
   disableLayersBelow = 1;
   if (item && item->TypeGet() == JSONValue::TYPE_BOOL)
   {
      disableLayersBelow = item->BoolValueGet() ? 1 : 0;
   }
   else if (item && item->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      disableLayersBelow = item->DoubleValueGet() != 0.0 ? 1 : 0;
   }

   GUIManager::LayerNameAdd(NameGet());
   nameRegistered = 1;
   if (loaded)
   {
      MemoryDelete(loaded);
   }
   return true;
}

void LayerWidget::OnInit()
{
   LuaEventCallf("OnInit", "");
   if (pushCallback)
   {
      pushCallback(this, pushUserData);
   }
}

void LayerWidget::OnMouseUp()
{
   LuaEventCallf("OnMouseUp", "");
}

void LayerWidget::OnRemoveBegin()
{
   ContainerWidget::OnRemoveBegin();
   LuaEventCallf("OnDeinit", "");
}

void LayerWidget::Deinit()
{
   if (nameRegistered)
   {
      const char* layerName = NameGet();
      if (layerName && GUIManager::LayerNameRelease(layerName) && GUIManager::scriptingEnabled)
      {
         ScriptManager::TableFieldClear("GUI", layerName);
      }
      nameRegistered = 0;
   }
   if (spritesLoaded)
   {
      SpriteManager::UndoPreload(SpriteResourceFilenameGet());
      spritesLoaded = 0;
   }
   ContainerWidget::Deinit();
}

void LayerWidget::Update(u32 elapsed)
{
   ContainerWidget::Update(elapsed);
   // A child may have closed this very layer during its update.
   if (removed)
   {
      return;
   }
   if (InputAcceptableCheck())
   {
      for (i32 i = 0; i < GUIManager::pointerRecords.count && !removed; i++)
      {
         const MouseState* pointer = GUIManager::pointerRecords[i].mouseState;
         if (pointer && pointer->present && pointer->ReleasedCheck(MOUSE_BUTTON_LEFT))
         {
            OnMouseUp();
         }
      }
   }
   if (updateCallback && !removed)
   {
      updateCallback(elapsed, this, updateUserData);
   }
}

bool LayerWidget::EnabledCheck()
{
   if (!ContainerWidget::EnabledCheck())
   {
      return false;
   }
   ContainerWidget* container = dynamic_cast<ContainerWidget*>(ParentGet());
   if (!container)
   {
      return true;
   }
   for (i32 i = container->ChildIndexGet(this) + 1; i > 0 && i < container->ChildCountGet(); i++)
   {
      LayerWidget* above = dynamic_cast<LayerWidget*>(container->ChildGetAt(i));
      if (above && above->DisableLayersBelowGet())
      {
         return false;
      }
   }
   return true;
}
} // namespace Corvale
