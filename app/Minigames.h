// The registry of games: every game's singleton in a fixed order, found by its key (the name under
// which its settings, statistics and menu entries are stored).
#pragma once

#include "core/Table.h"

namespace Corvale
{
class Minigame;

extern Table<Minigame*> minigames;

// Fills the registry with the 72 games; a game not built yet is its placeholder.
void MinigamesRegister();
// Empties the registry and frees its buffer; the games themselves are static.
void MinigamesUnregister();
// The first registered game whose key equals name exactly; null for null or no match.
Minigame* MinigameGetByName(const char* name);
// False for null and for a placeholder of a game not built yet.
bool MinigameAvailableCheck(Minigame* game);
} // namespace Corvale
