// The registry of games and the placeholders of the games not built yet.
#include "app/Minigames.h"

#include <cstring>

#include "app/MinigamePlaceholder.h"
#include "cardgame/Minigame.h"
#include "games/solitaire/Best21Solitaire.h"
#include "games/solitaire/Fast21Solitaire.h"
#include "games/solitaire/KlondikeSolitaire.h"
#include "games/table/MemoryMatch.h"
#include "games/table/War.h"
#include "games/tricktaking/Hearts.h"

namespace Corvale
{
Table<Minigame*> minigames(static_cast<Allocator*>(nullptr));

namespace
{
// One per game not built yet; a game that lands replaces its placeholder here and in the list of
// MinigamesRegister with its own singleton.
MinigamePlaceholder acesUpSolitairePlaceholder("AcesUpSolitaire");
MinigamePlaceholder spiderSolitairePlaceholder("SpiderSolitaire");
MinigamePlaceholder batsfordSolitairePlaceholder("BatsfordSolitaire");
MinigamePlaceholder bakersDozenSolitairePlaceholder("BakersDozenSolitaire");
MinigamePlaceholder coloradoSolitairePlaceholder("ColoradoSolitaire");
MinigamePlaceholder scorpionSolitairePlaceholder("ScorpionSolitaire");
MinigamePlaceholder canfieldSolitairePlaceholder("CanfieldSolitaire");
MinigamePlaceholder flowerGardenSolitairePlaceholder("FlowerGardenSolitaire");
MinigamePlaceholder baronessSolitairePlaceholder("BaronessSolitaire");
MinigamePlaceholder yukonSolitairePlaceholder("YukonSolitaire");
MinigamePlaceholder strategySolitairePlaceholder("StrategySolitaire");
MinigamePlaceholder redAndBlackSolitairePlaceholder("RedAndBlackSolitaire");
MinigamePlaceholder fourSeasonsSolitairePlaceholder("FourSeasonsSolitaire");
MinigamePlaceholder eightOffSolitairePlaceholder("EightOffSolitaire");
MinigamePlaceholder eliminatorSolitairePlaceholder("EliminatorSolitaire");
MinigamePlaceholder fortressSolitairePlaceholder("FortressSolitaire");
MinigamePlaceholder eagleWingSolitairePlaceholder("EagleWingSolitaire");
MinigamePlaceholder golfSolitairePlaceholder("GolfSolitaire");
MinigamePlaceholder fortyThievesSolitairePlaceholder("FortyThievesSolitaire");
MinigamePlaceholder fourFreeSolitairePlaceholder("FourFreeSolitaire");
MinigamePlaceholder sultanSolitairePlaceholder("SultanSolitaire");
MinigamePlaceholder betsyRossSolitairePlaceholder("BetsyRossSolitaire");
MinigamePlaceholder bristolSolitairePlaceholder("BristolSolitaire");
MinigamePlaceholder calculationSolitairePlaceholder("CalculationSolitaire");
MinigamePlaceholder nestorSolitairePlaceholder("NestorSolitaire");
MinigamePlaceholder beleagueredCastleSolitairePlaceholder("BeleagueredCastleSolitaire");
MinigamePlaceholder penguinSolitairePlaceholder("PenguinSolitaire");
MinigamePlaceholder spideretteSolitairePlaceholder("SpideretteSolitaire");
MinigamePlaceholder clockSolitairePlaceholder("ClockSolitaire");
MinigamePlaceholder seahavenTowersSolitairePlaceholder("SeahavenTowersSolitaire");
MinigamePlaceholder pyramidSolitairePlaceholder("PyramidSolitaire");
MinigamePlaceholder mountOlympusSolitairePlaceholder("MountOlympusSolitaire");
MinigamePlaceholder laBelleLucieSolitairePlaceholder("LaBelleLucieSolitaire");
MinigamePlaceholder terraceSolitairePlaceholder("TerraceSolitaire");
MinigamePlaceholder tripletsSolitairePlaceholder("TripletsSolitaire");
MinigamePlaceholder gapsSolitairePlaceholder("GapsSolitaire");
MinigamePlaceholder slideSolitairePlaceholder("SlideSolitaire");
MinigamePlaceholder alhambraSolitairePlaceholder("AlhambraSolitaire");
MinigamePlaceholder shamrocksSolitairePlaceholder("ShamrocksSolitaire");
MinigamePlaceholder acesAndKingsSolitairePlaceholder("AcesAndKingsSolitaire");
MinigamePlaceholder oldMaidPlaceholder("OldMaid");
MinigamePlaceholder crazyEightsPlaceholder("CrazyEights");
MinigamePlaceholder spiteAndMalicePlaceholder("SpiteAndMalice");
MinigamePlaceholder goFishPlaceholder("GoFish");
MinigamePlaceholder fanTanPlaceholder("FanTan");
MinigamePlaceholder spadesPlaceholder("Spades");
MinigamePlaceholder ohHellPlaceholder("OhHell");
MinigamePlaceholder tuxedoPlaceholder("Tuxedo");
MinigamePlaceholder whistPlaceholder("Whist");
MinigamePlaceholder ginRummyPlaceholder("GinRummy");
MinigamePlaceholder pick2SolitairePlaceholder("Pick2Solitaire");
MinigamePlaceholder threeTowersSolitairePlaceholder("ThreeTowersSolitaire");
MinigamePlaceholder euchreSolitairePlaceholder("EuchreSolitaire");
MinigamePlaceholder sum11SolitairePlaceholder("Sum11Solitaire");
MinigamePlaceholder cribbageSquareSolitairePlaceholder("CribbageSquareSolitaire");
MinigamePlaceholder pokerSquareSolitairePlaceholder("PokerSquareSolitaire");
MinigamePlaceholder cribbagePlaceholder("Cribbage");
MinigamePlaceholder pitchPlaceholder("Pitch");
MinigamePlaceholder bowlingSolitairePlaceholder("BowlingSolitaire");
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
       &acesUpSolitairePlaceholder,
       &spiderSolitairePlaceholder,
       &klondikeSolitaire,
       &batsfordSolitairePlaceholder,
       &bakersDozenSolitairePlaceholder,
       &coloradoSolitairePlaceholder,
       &scorpionSolitairePlaceholder,
       &canfieldSolitairePlaceholder,
       &flowerGardenSolitairePlaceholder,
       &baronessSolitairePlaceholder,
       &yukonSolitairePlaceholder,
       &strategySolitairePlaceholder,
       &redAndBlackSolitairePlaceholder,
       &fourSeasonsSolitairePlaceholder,
       &eightOffSolitairePlaceholder,
       &eliminatorSolitairePlaceholder,
       &fortressSolitairePlaceholder,
       &eagleWingSolitairePlaceholder,
       &golfSolitairePlaceholder,
       &fortyThievesSolitairePlaceholder,
       &fourFreeSolitairePlaceholder,
       &sultanSolitairePlaceholder,
       &betsyRossSolitairePlaceholder,
       &bristolSolitairePlaceholder,
       &calculationSolitairePlaceholder,
       &nestorSolitairePlaceholder,
       &beleagueredCastleSolitairePlaceholder,
       &penguinSolitairePlaceholder,
       &spideretteSolitairePlaceholder,
       &clockSolitairePlaceholder,
       &seahavenTowersSolitairePlaceholder,
       &pyramidSolitairePlaceholder,
       &mountOlympusSolitairePlaceholder,
       &laBelleLucieSolitairePlaceholder,
       &terraceSolitairePlaceholder,
       &tripletsSolitairePlaceholder,
       &gapsSolitairePlaceholder,
       &slideSolitairePlaceholder,
       &alhambraSolitairePlaceholder,
       &shamrocksSolitairePlaceholder,
       &acesAndKingsSolitairePlaceholder,
       &oldMaidPlaceholder,
       &War::instance,
       &crazyEightsPlaceholder,
       &spiteAndMalicePlaceholder,
       &goFishPlaceholder,
       &fanTanPlaceholder,
       &spadesPlaceholder,
       &MemoryMatch::instance,
       &ohHellPlaceholder,
       &tuxedoPlaceholder,
       &whistPlaceholder,
       &Fast21Solitaire::instance,
       &Best21Solitaire::instance,
       &ginRummyPlaceholder,
       &pick2SolitairePlaceholder,
       &threeTowersSolitairePlaceholder,
       &euchreSolitairePlaceholder,
       &sum11SolitairePlaceholder,
       &cribbageSquareSolitairePlaceholder,
       &pokerSquareSolitairePlaceholder,
       &Hearts::instance,
       &cribbagePlaceholder,
       &pitchPlaceholder,
       &bowlingSolitairePlaceholder,
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
