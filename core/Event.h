// Named events: managers raise "OnLanguageChange" and its kin by name, and every registered method
// runs, highest order value first. An owner's registrations can be removed in one call.
#pragma once

#include "core/Map.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Event;

// One owner's registration for one event.
class EventRegistration
{
 public:
   i32 order = 0;
   // Named in messages.
   Event* event = nullptr;
   // Where unregistering looks for the registration.
   Event* eventRegistered = nullptr;

   virtual ~EventRegistration() = default;
   virtual i32 Invoke(void* argument) = 0;
   virtual void* OwnerGet() { return nullptr; }
};

template <class Owner, class Result> class Method0EventRegistration;

// Calls a method of its owner that takes no argument; the event's argument is ignored.
template <class Owner> class Method0EventRegistration<Owner, void> : public EventRegistration
{
 public:
   typedef void (Owner::*Method)();
   Owner* owner = nullptr;
   Method method = nullptr;

   i32 Invoke(void*) override
   {
      (owner->*method)();
      return 0;
   }
   void* OwnerGet() override { return owner; }
};

class Event
{
 public:
   typedef Map<EventRegistration*, EventRegistration*> RegistrationMap;

   u32 hash = 0;
   const char* name = nullptr;
   u8 sorted = 1;
   // The registration being called, -1 while the event is not being raised.
   i32 raisingIndex = -1;
   char* nameCopy = nullptr;
   Table<EventRegistration*> registrations;
   // Raises under way (a handler may raise the same event again).
   i32 raisingDepth = 0;
   // Unregistered while the event was being raised: their slots hold null until the raise ends,
   // and they are destroyed then.
   Table<EventRegistration*> registrationsDead;

   // a = sum of the bytes, b = sum of the successive values of a; hash = (b << 16) | a.
   static u32 HashCompute(const char* text);
   static HashedString KeyMake(const char* text);

   // Start-up: the heap that events, registrations and owner tables come from.
   static void SystemInit(i32 heapId = HEAP_DEFAULT);
   static void SystemDeinit();
   static i32 HeapIdGet();
   // Once a frame: puts every event's registrations in order.
   static void SystemUpdate();

   // The event of that key, created when missing.
   static Event* Get(const HashedString& key);
   // Appends a registration to the named event and records it under its owner.
   static bool Register(const char* key, EventRegistration* registration, void* owner);
   static void Trigger(const char* name, void* argument);
   static void Unregister(Event* event, EventRegistration* registration);
   static void OwnerUnregister(void* owner);
   static void OwnerEventUnregister(const char* key, void* owner);
   static RegistrationMap* OwnerRegistrationsGet(void* owner);

   void Init(const HashedString& key, i32 heapId);
   void Deinit();
   void RegistrationsInvoke(void* argument);

 private:
   void Sort();
   // Takes the registration out of this event only; false when it is not there.
   bool RegistrationRemove(EventRegistration* registration);
   static void ReleaseIfUnused(Event* event);
};

// The shared body of every owner's EventRegister: a method registration in the event heap. With a
// null key it is returned unregistered.
template <class Owner>
Method0EventRegistration<Owner, void>* EventMethodRegister(Owner* owner, const char* key,
                                                           void (Owner::*method)(), i32 order = 0)
{
   auto* registration = MemoryNew<Method0EventRegistration<Owner, void>>(Event::HeapIdGet());
   if (!registration)
   {
      WarningPrintf("EventMethodRegister -- unable to allocate a registration for \"%s\"\n", key ? key : "");
      return nullptr;
   }
   registration->order = order;
   registration->owner = owner;
   registration->method = method;
   if (key)
   {
      Event::Register(key, registration, owner);
   }
   return registration;
}
} // namespace Corvale
