// Message boxes: each button reports to its own callback and the box then leaves through its
// exit transition; answers that close the box themselves; the text kinds; a box without layer,
// without text document or with a widget that is not a button where a button belongs.
#include "gui/popup/MessageBoxPopup.h"

#include <functional>

#include "tests/gui/GUIManagerTestSupport.h"
#include "tests/gui/LabelTestSupport.h"
#include "core/TextManager.h"
#include "gui/popup/PopupManager.h"
#include "gui/widgets/PressButtonWidget.h"
#include "gui/widgets/TextDocumentWidget.h"

using namespace GUIManagerTest;
using LabelTest::FixedFont;

namespace
{
// A panel that slides in and out over 100 ms with the text and the four buttons in a row.
const char* boxLayer = R"({"Children": [{"Type": "Container", "Name": "Panel", "Bounds": "0|0|960|720",
   "Transitions": {"Enter": {"Type": "FromTop", "Duration": 100}, "Exit": {"Type": "ToTop", "Duration": 100}},
   "Children": [
      {"Type": "TextDocument", "Name": "Text", "Bounds": "0|0|400|100", "ClipContainer": {"ClipArea": "0|0|400|100"}},
      {"Type": "PressButton", "Name": "OK", "PositionOffset": "0|200", "Bounds": "0|0|100|40"},
      {"Type": "PressButton", "Name": "Cancel", "PositionOffset": "200|200", "Bounds": "0|0|100|40"},
      {"Type": "PressButton", "Name": "Yes", "PositionOffset": "400|200", "Bounds": "0|0|100|40"},
      {"Type": "PressButton", "Name": "No", "PositionOffset": "600|200", "Bounds": "0|0|100|40"}]}]})";

// Every answer a box gave, as "<name>:<popup>:<button>:<user data>".
struct Answers
{
   std::vector<std::string> calls;
   std::function<void(MessageBoxPopup*)> then;
};

std::string Pointer(const void* p)
{
   char text[32];
   std::snprintf(text, sizeof(text), "%p", p);
   return text;
}

template <int N> void Answer(MessageBoxPopup* popup, PressButtonWidget* button, void* userData)
{
   static const char* const names[] = {"OK", "Cancel", "Yes", "No"};
   Answers* answers = static_cast<Answers*>(userData);
   answers->calls.push_back(std::string(names[N]) + ":" + Pointer(popup) + ":" + Pointer(button) + ":" +
                            Pointer(userData));
   if (answers->then)
   {
      answers->then(popup);
   }
}

class MessageBoxTest : public GUIManagerFixture
{
 protected:
   void SetUp() override
   {
      GUIManagerFixture::SetUp();
      PopupManager::Init();
      GUIManager::root->FontSet(&font);
      LayerWrite("Box", boxLayer);
      std::filesystem::create_directories(folder + "/Text/English");
      std::ofstream(folder + "/Text/English/Text.json") << R"({"Greeting": "Hello there", "Other": "Again"})";
      std::ofstream(folder + "/Text/English/Help.txt") << "Rules of play";
      textManager.LanguageSet(&language);
      textManager.FileNameAppend("Text");
      textManager.OnLanguageChange();
   }

   void TearDown() override
   {
      PopupManager::Deinit();
      GUIManager::root->FontSet(nullptr);
      textManager.Deinit();
      GUIManagerFixture::TearDown();
   }

   static void Tick(u32 elapsed)
   {
      GUIManager::Update(elapsed);
      PopupManager::Update(elapsed);
   }

   // A box on "Box" whose enter transition has finished, every answer going to answers.
   MessageBoxPopup* ShowAnswered(Answers* answers, const char* key = "Greeting")
   {
      MessageBoxPopup* box = MessageBoxPopup::Show(key, "Box");
      EXPECT_NE(box, nullptr);
      box->onOK = &Answer<0>;
      box->onOKUserData = answers;
      box->onCancel = &Answer<1>;
      box->onCancelUserData = answers;
      box->onYes = &Answer<2>;
      box->onYesUserData = answers;
      box->onNo = &Answer<3>;
      box->onNoUserData = answers;
      Tick(200);
      EXPECT_EQ(GUIManager::transitionsRunning, 0);
      return box;
   }

   static TextDocumentWidget* DocumentOf(MessageBoxPopup* box)
   {
      return dynamic_cast<TextDocumentWidget*>(box->layer->DescendantGetByPath("Panel.Text"));
   }

   FixedFont font;
   u32 language = 0;
};

