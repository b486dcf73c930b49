// Template chains of game constants, card piles and chip piles.
#include "cardgame/TemplateInheritance.h"

#include "core/JSONValue.h"
#include "core/Log.h"
#include "core/Memory.h"
#include "core/Table.h"

namespace Corvale
{
namespace
{
// The named item of the first list that is an object holding it (not null), else of the second.
const JSONValue* TemplateFind(const char* name, const JSONValue* firstTemplates, const JSONValue* secondTemplates)
{
   const JSONValue* lists[2] = {firstTemplates, secondTemplates};
   for (const JSONValue* list : lists)
   {
      if (!list || list->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         continue;
      }
      const JSONValue* item = list->ItemFind(name);
      if (item && item->TypeGet() != JSONValue::TYPE_NULL)
      {
         return item;
      }
   }
   return nullptr;
}
} // namespace

JSONValue* TemplateInheritanceResolve(const JSONValue* specification, const char* templateName,
                                      const JSONValue* firstTemplates, const JSONValue* secondTemplates,
                                      const TemplateInheritanceNames& names, i32 heapId)
{
   if (!specification)
   {
      return nullptr;
   }
   JSONValue* result = specification->Clone(heapId);
   if (!result)
   {
      return nullptr;
   }
   Table<const JSONValue*> used(allocatorDefault);
   const char* name = templateName;
   while (name)
   {
      const JSONValue* base = TemplateFind(name, firstTemplates, secondTemplates);
      if (!base)
      {
         WarningPrintf("%s -- Unable to find %s template: %s\n", names.caller, names.noun, name);
         break;
      }
      if (base->TypeGet() != JSONValue::TYPE_OBJECT)
      {
         WarningPrintf("%s -- %s templates must be JSON objects: %s\n", names.caller, names.nounCapitalised,
                       name);
         break;
      }
      if (used.Find(base) >= 0)
      {
         WarningPrintf("%s -- %s template chain returns to: %s\n", names.caller, names.noun, name);
         break;
      }
      used.Insert(base, used.count);
      JSONValue* merged = base->Clone(heapId);
      if (!merged)
      {
         break;
      }
      // The child's items replace the template's; ItemsMerge takes result over.
      if (!merged->ItemsMerge(result))
      {
         MemoryDelete(merged);
         break;
      }
      result = merged;
      name = base->ItemGet("Inherited")->StringValueGet();
   }
   return result;
}
} // namespace Corvale
