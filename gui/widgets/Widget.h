// The base of every GUI element: its place in the tree, geometry, interaction settings, sounds,
// clipping, named transitions and the input operations that subclasses override.
#pragma once

#include <cstdarg>

#include "core/Box.h"
#include "core/Color.h"
#include "core/Map.h"
#include "core/Point.h"
#include "core/Types.h"
#include "platform/input/HoldTracker.h"

namespace Corvale
{
class Font;
class JSONValue;
class Sound;
class WidgetTransition;
struct MouseState;
struct PointerRecord;

// x and y the larger of the two, width and height up to the nearer right and bottom edges; an
// empty or negative result is not corrected.
Box2F BoxIntersection(const Box2F& a, const Box2F& b);
// Each channel (a/255 × b/255) × 255, truncated: a widget's colour tinting another colour.
ColorRGBA8 ColorMultiply(const ColorRGBA8& a, const ColorRGBA8& b);
// The union rule of container bounds: an empty running box takes the next box whole, an empty
// next box is skipped, otherwise both are joined.
void BoxUnionAdd(Box2F* running, const Box2F& box, bool first);

constexpr i32 WIDGET_NEIGHBOUR_COUNT = 4;

// The four interface sounds, in field order.
enum WidgetSound : i32
{
   WIDGET_SOUND_MOUSE_OVER = 0,
   WIDGET_SOUND_PRESS = 1,
   WIDGET_SOUND_INVALID_PRESS = 2,
   WIDGET_SOUND_CLICK = 3,
   WIDGET_SOUND_COUNT = 4
};

class Widget
{
 public:
   typedef Map<const char*, WidgetTransition*> TransitionMap;

   Widget();
   virtual ~Widget();
   Widget(const Widget&) = delete;
   Widget& operator=(const Widget&) = delete;

   virtual void Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification);
   virtual void InitWithoutSpecification(const char* widgetName, Widget* parentWidget);
   virtual void Deinit();
   virtual void Update(u32 elapsed);
   virtual void DrawBegin();
   virtual void Draw();
   virtual void DrawEnd();
   virtual void RemovedSet();
   virtual bool RemovedCheck();
   virtual bool VisibleCheck();
   virtual void VisibleSet(bool on) { visible = on ? 1 : 0; }
   virtual bool EnabledCheck();
   virtual void EnabledSet(bool on) { enabled = on ? 1 : 0; }
   virtual const char* NameGet() { return name; }
   virtual const char* TypeNameGet() { return "Widget"; }
   virtual Widget* ParentGet() { return parent; }
   virtual void ParentSet(Widget* parentWidget) { parent = parentWidget; }
   // Texts follow the language; containers pass it on to their children.
   virtual void TextsRefresh() {}
   // point is in the parent's space.
   virtual Widget* WidgetAtPointGet(const Point2F& point);
   virtual bool PointTestEnabledCheck();
   virtual void PointTestEnabledSet(bool on) { pointTestEnabled = on ? 1 : 0; }
   virtual bool PointTestPerPixelGet() { return pointTestPerPixel != 0; }
   virtual void PointTestPerPixelSet(bool on) { pointTestPerPixel = on ? 1 : 0; }
   // point is in the widget's own space.
   virtual bool PixelTest(const Point2F& point)
   {
      (void)point;
      return false;
   }
   virtual Widget* ChildGetAt(i32 index)
   {
      (void)index;
      return nullptr;
   }
   virtual i32 ChildCountGet() { return 0; }
   virtual bool ChildRemoveAt(i32 index)
   {
      (void)index;
      return false;
   }

