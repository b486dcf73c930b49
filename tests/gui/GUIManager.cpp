// The GUI manager's frame: clicks and double clicks, hover order, wheel routing, input held back
// by a fade or a pending state switch, layers pushed from files and preloaded, and widgets removed
// by their own callbacks.
#include "tests/gui/GUIManagerTestSupport.h"
#include "core/ProgressionManager.h"
#include "platform/particle/ParticleManager2D.h"

using namespace GUIManagerTest;

namespace
{
class GUIManagerTests : public GUIManagerFixture
{
};

TEST_F(GUIManagerTests, ClicksAndDoubleClicksFollowThePressedAndClickedWidgets)
{
   LayerWrite("Menu", twoProbesLayer);
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));

   Click(50, 50);
   EXPECT_EQ(journal, "A.Over A.Press A.Release A.Click ");

   // A second press within 500 ms of the click is a double click; a third starts afresh.
   journal.clear();
   Frame(50, 50, MOUSE_BUTTON_LEFT, 0, 100);
   Frame(50, 50, 0, MOUSE_BUTTON_LEFT, 100);
   Frame(50, 50, MOUSE_BUTTON_LEFT, 0, 100);
   EXPECT_EQ(journal, "A.Press A.DoubleClick A.Release A.Click A.Press ");
   Widget* a = GUIManager::WidgetGetByPath("Menu.A");
   EXPECT_EQ(a->doubleClick, 0);

   // Too late for a double click.
   Frame(50, 50, 0, MOUSE_BUTTON_LEFT, 100);
   journal.clear();
   Frame(50, 50, MOUSE_BUTTON_LEFT, 0, 600);
   EXPECT_EQ(journal, "A.Press ");
   Frame(50, 50, 0, MOUSE_BUTTON_LEFT);

   // Released over another widget: that one hears the release, nobody gets a click.
   journal.clear();
   Frame(50, 50, MOUSE_BUTTON_LEFT, 0, 1000);
   Frame(250, 50, 0, MOUSE_BUTTON_LEFT);
   EXPECT_EQ(journal, "A.Press A.Out B.Over B.Release ");

   // A press outside every widget forgets the pressed and clicked widgets.
   PointerRecord& record = GUIManager::pointerRecords[0];
   Click(250, 50);
   EXPECT_EQ(record.clicked, GUIManager::WidgetGetByPath("Menu.B"));
   Frame(-50, -50, MOUSE_BUTTON_LEFT, 0);
   EXPECT_EQ(record.pressed, nullptr);
   EXPECT_EQ(record.clicked, nullptr);
   EXPECT_EQ(record.hovered, nullptr);

   // The right button has its own three calls.
   journal.clear();
   Frame(250, 50, MOUSE_BUTTON_RIGHT, 0);
   Frame(250, 50, 0, MOUSE_BUTTON_RIGHT);
   EXPECT_EQ(journal, "B.Over B.RightPress B.RightRelease B.RightClick ");
}

TEST_F(GUIManagerTests, APressAndReleaseWithinOneFrameIsOneWholeClick)
{
   LayerWrite("Menu", twoProbesLayer);
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   // A window shown 1:1, its messages read as the system pointer.
   screen.clientWidth = 960;
   screen.clientHeight = 720;
   screen.preparedAreaWindowedEnabled = 0;
   screen.displayModeChanged = 0;
   screen.desktopOverride = 0;
   mouseManager.systemMouseMode = 1;
   mouseManager.touchAvailable = 0;
   mouseStateSystem.Init(Point2I{500, 500}, PlatformRect{0, 0, 960, 720}, false);
   mouseStateSystem.present = 1;
   uptr result = 0;
   mouseManager.WindowMessageHandle(nullptr, MESSAGE_MOUSEMOVE, 0, ParamPack(50, 50), &result);
   mouseManager.SystemMouseUpdate(true);
   GUIManager::Update(16);
   journal.clear();

   mouseManager.WindowMessageHandle(nullptr, MESSAGE_LBUTTONDOWN, 0, ParamPack(50, 50), &result);
   mouseManager.WindowMessageHandle(nullptr, MESSAGE_LBUTTONUP, 0, ParamPack(50, 50), &result);
   mouseManager.SystemMouseUpdate(true);
   EXPECT_TRUE(mouseStateSystem.PressedCheck(MOUSE_BUTTON_LEFT));
   GUIManager::Update(16);
   EXPECT_EQ(journal, "A.Press ");
   mouseManager.SystemMouseUpdate(true);
   EXPECT_TRUE(mouseStateSystem.ReleasedCheck(MOUSE_BUTTON_LEFT));
   GUIManager::Update(16);
   mouseManager.SystemMouseUpdate(true);
   GUIManager::Update(16);
   EXPECT_EQ(journal, "A.Press A.Release A.Click ");
}

