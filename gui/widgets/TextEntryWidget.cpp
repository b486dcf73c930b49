// Text entries: the buffers sized by the character limit, typing from the frame's character queue,
// the allowed characters, the password mask and caret, and keeping the caret in view.
#include "gui/widgets/TextEntryWidget.h"

#include <cmath>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "platform/input/Keyboard.h"
#include "platform/sprite/Font.h"

namespace Corvale
{
namespace
{
constexpr u32 CARET_PERIOD = 250;

char* BufferAllocate(i32 size)
{
   char* buffer =
       static_cast<char*>(MemoryAllocate(static_cast<u32>(size), HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN));
   if (buffer)
   {
      buffer[0] = 0;
      buffer[size - 1] = 0;
   }
   return buffer;
}

bool DefaultCharacterCheck(u8 byte)
{
   return byte == ' ' || (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
          (byte >= 'a' && byte <= 'z');
}
} // namespace

void TextEntryWidget::TypeRegister()
{
   GUIManager::WidgetTypeRegister("TextEntry", &WidgetCreate<TextEntryWidget>);
}

void TextEntryWidget::LastCharacterRemove(char* text)
{
   if (!text || !text[0])
   {
      return;
   }
   size_t end = std::strlen(text);
   // Back over the continuation bytes to the byte that starts the last character.
   while (end > 0 && (static_cast<u8>(text[end - 1]) & 0xC0) == 0x80)
   {
      end--;
   }
   text[end > 0 ? end - 1 : 0] = 0;
}

i32 TextEntryWidget::TextLengthMaxRead(Widget* widget, const JSONValue* specification)
{
   double number = 64.0;
   if (specification)
   {
      specification->DoubleGet(&number, "TextLengthMax", 64.0);
   }
   number = std::trunc(number);
   if (number > TEXT_ENTRY_LENGTH_MAX_LIMIT)
   {
      WarningPrintf("%s::Init -- \"TextLengthMax\" %.0f of widget \"%s\" is too large; %d is used\n",
                    widget->TypeNameGet(), number, widget->NameGet() ? widget->NameGet() : "",
                    TEXT_ENTRY_LENGTH_MAX_LIMIT);
      return TEXT_ENTRY_LENGTH_MAX_LIMIT;
   }
   // Below 1 (NaN included) the setters make it 0.
   return number >= 1.0 ? static_cast<i32>(number) : 0;
}

TextEntryWidget::~TextEntryWidget()
{
   BuffersFree();
   MemoryFree(charactersAllowed);
   charactersAllowed = nullptr;
}

void TextEntryWidget::BuffersFree()
{
   MemoryFree(displayText);
   displayText = nullptr;
   MemoryFree(scratchText);
   scratchText = nullptr;
}

void TextEntryWidget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   bufferReady = 0;
   onEnterPress = nullptr;
   onEnterPressUserData = nullptr;
   onFocusGain = nullptr;
   onFocusGainUserData = nullptr;
   onFocusLose = nullptr;
   onFocusLoseUserData = nullptr;
   BuffersFree();
   MemoryFree(charactersAllowed);
   charactersAllowed = nullptr;
   password = 0;
   allCharactersAllowed = 0;
   offsetFontMissingWarned = 0;
   textLengthMax = 64;
   bufferSize = 0;
   // The label's "Text" lands in its ordinary copy; TextLengthMaxSet carries it into the buffer.
   LabelWidget::Init(widgetName, parentWidget, specification);
   bufferReady = 1;
   caretTime = 0;
   hadFocus = 0;
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }

   bool flag;
   specification->BoolGet(&flag, "Password", false);
   PasswordSet(flag);
   specification->BoolGet(&flag, "AllCharactersAllowed", false);
   AllCharactersAllowedSet(flag);
   const char* allowed = specification->ItemGet("CharactersAllowed")->StringValueGet();
   if (allowed)
   {
      CharactersAllowedSet(allowed);
   }
   TextLengthMaxSet(TextLengthMaxRead(this, specification));
}

void TextEntryWidget::Deinit()
{
   BuffersFree();
   MemoryFree(charactersAllowed);
   charactersAllowed = nullptr;
   // The label frees the text buffer.
   LabelWidget::Deinit();
   bufferReady = 0;
   bufferSize = 0;
}

