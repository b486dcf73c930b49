// Skins: a list of attachment entries, newest at the head.
#include "tutorial/skeleton/skSkin.h"

#include <cstring>

#include "tutorial/skeleton/skAttachment.h"
#include "tutorial/skeleton/skHooks.h"

namespace Corvale
{
skSkin* skSkin_create(const char* name)
{
   return _skNamedCreate<skSkin>(name);
}

void skSkin_dispose(skSkin* self)
{
   skSkinEntry* entry = self->entries;
   while (entry)
   {
      skSkinEntry* next = entry->next;
      skAttachment_dispose(entry->attachment);
      SK_FREE(entry->name);
      SK_FREE(entry);
      entry = next;
   }
   SK_FREE(self->name);
   SK_FREE(self);
}

i32 skSkin_addAttachment(skSkin* self, i32 slotIndex, const char* name, skAttachment* attachment)
{
   skSkinEntry* entry = _skNamedCreate<skSkinEntry>(name);
   if (!entry)
   {
      return 0;
   }
   entry->slotIndex = slotIndex;
   entry->attachment = attachment;
   entry->next = self->entries;
   self->entries = entry;
   return 1;
}

skAttachment* skSkin_getAttachment(const skSkin* self, i32 slotIndex, const char* name)
{
   for (const skSkinEntry* entry = self->entries; entry; entry = entry->next)
   {
      if (entry->slotIndex == slotIndex && std::strcmp(entry->name, name) == 0)
      {
         return entry->attachment;
      }
   }
   return nullptr;
}
} // namespace Corvale
