#include "viewer_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "recording_settings.h"

namespace {

TEST(ViewerSettings, ThumbnailSizeClamps) {
  struct Case {
    int width, height, wantWidth, wantHeight;
  } cases[] = {
      {-1, -1, 115, 149},  // the defaults
      {55, 71, 55, 71},    {115, 149, 115, 149}, {54, 70, 115, 149}, {116, 150, 115, 149},
      {80, 100, 80, 100},  {0, 0, 115, 149},     {100000, -5, 115, 149},
  };
  for (const Case& c : cases) {
    RecordingSettings s;
    s.stored["ThumbWidth"] = c.width;
    s.stored["ThumbHeight"] = c.height;
    const viewer::ViewerSettings v = viewer::ReadViewerSettings(s);
    EXPECT_EQ(v.thumbWidth, c.wantWidth) << c.width;
    EXPECT_EQ(v.thumbHeight, c.wantHeight) << c.height;
  }
}

TEST(ViewerSettings, DisplayTypesOutsideTheirRangeAreFast) {
  const std::pair<int, int> cases[] = {{-1, 0}, {0, 0}, {1, 1}, {2, 2}, {3, 0}, {-100, 0}};
  for (const auto& c : cases) {
    RecordingSettings s;
    s.stored["ThumbDisplay"] = c.first;
    s.stored["MainDisplay"] = c.first;
    const viewer::ViewerSettings v = viewer::ReadViewerSettings(s);
    EXPECT_EQ(v.thumbDisplay, c.second) << c.first;
    EXPECT_EQ(v.mainDisplay, c.second) << c.first;
  }
}

TEST(ViewerSettings, DefaultsAndTheBackgroundWrittenBack) {
  RecordingSettings s;
  const viewer::ViewerSettings v = viewer::ReadViewerSettings(s);
  EXPECT_EQ(v.listX, -30000);
  EXPECT_EQ(v.listWidth, -1);
  EXPECT_TRUE(v.autoLaunch);
  EXPECT_TRUE(v.thumbView);
  EXPECT_TRUE(v.thumbAspect);
  EXPECT_FALSE(v.topmost);
  EXPECT_EQ(v.mainBackground, -1);
  EXPECT_EQ(v.imageColWidth, 100);
  // The order: thumbnail size, list size, list position, topmost, the two
  // display types; the background's setter right after its getter.
  ASSERT_GE(s.slots.size(), 6u);
  EXPECT_EQ(std::vector<int>(s.slots.begin(), s.slots.begin() + 6), (std::vector<int>{6, 0, 4, 9, 12, 20}));
  auto bg = std::find(s.slots.begin(), s.slots.end(), 24);
  ASSERT_NE(bg, s.slots.end());
  ASSERT_NE(bg + 1, s.slots.end());
  EXPECT_EQ(*(bg + 1), 25);
  EXPECT_EQ(s.stored.at("MainBackground"), -1);
  // Nothing else was written.
  EXPECT_EQ(std::count_if(s.slots.begin(), s.slots.end(), [](int slot) { return slot == 8 || (slot % 2 == 1 && slot != 9); }),
            1);
}

TEST(ViewerSettings, SliderMaps) {
  const int positions[] = {0, 1, 50, 99, 100};
  const int widths[] = {55, 55, 85, 114, 115};
  const int heights[] = {71, 71, 110, 148, 149};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(viewer::ThumbWidthForPosition(positions[i]), widths[i]);
    EXPECT_EQ(viewer::ThumbHeightForPosition(positions[i]), heights[i]);
  }
  EXPECT_EQ(viewer::ThumbWidthForPosition(-5), 55);
  EXPECT_EQ(viewer::ThumbWidthForPosition(500), 115);
  // Every size a position gives maps back to a position giving the same size.
  for (int p = 0; p <= 100; ++p) {
    EXPECT_EQ(viewer::ThumbWidthForPosition(viewer::PositionForThumbWidth(viewer::ThumbWidthForPosition(p))),
              viewer::ThumbWidthForPosition(p));
    EXPECT_EQ(viewer::ThumbHeightForPosition(viewer::PositionForThumbHeight(viewer::ThumbHeightForPosition(p))),
              viewer::ThumbHeightForPosition(p));
  }
  EXPECT_EQ(viewer::PositionForThumbWidth(115), 100);
  EXPECT_EQ(viewer::PositionForThumbHeight(149), 100);
}

TEST(ViewerSettings, AspectHeight) {
  const std::pair<int, int> cases[] = {{55, 71}, {85, 110}, {115, 149}, {100, 129}, {17, 22}};
  for (const auto& c : cases) EXPECT_EQ(viewer::AspectHeight(c.first), c.second) << c.first;
}

TEST(ViewerSettings, RestoreDefaultsAndWritingOnlyWhatChanged) {
  viewer::ViewerSettings before;
  before.autoLaunch = false;
  before.topmost = true;
  before.useDefaultViewer = true;
  before.thumbDisplay = 2;
  before.thumbWidth = 60;
  before.thumbHeight = 80;
  before.mainDisplay = 1;
  before.mainAnnotations = true;
  before.mainFitMode = 0;
  before.mainBackground = 0x123456;
  before.thumbView = false;  // not one of the restored values
  const viewer::ViewerSettings restored = viewer::RestoredDefaults(before);
  EXPECT_TRUE(restored.autoLaunch);
  EXPECT_FALSE(restored.topmost);
  EXPECT_FALSE(restored.useDefaultViewer);
  EXPECT_EQ(restored.thumbDisplay, 0);
  EXPECT_EQ(restored.thumbWidth, 115);
  EXPECT_EQ(restored.thumbHeight, 149);
  EXPECT_EQ(restored.mainDisplay, 0);
  EXPECT_FALSE(restored.mainAnnotations);
  EXPECT_EQ(restored.mainFitMode, 1);
  EXPECT_EQ(restored.mainBackground, -1);
  EXPECT_FALSE(restored.thumbView);

  RecordingSettings s;
  EXPECT_EQ(viewer::WriteChangedSettings(s, before, restored), 9);
  EXPECT_EQ(s.stored.at("Topmost"), 0);
  EXPECT_EQ(s.stored.at("AutoLaunch"), 1);
  EXPECT_EQ(s.stored.at("ThumbWidth"), 115);
  EXPECT_EQ(s.stored.at("ThumbHeight"), 149);
  EXPECT_EQ(s.stored.at("MainFitMode"), 1);
  EXPECT_EQ(s.stored.at("MainBackground"), -1);
  EXPECT_EQ(s.stored.count("ThumbView"), 0u);
  EXPECT_EQ(viewer::WriteChangedSettings(s, restored, restored), 0);
}

}  // namespace
