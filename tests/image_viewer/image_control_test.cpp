// The image control in a window of its own: pages, turns and zoom checked
// by the pixels on the screen and on the clipboard.
#include <gtest/gtest.h>

#include "image_control_win32.h"
#include "image_fixtures.h"

namespace {

class ImageControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = MakeHostWindow(240, 140);
    ASSERT_NE(host_, nullptr);
    RECT at = {20, 20, 220, 120};  // 200 x 100
    control_ = CImageControl::Create(host_, 7, at);
    ASSERT_NE(control_, nullptr);
    control_->SetBackground(0x808080);
  }
  void TearDown() override { DestroyWindow(host_); }

  void LoadAndShow(const char* name) {
    ASSERT_EQ(control_->Load(Fixture(name).c_str()), kImageDecoding);
    ASSERT_TRUE(PumpUntil([&] { return control_->Status() == kImageLoaded; }, 5000));
    UpdateWindow(control_->Window());
    PumpFor(50);
  }
  std::uint32_t Screen(int x, int y) { return ScreenPixel(control_->Window(), x, y); }

  HWND host_ = nullptr;
  CImageControl* control_ = nullptr;
};

TEST_F(ImageControlTest, QuarterTurnsMoveTheRedQuadrant) {
  LoadAndShow("red_quadrant.png");
  EXPECT_EQ(control_->PageCount(), 1);
  // Fitted whole: 200 x 100 fills the control.
  struct Case {
    int turns;
    int redX, redY, whiteX, whiteY;
  } cases[] = {
      // After a clockwise turn the page is 50 x 100, centred (x 75..125):
      // the top-left red corner is now top right.
      {0, 10, 10, 150, 80},
      {1, 115, 10, 85, 10},
      {2, 150, 80, 10, 10},
      {3, 85, 90, 115, 10},
  };
  for (const Case& c : cases) {
    control_->SetRotation(c.turns);
    ASSERT_TRUE(PumpUntil([&] { return control_->Status() == kImageLoaded; }, 5000));
    InvalidateRect(control_->Window(), nullptr, FALSE);
    UpdateWindow(control_->Window());
    EXPECT_EQ(Screen(c.redX, c.redY), 0xFF0000u) << c.turns;
    EXPECT_EQ(Screen(c.whiteX, c.whiteY), 0xFFFFFFu) << c.turns;
    if (c.turns % 2) {
      EXPECT_EQ(Screen(20, 50), 0x808080u) << "background beside the turned page";
    }
  }
  control_->RotateCounterClockwise();
  EXPECT_EQ(control_->Rotation(), 2);
  control_->RotateClockwise();
  control_->RotateClockwise();
  EXPECT_EQ(control_->Rotation(), 0);
}

TEST_F(ImageControlTest, PagesOfATiff) {
  LoadAndShow("three_pages.tif");
  EXPECT_EQ(control_->PageCount(), 3);
  EXPECT_EQ(control_->CurrentPage(), 1);
  const std::uint32_t colours[] = {0xFF0000, 0x00FF00, 0x0000FF};
  for (int page = 1; page <= 3; ++page) {
    ASSERT_TRUE(control_->SetPage(page));
    ASSERT_TRUE(PumpUntil([&] { return control_->Status() == kImageLoaded; }, 5000));
    UpdateWindow(control_->Window());
    EXPECT_EQ(Screen(100, 50), colours[page - 1]) << page;
  }
  EXPECT_FALSE(control_->SetPage(4));
  EXPECT_FALSE(control_->SetPage(0));
  EXPECT_EQ(control_->CurrentPage(), 3);
}

