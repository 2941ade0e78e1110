// The viewer's settings as read through HelperToMoxel when the list window
// is created, the clamps applied to them, and the property sheet's maps
// between slider positions and thumbnail sizes. Portable.
#pragma once

#include "helper/interfaces/helper_interfaces.h"

namespace viewer {

constexpr int kThumbMinWidth = 55, kThumbMaxWidth = 115;
constexpr int kThumbMinHeight = 71, kThumbMaxHeight = 149;
constexpr int kNoPosition = -30000;

struct ViewerSettings {
  int listWidth = -1, listHeight = -1;
  int listX = kNoPosition, listY = kNoPosition;
  int thumbWidth = kThumbMaxWidth, thumbHeight = kThumbMaxHeight;
  bool thumbAspect = true;
  int thumbDisplay = 0;  // 0 fast, 1 precise, 2 optimized
  bool thumbAnnotations = false;
  int mainDisplay = 0;
  bool mainAnnotations = false;
  int mainFitMode = 0;  // 0 fit width, 1 fit page
  int mainBackground = -1;  // a colour word, or -1: the system's 3D-light colour
  bool thumbView = true;
  bool topmost = false;
  bool autoLaunch = true;
  bool useDefaultViewer = false;
  int imageColWidth = 100, typeColWidth = 100, sizeColWidth = 100;
  bool typeColEnabled = false, sizeColEnabled = false;
};

// A thumbnail width outside 55 ... 115 becomes 115, a height outside
// 71 ... 149 becomes 149; a display type outside 0 ... 2 becomes 0.
int ClampThumbWidth(int width);
int ClampThumbHeight(int height);
int ClampDisplayType(int type);

// Reads every setting in the list window's order (sizes, position, topmost,
// display types, then the rest), clamped. The background is written back
// at once, as read.
ViewerSettings ReadViewerSettings(HelperToMoxel& callbacks);

// The property sheet's sliders (0 ... 100) and the sizes they stand for.
int ThumbWidthForPosition(int position);   // 55 + p * 60 / 100
int ThumbHeightForPosition(int position);  // 71 + p * 78 / 100
// The nearest slider position for a size (inverse of the above, clamped).
int PositionForThumbWidth(int width);
int PositionForThumbHeight(int height);
// With the 8.5 by 11 aspect kept: the height for a width.
int AspectHeight(int width);

// The settings "Restore Defaults" puts on the sheet's three pages; the rest
// of `current` is kept.
ViewerSettings RestoredDefaults(const ViewerSettings& current);

// Writes, through the callbacks, every value of `changed` that differs from
// `before`; returns how many setters were called.
int WriteChangedSettings(HelperToMoxel& callbacks, const ViewerSettings& before, const ViewerSettings& changed);

}  // namespace viewer
