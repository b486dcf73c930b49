// Applying the settings through a fake sound manager: volumes limited to 0..100, the song with
// its fall-backs, "Random" drawn only when the song or the profile changed, the game speed, and
// the messy-cards flag announced only when it changes.
#include "app/profile/SettingsApply.h"

#include <vector>

#include "core/Random.h"
#include "tests/app/profile/ProfileTestSupport.h"

using namespace ProfileTest;

namespace
{
// Notes every call; the streams in "Music/" are the ones listed.
class FakeSound : public SettingsSoundTarget
{
 public:
   bool InitialisedCheck() override { return initialised; }
   void VolumeSet(i32 usage, i32 volume) override
   {
      calls.push_back("volume " + std::to_string(usage) + " " + std::to_string(volume));
   }
   bool StreamExistsCheck(const char* path) override
   {
      for (const std::string& stream : streams)
      {
         if (("Music/" + stream) == path)
         {
            return true;
         }
      }
      return false;
   }
   void MusicPlay(const char* path, bool loop) override
   {
      calls.push_back(std::string("play ") + path + (loop ? " looping" : " once"));
   }

   bool initialised = true;
   std::vector<std::string> streams = {"Dawn", "Dusk", "Noon", "Night"};
   std::vector<std::string> calls;
};

// Counts the announcements of a messy-cards change.
struct MessyListener
{
   i32 count = 0;
   void OnChange() { count++; }
};

class SettingsApplying : public ProfileFixture
{
 protected:
   void SetUp() override
   {
      ProfileFixture::SetUp();
      ConstsSet(R"({"ProfileNameDefault": "Player", "MusicVolumeDefault": 70, "SoundVolumeDefault": true,
         "SpeechVolumeDefault": "loud", "SongDefault": "Dawn", "GameSpeedDefault": 30, "CardsMessyDefault": 1,
         "Songs": ["Dawn", "Dusk", "Noon", 5, "Night"], "SongsUnlockable": true, "SongsUnlocked": ["Dusk"]})");
      targetOld = settingsSoundTarget;
      settingsSoundTarget = &sound;
      EventMethodRegister(&listener, SETTINGS_CARDS_MESSY_CHANGE_EVENT, &MessyListener::OnChange);
      ProfileLoad("Ada");
      cardsMessy = false;
   }
   void TearDown() override
   {
      Event::OwnerUnregister(&listener);
      settingsSoundTarget = targetOld;
      ProfileFixture::TearDown();
   }

   // The calls of one apply.
   std::vector<std::string> Apply()
   {
      sound.calls.clear();
      SettingsApply();
      return sound.calls;
   }

   FakeSound sound;
   MessyListener listener;
   SettingsSoundTarget* targetOld = nullptr;
};

typedef std::vector<std::string> Calls;
} // namespace

TEST_F(SettingsApplying, VolumesComeFromTheProfileOrTheDefaultsLimitedToAPercentage)
{
   ProfileSet(R"({"SFXVolume": 150, "MusicVolume": -5, "SpeechVolume": 33.9, "Song": "Dusk"})");
   EXPECT_EQ(Apply(), (Calls{"volume 0 100", "volume 1 0", "volume 2 33", "play Music/Dusk looping"}));

   // Mistyped members take the defaults: a bool true is 1, any other text 0.
   ProfileSet(R"({"SFXVolume": "50", "MusicVolume": null, "Song": "Dusk"})");
   EXPECT_EQ(Apply(), (Calls{"volume 0 1", "volume 1 70", "volume 2 0", "play Music/Dusk looping"}));

   // Without a profile the defaults apply as they are, still limited.
   ConstsSet(R"({"MusicVolumeDefault": 250, "SoundVolumeDefault": -3, "SpeechVolumeDefault": 100})");
   ProfileLoad(nullptr);
   EXPECT_EQ(Apply(), (Calls{"volume 0 0", "volume 1 100", "volume 2 100"}));

   sound.initialised = false;
   EXPECT_EQ(Apply(), Calls{});
}

TEST_F(SettingsApplying, ANamedSongLoopsAndFallsBackToTheDefault)
{
   struct Case
   {
      const char* profile;
      const char* played;
   };
   const Case cases[] = {
       {R"({"Song": "Noon"})", "play Music/Noon looping"},
       {R"({"Song": "Gone"})", "play Music/Dawn looping"},
       {R"({"Song": 4})", "play Music/Dawn looping"},
       {"{}", "play Music/Dawn looping"},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.profile);
      ProfileSet(c.profile);
      EXPECT_EQ(Apply().back(), c.played);
   }
   // Neither the song nor the default can play: the music stays as it is.
   sound.streams.clear();
   EXPECT_EQ(Apply().size(), 3u);
   ConstsSet("{}");
   ProfileSet(R"({"Song": "Random"})");
   EXPECT_EQ(Apply().size(), 3u);
}