TEST_F(GUIManagerTests, InputWaitsForTheFadeAndForAPendingStateSwitch)
{
   LayerWrite("Menu", twoProbesLayer);
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   struct Gate
   {
      const char* name;
      void (*close)();
      void (*open)();
   };
   const Gate gates[] = {
       {"fade",
        [] {
           FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 255});
        },
        [] { FadeManager::Update(500); }},
       {"switch", [] { GameStateManager::Push(nullptr); }, [] { GameStateManager::Update(); }},
   };
   for (const Gate& gate : gates)
   {
      Frame(50, 50, 0, 0);
      journal.clear();
      gate.close();
      EXPECT_FALSE(GUIManager::InputAllowedCheck()) << gate.name;
      Frame(50, 50, MOUSE_BUTTON_LEFT, 0);
      Frame(50, 50, 0, MOUSE_BUTTON_LEFT);
      EXPECT_EQ(journal, "A.Out ") << gate.name;
      EXPECT_EQ(GUIManager::pointerRecords[0].hovered, nullptr) << gate.name;
      gate.open();
      EXPECT_TRUE(GUIManager::InputAllowedCheck()) << gate.name;
      journal.clear();
      Click(50, 50);
      EXPECT_EQ(journal, "A.Over A.Press A.Release A.Click ") << gate.name;
   }
}

TEST_F(GUIManagerTests, PointerMovingBetweenWidgetsLeavesBeforeItEnters)
{
   LayerWrite("Menu", twoProbesLayer);
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   Frame(50, 50, 0, 0);
   Frame(250, 50, 0, 0);
   mouseStateSystem.present = 0;
   Frame(250, 50, 0, 0);
   EXPECT_EQ(journal, "A.Over A.Out B.Over B.Out ");
   EXPECT_EQ(GUIManager::WidgetUnderPointerGet(&mouseStateSystem), nullptr);
   MouseState stranger = MouseState();
   stranger.present = 1;
   EXPECT_EQ(GUIManager::WidgetUnderPointerGet(&stranger), nullptr);
}

TEST_F(GUIManagerTests, TheWheelGoesToTheNearestScrollTargetUnlessAWidgetOnTheWaySwallowsIt)
{
   struct Case
   {
      const char* layer;
      const char* expected;
   };
   const Case cases[] = {
       {R"({"Children": [{"Type": "ScrollProbe", "Name": "Box", "Bounds": "0|0|100|100",
            "Children": [{"Type": "Probe", "Name": "Item", "Bounds": "0|0|50|50"}]}]})",
        "Box.ScrollUp "},
       {R"({"Children": [{"Type": "ScrollProbe", "Name": "Box", "Bounds": "0|0|100|100",
            "Children": [{"Type": "ScrollProbe", "Name": "Item", "Bounds": "0|0|50|50"}]}]})",
        "Item.ScrollUp "},
       {R"({"Children": [{"Type": "ScrollProbe", "Name": "Box", "Bounds": "0|0|100|100",
            "Children": [{"Type": "Probe", "Name": "Item", "Bounds": "0|0|50|50",
                          "MouseScrollEnabled": false}]}]})",
        ""},
       {R"({"Children": [{"Type": "Probe", "Name": "Item", "Bounds": "0|0|50|50"}]})", ""},
   };
   for (const Case& c : cases)
   {
      LayerWrite("Wheel", c.layer);
      ASSERT_TRUE(GUIManager::Push("Wheel", nullptr, nullptr));
      Frame(10, 10, 0, 0);
      journal.clear();
      Frame(10, 10, 0, 0, 16, 1);
      EXPECT_EQ(journal, c.expected) << c.layer;
      GUIManager::Pop();
      Frame(-50, -50, 0, 0);
   }
}

TEST_F(GUIManagerTests, AWidgetUnderARunningTransitionIsNeverHoveredOrPressed)
{
   LayerWrite("Menu", R"({"Children": [{"Type": "Container", "Name": "Panel", "Bounds": "0|0|100|100",
       "Transitions": {"Enter": {"Type": "Linear", "Duration": 200}},
       "Children": [{"Type": "Probe", "Name": "A", "Bounds": "0|0|100|100"}]}]})");
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   Widget* panel = GUIManager::WidgetGetByPath("Menu.Panel");
   panel->TransitionStart("Enter");
   ASSERT_TRUE(panel->TransitionRunningCheck());
   Frame(50, 50, MOUSE_BUTTON_LEFT, 0, 50);
   Frame(50, 50, 0, MOUSE_BUTTON_LEFT, 50);
   EXPECT_EQ(journal, "");
   Frame(50, 50, 0, 0, 200);
   Click(50, 50);
   EXPECT_EQ(journal, "A.Over A.Press A.Release A.Click ");
}

