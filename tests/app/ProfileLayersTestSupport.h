// Layers of the data drawn in a window with the build's constants and the profile "Player" signed
// in, nothing written to disk.
#pragma once

#include "app/profile/ProfileStore.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "gui/state/GameStateManager.h"
#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/gui/popup/DataLayersTestSupport.h"

namespace DataLayersTestSupport
{
class ProfileLayersTest : public DataLayersTest
{
 protected:
   void SetUp() override
   {
      DataLayersTest::SetUp();
      JSONParser parser;
      consts = parser.Load("Scripts/BuildConsts", &fileManagerStdioResource);
      ASSERT_TRUE(consts);
      settings = JSONValue::New(HEAP_DEFAULT);
      settings->ObjectSet();
      // No save-data folder: nothing is written.
      fileManagerPersistence = nullptr;
      ProfileLoad("Player");
      GameStateManager::switchPending = 0;
      quitRequested = false;
   }

   void TearDown() override
   {
      ProfileTest::ProfileStoreRelease();
      DataLayersTest::TearDown();
   }
};
} // namespace DataLayersTestSupport