TEST_F(SettingsApplying, RandomDrawsOnlyEligibleSongsAndOnlyWhenTheChoiceOrProfileChanged)
{
   ProfileSet(R"({"Song": "Random", "Unlockables": {"Song": {"Night": true, "Noon": 0}}})");
   // Dusk is listed, Night unlocked: two songs, drawn by the shared generator.
   std::vector<std::string> played;
   for (u32 seed = 0; seed < 64 && played.size() < 2; seed++)
   {
      randomState0 = seed * 2654435761u;
      randomState1 = seed;
      ProfileLoad("Ada");
      ProfileSet(R"({"Song": "Random", "Unlockables": {"Song": {"Night": true, "Noon": 0}}})");
      const std::string call = Apply().back();
      ASSERT_TRUE(call == "play Music/Dusk once" || call == "play Music/Night once") << call;
      if (played.empty() || played[0] != call)
      {
         played.push_back(call);
      }
   }
   EXPECT_EQ(played.size(), 2u) << "both eligible songs are drawn";

   // A volume step keeps the song that plays and draws nothing.
   const u32 state0 = randomState0;
   profileCurrent->ItemNumberSet("MusicVolume", 10);
   EXPECT_EQ(Apply(), (Calls{"volume 0 1", "volume 1 10", "volume 2 0"}));
   EXPECT_EQ(randomState0, state0);

   // Choosing another song and coming back to "Random" draws again; so does another profile.
   profileCurrent->ItemStringSet("Song", "Noon");
   EXPECT_EQ(Apply().back(), "play Music/Noon looping");
   profileCurrent->ItemStringSet("Song", "Random");
   const std::string again = Apply().back();
   EXPECT_TRUE(again == "play Music/Dusk once" || again == "play Music/Night once") << again;
   ProfileLoad("Bea");
   ProfileSet(R"({"Song": "Random"})");
   EXPECT_EQ(Apply().back(), "play Music/Dusk once") << "Bea has only the listed song";
}

TEST_F(SettingsApplying, RandomWithNothingEligiblePlaysTheDefaultLooping)
{
   const char* constsCases[] = {
       R"({"SongDefault": "Dawn", "Songs": ["Noon"], "SongsUnlockable": 1, "SongsUnlocked": []})",
       R"({"SongDefault": "Dawn", "Songs": ["Noon"], "SongsUnlockable": true})",
       R"({"SongDefault": "Dawn", "Songs": "Noon"})",
       R"({"SongDefault": "Dawn", "Songs": ["Gone"]})",
   };
   for (const char* text : constsCases)
   {
      SCOPED_TRACE(text);
      ConstsSet(text);
      ProfileLoad("Ada");
      ProfileSet(R"({"Song": "Random"})");
      EXPECT_EQ(Apply().back(), "play Music/Dawn looping");
   }
   // Without "SongsUnlockable" every listed song may play.
   ConstsSet(R"({"SongDefault": "Dawn", "Songs": ["Noon"]})");
   ProfileLoad("Ada");
   ProfileSet(R"({"Song": "Random"})");
   EXPECT_EQ(Apply().back(), "play Music/Noon once");
}

TEST_F(SettingsApplying, GameSpeedAndMessyCardsFollowTheProfileOrTheDefaults)
{
   struct Case
   {
      const char* profile;
      i32 speed;
      bool messy;
   };
   const Case cases[] = {
       {"{}", 30, true},
       {R"({"GameSpeed": 75.8, "CardsMessy": false})", 75, false},
       {R"({"GameSpeed": "fast", "CardsMessy": 0})", 30, true},
       {R"({"GameSpeed": true, "CardsMessy": true})", 30, true},
   };
   for (const Case& c : cases)
   {
      SCOPED_TRACE(c.profile);
      ProfileSet(c.profile);
      sound.initialised = false;
      Apply();
      EXPECT_EQ(gameSpeed, c.speed);
      EXPECT_EQ(cardsMessy, c.messy);
   }
   ConstsSet(R"({"GameSpeedDefault": true})");
   ProfileSet("{}");
   Apply();
   EXPECT_EQ(gameSpeed, 1);
   EXPECT_FALSE(cardsMessy);
}

TEST_F(SettingsApplying, ACardGameHearsOfMessyCardsOnlyWhenTheFlagChanges)
{
   ProfileSet(R"({"CardsMessy": true})");
   Apply();
   EXPECT_EQ(listener.count, 1);
   profileCurrent->ItemNumberSet("SFXVolume", 20);
   Apply();
   Apply();
   EXPECT_EQ(listener.count, 1) << "a slider step does not shake the cards";
   profileCurrent->ItemBoolSet("CardsMessy", false);
   Apply();
   EXPECT_EQ(listener.count, 2);
}
