// The viewer's settings kept by the roster library: "SImaveView" first,
// then the terminal's "ImaveView" with the terminal's defaults; writes to
// "SImaveView" only.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>

#include "viewer_settings.h"

namespace {

class MemoryProfile final : public roster::ProfileStore {
 public:
  int ReadInt(const char* section, const char* key, int fallback) override {
    auto it = values.find({section, key});
    return it == values.end() ? fallback : std::stoi(it->second);
  }
  bool WriteText(const char* section, const char* key, const char* text) override {
    values[{section, key}] = text;
    ++writes;
    return true;
  }
  std::map<std::pair<std::string, std::string>, std::string> values;
  int writes = 0;
};

struct RosterViewerSettings : ::testing::Test {
  MemoryProfile profile;
  roster::RosterHelperToMoxel callbacks{&profile};
  HelperToMoxel& viewer = callbacks;  // called through the interface, as the viewer does
};

}  // namespace

TEST_F(RosterViewerSettings, AbsentEverywhereGivesTheTerminalsDefaults) {
  int a = 0, b = 0;
  viewer.GetListPosition(&a, &b);
  EXPECT_EQ(a, -30000);
  EXPECT_EQ(b, -30000);
  viewer.GetListSize(&a, &b);
  EXPECT_EQ(a, -1);
  EXPECT_EQ(b, -1);
  viewer.GetThumbSize(&a, &b);
  EXPECT_EQ(a, -1);
  EXPECT_EQ(b, -1);
  EXPECT_EQ(viewer.GetImageColWidth(), 100);
  EXPECT_EQ(viewer.GetTypeColWidth(), 100);
  EXPECT_EQ(viewer.GetSizeColWidth(), 100);
  EXPECT_EQ(viewer.GetThumbView(), 1);
  EXPECT_EQ(viewer.GetThumbAspect(), 1);
  EXPECT_EQ(viewer.GetAutoLaunch(), 1);
  EXPECT_EQ(viewer.GetThumbDisplay(), -1);
  EXPECT_EQ(viewer.GetMainDisplay(), -1);
  EXPECT_EQ(viewer.GetMainBackground(), -1);
  EXPECT_EQ(viewer.GetMainFitMode(), 0);
  EXPECT_EQ(viewer.GetTopmost(), 0);
  EXPECT_EQ(viewer.GetThumbAnnotations(), 0);
  EXPECT_EQ(viewer.GetMainAnnotations(), 0);
  EXPECT_EQ(viewer.GetUseDefaultViewer(), 0);
  EXPECT_EQ(viewer.GetTypeColEnabled(), 0);
  EXPECT_EQ(viewer.GetSizeColEnabled(), 0);
  EXPECT_EQ(profile.writes, 0);
}

TEST_F(RosterViewerSettings, OwnSectionWinsOverTheTerminals) {
  profile.values[{"ImaveView", "ListX"}] = "40";
  profile.values[{"ImaveView", "ListY"}] = "50";
  profile.values[{"SImaveView", "ListX"}] = "7";
  profile.values[{"ImaveView", "ImageColWidth"}] = "222";
  profile.values[{"SImaveView", "ThumbView"}] = "0";
  profile.values[{"ImaveView", "ThumbView"}] = "1";
  int x = 0, y = 0;
  viewer.GetListPosition(&x, &y);
  EXPECT_EQ(x, 7);
  EXPECT_EQ(y, 50);  // only in the terminal's section
  EXPECT_EQ(viewer.GetImageColWidth(), 222);
  EXPECT_EQ(viewer.GetThumbView(), 0);
  // The sentinel stored in the own section reads as absent there.
  profile.values[{"SImaveView", "SizeColWidth"}] = "-32000";
  profile.values[{"ImaveView", "SizeColWidth"}] = "90";
  EXPECT_EQ(viewer.GetSizeColWidth(), 90);
}

TEST_F(RosterViewerSettings, FlagsReadAsZeroOrOneIntegersAndChooserAsStored) {
  struct Case {
    const char* section;
    const char* key;
    const char* stored;
    int (HelperToMoxel::*get)();
    int want;
  } cases[] = {
      {"SImaveView", "Topmost", "5", &HelperToMoxel::GetTopmost, 1},
      {"ImaveView", "MainAnnotations", "-2", &HelperToMoxel::GetMainAnnotations, 1},
      {"SImaveView", "TypeColEnabled", "0", &HelperToMoxel::GetTypeColEnabled, 0},
      {"ImaveView", "AutoLaunch", "0", &HelperToMoxel::GetAutoLaunch, 0},
      {"SImaveView", "UseDefaultViewer", "3", &HelperToMoxel::GetUseDefaultViewer, 3},
      {"ImaveView", "UseDefaultViewer", "2", &HelperToMoxel::GetUseDefaultViewer, 3},  // own section still wins
      {"SImaveView", "MainBackground", "16777215", &HelperToMoxel::GetMainBackground, 16777215},
      {"ImaveView", "ThumbDisplay", "-5", &HelperToMoxel::GetThumbDisplay, -5},
  };
  for (const Case& c : cases) {
    profile.values[{c.section, c.key}] = c.stored;
    EXPECT_EQ((viewer.*c.get)(), c.want) << c.section << " " << c.key << "=" << c.stored;
  }
}

