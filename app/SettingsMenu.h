// The settings menu. For now only what the games and the unlockables ask of it: whether the
// current profile unlocked a table background.
#pragma once

namespace Corvale
{
class SettingsMenu
{
 public:
   static bool BackgroundUnlockedCheck(const char* name);
};
} // namespace Corvale
