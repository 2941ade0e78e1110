// Where the list window goes: its stored size and position kept wholly on
// the work area of the terminal's monitor. Portable.
#pragma once

#include "viewer_settings.h"

namespace viewer {

constexpr int kListDefaultWidth = 300, kListDefaultHeight = 420;

struct ScreenArea {
  int left = 0, top = 0, right = 0, bottom = 0;
};

struct ListPlace {
  int x = 0, y = 0, width = 0, height = 0;
};

// The size is the stored one (the default for a value not above 0), no
// larger than the work area. A coordinate never stored puts the window at
// the right edge, a quarter of the free height down; a stored one is moved
// just enough to bring the whole window onto the work area. An empty work
// area leaves the stored values as they are.
ListPlace PlaceList(const ScreenArea& work, const ViewerSettings& settings);

}  // namespace viewer