TEST_F(ImageControlTest, CopiesTheShownPageTurnedAsCfDib) {
  LoadAndShow("red_quadrant.png");
  control_->RotateClockwise();
  ASSERT_TRUE(control_->CopyToClipboard(host_));
  std::uint32_t rgb = 0;
  int width = 0, height = 0;
  ASSERT_TRUE(ClipboardDibPixel(45, 5, &rgb, &width, &height));
  EXPECT_EQ(width, 50);
  EXPECT_EQ(height, 100);
  EXPECT_EQ(rgb, 0xFF0000u);
  ASSERT_TRUE(ClipboardDibPixel(5, 5, &rgb, &width, &height));
  EXPECT_EQ(rgb, 0xFFFFFFu);
  ASSERT_TRUE(ClipboardDibPixel(45, 95, &rgb, &width, &height));
  EXPECT_EQ(rgb, 0xFFFFFFu);
}

TEST_F(ImageControlTest, ZoomScrollsAndFitWidthFills) {
  LoadAndShow("three_pages.tif");  // 60 x 40 in 200 x 100: fitted 150 x 100
  control_->SetDisplayMode(kFitWidth);
  ViewGeometry g = control_->Geometry();
  EXPECT_EQ(g.imageWidth, 200);
  EXPECT_EQ(g.imageHeight, 133);
  control_->SetZoomPercent(200);
  g = control_->Geometry();
  EXPECT_EQ(control_->DisplayMode(), kZoomScroll);
  EXPECT_EQ(g.imageWidth, 300);
  EXPECT_EQ(g.imageHeight, 200);
  control_->ScrollTo(1000, 1000);
  g = control_->Geometry();
  EXPECT_EQ(g.x, 100);
  EXPECT_EQ(g.y, 100);
  control_->SetDisplayMode(kActualSize);
  g = control_->Geometry();
  EXPECT_EQ(g.imageWidth, 60);
  control_->SetDisplayMode(kFitPage);
  EXPECT_EQ(control_->Geometry().imageWidth, 150);
}

TEST_F(ImageControlTest, AnnotationsFromTheSidecar) {
  LoadAndShow("marked.png");  // 100 x 100 in 200 x 100: shown 1:1 at x 50
  EXPECT_TRUE(control_->HasAnnotations());
  EXPECT_FALSE(control_->AnnotationsShown());
  EXPECT_EQ(Screen(50 + 20, 20), 0xFFFFFFu);
  control_->ShowAnnotations(true);
  UpdateWindow(control_->Window());
  EXPECT_EQ(Screen(50 + 20, 20), 0x0000FFu);
  ASSERT_TRUE(control_->CopyToClipboard(host_));
  std::uint32_t rgb = 0;
  int width = 0, height = 0;
  ASSERT_TRUE(ClipboardDibPixel(20, 20, &rgb, &width, &height));
  EXPECT_EQ(rgb, 0x0000FFu);
  LoadAndShow("red_quadrant.png");
  EXPECT_FALSE(control_->HasAnnotations());
}

TEST_F(ImageControlTest, FailedLoadsLeaveTheBackground) {
  EXPECT_EQ(control_->Load(Fixture("notes.tvxdoc").c_str()), kImageNoDecoder);
  EXPECT_EQ(control_->Load(Fixture("missing.png").c_str()), kImageOpenFailed);
  ImageLoadStatus s = control_->Load(Fixture("truncated.png").c_str());
  if (s == kImageDecoding) s = control_->Finish();
  EXPECT_EQ(s, kImageDecodeError);
  UpdateWindow(control_->Window());
  EXPECT_EQ(Screen(100, 50), 0x808080u);
  EXPECT_FALSE(control_->CopyToClipboard(host_));
}

TEST_F(ImageControlTest, BigFaxDecodesInStepsWithoutBlocking) {
  // The first step comes back to the message loop before the page is done.
  ASSERT_EQ(control_->Load(Fixture("fax.tif").c_str()), kImageDecoding);
  control_->SetDisplayMode(kActualSize);
  int steps = 0;
  ASSERT_TRUE(PumpUntil([&] {
    ++steps;
    return control_->Status() == kImageLoaded;
  }, 10000));
  EXPECT_GT(steps, 2);
  EXPECT_EQ(control_->Geometry().imageWidth, 1728);
}

}  // namespace
