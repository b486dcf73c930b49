// Named events: lookup by hash and name, call order, owner-wide removal, and handlers that raise,
// register or unregister while an event is being raised. Also the QuickSort that orders them.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "core/Event.h"
#include "core/Memory.h"
#include "core/QuickSort.h"

using namespace Corvale;

namespace
{
std::vector<std::string> calls;

class Listener
{
 public:
   std::string tag;
   // Optional work done from inside the handler.
   void (*during)(Listener* self) = nullptr;
   Listener* other = nullptr;
   i32 runs = 0;

   explicit Listener(const char* tagUsed) : tag(tagUsed) {}
   void OnEvent()
   {
      runs++;
      calls.push_back(tag);
      if (during)
      {
         during(this);
      }
   }
   EventRegistration* Register(const char* key, i32 order = 0)
   {
      return EventMethodRegister(this, key, &Listener::OnEvent, order);
   }
};

class EventTest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      Event::SystemInit(HEAP_DEFAULT);
      calls.clear();
   }
   void TearDown() override { Event::SystemDeinit(); }
};

bool Before(const i32& a, const i32& b)
{
   return a / 10 > b / 10;
}
} // namespace

TEST(QuickSortTest, SortsAndKeepsItsExactOrderOfEqualItems)
{
   std::mt19937 generator(99);
   for (i32 size = 0; size < 60; size++)
   {
      std::vector<i32> items(size);
      for (i32& item : items)
      {
         item = static_cast<i32>(generator() % 20);
      }
      std::vector<i32> expected = items;
      std::sort(expected.begin(), expected.end());
      if (size > 0)
      {
         QuickSort(items.data(), items.data() + size - 1, [](i32 a, i32 b) { return a < b; });
      }
      EXPECT_EQ(items, expected) << "size " << size;
   }
   // Tens digit is the order value (highest first), units tell equal items apart: the result is
   // what the partition steps leave, not what a stable sort gives ({10, 0, 1, 2}).
   std::vector<i32> items = {0, 1, 10, 2};
   QuickSort(items.data(), items.data() + 3, &Before);
   EXPECT_EQ(items, (std::vector<i32>{10, 2, 0, 1}));
   std::vector<i32> pair = {0, 10};
   QuickSort(pair.data(), pair.data() + 1, &Before);
   EXPECT_EQ(pair, (std::vector<i32>{10, 0}));
}

TEST_F(EventTest, HashOfNames)
{
   EXPECT_EQ(Event::HashCompute("ab"), 0x012400C3u);
   EXPECT_EQ(Event::HashCompute("bdb"), Event::HashCompute("cbc"));
   EXPECT_EQ(Event::HashCompute(""), 0u);
}

TEST_F(EventTest, EqualHashesStayDistinctEvents)
{
   Listener a("a");
   Listener b("b");
   a.Register("bdb");
   b.Register("cbc");
   Event* first = Event::Get(Event::KeyMake("bdb"));
   Event* second = Event::Get(Event::KeyMake("cbc"));
   ASSERT_NE(first, second);
   EXPECT_STREQ(first->name, "bdb");
   Event::Trigger("cbc", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"b"}));
   Event::OwnerUnregister(&a);
   Event::OwnerUnregister(&b);
}

TEST_F(EventTest, HigherOrderRunsFirstAndEqualOrdersFollowQuickSort)
{
   Listener gui("gui");
   Listener text("text");
   gui.Register("OnLanguageChange", 0);
   text.Register("OnLanguageChange", 1);
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"text", "gui"}));

   // Appended A0, B0, C1, D0: the partition leaves C, D, A, B.
   calls.clear();
   Listener a("A");
   Listener b("B");
   Listener c("C");
   Listener d("D");
   a.Register("OnWindowChange", 0);
   b.Register("OnWindowChange", 0);
   c.Register("OnWindowChange", 1);
   d.Register("OnWindowChange", 0);
   Event* event = Event::Get(Event::KeyMake("OnWindowChange"));
   EXPECT_EQ(event->sorted, 0);
   Event::SystemUpdate();
   EXPECT_EQ(event->sorted, 1);
   Event::Trigger("OnWindowChange", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"C", "D", "A", "B"}));
   EXPECT_EQ(event->raisingIndex, -1);
   for (Listener* listener : {&gui, &text, &a, &b, &c, &d})
   {
      Event::OwnerUnregister(listener);
   }
}

TEST_F(EventTest, UnknownNamesAndOwnersDoNothing)
{
   Event::Trigger("OnOSFocusLose", nullptr);
   Event::Trigger(nullptr, nullptr);
   Listener nobody("nobody");
   Event::OwnerUnregister(&nobody);
   Event::OwnerEventUnregister("OnOSFocusLose", &nobody);
   EXPECT_TRUE(calls.empty());

   // A null key gives a registration that is on no event.
   EventRegistration* loose = nobody.Register(nullptr);
   ASSERT_NE(loose, nullptr);
   EXPECT_EQ(loose->event, nullptr);
   MemoryDelete(loose);
}

