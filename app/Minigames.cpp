// The registry of games and the placeholders of the games not built yet.
#include "app/Minigames.h"

#include <cstring>

#include "app/MinigamePlaceholder.h"
#include "cardgame/Minigame.h"
#include "games/solitaire/AcesAndKingSolitaire.h"
#include "games/solitaire/AcesUpSolitaire.h"
#include "games/solitaire/AlhambraSolitaire.h"
#include "games/solitaire/BakersDozenSolitaire.h"
#include "games/solitaire/BaronessSolitaire.h"
#include "games/solitaire/BatsfordSolitaire.h"
#include "games/solitaire/BeleagueredCastleSolitaire.h"
#include "games/solitaire/Best21Solitaire.h"
#include "games/solitaire/BetsyRossSolitaire.h"
#include "games/solitaire/BowlingSolitaire.h"
#include "games/solitaire/BristolSolitaire.h"
#include "games/solitaire/CalculationSolitaire.h"
#include "games/solitaire/CanfieldSolitaire.h"
#include "games/solitaire/ClockSolitaire.h"
#include "games/solitaire/ColoradoSolitaire.h"
#include "games/solitaire/CribbageSquareSolitaire.h"
#include "games/solitaire/EagleWingSolitaire.h"
#include "games/solitaire/EightOffSolitaire.h"
#include "games/solitaire/EliminatorSolitaire.h"
#include "games/solitaire/EuchreSolitaire.h"
#include "games/solitaire/Fast21Solitaire.h"
#include "games/solitaire/FlowerGardenSolitaire.h"
#include "games/solitaire/FortressSolitaire.h"
#include "games/solitaire/FortyThievesSolitaire.h"
#include "games/solitaire/FourFreeSolitaire.h"
#include "games/solitaire/FourSeasonsSolitaire.h"
#include "games/solitaire/GapsSolitaire.h"
#include "games/solitaire/GolfSolitaire.h"
#include "games/solitaire/KlondikeSolitaire.h"
#include "games/solitaire/LaBelleLucieSolitaire.h"
#include "games/solitaire/MountOlympusSolitaire.h"
#include "games/solitaire/NestorSolitaire.h"
#include "games/solitaire/PenguinSolitaire.h"
#include "games/solitaire/Pick2Solitaire.h"
#include "games/solitaire/PokerSquareSolitaire.h"
#include "games/solitaire/PyramidSolitaire.h"
#include "games/solitaire/RedAndBlackSolitaire.h"
#include "games/solitaire/ScorpionSolitaire.h"
#include "games/solitaire/SeahavenTowersSolitaire.h"
#include "games/solitaire/ShamrocksSolitaire.h"
#include "games/solitaire/SlideSolitaire.h"
#include "games/solitaire/SpiderSolitaire.h"
#include "games/solitaire/SpideretteSolitaire.h"
#include "games/solitaire/StrategySolitaire.h"
#include "games/solitaire/SultanSolitaire.h"
#include "games/solitaire/Sum11Solitaire.h"
#include "games/solitaire/TerraceSolitaire.h"
#include "games/solitaire/ThreeTowersSolitaire.h"
#include "games/solitaire/TripletsSolitaire.h"
#include "games/solitaire/YukonSolitaire.h"
#include "games/table/CrazyEights.h"
#include "games/table/GoFish.h"
#include "games/table/MemoryMatch.h"
#include "games/table/SpiteAndMalice.h"
#include "games/table/Tuxedo.h"
#include "games/table/War.h"
#include "games/tricktaking/Hearts.h"

