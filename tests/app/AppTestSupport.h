// Shared by the application tests: the engine brought up once per test program, and a resource
// tree in a temporary folder read through the folder file manager.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/Event.h"
#include "core/FileManager.h"
#include "core/FileManagerStdio.h"
#include "core/Memory.h"
#include "tests/core/FileTestSupport.h"

namespace CorvaleTest
{
class AppEnvironment : public ::testing::Environment
{
 public:
   void SetUp() override
   {
      if (!Memory::InitialisedCheck())
      {
         Memory::Init();
      }
      Event::SystemInit();
   }
};

// A resource tree the constants and texts are read from.
class ResourceTree
{
 public:
   ResourceTree()
   {
      fileManagerStdioResource.BaseFolderSet(folder.Base().c_str());
      fileManagerResource = &fileManagerStdioResource;
   }
   ~ResourceTree()
   {
      fileManagerStdioResource.BaseFolderSet(nullptr);
      fileManagerResource = nullptr;
   }
   void Write(const std::string& name, const std::string& text) const { folder.FileWrite(name, text); }

   TempFolder folder;
};
} // namespace CorvaleTest
