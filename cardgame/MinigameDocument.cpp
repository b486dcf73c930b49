// The game state document: the options in force and every reflected field of the game, written
// into a JSON object and read back. A malformed document is refused before anything changes, so a
// failed load never leaves half a game.
#include <cstring>

#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "core/ReflectionManager.h"

namespace Corvale
{
namespace
{
// The profile's options of the game, without creating them: saving changes nothing.
const JSONValue* OptionsFind(const char* game)
{
   const JSONValue* all = profileCurrent ? profileCurrent->ItemFind("MinigameSettings") : nullptr;
   const JSONValue* options = all && game ? all->ItemFind(game) : nullptr;
   return options && options->TypeGet() == JSONValue::TYPE_OBJECT ? options : nullptr;
}

// Each declared option missing from options (or held with another type) takes its default.
void OptionDefaultsComplete(JSONValue* options, const JSONValue* declared)
{
   for (i32 i = 0; declared && declared->TypeGet() == JSONValue::TYPE_ARRAY && i < declared->CountGet(); i++)
   {
      const JSONValue* option = declared->ElementGet(i);
      const char* name = option->ItemGet("Name")->StringValueGet();
      const JSONValue* value = option->ItemGet("Default");
      const u32 type = value->TypeGet();
      if (!name ||
          (type != JSONValue::TYPE_BOOL && type != JSONValue::TYPE_NUMBER && type != JSONValue::TYPE_STRING))
      {
         continue;
      }
      if (options->ItemGet(name)->TypeGet() != type)
      {
         JSONValue* copy = value->Clone(options->HeapGet());
         if (copy && !options->ItemSet(name, copy))
         {
            MemoryDelete(copy);
         }
      }
   }
}
} // namespace

bool Minigame::Save(JSONValue* document)
{
   if (!document || document == &JSONValue::nullValue)
   {
      return false;
   }
   if (document->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      document->ObjectSet();
   }
   JSONValue* frontend = document->ItemObjectSet("Frontend");
   JSONValue* options = frontend ? frontend->ItemObjectSet("MinigameSettings") : nullptr;
   JSONValue* minigame = frontend ? frontend->ItemObjectSet("Minigame") : nullptr;
   if (!options || !minigame)
   {
      WarningPrintf("Minigame::Save -- unable to build the document\n");
      return false;
   }
   const JSONValue* stored = OptionsFind(GameNameGet());
   for (JSONValue::Iterator it = stored ? stored->ItemsBegin() : JSONValue::Iterator(); it.ValidCheck();
        it.Next())
   {
      JSONValue* copy = it.node->value->Clone(options->HeapGet());
      if (copy && !options->ItemSet(it.node->key, copy))
      {
         MemoryDelete(copy);
      }
   }
   OptionDefaultsComplete(options, SettingsGet());
   ReflectionContext context;
   if (!ReflectionManager::JSONSave(this, minigame, context))
   {
      minigame->NullSet();
   }
   return true;
}

bool Minigame::LoadCheck(JSONValue* document)
{
   JSONValue* frontend = document ? document->ItemGet("Frontend") : nullptr;
   if (!frontend || document->TypeGet() != JSONValue::TYPE_OBJECT ||
       frontend->TypeGet() != JSONValue::TYPE_OBJECT || !frontend->MemberObjectCheck("MinigameSettings") ||
       !frontend->MemberObjectCheck("Minigame"))
   {
      WarningPrintf(
          "Minigame::LoadCheck -- \"Frontend\" with the objects \"MinigameSettings\" and \"Minigame\" is "
          "missing\n");
      return false;
   }
   // The reflected fields are read into a spare object of the game's own class, then dropped.
   ReflectionType* type = ReflectionManager::TypeGet(typeid(*this).name());
   if (!type)
   {
      WarningPrintf("Minigame::LoadCheck -- the game's class %s is not registered\n", typeid(*this).name());
      return false;
   }
   JSONValue* minigame = frontend->ItemGet("Minigame");
   const char* savedType = minigame->ItemGet("___Type")->StringValueGet();
   if (minigame->ItemFind("___Type") &&
       (!savedType || !type->name || std::strcmp(savedType, type->name) != 0))
   {
      WarningPrintf("Minigame::LoadCheck -- the document is of another game: %s\n",
                    savedType ? savedType : "(none)");
      return false;
   }
   // Every player and team is an object: a null one would load as a missing player.
   for (const char* key : {"players", "teams"})
   {
      const JSONValue* list = minigame->ItemGet(key);
      for (i32 i = 0; list->TypeGet() == JSONValue::TYPE_ARRAY && i < list->CountGet(); i++)
      {
         if (list->ElementGet(i)->TypeGet() != JSONValue::TYPE_OBJECT)
         {
            WarningPrintf("Minigame::LoadCheck -- \"%s\" holds an element that is not an object\n", key);
            return false;
         }
      }
   }
   ReflectionContext context;
   void* spare = type->InstanceNew(HEAP_DEFAULT, context);
   if (!spare)
   {
      WarningPrintf("Minigame::LoadCheck -- unable to make a spare %s\n", type->name);
      return false;
   }
   const bool loaded = type->JSONLoad(spare, minigame, context);
   type->InstanceCleanup(spare, context);
   type->InstanceDelete(&spare, context);
   if (!loaded)
   {
      WarningPrintf("Minigame::LoadCheck -- the game's fields do not load\n");
   }
   return loaded;
}

bool Minigame::Load(JSONValue* document)
{
   if (!LoadCheck(document))
   {
      WarningPrintf("Minigame::Load -- the document is refused; the game is unchanged\n");
      return false;
   }
   ResultsHide();
   // The loaded phase asks its own questions again.
   PhasePopupsClose();
   ActionQueueClear();
   actionDelayCurrent = 0.0f;
   actionFirstAttempt = true;
   gameResult = MINIGAME_RESULT_RUNNING;
   statisticsRecorded = false;

   JSONValue* frontend = document->ItemGet("Frontend");
   JSONValue* options = ProfileMinigameSettingsGet(GameNameGet());
   if (options)
   {
      options->ItemsClear();
      JSONValue* copy = frontend->ItemGet("MinigameSettings")->Clone(options->HeapGet());
      if (copy && !options->ItemsMerge(copy))
      {
         MemoryDelete(copy);
      }
   }
   ReflectionContext context;
   if (!ReflectionManager::JSONLoad(this, frontend->ItemGet("Minigame"), context))
   {
      // The spare object took the same fields: only running out of memory lands here.
      WarningPrintf("Minigame::Load -- the game's fields did not load\n");
      return false;
   }
   randomState0 = seed1;
   randomState1 = seed2;
   ChipPilesEmpty();
   // The panels show the loaded players, not those of the game the document was loaded into.
   PlayerPanelsPlayersApply();
   WinnerIconsRefresh();
   PlayerPanelFramesRefresh();
   ChipsLayOut();
   ChipMovesFinish();
   return true;
}
} // namespace Corvale