TEST_F(MessageBoxTest, EachButtonAnswersThroughItsOwnCallbackAndTheBoxThenLeavesThroughItsExit)
{
   const struct
   {
      const char* path;
      const char* answer;
      i32 x;
   } cases[] = {{"Panel.OK", "OK", 50},
                {"Panel.Cancel", "Cancel", 250},
                {"Panel.Yes", "Yes", 450},
                {"Panel.No", "No", 650}};
   for (const auto& c : cases)
   {
      Answers answers;
      MessageBoxPopup* box = ShowAnswered(&answers);
      ASSERT_NE(box->layer, nullptr);
      Widget* button = box->layer->DescendantGetByPath(c.path);
      Click(c.x, 220);
      ASSERT_EQ(answers.calls.size(), 1u) << c.path;
      EXPECT_EQ(answers.calls[0],
                std::string(c.answer) + ":" + Pointer(box) + ":" + Pointer(button) + ":" + Pointer(&answers));
      EXPECT_TRUE(box->ClosingCheck()) << c.path;
      EXPECT_EQ(GUIManager::transitionsRunning, 1) << c.path << ": the exit transition did not start";
      PopupManager::Update(0);
      EXPECT_EQ(PopupManager::IndexGet(box), 0) << c.path << ": left while its exit ran";
      Tick(200);
      EXPECT_EQ(PopupManager::IndexGet(box), -1) << c.path;
      GUIManager::Update(0);
      EXPECT_EQ(GUIManager::root->ChildCountGet(), 0) << c.path;
   }
}

TEST_F(MessageBoxTest, AnAnswerThatClosesTheBoxItselfLeavesNothingFreedInUse)
{
   const struct
   {
      const char* name;
      std::function<void(MessageBoxPopup*)> close;
   } closers[] = {
       {"PopupManager::Close", [](MessageBoxPopup* box) { PopupManager::Close(box); }},
       {"Close(false)", [](MessageBoxPopup* box) { box->Close(false); }},
       {"CloseAll", [](MessageBoxPopup*) { PopupManager::CloseAll(); }},
   };
   for (const auto& c : closers)
   {
      Answers answers;
      answers.then = c.close;
      MessageBoxPopup* box = ShowAnswered(&answers);
      Click(50, 220);
      ASSERT_EQ(answers.calls.size(), 1u) << c.name;
      // Freed at the manager's next update, never under the button that answered.
      EXPECT_EQ(PopupManager::IndexGet(box), 0) << c.name;
      EXPECT_EQ(GUIManager::transitionsRunning, 0) << c.name << ": an exit started on a box already leaving";
      PopupManager::Update(0);
      EXPECT_EQ(PopupManager::popups.count, 0) << c.name;
      GUIManager::Update(0);
      EXPECT_EQ(GUIManager::root->ChildCountGet(), 0) << c.name;
   }

   // An answer that asks the next question: the new box stays while the old one leaves.
   Answers answers;
   MessageBoxPopup* next = nullptr;
   answers.then = [&](MessageBoxPopup*) { next = MessageBoxPopup::Show("Other", "Box"); };
   MessageBoxPopup* first = ShowAnswered(&answers);
   Click(450, 220);
   ASSERT_NE(next, nullptr);
   Tick(200);
   EXPECT_EQ(PopupManager::IndexGet(first), -1);
   ASSERT_EQ(PopupManager::IndexGet(next), 0);
   EXPECT_FALSE(next->ClosingCheck());
   EXPECT_STREQ(DocumentOf(next)->TextGet(), "Again");
}

TEST_F(MessageBoxTest, TheTextReachesTheDocumentByItsKind)
{
   MessageBoxPopup* box = MessageBoxPopup::Show("Greeting", "Box");
   ASSERT_NE(box, nullptr);
   TextDocumentWidget* document = DocumentOf(box);
   ASSERT_NE(document, nullptr);
   EXPECT_STREQ(document->TextGet(), "Hello there");
   EXPECT_STREQ(document->TextKeyGet(), "Greeting");
   EXPECT_EQ(box->textKind, MESSAGE_BOX_TEXT_KEY);

   const struct
   {
      const char* text;
      i32 kind;
      const char* shown;
   } cases[] = {{"Greeting", MESSAGE_BOX_TEXT_PLAIN, "Greeting"},
                {"Help", MESSAGE_BOX_TEXT_FILENAME, "Rules of play"},
                {"Other", MESSAGE_BOX_TEXT_KEY, "Again"},
                {"7 of clubs", 42, "7 of clubs"}};
   for (const auto& c : cases)
   {
      box->TextSet(c.text, c.kind);
      EXPECT_STREQ(box->text, c.text);
      EXPECT_NE(box->text, c.text) << "the box keeps its own copy";
      EXPECT_STREQ(document->TextGet(), c.shown) << c.text;
   }
   // Handing the box its own text back must not read it after it is freed.
   box->TextSet(box->text, MESSAGE_BOX_TEXT_KEY);
   EXPECT_STREQ(box->text, "7 of clubs");
   box->TextSet(nullptr, MESSAGE_BOX_TEXT_KEY);
   EXPECT_EQ(box->text, nullptr);
   PopupManager::Close(box);
}

