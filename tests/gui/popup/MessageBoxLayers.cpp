// The message-box layers of the data, as the build made them: each opens with our fonts and
// button art, shows its text, slides in and out, draws its panel, and answers through the button
// the player clicks.
#include "tests/gui/popup/DataLayersTestSupport.h"

using namespace DataLayersTestSupport;

namespace
{
class MessageBoxLayersTest : public DataLayersTest
{
};

void Answered(MessageBoxPopup*, PressButtonWidget* button, void* userData)
{
   *static_cast<std::string*>(userData) += button->NameGet();
}

TEST_F(MessageBoxLayersTest, EachLayerShowsItsTextAndButtonsAndAnswersWithTheButtonClicked)
{
   const struct
   {
      const char* layer;
      std::vector<std::string> buttons;
   } layers[] = {{"MessageBoxOK", {"OK"}},
                 {"MessageBoxYesNo", {"Yes", "No"}},
                 {"MessageBoxYesNoCancel", {"Yes", "No", "Cancel"}}};
   for (const auto& l : layers)
   {
      for (const std::string& clicked : l.buttons)
      {
         SCOPED_TRACE(std::string(l.layer) + " " + clicked);
         LogCapture log;
         std::string answer;
         MessageBoxPopup* box = MessageBoxPopup::Show("ApplicationName", l.layer);
         ASSERT_NE(box, nullptr);
         ASSERT_NE(box->layer, nullptr);
         box->onOK = box->onCancel = box->onYes = box->onNo = &Answered;
         box->onOKUserData = box->onCancelUserData = box->onYesUserData = box->onNoUserData = &answer;
         EXPECT_GE(GUIManager::transitionsRunning, 1) << "no \"Enter\" transition";

         auto* document = dynamic_cast<TextDocumentWidget*>(box->layer->DescendantGetByPath("Panel.Text"));
         ASSERT_NE(document, nullptr);
         EXPECT_STREQ(document->TextGet(), "Corvale Card Games");
         EXPECT_GE(document->lines.count, 1) << "the text was not laid out in our font";
         for (const char* name : {"OK", "Cancel", "Yes", "No"})
         {
            std::string path = std::string("Panel.") + name;
            auto* button = dynamic_cast<PressButtonWidget*>(box->layer->DescendantGetByPath(path.c_str()));
            bool expected = std::find(l.buttons.begin(), l.buttons.end(), name) != l.buttons.end();
            ASSERT_EQ(button != nullptr, expected) << path;
            if (button)
            {
               ASSERT_EQ(button->stateSprites.count, PRESS_BUTTON_STATE_COUNT);
               for (i32 state = 0; state < PRESS_BUTTON_STATE_COUNT; state++)
               {
                  ButtonWidgetChildSprite* sprite = button->stateSprites[button->StateResolve(state)];
                  ASSERT_NE(sprite, nullptr) << path << " state " << state;
                  EXPECT_NE(sprite->animation, nullptr) << path << " state " << state;
               }
               EXPECT_GT(button->BoundsGet().width, 100.0f) << path;
            }
         }

         // In place, the panel shows over the dimmed screen.
         Tick(1000);
         ASSERT_EQ(GUIManager::transitionsRunning, 0);
         Clear();
         GUIManager::Draw();
         std::vector<u8> frame = Frame();
         Pixel panel = At(frame, 240, 300);
         Pixel outside = At(frame, 40, 40);
         EXPECT_GT(panel.g, panel.r);
         EXPECT_GT(panel.g, 40);
         EXPECT_LT(outside.r + outside.g + outside.b, 30);

         Widget* target = box->layer->DescendantGetByPath(("Panel." + clicked).c_str());
         ASSERT_NE(target, nullptr);
         Point2F middle = MiddleGet(target);
         PointerFrame(middle, MOUSE_BUTTON_LEFT, 0);
         PointerFrame(middle, 0, MOUSE_BUTTON_LEFT);
         EXPECT_EQ(answer, clicked);
         EXPECT_TRUE(box->ClosingCheck());
         EXPECT_GE(GUIManager::transitionsRunning, 1) << "no \"Exit\" transition";
         Tick(1000);
         EXPECT_EQ(PopupManager::IndexGet(box), -1);
         GUIManager::Update(0);
         EXPECT_EQ(GUIManager::root->ChildCountGet(), 0);
         EXPECT_EQ(log.text, "") << "the layer's data is not whole";
      }
   }
}
} // namespace
