// Resolves the "Inherited" chain of a JSON object against named templates: the object's own items
// win over its template's, which win over the template's template's. Game constants, card piles
// and chip piles all inherit this way.
#pragma once

#include "core/Types.h"

namespace Corvale
{
class JSONValue;

struct TemplateInheritanceNames
{
   // The log lines' prefix, e.g. "ChipPile::SpecificationInheritanceHelper".
   const char* caller;
   // What a template is called in the log lines, e.g. "chip pile", and at a sentence's start.
   const char* noun;
   const char* nounCapitalised;
};

// A copy of specification in heapId with its chain applied, starting from templateName; the
// first template list holding the name wins (either may be null). A missing template, one that is
// not an object, or a chain that comes back to a name already used stops the chain where it is,
// with one log line. Null only when the copy can't be made.
JSONValue* TemplateInheritanceResolve(const JSONValue* specification, const char* templateName,
                                      const JSONValue* firstTemplates, const JSONValue* secondTemplates,
                                      const TemplateInheritanceNames& names, i32 heapId);
} // namespace Corvale