TEST_F(MessageBoxTest, MissingLayerTextOrButtonsLeaveABoxThatStillOpensAndCloses)
{
   // No layer name: nothing is shown, and the close needs only a frame without transitions.
   MessageBoxPopup* bare = MessageBoxPopup::Show("Greeting", nullptr);
   ASSERT_NE(bare, nullptr);
   EXPECT_EQ(bare->hasLayer, 0);
   EXPECT_STREQ(bare->layerName, "");
   EXPECT_EQ(bare->layer, nullptr);
   EXPECT_EQ(bare->heapOwned, 1);
   EXPECT_STREQ(bare->enterTransition, "Enter");
   EXPECT_STREQ(bare->exitTransition, "Exit");
   EXPECT_STREQ(bare->text, "Greeting");
   EXPECT_EQ(PopupManager::IndexGet(bare), 0);
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);
   bare->Close(true);
   PopupManager::Update(16);
   EXPECT_EQ(PopupManager::popups.count, 0);

   // A layer without text document, and a probe where the OK button belongs: nothing is wired.
   LayerWrite("Plain", R"({"Children": [{"Type": "Container", "Name": "Panel", "Children": [
      {"Type": "Probe", "Name": "OK", "Bounds": "0|0|100|40"},
      {"Type": "Probe", "Name": "Text", "PositionOffset": "0|100", "Bounds": "0|0|100|40"}]}]})");
   MessageBoxPopup* plain = MessageBoxPopup::Show("Greeting", "Plain");
   ASSERT_NE(plain, nullptr);
   ASSERT_NE(plain->layer, nullptr);
   Click(50, 20);
   EXPECT_NE(journal.find("OK.Click"), std::string::npos);
   EXPECT_FALSE(plain->ClosingCheck()) << "a widget that is not a press button closed the box";
   PopupManager::Close(plain);

   // A name too long for the popup is cut, said so, and not found.
   LogCapture log;
   std::string longName(200, 'L');
   MessageBoxPopup* cut = MessageBoxPopup::Show("Greeting", longName.c_str());
   ASSERT_NE(cut, nullptr);
   EXPECT_EQ(std::strlen(cut->layerName), POPUP_NAME_SIZE - 1);
   EXPECT_EQ(cut->layer, nullptr);
   EXPECT_TRUE(log.Has("GUIManager::Push -- GUI layer not found"));
   PopupManager::Close(cut);
}

TEST_F(MessageBoxTest, ClosingABoxThatLivesOnKeepsNoTextNoCallbacksAndNoLayer)
{
   Answers answers;
   MessageBoxPopup box;
   NultStrncpy(box.layerName, "Box", sizeof(box.layerName));
   box.hasLayer = 1;
   box.onOK = &Answer<0>;
   box.onOKUserData = &answers;
   box.onNo = &Answer<3>;
   PopupManager::Open(&box);
   box.TextSet("Greeting", MESSAGE_BOX_TEXT_KEY);
   ASSERT_NE(box.layer, nullptr);
   EXPECT_STREQ(DocumentOf(&box)->TextGet(), "Hello there");

   PopupManager::Close(&box);
   EXPECT_EQ(box.layer, nullptr);
   EXPECT_EQ(box.text, nullptr);
   EXPECT_EQ(box.onOK, nullptr);
   EXPECT_EQ(box.onOKUserData, nullptr);
   EXPECT_EQ(box.onNo, nullptr);
   GUIManager::Update(0);
   EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);

   // Opened again, it wires the new layer's buttons to itself once more.
   PopupManager::Open(&box);
   ASSERT_NE(box.layer, nullptr);
   auto* ok = dynamic_cast<PressButtonWidget*>(box.layer->DescendantGetByPath("Panel.OK"));
   ASSERT_NE(ok, nullptr);
   EXPECT_EQ(ok->onClick, &MessageBoxPopup::OnOKClick);
   EXPECT_EQ(ok->onClickUserData, &box);
   PopupManager::Close(&box);
}
} // namespace
