#include "image_geometry.h"

#include <gtest/gtest.h>

namespace {

TEST(Fit, WidthAndPageKeepProportions) {
  struct Case {
    PageSize page, area, width, whole;
  } cases[] = {
      {{1728, 2200}, {400, 300}, {400, 509}, {236, 300}},
      {{2200, 1728}, {400, 300}, {400, 314}, {382, 300}},
      {{100, 100}, {50, 80}, {50, 50}, {50, 50}},
      {{12000, 16000}, {800, 600}, {800, 1067}, {450, 600}},
      {{1, 10000}, {300, 300}, {300, 3000000}, {1, 300}},  // a thin page never vanishes
      {{100, 50}, {0, 0}, {1, 1}, {1, 1}},                 // an empty area
  };
  for (const Case& c : cases) {
    const PageSize w = FitToWidth(c.page, c.area);
    const PageSize p = FitToPage(c.page, c.area);
    EXPECT_EQ(w.width, c.width.width) << c.page.width << "x" << c.page.height;
    EXPECT_EQ(w.height, c.width.height) << c.page.width << "x" << c.page.height;
    EXPECT_EQ(p.width, c.whole.width) << c.page.width << "x" << c.page.height;
    EXPECT_EQ(p.height, c.whole.height) << c.page.width << "x" << c.page.height;
  }
  EXPECT_EQ(FitToPage({0, 10}, {100, 100}).width, 0);  // no page, nothing shown
}

TEST(Zoom, PercentOfTheFittedSize) {
  EXPECT_EQ(ZoomOf({236, 300}, 100).width, 236);
  EXPECT_EQ(ZoomOf({236, 300}, 496).width, 1171);
  EXPECT_EQ(ZoomOf({236, 300}, 496).height, 1488);
  EXPECT_EQ(ZoomOf({3, 3}, 1).width, 1);
}

TEST(Turned, OddTurnsSwap) {
  for (int turns : {-3, 1, 3, 5}) EXPECT_EQ(Turned({10, 20}, turns).width, 20) << turns;
  for (int turns : {-2, 0, 2, 4}) EXPECT_EQ(Turned({10, 20}, turns).width, 10) << turns;
  EXPECT_EQ(NormalTurns(-1), 3);
  EXPECT_EQ(NormalTurns(7), 3);
}

TEST(ZoomSlider, PositionShowsOneHundredPlusFourTimesPercent) {
  EXPECT_EQ(ZoomPercentForSlider(0), 100);
  EXPECT_EQ(ZoomPercentForSlider(10), 140);
  EXPECT_EQ(ZoomPercentForSlider(99), 496);
  EXPECT_EQ(ZoomPercentForSlider(-5), 100);
  EXPECT_EQ(ZoomPercentForSlider(150), 496);
  for (int p = 0; p <= kZoomSliderMax; ++p) EXPECT_EQ(SliderForZoomPercent(ZoomPercentForSlider(p)), p);
  EXPECT_EQ(SliderForZoomPercent(50), 0);
  EXPECT_EQ(SliderForZoomPercent(1000), 99);
  EXPECT_EQ(SliderForZoomPercent(141), 10);
  EXPECT_EQ(SliderForZoomPercent(143), 11);
}

// A 200 x 100 page (at the shown scale) in a 50 x 40 view, whose visible
// part starts at (10, 20) of the page: per turn the bars' ranges swap and
// the positions run from the edge the turn brought to the top left.
TEST(ScrollBars, SwappedAndMirroredPerTurn) {
  struct Case {
    int turns;
    int hMax, hPos, vMax, vPos;
  } cases[] = {
      {0, 199, 10, 99, 20},
      {1, 99, 30, 199, 10},
      {2, 199, 140, 99, 40},
      {3, 99, 20, 199, 150},
  };
  for (const Case& c : cases) {
    PageGeometry g;
    g.rotation = c.turns;
    g.imageWidth = 200;
    g.imageHeight = 100;
    g.viewWidth = 50;
    g.viewHeight = 40;
    g.x = 10;
    g.y = 20;
    const ScrollBars bars = ScrollBarsFor(g);
    EXPECT_EQ(bars.horizontal.max, c.hMax) << c.turns;
    EXPECT_EQ(bars.horizontal.page, 50) << c.turns;
    EXPECT_EQ(bars.horizontal.position, c.hPos) << c.turns;
    EXPECT_EQ(bars.vertical.max, c.vMax) << c.turns;
    EXPECT_EQ(bars.vertical.page, 40) << c.turns;
    EXPECT_EQ(bars.vertical.position, c.vPos) << c.turns;
    EXPECT_TRUE(bars.horizontal.shown && bars.vertical.shown) << c.turns;
    // Back from the bars to the same part of the page.
    const Offset back = PagePositionFromBars(g, bars.horizontal.position, bars.vertical.position);
    EXPECT_EQ(back.x, 10) << c.turns;
    EXPECT_EQ(back.y, 20) << c.turns;
    // The bar's far end shows the page's far edge in the shown frame.
    const Offset end = PagePositionFromBars(g, bars.horizontal.max + 1 - bars.horizontal.page, 0);
    const Offset shownEnd = ShownFromPage(end, {200, 100}, {50, 40}, c.turns);
    EXPECT_EQ(shownEnd.x, bars.horizontal.max + 1 - 50) << c.turns;
    EXPECT_EQ(shownEnd.y, 0) << c.turns;
  }
}

TEST(ScrollBars, HiddenWhenThePageCoversTheRange) {
  PageGeometry g;
  g.imageWidth = 45;
  g.imageHeight = 100;
  g.viewWidth = 50;
  g.viewHeight = 60;
  g.x = 30;  // out of range: clamped
  g.y = 500;
  ScrollBars bars = ScrollBarsFor(g);
  EXPECT_FALSE(bars.horizontal.shown);
  EXPECT_EQ(bars.horizontal.position, 0);
  EXPECT_TRUE(bars.vertical.shown);
  EXPECT_EQ(bars.vertical.position, 40);
  g.rotation = 1;  // now 100 wide, 45 high in the shown frame
  bars = ScrollBarsFor(g);
  EXPECT_TRUE(bars.horizontal.shown);
  EXPECT_FALSE(bars.vertical.shown);
}

TEST(ClampScroll, IntoTheRange) {
  EXPECT_EQ(ClampScroll(-3, 100, 40), 0);
  EXPECT_EQ(ClampScroll(70, 100, 40), 60);
  EXPECT_EQ(ClampScroll(5, 30, 40), 0);
}

}  // namespace

namespace {

TEST(DecodeSizeFor, NeverAboveThePageOrThePixelBudget) {
  const PageSize page{12000, 16000};
  PageSize s = DecodeSizeFor({300, 400}, page, 16 << 20);
  EXPECT_EQ(s.width, 300);
  EXPECT_EQ(s.height, 400);
  s = DecodeSizeFor({24000, 32000}, page, 0);
  EXPECT_EQ(s.width, 12000);
  s = DecodeSizeFor({12000, 16000}, page, 16 << 20);
  EXPECT_LE(static_cast<long long>(s.width) * s.height, 16LL << 20);
  EXPECT_GT(static_cast<long long>(s.width) * s.height, 16LL << 19);
  EXPECT_NEAR(s.width * 4.0 / 3.0, s.height, 2.0);
  EXPECT_EQ(DecodeSizeFor({0, 5}, page, 100).width, 0);
}

}  // namespace
