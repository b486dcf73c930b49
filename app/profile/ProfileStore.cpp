// The current profile held in memory; loading and saving come with the profile store.
#include "app/profile/ProfileStore.h"

#include <cstring>

#include "core/JSONValue.h"

namespace Corvale
{
JSONValue* consts = nullptr;
JSONValue* settings = nullptr;
bool quitRequested = false;
JSONValue* profileCurrent = nullptr;
char* profileCurrentName = nullptr;

JSONValue* ProfileMinigameSettingsGet(const char* game)
{
   if (!profileCurrent || !game)
   {
      return nullptr;
   }
   JSONValue* all = profileCurrent->ItemGetOrAdd("MinigameSettings");
   if (!all)
   {
      return nullptr;
   }
   if (all->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      all->ObjectSet();
   }
   JSONValue* own = all->ItemGetOrAdd(game);
   if (own && own->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      own->ObjectSet();
   }
   return own;
}
} // namespace Corvale

namespace Corvale
{
JSONValue* ProfilesGet()
{
   if (!settings)
   {
      return nullptr;
   }
   JSONValue* profiles = settings->ItemGetOrAdd("Profiles");
   if (profiles && profiles->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      profiles->ArraySet();
   }
   return profiles;
}

JSONValue* ProfileEntryGet(const char* name)
{
   if (!name || !settings)
   {
      return nullptr;
   }
   const JSONValue* profiles = settings->ItemGet("Profiles");
   for (i32 i = 0; profiles->TypeGet() == JSONValue::TYPE_ARRAY && i < profiles->CountGet(); ++i)
   {
      JSONValue* entry = profiles->ElementGet(i);
      const char* entryName = entry->ItemGet("Name")->StringValueGet();
      if (entry->TypeGet() == JSONValue::TYPE_OBJECT && entryName && std::strcmp(entryName, name) == 0)
      {
         return entry;
      }
   }
   return nullptr;
}
} // namespace Corvale
