// One line of text in a bitmap font inside a text box: a literal text, a text key or a Lua
// expression, aligned, shrunk to fit or scrolled back and forth when it is too wide.
#pragma once

#include "gui/widgets/Widget.h"

namespace Corvale
{
// Bits 0-1 the horizontal part (0 left, 1 centre, 2 right), bits 2-3 the vertical part (0 top,
// 1 middle, 2 bottom): the same bits the font's text positioning takes.
enum LabelTextAlignment : i32
{
   TEXT_ALIGNMENT_TOP_LEFT = 0,
   TEXT_ALIGNMENT_TOP = 1,
   TEXT_ALIGNMENT_TOP_RIGHT = 2,
   TEXT_ALIGNMENT_LEFT = 4,
   TEXT_ALIGNMENT_CENTER = 5,
   TEXT_ALIGNMENT_RIGHT = 6,
   TEXT_ALIGNMENT_BOTTOM_LEFT = 8,
   TEXT_ALIGNMENT_BOTTOM = 9,
   TEXT_ALIGNMENT_BOTTOM_RIGHT = 10
};

class LabelWidget : public Widget
{
 public:
   using Widget::BoundsSet;

   LabelWidget() = default;
   ~LabelWidget() override;

   void InitWithoutSpecification(const char* widgetName, Widget* parentWidget) override;
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   void Draw() override;
   const char* TypeNameGet() override { return "LabelWidget"; }
   // Re-reads the text of the key or the expression.
   void TextsRefresh() override;
   void BoundsSet(const Box2F& box) override;

   // The three text forms: setting one drops the other two.
   virtual const char* TextGet() { return text; }
   virtual void TextSet(const char* newText);
   virtual const char* TextKeyGet() { return textKey; }
   virtual void TextKeySet(const char* key);
   virtual const char* TextExpressionGet() { return textExpression; }
   virtual void TextExpressionSet(const char* expression);
   virtual void TextBoundsSet(const Box2F& box);
   // The explicit text box, or the widget's bounds while the text box is automatic.
   virtual Box2F TextBoundsGet();
   virtual void TextBoundsAutomaticSet() { textBoundsAutomatic = 1; }
   virtual i32 TextAlignmentGet() { return alignment; }
   virtual void TextAlignmentSet(i32 value) { alignment = value; }
   virtual bool TextBounceXGet() { return textBounceX != 0; }
   virtual void TextBounceXSet(bool on);
   virtual float TextBounceXSpeedGet() { return textBounceXSpeed; }
   virtual void TextBounceXSpeedSet(float pixelsPerSecond);
   virtual u32 TextBounceXPauseDurationGet() { return static_cast<u32>(textBounceXPauseDuration); }
   virtual void TextBounceXPauseDurationSet(u32 milliseconds);
   virtual Point2F TextScaleGet() { return textScale; }
   virtual void TextScaleSet(const Point2F& value);
   // The scale the text is drawn at: TextScaleGet, shrunk to fit the text box when asked to.
   virtual Point2F TextScaleEffectiveGet();
   virtual bool TextScaleDownToFitGet() { return textScaleDownToFit != 0; }
   virtual void TextScaleDownToFitSet(bool on) { textScaleDownToFit = on ? 1 : 0; }
   virtual ColorRGBA8 TextColorGet() { return textColor; }
   virtual void TextColorSet(const ColorRGBA8& value) { textColor = value; }
   virtual bool TextAscentDescentMaxUseGet() { return textAscentDescentMaxUse != 0; }
   virtual void TextAscentDescentMaxUseSet(bool on) { textAscentDescentMaxUse = on ? 1 : 0; }
   virtual bool TextBoundsDrawGet() { return textBoundsDraw != 0; }
   virtual void TextBoundsDrawSet(bool on) { textBoundsDraw = on ? 1 : 0; }
   virtual ColorRGBA8 TextBoundsColorGet() { return textBoundsColor; }
   virtual void TextBoundsColorSet(const ColorRGBA8& value) { textBoundsColor = value; }
   virtual bool TextKeyUsedCheck() { return true; }
   virtual bool TextExpressionUsedCheck() { return true; }
   // Measures the text against its box and restarts the bounce cycle; nothing while bouncing is off.
   virtual void TextBounceXUpdate();
   virtual i32 TextAlignmentDefaultGet() { return TEXT_ALIGNMENT_TOP_LEFT; }
   // Hooks through which subclasses change what is drawn without touching the stored text.
   virtual const char* TextDrawnGet() { return TextGet(); }
   virtual i32 TextAlignmentDrawnGet() { return TextAlignmentGet(); }
   virtual Point2F TextOffsetDisplayGet() { return Point2F(); }
   virtual bool TextBounceXDrawnCheck() { return TextBounceXGet(); }
   // The drawn text measured in the widget's font at scale 1; an empty box without font or text.
   virtual Box2F TextExtentGet();

   // The alignment value of a name, -1 for an unknown name.
   static i32 TextAlignmentFind(const char* alignmentName);
   // Makes "Label" known to the widget-type registry.
   static void TypeRegister();

   u8 fontMissingWarned = 0;
   u8 textBoundsAutomatic = 1;
   u8 textBounceX = 0;
   u8 bouncing = 0;
   u8 textAscentDescentMaxUse = 0;
   char* text = nullptr;
   char* textKey = nullptr;
   char* textExpression = nullptr;
   i32 alignment = TEXT_ALIGNMENT_TOP_LEFT;
   float textBounceXSpeed = 50.0f;
   i32 textBounceXPauseDuration = 2000;
   i32 bounceDistance = 0;
   i32 bounceTravelTime = 0;
   // End of the first travel, end of the second pause, whole cycle.
   i32 bouncePhaseEnds[3] = {};
   i32 bounceTime = 0;
   i32 bounceOffset = 0;
   Box2F textBox;
   Point2F textScale{1.0f, 1.0f};
   u8 textScaleDownToFit = 1;
   ColorRGBA8 textColor{255, 255, 255, 255};
   u8 textBoundsDraw = 0;
   ColorRGBA8 textBoundsColor{255, 0, 255, 255};

 private:
   // Every label field back to its default, the strings freed.
   void LabelStateReset();
   void TextFormsFree();
   // Replaces the shown text by a copy (null allowed), keeping key and expression.
   void TextStore(const char* newText);
};
} // namespace Corvale
