// Widgets of a GUI layer's specification found by their dotted names, for the tests that read the
// built layers.
#pragma once

#include <string>

#include "core/JSONValue.h"

namespace Corvale
{
// The specification of the widget at the dotted path of names below the layer; null when a name
// is missing.
inline const JSONValue* LayerWidgetFind(const JSONValue* layer, const std::string& path)
{
   const JSONValue* node = layer;
   size_t start = 0;
   while (node && start <= path.size())
   {
      const size_t dot = path.find('.', start);
      const std::string name = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
      const JSONValue* children = node->ItemGet("Children");
      const JSONValue* found = nullptr;
      for (i32 i = 0; !found && i < children->CountGet(); i++)
      {
         const char* childName = children->ElementGet(i)->ItemGet("Name")->StringValueGet();
         found = childName && name == childName ? children->ElementGet(i) : nullptr;
      }
      node = found;
      if (dot == std::string::npos)
      {
         break;
      }
      start = dot + 1;
   }
   return node;
}
} // namespace Corvale
