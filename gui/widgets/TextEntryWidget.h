// A one-line text input: a label that, while it has the focus, takes the frame's typed characters,
// shows a blinking caret, can mask its text and limits what and how much may be typed.
#pragma once

#include "gui/widgets/LabelWidget.h"

namespace Corvale
{
class JSONValue;
class TextEntryWidget;

typedef void (*TextEntryCallback)(TextEntryWidget* entry, void* userData);

// The most characters a layer file may ask for: the entry's buffers are 4n + 2 bytes, which must
// not wrap around in 32 bits.
constexpr i32 TEXT_ENTRY_LENGTH_MAX_LIMIT = 65535;

class TextEntryWidget : public LabelWidget
{
 public:
   TextEntryWidget() = default;
   ~TextEntryWidget() override;

   // After the label's keys: "Password", "AllCharactersAllowed", "CharactersAllowed", "TextLengthMax".
   void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification) override;
   void Deinit() override;
   void Update(u32 elapsed) override;
   const char* TypeNameGet() override { return "TextEntryWidget"; }
   void OnFocusGain() override;
   void OnFocusLose() override;
   bool LuaEventsEnabledCheck() override { return true; }
   // Keeps at most buffer size - 2 bytes; the character limit applies only to typing.
   void TextSet(const char* newText) override;
   // An entry holds only plain text.
   const char* TextKeyGet() override { return nullptr; }
   void TextKeySet(const char* key) override { (void)key; }
   const char* TextExpressionGet() override { return nullptr; }
   void TextExpressionSet(const char* expression) override { (void)expression; }
   bool TextKeyUsedCheck() override { return false; }
   bool TextExpressionUsedCheck() override { return false; }
   const char* TextDrawnGet() override;
   i32 TextAlignmentDrawnGet() override;
   Point2F TextOffsetDisplayGet() override;
   bool TextBounceXDrawnCheck() override;
   Box2F TextExtentGet() override;

   virtual i32 TextLengthMaxGet() { return textLengthMax; }
   // Below 1 becomes 0. Makes new buffers and carries the text over.
   virtual void TextLengthMaxSet(i32 count);
   virtual void PasswordSet(bool on);
   virtual bool PasswordGet() { return password != 0; }
   // Drops the allowed-character list.
   virtual void AllCharactersAllowedSet(bool on);
   virtual bool AllCharactersAllowedGet() { return allCharactersAllowed != 0; }
   // UTF-8; clears AllCharactersAllowed. Null allowed.
   virtual void CharactersAllowedSet(const char* characters);
   virtual void OnEnterPress();
   // Builds what is drawn: the text or its asterisks, and the caret while focused.
   virtual void DisplayUpdate(u32 elapsed);
   // character: one UTF-8 character.
   virtual bool CharacterAllowedCheck(const char* character);

   // Removes the last whole UTF-8 character; nothing for an empty or null text.
   static void LastCharacterRemove(char* text);
   // Reads "TextLengthMax" (default 64), truncated and capped at TEXT_ENTRY_LENGTH_MAX_LIMIT with a
   // log line naming the widget.
   static i32 TextLengthMaxRead(Widget* widget, const JSONValue* specification);
   // Makes "TextEntry" known to the widget-type registry.
   static void TypeRegister();

   u8 bufferReady = 0;
   i32 textLengthMax = 64;
   i32 bufferSize = 0;
   u32 caretTime = 0;
   u8 hadFocus = 0;
   u8 password = 0;
   u8 allCharactersAllowed = 0;
   u8 offsetFontMissingWarned = 0;
   char* charactersAllowed = nullptr;
   char* displayText = nullptr;
   char* scratchText = nullptr;
   TextEntryCallback onEnterPress = nullptr;
   void* onEnterPressUserData = nullptr;
   TextEntryCallback onFocusGain = nullptr;
   void* onFocusGainUserData = nullptr;
   TextEntryCallback onFocusLose = nullptr;
   void* onFocusLoseUserData = nullptr;

 private:
   // The text buffer is ours only once TextLengthMaxSet has made it.
   bool BufferCheck() { return bufferReady && displayText && scratchText && text; }
   // The text followed by the caret, in the scratch buffer.
   const char* ScratchWithCaretGet();
   void BuffersFree();
};
} // namespace Corvale
