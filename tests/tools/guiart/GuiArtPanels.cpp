// The GUI art tool's panels that cover the table (popups, message boxes, the results, the trick
// review, the menu bar, dialog balloons): opaque inside their rounded box, so that no card shows
// through them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "core/Allocator.h"
#include "core/FileStdio.h"
#include "core/Memory.h"
#include "platform/image/Bitmap.h"
#include "platform/image/BitmapLoaderPNG.h"

using namespace Corvale;

namespace
{
TEST(GuiArtPanels, PanelsThatCoverTheTableAreOpaque)
{
   if (!Memory::InitialisedCheck())
   {
      Memory::Init();
   }
   // Each picture with the margin its rounded corners and shadow take.
   struct Panel
   {
      const char* name;
      int margin;
   };
   const Panel panels[] = {{"GUI/MessageBox/Panel", 22},        {"GUI/FaceCreator/Panel", 22},
                           {"GUI/FaceCreator/SmallPanel", 22},  {"GUI/Solitaire/Panel", 22},
                           {"GUI/TrickTaking/ReviewPanel", 22}, {"GUI/MenuBar/Panel", 18},
                           {"GUI/Dialog/Balloon", 22},          {"GUI/LoadingScreen/Panel", 22}};
   for (const Panel& panel : panels)
   {
      const std::string path = std::string(CORVALE_GENERATED_DATA) + "/Graphics/" + panel.name + ".png";
      FileStdio file(std::fopen(path.c_str(), "rb"));
      ASSERT_NE(file.stream, nullptr) << path;
      Bitmap* bitmap = bitmapLoaderPNG.Load(&file, allocatorDefault, HEAP_DEFAULT, HEAP_TEMP);
      std::fclose(file.stream);
      file.stream = nullptr;
      ASSERT_NE(bitmap, nullptr) << path;
      int seeThrough = 0;
      for (int y = panel.margin; y < bitmap->height - panel.margin; y++)
      {
         for (int x = panel.margin; x < bitmap->width - panel.margin; x++)
         {
            seeThrough += bitmap->PixelAddressGet(x, y)[3] < 255 ? 1 : 0;
         }
      }
      EXPECT_EQ(seeThrough, 0) << panel.name << ": pixels inside the panel let the table show through";
      Bitmap::Destroy(bitmap);
   }
}
} // namespace
