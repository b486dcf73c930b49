// Fuzz targets of the GUI readers: layer files built into widget trees, text-document markup
// laid out into lines, and dialog markup laid out, revealed and paged in a balloon.
#include <cstdlib>
#include <string>

#include "core/FileManager.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Memory.h"
#include "gui/GUIManager.h"
#include "gui/dialog/DialogWidget.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "platform/sprite/FontManager.h"
#include "platform/sprite/SpriteManager.h"
#include "platform/sprite/SpriteResourceFile.h"
#include "tests/TestSupport.h"
#include "tests/fuzz/harness/FuzzEnvironment.h"
#include "tests/fuzz/targets/FuzzTargetList.h"

namespace Corvale
{
namespace Fuzz
{
namespace
{
// The font of the generated data that every widget here writes with.
const char fontName[] = "SansRegular";
const char layerName[] = "FuzzLayer";

// The window, the GUI manager with every widget type, and the font; once per process.
Font* GUIStart()
{
   static Font* font = nullptr;
   static bool tried = false;
   if (!tried)
   {
      tried = true;
      if (FuzzEnvironment::ScreenInit())
      {
         GUIManager::Init();
         font = FontManager::Load(fontName);
      }
   }
   return font;
}

template <class T> T* WidgetMake(const char* specification, Widget* parent, const char* name)
{
   TestSupport::MemoryFile file(specification);
   JSONParser parser;
   JSONValue* spec = parser.Parse(&file, HEAP_DEFAULT);
   T* widget = MemoryNew<T>(HEAP_DEFAULT);
   widget->Init(name, parent, spec);
   MemoryDelete(spec);
   return widget;
}

void WidgetDestroy(Widget* widget)
{
   widget->Deinit();
   MemoryDelete(widget);
}

// A container that lends its children the font.
ContainerWidget* HolderMake(Font* font)
{
   ContainerWidget* holder = MemoryNew<ContainerWidget>(HEAP_DEFAULT);
   holder->InitWithoutSpecification("Holder", nullptr);
   holder->FontSet(font);
   return holder;
}
} // namespace

void FuzzGUILayer(const u8* data, size_t size)
{
   if (!GUIStart())
   {
      return;
   }
   // The layer's own sprites are those of a generated message box, so that seeds find their art.
   static bool spritesWritten = false;
   if (!spritesWritten)
   {
      u32 length = 0;
      void* sprites = fileManagerResource->FileContentsGet("Graphics/GUI/MessageBoxOK/Sprites.json", &length,
                                                           4, HEAP_TEMP, 0);
      spritesWritten = sprites && FuzzEnvironment::InputWrite("GUI/FuzzLayer/Sprites.json",
                                                              static_cast<const u8*>(sprites), length);
      fileManagerResource->FileContentsFree(sprites);
      // Held for the whole run, so that each layer finds its art cached instead of decoding it.
      SpriteResourceFile* kept =
          spritesWritten ? SpriteManager::ResourceFileLoad("GUI/FuzzLayer/Sprites") : nullptr;
      if (kept)
      {
         kept->Preload();
      }
   }
   if (!FuzzEnvironment::InputWrite("GUI/FuzzLayer/Widgets.json", data, size))
   {
      return;
   }
   if (GUIManager::Push(layerName, nullptr, nullptr))
   {
      for (int i = 0; i < 3; i++)
      {
         GUIManager::Update(16);
         GUIManager::Draw();
      }
      GUIManager::Remove(layerName);
   }
   GUIManager::RemovedWidgetsDestroy();
}

void FuzzTextDocument(const u8* data, size_t size)
{
   Font* font = GUIStart();
   if (!font)
   {
      return;
   }
   ContainerWidget* holder = HolderMake(font);
   TextDocumentWidget* document = WidgetMake<TextDocumentWidget>(
       R"({"ClipContainer": {"ClipArea": "0|0|300|120"}})", holder, "Document");
   document->TextSet(FuzzEnvironment::TextGet(data, size).c_str());
   document->Update(16);
   document->Draw();
   WidgetDestroy(document);
   WidgetDestroy(holder);
   GUIManager::RemovedWidgetsDestroy();
}

void FuzzDialog(const u8* data, size_t size)
{
   Font* font = GUIStart();
   if (!font)
   {
      return;
   }
   ContainerWidget* holder = HolderMake(font);
   DialogWidget* balloon = WidgetMake<DialogWidget>(R"({"TextBounds": "10|10|300|80"})", holder, "Balloon");
   // A NUL byte separates the texts handed to one balloon in turn.
   const std::string input = FuzzEnvironment::TextGet(data, size);
   for (size_t start = 0; start <= input.size();)
   {
      size_t end = input.find('\0', start);
      end = end == std::string::npos ? input.size() : end;
      balloon->TextAppend(input.substr(start, end - start).c_str(), nullptr);
      start = end + 1;
   }
   // Every byte takes at most one reveal step and every page one more: anything beyond that
   // bound is a balloon that no longer makes progress.
   const size_t stepsMax = 2 * size + 1000;
   size_t steps = 0;
   while (balloon->StateGet() == DIALOG_STATE_REVEALING || balloon->StateGet() == DIALOG_STATE_PAGE_COMPLETE)
   {
      if (++steps > stepsMax)
      {
         std::abort();
      }
      if (balloon->StateGet() == DIALOG_STATE_PAGE_COMPLETE)
      {
         balloon->TextDraw();
         balloon->PageNext();
      }
      else
      {
         balloon->Update(DIALOG_REVEAL_INTERVAL);
      }
   }
   balloon->TextDraw();
   balloon->TextClear();
   WidgetDestroy(balloon);
   WidgetDestroy(holder);
   GUIManager::RemovedWidgetsDestroy();
}
} // namespace Fuzz
} // namespace Corvale