void TextEntryWidget::TextLengthMaxSet(i32 count)
{
   if (count < 1)
   {
      count = 0;
   }
   if (count > TEXT_ENTRY_LENGTH_MAX_LIMIT)
   {
      count = TEXT_ENTRY_LENGTH_MAX_LIMIT;
   }
   // Four bytes for each UTF-8 character, one for the caret, one for the terminator.
   const i32 size = count * 4 + 2;
   char* newText = BufferAllocate(size);
   char* newDisplay = BufferAllocate(size);
   char* newScratch = BufferAllocate(size);
   if (!newText || !newDisplay || !newScratch)
   {
      WarningPrintf("TextEntryWidget::TextLengthMaxSet -- unable to allocate %d bytes for widget \"%s\"\n",
                    size, name ? name : "");
      MemoryFree(newText);
      MemoryFree(newDisplay);
      MemoryFree(newScratch);
      return;
   }
   BuffersFree();
   textLengthMax = count;
   bufferSize = size;
   displayText = newDisplay;
   scratchText = newScratch;
   char* previous = text;
   text = newText;
   if (previous)
   {
      TextSet(previous);
      MemoryFree(previous);
   }
   DisplayUpdate(0);
}

void TextEntryWidget::TextSet(const char* newText)
{
   if (!BufferCheck())
   {
      LabelWidget::TextSet(newText);
   }
   else if (!newText)
   {
      text[0] = 0;
   }
   else if (newText != text)
   {
      NultStrncpy(text, newText, static_cast<u32>(bufferSize - 1));
      // A cut may fall inside a character: drop its lead bytes rather than keep half of it.
      UTF8Truncate(text, static_cast<u32>(bufferSize - 1));
   }
   DisplayUpdate(0);
}

void TextEntryWidget::PasswordSet(bool on)
{
   password = on ? 1 : 0;
   DisplayUpdate(0);
}

void TextEntryWidget::AllCharactersAllowedSet(bool on)
{
   allCharactersAllowed = on ? 1 : 0;
   MemoryFree(charactersAllowed);
   charactersAllowed = nullptr;
}

void TextEntryWidget::CharactersAllowedSet(const char* characters)
{
   allCharactersAllowed = 0;
   char* copy = characters ? StringDuplicate(characters, HEAP_DEFAULT) : nullptr;
   MemoryFree(charactersAllowed);
   charactersAllowed = copy;
}

bool TextEntryWidget::CharacterAllowedCheck(const char* character)
{
   if (!character || !character[0])
   {
      return false;
   }
   if (!charactersAllowed)
   {
      // Only the first byte counts, so every byte of a multi-byte character is refused.
      return allCharactersAllowed || DefaultCharacterCheck(static_cast<u8>(character[0]));
   }
   u32 wanted = 0;
   if (UTF8CharacterToUnicode(&wanted, character) < 0)
   {
      return false;
   }
   const char* at = charactersAllowed;
   while (*at)
   {
      u32 codePoint = 0;
      i32 length = UTF8CharacterToUnicode(&codePoint, at);
      if (length < 0)
      {
         return false;
      }
      if (codePoint == wanted)
      {
         return true;
      }
      at += length;
   }
   return false;
}

void TextEntryWidget::Update(u32 elapsed)
{
   LabelWidget::Update(elapsed);
   bool enterPressed = false;
   if (FocusCheck() && BufferCheck() && InputAcceptableCheck() && keyboardState.readable)
   {
      for (i32 i = 0; i < keyboardState.readableCount; i++)
      {
         const char* character = keyboardState.readable[i];
         const u8 first = static_cast<u8>(character[0]);
         if (first == 8)
         {
            LastCharacterRemove(text);
            continue;
         }
         if (first == 10 || first == 13)
         {
            // What follows Enter in the same frame is dropped.
            enterPressed = true;
            break;
         }
         if (!CharacterAllowedCheck(character))
         {
            continue;
         }
         const size_t length = std::strlen(character);
         if (length + 2 + std::strlen(text) > static_cast<size_t>(bufferSize) ||
             UTF8CharacterCount(text) + 1 > textLengthMax ||
             !NultStrncatTruncate(text, character, static_cast<u32>(bufferSize - 1)))
         {
            break;
         }
      }
   }
   DisplayUpdate(elapsed);
   if (enterPressed)
   {
      OnEnterPress();
   }
   const bool focused = FocusCheck();
   // The Enter handler may have given the focus away and back.
   if (focused && !hadFocus)
   {
      OnFocusGain();
   }
   hadFocus = focused ? 1 : 0;
}

