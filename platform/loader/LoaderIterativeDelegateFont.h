// Loader delegate for "Font" items: bitmap fonts, through the font cache.
#pragma once

#include "platform/loader/LoaderIterativeDelegateOneStep.h"

namespace Corvale
{
class LoaderIterativeDelegateFont : public LoaderIterativeDelegateOneStep
{
 public:
   void Release(JSONValue* item) override;

 protected:
   void NameLoad(const char* name) override;
};
} // namespace Corvale
