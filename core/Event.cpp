// The event system's two tables (events by name, registrations by owner) and the raising of events.
#include "core/Event.h"

#include "core/Log.h"
#include "core/QuickSort.h"

namespace Corvale
{
namespace
{
typedef Map<HashedString, Event*> EventNameMap;
typedef Map<void*, Event::RegistrationMap*> EventOwnerMap;

bool EventNameLess(const HashedString* a, const HashedString* b)
{
   return HashedStringLess(*a, *b);
}

i32 eventHeapId = HEAP_DEFAULT;
EventNameMap eventNames(&EventNameLess, nullptr);
EventOwnerMap eventOwners(&MapLessDefault<void*>::Less, nullptr);

// Higher order values run first.
bool RegistrationBefore(EventRegistration* a, EventRegistration* b)
{
   return a->order > b->order;
}

Event* EventFind(const HashedString& key)
{
   EventNameMap::Node* node = eventNames.Find(key);
   return node == eventNames.End() ? nullptr : node->value;
}

Allocator* EventAllocatorGet()
{
   return allocatorHeaps[eventHeapId] ? allocatorHeaps[eventHeapId] : allocatorDefault;
}
} // namespace

u32 Event::HashCompute(const char* text)
{
   u32 a = 0;
   u32 b = 0;
   for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p; p++)
   {
      a += *p;
      b += a;
   }
   return (b << 16) | a;
}

HashedString Event::KeyMake(const char* text)
{
   HashedString key;
   key.hash = HashCompute(text);
   key.text = text;
   return key;
}

void Event::SystemInit(i32 heapId)
{
   if (heapId < 0 || heapId >= HEAP_COUNT)
   {
      WarningPrintf("Event::SystemInit -- invalid heap id %d\n", heapId);
      heapId = HEAP_DEFAULT;
   }
   eventHeapId = heapId;
   eventNames.allocator = EventAllocatorGet();
   eventOwners.allocator = EventAllocatorGet();
}

i32 Event::HeapIdGet()
{
   return eventHeapId;
}

void Event::SystemDeinit()
{
   for (EventNameMap::Node* node = eventNames.First(); node != eventNames.End(); node = eventNames.Next(node))
   {
      if (node->value->raisingDepth > 0)
      {
         WarningPrintf("Event::SystemDeinit -- event \"%s\" is being raised\n", node->value->name);
         return;
      }
   }
   for (EventNameMap::Node* node = eventNames.First(); node != eventNames.End(); node = eventNames.Next(node))
   {
      node->value->Deinit();
      MemoryDelete(node->value);
   }
   eventNames.Clear();
   for (EventOwnerMap::Node* node = eventOwners.First(); node != eventOwners.End();
        node = eventOwners.Next(node))
   {
      MemoryDelete(node->value);
   }
   eventOwners.Clear();
}

void Event::SystemUpdate()
{
   for (EventNameMap::Node* node = eventNames.First(); node != eventNames.End(); node = eventNames.Next(node))
   {
      Event* event = node->value;
      if (!event->sorted && event->raisingDepth == 0)
      {
         event->sorted = 1;
         event->Sort();
      }
   }
}

Event* Event::Get(const HashedString& key)
{
   if (!key.text)
   {
      return nullptr;
   }
   Event* event = EventFind(key);
   if (event)
   {
      return event;
   }
   event = MemoryNew<Event>(eventHeapId);
   if (!event)
   {
      WarningPrintf("Event::Get -- unable to allocate event \"%s\"\n", key.text);
      return nullptr;
   }
   event->Init(key, eventHeapId);
   if (!event->nameCopy)
   {
      MemoryDelete(event);
      return nullptr;
   }
   HashedString ownKey;
   ownKey.hash = event->hash;
   ownKey.text = event->name;
   if (!eventNames.Insert(ownKey, event))
   {
      WarningPrintf("Event::Get -- unable to add event \"%s\"\n", key.text);
      event->Deinit();
      MemoryDelete(event);
      return nullptr;
   }
   return event;
}

void Event::Init(const HashedString& key, i32 heapId)
{
   hash = HashCompute(key.text);
   nameCopy = StringDuplicate(key.text, heapId);
   name = nameCopy;
   sorted = 1;
   raisingIndex = -1;
   raisingDepth = 0;
   registrations.allocator = allocatorHeaps[heapId];
   registrationsDead.allocator = allocatorHeaps[heapId];
}

void Event::Deinit()
{
   for (i32 i = 0; i < registrations.count; i++)
   {
      MemoryDelete(registrations[i]);
   }
   for (i32 i = 0; i < registrationsDead.count; i++)
   {
      MemoryDelete(registrationsDead[i]);
   }
   registrations.SizeSet(0);
   registrationsDead.SizeSet(0);
   registrations = Table<EventRegistration*>(registrations.allocator);
   registrationsDead = Table<EventRegistration*>(registrationsDead.allocator);
   MemoryFree(nameCopy);
   nameCopy = nullptr;
   name = nullptr;
}

void Event::Sort()
{
   if (registrations.count >= 2)
   {
      QuickSort(registrations.data, registrations.data + registrations.count - 1, &RegistrationBefore);
   }
}

bool Event::Register(const char* key, EventRegistration* registration, void* owner)
{
   if (!key || !registration)
   {
      return false;
   }
   Event* event = Get(KeyMake(key));
   if (!event)
   {
      return false;
   }
   RegistrationMap* owned = OwnerRegistrationsGet(owner);
   if (!owned)
   {
      WarningPrintf("Event::Register -- unable to record the registration for \"%s\"\n", key);
      ReleaseIfUnused(event);
      return false;
   }
   if (!event->registrations.Insert(registration, event->registrations.count))
   {
      ReleaseIfUnused(event);
      return false;
   }
   event->sorted = 0;
   registration->event = event;
   registration->eventRegistered = event;
   owned->Insert(registration, registration);
   return true;
}

