// Reads skeleton files: bones, IK constraints, slots, skins with their attachments, events and
// animations, from the runtime's JSON tree into skeleton data.
#pragma once

#include "core/Types.h"

namespace Corvale
{
struct Json;
struct skAtlas;
struct skAttachmentLoader;
struct skSkeletonData;

struct skSkeletonJson
{
   float scale; // applied to every length, position and vertex coordinate read
   skAttachmentLoader* attachmentLoader;
   char* error; // the message of the last failure, or null
};

// A reader with its own attachment loader on the atlas (not owned); null when an allocation
// fails.
skSkeletonJson* skSkeletonJson_create(skAtlas* atlas);
void skSkeletonJson_dispose(skSkeletonJson* self);

// Reads the file through the host's file hook. Null with error set when the file can't be read
// or the skeleton fails; data with error set when only animations were dropped.
skSkeletonData* skSkeletonJson_readSkeletonDataFile(skSkeletonJson* self, const char* path);
// The same over a zero-terminated text.
skSkeletonData* skSkeletonJson_readSkeletonData(skSkeletonJson* self, const char* json);
// The same over the first length bytes of text, which need no terminator.
skSkeletonData* skSkeletonJson_readSkeletonData(skSkeletonJson* self, const char* json, i32 length);

// Replaces error with part1 followed by part2 (either may be null), cut to 255 characters;
// disposes root first when given.
void _skSkeletonJson_setError(skSkeletonJson* self, Json* root, const char* part1, const char* part2);
} // namespace Corvale
