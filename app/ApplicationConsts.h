// The program's read-only constants: "Scripts/BuildConsts" with its chain of "Inherited" parents,
// "Scripts/DialogConsts" and "GraphicsConsts", merged into one object that lives for the run.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

// Always an object once ApplicationConstsLoad has run; null before and after the run.
extern JSONValue* consts;

// Loads the constants through the current resource manager; a missing file leaves its keys out.
void ApplicationConstsLoad();
// Merges "GraphicsConsts" along the graphics paths; nothing while no graphics path is set.
void ApplicationGraphicsConstsLoad();
// Clears and frees the constants at shutdown.
void ApplicationConstsFree();

// The way every flag of the constants and settings is read: a JSON true, or a number other than
// 0; anything else (a missing member too) is false.
bool ApplicationFlagGet(const JSONValue* object, const char* key);
} // namespace Corvale