   // Input, called by the GUI manager.
   virtual void OnPress();
   virtual void OnRelease() {}
   virtual void OnDoubleClick() {}
   virtual void OnClick();
   virtual void OnMouseOver();
   virtual void OnMouseOut() {}
   virtual void OnDrag();
   virtual void OnDragEnd() {}
   virtual void OnHold(i32 repeatCount) { (void)repeatCount; }
   virtual void OnRightPress() {}
   virtual void OnRightRelease() {}
   virtual void OnRightClick() {}
   virtual void OnMouseScroll(i32 notches) { (void)notches; }
   virtual void OnFocusGain() {}
   virtual void OnFocusLose() {}
   virtual void PressRecordsClear();
   virtual void OnNavigationSelect(bool selected);
   virtual void OnNavigationPress();
   virtual void OnNavigationRelease() {}
   virtual void OnNavigationClick();
   virtual void OnRemoveBegin() {}
   virtual void OnRemoved() {}

   // Geometry.
   virtual Point2F PositionGet();
   virtual void PositionSet(const Point2F& point) { position = point; }
   virtual void PositionAbsoluteSet(float x, float y);
   virtual void BoundsSet(i32 x, i32 y, i32 width, i32 height);
   virtual void BoundsSet(const Box2F& box) { bounds = box; }
   virtual Box2F BoundsGet() { return bounds; }
   virtual float DepthGet() { return depth; }
   virtual float DepthAbsoluteGet();
   virtual void DepthSet(float value) { depth = value; }
   virtual void DepthAbsoluteSet(float value);
   virtual void CanDragSet(bool on) { canDrag = on ? 1 : 0; }
   virtual bool CanDragGet() { return canDrag != 0; }
   virtual Box2F DragAreaGet();
   virtual Box2F DragBufferAreaGet() { return *dragBufferArea; }
   virtual void ClipAreaSet(const Box2F& box);
   virtual Box2F ClipAreaGet();
   virtual Box2F ClipAreaEffectiveGet(bool ignoreAncestors);
   virtual void ClipAreaClear() { clipAreaSet = 0; }
   virtual bool ClipAreaCheck() { return clipAreaSet != 0; }
   virtual bool AncestorClippingIgnoreGet() { return ancestorClippingIgnore != 0; }
   virtual void AncestorClippingIgnoreSet(bool on) { ancestorClippingIgnore = on ? 1 : 0; }
   virtual u32 HoldStartDelayGet() { return holdTracker.startDelay; }
   virtual void HoldStartDelaySet(u32 milliseconds) { holdTracker.startDelay = milliseconds; }
   virtual u32 HoldIntervalDurationGet() { return holdTracker.interval; }
   virtual void HoldIntervalDurationSet(u32 milliseconds) { holdTracker.interval = milliseconds; }
   virtual const char* SpriteResourceFilenameGet();
   virtual void SpriteResourceFilenameSet(const char* filename);
   virtual void FontSet(Font* newFont);
   virtual Font* FontGet();

   // Sounds: each widget holds one reference on every sound it names, so that the sound
   // outlives it.
   virtual void MouseOverSoundSet(Sound* sound) { SoundFieldSet(WIDGET_SOUND_MOUSE_OVER, sound); }
   virtual Sound* MouseOverSoundGet();
   virtual bool MouseOverSoundEnabledGet() { return mouseOverSoundEnabled != 0; }
   virtual void MouseOverSoundEnabledSet(bool on) { mouseOverSoundEnabled = on ? 1 : 0; }
   virtual void PressSoundSet(Sound* sound) { SoundFieldSet(WIDGET_SOUND_PRESS, sound); }
   virtual Sound* PressSoundGet();
   virtual bool PressSoundEnabledGet() { return pressSoundEnabled != 0; }
   virtual void PressSoundEnabledSet(bool on) { pressSoundEnabled = on ? 1 : 0; }
   virtual void InvalidPressSoundSet(Sound* sound) { SoundFieldSet(WIDGET_SOUND_INVALID_PRESS, sound); }
   virtual Sound* InvalidPressSoundGet();
   virtual bool InvalidPressSoundEnabledGet() { return invalidPressSoundEnabled != 0; }
   virtual void InvalidPressSoundEnabledSet(bool on) { invalidPressSoundEnabled = on ? 1 : 0; }
   virtual void ClickSoundSet(Sound* sound) { SoundFieldSet(WIDGET_SOUND_CLICK, sound); }
   virtual Sound* ClickSoundGet();
   virtual bool ClickSoundEnabledGet() { return clickSoundEnabled != 0; }
   virtual void ClickSoundEnabledSet(bool on) { clickSoundEnabled = on ? 1 : 0; }

