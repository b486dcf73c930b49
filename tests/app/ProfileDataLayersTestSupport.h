// The data's layers with the data's constants and a profile store that writes nothing: the base
// of the front-end tests that open layers showing profile data.
#pragma once

#include "app/profile/ProfileStore.h"
#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "tests/app/profile/ProfileTestSupport.h"
#include "tests/gui/popup/DataLayersTestSupport.h"

namespace DataLayersTestSupport
{
class ProfileDataLayersTest : public DataLayersTest
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
   }

   void TearDown() override
   {
      ProfileTest::ProfileStoreRelease();
      DataLayersTest::TearDown();
   }
};
} // namespace DataLayersTestSupport
