// Layers: the setting that shuts off the layers below, a broken or missing layer file, pointer
// releases reported only while the layer takes input, and the frame callback.
#include "tests/gui/GUIManagerTestSupport.h"

using namespace GUIManagerTest;

namespace
{
class LayerWidgetTest : public GUIManagerFixture
{
};

// A layer that notes its pointer releases and frames.
class NotingLayer : public LayerWidget
{
 public:
   void OnMouseUp() override { journal += "MouseUp "; }
};

TEST_F(LayerWidgetTest, ALayerAboveShutsOffTheLayersBelowUnlessItSaysOtherwise)
{
   struct Case
   {
      const char* top;
      bool belowEnabled;
   };
   const Case cases[] = {
       {"{}", false},
       {R"({"DisableLayersBelow": true})", false},
       {R"({"DisableLayersBelow": false})", true},
       {R"({"DisableLayersBelow": 0})", true},
       {R"({"DisableLayersBelow": 2})", false},
       {R"({"DisableLayersBelow": "no"})", false},
   };
   LayerWrite("Menu", twoProbesLayer);
   for (const Case& c : cases)
   {
      LayerWrite("Popup", c.top);
      ASSERT_TRUE(GUIManager::Push("Menu", nullptr, nullptr));
      ASSERT_TRUE(GUIManager::Push("Popup", nullptr, nullptr));
      Widget* a = GUIManager::WidgetGetByPath("Menu.A");
      EXPECT_EQ(a->EnabledCheck(), c.belowEnabled) << c.top;
      EXPECT_TRUE(GUIManager::root->ChildLastGet()->EnabledCheck()) << c.top;
      journal.clear();
      Click(50, 50);
      // A shut-off widget still hears the press (for its invalid-press sound) but gets no click.
      EXPECT_EQ(journal.find("A.Click") != std::string::npos, c.belowEnabled) << c.top << ": " << journal;
      // With the popup gone the layer below answers again.
      GUIManager::Pop();
      EXPECT_TRUE(a->EnabledCheck()) << c.top;
      GUIManager::Pop();
      GUIManager::Update(0);
   }
}

TEST_F(LayerWidgetTest, ALayerFileThatDoesNotParseGivesNoLayerAndHoldsNothing)
{
   LayerWrite("Broken", "{\"Children\": [");
   LogCapture log;
   EXPECT_FALSE(GUIManager::Push("Broken", nullptr, nullptr));
   EXPECT_TRUE(log.Has("LayerWidget::InitFromFolder -- failed to load GUI layer specification file: "
                       "\"GUI/Broken/Widgets\"\n"));
   EXPECT_TRUE(log.Has("GUIManager::Push -- GUI layer not found: \"Broken\"\n"));
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);
   EXPECT_EQ(GUIManager::LayerNameCountGet("Broken"), 0);
   EXPECT_EQ(SpriteManager::ResourceFileGet("GUI/Broken/Sprites"), nullptr);

   // Without Widgets.json there is no layer to create, and nothing is said until a push.
   LayerWrite("Bare", "{}");
   std::filesystem::remove(folder + "/Graphics/GUI/Bare/Widgets.json");
   log.text.clear();
   EXPECT_FALSE(LayerWidget::SpecificationExistsCheck("Bare"));
   EXPECT_EQ(GUIManager::LayerCreate("Bare"), nullptr);
   EXPECT_EQ(log.text, "");
}

TEST_F(LayerWidgetTest, PointerReleasesReachTheLayerOnlyWhileItTakesInput)
{
   LayerWrite("Menu", twoProbesLayer);
   NotingLayer* layer = MemoryNew<NotingLayer>(HEAP_DEFAULT);
   ASSERT_TRUE(layer->InitFromFolder("Menu", GUIManager::root, "GUI/Menu", nullptr));
   GUIManager::root->ChildAddLast(layer);
   layer->updateUserData = &journal;
   layer->updateCallback = [](u32 elapsed, LayerWidget*, void* data)
   { *static_cast<std::string*>(data) += "Frame" + std::to_string(elapsed) + " "; };

   Frame(500, 500, MOUSE_BUTTON_LEFT, 0, 5);
   Frame(500, 500, 0, MOUSE_BUTTON_LEFT, 6);
   Frame(500, 500, 0, 0, 7);
   EXPECT_EQ(journal, "Frame5 MouseUp Frame6 Frame7 ");

   // Released during a fade: no report, neither then nor in the frame after the fade.
   journal.clear();
   Frame(500, 500, MOUSE_BUTTON_LEFT, 0);
   FadeManager::FadeStart(ColorRGBA8{0, 0, 0, 255});
   Frame(500, 500, 0, MOUSE_BUTTON_LEFT, 1);
   FadeManager::Update(500);
   Frame(500, 500, 0, 0, 2);
   EXPECT_EQ(journal, "Frame16 Frame1 Frame2 ");
}
} // namespace