TEST_F(GUIManagerTests, PushBuildsTheLayerFromItsFolderAndTellsTheCaller)
{
   LayerWrite("Menu", twoProbesLayer);
   struct Seen
   {
      LayerWidget* layer = nullptr;
      i32 calls = 0;
   } seen;
   auto callback = [](LayerWidget* layer, void* data)
   {
      Seen* s = static_cast<Seen*>(data);
      s->layer = layer;
      s->calls++;
      // The layer is already in place when the callback runs.
      EXPECT_EQ(GUIManager::root->ChildLastGet(), layer);
   };
   ASSERT_TRUE(GUIManager::Push("Menu", callback, &seen));
   EXPECT_EQ(seen.calls, 1);
   ASSERT_NE(seen.layer, nullptr);
   EXPECT_STREQ(seen.layer->NameGet(), "Menu");
   EXPECT_STREQ(seen.layer->SpriteResourceFilenameGet(), "GUI/Menu/Sprites");
   EXPECT_EQ(GUIManager::WidgetGetByPath("Menu.B")->ParentGet(), seen.layer);

   {
      LogCapture log;
      EXPECT_FALSE(GUIManager::Push("Nowhere", callback, &seen));
      EXPECT_EQ(log.text, "GUIManager::Push -- GUI layer not found: \"Nowhere\"\n");
      EXPECT_EQ(GUIManager::LayerCreate("Nowhere"), nullptr);
   }
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 1);

   GUIManager::Pop();
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);
   GUIManager::Update(0);
   EXPECT_EQ(probesDestroyed, 2);

   // Before Init and after Deinit a push fails quietly.
   GUIManager::Deinit();
   LogCapture log;
   EXPECT_FALSE(GUIManager::Push("Menu", callback, &seen));
   EXPECT_EQ(log.text, "");
   EXPECT_EQ(seen.calls, 1);
   GUIManager::Init();
}

TEST_F(GUIManagerTests, TwoLayersOfOneNameAreCountedAndRemovedByName)
{
   LayerWrite("Menu", twoProbesLayer);
   LayerWrite("Top", R"({"DisableLayersBelow": false})");
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   ASSERT_TRUE(GUIManager::Push("Top", nullptr, nullptr));
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   EXPECT_EQ(GUIManager::LayerNameCountGet("Menu"), 2);
   Widget* lower = GUIManager::root->ChildGetAt(0);

   GUIManager::Remove("Menu");
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 2);
   EXPECT_EQ(GUIManager::root->ChildIndexGet(lower), -1) << "the lower one goes first";
   GUIManager::Update(0);
   EXPECT_EQ(GUIManager::LayerNameCountGet("Menu"), 1);
   EXPECT_FALSE(GUIManager::LayerNameRelease("Unknown"));
   EXPECT_NE(SpriteManager::ResourceFileGet("GUI/Menu/Sprites"), nullptr)
       << "the other Menu layer still holds the sprite file";
}

TEST_F(GUIManagerTests, PreloadsAreCountedAndAMissingOrBrokenFileLeavesNothing)
{
   LayerWrite("Menu", twoProbesLayer);
   GUIManager::Preload("Menu");
   GUIManager::Preload("Menu");
   ASSERT_EQ(GUIManager::preloadedLayers.count, 1);
   EXPECT_EQ(GUIManager::preloadedLayers.First()->value.count, 2);
   ASSERT_NE(SpriteManager::ResourceFileGet("GUI/Menu/Sprites"), nullptr);

   // The preloaded tree builds the layer; the file is not read again.
   std::filesystem::remove(folder + "/Graphics/GUI/Menu/Widgets.json");
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   EXPECT_NE(GUIManager::WidgetGetByPath("Menu.A"), nullptr);
   GUIManager::Pop();
   GUIManager::Update(0);

   GUIManager::UndoPreload("Menu");
   EXPECT_EQ(GUIManager::preloadedLayers.count, 1);
   EXPECT_NE(SpriteManager::ResourceFileGet("GUI/Menu/Sprites"), nullptr);
   GUIManager::UndoPreload("Menu");
   EXPECT_EQ(GUIManager::preloadedLayers.count, 0);
   EXPECT_EQ(SpriteManager::ResourceFileGet("GUI/Menu/Sprites"), nullptr);
   GUIManager::UndoPreload("Menu");
   GUIManager::UndoPreload(nullptr);

   LayerWrite("Broken", "{\"Children\": [");
   LogCapture log;
   GUIManager::Preload("Missing");
   GUIManager::Preload("Broken");
   EXPECT_TRUE(
       log.Has("GUIManager::Preload -- GUI layer specification file not found: \"GUI/Missing/Widgets\"\n"));
   EXPECT_TRUE(log.Has(
       "GUIManager::Preload -- failed to load GUI layer specification file: \"GUI/Broken/Widgets\"\n"));
   EXPECT_EQ(GUIManager::preloadedLayers.count, 0);

   // A preload left standing is undone by Deinit (the teardown checks the sprite file went).
   LayerWrite("Menu", twoProbesLayer);
   GUIManager::Preload("Menu");
}

