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
#include "cardgame/Team.h"
#include "cardgame/solitaire/ArcadeSolitaireGame.h"
#include "cardgame/solitaire/SolitaireGame.h"
#include "cardgame/solitaire/TalonSolitaire.h"
#include "cardgame/solitaire/TraditionalSolitaireGame.h"
#include "cardgame/TrickTakingGamePlayerHistoryEntry.h"
#include "cardgame/tricktaking/TrickTakingGame.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "core/Log.h"
#include "games/table/MemoryMatch.h"
#include "games/table/War.h"
#include "games/tricktaking/Hearts.h"
#include "core/Memory.h"
#include "core/ReflectionManager.h"
#include "core/ReflectionTypeBasic.h"
#include "core/ReflectionTypeTable.h"
#include "games/solitaire/Best21Solitaire.h"
#include "games/solitaire/Fast21Solitaire.h"
#include "games/solitaire/KlondikeSolitaire.h"

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
   // "Corvale::EuchreTrumpSuit", "Corvale::PokerHandType"
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
   // AcesUpSolitaire
   BackendBasedGame::ReflectionRegister();
   CardGame::ReflectionRegister();
   FrontendBasedCardGame::ReflectionRegister();
   Command::ReflectionRegister();
   Action::ReflectionRegister();
   Player::ReflectionRegister();
   Team::ReflectionRegister();
   Minigame::ReflectionRegister();
   SolitaireGame::ReflectionRegister();
   // SpiderSolitaire
   TraditionalSolitaireGame::ReflectionRegister();
   NonSolitaireFrontendBasedCardGame::ReflectionRegister();
   TrickTakingGamePlayerHistoryEntry::ReflectionRegister();
   TrickTakingGamePlayer::ReflectionRegister();
   TrickTakingGame::ReflectionRegister();
   // ScorpionSolitaire
   TalonSolitaire::ReflectionRegister();
   KlondikeSolitaire::ReflectionRegister();
   // FlowerGardenSolitaire, CanfieldSolitaire, BatsfordSolitaire, BaronessSolitaire,
   // ColoradoSolitaire, StrategySolitaire, YukonSolitaire, RedAndBlackSolitaire,
   // BakersDozenSolitaire, FourSeasonsSolitaire, EightOffSolitaire, EliminatorSolitaire,
   // FortressSolitaire, EagleWingSolitaire, GolfSolitaire, FortyThievesSolitaire,
   // FourFreeSolitaire, SultanSolitaire, BetsyRossSolitaire, BristolSolitaire, NestorSolitaire,
   // CalculationSolitaire, PenguinSolitaire, SpideretteSolitaire, SeahavenTowersSolitaire,
   // BeleagueredCastleSolitaire, ClockSolitaire, AlhambraSolitaire, PyramidSolitaire,
   // MountOlympusSolitaire, LaBelleLucieSolitaire, ShamrocksSolitaire, TerraceSolitaire,
   // TripletsSolitaire, GapsSolitaire, SlideSolitaire, AcesAndKingSolitaire, OldMaid
   WarPlayer::ReflectionRegister();
   War::ReflectionRegister();
   // CrazyEights, SpiteAndMalice, GoFishPlayer, GoFish, FanTan, SpadesPlayer, SpadesTeam, Spades
   MemoryMatchPlayer::ReflectionRegister();
   MemoryMatch::ReflectionRegister();
   // OhHellPlayer, OhHell, TuxedoPlayer, Tuxedo, Whist
   Fast21Solitaire::ReflectionRegister();
   Best21Solitaire::ReflectionRegister();
   GinRummyHistoryItem::ReflectionRegister();
   // GinRummyPlayer, GinRummy, Pick2Solitaire, ThreeTowersSolitaire, Sum11Solitaire,
   // CribbageSquareSolitaire, PokerSquareSolitaire
   HeartsPlayer::ReflectionRegister();
   Hearts::ReflectionRegister();
   // CribbagePlayer, Cribbage, PitchPlayer, Pitch, EuchreSolitaire, BowlingSolitaire, CanastaTeam, Canasta,
   // EuchrePlayer, EuchreTeam, Euchre, Rummy500Player, Rummy500, PinochleMeld, Pinochle4PlayersPlayer,
   // Pinochle4PlayersTeam, Pinochle4Players, TablePokerPlayer, TablePokerGame, FiveCardDrawPoker,
   // SkatPlayer, Skat, PlayerBid, BridgePlayer, BridgeTeam, Bridge
}
} // namespace Corvale
