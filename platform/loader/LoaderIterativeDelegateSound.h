// Loader delegate for "Sound" items: sound effects, through the sound manager.
#pragma once

#include "platform/loader/LoaderIterativeDelegateOneStep.h"

namespace Corvale
{
class LoaderIterativeDelegateSound : public LoaderIterativeDelegateOneStep
{
 public:
   void Release(JSONValue* item) override;

 protected:
   void NameLoad(const char* name) override;
};
} // namespace Corvale
