// The music playlist against a fake sound side: when it plays, which songs count, and that the
// choice follows the shared random generator.
#include "app/MusicPlaylist.h"

#include <set>
#include <string>
#include <vector>

#include "core/JSONParser.h"
#include "core/JSONValue.h"
#include "core/Random.h"
#include "tests/app/AppTestSupport.h"

namespace CorvaleTest
{
namespace
{
const ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new AppEnvironment);

class FakePlaylist : public MusicPlaylist
{
 public:
   bool IdleCheck() override { return idle; }
   bool StreamExistsCheck(const char* streamPath) override
   {
      checked.push_back(streamPath);
      return missing.count(streamPath) == 0;
   }
   void Play(const char* path) override { played.push_back(path); }
   bool SongUnlockedCheck(const char* name) override { return profileUnlocked.count(name) != 0; }

   bool idle = true;
   std::set<std::string> missing;
   std::set<std::string> profileUnlocked;
   std::vector<std::string> checked;
   std::vector<std::string> played;
};

// Constants parsed from text through a one-file resource tree.
JSONValue* ConstantsMake(const std::string& text)
{
   ResourceTree tree;
   tree.Write("Consts.json", text);
   JSONParser parser;
   return parser.Load("Consts", fileManagerResource, HEAP_DEFAULT);
}

// The index the playlist draws for count songs from the current generator state, without
// disturbing it.
i32 IndexExpected(i32 count)
{
   const u32 s0 = randomState0, s1 = randomState1;
   const u32 draw = RandomNumberGet();
   randomState0 = s0;
   randomState1 = s1;
   return static_cast<i32>(static_cast<double>(draw) / 65535.0 * count);
}

struct PlaylistCase
{
   const char* name;
   const char* constants;
   std::set<std::string> profileUnlocked;
   // Songs that may be chosen, in order; empty when nothing may play.
   std::vector<std::string> eligible;
   bool draws;
};

class MusicPlaylistChoice : public ::testing::TestWithParam<PlaylistCase>
{
};

TEST_P(MusicPlaylistChoice, PlaysOneEligibleSongChosenByTheGenerator)
{
   const PlaylistCase& testCase = GetParam();
   JSONValue* constants = ConstantsMake(testCase.constants);
   ASSERT_NE(constants, nullptr);
   for (u32 seed = 1; seed < 40; ++seed)
   {
      randomState0 = seed * 2654435761u;
      randomState1 = seed;
      const i32 index =
          testCase.eligible.empty() ? -1 : IndexExpected(static_cast<i32>(testCase.eligible.size()));
      const u32 stateBefore = randomState0;
      FakePlaylist playlist;
      playlist.profileUnlocked = testCase.profileUnlocked;
      playlist.Update(constants);
      EXPECT_EQ(randomState0 != stateBefore, testCase.draws) << seed;
      if (index < 0 || index >= static_cast<i32>(testCase.eligible.size()))
      {
         EXPECT_TRUE(playlist.played.empty()) << seed;
         continue;
      }
      const std::string path = "Music/" + testCase.eligible[static_cast<size_t>(index)];
      EXPECT_EQ(playlist.checked, std::vector<std::string>{path + ".snd"}) << seed;
      EXPECT_EQ(playlist.played, std::vector<std::string>{path}) << seed;
   }
   MemoryDelete(constants);
}

INSTANTIATE_TEST_SUITE_P(
    Playlists, MusicPlaylistChoice,
    ::testing::Values(
        PlaylistCase{"AllSongs", R"({"Songs": ["A", "B", "C"]})", {}, {"A", "B", "C"}, true},
        PlaylistCase{"NonStringEntriesAreSkipped",
                     R"({"Songs": [1, "A", null, "B", {"C": 1}]})",
                     {},
                     {"A", "B"},
                     true},
        PlaylistCase{"UnlockableTakesTheUnlockedListAndTheProfile",
                     R"({"Songs": ["A", "B", "C", "D"], "SongsUnlockable": 1, "SongsUnlocked": ["C", "A"]})",
                     {"D"},
                     {"A", "C", "D"},
                     true},
        PlaylistCase{"UnlockableWithoutAnUnlockedListPlaysNothing",
                     R"({"Songs": ["A", "B"], "SongsUnlockable": true})",
                     {"A"},
                     {},
                     false},
        PlaylistCase{"NoEligibleSongStillDraws",
                     R"({"Songs": ["A"], "SongsUnlockable": true, "SongsUnlocked": []})",
                     {},
                     {},
                     true},
        PlaylistCase{"SongsThatAreNotAnArray", R"({"Songs": "A"})", {}, {}, false}),
    [](const ::testing::TestParamInfo<PlaylistCase>& info) { return std::string(info.param.name); });

TEST(MusicPlaylist, NothingHappensWhileTheMusicPlays)
{
   JSONValue* constants = ConstantsMake(R"({"Songs": ["A"]})");
   FakePlaylist playlist;
   playlist.idle = false;
   const u32 stateBefore = randomState0;
   playlist.Update(constants);
   EXPECT_EQ(randomState0, stateBefore);
   EXPECT_TRUE(playlist.checked.empty());
   playlist.Update(nullptr);
   MemoryDelete(constants);
}

TEST(MusicPlaylist, AMissingStreamIsNotPlayedAndTheNextFrameChoosesAgain)
{
   JSONValue* constants = ConstantsMake(R"({"Songs": ["A"]})");
   FakePlaylist playlist;
   playlist.missing.insert("Music/A.snd");
   randomState0 = 5;
   randomState1 = 9;
   // With one song the index is 0 unless the draw is exactly 65535.
   playlist.Update(constants);
   playlist.Update(constants);
   EXPECT_EQ(playlist.checked.size(), 2u);
   EXPECT_TRUE(playlist.played.empty());
   MemoryDelete(constants);
}
} // namespace
} // namespace CorvaleTest
