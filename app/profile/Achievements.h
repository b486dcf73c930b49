// Achievements: statistic conditions of the constants that, once met, are recorded in the profile
// and unlock a reward item.
#pragma once

namespace Corvale
{
// Grants every achievement whose condition the current profile's statistics meet; rewards
// unlocked before queue nothing, so each message shows once.
void AchievementsUpdate();
// Records the achievement in the current profile and unlocks its reward.
void AchievementGrant(const char* name);
} // namespace Corvale
