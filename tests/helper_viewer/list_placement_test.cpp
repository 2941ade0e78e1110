#include "list_placement.h"

#include <gtest/gtest.h>

namespace {

using viewer::kNoPosition;

struct Case {
  const char* what;
  viewer::ScreenArea work;
  int width, height, x, y;  // stored
  viewer::ListPlace want;
};

// A 1024 x 740 work area at the origin, and a second monitor's to the left
// of it at negative coordinates with a task bar on its top.
const viewer::ScreenArea kPrimary{0, 0, 1024, 740};
const viewer::ScreenArea kLeft{-1280, 40, 0, 1024};

const Case kCases[] = {
    {"stored and inside", kPrimary, 320, 400, 40, 50, {40, 50, 320, 400}},
    {"never stored: right edge, a quarter down", kPrimary, -1, -1, kNoPosition, kNoPosition, {724, 80, 300, 420}},
    {"far right and below", kPrimary, 300, 420, 5000, 3000, {724, 320, 300, 420}},
    {"far left and above", kPrimary, 300, 420, -4000, -200, {0, 0, 300, 420}},
    {"half off the right edge", kPrimary, 300, 420, 900, 100, {724, 100, 300, 420}},
    {"larger than the work area", kPrimary, 2000, 900, 10, 10, {0, 0, 1024, 740}},
    {"only y stored", kPrimary, 300, 420, kNoPosition, 10, {724, 10, 300, 420}},
    {"the other monitor's area", kLeft, 300, 420, 20, 20, {-300, 40, 300, 420}},
    {"on the other monitor, inside", kLeft, 300, 420, -1000, 100, {-1000, 100, 300, 420}},
    {"never stored, other monitor", kLeft, 300, 420, kNoPosition, kNoPosition, {-300, 40 + (984 - 420) / 4, 300, 420}},
    {"no work area: as stored", viewer::ScreenArea{}, 300, 420, 7000, -5, {7000, -5, 300, 420}},
};

TEST(ListPlacement, KeptWhollyOnTheWorkArea) {
  for (const Case& c : kCases) {
    viewer::ViewerSettings s;
    s.listWidth = c.width;
    s.listHeight = c.height;
    s.listX = c.x;
    s.listY = c.y;
    const viewer::ListPlace p = viewer::PlaceList(c.work, s);
    EXPECT_EQ(p.x, c.want.x) << c.what;
    EXPECT_EQ(p.y, c.want.y) << c.what;
    EXPECT_EQ(p.width, c.want.width) << c.what;
    EXPECT_EQ(p.height, c.want.height) << c.what;
  }
}

}  // namespace