TEST_F(GUIManagerTests, BuiltInNamesAreRegisteredAndCanBeReplaced)
{
   for (const char* name : {"FromLeft", "FromRight", "FromTop", "FromBottom", "ToLeft", "ToRight", "ToTop",
                            "ToBottom", "Linear"})
   {
      EXPECT_NE(GUIManager::TransitionTypeFind(name), nullptr) << name;
   }
   EXPECT_NE(GUIManager::WidgetTypeFind("Container"), nullptr);
   EXPECT_NE(GUIManager::WidgetTypeFind("Sprite"), nullptr);
   GUIManager::WidgetTypeRegister("Sprite", &WidgetCreate<Probe>);
   EXPECT_EQ(GUIManager::WidgetTypeFind("Sprite"), &WidgetCreate<Probe>);
}

TEST_F(GUIManagerTests, ACallbackThatClosesItsOwnLayerEndsThatWidgetsInputForTheFrame)
{
   LayerWrite("Below", twoProbesLayer);
   LayerWrite("Menu", R"({"DisableLayersBelow": false, "Children": [
       {"Type": "Probe", "Name": "C", "PositionOffset": "200|200", "Bounds": "0|0|100|100"}]})");

   // A's mouse-out closes the layer holding C, which the pointer reached in the same frame and
   // presses: C hears nothing and no record keeps it.
   ASSERT_TRUE(GUIManager::Push("Below", nullptr, nullptr));
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   Frame(50, 50, 0, 0);
   Probe::onMouseOut = [](Probe* probe)
   {
      if (std::string(probe->NameGet()) == "A")
      {
         GUIManager::Remove("Menu");
      }
   };
   journal.clear();
   Frame(250, 250, MOUSE_BUTTON_LEFT | MOUSE_BUTTON_RIGHT, 0);
   EXPECT_EQ(journal, "A.Out ");
   const PointerRecord& record = GUIManager::pointerRecords[0];
   EXPECT_EQ(record.pressed, nullptr);
   EXPECT_EQ(record.hovered, nullptr);
   EXPECT_EQ(record.rightPressed, nullptr);
   EXPECT_EQ(probesDestroyed, 1);
   Probe::onMouseOut = nullptr;

   // A click that pops its own layer: the right press of the same frame goes nowhere, and the
   // widgets are destroyed once, at the end of the update.
   ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
   Frame(250, 250, MOUSE_BUTTON_LEFT, 0);
   Probe::onClick = [](Probe*)
   {
      GUIManager::Pop();
      EXPECT_EQ(probesDestroyed, 1) << "destroyed inside the update";
   };
   journal.clear();
   Frame(250, 250, MOUSE_BUTTON_RIGHT, MOUSE_BUTTON_LEFT);
   EXPECT_EQ(journal, "C.Release C.Click ");
   EXPECT_EQ(probesDestroyed, 2);
   EXPECT_EQ(record.rightPressed, nullptr);
}

TEST_F(GUIManagerTests, TheEasingAndParticleRegistriesStopWithTheGUIOnlyWhenItStartedThem)
{
   GUIManager::Deinit();
   ProgressionManager::Deinit();
   ParticleManager2D::Deinit();

   GUIManager::Init();
   EXPECT_TRUE(ProgressionManager::InitialisedCheck());
   EXPECT_TRUE(ParticleManager2D::InitialisedCheck());
   GUIManager::Deinit();
   EXPECT_FALSE(ProgressionManager::InitialisedCheck());
   EXPECT_FALSE(ParticleManager2D::InitialisedCheck());

   // Started by someone else first: they outlive the GUI.
   ProgressionManager::Init();
   ParticleManager2D::Init();
   GUIManager::Init();
   GUIManager::Deinit();
   EXPECT_TRUE(ProgressionManager::InitialisedCheck());
   EXPECT_TRUE(ParticleManager2D::InitialisedCheck());
   ProgressionManager::Deinit();
   ParticleManager2D::Deinit();

   GUIManager::Init();
}
} // namespace
