// What the card games read of the profile store before it lands: the game speed, the messy-cards
// flag, an empty unlock queue and achievements that grant nothing.
#include "app/profile/Achievements.h"
#include "app/profile/SettingsApply.h"
#include "app/profile/Unlockables.h"

namespace Corvale
{
i32 gameSpeed = 50;
bool cardsMessy = false;
Table<UnlockMessage> unlockMessages;

void AchievementsUpdate() {}
} // namespace Corvale

namespace Corvale
{
bool ItemUnlockedCheck(const char* type, const char* name)
{
   (void)type;
   (void)name;
   return false;
}
} // namespace Corvale
