// A hand-written skeleton file and its atlas, touching every member the reader knows, for the
// reader, animation state and fuzz tests.
#pragma once

#include <string>

#include "tutorial/skeleton/skAtlas.h"
#include "tutorial/skeleton/skSkeletonData.h"
#include "tutorial/skeleton/skSkeletonJson.h"

namespace Corvale
{
namespace skeleton_test_support
{
// One 64 by 32 page (the texture hook's size) with the four regions the skins use.
inline const char* SkeletonAtlasText()
{
   return "page.png\n"
          "format: RGBA8888\n"
          "filter: Linear,Linear\n"
          "repeat: none\n"
          "body\n"
          "  rotate: false\n"
          "  xy: 0, 0\n"
          "  size: 16, 16\n"
          "  orig: 16, 16\n"
          "  offset: 0, 0\n"
          "  index: -1\n"
          "head\n"
          "  rotate: false\n"
          "  xy: 16, 0\n"
          "  size: 16, 16\n"
          "  orig: 16, 16\n"
          "  offset: 0, 0\n"
          "  index: -1\n"
          "arm\n"
          "  rotate: false\n"
          "  xy: 32, 0\n"
          "  size: 32, 16\n"
          "  orig: 32, 16\n"
          "  offset: 0, 0\n"
          "  index: -1\n"
          "skin\n"
          "  rotate: false\n"
          "  xy: 0, 16\n"
          "  size: 64, 16\n"
          "  orig: 64, 16\n"
          "  offset: 0, 0\n"
          "  index: -1\n";
}

// Bones root > shoulder > upperArm > forearm and root > pointer, named as the tutorial names its
// arm; an IK chain on upperArm and forearm; slots back (0), arm (1), face (2), front (3); a
// default skin with all four attachment kinds and a second skin; two events; the animation
// "animation" with every timeline kind (2 seconds long) and a second animation "other".
inline const char* SkeletonFileText()
{
   return R"({
"skeleton": { "hash": "h1", "version": "2.1", "width": 100, "height": 200 },
"bones": [
  { "name": "root" },
  { "name": "shoulder", "parent": "root", "length": 10, "x": 1, "y": 2, "rotation": 30, "scaleX": 2, "scaleY": 0.5,
    "inheritScale": false, "flipY": true },
  { "name": "upperArm", "parent": "shoulder", "length": 20 },
  { "name": "forearm", "parent": "upperArm", "length": 20, "x": 20 },
  { "name": "pointer", "parent": "root", "x": 30 }
],
"ik": [ { "name": "reach", "bones": [ "upperArm", "forearm" ], "target": "pointer", "bendPositive": false, "mix": 0.5 } ],
"slots": [
  { "name": "back", "bone": "root", "attachment": "body" },
  { "name": "arm", "bone": "upperArm", "attachment": "arm", "color": "ff000080", "blend": "additive" },
  { "name": "face", "bone": "shoulder", "attachment": "head", "blend": "screen" },
  { "name": "front", "bone": "forearm", "attachment": "skin" }
],
"skins": {
  "default": {
    "back": { "body": { "x": 3, "y": 4, "width": 10, "height": 20, "rotation": 90, "scaleX": 2 } },
    "arm": { "arm": { "type": "mesh", "vertices": [ 0, 0, 8, 0, 8, 16 ], "uvs": [ 0, 0, 1, 0, 1, 1 ],
                      "triangles": [ 0, 1, 2 ], "hull": 3, "edges": [ 0, 2 ], "width": 8, "height": 16 } },
    "face": { "head": { "color": "00ff00ff" }, "hit": { "type": "boundingbox", "vertices": [ 1, 2, 3, 4 ] } },
    "front": { "skin": { "type": "skinnedmesh", "uvs": [ 0, 0, 1, 0, 1, 1 ],
                         "vertices": [ 1, 2, 5, 6, 1, 2, 2, 1, 1, 0.5, 3, 2, 2, 0.5, 1, 3, 7, 8, 1 ],
                         "triangles": [ 0, 1, 2 ] } }
  },
  "other": { "face": { "head": { "name": "face2", "path": "arm" } } }
},
"events": { "talk": { "int": 3, "float": 1.5, "string": "hello" }, "beep": {} },
"animations": {
  "animation": {
    "slots": { "arm": {
      "color": [ { "time": 0, "color": "ffffffff", "curve": "stepped" }, { "time": 1, "color": "00000000" } ],
      "attachment": [ { "time": 0.5, "name": null }, { "time": 1, "name": "arm" } ] } },
    "bones": { "shoulder": {
      "rotate": [ { "time": 0, "angle": 10, "curve": [ 0.25, 0, 0.75, 1 ] }, { "time": 2, "angle": 20 } ],
      "translate": [ { "time": 0, "x": 1, "y": 2 } ],
      "scale": [ { "time": 0.5, "x": 2, "y": 3 } ],
      "flipX": [ { "time": 0, "x": true } ],
      "flipY": [ { "time": 0.25, "y": 1 } ] } },
    "ik": { "reach": [ { "time": 0, "mix": 0.25, "bendPositive": false }, { "time": 1.5 } ] },
    "ffd": { "default": { "arm": { "arm": [ { "time": 0 }, { "time": 1, "offset": 2, "vertices": [ 1, 1 ] } ] } } },
    "drawOrder": [ { "time": 0.5, "offsets": [ { "slot": "face", "offset": -1 } ] }, { "time": 1 } ],
    "events": [ { "time": 0.25, "name": "talk" }, { "time": 1, "name": "beep", "int": 7, "string": "x" } ]
  },
  "other": { "bones": { "root": { "rotate": [ { "time": 0.5, "angle": 5 } ] } } }
}
})";
}

// The text with the first occurrence of from replaced by to; empty when from isn't there.
inline std::string Edit(const std::string& text, const std::string& from, const std::string& to)
{
   const size_t at = text.find(from);
   if (at == std::string::npos)
   {
      return std::string();
   }
   return text.substr(0, at) + to + text.substr(at + from.size());
}

// An atlas and a reader over it, read from the texts; everything is disposed with it.
struct LoadedSkeleton
{
   skAtlas* atlas = nullptr;
   skSkeletonJson* json = nullptr;
   skSkeletonData* data = nullptr;

   LoadedSkeleton(const std::string& skeleton, const std::string& atlasText = SkeletonAtlasText(),
                  float scale = 1)
   {
      atlas = skAtlas_create(atlasText.data(), static_cast<i32>(atlasText.size()), "");
      json = atlas ? skSkeletonJson_create(atlas) : nullptr;
      if (json)
      {
         json->scale = scale;
         data = skSkeletonJson_readSkeletonData(json, skeleton.data(), static_cast<i32>(skeleton.size()));
      }
   }
   ~LoadedSkeleton()
   {
      if (data)
      {
         skSkeletonData_dispose(data);
      }
      if (json)
      {
         skSkeletonJson_dispose(json);
      }
      if (atlas)
      {
         skAtlas_dispose(atlas);
      }
   }
   LoadedSkeleton(const LoadedSkeleton&) = delete;
   LoadedSkeleton& operator=(const LoadedSkeleton&) = delete;

   const char* Error() const { return json ? json->error : nullptr; }
};
} // namespace skeleton_test_support
} // namespace Corvale
