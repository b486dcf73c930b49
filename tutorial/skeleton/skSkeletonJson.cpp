// The skeleton file reader. Lookups during the read see only what has been read so far, so a
// file must name a parent before its children. A failing animation is dropped and the rest of
// the file still read; any other failure disposes everything and returns null.
#include "tutorial/skeleton/skSkeletonJson.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "tutorial/skeleton/Json.h"
#include "tutorial/skeleton/skAnimation.h"
#include "tutorial/skeleton/skAtlasAttachmentLoader.h"
#include "tutorial/skeleton/skBoneData.h"
#include "tutorial/skeleton/skBoundingBoxAttachment.h"
#include "tutorial/skeleton/skEvent.h"
#include "tutorial/skeleton/skEventData.h"
#include "tutorial/skeleton/skHooks.h"
#include "tutorial/skeleton/skIkConstraintData.h"
#include "tutorial/skeleton/skMeshAttachment.h"
#include "tutorial/skeleton/skRegionAttachment.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkin.h"
#include "tutorial/skeleton/skSkinnedMeshAttachment.h"
#include "tutorial/skeleton/skSlotData.h"
#include "tutorial/skeleton/skTimeline.h"

namespace Corvale
{
namespace
{
const char* const OUT_OF_MEMORY = "Out of memory reading skeleton";
const char* const OUT_OF_RANGE = "Number out of range: ";
const i32 ERROR_LENGTH_MAX = 255;
// A deformation keeps a whole vertex array per frame and a draw order a slot array per frame, so a
// small file can ask for a great deal: what the timelines may take in all.
constexpr double TIMELINES_BYTES_MAX = 64.0 * 1024 * 1024;

// A float that converts to int without overflow.
bool IntFits(float value)
{
   return value >= -2147483648.0f && value < 2147483648.0f;
}

// The JSON reader clamps a number beyond int's range into its int, so the float tells whether a
// whole number from the file fits. The float nearest to INT_MAX is 2^31, which that reader takes
// as INT_MAX.
bool NumberFits(const Json* number)
{
   return number->valueFloat >= -2147483648.0f && number->valueFloat <= 2147483648.0f;
}

// A text member: absent gives the default, anything but a string gives empty text, so that no
// null reaches a string function.
const char* TextGet(Json* object, const char* key, const char* absent)
{
   Json* item = Json_getItem(object, key);
   if (!item)
   {
      return absent;
   }
   return item->type == Json_String && item->valueString ? item->valueString : "";
}

// The key of an object member; members of an array have none.
const char* KeyOf(const Json* node)
{
   return node->name ? node->name : "";
}

i32 ChildrenCount(const Json* node)
{
   i32 count = 0;
   for (const Json* child = node ? node->child : nullptr; child; child = child->next)
   {
      count++;
   }
   return count;
}

i32 HexDigit(char c)
{
   if (c >= '0' && c <= '9')
   {
      return c - '0';
   }
   if (c >= 'a' && c <= 'f')
   {
      return c - 'a' + 10;
   }
   if (c >= 'A' && c <= 'F')
   {
      return c - 'A' + 10;
   }
   return -1;
}

// Channel index of an eight-digit colour text, 0 to 1; -1 for a text of another length or a
// pair that isn't hexadecimal.
float ColorChannel(const char* color, i32 index)
{
   if (std::strlen(color) != 8)
   {
      return -1;
   }
   const i32 high = HexDigit(color[index * 2]);
   const i32 low = HexDigit(color[index * 2 + 1]);
   return high < 0 || low < 0 ? -1 : static_cast<float>(high * 16 + low) / 255;
}

// Sets the channels from the member "color" when present; absent leaves them as they are.
void ColorRead(Json* map, float* r, float* g, float* b, float* a)
{
   const char* color = TextGet(map, "color", nullptr);
   if (color)
   {
      *r = ColorChannel(color, 0);
      *g = ColorChannel(color, 1);
      *b = ColorChannel(color, 2);
      *a = ColorChannel(color, 3);
   }
}

// The numbers of an array member, each read by value; an absent member gives none. False when
// the allocation fails.
template <class T, class Read> bool NumbersRead(Json* map, const char* key, T** values, i32* count, Read read)
{
   Json* array = Json_getItem(map, key);
   *values = nullptr;
   *count = ChildrenCount(array);
   if (*count == 0)
   {
      return true;
   }
   if (!(*values = SK_ALLOC(T, *count)))
   {
      *count = 0;
      return false;
   }
   i32 i = 0;
   for (Json* value = array->child; value; value = value->next)
   {
      (*values)[i++] = read(value);
   }
   return true;
}

bool FloatsRead(Json* map, const char* key, float scale, float** values, i32* count)
{
   return NumbersRead(map, key, values, count,
                      [scale](const Json* value) { return value->valueFloat * scale; });
}

// The frame's curve: "stepped" exactly, or four numbers for a Bezier; anything else stays
// linear.
void CurveRead(skCurveTimeline* timeline, i32 frameIndex, Json* frame)
{
   Json* curve = Json_getItem(frame, "curve");
   if (!curve)
   {
      return;
   }
   if (curve->type == Json_String && curve->valueString && std::strcmp(curve->valueString, "stepped") == 0)
   {
      skCurveTimeline_setStepped(timeline, frameIndex);
      return;
   }
   if (curve->type != Json_Array || ChildrenCount(curve) != 4)
   {
      return;
   }
   float c[4];
   i32 i = 0;
   for (Json* value = curve->child; value; value = value->next)
   {
      if (value->type != Json_Number)
      {
         return;
      }
      c[i++] = value->valueFloat;
   }
   skCurveTimeline_setCurve(timeline, frameIndex, c[0], c[1], c[2], c[3]);
}

float TimeGet(Json* frame)
{
   return Json_getFloat(frame, "time", 0);
}

// Reads one skeleton file into data; every step returns false with the error set.
class Reader
{
 public:
   Reader(skSkeletonJson* json, skSkeletonData* data) : json(json), data(data) {}

