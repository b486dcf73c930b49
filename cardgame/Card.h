// One playing card: identity, face, selection and highlight, and its on-screen motion (move,
// rotation and flip tracks embedded, so animating allocates nothing). The game owns it.
#pragma once

#include "core/Point.h"
#include "core/ProgressionTrack.h"
#include "core/Types.h"

namespace Corvale
{
class CardGame;
class CardPile;
class CardWidget;
class JSONValue;
struct ColorRGBA8;

class Card
{
 public:
   virtual ~Card() = default;
   // Hands the colour to the face sprite of the card's widget.
   virtual void ColorSet(const ColorRGBA8& color);

   // Reads the motion constants from the application's constants, which live for the run.
   static void ConstsLoad(const JSONValue* consts);

   void Update(u32 elapsedMs);
   void FaceUpSet(bool faceUpNew, bool animate);
   void SelectedSet(bool selectedNew);
   void PositionSet(const Point2F& target, bool animate);
   // Always animated.
   void RotationSet(float degrees);
   void AnimationsFinish();
   // Where the card is now (between the ends of a move), lifted by the pile's selected offset.
   Point2F PositionGet();
   void WidgetCreate();
   void SpriteUpdate();
   // The pile's drag colour while dragged, else white.
   void ColorUpdate();
   bool IsOnTop() const;
   // A move that has started and not ended.
   bool MoveRunningCheck() const;
   // Any move, rotation or flip running.
   bool AnimatingCheck() const;
   // Whether other may follow this card in a build. direction 0 up, 1 down, 2 either; suitRule
   // 0 any, 1 same suit, 2 other suit, 3 same colour, 4 other colour.
   bool FollowsCheck(const Card* other, i32 direction, i32 suitRule, bool aceHigh, bool wrapAllowed,
                     i32 step) const;

   // Drop preview kept by the game's card layering.
   bool dropMarked = false;
   i32 dropPileIndex = 0;
   i32 dropIndex = 0;
   i32 id = -1;
   i32 suit = -1;
   i32 rank = -1;
   bool faceUp = false;
   bool selected = false;
   bool highlighted = false;
   // Target position from the pile layout, without the selected offset.
   Point2F position;
   // Jitter given by the pile when the card joined it.
   Point2F randomOffset;
   // While carried in another card's drag group: this card's target minus the leader's.
   Point2F dragOffset;
   // Target rotation in degrees.
   float rotation = 0.0f;
   CardWidget* widget = nullptr;
   CardPile* pile = nullptr;
   CardGame* game = nullptr;
   // Set on every card of a dragged group (the grabbed card points to itself).
   Card* dragLead = nullptr;
   // The move's ends are the track's own from and to.
   ProgressionTrack moveTrack;
   ProgressionTrack rotationTrack;
   float rotationFrom = 0.0f;
   float rotationTo = 0.0f;
   // The flip reads the track's progress directly; the ends are kept for completeness.
   ProgressionTrack flipTrack;
   float flipFrom = 0.0f;
   float flipTo = 1.0f;

   static i32 flipDuration;
   static float angularSpeed;
   static float linearSpeed;
   static i32 linearMoveDurationMax;
   // The application's constants, where piles and the card game find their card keys; null
   // before ConstsLoad.
   static const JSONValue* consts;
};

// The face's animation name ("H_1" ... "C_13", "Joker" for rank 0 whatever the suit); null when the
// suit is outside 0-3 or the rank outside 0-13.
const char* CardSpriteNameGet(i32 rank, i32 suit);
} // namespace Corvale
