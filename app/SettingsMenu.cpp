// The settings menu's checks on the current profile.
#include "app/SettingsMenu.h"

#include "app/profile/Unlockables.h"

namespace Corvale
{
bool SettingsMenu::BackgroundUnlockedCheck(const char* name)
{
   return ItemUnlockedCheck("Background", name);
}
} // namespace Corvale
