// The ring selector: places, depth scale and tint on the ellipse, the eased turn and its snap, the
// turn across the wrap, drawing back to front with reflections, and its keys.
#include "gui/widgets/RingSelectorWidget.h"

#include <cmath>
#include <string>
#include <vector>

#include "tests/gui/WidgetTestSupport.h"
#include "gui/widgets/SelectorItemWidget.h"

using namespace WidgetTest;

namespace
{
struct DrawRecord
{
   std::string name;
   Point2F scale;
   ColorRGBA8 color;
};

// An item that notes each time it is drawn, with the scale and tint it is drawn at.
class RecordingItem : public SelectorItemWidget
{
 public:
   void DrawBegin() override {}
   void Draw() override { log->push_back({NameGet(), ScaleGet(), ColorGet()}); }
   void DrawEnd() override {}
   std::vector<DrawRecord>* log = nullptr;
};

class RecordingRing : public RingSelectorWidget
{
 public:
   SelectorItemWidget* ItemCreate(const char* itemName, ContainerWidget* container,
                                  const JSONValue* item) override
   {
      RecordingItem* made = MemoryNew<RecordingItem>(HEAP_DEFAULT);
      made->Init(itemName, container, item, this);
      made->log = &draws;
      return made;
   }
   std::vector<DrawRecord> draws;
};

const char* const fourItems = R"("Items": [{"Name": "A"}, {"Name": "B"}, {"Name": "C"}, {"Name": "D"}])";

class RingSelectorTest : public GUITest
{
 protected:
   void TearDown() override
   {
      WidgetDestroy(ring);
      GUITest::TearDown();
   }

   void Build(const std::string& body)
   {
      WidgetDestroy(ring);
      ring = Make<RecordingRing>("{" + body + "}", nullptr, "Ring");
   }

   Widget* Item(i32 index) { return ring->itemContainer->ChildGetAt(index); }

   RecordingRing* ring = nullptr;
};

std::string Color(const ColorRGBA8& c)
{
   return std::to_string(c.r) + "|" + std::to_string(c.g) + "|" + std::to_string(c.b) + "|" +
          std::to_string(c.a);
}

TEST_F(RingSelectorTest, ItemsSitOnTheEllipseScaledAndTintedByDepth)
{
   const std::string looks = R"("RingBounds": "100|50|200|100", "ItemFrontScale": "2|2",
       "ItemBackScale": "0.5|1", "ItemFrontColor": "255|0|0|255", "ItemBackColor": "0|0|255|55", )";
   Build(looks + R"("Items": [{"Name": "Only"}])");
   ring->Update(16);
   EXPECT_FLOAT_EQ(Item(0)->PositionGet().x, 200.0f) << "one item sits at the bottom centre";
   EXPECT_FLOAT_EQ(Item(0)->PositionGet().y, 150.0f);
   EXPECT_FLOAT_EQ(Item(0)->ScaleGet().x, 2.0f);
   EXPECT_FLOAT_EQ(Item(0)->ScaleGet().y, 2.0f);
   EXPECT_EQ(Color(Item(0)->ColorGet()), "255|0|0|255");

   Build(looks + fourItems);
   ring->Update(16);
   const struct
   {
      float x, y, scaleX, scaleY;
      const char* color;
   } expected[] = {
       {200.0f, 150.0f, 2.0f, 2.0f, "255|0|0|255"},    // front
       {300.0f, 100.0f, 1.25f, 1.5f, "127|0|127|155"}, // right side, half way
       {200.0f, 50.0f, 0.5f, 1.0f, "0|0|255|55"},      // back
       {100.0f, 100.0f, 1.25f, 1.5f, "127|0|127|155"}, // left side
   };
   for (i32 i = 0; i < 4; i++)
   {
      EXPECT_NEAR(Item(i)->PositionGet().x, expected[i].x, 1e-3f) << i;
      EXPECT_NEAR(Item(i)->PositionGet().y, expected[i].y, 1e-3f) << i;
      EXPECT_FLOAT_EQ(Item(i)->ScaleGet().x, expected[i].scaleX) << i;
      EXPECT_FLOAT_EQ(Item(i)->ScaleGet().y, expected[i].scaleY) << i;
      EXPECT_EQ(Color(Item(i)->ColorGet()), expected[i].color) << i;
   }