TEST_F(EventTest, OwnerUnregisterRemovesEveryRegistrationAndEmptyEvents)
{
   Listener sound("sound");
   Listener fade("fade");
   sound.Register("OnOSFocusLose");
   sound.Register("OnOSFocusGain");
   fade.Register("OnOSFocusGain");
   Event* gain = Event::Get(Event::KeyMake("OnOSFocusGain"));

   Event::OwnerUnregister(&sound);
   Event::Trigger("OnOSFocusLose", nullptr);
   Event::Trigger("OnOSFocusGain", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"fade"}));
   EXPECT_EQ(gain->registrations.count, 1);
   EXPECT_EQ(Event::OwnerRegistrationsGet(&sound)->count, 0);
   Event::OwnerUnregister(&sound);

   // The last registrant leaving frees the event: a new Get makes a fresh, empty one.
   Event::OwnerEventUnregister("OnOSFocusGain", &fade);
   Event* fresh = Event::Get(Event::KeyMake("OnOSFocusGain"));
   EXPECT_EQ(fresh->registrations.count, 0);
   Event::Trigger("OnOSFocusGain", nullptr);
   EXPECT_EQ(calls.size(), 1u);
}

TEST_F(EventTest, OwnerEventUnregisterTakesOnlyThatEvent)
{
   Listener dialog("dialog");
   dialog.Register("OnLanguageChange");
   dialog.Register("GameStatePostDeinit");
   Event::OwnerEventUnregister("OnLanguageChange", &dialog);
   Event::Trigger("OnLanguageChange", nullptr);
   Event::Trigger("GameStatePostDeinit", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"dialog"}));
   Event::OwnerUnregister(&dialog);
}

TEST_F(EventTest, UnregisterOfAStrangerLogsAndKeepsTheTable)
{
   Listener a("a");
   Listener b("b");
   a.Register("OnLanguageChange");
   EventRegistration* other = b.Register("OnWindowChange");
   Event* language = Event::Get(Event::KeyMake("OnLanguageChange"));
   Event::Unregister(language, other);
   EXPECT_EQ(language->registrations.count, 1);
   Event::Trigger("OnWindowChange", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"b"}));

   // A direct unregister also leaves the owner's table, so the owner-wide one finds nothing stale.
   Event::Unregister(other->eventRegistered, other);
   Event::OwnerUnregister(&b);
   Event::OwnerUnregister(&a);
}

TEST_F(EventTest, HandlersMayUnregisterThemselvesAndOthersDuringARaise)
{
   Listener first("first");
   Listener second("second");
   Listener third("third");
   first.Register("OnLanguageChange", 3);
   second.Register("OnLanguageChange", 2);
   third.Register("OnLanguageChange", 1);
   // first removes itself and third; second removes itself through the per-event call.
   first.other = &third;
   first.during = [](Listener* self)
   {
      Event::OwnerUnregister(self);
      Event::OwnerUnregister(self->other);
   };
   second.during = [](Listener* self) { Event::OwnerEventUnregister("OnLanguageChange", self); };
   Event::Trigger("OnLanguageChange", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"first", "second"}));
   // Everyone left during the raise, so the event went when the raise ended.
   Event* fresh = Event::Get(Event::KeyMake("OnLanguageChange"));
   EXPECT_EQ(fresh->registrations.count, 0);
   EXPECT_EQ(fresh->registrationsDead.count, 0);
}

TEST_F(EventTest, NestedRaisesAndLateRegistrationsRunEachHandlerOncePerRaise)
{
   Listener outer("outer");
   Listener inner("inner");
   Listener late("late");
   outer.Register("OnWindowChange", 2);
   inner.Register("OnWindowChange", 1);
   // outer raises the event again once, and registers a newcomer that sorts before everyone.
   outer.other = &late;
   outer.during = [](Listener* self)
   {
      if (self->runs == 1)
      {
         self->other->Register("OnWindowChange", 9);
         Event::Trigger("OnWindowChange", nullptr);
      }
   };
   Event::Trigger("OnWindowChange", nullptr);
   // The nested raise walks the slots it found (outer, inner, late); the outer walk its own two.
   EXPECT_EQ(calls, (std::vector<std::string>{"outer", "outer", "inner", "late", "inner"}));
   calls.clear();
   outer.during = nullptr;
   Event::Trigger("OnWindowChange", nullptr);
   EXPECT_EQ(calls, (std::vector<std::string>{"late", "outer", "inner"}));
   for (Listener* listener : {&outer, &inner, &late})
   {
      Event::OwnerUnregister(listener);
   }
}