Event::RegistrationMap* Event::OwnerRegistrationsGet(void* owner)
{
   EventOwnerMap::Node* node = eventOwners.Find(owner);
   if (node != eventOwners.End())
   {
      return node->value;
   }
   RegistrationMap* owned = MemoryNew<RegistrationMap>(eventHeapId, &MapLessDefault<EventRegistration*>::Less,
                                                       EventAllocatorGet());
   if (!owned)
   {
      return nullptr;
   }
   if (!eventOwners.Insert(owner, owned))
   {
      MemoryDelete(owned);
      return nullptr;
   }
   return owned;
}

void Event::Trigger(const char* name, void* argument)
{
   if (!name)
   {
      return;
   }
   Event* event = EventFind(KeyMake(name));
   if (!event)
   {
      return;
   }
   event->RegistrationsInvoke(argument);
   // Everyone left while it was being raised: it goes now, as it would have then.
   ReleaseIfUnused(event);
}

void Event::RegistrationsInvoke(void* argument)
{
   // A nested raise must not reorder the table under the outer walk.
   if (!sorted && raisingDepth == 0)
   {
      sorted = 1;
      Sort();
   }
   i32 countAtStart = registrations.count;
   i32 indexOuter = raisingIndex;
   raisingDepth++;
   // Slots do not move while the event is being raised: late registrations are appended and
   // removed ones are left null, so indexes below countAtStart stay valid.
   for (i32 i = 0; i < countAtStart; i++)
   {
      EventRegistration* registration = registrations[i];
      if (registration)
      {
         raisingIndex = i;
         registration->Invoke(argument);
      }
   }
   raisingIndex = indexOuter;
   raisingDepth--;
   if (raisingDepth == 0 && registrationsDead.count > 0)
   {
      while (registrations.Remove(nullptr))
      {
      }
      for (i32 i = 0; i < registrationsDead.count; i++)
      {
         MemoryDelete(registrationsDead[i]);
      }
      registrationsDead.SizeSet(0);
   }
}

bool Event::RegistrationRemove(EventRegistration* registration)
{
   i32 index = registrations.Find(registration);
   if (!registration || index < 0)
   {
      return false;
   }
   if (raisingDepth > 0)
   {
      registrations[index] = nullptr;
      if (!registrationsDead.Insert(registration, registrationsDead.count))
      {
         // Leaking it is the safe choice while a handler may still be running it.
         WarningPrintf("Event::Unregister -- unable to defer the destruction of a registration\n");
      }
      return true;
   }
   registrations.Remove(registration);
   MemoryDelete(registration);
   return true;
}

void Event::ReleaseIfUnused(Event* event)
{
   if (!event || event->raisingDepth > 0 || event->registrations.count > 0)
   {
      return;
   }
   HashedString key;
   key.hash = event->hash;
   key.text = event->name;
   eventNames.Remove(key);
   event->Deinit();
   MemoryDelete(event);
}

void Event::Unregister(Event* event, EventRegistration* registration)
{
   if (!event || !registration)
   {
      return;
   }
   if (event->registrations.Find(registration) < 0)
   {
      WarningPrintf(
          "Event::Unregister -- Unable to find event registration.  event: %s, eventRegistration: %s\n",
          event->name, registration->event ? registration->event->name : "(null)");
      return;
   }
   // The owner's table must not keep a pointer to a destroyed registration.
   EventOwnerMap::Node* node = eventOwners.Find(registration->OwnerGet());
   if (node != eventOwners.End())
   {
      node->value->Remove(registration);
   }
   event->RegistrationRemove(registration);
}

void Event::OwnerUnregister(void* owner)
{
   EventOwnerMap::Node* node = eventOwners.Find(owner);
   if (node == eventOwners.End())
   {
      return;
   }
   RegistrationMap* owned = node->value;
   for (RegistrationMap::Node* entry = owned->First(); entry != owned->End(); entry = owned->Next(entry))
   {
      EventRegistration* registration = entry->key;
      Event* event = registration->eventRegistered;
      if (!event || !event->RegistrationRemove(registration))
      {
         WarningPrintf(
             "Event::Unregister -- Unable to find event registration.  event: %s, eventRegistration: %s\n",
             event ? event->name : "(null)", registration->event ? registration->event->name : "(null)");
         continue;
      }
      ReleaseIfUnused(event);
   }
   owned->Clear();
   eventOwners.Remove(owner);
   MemoryDelete(owned);
}

void Event::OwnerEventUnregister(const char* key, void* owner)
{
   if (!key)
   {
      return;
   }
   EventOwnerMap::Node* node = eventOwners.Find(owner);
   if (node == eventOwners.End())
   {
      return;
   }
   HashedString wanted = KeyMake(key);
   RegistrationMap* owned = node->value;
   for (RegistrationMap::Node* entry = owned->First(); entry != owned->End(); entry = owned->Next(entry))
   {
      EventRegistration* registration = entry->key;
      Event* event = registration->eventRegistered;
      HashedString eventKey;
      eventKey.hash = event ? event->hash : 0;
      eventKey.text = event ? event->name : "";
      if (!event || HashedStringLess(wanted, eventKey) || HashedStringLess(eventKey, wanted))
      {
         continue;
      }
      owned->Remove(registration);
      event->RegistrationRemove(registration);
      ReleaseIfUnused(event);
      if (owned->count == 0)
      {
         eventOwners.Remove(owner);
         MemoryDelete(owned);
      }
      return;
   }
}
} // namespace Corvale