   // Lua handler tables (only while GUI scripting is on).
   // A new string the caller owns, with at least spareLength bytes free after the text.
   virtual char* EventHandlerTableBuild(i32 spareLength);
   virtual const char* EventHandlerTableNameGet() { return eventHandlerTableName; }
   virtual void EventSourceChildSet(Widget* child);
   virtual Widget* EventSourceChildGet() { return eventSourceChild; }

   // Focus.
   virtual Widget* FocusTargetGet();
   virtual bool CanHaveFocusGet() { return canHaveFocus != 0; }
   virtual void CanHaveFocusSet(bool on) { canHaveFocus = on ? 1 : 0; }
   virtual bool CanChangeFocusGet() { return canChangeFocus != 0; }
   virtual void CanChangeFocusSet(bool on) { canChangeFocus = on ? 1 : 0; }
   virtual bool CanHaveFocusDefaultGet() { return false; }
   virtual bool CanChangeFocusDefaultGet() { return true; }
   virtual bool FocusCheck();
   virtual bool MouseScrollTargetCheck() { return false; }
   virtual bool HoveredByCheck(MouseState* pointer);
   virtual bool HoveredByDescendantCheck(MouseState* pointer)
   {
      (void)pointer;
      return false;
   }
   virtual bool DescendantCheck(Widget* widget)
   {
      (void)widget;
      return false;
   }
   // True: the GUI manager destroys the widget after its deferred Deinit.
   virtual bool DeleteOnRemoveCheck() { return true; }

   // Transitions.
   virtual void TransitionStart(const char* transitionName);
   virtual bool TransitionRunningCheck();
   virtual void TransitionFinish();

   virtual bool BoundsDrawGet() { return boundsDraw != 0; }
   virtual void BoundsDrawSet(bool on) { boundsDraw = on ? 1 : 0; }
   virtual ColorRGBA8 BoundsColorGet() { return boundsColor; }
   virtual void BoundsColorSet(const ColorRGBA8& value) { boundsColor = value; }
   virtual bool BoundsFilledDrawGet() { return boundsFilledDraw != 0; }
   virtual void BoundsFilledDrawSet(bool on) { boundsFilledDraw = on ? 1 : 0; }
   virtual ColorRGBA8 BoundsFilledColorGet() { return boundsFilledColor; }
   virtual void BoundsFilledColorSet(const ColorRGBA8& value) { boundsFilledColor = value; }
   virtual float RotationGet();
   virtual void RotationSet(float degrees) { rotation = degrees; }
   virtual Point2F ScaleGet();
   virtual void ScaleSet(float x, float y) { scale = Point2F{x, y}; }
   virtual ColorRGBA8 ColorGet() { return color; }
   virtual void ColorSet(const ColorRGBA8& value) { color = value; }
   virtual void MouseScrollCoefficientSet(float value) { mouseScrollCoefficient = value; }
   virtual float MouseScrollCoefficientGet() { return mouseScrollCoefficient; }
   virtual void MouseScrollEnabledSet(bool on) { mouseScrollEnabled = on ? 1 : 0; }
   virtual bool MouseScrollEnabledGet() { return mouseScrollEnabled != 0; }
   virtual bool PressedCheck() { return pressed != 0; }
   virtual void TransitionsApply();
   virtual Widget* NeighbourGet(i32 direction);
   virtual void NeighbourSet(i32 direction, Widget* widget);
   virtual Point2F DragGrabOffsetGet() { return dragGrabOffset; }
   virtual bool EventHandlerTableWantedCheck() { return true; }
   virtual bool LuaEventsEnabledCheck() { return false; }
   virtual bool MouseOverSoundEnabledDefaultGet() { return false; }
   virtual bool PressSoundEnabledDefaultGet() { return false; }
   virtual bool InvalidPressSoundEnabledDefaultGet() { return false; }
   virtual bool ClickSoundEnabledDefaultGet() { return false; }
   virtual bool LuaEventCallf(const char* eventName, const char* argumentFormat, ...);
   virtual bool LuaEventVcallf(const char* eventName, const char* argumentFormat, va_list arguments);

