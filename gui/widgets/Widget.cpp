// The widget base: reading a widget from JSON, hit testing, dragging, hold repeats, sounds,
// clipping, transitions and the Lua handler table.
#include "gui/widgets/Widget.h"

#include <cmath>
#include <cstring>

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/ScriptManager.h"
#include "core/StringHelpers.h"
#include "gui/GUIManager.h"
#include "gui/transitions/WidgetTransition.h"
#include "platform/sprite/FontManager.h"
#include "platform/input/MouseState.h"
#include "platform/window/Screen.h"
#include "platform/sound/Sound.h"
#include "platform/sound/SoundManagerOpenAL.h"

namespace Corvale
{
namespace
{
const ColorRGBA8 colorWhite{255, 255, 255, 255};
const ColorRGBA8 colorBoundsFilledDefault{58, 58, 58, 255};
const char* const soundKeys[WIDGET_SOUND_COUNT] = {"MouseOverSound", "PressSound", "InvalidPressSound",
                                                   "ClickSound"};

bool InsideCheck(const Box2F& box, const Point2F& point)
{
   return box.x <= point.x && point.x < box.x + box.width && box.y <= point.y && point.y < box.y + box.height;
}

// One more count on a cached sound; false when the cache does not hold it (nothing to count).
bool SoundReferenceTake(Sound* sound)
{
   if (!sound || !soundManager.initialised)
   {
      return false;
   }
   ResourceCache<Sound>::Iterator iterator;
   if (!soundManager.soundCache.ResourceFind(sound, &iterator))
   {
      return false;
   }
   iterator.node->value->referenceCount++;
   return true;
}

// The sound manager's shutdown destroys every cached sound whatever its count, so a sound that has
// left the cache is not ours to release any more.
void SoundReferenceDrop(Sound* sound)
{
   if (!sound || !soundManager.initialised || !soundManager.soundCache.ResourceFind(sound, nullptr))
   {
      return;
   }
   soundManager.Unload(sound);
}
} // namespace

Box2F BoxIntersection(const Box2F& a, const Box2F& b)
{
   Box2F box;
   box.x = a.x > b.x ? a.x : b.x;
   box.y = a.y > b.y ? a.y : b.y;
   float right = a.x + a.width < b.x + b.width ? a.x + a.width : b.x + b.width;
   float bottom = a.y + a.height < b.y + b.height ? a.y + a.height : b.y + b.height;
   box.width = right - box.x;
   box.height = bottom - box.y;
   return box;
}

ColorRGBA8 ColorMultiply(const ColorRGBA8& a, const ColorRGBA8& b)
{
   auto channel = [](u8 x, u8 y)
   { return static_cast<u8>((static_cast<float>(x) / 255.0f * (static_cast<float>(y) / 255.0f)) * 255.0f); };
   return ColorRGBA8{channel(a.r, b.r), channel(a.g, b.g), channel(a.b, b.b), channel(a.a, b.a)};
}

void BoxUnionAdd(Box2F* running, const Box2F& box, bool first)
{
   if (first)
   {
      *running = box;
      return;
   }
   if (box.width == 0.0f || box.height == 0.0f)
   {
      return;
   }
   if (running->width == 0.0f || running->height == 0.0f)
   {
      *running = box;
      return;
   }
   float left = running->x < box.x ? running->x : box.x;
   float top = running->y < box.y ? running->y : box.y;
   float right =
       running->x + running->width > box.x + box.width ? running->x + running->width : box.x + box.width;
   float bottom =
       running->y + running->height > box.y + box.height ? running->y + running->height : box.y + box.height;
   *running = Box2F{left, top, right - left, bottom - top};
}

Widget::Widget() : dragBufferArea(&bounds)
{
}

Widget::~Widget()
{
   // A widget destroyed without its Deinit still gives back what it holds.
   Widget::Deinit();
}

void Widget::BaseStateReset(const char* widgetName, Widget* parentWidget)
{
   enabled = 1;
   visible = 1;
   dragging = 0;
   canDrag = 0;
   removed = 0;
   pressed = 0;
   fontOwned = 0;
   doubleClick = 0;
   transitionCounted = 0;
   nextRemoved = nullptr;
   font = nullptr;
   eventSourceChild = nullptr;
   transition = nullptr;
   leftPressRecord = nullptr;
   rightPressRecord = nullptr;
   PointTestPerPixelSet(false);

   holdTracker.holding = false;
   holdTracker.fireOnStart = false;
   holdTracker.remaining = 500;
   holdTracker.startDelay = 500;
   holdTracker.interval = 50;
   holdTracker.count = 0;

   MemoryFree(name);
   const char* given = widgetName && widgetName[0] ? widgetName : TypeNameGet();
   name = StringDuplicate(given, HEAP_DEFAULT);
   ParentSet(parentWidget);
}

void Widget::EventHandlerTableSetUp()
{
   if (!GUIManager::scriptingEnabled)
   {
      return;
   }
   MemoryFree(eventHandlerTableName);
   eventHandlerTableName = EventHandlerTableBuild(1);
   if (eventHandlerTableName && EventHandlerTableWantedCheck() &&
       ScriptManager::ExpressionNilCheckf("%s", eventHandlerTableName))
   {
      ScriptManager::Executef("%s = {}", eventHandlerTableName);
   }
}

void Widget::InitWithoutSpecification(const char* widgetName, Widget* parentWidget)
{
   BaseStateReset(widgetName, parentWidget);
   MouseOverSoundEnabledSet(MouseOverSoundEnabledDefaultGet());
   PressSoundEnabledSet(PressSoundEnabledDefaultGet());
   InvalidPressSoundEnabledSet(InvalidPressSoundEnabledDefaultGet());
   ClickSoundEnabledSet(ClickSoundEnabledDefaultGet());
   EventHandlerTableSetUp();

   position = Point2F{0.0f, 0.0f};
   depth = 0.0f;
   rotation = 0.0f;
   scale = Point2F{1.0f, 1.0f};
   color = colorWhite;
   bounds = Box2F();
   dragAreaInForce = 1;
   dragBufferArea = &bounds;
   dragAreaInherited = 1;
   HoldStartDelaySet(500);
   HoldIntervalDurationSet(50);
   clipArea = GUIManager::screenArea;
   ClipAreaClear();
   AncestorClippingIgnoreSet(false);
   CanHaveFocusSet(CanHaveFocusDefaultGet());
   CanChangeFocusSet(CanChangeFocusDefaultGet());
   MouseScrollCoefficientSet(1.0f);
   MouseScrollEnabledSet(true);

   transitionsReady = 1;
   boundsDraw = 0;
   boundsColor = colorWhite;
   boundsFilledDraw = 0;
   boundsFilledColor = colorBoundsFilledDefault;
}

void Widget::Init(const char* widgetName, Widget* parentWidget, const JSONValue* specification)
{
   BaseStateReset(widgetName, parentWidget);
   transitionsReady = 1;
   EventHandlerTableSetUp();
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   const char* typeName = TypeNameGet();
   bool flag;

   specification->BoolGet(&flag, "Visible", true);
   VisibleSet(flag);
   specification->BoolGet(&flag, "Enabled", true);
   EnabledSet(flag);
   specification->BoolGet(&flag, "PointTestEnabled", true);
   PointTestEnabledSet(flag);
   specification->BoolGet(&flag, "PointTestPerPixel", false);
   PointTestPerPixelSet(flag);

   JSONValue* item = specification->ItemFind("CanDrag");
   bool drag = false;
   if (item && item->TypeGet() == JSONValue::TYPE_BOOL)
   {
      drag = item->BoolValueGet();
   }
   else if (item && item->TypeGet() == JSONValue::TYPE_NUMBER)
   {
      drag = item->DoubleValueGet() != 0.0;
   }
   CanDragSet(drag);
   specification->BoolGet(&flag, "CanHaveFocus", CanHaveFocusDefaultGet());
   CanHaveFocusSet(flag);
   specification->BoolGet(&flag, "CanChangeFocus", CanChangeFocusDefaultGet());
   CanChangeFocusSet(flag);

   const Point2F origin{0.0f, 0.0f};
   Point2F point;
   item = specification->ItemFind("Position");
   if (item && item->TypeGet() != JSONValue::TYPE_NULL)
   {
      specification->Point2FGet(&point, "Position", &origin, typeName, name, false);
      PositionAbsoluteSet(point.x, point.y);
   }
   else
   {
      specification->Point2FGet(&point, "PositionOffset", &origin, typeName, name, false);
      PositionSet(point);
   }

   // A depth written as a text is a common slip in layer files; it is reported and ignored.
   auto depthRead = [&](const char* key, double* out)
   {
      JSONValue* value = specification->ItemFind(key);
      if (value && value->TypeGet() == JSONValue::TYPE_STRING)
      {
         if (name && name[0])
         {
            WarningPrintf("%s::Init -- In Widget \"%s\", \"%s\" is a string.  It should be a number.\n",
                          typeName, name, key);
         }
         else
         {
            WarningPrintf("%s::Init -- \"%s\" is a string.  It should be a number.\n", typeName, key);
         }
         *out = 0.0;
         return false;
      }
      return specification->DoubleGet(out, key, 0.0);
   };
   double number;
   if (depthRead("Depth", &number))
   {
      DepthAbsoluteSet(static_cast<float>(number));
   }
   else
   {
      depthRead("DepthOffset", &number);
      DepthSet(static_cast<float>(number));
   }

   float angle;
   specification->FloatGet(&angle, "Rotation", 0.0f);
   RotationSet(angle);
   ScaleSet(1.0f, 1.0f);
   ColorSet(colorWhite);

   const Box2F empty;
   Box2F box;
   specification->Box2FGet(&box, "Bounds", &empty, typeName, name, false);
   BoundsSet(box);

   Box2F dragAreaDefault{0.0f, 0.0f, static_cast<float>(screen.virtualWidth),
                         static_cast<float>(screen.virtualHeight)};
   item = specification->ItemFind("DragArea");
   if (item && item->TypeGet() != JSONValue::TYPE_NULL)
   {
      specification->Box2FGet(&dragArea, "DragArea", &dragAreaDefault, typeName, name, false);
      dragAreaInherited = 0;
   }
   else if (parent)
   {
      dragAreaInherited = 1;
   }
   else
   {
      dragArea = dragAreaDefault;
      dragAreaInherited = 0;
   }
   dragAreaInForce = 1;
   if (specification->Box2FTryGet("DragBufferArea", &ownDragBufferArea))
   {
      dragBufferArea = &ownDragBufferArea;
   }
   else
   {
      dragBufferArea = &bounds;
   }

   specification->DoubleGet(&number, "HoldStartDelay", 500.0);
   HoldStartDelaySet(static_cast<u32>(static_cast<i64>(number)));
   specification->DoubleGet(&number, "HoldIntervalDuration", 50.0);
   HoldIntervalDurationSet(static_cast<u32>(static_cast<i64>(number)));

   item = specification->ItemFind("SpriteResourceFilename");
   if (item && item->StringValueGet())
   {
      SpriteResourceFilenameSet(item->StringValueGet());
   }

   item = specification->ItemFind("Font");
   if (item && item->StringValueGet())
   {
      Font* loaded = FontManager::Load(item->StringValueGet());
      if (loaded)
      {
         FontRelease();
         font = loaded;
         fontOwned = 1;
      }
      else
      {
         WarningPrintf("%s::Init -- In Widget \"%s\", font not found: \"%s\"\n", typeName, name,
                       item->StringValueGet());
      }
   }

   if (soundManager.initialised)
   {
      for (i32 i = 0; i < WIDGET_SOUND_COUNT; i++)
      {
         item = specification->ItemFind(soundKeys[i]);
         if (!item || !item->StringValueGet())
         {
            continue;
         }
         Sound* sound = soundManager.SoundLoadedGet(item->StringValueGet());
         if (!sound)
         {
            WarningPrintf("%s::Init -- In Widget \"%s\", %s not found: \"%s\"\n", typeName, name,
                          soundKeys[i], item->StringValueGet());
            continue;
         }
         switch (i)
         {
         case WIDGET_SOUND_MOUSE_OVER:
            MouseOverSoundSet(sound);
            break;
         case WIDGET_SOUND_PRESS:
            PressSoundSet(sound);
            break;
         case WIDGET_SOUND_INVALID_PRESS:
            InvalidPressSoundSet(sound);
            break;
         default:
            ClickSoundSet(sound);
            break;
         }
      }
   }
   specification->BoolGet(&flag, "MouseOverSoundEnabled", MouseOverSoundEnabledDefaultGet());
   MouseOverSoundEnabledSet(flag);
   specification->BoolGet(&flag, "PressSoundEnabled", PressSoundEnabledDefaultGet());
   PressSoundEnabledSet(flag);
   specification->BoolGet(&flag, "InvalidPressSoundEnabled", InvalidPressSoundEnabledDefaultGet());
   InvalidPressSoundEnabledSet(flag);
   specification->BoolGet(&flag, "ClickSoundEnabled", ClickSoundEnabledDefaultGet());
   ClickSoundEnabledSet(flag);

   if (specification->Box2FTryGet("ClipArea", &box))
   {
      ClipAreaSet(box);
   }
   else
   {
      ClipAreaClear();
   }
   specification->BoolGet(&flag, "AncestorClippingIgnore", false);
   AncestorClippingIgnoreSet(flag);
   float coefficient;
   specification->FloatGet(&coefficient, "MouseScrollCoefficient", 1.0f);
   MouseScrollCoefficientSet(coefficient);
   specification->BoolGet(&flag, "MouseScrollEnabled", true);
   MouseScrollEnabledSet(flag);

   TransitionsRead(specification);

   specification->BoolGet(&flag, "BoundsDraw", false);
   BoundsDrawSet(flag);
   ColorRGBA8 colorRead;
   specification->ColorRGBA8Get(&colorRead, "BoundsColor", &colorWhite, typeName, name, false);
   BoundsColorSet(colorRead);
   specification->BoolGet(&flag, "BoundsFilledDraw", false);
   BoundsFilledDrawSet(flag);
   specification->ColorRGBA8Get(&colorRead, "BoundsFilledColor", &colorBoundsFilledDefault, typeName, name,
                                false);
   BoundsFilledColorSet(colorRead);
}

void Widget::TransitionsRead(const JSONValue* specification)
{
   const char* typeName = TypeNameGet();
   JSONValue* list = specification->ItemFind("Transitions");
   if (!list || list->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return;
   }
   for (JSONValue::Iterator it = list->ItemsBegin(); it.ValidCheck(); it.Next())
   {
      const char* transitionName = it.node->key;
      const JSONValue* member = it.node->value;
      const char* transitionType = nullptr;
      const JSONValue* transitionSpecification = nullptr;
      if (member && member->TypeGet() == JSONValue::TYPE_STRING)
      {
         transitionType = member->StringValueGet();
      }
      else if (member && member->TypeGet() == JSONValue::TYPE_OBJECT)
      {
         transitionType = member->ItemGet("Type")->StringValueGet();
         transitionSpecification = member;
         if (!transitionType)
         {
            if (name && name[0])
            {
               WarningPrintf("%s::Init -- In Widget \"%s\", type for transition \"%s\" not defined.\n",
                             typeName, name, transitionName);
            }
            else
            {
               WarningPrintf("%s::Init -- Type for transition \"%s\" not defined.\n", typeName,
                             transitionName);
            }
            continue;
         }
      }
      else
      {
         WarningPrintf("%s::Init -- Definition for transition %s is neither a string nor an object.\n",
                       typeName, transitionName);
         continue;
      }
      TransitionCreateFunction create = GUIManager::TransitionTypeFind(transitionType);
      if (!create)
      {
         WarningPrintf("%s::Init -- Unrecognized transition type: %s\n", typeName, transitionType);
         continue;
      }
      WidgetTransition* created = create(this, transitionType, transitionSpecification, HEAP_DEFAULT);
      if (!created)
      {
         WarningPrintf("%s::Init -- Failed to create transition of type: %s\n", typeName, transitionType);
         continue;
      }
      char* key = StringDuplicate(transitionName, HEAP_DEFAULT);
      // The first transition of a name stays; a second one has nowhere to live and goes at once.
      if (!key || !transitions.Insert(key, created))
      {
         MemoryFree(key);
         created->Deinit();
         MemoryDelete(created);
      }
   }
}

void Widget::TransitionUncount()
{
   if (transitionCounted)
   {
      GUIManager::transitionsRunning--;
      transitionCounted = 0;
   }
}

void Widget::TransitionEnd()
{
   if (transition && !transition->RemainAfterFinishedCheck())
   {
      transition = nullptr;
   }
   TransitionUncount();
}

void Widget::TransitionsRelease()
{
   for (TransitionMap::Node* node = transitions.First(); node != transitions.End();
        node = transitions.Next(node))
   {
      if (node->value)
      {
         node->value->Deinit();
         MemoryDelete(node->value);
      }
      MemoryFree(const_cast<char*>(node->key));
   }
   transitions.Clear();
   transitions.NodePoolSizeSet(0);
}

void Widget::Deinit()
{
   TransitionUncount();
   transition = nullptr;
   if (transitionsReady)
   {
      TransitionsRelease();
      transitionsReady = 0;
   }
   MemoryFree(name);
   name = nullptr;
   MemoryFree(eventHandlerTableName);
   eventHandlerTableName = nullptr;
   MemoryFree(spriteResourceFilename);
   spriteResourceFilename = nullptr;
   FontRelease();
   SoundsRelease();
   nextRemoved = nullptr;
   leftPressRecord = nullptr;
   rightPressRecord = nullptr;
   for (i32 i = 0; i < WIDGET_NEIGHBOUR_COUNT; i++)
   {
      neighbours[i] = nullptr;
   }
}

void Widget::FontRelease()
{
   if (fontOwned && font)
   {
      // The font cache destroys the font at its last reference, or at once when it never held it.
      FontManager::Release(font);
   }
   font = nullptr;
   fontOwned = 0;
}

Sound** Widget::SoundFieldGet(i32 which)
{
   switch (which)
   {
   case WIDGET_SOUND_MOUSE_OVER:
      return &mouseOverSound;
   case WIDGET_SOUND_PRESS:
      return &pressSound;
   case WIDGET_SOUND_INVALID_PRESS:
      return &invalidPressSound;
   default:
      return &clickSound;
   }
}

void Widget::SoundFieldSet(i32 which, Sound* sound)
{
   Sound** field = SoundFieldGet(which);
   u8 bit = static_cast<u8>(1u << which);
   if (*field == sound)
   {
      return;
   }
   // The new reference first, so that swapping between two names of one sound never frees it.
   bool counted = SoundReferenceTake(sound);
   if (soundsReferenced & bit)
   {
      SoundReferenceDrop(*field);
   }
   *field = sound;
   soundsReferenced = static_cast<u8>(counted ? (soundsReferenced | bit) : (soundsReferenced & ~bit));
}

void Widget::SoundsRelease()
{
   for (i32 i = 0; i < WIDGET_SOUND_COUNT; i++)
   {
      Sound** field = SoundFieldGet(i);
      if (soundsReferenced & (1u << i))
      {
         SoundReferenceDrop(*field);
      }
      *field = nullptr;
   }
   soundsReferenced = 0;
}

void Widget::SoundPlay(Sound* sound)
{
   // Without a running sound manager a command could never be served.
   if (sound && soundManager.initialised)
   {
      Sound::Play(sound, nullptr, false, SOUND_USAGE_EFFECTS);
   }
}

void Widget::Update(u32 elapsed)
{
   if (transition)
   {
      transition->Update(elapsed);
      if (transition->FinishedCheck())
      {
         TransitionEnd();
      }
   }

   if (dragging)
   {
      MouseState* pointer = leftPressRecord ? leftPressRecord->mouseState : nullptr;
      bool going =
          CanDragGet() && pointer && pointer->present &&
          ((pointer->frameButtons & MOUSE_BUTTON_LEFT) || !(pointer->previousButtons & MOUSE_BUTTON_LEFT)) &&
          InputAcceptableCheck();
      if (going)
      {
         if (pointer->x != pointer->previousX || pointer->y != pointer->previousY)
         {
            OnDrag();
         }
      }
      else
      {
         dragging = 0;
         OnDragEnd();
      }
   }

   if (pressed)
   {
      bool heldByRecord = false;
      bool hoveredByIt = false;
      for (i32 i = 0; i < GUIManager::pointerRecords.count; i++)
      {
         const PointerRecord& record = GUIManager::pointerRecords[i];
         if (record.mouseState && record.mouseState->present &&
             (record.mouseState->frameButtons & MOUSE_BUTTON_LEFT) && record.pressed == this)
         {
            heldByRecord = true;
            hoveredByIt = record.hovered == this;
            break;
         }
      }
      if (!heldByRecord || !InputAcceptableCheck())
      {
         pressed = 0;
      }
      bool held = pressed && hoveredByIt;
      if (holdTracker.Step(held, elapsed))
      {
         OnHold(holdTracker.count);
      }
   }
}

void Widget::DrawBegin()
{
   screen.MatrixPush();
   Point2F at = PositionGet();
   screen.MatrixTranslate(at.x, at.y);
   float z = DepthGet();
   if (z != 0.0f)
   {
      MatrixEntry& top = screen.MatrixTopGet();
      for (i32 r = 0; r < 3; r++)
      {
         top.e[9 + r] += z * top.e[6 + r];
      }
      top.kind &= ~static_cast<u32>(MATRIX_KIND_NO_TRANSLATION);
   }
   float degrees = RotationGet();
   if (degrees != 0.0f)
   {
      // About z by the widget's angle, the same sense in which WidgetAtPointGet turns points back.
      float half = degrees * 0.5f * 0.0174532924f;
      const float quaternion[4] = {std::cos(half), 0.0f, 0.0f, std::sin(half)};
      screen.MatrixRotate(quaternion);
   }
   Point2F factor = ScaleGet();
   if (factor.x != 1.0f || factor.y != 1.0f)
   {
      screen.MatrixScale(factor.x, factor.y);
   }
}

void Widget::Draw()
{
   if (!boundsFilledDraw && !boundsDraw)
   {
      return;
   }
   Box2F clip = ClipAreaEffectiveGet(false);
   if (boundsFilledDraw)
   {
      // Through the getter: a button's current state may override the colour.
      screen.BoxFilledDraw(bounds, BoundsFilledColorGet(), 0.0f, &clip);
   }
   if (boundsDraw)
   {
      const Box2F& b = bounds;
      const ColorRGBA8 color = BoundsColorGet();
      screen.BoxFilledDraw(Box2F{b.x, b.y, 1.0f, b.height}, color, 0.0f, &clip);
      screen.BoxFilledDraw(Box2F{b.x + b.width - 1.0f, b.y, 1.0f, b.height}, color, 0.0f, &clip);
      screen.BoxFilledDraw(Box2F{b.x, b.y, b.width, 1.0f}, color, 0.0f, &clip);
      screen.BoxFilledDraw(Box2F{b.x, b.y + b.height - 1.0f, b.width, 1.0f}, color, 0.0f, &clip);
   }
}

void Widget::DrawEnd()
{
   screen.MatrixPop();
}

void Widget::RemovedSet()
{
   removed = 1;
   parent = nullptr;
}

bool Widget::RemovedCheck()
{
   return removed || (parent && parent->RemovedCheck());
}

bool Widget::VisibleCheck()
{
   return visible && (!parent || parent->VisibleCheck());
}

bool Widget::EnabledCheck()
{
   return enabled && (!parent || parent->EnabledCheck());
}

bool Widget::PointTestEnabledCheck()
{
   return pointTestEnabled && (!parent || parent->PointTestEnabledCheck());
}

Point2F Widget::PointToLocal(const Point2F& point)
{
   Point2F at = PositionGet();
   Point2F local{point.x - at.x, point.y - at.y};
   float degrees = RotationGet();
   if (degrees != 0.0f)
   {
      float radians = -degrees * 0.0174532924f;
      float c = std::cos(radians);
      float s = std::sin(radians);
      local = Point2F{local.x * c - local.y * s, local.x * s + local.y * c};
   }
   Point2F factor = ScaleGet();
   if (factor.x != 0.0f)
   {
      local.x /= factor.x;
   }
   if (factor.y != 0.0f)
   {
      local.y /= factor.y;
   }
   return local;
}

Widget* Widget::WidgetAtPointGet(const Point2F& point)
{
   if (!VisibleCheck() || !PointTestEnabledCheck())
   {
      return nullptr;
   }
   Point2F local = PointToLocal(point);
   float degrees = RotationGet();
   if (!InsideCheck(BoundsGet(), local))
   {
      return nullptr;
   }
   if (PointTestPerPixelGet() && !PixelTest(local))
   {
      return nullptr;
   }
   // The clip box cannot follow a rotation, so a rotated widget is tested against its bounds only.
   if (degrees == 0.0f && !InsideCheck(ClipAreaEffectiveGet(false), local))
   {
      return nullptr;
   }
   return this;
}

void Widget::OnPress()
{
   if (!VisibleCheck())
   {
      return;
   }
   if (EnabledCheck())
   {
      pressed = 1;
      MouseState* pointer = leftPressRecord ? leftPressRecord->mouseState : nullptr;
      if (CanDragGet() && pointer && pointer->present)
      {
         dragging = 1;
         Point2F at = PositionAbsoluteGet();
         dragGrabOffset =
             Point2F{at.x - static_cast<float>(pointer->x), at.y - static_cast<float>(pointer->y)};
      }
      if (PressSoundEnabledGet())
      {
         SoundPlay(PressSoundGet());
      }
   }
   else if (InvalidPressSoundEnabledGet())
   {
      SoundPlay(InvalidPressSoundGet());
   }
}

void Widget::OnClick()
{
   if (VisibleCheck() && EnabledCheck() && ClickSoundEnabledGet())
   {
      SoundPlay(ClickSoundGet());
   }
}

void Widget::OnMouseOver()
{
   if (VisibleCheck() && EnabledCheck() && MouseOverSoundEnabledGet())
   {
      SoundPlay(MouseOverSoundGet());
   }
}

void Widget::OnDrag()
{
   MouseState* pointer = leftPressRecord ? leftPressRecord->mouseState : nullptr;
   if (!pointer)
   {
      return;
   }
   float x = static_cast<float>(pointer->x) + dragGrabOffset.x;
   float y = static_cast<float>(pointer->y) + dragGrabOffset.y;
   if (dragAreaInForce)
   {
      Box2F area = DragAreaGet();
      if (parent)
      {
         Point2F origin = parent->PositionAbsoluteGet();
         area.x += origin.x;
         area.y += origin.y;
      }
      Box2F buffer = DragBufferAreaGet();
      // The lower limit first, so that the upper one wins when the buffer is wider than the area.
      if (x < area.x - buffer.x)
      {
         x = area.x - buffer.x;
      }
      if (x > area.x + area.width - (buffer.x + buffer.width))
      {
         x = area.x + area.width - (buffer.x + buffer.width);
      }
      if (y < area.y - buffer.y)
      {
         y = area.y - buffer.y;
      }
      if (y > area.y + area.height - (buffer.y + buffer.height))
      {
         y = area.y + area.height - (buffer.y + buffer.height);
      }
   }
   PositionAbsoluteSet(x, y);
}

void Widget::PressRecordsClear()
{
   leftPressRecord = nullptr;
   rightPressRecord = nullptr;
}

void Widget::OnNavigationSelect(bool selected)
{
   if (selected && VisibleCheck() && EnabledCheck() && MouseOverSoundEnabledGet())
   {
      SoundPlay(MouseOverSoundGet());
   }
}

void Widget::OnNavigationPress()
{
   if (!VisibleCheck() || !EnabledCheck())
   {
      return;
   }
   if (PressSoundEnabledGet())
   {
      SoundPlay(PressSoundGet());
   }
   else if (InvalidPressSoundEnabledGet())
   {
      SoundPlay(InvalidPressSoundGet());
   }
}

void Widget::OnNavigationClick()
{
   Widget::OnClick();
}

Point2F Widget::PositionGet()
{
   if (!transition)
   {
      return position;
   }
   Point2F offset = transition->PositionOffsetGet();
   return Point2F{position.x + offset.x, position.y + offset.y};
}

Point2F Widget::PositionAbsoluteGet()
{
   Point2F at = PositionGet();
   if (parent)
   {
      Point2F origin = parent->PositionAbsoluteGet();
      at.x += origin.x;
      at.y += origin.y;
   }
   return at;
}

void Widget::PositionAbsoluteSet(float x, float y)
{
   Point2F origin;
   if (parent)
   {
      origin = parent->PositionAbsoluteGet();
   }
   PositionSet(Point2F{x - origin.x, y - origin.y});
}

void Widget::BoundsSet(i32 x, i32 y, i32 width, i32 height)
{
   BoundsSet(Box2F{static_cast<float>(x), static_cast<float>(y), static_cast<float>(width),
                   static_cast<float>(height)});
}

float Widget::DepthAbsoluteGet()
{
   return DepthGet() + (parent ? parent->DepthAbsoluteGet() : 0.0f);
}

void Widget::DepthAbsoluteSet(float value)
{
   DepthSet(value - (parent ? parent->DepthAbsoluteGet() : 0.0f));
}

Box2F Widget::DragAreaGet()
{
   if (!dragAreaInForce)
   {
      return Box2F();
   }
   if (!dragAreaInherited)
   {
      return dragArea;
   }
   return parent ? parent->BoundsGet() : Box2F();
}

void Widget::ClipAreaSet(const Box2F& box)
{
   clipArea = box;
   clipAreaSet = 1;
}

Box2F Widget::ClipAreaGet()
{
   return clipAreaSet ? clipArea : GUIManager::screenArea;
}

Box2F Widget::ClipAreaEffectiveGet(bool ignoreAncestors)
{
   bool ignore = ignoreAncestors || ancestorClippingIgnore;
   Box2F box;
   if (!clipAreaSet || ignoreAncestors)
   {
      box = parent ? parent->ClipAreaEffectiveGet(ignore) : GUIManager::screenArea;
   }
   else
   {
      box = clipArea;
      if (parent)
      {
         Box2F outer = parent->ClipAreaEffectiveGet(ignore);
         bool apart = box.x >= outer.x + outer.width || outer.x >= box.x + box.width ||
                      box.y >= outer.y + outer.height || outer.y >= box.y + box.height;
         if (apart)
         {
            box.width = 0.0f;
            box.height = 0.0f;
         }
         else
         {
            box = BoxIntersection(box, outer);
         }
      }
   }
   Point2F at = PositionGet();
   box.x -= at.x;
   box.y -= at.y;
   Point2F factor = ScaleGet();
   auto axis = [](float s, float* start, float* extent)
   {
      if (s > 0.0f)
      {
         *start /= s;
         *extent /= s;
      }
      else if (s < 0.0f)
      {
         *extent = *extent / -s;
         *start = *start / s - *extent;
      }
   };
   axis(factor.x, &box.x, &box.width);
   axis(factor.y, &box.y, &box.height);
   return box;
}

const char* Widget::SpriteResourceFilenameGet()
{
   if (spriteResourceFilename)
   {
      return spriteResourceFilename;
   }
   return parent ? parent->SpriteResourceFilenameGet() : nullptr;
}

void Widget::SpriteResourceFilenameSet(const char* filename)
{
   MemoryFree(spriteResourceFilename);
   spriteResourceFilename = filename ? StringDuplicate(filename, HEAP_DEFAULT) : nullptr;
}

void Widget::FontSet(Font* newFont)
{
   FontRelease();
   font = newFont;
}

Font* Widget::FontGet()
{
   if (font)
   {
      return font;
   }
   return parent ? parent->FontGet() : nullptr;
}

Sound* Widget::MouseOverSoundGet()
{
   return mouseOverSound ? mouseOverSound : (parent ? parent->MouseOverSoundGet() : nullptr);
}

Sound* Widget::PressSoundGet()
{
   return pressSound ? pressSound : (parent ? parent->PressSoundGet() : nullptr);
}

Sound* Widget::InvalidPressSoundGet()
{
   return invalidPressSound ? invalidPressSound : (parent ? parent->InvalidPressSoundGet() : nullptr);
}

Sound* Widget::ClickSoundGet()
{
   return clickSound ? clickSound : (parent ? parent->ClickSoundGet() : nullptr);
}

char* Widget::EventHandlerTableBuild(i32 spareLength)
{
   if (!name || !name[0])
   {
      return nullptr;
   }
   if (spareLength < 0)
   {
      spareLength = 0;
   }
   u32 nameLength = static_cast<u32>(std::strlen(name));
   // The part after the prefix: "." and the name.
   u32 tail = nameLength + 1;
   char* prefix = nullptr;
   const char* start = "GUI";
   if (parent && std::strcmp(TypeNameGet(), "LayerWidget") != 0)
   {
      prefix = parent->EventHandlerTableBuild(static_cast<i32>(tail) + spareLength);
      if (!prefix)
      {
         return nullptr;
      }
      start = prefix;
   }
   u32 size = static_cast<u32>(std::strlen(start)) + tail + static_cast<u32>(spareLength) + 1;
   char* result = static_cast<char*>(MemoryAllocate(size, HEAP_DEFAULT, MEMORY_ALIGNMENT_MIN));
   if (result && !NultSnprintf(result, size, "%s.%s", start, name))
   {
      MemoryFree(result);
      result = nullptr;
   }
   MemoryFree(prefix);
   if (!result)
   {
      WarningPrintf("Widget::EventHandlerTableBuild -- unable to build the table name of \"%s\"\n", name);
   }
   return result;
}

void Widget::EventSourceChildSet(Widget* child)
{
   eventSourceChild = child;
   if (parent)
   {
      parent->EventSourceChildSet(this);
   }
}

Widget* Widget::FocusTargetGet()
{
   if (!CanChangeFocusGet())
   {
      return nullptr;
   }
   if (CanHaveFocusGet())
   {
      return this;
   }
   return parent ? parent->FocusTargetGet() : nullptr;
}

bool Widget::FocusCheck()
{
   return GUIManager::focus == this;
}

bool Widget::HoveredByCheck(MouseState* pointer)
{
   return pointer && GUIManager::WidgetUnderPointerGet(pointer) == this;
}

void Widget::TransitionStart(const char* transitionName)
{
   TransitionUncount();
   transition = nullptr;
   if (!transitionName)
   {
      return;
   }
   TransitionMap::Node* node = transitions.Find(transitionName);
   if (node == transitions.End() || !node->value)
   {
      return;
   }
   node->value->Start();
   transition = node->value;
   GUIManager::transitionsRunning++;
   transitionCounted = 1;
}

bool Widget::TransitionRunningCheck()
{
   return transition && !transition->FinishedCheck();
}

void Widget::TransitionFinish()
{
   if (!transition)
   {
      return;
   }
   transition->Finish();
   TransitionEnd();
}

float Widget::RotationGet()
{
   return transition ? rotation + transition->RotationGet() : rotation;
}

Point2F Widget::ScaleGet()
{
   if (!transition)
   {
      return scale;
   }
   Point2F factor = transition->ScaleGet();
   return Point2F{scale.x * factor.x, scale.y * factor.y};
}

void Widget::TransitionsApply()
{
   for (TransitionMap::Node* node = transitions.First(); node != transitions.End();
        node = transitions.Next(node))
   {
      if (node->value)
      {
         node->value->Refresh();
      }
   }
}

Widget* Widget::NeighbourGet(i32 direction)
{
   return direction >= 0 && direction < WIDGET_NEIGHBOUR_COUNT ? neighbours[direction] : nullptr;
}

void Widget::NeighbourSet(i32 direction, Widget* widget)
{
   if (direction >= 0 && direction < WIDGET_NEIGHBOUR_COUNT)
   {
      neighbours[direction] = widget;
   }
}

bool Widget::TransitionActiveCheck()
{
   for (Widget* w = this; w; w = w->parent)
   {
      if (w->transition && !w->transition->FinishedCheck())
      {
         return true;
      }
   }
   return false;
}

bool Widget::InputAcceptableCheck()
{
   return EnabledCheck() && GUIManager::InputAllowedCheck() && !TransitionActiveCheck();
}

bool Widget::LuaEventCallf(const char* eventName, const char* argumentFormat, ...)
{
   if (!LuaEventsEnabledCheck())
   {
      return false;
   }
   va_list arguments;
   va_start(arguments, argumentFormat);
   bool called = LuaEventVcallf(eventName, argumentFormat, arguments);
   va_end(arguments);
   return called;
}

bool Widget::LuaEventVcallf(const char* eventName, const char* argumentFormat, va_list arguments)
{
   if (!LuaEventsEnabledCheck() || !GUIManager::scriptingEnabled || removed || !eventHandlerTableName ||
       !eventName)
   {
      return false;
   }
   if (ScriptManager::ExpressionNilCheckf("%s.%s", eventHandlerTableName, eventName))
   {
      return false;
   }
   char call[512];
   if (!NultSnprintf(call, sizeof(call), "%s.%s(%s)", eventHandlerTableName, eventName,
                     argumentFormat ? argumentFormat : ""))
   {
      WarningPrintf("Widget::LuaEventVcallf -- call of \"%s\" too long\n", eventName);
      return false;
   }
   EventSourceChildSet(nullptr);
   ScriptManager::Vexecutef(call, arguments);
   return true;
}
} // namespace Corvale