namespace Corvale
{
Table<Minigame*> minigames(static_cast<Allocator*>(nullptr));

namespace
{
// One per game not built yet; a game that lands replaces its placeholder here and in the list of
// MinigamesRegister with its own singleton.
MinigamePlaceholder oldMaidPlaceholder("OldMaid");
MinigamePlaceholder fanTanPlaceholder("FanTan");
MinigamePlaceholder spadesPlaceholder("Spades");
MinigamePlaceholder ohHellPlaceholder("OhHell");
MinigamePlaceholder whistPlaceholder("Whist");
MinigamePlaceholder ginRummyPlaceholder("GinRummy");
MinigamePlaceholder cribbagePlaceholder("Cribbage");
MinigamePlaceholder pitchPlaceholder("Pitch");
MinigamePlaceholder canastaPlaceholder("Canasta");
MinigamePlaceholder euchrePlaceholder("Euchre");
MinigamePlaceholder rummy500Placeholder("Rummy500");
MinigamePlaceholder pinochle4PlayersPlaceholder("Pinochle4Players");
MinigamePlaceholder fiveCardDrawPokerPlaceholder("FiveCardDrawPoker");
MinigamePlaceholder skatPlaceholder("Skat");
MinigamePlaceholder bridgePlaceholder("Bridge");
} // namespace

void MinigamesRegister()
{
   // The order is the order of the menus and of the statistics.
   Minigame* const games[] = {
       &AcesUpSolitaire::instance,
       &spiderSolitaire,
       &klondikeSolitaire,
       &BatsfordSolitaire::instance,
       &BakersDozenSolitaire::instance,
       &ColoradoSolitaire::instance,
       &ScorpionSolitaire::instance,
       &canfieldSolitaire,
       &FlowerGardenSolitaire::instance,
       &BaronessSolitaire::instance,
       &YukonSolitaire::instance,
       &StrategySolitaire::instance,
       &RedAndBlackSolitaire::instance,
       &FourSeasonsSolitaire::instance,
       &EightOffSolitaire::instance,
       &EliminatorSolitaire::instance,
       &FortressSolitaire::instance,
       &eagleWingSolitaire,
       &golfSolitaire,
       &FortyThievesSolitaire::instance,
       &FourFreeSolitaire::instance,
       &SultanSolitaire::instance,
       &betsyRossSolitaire,
       &BristolSolitaire::instance,
       &calculationSolitaire,
       &nestorSolitaire,
       &BeleagueredCastleSolitaire::instance,
       &PenguinSolitaire::instance,
       &spideretteSolitaire,
       &clockSolitaire,
       &SeahavenTowersSolitaire::instance,
       &PyramidSolitaire::instance,
       &MountOlympusSolitaire::instance,
       &LaBelleLucieSolitaire::instance,
       &TerraceSolitaire::instance,
       &TripletsSolitaire::instance,
       &gapsSolitaire,
       &SlideSolitaire::instance,
       &alhambraSolitaire,
       &ShamrocksSolitaire::instance,
       &AcesAndKingSolitaire::instance,
       &oldMaidPlaceholder,
       &War::instance,
       &CrazyEights::instance,
       &SpiteAndMalice::instance,
       &GoFish::instance,
       &fanTanPlaceholder,
       &spadesPlaceholder,
       &MemoryMatch::instance,
       &ohHellPlaceholder,
       &Tuxedo::instance,
       &whistPlaceholder,
       &Fast21Solitaire::instance,
       &Best21Solitaire::instance,
       &ginRummyPlaceholder,
       &Pick2Solitaire::instance,
       &ThreeTowersSolitaire::instance,
       &EuchreSolitaire::instance,
       &Sum11Solitaire::instance,
       &CribbageSquareSolitaire::instance,
       &PokerSquareSolitaire::instance,
       &Hearts::instance,
       &cribbagePlaceholder,
       &pitchPlaceholder,
       &BowlingSolitaire::instance,
       &canastaPlaceholder,
       &euchrePlaceholder,
       &rummy500Placeholder,
       &pinochle4PlayersPlaceholder,
       &fiveCardDrawPokerPlaceholder,
       &skatPlaceholder,
       &bridgePlaceholder,
   };
   minigames = Table<Minigame*>(allocatorDefault);
   minigames.Reserve(static_cast<i32>(sizeof(games) / sizeof(games[0])));
   for (Minigame* game : games)
   {
      minigames.Insert(game, minigames.count);
   }
}

void MinigamesUnregister()
{
   minigames = Table<Minigame*>(static_cast<Allocator*>(nullptr));
}

Minigame* MinigameGetByName(const char* name)
{
   if (!name)
   {
      return nullptr;
   }
   for (i32 i = 0; i < minigames.count; i++)
   {
      Minigame* game = minigames[i];
      const char* key = game ? game->GameNameGet() : nullptr;
      if (key && std::strcmp(key, name) == 0)
      {
         return game;
      }
   }
   return nullptr;
}

bool MinigameAvailableCheck(Minigame* game)
{
   return game && !dynamic_cast<MinigamePlaceholder*>(game);
}
} // namespace Corvale
