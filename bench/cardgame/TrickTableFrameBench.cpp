// The four-player trick table's whole frame under a real GL context (Xvfb and Mesa) at 960 x 720
// with the shipped layer, constants and generated art: 52 cards dealt, four player panels whose
// portraits blink, and a speech balloon, in CPU milliseconds per frame against the 4 ms target.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/profile/PortraitModel.h"
#include "app/profile/PortraitWidget.h"
#include "app/profile/ProfileStore.h"
#include "cardgame/Card.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/PlayerPanelWidget.h"
#include "cardgame/tricktaking/TrickTakingGame.h"
#include "cardgame/tricktaking/TrickTakingGamePlayer.h"
#include "bench/cardgame/CardTableBench.h"
#include "core/FileManagerStdio.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "core/TextManager.h"
#include "gui/dialog/DialogManager.h"

using namespace Corvale;

namespace
{
class TrickBenchGame : public TrickTakingGame
{
 public:
   i32 GameNumberGet() override { return 995; }
   const char* GameNameGet() override { return "TrickBenchGame"; }
   const char* LayerNameGet() override { return "NonSolitaireFrontendBasedCardGame"; }
   i32 PlayersMinimumGet() override { return 4; }
   i32 PlayersMaximumGet() override { return 4; }
   i32 TricksPerHandGet() override { return 13; }
   Player* PlayerCreate() override { return MemoryNew<TrickTakingGamePlayer>(HEAP_DEFAULT); }
};

// The resource tree: the generated data's graphics, texts and scripts, and the game's constants.
std::string TrickTreeMake()
{
   char pattern[] = "/tmp/corvale-bench-tricktable-XXXXXX";
   const std::string folder = mkdtemp(pattern);
   const std::string data = CORVALE_BENCH_DATA;
   std::filesystem::create_directories(folder + "/Graphics/GUI/MinigameBackground");
   std::filesystem::create_directories(folder + "/Scripts/Minigames");
   for (const char* path :
        {"Graphics/Fonts", "Graphics/Sprites", "Graphics/GUI/NonSolitaireFrontendBasedCardGame",
         "Graphics/GUI/TrickTaking", "Text"})
   {
      std::filesystem::create_directory_symlink(data + "/" + path, folder + "/" + path);
   }
   for (const char* path :
        {"Graphics/GraphicsConsts.json", "Scripts/BuildConsts.json", "Scripts/DialogConsts.json"})
   {
      std::filesystem::create_symlink(data + "/" + path, folder + "/" + path);
   }
   std::ofstream(folder + "/Graphics/GUI/MinigameBackground/Widgets.json") << R"({"Children": []})";
   std::ofstream(folder + "/Graphics/GUI/MinigameBackground/Sprites.json") << "{}";
   std::string piles = R"({"Type": "Draw", "Position": "480|400"})";
   const char* const hands[] = {"480|620", "160|430", "480|210", "800|430"};
   for (i32 p = 0; p < 4; ++p)
   {
      const std::string owner = std::to_string(p);
      piles += R"(, {"Type": "Hand", "OwnerID": )" + owner + R"(, "Position": ")" + hands[p] +
               R"(", "CardPositionOffset": ")" + (p == 0 ? "20|0" : "10|0") + "\"}";
      piles += R"(, {"Type": "Trick", "OwnerID": )" + owner + R"(, "Position": "480|400"})";
      piles += R"(, {"Type": "Take", "OwnerID": )" + owner + R"(, "Position": "-300|400"})";
   }
   std::ofstream(folder + "/Scripts/Minigames/TrickBenchGame.json")
       << R"({"Inherited": "TrickTaking4Players", "CardPiles": [)" + piles + "]}";
   return folder;
}

struct TrickTable
{
   std::string folder;
   TrickBenchGame game;
   JSONValue* dialogConsts = nullptr;
   u32 language = 0;

   bool Start()
   {
      folder = TrickTreeMake();
      CardTableBench::ResourceFolderSet(folder + "/");
      JSONParser parser;
      MemoryDelete(consts);
      consts = parser.Load("Graphics/GraphicsConsts", fileManagerResource, HEAP_DEFAULT);
      JSONValue* build = parser.Load("Scripts/BuildConsts", fileManagerResource, HEAP_DEFAULT);
      dialogConsts = parser.Load("Scripts/DialogConsts", fileManagerResource, HEAP_DEFAULT);
      if (!consts || !build || !consts->ItemsMerge(build) || !dialogConsts || !CardTableBench::WindowOpen())
      {
         return false;
      }
      Card::ConstsLoad(consts);
      textManager.Init();
      textManager.LanguageSet(&language);
      textManager.FileAdd("Text");
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
      PortraitTablesInit();
      dialogManager.Init(dialogConsts, &language);
      GameStateManager::Init(&game);
      game.GameNew();
      CardPile* draw = game.CardPileGet(CARD_PILE_TYPE_DRAW, -1, -1);
      draw->DecksAdd(1);
      game.HandBegin();
      game.delayCardDeal = 0;
      game.CardsDealToEachPlayer(draw, 13, 0);
      game.HumanHandsFaceUpQueue();
      game.subgameFirstTurnBegan = true;
      for (i32 i = 0; i < 20000 && (game.actionQueue.count > 0 || game.CardsAnimatingCheck()); ++i)
      {
         Frame();
      }
      game.CardAnimationsFinish();
      game.PlayerActiveSet(1);
      // A character talks beside its panel for the whole run.
      dialogManager.DialogPlay("MabelHello", game.playerPanels[2]->PortraitGet());
      Frame();
      return true;
   }

   void Frame()
   {
      CardTableBench::Frame([]() { dialogManager.Update(); });
   }

   void Stop()
   {
      dialogManager.Stop();
      CardTableBench::ScreenStop(
          []()
          {
             dialogManager.Deinit();
             PortraitTablesDeinit();
             textManager.Deinit();
             textManager.LanguageSet(nullptr);
          });
      MemoryDelete(dialogConsts);
      fileManagerResource = nullptr;
      std::filesystem::remove_all(folder);
   }
};

void TrickTableFrame(benchmark::State& state)
{
   TrickTable table;
   if (!table.Start())
   {
      state.SkipWithError("no display or no generated data: run under xvfb-run after the data build");
      return;
   }
   double cpu = 0.0;
   i64 frames = 0;
   for (auto _ : state)
   {
      const double start = CardTableBench::CPUMillisecondsGet();
      table.Frame();
      cpu += CardTableBench::CPUMillisecondsGet() - start;
      frames++;
   }
   CardTableBench::FrameReport(state, cpu, frames);
   table.Stop();
}
BENCHMARK(TrickTableFrame)->Unit(benchmark::kMillisecond)->Iterations(200);
} // namespace
