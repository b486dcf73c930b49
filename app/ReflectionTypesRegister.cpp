// The registration of the card games' types. The order is fixed; an entry whose owner is not part
// of the program yet is named in a comment at its place, to be registered there when it lands.
#include "app/ReflectionTypesRegister.h"

#include <typeinfo>

#include "cardgame/Action.h"
#include "cardgame/BackendBasedGame.h"
#include "cardgame/CardGame.h"
#include "cardgame/CardNames.h"
#include "cardgame/Command.h"
#include "cardgame/FrontendBasedCardGame.h"
#include "cardgame/GinRummyHistoryItem.h"
#include "cardgame/Minigame.h"
#include "cardgame/NonSolitaireFrontendBasedCardGame.h"
#include "cardgame/Player.h"
#include "cardgame/PokerHandEvaluator.h"
#include "cardgame/Team.h"
#include "cardgame/solitaire/ArcadeSolitaireGame.h"
#include "cardgame/solitaire/SolitaireGame.h"
#include "cardgame/solitaire/TalonSolitaire.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"
#include "cardgame/tricktaking/TrickTakingGame.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "core/Log.h"
#include "games/table/CrazyEights.h"
#include "games/table/GoFish.h"
#include "games/table/MemoryMatch.h"
#include "games/table/SpiteAndMalice.h"
#include "games/table/Tuxedo.h"
#include "games/table/War.h"
#include "games/tricktaking/Hearts.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeTable.h"
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

