// The tutorials' host for skeletons: a reference-counted cache of loaded atlases shared by name,
// and the drawing of a posed skeleton's region attachments through the screen.
#pragma once

#include "core/ResourceCache.h"
#include "core/Types.h"

namespace Corvale
{
struct skAtlas;
struct skSkeleton;

// The atlas cache, kept apart from drawing so that it can be emptied without a screen.
class SkeletonManagerCommon
{
 public:
   // Disposes every cached atlas, whatever its count, and empties the cache; at shutdown.
   static void Deinit();

   static ResourceCache<skAtlas> atlasCache;
};

class SkeletonManager : public SkeletonManagerCommon
{
 public:
   // "<name>.atlas" read once and shared: each call is one reference. Null when it can't be read.
   static skAtlas* AtlasLoad(const char* name);
   // Gives one reference back; the last one disposes the atlas. An atlas the cache never held is
   // disposed at once.
   static void AtlasRelease(skAtlas* atlas);
   // The region attachments of the draw order, one textured quad each, in the current transform.
   static void SkeletonDraw(const skSkeleton* skeleton);
   // The depth of a bone's quads: the number after the first '@' of its name, else 0.
   static float BoneDepthGet(const char* boneName);
};
} // namespace Corvale