TEST_F(RosterViewerSettings, SettersWriteTheOwnSectionOnly) {
  viewer.SetListPosition(-12, 34);
  viewer.SetListSize(640, 480);
  viewer.SetThumbSize(120, 155);
  viewer.SetTopmost(9);
  viewer.SetUseDefaultViewer(4);
  viewer.SetMainBackground(-1);
  viewer.SetSizeColEnabled(0);
  viewer.SetImageColWidth(321);
  for (const auto& kv : profile.values) EXPECT_EQ(kv.first.first, "SImaveView") << kv.first.second;
  auto own = [&](const char* key) { return profile.values[{"SImaveView", key}]; };
  EXPECT_EQ(own("ListX"), "-12");
  EXPECT_EQ(own("ListY"), "34");
  EXPECT_EQ(own("ListWidth"), "640");
  EXPECT_EQ(own("ListHeight"), "480");
  EXPECT_EQ(own("ThumbWidth"), "120");
  EXPECT_EQ(own("ThumbHeight"), "155");
  EXPECT_EQ(own("Topmost"), "1");
  EXPECT_EQ(own("UseDefaultViewer"), "1");
  EXPECT_EQ(own("MainBackground"), "-1");
  EXPECT_EQ(own("SizeColEnabled"), "0");
  EXPECT_EQ(own("ImageColWidth"), "321");
  // And what was written is what the getters give back.
  int x = 0, y = 0;
  viewer.GetListPosition(&x, &y);
  EXPECT_EQ(x, -12);
  EXPECT_EQ(y, 34);
}

// Every slot of the interface reaches its own key: a setter followed by its
// getter round-trips a value no other key holds.
TEST_F(RosterViewerSettings, EverySlotPairUsesItsOwnKey) {
  struct Single {
    const char* key;
    void (HelperToMoxel::*set)(int);
    int (HelperToMoxel::*get)();
    int value, want;
  } singles[] = {
      {"MainFitMode", &HelperToMoxel::SetMainFitMode, &HelperToMoxel::GetMainFitMode, 1, 1},
      {"Topmost", &HelperToMoxel::SetTopmost, &HelperToMoxel::GetTopmost, 1, 1},
      {"ThumbAspect", &HelperToMoxel::SetThumbAspect, &HelperToMoxel::GetThumbAspect, 0, 0},
      {"ThumbDisplay", &HelperToMoxel::SetThumbDisplay, &HelperToMoxel::GetThumbDisplay, 12, 12},
      {"ThumbAnnotations", &HelperToMoxel::SetThumbAnnotations, &HelperToMoxel::GetThumbAnnotations, 1, 1},
      {"MainAnnotations", &HelperToMoxel::SetMainAnnotations, &HelperToMoxel::GetMainAnnotations, 1, 1},
      {"UseDefaultViewer", &HelperToMoxel::SetUseDefaultViewer, &HelperToMoxel::GetUseDefaultViewer, 1, 1},
      {"MainDisplay", &HelperToMoxel::SetMainDisplay, &HelperToMoxel::GetMainDisplay, 13, 13},
      {"AutoLaunch", &HelperToMoxel::SetAutoLaunch, &HelperToMoxel::GetAutoLaunch, 0, 0},
      {"MainBackground", &HelperToMoxel::SetMainBackground, &HelperToMoxel::GetMainBackground, 14, 14},
      {"ThumbView", &HelperToMoxel::SetThumbView, &HelperToMoxel::GetThumbView, 0, 0},
      {"ImageColWidth", &HelperToMoxel::SetImageColWidth, &HelperToMoxel::GetImageColWidth, 15, 15},
      {"TypeColWidth", &HelperToMoxel::SetTypeColWidth, &HelperToMoxel::GetTypeColWidth, 16, 16},
      {"SizeColWidth", &HelperToMoxel::SetSizeColWidth, &HelperToMoxel::GetSizeColWidth, 17, 17},
      {"TypeColEnabled", &HelperToMoxel::SetTypeColEnabled, &HelperToMoxel::GetTypeColEnabled, 1, 1},
      {"SizeColEnabled", &HelperToMoxel::SetSizeColEnabled, &HelperToMoxel::GetSizeColEnabled, 1, 1},
  };
  for (const Single& s : singles) {
    profile.values.clear();
    (viewer.*s.set)(s.value);
    ASSERT_EQ(profile.values.size(), 1u) << s.key;
    EXPECT_EQ(profile.values.begin()->first.second, s.key);
    EXPECT_EQ((viewer.*s.get)(), s.want) << s.key;
  }
}
