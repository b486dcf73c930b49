// The characters' speech lines and the texts of the team and common panels.
#include <cstring>

#include "app/profile/ProfileStore.h"
#include "cardgame/Minigame.h"
#include "cardgame/Player.h"
#include "cardgame/Team.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
namespace
{
constexpr u32 DIALOG_GROUP_KEY_SIZE = 64;
constexpr u32 TEAM_NAME_LINE_SIZE = 256;

// The label of that line of a panel's "Text", or null.
LabelWidget* PanelLineGet(ContainerWidget* panel, i32 line)
{
   ContainerWidget* text = panel ? dynamic_cast<ContainerWidget*>(panel->ChildGetByName("Text")) : nullptr;
   return text && line >= 0 && line < text->ChildCountGet()
              ? dynamic_cast<LabelWidget*>(text->ChildGetAt(line))
              : nullptr;
}

} // namespace

void Minigame::CharacterDialogRandomSay(const Player* player, const char* group, u32 delay, float probability)
{
   if (RandomUnitFloatGet() > probability)
   {
      return;
   }
   if (!player || !group || player->human || !player->name)
   {
      return;
   }
   char key[DIALOG_GROUP_KEY_SIZE];
   if (!NultSnprintf(key, sizeof(key), "%s_%s", player->name, group))
   {
      return;
   }
   const char* dialogName = dialogManager.GroupDialogNameGet(key);
   if (dialogName)
   {
      ActionCharacterDialogPost(player, dialogName, delay);
   }
}

void Minigame::CharacterAddressDialogSay(const Player* speaker, const Player* addressee, u32 delay)
{
   if (!speaker || !addressee || addressee->human || !addressee->name || !consts)
   {
      return;
   }
   const char* suffix = consts->ItemGet("Characters")
                            ->ItemGet(addressee->name)
                            ->ItemGet("AddressDialogGroupSuffix")
                            ->StringValueGet();
   if (suffix)
   {
      CharacterDialogRandomSay(speaker, suffix, delay, 1.0f);
   }
}

void Minigame::TeamCharacterDialogRandomSay(const Team* team, const char* group, i32 extra, u32 delay,
                                            float probability)
{
   (void)extra;
   if (!team || !group || RandomUnitFloatGet() > probability)
   {
      return;
   }
   Table<Player*> speakers(allocatorTemp);
   for (i32 i = 0; i < players.count; ++i)
   {
      if (players[i] && !players[i]->human && TeamOfPlayerGet(players[i]) == team)
      {
         speakers.Insert(players[i], speakers.count);
      }
   }
   if (speakers.count > 0)
   {
      const Player* speaker = speakers[static_cast<i32>(RandomIntegerGet(static_cast<u32>(speakers.count)))];
      CharacterDialogRandomSay(speaker, group, delay, 1.0f);
   }
}

void Minigame::TeamPanelTextSet(i32 panelIndex, i32 line, const char* text)
{
   LabelWidget* label = panelIndex >= 0 && panelIndex < teamPanels.count
                            ? PanelLineGet(teamPanels[panelIndex], line)
                            : nullptr;
   if (label && text)
   {
      label->TextSet(text);
   }
}

void Minigame::TeamPanelNameSet(i32 panelIndex, const Team* team)
{
   if (!team)
   {
      return;
   }
   const i32 firstID = team->playerIDs.count > 0 ? team->playerIDs[0] : -1;
   const i32 secondID = team->playerIDs.count > 1 ? team->playerIDs[1] : -1;
   const Player* first = PlayerGet(firstID);
   const Player* second = PlayerGet(secondID);
   if (first && second)
   {
      TeamPanelPlayersNameSet(panelIndex, first, second);
   }
}

void Minigame::TeamPanelPlayersNameSet(i32 panelIndex, const Player* first, const Player* second)
{
   const char* firstName = first ? first->DisplayNameGet() : nullptr;
   const char* secondName = second ? second->DisplayNameGet() : nullptr;
   const char* teamAnd = textManager.TextGet("TeamAnd");
   char line[TEAM_NAME_LINE_SIZE];
   if (!firstName || !secondName || !teamAnd)
   {
      return;
   }
   // A name too long for the line is cut rather than dropped.
   NultSnprintf(line, sizeof(line), "%s %s", firstName, teamAnd);
   TeamPanelTextSet(panelIndex, 0, line);
   TeamPanelTextSet(panelIndex, 1, secondName);
}

void Minigame::CommonPanelTextSet(i32 line, const char* value, i32 kind)
{
   LabelWidget* label = PanelLineGet(commonPanel, line);
   if (!label || !value)
   {
      return;
   }
   if (kind == 0)
   {
      label->TextSet(value);
   }
   else if (kind == 1)
   {
      label->TextKeySet(value);
   }
}
} // namespace Corvale
