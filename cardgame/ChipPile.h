// A pot, a bet or a bankroll: the chips that show an amount, laid out from a JSON specification
// with templates. The chips belong to the game; the pile only holds and arranges them.
#pragma once

#include "core/Point.h"
#include "core/Table.h"
#include "core/Types.h"

namespace Corvale
{
class Chip;
class JSONValue;
class Minigame;

constexpr u32 CHIP_PILE_PATH_SIZE = 260;

enum ChipPileType : i32
{
   CHIP_PILE_POT = 0,
   CHIP_PILE_BET = 1,
   CHIP_PILE_BANKROLL = 2
};

// "Pot", "Bet", "Bankroll" as 0, 1, 2; anything else -1.
i32 ChipPileTypeFromName(const char* name);

class ChipPile
{
 public:
   ChipPile() = default;
   ChipPile(const ChipPile&) = delete;
   ChipPile& operator=(const ChipPile&) = delete;
   ~ChipPile();

   // The chip motion constants of the global constants.
   static void ConstsLoad(const JSONValue* globalConsts);

   void Init(Minigame* owner, const JSONValue* specification);
   void Deinit();
   void SpriteResourceLoad();
   // A chip of that value on top; the bottom chip goes back to the game past "ChipCountMax".
   Chip* ChipAdd(i32 denominationValue);
   // Chips for the amount in the style's denominations, largest first.
   void ValueAdd(i32 amount);
   // Every chip back to the game; value 0.
   void Clear();
   Point2F ChipPositionGet(i32 index) const;
   void ChipsPositionUpdate(bool animate);

   i32 id = -1;
   i32 type = -1;
   i32 ownerID = -1;
   i32 secondaryID = -1;
   i32 value = 0;
   Point2F position;
   char* chipStyle = nullptr;
   char* chipSize = nullptr;
   float chipRotation = 0.0f;
   float chipRotationDeviation = 0.0f;
   Point2F chipPositionOffset;
   float chipPositionOffsetRandomLengthMin = 0.0f;
   float chipPositionOffsetRandomLengthMax = 0.0f;
   float chipsSpanLengthMax = -1.0f;
   i32 chipCountMax = -1;
   Minigame* game = nullptr;
   Table<Chip*> chips;
   char spritePath[CHIP_PILE_PATH_SIZE] = {};

 private:
   void OnChipAdd(Chip* chip);
   void SpriteResourceRelease();
   // The specification with its "Inherited" templates resolved; owned by the caller, or null.
   JSONValue* SpecificationInheritanceHelper(const JSONValue* specification);
};
} // namespace Corvale
