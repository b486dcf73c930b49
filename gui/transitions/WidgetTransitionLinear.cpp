// Linear widget transitions over the four timed tracks; by default the end state stays.
#include "gui/transitions/WidgetTransitionLinear.h"

#include "core/JSONValue.h"
#include "core/Memory.h"

namespace Corvale
{
namespace
{
void TrackRestart(ProgressionTrack* track)
{
   track->active = 1;
   track->finished = 0;
   track->elapsed = 0;
}
} // namespace

WidgetTransition* WidgetTransitionLinear::Create(Widget* widget, const char* typeName,
                                                 const JSONValue* specification, i32 heapId)
{
   (void)typeName;
   WidgetTransitionLinear* created = MemoryNew<WidgetTransitionLinear>(heapId, widget);
   if (!created)
   {
      return nullptr;
   }
   if (!specification)
   {
      specification = &JSONValue::nullValue;
   }
   bool remain;
   specification->BoolGet(&remain, "RemainAfterFinished", true);
   created->remainAfterFinished = remain ? 1 : 0;
   created->timed.Init(specification);
   return created;
}

void WidgetTransitionLinear::Start()
{
   TrackRestart(&timed.positionTrack);
   TrackRestart(&timed.scaleTrack);
   TrackRestart(&timed.rotationTrack);
   TrackRestart(&timed.colorTrack);
}

bool WidgetTransitionLinear::FinishedCheck()
{
   return timed.positionTrack.finished && timed.scaleTrack.finished && timed.rotationTrack.finished &&
          timed.colorTrack.finished;
}

void WidgetTransitionLinear::Finish()
{
   timed.positionTrack.finished = 1;
   timed.scaleTrack.finished = 1;
   timed.rotationTrack.finished = 1;
   timed.colorTrack.finished = 1;
}
} // namespace Corvale
