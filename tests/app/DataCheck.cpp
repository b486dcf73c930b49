// The data check: every name the resource tree refers to must exist with its exact case, because
// the folder tree is case-sensitive on Linux while the archive's lookup is not, and some missing
// parts stop the program outright. It runs over the tree the build assembled, and over small
// broken trees to prove that each kind of fault is caught.
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "cardgame/CribbageHandScorer.h"
#include "app/Minigames.h"
#include "tests/app/LayerTestSupport.h"
#include "tests/app/SourceReads.h"
#include "app/ProfileMenu.h"
#include "tests/gui/widgets/NameCharactersTestSupport.h"
#include "app/profile/PortraitModel.h"
#include "app/profile/PortraitWidget.h"
#include "cardgame/CardWidget.h"
#include "cardgame/TemplateInheritance.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Progression.h"
#include "core/ProgressionManager.h"
#include "core/StringHelpers.h"
#include "core/TextManager.h"
#include "games/solitaire/EuchreSolitaireSuitPopup.h"
#include "gui/widgets/ButtonWidget.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/DropDownListWidget.h"
#include "gui/widgets/JoystickNubWidget.h"
#include "gui/widgets/JSONEditorWidget.h"
#include "gui/widgets/JoystickWidget.h"
#include "gui/GUIManager.h"
#include "gui/widgets/LayerWidget.h"
#include "gui/widgets/ParticleEffectWidget.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/ProgressBarWidget.h"
#include "gui/widgets/ScrollBoxWidget.h"
#include "gui/widgets/ScrollbarWidget.h"
#include "gui/widgets/SelectorItemWidget.h"
#include "gui/widgets/SelectorSelectionChangeButtonWidget.h"
#include "gui/widgets/SelectorWidget.h"
#include "gui/widgets/SliderWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "gui/widgets/TableWidget.h"
#include "gui/widgets/TextDocumentWidget.h"
#include "gui/widgets/TextEntryWidget.h"
#include "platform/window/ScreenSettings.h"
#include "tutorial/TutorialSkeletonWidget.h"
#include "tests/app/AppTestSupport.h"

