// Gamepad remnants: two statically built singletons that nothing calls at run time.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class CTRGamepadCommon
{
 public:
   virtual void Reset() = 0;
   virtual ~CTRGamepadCommon() = default;
};

class CTRGamepad : public CTRGamepadCommon
{
 public:
   void Reset() override;

   u8 state[20] = {};
   u8 table[64] = {};
};

class PlatformManagerCommon
{
 public:
   virtual ~PlatformManagerCommon() = default;
   virtual const char* PlatformNameGet() const = 0;
};

class Xbox360PlatformManager : public PlatformManagerCommon
{
 public:
   const char* PlatformNameGet() const override { return "Xbox360PC"; }
};

extern CTRGamepad ctrGamepad;
extern Xbox360PlatformManager xbox360PlatformManager;
} // namespace Corvale
