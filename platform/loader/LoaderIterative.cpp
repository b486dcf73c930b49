// The iterative loader: walks its resource lists item by item, handing each item to the delegate
// of its "Type" and stepping that delegate until the item is done or the frame's budget is spent.
#include "platform/loader/LoaderIterative.h"

#include "core/Allocator.h"
#include "core/Log.h"
#include "core/Memory.h"

namespace Corvale
{
namespace
{
// Element count of an array list; -1 for anything else, so that "last item" is below 0.
i32 ListSizeGet(const JSONValue* list)
{
   return list && list->TypeGet() == JSONValue::TYPE_ARRAY ? list->CountGet() : -1;
}
} // namespace

LoaderIterative::LoaderIterative() : lists(allocatorHeaps[HEAP_TEMP]), delegates(allocatorHeaps[HEAP_TEMP])
{
   clock = &clockOwn;
   clockOwn.Start();
}

LoaderIterative::~LoaderIterative()
{
   Deinit();
}

void LoaderIterative::Init()
{
   if (initialised)
   {
      Deinit();
   }
   initialised = 1;
   heapId = HEAP_TEMP;
   timeBudget = 16;
   itemIndex = 0;
   listIndex = 0;
   currentDelegate = nullptr;
   lists = Table<JSONValue*>(allocatorHeaps[heapId]);
   delegates.allocator = allocatorHeaps[heapId];
   DelegateRegister("Sound", &delegateSound);
   DelegateRegister("Font", &delegateFont);
   DelegateRegister("SpriteResourceFile", &delegateSpriteResourceFile);
   if (delegateGUILayer)
   {
      DelegateRegister("GUILayer", delegateGUILayer);
   }
   DelegateRegister("Texture", &delegateTexture);
   DelegateRegister("TextureResourceFile", &delegateTextureResourceFile);
}

void LoaderIterative::Deinit()
{
   if (!initialised)
   {
      return;
   }
   if (currentDelegate)
   {
      currentDelegate->SpecificationClear();
   }
   currentDelegate = nullptr;
   lists = Table<JSONValue*>(allocatorHeaps[heapId]);
   for (DelegateMap::Node* node = delegates.First(); node != delegates.End(); node = delegates.Next(node))
   {
      MemoryFree(const_cast<char*>(node->key));
   }
   delegates.Clear();
   initialised = 0;
}

void LoaderIterative::DelegateRegister(const char* typeName, LoaderIterativeDelegate* delegate)
{
   if (delegates.Find(typeName) != delegates.End())
   {
      return;
   }
   char* copy = StringDuplicate(typeName, heapId);
   if (!copy || !delegates.Insert(copy, delegate))
   {
      WarningPrintf("LoaderIterative::Init -- unable to register the delegate of \"%s\"\n", typeName);
      MemoryFree(copy);
   }
}

LoaderIterativeDelegate* LoaderIterative::DelegateGet(const char* typeName)
{
   if (!typeName)
   {
      return nullptr;
   }
   DelegateMap::Node* node = delegates.Find(typeName);
   return node != delegates.End() ? node->value : nullptr;
}

LoaderIterativeDelegate* LoaderIterative::ItemDelegateGet(JSONValue* item)
{
   if (!item || item->TypeGet() != JSONValue::TYPE_OBJECT)
   {
      return nullptr;
   }
   const JSONValue* type = item->ItemFind("Type");
   return type ? DelegateGet(type->StringValueGet()) : nullptr;
}

void LoaderIterative::ListAdd(JSONValue* list)
{
   if (!list || !initialised)
   {
      return;
   }
   if (list->TypeGet() != JSONValue::TYPE_ARRAY)
   {
      WarningPrintf("LoaderIterative::ListAdd -- Resource lists must be JSON arrays.\n");
      return;
   }
   lists.Insert(list, lists.count);
}

bool LoaderIterative::DoneCheck()
{
   return !initialised || listIndex >= lists.count;
}

void LoaderIterative::Update()
{
   const u32 start = clock->TimeGet();
   while (!DoneCheck())
   {
      if (currentDelegate)
      {
         currentDelegate->Update();
         if (currentDelegate->DoneCheck())
         {
            currentDelegate->SpecificationClear();
            itemIndex++;
            currentDelegate = nullptr;
         }
      }
      // A finished item hands over to the next one in the same pass.
      if (!currentDelegate)
      {
         JSONValue* list = lists[listIndex];
         if (itemIndex < ListSizeGet(list))
         {
            JSONValue* item = list->ElementGet(itemIndex);
            const JSONValue* type = item->ItemFind("Type");
            const char* typeName = type ? type->StringValueGet() : nullptr;
            if (item->TypeGet() != JSONValue::TYPE_OBJECT)
            {
               WarningPrintf("LoaderIterative::Update -- Items in a resource list must be JSON objects.\n");
               itemIndex++;
            }
            else if (!typeName)
            {
               WarningPrintf("LoaderIterative::Update -- Resource type missing.\n");
               itemIndex++;
            }
            else
            {
               currentDelegate = DelegateGet(typeName);
               if (currentDelegate)
               {
                  // Its first step comes in the next pass.
                  currentDelegate->SpecificationSet(item);
               }
               else
               {
                  WarningPrintf("LoaderIterative::Update -- No LoaderIterativeDelegate found for type: "
                                "\"%s\".\n",
                                typeName);
                  itemIndex++;
               }
            }
         }
         else
         {
            itemIndex = 0;
            listIndex++;
         }
      }
      // Tested after each step, so one slow step may overrun the budget, but every call advances.
      if (clock->TimeGet() - start >= timeBudget)
      {
         break;
      }
   }
}

float LoaderIterative::ProgressGet()
{
   if (!initialised || lists.count == 0 || listIndex >= lists.count)
   {
      return 100.0f;
   }
   i32 total = 0;
   i32 done = itemIndex;
   for (i32 i = 0; i < lists.count; ++i)
   {
      i32 size = ListSizeGet(lists[i]);
      if (size > 0)
      {
         total += size;
         if (i < listIndex)
         {
            done += size;
         }
      }
   }
   if (total <= 0)
   {
      return 100.0f;
   }
   float percent = static_cast<float>(done) / static_cast<float>(total) * 100.0f;
   if (currentDelegate)
   {
      percent += currentDelegate->ProgressGet() / static_cast<float>(total);
   }
   return percent;
}

void LoaderIterative::Cancel()
{
   if (!initialised)
   {
      return;
   }
   if (currentDelegate)
   {
      currentDelegate->Unload();
      currentDelegate->SpecificationClear();
      currentDelegate = nullptr;
   }
   if (lists.count == 0)
   {
      return;
   }
   i32 list = listIndex;
   i32 item = itemIndex - 1;
   if (listIndex >= lists.count)
   {
      list = lists.count - 1;
      item = ListSizeGet(lists[list]) - 1;
   }
   for (; list >= 0; --list)
   {
      for (; item >= 0 && item < ListSizeGet(lists[list]); --item)
      {
         JSONValue* element = lists[list]->ElementGet(item);
         LoaderIterativeDelegate* delegate = ItemDelegateGet(element);
         if (delegate)
         {
            delegate->Release(element);
         }
      }
      if (list > 0)
      {
         item = ListSizeGet(lists[list - 1]) - 1;
      }
   }
   ListsForget();
}

void LoaderIterative::UnloadAll()
{
   if (!initialised)
   {
      return;
   }
   // Only what was loaded is given back: releasing an item never loaded would drop references
   // that others hold.
   if (currentDelegate)
   {
      currentDelegate->Unload();
      currentDelegate->SpecificationClear();
      currentDelegate = nullptr;
   }
   for (i32 list = 0; list < lists.count && list <= listIndex; ++list)
   {
      i32 size = ListSizeGet(lists[list]);
      i32 end = list < listIndex ? size : (itemIndex < size ? itemIndex : size);
      for (i32 item = 0; item < end; ++item)
      {
         JSONValue* element = lists[list]->ElementGet(item);
         LoaderIterativeDelegate* delegate = ItemDelegateGet(element);
         if (delegate)
         {
            delegate->Release(element);
         }
      }
   }
   ListsForget();
}

void LoaderIterative::ListsForget()
{
   // Moving an empty table in frees the storage.
   lists = Table<JSONValue*>(allocatorHeaps[heapId]);
   itemIndex = 0;
   listIndex = 0;
}
} // namespace Corvale
