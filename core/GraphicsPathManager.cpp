// The graphics paths, written by the screen at start-up and read by every art lookup.
#include "core/GraphicsPathManager.h"

#include "core/Log.h"
#include "core/StringHelpers.h"

namespace Corvale
{
namespace
{
i32 graphicsPathsCount = 0;
char graphicsPaths[GRAPHICS_PATHS_COUNT_MAX][GRAPHICS_PATH_SIZE] = {};
} // namespace

void GraphicsPathManager::Set(i32 pathIndex, const char* path)
{
   if (!path)
   {
      return;
   }
   if (pathIndex >= GRAPHICS_PATHS_COUNT_MAX)
   {
      WarningPrintf("GraphicsPathManager::Set -- pathIndex (%d) is too high.  GRAPHICS_PATHS_COUNT_MAX: %d\n",
                    pathIndex, GRAPHICS_PATHS_COUNT_MAX);
      return;
   }
   if (pathIndex < 0)
   {
      WarningPrintf("GraphicsPathManager::Set -- pathIndex (%d) is negative.\n", pathIndex);
      return;
   }
   if (graphicsPathsCount <= pathIndex)
   {
      graphicsPathsCount = pathIndex + 1;
   }
   char* slot = graphicsPaths[pathIndex];
   // An empty path is the tree's root, not "/", the root of the file system.
   if (path[0] == '\0' || !NultSnprintf(slot, GRAPHICS_PATH_SIZE, "%s/", path))
   {
      slot[0] = '\0';
   }
}

i32 GraphicsPathManager::CountGet()
{
   return graphicsPathsCount;
}

const char* GraphicsPathManager::Get(i32 pathIndex)
{
   if (pathIndex < 0 || pathIndex >= graphicsPathsCount)
   {
      return "";
   }
   return graphicsPaths[pathIndex];
}
} // namespace Corvale
