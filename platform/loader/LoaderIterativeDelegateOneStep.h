// The delegates whose item is one resource loaded in a single step (sounds, fonts, textures):
// they differ only in the manager that loads and releases the name.
#pragma once

#include "platform/loader/LoaderIterativeDelegate.h"

namespace Corvale
{
class LoaderIterativeDelegateOneStep : public LoaderIterativeDelegate
{
 public:
   void SpecificationSet(JSONValue* item) override;
   void Update() override;
   bool DoneCheck() override { return done != 0; }
   float ProgressGet() override { return done ? 100.0f : 0.0f; }
   void Unload() override;

   u8 done = 0;

 protected:
   // Takes one reference on the named resource through its manager.
   virtual void NameLoad(const char* name) = 0;
};
} // namespace Corvale
