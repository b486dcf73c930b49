// Shared pieces of the widget tests: a GUI manager state with the types registered, one pointer
// driven by hand, widgets built from JSON texts, and a log sink.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "tests/core/JSONTestSupport.h"
#include "tests/platform/BitmapTestSupport.h"
#include "core/Memory.h"
#include "core/ProgressionManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/GUIManager.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/Widget.h"
#include "gui/transitions/WidgetTransitionLinear.h"
#include "gui/transitions/WidgetTransitionTranslate.h"
#include "platform/input/MouseState.h"

namespace WidgetTest
{
using namespace Corvale;
using JSONTest::TextParse;
using JSONTest::ValuePointer;
using testing_support::LogCapture;

// Destroys what Init built, the way the GUI manager does for removed widgets.
template <class T> void WidgetDestroy(T* widget)
{
   if (widget)
   {
      widget->Deinit();
      MemoryDelete(widget);
   }
}

class GUITest : public ::testing::Test
{
 protected:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      ProgressionManager::Init();
      GUIManager::initialised = 1;
      GUIManager::screenArea = Box2F{0.0f, 0.0f, 960.0f, 720.0f};
      GUIManager::transitionsRunning = 0;
      GUIManager::focus = nullptr;
      GUIManager::removedChain = nullptr;
      GUIManager::WidgetTypeRegister("Container", &WidgetCreate<ContainerWidget>);
      GUIManager::WidgetTypeRegister("Sprite", &WidgetCreate<SpriteWidget>);
      for (const char* movement :
           {"FromLeft", "FromRight", "FromTop", "FromBottom", "ToLeft", "ToRight", "ToTop", "ToBottom"})
      {
         GUIManager::TransitionTypeRegister(movement, &WidgetTransitionTranslate::Create);
      }
      GUIManager::TransitionTypeRegister("Linear", &WidgetTransitionLinear::Create);
      pointer = MouseState();
      pointer.present = 1;
      GUIManager::pointerRecords.SizeSet(0);
      PointerRecord record;
      record.mouseState = &pointer;
      GUIManager::pointerRecords.Insert(record, 0);
   }

   void TearDown() override
   {
      GUIManager::RemovedWidgetsDestroy();
      EXPECT_EQ(GUIManager::removedChain, nullptr);
      GUIManager::pointerRecords = Table<PointerRecord>();
      GUIManager::TypesClear();
      GUIManager::initialised = 0;
      EXPECT_EQ(GUIManager::transitionsRunning, 0) << "a transition stayed counted";
   }

   PointerRecord* Record() { return &GUIManager::pointerRecords[0]; }

   // A widget of class T initialised from a JSON text, with an optional parent.
   template <class T> T* Make(const std::string& json, Widget* parent = nullptr, const char* name = "W")
   {
      ValuePointer spec = TextParse(json);
      EXPECT_TRUE(spec) << json;
      T* widget = MemoryNew<T>(HEAP_DEFAULT);
      widget->Init(name, parent, spec.get());
      return widget;
   }

   // The pointer at (x, y) with the left button in the given state this frame and the last.
   void PointerSet(i32 x, i32 y, bool downNow, bool downBefore)
   {
      pointer.previousX = pointer.x;
      pointer.previousY = pointer.y;
      pointer.x = x;
      pointer.y = y;
      pointer.frameButtons = downNow ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
      pointer.previousButtons = downBefore ? static_cast<u32>(MOUSE_BUTTON_LEFT) : 0u;
   }

   MouseState pointer;
};
} // namespace WidgetTest