   // PositionGet plus the parent's absolute position, up to the root.
   Point2F PositionAbsoluteGet();
   // This widget or an ancestor has a transition that is set and not done.
   bool TransitionActiveCheck();
   // Enabled, input allowed by the GUI manager, and no transition running here or above.
   bool InputAcceptableCheck();

   u8 enabled = 1;
   u8 visible = 1;
   u8 dragging = 0;
   u8 canDrag = 0;
   u8 dragAreaInForce = 0;
   u8 removed = 0;
   Widget* nextRemoved = nullptr;
   u8 dragAreaInherited = 0;
   u8 pressed = 0;
   u8 canHaveFocus = 0;
   u8 canChangeFocus = 1;
   u8 clipAreaSet = 0;
   u8 ancestorClippingIgnore = 0;
   u8 pointTestEnabled = 1;
   u8 pointTestPerPixel = 0;
   char* spriteResourceFilename = nullptr;
   u8 fontOwned = 0;
   Font* font = nullptr;
   Sound* mouseOverSound = nullptr;
   Sound* pressSound = nullptr;
   Sound* invalidPressSound = nullptr;
   Sound* clickSound = nullptr;
   u8 mouseOverSoundEnabled = 0;
   u8 pressSoundEnabled = 0;
   u8 invalidPressSoundEnabled = 0;
   u8 clickSoundEnabled = 0;
   // Bit n: this widget holds a reference on sound n in the sound cache.
   u8 soundsReferenced = 0;
   HoldTracker holdTracker;
   char* name = nullptr;
   char* eventHandlerTableName = nullptr;
   Widget* parent = nullptr;
   Widget* eventSourceChild = nullptr;
   Point2F position;
   float depth = 0.0f;
   float rotation = 0.0f;
   Point2F scale{1.0f, 1.0f};
   ColorRGBA8 color{255, 255, 255, 255};
   Point2F dragGrabOffset;
   Box2F bounds;
   Box2F dragArea;
   // Points at bounds, or at ownDragBufferArea when "DragBufferArea" is given.
   Box2F* dragBufferArea;
   Box2F ownDragBufferArea;
   Box2F clipArea;
   PointerRecord* leftPressRecord = nullptr;
   PointerRecord* rightPressRecord = nullptr;
   u8 doubleClick = 0;
   WidgetTransition* transition = nullptr;
   u8 transitionCounted = 0;
   TransitionMap transitions;
   u8 transitionsReady = 0;
   float mouseScrollCoefficient = 1.0f;
   u8 mouseScrollEnabled = 1;
   Widget* neighbours[WIDGET_NEIGHBOUR_COUNT] = {};
   u8 boundsDraw = 0;
   ColorRGBA8 boundsColor{255, 255, 255, 255};
   u8 boundsFilledDraw = 0;
   ColorRGBA8 boundsFilledColor{58, 58, 58, 255};

 protected:
   // A point of the parent's space in this widget's own space: position taken off, rotation
   // turned back, scale divided out.
   Point2F PointToLocal(const Point2F& point);
   // Steps shared by both Init operations: flags, hold tracker, name and parent.
   void BaseStateReset(const char* widgetName, Widget* parentWidget);
   // Creates the handler table while GUI scripting is on.
   void EventHandlerTableSetUp();
   void TransitionsRead(const JSONValue* specification);
   void TransitionsRelease();
   void TransitionUncount();
   // The transition has finished: it stops being current unless it remains, and is uncounted.
   void TransitionEnd();
   // Swaps the sound in a field, moving this widget's reference from the old sound to the new one.
   void SoundFieldSet(i32 which, Sound* sound);
   Sound** SoundFieldGet(i32 which);
   void SoundsRelease();
   void FontRelease();
   static void SoundPlay(Sound* sound);
};
} // namespace Corvale
