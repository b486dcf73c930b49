// The card's state changes and its three motions: move, rotation and flip.
#include "cardgame/Card.h"

#include <cmath>
#include <cstdio>

#include "cardgame/CardGame.h"
#include "cardgame/CardNames.h"
#include "cardgame/CardPile.h"
#include "cardgame/CardWidget.h"
#include "core/SineTable.h"
#include "core/JSONValue.h"
#include "core/Progression.h"
#include "gui/widgets/ContainerWidget.h"
#include "gui/widgets/SpriteWidget.h"
#include "platform/sprite/SpriteAnimation.h"

namespace Corvale
{
i32 Card::flipDuration = 0;
float Card::angularSpeed = 0.0f;
float Card::linearSpeed = 0.0f;
i32 Card::linearMoveDurationMax = 0;
const JSONValue* Card::consts = nullptr;

namespace
{
const ColorRGBA8 COLOR_WHITE{255, 255, 255, 255};

// Advances a running track; true when it ended this frame.
bool TrackAdvance(ProgressionTrack& track, u32 elapsedMs)
{
   track.elapsed += elapsedMs;
   if (track.elapsed >= track.end)
   {
      track.finished = 1;
      return true;
   }
   return false;
}

bool TrackRunningCheck(const ProgressionTrack& track)
{
   return track.active && !track.finished;
}

void TrackReset(ProgressionTrack& track)
{
   track.active = 0;
   track.finished = 0;
   track.start = 0;
   track.end = 0;
   track.elapsed = 0;
   track.curve = &progressionLinear;
}

void TrackStart(ProgressionTrack& track, u32 duration, const Progression* curve)
{
   track.active = 1;
   track.finished = duration == 0 ? 1 : 0;
   track.start = 0;
   track.end = duration;
   track.elapsed = 0;
   track.curve = curve;
}

// How long covering amount at speed per second takes. A speed that is 0, negative or missing makes
// the motion instant rather than dividing by zero.
u32 DurationGet(float amount, float speed)
{
   if (!(speed > 0.0f))
   {
      return 0;
   }
   const double ms = static_cast<double>(amount) / speed * 1000.0;
   if (!(ms > 0.0))
   {
      return 0;
   }
   return ms >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<u32>(ms);
}

// The constants are numbers (truncated), a true (1), or 0.
i32 ConstIntGet(const JSONValue* consts, const char* key)
{
   return consts ? consts->ItemGet(key)->IntValueGet() : 0;
}

float ConstFloatGet(const JSONValue* consts, const char* key)
{
   return consts ? consts->ItemGet(key)->FloatValueGet() : 0.0f;
}
} // namespace

const char* CardSpriteNameGet(i32 rank, i32 suit)
{
   static const char* const NAMES[4][14] = {{"Joker", "H_1", "H_2", "H_3", "H_4", "H_5", "H_6", "H_7", "H_8",
                                             "H_9", "H_10", "H_11", "H_12", "H_13"},
                                            {"Joker", "S_1", "S_2", "S_3", "S_4", "S_5", "S_6", "S_7", "S_8",
                                             "S_9", "S_10", "S_11", "S_12", "S_13"},
                                            {"Joker", "D_1", "D_2", "D_3", "D_4", "D_5", "D_6", "D_7", "D_8",
                                             "D_9", "D_10", "D_11", "D_12", "D_13"},
                                            {"Joker", "C_1", "C_2", "C_3", "C_4", "C_5", "C_6", "C_7", "C_8",
                                             "C_9", "C_10", "C_11", "C_12", "C_13"}};
   if (suit < 0 || suit > 3 || rank < 0 || rank > 13)
   {
      return nullptr;
   }
   return NAMES[suit][rank];
}

void Card::ConstsLoad(const JSONValue* constsUsed)
{
   consts = constsUsed;
   flipDuration = ConstIntGet(constsUsed, "CardFlipDuration");
   angularSpeed = ConstFloatGet(constsUsed, "CardAngularSpeed");
   linearSpeed = ConstFloatGet(constsUsed, "CardLinearSpeed");
   linearMoveDurationMax = ConstIntGet(constsUsed, "CardLinearMoveDurationMax");
}

void Card::ColorSet(const ColorRGBA8& color)
{
   if (widget && widget->cardSprite)
   {
      widget->cardSprite->ColorSet(color);
   }
}

void Card::Update(u32 elapsedMs)
{
   bool finished = false;
   if (TrackRunningCheck(moveTrack))
   {
      if (TrackAdvance(moveTrack, elapsedMs))
      {
         finished = true;
         if (game)
         {
            game->cardLayersPending = true;
         }
      }
      if (widget)
      {
         widget->PositionSet(PositionGet());
      }
   }
   if (TrackRunningCheck(rotationTrack))
   {
      finished = TrackAdvance(rotationTrack, elapsedMs) || finished;
      if (widget)
      {
         const float t = rotationTrack.ProgressGet();
         widget->RotationSet(rotationFrom * (1.0f - t) + rotationTo * t);
      }
   }
   if (TrackRunningCheck(flipTrack))
   {
      const float t0 = flipTrack.ProgressGet();
      finished = TrackAdvance(flipTrack, elapsedMs) || finished;
      const float t1 = flipTrack.ProgressGet();
      // The face changes half-way, when the card is edge-on.
      if (t1 >= 0.5f && t0 < 0.5f)
      {
         SpriteUpdate();
      }
      if (widget)
      {
         const i32 index = SineTable::IndexGet(t1 * 180.0f * 4096.0f / 360.0f + 1024.0f);
         widget->ScaleSet(std::fabs(SineTable::ValueGet(index)), 1.0f);
      }
   }
   if (finished && game)
   {
      game->CardsDraggableUpdate();
   }
}

void Card::FaceUpSet(bool faceUpNew, bool animate)
{
   if (faceUp == faceUpNew)
   {
      return;
   }
   faceUp = faceUpNew;
   TrackReset(flipTrack);
   // A flip of no duration shows the new face at once: no later update would cross half-way.
   if (!animate || flipDuration <= 0)
   {
      if (animate)
      {
         TrackStart(flipTrack, 0, &progressionLinear);
      }
      SpriteUpdate();
      if (widget)
      {
         widget->ScaleSet(1.0f, 1.0f);
      }
   }
   else
   {
      TrackStart(flipTrack, static_cast<u32>(flipDuration), &progressionLinear);
      flipFrom = 0.0f;
      flipTo = 1.0f;
   }
   if (game)
   {
      if (animate)
      {
         game->CardsDraggableUpdate();
      }
      game->CardMoveSoundPlay();
   }
}

void Card::SelectedSet(bool selectedNew)
{
   selected = selectedNew;
   if (!widget)
   {
      return;
   }
   if (widget->selectedSprite)
   {
      widget->selectedSprite->VisibleSet(selected);
   }
   widget->PositionSet(PositionGet());
}

void Card::PositionSet(const Point2F& target, bool animate)
{
   const Point2F old = position;
   position = target;
   if (!animate)
   {
      TrackReset(moveTrack);
      if (game)
      {
         game->cardLayersPending = true;
      }
      if (widget)
      {
         widget->PositionSet(PositionGet());
      }
      return;
   }
   const Point2F start = widget ? widget->PositionAbsoluteGet() : old;
   if (start.x == target.x && start.y == target.y)
   {
      return;
   }
   const float dx = target.x - start.x;
   const float dy = target.y - start.y;
   u32 duration = DurationGet(std::sqrt(dx * dx + dy * dy), linearSpeed);
   if (duration > static_cast<u32>(linearMoveDurationMax))
   {
      duration = static_cast<u32>(linearMoveDurationMax);
   }
   moveTrack.MotionStart(0, duration, start, target, &progressionSmoothStop);
   if (moveTrack.finished && widget)
   {
      widget->PositionSet(PositionGet());
   }
   if (game)
   {
      game->CardsDraggableUpdate();
      game->cardLayersPending = true;
   }
}

void Card::RotationSet(float degrees)
{
   const float from = widget ? widget->RotationGet() : rotation;
   rotation = degrees;
   rotationFrom = from;
   rotationTo = degrees;
   TrackStart(rotationTrack, DurationGet(std::fabs(degrees - from), angularSpeed), &progressionSmooth);
   if (rotationTrack.finished && widget)
   {
      widget->RotationSet(rotation);
   }
   if (game)
   {
      game->CardsDraggableUpdate();
   }
}

void Card::AnimationsFinish()
{
   bool running = false;
   if (TrackRunningCheck(moveTrack))
   {
      running = true;
      moveTrack.elapsed = moveTrack.end;
      moveTrack.finished = 1;
      if (game)
      {
         game->cardLayersPending = true;
      }
      if (widget)
      {
         widget->PositionSet(PositionGet());
      }
   }
   if (TrackRunningCheck(rotationTrack))
   {
      running = true;
      rotationTrack.elapsed = rotationTrack.end;
      rotationTrack.finished = 1;
      if (widget)
      {
         widget->RotationSet(rotation);
      }
   }
   if (TrackRunningCheck(flipTrack))
   {
      running = true;
      flipTrack.elapsed = flipTrack.end;
      flipTrack.finished = 1;
      SpriteUpdate();
      if (widget)
      {
         widget->ScaleSet(1.0f, 1.0f);
      }
   }
   if (running && game)
   {
      game->CardsDraggableUpdate();
   }
}

Point2F Card::PositionGet()
{
   Point2F result = position;
   if (TrackRunningCheck(moveTrack))
   {
      const float t = moveTrack.ProgressGet();
      result.x = moveTrack.from.x * (1.0f - t) + moveTrack.to.x * t;
      result.y = moveTrack.from.y * (1.0f - t) + moveTrack.to.y * t;
   }
   if (selected && pile)
   {
      result.x += pile->cardSelectedPositionOffset.x;
      result.y += pile->cardSelectedPositionOffset.y;
   }
   return result;
}

void Card::WidgetCreate()
{
   if (widget || !game)
   {
      return;
   }
   ContainerWidget* container =
       dragLead || TrackRunningCheck(moveTrack) ? game->cardContainerTop : game->cardContainerBottom;
   if (!container)
   {
      return;
   }
   CardWidget* created = MemoryNew<CardWidget>(HEAP_DEFAULT);
   if (!created)
   {
      WarningPrintf("Card::WidgetCreate -- unable to allocate the widget\n");
      return;
   }
   created->InitWithoutSpecification(nullptr, container);
   created->card = this;
   widget = created;
   container->ChildAddLast(created);
   SpriteUpdate();
   widget->PositionSet(PositionGet());
   widget->RotationSet(rotation);
}

void Card::SpriteUpdate()
{
   if (!widget || !widget->cardSprite || !widget->selectedSprite || !widget->highlightedSprite || !game ||
       !pile || rank == -1 || (suit == -1 && rank != 0) || !pile->cardSize)
   {
      return;
   }
   const char* frontStyle = game->CardFrontStyleGet();
   if (!frontStyle)
   {
      return;
   }
   char frontPath[260];
   i32 written =
       std::snprintf(frontPath, sizeof(frontPath), "Sprites/Cards/Fronts/%s/%s", frontStyle, pile->cardSize);
   if (written < 0 || written >= static_cast<i32>(sizeof(frontPath)))
   {
      return;
   }
   widget->selectedSprite->AnimationSet(frontPath, "Selected");
   widget->selectedSprite->VisibleSet(selected);
   widget->highlightedSprite->AnimationSet(frontPath, "Highlighted");
   widget->highlightedSprite->VisibleSet(highlighted);
   bool faceShown = faceUp;
   if (TrackRunningCheck(flipTrack) && flipTrack.ProgressGet() < 0.5f)
   {
      faceShown = !faceShown;
   }
   if (faceShown)
   {
      widget->cardSprite->AnimationSet(frontPath, CardSpriteNameGet(rank, suit));
   }
   else
   {
      const char* backStyle = game->CardBackStyleGet();
      if (!backStyle)
      {
         return;
      }
      char backPath[260];
      written =
          std::snprintf(backPath, sizeof(backPath), "Sprites/Cards/Backs/%s/%s", backStyle, pile->cardSize);
      if (written < 0 || written >= static_cast<i32>(sizeof(backPath)))
      {
         return;
      }
      widget->cardSprite->AnimationSet(backPath, "Back");
   }
   widget->BoundsSet(widget->cardSprite->AnimationBoundsGet());
   widget->cardSprite->ColorSet(dragLead ? pile->cardDragColor : COLOR_WHITE);
   widget->VisibleSet(pile->visible);
}

bool Card::MoveRunningCheck() const
{
   return TrackRunningCheck(moveTrack);
}

bool Card::AnimatingCheck() const
{
   return TrackRunningCheck(moveTrack) || TrackRunningCheck(rotationTrack) || TrackRunningCheck(flipTrack);
}

void Card::ColorUpdate()
{
   ColorSet(dragLead && pile ? pile->cardDragColor : COLOR_WHITE);
}

bool Card::IsOnTop() const
{
   return pile && pile->CardTopGet() == this;
}

bool Card::FollowsCheck(const Card* other, i32 direction, i32 suitRule, bool aceHigh, bool wrapAllowed,
                        i32 step) const
{
   if (!other || suitRule < 0 || suitRule > 4)
   {
      return false;
   }
   switch (suitRule)
   {
   case 1:
      if (other->suit != suit)
      {
         return false;
      }
      break;
   case 2:
      if (other->suit == suit)
      {
         return false;
      }
      break;
   case 3:
      if (!CardSuitColorsMatchCheck(suit, other->suit))
      {
         return false;
      }
      break;
   case 4:
      if (CardSuitColorsMatchCheck(suit, other->suit))
      {
         return false;
      }
      break;
   default:
      break;
   }
   bool wrapped = false;
   switch (direction)
   {
   case 0:
      return other->rank == CardRankAdd(rank, step, aceHigh, &wrapped) && (!wrapped || wrapAllowed);
   case 1:
      return other->rank == CardRankAdd(rank, -step, aceHigh, &wrapped) && (!wrapped || wrapAllowed);
   case 2:
      if (other->rank == CardRankAdd(rank, step, aceHigh, &wrapped) && (!wrapped || wrapAllowed))
      {
         return true;
      }
      return other->rank == CardRankAdd(rank, -step, aceHigh, &wrapped) && (!wrapped || wrapAllowed);
   default:
      return false;
   }
}
} // namespace Corvale
