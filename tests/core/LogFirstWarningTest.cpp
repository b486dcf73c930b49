// The first warning of a run shows a box titled "Warning"; later ones only reach the log. Kept
// in its own executable so that no earlier warning has flipped the flag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/Log.h"

using namespace Corvale;

namespace
{
struct Box
{
   std::string title;
   std::string text;
   bool error;
};
std::vector<Box> boxes;

void BoxRecord(const char* title, const char* text, bool error)
{
   boxes.push_back({title, text, error});
}
} // namespace

TEST(LogFirstWarning, OnlyTheFirstWarningShowsABox)
{
   LogMessageBoxFunctionSet(&BoxRecord);
   WarningPrintf("first %d\n", 1);
   WarningPrintf("second\n");
   LogMessageBoxFunctionSet(nullptr);
   ASSERT_EQ(boxes.size(), 1u);
   EXPECT_EQ(boxes[0].title, "Warning");
   EXPECT_EQ(boxes[0].text, "first 1\n");
   EXPECT_FALSE(boxes[0].error);
}