namespace Corvale
{
namespace
{
// A table type another part of the program registered first is kept as it is.
template <class T> void TableTypeRegister(const char* name)
{
   if (ReflectionManager::TypeGet(typeid(Table<T>).name()))
   {
      return;
   }
   auto* record = MemoryNew<ReflectionTypeTable<T>>(HEAP_DEFAULT);
   if (!record || !record->Init(name))
   {
      WarningPrintf("GameTypesRegister -- unable to create the table type %s\n", name);
      if (record)
      {
         record->Deinit();
         MemoryDelete(record);
      }
      return;
   }
   ReflectionManager::TypeRegister(record);
}
} // namespace

void ReflectionTypesRegister()
{
   ReflectionManager::Init();

   ReflectionTypeInt::EnumerationRegister<Rank>("Corvale::Rank");
   ReflectionTypeInt::EnumerationRegister<Suit>("Corvale::Suit");
   // "Corvale::EuchreTrumpSuit"
   ReflectionTypeInt::EnumerationRegister<PokerHandType>("Corvale::PokerHandType");
   ReflectionTypeInt::EnumerationRegister<TrumpIndication>("Corvale::TrumpIndication");
   ReflectionTypeInt::EnumerationRegister<GinRummyHistoryItemType>("Corvale::GinRummyHistoryItemType");
   // "Corvale::CanastaState", "Corvale::TablePokerPlayerStatus", "Corvale::FiveCardDrawPokerState",
   // "Corvale::SkatAnnouncementType", "Corvale::SkatContractType", "Corvale::SkatState"

   GameTypesRegister();
}

void GameTypesRegister()
{
   TableTypeRegister<int>("Table<int>");
   TableTypeRegister<Player*>("Table<Player*>");
   TableTypeRegister<Team*>("Table<Team*>");
   TableTypeRegister<Action>("Table<Action>");
   TableTypeRegister<TrickTakingGamePlayerHistoryEntry>("Table<TrickTakingGamePlayerHistoryEntry>");
   TableTypeRegister<GinRummyHistoryItem>("Table<GinRummyHistoryItem>");
   // "Table<PinochleMeld*>", "Table<PlayerBid>"

   ArcadeSolitaireGame::ReflectionRegister();
   AcesUpSolitaire::ReflectionRegister();
   BackendBasedGame::ReflectionRegister();
   CardGame::ReflectionRegister();
   FrontendBasedCardGame::ReflectionRegister();
   Command::ReflectionRegister();
   Action::ReflectionRegister();
   Player::ReflectionRegister();
   Team::ReflectionRegister();
   Minigame::ReflectionRegister();
   SolitaireGame::ReflectionRegister();
   TraditionalSolitaireGame::ReflectionRegister();
   SpiderSolitaire::ReflectionRegister();
   NonSolitaireFrontendBasedCardGame::ReflectionRegister();
   TrickTakingGamePlayerHistoryEntry::ReflectionRegister();
   TrickTakingGamePlayer::ReflectionRegister();
   TrickTakingGame::ReflectionRegister();
   ScorpionSolitaire::ReflectionRegister();
   TalonSolitaire::ReflectionRegister();
   KlondikeSolitaire::ReflectionRegister();
   FlowerGardenSolitaire::ReflectionRegister();
   CanfieldSolitaire::ReflectionRegister();
   BatsfordSolitaire::ReflectionRegister();
   BaronessSolitaire::ReflectionRegister();
   ColoradoSolitaire::ReflectionRegister();
   StrategySolitaire::ReflectionRegister();
   YukonSolitaire::ReflectionRegister();
   RedAndBlackSolitaire::ReflectionRegister();
   BakersDozenSolitaire::ReflectionRegister();
   FourSeasonsSolitaire::ReflectionRegister();
   EightOffSolitaire::ReflectionRegister();
   EliminatorSolitaire::ReflectionRegister();
   FortressSolitaire::ReflectionRegister();
   EagleWingSolitaire::ReflectionRegister();
   GolfSolitaire::ReflectionRegister();
   FortyThievesSolitaire::ReflectionRegister();
   FourFreeSolitaire::ReflectionRegister();
   SultanSolitaire::ReflectionRegister();
   BetsyRossSolitaire::ReflectionRegister();
   BristolSolitaire::ReflectionRegister();
   NestorSolitaire::ReflectionRegister();
   CalculationSolitaire::ReflectionRegister();
   PenguinSolitaire::ReflectionRegister();
   SpideretteSolitaire::ReflectionRegister();
   SeahavenTowersSolitaire::ReflectionRegister();
   BeleagueredCastleSolitaire::ReflectionRegister();
   ClockSolitaire::ReflectionRegister();
   AlhambraSolitaire::ReflectionRegister();
   PyramidSolitaire::ReflectionRegister();
   MountOlympusSolitaire::ReflectionRegister();
   LaBelleLucieSolitaire::ReflectionRegister();
   ShamrocksSolitaire::ReflectionRegister();
   TerraceSolitaire::ReflectionRegister();
   TripletsSolitaire::ReflectionRegister();
   GapsSolitaire::ReflectionRegister();
   SlideSolitaire::ReflectionRegister();
   AcesAndKingSolitaire::ReflectionRegister();
   // OldMaid
   WarPlayer::ReflectionRegister();
   War::ReflectionRegister();
   CrazyEights::ReflectionRegister();
   SpiteAndMalice::ReflectionRegister();
   GoFishPlayer::ReflectionRegister();
   GoFish::ReflectionRegister();
   // FanTan, SpadesPlayer, SpadesTeam, Spades
   MemoryMatchPlayer::ReflectionRegister();
   MemoryMatch::ReflectionRegister();
   // OhHellPlayer, OhHell
   TuxedoPlayer::ReflectionRegister();
   Tuxedo::ReflectionRegister();
   // Whist
   Fast21Solitaire::ReflectionRegister();
   Best21Solitaire::ReflectionRegister();
   GinRummyHistoryItem::ReflectionRegister();
   // GinRummyPlayer, GinRummy
   Pick2Solitaire::ReflectionRegister();
   ThreeTowersSolitaire::ReflectionRegister();
   Sum11Solitaire::ReflectionRegister();
   CribbageSquareSolitaire::ReflectionRegister();
   PokerSquareSolitaire::ReflectionRegister();
   HeartsPlayer::ReflectionRegister();
   Hearts::ReflectionRegister();
   // CribbagePlayer, Cribbage, PitchPlayer, Pitch
   EuchreSolitaire::ReflectionRegister();
   BowlingSolitaire::ReflectionRegister();
   // CanastaTeam, Canasta, EuchrePlayer, EuchreTeam, Euchre, Rummy500Player, Rummy500, PinochleMeld,
   // Pinochle4PlayersPlayer, Pinochle4PlayersTeam, Pinochle4Players, TablePokerPlayer, TablePokerGame,
   // FiveCardDrawPoker, SkatPlayer, Skat, PlayerBid, BridgePlayer, BridgeTeam, Bridge
}
} // namespace Corvale
