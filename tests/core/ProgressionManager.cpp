// Curves by name: the six registered ones, the linear fallback with its warnings, and the rule
// that the first registration of a name wins.
#include "core/ProgressionManager.h"

#include <string>

#include <gtest/gtest.h>

#include "core/File.h"
#include "core/Log.h"
#include "core/Progression.h"
#include "tests/TestSupport.h"

using namespace Corvale;

namespace
{
class ProgressionManagerTest : public ::testing::Test
{
 protected:
   void SetUp() override { LogFileSet(&log); }
   void TearDown() override
   {
      ProgressionManager::Deinit();
      LogFileSet(nullptr);
   }

   // Installed as the log file by SetUp, so that tests can see the messages.
   TestSupport::MemoryFile log;
};
} // namespace

TEST_F(ProgressionManagerTest, NamesFindTheirCurves)
{
   ProgressionManager::Init();
   ProgressionManager::Init();
   const struct
   {
      const char* name;
      const Progression* curve;
   } cases[] = {{"Linear", &progressionLinear},           {"Smooth", &progressionSmooth},
                {"SmoothStart", &progressionSmoothStart}, {"SmoothStop", &progressionSmoothStop},
                {"ElasticStop", &progressionElasticStop}, {"BounceStop", &progressionBounceStop}};
   for (const auto& c : cases)
   {
      EXPECT_EQ(ProgressionManager::Get(c.name), c.curve) << c.name;
   }
   EXPECT_EQ(log.text, "");
}

TEST_F(ProgressionManagerTest, UnknownNamesFallBackToLinearWithAWarning)
{
   ProgressionManager::Init();
   EXPECT_EQ(ProgressionManager::Get("linear"), &progressionLinear);
   EXPECT_EQ(log.text,
             "ProgressionManager::Get -- Unrecognized progression name: linear.  Defaulting to linear.\n");
   log.text.clear();
   EXPECT_EQ(ProgressionManager::Get("SmoothStopX"), &progressionLinear);
   EXPECT_EQ(ProgressionManager::Get(nullptr), &progressionLinear);
   EXPECT_NE(log.text.find("SmoothStopX"), std::string::npos);
}

TEST_F(ProgressionManagerTest, UseBeforeInitWarnsAndDefaults)
{
   EXPECT_EQ(ProgressionManager::Get("Smooth"), &progressionLinear);
   ProgressionManager::Register("Custom", &progressionSmooth);
   EXPECT_EQ(log.text, "ProgressionManager::Get -- Not initialized.  Defaulting to linear.\n"
                       "ProgressionManager::Register -- Not initialized.\n");

   // After a shutdown the manager is uninitialised again and can start over.
   ProgressionManager::Init();
   ProgressionManager::Deinit();
   log.text.clear();
   EXPECT_EQ(ProgressionManager::Get("Smooth"), &progressionLinear);
   EXPECT_NE(log.text.find("Not initialized"), std::string::npos);
   ProgressionManager::Init();
   EXPECT_EQ(ProgressionManager::Get("Smooth"), &progressionSmooth);
}

TEST_F(ProgressionManagerTest, FirstRegistrationWins)
{
   ProgressionManager::Init();
   ProgressionManager::Register("Smooth", &progressionBounceStop);
   EXPECT_EQ(ProgressionManager::Get("Smooth"), &progressionSmooth);

   char name[] = "Wobble";
   ProgressionManager::Register(name, &progressionElasticStop);
   ProgressionManager::Register("Wobble", &progressionLinear);
   // The manager keeps its own copy of the name.
   name[0] = 'X';
   EXPECT_EQ(ProgressionManager::Get("Wobble"), &progressionElasticStop);
   EXPECT_EQ(log.text, "");
}