   // The centre is taken in the item container's own space.
   ring->itemContainer->PositionSet(Point2F{20.0f, 10.0f});
   ring->ItemsLayout();
   EXPECT_NEAR(Item(0)->PositionGet().x, 180.0f, 1e-3f);
   EXPECT_NEAR(Item(0)->PositionGet().y, 140.0f, 1e-3f);
}

TEST_F(RingSelectorTest, TheTurnLeavesTheSameShareAfterASecondAndThenSnaps)
{
   for (u32 frame : {1000u, 100u, 16u, 5u})
   {
      Build(std::string(R"("RingBounds": "0|0|100|100", )") + fourItems);
      ring->SelectionStep(1, true);
      ASSERT_FLOAT_EQ(ring->RingAngleTargetGet(), -90.0f);
      u32 spent = 0;
      for (; spent + frame <= 1000; spent += frame)
      {
         ring->Update(frame);
      }
      ring->Update(1000 - spent);
      // 3 % of the 90 degrees is left.
      EXPECT_NEAR(ring->ringAngle, -87.3f, 0.01f) << frame;
   }

   // Once the gap left after a frame is within 0.1 degree the ring lands exactly, and stays.
   int snaps = 0;
   float before = ring->ringAngle;
   for (int i = 0; i < 200; i++)
   {
      ring->Update(16);
      if (ring->ringAngle == -90.0f && before != -90.0f)
      {
         snaps++;
         EXPECT_LE(std::fabs(-90.0f - before) * std::pow(0.03f, 0.016f), 0.1f + 1e-5f);
      }
      before = ring->ringAngle;
   }
   EXPECT_EQ(snaps, 1);
   EXPECT_EQ(ring->ringAngle, -90.0f);
   ring->Update(0);
   EXPECT_EQ(ring->ringAngle, -90.0f);
}

TEST_F(RingSelectorTest, AcrossTheWrapTheRingKeepsTurningTheWayOfTheStep)
{
   Build(std::string(R"("RingBounds": "0|0|100|100", )") + fourItems);
   ring->SelectionSetByName("D", false);
   ring->TransitionsFinish();
   ASSERT_FLOAT_EQ(ring->ringAngle, -270.0f);

   // Forward from the last to the first: the angle keeps falling, from 90 to 0.
   ring->SelectionStep(1, true);
   EXPECT_STREQ(ring->SelectionNameGet(), "A");
   EXPECT_FLOAT_EQ(ring->ringAngle, 90.0f);
   ring->Update(100);
   EXPECT_GT(ring->ringAngle, 0.0f);
   EXPECT_LT(ring->ringAngle, 90.0f);
   ring->TransitionsFinish();
   EXPECT_FLOAT_EQ(ring->ringAngle, 0.0f);

   // Backward from the first to the last: the angle keeps rising, from -360 to -270.
   ring->SelectionStep(-1, true);
   EXPECT_STREQ(ring->SelectionNameGet(), "D");
   EXPECT_FLOAT_EQ(ring->ringAngle, -360.0f);
   ring->Update(100);
   EXPECT_GT(ring->ringAngle, -360.0f);
   EXPECT_LT(ring->ringAngle, -270.0f);

   // Steps that do not wrap, and a ring that does not wrap, leave the angle to the turn.
   ring->TransitionsFinish();
   ring->SelectionStep(-1, true);
   EXPECT_FLOAT_EQ(ring->ringAngle, -270.0f);
   Build(std::string(R"("RingBounds": "0|0|100|100", "WrapAround": false, )") + fourItems);
   ring->SelectionStep(-1, true);
   EXPECT_STREQ(ring->SelectionNameGet(), "A");
   EXPECT_FLOAT_EQ(ring->ringAngle, 0.0f);
}