void TextEntryWidget::DisplayUpdate(u32 elapsed)
{
   caretTime += elapsed;
   const bool focused = FocusCheck();
   if (focused && !hadFocus)
   {
      caretTime = 0;
   }
   if (!focused && hadFocus && TextBounceXGet())
   {
      TextBounceXUpdate();
   }
   if (BufferCheck())
   {
      const u32 size = static_cast<u32>(bufferSize);
      if (password)
      {
         displayText[0] = 0;
         const i32 count = UTF8CharacterCount(text);
         if (count > 0 && count + 1 < bufferSize)
         {
            for (i32 i = 0; i < count; i++)
            {
               if (!NultStrncat(displayText, "*", size) || !UTF8Truncate(displayText, size))
               {
                  break;
               }
            }
         }
      }
      else
      {
         NultStrncpy(displayText, text, size - 1);
      }
      // Hidden for the first period after the focus arrives, then blinking.
      if (focused && (caretTime / CARET_PERIOD) % 2 == 1)
      {
         NultStrncat(displayText, "|", size);
      }
   }
   hadFocus = focused ? 1 : 0;
}

void TextEntryWidget::OnEnterPress()
{
   LuaEventCallf("OnEnterPress", "");
   if (onEnterPress)
   {
      onEnterPress(this, onEnterPressUserData);
   }
}

void TextEntryWidget::OnFocusGain()
{
   LabelWidget::OnFocusGain();
   LuaEventCallf("OnFocusGain", "");
   if (onFocusGain)
   {
      onFocusGain(this, onFocusGainUserData);
   }
}

void TextEntryWidget::OnFocusLose()
{
   LabelWidget::OnFocusLose();
   LuaEventCallf("OnFocusLose", "");
   if (onFocusLose)
   {
      onFocusLose(this, onFocusLoseUserData);
   }
}

const char* TextEntryWidget::TextDrawnGet()
{
   return BufferCheck() ? displayText : TextGet();
}

i32 TextEntryWidget::TextAlignmentDrawnGet()
{
   // Left-aligned while edited; TextOffsetDisplayGet places the text and its caret.
   return FocusCheck() ? (TextAlignmentGet() & ~3) : TextAlignmentGet();
}

bool TextEntryWidget::TextBounceXDrawnCheck()
{
   return FocusCheck() ? false : TextBounceXGet();
}

const char* TextEntryWidget::ScratchWithCaretGet()
{
   if (!BufferCheck())
   {
      return "|";
   }
   NultStrncpy(scratchText, text, static_cast<u32>(bufferSize - 1));
   NultStrncat(scratchText, "|", static_cast<u32>(bufferSize));
   return scratchText;
}

Point2F TextEntryWidget::TextOffsetDisplayGet()
{
   if (!FocusCheck())
   {
      return LabelWidget::TextOffsetDisplayGet();
   }
   Font* drawingFont = FontGet();
   if (!drawingFont)
   {
      if (!offsetFontMissingWarned)
      {
         WarningPrintf("TextEntryWidget::TextOffsetDisplayGet -- font is NULL for widget: %s\n",
                       name ? name : "");
         offsetFontMissingWarned = 1;
      }
      return Point2F();
   }
   // Measured with the caret always present, so the text does not move as the caret blinks.
   const char* measured = ScratchWithCaretGet();
   const Box2F box = TextBoundsGet();
   const u32 horizontal = static_cast<u32>(TextAlignmentGet()) & 3u;
   Point2F offset;
   if (!TextScaleDownToFitGet())
   {
      Box2F extent;
      drawingFont->TextBoundsGet(&extent, measured, true);
      const float width = extent.width * TextScaleGet().x;
      if (width > box.width)
      {
         // Too wide: the end of the text and the caret stay in view.
         offset.x = box.width - width;
      }
      else if (horizontal == FONT_ALIGN_CENTER_X)
      {
         offset.x = (box.width - width) / 2.0f;
      }
      else if (horizontal == FONT_ALIGN_RIGHT)
      {
         offset.x = box.width - width;
      }
      return offset;
   }
   // Scaled to fit with the caret: where the label's alignment puts it, against the left edge.
   const Point2F scale = TextScaleEffectiveGet();
   Point2F aligned;
   Point2F left;
   drawingFont->TextPositionGet(&aligned, measured, box, static_cast<u32>(TextAlignmentGet()),
                                textAscentDescentMaxUse != 0, scale);
   drawingFont->TextPositionGet(&left, measured, box, static_cast<u32>(TextAlignmentGet() & ~3),
                                textAscentDescentMaxUse != 0, scale);
   offset.x = aligned.x - left.x;
   return offset;
}

Box2F TextEntryWidget::TextExtentGet()
{
   Box2F extent;
   Font* drawingFont = FontGet();
   if (!drawingFont)
   {
      return extent;
   }
   if (FocusCheck() && TextScaleDownToFitGet())
   {
      // Room for the caret in the scaling, so that the text does not shrink as it blinks.
      drawingFont->TextBoundsGet(&extent, ScratchWithCaretGet(), true);
   }
   else if (TextDrawnGet())
   {
      drawingFont->TextBoundsGet(&extent, TextDrawnGet(), true);
   }
   return extent;
}
} // namespace Corvale
