// The first game state when the constants name splash images: each image in turn, centred on
// black, fading in, held and fading out; a click or a key skips to the next one.
#pragma once

#include "core/Table.h"
#include "core/Types.h"
#include "gui/state/GameState.h"

namespace Corvale
{
class Image;

class SplashScreen : public GameState
{
 public:
   ~SplashScreen() override;

   void Init() override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   // Drops this state from the top of the state table: the loading screen below runs next.
   virtual void Finish();

   // Keeps a copy of the "|"-separated names that the next Init loads; null for none.
   void ImageNamesSet(const char* names);
   // The alpha the shown image is drawn with at imageTime.
   u8 AlphaGet() const;

   char* imageNames = nullptr;
   u32 fadeDuration = 1000;
   u32 holdDuration = 2000;
   u32 holdEnd = 0;
   u32 totalDuration = 0;
   i32 imageIndex = 0;
   u32 imageTime = 0;
   Table<Image*> images;
};

extern SplashScreen splashScreen;
} // namespace Corvale
