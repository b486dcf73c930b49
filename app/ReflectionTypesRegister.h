// Makes every saved type of the card games known to reflection before the first game runs.
#pragma once

namespace Corvale
{
// The basic types, the card games' enumerations, then GameTypesRegister.
void ReflectionTypesRegister();
// The table types the game fields use (each once), then the record classes and games in order.
void GameTypesRegister();
} // namespace Corvale