namespace CorvaleTest
{
namespace
{
const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

// The text files the application adds to the text manager, in its order.
const char* const textFileNames[] = {"Text", "DialogText", "TextNew"};
// What the image manager tries for a sprite frame or a font bitmap, in its order.
const std::vector<std::string> imageExtensions = {".img", ".png"};
// The widget keys that name a sound to be played.
const char* const soundKeys[] = {"MouseOverSound", "PressSound", "InvalidPressSound", "ClickSound"};

std::string Upper(std::string text)
{
   std::transform(text.begin(), text.end(), text.begin(),
                  [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
   return text;
}

bool EndsWith(const std::string& text, const std::string& tail)
{
   return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Quoted(const std::string& text)
{
   return "\"" + text + "\"";
}

// The member of an object that holds a string, or null.
const char* StringMemberGet(const JSONValue* object, const char* key)
{
   return object ? object->ItemGet(key)->StringValueGet() : nullptr;
}

bool ObjectMemberCheck(const JSONValue* object, const char* key)
{
   return object && object->ItemGet(key)->TypeGet() == JSONValue::TYPE_OBJECT;
}

// Walks a resource tree and collects one line per broken reference.
class DataChecker
{
 public:
   explicit DataChecker(const std::string& rootFolder) : root(rootFolder)
   {
      const ScreenSettings defaults;
      for (const char* path : {defaults.graphicsPath0, defaults.graphicsPath1})
      {
         if (path)
         {
            graphicsPrefixes.push_back(path[0] ? std::string(path) + "/" : std::string());
         }
      }
   }

   ~DataChecker()
   {
      for (auto& entry : documents)
      {
         MemoryDelete(entry.second);
      }
   }

   std::vector<std::string> Run()
   {
      problems.clear();
      if (!std::filesystem::is_directory(root))
      {
         Report(root, "is not a folder");
         return problems;
      }
      FileManager* resourceBefore = fileManagerResource;
      const std::string baseBefore =
          fileManagerStdioResource.BaseFolderGet() ? fileManagerStdioResource.BaseFolderGet() : "";
      fileManagerStdioResource.BaseFolderSet(root.c_str());
      fileManagerResource = &fileManagerStdioResource;
      const bool progressionsOwned = !ProgressionManager::InitialisedCheck();
      if (progressionsOwned)
      {
         ProgressionManager::Init();
      }
      GUIManager::TypesClear();
      GUIManager::WidgetTypesRegister();
      // The front end's own types, registered at start-up.
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);
      GUIManager::WidgetTypeRegister("TutorialSkeleton", &TutorialSkeletonWidgetCreate);
      CardWidgetTypesRegister();
      GUIManager::TransitionTypesRegister();
      // The application registers its own widget types beside the toolkit's.
      GUIManager::WidgetTypeRegister("Portrait", &PortraitWidgetCreate);

      IndexBuild();
      CaseCollisionsCheck();
      JSONFilesCheck();
      ConstantsCheck();
      TextsCheck();
      UnlockablesCheck();
      FontFilesCheck();
      LayersCheck();
      ProgressionsCheck();
      if (programNamesChecked)
      {
         ProgramNamesCheck();
         PortraitsCheck();
         DialogsCheck();
         TrickTablesCheck();
      }
      ChipsCheck();
      BackgroundsCheck();
      CardPileHelpLabelCheck();
      CardArtCheck();
      TutorialsCheck();

      GUIManager::TypesClear();
      if (progressionsOwned)
      {
         ProgressionManager::Deinit();
      }
      fileManagerStdioResource.BaseFolderSet(baseBefore.empty() ? nullptr : baseBefore.c_str());
      fileManagerResource = resourceBefore;
      return problems;
   }

   i32 layersChecked = 0;
   i32 widgetsChecked = 0;
   // Also the names that the program's code reads, for the program's own tree.
   bool programNamesChecked = false;

 private:
   void Report(const std::string& where, const std::string& what) { problems.push_back(where + ": " + what); }

   // ---------------------------------------------------------------------------------------
   // The files and folders of the tree, exactly and by their upper-cased names.

   void IndexBuild()
   {
      files.clear();
      folders.clear();
      byUpper.clear();
      std::error_code error;
      for (auto it = std::filesystem::recursive_directory_iterator(root, error);
           !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
      {
         const std::string relative = std::filesystem::relative(it->path(), root).generic_string();
         if (it->is_directory())
         {
            folders.insert(relative);
         }
         else if (it->is_regular_file())
         {
            files.insert(relative);
         }
         else
         {
            continue;
         }
         byUpper[Upper(relative)].insert(relative);
      }
   }

   bool FileExistsCheck(const std::string& path) const { return files.count(path) != 0; }

   // " (but ... exists ...)" when a candidate exists in another case, else "".
   std::string CaseHintGet(const std::vector<std::string>& candidates) const
   {
      for (const std::string& candidate : candidates)
      {
         auto found = byUpper.find(Upper(candidate));
         if (found != byUpper.end() && !found->second.empty())
         {
            return " (but " + Quoted(*found->second.begin()) + " exists: names are case-sensitive)";
         }
      }
      return "";
   }

   // True when one of the candidates exists; otherwise reports them all.
   bool FilesFind(const std::string& where, const std::string& what,
                  const std::vector<std::string>& candidates)
   {
      for (const std::string& candidate : candidates)
      {
         if (FileExistsCheck(candidate))
         {
            return true;
         }
      }
      std::string looked;
      for (const std::string& candidate : candidates)
      {
         looked += (looked.empty() ? "" : " or ") + candidate;
      }
      Report(where, what + " not found (no " + looked + ")" + CaseHintGet(candidates));
      return false;
   }

   // The candidates of a name along the graphics paths, each with every extension.
   std::vector<std::string> GraphicsCandidatesGet(const std::string& name,
                                                  const std::vector<std::string>& extensions) const
   {
      std::vector<std::string> candidates;
      for (const std::string& prefix : graphicsPrefixes)
      {
         for (const std::string& extension : extensions)
         {
            candidates.push_back(prefix + name + extension);
         }
      }
      return candidates;
   }

   // The archive upper-cases names, so two names that differ only in case would be one entry.
   void CaseCollisionsCheck()
   {
      for (const auto& entry : byUpper)
      {
         if (entry.second.size() < 2)
         {
            continue;
         }
         std::string names;
         for (const std::string& name : entry.second)
         {
            names += (names.empty() ? "" : ", ") + Quoted(name);
         }
         Report(*entry.second.begin(),
                "names differ only in case (" + names + "): the resource archive cannot tell them apart");
      }
   }

   // ---------------------------------------------------------------------------------------
   // JSON documents, parsed once through our own parser (comments allowed as in the program).

   // The document of a file ("<path>.json" relative to the root); null when it is missing or
   // does not parse, which the walk over every file reports.
   const JSONValue* DocumentGet(const std::string& pathWithoutExtension)
   {
      auto found = documents.find(pathWithoutExtension);
      if (found != documents.end())
      {
         return found->second;
      }
      JSONValue* document = nullptr;
      if (FileExistsCheck(pathWithoutExtension + ".json"))
      {
         LogCapture log;
         JSONParser parser;
         document = parser.Load(pathWithoutExtension.c_str(), &fileManagerStdioResource);
         parseErrors[pathWithoutExtension] = log.text;
      }
      documents[pathWithoutExtension] = document;
      return document;
   }

   // The document of a name along the graphics paths, with the path it was found at.
   const JSONValue* GraphicsDocumentGet(const std::string& name, std::string* foundPath)
   {
      for (const std::string& prefix : graphicsPrefixes)
      {
         if (FileExistsCheck(prefix + name + ".json"))
         {
            if (foundPath)
            {
               *foundPath = prefix + name + ".json";
            }
            return DocumentGet(prefix + name);
         }
      }
      return nullptr;
   }

   void JSONFilesCheck()
   {
      for (const std::string& file : files)
      {
         if (!EndsWith(file, ".json"))
         {
            continue;
         }
         const std::string name = file.substr(0, file.size() - 5);
         if (!DocumentGet(name))
         {
            std::string error = parseErrors[name];
            error.erase(std::remove(error.begin(), error.end(), '\n'), error.end());
            Report(file, "does not parse" + (error.empty() ? std::string() : ": " + error));
         }
      }
   }

   // ---------------------------------------------------------------------------------------
   // Constants: languages and songs.

   void ConstantsCheck()
   {
      const std::string where = "Scripts/BuildConsts.json";
      const JSONValue* consts = DocumentGet("Scripts/BuildConsts");
      if (!consts)
      {
         if (!FileExistsCheck(where))
         {
            Report(where, "missing");
         }
         return;
      }
      const JSONValue* list = consts->ItemGet("Languages");
      if (list->TypeGet() == JSONValue::TYPE_ARRAY)
      {
         for (i32 i = 0; i < list->CountGet(); i++)
         {
            const char* language = list->ElementGet(i)->StringValueGet();
            if (!language)
            {
               Report(where, "\"Languages\" entry " + std::to_string(i) + " is not a string");
               continue;
            }
            languages.push_back(language);
            LanguageCheck(where + " \"Languages\"", language);
         }
      }
      else if (list->TypeGet() != JSONValue::TYPE_NULL)
      {
         Report(where, "\"Languages\" is not an array");
      }
      const char* languageDefault = StringMemberGet(consts, "LanguageDefault");
      if (languageDefault)
      {
         LanguageCheck(where + " \"LanguageDefault\"", languageDefault);
      }

      for (const char* key : {"Songs", "SongsUnlocked"})
      {
         list = consts->ItemGet(key);
         for (i32 i = 0; list->TypeGet() == JSONValue::TYPE_ARRAY && i < list->CountGet(); i++)
         {
            const char* song = list->ElementGet(i)->StringValueGet();
            if (!song)
            {
               Report(where, Quoted(key) + " entry " + std::to_string(i) + " is not a string");
               continue;
            }
            SongCheck(where + " " + Quoted(key), song);
         }
      }
      const char* songDefault = StringMemberGet(consts, "SongDefault");
      if (songDefault)
      {
         SongCheck(where + " \"SongDefault\"", songDefault);
      }

      const char* splash = StringMemberGet(consts, "SplashScreenImages");
      for (const std::string& image : Split(splash ? splash : "", '|'))
      {
         FilesFind(where + " \"SplashScreenImages\"", "image " + Quoted(image),
                   GraphicsCandidatesGet(image, imageExtensions));
      }
      list = consts->ItemGet("LoadingScreenResources");
      for (i32 i = 0; list->TypeGet() == JSONValue::TYPE_ARRAY && i < list->CountGet(); i++)
      {
         ResourceCheck(where + " \"LoadingScreenResources\" entry " + std::to_string(i), list->ElementGet(i));
      }
   }

   // One item of a resource list, as the loader's delegate of its "Type" finds it.
   void ResourceCheck(const std::string& where, const JSONValue* item)
   {
      const char* type = StringMemberGet(item, "Type");
      const char* name = StringMemberGet(item, "Filename");
      if (!type || !name)
      {
         Report(where, "has no string \"Type\" and \"Filename\"");
         return;
      }
      const std::string kind = type;
      if (kind == "Font")
      {
         FontCheck(where, name);
      }
      else if (kind == "Sound")
      {
         FilesFind(where, "sound " + Quoted(name), {std::string(name) + ".wav"});
      }
      else if (kind == "GUILayer")
      {
         for (const char* file : {"/Widgets", "/Sprites"})
         {
            FilesFind(where, "GUI layer " + Quoted(name),
                      GraphicsCandidatesGet("GUI/" + std::string(name) + file, {".json"}));
         }
      }
      else if (kind == "SpriteResourceFile")
      {
         FilesFind(where, "sprite file " + Quoted(name), GraphicsCandidatesGet(name, {".json"}));
      }
      else if (kind == "Texture")
      {
         FilesFind(where, "texture " + Quoted(name), GraphicsCandidatesGet(name, imageExtensions));
      }
      else if (kind == "TextureResourceFile")
      {
         FilesFind(where, "texture " + Quoted(name),
                   GraphicsCandidatesGet(std::string(name) + "/001", imageExtensions));
      }
      else
      {
         Report(where, "names the type " + Quoted(type) + ", which no loader delegate takes");
      }
   }

   // ---------------------------------------------------------------------------------------
   // Names that the program's code reads rather than the data.

   void ProgramNamesCheck()
   {
      const std::string where = "the program";
      FontCheck(where, "AauxProBOutlined");
      for (const char* key :
           {"GameNotAvailable", "ConfirmQuit", "ConfirmGameNew", "Guest", "AskSaveFace", "CanNotDeleteFace"})
      {
         TextKeyCheck(where, key, "text key");
      }
      // The cribbage scorer's lines.
      for (const char* key : {"Flush4InHand", "Flush5InHand", "NobInHand", "FifteenInHand", "RunInHand",
                              "TwoOfKindInHand", "ThreeOfKindInHand", "FourOfKindInHand"})
      {
         TextKeyCheck(where, key, "text key");
      }
      // The trick review's lines and the team panels' names.
      for (const char* key : {"TrickLabel", "TrickLeaderLabel", "TrickWinnerLabel", "TrickPointsTakenLabel",
                              "TrickCardValueLabel", "TeamAnd"})
      {
         TextKeyCheck(where, key, "text key");
      }
      // Hearts' pass button, its refused lead and the sound of broken hearts.
      for (const char* key : {"PassLeft", "PassRight", "PassAcross", "HeartsLeadTwoOfClubs"})
      {
         TextKeyCheck(where, key, "text key");
      }
      FilesFind(where, "sound \"Sounds/GlassBreak\"", {"Sounds/GlassBreak.wav"});
      // War's panels and Memory Match's results.
      for (const char* key : {"WarsLabelShort", "DefaultWins", "Easy", "Normal", "Hard", "BrainStrain", "4x4",
                              "6x4", "6x6", "MultiplyScoreFormat"})
      {
         TextKeyCheck(where, key, "text key");
      }
      // Crazy Eights' panels, messages and results.
      for (const char* key : {"Score", "Scores", "DefaultDraw", "VeryCrazyEights", "PlayATwoOrDraw",
                              "YouMustDrawAPenaltyCard", "CrazyEightsChooseSuit"})
      {
         TextKeyCheck(where, key, "text key");
      }
      // Tuxedo's panels.
      TextKeyCheck(where, "Score", "text key");
      // Widgets the code finds by path, with the type it needs: layer, then child names.
      const struct
      {
         const char* layer;
         std::vector<const char*> names;
         const char* type;
      } widgets[] = {
          {"LoadingScreen", {"MenuPanel", "ProgressBar"}, "ProgressBar"},
          {"MinigameBackground", {"Background"}, "ScreenFillSprite"},
          {"FaceCreator", {"Portrait"}, "Portrait"},
          {"FaceCreator", {"PartOption17", "Portrait"}, "Portrait"},
          {"FaceCreator", {"PartOption17", "Button"}, "PressButton"},
          {"FaceCreator", {"skinZombieGreen"}, "RadioButton"},
          {"FaceCreator", {"toggleBoth"}, "RadioButton"},
          {"FaceCreatorAddUpdateCancel", {"Panel", "PortraitNew"}, "Portrait"},
          {"FaceSelect", {"Panel", "FaceOption5", "Portrait"}, "Portrait"},
          {"Tutorial", {"Skeleton"}, "TutorialSkeleton"},
          {"Tutorial", {"Timestamp"}, "NumberLabel"},
          {"Tutorial", {"MenuBar", "Back"}, "PressButton"},
          {"NonSolitaireFrontendBasedCardGame", {"ButtonContainerBottom"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"ChipContainerTop"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"ChipContainerBottom"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"PlayerPanelContainer"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"DialogContainer"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"CardPileContainer"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"CardContainerBottom"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"CardContainerTop"}, "Container"},
          {"NonSolitaireFrontendBasedCardGame", {"HelpLabelContainer"}, "Container"},
          {"Tuxedo", {"ButtonContainerBottom"}, "Container"},
          {"Tuxedo", {"ChipContainerTop"}, "Container"},
          {"Tuxedo", {"ChipContainerBottom"}, "Container"},
          {"Tuxedo", {"PlayerPanelContainer"}, "Container"},
          {"Tuxedo", {"DialogContainer"}, "Container"},
          {"Tuxedo", {"CardPileContainer"}, "Container"},
          {"Tuxedo", {"CardContainerBottom"}, "Container"},
          {"Tuxedo", {"CardContainerTop"}, "Container"},
          {"Tuxedo", {"HelpLabelContainer"}, "Container"},
          {"Tuxedo", {"Build"}, "PressButton"},
          {"Tuxedo", {"Match"}, "PressButton"},
          {"SpiteAndMalice", {"ButtonContainerBottom"}, "Container"},
          {"SpiteAndMalice", {"ChipContainerTop"}, "Container"},
          {"SpiteAndMalice", {"ChipContainerBottom"}, "Container"},
          {"SpiteAndMalice", {"PlayerPanelContainer"}, "Container"},
          {"SpiteAndMalice", {"DialogContainer"}, "Container"},
          {"SpiteAndMalice", {"CardPileContainer"}, "Container"},
          {"SpiteAndMalice", {"CardContainerBottom"}, "Container"},
          {"SpiteAndMalice", {"CardContainerTop"}, "Container"},
          {"SpiteAndMalice", {"HelpLabelContainer"}, "Container"},
          {"SpiteAndMalice", {"pile1"}, "PressButton"},
          {"SpiteAndMalice", {"pile2"}, "PressButton"},
          {"SpiteAndMalice", {"pile3"}, "PressButton"},
          {"SpiteAndMalice", {"pile4"}, "PressButton"},
          {"MessageBoxOKResults", {"Shade"}, "Container"},
          {"MessageBoxOKResults", {"Panel", "Text"}, "TextDocument"},
          {"MessageBoxOKResults", {"Panel", "OK"}, "PressButton"},
          {"MemoryMatchResults", {"Panel", "DeckDifficulty"}, "Label"},
          {"MemoryMatchResults", {"Panel", "GridSize"}, "Label"},
          {"MemoryMatchResults", {"Panel", "MatchesScore"}, "Label"},
          {"MemoryMatchResults", {"Panel", "TripletsScore"}, "Label"},
          {"MemoryMatchResults", {"Panel", "MissesScore"}, "Label"},
          {"MemoryMatchResults", {"Panel", "ScoreTotal"}, "NumberLabel"},
          {"MemoryMatchResults", {"Panel", "OK"}, "PressButton"},
          {"CrazyEightsSuit", {"Panel", "Hearts"}, "PressButton"},
          {"CrazyEightsSuit", {"Panel", "HeartsNumber"}, "NumberLabel"},
          {"CrazyEightsSuit", {"Panel", "Spades"}, "PressButton"},
          {"CrazyEightsSuit", {"Panel", "SpadesNumber"}, "NumberLabel"},
          {"CrazyEightsSuit", {"Panel", "Diamonds"}, "PressButton"},
          {"CrazyEightsSuit", {"Panel", "DiamondsNumber"}, "NumberLabel"},
          {"CrazyEightsSuit", {"Panel", "Clubs"}, "PressButton"},
          {"CrazyEightsSuit", {"Panel", "ClubsNumber"}, "NumberLabel"},
          {"CrazyEightsSuit", {"Panel", "Cancel"}, "PressButton"},
          {"CrazyEightsResultsScoring", {"Panel", "Title"}, "Label"},
          {"CrazyEightsResultsScoring", {"Panel", "Name0"}, "Label"},
          {"CrazyEightsResultsScoring", {"Panel", "ScoreChange0"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Score0"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Name1"}, "Label"},
          {"CrazyEightsResultsScoring", {"Panel", "ScoreChange1"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Score1"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Name2"}, "Label"},
          {"CrazyEightsResultsScoring", {"Panel", "ScoreChange2"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Score2"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Name3"}, "Label"},
          {"CrazyEightsResultsScoring", {"Panel", "ScoreChange3"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "Score3"}, "NumberLabel"},
          {"CrazyEightsResultsScoring", {"Panel", "OK"}, "PressButton"},
          {"TraditionalSolitaireGame", {"ButtonContainerBottom"}, "Container"},
          {"TraditionalSolitaireGame", {"ChipContainerTop"}, "Container"},
          {"TraditionalSolitaireGame", {"ChipContainerBottom"}, "Container"},
          {"TraditionalSolitaireGame", {"PlayerPanelContainer"}, "Container"},
          {"TraditionalSolitaireGame", {"DialogContainer"}, "Container"},
          {"TraditionalSolitaireGame", {"CardPileContainer"}, "Container"},
          {"TraditionalSolitaireGame", {"CardContainerBottom"}, "Container"},
          {"TraditionalSolitaireGame", {"CardContainerTop"}, "Container"},
          {"TraditionalSolitaireGame", {"HelpLabelContainer"}, "Container"},
          {"TrickReviewHand4Players", {"Panel", "TrickText", "TrickPrevious"}, "PressButton"},
          {"TrickReviewHand4Players", {"Panel", "TrickText", "TrickNext"}, "PressButton"},
          {"TrickReviewHand4Players", {"Panel", "HandCards"}, "Container"},
          {"TrickReviewPrevious4Players", {"Panel", "Done"}, "PressButton"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "Cards"}, "Container"},
          {"TrickReviewPrevious4Players", {"Panel", "TrickText", "TrickNumber"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "TrickText", "TrickLeader"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "TrickText", "TrickWinner"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "TrickText", "TrickPointsTaken"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "Cards", "Card0"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickLeaderIcon0"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickWinnerIcon0"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "PlayerName0"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "CardValue0"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "Cards", "Card1"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickLeaderIcon1"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickWinnerIcon1"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "PlayerName1"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "CardValue1"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "Cards", "Card2"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickLeaderIcon2"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickWinnerIcon2"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "PlayerName2"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "CardValue2"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "Cards", "Card3"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickLeaderIcon3"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "TrickWinnerIcon3"}, "Sprite"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "PlayerName3"}, "Label"},
          {"TrickReviewPrevious4Players", {"Panel", "Trick", "CardValue3"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Done"}, "PressButton"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "Cards"}, "Container"},
          {"TrickReviewHand4Players", {"Panel", "TrickText", "TrickNumber"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "TrickText", "TrickLeader"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "TrickText", "TrickWinner"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "TrickText", "TrickPointsTaken"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "Cards", "Card0"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickLeaderIcon0"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickWinnerIcon0"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "PlayerName0"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "CardValue0"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "Cards", "Card1"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickLeaderIcon1"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickWinnerIcon1"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "PlayerName1"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "CardValue1"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "Cards", "Card2"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickLeaderIcon2"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickWinnerIcon2"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "PlayerName2"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "CardValue2"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "Cards", "Card3"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickLeaderIcon3"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "TrickWinnerIcon3"}, "Sprite"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "PlayerName3"}, "Label"},
          {"TrickReviewHand4Players", {"Panel", "Trick", "CardValue3"}, "Label"},
      };
      for (const auto& widget : widgets)
      {
         std::string path = widget.layer;
         const JSONValue* at = DocumentGet(graphicsPrefixes.front() + "GUI/" + widget.layer + "/Widgets");
         for (const char* name : widget.names)
         {
            path += std::string(".") + name;
            const JSONValue* children = at ? at->ItemGet("Children") : nullptr;
            const JSONValue* found = nullptr;
            for (i32 i = 0; children && i < children->CountGet(); i++)
            {
               const char* childName = StringMemberGet(children->ElementGet(i), "Name");
               found = childName && std::strcmp(childName, name) == 0 ? children->ElementGet(i) : found;
            }
            at = found;
         }
         const char* type = StringMemberGet(at, "Type");
         if (!type || std::strcmp(type, widget.type) != 0)
         {
            Report(where, "needs the widget " + Quoted(path) + " of type " + Quoted(widget.type));
         }
      }
   }

   // The portrait constants against the generated part files: every sprite the counts and skin
   // lists offer rests, mouths talk and eyes blink; pairs are numbered alike; every character's
   // face names sprites that exist.
   void PortraitsCheck()
   {
      const std::string where = "Scripts/BuildConsts.json";
      const JSONValue* consts = DocumentGet("Scripts/BuildConsts");
      if (!consts)
      {
         return;
      }
      const JSONValue* counts = consts->ItemGet("PortraitPartCounts");
      if (counts->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         Report(where, "\"PortraitPartCounts\" is not an object");
         return;
      }
      auto countGet = [counts](i32 part) { return counts->ItemGet(portraitPartNames[part])->IntValueGet(); };
      auto spriteCheck = [this](const std::string& at, i32 part, i32 sprite)
      {
         char name[32];
         std::vector<const char*> animations = {"Rest"};
         if (part == PORTRAIT_PART_MOUTH)
         {
            animations.push_back("Talk");
         }
         if (part == PORTRAIT_PART_EYE_LEFT || part == PORTRAIT_PART_EYE_RIGHT)
         {
            animations.push_back("Blink");
         }
         const JSONValue* file = SpriteFileGet(portraitPartFolders[part]);
         for (const char* animation : animations)
         {
            std::snprintf(name, sizeof(name), "%03d_%s", sprite, animation);
            AnimationCheck(at, portraitPartFolders[part], name);
            if (file && file->ItemGet(name)->TypeGet() != JSONValue::TYPE_NULL)
            {
               FramesCheck(at + " " + Quoted(name), file->ItemGet(name));
            }
         }
      };
      for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
      {
         const std::string at = where + " \"PortraitPartCounts\" " + Quoted(portraitPartNames[part]);
         if (countGet(part) < 1)
         {
            Report(at, "offers no sprite");
         }
         for (i32 sprite = 1; sprite <= countGet(part); ++sprite)
         {
            spriteCheck(at, part, sprite);
         }
      }
      const i32 pairs[][2] = {{PORTRAIT_PART_BODY_FRONT, PORTRAIT_PART_BODY_BACK},
                              {PORTRAIT_PART_HAIR_FRONT, PORTRAIT_PART_HAIR_BACK},
                              {PORTRAIT_PART_ACCESSORY_FRONT, PORTRAIT_PART_ACCESSORY_BACK},
                              {PORTRAIT_PART_EYE_LEFT, PORTRAIT_PART_EYE_RIGHT},
                              {PORTRAIT_PART_EYEBROW_LEFT, PORTRAIT_PART_EYEBROW_RIGHT}};
      for (const auto& pair : pairs)
      {
         if (countGet(pair[0]) != countGet(pair[1]))
         {
            Report(where, "\"PortraitPartCounts\" of " + Quoted(portraitPartNames[pair[0]]) + " and " +
                              Quoted(portraitPartNames[pair[1]]) + " differ: the halves share numbers");
         }
      }
      const JSONValue* skins = consts->ItemGet("PortraitSkinSpecificParts");
      const i32 slotParts[PORTRAIT_SKIN_SLOT_COUNT] = {PORTRAIT_PART_HEAD_BASE, PORTRAIT_PART_MOUTH,
                                                       PORTRAIT_PART_EYE_LEFT, PORTRAIT_PART_NOSE,
                                                       PORTRAIT_PART_NECK};
      for (i32 skin = 0; skin < SKIN_TYPE_COUNT; ++skin)
      {
         const std::string at = where + " \"PortraitSkinSpecificParts\" " + Quoted(skinTypeNames[skin]);
         const JSONValue* lists = skins->ItemGet(skinTypeNames[skin]);
         for (i32 slot = 0; slot < PORTRAIT_SKIN_SLOT_COUNT; ++slot)
         {
            const JSONValue* list = lists->ElementGet(slot);
            if (list->TypeGet() != JSONValue::TYPE_ARRAY || list->CountGet() == 0)
            {
               Report(at, "list " + std::to_string(slot) + " is missing or empty");
               continue;
            }
            for (i32 i = 0; i < list->CountGet(); ++i)
            {
               const i32 sprite = list->ElementGet(i)->IntValueGet();
               if (sprite < 1 || sprite > countGet(slotParts[slot]))
               {
                  Report(at, "offers sprite " + std::to_string(sprite) + " beyond the part's count");
               }
            }
         }
      }
      const JSONValue* exclusive = consts->ItemGet("PortraitGenderExclusiveParts");
      const JSONValue* maleFacialHair =
          exclusive->ElementGet(GENDER_MALE)->ElementGet(PORTRAIT_PART_FACIAL_HAIR);
      for (i32 sprite = 1; sprite <= countGet(PORTRAIT_PART_FACIAL_HAIR); ++sprite)
      {
         bool listed = false;
         for (i32 i = 0; i < maleFacialHair->CountGet(); ++i)
         {
            listed = listed || maleFacialHair->ElementGet(i)->IntValueGet() == sprite;
         }
         if (!listed)
         {
            Report(where,
                   "facial hair " + std::to_string(sprite) + " is not male-only: random women would wear it");
         }
      }
      const JSONValue* characters = consts->ItemGet("Characters");
      if (characters->CountGet() < 8)
      {
         Report(where, "\"Characters\" holds fewer than eight characters");
      }
      std::set<std::string> faces;
      for (JSONValue::Iterator it = characters->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const std::string at = where + " character " + Quoted(it.node->key);
         TextKeyCheck(at, it.node->key, "name");
         const JSONValue* face = it.node->value->ItemGet("Portrait");
         const char* skin = StringMemberGet(face, "SkinType");
         const char* gender = StringMemberGet(face, "Gender");
         if (PortraitSkinTypeFromName(skin) < 0 || PortraitGenderFromName(gender) < 0)
         {
            Report(at, "has no valid \"SkinType\" and \"Gender\"");
         }
         std::string identity = std::string(skin ? skin : "") + (gender ? gender : "");
         for (i32 part = 0; part < PORTRAIT_PART_COUNT; ++part)
         {
            const JSONValue* id = face->ItemGet("Parts")->ItemGet(portraitPartNames[part])->ItemGet("ID");
            const i32 sprite = id->IntValueGet();
            identity += " " + std::to_string(sprite);
            if (id->TypeGet() != JSONValue::TYPE_NUMBER || sprite == 0 || sprite < -1 ||
                sprite > countGet(part))
            {
               Report(at, "names no sprite of " + Quoted(portraitPartNames[part]));
            }
            else if (sprite > 0)
            {
               spriteCheck(at, part, sprite);
            }
         }
         faces.insert(identity);
      }
      if (static_cast<i32>(faces.size()) != characters->CountGet() && characters->CountGet() > 0)
      {
         Report(where, "two characters share one face");
      }
   }

   // The lines the characters say, their groups, and the balloon's sprites and font.
   void DialogsCheck()
   {
      const std::string where = "Scripts/DialogConsts.json";
      const JSONValue* dialogs = DocumentGet("Scripts/DialogConsts");
      if (!dialogs)
      {
         Report(where, "missing or broken");
         return;
      }
      const JSONValue* lines = dialogs->ItemGet("Dialogs");
      for (JSONValue::Iterator it = lines->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const std::string line = where + " dialog " + Quoted(it.node->key);
         TextKeyCheck(line, StringMemberGet(it.node->value, "TextKey"), "TextKey");
         // Spoken at build time in every language.
         const char* speech = StringMemberGet(it.node->value, "Speech");
         if (!speech)
         {
            Report(line, "has no \"Speech\"");
            continue;
         }
         for (const std::string& language : languages)
         {
            FilesFind(line, "speech", {"Speech/" + language + "/" + speech + ".snd"});
         }
      }
      const JSONValue* groups = dialogs->ItemGet("DialogGroups");
      for (JSONValue::Iterator it = groups->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         for (i32 i = 0; i < it.node->value->CountGet(); ++i)
         {
            const char* line = it.node->value->ElementGet(i)->StringValueGet();
            if (!line || lines->ItemGet(line)->TypeGet() != JSONValue::TYPE_OBJECT)
            {
               Report(where + " group " + Quoted(it.node->key), "names a line that is not in \"Dialogs\"");
            }
         }
      }
      // The lines the games have every character say.
      const JSONValue* build = DocumentGet("Scripts/BuildConsts");
      const JSONValue* characters = build ? build->ItemGet("Characters") : groups;
      // One voice a character, none alike; a line's one recording is in one speaker's voice, so no
      // line is handed out by the groups of two characters.
      std::map<std::string, std::string> voices;
      std::map<std::string, std::string> speakers;
      for (JSONValue::Iterator it = characters->ItemsBegin(); build && it.ValidCheck(); it.Next())
      {
         const std::string character = it.node->key;
         const JSONValue* voice = it.node->value->ItemGet("Voice");
         const char* variant = StringMemberGet(voice, "Variant");
         if (!variant || !voice->ItemNumberCheck("Pitch") || !voice->ItemNumberCheck("Speed"))
         {
            Report("Scripts/BuildConsts.json character " + Quoted(character.c_str()),
                   "has no \"Voice\" with \"Variant\", \"Pitch\" and \"Speed\"");
            continue;
         }
         const std::string sound = std::string(variant) + " " +
                                   std::to_string(voice->ItemGet("Pitch")->IntValueGet()) + " " +
                                   std::to_string(voice->ItemGet("Speed")->IntValueGet());
         if (!voices.emplace(sound, character).second)
         {
            Report("Scripts/BuildConsts.json character " + Quoted(character.c_str()),
                   "speaks in the voice of " + voices[sound]);
         }
         for (JSONValue::Iterator group = groups->ItemsBegin(); group.ValidCheck(); group.Next())
         {
            if (std::string(group.node->key).compare(0, character.size(), character) != 0)
            {
               continue;
            }
            for (i32 i = 0; i < group.node->value->CountGet(); ++i)
            {
               const char* said = group.node->value->ElementGet(i)->StringValueGet();
               auto known = speakers.emplace(said ? said : "", character);
               if (said && known.first->second != character)
               {
                  Report(where + " dialog " + Quoted(said),
                         "is said by " + known.first->second + " and by " + character +
                             ", but has one recording: give each character a line of its own");
               }
            }
         }
      }
      for (JSONValue::Iterator it = characters->ItemsBegin(); build && it.ValidCheck(); it.Next())
      {
         for (const char* line :
              {"WAR_TIME_FOR_WAR", "CRAZY_EIGHTS_QUEEN_PLAYED_ON_ME", "CRAZY_EIGHTS_I_PENALTY_DRAW_TWO",
               "CRAZY_EIGHTS_I_PENALTY_DRAW_FOUR", "CRAZY_EIGHTS_I_PENALTY_DRAW_SIX",
               "CRAZY_EIGHTS_I_PENALTY_DRAW_EIGHT", "CRAZY_EIGHTS_I_DRAW_MANY",
               "CRAZY_EIGHTS_JACK_PLAYED_ON_YOU", "CRAZY_EIGHTS_QUEEN_PLAYED_ON_YOU",
               "CRAZY_EIGHTS_JACK_PLAYED_ON_ME", "CRAZY_EIGHTS_I_CHOOSE_RED", "CRAZY_EIGHTS_I_CHOOSE_YELLOW",
               "CRAZY_EIGHTS_I_CHOOSE_GREEN", "CRAZY_EIGHTS_I_CHOOSE_BLUE", "GENERIC_I_WIN_HAND_SMALL",
               "CARD_SHARED_I_WIN_HAND", "GENERIC_I_WIN_HAND_BIG"})
         {
            const std::string group = std::string(it.node->key) + "_" + line;
            if (groups->ItemGet(group.c_str())->TypeGet() != JSONValue::TYPE_ARRAY)
            {
               Report(where, "no group " + Quoted(group.c_str()));
            }
         }
      }
      const JSONValue* balloon = dialogs->ItemGet("DialogWidget");
      const char* spriteFile = StringMemberGet(balloon, "SpriteResourceFilename");
      if (!spriteFile || !StringMemberGet(balloon, "Font"))
      {
         Report(where, "\"DialogWidget\" names no sprite resource file or font");
         return;
      }
      FontCheck(where + " \"DialogWidget\"", StringMemberGet(balloon, "Font"));
      for (const char* sprite : {"BackgroundSprite", "ContinueIndicatorSprite"})
      {
         const char* animation = StringMemberGet(balloon->ItemGet(sprite), "Animation");
         AnimationCheck(where + " \"DialogWidget\" " + Quoted(sprite), spriteFile,
                        animation ? animation : "");
      }
   }

   // The multi-player table's constants: the panels built from the global constants, the
   // characters' address suffixes and the four-player trick games' template.
   void TrickTablesCheck()
   {
      const std::string where = "Scripts/BuildConsts.json";
      const JSONValue* consts = DocumentGet("Scripts/BuildConsts");
      if (!consts)
      {
         return;
      }
      const JSONValue* panel = consts->ItemGet("PlayerPanelWidget");
      const char* spriteFile = StringMemberGet(panel, "SpriteResourceFilename");
      std::vector<const JSONValue*> pending = {panel};
      std::set<std::string> names;
      while (!pending.empty())
      {
         const JSONValue* widget = pending.back();
         pending.pop_back();
         const JSONValue* children = widget->ItemGet("Children");
         for (i32 i = 0; children->TypeGet() == JSONValue::TYPE_ARRAY && i < children->CountGet(); i++)
         {
            pending.push_back(children->ElementGet(i));
         }
         const char* name = StringMemberGet(widget, "Name");
         const char* animation = StringMemberGet(widget, "Animation");
         names.insert(name ? name : "");
         if (animation)
         {
            AnimationCheck(where + " \"PlayerPanelWidget\"", spriteFile ? spriteFile : "", animation);
         }
      }
      // The frame's two looks are set by the code.
      for (const char* animation : {"FrameOn", "FrameOff"})
      {
         AnimationCheck(where + " \"PlayerPanelWidget\"", spriteFile ? spriteFile : "", animation);
      }
      for (const char* name :
           {"Plaque", "Frame", "Background", "PortraitContainer", "Portrait", "Text0", "Text1", "Text2",
            "IconDealer", "IconWinner", "IconCribbagePegRed", "IconCribbagePegBlue"})
      {
         if (!names.count(name))
         {
            Report(where, "\"PlayerPanelWidget\" has no child " + Quoted(name));
         }
      }
      for (const char* key : {"TeamPanelWidget", "CommonPanelWidget"})
      {
         const JSONValue* children = consts->ItemGet(key)->ItemGet("Children");
         bool text = false;
         for (i32 i = 0; children->TypeGet() == JSONValue::TYPE_ARRAY && i < children->CountGet(); i++)
         {
            const char* name = StringMemberGet(children->ElementGet(i), "Name");
            text = text || (name && std::strcmp(name, "Text") == 0);
         }
         if (!text)
         {
            Report(where, Quoted(key) + " has no \"Text\" container");
         }
      }
      for (const char* key :
           {"DialogWidgetSize", "DialogWidgetPlayerLeftOffset", "DialogWidgetPlayerRightOffset"})
      {
         if (!consts->ItemPoint2FCheck(key))
         {
            Report(where, Quoted(key) + " is not a point");
         }
      }
      const JSONValue* characters = consts->ItemGet("Characters");
      for (JSONValue::Iterator it = characters->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         if (!StringMemberGet(it.node->value, "AddressDialogGroupSuffix"))
         {
            Report(where,
                   "character " + Quoted(it.node->key) + " has no string \"AddressDialogGroupSuffix\"");
         }
      }
      const JSONValue* trick = consts->ItemGet("MinigameConstsTemplates")->ItemGet("TrickTaking4Players");
      for (const char* key : {"PlayerPanelPositions", "TrickReviewHandHands"})
      {
         if (trick->ItemGet(key)->TypeGet() != JSONValue::TYPE_ARRAY)
         {
            Report(where, "\"TrickTaking4Players\" has no array " + Quoted(key));
         }
      }
      if (trick->ItemGet("DelayTrickTake")->TypeGet() != JSONValue::TYPE_NUMBER ||
          trick->ItemGet("TrickReviewPreviousButton")->TypeGet() != JSONValue::TYPE_OBJECT ||
          !trick->ItemPoint2FCheck("TrickReviewPreviousButtonPosition") ||
          !StringMemberGet(trick, "TrickReviewCardSize"))
      {
         Report(where, "\"TrickTaking4Players\" lacks its delay, review button or review card size");
      }
      const char* cardSize = StringMemberGet(trick, "TrickReviewCardSize");
      const char* cardStyle =
          StringMemberGet(GraphicsDocumentGet("GraphicsConsts", nullptr), "CardFrontStyleDefault");
      if (cardSize && cardStyle)
      {
         AnimationCheck(where + " \"TrickReviewCardSize\"",
                        std::string("Sprites/Cards/Fronts/") + cardStyle + "/" + cardSize, "H_1");
      }
      const JSONValue* states = trick->ItemGet("TrumpIndicatorWidget")->ItemGet("Children");
      if (states->TypeGet() != JSONValue::TYPE_ARRAY || states->CountGet() != 9)
      {
         Report(where, "\"TrumpIndicatorWidget\" does not hold the nine trump states");
      }
      for (i32 i = 0; states->TypeGet() == JSONValue::TYPE_ARRAY && i < states->CountGet(); i++)
      {
         const char* animation = StringMemberGet(states->ElementGet(i), "Animation");
         AnimationCheck(where + " \"TrumpIndicatorWidget\"", "GUI/NonSolitaireFrontendBasedCardGame/Sprites",
                        animation ? animation : "");
      }
   }

   static std::vector<std::string> Split(const std::string& text, char separator)
   {
      std::vector<std::string> parts;
      size_t start = 0;
      while (start <= text.size())
      {
         size_t end = text.find(separator, start);
         end = end == std::string::npos ? text.size() : end;
         if (end > start)
         {
            parts.push_back(text.substr(start, end - start));
         }
         start = end + 1;
      }
      return parts;
   }

   void LanguageCheck(const std::string& where, const std::string& language)
   {
      bool known = false;
      for (u32 i = 0; TextManager::LanguageNameGet(i); i++)
      {
         known = known || language == TextManager::LanguageNameGet(i);
      }
      if (!known)
      {
         Report(where, "language " + Quoted(language) + " is not one the text manager knows");
      }
      const std::string folder = "Text/" + language;
      if (folders.count(folder) == 0)
      {
         Report(where,
                "language " + Quoted(language) + " has no folder " + folder + "/" + CaseHintGet({folder}));
      }
   }

   void SongCheck(const std::string& where, const std::string& song)
   {
      FilesFind(where, "song " + Quoted(song), {"Music/" + song + ".snd"});
   }

   // ---------------------------------------------------------------------------------------
   // Texts: the English keys every widget may name, and the fonts named by tags in any language.

   void TextsCheck()
   {
      std::set<std::string> languageFolders(languages.begin(), languages.end());
      languageFolders.insert("English");
      // Per language, every key of its files; and the English file each English key comes from.
      std::map<std::string, std::set<std::string>> keysByLanguage;
      std::map<std::string, std::string> englishFiles;
      for (const std::string& language : languageFolders)
      {
         for (const char* fileName : textFileNames)
         {
            const std::string name = "Text/" + language + "/" + fileName;
            const JSONValue* texts = DocumentGet(name);
            if (!texts)
            {
               continue;
            }
            if (texts->TypeGet() != JSONValue::TYPE_OBJECT)
            {
               Report(name + ".json", "is not a JSON object");
               continue;
            }
            for (JSONValue::Iterator it = texts->ItemsBegin(); it.ValidCheck(); it.Next())
            {
               keysByLanguage[language].insert(it.node->key);
               if (language == "English")
               {
                  englishFiles.emplace(it.node->key, name + ".json");
               }
               const char* text = it.node->value->StringValueGet();
               if (language == "English" && !englishTexts.count(it.node->key))
               {
                  englishTexts[it.node->key] = text ? text : "";
               }
               if (text)
               {
                  TagsCheck(name + ".json key " + Quoted(it.node->key), text, nullptr);
               }
               // Score lines the cribbage scorer formats with its points, and Gaps' reshuffle count.
               const std::string key = it.node->key;
               if ((key == "FifteenInHand" || key == "RunInHand" || key == "ShuffleWithNumber") &&
                   !CribbageLineFormatCheck(text))
               {
                  Report(name + ".json key " + Quoted(key), "is not a format with exactly one %d");
               }
               // Memory Match's score lines: count, factor and product.
               if (key == "MultiplyScoreFormat" && !IntegerFormatCheck(text, 3))
               {
                  Report(name + ".json key " + Quoted(key), "is not a format with exactly three %d");
               }
            }
         }
      }
      // The program shows English for an untranslated key; the data must not rely on that. A
      // language without a folder is reported once by LanguageCheck instead of key by key.
      for (const std::string& language : languageFolders)
      {
         if (language == "English" || folders.count("Text/" + language) == 0)
         {
            continue;
         }
         const std::set<std::string>& keys = keysByLanguage[language];
         for (const auto& english : englishFiles)
         {
            if (!keys.count(english.first))
            {
               Report("Text/" + language, "text " + Quoted(english.first) + " of " + english.second +
                                              " is not translated into " + language);
            }
         }
      }
   }

   // ---------------------------------------------------------------------------------------
   // Unlockable items: the texts of their messages and of every song's name, and the songs that
   // achievements reward.

   void UnlockablesCheck()
   {
      const std::string where = "Scripts/BuildConsts.json";
      const JSONValue* consts = DocumentGet("Scripts/BuildConsts");
      if (!consts)
      {
         return;
      }
      const JSONValue* messages = consts->ItemGet("ItemTypeUnlockMessages");
      for (JSONValue::Iterator it = messages->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         TextKeyCheck(where + " \"ItemTypeUnlockMessages\"", it.node->value->StringValueGet(), it.node->key);
      }
      const char* prefix = consts->ItemGet("ItemNameTextKeyPrefixes")->ItemGet("Song")->StringValueGet();
      const JSONValue* songs = consts->ItemGet("Songs");
      for (i32 i = 0; prefix && songs->TypeGet() == JSONValue::TYPE_ARRAY && i < songs->CountGet(); i++)
      {
         const char* song = songs->ElementGet(i)->StringValueGet();
         if (song)
         {
            TextKeyCheck(where + " \"Songs\"", (prefix + std::string(song)).c_str(), song);
         }
      }
      const JSONValue* achievements = consts->ItemGet("Achievements");
      for (JSONValue::Iterator it = achievements->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const char* reward = StringMemberGet(it.node->value, "RewardID");
         const char* type = StringMemberGet(it.node->value, "RewardType");
         if (reward && type && std::strcmp(type, "Song") == 0)
         {
            SongCheck(where + " \"Achievements\" " + Quoted(it.node->key), reward);
            if (songs->ElementStringFind(reward) < 0)
            {
               Report(where, "achievement " + Quoted(it.node->key) + " rewards song " + Quoted(reward) +
                                 ", which is not in \"Songs\"");
            }
         }
      }
   }

   void TextKeyCheck(const std::string& where, const char* key, const char* widgetKey)
   {
      if (key && !englishTexts.count(key))
      {
         Report(where, Quoted(widgetKey) + " names text " + Quoted(key) +
                           ", which is in none of Text/English/{Text,DialogText,TextNew}.json");
      }
   }

   // "<Font=...>" and "<Sprite=...>" in a text; sprites only when the sprite file is known.
   void TagsCheck(const std::string& where, const std::string& text, const std::string* spriteFile,
                  bool fonts = true)
   {
      for (const char* tag : {"<Font=", "<Sprite="})
      {
         for (size_t at = text.find(tag); at != std::string::npos; at = text.find(tag, at + 1))
         {
            const size_t start = at + std::strlen(tag);
            const size_t close = text.find('>', start);
            if (close == std::string::npos)
            {
               break;
            }
            const std::string argument = text.substr(start, close - start);
            const bool font = tag[1] == 'F';
            if (font && fonts)
            {
               FontCheck(where, argument);
            }
            else if (!font && spriteFile)
            {
               AnimationCheck(where + " tag <Sprite=" + argument + ">", *spriteFile, argument);
            }
         }
      }
   }

   // ---------------------------------------------------------------------------------------
   // Fonts: every font file's bitmaps, and every font a widget or a text names.

   void FontFilesCheck()
   {
      for (const std::string& prefix : graphicsPrefixes)
      {
         const std::string folder = prefix + "Fonts/";
         for (const std::string& file : files)
         {
            if (file.compare(0, folder.size(), folder) != 0 || !EndsWith(file, ".json") ||
                file.find('/', folder.size()) != std::string::npos)
            {
               continue;
            }
            const JSONValue* font = DocumentGet(file.substr(0, file.size() - 5));
            if (!font)
            {
               continue;
            }
            const JSONValue* bitmaps = font->ItemGet("Bitmaps");
            if (bitmaps->TypeGet() != JSONValue::TYPE_ARRAY || bitmaps->CountGet() == 0)
            {
               Report(file, "has no \"Bitmaps\" array");
               continue;
            }
            for (i32 i = 0; i < bitmaps->CountGet(); i++)
            {
               const char* name = StringMemberGet(bitmaps->ElementGet(i), "Name");
               if (!name)
               {
                  Report(file, "bitmap " + std::to_string(i) + " has no \"Name\"");
                  continue;
               }
               FilesFind(file, "bitmap " + Quoted(name),
                         GraphicsCandidatesGet(std::string("Fonts/") + name, imageExtensions));
            }
         }
      }
   }

   void FontCheck(const std::string& where, const std::string& font)
   {
      FilesFind(where, "font " + Quoted(font), GraphicsCandidatesGet("Fonts/" + font, {".json"}));
   }

   // ---------------------------------------------------------------------------------------
   // Card art: every front and back style the constants offer, and those later games force on
   // their cards, in every card size; the empty-pile pictures that pile specifications name.

   void CardArtCheck()
   {
      std::string where;
      const JSONValue* graphics = GraphicsDocumentGet("GraphicsConsts", &where);
      const char* sizeDefault = StringMemberGet(graphics, "CardSizeDefault");
      PileAnimationsCheck(where + " \"CardPileTemplates\"",
                          graphics ? graphics->ItemGet("CardPileTemplates") : nullptr, sizeDefault);
      PileTemplatesCheck(where + " \"CardPileTemplates\"",
                         graphics ? graphics->ItemGet("CardPileTemplates") : nullptr, nullptr,
                         graphics ? graphics->ItemGet("CardPileTemplates") : nullptr);
      for (const std::string& file : files)
      {
         if (file.rfind("Scripts/Minigames/", 0) == 0 && EndsWith(file, ".json"))
         {
            const JSONValue* game = DocumentGet(file.substr(0, file.size() - 5));
            for (const char* key : {"CardPileTemplates", "CardPiles"})
            {
               PileAnimationsCheck(file + " " + Quoted(key), game ? game->ItemGet(key) : nullptr,
                                   sizeDefault);
               PileTemplatesCheck(file + " " + Quoted(key), game ? game->ItemGet(key) : nullptr,
                                  game ? game->ItemGet("CardPileTemplates") : nullptr,
                                  graphics ? graphics->ItemGet("CardPileTemplates") : nullptr);
            }
         }
      }
      // A tree without card styles has no card art to check (the small trees of the tests below).
      if (!graphics || (graphics->ItemGet("CardFrontStyles")->TypeGet() == JSONValue::TYPE_NULL &&
                        graphics->ItemGet("CardBackStyles")->TypeGet() == JSONValue::TYPE_NULL))
      {
         return;
      }
      static const char* const sizes[] = {"Small", "Medium", "Large"};
      std::set<std::string> fronts = {"CrazyEights",     "OldMaid",         "MemoryMatchNormal",
                                      "MemoryMatchEasy", "MemoryMatchHard", "MemoryMatchVeryHard"};
      std::set<std::string> backs = {"CrazyEights", "MemoryMatchBlue", "MemoryMatchGreen",
                                     "MemoryMatchYellow", "MemoryMatchPurple"};
      for (const char* key :
           {"CardFrontStyles", "CardBackStyles", "CardFrontStyleDefault", "CardBackStyleDefault"})
      {
         const bool front = std::strncmp(key, "CardFront", 9) == 0;
         const JSONValue* value = graphics->ItemGet(key);
         if (value->TypeGet() == JSONValue::TYPE_NULL)
         {
            continue;
         }
         const bool list = value->TypeGet() == JSONValue::TYPE_ARRAY;
         for (i32 i = 0; i < (list ? value->CountGet() : 1); i++)
         {
            const char* style = (list ? value->ElementGet(i) : value)->StringValueGet();
            if (!style)
            {
               Report(where, Quoted(key) + " holds a style that is not a string");
               continue;
            }
            (front ? fronts : backs).insert(style);
            if (list)
            {
               TextKeyCheck(where, (std::string(front ? "CardFrontStyle" : "CardBackStyle") + style).c_str(),
                            key);
            }
         }
      }
      for (const char* size : sizes)
      {
         for (const std::string& style : fronts)
         {
            const std::string file = "Sprites/Cards/Fronts/" + style + "/" + size;
            if (!CardSpriteFileCheck(where + " front style " + Quoted(style), file))
            {
               continue;
            }
            for (const char suit : {'H', 'S', 'D', 'C'})
            {
               for (i32 rank = 1; rank <= 13; rank++)
               {
                  AnimationCheck(where + " front style " + Quoted(style), file,
                                 std::string(1, suit) + "_" + std::to_string(rank));
               }
            }
            for (const char* animation : {"Joker", "Selected", "Highlighted"})
            {
               AnimationCheck(where + " front style " + Quoted(style), file, animation);
            }
         }
         for (const std::string& style : backs)
         {
            const std::string file = "Sprites/Cards/Backs/" + style + "/" + size;
            if (CardSpriteFileCheck(where + " back style " + Quoted(style), file))
            {
               AnimationCheck(where + " back style " + Quoted(style), file, "Back");
            }
         }
      }
   }

   // One line for a card sprite resource file that is missing, rather than one per animation.
   bool CardSpriteFileCheck(const std::string& where, const std::string& file)
   {
      if (SpriteFileGet(file))
      {
         return true;
      }
      Report(where, "sprite resource file " + Quoted(file + ".json") + " is missing or broken" +
                        CaseHintGet(GraphicsCandidatesGet(file, {".json"})));
      return false;
   }

   // The "Animation" of each pile specification (an object of templates or an array of piles) in
   // the pile sprites of its card size.
   // Every pile specification's "Inherited" names a card pile template of its game or of the
   // graphics constants (a missing one only logs while the pile loses its offsets and sizes).
   void PileTemplatesCheck(const std::string& where, const JSONValue* piles, const JSONValue* gameTemplates,
                           const JSONValue* globalTemplates)
   {
      if (!piles || (piles->TypeGet() != JSONValue::TYPE_OBJECT && piles->TypeGet() != JSONValue::TYPE_ARRAY))
      {
         return;
      }
      auto check = [&](const JSONValue* pile)
      {
         const char* inherited = StringMemberGet(pile, "Inherited");
         auto holds = [inherited](const JSONValue* templates)
         {
            return templates && templates->TypeGet() == JSONValue::TYPE_OBJECT &&
                   templates->ItemGet(inherited)->TypeGet() == JSONValue::TYPE_OBJECT;
         };
         if (inherited && !holds(gameTemplates) && !holds(globalTemplates))
         {
            Report(where, "card pile template " + Quoted(inherited) + " not found");
         }
      };
      if (piles->TypeGet() == JSONValue::TYPE_ARRAY)
      {
         for (i32 i = 0; i < piles->CountGet(); i++)
         {
            check(piles->ElementGet(i));
         }
         return;
      }
      for (JSONValue::Iterator it = piles->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         check(it.node->value);
      }
   }

   void PileAnimationsCheck(const std::string& where, const JSONValue* piles, const char* sizeDefault)
   {
      if (!piles || (piles->TypeGet() != JSONValue::TYPE_OBJECT && piles->TypeGet() != JSONValue::TYPE_ARRAY))
      {
         return;
      }
      auto check = [&](const JSONValue* pile)
      {
         const char* animation = StringMemberGet(pile, "Animation");
         const char* size = StringMemberGet(pile, "CardSize");
         size = size ? size : sizeDefault;
         if (animation && size)
         {
            AnimationCheck(where, std::string("Sprites/CardPiles/") + size, animation);
         }
      };
      if (piles->TypeGet() == JSONValue::TYPE_ARRAY)
      {
         for (i32 i = 0; i < piles->CountGet(); i++)
         {
            check(piles->ElementGet(i));
         }
         return;
      }
      for (JSONValue::Iterator it = piles->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         check(it.node->value);
      }
   }

   // ---------------------------------------------------------------------------------------
   // Sprite resource files and their animations.

   // The sprite resource file of that name, its animations' frames checked the first time.
   const JSONValue* SpriteFileGet(const std::string& name)
   {
      auto found = spriteFiles.find(name);
      if (found != spriteFiles.end())
      {
         return found->second;
      }
      std::string path;
      const JSONValue* document = GraphicsDocumentGet(name, &path);
      if (document && document->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         Report(path, "is not a JSON object of animations");
         document = nullptr;
      }
      spriteFiles[name] = document;
      if (!document)
      {
         return nullptr;
      }
      for (JSONValue::Iterator it = document->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         FramesCheck(path + " animation " + Quoted(it.node->key), it.node->value);
      }
      return document;
   }

   // The images the animation's frames are loaded from, as the animation reads them.
   void FramesCheck(const std::string& where, const JSONValue* animation)
   {
      std::vector<std::string> images;
      if (animation->TypeGet() == JSONValue::TYPE_STRING)
      {
         images.push_back(animation->StringValueGet());
      }
      else if (animation->TypeGet() == JSONValue::TYPE_OBJECT)
      {
         const char* fileName = StringMemberGet(animation, "Filename");
         if (!fileName)
         {
            Report(where, "has no \"Filename\"");
            return;
         }
         const JSONValue* sequence = animation->ItemGet("ImageSequence");
         const bool sheet = animation->ItemGet("FrameSize")->TypeGet() != JSONValue::TYPE_NULL;
         i32 frameCount = animation->ItemGet("FrameCount")->TypeGet() == JSONValue::TYPE_NUMBER
                              ? animation->ItemGet("FrameCount")->IntValueGet()
                              : 1;
         if (frameCount == 0)
         {
            frameCount = 1;
         }
         auto numbered = [fileName](i32 number)
         {
            char suffix[16];
            std::snprintf(suffix, sizeof(suffix), "/%03d", number);
            return std::string(fileName) + suffix;
         };
         if (sequence->TypeGet() != JSONValue::TYPE_NULL && sequence->TypeGet() != JSONValue::TYPE_ARRAY)
         {
            Report(where, "\"ImageSequence\" is not an array");
            return;
         }
         if (sheet || (frameCount == 1 && sequence->TypeGet() == JSONValue::TYPE_NULL))
         {
            images.push_back(fileName);
         }
         else if (sequence->TypeGet() == JSONValue::TYPE_ARRAY)
         {
            for (i32 i = 0; i < sequence->CountGet(); i++)
            {
               images.push_back(numbered(sequence->ElementGet(i)->IntValueGet()));
            }
         }
         else
         {
            for (i32 i = 1; i <= frameCount; i++)
            {
               images.push_back(numbered(i));
            }
         }
      }
      else
      {
         Report(where, "is neither a file name nor an object");
         return;
      }
      for (const std::string& image : images)
      {
         FilesFind(where, "image " + Quoted(image), GraphicsCandidatesGet(image, imageExtensions));
      }
   }

   void AnimationCheck(const std::string& where, const std::string& spriteFile, const std::string& animation)
   {
      if (spriteFile.empty())
      {
         Report(where, "animation " + Quoted(animation) + " has no sprite resource file to come from");
         return;
      }
      const JSONValue* document = SpriteFileGet(spriteFile);
      if (!document)
      {
         Report(where, "animation " + Quoted(animation) + ": sprite resource file " +
                           Quoted(spriteFile + ".json") + " is missing or broken" +
                           CaseHintGet(GraphicsCandidatesGet(spriteFile, {".json"})));
         return;
      }
      if (document->ItemGet(animation.c_str())->TypeGet() != JSONValue::TYPE_NULL)
      {
         return;
      }
      std::string hint;
      for (JSONValue::Iterator it = document->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         if (Upper(it.node->key) == Upper(animation))
         {
            hint = " (but " + Quoted(it.node->key) + " is: names are case-sensitive)";
         }
      }
      Report(where, "animation " + Quoted(animation) + " is not in " + Quoted(spriteFile + ".json") + hint);
   }

   // ---------------------------------------------------------------------------------------
   // The chips: every denomination of every style drawn in every size, and their sounds.

   void ChipsCheck()
   {
      const JSONValue* graphics = GraphicsDocumentGet("GraphicsConsts", nullptr);
      const JSONValue* build = DocumentGet("Scripts/BuildConsts");
      const JSONValue* styles = graphics ? graphics->ItemGet("ChipStyles") : &JSONValue::nullValue;
      const std::string where = "GraphicsConsts.json \"ChipStyles\"";
      for (JSONValue::Iterator it = styles->ItemsBegin();
           styles->TypeGet() == JSONValue::TYPE_OBJECT && it.ValidCheck(); it.Next())
      {
         const JSONValue* denominations = it.node->value->ItemGet("Denominations");
         for (const char* size : {"Small", "Medium", "Large"})
         {
            const std::string file = std::string("Sprites/Chips/") + it.node->key + "/" + size;
            for (i32 i = 0;
                 denominations->TypeGet() == JSONValue::TYPE_ARRAY && i < denominations->CountGet(); i++)
            {
               AnimationCheck(where, file, std::to_string(denominations->ElementGet(i)->IntValueGet()));
            }
         }
      }
      const char* styleDefault = graphics ? StringMemberGet(graphics, "ChipStyleDefault") : nullptr;
      if (styleDefault && styles->ItemGet(styleDefault)->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         Report("GraphicsConsts.json", "\"ChipStyleDefault\" names no style of \"ChipStyles\"");
      }
      for (const char* key : {"ChipMoveSounds", "CardMoveSounds"})
      {
         const JSONValue* sounds = build ? build->ItemGet(key) : &JSONValue::nullValue;
         for (i32 i = 0; sounds->TypeGet() == JSONValue::TYPE_ARRAY && i < sounds->CountGet(); i++)
         {
            const char* sound = sounds->ElementGet(i)->StringValueGet();
            if (sound)
            {
               FilesFind("Scripts/BuildConsts.json " + Quoted(key), "sound " + Quoted(sound),
                         {std::string(sound) + ".wav"});
            }
         }
      }
   }

   // The card piles' help label: its widget, the label the code fills in, and the texts it uses.
   void CardPileHelpLabelCheck()
   {
      const JSONValue* graphics = GraphicsDocumentGet("GraphicsConsts", nullptr);
      const JSONValue* specification = graphics ? graphics->ItemGet("CardPileHelpLabelWidget") : nullptr;
      const std::string where = "GraphicsConsts.json \"CardPileHelpLabelWidget\"";
      // Only a tree with card art has card piles to label.
      if (!graphics || graphics->ItemGet("CardSizeDefault")->TypeGet() == JSONValue::TYPE_NULL)
      {
         return;
      }
      if (!specification || specification->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         Report(where, "missing or not an object");
         return;
      }
      bool textLabel = false;
      const JSONValue* children = specification->ItemGet("Children");
      for (i32 i = 0; children->TypeGet() == JSONValue::TYPE_ARRAY && i < children->CountGet(); i++)
      {
         const JSONValue* child = children->ElementGet(i);
         const char* type = StringMemberGet(child, "Type");
         const char* name = StringMemberGet(child, "Name");
         textLabel =
             textLabel || (type && name && std::strcmp(type, "Label") == 0 && std::strcmp(name, "Text") == 0);
      }
      if (!textLabel)
      {
         Report(where, "has no Label named \"Text\"");
      }
      layerFile = where;
      ContainerWidget kind;
      WidgetCheck(specification, &kind, "", "");
      for (const char* key : {"Card", "Cards"})
      {
         TextKeyCheck(where, key, "TextProcedure \"CardCount\"");
      }
      if (graphics && !graphics->ItemPoint2FCheck("CardPileHelpLabelPositionOffsetDefault"))
      {
         Report("GraphicsConsts.json", "\"CardPileHelpLabelPositionOffsetDefault\" is not a point");
      }
   }

   // ---------------------------------------------------------------------------------------
   // Table backgrounds: each one the games may choose has its picture and its name's text.

   void BackgroundsCheck()
   {
      const JSONValue* build = DocumentGet("Scripts/BuildConsts");
      const char* prefix =
          build ? build->ItemGet("ItemNameTextKeyPrefixes")->ItemGet("Background")->StringValueGet()
                : nullptr;
      for (const char* key : {"MinigameBackgrounds", "MinigameBackgroundsUnlocked"})
      {
         const JSONValue* names = build ? build->ItemGet(key) : &JSONValue::nullValue;
         const std::string where = "Scripts/BuildConsts.json " + Quoted(key);
         for (i32 i = 0; names->TypeGet() == JSONValue::TYPE_ARRAY && i < names->CountGet(); i++)
         {
            const char* name = names->ElementGet(i)->StringValueGet();
            if (!name)
            {
               Report(where, "holds an element that is not a string");
               continue;
            }
            AnimationCheck(where, "Backgrounds/BackgroundSprites", name);
            if (prefix)
            {
               TextKeyCheck(where, (prefix + std::string(name)).c_str(), name);
            }
         }
      }
      const char* chosen = build ? StringMemberGet(build, "MinigameBackgroundDefault") : nullptr;
      if (chosen && std::strcmp(chosen, "<Random>") != 0)
      {
         AnimationCheck("Scripts/BuildConsts.json \"MinigameBackgroundDefault\"",
                        "Backgrounds/BackgroundSprites", chosen);
      }
   }

   // ---------------------------------------------------------------------------------------
   // Each "Tutorials" entry: its files, the page images of its atlas, and the skeleton events,
   // dialog lines and sounds its event table names.

   void TutorialsCheck()
   {
      const JSONValue* build = DocumentGet("Scripts/BuildConsts");
      const JSONValue* names = build ? build->ItemGet("Tutorials") : &JSONValue::nullValue;
      const std::string where = "Scripts/BuildConsts.json \"Tutorials\"";
      if (names->TypeGet() != JSONValue::TYPE_NULL && names->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         Report(where, "is not an array");
         return;
      }
      for (i32 i = 0; names->TypeGet() == JSONValue::TYPE_ARRAY && i < names->CountGet(); i++)
      {
         const char* name = names->ElementGet(i)->StringValueGet();
         if (!name)
         {
            Report(where, "holds an element that is not a string");
            continue;
         }
         TutorialCheck(where + " " + Quoted(name), std::string("Tutorials/") + name + "/");
      }
   }

   void TutorialCheck(const std::string& where, const std::string& folder)
   {
      FilesFind(where, "tutorial file", GraphicsCandidatesGet(folder + "Tutorial", {".json"}));
      FilesFind(where, "skeleton", GraphicsCandidatesGet(folder + "skeleton", {".json"}));
      std::set<std::string> regions;
      std::string atlasPath;
      for (const std::string& atlas : GraphicsCandidatesGet(folder + "skeleton", {".atlas"}))
      {
         if (FileExistsCheck(atlas))
         {
            regions = AtlasPagesCheck(atlas);
            atlasPath = atlas;
            break;
         }
      }
      FilesFind(where, "atlas", GraphicsCandidatesGet(folder + "skeleton", {".atlas"}));

      std::string tutorialPath;
      std::string skeletonPath;
      const JSONValue* tutorial = GraphicsDocumentGet(folder + "Tutorial", &tutorialPath);
      const JSONValue* skeleton = GraphicsDocumentGet(folder + "skeleton", &skeletonPath);
      if (skeleton)
      {
         SkeletonNamesCheck(skeletonPath, skeleton, atlasPath, regions);
      }
      const JSONValue* events = tutorial ? tutorial->ItemGet("Events") : &JSONValue::nullValue;
      if (tutorial && events->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         Report(tutorialPath, "has no \"Events\" object");
         return;
      }
      const JSONValue* consts = DocumentGet("Scripts/DialogConsts");
      const JSONValue* dialogs = consts ? consts->ItemGet("Dialogs") : &JSONValue::nullValue;
      for (JSONValue::Iterator it = events->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const std::string eventWhere = tutorialPath + " event " + Quoted(it.node->key);
         if (skeleton && !skeleton->ItemGet("events")->ItemFind(it.node->key))
         {
            Report(eventWhere, "is not an event of " + skeletonPath);
         }
         const char* type = StringMemberGet(it.node->value, "Type");
         const std::string kind = type ? type : "";
         if (kind == "Dialog")
         {
            const char* dialog = StringMemberGet(it.node->value, "Dialog");
            const JSONValue* entry = dialog ? dialogs->ItemFind(dialog) : nullptr;
            if (!entry)
            {
               Report(eventWhere, "names the dialog " + Quoted(dialog ? dialog : "") +
                                      ", which is not in Scripts/DialogConsts.json \"Dialogs\"");
               continue;
            }
            TextKeyCheck(eventWhere, StringMemberGet(entry, "TextKey"), "TextKey");
         }
         else if (kind == "Sound")
         {
            const char* sound = StringMemberGet(it.node->value, "Filename");
            FilesFind(eventWhere, "sound " + Quoted(sound ? sound : ""),
                      {std::string(sound ? sound : "") + ".wav"});
         }
         else
         {
            Report(eventWhere, "has the type " + Quoted(kind) + ", which a tutorial ignores");
         }
      }
   }

   // The tutorial plays the animation "animation", and every attachment that needs a picture
   // names a region of the atlas.
   void SkeletonNamesCheck(const std::string& where, const JSONValue* skeleton, const std::string& atlas,
                           const std::set<std::string>& regions)
   {
      if (!skeleton->ItemGet("animations")->ItemFind("animation"))
      {
         Report(where, "has no animation named \"animation\"");
      }
      const JSONValue* skins = skeleton->ItemGet("skins");
      for (JSONValue::Iterator skin = skins->ItemsBegin(); skin.ValidCheck(); skin.Next())
      {
         for (JSONValue::Iterator slot = skin.node->value->ItemsBegin(); slot.ValidCheck(); slot.Next())
         {
            for (JSONValue::Iterator it = slot.node->value->ItemsBegin(); it.ValidCheck(); it.Next())
            {
               const char* type = StringMemberGet(it.node->value, "type");
               const char* path = StringMemberGet(it.node->value, "path");
               const char* name = StringMemberGet(it.node->value, "name");
               const std::string region = path ? path : name ? name : it.node->key;
               if ((!type || std::strcmp(type, "boundingbox") != 0) && !atlas.empty() &&
                   !regions.count(region))
               {
                  Report(where + " skin " + Quoted(skin.node->key) + " slot " + Quoted(slot.node->key),
                         "names the region " + Quoted(region) + ", which is not in " + atlas);
               }
            }
         }
      }
   }

   // A page's image is the first line of each block of the atlas text, beside the atlas; the
   // other lines without a colon name its regions, which are returned.
   std::set<std::string> AtlasPagesCheck(const std::string& atlas)
   {
      std::set<std::string> regions;
      std::ifstream stream(root + "/" + atlas);
      const std::string folder = atlas.substr(0, atlas.rfind('/') + 1);
      std::string line;
      bool blockStart = true;
      while (std::getline(stream, line))
      {
         if (!line.empty() && line.back() == '\r')
         {
            line.pop_back();
         }
         if (line.find_first_not_of(" \t") == std::string::npos)
         {
            blockStart = true;
            continue;
         }
         if (blockStart)
         {
            FilesFind(atlas, "page image " + Quoted(line), {folder + line});
         }
         else if (line.find(':') == std::string::npos)
         {
            regions.insert(line.substr(line.find_first_not_of(" \t")));
         }
         blockStart = false;
      }
      return regions;
   }

   // ---------------------------------------------------------------------------------------
   // GUI layers and their widget trees.

   void LayersCheck()
   {
      for (const std::string& prefix : graphicsPrefixes)
      {
         const std::string gui = prefix + "GUI/";
         for (const std::string& folder : folders)
         {
            if (folder.compare(0, gui.size(), gui) != 0)
            {
               continue;
            }
            const bool widgets = FileExistsCheck(folder + "/Widgets.json");
            const bool sprites = FileExistsCheck(folder + "/Sprites.json");
            // A folder of art alone is no layer.
            if (!widgets && !sprites && !FileExistsCheck(folder + "/Scripts.lua"))
            {
               continue;
            }
            const std::string layer = folder.substr(gui.size());
            // A sprite file of its own inside a layer's folder (the main menu's previews) is
            // read by the program by name, not as a layer.
            const std::string parent = folder.substr(0, folder.rfind('/'));
            if (!widgets && sprites && parent.size() > gui.size() &&
                FileExistsCheck(parent + "/Widgets.json"))
            {
               SpriteFileGet("GUI/" + layer + "/Sprites");
               continue;
            }
            if (!widgets)
            {
               Report(folder + "/", "GUI layer " + Quoted(layer) + " has no Widgets.json" +
                                        CaseHintGet({folder + "/Widgets.json"}));
            }
            if (!sprites)
            {
               Report(folder + "/", "GUI layer " + Quoted(layer) + " has no Sprites.json" +
                                        CaseHintGet({folder + "/Sprites.json"}));
            }
            const std::string spriteFile = "GUI/" + layer + "/Sprites";
            if (sprites)
            {
               SpriteFileGet(spriteFile);
            }
            const JSONValue* specification = widgets ? DocumentGet(folder + "/Widgets") : nullptr;
            if (!specification)
            {
               continue;
            }
            layersChecked++;
            layerFile = folder + "/Widgets.json";
            LayerWidget kind;
            WidgetCheck(specification, &kind, spriteFile, "");
         }
      }
   }

   std::string WidgetWhereGet(const std::string& path) const
   {
      return layerFile + (path.empty() ? std::string(", the layer") : ", widget " + Quoted(path));
   }

   // One widget's specification, read as the widget class kind reads it.
   void WidgetCheck(const JSONValue* specification, Widget* kind, std::string spriteFile,
                    const std::string& path)
   {
      widgetsChecked++;
      const std::string where = WidgetWhereGet(path);
      const char* own = StringMemberGet(specification, "SpriteResourceFilename");
      if (own)
      {
         spriteFile = own;
         if (!SpriteFileGet(spriteFile))
         {
            FilesFind(where, "\"SpriteResourceFilename\" " + Quoted(spriteFile),
                      GraphicsCandidatesGet(spriteFile, {".json"}));
         }
      }
      const char* font = StringMemberGet(specification, "Font");
      if (font)
      {
         FontCheck(where, font);
      }
      for (const char* key : soundKeys)
      {
         const char* sound = StringMemberGet(specification, key);
         if (sound)
         {
            FilesFind(where, Quoted(key) + " " + Quoted(sound), {std::string(sound) + ".wav"});
         }
      }
      const bool document = dynamic_cast<TextDocumentWidget*>(kind) != nullptr;
      for (const char* key : {"TextKey", "DetailTextKey"})
      {
         const char* textKey = StringMemberGet(specification, key);
         TextKeyCheck(where, textKey, key);
         if (textKey && document && englishTexts.count(textKey))
         {
            // Its fonts were checked with the text file; its sprites need this widget's sprite file.
            TagsCheck(where + " text " + Quoted(textKey), englishTexts[textKey], &spriteFile, false);
         }
      }
      // A document not translated yet is read in English, so only the English one must exist.
      for (const char* key : {"TextFilename", "DetailTextFilename"})
      {
         const char* textFile = StringMemberGet(specification, key);
         if (textFile)
         {
            FilesFind(where, Quoted(key) + " " + Quoted(textFile),
                      {"Text/English/" + std::string(textFile) + ".txt"});
         }
      }
      for (const char* key : {"Text", "DetailText"})
      {
         const char* text = StringMemberGet(specification, key);
         if (text)
         {
            TagsCheck(where + " " + Quoted(key), text, document ? &spriteFile : nullptr);
         }
      }
      TransitionsCheck(where, specification);

      if (dynamic_cast<SpriteWidget*>(kind))
      {
         const char* animation = StringMemberGet(specification, "Animation");
         if (animation)
         {
            AnimationCheck(where + " \"Animation\"", spriteFile, animation);
         }
      }
      ButtonWidget* button = dynamic_cast<ButtonWidget*>(kind);
      if (button)
      {
         ButtonStatesCheck(where, specification, button, spriteFile);
      }
      if (dynamic_cast<ScrollBoxWidget*>(kind) || dynamic_cast<SliderWidget*>(kind) ||
          dynamic_cast<ProgressBarWidget*>(kind) || dynamic_cast<JoystickWidget*>(kind))
      {
         ChildSpriteCheck(where, specification, "BackgroundSprite", spriteFile);
      }
      if (dynamic_cast<ScrollBoxWidget*>(kind))
      {
         // The scroll box stops the program without its content window.
         RequiredPartCheck(where, specification, "ClipContainer");
         PartCheck<ScrollBoxClipContainerWidget>(specification, "ClipContainer", spriteFile, path);
         PartCheck<ScrollbarWidget>(specification, "VerticalScrollbar", spriteFile, path);
         PartCheck<ScrollbarWidget>(specification, "HorizontalScrollbar", spriteFile, path);
      }
      if (dynamic_cast<SliderWidget*>(kind))
      {
         PartCheck<SliderValueChangeButtonWidget>(specification, "IncreaseButton", spriteFile, path);
         PartCheck<SliderValueChangeButtonWidget>(specification, "DecreaseButton", spriteFile, path);
         PartCheck<SliderThumbWidget>(specification, "Thumb", spriteFile, path);
      }
      if (dynamic_cast<ProgressBarWidget*>(kind))
      {
         PartCheck<ProgressBarSpriteWidget>(specification, "ProgressSprite", spriteFile, path);
      }
      if (dynamic_cast<JoystickWidget*>(kind))
      {
         PartCheck<JoystickNubWidget>(specification, "Nub", spriteFile, path);
      }
      if (dynamic_cast<ParticleEffectWidget*>(kind))
      {
         const char* effect = StringMemberGet(specification, "ParticleEffect");
         if (effect)
         {
            FilesFind(where, "\"ParticleEffect\" " + Quoted(effect),
                      GraphicsCandidatesGet(effect, {".json"}));
         }
      }
      if (dynamic_cast<DropDownListWidget*>(kind))
      {
         // As for the scroll box, a list without any of these stops the program.
         for (const char* key : {"ScrollBox", "OpenButton", "ItemTemplate"})
         {
            RequiredPartCheck(where, specification, key);
         }
         PartCheck<ScrollBoxWidget>(specification, "ScrollBox", spriteFile, path);
         PartCheck<DropDownListOpenButtonWidget>(specification, "OpenButton", spriteFile, path);
         // The items live in the scroll box's content window and take their sprites from there.
         std::string itemSprites = spriteFile;
         const JSONValue* box = specification->ItemGet("ScrollBox");
         for (const JSONValue* part : {box, static_cast<const JSONValue*>(box->ItemGet("ClipContainer"))})
         {
            const char* file = StringMemberGet(part, "SpriteResourceFilename");
            itemSprites = file ? file : itemSprites;
         }
         PartCheck<DropDownListItemButtonWidget>(specification, "ItemTemplate", itemSprites, path);
      }
      if (dynamic_cast<TableWidget*>(kind))
      {
         TableCheck(where, specification, spriteFile, path);
      }
      if (dynamic_cast<JSONEditorWidget*>(kind))
      {
         // The editor makes its rows' widgets and its back button from these.
         for (const char* key : {"ItemKeyReadOnlyTemplate", "ItemStringReadOnlyTemplate",
                                 "ItemEditButtonTemplate", "BackButton"})
         {
            PartCheck<PressButtonWidget>(specification, key, spriteFile, path);
         }
         PartCheck<TextEntryWidget>(specification, "ItemStringTemplate", spriteFile, path);
         PartCheck<DropDownListWidget>(specification, "ItemEnumerationTemplate", spriteFile, path);
      }
      if (dynamic_cast<TextEntryWidget*>(kind))
      {
         CharactersAllowedCheck(where, specification);
      }
      if (dynamic_cast<SelectorWidget*>(kind))
      {
         PartCheck<SelectorSelectionChangeButtonWidget>(specification, "NextButton", spriteFile, path);
         PartCheck<SelectorSelectionChangeButtonWidget>(specification, "PreviousButton", spriteFile, path);
         PartCheck<TextDocumentWidget>(specification, "DetailTextDocument", spriteFile, path);
         PartCheck<SelectorItemWidget>(specification, "ItemTemplate", spriteFile, path);
      }
      if (dynamic_cast<ContainerWidget*>(kind))
      {
         ChildrenCheck(where, specification, spriteFile, path);
      }
   }

   // A table stops the program without its scroll box, row template, column headers or row cells.
   void TableCheck(const std::string& where, const JSONValue* specification, const std::string& spriteFile,
                   const std::string& path)
   {
      RequiredPartCheck(where, specification, "ScrollBox");
      RequiredPartCheck(where, specification, "RowTemplate");
      const std::string boxPath = (path.empty() ? "" : path + ".") + "ScrollBox";
      const JSONValue* box = specification->ItemGet("ScrollBox");
      std::string boxSprites = spriteFile;
      if (ObjectMemberCheck(specification, "ScrollBox"))
      {
         RequiredPartCheck(WidgetWhereGet(boxPath), box, "Columns");
         const char* file = StringMemberGet(box, "SpriteResourceFilename");
         boxSprites = file ? file : boxSprites;
      }
      PartCheck<TableScrollBoxWidget>(specification, "ScrollBox", spriteFile, path);
      PartCheck<ContainerWidget>(box, "Columns", boxSprites, boxPath);
      // The rows live in the scroll box's content window and take their sprites from there.
      const char* file = StringMemberGet(box->ItemGet("ClipContainer"), "SpriteResourceFilename");
      const std::string rowSprites = file ? file : boxSprites;
      const std::string rowPath = (path.empty() ? "" : path + ".") + "RowTemplate";
      const JSONValue* row = specification->ItemGet("RowTemplate");
      if (ObjectMemberCheck(specification, "RowTemplate"))
      {
         RequiredPartCheck(WidgetWhereGet(rowPath), row, "Cells");
      }
      PartCheck<TableRowWidget>(specification, "RowTemplate", rowSprites, path);
      PartCheck<TableRowButtonWidget>(row, "RowButton", rowSprites, rowPath);
      PartCheck<TableRowCellsContainerWidget>(row, "Cells", rowSprites, rowPath);
   }

   // Every character a text entry lets the player type must be drawn by its font, which the entry
   // must therefore name.
   void CharactersAllowedCheck(const std::string& where, const JSONValue* specification)
   {
      const char* allowed = StringMemberGet(specification, "CharactersAllowed");
      if (!allowed)
      {
         return;
      }
      const char* font = StringMemberGet(specification, "Font");
      if (!font)
      {
         Report(where, "has \"CharactersAllowed\" but no \"Font\" that shows it draws them");
         return;
      }
      const std::set<u32>* glyphs = FontGlyphsGet(font);
      if (!glyphs)
      {
         return;
      }
      std::string missing;
      for (const char* at = allowed; *at;)
      {
         u32 codePoint = 0;
         const i32 length = UTF8CharacterToUnicode(&codePoint, at);
         if (length <= 0)
         {
            Report(where, "\"CharactersAllowed\" is not valid UTF-8");
            return;
         }
         if (codePoint != ' ' && !glyphs->count(codePoint))
         {
            missing += std::string(at, static_cast<size_t>(length));
         }
         at += length;
      }
      if (!missing.empty())
      {
         Report(where,
                "\"CharactersAllowed\" holds characters font " + Quoted(font) + " does not draw: " + missing);
      }
   }

   // The characters of a font's bitmap lines; null when the font file is missing or unreadable.
   const std::set<u32>* FontGlyphsGet(const std::string& font)
   {
      auto found = fontGlyphs.find(font);
      if (found != fontGlyphs.end())
      {
         return found->second.get();
      }
      const JSONValue* document = GraphicsDocumentGet("Fonts/" + font, nullptr);
      std::unique_ptr<std::set<u32>> glyphs;
      if (document && document->TypeGet() == JSONValue::TYPE_OBJECT)
      {
         glyphs = std::make_unique<std::set<u32>>();
         const JSONValue* bitmaps = document->ItemGet("Bitmaps");
         for (i32 i = 0; i < bitmaps->CountGet(); i++)
         {
            const JSONValue* lines = bitmaps->ElementGet(i)->ItemGet("Lines");
            for (i32 j = 0; j < lines->CountGet(); j++)
            {
               const char* line = lines->ElementGet(j)->StringValueGet();
               u32 codePoint = 0;
               i32 length = 0;
               for (const char* at = line ? line : "";
                    *at && (length = UTF8CharacterToUnicode(&codePoint, at)) > 0; at += length)
               {
                  glyphs->insert(codePoint);
               }
            }
         }
      }
      const std::set<u32>* result = glyphs.get();
      fontGlyphs[font] = std::move(glyphs);
      return result;
   }

   void RequiredPartCheck(const std::string& where, const JSONValue* specification, const char* key)
   {
      if (!ObjectMemberCheck(specification, key))
      {
         Report(where, "has no " + Quoted(key) + " object, without which the program stops");
      }
   }

   // A part the owning class makes itself from an object under key.
   template <class T>
   void PartCheck(const JSONValue* specification, const char* key, const std::string& spriteFile,
                  const std::string& path)
   {
      if (!ObjectMemberCheck(specification, key))
      {
         return;
      }
      T part;
      WidgetCheck(specification->ItemGet(key), &part, spriteFile, (path.empty() ? "" : path + ".") + key);
   }

   void ChildSpriteCheck(const std::string& where, const JSONValue* specification, const char* key,
                         const std::string& spriteFile)
   {
      const char* animation = StringMemberGet(specification->ItemGet(key), "Animation");
      if (animation)
      {
         AnimationCheck(where + " " + Quoted(key), spriteFile, animation);
      }
   }

   void ButtonStatesCheck(const std::string& where, const JSONValue* specification, ButtonWidget* button,
                          const std::string& spriteFile)
   {
      const char* const* states = button->StateNamesGet();
      for (i32 i = 0; i < button->StateCountGet(); i++)
      {
         const JSONValue* state = specification->ItemGet(states[i]);
         if (state->TypeGet() == JSONValue::TYPE_STRING)
         {
            AnimationCheck(where + " " + Quoted(states[i]), spriteFile, state->StringValueGet());
         }
         else if (state->TypeGet() == JSONValue::TYPE_OBJECT)
         {
            ChildSpriteCheck(where, specification, states[i], spriteFile);
            const char* font = StringMemberGet(state, "Font");
            if (font)
            {
               FontCheck(where + " " + Quoted(states[i]), font);
            }
         }
      }
   }

   void ChildrenCheck(const std::string& where, const JSONValue* specification, const std::string& spriteFile,
                      const std::string& path)
   {
      const JSONValue* children = specification->ItemGet("Children");
      if (children->TypeGet() == JSONValue::TYPE_NULL)
      {
         return;
      }
      if (children->TypeGet() != JSONValue::TYPE_ARRAY)
      {
         Report(where, "\"Children\" is not an array");
         return;
      }
      for (i32 i = 0; i < children->CountGet(); i++)
      {
         const JSONValue* child = children->ElementGet(i);
         const char* name = StringMemberGet(child, "Name");
         const std::string childPath =
             (path.empty() ? "" : path + ".") + (name ? std::string(name) : "[" + std::to_string(i) + "]");
         const char* type = StringMemberGet(child, "Type");
         if (!type)
         {
            Report(WidgetWhereGet(childPath), "has no \"Type\"");
            continue;
         }
         WidgetCreateFunction create = GUIManager::WidgetTypeFind(type);
         if (!create)
         {
            Report(WidgetWhereGet(childPath), "type " + Quoted(type) + " is not a registered widget type");
            continue;
         }
         Widget* kind = create(type, HEAP_DEFAULT);
         if (!kind)
         {
            Report(WidgetWhereGet(childPath), "type " + Quoted(type) + " could not be made");
            continue;
         }
         WidgetCheck(child, kind, spriteFile, childPath);
         MemoryDelete(kind);
      }
   }

   void TransitionsCheck(const std::string& where, const JSONValue* specification)
   {
      const JSONValue* transitions = specification->ItemGet("Transitions");
      if (transitions->TypeGet() == JSONValue::TYPE_NULL)
      {
         return;
      }
      if (transitions->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         Report(where, "\"Transitions\" is not an object");
         return;
      }
      for (JSONValue::Iterator it = transitions->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const JSONValue* member = it.node->value;
         const char* type = member->TypeGet() == JSONValue::TYPE_STRING ? member->StringValueGet()
                                                                        : StringMemberGet(member, "Type");
         if (!type)
         {
            Report(where, "transition " + Quoted(it.node->key) + " has no type");
         }
         else if (!GUIManager::TransitionTypeFind(type))
         {
            Report(where, "transition " + Quoted(it.node->key) + " has type " + Quoted(type) +
                              ", which is not a registered transition type");
         }
      }
   }

   // ---------------------------------------------------------------------------------------
   // Easing curves: every "...Progression" key of the graphics data (transitions, particles).

   void ProgressionsCheck()
   {
      for (const std::string& prefix : graphicsPrefixes)
      {
         for (const std::string& file : files)
         {
            if (file.compare(0, prefix.size(), prefix) == 0 && EndsWith(file, ".json"))
            {
               const JSONValue* document = DocumentGet(file.substr(0, file.size() - 5));
               if (document)
               {
                  ProgressionsFind(file, document, "");
               }
            }
         }
      }
   }

   void ProgressionsFind(const std::string& file, const JSONValue* value, const std::string& path)
   {
      if (value->TypeGet() == JSONValue::TYPE_ARRAY)
      {
         for (i32 i = 0; i < value->CountGet(); i++)
         {
            ProgressionsFind(file, value->ElementGet(i), path + "[" + std::to_string(i) + "]");
         }
         return;
      }
      if (value->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         return;
      }
      for (JSONValue::Iterator it = value->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         const std::string key = it.node->key;
         const std::string memberPath = path.empty() ? key : path + "." + key;
         const char* name = it.node->value->StringValueGet();
         if (name && EndsWith(key, "Progression"))
         {
            // An unknown name falls back to the linear curve, so only "Linear" may give it.
            if (ProgressionManager::Get(name) == &progressionLinear && std::strcmp(name, "Linear") != 0)
            {
               Report(file, Quoted(memberPath) + " names " + Quoted(name) +
                                ", which is not a registered progression");
            }
            continue;
         }
         ProgressionsFind(file, it.node->value, memberPath);
      }
   }

   std::string root;
   std::vector<std::string> graphicsPrefixes;
   std::vector<std::string> problems;
   std::set<std::string> files;
   std::set<std::string> folders;
   std::map<std::string, std::set<std::string>> byUpper;
   std::map<std::string, JSONValue*> documents;
   std::map<std::string, std::string> parseErrors;
   std::map<std::string, const JSONValue*> spriteFiles;
   std::map<std::string, std::unique_ptr<std::set<u32>>> fontGlyphs;
   std::vector<std::string> languages;
   std::map<std::string, std::string> englishTexts;
   std::string layerFile;
};

// The source data files whose copy in the build's tree is missing or out of date.
std::vector<std::string> StaleCopiesGet(const std::string& data)
{
   const char* fromEnvironment = std::getenv("CORVALE_SOURCE_DIR");
   const std::filesystem::path source =
       std::filesystem::path(fromEnvironment ? fromEnvironment : CORVALE_SOURCE_DIR) / "data";
   std::vector<std::string> stale;
   std::error_code error;
   for (auto it = std::filesystem::recursive_directory_iterator(source, error);
        !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error))
   {
      if (!it->is_regular_file())
      {
         continue;
      }
      const std::string relative = std::filesystem::relative(it->path(), source).generic_string();
      std::ifstream original(it->path(), std::ios::binary);
      std::ifstream copy(data + "/" + relative, std::ios::binary);
      const std::string originalText((std::istreambuf_iterator<char>(original)),
                                     std::istreambuf_iterator<char>());
      const std::string copyText((std::istreambuf_iterator<char>(copy)), std::istreambuf_iterator<char>());
      if (!copy.is_open() || originalText != copyText)
      {
         stale.push_back(relative);
      }
   }
   return stale;
}

TEST(DataCheck, EveryNameTheBuiltDataRefersToExists)
{
   const std::string data = TestSupport::BuildDataFolderGet();
   ASSERT_TRUE(std::filesystem::exists(data + "/Scripts/BuildConsts.json"))
       << data << " has not been assembled: build the corvale_data target";
   ASSERT_TRUE(std::filesystem::is_directory(data + "/Graphics/Fonts"))
       << "the fonts were not generated: build the corvale_fonts target";
   // Checking an old copy would pass or fail on data that is no longer there.
   const std::vector<std::string> stale = StaleCopiesGet(data);
   ASSERT_TRUE(stale.empty()) << "the build's copy of data/ is out of date (build the corvale_data target): "
                              << stale.front() << (stale.size() > 1 ? " and others" : "");
   DataChecker checker(data);
   checker.programNamesChecked = true;
   for (const std::string& problem : checker.Run())
   {
      ADD_FAILURE() << problem;
   }
   // Files the program opens by a fixed name rather than through the data's references.
   for (const char* fixed : {"Graphics/Icon.png"})
   {
      EXPECT_TRUE(std::filesystem::is_regular_file(data + "/" + fixed)) << fixed << " is missing";
   }
   // A walk that found nothing would pass whatever the data holds.
   EXPECT_GT(checker.layersChecked, 0);
   EXPECT_GT(checker.widgetsChecked, checker.layersChecked);
}

// The profile stores read these from the constants and the GUI; a missing one would fall back
// without a word.
TEST(DataCheck, TheProfileStoresFindTheirConstantsAndLayers)
{
   const std::string data = TestSupport::BuildDataFolderGet();
   FileManagerStdio manager;
   manager.BaseFolderSet(data.c_str());
   JSONParser parser;
   JSONValue* consts = parser.Load("Scripts/BuildConsts", &manager);
   ASSERT_TRUE(consts);
   const struct
   {
      const char* key;
      u32 type;
   } keys[] = {{"ProfileNameDefault", JSONValue::TYPE_STRING},
               {"MusicVolumeDefault", JSONValue::TYPE_NUMBER},
               {"SoundVolumeDefault", JSONValue::TYPE_NUMBER},
               {"SpeechVolumeDefault", JSONValue::TYPE_NUMBER},
               {"GameSpeedDefault", JSONValue::TYPE_NUMBER},
               {"CardsMessyDefault", JSONValue::TYPE_BOOL},
               {"Songs", JSONValue::TYPE_ARRAY},
               {"SongsUnlockable", JSONValue::TYPE_BOOL},
               {"SongsUnlocked", JSONValue::TYPE_ARRAY},
               {"ItemTypeUnlockMessages", JSONValue::TYPE_OBJECT},
               {"ItemNameTextKeyPrefixes", JSONValue::TYPE_OBJECT},
               {"Achievements", JSONValue::TYPE_OBJECT}};
   for (const auto& key : keys)
   {
      EXPECT_EQ(consts->ItemGet(key.key)->TypeGet(), key.type) << key.key;
   }
   for (const char* type : {"Song", "Background", "CardFrontStyle", "CardBackStyle"})
   {
      EXPECT_TRUE(consts->ItemGet("ItemTypeUnlockMessages")->ItemStringCheck(type)) << type;
      EXPECT_TRUE(consts->ItemGet("ItemNameTextKeyPrefixes")->ItemStringCheck(type)) << type;
   }
   MemoryDelete(consts);
   for (const char* layer : {"MessageBoxOKUnlock", "MessageBoxOKUnlockNamed"})
   {
      EXPECT_TRUE(std::filesystem::exists(data + "/Graphics/GUI/" + layer + "/Widgets.json")) << layer;
   }
}

// A document of the built data tree, freed with its pointer; null when it does not load.
std::unique_ptr<JSONValue, void (*)(JSONValue*)> BuiltDataLoad(const char* name)
{
   FileManagerStdio manager;
   manager.BaseFolderSet(TestSupport::BuildDataFolderGet().c_str());
   JSONParser parser;
   return std::unique_ptr<JSONValue, void (*)(JSONValue*)>(parser.Load(name, &manager),
                                                           [](JSONValue* v) { MemoryDelete(v); });
}

// The menus and the menu bar read these constants, texts, widgets and previews; a missing one
// leaves a control without behaviour or a game without its picture.
TEST(DataCheck, TheMenusFindTheirConstantsTextsWidgetsAndPreviews)
{
   const std::string data = TestSupport::BuildDataFolderGet();
   FileManagerStdio manager;
   manager.BaseFolderSet(data.c_str());
   JSONParser parser;
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> consts(parser.Load("Scripts/BuildConsts", &manager),
                                                           [](JSONValue* v) { MemoryDelete(v); });
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> texts(parser.Load("Text/English/Text", &manager),
                                                          [](JSONValue* v) { MemoryDelete(v); });
   std::unique_ptr<JSONValue, void (*)(JSONValue*)> previews(
       parser.Load("Graphics/GUI/MainMenu/GamePreviews/Sprites", &manager),
       [](JSONValue* v) { MemoryDelete(v); });
   ASSERT_TRUE(consts && texts && previews);
   EXPECT_STREQ(consts->ItemGet("RootMenu")->StringValueGet(), "MainMenu");
   EXPECT_TRUE(consts->ItemStringCheck("VersionDisplayed"));
   // The project has no web pages: both link containers stay hidden.
   for (const char* absent : {"MainURLButton1URL", "MainURLButton2URL", "UpdateURLWindows"})
   {
      EXPECT_FALSE(consts->ItemFind(absent)) << absent;
   }
   std::vector<std::string> textKeys = {
       "Solitaire", "Guest", "Version", "ConfirmCloseProgram", "UpdateCheckConfirmation", "GameNotAvailable"};
   const char* titleKey = consts->ItemGet("SolitaireMenuTitleTextKey")->StringValueGet();
   ASSERT_TRUE(titleKey);
   textKeys.push_back(titleKey);

   const JSONValue* games = consts->ItemGet("MainMenuGames");
   ASSERT_EQ(games->TypeGet(), JSONValue::TYPE_ARRAY);
   EXPECT_EQ(games->CountGet(), 23);
   MinigamesRegister();
   for (i32 i = 0; i < games->CountGet(); i++)
   {
      const char* name = games->ElementGet(i)->ItemGet("Name")->StringValueGet();
      const char* textKey = games->ElementGet(i)->ItemGet("TextKey")->StringValueGet();
      ASSERT_TRUE(name && textKey) << "item " << i;
      EXPECT_TRUE(std::strcmp(name, "Solitaire") == 0 || MinigameGetByName(name)) << name;
      textKeys.push_back(textKey);
      const char* picture = previews->ItemGet(name)->StringValueGet();
      EXPECT_TRUE(picture && std::filesystem::is_regular_file(data + "/Graphics/" + picture + ".png"))
          << "no preview for " << name;
   }
   const JSONValue* solitaires = consts->ItemGet("SolitaireGames");
   ASSERT_EQ(solitaires->TypeGet(), JSONValue::TYPE_ARRAY);
   EXPECT_EQ(solitaires->CountGet(), 50);
   for (i32 i = 0; i < solitaires->CountGet(); i++)
   {
      const char* key = solitaires->ElementGet(i)->StringValueGet();
      ASSERT_TRUE(key) << "element " << i;
      EXPECT_TRUE(MinigameGetByName(key)) << key << " is not a registered game";
      textKeys.push_back(key);
   }
   MinigamesUnregister();
   for (const std::string& key : textKeys)
   {
      EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << "no English text \"" << key << "\"";
   }

   std::vector<std::string> paths = {"MainMenu.MenuPanel.Play",
                                     "MainMenu.MenuPanel.CurrentGameButton",
                                     "MainMenu.MenuPanel.FaceCreator",
                                     "MainMenu.MenuPanel.URLButton1Container.Button",
                                     "MainMenu.MenuPanel.URLButton2Container.Button",
                                     "MainMenu.MenuPanel.URLButton2Container.UpdateCheckIndicator",
                                     "MainMenu.MenuPanel.GameSelector",
                                     "MainMenu.MenuPanel.SelectedGameName",
                                     "MainMenu.MenuPanel.SelectedGamePreviewSprite",
                                     "MainMenu.MenuPanel.ProfileName",
                                     "MainMenu.MenuPanel.GameNotAvailable",
                                     "MainMenu.Exit",
                                     "MainMenu.Version",
                                     "MenuBar.Panel.Back",
                                     "MenuBar.Panel.Profile",
                                     "MenuBar.Panel.Settings",
                                     "MenuBar.Panel.Help",
                                     "SolitaireMenu.Panel.Title",
                                     "SolitaireMenu.Version"};
   // One language button per language the text manager knows, and the gap between them.
   for (u32 i = 0; TextManager::LanguageNameGet(i); i++)
   {
      paths.push_back(std::string("Language.Panel.LanguageButtons.") + TextManager::LanguageNameGet(i));
      EXPECT_GE(consts->ItemGet("Languages")->ElementStringFind(TextManager::LanguageNameGet(i)), 0);
   }
   EXPECT_TRUE(consts->ItemNumberCheck("LanguageButtonSpacingY"));
   for (int n = 1; n <= 50; n++)
   {
      paths.push_back("SolitaireMenu.Games.Game" + std::to_string(n));
      paths.push_back("SolitaireMenu.Games.Favorite" + std::to_string(n));
   }
   std::map<std::string, std::unique_ptr<JSONValue, void (*)(JSONValue*)>> layers;
   for (const char* layer : {"MainMenu", "MenuBar", "SolitaireMenu", "Language"})
   {
      layers.emplace(layer,
                     std::unique_ptr<JSONValue, void (*)(JSONValue*)>(
                         parser.Load((std::string("Graphics/GUI/") + layer + "/Widgets").c_str(), &manager),
                         [](JSONValue* v) { MemoryDelete(v); }));
      ASSERT_TRUE(layers.at(layer)) << layer;
   }
   for (const std::string& path : paths)
   {
      const size_t dot = path.find('.');
      EXPECT_TRUE(LayerWidgetFind(layers.at(path.substr(0, dot)).get(), path.substr(dot + 1))) << path;
   }
   // Over a game the menu bar must leave the game's own layers working.
   const JSONValue* disable = layers.at("MenuBar")->ItemFind("DisableLayersBelow");
   ASSERT_TRUE(disable);
   EXPECT_EQ(disable->TypeGet(), JSONValue::TYPE_BOOL);
   EXPECT_FALSE(disable->BoolValueGet());
}

// The profile menu and the profile add popup read these constants, texts and widgets; every game
// and solitaire must find its statistics lines, and a name may hold only what the fonts draw.
TEST(DataCheck, TheProfileMenuFindsItsConstantsTextsWidgetsAndStatistics)
{
   auto consts = BuiltDataLoad("Scripts/BuildConsts");
   auto texts = BuiltDataLoad("Text/English/Text");
   auto menu = BuiltDataLoad("Graphics/GUI/ProfileMenu/Widgets");
   auto add = BuiltDataLoad("Graphics/GUI/ProfileAdd/Widgets");
   ASSERT_TRUE(consts && texts && menu && add);
   EXPECT_EQ(consts->ItemGet("ProfileCountMax")->TypeGet(), JSONValue::TYPE_NUMBER);
   EXPECT_EQ(consts->ItemGet("ProfileCountMax")->IntValueGet(), 8);
   EXPECT_TRUE(consts->ItemPoint2FCheck("SignInMainPositionOffset"));
   EXPECT_EQ(consts->ItemGet("SignInURLButtonsIncluded")->TypeGet(), JSONValue::TYPE_BOOL);
   EXPECT_FALSE(consts->ItemGet("SignInURLButtonsIncluded")->BoolValueGet());
   EXPECT_TRUE(consts->ItemNumberCheck("StatisticsWidgetSpacingY"));
   const JSONValue* widget = consts->ItemGet("StatisticsWidget");
   EXPECT_TRUE(LayerWidgetFind(widget, "Label") && LayerWidgetFind(widget, "Value"));

   std::vector<std::string> textKeys = {"ProfileNameEmptyExplanation", "ProfileNameTakenExplanation",
                                        "ProfileRemoveConfirmation", "Version"};
   const JSONValue* games = consts->ItemGet("StatisticsScreenGames");
   const JSONValue* mainMenuGames = consts->ItemGet("MainMenuGames");
   ASSERT_EQ(games->CountGet(), 24);
   EXPECT_STREQ(games->ElementGet(0)->StringValueGet(), "General");
   std::vector<std::string> names;
   for (i32 i = 0; i < games->CountGet(); i++)
   {
      const char* name = games->ElementGet(i)->StringValueGet();
      ASSERT_TRUE(name) << "element " << i;
      textKeys.push_back(name);
      if (i > 0)
      {
         EXPECT_STREQ(name, mainMenuGames->ElementGet(i - 1)->ItemGet("Name")->StringValueGet())
             << "every game";
      }
      if (std::strcmp(name, "Solitaire") != 0)
      {
         names.push_back(name);
      }
   }
   const JSONValue* solitaires = consts->ItemGet("SolitaireGames");
   for (i32 i = 0; i < solitaires->CountGet(); i++)
   {
      names.push_back(solitaires->ElementGet(i)->StringValueGet());
   }
   const JSONValue* statistics = consts->ItemGet("Statistics");
   for (const std::string& name : names)
   {
      const JSONValue* lines = StatisticsLinesGet(statistics, name.c_str());
      EXPECT_TRUE(lines && lines->CountGet() > 0) << "no statistics lines for " << name;
      for (i32 i = 0; lines && i < lines->CountGet(); i++)
      {
         const char* type = lines->ElementGet(i)->ItemGet("Type")->StringValueGet();
         char text[STATISTICS_TEXT_SIZE];
         EXPECT_TRUE(StatisticsValueFormat(text, sizeof(text), type, 1, false, 0)) << name << " line " << i;
         const char* key = lines->ElementGet(i)->ItemGet("TextKey")->StringValueGet();
         EXPECT_TRUE(key) << name << " line " << i;
         textKeys.push_back(key ? key : "");
      }
   }
   for (const std::string& key : textKeys)
   {
      EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << "no English text \"" << key << "\"";
   }

   for (const char* path :
        {"Panel.Close", "Panel.SubmenuButtons.SignIn", "Panel.SubmenuButtons.Statistics",
         "Panel.Submenus.SignIn.Main", "Panel.Submenus.SignIn.Main.Profiles",
         "Panel.Submenus.SignIn.Main.SignIn", "Panel.Submenus.SignIn.Main.ProfileAdd",
         "Panel.Submenus.SignIn.Main.ProfileRemove", "Panel.Submenus.SignIn.Main.PlayAsGuest",
         "Panel.Submenus.SignIn.Main.Language", "Panel.Submenus.SignIn.Main.FaceCreator",
         "Panel.Submenus.SignIn.Version", "Panel.Submenus.SignIn.URLButton1Container.Button",
         "Panel.Submenus.SignIn.URLButton2Container.Button", "Panel.Submenus.Statistics.ProfileList",
         "Panel.Submenus.Statistics.GameList", "Panel.Submenus.Statistics.SolitaireGameList",
         "Panel.Submenus.Statistics.Statistics"})
   {
      EXPECT_TRUE(LayerWidgetFind(menu.get(), path)) << "ProfileMenu." << path;
   }
   for (const char* path : {"Panel.Explanation", "Panel.OK", "Panel.Cancel"})
   {
      EXPECT_TRUE(LayerWidgetFind(add.get(), path)) << "ProfileAdd." << path;
   }
   const JSONValue* entry = LayerWidgetFind(add.get(), "Panel.ProfileName");
   ASSERT_TRUE(entry);
   EXPECT_STREQ(entry->ItemGet("Type")->StringValueGet(), "TextEntry");
   EXPECT_EQ(entry->ItemGet("TextLengthMax")->IntValueGet(), 24);
   EXPECT_FALSE(entry->ItemFind("AllCharactersAllowed"));
   EXPECT_EQ(std::string(entry->ItemGet("CharactersAllowed")->StringValueGet()),
             name_characters_test_support::NameCharactersGet());
}

// The help screen reads these lists, texts and widgets; every built game it lists needs its rules,
// and its documents may use only the fonts that are loaded before any menu shows.
TEST(DataCheck, TheHelpScreenFindsItsListsTextsWidgetsAndDocuments)
{
   const std::string data = TestSupport::BuildDataFolderGet();
   auto load = [](const char* name) { return BuiltDataLoad(name); };
   auto consts = load("Scripts/BuildConsts");
   auto texts = load("Text/English/Text");
   auto help = load("Graphics/GUI/Help/Widgets");
   ASSERT_TRUE(consts && texts && help);
   for (const char* key :
        {"ShowTutorialConfirmation", "General", "HelpTitle", "HelpGamesPage", "HelpTutorial"})
   {
      EXPECT_TRUE(texts->ItemStringCheck(key)) << "no English text \"" << key << "\"";
   }
   for (const char* path : {"Panel.Close", "Panel.SubmenuButtons.General", "Panel.SubmenuButtons.Games",
                            "Panel.Submenus.General.Text", "Panel.Submenus.Games.GameList",
                            "Panel.Submenus.Games.SolitaireGameList", "Panel.Submenus.Games.Text",
                            "Panel.Submenus.Games.TutorialButton"})
   {
      EXPECT_TRUE(LayerWidgetFind(help.get(), path)) << "Help." << path;
   }

   // The pages offered, when the constants choose them, are pages of the layer.
   const JSONValue* submenus = consts->ItemGet("HelpScreenSubmenus");
   EXPECT_TRUE(submenus->TypeGet() == JSONValue::TYPE_NULL || submenus->TypeGet() == JSONValue::TYPE_ARRAY);
   for (i32 i = 0; submenus->TypeGet() == JSONValue::TYPE_ARRAY && i < submenus->CountGet(); i++)
   {
      const char* page = submenus->ElementGet(i)->StringValueGet();
      EXPECT_TRUE(page && LayerWidgetFind(help.get(), std::string("Panel.Submenus.") + page))
          << "\"HelpScreenSubmenus\" entry " << i;
   }

   // "Solitaire" and every other game of the main menu, in its order.
   const JSONValue* games = consts->ItemGet("HelpScreenGames");
   const JSONValue* mainMenuGames = consts->ItemGet("MainMenuGames");
   ASSERT_EQ(games->TypeGet(), JSONValue::TYPE_ARRAY);
   ASSERT_EQ(games->CountGet(), 23);
   EXPECT_STREQ(games->ElementGet(0)->StringValueGet(), "Solitaire");
   for (i32 i = 1; i < games->CountGet(); i++)
   {
      EXPECT_STREQ(games->ElementGet(i)->StringValueGet(),
                   mainMenuGames->ElementGet(i)->ItemGet("Name")->StringValueGet());
   }
   auto documentFind = [&](const std::string& name)
   { return std::filesystem::is_regular_file(data + "/Text/English/" + name + ".txt"); };
   EXPECT_TRUE(documentFind("HelpGeneral"));
   EXPECT_TRUE(documentFind("HelpGames/KlondikeSolitaire"));
   MinigamesRegister();
   const JSONValue* solitaires = consts->ItemGet("SolitaireGames");
   for (const JSONValue* list : {games, solitaires})
   {
      for (i32 i = 0; i < list->CountGet(); i++)
      {
         const char* key = list->ElementGet(i)->StringValueGet();
         ASSERT_TRUE(key);
         if (std::strcmp(key, "Solitaire") != 0 && MinigameAvailableCheck(MinigameGetByName(key)))
         {
            EXPECT_TRUE(documentFind(std::string("HelpGames/") + key)) << "no rules for " << key;
         }
      }
   }
   const JSONValue* tutorials = consts->ItemGet("Tutorials");
   ASSERT_EQ(tutorials->TypeGet(), JSONValue::TYPE_ARRAY);
   for (i32 i = 0; i < tutorials->CountGet(); i++)
   {
      const char* key = tutorials->ElementGet(i)->StringValueGet();
      EXPECT_TRUE(key && MinigameGetByName(key)) << "\"Tutorials\" entry " << i << " is not a game";
   }
   MinigamesUnregister();

   std::set<std::string> loaded;
   const JSONValue* resources = consts->ItemGet("LoadingScreenResources");
   for (i32 i = 0; i < resources->CountGet(); i++)
   {
      const char* type = resources->ElementGet(i)->ItemGet("Type")->StringValueGet();
      const char* file = resources->ElementGet(i)->ItemGet("Filename")->StringValueGet();
      if (type && file && std::strcmp(type, "Font") == 0)
      {
         loaded.insert(file);
      }
   }
   // Every letter of a document must be one that all those fonts draw.
   auto codePointsGet = [](const std::string& text)
   {
      std::vector<u32> codePoints;
      for (const char* at = text.c_str(); *at;)
      {
         u32 codePoint = 0;
         const i32 length = UTF8CharacterToUnicode(&codePoint, at);
         codePoints.push_back(length > 0 ? codePoint : 0xFFFFFFFFu);
         at += length > 0 ? length : 1;
      }
      return codePoints;
   };
   std::map<u32, i32> drawnBy;
   for (const std::string& font : loaded)
   {
      auto description = load(("Graphics/Fonts/" + font).c_str());
      ASSERT_TRUE(description) << font;
      const JSONValue* bitmaps = description->ItemGet("Bitmaps");
      for (i32 b = 0; b < bitmaps->CountGet(); b++)
      {
         const JSONValue* lines = bitmaps->ElementGet(b)->ItemGet("Lines");
         for (i32 l = 0; l < lines->CountGet(); l++)
         {
            for (u32 codePoint : codePointsGet(lines->ElementGet(l)->StringValueGet()))
            {
               drawnBy[codePoint]++;
            }
         }
      }
   }
   i32 documents = 0;
   for (const auto& entry : std::filesystem::recursive_directory_iterator(data + "/Text"))
   {
      const std::string path = entry.path().string();
      if (entry.path().extension() != ".txt" || path.find("/Help") == std::string::npos)
      {
         continue;
      }
      documents++;
      std::ifstream in(path);
      const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      for (size_t at = text.find("<Font="); at != std::string::npos; at = text.find("<Font=", at + 1))
      {
         const size_t close = text.find('>', at);
         ASSERT_NE(close, std::string::npos) << path;
         EXPECT_TRUE(loaded.count(text.substr(at + 6, close - at - 6)))
             << path << ": " << text.substr(at, close - at + 1);
      }
      for (u32 codePoint : codePointsGet(text))
      {
         const bool blank = codePoint == ' ' || codePoint == '\n' || codePoint == '\r' || codePoint == '\t';
         EXPECT_TRUE(blank || drawnBy[codePoint] == static_cast<i32>(loaded.size()))
             << path << ": U+" << std::hex << codePoint << std::dec << " is not drawn by every font";
      }
   }
   EXPECT_GE(documents, 2);
}

// Klondike and the traditional solitaires' results read these constants, layers and texts.
TEST(DataCheck, KlondikeFindsItsConstantsLayersAndTexts)
{
   auto load = [](const char* name) { return BuiltDataLoad(name); };
   auto consts = load("Scripts/BuildConsts");
   auto game = load("Scripts/Minigames/KlondikeSolitaire");
   auto texts = load("Text/English/Text");
   auto layer = load("Graphics/GUI/KlondikeSolitaire/Widgets");
   auto sprites = load("Graphics/GUI/KlondikeSolitaire/Sprites");
   ASSERT_TRUE(consts && game && texts && layer && sprites);
   EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
   const JSONValue* templated = consts->ItemGet("MinigameConstsTemplates")->ItemGet("TraditionalSolitaire");
   ASSERT_EQ(templated->TypeGet(), JSONValue::TYPE_OBJECT);
   std::vector<std::string> textKeys = {"KlondikeSolitaire",
                                        "KlondikeSolitaireFlipThreeInfiniteResets",
                                        "KlondikeSolitaireFlipOneNoResets",
                                        "KlondikeSolitaireFlipOneOneReset",
                                        "KlondikeSolitaireMoneyKlondike",
                                        "GeneralConfirmatopm",
                                        "TraditionalSolitaireWin",
                                        "TraditionalSolitaireLose",
                                        "TraditionalSolitaireHours",
                                        "TraditionalSolitaireMinutes",
                                        "TraditionalSolitaireSeconds",
                                        "Card",
                                        "Cards"};
   for (const char* key : {"DelayCardDeal", "DelayCardFlip"})
   {
      EXPECT_TRUE(templated->ItemNumberCheck(key)) << key;
   }
   const std::pair<const JSONValue*, const char*> buttons[] = {
       {templated, "NewGameButton"}, {templated, "UndoButton"}, {game.get(), "ResetButton"}};
   for (const auto& [owner, name] : buttons)
   {
      const std::string key(name);
      EXPECT_EQ(owner->ItemGet((key + "Included").c_str())->TypeGet(), JSONValue::TYPE_BOOL) << key;
      EXPECT_TRUE(owner->ItemPoint2FCheck((key + "Position").c_str())) << key;
      const JSONValue* button = owner->ItemGet(name);
      ASSERT_EQ(button->TypeGet(), JSONValue::TYPE_OBJECT) << key;
      textKeys.push_back(
          button->ItemGet("TextKey")->StringValueGet() ? button->ItemGet("TextKey")->StringValueGet() : "");
      for (const char* state : {"UpOutState", "UpOverState", "DownOverState", "DisabledState"})
      {
         const char* animation = button->ItemGet(state)->StringValueGet();
         EXPECT_TRUE(animation && sprites->ItemStringCheck(animation)) << key << " " << state;
      }
   }
   const JSONValue* settings = game->ItemGet("Settings");
   std::set<std::string> options;
   for (i32 i = 0; i < settings->CountGet(); i++)
   {
      const JSONValue* option = settings->ElementGet(i);
      options.insert(option->ItemGet("Name")->StringValueGet() ? option->ItemGet("Name")->StringValueGet()
                                                               : "");
      textKeys.push_back(
          option->ItemGet("TextKey")->StringValueGet() ? option->ItemGet("TextKey")->StringValueGet() : "");
      const JSONValue* values = option->ItemGet("Values");
      for (i32 v = 0; values->TypeGet() == JSONValue::TYPE_ARRAY && v < values->CountGet(); v++)
      {
         textKeys.push_back(values->ElementGet(v)->ItemGet("TextKey")->StringValueGet());
      }
   }
   EXPECT_EQ(options, (std::set<std::string>{"Variation", "AllCardsFaceUp", "CanMoveFoundationCards",
                                             "ShowPlayableCards", "ShowHelpLabels"}));
   EXPECT_EQ(game->ItemGet("CardPiles")->CountGet(), 13);
   for (const char* path :
        {"PlayerPanelContainer", "CardPileContainer", "ChipContainerBottom", "CardContainerBottom",
         "ButtonContainerBottom", "ChipContainerTop", "CardContainerTop", "HelpLabelContainer",
         "DialogContainer", "ResignButton", "ScoreNumber", "ScoreText"})
   {
      EXPECT_TRUE(LayerWidgetFind(layer.get(), path)) << "KlondikeSolitaire." << path;
   }
   EXPECT_STREQ(LayerWidgetFind(layer.get(), "ScoreNumber")->ItemGet("Type")->StringValueGet(),
                "NumberLabel");
   for (const char* name : {"TraditionalSolitaireResults", "TraditionalSolitaireResultsWithScore"})
   {
      auto results = load((std::string("Graphics/GUI/") + name + "/Widgets").c_str());
      ASSERT_TRUE(results) << name;
      EXPECT_FALSE(results->ItemGet("DisableLayersBelow")->BoolValueGet()) << name;
      EXPECT_TRUE(LayerWidgetFind(results.get(), "Panel.Title")) << name;
      EXPECT_STREQ(LayerWidgetFind(results.get(), "Panel.Time")->ItemGet("Type")->StringValueGet(),
                   "NumberLabel");
   }
   auto withScore = load("Graphics/GUI/TraditionalSolitaireResultsWithScore/Widgets");
   EXPECT_STREQ(LayerWidgetFind(withScore.get(), "Panel.ScoreValue")->ItemGet("Type")->StringValueGet(),
                "NumberLabel");
   EXPECT_TRUE(LayerWidgetFind(withScore.get(), "Panel.ScoreLabel"));
   for (const std::string& key : textKeys)
   {
      EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << "no English text \"" << key << "\"";
   }
}

// Canfield, Spider and Spiderette: their constants on the shared table layer, their options'
// texts in every language, their piles with the roles the rules find, and their rules.
TEST(DataCheck, CanfieldAndSpidersFindTheirConstantsTextsAndRules)
{
   struct Game
   {
      const char* key;
      std::set<std::string> options;
      std::map<std::string, i32> piles;
   };
   const Game games[] = {
       {"CanfieldSolitaire",
        {"ThirteenCardReserve", "MoveOnlyFullBuilds", "ShowPlayableCards", "ShowHelpLabels"},
        {{"Draw", 1}, {"Talon", 1}, {"Foundation", 4}, {"Tableau", 5}}},
       {"SpiderSolitaire",
        {"SuitNumber", "CanDealWithEmptyColumns", "ShowPlayableCards", "ShowHelpLabels"},
        {{"Draw", 1}, {"Foundation", 1}, {"Tableau", 10}}},
       {"SpideretteSolitaire",
        {"DealStlye", "ShowPlayableCards", "ShowHelpLabels"},
        {{"Draw", 1}, {"Foundation", 1}, {"Tableau", 7}}},
   };
   const std::string data = TestSupport::BuildDataFolderGet();
   for (const Game& game : games)
   {
      SCOPED_TRACE(game.key);
      auto consts = BuiltDataLoad((std::string("Scripts/Minigames/") + game.key).c_str());
      ASSERT_TRUE(consts);
      EXPECT_STREQ(consts->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      std::set<std::string> options;
      std::vector<std::string> textKeys = {game.key};
      const JSONValue* settings = consts->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const char* name = option->ItemGet("Name")->StringValueGet();
         options.insert(name ? name : "");
         const bool rule =
             name && std::strcmp(name, "ShowPlayableCards") != 0 && std::strcmp(name, "ShowHelpLabels") != 0;
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << name;
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
         const JSONValue* values = option->ItemGet("Values");
         for (i32 v = 0; values->TypeGet() == JSONValue::TYPE_ARRAY && v < values->CountGet(); v++)
         {
            const char* valueKey = values->ElementGet(v)->ItemGet("TextKey")->StringValueGet();
            textKeys.push_back(valueKey ? valueKey : "");
         }
      }
      EXPECT_EQ(options, game.options);
      std::map<std::string, i32> piles;
      bool columnSeen = false;
      const JSONValue* specifications = consts->ItemGet("CardPiles");
      for (i32 i = 0; i < specifications->CountGet(); i++)
      {
         const char* type = specifications->ElementGet(i)->ItemGet("Type")->StringValueGet();
         piles[type ? type : ""]++;
         columnSeen = columnSeen || (type && std::strcmp(type, "Tableau") == 0);
         // A double-click tries the piles in this order: the foundations come first.
         EXPECT_FALSE(columnSeen && type && std::strcmp(type, "Foundation") == 0) << "pile " << i;
      }
      EXPECT_EQ(piles, game.piles);
      for (u32 language = 0; language < TEXT_LANGUAGE_COUNT; language++)
      {
         const std::string name = TextManager::LanguageNameGet(language);
         auto texts = BuiltDataLoad(("Text/" + name + "/Text").c_str());
         ASSERT_TRUE(texts) << name;
         for (const std::string& key : textKeys)
         {
            EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << name << " has no text \"" << key << "\"";
         }
         EXPECT_TRUE(
             std::filesystem::is_regular_file(data + "/Text/" + name + "/HelpGames/" + game.key + ".txt"))
             << name << " has no rules";
      }
   }
}

// Pyramid and Poker square: their options, piles and layouts in Medium cards on the table clear of
// the menu bar's panel and the button row, and their texts and help in every language.
TEST(DataCheck, PyramidAndPokerSquareFindTheirConstantsTextsAndHelp)
{
   const struct
   {
      const char* key;
      std::map<std::string, bool> defaults;
      std::vector<std::string> piles;
   } games[] = {
       {"PyramidSolitaire",
        {{"ShowCoveredCardsFaceDown", false},
         {"NoReserve", true},
         {"NoWastePile", false},
         {"PlayAllCardsToWin", false},
         {"ShowPlayableCards", false},
         {"ShowHelpLabels", true}},
        {"Draw", "Flip", "Waste", "Tableau", "Foundation", "Reserve"}},
       {"PokerSquareSolitaire",
        {{"NoWastePile", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {"Draw", "Flip", "Tableau", "Waste"}},
   };
   const std::string data = TestSupport::BuildDataFolderGet();
   std::vector<std::string> textKeys;
   for (const auto& g : games)
   {
      SCOPED_TRACE(g.key);
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game);
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      textKeys.push_back(g.key);
      const JSONValue* settings = game->ItemGet("Settings");
      std::map<std::string, bool> defaults;
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const std::string name =
             option->ItemGet("Name")->StringValueGet() ? option->ItemGet("Name")->StringValueGet() : "";
         defaults[name] = option->ItemGet("Default")->BoolValueGet();
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
         // The rules are read at the deal.
         const bool rule = name != "ShowPlayableCards" && name != "ShowHelpLabels";
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << name;
      }
      EXPECT_EQ(defaults, g.defaults);
      const JSONValue* piles = game->ItemGet("CardPiles");
      std::vector<std::string> types;
      std::map<std::string, i32> counts;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const std::string type =
             pile->ItemGet("Type")->StringValueGet() ? pile->ItemGet("Type")->StringValueGet() : "";
         if (types.empty() || types.back() != type)
         {
            types.push_back(type);
         }
         if (type == "Tableau")
         {
            EXPECT_EQ(pile->ItemGet("SecondaryID")->IntValueGet(), counts[type]) << i;
         }
         counts[type]++;
         const char* size = pile->ItemGet("CardSize")->StringValueGet();
         const char* inherited = pile->ItemGet("Inherited")->StringValueGet();
         EXPECT_TRUE((size && std::string(size) == "Medium") ||
                     (inherited && std::string(inherited).find("Medium") != std::string::npos))
             << i;
         // A Medium card is 80 by 112 around its position.
         const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         EXPECT_TRUE(at.x - 40 >= 0 && at.x + 40 <= 960 && at.y - 56 >= 0 && at.y + 56 <= 720) << i;
         EXPECT_FALSE(at.x + 40 > 692 && at.y - 56 < 66) << i << " lies under the menu bar";
         EXPECT_FALSE(at.x - 40 < 366 && at.y + 56 > 664) << i << " lies on the button row";
      }
      EXPECT_EQ(types, g.piles);
      EXPECT_EQ(counts["Tableau"], std::string(g.key) == "PyramidSolitaire" ? 28 : 25);
   }
   auto pyramid = BuiltDataLoad("Scripts/Minigames/PyramidSolitaire");
   ASSERT_TRUE(pyramid);
   EXPECT_EQ(pyramid->ItemGet("CardPiles")->CountGet(), 35);
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      for (const auto& g : games)
      {
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// Slide and Triplets: their constants, Slide's layer with its row buttons and score, their texts and
// help in every language, and a table whose piles, labels and buttons stay apart and clear of the
// menu bar's corner and the button row.
TEST(DataCheck, SlideAndTripletsFindTheirDataAndLayTheirTablesApart)
{
   struct Box
   {
      float x, y, w, h;
      std::string what;
   };
   auto overlap = [](const Box& a, const Box& b)
   { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; };
   auto consts = BuiltDataLoad("Scripts/BuildConsts");
   auto graphics = BuiltDataLoad("Graphics/GraphicsConsts");
   auto layer = BuiltDataLoad("Graphics/GUI/SlideSolitaireGame/Widgets");
   auto sprites = BuiltDataLoad("Graphics/GUI/SlideSolitaireGame/Sprites");
   ASSERT_TRUE(consts && graphics && layer && sprites);
   const JSONValue* templated = consts->ItemGet("MinigameConstsTemplates")->ItemGet("TraditionalSolitaire");
   // The fixed furniture: the menu bar's panel, the New Game and Undo buttons.
   const std::vector<Box> furniture = {
       {692, 6, 260, 60, "menu bar"}, {16, 664, 170, 40, "New Game"}, {196, 664, 170, 40, "Undo"}};
   ASSERT_TRUE(templated->ItemPoint2FCheck("NewGameButtonPosition") &&
               templated->ItemPoint2FCheck("UndoButtonPosition"));
   EXPECT_EQ(templated->ItemGet("NewGameButtonPosition")->Point2FValueGet().x, 16.0f);
   EXPECT_EQ(templated->ItemGet("UndoButtonPosition")->Point2FValueGet().x, 196.0f);

   const struct
   {
      const char* key;
      std::map<std::string, bool> options;
      std::map<std::string, i32> piles;
   } games[] = {
       {"SlideSolitaire",
        {{"AllSlideToWaste", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Talon", 1}, {"Waste", 1}, {"Foundation", 1}, {"Tableau", 24}}},
       {"TripletsSolitaire",
        {{"ThreeDifferentSuits", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Foundation", 1}, {"Tableau", 18}}},
   };
   std::vector<std::string> textKeys = {"SlideSolitaire", "TripletsSolitaire", "TraditionalSolitaireScore"};
   for (const auto& g : games)
   {
      SCOPED_TRACE(g.key);
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game);
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      std::map<std::string, bool> options;
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const char* name = option->ItemGet("Name")->StringValueGet();
         options[name ? name : ""] = option->ItemGet("Default")->BoolValueGet();
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
         if (name && options.size() == 1)
         {
            EXPECT_TRUE(option->ItemGet("RequiresMinigameRestart")->BoolValueGet()) << name;
         }
      }
      EXPECT_EQ(options, g.options);

      std::vector<Box> boxes = furniture;
      std::map<std::string, i32> types;
      std::set<i32> tableauIDs;
      const JSONValue* piles = game->ItemGet("CardPiles");
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const std::string type =
             pile->ItemGet("Type")->StringValueGet() ? pile->ItemGet("Type")->StringValueGet() : "";
         types[type]++;
         const char* inherited = pile->ItemGet("Inherited")->StringValueGet();
         const JSONValue* fan = inherited ? graphics->ItemGet("CardPileTemplates")->ItemGet(inherited) : pile;
         const char* size = fan->ItemGet("CardSize")->StringValueGet();
         EXPECT_STREQ(size, "Medium") << type << " " << i;
         ASSERT_TRUE(pile->ItemPoint2FCheck("Position")) << i;
         const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         // A Tableau pile of Triplets shows all three of its cards.
         float reach = 0.0f;
         if (type == "Tableau")
         {
            tableauIDs.insert(pile->ItemGet("SecondaryID")->IntValueGet());
            if (std::string(g.key) == "TripletsSolitaire")
            {
               ASSERT_TRUE(fan->ItemPoint2FCheck("CardPositionOffset"));
               reach = 2.0f * fan->ItemGet("CardPositionOffset")->Point2FValueGet().y;
               EXPECT_GE(fan->ItemGet("CardPositionOffset")->Point2FValueGet().y, 19.0f);
            }
         }
         if (type == "Draw" && std::string(g.key) == "TripletsSolitaire")
         {
            EXPECT_EQ(pile->ItemGet("Animation")->TypeGet(), JSONValue::TYPE_NULL) << "no empty-pile picture";
         }
         boxes.push_back({at.x - 40.0f, at.y - 56.0f, 80.0f, 112.0f + reach, type + " " + std::to_string(i)});
         const JSONValue* labels = pile->ItemGet("HelpLabels");
         for (i32 l = 0; labels->TypeGet() == JSONValue::TYPE_ARRAY && l < labels->CountGet(); l++)
         {
            EXPECT_STREQ(labels->ElementGet(l)->ItemGet("TextProcedure")->StringValueGet(), "CardCount");
            const Point2F offset = labels->ElementGet(l)->ItemGet("PositionOffset")->Point2FValueGet();
            boxes.push_back({at.x + offset.x, at.y + offset.y, 120.0f, 26.0f, type + " label"});
         }
         EXPECT_EQ(labels->TypeGet() == JSONValue::TYPE_ARRAY,
                   type == "Foundation" || type == "Waste" || (type == "Draw" && g.piles.count("Talon")))
             << type;
      }
      EXPECT_EQ(types, g.piles);
      EXPECT_EQ(static_cast<i32>(tableauIDs.size()), g.piles.at("Tableau"));
      EXPECT_EQ(*tableauIDs.rbegin(), g.piles.at("Tableau") - 1);
      if (std::string(g.key) == "SlideSolitaire")
      {
         EXPECT_TRUE(game->ItemGet("ScoreTextIncluded")->BoolValueGet());
         for (const char* name : {"ScoreText", "ScoreNumber"})
         {
            const std::string key = std::string(name) + "Position";
            ASSERT_TRUE(game->ItemPoint2FCheck(key.c_str())) << key;
            const Point2F at = game->ItemGet(key.c_str())->Point2FValueGet();
            const Box2F bounds = LayerWidgetFind(layer.get(), name)->ItemGet("Bounds")->Box2FValueGet();
            boxes.push_back({at.x, at.y, bounds.width, bounds.height, name});
         }
         for (const char* name : {"L1", "L2", "L3", "L4", "R1", "R2", "R3", "R4"})
         {
            const JSONValue* button = LayerWidgetFind(layer.get(), name);
            ASSERT_TRUE(button) << name;
            EXPECT_STREQ(button->ItemGet("Type")->StringValueGet(), "PressButton");
            for (const char* state : {"UpOutState", "UpOverState", "DownOverState"})
            {
               const char* animation = button->ItemGet(state)->StringValueGet();
               EXPECT_TRUE(animation && sprites->ItemStringCheck(animation)) << name << " " << state;
            }
            const Point2F at = button->ItemGet("PositionOffset")->Point2FValueGet();
            const Box2F bounds = button->ItemGet("Bounds")->Box2FValueGet();
            boxes.push_back({at.x, at.y, bounds.width, bounds.height, name});
         }
      }
      for (size_t a = 0; a < boxes.size(); a++)
      {
         const Box& box = boxes[a];
         EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.x + box.w <= 960 && box.y + box.h <= 720) << box.what;
         for (size_t b = a + 1; b < boxes.size(); b++)
         {
            EXPECT_FALSE(overlap(box, boxes[b])) << box.what << " and " << boxes[b].what;
         }
      }
   }
   for (const char* path : {"PlayerPanelContainer", "CardPileContainer", "ChipContainerBottom",
                            "CardContainerBottom", "ButtonContainerBottom", "ChipContainerTop",
                            "CardContainerTop", "HelpLabelContainer", "DialogContainer"})
   {
      EXPECT_TRUE(LayerWidgetFind(layer.get(), path)) << path;
   }
   EXPECT_FALSE(LayerWidgetFind(layer.get(), "ResignButton"));
   EXPECT_STREQ(LayerWidgetFind(layer.get(), "ScoreNumber")->ItemGet("Type")->StringValueGet(),
                "NumberLabel");
   EXPECT_STREQ(LayerWidgetFind(layer.get(), "ScoreText")->ItemGet("TextKey")->StringValueGet(),
                "TraditionalSolitaireScore");

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      for (const char* document : {"SlideSolitaire", "TripletsSolitaire"})
      {
         const std::string path = data + "/Text/" + language + "/HelpGames/" + document + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// The arcade solitaires' layer and results popup, with the texts the base and the popup read.
TEST(DataCheck, ArcadeSolitaireFindsItsLayersAndTexts)
{
   auto layer = BuiltDataLoad("Graphics/GUI/ArcadeSolitaireGame/Widgets");
   auto results = BuiltDataLoad("Graphics/GUI/ArcadeSolitaireResults/Widgets");
   auto sprites = BuiltDataLoad("Graphics/GUI/ArcadeSolitaireResults/Sprites");
   auto texts = BuiltDataLoad("Text/English/Text");
   ASSERT_TRUE(layer && results && sprites && texts);
   for (const char* pair : {"Score", "Misc", "Misc2", "Round", "TimeLeft"})
   {
      const std::string name(pair);
      EXPECT_STREQ(LayerWidgetFind(layer.get(), (name + "Number").c_str())->ItemGet("Type")->StringValueGet(),
                   "NumberLabel")
          << name;
      EXPECT_STREQ(LayerWidgetFind(layer.get(), (name + "Text").c_str())->ItemGet("Type")->StringValueGet(),
                   "Label")
          << name;
   }
   for (i32 i = 0; i < 5; ++i)
   {
      const std::string name = "PileValue" + std::to_string(i);
      EXPECT_STREQ(LayerWidgetFind(layer.get(), name.c_str())->ItemGet("Type")->StringValueGet(),
                   "NumberLabel")
          << name;
   }
   EXPECT_STREQ(LayerWidgetFind(results.get(), "Panel.Title")->ItemGet("Type")->StringValueGet(), "Label");
   for (const char* path : {"Panel.TimeBonus", "Panel.ScoreThisRound", "Panel.TotalScore"})
   {
      EXPECT_STREQ(LayerWidgetFind(results.get(), path)->ItemGet("Type")->StringValueGet(), "NumberLabel")
          << path;
   }
   const JSONValue* ok = LayerWidgetFind(results.get(), "Panel.OK");
   ASSERT_TRUE(ok);
   for (const char* state : {"UpOutState", "UpOverState", "DownOverState", "DisabledState"})
   {
      const char* animation = ok->ItemGet(state)->StringValueGet();
      EXPECT_TRUE(animation && sprites->ItemStringCheck(animation)) << state;
   }
   for (const char* key : {"RoundOver", "ArcadeSolitaireWin", "ArcadeSolitaireLose", "ArcadeSolitaireScore",
                           "ArcadeSolitaireRound", "ArcadeSolitaireTimeLeft", "ArcadeSolitaireTimeBonus",
                           "ArcadeSolitaireScoreThisRound", "ArcadeSolitaireTotalScore", "OK"})
   {
      EXPECT_TRUE(texts->ItemStringCheck(key)) << "no English text \"" << key << "\"";
   }
}

// A parsed document of the built data tree by its path without ".json"; null when it does not load.
typedef std::unique_ptr<JSONValue, void (*)(JSONValue*)> DocumentPointer;

// Every object in value, value itself first.
void ObjectsCollect(const JSONValue* value, std::vector<const JSONValue*>* objects)
{
   if (value->TypeGet() == JSONValue::TYPE_OBJECT)
   {
      objects->push_back(value);
      for (JSONValue::Iterator it = value->ItemsBegin(); it.ValidCheck(); it.Next())
      {
         ObjectsCollect(it.node->value, objects);
      }
   }
   else if (value->TypeGet() == JSONValue::TYPE_ARRAY)
   {
      for (i32 i = 0; i < value->CountGet(); i++)
      {
         ObjectsCollect(value->ElementGet(i), objects);
      }
   }
}

// Whether a part that key belongs to is switched off in document: "<Part>Included" is false there,
// and key is another of the part's keys ("<Part>", "<Part>Position"...), which then goes unread.
bool PartOffCheck(const JSONValue* document, const std::string& key)
{
   for (JSONValue::Iterator it = document->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      const std::string name = it.node->key;
      const JSONValue* value = it.node->value;
      const size_t suffix = name.size() >= 8 ? name.size() - 8 : std::string::npos;
      const bool off = value->TypeGet() == JSONValue::TYPE_BOOL     ? !value->BoolValueGet()
                       : value->TypeGet() == JSONValue::TYPE_NUMBER ? value->FloatValueGet() == 0.0f
                                                                    : false;
      if (off && suffix != std::string::npos && name.compare(suffix, 8, "Included") == 0 && key != name &&
          key.compare(0, suffix, name, 0, suffix) == 0)
      {
         return true;
      }
   }
   return false;
}

// The names the program's code reads, found in its sources rather than listed by hand: every
// global constants key, text key and widget exists, and each game finds the constants keys and
// options that its own classes and their bases read. A missing one disables a feature silently.
TEST(DataCheck, EveryNameTheCodeReadsExists)
{
   const char* fromEnvironment = std::getenv("CORVALE_SOURCE_DIR");
   const std::string source = fromEnvironment ? fromEnvironment : CORVALE_SOURCE_DIR;
   const SourceReads::Scanner scanner(source,
                                      {"app", "cardgame", "games", "gui", "tutorial", "core", "platform"});
   const std::string data = TestSupport::BuildDataFolderGet();
   FileManagerStdio manager;
   manager.BaseFolderSet(data.c_str());
   const auto load = [&manager](const std::string& name)
   {
      JSONParser parser;
      return DocumentPointer(parser.Load(name.c_str(), &manager), [](JSONValue* v) { MemoryDelete(v); });
   };
   std::map<std::string, std::set<std::string>> readsByKind[6];
   for (const SourceReads::Read& read : scanner.reads)
   {
      readsByKind[read.kind][read.name].insert(read.file);
   }
   const auto where = [](const std::set<std::string>& files) { return *files.begin(); };
   // A scan that found nothing would pass whatever the data holds: names read in each way, directly
   // or through helpers, that a broken scan would lose.
   const std::pair<SourceReads::Kind, const char*> expected[] = {
       {SourceReads::KIND_GLOBAL, "FaceCreatorIncluded"},
       {SourceReads::KIND_GLOBAL, "FaceCreatorRandomAccessoryProbability"},
       {SourceReads::KIND_GLOBAL, "FaceCreatorRandomEyePositionDeviation"},
       {SourceReads::KIND_GLOBAL, "PortraitBlinkInvervalMax"},
       {SourceReads::KIND_GLOBAL, "SplashScreenImages"},
       {SourceReads::KIND_WIDGET, "randomButton"},
       {SourceReads::KIND_WIDGET, "saveButton"},
       {SourceReads::KIND_WIDGET, "PartOptionSelectionSprite"},
       {SourceReads::KIND_WIDGET, "Panel.Delete"},
       {SourceReads::KIND_WIDGET, "Panel.Update"},
       {SourceReads::KIND_WIDGET, "MainMenu.MenuPanel.ProfilePortrait"},
       {SourceReads::KIND_TEXT, "TraditionalSolitaireHours"},
       {SourceReads::KIND_GAME, "ResetButtonIncluded"},
       {SourceReads::KIND_SETTING, "FirstTrickLeader"}};
   for (const auto& [kind, name] : expected)
   {
      EXPECT_TRUE(readsByKind[kind].count(name)) << "the scan of the sources misses \"" << name << "\"";
   }

   // Global constants: the three files the start-up merges.
   std::vector<DocumentPointer> globals;
   for (const char* name : {"Scripts/BuildConsts", "Scripts/DialogConsts", "Graphics/GraphicsConsts"})
   {
      globals.push_back(load(name));
      ASSERT_TRUE(globals.back()) << name;
   }
   // Keys the data leaves out on purpose; the code has a meaning for their absence.
   const std::map<std::string, std::string> absentByDesign = {
       {"MainURLButton1URL", "the project has no web pages"},
       {"MainURLButton2URL", "the project has no web pages"},
       {"UpdateURLWindows", "the project has no web pages"},
       {"HelpScreenSubmenus", "without it the help screen offers every page"},
       {"CardPileTemplates", "the piles' shared settings live in the games' constants templates"},
       {"ChipPileTemplates", "the chip piles' shared settings live in the games' constants templates"},
       {"SongDefault", "a profile without a song of its own hears the playlist's random songs"}};
   for (const auto& [key, files] : readsByKind[SourceReads::KIND_GLOBAL])
   {
      bool found = false;
      for (const DocumentPointer& document : globals)
      {
         found = found || document->ItemFind(key.c_str()) || PartOffCheck(document.get(), key);
      }
      EXPECT_TRUE(found || absentByDesign.count(key))
          << where(files) << " reads the constants key \"" << key << "\", which no constants file holds";
   }
   for (const auto& [key, reason] : absentByDesign)
   {
      EXPECT_TRUE(readsByKind[SourceReads::KIND_GLOBAL].count(key))
          << key << " is no longer read (" << reason << ")";
   }

   // Text keys, in the English files the text manager reads.
   std::vector<DocumentPointer> texts;
   for (const char* name : {"Text/English/Text", "Text/English/DialogText", "Text/English/TextNew"})
   {
      texts.push_back(load(name));
   }
   // The toolkit's own names (gui/, core/, platform/) come with the data that uses them.
   const auto programFile = [](const std::string& file)
   { return file.rfind("gui/", 0) != 0 && file.rfind("core/", 0) != 0 && file.rfind("platform/", 0) != 0; };
   for (const auto& [key, files] : readsByKind[SourceReads::KIND_TEXT])
   {
      if (std::none_of(files.begin(), files.end(), programFile))
      {
         continue;
      }
      bool found = false;
      for (const DocumentPointer& document : texts)
      {
         found = found || (document && document->ItemStringCheck(key.c_str()));
      }
      EXPECT_TRUE(found) << where(files) << " reads the text key \"" << key << "\", which English lacks";
   }

   // Widgets: a path that starts with a layer's name is found below that layer; any other name
   // below a layer of the file (one it names, or the one named as the file) or below a widget
   // specification of the constants; a name the code gives a widget it makes is also fine.
   std::map<std::string, DocumentPointer> layers;
   for (const auto& entry : std::filesystem::directory_iterator(data + "/Graphics/GUI"))
   {
      const std::string name = entry.path().filename().string();
      if (std::filesystem::exists(entry.path() / "Widgets.json"))
      {
         layers.emplace(name, load("Graphics/GUI/" + name + "/Widgets"));
      }
   }
   std::vector<DocumentPointer> specifications;
   for (const auto& entry : std::filesystem::recursive_directory_iterator(data + "/Scripts"))
   {
      if (entry.path().extension() == ".json")
      {
         const std::string relative =
             std::filesystem::relative(entry.path(), data).replace_extension().generic_string();
         specifications.push_back(load(relative));
      }
   }
   specifications.push_back(load("Graphics/GraphicsConsts"));
   std::vector<const JSONValue*> specificationObjects;
   for (const DocumentPointer& document : specifications)
   {
      if (document)
      {
         ObjectsCollect(document.get(), &specificationObjects);
      }
   }
   std::vector<const JSONValue*> layerObjects;
   for (const auto& [name, layer] : layers)
   {
      if (layer)
      {
         ObjectsCollect(layer.get(), &layerObjects);
      }
   }
   // The items of selectors and lists come from arrays of named objects.
   std::set<std::string> specificationNames;
   for (const JSONValue* object : specificationObjects)
   {
      const char* name = object->ItemGet("Name")->StringValueGet();
      specificationNames.insert(name ? name : "");
   }
   const auto below = [](const std::vector<const JSONValue*>& roots, const std::string& path)
   {
      for (const JSONValue* root : roots)
      {
         if (LayerWidgetFind(root, path))
         {
            return true;
         }
      }
      return false;
   };
   for (const auto& [path, files] : readsByKind[SourceReads::KIND_WIDGET])
   {
      for (const std::string& file : files)
      {
         // The toolkit's own parts are checked with each widget kind by the walk over the layers.
         if (!programFile(file))
         {
            continue;
         }
         const std::string first = path.substr(0, path.find('.'));
         if (layers.count(first) && layers.at(first))
         {
            EXPECT_TRUE(path == first ||
                        LayerWidgetFind(layers.at(first).get(), path.substr(first.size() + 1)))
                << file << " reads the widget \"" << path << "\", which its layer lacks";
            continue;
         }
         std::vector<const JSONValue*> roots;
         const std::string stem = std::filesystem::path(file).stem().string();
         const SourceReads::Tokens& tokens = scanner.sources.at(file);
         for (const auto& [name, layer] : layers)
         {
            if (layer &&
                (name == stem || std::find(tokens.begin(), tokens.end(), "\"" + name + "\"") != tokens.end()))
            {
               ObjectsCollect(layer.get(), &roots);
            }
         }
         // A shared base or a popup whose layer is named at run time: any layer.
         const bool found = below(roots.empty() ? layerObjects : roots, path) ||
                            below(specificationObjects, path) || specificationNames.count(path) ||
                            readsByKind[SourceReads::KIND_CREATED].count(path);
         EXPECT_TRUE(found) << file << " reads the widget \"" << path
                            << "\", which no layer of the file holds";
      }
   }

   // Each game: the keys and options read by its class and its bases in the games' families
   // (the framework's own keys are optional for every game), in its constants with their templates.
   std::map<std::string, std::string> bases;
   std::map<std::string, std::vector<std::string>> filesOfClass;
   for (const auto& [file, t] : scanner.sources)
   {
      for (size_t i = 0; i + 3 < t.size(); i++)
      {
         if (t[i] == "class" && t[i + 2] == ":" && t[i + 3] == "public" && i + 4 < t.size())
         {
            bases[t[i + 1]] = t[i + 4];
         }
      }
      const bool family = file.rfind("games/", 0) == 0 ||
                          (file.rfind("cardgame/", 0) == 0 && file.find('/', 9) != std::string::npos);
      if (family && std::filesystem::path(file).extension() == ".cpp")
      {
         filesOfClass[std::filesystem::path(file).stem().string()].push_back(file);
      }
   }
   auto build = load("Scripts/BuildConsts");
   i32 gamesChecked = 0;
   for (const auto& entry : std::filesystem::directory_iterator(data + "/Scripts/Minigames"))
   {
      const std::string game = entry.path().stem().string();
      if (entry.path().extension() != ".json" || !filesOfClass.count(game))
      {
         continue;
      }
      auto own = load("Scripts/Minigames/" + game);
      ASSERT_TRUE(own) << game;
      const char* inherited = own->ItemGet("Inherited")->StringValueGet();
      static const TemplateInheritanceNames names = {"DataCheck", "constants template", "Constants template"};
      DocumentPointer resolved(inherited
                                   ? TemplateInheritanceResolve(own.get(), inherited,
                                                                build->ItemGet("MinigameConstsTemplates"),
                                                                nullptr, names, HEAP_DEFAULT)
                                   : own->Clone(HEAP_DEFAULT),
                               [](JSONValue* v) { MemoryDelete(v); });
      ASSERT_TRUE(resolved) << game;
      std::set<std::string> options;
      const JSONValue* settings = resolved->ItemGet("Settings");
      for (i32 i = 0; settings->TypeGet() == JSONValue::TYPE_ARRAY && i < settings->CountGet(); i++)
      {
         const char* name = settings->ElementGet(i)->ItemGet("Name")->StringValueGet();
         options.insert(name ? name : "");
      }
      // The game's own popups, named after it, and its classes down to the framework.
      std::set<std::string> files;
      for (const auto& [name, classFiles] : filesOfClass)
      {
         for (const std::string& file : classFiles)
         {
            if (name.rfind(game, 0) == 0 && file.rfind("games/", 0) == 0)
            {
               files.insert(file);
            }
         }
      }
      for (std::string c = game; !c.empty(); c = bases.count(c) ? bases.at(c) : std::string())
      {
         if (filesOfClass.count(c))
         {
            files.insert(filesOfClass.at(c).begin(), filesOfClass.at(c).end());
         }
      }
      for (const SourceReads::Read& read : scanner.reads)
      {
         if (!files.count(read.file))
         {
            continue;
         }
         if (read.kind == SourceReads::KIND_GAME)
         {
            EXPECT_TRUE(resolved->ItemFind(read.name.c_str()) || PartOffCheck(resolved.get(), read.name))
                << read.file << " reads \"" << read.name << "\" from the constants of " << game
                << ", which lack it";
         }
         else if (read.kind == SourceReads::KIND_SETTING)
         {
            EXPECT_TRUE(options.count(read.name)) << read.file << " reads the option \"" << read.name
                                                  << "\", which " << game << "'s \"Settings\" lack";
         }
      }
      gamesChecked++;
   }
   EXPECT_GT(gamesChecked, 0);
}

// Best 21 and Fast 21 on the arcade template: its options, displays and buttons, the games' piles
// and value displays, and their texts and rules in every language.
TEST(DataCheck, TwentyOneSolitairesFindTheirConstantsAndTexts)
{
   auto consts = BuiltDataLoad("Scripts/BuildConsts");
   auto sprites = BuiltDataLoad("Graphics/GUI/ArcadeSolitaireGame/Sprites");
   ASSERT_TRUE(consts && sprites);
   const JSONValue* templated = consts->ItemGet("MinigameConstsTemplates")->ItemGet("ArcadeSolitaire");
   ASSERT_EQ(templated->TypeGet(), JSONValue::TYPE_OBJECT);
   EXPECT_STREQ(templated->ItemGet("Inherited")->StringValueGet(), "Minigame");
   for (const char* key : {"DelayCardDeal", "DelayCardFlip"})
   {
      EXPECT_TRUE(templated->ItemNumberCheck(key)) << key;
   }
   for (const char* key : {"ScoreTextIncluded", "RoundTextIncluded", "TimeLeftTextIncluded"})
   {
      EXPECT_TRUE(templated->ItemGet(key)->BoolValueGet()) << key;
   }
   std::vector<std::string> textKeys = {"Best21Solitaire",      "Fast21Solitaire", "Fast21FiveCardHands",
                                        "Fast21TwentyOnes",     "Pick2Solitaire",  "Pick2NeighbourPairs",
                                        "Pick2EqualPairs",      "Sum11Solitaire",  "Sum11Elevens",
                                        "ThreeTowersSolitaire", "ThreeTowersRun"};
   std::map<std::string, bool> options;
   const JSONValue* settings = templated->ItemGet("Settings");
   for (i32 i = 0; i < settings->CountGet(); i++)
   {
      const JSONValue* option = settings->ElementGet(i);
      const char* name = option->ItemGet("Name")->StringValueGet();
      options[name ? name : ""] = option->ItemGet("Default")->BoolValueGet();
      const char* key = option->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(key ? key : "");
   }
   EXPECT_EQ(options, (std::map<std::string, bool>{{"ShowPlayableCards", false}, {"ShowHelpLabels", true}}));
   for (const char* name : {"NewGameButton", "TakeScoreButton"})
   {
      const std::string key(name);
      EXPECT_TRUE(templated->ItemGet((key + "Included").c_str())->BoolValueGet()) << key;
      EXPECT_TRUE(templated->ItemPoint2FCheck((key + "Position").c_str())) << key;
      const JSONValue* button = templated->ItemGet(name);
      ASSERT_EQ(button->TypeGet(), JSONValue::TYPE_OBJECT) << key;
      const char* text = button->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(text ? text : "");
      for (const char* state : {"UpOutState", "UpOverState", "DownOverState", "DisabledState"})
      {
         const char* animation = button->ItemGet(state)->StringValueGet();
         EXPECT_TRUE(animation && sprites->ItemStringCheck(animation)) << key << " " << state;
      }
   }
   EXPECT_STREQ(templated->ItemGet("TakeScoreButton")->ItemGet("TextKey")->StringValueGet(),
                "ArcadeSolitaireTakeScore");

   const struct
   {
      const char* key;
      std::vector<std::string> piles;
      i32 hands;
   } games[] = {
       {"Best21Solitaire",
        {"Draw", "Flip", "Waste", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau"},
        5},
       {"Fast21Solitaire",
        {"Draw", "Flip", "Tableau", "Tableau", "Tableau", "Tableau", "Waste", "Foundation"},
        4},
   };
   for (const auto& g : games)
   {
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game) << g.key;
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "ArcadeSolitaire") << g.key;
      const JSONValue* piles = game->ItemGet("CardPiles");
      std::vector<std::string> types;
      i32 hand = 0;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const char* type = piles->ElementGet(i)->ItemGet("Type")->StringValueGet();
         types.push_back(type ? type : "");
         if (types.back() == "Tableau")
         {
            EXPECT_EQ(piles->ElementGet(i)->ItemGet("SecondaryID")->IntValueGet(), hand++) << g.key;
            EXPECT_STREQ(piles->ElementGet(i)->ItemGet("CardSize")->StringValueGet(), "Medium") << g.key;
         }
      }
      EXPECT_EQ(types, g.piles) << g.key;
      for (i32 i = 0; i < g.hands; i++)
      {
         const std::string value = "PileValue" + std::to_string(i);
         EXPECT_TRUE(game->ItemGet((value + "Included").c_str())->BoolValueGet()) << g.key << " " << value;
         EXPECT_TRUE(game->ItemPoint2FCheck((value + "Position").c_str())) << g.key << " " << value;
      }
   }
   // The wall games: every wall position once, Medium cards inside the table, each listed after the
   // positions it covers so that it is drawn in front of them, and the counters' labels.
   const struct
   {
      const char* key;
      i32 positions;
      bool discard;
      std::vector<std::pair<std::string, std::string>> labels;
   } walls[] = {
       {"Pick2Solitaire",
        33,
        true,
        {{"MiscTextKey", "Pick2NeighbourPairs"}, {"Misc2TextKey", "Pick2EqualPairs"}}},
       {"Sum11Solitaire", 22, true, {{"MiscTextKey", "Sum11Elevens"}}},
       {"ThreeTowersSolitaire", 28, false, {{"Misc2TextKey", "ThreeTowersRun"}}},
   };
   for (const auto& wall : walls)
   {
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + wall.key).c_str());
      ASSERT_TRUE(game) << wall.key;
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "ArcadeSolitaire") << wall.key;
      for (const auto& label : wall.labels)
      {
         EXPECT_STREQ(game->ItemGet(label.first.c_str())->StringValueGet(), label.second.c_str()) << wall.key;
         const std::string included = label.first.substr(0, label.first.size() - 3) + "Included";
         EXPECT_TRUE(game->ItemGet(included.c_str())->BoolValueGet()) << wall.key << " " << included;
      }
      const JSONValue* piles = game->ItemGet("CardPiles");
      std::map<std::string, i32> others;
      std::vector<i32> order;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* type = pile->ItemGet("Type")->StringValueGet();
         EXPECT_STREQ(pile->ItemGet("CardSize")->StringValueGet(), "Medium") << wall.key;
         Point2F at;
         EXPECT_TRUE(pile->ItemPoint2FCheck("Position")) << wall.key;
         at = pile->ItemGet("Position")->Point2FValueGet();
         // A Medium card is 80 by 112, centred on its position, above the counters' row.
         EXPECT_TRUE(at.x >= 40 && at.x <= 920 && at.y >= 56 && at.y <= 620 - 56)
             << wall.key << " pile " << i;
         if (type && std::string(type) == "Tableau")
         {
            order.push_back(pile->ItemGet("SecondaryID")->IntValueGet());
         }
         else
         {
            others[type ? type : ""]++;
         }
      }
      std::vector<i32> sorted(order);
      std::sort(sorted.begin(), sorted.end());
      std::vector<i32> expected;
      for (i32 position = 1; position <= wall.positions; position++)
      {
         expected.push_back(position);
      }
      EXPECT_EQ(sorted, expected) << wall.key;
      std::map<std::string, i32> expectedOthers = {{"Draw", 1}, {"Foundation", 1}};
      if (wall.discard)
      {
         expectedOthers["Discard"] = 1;
      }
      EXPECT_EQ(others, expectedOthers) << wall.key;
   }

   auto fast = BuiltDataLoad("Scripts/Minigames/Fast21Solitaire");
   ASSERT_TRUE(fast);
   EXPECT_STREQ(fast->ItemGet("MiscTextKey")->StringValueGet(), "Fast21FiveCardHands");
   EXPECT_STREQ(fast->ItemGet("Misc2TextKey")->StringValueGet(), "Fast21TwentyOnes");
   EXPECT_TRUE(fast->ItemGet("MiscTextIncluded")->BoolValueGet());
   EXPECT_TRUE(fast->ItemGet("Misc2TextIncluded")->BoolValueGet());

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      for (const char* document :
           {"Best21Solitaire", "Fast21Solitaire", "Pick2Solitaire", "Sum11Solitaire", "ThreeTowersSolitaire"})
      {
         const std::string path = data + "/Text/" + language + "/HelpGames/" + document + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// Bowling solitaire and Cribbage square: their piles, options, score sheet and square labels, the
// square's results layer, and their texts and rules in every language.
TEST(DataCheck, BowlingAndCribbageSquareFindTheirConstantsLayersAndTexts)
{
   const struct
   {
      const char* key;
      const char* layer;
      std::vector<std::string> piles;
      std::string option;
      std::vector<std::string> widgets;
   } games[] = {
       {"BowlingSolitaire",
        "BowlingSolitaireGame",
        {"Draw", "Flip", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau",
         "Tableau", "Tableau", "Tableau", "Waste", "Waste"},
        "WasteHoldsTwo",
        {}},
       {"CribbageSquareSolitaire",
        "CribbageSquareSolitaire",
        {"Draw", "Reserve", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau",
         "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau",
         "Waste"},
        "NoWastePile",
        {"Row0", "Row1", "Row2", "Row3", "Col0", "Col1", "Col2", "Col3"}},
   };
   std::vector<std::string> textKeys = {"TraditionalSolitaireTime", "TraditionalSolitaireScore"};
   for (const auto& g : games)
   {
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      auto layer = BuiltDataLoad((std::string("Graphics/GUI/") + g.layer + "/Widgets").c_str());
      ASSERT_TRUE(game && layer) << g.key;
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire") << g.key;
      textKeys.push_back(g.key);
      const JSONValue* piles = game->ItemGet("CardPiles");
      std::vector<std::string> types;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const char* type = piles->ElementGet(i)->ItemGet("Type")->StringValueGet();
         types.push_back(type ? type : "");
      }
      EXPECT_EQ(types, g.piles) << g.key;
      std::map<std::string, bool> options;
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const char* name = option->ItemGet("Name")->StringValueGet();
         options[name ? name : ""] = option->ItemGet("Default")->BoolValueGet();
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
         if (name && g.option == name)
         {
            EXPECT_TRUE(option->ItemGet("RequiresMinigameRestart")->BoolValueGet()) << g.key;
         }
      }
      EXPECT_EQ(options, (std::map<std::string, bool>{
                             {g.option, false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}}))
          << g.key;
      std::vector<std::string> widgets = {"CardPileContainer", "CardContainerBottom", "ButtonContainerBottom",
                                          "CardContainerTop",  "HelpLabelContainer",  "DialogContainer"};
      widgets.insert(widgets.end(), g.widgets.begin(), g.widgets.end());
      for (const std::string& path : widgets)
      {
         EXPECT_TRUE(LayerWidgetFind(layer.get(), path)) << g.layer << "." << path;
      }
      for (const std::string& label : g.widgets)
      {
         EXPECT_STREQ(LayerWidgetFind(layer.get(), label)->ItemGet("Type")->StringValueGet(), "NumberLabel");
      }
      EXPECT_FALSE(LayerWidgetFind(layer.get(), "ResignButton")) << g.layer;
   }
   // The score sheet, read by formatted paths.
   auto sheet = BuiltDataLoad("Graphics/GUI/BowlingSolitaireGame/Widgets");
   ASSERT_TRUE(sheet);
   for (i32 i = 0; i < 21; i++)
   {
      const std::string path = "Panel.Throw" + std::to_string(i);
      ASSERT_TRUE(LayerWidgetFind(sheet.get(), path)) << path;
      EXPECT_STREQ(LayerWidgetFind(sheet.get(), path)->ItemGet("Type")->StringValueGet(), "Label") << path;
   }
   for (i32 i = 0; i < 10; i++)
   {
      const std::string path = "Panel.Frame" + std::to_string(i);
      ASSERT_TRUE(LayerWidgetFind(sheet.get(), path)) << path;
      EXPECT_STREQ(LayerWidgetFind(sheet.get(), path)->ItemGet("Type")->StringValueGet(), "Label") << path;
   }
   auto results = BuiltDataLoad("Graphics/GUI/CribbageSquareSolitaireResults/Widgets");
   ASSERT_TRUE(results);
   EXPECT_FALSE(results->ItemGet("DisableLayersBelow")->BoolValueGet());
   EXPECT_TRUE(LayerWidgetFind(results.get(), "Panel.Title"));
   for (const char* name : {"Panel.Time", "Panel.Score"})
   {
      ASSERT_TRUE(LayerWidgetFind(results.get(), name)) << name;
      EXPECT_STREQ(LayerWidgetFind(results.get(), name)->ItemGet("Type")->StringValueGet(), "NumberLabel");
   }

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      for (const auto& g : games)
      {
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// Gaps, Golf and Nestor on the traditional template: their options, piles, texts and rules.
TEST(DataCheck, GapsGolfAndNestorFindTheirConstantsAndTexts)
{
   const struct
   {
      const char* key;
      std::map<std::string, bool> options;
      std::vector<std::string> piles;
   } games[] = {
       {"GapsSolitaire",
        {{"TwosAlwaysBeginRows", false},
         {"LeftHighOnly", false},
         {"AllowResets", true},
         {"ShowPlayableCards", false},
         {"ShowHelpLabels", true}},
        {"Draw", "Tableau", "Tableau", "Tableau", "Tableau"}},
       {"GolfSolitaire",
        {{"SixTableaus", false},
         {"CantPlayOnKings", false},
         {"ShowPlayableCards", false},
         {"ShowHelpLabels", true}},
        {"Draw", "Foundation", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau"}},
       {"NestorSolitaire",
        {{"OnlyFourReserveCards", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {"Draw", "Foundation", "Reserve", "Reserve", "Reserve", "Reserve", "Reserve", "Reserve", "Reserve",
         "Reserve", "Reserve", "Reserve", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau", "Tableau",
         "Tableau"}},
   };
   std::vector<std::string> textKeys = {"ShuffleWithNumber", "NestorSolitaireReserve"};
   for (const auto& g : games)
   {
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game) << g.key;
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire") << g.key;
      textKeys.push_back(g.key);
      std::map<std::string, bool> options;
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const std::string name =
             option->ItemGet("Name")->StringValueGet() ? option->ItemGet("Name")->StringValueGet() : "";
         options[name] = option->ItemGet("Default")->BoolValueGet();
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
         // The rules are fixed for a deal; the two helps may change in play.
         const bool rule = name != "ShowPlayableCards" && name != "ShowHelpLabels";
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << g.key << " " << name;
      }
      EXPECT_EQ(options, g.options) << g.key;
      const JSONValue* piles = game->ItemGet("CardPiles");
      std::vector<std::string> types;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const char* type = piles->ElementGet(i)->ItemGet("Type")->StringValueGet();
         types.push_back(type ? type : "");
      }
      EXPECT_EQ(types, g.piles) << g.key;
   }
   auto gaps = BuiltDataLoad("Scripts/Minigames/GapsSolitaire");
   ASSERT_TRUE(gaps);
   EXPECT_TRUE(gaps->ItemGet("ResetButtonIncluded")->BoolValueGet());
   EXPECT_TRUE(gaps->ItemPoint2FCheck("ResetButtonPosition"));
   // The stock only passes cards through; it shows no picture of its own.
   EXPECT_FALSE(gaps->ItemGet("CardPiles")->ElementGet(0)->ItemStringCheck("Animation"));

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      EXPECT_TRUE(CribbageLineFormatCheck(texts->ItemGet("ShuffleWithNumber")->StringValueGet())) << language;
      for (const auto& g : games)
      {
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// A small tree in which every kind of reference is used once, correctly.
std::map<std::string, std::string> HealthyTreeGet()
{
   return {
       {"Scripts/BuildConsts.json", R"({
   // Comments are allowed, as the program allows them.
   "Languages": ["English"],
   "LanguageDefault": "English",
   "Songs": ["Theme"],
   "SongDefault": "Theme",
   "SongsUnlocked": ["Theme"],
   "SplashScreenImages": "GUI/Art/Panel|GUI/Art/Icon",
   "LoadingScreenResources": [{"Type": "Font", "Filename": "Body"}, {"Type": "Sound", "Filename": "Sounds/Click"},
      {"Type": "GUILayer", "Filename": "Sample"}, {"Type": "SpriteResourceFile", "Filename": "GUI/Sample/Sprites"}]
})"},
       {"Music/Theme.snd", "snd"},
       {"Sounds/Click.wav", "wav"},
       {"Text/English/Text.json", R"({"Greeting": "<Font=Body>Hello</Font> <Sprite=Icon>", "OK": "OK"})"},
       {"Text/English/Help.txt", "Help"},
       {"Graphics/Fonts/Body.json", R"({"Bitmaps": [{"Name": "Body", "Lines": ["ab"]}]})"},
       {"Graphics/Fonts/Body.png", "png"},
       {"Graphics/GUI/Art/Panel.png", "png"},
       {"Graphics/GUI/Art/Icon.img", "img"},
       {"Graphics/GUI/Art/Button/001.png", "png"},
       {"Graphics/GUI/Art/Button/002.png", "png"},
       {"Graphics/GUI/Sample/Sprites.json", R"({
   "Panel": "GUI/Art/Panel",
   "Icon": {"Filename": "GUI/Art/Icon", "Origin": "Center"},
   "Button": {"Filename": "GUI/Art/Button", "FrameCount": 2}
})"},
       {"Graphics/GUI/Sample/Widgets.json", R"({
   /* The layer holds one of each kind of reference. */
   "Children": [
      {"Type": "Sprite", "Name": "Background", "Animation": "Panel",
       "Transitions": {"Enter": {"Type": "FromTop", "Progression": "SmoothStop"}, "Exit": "ToTop"}},
      {"Type": "TextDocument", "Name": "Text", "Font": "Body", "TextKey": "Greeting",
       "ClipContainer": {"ClipArea": "0|0|10|10"}},
      {"Type": "TextDocument", "Name": "Help", "TextFilename": "Help", "ClipContainer": {}},
      {"Type": "PressButton", "Name": "OK", "TextKey": "OK", "UpOutState": "Button",
       "DownOverState": {"Animation": "Panel", "Font": "Body"}, "ClickSound": "Sounds/Click"},
      {"Type": "DropDownList", "Name": "List", "ScrollBox": {"ClipContainer": {}},
       "OpenButton": {"OffUpOutState": "Button"}, "ItemTemplate": {"OffUpOutState": "Panel"}},
      {"Type": "Container", "Name": "Group", "Children": [{"Type": "Label", "Name": "Caption", "Text": "Hi"}]},
      {"Type": "Table", "Name": "Scores", "ScrollBox": {"Columns": {}, "ClipContainer": {}},
       "RowTemplate": {"RowButton": {"OffUpOutState": "Button"},
                       "Cells": {"Children": [{"Type": "Label", "Name": "Who"}]}}},
      {"Type": "JSONEditor", "Name": "Editor", "ScrollBox": {"Columns": {}, "ClipContainer": {}},
       "RowTemplate": {"Cells": {}}, "ItemKeyReadOnlyTemplate": {"UpOutState": "Panel"},
       "BackButton": {"UpOutState": "Button"}},
      {"Type": "TextEntry", "Name": "Entry", "Font": "Body", "CharactersAllowed": "ab "},
      {"Type": "ProgressBar", "Name": "Bar", "BackgroundSprite": {"Animation": "Panel"},
       "ProgressSprite": {"Animation": "Icon"}}
   ]
})"},
   };
}

// One fault put into the healthy tree: in file, the first "from" becomes "to"; a null "from"
// removes the file and a null "to" adds it with "from" as its contents.
struct Fault
{
   const char* name;
   const char* file;
   const char* from;
   const char* to;
   // Each must be part of one reported line.
   std::vector<const char*> expected;
};

std::vector<std::string> TreeCheck(const std::map<std::string, std::string>& tree, i32* layers = nullptr)
{
   TempFolder folder;
   for (const auto& file : tree)
   {
      folder.FileWrite(file.first, file.second);
   }
   DataChecker checker(folder.path);
   std::vector<std::string> problems = checker.Run();
   if (layers)
   {
      *layers = checker.layersChecked;
   }
   return problems;
}

std::string Joined(const std::vector<std::string>& lines)
{
   std::string text;
   for (const std::string& line : lines)
   {
      text += line + "\n";
   }
   return text;
}

// The settings menu reads these constants, texts, widgets and pictures; a missing one leaves a
// setting not offered, a choice without a name or a background without its thumbnail.
TEST(DataCheck, TheSettingsMenuFindsItsConstantsTextsWidgetsAndThumbnails)
{
   const std::string data = TestSupport::BuildDataFolderGet();
   auto consts = BuiltDataLoad("Scripts/BuildConsts");
   auto graphics = BuiltDataLoad("Graphics/GraphicsConsts");
   auto texts = BuiltDataLoad("Text/English/Text");
   auto menu = BuiltDataLoad("Graphics/GUI/SettingsMenu/Widgets");
   auto sprites = BuiltDataLoad("Graphics/GUI/SettingsMenu/Sprites");
   ASSERT_TRUE(consts && graphics && texts && menu && sprites);

   const char* testSound = consts->ItemGet("SoundVolumeTestSound")->StringValueGet();
   ASSERT_TRUE(testSound);
   EXPECT_TRUE(std::filesystem::exists(data + "/" + testSound + ".wav")) << testSound;
   const JSONValue* templates = consts->ItemGet("MinigameSettingsWidgets");
   for (const char* name : {"Checkbox", "Heading", "RadioButton"})
   {
      EXPECT_EQ(templates->ItemGet(name)->TypeGet(), JSONValue::TYPE_OBJECT) << name;
   }
   EXPECT_TRUE(consts->ItemNumberCheck("MinigameSettingsWidgetSpacingY"));
   EXPECT_TRUE(consts->ItemNumberCheck("MinigameSettingsRadioButtonSpacingY"));
   EXPECT_TRUE(graphics->ItemStringCheck("CardSizeDefault"));

   // A shown name for every choice the tables may list.
   std::vector<std::string> textKeys = {"SettingsConfirmGameRestart", "BackgroundRandom"};
   const struct
   {
      const JSONValue* document;
      const char* list;
      const char* prefix;
   } lists[] = {{consts.get(), "Songs", "Song"},
                {consts.get(), "MinigameBackgrounds", "Background"},
                {graphics.get(), "CardFrontStyles", "CardFrontStyle"},
                {graphics.get(), "CardBackStyles", "CardBackStyle"}};
   for (const auto& list : lists)
   {
      const JSONValue* names = list.document->ItemGet(list.list);
      ASSERT_GT(names->CountGet(), 0) << list.list;
      for (i32 i = 0; i < names->CountGet(); i++)
      {
         const char* name = names->ElementGet(i)->StringValueGet();
         ASSERT_TRUE(name) << list.list << " " << i;
         textKeys.push_back(std::string(list.prefix) + name);
      }
   }
   for (const std::string& key : textKeys)
   {
      EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << "no English text \"" << key << "\"";
   }
   // One thumbnail per background, named as the background.
   const JSONValue* backgrounds = consts->ItemGet("MinigameBackgrounds");
   for (i32 i = 0; i < backgrounds->CountGet(); i++)
   {
      EXPECT_TRUE(sprites->ItemFind(backgrounds->ElementGet(i)->StringValueGet()))
          << "no thumbnail for " << backgrounds->ElementGet(i)->StringValueGet();
   }

   const struct
   {
      const char* path;
      const char* type;
   } widgets[] = {{"Panel.Close", "PressButton"},
                  {"Panel.SubmenuButtons.Environment", "RadioButton"},
                  {"Panel.SubmenuButtons.Backgrounds", "RadioButton"},
                  {"Panel.SubmenuButtons.Cards", "RadioButton"},
                  {"Panel.SubmenuButtons.Game", "RadioButton"},
                  {"Panel.Submenus.Environment.Play", "PressButton"},
                  {"Panel.Submenus.Environment.Fullscreen", "RadioButton"},
                  {"Panel.Submenus.Environment.WideWindow", "RadioButton"},
                  {"Panel.Submenus.Environment.NarrowWindow", "RadioButton"},
                  {"Panel.Submenus.Environment.CardsOrganized", "RadioButton"},
                  {"Panel.Submenus.Environment.CardsNatural", "RadioButton"},
                  {"Panel.Submenus.Environment.GameSpeed", "Slider"},
                  {"Panel.Submenus.Environment.MusicVolume", "Slider"},
                  {"Panel.Submenus.Environment.SoundVolume", "Slider"},
                  {"Panel.Submenus.Environment.SpeechVolume", "Slider"},
                  {"Panel.Submenus.Environment.Songs", "Table"},
                  {"Panel.Submenus.Backgrounds.Play", "PressButton"},
                  {"Panel.Submenus.Backgrounds.Apply", "PressButton"},
                  {"Panel.Submenus.Backgrounds.Backgrounds", "Table"},
                  {"Panel.Submenus.Backgrounds.Thumbnail", "Sprite"},
                  {"Panel.Submenus.Cards.Play", "PressButton"},
                  {"Panel.Submenus.Cards.Apply", "PressButton"},
                  {"Panel.Submenus.Cards.CardFrontStyles", "Table"},
                  {"Panel.Submenus.Cards.CardBackStyles", "Table"},
                  {"Panel.Submenus.Cards.CardFrontPreview", "Sprite"},
                  {"Panel.Submenus.Cards.CardBackPreview", "Sprite"},
                  {"Panel.Submenus.Game.Play", "PressButton"},
                  {"Panel.Submenus.Game.Apply", "PressButton"},
                  {"Panel.Submenus.Game.Settings", "Container"}};
   for (const auto& widget : widgets)
   {
      const JSONValue* found = LayerWidgetFind(menu.get(), widget.path);
      ASSERT_TRUE(found) << "SettingsMenu." << widget.path;
      EXPECT_STREQ(found->ItemGet("Type")->StringValueGet(), widget.type) << widget.path;
      if (std::strcmp(widget.type, "Slider") == 0)
      {
         EXPECT_EQ(found->ItemGet("Minimum")->IntValueGet(), 0) << widget.path;
         EXPECT_EQ(found->ItemGet("Maximum")->IntValueGet(), 100) << widget.path;
      }
      if (std::strcmp(widget.type, "Table") == 0)
      {
         // The shown name and the choice's own name.
         EXPECT_EQ(found->ItemGet("RowTemplate")->ItemGet("Cells")->ItemGet("Children")->CountGet(), 2)
             << widget.path;
      }
   }
}

TEST(DataCheck, AHealthyTreePassesWithoutProblems)
{
   i32 layers = 0;
   const std::vector<std::string> problems = TreeCheck(HealthyTreeGet(), &layers);
   EXPECT_TRUE(problems.empty()) << Joined(problems);
   EXPECT_EQ(layers, 1);
}

TEST(DataCheck, EveryEnglishTextIsTranslatedIntoEachLanguage)
{
   std::map<std::string, std::string> tree = HealthyTreeGet();
   std::string& build = tree["Scripts/BuildConsts.json"];
   build.replace(build.find(R"("Languages": ["English"])"), std::strlen(R"("Languages": ["English"])"),
                 R"("Languages": ["English", "French", "German"])");
   // French spreads its keys over two files; German lacks one.
   tree["Text/French/Text.json"] = R"({"Greeting": "<Font=Body>Bonjour</Font>"})";
   tree["Text/French/TextNew.json"] = R"({"OK": "OK"})";
   tree["Text/German/Text.json"] = R"({"Greeting": "Hallo"})";
   tree["Text/French/Help.txt"] = "Aide";
   tree["Text/German/Help.txt"] = "Hilfe";
   const std::vector<std::string> problems = TreeCheck(tree);
   ASSERT_EQ(problems.size(), 1u) << Joined(problems);
   EXPECT_NE(
       problems[0].find(R"(Text/German: text "OK" of Text/English/Text.json is not translated into German)"),
       std::string::npos)
       << problems[0];
}

TEST(DataCheck, AnUntranslatedDocumentIsReadInEnglish)
{
   std::map<std::string, std::string> tree = HealthyTreeGet();
   std::string& build = tree["Scripts/BuildConsts.json"];
   build.replace(build.find(R"("Languages": ["English"])"), std::strlen(R"("Languages": ["English"])"),
                 R"("Languages": ["English", "French"])");
   tree["Text/French/Text.json"] = tree["Text/English/Text.json"];
   const std::vector<std::string> problems = TreeCheck(tree);
   EXPECT_TRUE(problems.empty()) << Joined(problems);
}

TEST(DataCheck, TutorialsFindTheirFilesPagesLinesAndSounds)
{
   std::map<std::string, std::string> healthy = HealthyTreeGet();
   std::string& build = healthy["Scripts/BuildConsts.json"];
   build.replace(build.find("\"Languages\""), 0, "\"Tutorials\": [\"Intro\"], ");
   healthy["Scripts/DialogConsts.json"] = R"({"Dialogs": {"Hello": {"TextKey": "OK"}}})";
   healthy["Graphics/Tutorials/Intro/Tutorial.json"] =
       R"({"Events": {"talk": {"Type": "Dialog", "Dialog": "Hello"}, "click": {"Type": "Sound", "Filename": "Sounds/Click"}}})";
   healthy["Graphics/Tutorials/Intro/skeleton.json"] =
       R"({"skins": {"default": {"s": {"r": {}, "box": {"type": "boundingbox"}}}}, "events": {"talk": {}, "click": {}}, "animations": {"animation": {}}})";
   healthy["Graphics/Tutorials/Intro/skeleton.atlas"] = "\nskeleton.png\nformat: RGBA8888\nr\n  xy: 0, 0\n";
   healthy["Graphics/Tutorials/Intro/skeleton.png"] = "png";
   const std::vector<std::string> problems = TreeCheck(healthy);
   EXPECT_TRUE(problems.empty()) << Joined(problems);

   const struct
   {
      const char* file;
      const char* from; // null: the file is removed
      const char* to;
      const char* expected;
   } faults[] = {
       {"Graphics/Tutorials/Intro/skeleton.png", nullptr, nullptr, "page image \"skeleton.png\" not found"},
       {"Graphics/Tutorials/Intro/skeleton.atlas", nullptr, nullptr, "atlas not found"},
       {"Graphics/Tutorials/Intro/Tutorial.json", nullptr, nullptr, "tutorial file not found"},
       {"Graphics/Tutorials/Intro/Tutorial.json", "\"Hello\"", "\"Nope\"", "names the dialog \"Nope\""},
       {"Graphics/Tutorials/Intro/Tutorial.json", "Sounds/Click", "Sounds/Clack",
        "sound \"Sounds/Clack\" not found"},
       {"Graphics/Tutorials/Intro/Tutorial.json", "\"Sound\"", "\"Noise\"", "which a tutorial ignores"},
       {"Graphics/Tutorials/Intro/skeleton.json", "\"click\"", "\"clock\"", "is not an event of"},
       {"Graphics/Tutorials/Intro/skeleton.json", "\"animation\"", "\"Animation\"",
        "has no animation named \"animation\""},
       {"Graphics/Tutorials/Intro/skeleton.json", "\"r\"", "\"q\"", "names the region \"q\""},
       {"Scripts/DialogConsts.json", "\"OK\"", "\"Missing\"", "names text \"Missing\""},
   };
   for (const auto& fault : faults)
   {
      std::map<std::string, std::string> tree = healthy;
      if (!fault.from)
      {
         tree.erase(fault.file);
      }
      else
      {
         std::string& text = tree[fault.file];
         ASSERT_NE(text.find(fault.from), std::string::npos) << fault.from;
         text.replace(text.find(fault.from), std::strlen(fault.from), fault.to);
      }
      const std::string reported = Joined(TreeCheck(tree));
      EXPECT_NE(reported.find(fault.expected), std::string::npos) << fault.expected << "; reported:\n"
                                                                  << reported;
   }
}

class DataCheckFault : public ::testing::TestWithParam<Fault>
{
};

TEST_P(DataCheckFault, IsReported)
{
   const Fault& fault = GetParam();
   std::map<std::string, std::string> tree = HealthyTreeGet();
   if (!fault.from)
   {
      ASSERT_EQ(tree.erase(fault.file), 1u) << fault.file;
   }
   else if (!fault.to)
   {
      tree[fault.file] = fault.from;
   }
   else
   {
      std::string& text = tree[fault.file];
      const size_t at = text.find(fault.from);
      ASSERT_NE(at, std::string::npos) << fault.from;
      text.replace(at, std::strlen(fault.from), fault.to);
   }
   const std::vector<std::string> problems = TreeCheck(tree);
   bool found = false;
   for (const std::string& problem : problems)
   {
      bool all = true;
      for (const char* part : fault.expected)
      {
         all = all && problem.find(part) != std::string::npos;
      }
      found = found || all;
   }
   EXPECT_TRUE(found) << "no line holds every expected part; reported:\n" << Joined(problems);
}

const char* const widgetsFile = "Graphics/GUI/Sample/Widgets.json";
const char* const spritesFile = "Graphics/GUI/Sample/Sprites.json";

INSTANTIATE_TEST_SUITE_P(
    Faults, DataCheckFault,
    ::testing::Values(
        Fault{"MissingSplashImage",
              "Scripts/BuildConsts.json",
              "GUI/Art/Icon\"",
              "GUI/Art/Ikon\"",
              {"\"SplashScreenImages\"", "image \"GUI/Art/Ikon\""}},
        Fault{"MissingLoadingResource",
              "Scripts/BuildConsts.json",
              R"("Filename": "Sounds/Click")",
              R"("Filename": "Sounds/Clack")",
              {"\"LoadingScreenResources\" entry 1", "sound \"Sounds/Clack\""}},
        Fault{"UnknownLoadingResourceType",
              "Scripts/BuildConsts.json",
              R"("Type": "GUILayer")",
              R"("Type": "Layer")",
              {"entry 2", "\"Layer\", which no loader delegate takes"}},
        Fault{"MissingProgressSpriteAnimation",
              widgetsFile,
              R"("ProgressSprite": {"Animation": "Icon"})",
              R"("ProgressSprite": {"Animation": "Fill"})",
              {"widget \"Bar.ProgressSprite\"", "\"Fill\""}},
        Fault{"MissingAnimation",
              widgetsFile,
              R"("Animation": "Panel")",
              R"("Animation": "Pane")",
              {"widget \"Background\"", "\"Pane\" is not in"}},
        Fault{"AnimationInOtherCase",
              widgetsFile,
              R"("Animation": "Panel")",
              R"("Animation": "panel")",
              {"\"panel\"", "but \"Panel\" is"}},
        Fault{"ImageNameInOtherCase",
              spritesFile,
              R"("GUI/Art/Panel")",
              R"("GUI/Art/panel")",
              {"animation \"Panel\"", "Graphics/GUI/Art/panel.png",
               "but \"Graphics/GUI/Art/Panel.png\" exists"}},
        Fault{"MissingFrame",
              "Graphics/GUI/Art/Button/002.png",
              nullptr,
              nullptr,
              {"animation \"Button\"", "GUI/Art/Button/002"}},
        Fault{"MissingButtonStateAnimation",
              widgetsFile,
              R"("UpOutState": "Button")",
              R"("UpOutState": "Buttons")",
              {"widget \"OK\"", "\"UpOutState\"", "\"Buttons\""}},
        Fault{"MissingItemTemplateAnimation",
              widgetsFile,
              R"("OffUpOutState": "Panel")",
              R"("OffUpOutState": "Tile")",
              {"widget \"List.ItemTemplate\"", "\"Tile\""}},
        Fault{"MissingEditorTemplateAnimation",
              widgetsFile,
              R"("ItemKeyReadOnlyTemplate": {"UpOutState": "Panel"})",
              R"("ItemKeyReadOnlyTemplate": {"UpOutState": "Tile"})",
              {"widget \"Editor.ItemKeyReadOnlyTemplate\"", "\"Tile\""}},
        Fault{"MissingClipContainer",
              widgetsFile,
              R"("ClipContainer": {"ClipArea": "0|0|10|10"})",
              R"("Bounds": "0|0|10|10")",
              {"widget \"Text\"", "\"ClipContainer\"", "stops"}},
        Fault{"MissingClipContainerInDropDownList",
              widgetsFile,
              R"("ScrollBox": {"ClipContainer": {}})",
              R"("ScrollBox": {})",
              {"widget \"List.ScrollBox\"", "\"ClipContainer\""}},
        Fault{"MissingOpenButton",
              widgetsFile,
              R"("OpenButton")",
              R"("OpenKnob")",
              {"widget \"List\"", "\"OpenButton\"", "stops"}},
        Fault{"MissingItemTemplate",
              widgetsFile,
              R"("ItemTemplate")",
              R"("ItemPattern")",
              {"widget \"List\"", "\"ItemTemplate\""}},
        Fault{"MissingTableColumns",
              widgetsFile,
              R"("Columns": {}, )",
              "",
              {"widget \"Scores.ScrollBox\"", "\"Columns\"", "stops"}},
        Fault{"MissingRowTemplate",
              widgetsFile,
              R"("RowTemplate")",
              R"("RowPattern")",
              {"widget \"Scores\"", "\"RowTemplate\"", "stops"}},
        Fault{"MissingRowCells",
              widgetsFile,
              R"("Cells")",
              R"("Cellz")",
              {"widget \"Scores.RowTemplate\"", "\"Cells\"", "stops"}},
        Fault{"MissingRowButtonAnimation",
              widgetsFile,
              R"("RowButton": {"OffUpOutState": "Button"})",
              R"("RowButton": {"OffUpOutState": "Knob"})",
              {"widget \"Scores.RowTemplate.RowButton\"", "\"Knob\""}},
        Fault{"AllowedCharacterWithoutGlyph",
              widgetsFile,
              R"("CharactersAllowed": "ab ")",
              R"("CharactersAllowed": "ab\u00e9")",
              {"widget \"Entry\"", "font \"Body\" does not draw: \xC3\xA9"}},
        Fault{"AllowedCharactersWithoutFont",
              widgetsFile,
              R"("Name": "Entry", "Font": "Body",)",
              R"("Name": "Entry",)",
              {"widget \"Entry\"", "no \"Font\""}},
        Fault{"UnregisteredWidgetType",
              widgetsFile,
              R"("Type": "Label")",
              R"("Type": "Blinker")",
              {"widget \"Group.Caption\"", "\"Blinker\" is not a registered widget type"}},
        Fault{"MissingWidgetType",
              widgetsFile,
              R"({"Type": "Container", "Name": "Group")",
              R"({"Name": "Group")",
              {"widget \"Group\"", "has no \"Type\""}},
        Fault{"UnregisteredTransitionType",
              widgetsFile,
              R"("Exit": "ToTop")",
              R"("Exit": "ToSide")",
              {"widget \"Background\"", "\"ToSide\"", "not a registered transition type"}},
        Fault{"UnregisteredProgression",
              widgetsFile,
              R"("SmoothStop")",
              R"("Wobbly")",
              {"Children[0].Transitions.Enter.Progression", "\"Wobbly\"", "not a registered progression"}},
        Fault{"MissingTextKey",
              widgetsFile,
              R"("TextKey": "OK")",
              R"("TextKey": "Okay")",
              {"widget \"OK\"", "\"Okay\""}},
        Fault{"MissingTextFile",
              "Text/English/Help.txt",
              nullptr,
              nullptr,
              {"widget \"Help\"", "Text/English/Help.txt"}},
        Fault{"MissingWidgetFont",
              widgetsFile,
              R"("Font": "Body")",
              R"("Font": "Bodoni")",
              {"widget \"Text\"", "font \"Bodoni\"", "Graphics/Fonts/Bodoni.json"}},
        Fault{"MissingButtonStateFont",
              widgetsFile,
              R"("Animation": "Panel", "Font": "Body")",
              R"("Animation": "Panel", "Font": "body")",
              {"\"DownOverState\"", "font \"body\"", "but"}},
        Fault{"MissingFontInTextTag",
              "Text/English/Text.json",
              "<Font=Body>",
              "<Font=Heading>",
              {"key \"Greeting\"", "font \"Heading\""}},
        Fault{"ScoreLineWithAnotherConversion",
              "Text/English/Text.json",
              R"("OK": "OK")",
              R"("OK": "OK", "RunInHand": "Runs: %s")",
              {"key \"RunInHand\"", "exactly one %d"}},
        Fault{"MultiplyFormatWithAString",
              "Text/English/Text.json",
              R"("OK": "OK")",
              R"("OK": "OK", "MultiplyScoreFormat": "%d x %s = %d")",
              {"key \"MultiplyScoreFormat\"", "exactly three %d"}},
        Fault{"MissingSpriteInTextTag",
              "Text/English/Text.json",
              "<Sprite=Icon>",
              "<Sprite=Star>",
              {"widget \"Text\"", "<Sprite=Star>", "\"Star\" is not in"}},
        Fault{"MissingFontBitmap",
              "Graphics/Fonts/Body.png",
              nullptr,
              nullptr,
              {"Graphics/Fonts/Body.json", "bitmap \"Body\""}},
        Fault{"MissingSound",
              widgetsFile,
              R"("Sounds/Click")",
              R"("Sounds/Clack")",
              {"widget \"OK\"", "Sounds/Clack.wav"}},
        Fault{"MissingSong",
              "Scripts/BuildConsts.json",
              R"("Songs": ["Theme"])",
              R"("Songs": ["Theme", "Finale"])",
              {"\"Songs\"", "Music/Finale.snd"}},
        Fault{"MissingDefaultSong",
              "Scripts/BuildConsts.json",
              R"("SongDefault": "Theme")",
              R"("SongDefault": "theme")",
              {"\"SongDefault\"", "Music/theme.snd", "but"}},
        Fault{"MissingLanguageFolder",
              "Scripts/BuildConsts.json",
              R"("Languages": ["English"])",
              R"("Languages": ["English", "French"])",
              {"\"French\"", "Text/French/"}},
        Fault{"UnknownLanguage",
              "Scripts/BuildConsts.json",
              R"("Languages": ["English"])",
              R"("Languages": ["English", "Klingon"])",
              {"\"Klingon\"", "text manager"}},
        Fault{"CardStyleWithoutArt",
              "Graphics/GraphicsConsts.json",
              R"({"CardBackStyles": ["Blue"]})",
              nullptr,
              {"back style \"Blue\"", "Sprites/Cards/Backs/Blue/Small.json"}},
        Fault{"PileAnimationWithoutArt",
              "Scripts/Minigames/Klondike.json",
              R"({"CardPiles": [{"Type": "Tableau", "CardSize": "Large", "Animation": "EmptyKing"}]})",
              nullptr,
              {"\"CardPiles\"", "EmptyKing", "Sprites/CardPiles/Large.json"}},
        Fault{"UnknownPileTemplate",
              "Scripts/Minigames/Klondike.json",
              R"({"CardPiles": [{"Type": "Tableau", "Inherited": "ColumnFanHuge"}]})",
              nullptr,
              {"\"CardPiles\"", "\"ColumnFanHuge\"", "not found"}},
        Fault{"MissingUnlockMessageText",
              "Scripts/BuildConsts.json",
              R"("SongsUnlocked": ["Theme"])",
              R"("SongsUnlocked": ["Theme"], "ItemTypeUnlockMessages": {"Song": "Unlocked"})",
              {"\"ItemTypeUnlockMessages\"", "\"Unlocked\""}},
        Fault{"MissingSongNameText",
              "Scripts/BuildConsts.json",
              R"("SongsUnlocked": ["Theme"])",
              R"("SongsUnlocked": ["Theme"], "ItemNameTextKeyPrefixes": {"Song": "Song"})",
              {"\"Songs\"", "\"SongTheme\""}},
        Fault{
            "MissingRewardSong",
            "Scripts/BuildConsts.json",
            R"("SongsUnlocked": ["Theme"])",
            R"("SongsUnlocked": ["Theme"], "Achievements": {"Win": {"RewardType": "Song", "RewardID": "Gone"}})",
            {"\"Win\"", "\"Gone\""}},
        Fault{"LayerWithoutSprites", spritesFile, nullptr, nullptr, {"GUI layer \"Sample\"", "Sprites.json"}},
        Fault{"LayerWithoutWidgets", widgetsFile, nullptr, nullptr, {"GUI layer \"Sample\"", "Widgets.json"}},
        Fault{"JSONThatDoesNotParse",
              widgetsFile,
              R"("Children": [)",
              R"("Children" [)",
              {"Graphics/GUI/Sample/Widgets.json", "does not parse"}},
        Fault{"NamesThatDifferOnlyInCase",
              "Graphics/GUI/Art/PANEL.png",
              "png",
              nullptr,
              {"Graphics/GUI/Art/PANEL.png", "Graphics/GUI/Art/Panel.png", "differ only in case"}}),
    [](const ::testing::TestParamInfo<Fault>& info) { return std::string(info.param.name); });

// The open tableau solitaires: each on the traditional template, its piles in the roles and order
// its rules look for (foundations before the columns), every pile on the table and clear of the
// menu bar's corner, and every caption and help document in each language.
TEST(DataCheck, OpenTableauSolitairesFindTheirPilesTextsAndHelp)
{
   struct Game
   {
      const char* key;
      // Pile count by type: Draw, Tableau, Foundation, Reserve, Talon.
      i32 counts[5];
      // The Draw pile is a stock the player sees.
      bool stockShown;
   } games[] = {
       {"BakersDozenSolitaire", {1, 13, 4, 0, 0}, false},
       {"BeleagueredCastleSolitaire", {1, 8, 4, 1, 0}, false},
       {"BristolSolitaire", {1, 8, 4, 3, 0}, true},
       {"EightOffSolitaire", {1, 8, 4, 8, 0}, false},
       {"EliminatorSolitaire", {1, 4, 8, 1, 0}, false},
       {"ColoradoSolitaire", {1, 20, 8, 1, 0}, true},
       {"BatsfordSolitaire", {1, 10, 8, 1, 1}, true},
   };
   const char* const types[] = {"Draw", "Tableau", "Foundation", "Reserve", "Talon"};
   const std::string data = TestSupport::BuildDataFolderGet();
   for (const Game& g : games)
   {
      SCOPED_TRACE(g.key);
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game);
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      const JSONValue* piles = game->ItemGet("CardPiles");
      i32 counts[5] = {0, 0, 0, 0, 0};
      bool columnSeen = false;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* typeName = pile->ItemGet("Type")->StringValueGet();
         const std::string type = typeName ? typeName : "";
         for (i32 t = 0; t < 5; t++)
         {
            counts[t] += type == types[t] ? 1 : 0;
         }
         columnSeen = columnSeen || type == "Tableau";
         EXPECT_FALSE(columnSeen && type == "Foundation") << "a foundation after a column";
         ASSERT_TRUE(pile->ItemPoint2FCheck("Position")) << i;
         const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         if (type == "Draw" && !g.stockShown)
         {
            // Emptied by the deal: off the table, with no picture.
            EXPECT_LT(at.y, 0.0f);
            EXPECT_FALSE(pile->ItemStringCheck("Animation"));
            continue;
         }
         EXPECT_TRUE(at.x >= 30.0f && at.x <= 930.0f && at.y >= 60.0f && at.y <= 640.0f) << type << " " << i;
         EXPECT_FALSE(at.x > 650.0f && at.y < 100.0f && at.y - 56.0f < 66.0f) << "under the menu bar";
         if (type == "Draw")
         {
            EXPECT_EQ(pile->ItemGet("HelpLabels")->CountGet(), 1) << "the stock's card count";
         }
      }
      for (i32 t = 0; t < 5; t++)
      {
         EXPECT_EQ(counts[t], g.counts[t]) << types[t];
      }
      std::vector<std::string> textKeys = {g.key};
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         EXPECT_TRUE(option->ItemGet("Name")->StringValueGet());
         const char* caption = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(caption ? caption : "");
         const JSONValue* values = option->ItemGet("Values");
         for (i32 v = 0; values->TypeGet() == JSONValue::TYPE_ARRAY && v < values->CountGet(); v++)
         {
            textKeys.push_back(values->ElementGet(v)->ItemGet("TextKey")->StringValueGet());
         }
      }
      for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
      {
         auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
         ASSERT_TRUE(texts) << language;
         for (const std::string& key : textKeys)
         {
            EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
         }
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}
} // namespace

// Clock, Calculation, Eagle Wing, Betsy Ross and Alhambra: their options with their defaults, texts
// and help in every language, the pile roles their rules find (foundations before columns, card
// counts on the stock and the trunk), the Reset button of the talon games, and tables whose piles,
// fans included, stay apart and clear of the menu bar's corner and the button row.
TEST(DataCheck, ClockCalculationAndTalonGamesFindTheirDataAndLayTheirTablesApart)
{
   struct Box
   {
      float x, y, w, h;
      std::string what;
   };
   const auto overlap = [](const Box& a, const Box& b)
   { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; };
   struct Game
   {
      const char* key;
      std::map<std::string, bool> defaults;
      // Type and secondary ID of every pile.
      std::set<std::pair<std::string, i32>> piles;
      bool reset;
      // The most cards a fanned pile of the type shows.
      std::map<std::string, i32> fanned;
      // The piles that carry a card count.
      std::set<std::pair<std::string, i32>> counted;
   };
   const auto ids = [](const char* type, i32 first, i32 last)
   {
      std::set<std::pair<std::string, i32>> found;
      for (i32 id = first; id <= last; id++)
      {
         found.insert({type, id});
      }
      return found;
   };
   const auto joined = [](std::initializer_list<std::set<std::pair<std::string, i32>>> parts)
   {
      std::set<std::pair<std::string, i32>> all;
      for (const auto& part : parts)
      {
         all.insert(part.begin(), part.end());
      }
      return all;
   };
   const std::set<std::pair<std::string, i32>> stock = {{"Draw", -1}};
   const Game games[] = {
       {"ClockSolitaire",
        {{"DealWinnableHand", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        joined({stock, {{"Flip", 0}, {"Waste", 0}, {"Waste", 1}}, ids("Tableau", 0, 11)}),
        false,
        {},
        stock},
       {"CalculationSolitaire",
        {{"FourColumns", true}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        joined({stock, {{"Talon", -1}}, ids("Reserve", 0, 3), ids("Foundation", 0, 3), ids("Tableau", 0, 4)}),
        false,
        {},
        stock},
       {"EagleWingSolitaire",
        {{"SeventeenCardReserve", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        joined({stock, {{"Talon", -1}, {"Reserve", -1}}, ids("Foundation", 0, 3), ids("Tableau", 0, 7)}),
        true,
        {{"Tableau", 3}},
        {{"Draw", -1}, {"Reserve", -1}}},
       {"BetsyRossSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        joined({stock, {{"Talon", -1}}, ids("Reserve", 0, 3), ids("Foundation", 0, 3)}),
        true,
        {},
        stock},
       {"AlhambraSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        joined({stock, {{"Talon", -1}, {"Flip", -1}}, ids("Foundation", 0, 7), ids("Reserve", 0, 7)}),
        true,
        {{"Reserve", 4}},
        stock},
   };
   auto graphics = BuiltDataLoad("Graphics/GraphicsConsts");
   ASSERT_TRUE(graphics);
   const JSONValue* templates = graphics->ItemGet("CardPileTemplates");
   const std::map<std::string, Point2F> sizes = {
       {"Small", {60, 84}}, {"Medium", {80, 112}}, {"Large", {100, 140}}};
   const std::string data = TestSupport::BuildDataFolderGet();
   for (const Game& game : games)
   {
      SCOPED_TRACE(game.key);
      auto consts = BuiltDataLoad((std::string("Scripts/Minigames/") + game.key).c_str());
      ASSERT_TRUE(consts);
      EXPECT_STREQ(consts->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      std::vector<std::string> textKeys = {game.key};
      std::map<std::string, bool> defaults;
      const JSONValue* settings = consts->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const char* name = option->ItemGet("Name")->StringValueGet();
         defaults[name ? name : ""] = option->ItemGet("Default")->BoolValueGet();
         const bool rule =
             name && std::strcmp(name, "ShowPlayableCards") != 0 && std::strcmp(name, "ShowHelpLabels") != 0;
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << name;
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
      }
      EXPECT_EQ(defaults, game.defaults);
      EXPECT_EQ(consts->ItemGet("ResetButtonIncluded")->BoolValueGet(), game.reset);
      // The fixed furniture: the menu bar's panel, the New Game, Undo and Reset buttons.
      std::vector<Box> boxes = {
          {692, 6, 260, 60, "menu bar"}, {16, 664, 170, 40, "New Game"}, {196, 664, 170, 40, "Undo"}};
      if (game.reset)
      {
         const Point2F at = consts->ItemGet("ResetButtonPosition")->Point2FValueGet();
         boxes.push_back({at.x, at.y, 170, 40, "Reset"});
         textKeys.push_back(consts->ItemGet("ResetButton")->ItemGet("TextKey")->StringValueGet());
      }
      std::set<std::pair<std::string, i32>> piles;
      std::set<std::pair<std::string, i32>> counted;
      bool columnSeen = false;
      const JSONValue* specifications = consts->ItemGet("CardPiles");
      for (i32 i = 0; i < specifications->CountGet(); i++)
      {
         const JSONValue* pile = specifications->ElementGet(i);
         const std::string type =
             pile->ItemGet("Type")->StringValueGet() ? pile->ItemGet("Type")->StringValueGet() : "";
         const i32 id =
             pile->ItemNumberCheck("SecondaryID") ? pile->ItemGet("SecondaryID")->IntValueGet() : -1;
         EXPECT_TRUE(piles.insert({type, id}).second) << type << " " << id << " twice";
         // A double-click tries the piles in this order: the foundations come first.
         columnSeen = columnSeen || type == "Tableau";
         EXPECT_FALSE(columnSeen && type == "Foundation") << "pile " << i;
         const JSONValue* labels = pile->ItemGet("HelpLabels");
         if (labels->TypeGet() == JSONValue::TYPE_ARRAY && labels->CountGet() > 0 &&
             std::string(labels->ElementGet(0)->ItemGet("TextProcedure")->StringValueGet()) == "CardCount")
         {
            counted.insert({type, id});
         }
         // The card size and the fan, from the pile or its template.
         const char* inherited = pile->ItemGet("Inherited")->StringValueGet();
         std::string size =
             pile->ItemGet("CardSize")->StringValueGet() ? pile->ItemGet("CardSize")->StringValueGet() : "";
         Point2F offset;
         i32 fannedMax = -1;
         for (const JSONValue* source = inherited ? templates->ItemGet(inherited) : nullptr; source;
              source = source->ItemGet("Inherited")->StringValueGet()
                           ? templates->ItemGet(source->ItemGet("Inherited")->StringValueGet())
                           : nullptr)
         {
            if (size.empty() && source->ItemGet("CardSize")->StringValueGet())
            {
               size = source->ItemGet("CardSize")->StringValueGet();
            }
            if (offset.x == 0 && offset.y == 0 && source->ItemPoint2FCheck("CardPositionOffset"))
            {
               offset = source->ItemGet("CardPositionOffset")->Point2FValueGet();
            }
            if (fannedMax < 0 && source->ItemNumberCheck("CardsFannedMax"))
            {
               fannedMax = source->ItemGet("CardsFannedMax")->IntValueGet();
            }
         }
         if (pile->ItemPoint2FCheck("CardPositionOffset"))
         {
            offset = pile->ItemGet("CardPositionOffset")->Point2FValueGet();
         }
         ASSERT_EQ(sizes.count(size), 1u) << "pile " << i;
         const Point2F card = sizes.at(size);
         // Stacked piles lean by a fraction of a pixel a card; fanned ones spread their shown cards.
         i32 shown = offset.x < 1 && offset.y < 1 ? 52 : (game.fanned.count(type) ? game.fanned.at(type) : 1);
         shown = fannedMax > 0 ? fannedMax : shown;
         float spreadX = offset.x * static_cast<float>(shown - 1);
         float spreadY = offset.y * static_cast<float>(shown - 1);
         if (pile->ItemNumberCheck("CardsSpanLengthMax"))
         {
            spreadY = pile->ItemGet("CardsSpanLengthMax")->FloatValueGet();
         }
         const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         const Box box = {at.x - card.x / 2, at.y - card.y / 2, card.x + spreadX, card.y + spreadY,
                          type + " " + std::to_string(id)};
         EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.x + box.w <= 960 && box.y + box.h <= 720) << box.what;
         for (const Box& other : boxes)
         {
            EXPECT_FALSE(overlap(box, other)) << box.what << " overlaps " << other.what;
         }
         boxes.push_back(box);
      }
      EXPECT_EQ(piles, game.piles);
      EXPECT_EQ(counted, game.counted);
      for (u32 language = 0; language < TEXT_LANGUAGE_COUNT; language++)
      {
         const std::string name = TextManager::LanguageNameGet(language);
         auto texts = BuiltDataLoad(("Text/" + name + "/Text").c_str());
         ASSERT_TRUE(texts) << name;
         for (const std::string& key : textKeys)
         {
            EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << name << " has no text \"" << key << "\"";
         }
         EXPECT_TRUE(
             std::filesystem::is_regular_file(data + "/Text/" + name + "/HelpGames/" + game.key + ".txt"))
             << name << " has no rules";
      }
   }
}

// Euchre solitaire: its constants with the trump indicator and the four score pairs, its piles in
// Large cards on the table, its three layers with the widgets the code reads, and its texts, the
// call-trump format and the rules in every language.
TEST(DataCheck, EuchreSolitaireFindsItsConstantsLayersAndTexts)
{
   auto game = BuiltDataLoad("Scripts/Minigames/EuchreSolitaire");
   ASSERT_TRUE(game);
   EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
   EXPECT_TRUE(game->ItemGet("TrumpIndicatorIncluded")->BoolValueGet());
   EXPECT_TRUE(game->ItemGet("TrumpIndicatorWidget")->ItemGet("Children")->CountGet() > 0);
   EXPECT_STREQ(game->ItemGet("TrumpSelectionCardSize")->StringValueGet(), "Large");
   std::map<std::string, bool> options;
   std::vector<std::string> textKeys = {"EuchreSolitaire"};
   const JSONValue* settings = game->ItemGet("Settings");
   for (i32 i = 0; i < settings->CountGet(); i++)
   {
      const JSONValue* option = settings->ElementGet(i);
      const char* name = option->ItemGet("Name")->StringValueGet();
      options[name ? name : ""] = option->ItemGet("Default")->BoolValueGet();
      const char* key = option->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(key ? key : "");
   }
   EXPECT_EQ(options, (std::map<std::string, bool>{{"ShowPlayableCards", false}, {"ShowHelpLabels", true}}));
   auto layer = BuiltDataLoad("Graphics/GUI/EuchreSolitaireGame/Widgets");
   ASSERT_TRUE(layer);
   for (const std::string pair : {"Score", "AIScore", "Round", "TricksTaken"})
   {
      SCOPED_TRACE(pair);
      EXPECT_TRUE(game->ItemGet((pair + "TextIncluded").c_str())->BoolValueGet());
      EXPECT_TRUE(game->ItemPoint2FCheck((pair + "NumberPosition").c_str()));
      EXPECT_TRUE(game->ItemPoint2FCheck((pair + "TextPosition").c_str()));
      const JSONValue* number = LayerWidgetFind(layer.get(), pair + "Number");
      const JSONValue* text = LayerWidgetFind(layer.get(), pair + "Text");
      ASSERT_TRUE(number && text);
      EXPECT_STREQ(number->ItemGet("Type")->StringValueGet(), "NumberLabel");
      EXPECT_STREQ(text->ItemGet("Type")->StringValueGet(), "Label");
      const char* caption = text->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(caption ? caption : "");
      // Captions end left of their numbers, on the table's right.
      const Point2F at = game->ItemGet((pair + "TextPosition").c_str())->Point2FValueGet();
      const Point2F numberAt = game->ItemGet((pair + "NumberPosition").c_str())->Point2FValueGet();
      EXPECT_LE(at.x + text->ItemGet("Bounds")->Box2FValueGet().width, numberAt.x);
      EXPECT_GE(at.x, 640.0f);
   }
   for (const char* path : {"CardPileContainer", "CardContainerBottom", "ButtonContainerBottom",
                            "CardContainerTop", "HelpLabelContainer", "DialogContainer"})
   {
      EXPECT_TRUE(LayerWidgetFind(layer.get(), path)) << path;
   }
   // The piles: the stock, the fanned turn-up row, the two trick piles, the discards and the hand.
   const JSONValue* piles = game->ItemGet("CardPiles");
   std::vector<std::string> types;
   for (i32 i = 0; i < piles->CountGet(); i++)
   {
      const JSONValue* pile = piles->ElementGet(i);
      const char* type = pile->ItemGet("Type")->StringValueGet();
      types.push_back(type ? type : "");
      if (types.back() == "Tableau")
      {
         EXPECT_EQ(pile->ItemGet("SecondaryID")->IntValueGet(), i - 5);
      }
      const char* size = pile->ItemGet("CardSize")->StringValueGet();
      const char* inherited = pile->ItemGet("Inherited")->StringValueGet();
      EXPECT_TRUE((size && std::string(size) == "Large") ||
                  (inherited && std::string(inherited).find("Large") != std::string::npos))
          << i;
      // A Large card is 100 by 140 around its position.
      const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
      EXPECT_TRUE(at.x - 50 >= 0 && at.x + 50 <= 960 && at.y - 70 >= 0 && at.y + 70 <= 720) << i;
      EXPECT_FALSE(at.x + 50 > 692 && at.y - 70 < 66) << i << " lies under the menu bar";
      EXPECT_FALSE(at.x - 50 < 366 && at.y + 70 > 664) << i << " lies on the button row";
   }
   EXPECT_EQ(types, (std::vector<std::string>{"Draw", "Flip", "Waste", "Foundation", "Discard", "Tableau",
                                              "Tableau", "Tableau", "Tableau", "Tableau"}));
   // The turn-up row fans to the right and stops short of the Discard.
   const JSONValue* flip = piles->ElementGet(1);
   EXPECT_LE(flip->ItemGet("Position")->Point2FValueGet().x +
                 flip->ItemGet("CardsSpanLengthMax")->FloatValueGet() + 50,
             piles->ElementGet(4)->ItemGet("Position")->Point2FValueGet().x - 50);

   // The popups' widgets, of the kinds the code takes them for.
   auto suit = BuiltDataLoad("Graphics/GUI/EuchreSolitaireSuit/Widgets");
   auto results = BuiltDataLoad("Graphics/GUI/EuchreSolitaireResults/Widgets");
   ASSERT_TRUE(suit && results);
   const std::pair<const char*, const char*> suitWidgets[] = {{"Panel.Text", "Label"},
                                                              {"Panel.Hearts", "PressButton"},
                                                              {"Panel.Spades", "PressButton"},
                                                              {"Panel.Diamonds", "PressButton"},
                                                              {"Panel.Clubs", "PressButton"},
                                                              {"Panel.PickUp", "PressButton"},
                                                              {"Panel.Pass", "PressButton"},
                                                              {"Panel.TurnUpCard", "Sprite"},
                                                              {"Panel.DoubleDown", "ToggleButton"},
                                                              {"Panel.DoubleDownLabel", "Label"}};
   for (const auto& [path, type] : suitWidgets)
   {
      const JSONValue* widget = LayerWidgetFind(suit.get(), path);
      ASSERT_TRUE(widget) << path;
      EXPECT_STREQ(widget->ItemGet("Type")->StringValueGet(), type) << path;
      const char* key = widget->ItemGet("TextKey")->StringValueGet();
      if (key)
      {
         textKeys.push_back(key);
      }
   }
   EXPECT_TRUE(LayerWidgetFind(suit.get(), "Panel")->ItemGet("Transitions")->ItemGet("Exit"));
   EXPECT_STREQ(LayerWidgetFind(results.get(), "Panel.Title")->ItemGet("TextKey")->StringValueGet(),
                "Scores");
   EXPECT_STREQ(LayerWidgetFind(results.get(), "Panel.OK")->ItemGet("Type")->StringValueGet(), "PressButton");
   for (const char* row : {"Panel.Player0", "Panel.Player1"})
   {
      for (const char* cell : {"PlayerName", "TricksTaken", "GameScore", "ScoreChange"})
      {
         const std::string path = std::string(row) + "." + cell;
         const JSONValue* widget = LayerWidgetFind(results.get(), path);
         ASSERT_TRUE(widget) << path;
         EXPECT_STREQ(widget->ItemGet("Type")->StringValueGet(), "Label") << path;
      }
   }
   for (const char* key :
        {"EuchreSolitaireComputer", "EuchreSolitaireTricksTaken", "EuchreSolitaireGameScore",
         "EuchreSolitaireScoreChange", "EuchreCallTrump", "EuchreSelect", "CardSuitHearts", "CardSuitSpades",
         "CardSuitDiamonds", "CardSuitClubs", "Scores", "OK"})
   {
      textKeys.push_back(key);
   }

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      // The question is a format for the suit's name.
      EXPECT_TRUE(
          EuchreSolitaireSuitPopup::CallTrumpFormatCheck(texts->ItemGet("EuchreCallTrump")->StringValueGet()))
          << language;
      const std::string path = data + "/Text/" + language + "/HelpGames/EuchreSolitaire.txt";
      EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
   }
}

// Forty Thieves, Four Seasons, Mount Olympus, Yukon, Scorpion and Seahaven Towers: their options,
// the piles their rules look for (foundations first), their texts and help in every language, and
// tables whose piles, fanned to their span limits, and stock labels stay inside the table, apart,
// and clear of the menu bar's panel and the button row.
TEST(DataCheck, BuilderSolitairesFindTheirDataAndLayTheirTablesApart)
{
   struct Box
   {
      float x, y, w, h;
      std::string what;
   };
   auto overlap = [](const Box& a, const Box& b)
   { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; };
   const std::vector<Box> furniture = {
       {692, 6, 260, 60, "menu bar"}, {16, 664, 170, 40, "New Game"}, {196, 664, 170, 40, "Undo"}};
   const struct
   {
      const char* key;
      std::map<std::string, bool> options;
      std::map<std::string, i32> piles;
      const char* cardSize;
      // The deal empties the Draw pile: it lies off the table with no picture and no label.
      bool stockHidden;
   } games[] = {
       {"FortyThievesSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Reserve", 1}, {"Foundation", 8}, {"Tableau", 10}},
        "Medium",
        false},
       {"FourSeasonsSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Talon", 1}, {"Foundation", 4}, {"Tableau", 5}},
        "Medium",
        false},
       {"MountOlympusSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Foundation", 16}, {"Tableau", 9}},
        "Medium",
        false},
       {"YukonSolitaire",
        {{"ColumnsInAlternatingColors", true}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Foundation", 4}, {"Tableau", 7}},
        "Large",
        true},
       {"ScorpionSolitaire",
        {{"ThreeCardsFaceDown", true},
         {"OnlyKingsInEmpty", true},
         {"ShowPlayableCards", false},
         {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Tableau", 7}},
        "Large",
        false},
       {"SeahavenTowersSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        {{"Draw", 1}, {"Reserve", 4}, {"Foundation", 4}, {"Tableau", 10}},
        "Medium",
        true},
   };
   const std::string data = TestSupport::BuildDataFolderGet();
   for (const auto& g : games)
   {
      SCOPED_TRACE(g.key);
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game);
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      std::vector<std::string> textKeys = {g.key};
      std::map<std::string, bool> options;
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const char* name = option->ItemGet("Name")->StringValueGet();
         const std::string named = name ? name : "";
         options[named] = option->ItemGet("Default")->BoolValueGet();
         const bool rule = named != "ShowPlayableCards" && named != "ShowHelpLabels";
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << named;
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
      }
      EXPECT_EQ(options, g.options);
      const float w = std::string(g.cardSize) == "Large" ? 100.0f : 80.0f;
      const float h = std::string(g.cardSize) == "Large" ? 140.0f : 112.0f;
      std::map<std::string, i32> counts;
      std::vector<Box> boxes;
      bool columnSeen = false;
      const JSONValue* piles = game->ItemGet("CardPiles");
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* typeName = pile->ItemGet("Type")->StringValueGet();
         const std::string type = typeName ? typeName : "";
         counts[type]++;
         columnSeen = columnSeen || type == "Tableau";
         EXPECT_FALSE(columnSeen && type == "Foundation") << "a foundation after a column";
         const char* size = pile->ItemGet("CardSize")->StringValueGet();
         const char* inheritedName = pile->ItemGet("Inherited")->StringValueGet();
         const std::string inherited = inheritedName ? inheritedName : "";
         EXPECT_TRUE((size && std::string(size) == g.cardSize) ||
                     inherited.find(g.cardSize) != std::string::npos)
             << i;
         ASSERT_TRUE(pile->ItemPoint2FCheck("Position")) << i;
         const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         const JSONValue* labels = pile->ItemGet("HelpLabels");
         if (type == "Draw" && g.stockHidden)
         {
            EXPECT_LT(at.y + h / 2, 0.0f);
            EXPECT_FALSE(pile->ItemStringCheck("Animation"));
            EXPECT_NE(labels->TypeGet(), JSONValue::TYPE_ARRAY);
            continue;
         }
         EXPECT_TRUE(pile->ItemStringCheck("Animation")) << i;
         const std::string what = type + " " + std::to_string(i);
         // A fanned pile reaches its span limit beyond its first card.
         const float span = pile->ItemNumberCheck("CardsSpanLengthMax")
                                ? pile->ItemGet("CardsSpanLengthMax")->FloatValueGet()
                                : 0.0f;
         const bool row = inherited.find("Row") != std::string::npos;
         if (type == "Tableau" || row)
         {
            EXPECT_GT(span, 0.0f) << what << " has no span limit";
         }
         boxes.push_back(
             {at.x - w / 2, at.y - h / 2, w + (row ? span : 0.0f), h + (row ? 0.0f : span), what});
         if (type == "Draw")
         {
            ASSERT_EQ(labels->TypeGet(), JSONValue::TYPE_ARRAY);
            ASSERT_EQ(labels->CountGet(), 1) << "the stock's card count";
            const Point2F offset = labels->ElementGet(0)->ItemGet("PositionOffset")->Point2FValueGet();
            boxes.push_back({at.x + offset.x, at.y + offset.y, 120, 26, "the stock's label"});
         }
      }
      EXPECT_EQ(counts, g.piles);
      for (size_t i = 0; i < boxes.size(); i++)
      {
         const Box& a = boxes[i];
         EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= 960 && a.y + a.h <= 720)
             << a.what << " off the table";
         for (const Box& f : furniture)
         {
            EXPECT_FALSE(overlap(a, f)) << a.what << " under the " << f.what;
         }
         for (size_t j = i + 1; j < boxes.size(); j++)
         {
            EXPECT_FALSE(overlap(a, boxes[j])) << a.what << " overlaps " << boxes[j].what;
         }
      }
      for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
      {
         auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
         ASSERT_TRUE(texts) << language;
         for (const std::string& key : textKeys)
         {
            EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
         }
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// Go Fish: its options, memory lengths and piles on the four-seat table, its texts, every speech
// line for every character (the rank asks, the answers and the address to each other character)
// and its help, in every language.
TEST(DataCheck, GoFishFindsItsConstantsSpeechTextsAndHelp)
{
   auto game = BuiltDataLoad("Scripts/Minigames/GoFish");
   ASSERT_TRUE(game);
   EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TableGame4Players");
   auto build = BuiltDataLoad("Scripts/BuildConsts");
   ASSERT_TRUE(build);
   const JSONValue* table = build->ItemGet("MinigameConstsTemplates")->ItemGet("TableGame4Players");
   EXPECT_TRUE(table->ItemGet("PlayerPanelsIncluded")->BoolValueGet());
   EXPECT_EQ(table->ItemGet("PlayerPanelPositions")->CountGet(), 4);

   std::vector<std::string> textKeys = {"GoFish", "DefaultWins", "DefaultDraw"};
   const std::map<std::string, std::pair<std::string, std::vector<std::string>>> expected = {
       {"CardSorting", {"Ascending", {"Ascending", "Descending"}}},
       {"Difficulty", {"Medium", {"Easy", "Medium", "Hard"}}}};
   std::map<std::string, std::pair<std::string, std::vector<std::string>>> options;
   const JSONValue* settings = game->ItemGet("Settings");
   for (i32 i = 0; i < settings->CountGet(); i++)
   {
      const JSONValue* option = settings->ElementGet(i);
      const char* name = option->ItemGet("Name")->StringValueGet();
      const char* fallback = option->ItemGet("Default")->StringValueGet();
      auto& entry = options[name ? name : ""];
      entry.first = fallback ? fallback : "";
      const char* key = option->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(key ? key : "");
      const JSONValue* values = option->ItemGet("Values");
      for (i32 v = 0; v < values->CountGet(); v++)
      {
         const char* value = values->ElementGet(v)->ItemGet("Value")->StringValueGet();
         const char* valueKey = values->ElementGet(v)->ItemGet("TextKey")->StringValueGet();
         entry.second.push_back(value ? value : "");
         textKeys.push_back(valueKey ? valueKey : "");
      }
   }
   EXPECT_EQ(options, expected);
   const JSONValue* lengths = game->ItemGet("AIHistoryLengths");
   for (const char* level : {"Easy", "Medium", "Hard"})
   {
      EXPECT_EQ(lengths->ItemGet(level)->TypeGet(), JSONValue::TYPE_NUMBER) << level;
   }
   const JSONValue* piles = game->ItemGet("CardPiles");
   std::vector<std::string> types;
   std::set<i32> owners;
   for (i32 i = 0; i < piles->CountGet(); i++)
   {
      const char* type = piles->ElementGet(i)->ItemGet("Type")->StringValueGet();
      types.push_back(type ? type : "");
      if (type && std::strcmp(type, "Hand") == 0)
      {
         owners.insert(piles->ElementGet(i)->ItemGet("OwnerID")->IntValueGet());
      }
   }
   EXPECT_EQ(types, (std::vector<std::string>{"Draw", "Discard", "Hand", "Hand", "Hand", "Hand"}));
   EXPECT_EQ(owners, (std::set<i32>{0, 1, 2, 3}));
   EXPECT_EQ(game->ItemGet("PlayerDialogPositions")->CountGet(), 4) << "a speech balloon place for each seat";

   // Every character's lines: each group names a dialog whose text exists in every language.
   auto dialogs = BuiltDataLoad("Scripts/DialogConsts");
   ASSERT_TRUE(dialogs);
   std::vector<std::string> lines = {"GO_FISH_I_SAY_GO_FISH", "GO_FISH_I_HAVE_ONE", "GO_FISH_I_HAVE_TWO",
                                     "GO_FISH_I_HAVE_THREE"};
   for (const char* rank : {"ACES", "TWOS", "THREES", "FOURS", "FIVES", "SIXES", "SEVENS", "EIGHTS", "NINES",
                            "TENS", "JACKS", "QUEENS", "KINGS"})
   {
      lines.push_back(std::string("GO_FISH_I_ASK_FOR_") + rank);
   }
   std::set<std::string> dialogKeys;
   const JSONValue* characters = build->ItemGet("Characters");
   ASSERT_EQ(characters->TypeGet(), JSONValue::TYPE_OBJECT);
   for (JSONValue::Iterator it = characters->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      std::vector<std::string> groups;
      for (const std::string& line : lines)
      {
         groups.push_back(std::string(it.node->key) + "_" + line);
      }
      for (JSONValue::Iterator other = characters->ItemsBegin(); other.ValidCheck(); other.Next())
      {
         const char* suffix = other.node->value->ItemGet("AddressDialogGroupSuffix")->StringValueGet();
         if (std::strcmp(other.node->key, it.node->key) != 0 && suffix)
         {
            groups.push_back(std::string(it.node->key) + "_" + suffix);
         }
      }
      for (const std::string& group : groups)
      {
         const JSONValue* names = dialogs->ItemGet("DialogGroups")->ItemGet(group.c_str());
         ASSERT_GT(names->CountGet(), 0) << "no group " << group;
         const char* dialog = names->ElementGet(0)->StringValueGet();
         const char* key =
             dialogs->ItemGet("Dialogs")->ItemGet(dialog ? dialog : "")->ItemGet("TextKey")->StringValueGet();
         ASSERT_TRUE(key) << group;
         dialogKeys.insert(key);
      }
   }

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      auto dialogTexts = BuiltDataLoad((std::string("Text/") + language + "/DialogText").c_str());
      ASSERT_TRUE(texts && dialogTexts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      for (const std::string& key : dialogKeys)
      {
         EXPECT_TRUE(dialogTexts->ItemStringCheck(key.c_str()))
             << language << " has no line \"" << key << "\"";
      }
      const std::string path = data + "/Text/" + language + "/HelpGames/GoFish.txt";
      EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
   }
}

// Red and Black, Sultan, Strategy, Terrace and Shamrocks on the traditional template: options,
// piles with the foundations first, card counts on the stocks and Terrace's reserve, texts, rules.
TEST(DataCheck, StockAndBaseRankSolitairesFindTheirConstantsAndTexts)
{
   auto repeated = [](std::vector<std::string> types, const char* type, i32 count)
   {
      types.insert(types.end(), count, type);
      return types;
   };
   const struct
   {
      const char* key;
      std::map<std::string, bool> options;
      std::vector<std::string> piles;
      bool resetButton;
      std::vector<std::string> counted;
   } games[] = {
       {"RedAndBlackSolitaire",
        {{"ReversePlay", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        repeated(repeated({}, "Foundation", 8), "Tableau", 8),
        true,
        {"Draw"}},
       {"SultanSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        repeated(repeated({}, "Foundation", 9), "Tableau", 8),
        true,
        {"Draw"}},
       {"StrategySolitaire",
        {{"SixTableaus", false}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        repeated(repeated({}, "Foundation", 4), "Tableau", 8),
        false,
        {"Draw"}},
       {"TerraceSolitaire",
        {{"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        repeated(repeated({}, "Foundation", 8), "Tableau", 9),
        false,
        {"Draw", "Reserve"}},
       {"ShamrocksSolitaire",
        {{"OnlyAcesStart", true}, {"ShowPlayableCards", false}, {"ShowHelpLabels", true}},
        repeated(repeated({}, "Foundation", 4), "Tableau", 18),
        false,
        {}},
   };
   const std::map<std::string, std::vector<std::string>> others = {
       {"RedAndBlackSolitaire", {"Draw", "Talon"}},
       {"SultanSolitaire", {"Draw", "Talon"}},
       {"StrategySolitaire", {"Draw", "Reserve"}},
       {"TerraceSolitaire", {"Draw", "Talon", "Reserve"}},
       {"ShamrocksSolitaire", {"Draw"}},
   };
   std::vector<std::string> textKeys = {"SolitaireReset"};
   for (const auto& g : games)
   {
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game) << g.key;
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire") << g.key;
      textKeys.push_back(g.key);
      std::map<std::string, bool> options;
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const std::string name =
             option->ItemGet("Name")->StringValueGet() ? option->ItemGet("Name")->StringValueGet() : "";
         options[name] = option->ItemGet("Default")->BoolValueGet();
         const char* key = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(key ? key : "");
         const bool rule = name != "ShowPlayableCards" && name != "ShowHelpLabels";
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << g.key << " " << name;
      }
      EXPECT_EQ(options, g.options) << g.key;
      EXPECT_EQ(game->ItemGet("ResetButtonIncluded")->BoolValueGet(), g.resetButton) << g.key;
      EXPECT_EQ(game->ItemPoint2FCheck("ResetButtonPosition"), g.resetButton) << g.key;
      const JSONValue* piles = game->ItemGet("CardPiles");
      std::vector<std::string> types;
      std::vector<std::string> counted;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* type = pile->ItemGet("Type")->StringValueGet();
         types.push_back(type ? type : "");
         const JSONValue* labels = pile->ItemGet("HelpLabels");
         if (labels && labels->CountGet() > 0)
         {
            EXPECT_STREQ(labels->ElementGet(0)->ItemGet("TextProcedure")->StringValueGet(), "CardCount")
                << g.key;
            counted.push_back(types.back());
         }
      }
      // The foundations and the columns first, in their order; the other piles after them.
      std::vector<std::string> expected = g.piles;
      expected.insert(expected.end(), others.at(g.key).begin(), others.at(g.key).end());
      EXPECT_EQ(types, expected) << g.key;
      EXPECT_EQ(counted, g.counted) << g.key;
   }

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      for (const auto& g : games)
      {
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

// Aces Up, Aces and Kings, Baroness and the open-layout builders: each on the traditional template,
// its piles in the roles and order its rules look for (foundations before the columns), every pile
// on the table, clear of the menu bar's corner and the button row, no two overlapping (a fanned
// pile reaches as far as its span limit), a card count on each stock the player sees, and every
// caption and help document in each language.
TEST(DataCheck, OpenLayoutSolitairesFindTheirPilesTextsAndHelp)
{
   struct Game
   {
      const char* key;
      // Pile count by type: Draw, Tableau, Foundation, Reserve, Talon, Waste.
      i32 counts[6];
      bool stockShown;
   } games[] = {
       {"AcesUpSolitaire", {1, 4, 1, 0, 0, 1}, true},
       {"AcesAndKingsSolitaire", {1, 4, 8, 2, 1, 0}, true},
       {"BaronessSolitaire", {1, 7, 1, 0, 0, 0}, true},
       {"FourFreeSolitaire", {1, 8, 4, 4, 0, 0}, false},
       {"FortressSolitaire", {1, 10, 4, 0, 0, 0}, false},
       {"FlowerGardenSolitaire", {1, 6, 4, 1, 0, 0}, false},
       {"PenguinSolitaire", {1, 7, 4, 7, 0, 0}, false},
       {"LaBelleLucieSolitaire", {1, 16, 4, 0, 0, 0}, false},
   };
   const char* const types[] = {"Draw", "Tableau", "Foundation", "Reserve", "Talon", "Waste"};
   struct Box
   {
      float left, top, right, bottom;
   };
   const std::string data = TestSupport::BuildDataFolderGet();
   for (const Game& g : games)
   {
      SCOPED_TRACE(g.key);
      auto game = BuiltDataLoad((std::string("Scripts/Minigames/") + g.key).c_str());
      ASSERT_TRUE(game);
      EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TraditionalSolitaire");
      const JSONValue* piles = game->ItemGet("CardPiles");
      i32 counts[6] = {0, 0, 0, 0, 0, 0};
      bool columnSeen = false;
      std::vector<Box> boxes;
      for (i32 i = 0; i < piles->CountGet(); i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* typeName = pile->ItemGet("Type")->StringValueGet();
         const std::string type = typeName ? typeName : "";
         for (i32 t = 0; t < 6; t++)
         {
            counts[t] += type == types[t] ? 1 : 0;
         }
         columnSeen = columnSeen || type == "Tableau";
         EXPECT_FALSE(columnSeen && type == "Foundation") << "a foundation after a column";
         ASSERT_TRUE(pile->ItemPoint2FCheck("Position")) << i;
         const Point2F at = pile->ItemGet("Position")->Point2FValueGet();
         if (type == "Draw" && !g.stockShown)
         {
            // Emptied by the deal: off the table, with no picture.
            EXPECT_LT(at.y, 0.0f);
            EXPECT_FALSE(pile->ItemStringCheck("Animation"));
            continue;
         }
         if (type == "Draw")
         {
            EXPECT_EQ(pile->ItemGet("HelpLabels")->CountGet(), 1) << "the stock's card count";
         }
         // The card's size and the fan's direction, from the pile or its template.
         const char* inheritedName = pile->ItemGet("Inherited")->StringValueGet();
         const std::string inherited = inheritedName ? inheritedName : "";
         const char* sizeName = pile->ItemGet("CardSize")->StringValueGet();
         const std::string size = sizeName ? sizeName : inherited;
         const bool large = size.find("Large") != std::string::npos;
         ASSERT_TRUE(large || size.find("Medium") != std::string::npos) << i << " " << size;
         const float halfWidth = large ? 50.0f : 40.0f;
         const float halfHeight = large ? 70.0f : 56.0f;
         Box box{at.x - halfWidth, at.y - halfHeight, at.x + halfWidth, at.y + halfHeight};
         if (!inherited.empty())
         {
            ASSERT_TRUE(pile->ItemNumberCheck("CardsSpanLengthMax")) << i << " fans without a limit";
            const float span = pile->ItemGet("CardsSpanLengthMax")->FloatValueGet();
            (inherited.find("Column") == 0 ? box.bottom : box.right) += span;
         }
         EXPECT_TRUE(box.left >= 0.0f && box.right <= 960.0f && box.top >= 60.0f && box.bottom <= 720.0f)
             << type << " " << i << " off the table";
         EXPECT_FALSE(box.right > 650.0f && box.top < 66.0f) << type << " " << i << " under the menu bar";
         EXPECT_FALSE(box.left < 560.0f && box.bottom > 658.0f) << type << " " << i << " on the button row";
         for (const Box& other : boxes)
         {
            EXPECT_FALSE(box.left < other.right && other.left < box.right && box.top < other.bottom &&
                         other.top < box.bottom)
                << type << " " << i << " overlaps another pile";
         }
         boxes.push_back(box);
      }
      for (i32 t = 0; t < 6; t++)
      {
         EXPECT_EQ(counts[t], g.counts[t]) << types[t];
      }
      std::vector<std::string> textKeys = {g.key};
      const JSONValue* settings = game->ItemGet("Settings");
      for (i32 i = 0; i < settings->CountGet(); i++)
      {
         const JSONValue* option = settings->ElementGet(i);
         const char* name = option->ItemGet("Name")->StringValueGet();
         ASSERT_TRUE(name);
         const char* caption = option->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(caption ? caption : "");
         const bool rule = std::string(name) != "ShowPlayableCards" && std::string(name) != "ShowHelpLabels";
         EXPECT_EQ(option->ItemGet("RequiresMinigameRestart")->BoolValueGet(), rule) << name;
      }
      if (game->ItemGet("ResetButtonIncluded")->BoolValueGet())
      {
         const char* caption = game->ItemGet("ResetButton")->ItemGet("TextKey")->StringValueGet();
         EXPECT_STREQ(caption, "SolitaireRedeal");
         textKeys.push_back(caption ? caption : "");
      }
      for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
      {
         auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
         ASSERT_TRUE(texts) << language;
         for (const std::string& key : textKeys)
         {
            EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
         }
         const std::string path = data + "/Text/" + language + "/HelpGames/" + g.key + ".txt";
         EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
      }
   }
}

TEST(DataCheck, TuxedoFindsItsConstantsLayerTextsAndHelp)
{
   auto game = BuiltDataLoad("Scripts/Minigames/Tuxedo");
   ASSERT_TRUE(game);
   EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TableGame2Players");
   std::vector<std::string> textKeys = {"Tuxedo", "Score", "DefaultWins", "Guest"};
   std::map<std::string, std::string> options;
   const JSONValue* settings = game->ItemGet("Settings");
   for (i32 i = 0; i < settings->CountGet(); i++)
   {
      const JSONValue* option = settings->ElementGet(i);
      const char* name = option->ItemGet("Name")->StringValueGet();
      const JSONValue* fallback = option->ItemGet("Default");
      options[name ? name : ""] = fallback->TypeGet() == JSONValue::TYPE_STRING ? fallback->StringValueGet()
                                  : fallback->BoolValueGet()                    ? "true"
                                                                                : "false";
      const char* caption = option->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(caption ? caption : "");
      const JSONValue* values = option->ItemGet("Values");
      for (i32 v = 0; values->TypeGet() == JSONValue::TYPE_ARRAY && v < values->CountGet(); v++)
      {
         const char* value = values->ElementGet(v)->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(value ? value : "");
      }
   }
   EXPECT_EQ(options,
             (std::map<std::string, std::string>{{"CardSorting", "Ascending"}, {"ShowHelpLabels", "true"}}));
   for (const char* key : {"DelayAITurnBegin", "DelayAIAction", "DelayCardDeal", "DelayGameOver"})
   {
      EXPECT_TRUE(game->ItemNumberCheck(key)) << key;
   }
   EXPECT_TRUE(game->ItemGet("DiscardButtonIncluded")->BoolValueGet());
   EXPECT_TRUE(game->ItemPoint2FCheck("DiscardButtonPosition"));
   const char* discardKey = game->ItemGet("DiscardButton")->ItemGet("TextKey")->StringValueGet();
   textKeys.push_back(discardKey ? discardKey : "");
   textKeys.push_back("TuxedoBuild");
   textKeys.push_back("TuxedoMatch");

   // The piles the rules find, each Medium, on the screen and clear of the menu bar.
   const struct
   {
      const char* type;
      i32 secondary, owner;
   } wanted[] = {{"Draw", -1, -1}, {"Take", -1, -1},   {"Hand", -1, 0},
                 {"Hand", -1, 1},  {"Discard", 0, -1}, {"Discard", 1, -1}};
   const JSONValue* piles = game->ItemGet("CardPiles");
   for (const auto& w : wanted)
   {
      const JSONValue* found = nullptr;
      for (i32 i = 0; i < piles->CountGet() && !found; i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* type = pile->ItemGet("Type")->StringValueGet();
         const i32 secondary =
             pile->ItemNumberCheck("SecondaryID") ? pile->ItemGet("SecondaryID")->IntValueGet() : -1;
         const i32 owner = pile->ItemNumberCheck("OwnerID") ? pile->ItemGet("OwnerID")->IntValueGet() : -1;
         found = type && std::strcmp(type, w.type) == 0 && secondary == w.secondary && owner == w.owner
                     ? pile
                     : nullptr;
      }
      ASSERT_TRUE(found) << w.type << " " << w.secondary << " " << w.owner;
      EXPECT_STREQ(found->ItemGet("CardSize")->StringValueGet(), "Medium") << w.type;
      ASSERT_TRUE(found->ItemPoint2FCheck("Position")) << w.type;
      Point2F at;
      found->Point2FGet(&at, "Position", nullptr, "DataCheck", nullptr, false);
      // A Medium card is 80 by 112 around its position.
      EXPECT_TRUE(at.x - 40 >= 0 && at.x + 40 <= 960 && at.y - 56 >= 0 && at.y + 56 <= 720) << w.type;
      EXPECT_FALSE(at.x + 40 > 692 && at.x - 40 < 952 && at.y - 56 < 66) << w.type << " under the menu bar";
   }

   const std::string data = TestSupport::BuildDataFolderGet();
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      auto dialogs = BuiltDataLoad((std::string("Text/") + language + "/DialogText").c_str());
      ASSERT_TRUE(dialogs) << language;
      for (const char* key :
           {"DialogGenericIWinHandSmall", "DialogCardSharedIWinHand", "DialogGenericIWinHandBig"})
      {
         EXPECT_TRUE(dialogs->ItemStringCheck(key)) << language << " has no dialog text \"" << key << "\"";
      }
      const std::string path = data + "/Text/" + language + "/HelpGames/Tuxedo.txt";
      EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
   }
}
TEST(DataCheck, SpiteAndMaliceFindsItsConstantsLayerTextsAndHelp)
{
   auto game = BuiltDataLoad("Scripts/Minigames/SpiteAndMalice");
   ASSERT_TRUE(game);
   EXPECT_STREQ(game->ItemGet("Inherited")->StringValueGet(), "TableGame2Players");
   std::vector<std::string> textKeys = {"SpiteAndMalice", "Score", "DefaultWins", "DefaultDraw", "Guest"};
   std::map<std::string, std::string> options;
   const JSONValue* settings = game->ItemGet("Settings");
   for (i32 i = 0; i < settings->CountGet(); i++)
   {
      const JSONValue* option = settings->ElementGet(i);
      const char* name = option->ItemGet("Name")->StringValueGet();
      const JSONValue* fallback = option->ItemGet("Default");
      options[name ? name : ""] = fallback->TypeGet() == JSONValue::TYPE_STRING ? fallback->StringValueGet()
                                  : fallback->BoolValueGet()                    ? "true"
                                                                                : "false";
      const char* caption = option->ItemGet("TextKey")->StringValueGet();
      textKeys.push_back(caption ? caption : "");
      const JSONValue* values = option->ItemGet("Values");
      for (i32 v = 0; values->TypeGet() == JSONValue::TYPE_ARRAY && v < values->CountGet(); v++)
      {
         const char* value = values->ElementGet(v)->ItemGet("TextKey")->StringValueGet();
         textKeys.push_back(value ? value : "");
      }
   }
   EXPECT_EQ(options,
             (std::map<std::string, std::string>{
                 {"Variation", "SingleGame"}, {"Difficulty", "Medium"}, {"ShowHelpLabels", "true"}}));
   EXPECT_TRUE(settings->ElementGet(0)->ItemGet("RequiresMinigameRestart")->BoolValueGet());
   for (const char* key :
        {"DelayAITurnBegin", "DelayAIAction", "DelayCardDeal", "DelayGameOver", "DelayDialog"})
   {
      EXPECT_TRUE(game->ItemNumberCheck(key)) << key;
   }

   // The piles the rules find, each Medium, on the screen, clear of the menu bar and of each other;
   // the build piles before the discard piles; the human's discard piles where the expand toggle
   // puts them back.
   struct Wanted
   {
      std::string type;
      i32 secondary, owner;
   };
   std::vector<Wanted> wanted = {{"Draw", 0, -1},    {"Discard", -1, -1}, {"Reserve", 0, -1},
                                 {"Reserve", 1, -1}, {"Hand", -1, 0},     {"Hand", -1, 1}};
   for (i32 i = 0; i < 4; i++)
   {
      wanted.push_back({"Foundation", i, -1});
      wanted.push_back({"Tableau", i, 0});
      wanted.push_back({"Tableau", 4 + i, 1});
   }
   const JSONValue* piles = game->ItemGet("CardPiles");
   std::vector<Box2F> boxes;
   i32 lastFoundation = -1, firstTableau = 1000;
   for (const Wanted& w : wanted)
   {
      const JSONValue* found = nullptr;
      for (i32 i = 0; i < piles->CountGet() && !found; i++)
      {
         const JSONValue* pile = piles->ElementGet(i);
         const char* type = pile->ItemGet("Type")->StringValueGet();
         const i32 secondary =
             pile->ItemNumberCheck("SecondaryID") ? pile->ItemGet("SecondaryID")->IntValueGet() : -1;
         const i32 owner = pile->ItemNumberCheck("OwnerID") ? pile->ItemGet("OwnerID")->IntValueGet() : -1;
         found = type && w.type == type && secondary == w.secondary && owner == w.owner ? pile : nullptr;
         lastFoundation = found && w.type == "Foundation" ? std::max(lastFoundation, i) : lastFoundation;
         firstTableau = found && w.type == "Tableau" ? std::min(firstTableau, i) : firstTableau;
      }
      ASSERT_TRUE(found) << w.type << " " << w.secondary << " " << w.owner;
      EXPECT_STREQ(found->ItemGet("CardSize")->StringValueGet(), "Medium") << w.type;
      Point2F at;
      ASSERT_TRUE(found->ItemPoint2FCheck("Position")) << w.type;
      found->Point2FGet(&at, "Position", nullptr, "DataCheck", nullptr, false);
      // A Medium card is 80 by 112 around its position; a hand of five spreads by 32 each side.
      const float half = w.type == "Hand" ? 40 + 64 : 40;
      const Box2F box{at.x - half, at.y - 56, 2 * half, 112};
      EXPECT_TRUE(box.x >= 0 && box.x + box.width <= 960 && box.y >= 0 && box.y + box.height <= 720)
          << w.type;
      EXPECT_FALSE(box.x + box.width > 692 && box.x < 952 && box.y < 66) << w.type << " under the menu bar";
      for (const Box2F& other : boxes)
      {
         EXPECT_FALSE(box.x < other.x + other.width && other.x < box.x + box.width &&
                      box.y < other.y + other.height && other.y < box.y + box.height)
             << w.type << " " << w.secondary << " " << w.owner << " overlaps another pile";
      }
      boxes.push_back(box);
      if (w.type == "Tableau" && w.owner == 0)
      {
         EXPECT_FLOAT_EQ(at.x, 550.0f + 115.0f * static_cast<float>(w.secondary));
         EXPECT_FLOAT_EQ(at.y, 550.0f);
         // Fanned by 35 from 550, the span limit keeps the last card on the table.
         EXPECT_LE(550.0f + found->ItemGet("CardsSpanLengthMax")->FloatValueGet() + 40, 960.0f);
      }
   }
   EXPECT_LT(lastFoundation, firstTableau);

   const std::string data = TestSupport::BuildDataFolderGet();
   const std::vector<std::string> characters = {"Mabel", "Oswin", "Priya", "Bertram",
                                                "Ines",  "Theo",  "Greta", "Kofi"};
   auto dialogConsts = BuiltDataLoad("Scripts/DialogConsts");
   ASSERT_TRUE(dialogConsts);
   for (const std::string& character : characters)
   {
      for (const char* line : {"CARD_SHARED_I_WIN_CLOSE_GAME", "CARD_SHARED_I_WIN_HAND"})
      {
         const std::string group = character + "_" + line;
         EXPECT_EQ(dialogConsts->ItemGet("DialogGroups")->ItemGet(group.c_str())->TypeGet(),
                   JSONValue::TYPE_ARRAY)
             << group;
      }
   }
   for (const char* language : {"English", "French", "Spanish", "Italian", "German", "Russian", "Dutch"})
   {
      auto texts = BuiltDataLoad((std::string("Text/") + language + "/Text").c_str());
      ASSERT_TRUE(texts) << language;
      for (const std::string& key : textKeys)
      {
         EXPECT_TRUE(texts->ItemStringCheck(key.c_str())) << language << " has no text \"" << key << "\"";
      }
      auto dialogs = BuiltDataLoad((std::string("Text/") + language + "/DialogText").c_str());
      ASSERT_TRUE(dialogs) << language;
      for (const char* key : {"DialogCardSharedIWinCloseGame", "DialogCardSharedIWinHand"})
      {
         EXPECT_TRUE(dialogs->ItemStringCheck(key)) << language << " has no dialog text \"" << key << "\"";
      }
      const std::string path = data + "/Text/" + language + "/HelpGames/SpiteAndMalice.txt";
      EXPECT_TRUE(std::filesystem::is_regular_file(path)) << path;
   }
}
} // namespace CorvaleTest