TEST_F(RingSelectorTest, ItemsAreDrawnBackToFrontEachAfterItsReflection)
{
   Build(std::string(R"("RingBounds": "0|0|100|100", "ItemBackColor": "100|100|100|255",
       "ItemReflectionVisible": true, "ItemReflectionScale": "1|-0.5", "ItemReflectionColor": "255|255|255|128", )") +
         fourItems);
   ring->Update(16);
   ring->itemContainer->Draw();
   // C is at the back, B and D level at the sides (list order kept), A at the front.
   const struct
   {
      const char* name;
      float scaleY;
      const char* color;
   } expected[] = {
       {"C", -0.5f, "100|100|100|128"}, {"C", 1.0f, "100|100|100|255"},  {"B", -0.5f, "177|177|177|128"},
       {"B", 1.0f, "177|177|177|255"},  {"D", -0.5f, "177|177|177|128"}, {"D", 1.0f, "177|177|177|255"},
       {"A", -0.5f, "255|255|255|128"}, {"A", 1.0f, "255|255|255|255"},
   };
   ASSERT_EQ(ring->draws.size(), 8u);
   for (size_t i = 0; i < 8; i++)
   {
      EXPECT_EQ(ring->draws[i].name, expected[i].name) << i;
      EXPECT_FLOAT_EQ(ring->draws[i].scale.y, expected[i].scaleY) << i;
      EXPECT_EQ(Color(ring->draws[i].color), expected[i].color) << i;
   }
   EXPECT_EQ(Item(0)->NameGet(), std::string("A")) << "drawing does not reorder the items";
   EXPECT_FLOAT_EQ(Item(2)->ScaleGet().y, 1.0f) << "the reflection's scale is put back";
   EXPECT_EQ(Color(Item(2)->ColorGet()), "100|100|100|255");

   // Without reflections each item is drawn once.
   ring->itemReflectionVisible = 0;
   ring->draws.clear();
   ring->itemContainer->Draw();
   ASSERT_EQ(ring->draws.size(), 4u);
   EXPECT_EQ(ring->draws[0].name + ring->draws[1].name + ring->draws[2].name + ring->draws[3].name, "CBDA");
}

TEST_F(RingSelectorTest, KeysOutOfRangeAreLoggedAndClamped)
{
   const struct
   {
      const char* body;
      float speed;
      const char* line;
   } cases[] = {
       {R"("RingBounds": "0|0|10|10")", 0.97f, nullptr},
       {R"("RingBounds": "0|0|10|10", "RingRotationSpeed": 1.5)", 1.0f,
        "RingSelectorWidget::Init -- RingRotationSpeed 1.5 outside 0 to 1 in widget \"Ring\"; clamped\n"},
       {R"("RingBounds": "0|0|10|10", "RingRotationSpeed": -0.25)", 0.0f,
        "RingSelectorWidget::Init -- RingRotationSpeed -0.25 outside 0 to 1 in widget \"Ring\"; clamped\n"},
       {R"("RingRotationSpeed": 0.5)", 0.5f,
        "RingSelectorWidget::Init -- RingBounds not specified as a string "
        "for \"Ring\".\n"},
   };
   for (const auto& c : cases)
   {
      LogCapture log;
      Build(std::string(c.body) + ", " + fourItems);
      EXPECT_FLOAT_EQ(ring->ringRotationSpeed, c.speed) << c.body;
      if (c.line)
      {
         EXPECT_TRUE(log.Contains(c.line)) << log.text;
      }
      else
      {
         EXPECT_EQ(log.text, "") << c.body;
      }
      ring->SelectionStep(1, true);
      for (int i = 0; i < 10; i++)
      {
         ring->Update(100);
      }
      EXPECT_TRUE(std::isfinite(ring->ringAngle)) << c.body;
   }
   // A full speed lands at once; none never moves.
   Build(std::string(R"("RingBounds": "0|0|10|10", "RingRotationSpeed": 1, )") + fourItems);
   ring->SelectionStep(1, true);
   ring->Update(16);
   EXPECT_FLOAT_EQ(ring->ringAngle, -90.0f);

   // The defaults, and an items container hit only on its own bounds.
   Build(fourItems);
   EXPECT_FLOAT_EQ(ring->ringBounds.width, 1.0f);
   EXPECT_FLOAT_EQ(ring->itemReflectionScale.y, -1.0f);
   EXPECT_EQ(ring->itemReflectionVisible, 0);
   ring->Update(16);
   Item(0)->BoundsSet(Box2F{-10.0f, -10.0f, 20.0f, 20.0f});
   EXPECT_EQ(ring->itemContainer->WidgetAtPointGet(Item(0)->PositionGet()), nullptr);
   EXPECT_EQ(ring->itemContainer->ChildrenBoundsGet().width, 0.0f);
}
} // namespace