   bool BonesRead(Json* bones);
   bool IkConstraintsRead(Json* iks);
   bool SlotsRead(Json* slots);
   bool SkinsRead(Json* skins);
   bool EventsRead(Json* events);
   bool AnimationRead(Json* map);
   // What the animations' timelines would take, counted from the tree before anything is made.
   double TimelinesBytesCount(Json* animations);

   // A number did not fit its int: the whole file is refused, not only the animation.
   bool refused = false;

 private:
   skSkeletonJson* json;
   skSkeletonData* data;

   // Animation under construction.
   skAnimation* animation = nullptr;
   i32 timelinesSet = 0;
   bool timed = false;

   bool Fail(const char* part1, const char* part2 = nullptr)
   {
      _skSkeletonJson_setError(json, nullptr, part1, part2);
      return false;
   }
   bool OutOfMemory() { return Fail(OUT_OF_MEMORY); }
   // A whole-number member within int's range; absent gives the default.
   bool IntGet(Json* map, const char* key, i32 absent, i32* value);
   // A flag member: any value but 0 is set.
   bool FlagGet(Json* map, const char* key, i32 absent, i32* value);
   bool IntsRead(Json* map, const char* key, i32** values, i32* count);
   bool MeshRestRead(_skMeshBase* mesh, Json* map);

   bool AttachmentRead(skSkin* skin, i32 slotIndex, Json* map);
   bool RegionRead(skRegionAttachment* region, const char* path, Json* map);
   bool MeshRead(skMeshAttachment* mesh, const char* path, Json* map);
   bool SkinnedMeshRead(skSkinnedMeshAttachment* mesh, const char* path, Json* map);
   bool BoundingBoxRead(skBoundingBoxAttachment* box, Json* map);

