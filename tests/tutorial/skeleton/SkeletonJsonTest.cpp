// The skeleton file reader: every member of a hand-written file, each failure message from a
// one-edit change of it, name and colour rules, scaling, and reads cut short by failed
// allocations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/tutorial/skeleton/SkeletonFiles.h"
#include "tests/tutorial/skeleton/SkeletonTestSupport.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAttachmentLoader.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skBoundingBoxAttachment.h"
#include "tutorial/skeleton/skEvent.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skIkConstraintData.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSkinnedMeshAttachment.h"
#include "tutorial/skeleton/skSlotData.h"

namespace Corvale
{
namespace
{
using skeleton_test_support::Edit;
using skeleton_test_support::HookedTest;
using skeleton_test_support::LoadedSkeleton;
using skeleton_test_support::SkeletonFileText;
using skeleton_test_support::State;

template <class T> std::vector<T> Values(const T* values, i32 count)
{
   return values ? std::vector<T>(values, values + count) : std::vector<T>();
}

template <class T> T* Timeline(const skAnimation* animation, skTimelineType type, i32 nth = 0)
{
   for (i32 i = 0; i < animation->timelinesCount; ++i)
   {
      if (animation->timelines[i] && animation->timelines[i]->type == type && nth-- == 0)
      {
         return static_cast<T*>(animation->timelines[i]);
      }
   }
   return nullptr;
}

skAttachment* Attachment(const skSkeletonData* data, const char* skin, const char* slot, const char* name)
{
   return skSkin_getAttachment(skSkeletonData_findSkin(data, skin), skSkeletonData_findSlotIndex(data, slot),
                               name);
}

class SkeletonJsonTest : public HookedTest
{
};

TEST_F(SkeletonJsonTest, AValidFileGivesEveryMember)
{
   State().files["dir/skeleton.json"] = SkeletonFileText();
   LoadedSkeleton loaded("");
   ASSERT_NE(loaded.json, nullptr);
   skSkeletonData* data = skSkeletonJson_readSkeletonDataFile(loaded.json, "dir/skeleton.json");
   ASSERT_NE(data, nullptr) << loaded.Error();
   loaded.data = data;
   EXPECT_EQ(loaded.Error(), nullptr);
   EXPECT_STREQ(data->hash, "h1");
   EXPECT_STREQ(data->version, "2.1");
   EXPECT_EQ(data->width, 100);
   EXPECT_EQ(data->height, 200);

   ASSERT_EQ(data->bonesCount, 5);
   const skBoneData* root = data->bones[0];
   const skBoneData* shoulder = data->bones[1];
   EXPECT_EQ(root->parent, nullptr);
   EXPECT_EQ(root->scaleX, 1);
   EXPECT_EQ(root->inheritScale, 1);
   EXPECT_EQ(root->flipY, 0);
   EXPECT_STREQ(shoulder->name, "shoulder");
   EXPECT_EQ(shoulder->parent, root);
   EXPECT_EQ(std::vector<float>({shoulder->length, shoulder->x, shoulder->y, shoulder->rotation,
                                 shoulder->scaleX, shoulder->scaleY}),
             std::vector<float>({10, 1, 2, 30, 2, 0.5f}));
   EXPECT_EQ(std::vector<i32>(
                 {shoulder->inheritScale, shoulder->inheritRotation, shoulder->flipX, shoulder->flipY}),
             std::vector<i32>({0, 1, 0, 1}));
   EXPECT_EQ(data->bones[3]->parent, data->bones[2]);

   ASSERT_EQ(data->ikConstraintsCount, 1);
   const skIkConstraintData* ik = data->ikConstraints[0];
   EXPECT_EQ(Values(ik->bones, ik->bonesCount), std::vector<skBoneData*>({data->bones[2], data->bones[3]}));
   EXPECT_EQ(ik->target, data->bones[4]);
   EXPECT_EQ(ik->bendDirection, -1);
   EXPECT_EQ(ik->mix, 0.5f);

   ASSERT_EQ(data->slotsCount, 4);
   const skSlotData* arm = data->slots[1];
   EXPECT_EQ(arm->boneData, data->bones[2]);
   EXPECT_STREQ(arm->attachmentName, "arm");
   EXPECT_EQ(std::vector<float>({arm->r, arm->g, arm->b, arm->a}),
             std::vector<float>({1, 0, 0, 128.0f / 255}));
   EXPECT_EQ(arm->blendMode, SK_BLEND_MODE_ADDITIVE);
   EXPECT_EQ(data->slots[2]->blendMode, SK_BLEND_MODE_SCREEN);
   EXPECT_EQ(data->slots[0]->blendMode, SK_BLEND_MODE_NORMAL);
   EXPECT_EQ(data->slots[0]->a, 1);

   ASSERT_EQ(data->skinsCount, 2);
   EXPECT_EQ(data->defaultSkin, data->skins[0]);
   auto* body = static_cast<skRegionAttachment*>(Attachment(data, "default", "back", "body"));
   ASSERT_NE(body, nullptr);
   ASSERT_EQ(body->type, SK_ATTACHMENT_REGION);
   EXPECT_STREQ(body->path, "body");
   EXPECT_EQ(std::vector<float>({body->x, body->y, body->width, body->height, body->rotation, body->scaleX,
                                 body->scaleY, body->r}),
             std::vector<float>({3, 4, 10, 20, 90, 2, 1, 1}));
   EXPECT_NE(body->offset[0], 0) << "corners computed";
   auto* mesh = static_cast<skMeshAttachment*>(Attachment(data, "default", "arm", "arm"));
   ASSERT_NE(mesh, nullptr);
   ASSERT_EQ(mesh->type, SK_ATTACHMENT_MESH);
   EXPECT_EQ(Values(mesh->vertices, mesh->verticesCount), std::vector<float>({0, 0, 8, 0, 8, 16}));
   EXPECT_EQ(Values(mesh->regionUVs, 6), std::vector<float>({0, 0, 1, 0, 1, 1}));
   // The arm region covers the right half of the top half of the page.
   EXPECT_EQ(Values(mesh->uvs, 6), std::vector<float>({0.5f, 0, 1, 0, 1, 0.5f}));
   EXPECT_EQ(Values(mesh->triangles, mesh->trianglesCount), std::vector<i32>({0, 1, 2}));
   EXPECT_EQ(Values(mesh->edges, mesh->edgesCount), std::vector<i32>({0, 2}));
   EXPECT_EQ(std::vector<float>({float(mesh->hullLength), mesh->width, mesh->height}),
             std::vector<float>({3, 8, 16}));
   auto* head = static_cast<skRegionAttachment*>(Attachment(data, "default", "face", "head"));
   ASSERT_NE(head, nullptr);
   EXPECT_EQ(std::vector<float>({head->r, head->g, head->b, head->a, head->width}),
             std::vector<float>({0, 1, 0, 1, 32}));
   auto* hit = static_cast<skBoundingBoxAttachment*>(Attachment(data, "default", "face", "hit"));
   ASSERT_NE(hit, nullptr);
   ASSERT_EQ(hit->type, SK_ATTACHMENT_BOUNDING_BOX);
   EXPECT_EQ(Values(hit->vertices, hit->verticesCount), std::vector<float>({1, 2, 3, 4}));
   auto* skinned = static_cast<skSkinnedMeshAttachment*>(Attachment(data, "default", "front", "skin"));
   ASSERT_NE(skinned, nullptr);
   ASSERT_EQ(skinned->type, SK_ATTACHMENT_SKINNED_MESH);
   EXPECT_EQ(Values(skinned->bones, skinned->bonesCount), std::vector<i32>({1, 2, 2, 2, 3, 1, 3}));
   EXPECT_EQ(Values(skinned->weights, skinned->weightsCount),
             std::vector<float>({5, 6, 1, 1, 1, 0.5f, 2, 2, 0.5f, 7, 8, 1}));
   EXPECT_EQ(skinned->uvsCount, 6);
   EXPECT_EQ(Values(skinned->uvs, 6), std::vector<float>({0, 0.5f, 1, 0.5f, 1, 1}));
   // A member "name" names the attachment and "path" its region; the key still files it.
   auto* face2 = static_cast<skRegionAttachment*>(Attachment(data, "other", "face", "head"));
   ASSERT_NE(face2, nullptr);
   EXPECT_STREQ(face2->name, "face2");
   EXPECT_STREQ(face2->path, "arm");

   ASSERT_EQ(data->eventsCount, 2);
   const skEventData* talk = data->events[0];
   EXPECT_STREQ(talk->name, "talk");
   EXPECT_EQ(talk->intValue, 3);
   EXPECT_EQ(talk->floatValue, 1.5f);
   EXPECT_STREQ(talk->stringValue, "hello");
   EXPECT_EQ(data->events[1]->stringValue, nullptr);

   ASSERT_EQ(data->animationsCount, 2);
   const skAnimation* animation = skSkeletonData_findAnimation(data);
   ASSERT_NE(animation, nullptr);
   EXPECT_EQ(animation->timelinesCount, 11);
   EXPECT_EQ(animation->duration, 2) << "the greatest last-frame time";
   EXPECT_EQ(data->animations[1]->duration, 0.5f);

   auto* color = Timeline<skColorTimeline>(animation, SK_TIMELINE_COLOR);
   ASSERT_NE(color, nullptr);
   EXPECT_EQ(color->slotIndex, 1);
   EXPECT_EQ(Values(color->frames, 10), std::vector<float>({0, 1, 1, 1, 1, 1, 0, 0, 0, 0}));
   EXPECT_EQ(color->curves[0], SK_CURVE_STEPPED);
   auto* attachments = Timeline<skAttachmentTimeline>(animation, SK_TIMELINE_ATTACHMENT);
   ASSERT_NE(attachments, nullptr);
   EXPECT_EQ(attachments->attachmentNames[0], nullptr);
   EXPECT_STREQ(attachments->attachmentNames[1], "arm");
   auto* rotate = Timeline<skRotateTimeline>(animation, SK_TIMELINE_ROTATE);
   ASSERT_NE(rotate, nullptr);
   EXPECT_EQ(rotate->boneIndex, 1);
   EXPECT_EQ(Values(rotate->frames, 4), std::vector<float>({0, 10, 2, 20}));
   EXPECT_EQ(rotate->curves[0], SK_CURVE_BEZIER);
   auto* translate = Timeline<skTranslateTimeline>(animation, SK_TIMELINE_TRANSLATE);
   ASSERT_NE(translate, nullptr);
   EXPECT_EQ(Values(translate->frames, 3), std::vector<float>({0, 1, 2}));
   auto* scale = Timeline<skScaleTimeline>(animation, SK_TIMELINE_SCALE);
   ASSERT_NE(scale, nullptr);
   EXPECT_EQ(Values(scale->frames, 3), std::vector<float>({0.5f, 2, 3}));
   auto* flipX = Timeline<skFlipTimeline>(animation, SK_TIMELINE_FLIP);
   auto* flipY = Timeline<skFlipTimeline>(animation, SK_TIMELINE_FLIP, 1);
   ASSERT_TRUE(flipX && flipY);
   EXPECT_EQ(std::vector<float>({float(flipX->x), flipX->frames[0], flipX->frames[1]}),
             std::vector<float>({1, 0, 1}));
   EXPECT_EQ(std::vector<float>({float(flipY->x), flipY->frames[0], flipY->frames[1]}),
             std::vector<float>({0, 0.25f, 1}));
   auto* ikKeys = Timeline<skIkConstraintTimeline>(animation, SK_TIMELINE_IKCONSTRAINT);
   ASSERT_NE(ikKeys, nullptr);
   EXPECT_EQ(Values(ikKeys->frames, 6), std::vector<float>({0, 0.25f, -1, 1.5f, 0, 1}));
   auto* ffd = Timeline<skFFDTimeline>(animation, SK_TIMELINE_FFD);
   ASSERT_NE(ffd, nullptr);
   EXPECT_EQ(ffd->attachment, mesh);
   EXPECT_EQ(ffd->slotIndex, 1);
   ASSERT_EQ(ffd->frameVerticesCount, 6);
   EXPECT_EQ(Values(ffd->frameVertices[0], 6), std::vector<float>({0, 0, 8, 0, 8, 16})) << "setup vertices";
   EXPECT_EQ(Values(ffd->frameVertices[1], 6), std::vector<float>({0, 0, 9, 1, 8, 16})) << "from the offset";
   auto* drawOrder = Timeline<skDrawOrderTimeline>(animation, SK_TIMELINE_DRAWORDER);
   ASSERT_NE(drawOrder, nullptr);
   EXPECT_EQ(Values(drawOrder->drawOrders[0], 4), std::vector<i32>({0, 2, 1, 3}));
   EXPECT_EQ(drawOrder->drawOrders[1], nullptr) << "the setup order";
   auto* events = Timeline<skEventTimeline>(animation, SK_TIMELINE_EVENT);
   ASSERT_NE(events, nullptr);
   EXPECT_EQ(events->events[0]->data, talk);
   EXPECT_EQ(events->events[0]->intValue, 3);
   EXPECT_EQ(events->events[0]->floatValue, 1.5f);
   EXPECT_STREQ(events->events[0]->stringValue, "hello");
   EXPECT_EQ(events->events[1]->intValue, 7);
   EXPECT_STREQ(events->events[1]->stringValue, "x");

   EXPECT_EQ(skSkeletonJson_readSkeletonDataFile(loaded.json, "dir/missing.json"), nullptr);
   EXPECT_STREQ(loaded.Error(), "Unable to read skeleton file: dir/missing.json");
}

struct ErrorCase
{
   const char* from;
   const char* to;
   const char* error;
   bool dropsAnimation; // data still comes back, without "animation"
};

TEST_F(SkeletonJsonTest, EachFailureGivesItsMessage)
{
   const std::string text = SkeletonFileText();
   const ErrorCase cases[] = {
       {"\"parent\": \"root\", \"length\": 10", "\"parent\": \"wrist\", \"length\": 10",
        "Parent bone not found: wrist", false},
       // Lookups see only what has been read.
       {"\"parent\": \"shoulder\"", "\"parent\": \"forearm\"", "Parent bone not found: forearm", false},
       {"\"name\": \"shoulder\"", "\"name\": 5", "Parent bone not found: shoulder", false},
       {"[ \"upperArm\", \"forearm\" ]", "[ \"upperArm\", \"elbow\" ]", "IK bone not found: elbow", false},
       {"\"target\": \"pointer\"", "\"target\": \"finger\"", "Target bone not found: finger", false},
       {"\"target\": \"pointer\"", "\"aim\": \"pointer\"", "Target bone not found: ", false},
       {"\"bone\": \"root\"", "\"bone\": \"thumb\"", "Slot bone not found: thumb", false},
       {"\"bone\": \"root\"", "\"bone\": 7", "Slot bone not found: ", false},
       {"\"type\": \"boundingbox\"", "\"type\": \"polygon\"", "Unknown attachment type: polygon", false},
       {"\"type\": \"boundingbox\"", "\"type\": null", "Unknown attachment type: ", false},
       {"\"path\": \"arm\"", "\"path\": \"tail\"", "Region not found: tail", false},
       {"\"skeleton\": {", "\"skeleton\" {", "Invalid skeleton JSON: { \"hash\"", false},
       {"\"slots\": { \"arm\"", "\"slots\": { \"leg\"", "Slot not found: leg", true},
       {"\"attachment\": [ { \"time\": 0.5", "\"attach\": [ { \"time\": 0.5",
        "Invalid timeline type for a slot: attach", true},
       {"\"bones\": { \"shoulder\"", "\"bones\": { \"elbow\"", "Bone not found: elbow", true},
       {"\"flipY\": [", "\"shear\": [", "Invalid timeline type for a bone: shear", true},
       {"\"ik\": { \"reach\"", "\"ik\": { \"grab\"", "IK constraint not found: grab", true},
       {"\"ffd\": { \"default\"", "\"ffd\": { \"extra\"", "Attachment not found: extra", true},
       {"\"default\": { \"arm\": { \"arm\": [", "\"default\": { \"leg\": { \"arm\": [",
        "Attachment not found: leg", true},
       {"\"arm\": { \"arm\": [", "\"arm\": { \"hand\": [", "Attachment not found: hand", true},
       {"{ \"slot\": \"face\", \"offset\": -1 }", "{ \"slot\": \"nose\", \"offset\": -1 }",
        "Slot not found: nose", true},
       // Off either end, onto a place already taken, twice, and out of slot order.
       {"\"offset\": -1", "\"offset\": -3", "Invalid draw order for slot: face", true},
       {"\"offset\": -1", "\"offset\": 2", "Invalid draw order for slot: face", true},
       {"{ \"slot\": \"face\", \"offset\": -1 }",
        "{ \"slot\": \"arm\", \"offset\": 1 }, { \"slot\": \"face\" }", "Invalid draw order for slot: face",
        true},
       {"{ \"slot\": \"face\", \"offset\": -1 }", "{ \"slot\": \"face\" }, { \"slot\": \"face\" }",
        "Invalid draw order for slot: face", true},
       {"{ \"slot\": \"face\", \"offset\": -1 }", "{ \"slot\": \"face\" }, { \"slot\": \"back\" }",
        "Invalid draw order for slot: back", true},
       {"\"name\": \"beep\"", "\"name\": \"boop\"", "Event not found: boop", true},
       // Kept: a skin entry for a slot the data lacks is stored, unreachable, without an error.
       {"\"other\": { \"face\"", "\"other\": { \"nose\"", nullptr, false},
       // Whole numbers beyond int's range refuse the whole file, inside an animation too.
       {"\"flipY\": true", "\"flipY\": 3e9", "Number out of range: flipY", false},
       {"\"hull\": 3", "\"hull\": 1e39", "Number out of range: hull", false},
       {"\"triangles\": [ 0, 1, 2 ], \"hull\"", "\"triangles\": [ 0, 1, -3e9 ], \"hull\"",
        "Number out of range: triangles", false},
       {"\"vertices\": [ 1, 2, 5,", "\"vertices\": [ 1, 1e39, 5,", "Number out of range: vertices", false},
       {"\"int\": 3,", "\"int\": -3e9,", "Number out of range: int", false},
       {"\"x\": true", "\"x\": 3e9", "Number out of range: x", false},
       {"\"mix\": 0.25, \"bendPositive\": false", "\"mix\": 0.25, \"bendPositive\": 5e9",
        "Number out of range: bendPositive", false},
       {"\"offset\": 2,", "\"offset\": 1e20,", "Number out of range: offset", false},
       {"\"offset\": -1", "\"offset\": -1e10", "Number out of range: offset", false},
       {"\"int\": 7,", "\"int\": 4e9,", "Number out of range: int", false},
   };
   for (const ErrorCase& c : cases)
   {
      const std::string edited = Edit(text, c.from, c.to);
      ASSERT_FALSE(edited.empty()) << c.from;
      {
         LoadedSkeleton loaded(edited);
         ASSERT_NE(loaded.json, nullptr);
         if (!c.error)
         {
            EXPECT_NE(loaded.data, nullptr) << c.to;
            EXPECT_EQ(loaded.Error(), nullptr) << c.to;
            continue;
         }
         ASSERT_NE(loaded.Error(), nullptr) << c.to;
         EXPECT_EQ(std::string(loaded.Error()).substr(0, std::string(c.error).size()), c.error) << c.to;
         if (c.dropsAnimation)
         {
            ASSERT_NE(loaded.data, nullptr) << c.to;
            EXPECT_EQ(skSkeletonData_findAnimation(loaded.data), nullptr) << c.to;
            ASSERT_EQ(loaded.data->animationsCount, 1) << c.to;
            EXPECT_STREQ(loaded.data->animations[0]->name, "other");
            EXPECT_EQ(loaded.data->slotsCount, 4);
         }
         else
         {
            EXPECT_EQ(loaded.data, nullptr) << c.to;
         }
         // The parser's message goes on with the rest of the text.
         if (std::string(c.error).find("JSON") == std::string::npos)
         {
            EXPECT_STREQ(loaded.Error(), c.error) << c.to;
         }
      }
      EXPECT_EQ(State().live, 0) << c.to;
   }
}

TEST_F(SkeletonJsonTest, TimelinesThatWouldNeedMoreThan64MiBAreRefusedBeforeTheyAreMade)
{
   // A mesh of 20,000 vertex values deformed over n frames: 80 kB of memory per frame.
   const auto text = [](int frames)
   {
      std::string vertices;
      for (int i = 0; i < 20000; ++i)
      {
         vertices += i ? ",0" : "0";
      }
      std::string keys;
      for (int i = 0; i < frames; ++i)
      {
         keys += i ? ",{}" : "{}";
      }
      return R"({"bones": [{"name": "root"}], "slots": [{"name": "s", "bone": "root"}],
                 "skins": {"default": {"s": {"m": {"type": "mesh", "path": "skin", "vertices": [)" +
             vertices + R"(]}}}}, "animations": {"animation": {"ffd": {"default": {"s": {"m": [)" + keys +
             "]}}}}}}";
   };
   {
      LoadedSkeleton small(text(100));
      EXPECT_NE(small.data, nullptr) << small.Error();
   }
   State().largest = 0;
   {
      LoadedSkeleton large(text(1000));
      EXPECT_EQ(large.data, nullptr);
      ASSERT_NE(large.Error(), nullptr);
      EXPECT_EQ(std::string(large.Error()).rfind("Animations need more than 64 MiB: ", 0), 0u)
          << large.Error();
   }
   EXPECT_LT(State().largest, size_t(1) << 20) << "a timeline was made before the count";
   EXPECT_EQ(State().live, 0);
}

TEST_F(SkeletonJsonTest, KeysIgnoreCaseAndValueNamesDoNot)
{
   const std::string text = SkeletonFileText();
   {
      LoadedSkeleton loaded(Edit(Edit(text, "\"bones\": [", "\"BONES\": ["), "{ \"name\": \"root\" }",
                                 "{ \"Name\": \"root\" }"));
      ASSERT_NE(loaded.data, nullptr) << loaded.Error();
      ASSERT_EQ(loaded.data->bonesCount, 5);
      EXPECT_STREQ(loaded.data->bones[0]->name, "root");
   }
   {
      LoadedSkeleton loaded(Edit(Edit(text, "\"curve\": \"stepped\"", "\"curve\": \"Stepped\""),
                                 "\"blend\": \"additive\"", "\"blend\": \"Additive\""));
      ASSERT_NE(loaded.data, nullptr) << loaded.Error();
      auto* color = Timeline<skColorTimeline>(skSkeletonData_findAnimation(loaded.data), SK_TIMELINE_COLOR);
      ASSERT_NE(color, nullptr);
      EXPECT_EQ(color->curves[0], SK_CURVE_LINEAR);
      EXPECT_EQ(loaded.data->slots[1]->blendMode, SK_BLEND_MODE_NORMAL);
   }
   {
      LoadedSkeleton loaded(Edit(text, "\"type\": \"mesh\"", "\"type\": \"Region\""));
      EXPECT_EQ(loaded.data, nullptr);
      EXPECT_STREQ(loaded.Error(), "Unknown attachment type: Region");
   }
   {
      // The animation's key for the draw order may also be written all in lower case.
      LoadedSkeleton loaded(Edit(text, "\"drawOrder\"", "\"draworder\""));
      ASSERT_NE(loaded.data, nullptr);
      EXPECT_NE(
          Timeline<skDrawOrderTimeline>(skSkeletonData_findAnimation(loaded.data), SK_TIMELINE_DRAWORDER),
          nullptr);
   }
}

TEST_F(SkeletonJsonTest, ColourTextsGiveMinusOneForEachBadChannel)
{
   const struct
   {
      const char* color;
      std::vector<float> expected;
   } cases[] = {
       {"\"ff000080\"", {1, 0, 0, 128.0f / 255}},
       {"\"FF7f0000\"", {1, 127.0f / 255, 0, 0}},
       {"\"ff00008\"", {-1, -1, -1, -1}},
       {"\"ff0000800\"", {-1, -1, -1, -1}},
       {"\"gg000000\"", {-1, 0, 0, 0}},
       {"\"00 0000z\"", {0, -1, 0, -1}},
       {"12345678", {-1, -1, -1, -1}},
   };
   for (const auto& c : cases)
   {
      LoadedSkeleton loaded(Edit(SkeletonFileText(), "\"ff000080\"", c.color));
      ASSERT_NE(loaded.data, nullptr) << c.color;
      const skSlotData* arm = loaded.data->slots[1];
      EXPECT_EQ(std::vector<float>({arm->r, arm->g, arm->b, arm->a}), c.expected) << c.color;
   }
}

TEST_F(SkeletonJsonTest, ScaleAppliesToLengthsPositionsAndVerticesOnly)
{
   LoadedSkeleton loaded(SkeletonFileText(), skeleton_test_support::SkeletonAtlasText(), 2);
   skSkeletonData* data = loaded.data;
   ASSERT_NE(data, nullptr) << loaded.Error();
   const skBoneData* shoulder = data->bones[1];
   EXPECT_EQ(std::vector<float>({shoulder->length, shoulder->x, shoulder->y, shoulder->rotation,
                                 shoulder->scaleX, shoulder->scaleY}),
             std::vector<float>({20, 2, 4, 30, 2, 0.5f}));
   auto* body = static_cast<skRegionAttachment*>(Attachment(data, "default", "back", "body"));
   EXPECT_EQ(std::vector<float>({body->x, body->y, body->width, body->height, body->rotation, body->scaleX}),
             std::vector<float>({6, 8, 20, 40, 90, 2}));
   auto* mesh = static_cast<skMeshAttachment*>(Attachment(data, "default", "arm", "arm"));
   EXPECT_EQ(Values(mesh->vertices, mesh->verticesCount), std::vector<float>({0, 0, 16, 0, 16, 32}));
   EXPECT_EQ(Values(mesh->regionUVs, 6), std::vector<float>({0, 0, 1, 0, 1, 1}));
   EXPECT_EQ(std::vector<float>({mesh->width, mesh->height}), std::vector<float>({16, 32}));
   auto* skinned = static_cast<skSkinnedMeshAttachment*>(Attachment(data, "default", "front", "skin"));
   EXPECT_EQ(Values(skinned->weights, skinned->weightsCount),
             std::vector<float>({10, 12, 1, 2, 2, 0.5f, 4, 4, 0.5f, 14, 16, 1}));
   EXPECT_EQ(Values(skinned->bones, skinned->bonesCount), std::vector<i32>({1, 2, 2, 2, 3, 1, 3}));
   auto* hit = static_cast<skBoundingBoxAttachment*>(Attachment(data, "default", "face", "hit"));
   EXPECT_EQ(Values(hit->vertices, hit->verticesCount), std::vector<float>({2, 4, 6, 8}));

   const skAnimation* animation = skSkeletonData_findAnimation(data);
   EXPECT_EQ(Values(Timeline<skTranslateTimeline>(animation, SK_TIMELINE_TRANSLATE)->frames, 3),
             std::vector<float>({0, 2, 4}));
   EXPECT_EQ(Values(Timeline<skScaleTimeline>(animation, SK_TIMELINE_SCALE)->frames, 3),
             std::vector<float>({0.5f, 2, 3}));
   EXPECT_EQ(Values(Timeline<skRotateTimeline>(animation, SK_TIMELINE_ROTATE)->frames, 4),
             std::vector<float>({0, 10, 2, 20}));
   auto* ffd = Timeline<skFFDTimeline>(animation, SK_TIMELINE_FFD);
   EXPECT_EQ(Values(ffd->frameVertices[1], 6), std::vector<float>({0, 0, 18, 2, 16, 32}));
}

TEST_F(SkeletonJsonTest, VertexDataNeverReachesPastItsArrays)
{
   const std::string text = SkeletonFileText();
   const std::string stream = "[ 1, 2, 5, 6, 1, 2, 2, 1, 1, 0.5, 3, 2, 2, 0.5, 1, 3, 7, 8, 1 ]";
   // A bone count that runs past the values, or is negative, ends the stream there.
   for (const char* cut : {"[ 1, 2, 5, 6, 1, 2, 2, 1, 1, 0.5, 3, 2, 2 ]",
                           "[ 1, 2, 5, 6, 1, -1, 2, 1, 1, 0.5 ]", "[ 1, 2, 5, 6, 1, 1e30, 2 ]"})
   {
      LoadedSkeleton loaded(Edit(text, stream, cut));
      ASSERT_NE(loaded.data, nullptr) << cut;
      auto* skinned =
          static_cast<skSkinnedMeshAttachment*>(Attachment(loaded.data, "default", "front", "skin"));
      EXPECT_EQ(Values(skinned->bones, skinned->bonesCount), std::vector<i32>({1, 2})) << cut;
      EXPECT_EQ(Values(skinned->weights, skinned->weightsCount), std::vector<float>({5, 6, 1})) << cut;
      // The deformation of the skinned mesh is as long as its weights allow.
   }
   {
      // Missing texture coordinates read 0: every vertex maps to the region's corner.
      LoadedSkeleton loaded(Edit(text, "\"uvs\": [ 0, 0, 1, 0, 1, 1 ],", ""));
      ASSERT_NE(loaded.data, nullptr);
      auto* mesh = static_cast<skMeshAttachment*>(Attachment(loaded.data, "default", "arm", "arm"));
      EXPECT_EQ(Values(mesh->regionUVs, 6), std::vector<float>(6, 0));
      EXPECT_EQ(Values(mesh->uvs, 6), std::vector<float>({0.5f, 0, 0.5f, 0, 0.5f, 0}));
   }
   // Deformation values outside the vertices are dropped.
   const struct
   {
      const char* keys;
      std::vector<float> expected;
   } deforms[] = {
       {"\"offset\": 5, \"vertices\": [ 1, 1 ]", {0, 0, 8, 0, 8, 17}},
       {"\"offset\": -1, \"vertices\": [ 1, 1 ]", {1, 0, 8, 0, 8, 16}},
       {"\"offset\": -2147483648, \"vertices\": [ 1, 1 ]", {0, 0, 8, 0, 8, 16}},
       {"\"offset\": 2147483647, \"vertices\": [ 1, 1 ]", {0, 0, 8, 0, 8, 16}},
       {"\"vertices\": [ 1, 2, 3, 4, 5, 6, 7, 8 ]", {1, 2, 11, 4, 13, 22}},
   };
   for (const auto& c : deforms)
   {
      LoadedSkeleton loaded(Edit(text, "\"offset\": 2, \"vertices\": [ 1, 1 ]", c.keys));
      ASSERT_NE(loaded.data, nullptr) << c.keys;
      auto* ffd = Timeline<skFFDTimeline>(skSkeletonData_findAnimation(loaded.data), SK_TIMELINE_FFD);
      EXPECT_EQ(Values(ffd->frameVertices[1], 6), c.expected) << c.keys;
   }
   {
      // A skinned mesh deforms its weighted x, y pairs: zeros without vertices.
      LoadedSkeleton loaded(Edit(text, "\"ffd\": { \"default\": { \"arm\": { \"arm\"",
                                 "\"ffd\": { \"default\": { \"front\": { \"skin\""));
      ASSERT_NE(loaded.data, nullptr) << loaded.Error();
      auto* ffd = Timeline<skFFDTimeline>(skSkeletonData_findAnimation(loaded.data), SK_TIMELINE_FFD);
      ASSERT_EQ(ffd->frameVerticesCount, 8);
      EXPECT_EQ(Values(ffd->frameVertices[0], 8), std::vector<float>(8, 0));
      EXPECT_EQ(Values(ffd->frameVertices[1], 8), std::vector<float>({0, 0, 1, 1, 0, 0, 0, 0}));
   }
}

TEST_F(SkeletonJsonTest, DurationsCountOnlyTimelinesWithFrames)
{
   const std::string other =
       "\"other\": { \"bones\": { \"root\": { \"rotate\": [ { \"time\": 0.5, \"angle\": 5 } ] } } }";
   const struct
   {
      const char* animation;
      float duration;
   } cases[] = {
       {"\"other\": { \"bones\": { \"root\": { \"rotate\": [], \"scale\": [] } }, \"events\": [] }", 0},
       {"\"other\": { \"bones\": { \"root\": { \"rotate\": [], \"scale\": [ { \"time\": 3 } ] } } }", 3},
       {"\"other\": { \"slots\": { \"face\": { \"attachment\": [ { \"time\": 1 }, { \"time\": 4 } ] } } }",
        4},
       {"\"other\": { \"flipx\": true, \"flipy\": false }", 0},
   };
   for (const auto& c : cases)
   {
      LoadedSkeleton loaded(Edit(SkeletonFileText(), other, c.animation));
      ASSERT_NE(loaded.data, nullptr) << c.animation;
      EXPECT_EQ(loaded.Error(), nullptr);
      ASSERT_EQ(loaded.data->animationsCount, 2);
      EXPECT_EQ(loaded.data->animations[1]->duration, c.duration) << c.animation;
   }
}

TEST_F(SkeletonJsonTest, ErrorsAreCutAndClearedAndAbsentTextsStayNull)
{
   const std::string name(300, 'x');
   LoadedSkeleton loaded(Edit(SkeletonFileText(), "\"parent\": \"root\", \"length\"",
                              "\"parent\": \"" + name + "\", \"length\""));
   ASSERT_NE(loaded.Error(), nullptr);
   EXPECT_EQ(std::string(loaded.Error()), ("Parent bone not found: " + name).substr(0, 255));
   // A later read starts with no error.
   loaded.data = skSkeletonJson_readSkeletonData(loaded.json, "{ \"skeleton\": { \"hash\": 5 } }");
   ASSERT_NE(loaded.data, nullptr);
   EXPECT_EQ(loaded.Error(), nullptr);
   EXPECT_STREQ(loaded.data->hash, "");
   EXPECT_EQ(loaded.data->version, nullptr);
   EXPECT_EQ(loaded.data->bonesCount, 0);
   EXPECT_EQ(loaded.data->animationsCount, 0);
}

TEST_F(SkeletonJsonTest, AFailedAllocationFailsTheReadCleanly)
{
   const std::string text = SkeletonFileText();
   const std::string atlasText = skeleton_test_support::SkeletonAtlasText();
   skAtlas* atlas = skAtlas_create(atlasText.data(), static_cast<i32>(atlasText.size()), "");
   ASSERT_NE(atlas, nullptr);
   const long atlasLive = State().live;
   // Count the allocations of one whole read, then fail each of them in turn.
   State().allocations = 0;
   {
      LoadedSkeleton whole(text);
   }
   const long total = State().allocations;
   ASSERT_GT(total, 100);
   for (long k = 0; k < total; ++k)
   {
      State().allocations = 0;
      State().failAt = k;
      skSkeletonJson* json = skSkeletonJson_create(atlas);
      if (json)
      {
         skSkeletonData* data =
             skSkeletonJson_readSkeletonData(json, text.data(), static_cast<i32>(text.size()));
         if (data)
         {
            skSkeletonData_dispose(data);
         }
         skSkeletonJson_dispose(json);
      }
      State().failAt = -1;
      ASSERT_EQ(State().live, atlasLive) << "failing allocation " << k;
   }
   skAtlas_dispose(atlas);
}
} // namespace
} // namespace Corvale
