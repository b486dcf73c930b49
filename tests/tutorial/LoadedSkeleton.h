// A posed skeleton over a cached atlas, for the tests and benchmarks that draw one: the atlas,
// reader, data and skeleton made in order and disposed in reverse.
#pragma once

#include <string>

#include "tutorial/SkeletonManager.h"
#include "tutorial/skeleton/skSkeleton.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkeletonJson.h"

namespace Corvale
{
namespace tutorial_test_support
{
struct LoadedSkeleton
{
   skAtlas* atlas = nullptr;
   skSkeletonJson* json = nullptr;
   skSkeletonData* data = nullptr;
   skSkeleton* skeleton = nullptr;

   // The atlas "<atlasName>.atlas", then the skeleton from the file at path, or from text when
   // fromText is set; its world transforms are updated once. What fails stays null.
   void Load(const char* atlasName, const std::string& source, bool fromText)
   {
      atlas = SkeletonManager::AtlasLoad(atlasName);
      json = atlas ? skSkeletonJson_create(atlas) : nullptr;
      if (json)
      {
         data = fromText ? skSkeletonJson_readSkeletonData(json, source.c_str())
                         : skSkeletonJson_readSkeletonDataFile(json, source.c_str());
      }
      skeleton = data ? skSkeleton_create(data) : nullptr;
      if (skeleton)
      {
         skSkeleton_updateWorldTransform(skeleton);
      }
   }

   ~LoadedSkeleton()
   {
      if (skeleton)
      {
         skSkeleton_dispose(skeleton);
      }
      if (data)
      {
         skSkeletonData_dispose(data);
      }
      if (json)
      {
         skSkeletonJson_dispose(json);
      }
      SkeletonManager::AtlasRelease(atlas);
   }

   LoadedSkeleton() = default;
   LoadedSkeleton(const LoadedSkeleton&) = delete;
   LoadedSkeleton& operator=(const LoadedSkeleton&) = delete;
};
} // namespace tutorial_test_support
} // namespace Corvale
