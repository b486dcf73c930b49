// Loading the constants: the "Inherited" chain at any depth, its ends (a missing parent, a
// cycle), and the files merged over it.
#include "app/ApplicationConsts.h"

#include "core/GraphicsPathManager.h"
#include "core/JSONValue.h"
#include "tests/app/AppTestSupport.h"

namespace CorvaleTest
{
namespace
{
const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

struct ChainCase
{
   const char* name;
   // File name (without ".json") and contents.
   std::vector<std::pair<std::string, std::string>> files;
   // Key and the string it must hold; null for a key that must be missing.
   std::vector<std::pair<const char*, const char*>> expected;
   const char* warning;
};

class ApplicationConstsChain : public ::testing::TestWithParam<ChainCase>
{
};

TEST_P(ApplicationConstsChain, MergesTheChainWithTheMostDerivedKeysWinning)
{
   const ChainCase& testCase = GetParam();
   ResourceTree tree;
   for (const auto& file : testCase.files)
   {
      tree.Write(file.first + ".json", file.second);
   }
   LogCapture log;
   ApplicationConstsLoad();
   ASSERT_NE(consts, nullptr);
   EXPECT_EQ(consts->TypeGet(), JSONValue::TYPE_OBJECT);
   for (const auto& key : testCase.expected)
   {
      const char* value = consts->ItemGet(key.first)->StringValueGet();
      if (key.second)
      {
         ASSERT_NE(value, nullptr) << key.first;
         EXPECT_STREQ(value, key.second) << key.first;
      }
      else
      {
         EXPECT_EQ(value, nullptr) << key.first;
      }
   }
   if (testCase.warning)
   {
      EXPECT_TRUE(log.Contains(testCase.warning)) << log.text;
   }
   ApplicationConstsFree();
   EXPECT_EQ(consts, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    Chains, ApplicationConstsChain,
    ::testing::Values(
        ChainCase{"ThreeLevels",
                  {{"Scripts/BuildConsts", R"({"Inherited": "Scripts/Middle", "A": "child"})"},
                   {"Scripts/Middle", R"({"Inherited": "Scripts/Root", "A": "middle", "B": "middle"})"},
                   {"Scripts/Root", R"({"A": "root", "B": "root", "C": "root"})"}},
                  {{"A", "child"}, {"B", "middle"}, {"C", "root"}},
                  nullptr},
        ChainCase{"UnreadableParentEndsTheChain",
                  {{"Scripts/BuildConsts", R"({"Inherited": "Scripts/Middle", "A": "child"})"},
                   {"Scripts/Middle", R"({"Inherited": "Scripts/Missing", "B": "middle"})"},
                   {"Scripts/Root", R"({"C": "root"})"}},
                  {{"A", "child"}, {"B", "middle"}, {"C", nullptr}},
                  nullptr},
        ChainCase{"ParentThatIsNotAnObjectEndsTheChain",
                  {{"Scripts/BuildConsts", R"({"Inherited": "Scripts/Middle", "A": "child"})"},
                   {"Scripts/Middle", R"(["not", "an", "object"])"}},
                  {{"A", "child"}},
                  nullptr},
        ChainCase{"CycleEndsWithALogLine",
                  {{"Scripts/BuildConsts", R"({"Inherited": "Scripts/Middle", "A": "child"})"},
                   {"Scripts/Middle", R"({"Inherited": "Scripts/Root", "B": "middle"})"},
                   {"Scripts/Root", R"({"Inherited": "Scripts/Middle", "A": "root", "C": "root"})"}},
                  {{"A", "child"}, {"B", "middle"}, {"C", "root"}},
                  "ApplicationConstsLoad -- the \"Inherited\" chain returns to \"Scripts/Middle\""},
        ChainCase{"SelfInheritance",
                  {{"Scripts/BuildConsts", R"({"Inherited": "Scripts/BuildConsts", "A": "child"})"}},
                  {{"A", "child"}},
                  "ApplicationConstsLoad -- the \"Inherited\" chain returns to \"Scripts/BuildConsts\""},
        ChainCase{"DialogConstsOverride",
                  {{"Scripts/BuildConsts", R"({"Inherited": "Scripts/Root", "A": "child", "D": "child"})"},
                   {"Scripts/Root", R"({"E": "root"})"},
                   {"Scripts/DialogConsts", R"({"D": "dialog", "E": "dialog"})"}},
                  {{"A", "child"}, {"D", "dialog"}, {"E", "dialog"}},
                  nullptr},
        ChainCase{"MissingBuildConstsGivesAnEmptyObject",
                  {{"Scripts/DialogConsts", R"({"D": "dialog"})"}},
                  {{"D", "dialog"}, {"A", nullptr}},
                  "ApplicationConstsLoad -- unable to load \"Scripts/BuildConsts\""}),
    [](const ::testing::TestParamInfo<ChainCase>& info) { return std::string(info.param.name); });

TEST(ApplicationConsts, GraphicsConstsJoinOnlyOnceAGraphicsPathIsSet)
{
   ResourceTree tree;
   tree.Write("Scripts/BuildConsts.json", R"({"A": "build", "G": "build"})");
   tree.Write("Graphics/GraphicsConsts.json", R"({"G": "graphics"})");
   ApplicationConstsLoad();
   if (GraphicsPathManager::CountGet() == 0)
   {
      EXPECT_STREQ(consts->ItemGet("G")->StringValueGet(), "build");
   }
   GraphicsPathManager::Set(0, "Graphics");
   ApplicationGraphicsConstsLoad();
   EXPECT_STREQ(consts->ItemGet("G")->StringValueGet(), "graphics");
   EXPECT_STREQ(consts->ItemGet("A")->StringValueGet(), "build");
   ApplicationConstsFree();
}

TEST(ApplicationConsts, FlagsAreTrueForTrueOrANonZeroNumber)
{
   ResourceTree tree;
   tree.Write("Scripts/BuildConsts.json",
              R"({"T": true, "F": false, "One": 1, "Zero": 0, "Text": "true", "Null": null})");
   ApplicationConstsLoad();
   const std::pair<const char*, bool> cases[] = {{"T", true},       {"F", false},    {"One", true},
                                                 {"Zero", false},   {"Text", false}, {"Null", false},
                                                 {"Missing", false}};
   for (const auto& flag : cases)
   {
      EXPECT_EQ(ApplicationFlagGet(consts, flag.first), flag.second) << flag.first;
   }
   EXPECT_FALSE(ApplicationFlagGet(nullptr, "T"));
   ApplicationConstsFree();
}
} // namespace
} // namespace CorvaleTest