   // Takes the timeline into the animation; false when it wasn't made.
   bool TimelineAdd(skTimeline* timeline);
   // Counts the timeline's last frame into the duration; timelines without frames add nothing.
   void DurationAdd(const float* frames, i32 framesCount, i32 entries);
   bool SlotTimelinesRead(Json* slots);
   bool BoneTimelinesRead(Json* bones);
   bool IkTimelinesRead(Json* iks);
   bool FFDTimelinesRead(Json* ffd);
   bool FFDTimelineRead(skAttachment* attachment, i32 slotIndex, Json* frames);
   bool DrawOrderTimelineRead(Json* frames);
   bool DrawOrderRead(Json* offsets, i32* drawOrder, i32* unchanged);
   bool EventTimelineRead(Json* frames);
};

bool Reader::IntGet(Json* map, const char* key, i32 absent, i32* value)
{
   Json* item = Json_getItem(map, key);
   if (item && !NumberFits(item))
   {
      refused = true;
      return Fail(OUT_OF_RANGE, key);
   }
   *value = item ? item->valueInt : absent;
   return true;
}

bool Reader::FlagGet(Json* map, const char* key, i32 absent, i32* value)
{
   if (!IntGet(map, key, absent, value))
   {
      return false;
   }
   *value = *value != 0 ? 1 : 0;
   return true;
}

bool Reader::IntsRead(Json* map, const char* key, i32** values, i32* count)
{
   Json* array = Json_getItem(map, key);
   for (Json* value = array ? array->child : nullptr; value; value = value->next)
   {
      if (!NumberFits(value))
      {
         *values = nullptr;
         *count = 0;
         refused = true;
         return Fail(OUT_OF_RANGE, key);
      }
   }
   return NumbersRead(map, key, values, count, [](const Json* value) { return value->valueInt; }) ||
          OutOfMemory();
}

bool Reader::BonesRead(Json* bones)
{
   const i32 count = ChildrenCount(bones);
   if (count == 0)
   {
      return true;
   }
   if (!(data->bones = SK_ALLOC(skBoneData*, count)))
   {
      return OutOfMemory();
   }
   for (Json* map = bones->child; map; map = map->next)
   {
      skBoneData* parent = nullptr;
      const char* parentName = TextGet(map, "parent", nullptr);
      if (parentName && !(parent = skSkeletonData_findBone(data, parentName)))
      {
         return Fail("Parent bone not found: ", parentName);
      }
      skBoneData* bone = skBoneData_create(TextGet(map, "name", ""), parent);
      if (!bone)
      {
         return OutOfMemory();
      }
      data->bones[data->bonesCount++] = bone;
      bone->length = Json_getFloat(map, "length", 0) * json->scale;
      bone->x = Json_getFloat(map, "x", 0) * json->scale;
      bone->y = Json_getFloat(map, "y", 0) * json->scale;
      bone->rotation = Json_getFloat(map, "rotation", 0);
      bone->scaleX = Json_getFloat(map, "scaleX", 1);
      bone->scaleY = Json_getFloat(map, "scaleY", 1);
      if (!FlagGet(map, "inheritScale", 1, &bone->inheritScale) ||
          !FlagGet(map, "inheritRotation", 1, &bone->inheritRotation) ||
          !FlagGet(map, "flipX", 0, &bone->flipX) || !FlagGet(map, "flipY", 0, &bone->flipY))
      {
         return false;
      }
   }
   return true;
}

bool Reader::IkConstraintsRead(Json* iks)
{
   const i32 count = ChildrenCount(iks);
   if (count == 0)
   {
      return true;
   }
   if (!(data->ikConstraints = SK_ALLOC(skIkConstraintData*, count)))
   {
      return OutOfMemory();
   }
   for (Json* map = iks->child; map; map = map->next)
   {
      skIkConstraintData* ik = skIkConstraintData_create(TextGet(map, "name", ""));
      if (!ik)
      {
         return OutOfMemory();
      }
      data->ikConstraints[data->ikConstraintsCount++] = ik;
      Json* bones = Json_getItem(map, "bones");
      const i32 bonesCount = ChildrenCount(bones);
      if (bonesCount > 0 && !(ik->bones = SK_ALLOC(skBoneData*, bonesCount)))
      {
         return OutOfMemory();
      }
      for (Json* name = bones ? bones->child : nullptr; name; name = name->next)
      {
         const char* boneName = name->type == Json_String && name->valueString ? name->valueString : "";
         skBoneData* bone = skSkeletonData_findBone(data, boneName);
         if (!bone)
         {
            return Fail("IK bone not found: ", boneName);
         }
         ik->bones[ik->bonesCount++] = bone;
      }
      const char* targetName = TextGet(map, "target", "");
      if (!(ik->target = skSkeletonData_findBone(data, targetName)))
      {
         return Fail("Target bone not found: ", targetName);
      }
      i32 bendPositive;
      if (!FlagGet(map, "bendPositive", 1, &bendPositive))
      {
         return false;
      }
      ik->bendDirection = bendPositive ? 1 : -1;
      ik->mix = Json_getFloat(map, "mix", 1);
   }
   return true;
}

bool Reader::SlotsRead(Json* slots)
{
   const i32 count = ChildrenCount(slots);
   if (count == 0)
   {
      return true;
   }
   if (!(data->slots = SK_ALLOC(skSlotData*, count)))
   {
      return OutOfMemory();
   }
   for (Json* map = slots->child; map; map = map->next)
   {
      const char* boneName = TextGet(map, "bone", "");
      skBoneData* bone = skSkeletonData_findBone(data, boneName);
      if (!bone)
      {
         return Fail("Slot bone not found: ", boneName);
      }
      skSlotData* slot = skSlotData_create(TextGet(map, "name", ""), bone);
      if (!slot)
      {
         return OutOfMemory();
      }
      data->slots[data->slotsCount++] = slot;
      ColorRead(map, &slot->r, &slot->g, &slot->b, &slot->a);
      const char* attachment = TextGet(map, "attachment", nullptr);
      if (attachment && !skSlotData_setAttachmentName(slot, attachment))
      {
         return OutOfMemory();
      }
      const char* blend = TextGet(map, "blend", "");
      slot->blendMode = std::strcmp(blend, "additive") == 0   ? SK_BLEND_MODE_ADDITIVE
                        : std::strcmp(blend, "multiply") == 0 ? SK_BLEND_MODE_MULTIPLY
                        : std::strcmp(blend, "screen") == 0   ? SK_BLEND_MODE_SCREEN
                                                              : SK_BLEND_MODE_NORMAL;
   }
   return true;
}

bool Reader::SkinsRead(Json* skins)
{
   const i32 count = ChildrenCount(skins);
   if (count == 0)
   {
      return true;
   }
   if (!(data->skins = SK_ALLOC(skSkin*, count)))
   {
      return OutOfMemory();
   }
   for (Json* skinMap = skins->child; skinMap; skinMap = skinMap->next)
   {
      skSkin* skin = skSkin_create(KeyOf(skinMap));
      if (!skin)
      {
         return OutOfMemory();
      }
      data->skins[data->skinsCount++] = skin;
      if (std::strcmp(skin->name, "default") == 0)
      {
         data->defaultSkin = skin;
      }
      for (Json* slotMap = skinMap->child; slotMap; slotMap = slotMap->next)
      {
         // A slot the data lacks keeps its attachments under index -1, where nothing finds them.
         const i32 slotIndex = skSkeletonData_findSlotIndex(data, KeyOf(slotMap));
         for (Json* attachmentMap = slotMap->child; attachmentMap; attachmentMap = attachmentMap->next)
         {
            if (!AttachmentRead(skin, slotIndex, attachmentMap))
            {
               return false;
            }
         }
      }
   }
   return true;
}

bool Reader::AttachmentRead(skSkin* skin, i32 slotIndex, Json* map)
{
   const char* key = KeyOf(map);
   const char* name = TextGet(map, "name", key);
   const char* path = TextGet(map, "path", name);
   const char* typeName = TextGet(map, "type", "region");
   skAttachmentType type;
   if (std::strcmp(typeName, "region") == 0)
   {
      type = SK_ATTACHMENT_REGION;
   }
   else if (std::strcmp(typeName, "mesh") == 0)
   {
      type = SK_ATTACHMENT_MESH;
   }
   else if (std::strcmp(typeName, "skinnedmesh") == 0)
   {
      type = SK_ATTACHMENT_SKINNED_MESH;
   }
   else if (std::strcmp(typeName, "boundingbox") == 0)
   {
      type = SK_ATTACHMENT_BOUNDING_BOX;
   }
   else
   {
      return Fail("Unknown attachment type: ", typeName);
   }

   skAttachmentLoader* loader = json->attachmentLoader;
   _skAttachmentLoader_setError(loader, nullptr, nullptr);
   skAttachment* attachment = skAttachmentLoader_newAttachment(loader, skin, type, name, path);
   if (!attachment)
   {
      // The loader may skip an attachment silently; only its error fails the read.
      return loader->error1 ? Fail(loader->error1, loader->error2) : true;
   }
   bool filled = false;
   switch (attachment->type)
   {
   case SK_ATTACHMENT_REGION:
      filled = RegionRead(static_cast<skRegionAttachment*>(attachment), path, map);
      break;
   case SK_ATTACHMENT_MESH:
      filled = MeshRead(static_cast<skMeshAttachment*>(attachment), path, map);
      break;
   case SK_ATTACHMENT_SKINNED_MESH:
      filled = SkinnedMeshRead(static_cast<skSkinnedMeshAttachment*>(attachment), path, map);
      break;
   case SK_ATTACHMENT_BOUNDING_BOX:
      filled = BoundingBoxRead(static_cast<skBoundingBoxAttachment*>(attachment), map);
      break;
   }
   if (!filled || !skSkin_addAttachment(skin, slotIndex, key, attachment))
   {
      skAttachment_dispose(attachment);
      // A bad value has said what it was; otherwise an allocation failed.
      return json->error ? false : OutOfMemory();
   }
   return true;
}

bool Reader::RegionRead(skRegionAttachment* region, const char* path, Json* map)
{
   if (!(region->path = _skCopyString(path)))
   {
      return false;
   }
   const float scale = json->scale;
   region->x = Json_getFloat(map, "x", 0) * scale;
   region->y = Json_getFloat(map, "y", 0) * scale;
   region->scaleX = Json_getFloat(map, "scaleX", 1);
   region->scaleY = Json_getFloat(map, "scaleY", 1);
   region->rotation = Json_getFloat(map, "rotation", 0);
   region->width = Json_getFloat(map, "width", 32) * scale;
   region->height = Json_getFloat(map, "height", 32) * scale;
   ColorRead(map, &region->r, &region->g, &region->b, &region->a);
   skRegionAttachment_updateOffset(region);
   return true;
}

// What both mesh kinds read after their vertices and texture coordinates.
bool Reader::MeshRestRead(_skMeshBase* mesh, Json* map)
{
   const float scale = json->scale;
   ColorRead(map, &mesh->r, &mesh->g, &mesh->b, &mesh->a);
   if (!IntGet(map, "hull", 0, &mesh->hullLength) || !IntsRead(map, "edges", &mesh->edges, &mesh->edgesCount))
   {
      return false;
   }
   mesh->width = Json_getFloat(map, "width", 32) * scale;
   mesh->height = Json_getFloat(map, "height", 32) * scale;
   return true;
}

bool Reader::MeshRead(skMeshAttachment* mesh, const char* path, Json* map)
{
   if (!(mesh->path = _skCopyString(path)) ||
       !FloatsRead(map, "vertices", json->scale, &mesh->vertices, &mesh->verticesCount) ||
       !IntsRead(map, "triangles", &mesh->triangles, &mesh->trianglesCount))
   {
      return false;
   }
   // One texture coordinate per vertex float: missing ones read 0, extra ones are ignored.
   if (mesh->verticesCount > 0)
   {
      if (!(mesh->regionUVs = SK_ALLOC(float, mesh->verticesCount)))
      {
         return false;
      }
      Json* uvs = Json_getItem(map, "uvs");
      i32 i = 0;
      for (Json* value = uvs ? uvs->child : nullptr; value && i < mesh->verticesCount; value = value->next)
      {
         mesh->regionUVs[i++] = value->valueFloat;
      }
      if (!skMeshAttachment_updateUVs(mesh))
      {
         return false;
      }
   }
   return MeshRestRead(mesh, map);
}

bool Reader::SkinnedMeshRead(skSkinnedMeshAttachment* mesh, const char* path, Json* map)
{
   if (!(mesh->path = _skCopyString(path)) || !FloatsRead(map, "uvs", 1, &mesh->regionUVs, &mesh->uvsCount))
   {
      return false;
   }
   float* vertices;
   i32 count;
   if (!FloatsRead(map, "vertices", 1, &vertices, &count))
   {
      return false;
   }
   // The stream holds per vertex a bone count n, then n groups of bone index, x, y and weight;
   // it ends early where a count is negative or runs past the values.
   i32 end = 0;
   i64 bonesCount = 0;
   i64 weightsCount = 0;
   while (end < count)
   {
      const float influences = vertices[end];
      if (!(influences >= 0) || influences > static_cast<float>(count - end - 1) / 4)
      {
         break;
      }
      const i64 n = static_cast<i64>(influences);
      if (end + 1 + n * 4 > count)
      {
         break;
      }
      bonesCount += 1 + n;
      weightsCount += n * 3;
      end += static_cast<i32>(1 + n * 4);
   }
   // Bone indices become ints: one beyond int's range refuses the file.
   for (i32 i = 0; i < end;)
   {
      const i32 n = static_cast<i32>(vertices[i++]);
      for (i32 b = 0; b < n; ++b, i += 4)
      {
         if (!IntFits(vertices[i]))
         {
            SK_FREE(vertices);
            refused = true;
            return Fail(OUT_OF_RANGE, "vertices");
         }
      }
   }
   bool made = (bonesCount == 0 || (mesh->bones = SK_ALLOC(i32, bonesCount))) &&
               (weightsCount == 0 || (mesh->weights = SK_ALLOC(float, weightsCount)));
   if (made)
   {
      const float scale = json->scale;
      for (i32 i = 0; i < end;)
      {
         const i32 n = static_cast<i32>(vertices[i++]);
         mesh->bones[mesh->bonesCount++] = n;
         for (i32 b = 0; b < n; ++b, i += 4)
         {
            mesh->bones[mesh->bonesCount++] = static_cast<i32>(vertices[i]);
            mesh->weights[mesh->weightsCount++] = vertices[i + 1] * scale;
            mesh->weights[mesh->weightsCount++] = vertices[i + 2] * scale;
            mesh->weights[mesh->weightsCount++] = vertices[i + 3];
         }
      }
   }
   SK_FREE(vertices);
   if (!made || !IntsRead(map, "triangles", &mesh->triangles, &mesh->trianglesCount) ||
       (mesh->uvsCount > 0 && !skSkinnedMeshAttachment_updateUVs(mesh)))
   {
      return false;
   }
   return MeshRestRead(mesh, map);
}

bool Reader::BoundingBoxRead(skBoundingBoxAttachment* box, Json* map)
{
   return FloatsRead(map, "vertices", json->scale, &box->vertices, &box->verticesCount);
}

bool Reader::EventsRead(Json* events)
{
   const i32 count = ChildrenCount(events);
   if (count == 0)
   {
      return true;
   }
   if (!(data->events = SK_ALLOC(skEventData*, count)))
   {
      return OutOfMemory();
   }
   for (Json* map = events->child; map; map = map->next)
   {
      skEventData* event = skEventData_create(KeyOf(map));
      if (!event)
      {
         return OutOfMemory();
      }
      data->events[data->eventsCount++] = event;
      if (!IntGet(map, "int", 0, &event->intValue))
      {
         return false;
      }
      event->floatValue = Json_getFloat(map, "float", 0);
      const char* text = TextGet(map, "string", nullptr);
      if (text && !(event->stringValue = _skCopyString(text)))
      {
         return OutOfMemory();
      }
   }
   return true;
}

double Reader::TimelinesBytesCount(Json* animations)
{
   // Times and values per frame, and the curve of each gap between frames.
   const auto curved = [](i32 frames, i32 entries)
   {
      return (static_cast<double>(frames) * entries + (frames > 1 ? frames - 1.0 : 0.0) * SK_CURVE_GAP_SIZE) *
             4;
   };
   const double pointer = sizeof(void*);
   double bytes = 0;
   for (Json* map = animations ? animations->child : nullptr; map; map = map->next)
   {
      for (Json* slot = Json_getItem(map, "slots") ? Json_getItem(map, "slots")->child : nullptr; slot;
           slot = slot->next)
      {
         for (Json* timeline = slot->child; timeline; timeline = timeline->next)
         {
            const i32 frames = ChildrenCount(timeline);
            bytes += std::strcmp(KeyOf(timeline), "color") == 0 ? curved(frames, 5) : frames * (4 + pointer);
         }
      }
      for (Json* bone = Json_getItem(map, "bones") ? Json_getItem(map, "bones")->child : nullptr; bone;
           bone = bone->next)
      {
         for (Json* timeline = bone->child; timeline; timeline = timeline->next)
         {
            bytes += curved(ChildrenCount(timeline), 3);
         }
      }
      for (Json* ik = Json_getItem(map, "ik") ? Json_getItem(map, "ik")->child : nullptr; ik; ik = ik->next)
      {
         bytes += curved(ChildrenCount(ik), 3);
      }
      for (Json* skinMap = Json_getItem(map, "ffd") ? Json_getItem(map, "ffd")->child : nullptr; skinMap;
           skinMap = skinMap->next)
      {
         skSkin* skin = skSkeletonData_findSkin(data, KeyOf(skinMap));
         for (Json* slotMap = skinMap->child; slotMap; slotMap = slotMap->next)
         {
            const i32 slotIndex = skSkeletonData_findSlotIndex(data, KeyOf(slotMap));
            for (Json* frames = slotMap->child; frames; frames = frames->next)
            {
               const skAttachment* attachment =
                   skin && slotIndex >= 0 ? skSkin_getAttachment(skin, slotIndex, KeyOf(frames)) : nullptr;
               double vertices = 0;
               if (attachment && attachment->type == SK_ATTACHMENT_MESH)
               {
                  vertices = static_cast<const skMeshAttachment*>(attachment)->verticesCount;
               }
               else if (attachment && attachment->type == SK_ATTACHMENT_SKINNED_MESH)
               {
                  vertices = static_cast<const skSkinnedMeshAttachment*>(attachment)->weightsCount / 3 * 2;
               }
               const i32 count = ChildrenCount(frames);
               bytes += curved(count, 1) + count * (pointer + vertices * 4);
            }
         }
      }
      Json* drawOrder = Json_getItem(map, "drawOrder");
      bytes += ChildrenCount(drawOrder) * (4 + pointer + 4.0 * data->slotsCount);
      bytes += ChildrenCount(Json_getItem(map, "events")) * (4 + pointer + sizeof(skEvent));
   }
   return bytes;
}

bool Reader::AnimationRead(Json* map)
{
   Json* slots = Json_getItem(map, "slots");
   Json* bones = Json_getItem(map, "bones");
   Json* iks = Json_getItem(map, "ik");
   Json* ffd = Json_getItem(map, "ffd");
   // The lookup ignores case, so this also finds "draworder".
   Json* drawOrder = Json_getItem(map, "drawOrder");
   Json* events = Json_getItem(map, "events");

   i32 timelinesCount = ChildrenCount(iks) + (drawOrder ? 1 : 0) + (events ? 1 : 0);
   for (Json* target = slots ? slots->child : nullptr; target; target = target->next)
   {
      timelinesCount += ChildrenCount(target);
   }
   for (Json* target = bones ? bones->child : nullptr; target; target = target->next)
   {
      timelinesCount += ChildrenCount(target);
   }
   for (Json* skin = ffd ? ffd->child : nullptr; skin; skin = skin->next)
   {
      for (Json* slot = skin->child; slot; slot = slot->next)
      {
         timelinesCount += ChildrenCount(slot);
      }
   }

   animation = skAnimation_create(KeyOf(map), timelinesCount);
   if (!animation)
   {
      return OutOfMemory();
   }
   timelinesSet = 0;
   timed = false;
   const bool read = SlotTimelinesRead(slots) && BoneTimelinesRead(bones) && IkTimelinesRead(iks) &&
                     FFDTimelinesRead(ffd) && (!drawOrder || DrawOrderTimelineRead(drawOrder)) &&
                     (!events || EventTimelineRead(events));
   if (read)
   {
      data->animations[data->animationsCount++] = animation;
   }
   else
   {
      skAnimation_dispose(animation);
   }
   animation = nullptr;
   return read;
}

bool Reader::TimelineAdd(skTimeline* timeline)
{
   if (!timeline)
   {
      return OutOfMemory();
   }
   animation->timelines[timelinesSet++] = timeline;
   return true;
}

void Reader::DurationAdd(const float* frames, i32 framesCount, i32 entries)
{
   if (framesCount > 0)
   {
      const float last = frames[(framesCount - 1) * entries];
      animation->duration = timed && !(last > animation->duration) ? animation->duration : last;
      timed = true;
   }
}

bool Reader::SlotTimelinesRead(Json* slots)
{
   for (Json* slotMap = slots ? slots->child : nullptr; slotMap; slotMap = slotMap->next)
   {
      const i32 slotIndex = skSkeletonData_findSlotIndex(data, KeyOf(slotMap));
      if (slotIndex < 0)
      {
         return Fail("Slot not found: ", KeyOf(slotMap));
      }
      for (Json* timelineMap = slotMap->child; timelineMap; timelineMap = timelineMap->next)
      {
         const char* timelineName = KeyOf(timelineMap);
         const i32 framesCount = ChildrenCount(timelineMap);
         if (std::strcmp(timelineName, "color") == 0)
         {
            skColorTimeline* timeline = skColorTimeline_create(framesCount);
            if (!TimelineAdd(timeline))
            {
               return false;
            }
            timeline->slotIndex = slotIndex;
            i32 i = 0;
            for (Json* frame = timelineMap->child; frame; frame = frame->next, ++i)
            {
               const char* color = TextGet(frame, "color", "");
               skColorTimeline_setFrame(timeline, i, TimeGet(frame), ColorChannel(color, 0),
                                        ColorChannel(color, 1), ColorChannel(color, 2),
                                        ColorChannel(color, 3));
               CurveRead(timeline, i, frame);
            }
            DurationAdd(timeline->frames, framesCount, 5);
         }
         else if (std::strcmp(timelineName, "attachment") == 0)
         {
            skAttachmentTimeline* timeline = skAttachmentTimeline_create(framesCount);
            if (!TimelineAdd(timeline))
            {
               return false;
            }
            timeline->slotIndex = slotIndex;
            i32 i = 0;
            for (Json* frame = timelineMap->child; frame; frame = frame->next, ++i)
            {
               // JSON null keys the removal of the attachment.
               Json* name = Json_getItem(frame, "name");
               const char* attachmentName =
                   name && name->type == Json_NULL ? nullptr : TextGet(frame, "name", "");
               if (!skAttachmentTimeline_setFrame(timeline, i, TimeGet(frame), attachmentName))
               {
                  return OutOfMemory();
               }
            }
            DurationAdd(timeline->frames, framesCount, 1);
         }
         else
         {
            return Fail("Invalid timeline type for a slot: ", timelineName);
         }
      }
   }
   return true;
}

bool Reader::BoneTimelinesRead(Json* bones)
{
   const float scale = json->scale;
   for (Json* boneMap = bones ? bones->child : nullptr; boneMap; boneMap = boneMap->next)
   {
      const i32 boneIndex = skSkeletonData_findBoneIndex(data, KeyOf(boneMap));
      if (boneIndex < 0)
      {
         return Fail("Bone not found: ", KeyOf(boneMap));
      }
      for (Json* timelineMap = boneMap->child; timelineMap; timelineMap = timelineMap->next)
      {
         const char* timelineName = KeyOf(timelineMap);
         const i32 framesCount = ChildrenCount(timelineMap);
         if (std::strcmp(timelineName, "rotate") == 0)
         {
            skRotateTimeline* timeline = skRotateTimeline_create(framesCount);
            if (!TimelineAdd(timeline))
            {
               return false;
            }
            timeline->boneIndex = boneIndex;
            i32 i = 0;
            for (Json* frame = timelineMap->child; frame; frame = frame->next, ++i)
            {
               skRotateTimeline_setFrame(timeline, i, TimeGet(frame), Json_getFloat(frame, "angle", 0));
               CurveRead(timeline, i, frame);
            }
            DurationAdd(timeline->frames, framesCount, 2);
         }
         else if (std::strcmp(timelineName, "translate") == 0 || std::strcmp(timelineName, "scale") == 0)
         {
            // Scale keys are factors: neither scaled by the reader nor 0 when left out.
            const bool isScale = timelineName[0] == 's';
            skTranslateTimeline* timeline =
                isScale ? skScaleTimeline_create(framesCount) : skTranslateTimeline_create(framesCount);
            if (!TimelineAdd(timeline))
            {
               return false;
            }
            timeline->boneIndex = boneIndex;
            const float factor = isScale ? 1 : scale;
            const float absent = isScale ? 1 : 0;
            i32 i = 0;
            for (Json* frame = timelineMap->child; frame; frame = frame->next, ++i)
            {
               skTranslateTimeline_setFrame(timeline, i, TimeGet(frame),
                                            Json_getFloat(frame, "x", absent) * factor,
                                            Json_getFloat(frame, "y", absent) * factor);
               CurveRead(timeline, i, frame);
            }
            DurationAdd(timeline->frames, framesCount, 3);
         }
         else if (std::strcmp(timelineName, "flipX") == 0 || std::strcmp(timelineName, "flipY") == 0)
         {
            const i32 x = timelineName[4] == 'X';
            skFlipTimeline* timeline = skFlipTimeline_create(framesCount, x);
            if (!TimelineAdd(timeline))
            {
               return false;
            }
            timeline->boneIndex = boneIndex;
            i32 i = 0;
            for (Json* frame = timelineMap->child; frame; frame = frame->next, ++i)
            {
               i32 flip;
               if (!IntGet(frame, x ? "x" : "y", 0, &flip))
               {
                  return false;
               }
               skFlipTimeline_setFrame(timeline, i, TimeGet(frame), flip);
            }
            DurationAdd(timeline->frames, framesCount, 2);
         }
         else
         {
            return Fail("Invalid timeline type for a bone: ", timelineName);
         }
      }
   }
   return true;
}

bool Reader::IkTimelinesRead(Json* iks)
{
   for (Json* ikMap = iks ? iks->child : nullptr; ikMap; ikMap = ikMap->next)
   {
      const char* name = KeyOf(ikMap);
      i32 ikIndex = 0;
      while (ikIndex < data->ikConstraintsCount && std::strcmp(data->ikConstraints[ikIndex]->name, name) != 0)
      {
         ikIndex++;
      }
      if (ikIndex == data->ikConstraintsCount)
      {
         return Fail("IK constraint not found: ", name);
      }
      const i32 framesCount = ChildrenCount(ikMap);
      skIkConstraintTimeline* timeline = skIkConstraintTimeline_create(framesCount);
      if (!TimelineAdd(timeline))
      {
         return false;
      }
      timeline->ikConstraintIndex = ikIndex;
      i32 i = 0;
      for (Json* frame = ikMap->child; frame; frame = frame->next, ++i)
      {
         i32 bendPositive;
         if (!FlagGet(frame, "bendPositive", 1, &bendPositive))
         {
            return false;
         }
         skIkConstraintTimeline_setFrame(timeline, i, TimeGet(frame), Json_getFloat(frame, "mix", 0),
                                         bendPositive ? 1 : -1);
         CurveRead(timeline, i, frame);
      }
      DurationAdd(timeline->frames, framesCount, 3);
   }
   return true;
}

bool Reader::FFDTimelinesRead(Json* ffd)
{
   for (Json* skinMap = ffd ? ffd->child : nullptr; skinMap; skinMap = skinMap->next)
   {
      skSkin* skin = skSkeletonData_findSkin(data, KeyOf(skinMap));
      if (!skin)
      {
         return Fail("Attachment not found: ", KeyOf(skinMap));
      }
      for (Json* slotMap = skinMap->child; slotMap; slotMap = slotMap->next)
      {
         // Skins may hold attachments under slot index -1; a deformation of one would index
         // before the slots.
         const i32 slotIndex = skSkeletonData_findSlotIndex(data, KeyOf(slotMap));
         if (slotIndex < 0)
         {
            return Fail("Attachment not found: ", KeyOf(slotMap));
         }
         for (Json* attachmentMap = slotMap->child; attachmentMap; attachmentMap = attachmentMap->next)
         {
            skAttachment* attachment = skSkin_getAttachment(skin, slotIndex, KeyOf(attachmentMap));
            if (!attachment)
            {
               return Fail("Attachment not found: ", KeyOf(attachmentMap));
            }
            if (!FFDTimelineRead(attachment, slotIndex, attachmentMap))
            {
               return false;
            }
         }
      }
   }
   return true;
}

bool Reader::FFDTimelineRead(skAttachment* attachment, i32 slotIndex, Json* frames)
{
   // Only meshes have vertices to deform; other kinds get frames of none.
   const skMeshAttachment* mesh =
       attachment->type == SK_ATTACHMENT_MESH ? static_cast<const skMeshAttachment*>(attachment) : nullptr;
   i32 verticesCount = 0;
   if (mesh)
   {
      verticesCount = mesh->verticesCount;
   }
   else if (attachment->type == SK_ATTACHMENT_SKINNED_MESH)
   {
      verticesCount = static_cast<const skSkinnedMeshAttachment*>(attachment)->weightsCount / 3 * 2;
   }
   const i32 framesCount = ChildrenCount(frames);
   skFFDTimeline* timeline = skFFDTimeline_create(framesCount, verticesCount);
   if (!TimelineAdd(timeline))
   {
      return false;
   }
   timeline->slotIndex = slotIndex;
   timeline->attachment = attachment;
   float* vertices = SK_ALLOC(float, verticesCount > 0 ? verticesCount : 1);
   if (!vertices)
   {
      return OutOfMemory();
   }
   i32 i = 0;
   for (Json* frame = frames->child; frame; frame = frame->next, ++i)
   {
      Json* values = Json_getItem(frame, "vertices");
      std::memset(vertices, 0, sizeof(float) * static_cast<size_t>(verticesCount));
      if (values)
      {
         // Values that fall outside the vertices are dropped.
         i32 offset;
         if (!IntGet(frame, "offset", 0, &offset))
         {
            SK_FREE(vertices);
            return false;
         }
         i64 index = offset;
         for (Json* value = values->child; value; value = value->next, ++index)
         {
            if (index >= 0 && index < verticesCount)
            {
               vertices[index] = value->valueFloat * json->scale;
            }
         }
         for (i32 v = 0; mesh && v < verticesCount; ++v)
         {
            vertices[v] += mesh->vertices[v];
         }
      }
      else if (mesh && verticesCount > 0)
      {
         std::memcpy(vertices, mesh->vertices, sizeof(float) * static_cast<size_t>(verticesCount));
      }
      if (!skFFDTimeline_setFrame(timeline, i, TimeGet(frame), vertices))
      {
         SK_FREE(vertices);
         return OutOfMemory();
      }
      CurveRead(timeline, i, frame);
   }
   SK_FREE(vertices);
   DurationAdd(timeline->frames, framesCount, 1);
   return true;
}

bool Reader::DrawOrderTimelineRead(Json* frames)
{
   const i32 framesCount = ChildrenCount(frames);
   const i32 slotsCount = data->slotsCount;
   skDrawOrderTimeline* timeline = skDrawOrderTimeline_create(framesCount, slotsCount);
   if (!TimelineAdd(timeline))
   {
      return false;
   }
   i32* drawOrder = SK_ALLOC(i32, slotsCount > 0 ? slotsCount : 1);
   i32* unchanged = SK_ALLOC(i32, slotsCount > 0 ? slotsCount : 1);
   bool read = drawOrder && unchanged ? true : OutOfMemory();
   i32 i = 0;
   for (Json* frame = frames->child; read && frame; frame = frame->next, ++i)
   {
      // A frame without offsets restores the setup order.
      Json* offsets = Json_getItem(frame, "offsets");
      read = !offsets || DrawOrderRead(offsets, drawOrder, unchanged);
      if (read && !skDrawOrderTimeline_setFrame(timeline, i, TimeGet(frame), offsets ? drawOrder : nullptr))
      {
         read = OutOfMemory();
      }
   }
   SK_FREE(drawOrder);
   SK_FREE(unchanged);
   if (read)
   {
      DurationAdd(timeline->frames, framesCount, 1);
   }
   return read;
}

// Each offset moves its slot from its setup index; the slots not named keep their relative
// order in the places left over. Offsets must name slots in setup order, once each, and move
// them to free places inside the slot range.
bool Reader::DrawOrderRead(Json* offsets, i32* drawOrder, i32* unchanged)
{
   const i32 slotsCount = data->slotsCount;
   for (i32 i = 0; i < slotsCount; ++i)
   {
      drawOrder[i] = -1;
   }
   i32 originalIndex = 0;
   i32 unchangedCount = 0;
   for (Json* offsetMap = offsets->child; offsetMap; offsetMap = offsetMap->next)
   {
      const char* slotName = TextGet(offsetMap, "slot", "");
      const i32 slotIndex = skSkeletonData_findSlotIndex(data, slotName);
      if (slotIndex < 0)
      {
         return Fail("Slot not found: ", slotName);
      }
      if (slotIndex < originalIndex)
      {
         return Fail("Invalid draw order for slot: ", slotName);
      }
      while (originalIndex != slotIndex)
      {
         unchanged[unchangedCount++] = originalIndex++;
      }
      i32 offset;
      if (!IntGet(offsetMap, "offset", 0, &offset))
      {
         return false;
      }
      const i64 place = i64(originalIndex) + offset;
      if (place < 0 || place >= slotsCount || drawOrder[place] != -1)
      {
         return Fail("Invalid draw order for slot: ", slotName);
      }
      drawOrder[place] = originalIndex++;
   }
   while (originalIndex < slotsCount)
   {
      unchanged[unchangedCount++] = originalIndex++;
   }
   // As many places are left as slots were not named.
   for (i32 i = slotsCount - 1; i >= 0; --i)
   {
      if (drawOrder[i] == -1)
      {
         drawOrder[i] = unchanged[--unchangedCount];
      }
   }
   return true;
}

bool Reader::EventTimelineRead(Json* frames)
{
   const i32 framesCount = ChildrenCount(frames);
   skEventTimeline* timeline = skEventTimeline_create(framesCount);
   if (!TimelineAdd(timeline))
   {
      return false;
   }
   i32 i = 0;
   for (Json* frame = frames->child; frame; frame = frame->next, ++i)
   {
      const char* name = TextGet(frame, "name", "");
      skEventData* eventData = skSkeletonData_findEvent(data, name);
      if (!eventData)
      {
         return Fail("Event not found: ", name);
      }
      skEvent* event = skEvent_create(eventData);
      if (!event)
      {
         return OutOfMemory();
      }
      if (!IntGet(frame, "int", eventData->intValue, &event->intValue))
      {
         skEvent_dispose(event);
         return false;
      }
      event->floatValue = Json_getFloat(frame, "float", eventData->floatValue);
      const char* text = TextGet(frame, "string", eventData->stringValue);
      if (text && !(event->stringValue = _skCopyString(text)))
      {
         skEvent_dispose(event);
         return OutOfMemory();
      }
      skEventTimeline_setFrame(timeline, i, TimeGet(frame), event);
   }
   DurationAdd(timeline->frames, framesCount, 1);
   return true;
}
} // namespace

skSkeletonJson* skSkeletonJson_create(skAtlas* atlas)
{
   skSkeletonJson* self = SK_ALLOC(skSkeletonJson, 1);
   if (!self)
   {
      return nullptr;
   }
   self->scale = 1;
   if (!(self->attachmentLoader = skAtlasAttachmentLoader_create(atlas)))
   {
      SK_FREE(self);
      return nullptr;
   }
   return self;
}

void skSkeletonJson_dispose(skSkeletonJson* self)
{
   skAttachmentLoader_dispose(self->attachmentLoader);
   SK_FREE(self->error);
   SK_FREE(self);
}

void _skSkeletonJson_setError(skSkeletonJson* self, Json* root, const char* part1, const char* part2)
{
   if (root)
   {
      Json_dispose(root);
   }
   char message[ERROR_LENGTH_MAX + 1];
   size_t length = 0;
   for (const char* part : {part1, part2})
   {
      for (; part && *part && length < ERROR_LENGTH_MAX; ++part)
      {
         message[length++] = *part;
      }
   }
   message[length] = 0;
   SK_FREE(self->error);
   self->error = _skCopyString(message);
}

skSkeletonData* skSkeletonJson_readSkeletonDataFile(skSkeletonJson* self, const char* path)
{
   i32 length = 0;
   char* text = _skReadFile(path, &length);
   if (!text)
   {
      _skSkeletonJson_setError(self, nullptr, "Unable to read skeleton file: ", path);
      return nullptr;
   }
   skSkeletonData* data = skSkeletonJson_readSkeletonData(self, text, length);
   SK_FREE(text);
   return data;
}

skSkeletonData* skSkeletonJson_readSkeletonData(skSkeletonJson* self, const char* json)
{
   return skSkeletonJson_readSkeletonData(self, json, static_cast<i32>(std::strlen(json)));
}

skSkeletonData* skSkeletonJson_readSkeletonData(skSkeletonJson* self, const char* json, i32 length)
{
   SK_FREE(self->error);
   self->error = nullptr;

   Json* root = Json_create(json, length);
   if (!root)
   {
      _skSkeletonJson_setError(self, nullptr, "Invalid skeleton JSON: ", Json_getError());
      return nullptr;
   }
   skSkeletonData* data = skSkeletonData_create();
   if (!data)
   {
      _skSkeletonJson_setError(self, root, OUT_OF_MEMORY, nullptr);
      return nullptr;
   }

   bool read = true;
   Json* skeleton = Json_getItem(root, "skeleton");
   if (skeleton)
   {
      // Absent texts stay null.
      const char* hash = TextGet(skeleton, "hash", nullptr);
      const char* version = TextGet(skeleton, "version", nullptr);
      read = (!hash || (data->hash = _skCopyString(hash))) &&
             (!version || (data->version = _skCopyString(version)));
      if (!read)
      {
         _skSkeletonJson_setError(self, nullptr, OUT_OF_MEMORY, nullptr);
      }
      data->width = Json_getFloat(skeleton, "width", 0);
      data->height = Json_getFloat(skeleton, "height", 0);
   }

   Reader reader(self, data);
   read = read && reader.BonesRead(Json_getItem(root, "bones")) &&
          reader.IkConstraintsRead(Json_getItem(root, "ik")) &&
          reader.SlotsRead(Json_getItem(root, "slots")) && reader.SkinsRead(Json_getItem(root, "skins")) &&
          reader.EventsRead(Json_getItem(root, "events"));

   Json* animations = Json_getItem(root, "animations");
   const i32 animationsCount = ChildrenCount(animations);
   if (read && animationsCount > 0)
   {
      const double bytes = reader.TimelinesBytesCount(animations);
      if (bytes > TIMELINES_BYTES_MAX)
      {
         char size[32];
         std::snprintf(size, sizeof(size), "%.0f bytes", bytes);
         _skSkeletonJson_setError(self, nullptr, "Animations need more than 64 MiB: ", size);
         read = false;
      }
      else if (!(data->animations = SK_ALLOC(skAnimation*, animationsCount)))
      {
         _skSkeletonJson_setError(self, nullptr, OUT_OF_MEMORY, nullptr);
         read = false;
      }
   }
   // A failing animation is dropped with the error set; the others are still read. A number
   // beyond int's range refuses the whole file.
   for (Json* map = read && animations ? animations->child : nullptr; map && !reader.refused; map = map->next)
   {
      reader.AnimationRead(map);
   }
   read = read && !reader.refused;

   Json_dispose(root);
   if (!read)
   {
      skSkeletonData_dispose(data);
      return nullptr;
   }
   return data;
}
} // namespace Corvale
