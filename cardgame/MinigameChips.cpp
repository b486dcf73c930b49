// The chips of a game: its chip piles, every chip in one table with spares for reuse, the chip
// widgets' containers (moving chips above resting ones) and the chip sound with its cooldown.
#include "cardgame/Minigame.h"

#include "app/profile/ProfileStore.h"
#include "cardgame/Chip.h"
#include "cardgame/ChipPile.h"
#include "cardgame/ChipWidget.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/Random.h"
#include "gui/widgets/ContainerWidget.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundManagerOpenAL.h"
#include "platform/sound/SoundSourceOpenAL.h"

namespace Corvale
{
namespace
{
// Takes the widget out of its container, if it is in one.
void ChipWidgetDetach(Chip* chip)
{
   if (!chip->widget)
   {
      return;
   }
   ContainerWidget* parent = dynamic_cast<ContainerWidget*>(chip->widget->ParentGet());
   if (parent)
   {
      parent->ChildDetach(chip->widget);
   }
   chip->widget->ParentSet(nullptr);
}

// A chip's widget goes with it: out of its container and destroyed.
void ChipWidgetDestroy(Chip* chip)
{
   ChipWidget* widget = chip->widget;
   if (!widget)
   {
      return;
   }
   ChipWidgetDetach(chip);
   widget->Deinit();
   MemoryDelete(widget);
   chip->widget = nullptr;
}
} // namespace

ChipPile* Minigame::ChipPileCreate(const JSONValue* specification)
{
   if (!specification || specification->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   ChipPile* pile = MemoryNew<ChipPile>(HEAP_DEFAULT);
   if (!pile)
   {
      return nullptr;
   }
   pile->Init(this, specification);
   pile->id = nextChipPileID++;
   if (!chipPiles.Insert(pile, chipPiles.count))
   {
      MemoryDelete(pile);
      return nullptr;
   }
   return pile;
}

void Minigame::ChipPilesCreate()
{
   if (!constants || constants->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   const JSONValue* specifications = constants->ItemGet("ChipPiles");
   for (i32 i = 0; specifications->TypeGet() == JSONValue::TYPE_ARRAY && i < specifications->CountGet(); ++i)
   {
      ChipPileCreate(specifications->ElementGet(i));
   }
   const i32 reserve = ConstIntGet(constants, "ChipReserveCount");
   if (reserve > 0)
   {
      chips.Reserve(reserve);
      chipsFree.Reserve(reserve);
      for (i32 i = 0; i < reserve; ++i)
      {
         ChipCreate(-1);
      }
      for (i32 i = chips.count - 1; i >= 0; --i)
      {
         ChipRelease(chips[i]);
      }
   }
}

void Minigame::ChipSoundsInit()
{
   chipMoveSoundCooldown = 0;
   chipMoveSounds = Table<Sound*>(allocatorDefault);
   chipSoundSources = Table<SoundSourceCommon*>(allocatorDefault);
   if (soundManager.initialised && consts)
   {
      const JSONValue* names = consts->ItemGet("ChipMoveSounds");
      for (i32 i = 0; names->TypeGet() == JSONValue::TYPE_ARRAY && i < names->CountGet(); ++i)
      {
         const char* name = names->ElementGet(i)->StringValueGet();
         Sound* sound = name ? soundManager.Load(name) : nullptr;
         if (sound)
         {
            chipMoveSounds.Insert(sound, chipMoveSounds.count);
         }
      }
      const i32 sources = ConstIntGet(consts, "ChipMoveSoundsConcurrentMax");
      for (i32 i = 0; i < sources; ++i)
      {
         SoundSourceOpenAL* source = soundManager.SourceCreate();
         if (source)
         {
            chipSoundSources.Insert(source, chipSoundSources.count);
         }
      }
   }
   chipsLayOutPending = true;
   chipsReparentPending = true;
}

void Minigame::ChipSoundsDeinit()
{
   for (i32 i = 0; i < chipSoundSources.count; ++i)
   {
      chipSoundSources[i]->Release();
      MemoryDelete(chipSoundSources[i]);
   }
   chipSoundSources = Table<SoundSourceCommon*>();
   for (i32 i = 0; i < chipMoveSounds.count; ++i)
   {
      soundManager.Unload(chipMoveSounds[i]);
   }
   chipMoveSounds = Table<Sound*>();
}

Chip* Minigame::ChipCreate(i32 value)
{
   Chip* chip = nullptr;
   if (chipsFree.count > 0)
   {
      chip = chipsFree[chipsFree.count - 1];
      chipsFree.count--;
   }
   else
   {
      chip = MemoryNew<Chip>(HEAP_DEFAULT);
      if (!chip)
      {
         return nullptr;
      }
      chip->denomination = -1;
      chip->game = this;
   }
   chip->denomination = value;
   chip->SpriteUpdate();
   chip->WidgetCreate();
   if (!chips.Insert(chip, chips.count))
   {
      chipsFree.Insert(chip, chipsFree.count);
      return nullptr;
   }
   return chip;
}

void Minigame::ChipRelease(Chip* chip)
{
   if (!chip)
   {
      return;
   }
   ChipWidgetDetach(chip);
   chips.Remove(chip);
   if (chipsFree.Find(chip) < 0)
   {
      chipsFree.Insert(chip, chipsFree.count);
   }
}

ChipPile* Minigame::ChipPilePotGet()
{
   for (i32 i = 0; i < chipPiles.count; ++i)
   {
      if (chipPiles[i]->type == CHIP_PILE_POT && chipPiles[i]->ownerID == -1 && chipPiles[i]->secondaryID == -1)
      {
         return chipPiles[i];
      }
   }
   return nullptr;
}

void Minigame::ChipMoveSoundPlay()
{
   if (chipMoveSoundCooldown > 0 || chipMoveSounds.count == 0)
   {
      return;
   }
   Sound* sound = chipMoveSounds[static_cast<i32>(RandomIntegerGet(static_cast<u32>(chipMoveSounds.count)))];
   for (i32 i = 0; i < chipSoundSources.count; ++i)
   {
      if (chipSoundSources[i]->StateGet() == SOUND_SOURCE_IDLE)
      {
         Sound::Play(sound, static_cast<SoundSourceOpenAL*>(chipSoundSources[i]), false, SOUND_USAGE_EFFECTS);
         chipMoveSoundCooldown = static_cast<u32>(ConstIntGet(consts, "ChipMoveSoundCooldown") > 0
                                                      ? ConstIntGet(consts, "ChipMoveSoundCooldown")
                                                      : 0);
         return;
      }
   }
}

void Minigame::ChipPilesEmpty()
{
   for (i32 i = 0; i < chipPiles.count; ++i)
   {
      chipPiles[i]->Clear();
   }
}

void Minigame::ChipsLayOut()
{
   chipsLayOutPending = false;
   for (i32 i = 0; i < chipPiles.count; ++i)
   {
      chipPiles[i]->ChipsPositionUpdate(true);
   }
}

void Minigame::ChipWidgetsReparent()
{
   if (!chipContainerTop || !chipContainerBottom)
   {
      return;
   }
   chipsReparentPending = false;
   for (i32 i = 0; i < chipPiles.count; ++i)
   {
      for (i32 j = 0; j < chipPiles[i]->chips.count; ++j)
      {
         Chip* chip = chipPiles[i]->chips[j];
         if (!chip->widget)
         {
            continue;
         }
         ChipWidgetDetach(chip);
         ContainerWidget* container = chip->MovingCheck() ? chipContainerTop : chipContainerBottom;
         chip->widget->ParentSet(container);
         container->ChildAddLast(chip->widget);
      }
   }
}

void Minigame::ChipMovesFinish()
{
   for (i32 i = 0; i < chips.count; ++i)
   {
      chips[i]->AnimationsFinish();
   }
}

void Minigame::ChipsDestroy()
{
   for (i32 i = 0; i < chipPiles.count; ++i)
   {
      MemoryDelete(chipPiles[i]);
   }
   chipPiles = Table<ChipPile*>();
   Table<Chip*>* lists[2] = {&chips, &chipsFree};
   for (Table<Chip*>* list : lists)
   {
      for (i32 i = 0; i < list->count; ++i)
      {
         ChipWidgetDestroy((*list)[i]);
         MemoryDelete((*list)[i]);
      }
      *list = Table<Chip*>();
   }
}
} // namespace Corvale
