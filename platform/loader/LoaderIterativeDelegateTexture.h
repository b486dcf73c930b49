// Loader delegate for "Texture" items: single textures, through the texture manager.
#pragma once

#include "platform/loader/LoaderIterativeDelegateOneStep.h"

namespace Corvale
{
class LoaderIterativeDelegateTexture : public LoaderIterativeDelegateOneStep
{
 public:
   void Release(JSONValue* item) override;

 protected:
   void NameLoad(const char* name) override;
};
} // namespace Corvale
